-- The application database for SQLite: every table and view the library reads or writes.
-- Rules kept throughout: every text column compares as the server does (COLLATE PL_CI_AS: case-
-- and trailing-blank-insensitive, Polish order); ids the server assigns are INTEGER PRIMARY KEY;
-- amounts keep their declared NUMERIC(p,s) so that the channels print their scale; dates are the
-- runtime's day numbers (28 Dec 1800 = 0) and times its hundredths of a second + 1. No FOREIGN KEY
-- clauses: dependent rows go with their parent through the triggers at the end.

PRAGMA user_version = 1;

-- ---------------------------------------------------------------- companies, warehouses, users
CREATE TABLE firma (
  id_firmy INTEGER PRIMARY KEY,
  symbol TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa_pelna TEXT COLLATE PL_CI_AS DEFAULT '',
  nip TEXT COLLATE PL_CI_AS DEFAULT '',
  regon TEXT COLLATE PL_CI_AS DEFAULT '',
  symbol_waluty TEXT COLLATE PL_CI_AS DEFAULT 'PLN',
  aktywna INTEGER DEFAULT 1);

CREATE TABLE adresy_firmy (
  id_adresu INTEGER PRIMARY KEY,
  id_firmy INTEGER,
  typ_adresu TEXT COLLATE PL_CI_AS DEFAULT 'S',
  data_od INTEGER DEFAULT 0,
  ulica TEXT COLLATE PL_CI_AS DEFAULT '',
  nr_domu TEXT COLLATE PL_CI_AS DEFAULT '',
  nr_lokalu TEXT COLLATE PL_CI_AS DEFAULT '',
  kod_pocztowy TEXT COLLATE PL_CI_AS DEFAULT '',
  miejscowosc TEXT COLLATE PL_CI_AS DEFAULT '',
  poczta TEXT COLLATE PL_CI_AS DEFAULT '',
  kraj TEXT COLLATE PL_CI_AS DEFAULT 'Polska');
CREATE INDEX adresy_firmy_firma ON adresy_firmy (id_firmy, typ_adresu, data_od);

CREATE TABLE magazyn (
  id_magazynu INTEGER PRIMARY KEY,
  id_firmy INTEGER,
  symbol TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  opis TEXT COLLATE PL_CI_AS DEFAULT '',
  aktywny INTEGER DEFAULT 1);

CREATE TABLE kasa (
  id_kasy INTEGER PRIMARY KEY,
  id_firmy INTEGER,
  symbol TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  id_rachunku INTEGER DEFAULT 0);

CREATE TABLE ecr (
  id_ecr INTEGER PRIMARY KEY,
  id_firmy INTEGER,
  id_magazynu INTEGER DEFAULT 0,
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  numer_unikatowy TEXT COLLATE PL_CI_AS DEFAULT '',
  port TEXT COLLATE PL_CI_AS DEFAULT '');

CREATE TABLE uzytkownik (
  id_uzytkownika INTEGER PRIMARY KEY,
  identyfikator TEXT COLLATE PL_CI_AS NOT NULL UNIQUE,
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  haslo TEXT COLLATE PL_CI_AS DEFAULT '',
  email TEXT COLLATE PL_CI_AS DEFAULT '',
  id_firmy INTEGER DEFAULT 0,
  id_magazynu INTEGER DEFAULT 0,
  aktywny INTEGER DEFAULT 1);

CREATE TABLE grupauzytkownikow (
  id_grupy INTEGER PRIMARY KEY,
  id_firmy INTEGER,
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  opis TEXT COLLATE PL_CI_AS DEFAULT '',
  czy_aktywna INTEGER DEFAULT 1);

CREATE TABLE uzytkownikgrupy (
  id_grupy INTEGER NOT NULL,
  id_uzytkownika INTEGER NOT NULL,
  PRIMARY KEY (id_grupy, id_uzytkownika));
CREATE INDEX uzytkownikgrupy_uzytkownik ON uzytkownikgrupy (id_uzytkownika);

-- Which warehouses a user group works in.
CREATE TABLE intermagazyngrupa (
  id_magazynu INTEGER NOT NULL,
  id_grupy INTEGER NOT NULL,
  PRIMARY KEY (id_magazynu, id_grupy));

-- ---------------------------------------------------------------- permissions
-- rodzaj: letters describing the function; "M" = may be granted per warehouse.
CREATE TABLE uprawnienie (
  kod TEXT COLLATE PL_CI_AS PRIMARY KEY,
  rodzaj TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '');

CREATE TABLE dostep (
  id_dostepu INTEGER PRIMARY KEY,
  id_grupy INTEGER NOT NULL,
  id_firmy INTEGER NOT NULL,
  kod TEXT COLLATE PL_CI_AS NOT NULL,
  id2 INTEGER NOT NULL DEFAULT 0,
  id3 INTEGER NOT NULL DEFAULT 0,
  id4 INTEGER NOT NULL DEFAULT 0,
  id5 INTEGER NOT NULL DEFAULT 0,
  rodzaj_dostepu INTEGER DEFAULT 0,
  flaga_stanu TEXT COLLATE PL_CI_AS DEFAULT '',
  UNIQUE (id_grupy, id_firmy, kod, id2, id3, id4, id5));

CREATE TABLE raport (
  id_raportu INTEGER PRIMARY KEY,
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  opis TEXT COLLATE PL_CI_AS DEFAULT '',
  plik TEXT COLLATE PL_CI_AS DEFAULT '');

CREATE TABLE dostepdoraportow (
  id_grupy INTEGER NOT NULL,
  id_raportu INTEGER NOT NULL,
  rodzaj_dostepu INTEGER DEFAULT 1,
  PRIMARY KEY (id_grupy, id_raportu));

-- Functions that may be protected by a password, and the passwords granted per user.
CREATE TABLE orv_funkcja (
  kod_funkcji TEXT COLLATE PL_CI_AS PRIMARY KEY,
  nazwa_funkcji TEXT COLLATE PL_CI_AS DEFAULT '',
  opis_funkcji TEXT COLLATE PL_CI_AS DEFAULT '');

CREATE TABLE orv_haslo_funkcji (
  id_uzytkownika INTEGER NOT NULL,
  kod_funkcji TEXT COLLATE PL_CI_AS NOT NULL,
  haslo TEXT COLLATE PL_CI_AS DEFAULT '',
  PRIMARY KEY (id_uzytkownika, kod_funkcji));

CREATE TABLE orv_profile_ustawien (
  id_profilu INTEGER PRIMARY KEY,
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  id_uzytkownika INTEGER DEFAULT 0,
  ustawienia TEXT COLLATE PL_CI_AS DEFAULT '');

-- ---------------------------------------------------------------- configuration and logs
CREATE TABLE naglowekkonfig (
  id_naglowka INTEGER PRIMARY KEY,
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  opis TEXT COLLATE PL_CI_AS DEFAULT '');

-- zakres: 's' company values, 'u' user values.
CREATE TABLE pozycjakonfig (
  id_pozycji INTEGER PRIMARY KEY,
  id_naglowka INTEGER DEFAULT 0,
  kod TEXT COLLATE PL_CI_AS NOT NULL UNIQUE,
  maska TEXT COLLATE PL_CI_AS DEFAULT '',
  opis TEXT COLLATE PL_CI_AS DEFAULT '',
  zakres TEXT COLLATE PL_CI_AS DEFAULT 's',
  wartosc_domyslna TEXT COLLATE PL_CI_AS DEFAULT '');

