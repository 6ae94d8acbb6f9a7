Call JL_Zaznacz (7,102,4);
&RetCode = call RM_Zachowaj_TORIX_zaznaczone(5,7,1,2);