if
select 1