CREATE TABLE interfirmapozycja (
  id_firmy INTEGER NOT NULL,
  id_pozycji INTEGER NOT NULL,
  wartosc TEXT COLLATE PL_CI_AS DEFAULT '',
  PRIMARY KEY (id_firmy, id_pozycji));

CREATE TABLE interuzytkownikpozycja (
  id_uzytkownika INTEGER NOT NULL,
  id_pozycji INTEGER NOT NULL,
  wartosc TEXT COLLATE PL_CI_AS DEFAULT '',
  PRIMARY KEY (id_uzytkownika, id_pozycji));

-- The application's event log (AP_ZapiszDoLogu).
CREATE TABLE log_zdarzen (
  id_zdarzenia INTEGER PRIMARY KEY,
  id_firmy INTEGER DEFAULT 0,
  id_magazynu INTEGER DEFAULT 0,
  id_uzytkownika INTEGER DEFAULT 0,
  id_obiektu INTEGER DEFAULT 0,
  rodzaj_obiektu TEXT COLLATE PL_CI_AS DEFAULT '',
  kod_zdarzenia INTEGER DEFAULT 0,
  opis TEXT COLLATE PL_CI_AS DEFAULT '',
  zrodlo INTEGER DEFAULT 0,
  opis2 TEXT COLLATE PL_CI_AS DEFAULT '',
  data INTEGER DEFAULT 0,
  czas INTEGER DEFAULT 0);
CREATE INDEX log_zdarzen_obiekt ON log_zdarzen (rodzaj_obiektu, id_obiektu);

-- Changes of configuration values (AP_ZapiszDoLoguParam).
CREATE TABLE log_parametrow (
  id_zmiany INTEGER PRIMARY KEY,
  zakres TEXT COLLATE PL_CI_AS,
  id_firmy INTEGER DEFAULT 0,
  id_uzytkownika INTEGER DEFAULT 0,
  kod TEXT COLLATE PL_CI_AS DEFAULT '',
  stara_wartosc TEXT COLLATE PL_CI_AS DEFAULT '',
  nowa_wartosc TEXT COLLATE PL_CI_AS DEFAULT '',
  data INTEGER DEFAULT 0,
  czas INTEGER DEFAULT 0);

-- Rows that server-side operations leave for the user (the execution-log window).
CREATE TABLE log_wykonania (
  id_logu INTEGER PRIMARY KEY,
  id_uzytkownika INTEGER DEFAULT 0,
  kontekst TEXT COLLATE PL_CI_AS DEFAULT '',
  opis1 TEXT COLLATE PL_CI_AS DEFAULT '',
  opis2 TEXT COLLATE PL_CI_AS DEFAULT '',
  data INTEGER DEFAULT 0,
  czas INTEGER DEFAULT 0);
CREATE INDEX log_wykonania_uzytkownik ON log_wykonania (id_uzytkownika, kontekst);

-- Procedures a user watches (JL_AddWatchProcedure).
CREATE TABLE jl_obserwowana_procedura (
  nazwa TEXT COLLATE PL_CI_AS NOT NULL,
  id_uzytkownika INTEGER NOT NULL,
  data INTEGER DEFAULT 0,
  czas INTEGER DEFAULT 0,
  PRIMARY KEY (nazwa, id_uzytkownika));

-- ---------------------------------------------------------------- windows and preferences
CREATE TABLE ini_okno (
  id_okna INTEGER PRIMARY KEY,
  nazwa TEXT COLLATE PL_CI_AS NOT NULL UNIQUE,
  nr_kol_pierwszej INTEGER DEFAULT 0,
  nr_kol_ostatniej INTEGER DEFAULT 0,
  kod_klas_grupy TEXT COLLATE PL_CI_AS DEFAULT '',
  skok INTEGER DEFAULT 0);

CREATE TABLE ini_kolumna (
  id_kolumny INTEGER PRIMARY KEY,
  id_okna INTEGER NOT NULL,
  numer_kolumny INTEGER NOT NULL,
  nazwa_kolumny TEXT COLLATE PL_CI_AS DEFAULT '',
  rozmiar_kolumny INTEGER DEFAULT 0,
  format_kolumny TEXT COLLATE PL_CI_AS DEFAULT '',
  pole_dodatkowe INTEGER DEFAULT 0,
  ukryta INTEGER DEFAULT 0,
  podlega_obcieciu INTEGER DEFAULT 0,
  UNIQUE (id_okna, numer_kolumny));

CREATE TABLE inter_ini_uzytkownik (
  id_uzytkownika INTEGER NOT NULL,
  id_kolumny INTEGER NOT NULL,
  rozmiar INTEGER DEFAULT 0,
  kolejnosc INTEGER DEFAULT 0,
  format_kolumny TEXT COLLATE PL_CI_AS DEFAULT '',
  PRIMARY KEY (id_uzytkownika, id_kolumny));

CREATE TABLE ini_parametr (
  id_parametru INTEGER PRIMARY KEY,
  id_okna INTEGER NOT NULL,
  nazwa TEXT COLLATE PL_CI_AS NOT NULL,
  wartosc_domyslna TEXT COLLATE PL_CI_AS DEFAULT '',
  UNIQUE (id_okna, nazwa));

CREATE TABLE inter_parametr_uzytkownik (
  id_uzytkownika INTEGER NOT NULL,
  id_parametru INTEGER NOT NULL,
  wartosc TEXT COLLATE PL_CI_AS DEFAULT '',
  PRIMARY KEY (id_uzytkownika, id_parametru));

-- ---------------------------------------------------------------- marked sets and object lists
-- One row per marked record; id_sesji is the owner's user id. Rows are kept unique by the
-- procedures that add them (JL_Zaznacz, the "if not exists" batch), not by a key: set-based
-- inserts of a whole list delete their rows first.
CREATE TABLE zaznaczone (
  id_sesji INTEGER NOT NULL,
  uzycie INTEGER NOT NULL,
  id INTEGER,
  id2 INTEGER DEFAULT 0);
CREATE INDEX zaznaczone_zestaw ON zaznaczone (id_sesji, uzycie, id);

-- Marked sets saved on the server under two caller-given numbers (usage code, slot): the header
-- and the saved rows.
CREATE TABLE torix_zaznaczone_x2 (
  id_firmy INTEGER NOT NULL,
  id_uzytkownika INTEGER NOT NULL,
  uzycie INTEGER NOT NULL,
  nr_zestawu INTEGER NOT NULL,
  ilosc INTEGER DEFAULT 0,
  data INTEGER DEFAULT 0,
  czas INTEGER DEFAULT 0,
  PRIMARY KEY (id_firmy, id_uzytkownika, uzycie, nr_zestawu));

CREATE TABLE torix_zaznaczone_x (
  id_firmy INTEGER,
  id_uzytkownika INTEGER,
  uzycie INTEGER,
  nr_zestawu INTEGER,
  id INTEGER,
  id2 INTEGER DEFAULT 0);
CREATE INDEX torix_zaznaczone_x_zestaw ON torix_zaznaczone_x (id_firmy, id_uzytkownika, uzycie, nr_zestawu);

-- Result trees that server-side analyses build for a user.
CREATE TABLE torix_drzewo_wynikow (
  id_wezla INTEGER PRIMARY KEY,
  id_rodzica INTEGER DEFAULT 0,
  id_uzytkownika INTEGER DEFAULT 0,
  kontekst TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  wartosc TEXT COLLATE PL_CI_AS DEFAULT '');

