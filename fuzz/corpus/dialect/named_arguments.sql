exec AP_X 1, @b = 'x' + 'y', @c = default
exec sp_executesql N'select @a + @b', N'@a int, @b nvarchar(10) OUTPUT', @b = 2, 1
