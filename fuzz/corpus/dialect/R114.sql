declare @n int = 5, @s varchar(10)
set @s = 'a'+'b'
select @n, @s