-- uzycie: 120 customers, 102 articles. id_uzytkownika: owner of a clipboard list, 0 = shared.
CREATE TABLE orv_lista_obiektow (
  id_listy INTEGER PRIMARY KEY,
  nazwa_listy TEXT COLLATE PL_CI_AS DEFAULT '',
  uzycie INTEGER,
  id_firmy INTEGER,
  id_magazynu INTEGER DEFAULT 0,
  licznosc INTEGER DEFAULT 0,
  id_uzytkownika INTEGER DEFAULT 0,
  mobile INTEGER DEFAULT 0,
  opis TEXT COLLATE PL_CI_AS DEFAULT '');
CREATE INDEX wg_nazwy ON orv_lista_obiektow (nazwa_listy);

CREATE TABLE orv_elementy_listy_obiektow (
  id_listy INTEGER NOT NULL,
  id_elementu INTEGER NOT NULL,
  PRIMARY KEY (id_listy, id_elementu));
CREATE INDEX orv_elementy_element ON orv_elementy_listy_obiektow (id_elementu);

CREATE TABLE orv_uzytkownik_listy_obiektow (
  id_uzytkownika INTEGER NOT NULL,
  id_listy INTEGER NOT NULL,
  CONSTRAINT ak_lista_uzytkownik PRIMARY KEY (id_uzytkownika, id_listy));

CREATE TABLE orv_grupauzytkownikow_listy_obiektow (
  id_listy INTEGER NOT NULL,
  id_grupy INTEGER NOT NULL,
  PRIMARY KEY (id_listy, id_grupy));

-- ---------------------------------------------------------------- saved filters
CREATE TABLE orv_definicja_filtra (
  id_filtra INTEGER PRIMARY KEY,
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa_kontekstu TEXT COLLATE PL_CI_AS DEFAULT '',
  typ TEXT COLLATE PL_CI_AS DEFAULT '',
  podsystem TEXT COLLATE PL_CI_AS DEFAULT '',
  id_uzytkownika INTEGER DEFAULT 0,
  opis TEXT COLLATE PL_CI_AS DEFAULT '',
  systemowy INTEGER DEFAULT 0);
CREATE INDEX ak_kontekstxt_nazwafiltra ON orv_definicja_filtra (nazwa_kontekstu, nazwa, typ, podsystem);

-- The saved state of a filter per company and user (user 0: the state shared by its users).
CREATE TABLE orv_filtr_uzytkownika (
  id_filtra INTEGER NOT NULL,
  id_firmy INTEGER NOT NULL,
  id_uzytkownika INTEGER NOT NULL,
  xml TEXT COLLATE PL_CI_AS DEFAULT '',
  tekst_dodatkowy TEXT COLLATE PL_CI_AS DEFAULT '',
  CONSTRAINT pk_orv_filtr_uzytkownika PRIMARY KEY (id_filtra, id_firmy, id_uzytkownika));

CREATE TABLE orv_uzytkownik_filtrow (
  id_uzytkownika INTEGER NOT NULL,
  id_filtra INTEGER NOT NULL,
  CONSTRAINT pk_orv_uzytkownik_filtrow PRIMARY KEY (id_uzytkownika, id_filtra));

-- ---------------------------------------------------------------- report variants
CREATE TABLE parametr_raportu (
  id_parametru INTEGER PRIMARY KEY,
  id_raportu INTEGER NOT NULL,
  nazwa TEXT COLLATE PL_CI_AS NOT NULL,
  wartosc_domyslna TEXT COLLATE PL_CI_AS DEFAULT '',
  UNIQUE (id_raportu, nazwa));

CREATE TABLE wariant (
  id_wariantu INTEGER PRIMARY KEY,
  id_raportu INTEGER NOT NULL,
  nazwa TEXT COLLATE PL_CI_AS NOT NULL,
  CONSTRAINT ak_wariant_idrap_nazw_wariant UNIQUE (id_raportu, nazwa));

CREATE TABLE wartosc_parametru (
  id_parametru INTEGER NOT NULL,
  id_wariantu INTEGER NOT NULL,
  id_uzytkownika INTEGER NOT NULL,
  wartosc TEXT COLLATE PL_CI_AS DEFAULT '',
  PRIMARY KEY (id_parametru, id_wariantu, id_uzytkownika));

-- ---------------------------------------------------------------- classifiers (additional fields)
CREATE TABLE klasyfikator_grupa (
  kod_klas_grupy TEXT COLLATE PL_CI_AS PRIMARY KEY,
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa_identyfikatora TEXT COLLATE PL_CI_AS DEFAULT '');

-- rodzaj: 0 entry, 1 drop-down, 10 drop-down restricted to lista_wartosci, 2 dictionary,
-- 3 computed by funkcja, 4 object (file path). typ_danych: tekst, liczba, liczba całkowita, data,
-- hiperłącze.
CREATE TABLE klasyfikator_pole (
  kod_klas_grupy TEXT COLLATE PL_CI_AS NOT NULL,
  nr_pola INTEGER NOT NULL,
  nazwa_pola_map TEXT COLLATE PL_CI_AS NOT NULL,
  etykieta TEXT COLLATE PL_CI_AS DEFAULT '',
  typ_danych TEXT COLLATE PL_CI_AS DEFAULT 'tekst',
  rodzaj INTEGER DEFAULT 0,
  maska TEXT COLLATE PL_CI_AS DEFAULT '',
  lista_wartosci TEXT COLLATE PL_CI_AS DEFAULT '',
  wartosc_domyslna TEXT COLLATE PL_CI_AS DEFAULT '',
  czy_aktywne INTEGER DEFAULT 1,
  wymagane INTEGER DEFAULT 0,
  funkcja TEXT COLLATE PL_CI_AS DEFAULT '',
  przekaz_id INTEGER DEFAULT 0,
  id_slownika INTEGER DEFAULT 0,
  program TEXT COLLATE PL_CI_AS DEFAULT '',
  PRIMARY KEY (kod_klas_grupy, nr_pola),
  UNIQUE (kod_klas_grupy, nazwa_pola_map));

CREATE TABLE klasyfikator_slownik (
  id_slownika INTEGER PRIMARY KEY,
  nazwa TEXT COLLATE PL_CI_AS NOT NULL UNIQUE,
  typ_danych TEXT COLLATE PL_CI_AS DEFAULT 'tekst',
  maska TEXT COLLATE PL_CI_AS DEFAULT '');

CREATE TABLE klasyfikator_slownik_war (
  id_wartosci INTEGER PRIMARY KEY,
  id_slownika INTEGER NOT NULL,
  wartosc TEXT COLLATE PL_CI_AS NOT NULL,
  UNIQUE (id_slownika, wartosc));

-- ---------------------------------------------------------------- numbering and statuses
-- dokument: the document group (1-10 documents, 11-20 never loaded, above 20 markers).
CREATE TABLE definicja_numeracji (
  id_definicji INTEGER PRIMARY KEY,
  id_firmy INTEGER NOT NULL,
  dokument INTEGER NOT NULL,
  id_typu INTEGER NOT NULL DEFAULT 0,
  id_zasobu INTEGER NOT NULL DEFAULT 0,
  format TEXT COLLATE PL_CI_AS DEFAULT '',
  okresnumeracji INTEGER DEFAULT 0,
  parametr1 INTEGER DEFAULT 0,
  parametr2 INTEGER DEFAULT 0,
  UNIQUE (id_firmy, dokument, id_typu, id_zasobu));

