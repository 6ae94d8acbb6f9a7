select 1 -- comment
select 2 /* block /* nested */ comment */ select 3