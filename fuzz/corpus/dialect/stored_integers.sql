insert into t (a, bb) values (5, @v), (-7, 3000000000)
insert t select a * 2, bb, sum(c) from t
update t set bb = bb + 1, a = 'x'