CREATE TABLE orv_slownik_statusow_dokumentow (
  id_statusu INTEGER PRIMARY KEY,
  opis_statusu TEXT COLLATE PL_CI_AS DEFAULT '',
  kod_statusu TEXT COLLATE PL_CI_AS DEFAULT '',
  systemowy INTEGER DEFAULT 0,
  automatyczny INTEGER DEFAULT 0,
  aktywny INTEGER DEFAULT 1,
  typ_dokumentu TEXT COLLATE PL_CI_AS DEFAULT 'Z');

-- ---------------------------------------------------------------- VAT, currencies, rates
CREATE TABLE stawka_vat (
  symbol TEXT COLLATE PL_CI_AS PRIMARY KEY,
  stawka NUMERIC(5,2) DEFAULT 0,
  opis TEXT COLLATE PL_CI_AS DEFAULT '',
  aktywna INTEGER DEFAULT 1);

CREATE TABLE waluta (
  symbol TEXT COLLATE PL_CI_AS PRIMARY KEY,
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '');

-- One rate per source (rodzaj: 0 NBP, -1 ECB, others as the user keeps them), currency and day,
-- always as złoty for `przelicznik` units of the currency.
CREATE TABLE kurs_waluty (
  id_kursu INTEGER PRIMARY KEY,
  rodzaj INTEGER NOT NULL DEFAULT 0,
  symbol_waluty TEXT COLLATE PL_CI_AS NOT NULL,
  data INTEGER NOT NULL,
  czas INTEGER DEFAULT 0,
  kurs NUMERIC(15,6),
  przelicznik INTEGER DEFAULT 1,
  numer_tabeli TEXT COLLATE PL_CI_AS DEFAULT '',
  UNIQUE (rodzaj, symbol_waluty, data));

-- ---------------------------------------------------------------- articles
CREATE TABLE kategoria_artykulu (
  id_kategorii INTEGER PRIMARY KEY,
  nazwa TEXT COLLATE PL_CI_AS NOT NULL UNIQUE);

CREATE TABLE kategoria_artykulu_tree (
  id_kategorii_tree INTEGER PRIMARY KEY,
  id_rodzica INTEGER NOT NULL DEFAULT 0,
  nazwa TEXT COLLATE PL_CI_AS NOT NULL,
  UNIQUE (id_rodzica, nazwa));

-- Units per article; artykul.id_jednostki names the base unit (przelicznik 1).
CREATE TABLE jednostka (
  id_jednostki INTEGER PRIMARY KEY,
  id_artykulu INTEGER DEFAULT 0,
  skrot TEXT COLLATE PL_CI_AS,
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  przelicznik NUMERIC(15,4) DEFAULT 1);
CREATE INDEX jednostka_artykul ON jednostka (id_artykulu, skrot);

-- One row per article and warehouse; rows of one article in several warehouses share guid_artykul
-- and normally indeks_katalogowy (photos are keyed by the index).
CREATE TABLE artykul (
  id_artykulu INTEGER PRIMARY KEY,
  id_magazynu INTEGER DEFAULT 0,
  guid_artykul TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa2 TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa_oryg TEXT COLLATE PL_CI_AS DEFAULT '',
  id_kategorii INTEGER DEFAULT 0,
  id_kategorii_tree INTEGER DEFAULT 0,
  id_jednostki INTEGER DEFAULT 0,
  rodzaj TEXT COLLATE PL_CI_AS DEFAULT 'T',
  vat_zakupu TEXT COLLATE PL_CI_AS DEFAULT '23',
  vat_sprzedazy TEXT COLLATE PL_CI_AS DEFAULT '23',
  indeks_katalogowy TEXT COLLATE PL_CI_AS DEFAULT '',
  indeks_handlowy TEXT COLLATE PL_CI_AS DEFAULT '',
  wyroznik TEXT COLLATE PL_CI_AS DEFAULT '',
  lokalizacja TEXT COLLATE PL_CI_AS DEFAULT '',
  plu INTEGER DEFAULT 0,
  swwku TEXT COLLATE PL_CI_AS DEFAULT '',
  pkwiu TEXT COLLATE PL_CI_AS DEFAULT '',
  kod_kreskowy TEXT COLLATE PL_CI_AS DEFAULT '',
  stan NUMERIC(15,4) DEFAULT 0,
  rezerwacja NUMERIC(15,4) DEFAULT 0,
  stan_minimalny NUMERIC(15,4) DEFAULT 0,
  stan_maksymalny NUMERIC(15,4) DEFAULT 0,
  prog_rezerwacji NUMERIC(15,4) DEFAULT 0,
  data_certyfikatu INTEGER DEFAULT 0,
  nazwa_certyfikatu TEXT COLLATE PL_CI_AS DEFAULT '',
  opis TEXT COLLATE PL_CI_AS DEFAULT '',
  ostrzezenie TEXT COLLATE PL_CI_AS DEFAULT '',
  uwagi TEXT COLLATE PL_CI_AS DEFAULT '',
  kraj_pochodzenia TEXT COLLATE PL_CI_AS DEFAULT '',
  producent TEXT COLLATE PL_CI_AS DEFAULT '',
  kod_cn TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa_intrastat TEXT COLLATE PL_CI_AS DEFAULT '',
  jed_wagi TEXT COLLATE PL_CI_AS DEFAULT '',
  waga NUMERIC(15,4) DEFAULT 0,
  jed_wymiaru TEXT COLLATE PL_CI_AS DEFAULT '',
  wymiar_w NUMERIC(15,4) DEFAULT 0,
  wymiar_s NUMERIC(15,4) DEFAULT 0,
  wymiar_g NUMERIC(15,4) DEFAULT 0,
  cena_zakupu_netto NUMERIC(15,2) DEFAULT 0,
  cena_zakupu_brutto NUMERIC(15,2) DEFAULT 0,
  sym_wal TEXT COLLATE PL_CI_AS DEFAULT '',
  c_zakupu_netto_wal NUMERIC(15,2) DEFAULT 0,
  c_zakupu_brutto_wal NUMERIC(15,2) DEFAULT 0,
  cena_n_kgo NUMERIC(15,2) DEFAULT 0,
  cena_b_kgo NUMERIC(15,2) DEFAULT 0,
  promocja_od INTEGER DEFAULT 0,
  promocja_do INTEGER DEFAULT 0,
  cena_promocji_n NUMERIC(15,2) DEFAULT 0,
  cena_promocji_b NUMERIC(15,2) DEFAULT 0,
  cena_sprzedazy_netto NUMERIC(15,2) DEFAULT 0,
  cena_sprzedazy_brutto NUMERIC(15,2) DEFAULT 0,
  pole1 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole2 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole3 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole4 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole5 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole6 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole7 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole8 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole9 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole10 TEXT COLLATE PL_CI_AS DEFAULT '',
  zablokowany INTEGER DEFAULT 0,
  semafor INTEGER,
  posiada_zdjecie INTEGER DEFAULT 0);
CREATE INDEX artykul_indeks ON artykul (indeks_katalogowy, id_magazynu);
CREATE INDEX artykul_guid ON artykul (guid_artykul);

CREATE TABLE artykul_blob (
  id_bloba INTEGER PRIMARY KEY,
  indeks_katalogowy TEXT COLLATE PL_CI_AS NOT NULL,
  nazwa TEXT COLLATE PL_CI_AS NOT NULL,
  domyslne INTEGER DEFAULT 0,
  zdjecie BLOB,
  UNIQUE (indeks_katalogowy, nazwa));

