// The statements the library sends, run against the demo: every table and column they name must
// exist and the demo must give them the rows they are written for. The texts are the library's
// templates with demo values filled in, in their SQLite form (hints dropped, "+" on texts as
// "||", "dbo." and TOP removed, UPDATE...FROM with the target aliased): translating is the
// dialect layer's job, the schema's job is to be what they expect.
#include "server_db.hpp"
#include "support/case_names.hpp"

namespace orv::test {
namespace {

struct Statement {
  const char* name;
  const char* sql;
  const char* expect;  // "#n": n rows (queries) or n changed rows (writes); else column 1 of row 1
};

class LibraryStatement : public ::testing::TestWithParam<Statement> {};

TEST_P(LibraryStatement, RunsOnTheDemoWithTheExpectedResult) {
  ServerDb db;
  const Statement& s = GetParam();
  std::string sql = s.sql, expect = s.expect;
  bool write = !text::equal_ci(text::trim(sql).substr(0, 6), "select");
  if (write) {
    int64_t changed = db.exec(sql);
    ASSERT_EQ(expect[0], '#');
    EXPECT_EQ(changed, std::stoll(expect.substr(1)));
    return;
  }
  Rows r = db.query(sql);
  if (expect[0] == '#') {
    EXPECT_EQ(r.rows.size(), std::stoul(expect.substr(1)));
  } else {
    ASSERT_FALSE(r.rows.empty());
    EXPECT_EQ(r.rows[0][0].as_text(), expect);
  }
}

const Statement kStatements[] = {
    {"01_Permissions_UserOla",
     "select distinct d.kod, d.id2, d.id3, d.id4, d.id5, d.rodzaj_dostepu,d.flaga_stanu from "
     "DOSTEP d "
     "inner join       UZYTKOWNIKGRUPY ug on (ug.id_grupy = d.id_grupy and ug.id_uzytkownika = 9)  "
     "     inner join GRUPAUZYTKOWNIKOW g on (g.id_grupy=ug.id_grupy) where d.id_firmy = 5 and "
     "d.rodzaj_dostepu>0 and g.czy_aktywna=1",
     "#9"},
    {"02_FunctionsDefined", "select kod, rodzaj from UPRAWNIENIE", "#13"},
    {"03_ReportGrants",
     " select distinct d.id_raportu,d.rodzaj_dostepu  from DOSTEPDORAPORTOW d   inner join  "
     "UZYTKOWNIKGRUPY ug   on (ug.id_grupy = d.id_grupy)  inner join  GRUPAUZYTKOWNIKOW g on "
     "(ug.id_grupy=g.id_grupy)  where g.id_firmy=5 and ug.id_uzytkownika = 7",
     "#3"},
    {"04_PasswordLogin", "select identyfikator from uzytkownik where id_uzytkownika=7", "jan"},
    {"05_PasswordFunction",
     "select nazwa_funkcji,opis_funkcji from orv_funkcja where kod_funkcji='LIMIT_KUPIECKI'",
     "Limit kupiecki"},
    {"06_PasswordCheck",
     "select haslo,identyfikator,kod_funkcji from uzytkownik_funkcji_v where identyfikator='ewa' "
     "and haslo='SEKRET' and KOD_FUNKCJI='LIMIT_KUPIECKI'",
     "Sekret"},
    {"07_ConfigCompanyValue",
     "select i.wartosc,p.maska from interfirmapozycja i,pozycjakonfig p where i.id_firmy=5 and "
     "p.kod='BlokFuncHaslo' and p.id_pozycji=i.id_pozycji",
     "Tak"},
    {"08_ConfigUserValue",
     "select i.wartosc,p.maska from interuzytkownikpozycja i,pozycjakonfig p where "
     "i.id_uzytkownika=7 and p.kod='ZnakDoExcela' and p.id_pozycji=i.id_pozycji",
     ";"},
    {"09_PreferencesColumns",
     "Update inter_ini_uzytkownik set "
     "rozmiar=70,kolejnosc=1,format_kolumny='70L(2)|M~Indeks~@s20@' "
     "where id_uzytkownika=7 and id_kolumny=1",
     "#1"},
    {"10_PreferencesWindowParameter",
     "Update inter_parametr_uzytkownik AS i set wartosc='0'  from ini_parametr p,ini_okno o  where "
     "i.id_uzytkownika=7 and  p.nazwa='pokazuj_zdjecie' and  p.id_parametru=i.id_parametru and "
     "p.id_okna=o.id_okna and  o.nazwa='Artykul_Brw'",
     "#1"},
    {"11_ColumnWindows",
     "select o.nazwa,o.id_okna,o.nr_kol_pierwszej,o.nr_kol_ostatniej from ini_okno o", "#5"},
    {"12_ColumnSettings",
     "select i.format_kolumny,o.nazwa,o.id_okna,k.id_kolumny,k.numer_kolumny, "
     "k.nazwa_kolumny,k.rozmiar_kolumny,i.rozmiar,i.kolejnosc,k.pole_dodatkowe,o.kod_klas_grupy,o."
     "skok, "
     "k.ukryta,k.podlega_obcieciu  from ini_kolumna k inner join ini_okno o on "
     "(k.id_okna=o.id_okna) "
     "inner join inter_ini_uzytkownik i on (k.id_kolumny=i.id_kolumny) where  i.id_uzytkownika=7",
     "#28"},
    {"13_ColumnAdditionalFieldInactive",
     "select czy_aktywne from klasyfikator_pole where kod_klas_grupy='Artykul' and "
     "nazwa_pola_map='pole4'",
     "0"},
    {"14_ColumnWindowParameters",
     "select o.nazwa,p.nazwa,i.wartosc from ini_okno o,ini_parametr p,inter_parametr_uzytkownik i  "
     "where p.id_okna=o.id_okna and p.id_parametru=i.id_parametru and  i.id_uzytkownika=7",
     "#4"},
    {"15_ColumnDialogWindow", "select skok,kod_klas_grupy from INI_OKNO where NAZWA='artykul_brw'",
     "10"},
    {"16_MarkedCount", "select count(*) from zaznaczone where uzycie=300 and id_sesji=7", "5"},
    {"17_MarkWholeList",
     "insert into zaznaczone (id,uzycie,id_sesji) select distinct A.ID_ARTYKULU,500,7  FROM "
     "ARTYKUL A "
     "WHERE A.ID_MAGAZYNU=1",
     "#6"},
    {"18_OwnObjectListsFilter",
     "select count(*) from kontrahent A where A.id_kontrahenta in (select id_elementu from "
     "ORV_ELEMENTY_LISTY_OBIEKTOW melo inner join  ORV_LISTA_OBIEKTOW mel on "
     "(melo.id_listy=mel.id_listy and mel.id_firmy=5 and mel.uzycie=120)  inner join "
     "ORV_GRUPAUZYTKOWNIKOW_LISTY_OBIEKTOW mglo   on (mglo.id_listy=mel.id_listy)   inner join "
     "UZYTKOWNIKGRUPY ug   on (ug.id_grupy=mglo.id_grupy)   where ug.id_uzytkownika=9)",
     "2"},
    {"19_LockSkipsDocumentBeingEdited",
     "update dokument_handlowy set dok_zablokowany=1 where dok_zablokowany =0 and "
     "id_dokumentu_handlowego=4 and semafor is null",
     "#0"},
    {"20_LockMarkedArticles",
     "update artykul set zablokowany=1 where zablokowany =0 and id_artykulu in (select id  from "
     "zaznaczone where uzycie=102 and id_sesji=7)",
     "#3"},
    {"21_FilterByName",
     "select id_filtra from ORV_DEFINICJA_FILTRA where nazwa='Faktury grudzień' and "
     "nazwa_kontekstu='Dokument_Handlowy_Brw' and typ='Filtr' and podsystem='FiltrF8'",
     "2"},
    {"22_FilterAssignAllUsers",
     "insert into ORV_UZYTKOWNIK_FILTROW(ID_UZYTKOWNIKA, id_FILTRA) select ID_UZYTKOWNIKA,3 from "
     "uzytkownik where id_uzytkownika not in (select id_uzytkownika from ORV_UZYTKOWNIK_FILTROW "
     "where id_FILTRA=3)",
     "#3"},
    {"23_FilterRemoveAllButAdminAndCreator",
     "delete from ORV_UZYTKOWNIK_FILTROW where ID_UZYTKOWNIKA<>4100001 and ID_UZYTKOWNIKA<>7 and "
     "ID_FILTRA=2",
     "#2"},
    {"24_ObjectListNewName", "select ifnull(max(id_listy),0)+1 from orv_lista_obiektow", "4"},
    {"25_ObjectListMarkedInWarehouse",
     "select count(*) from zaznaczone z inner join artykul a on (z.id=a.id_artykulu and "
     "a.id_magazynu=1) where z.id>0 and z.uzycie=102 and z.id_sesji=7",
     "3"},
    {"26_ObjectListUniqueName",
     "select id_listy from ORV_LISTA_OBIEKTOW where uzycie=120 and id_firmy=5 and "
     "nazwa_listy='kluczowi KLIENCI' and id_listy<>0",
     "1"},
    {"27_VariantValues",
     "select p.nazwa, w.wartosc, p.id_parametru from PARAMETR_RAPORTU p LEFT OUTER JOIN "
     "WARTOSC_PARAMETRU w   ON (p.id_parametru=w.id_parametru and w.id_wariantu=101 and "
     "w.id_uzytkownika=7) where p.id_raportu = 10",
     "#4"},
    {"28_VariantNameTaken", "select 1 from wariant where id_raportu=10 and nazwa='domyślny'", "1"},
    {"29_VariantRename",
     "update wariant   set nazwa='Styczeń' where id_raportu=10 and nazwa='Grudzień 2025'", "#1"},
    {"30_IbanIntoReportParameters",
     "update wartosc_parametru AS w set wartosc='PL61' from parametr_raportu p where "
     "p.id_parametru=w.id_parametru and  p.nazwa='IBAN'",
     "#2"},
    {"31_ClassifierLoadThroughView",
     "select pole1,pole2 from Rozrachunek_orv_v where ID_ROZRACHUNKU=2", "Wezwanie wysłane"},
    {"32_ClassifierIdentifierColumn",
     "select NAZWA_IDENTYFIKATORA from KLASYFIKATOR_GRUPA where kod_klas_grupy='Artykul'",
     "ID_ARTYKULU"},
    {"33_ClassifierComputedField", "select AP_Func_StanArtWszystkieMag(1)", "16"},
    {"34_ClassifierComputedFilter",
     "select count(*) from artykul A where AP_Func_StanArtWszystkieMag(A.ID_ARTYKULU) = 16", "2"},
    {"35_ClassifierNumericFilter",
     "select count(*) from artykul A where cast(A.pole2 as real) >=24", "3"},
    {"36_ClassifierSynchroArt",
     "update artykul AS b set pole1=a.pole1 from (select * from artykul where ID_ARTYKULU=5) a "
     "where b.ID_ARTYKULU <> a.id_artykulu and b.guid_artykul=a.guid_artykul",
     "#1"},
    {"37_DictionaryUniqueName",
     "select count(*) from KLASYFIKATOR_SLOWNIK where ID_SLOWNIKA<>0 and nazwa='dostawcy'", "1"},
    {"38_DictionaryUniqueValue",
     "select count(*) from KLASYFIKATOR_SLOWNIK_WAR where ID_SLOWNIKA=1 and wartosc='ŚNIEŻKA'",
     "1"},
    {"39_NumberingFormats",
     "select DOKUMENT, ID_TYPU, ID_ZASOBU, FORMAT, OKRESNUMERACJI, PARAMETR1, PARAMETR2 from "
     "DEFINICJA_NUMERACJI where ID_FIRMY = 5 and (DOKUMENT<=10 or DOKUMENT>20) order by DOKUMENT, "
     "ID_TYPU, ID_ZASOBU",
     "#6"},
    {"40_OrderStatuses",
     "SELECT ID_STATUSU,OPIS_STATUSU,KOD_STATUSU,SYSTEMOWY,AUTOMATYCZNY,AKTYWNY FROM "
     "ORV_SLOWNIK_STATUSOW_DOKUMENTOW WHERE TYP_DOKUMENTU='Z' ORDER BY ID_STATUSU",
     "#8"},
    {"41_DefaultDescription",
     "select opis from opis_dok_poz_fin where id_firmy=5 and id_typu=1 and dok_poz=1 and "
     "domyslny=1",
     "Zapłata za fakturę"},
    {"42_SchemePositionsCopy",
     "insert into MC_DEF_POZ (ID_MC_DEF_NAG,ID_MC_DEF_POLA,LP,PREFIKS,SUFIKS,SEPARATOR,TYP,"
     "KONIEC_LINII,WYMAGANA_WARTOSC,FORMAT_TYP,FORMAT_ILOSC,FORMAT_FIXED,FORMAT_FORMAT,"
     "FORMAT_SEPARATOR,FORMAT_WYROWNANIE,FORMAT_DISPLAY_1,FORMAT_DISPLAY_2) select "
     "2,ID_MC_DEF_POLA,"
     "LP,PREFIKS,SUFIKS,SEPARATOR,TYP,KONIEC_LINII,WYMAGANA_WARTOSC,FORMAT_TYP,FORMAT_ILOSC,"
     "FORMAT_FIXED,FORMAT_FORMAT,FORMAT_SEPARATOR,FORMAT_WYROWNANIE,FORMAT_DISPLAY_1,FORMAT_"
     "DISPLAY_2 "
     "from MC_DEF_POZ where ID_MC_DEF_NAG=1",
     "#25"},
    {"43_SchemePositions",
     "select a.ID_MC_DEF_POLA, a.PREFIKS, a.SUFIKS, a.SEPARATOR, a.TYP, a.FORMAT_TYP, "
     "a.FORMAT_ILOSC, "
     "a.FORMAT_FIXED, a.FORMAT_FORMAT, a.FORMAT_SEPARATOR, b.TYP, b.WARTOSC, a.KONIEC_LINII, "
     "a.WYMAGANA_WARTOSC, b.NAZWA from MC_DEF_POZ a inner join MC_DEF_POLA b on "
     "a.id_mc_def_pola=b.id_mc_def_pola where a.id_mc_def_nag=1 order by a.id_mc_def_nag, a.lp",
     "200"},
    {"44_SchemePositionShift", "update MC_DEF_POZ set lp=lp+1 where id_mc_def_nag=1 AND lp>20",
     "#5"},
    {"45_PaymentTransfers",
     "select df.tytulem, case df.typ_platnika when 'k' then "
     "rtrim(replace(k.nazwa_pelna,(CHAR(13))||(char(10)),char(32))) when 'p' then "
     "(rtrim(p.nazwisko))||(' ')||(rtrim(p.imie_1)) when 'u' then rtrim(u.nazwa)   end nazwa, case "
     "df.typ_platnika  when 'k' then (rtrim(k.kod_pocztowy))||(' ')||(rtrim(k.miejscowosc)) when "
     "'p' "
     "then 'pracownik_xxx' when 'u' then (rtrim(u.kod_pocztowy))||(' ')||(rtrim(u.miejscowosc))   "
     "end,  "
     "case df.typ_platnika  when 'k' then rtrim(k.ulica_lokal) when 'p' then 'pracownik_xxx' when "
     "'u' "
     "then u.nazwa   end,  case df.typ_platnika  when 'k' then rtrim(krf.numer_rachunku) when 'p' "
     "then "
     "rtrim(prf.numer_rachunku) when 'u' then rtrim(urf.numer_rachunku) end,  "
     "ltrim(rf.numer_rachunku), "
     "df.kwota, df.data,  rf.lk, df.id_platnika, case df.typ_platnika  when 'k' then rtrim(krf.lk) "
     "when 'p' then rtrim(prf.lk) when 'u' then rtrim(urf.lk) end  from dokument_finansowy df "
     "inner "
     "join typ_dokumentu_finansowego tdf  on (tdf.sygnatura='PW' and df.id_firmy=tdf.id_firmy and "
     "df.id_typu=tdf.id_typu) left outer join kontrahent k on (df.typ_platnika='k' and "
     "k.id_kontrahenta=df.id_platnika)  left outer join pracownik p  on (df.typ_platnika='p' and "
     "p.id_pracownika=df.id_platnika) left outer join urzedy u  on    (df.typ_platnika='u' and "
     "u.id_urzedu=df.id_platnika) left outer join rachunek_firmy  rf  on  "
     "(rf.id_rachunku=df.id_rachunku_kasy) left outer join rachunek_kontrahenta krf  on  "
     "(df.typ_platnika='k' and krf.id_kontrahenta=df.id_platnika and "
     "krf.numer_rachunku=df.nr_rachunku_platnika) left outer join rachunek_pracownika prf  on  "
     "(df.typ_platnika='p' and prf.id_pracownika=df.id_platnika and "
     "prf.numer_rachunku=df.nr_rachunku_platnika) left outer join rachunek_urzedu urf  on  "
     "(df.typ_platnika='u' and urf.id_urzedu=df.id_platnika and "
     "urf.numer_rachunku=df.nr_rachunku_platnika)  where df.id_dokumentu_finansowego in (select id "
     "from zaznaczone where uzycie=300 and id_sesji=7)",
     "#5"},
    {"46_PaymentCompanyName", "select nazwa, nazwa_pelna from FIRMA where id_firmy=5",
     "Hurtownia Demo Sp. z o.o."},
    {"47_PaymentCompanyAddress",
     "select ULICA, NR_DOMU, NR_LOKALU, KOD_POCZTOWY, MIEJSCOWOSC, POCZTA from ADRESY_FIRMY where "
     "id_firmy=5 AND typ_adresu='S' order by id_firmy asc, data_od desc",
     "ul. Marszałkowska"},
    {"49_PhotoIndex", "select indeks_katalogowy from artykul where id_artykulu=1", "WU-750"},
    {"50_PhotoHeader",
     "select (nazwa)||('   Indeks: ')||(indeks_katalogowy),uwagi,opis from artykul where "
     "indeks_katalogowy='WU-750' and id_magazynu=1",
     "Wiertarka udarowa 750W   Indeks: WU-750"},
    {"51_PhotoCount", "select count(ID_BLOBA) from artykul_blob where indeks_katalogowy='WU-750'",
     "2"},
    {"52_PhotoDefault",
     "select id_bloba from artykul_blob where indeks_katalogowy='WU-750' and domyslne=1 LIMIT 1",
     "2"},
    {"53_PhotoPosition",
     "select count(1) from artykul_blob where INDEKS_KATALOGOWY='WU-750' and ID_BLOBA<2", "1"},
    {"54_PhotoMissingPicture",
     "select id_bloba from artykul_blob where indeks_katalogowy='FE-10' and NAZWA='farba.jpg' and "
     "zdjecie is null",
     "3"},
    {"55_PhotoGroupDelete",
     "delete from KONTRAHENT_BLOB where id_kontrahenta in (select a.indeks_katalogowy from "
     "zaznaczone z, artykul a where a.id_artykulu=z.id and z.uzycie=102 and z.id_sesji=7)",
     "#0"},
    {"56_ImportSampleFile",
     "select a.NAZWA,a.NAZWA2,a.NAZWA_ORYG,k.nazwa,AP_Func_PodajNazweDrzewiastaArt "
     "(a.id_artykulu,100),j.SKROT,a.RODZAJ,a.VAT_ZAKUPU,a.VAT_SPRZEDAZY,a.INDEKS_KATALOGOWY,"
     "a.INDEKS_HANDLOWY,a.WYROZNIK,a.LOKALIZACJA,a.PLU,SWWKU,a.PKWIU,a.KOD_KRESKOWY,a.STAN_"
     "MINIMALNY,"
     "a.STAN_MAKSYMALNY,a.DATA_CERTYFIKATU,a.NAZWA_CERTYFIKATU,a.OPIS,a.OSTRZEZENIE,a.UWAGI,"
     "a.KRAJ_POCHODZENIA,a.PRODUCENT,a.KOD_CN,a.NAZWA_INTRASTAT,a.JED_WAGI,a.WAGA,a.JED_WYMIARU,"
     "a.WYMIAR_W,a.WYMIAR_S,a.WYMIAR_G,a.CENA_ZAKUPU_NETTO,a.CENA_ZAKUPU_BRUTTO,a.SYM_WAL,"
     "a.C_ZAKUPU_NETTO_WAL,a.C_ZAKUPU_BRUTTO_WAL,a.CENA_N_KGO,a.CENA_B_KGO,a.PROMOCJA_OD,"
     "a.PROMOCJA_DO,a.CENA_PROMOCJI_N,a.CENA_PROMOCJI_B,a.POLE1,a.POLE2,a.POLE3,a.POLE4,a.POLE5,"
     "a.POLE6,a.POLE7,a.POLE8,a.POLE9,a.POLE10 from artykul a   inner join kategoria_artykulu k on "
     "a.ID_KATEGORII=k.ID_KATEGORII left outer join kategoria_artykulu_tree kt on "
     "a.ID_KATEGORII_TREE=kt.ID_KATEGORII_TREE inner join JEDNOSTKA j on "
     "a.ID_JEDNOSTKI=j.ID_JEDNOSTKI "
     "where a.id_artykulu in (select id from zaznaczone where uzycie=102 and id_sesji=7)",
     "#3"},
    {"57_ImportBufferInsert",
     "insert into artykul_imp(ID_BLOBA,ID_FIRMY,ID_UZYTKOWNIKA,NAZWA,NAZWA2,NAZWA_ORYG,KATEGORIA,"
     "KATEGORIA_WIELOPOZIOMOWA,JEDNOSTKA,RODZAJ,VAT_ZAKUPU,VAT_SPRZEDAZY,INDEKS_KATALOGOWY,"
     "INDEKS_HANDLOWY,WYROZNIK,LOKALIZACJA,PLU,SWWKU,PKWIU,KOD_KRESKOWY,STAN_MINIMALNY,"
     "STAN_MAKSYMALNY,DATA_CERTYFIKATU,NAZWA_CERTYFIKATU,OPIS,OSTRZEZENIE,UWAGI,KRAJ_POCHODZENIA,"
     "PRODUCENT,KOD_CN,NAZWA_INTRASTAT,JED_WAGI,WAGA,JED_WYMIARU,WYMIAR_W,WYMIAR_S,WYMIAR_G,"
     "CENA_ZAKUPU_NETTO,CENA_ZAKUPU_BRUTTO,SYM_WAL,C_ZAKUPU_NETTO_WAL,C_ZAKUPU_BRUTTO_WAL,CENA_N_"
     "KGO,"
     "CENA_B_KGO,PROMOCJA_OD,PROMOCJA_DO,CENA_PROMOCJI_N,CENA_PROMOCJI_B,POLE1,POLE2,POLE3,POLE4,"
     "POLE5,POLE6,POLE7,POLE8,POLE9,POLE10)values(1,5,7,'Klej','','','Chemia','','kg','T','23','23'"
     ","
     "'KL-1','','','',0,'','','',0,0,0,'','','','','PL','','','','kg',1,'',0,0,0,10,12.3,'',0,0,0,"
     "0,0,"
     "0,0,0,'','','','','','','','','','')",
     "#1"},
    {"58_ImportFileParsed",
     "update plik_blob set imp_ok=1,ILOSC_REK_IMP=3,STATUS0_IMP=3 where id_bloba=1", "#1"},
    {"59_ImportNewestFile",
     "select max(id_bloba) from plik_blob where id_uzytkownika=7 and id_firmy=5", "1"},
    {"60_UnitFactor",
     "select j.przelicznik from artykul a,jednostka j  where  a.id_artykulu=4 and "
     "a.id_artykulu=j.id_artykulu and j.skrot='pal'",
     "48"},
    {"61_UnitBase",
     "select j.skrot from artykul a,jednostka j  where a.id_jednostki=j.id_jednostki and "
     "a.id_artykulu=4",
     "worek"},
    {"62_CreditLimitPayer",
     "select nazwa,limit_kupiecki,blokowanie,dni_po_terminie from kontrahent where "
     "id_kontrahenta=2",
     "Budmat S.A."},
    {"63_ExecutionLog",
     "select opis1, opis2 from log_wykonania where id_uzytkownika=7 and kontekst='SzabDokSer' "
     "order by id_logu",
     "#2"},
    {"64_StockLevelSettings",
     "select id_filtra from ORV_DEFINICJA_FILTRA where nazwa='GrupoweStanyMinMaxRez' and "
     "nazwa_kontekstu='asortyment' and typ='ustawienia' and podsystem='stany'",
     "1"},
    {"65_DescriptionsDefault",
     "update opis_dok_poz_fin set domyslny=0 where id_firmy=5 and id_typu=1 and dok_poz=1", "#2"},
    {"66_NipUe", "select AP_Func_PodajNip('123-456-32-18','',1)", "PL1234563218"},
    {"67_CreditAvailable", "select AP_Func_PodajLimitKontrDoWykorz(2,0,0,0,82198,1)", "9930"},
};

INSTANTIATE_TEST_SUITE_P(Demo, LibraryStatement, ::testing::ValuesIn(kStatements),
                         orv::test::named_case);

}  // namespace
}  // namespace orv::test
