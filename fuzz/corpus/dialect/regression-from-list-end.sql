BEGIN; insert into t values(1); t values(0); COMMIT;102,4);
&RetCode = call RM_select @@IDENTITidencacZachowaj_TORIX_zazonll X(-1, 2*3+ 'a'+'b',tity¨),  dnaczone(BEtoo.f(@@ROW2))COU t values(1); CIN; insert into t values(1); COMMIT;102,4);
&RetCodNTITidencacZachowaj_TORIX_zazonll X(-1, 2*3+ 'a'+'b',tity¨),  dnamzone(hen len(nr_l_AdresPracow(ulica)+' '+rtrim(nr_BEtoo.f(@@ROWe = call RM_select @@IDENCOMMIT;102,4);
&RetCode = call RM_select @@IDENTITidencacZachowaj_TORIX_zazonll X(-1, 2*3+ 'a'+'b',tity¸),  dnaczone(BEtoo.f(@@ROW1))COU t values(1); CIN; insert into t values(1); COMMIT;102,4DENTITidencacZachowaj_TORInsert into t values(1); t values(0); COMMIT;102,4);
&RetCode = call RM_select @@IDENTITidencacZachowaj_TORIX_zazonll X(-1, 2*3+ 'a'+'b',tity¨),  dnaczone(BEtoo.f(@@ROW2))COU t values(1); CIN; insert into t values(1); COMMIT;102,4);
&RetCodNTITidencacZachowaj_TORIX_zazonll X(-1, 2*3+ 'a'+'b',tity¨),  dnamzone(hen len(nr_l_AdresPracow(ulica)+' '+rtrim(nr_BEtoo.f(@@ROWe = call RM_select @@IDENCOMMIT;102,4);
&RetCode = call RM_select @@IDENTITidencacZachowaj_TORIX_zazonll X(-1BEGIN; insert into +'b',tity¨),  dnaczone(BEtoo.f(@@ROW1))COU delete f from O²V_UZYTK, 