CREATE TABLE kontrahent_blob (
  id_bloba INTEGER PRIMARY KEY,
  id_kontrahenta INTEGER NOT NULL,
  nazwa TEXT COLLATE PL_CI_AS NOT NULL,
  domyslne INTEGER DEFAULT 0,
  zdjecie BLOB,
  UNIQUE (id_kontrahenta, nazwa));

-- Imported files and the buffer of their parsed article records.
CREATE TABLE plik_blob (
  id_bloba INTEGER PRIMARY KEY,
  id_firmy INTEGER DEFAULT 0,
  id_uzytkownika INTEGER DEFAULT 0,
  rodzaj_obiektu TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa_pliku TEXT COLLATE PL_CI_AS DEFAULT '',
  data INTEGER DEFAULT 0,
  czas INTEGER DEFAULT 0,
  plik BLOB,
  imp_ok INTEGER DEFAULT 0,
  ilosc_rek_imp INTEGER DEFAULT 0,
  status0_imp INTEGER DEFAULT 0,
  przeniesiony INTEGER DEFAULT 0,
  ilosc_przeniesionych INTEGER DEFAULT 0);

-- status: 0 waiting, 1 moved into artykul, 2 rejected by the move, 3 rejected when the file was
-- read (uwagi_imp says why; restoring leaves these rejected).
CREATE TABLE artykul_imp (
  id_rekordu INTEGER PRIMARY KEY,
  id_bloba INTEGER,
  id_firmy INTEGER DEFAULT 0,
  id_uzytkownika INTEGER DEFAULT 0,
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa2 TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa_oryg TEXT COLLATE PL_CI_AS DEFAULT '',
  kategoria TEXT COLLATE PL_CI_AS DEFAULT '',
  kategoria_wielopoziomowa TEXT COLLATE PL_CI_AS DEFAULT '',
  jednostka TEXT COLLATE PL_CI_AS DEFAULT '',
  rodzaj TEXT COLLATE PL_CI_AS DEFAULT '',
  vat_zakupu TEXT COLLATE PL_CI_AS DEFAULT '',
  vat_sprzedazy TEXT COLLATE PL_CI_AS DEFAULT '',
  indeks_katalogowy TEXT COLLATE PL_CI_AS DEFAULT '',
  indeks_handlowy TEXT COLLATE PL_CI_AS DEFAULT '',
  wyroznik TEXT COLLATE PL_CI_AS DEFAULT '',
  lokalizacja TEXT COLLATE PL_CI_AS DEFAULT '',
  plu INTEGER DEFAULT 0,
  swwku TEXT COLLATE PL_CI_AS DEFAULT '',
  pkwiu TEXT COLLATE PL_CI_AS DEFAULT '',
  kod_kreskowy TEXT COLLATE PL_CI_AS DEFAULT '',
  stan_minimalny NUMERIC(15,4) DEFAULT 0,
  stan_maksymalny NUMERIC(15,4) DEFAULT 0,
  data_certyfikatu INTEGER DEFAULT 0,
  nazwa_certyfikatu TEXT COLLATE PL_CI_AS DEFAULT '',
  opis TEXT COLLATE PL_CI_AS DEFAULT '',
  ostrzezenie TEXT COLLATE PL_CI_AS DEFAULT '',
  uwagi TEXT COLLATE PL_CI_AS DEFAULT '',
  kraj_pochodzenia TEXT COLLATE PL_CI_AS DEFAULT '',
  producent TEXT COLLATE PL_CI_AS DEFAULT '',
  kod_cn TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa_intrastat TEXT COLLATE PL_CI_AS DEFAULT '',
  jed_wagi TEXT COLLATE PL_CI_AS DEFAULT '',
  waga NUMERIC(15,4) DEFAULT 0,
  jed_wymiaru TEXT COLLATE PL_CI_AS DEFAULT '',
  wymiar_w NUMERIC(15,4) DEFAULT 0,
  wymiar_s NUMERIC(15,4) DEFAULT 0,
  wymiar_g NUMERIC(15,4) DEFAULT 0,
  cena_zakupu_netto NUMERIC(15,2) DEFAULT 0,
  cena_zakupu_brutto NUMERIC(15,2) DEFAULT 0,
  sym_wal TEXT COLLATE PL_CI_AS DEFAULT '',
  c_zakupu_netto_wal NUMERIC(15,2) DEFAULT 0,
  c_zakupu_brutto_wal NUMERIC(15,2) DEFAULT 0,
  cena_n_kgo NUMERIC(15,2) DEFAULT 0,
  cena_b_kgo NUMERIC(15,2) DEFAULT 0,
  promocja_od INTEGER DEFAULT 0,
  promocja_do INTEGER DEFAULT 0,
  cena_promocji_n NUMERIC(15,2) DEFAULT 0,
  cena_promocji_b NUMERIC(15,2) DEFAULT 0,
  pole1 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole2 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole3 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole4 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole5 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole6 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole7 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole8 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole9 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole10 TEXT COLLATE PL_CI_AS DEFAULT '',
  status INTEGER DEFAULT 0,
  uwagi_imp TEXT COLLATE PL_CI_AS DEFAULT '',
  id_artykulu INTEGER DEFAULT 0);
CREATE INDEX artykul_imp_plik ON artykul_imp (id_bloba, status);

-- ---------------------------------------------------------------- customers, employees, offices
CREATE TABLE grupa_kontrahenta (
  id_grupy_kontrahenta INTEGER PRIMARY KEY,
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '');

-- blokowanie: credit-limit mode 0 none, 1 blocked, 2 overdue, 3 overdue + sale over limit,
-- 4 all receivables + sale over limit.
CREATE TABLE kontrahent (
  id_kontrahenta INTEGER PRIMARY KEY,
  id_grupy_kontrahenta INTEGER DEFAULT 0,
  symbol TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa_pelna TEXT COLLATE PL_CI_AS DEFAULT '',
  nip TEXT COLLATE PL_CI_AS DEFAULT '',
  regon TEXT COLLATE PL_CI_AS DEFAULT '',
  pesel TEXT COLLATE PL_CI_AS DEFAULT '',
  kraj TEXT COLLATE PL_CI_AS DEFAULT 'PL',
  kod_pocztowy TEXT COLLATE PL_CI_AS DEFAULT '',
  miejscowosc TEXT COLLATE PL_CI_AS DEFAULT '',
  ulica_lokal TEXT COLLATE PL_CI_AS DEFAULT '',
  telefon TEXT COLLATE PL_CI_AS DEFAULT '',
  email TEXT COLLATE PL_CI_AS DEFAULT '',
  limit_kupiecki NUMERIC(15,2) DEFAULT 0,
  blokowanie INTEGER DEFAULT 0,
  dni_po_terminie INTEGER DEFAULT 0,
  pole1 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole2 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole3 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole4 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole5 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole6 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole7 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole8 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole9 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole10 TEXT COLLATE PL_CI_AS DEFAULT '',
  zablokowany INTEGER DEFAULT 0,
  semafor INTEGER);

CREATE TABLE pracownik (
  id_pracownika INTEGER PRIMARY KEY,
  id_firmy INTEGER DEFAULT 0,
  nazwisko TEXT COLLATE PL_CI_AS DEFAULT '',
  imie_1 TEXT COLLATE PL_CI_AS DEFAULT '',
  imie_2 TEXT COLLATE PL_CI_AS DEFAULT '',
  pesel TEXT COLLATE PL_CI_AS DEFAULT '',
  stanowisko TEXT COLLATE PL_CI_AS DEFAULT '',
  pole1 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole2 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole3 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole4 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole5 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole6 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole7 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole8 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole9 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole10 TEXT COLLATE PL_CI_AS DEFAULT '');

-- Address history per employee and kind ('M' residence, 'K' correspondence).
CREATE TABLE adres_pracownika (
  id_adresu INTEGER PRIMARY KEY,
  id_pracownika INTEGER,
  data_od INTEGER DEFAULT 0,
  typ TEXT COLLATE PL_CI_AS DEFAULT 'M',
  ulica TEXT COLLATE PL_CI_AS DEFAULT '',
  nr_domu TEXT COLLATE PL_CI_AS DEFAULT '',
  nr_lokalu TEXT COLLATE PL_CI_AS DEFAULT '',
  kod_pocztowy TEXT COLLATE PL_CI_AS DEFAULT '',
  miejscowosc TEXT COLLATE PL_CI_AS DEFAULT '',
  poczta TEXT COLLATE PL_CI_AS DEFAULT '');
CREATE INDEX adres_pracownika_od ON adres_pracownika (id_pracownika, typ, data_od);

CREATE TABLE urzedy (
  id_urzedu INTEGER PRIMARY KEY,
  kod_urzedu TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  kod_pocztowy TEXT COLLATE PL_CI_AS DEFAULT '',
  miejscowosc TEXT COLLATE PL_CI_AS DEFAULT '',
  ulica TEXT COLLATE PL_CI_AS DEFAULT '');

-- Bank accounts: numer_rachunku holds the 24 digits after the check digits (sort code first,
-- blanks as typed), lk the two check digits.
CREATE TABLE rachunek_firmy (
  id_rachunku INTEGER PRIMARY KEY,
  id_firmy INTEGER DEFAULT 0,
  numer_rachunku TEXT COLLATE PL_CI_AS DEFAULT '',
  lk TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa_banku TEXT COLLATE PL_CI_AS DEFAULT '',
  symbol_waluty TEXT COLLATE PL_CI_AS DEFAULT 'PLN');

CREATE TABLE rachunek_kontrahenta (
  id_rachunku INTEGER PRIMARY KEY,
  id_kontrahenta INTEGER,
  numer_rachunku TEXT COLLATE PL_CI_AS DEFAULT '',
  lk TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa_banku TEXT COLLATE PL_CI_AS DEFAULT '',
  domyslny INTEGER DEFAULT 0);
CREATE INDEX rachunek_kontrahenta_k ON rachunek_kontrahenta (id_kontrahenta);

CREATE TABLE rachunek_pracownika (
  id_rachunku INTEGER PRIMARY KEY,
  id_pracownika INTEGER,
  numer_rachunku TEXT COLLATE PL_CI_AS DEFAULT '',
  lk TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa_banku TEXT COLLATE PL_CI_AS DEFAULT '');

CREATE TABLE rachunek_urzedu (
  id_rachunku INTEGER PRIMARY KEY,
  id_urzedu INTEGER,
  numer_rachunku TEXT COLLATE PL_CI_AS DEFAULT '',
  lk TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa_banku TEXT COLLATE PL_CI_AS DEFAULT '');

-- ---------------------------------------------------------------- documents
CREATE TABLE typ_dokumentu_handlowego (
  id_firmy INTEGER NOT NULL,
  id_typu INTEGER NOT NULL,
  sygnatura TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  PRIMARY KEY (id_firmy, id_typu));

CREATE TABLE typ_dokumentu_magazynowego (
  id_firmy INTEGER NOT NULL,
  id_typu INTEGER NOT NULL,
  sygnatura TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  PRIMARY KEY (id_firmy, id_typu));

CREATE TABLE typ_dokumentu_finansowego (
  id_firmy INTEGER NOT NULL,
  id_typu INTEGER NOT NULL,
  sygnatura TEXT COLLATE PL_CI_AS DEFAULT '',
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  PRIMARY KEY (id_firmy, id_typu));

-- Trade documents (invoices). wartosc_brutto and zaplacono are the amounts A and B the credit
-- check reads from the current document (open amount = A - deduction - B).
CREATE TABLE dokument_handlowy (
  id_dokumentu_handlowego INTEGER PRIMARY KEY,
  id_firmy INTEGER,
  id_magazynu INTEGER DEFAULT 0,
  id_typu INTEGER DEFAULT 0,
  numer TEXT COLLATE PL_CI_AS DEFAULT '',
  data_wystawienia INTEGER DEFAULT 0,
  data_sprzedazy INTEGER DEFAULT 0,
  termin_platnosci INTEGER DEFAULT 0,
  id_kontrahenta INTEGER DEFAULT 0,
  id_platnika INTEGER DEFAULT 0,
  id_dokumentu_korygowanego INTEGER DEFAULT 0,
  symbol_waluty TEXT COLLATE PL_CI_AS DEFAULT 'PLN',
  kurs_waluty NUMERIC(15,6) DEFAULT 1,
  wartosc_netto NUMERIC(15,2) DEFAULT 0,
  wartosc_vat NUMERIC(15,2) DEFAULT 0,
  wartosc_brutto NUMERIC(17,4) DEFAULT 0,
  zaplacono NUMERIC(15,4) DEFAULT 0,
  id_statusu INTEGER DEFAULT 0,
  id_uzytkownika INTEGER DEFAULT 0,
  pole1 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole2 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole3 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole4 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole5 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole6 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole7 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole8 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole9 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole10 TEXT COLLATE PL_CI_AS DEFAULT '',
  dok_zablokowany INTEGER DEFAULT 0,
  semafor INTEGER,
  do_ksiegowania INTEGER DEFAULT 0,
  zaksiegowany INTEGER DEFAULT 0);
CREATE INDEX dokument_handlowy_platnik ON dokument_handlowy (id_platnika);

CREATE TABLE pozycja_dokumentu_handlowego (
  id_pozycji INTEGER PRIMARY KEY,
  id_dokumentu_handlowego INTEGER,
  lp INTEGER DEFAULT 0,
  id_artykulu INTEGER DEFAULT 0,
  ilosc NUMERIC(15,4) DEFAULT 0,
  jednostka TEXT COLLATE PL_CI_AS DEFAULT '',
  cena_netto NUMERIC(15,2) DEFAULT 0,
  stawka_vat TEXT COLLATE PL_CI_AS DEFAULT '23',
  wartosc_netto NUMERIC(15,2) DEFAULT 0,
  wartosc_brutto NUMERIC(15,2) DEFAULT 0,
  opis TEXT COLLATE PL_CI_AS DEFAULT '');
CREATE INDEX pozycja_dokumentu_handlowego_dok ON pozycja_dokumentu_handlowego (id_dokumentu_handlowego, lp);

CREATE TABLE koszt_dok_handl (
  id_kosztu INTEGER PRIMARY KEY,
  id_dokumentu_handlowego INTEGER,
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  kwota NUMERIC(15,2) DEFAULT 0);

-- Warehouse documents; an issue (WZ) without id_dokumentu_handlowego counts against a credit
-- limit when the company says so.
CREATE TABLE dokument_magazynowy (
  id_dok_magazynowego INTEGER PRIMARY KEY,
  id_firmy INTEGER,
  id_magazynu INTEGER DEFAULT 0,
  id_typu INTEGER DEFAULT 0,
  numer TEXT COLLATE PL_CI_AS DEFAULT '',
  data INTEGER DEFAULT 0,
  id_kontrahenta INTEGER DEFAULT 0,
  id_dokumentu_handlowego INTEGER DEFAULT 0,
  wartosc_netto NUMERIC(15,2) DEFAULT 0,
  wartosc_brutto NUMERIC(15,2) DEFAULT 0,
  id_uzytkownika INTEGER DEFAULT 0,
  pole1 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole2 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole3 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole4 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole5 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole6 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole7 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole8 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole9 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole10 TEXT COLLATE PL_CI_AS DEFAULT '',
  dok_zablokowany INTEGER DEFAULT 0,
  semafor INTEGER,
  do_ksiegowania INTEGER DEFAULT 0,
  zaksiegowany INTEGER DEFAULT 0);
CREATE INDEX dokument_magazynowy_kontrahent ON dokument_magazynowy (id_kontrahenta);

CREATE TABLE pozycja_dokumentu_magazynowego (
  id_pozycji_dok_mag INTEGER PRIMARY KEY,
  id_dok_magazynowego INTEGER,
  lp INTEGER DEFAULT 0,
  id_artykulu INTEGER DEFAULT 0,
  ilosc NUMERIC(15,4) DEFAULT 0,
  cena NUMERIC(15,2) DEFAULT 0,
  wartosc NUMERIC(15,2) DEFAULT 0);

-- Financial documents: cash and bank documents and transfer orders (type signature "PW").
-- typ_platnika: 'k' customer, 'p' employee, 'u' office.
CREATE TABLE dokument_finansowy (
  id_dokumentu_finansowego INTEGER PRIMARY KEY,
  id_firmy INTEGER,
  id_typu INTEGER DEFAULT 0,
  numer TEXT COLLATE PL_CI_AS DEFAULT '',
  data INTEGER DEFAULT 0,
  typ_platnika TEXT COLLATE PL_CI_AS DEFAULT 'k',
  id_platnika INTEGER DEFAULT 0,
  tytulem TEXT COLLATE PL_CI_AS DEFAULT '',
  kwota NUMERIC(15,2) DEFAULT 0,
  symbol_waluty TEXT COLLATE PL_CI_AS DEFAULT 'PLN',
  id_kasy INTEGER DEFAULT 0,
  id_rachunku_kasy INTEGER DEFAULT 0,
  nr_rachunku_platnika TEXT COLLATE PL_CI_AS DEFAULT '',
  id_raportu_kas_bank INTEGER DEFAULT 0,
  id_uzytkownika INTEGER DEFAULT 0,
  pole1 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole2 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole3 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole4 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole5 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole6 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole7 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole8 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole9 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole10 TEXT COLLATE PL_CI_AS DEFAULT '',
  dok_zablokowany INTEGER DEFAULT 0,
  semafor INTEGER,
  do_ksiegowania INTEGER DEFAULT 0,
  zaksiegowany INTEGER DEFAULT 0);

CREATE TABLE raport_kas_bank (
  id_raportu_kas_bank INTEGER PRIMARY KEY,
  id_firmy INTEGER,
  id_kasy INTEGER DEFAULT 0,
  numer TEXT COLLATE PL_CI_AS DEFAULT '',
  data_od INTEGER DEFAULT 0,
  data_do INTEGER DEFAULT 0,
  saldo_poczatkowe NUMERIC(15,2) DEFAULT 0,
  saldo_koncowe NUMERIC(15,2) DEFAULT 0);

CREATE TABLE zamowienie (
  id_zamowienia INTEGER PRIMARY KEY,
  id_firmy INTEGER,
  id_magazynu INTEGER DEFAULT 0,
  numer TEXT COLLATE PL_CI_AS DEFAULT '',
  data INTEGER DEFAULT 0,
  id_kontrahenta INTEGER DEFAULT 0,
  status TEXT COLLATE PL_CI_AS DEFAULT 'N',
  wartosc_netto NUMERIC(15,2) DEFAULT 0,
  id_uzytkownika INTEGER DEFAULT 0,
  dok_zablokowany INTEGER DEFAULT 0,
  semafor INTEGER);

CREATE TABLE pozycja_zamowienia (
  id_pozycji_zamowienia INTEGER PRIMARY KEY,
  id_zamowienia INTEGER,
  id_artykulu INTEGER DEFAULT 0,
  ilosc NUMERIC(15,4) DEFAULT 0,
  ilosc_zrealizowana NUMERIC(15,4) DEFAULT 0,
  cena_netto NUMERIC(15,2) DEFAULT 0);

-- Settlements: typ 'N' receivable, 'Z' payable; open while kwota_rozliczona < kwota.
CREATE TABLE rozrachunek (
  id_rozrachunku INTEGER PRIMARY KEY,
  id_firmy INTEGER,
  id_kontrahenta INTEGER,
  typ TEXT COLLATE PL_CI_AS DEFAULT 'N',
  id_dokumentu_handlowego INTEGER DEFAULT 0,
  numer_dokumentu TEXT COLLATE PL_CI_AS DEFAULT '',
  data_dokumentu INTEGER DEFAULT 0,
  termin_platnosci INTEGER DEFAULT 0,
  kwota NUMERIC(15,2) DEFAULT 0,
  kwota_rozliczona NUMERIC(15,2) DEFAULT 0,
  symbol_waluty TEXT COLLATE PL_CI_AS DEFAULT 'PLN',
  pole1 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole2 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole3 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole4 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole5 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole6 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole7 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole8 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole9 TEXT COLLATE PL_CI_AS DEFAULT '',
  pole10 TEXT COLLATE PL_CI_AS DEFAULT '');
CREATE INDEX rozrachunek_kontrahent ON rozrachunek (id_kontrahenta, typ, termin_platnosci);

-- Payments of settlements by financial documents.
CREATE TABLE inter_fin_rozrach (
  id_dokumentu_finansowego INTEGER NOT NULL,
  id_rozrachunku INTEGER NOT NULL,
  kwota NUMERIC(15,2) DEFAULT 0,
  PRIMARY KEY (id_dokumentu_finansowego, id_rozrachunku));

-- Standard description texts of financial documents and positions (dok_poz: 1 document,
-- 2 position); at most one default per (company, type, level).
CREATE TABLE opis_dok_poz_fin (
  id_opisu INTEGER PRIMARY KEY,
  id_firmy INTEGER,
  id_typu INTEGER,
  dok_poz INTEGER,
  opis TEXT COLLATE PL_CI_AS DEFAULT '',
  domyslny INTEGER DEFAULT 0);
CREATE INDEX opis_dok_poz_fin_lista ON opis_dok_poz_fin (id_firmy, id_typu, dok_poz);

-- ---------------------------------------------------------------- payment-file schemes
CREATE TABLE mc_def_nag (
  id_mc_def_nag INTEGER PRIMARY KEY,
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  opis TEXT COLLATE PL_CI_AS DEFAULT '',
  strona_kodowa TEXT COLLATE PL_CI_AS DEFAULT 'Latin');

-- typ 'S': system element (ids 1-10, 51-60, 100-102), anything else a user constant.
CREATE TABLE mc_def_pola (
  id_mc_def_pola INTEGER PRIMARY KEY,
  nazwa TEXT COLLATE PL_CI_AS DEFAULT '',
  wartosc TEXT COLLATE PL_CI_AS DEFAULT '',
  typ TEXT COLLATE PL_CI_AS DEFAULT '');

CREATE TABLE mc_def_poz (
  id_mc_def_poz INTEGER PRIMARY KEY,
  id_mc_def_nag INTEGER,
  id_mc_def_pola INTEGER,
  lp INTEGER DEFAULT 0,
  prefiks TEXT COLLATE PL_CI_AS DEFAULT '',
  sufiks TEXT COLLATE PL_CI_AS DEFAULT '',
  separator TEXT COLLATE PL_CI_AS DEFAULT '',
  typ TEXT COLLATE PL_CI_AS DEFAULT '',
  koniec_linii INTEGER DEFAULT 0,
  wymagana_wartosc INTEGER DEFAULT 1,
  format_typ TEXT COLLATE PL_CI_AS DEFAULT 'A',
  format_ilosc INTEGER DEFAULT 20,
  format_fixed INTEGER DEFAULT 0,
  format_format TEXT COLLATE PL_CI_AS DEFAULT '',
  format_separator TEXT COLLATE PL_CI_AS DEFAULT '',
  format_wyrownanie INTEGER DEFAULT 1,
  format_display_1 TEXT COLLATE PL_CI_AS DEFAULT '',
  format_display_2 TEXT COLLATE PL_CI_AS DEFAULT '');
CREATE INDEX mc_def_poz_lp ON mc_def_poz (id_mc_def_nag, lp);

-- ---------------------------------------------------------------- views
-- Passwords granted per user and function, by login.
CREATE VIEW uzytkownik_funkcji_v AS
  SELECT u.identyfikator AS identyfikator, h.haslo AS haslo, h.kod_funkcji AS kod_funkcji
  FROM orv_haslo_funkcji h JOIN uzytkownik u ON u.id_uzytkownika = h.id_uzytkownika;

-- Settlements as the classifier window reads and writes them.
CREATE VIEW rozrachunek_orv_v AS
  SELECT id_rozrachunku, id_firmy, id_kontrahenta, typ, numer_dokumentu, data_dokumentu,
         termin_platnosci, kwota, kwota_rozliczona, kwota - kwota_rozliczona AS pozostalo,
         pole1, pole2, pole3, pole4, pole5, pole6, pole7, pole8, pole9, pole10
  FROM rozrachunek;
CREATE TRIGGER rozrachunek_orv_v_update INSTEAD OF UPDATE ON rozrachunek_orv_v
BEGIN
  UPDATE rozrachunek SET
    numer_dokumentu = NEW.numer_dokumentu, data_dokumentu = NEW.data_dokumentu,
    termin_platnosci = NEW.termin_platnosci, kwota = NEW.kwota,
    kwota_rozliczona = NEW.kwota_rozliczona,
    pole1 = NEW.pole1, pole2 = NEW.pole2, pole3 = NEW.pole3, pole4 = NEW.pole4, pole5 = NEW.pole5,
    pole6 = NEW.pole6, pole7 = NEW.pole7, pole8 = NEW.pole8, pole9 = NEW.pole9, pole10 = NEW.pole10
  WHERE id_rozrachunku = OLD.id_rozrachunku;
END;

-- Corrections of trade documents.
CREATE VIEW korekta_dok_handl_v AS
  SELECT * FROM dokument_handlowy WHERE id_dokumentu_korygowanego <> 0;

-- Second record buffers the data dictionary keeps over the same tables.
CREATE VIEW uzytkownik1 AS SELECT * FROM uzytkownik;
CREATE VIEW magazyn1 AS SELECT * FROM magazyn;
CREATE VIEW orv_definicja_filtra3 AS SELECT * FROM orv_definicja_filtra;
CREATE VIEW orv_filtr_uzytkownika3 AS SELECT * FROM orv_filtr_uzytkownika;

-- Photos are inserted and renamed through a second buffer over artykul_blob.
CREATE VIEW artykul_blob_upd AS SELECT * FROM artykul_blob;
CREATE TRIGGER artykul_blob_upd_insert INSTEAD OF INSERT ON artykul_blob_upd
BEGIN
  INSERT INTO artykul_blob (id_bloba, indeks_katalogowy, nazwa, domyslne, zdjecie)
  VALUES (NEW.id_bloba, NEW.indeks_katalogowy, NEW.nazwa, coalesce(NEW.domyslne, 0), NEW.zdjecie);
END;
CREATE TRIGGER artykul_blob_upd_update INSTEAD OF UPDATE ON artykul_blob_upd
BEGIN
  UPDATE artykul_blob SET indeks_katalogowy = NEW.indeks_katalogowy, nazwa = NEW.nazwa,
    domyslne = NEW.domyslne, zdjecie = NEW.zdjecie
  WHERE id_bloba = OLD.id_bloba;
END;
CREATE TRIGGER artykul_blob_upd_delete INSTEAD OF DELETE ON artykul_blob_upd
BEGIN
  DELETE FROM artykul_blob WHERE id_bloba = OLD.id_bloba;
END;

-- ---------------------------------------------------------------- dependent rows
CREATE TRIGGER wariant_delete AFTER DELETE ON wariant
BEGIN
  DELETE FROM wartosc_parametru WHERE id_wariantu = OLD.id_wariantu;
END;

CREATE TRIGGER orv_lista_obiektow_delete AFTER DELETE ON orv_lista_obiektow
BEGIN
  DELETE FROM orv_elementy_listy_obiektow WHERE id_listy = OLD.id_listy;
  DELETE FROM orv_uzytkownik_listy_obiektow WHERE id_listy = OLD.id_listy;
  DELETE FROM orv_grupauzytkownikow_listy_obiektow WHERE id_listy = OLD.id_listy;
END;

CREATE TRIGGER orv_definicja_filtra_delete AFTER DELETE ON orv_definicja_filtra
BEGIN
  DELETE FROM orv_filtr_uzytkownika WHERE id_filtra = OLD.id_filtra;
  DELETE FROM orv_uzytkownik_filtrow WHERE id_filtra = OLD.id_filtra;
END;

CREATE TRIGGER mc_def_nag_delete AFTER DELETE ON mc_def_nag
BEGIN
  DELETE FROM mc_def_poz WHERE id_mc_def_nag = OLD.id_mc_def_nag;
END;

CREATE TRIGGER plik_blob_delete AFTER DELETE ON plik_blob
BEGIN
  DELETE FROM artykul_imp WHERE id_bloba = OLD.id_bloba;
END;

CREATE TRIGGER klasyfikator_slownik_delete AFTER DELETE ON klasyfikator_slownik
BEGIN
  DELETE FROM klasyfikator_slownik_war WHERE id_slownika = OLD.id_slownika;
END;

CREATE TRIGGER uzytkownik_delete AFTER DELETE ON uzytkownik
BEGIN
  DELETE FROM uzytkownikgrupy WHERE id_uzytkownika = OLD.id_uzytkownika;
  DELETE FROM orv_haslo_funkcji WHERE id_uzytkownika = OLD.id_uzytkownika;
  DELETE FROM orv_uzytkownik_filtrow WHERE id_uzytkownika = OLD.id_uzytkownika;
  DELETE FROM orv_uzytkownik_listy_obiektow WHERE id_uzytkownika = OLD.id_uzytkownika;
END;
