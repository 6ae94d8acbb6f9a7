-- The demo company: a deterministic data set that every part of the library can run against.
-- Dates are day numbers (82198 = 15 Jan 2026, the demo's "today"; 82183 = 31 Dec 2025). Ids are
-- fixed so that tests and documentation can name them; server/README.md lists what is here.

-- ---------------------------------------------------------------- companies and warehouses
INSERT INTO firma (id_firmy, symbol, nazwa, nazwa_pelna, nip, regon) VALUES
  (5, 'DEMO', 'Hurtownia Demo Sp. z o.o.', 'Hurtownia Budowlana Demo Spółka z ograniczoną odpowiedzialnością', '5261040828', '012345675'),
  (6, 'KRK', 'Sklep Krakowski s.c.', '', '6751012343', '');
-- The registered office (typ 'S') moved in 2020: the newest address must win.
INSERT INTO adresy_firmy (id_adresu, id_firmy, typ_adresu, data_od, ulica, nr_domu, nr_lokalu, kod_pocztowy, miejscowosc, poczta) VALUES
  (1, 5, 'S', 78166, 'Złota', '7', '', '00-019', 'Warszawa', ''),
  (2, 5, 'S', 80052, 'ul. Marszałkowska', '10', '4', '00-590', 'Warszawa', ''),
  (3, 5, 'K', 80052, 'Skrytka pocztowa', '15', '', '00-950', 'Warszawa', ''),
  (4, 6, 'S', 78166, 'Rynek Główny', '1', '', '31-042', 'Kraków', '');
INSERT INTO magazyn (id_magazynu, id_firmy, symbol, nazwa, opis) VALUES
  (1, 5, 'MG', 'Magazyn główny', 'Warszawa, Marszałkowska 10'),
  (2, 5, 'MH', 'Magazyn hurtowy', 'Pruszków, Przemysłowa 3'),
  (3, 6, 'MK', 'Magazyn Kraków', 'Kraków, Rynek Główny 1');
INSERT INTO kasa (id_kasy, id_firmy, symbol, nazwa, id_rachunku) VALUES
  (1, 5, 'KASA', 'Kasa główna', 0),
  (2, 5, 'BANK', 'Rachunek bieżący', 1),
  (3, 6, 'KASA', 'Kasa sklepu', 0);
INSERT INTO ecr (id_ecr, id_firmy, id_magazynu, nazwa, numer_unikatowy, port) VALUES
  (1, 5, 1, 'Kasa fiskalna 1', 'ABC12345678', 'COM1');

-- ---------------------------------------------------------------- users and groups
-- 4100001 is the administrator; 7 (jan) is the ordinary user the CLI signs in by default.
INSERT INTO uzytkownik (id_uzytkownika, identyfikator, nazwa, haslo, email, id_firmy, id_magazynu) VALUES
  (4100001, 'admin', 'Administrator', 'admin', 'admin@demo.pl', 5, 1),
  (7, 'jan', 'Jan Kowalski', 'jan', 'jan.kowalski@demo.pl', 5, 1),
  (8, 'ewa', 'Ewa Nowak', 'ewa', 'ewa.nowak@demo.pl', 5, 1),
  (9, 'ola', 'Aleksandra Wiśniewska', 'ola', 'ola@demo.pl', 5, 2),
  (10, 'piotr', 'Piotr Zieliński', 'piotr', 'piotr@demo.pl', 6, 3);
INSERT INTO grupauzytkownikow (id_grupy, id_firmy, nazwa, opis, czy_aktywna) VALUES
  (1, 5, 'Sprzedaż', 'Handlowcy', 1),
  (2, 5, 'Magazyn', 'Magazynierzy', 1),
  (3, 5, 'Księgowość', 'Dział finansowy', 1),
  (4, 5, 'Archiwum', 'Grupa wyłączona', 0),
  (5, 6, 'Sprzedaż Kraków', 'Sklep', 1);
INSERT INTO uzytkownikgrupy (id_grupy, id_uzytkownika) VALUES
  (1, 7), (2, 7), (3, 8), (1, 9), (4, 9), (4, 10), (5, 10);
INSERT INTO intermagazyngrupa (id_magazynu, id_grupy) VALUES
  (1, 1), (2, 1), (1, 2), (2, 2), (3, 5);

-- ---------------------------------------------------------------- permissions
INSERT INTO uprawnienie (kod, rodzaj, nazwa) VALUES
  ('OKontr', '', 'Obsługa kontrahentów'),
  ('EksportExcel', '', 'Eksport list do arkusza'),
  ('BankiKursWal', '', 'Edycja kursów walut'),
  ('PolaDodatkowe', '', 'Edycja słowników pól dodatkowych'),
  ('SLOWNIKIDOD', '', 'Słowniki pól dodatkowych'),
  ('ArtykZdjeciaO', 'M', 'Oglądanie zdjęć artykułów'),
  ('ArtykZdjeciaE', 'M', 'Edycja zdjęć artykułów'),
  ('ArtykStanMinMaxRez', 'M', 'Grupowa zmiana stanów minimalnych i maksymalnych'),
  ('BlokDokMag', 'M', 'Blokowanie dokumentów magazynowych'),
  ('BlokDokHandl', '', 'Blokowanie dokumentów handlowych'),
  ('BlokDokFin', '', 'Blokowanie dokumentów finansowych'),
  ('BlokDokZam', '', 'Blokowanie zamówień'),
  ('BlokArt', 'M', 'Blokowanie artykułów');
-- Levels: 1 full, 2 restricted (flags: W own documents only, D customers of own object lists).
-- id2 is a warehouse. jan (groups 1+2) gets OKontr 1 because full access wins; ola (group 1
-- only) keeps OKontr 2 'WD' and has no stock-level right in warehouse 2.
INSERT INTO dostep (id_grupy, id_firmy, kod, id2, id3, rodzaj_dostepu, flaga_stanu) VALUES
  (1, 5, 'OKontr', 0, 0, 2, 'WD'),
  (1, 5, 'EksportExcel', 0, 0, 1, ''),
  (1, 5, 'ArtykZdjeciaO', 0, 0, 1, ''),
  (1, 5, 'ArtykZdjeciaE', 0, 0, 2, ''),
  (1, 5, 'ArtykZdjeciaE', 1, 0, 1, ''),
  (1, 5, 'ArtykStanMinMaxRez', 0, 0, 2, ''),
  (1, 5, 'ArtykStanMinMaxRez', 1, 0, 1, ''),
  (1, 5, 'BlokDokHandl', 0, 0, 1, ''),
  (1, 5, 'BlokDokZam', 0, 0, 2, 'W'),
  (2, 5, 'OKontr', 0, 0, 1, ''),
  (2, 5, 'BlokDokMag', 0, 0, 2, ''),
  (2, 5, 'BlokDokMag', 1, 0, 1, ''),
  (2, 5, 'BlokDokMag', 2, 0, 1, ''),
  (2, 5, 'BlokArt', 0, 0, 1, ''),
  (2, 5, 'ArtykStanMinMaxRez', 2, 0, 1, ''),
  (3, 5, 'OKontr', 0, 0, 1, ''),
  (3, 5, 'BlokDokFin', 0, 0, 1, ''),
  (3, 5, 'BankiKursWal', 0, 0, 1, ''),
  (3, 5, 'EksportExcel', 0, 0, 1, ''),
  (3, 5, 'PolaDodatkowe', 0, 0, 1, ''),
  (3, 5, 'SLOWNIKIDOD', 0, 0, 1, ''),
  (4, 5, 'BankiKursWal', 0, 0, 1, ''),
  (5, 6, 'OKontr', 0, 0, 1, ''),
  (5, 6, 'EksportExcel', 0, 0, 1, ''),
  (5, 6, 'ArtykZdjeciaO', 0, 0, 1, '');
INSERT INTO raport (id_raportu, nazwa, opis, plik) VALUES
  (10, 'Zestawienie sprzedaży', 'Sprzedaż w okresie', 'sprzedaz.rpt'),
  (11, 'Rejestr przelewów', 'Polecenia przelewu', 'przelewy.rpt'),
  (12, 'Stany magazynowe', 'Stany na dzień', 'stany.rpt');
INSERT INTO dostepdoraportow (id_grupy, id_raportu, rodzaj_dostepu) VALUES
  (1, 10, 1), (2, 12, 1), (2, 10, 2), (3, 10, 1), (3, 11, 1), (5, 10, 1);
INSERT INTO orv_funkcja (kod_funkcji, nazwa_funkcji, opis_funkcji) VALUES
  ('LIMIT_KUPIECKI', 'Limit kupiecki', 'Sprzedaż płatnikowi, który przekroczył limit kupiecki lub ma przeterminowane należności.'),
  ('EDYCJA_CEN', 'Edycja cen', 'Zmiana cen sprzedaży poniżej ceny zakupu.');
INSERT INTO orv_haslo_funkcji (id_uzytkownika, kod_funkcji, haslo) VALUES
  (4100001, 'LIMIT_KUPIECKI', 'admin'),
  (7, 'LIMIT_KUPIECKI', 'Tajne'),
  (8, 'LIMIT_KUPIECKI', 'Sekret'),
  (8, 'EDYCJA_CEN', 'Ceny2026');
INSERT INTO orv_profile_ustawien (id_profilu, nazwa, id_uzytkownika, ustawienia) VALUES
  (1, 'Standardowy', 0, '<GROUP></GROUP>');

-- ---------------------------------------------------------------- configuration
INSERT INTO naglowekkonfig (id_naglowka, nazwa, opis) VALUES
  (1, 'Konfiguracja firmy', 'Parametry wspólne dla firmy'),
  (2, 'Konfiguracja użytkownika', 'Parametry każdego użytkownika');
INSERT INTO pozycjakonfig (id_pozycji, id_naglowka, kod, maska, opis, zakres, wartosc_domyslna) VALUES
  (1, 1, 'PropKursBanku', '@s3', 'Źródło kursów walut: NBP albo ECB', 's', 'NBP'),
  (2, 1, 'BlokFuncHaslo', '@s3', 'Blokowanie funkcji hasłem (Tak/Nie)', 's', 'Nie'),
  (3, 1, 'SynchroArt', '@s20', 'Pola dodatkowe artykułów: Wspólne/Rozłączne', 's', 'Wspólne'),
  (4, 1, 'WliczajWZDoLimitu', '@s3', 'Wliczaj WZ bez faktury do limitu (Tak/Nie)', 's', 'Nie'),
  (5, 1, 'MaxRozZdjecArt', '@n6', 'Maksymalny rozmiar zdjęcia artykułu (kB)', 's', '500'),
  (6, 1, 'LokalSiecZdjecArt', '@s200', 'Katalog sieciowy zdjęć artykułów', 's', ''),
  (7, 1, 'IBAN', '@s34', 'Rachunek firmy do raportów', 's', ''),
  (10, 2, 'ZakrWys', '@s20', 'Ostatni zakres dat', 'u', ''),
  (11, 2, 'Data_Od', '@n7', 'Ostatnia data od', 'u', '0'),
  (12, 2, 'Data_Do', '@n7', 'Ostatnia data do', 'u', '0'),
  (13, 2, 'OdswiezKartot', '@s3', 'Odświeżaj kartoteki po zmianie zakresu', 'u', 'Nie'),
  (14, 2, 'DataOdPelnyZakres', '@n7', 'Pełny zakres od dnia', 'u', '0'),
  (15, 2, 'ZnakDoExcela', '@s1', 'Separator eksportu CSV (S = systemowy)', 'u', 'S'),
  (16, 2, 'TypDoExcela', '@s4', 'Typ pliku eksportu', 'u', 'xlsx'),
  (17, 2, 'KoloryDoExcelaXLSX', '@s3', 'Kolory w eksporcie XLSX', 'u', 'Nie'),
  (18, 2, 'IloscArtBezPrzecinka', '@s3', 'Ilości artykułów bez miejsc po przecinku', 'u', 'Nie'),
  (19, 2, 'DomFileNameEPP', '@s255', 'Plik przelewów', 'u', ''),
  (20, 2, 'DomSchematEPP', '@n5', 'Schemat przelewów', 'u', '0'),
  (21, 2, 'TrybOgladZdjec', '@n1', 'Tryb oglądania zdjęć', 'u', '0'),
  (22, 2, 'DomyslneOgladZdjec', '@n1', 'Domyślny tryb oglądania zdjęć', 'u', '0'),
  (23, 2, 'LokalizacjaZdj', '@s255', 'Katalog zdjęć', 'u', ''),
  (24, 2, 'OknoSzerMarg', '@n4', 'Margines szerokości okien', 'u', '0'),
  (25, 2, 'OknoWysMarg', '@n4', 'Margines wysokości okien', 'u', '0'),
  (26, 2, 'PokazujPasekIkon', '@s3', 'Pasek ikon', 'u', 'Tak'),
  (27, 2, 'DOMKASA', '@n5', 'Domyślna kasa', 'u', '0'),
  (28, 2, 'DRZEWKOFILTRROZ', '@s20', 'Filtr drzewka rozrachunków', 'u', '');
INSERT INTO interfirmapozycja (id_firmy, id_pozycji, wartosc) VALUES
  (5, 1, 'NBP'), (5, 2, 'Tak'), (5, 3, 'Wspólne'), (5, 4, 'Tak'), (5, 5, '500'), (5, 6, ''),
  (5, 7, '61109010140000071219812874'),
  (6, 1, 'ECB'), (6, 2, 'Nie'), (6, 3, 'Rozłączne'), (6, 4, 'Nie'), (6, 5, '200'), (6, 6, ''), (6, 7, '');
INSERT INTO interuzytkownikpozycja (id_uzytkownika, id_pozycji, wartosc) VALUES
  (7, 10, 'bieżący miesiąc'), (7, 11, '82185'), (7, 12, '82214'), (7, 13, 'Tak'), (7, 14, '81819'),
  (7, 15, ';'), (7, 16, 'xlsx'), (7, 17, 'Tak'), (7, 18, 'Nie'), (7, 19, 'przelewy.txt'), (7, 20, '1'),
  (7, 21, '0'), (7, 22, '1'), (7, 23, ''), (7, 24, '0'), (7, 25, '0'), (7, 26, 'Tak'), (7, 27, '1'),
  (7, 28, 'N'),
  (8, 10, 'pełny zakres'), (8, 11, '0'), (8, 12, '0'), (8, 13, 'Nie'), (8, 14, '0'), (8, 15, 'S'),
  (8, 16, 'csv'), (8, 17, 'Nie'), (8, 18, 'Tak'), (8, 19, ''), (8, 20, '2'), (8, 24, '4'), (8, 25, '8'),
  (8, 26, 'Nie'), (8, 27, '2'),
  (9, 10, ''), (9, 13, 'Nie'), (9, 15, ','), (9, 18, 'Nie'), (9, 26, 'Tak'), (9, 27, '1'),
  (4100001, 10, ''), (4100001, 15, ';'), (4100001, 18, 'Nie'), (4100001, 20, '1'), (4100001, 26, 'Tak'),
  (10, 15, ';'), (10, 26, 'Tak');

-- ---------------------------------------------------------------- windows and column settings
-- Additional-field columns are numbered skok + field number (11 = pole1 with skok 10).
INSERT INTO ini_okno (id_okna, nazwa, nr_kol_pierwszej, nr_kol_ostatniej, kod_klas_grupy, skok) VALUES
  (1, 'Artykul_Brw', 1, 14, 'Artykul', 10),
  (2, 'Kontrahent_Brw', 1, 11, 'Kontrahent', 10),
  (3, 'Dokument_Finansowy_Brw', 1, 4, '', 0),
  (4, 'Rozrachunek_Brw', 1, 12, 'Rozrachunek', 10),
  (5, 'Pozycje_Dokumentu_Magazynowego_Brw', 1, 5, '', 0);
INSERT INTO ini_kolumna (id_kolumny, id_okna, numer_kolumny, nazwa_kolumny, rozmiar_kolumny, format_kolumny, pole_dodatkowe, ukryta, podlega_obcieciu) VALUES
  (1, 1, 1, 'Indeks', 60, '60L(2)|M~Indeks~@s20@', 0, 0, 0),
  (2, 1, 2, 'Nazwa', 160, '160L(2)|M~Nazwa~@s100@', 0, 0, 0),
  (3, 1, 3, 'Stan', 56, '56R(2)|M~Stan~C(0)@n-14_@', 0, 0, 1),
  (4, 1, 4, 'Rezerwacja', 56, '56R(2)|M~Rezerwacja~C(0)@n-14_`4@', 0, 0, 1),
  (5, 1, 5, 'Cena netto', 56, '56R(2)|M~Cena netto~C(0)@n-14.2@', 0, 0, 0),
  (6, 1, 6, 'Jednostka', 30, '30L(2)|M~Jm~@s10@', 0, 0, 0),
  (7, 1, 7, 'Kod wewnętrzny', 40, '40L(2)|M~Kod~@s20@', 0, 1, 0),
  (8, 1, 11, 'Kolor', 50, '50L(2)|M~Kolor~@s30@', 1, 0, 0),
  (9, 1, 12, 'Gwarancja (mies.)', 40, '40R(2)|M~Gwarancja~@n6@', 1, 0, 0),
  (10, 1, 13, 'Dostawca', 60, '60L(2)|M~Dostawca~@s50@', 1, 0, 0),
  (11, 1, 14, 'Data przeglądu', 50, '50L(2)|M~Przegląd~@d17@', 1, 0, 0),
  (12, 2, 1, 'Nazwa', 160, '160L(2)|M~Nazwa~@s100@', 0, 0, 0),
  (13, 2, 2, 'NIP', 70, '70L(2)|M~NIP~@s20@', 0, 0, 0),
  (14, 2, 3, 'Miejscowość', 80, '80L(2)|M~Miejscowość~@s40@', 0, 0, 0),
  (15, 2, 4, 'Limit kupiecki', 60, '60R(2)|M~Limit~@n-14.2@', 0, 0, 0),
  (16, 2, 11, 'Branża', 60, '60L(2)|M~Branża~@s30@', 1, 0, 0),
  (17, 3, 1, 'Numer', 70, '70L(2)|M~Numer~@s30@', 0, 0, 0),
  (18, 3, 2, 'Data', 50, '50L(2)|M~Data~@d17@', 0, 0, 0),
  (19, 3, 3, 'Kwota', 60, '60R(2)|M~Kwota~@n-14.2@', 0, 0, 0),
  (20, 3, 4, 'Tytułem', 160, '160L(2)|M~Tytułem~@s100@', 0, 0, 0),
  (21, 4, 1, 'Numer dokumentu', 80, '80L(2)|M~Dokument~@s30@', 0, 0, 0),
  (22, 4, 2, 'Termin', 50, '50L(2)|M~Termin~@d17@', 0, 0, 0),
  (23, 4, 11, 'Uwagi windykacyjne', 100, '100L(2)|M~Uwagi~@s100@', 1, 0, 0),
  (24, 5, 1, 'Lp', 20, '20R(2)|M~Lp~@n4@', 0, 0, 0),
  (25, 5, 2, 'Artykuł', 120, '120L(2)|M~Artykuł~@s100@', 0, 0, 0),
  (26, 5, 3, 'Wydano', 50, '50R(2)|M~Wydano~@n-14_@', 0, 0, 1),
  (27, 5, 4, 'Przyjęto', 50, '50R(2)|M~Przyjęto~@n-14_@', 0, 0, 1),
  (28, 5, 5, 'Cena', 50, '50R(2)|M~Cena~@n-14.2@', 0, 0, 0);
INSERT INTO inter_ini_uzytkownik (id_uzytkownika, id_kolumny, rozmiar, kolejnosc, format_kolumny) VALUES
  (4100001,1,60,1,'60L(2)|M~Indeks~@s20@'), (4100001,2,160,2,'160L(2)|M~Nazwa~@s100@'), (4100001,3,56,3,'56R(2)|M~Stan~C(0)@n-14_@'), (4100001,4,56,4,'56R(2)|M~Rezerwacja~C(0)@n-14_`4@'),
  (4100001,5,56,5,'56R(2)|M~Cena netto~C(0)@n-14.2@'), (4100001,6,30,6,'30L(2)|M~Jm~@s10@'), (4100001,7,40,7,'40L(2)|M~Kod~@s20@'), (4100001,8,50,8,'50L(2)|M~Kolor~@s30@'),
  (4100001,9,40,9,'40R(2)|M~Gwarancja~@n6@'), (4100001,10,60,10,'60L(2)|M~Dostawca~@s50@'), (4100001,11,50,11,'50L(2)|M~Przegląd~@d17@'), (4100001,12,160,1,'160L(2)|M~Nazwa~@s100@'),
  (4100001,13,70,2,'70L(2)|M~NIP~@s20@'), (4100001,14,80,3,'80L(2)|M~Miejscowość~@s40@'), (4100001,15,60,4,'60R(2)|M~Limit~@n-14.2@'), (4100001,16,60,5,'60L(2)|M~Branża~@s30@'),
  (4100001,17,70,1,'70L(2)|M~Numer~@s30@'), (4100001,18,50,2,'50L(2)|M~Data~@d17@'), (4100001,19,60,3,'60R(2)|M~Kwota~@n-14.2@'), (4100001,20,160,4,'160L(2)|M~Tytułem~@s100@'),
  (4100001,21,80,1,'80L(2)|M~Dokument~@s30@'), (4100001,22,50,2,'50L(2)|M~Termin~@d17@'), (4100001,23,100,3,'100L(2)|M~Uwagi~@s100@'), (4100001,24,20,1,'20R(2)|M~Lp~@n4@'),
  (4100001,25,120,2,'120L(2)|M~Artykuł~@s100@'), (4100001,26,50,3,'50R(2)|M~Wydano~@n-14_@'), (4100001,27,50,4,'50R(2)|M~Przyjęto~@n-14_@'), (4100001,28,50,5,'50R(2)|M~Cena~@n-14.2@'),
  (7,1,60,1,'60L(2)|FM~Indeks~@s20@'), (7,2,160,2,'160L(2)|FM~Nazwa~@s100@'), (7,3,56,3,'56R(2)|M~Stan~C(0)@n-14_@'), (7,4,56,4,'56R(2)|M~Rezerwacja~C(0)@n-14_`4@'),
  (7,5,56,5,'56R(2)|M~Cena netto~C(0)@n-14.2@'), (7,6,30,6,'30L(2)|M~Jm~@s10@'), (7,7,40,7,'40L(2)|M~Kod~@s20@'), (7,8,50,8,'50L(2)|M~Kolor~@s30@'),
  (7,9,40,9,'40R(2)|M~Gwarancja~@n6@'), (7,10,60,10,'60L(2)|M~Dostawca~@s50@'), (7,11,50,11,'50L(2)|M~Przegląd~@d17@'), (7,12,160,1,'160L(2)|M~Nazwa~@s100@'),
  (7,13,70,2,'70L(2)|M~NIP~@s20@'), (7,14,80,3,'80L(2)|M~Miejscowość~@s40@'), (7,15,60,4,'60R(2)|M~Limit~@n-14.2@'), (7,16,60,5,'60L(2)|M~Branża~@s30@'),
  (7,17,70,1,'70L(2)|M~Numer~@s30@'), (7,18,50,2,'50L(2)|M~Data~@d17@'), (7,19,60,3,'60R(2)|M~Kwota~@n-14.2@'), (7,20,160,4,'160L(2)|M~Tytułem~@s100@'),
  (7,21,80,1,'80L(2)|M~Dokument~@s30@'), (7,22,50,2,'50L(2)|M~Termin~@d17@'), (7,23,100,3,'100L(2)|M~Uwagi~@s100@'), (7,24,20,1,'20R(2)|M~Lp~@n4@'),
  (7,25,120,2,'120L(2)|M~Artykuł~@s100@'), (7,26,50,3,'50R(2)|M~Wydano~@n-14_@'), (7,27,50,4,'50R(2)|M~Przyjęto~@n-14_@'), (7,28,50,5,'50R(2)|M~Cena~@n-14.2@'),
  (8,2,160,1,'160L(2)|M~Nazwa~@s100@'), (8,1,60,2,'60L(2)|M~Indeks~@s20@'), (8,3,56,3,'56R(2)|M~Stan~C(0)@n-14_@'), (8,4,56,4,'56R(2)|M~Rezerwacja~C(0)@n-14_`4@'),
  (8,5,56,5,'56R(2)|M~Cena netto~C(0)@n-14.2@'), (8,6,0,6,'30L(2)|M~Jm~@s10@'), (8,7,40,7,'40L(2)|M~Kod~@s20@'), (8,8,50,8,'50L(2)|M~Kolor~@s30@'),
  (8,9,40,9,'40R(2)|M~Gwarancja~@n6@'), (8,10,60,10,'60L(2)|M~Dostawca~@s50@'), (8,11,50,11,'50L(2)|M~Przegląd~@d17@'), (8,12,160,1,'160L(2)|M~Nazwa~@s100@'),
  (8,13,70,2,'70L(2)|M~NIP~@s20@'), (8,14,80,3,'80L(2)|M~Miejscowość~@s40@'), (8,15,60,4,'60R(2)|M~Limit~@n-14.2@'), (8,16,60,5,'60L(2)|M~Branża~@s30@'),
  (8,17,70,1,'70L(2)|M~Numer~@s30@'), (8,18,50,2,'50L(2)|M~Data~@d17@'), (8,19,60,3,'60R(2)|M~Kwota~@n-14.2@'), (8,20,160,4,'160L(2)|M~Tytułem~@s100@'),
  (8,21,80,1,'80L(2)|M~Dokument~@s30@'), (8,22,50,2,'50L(2)|M~Termin~@d17@'), (8,23,100,3,'100L(2)|M~Uwagi~@s100@'), (8,24,20,1,'20R(2)|M~Lp~@n4@'),
  (8,25,120,2,'120L(2)|M~Artykuł~@s100@'), (8,26,50,3,'50R(2)|M~Wydano~@n-14_@'), (8,27,50,4,'50R(2)|M~Przyjęto~@n-14_@'), (8,28,50,5,'50R(2)|M~Cena~@n-14.2@'),
  (9,1,60,1,'60L(2)|M~Indeks~@s20@'), (9,2,160,2,'160L(2)|M~Nazwa~@s100@'), (9,3,56,3,'56R(2)|M~Stan~C(0)@n-14_@'), (9,4,56,4,'56R(2)|M~Rezerwacja~C(0)@n-14_`4@'),
  (9,5,80,5,'56R(2)|M~Cena netto~C(0)@n-14.2@'), (9,6,30,6,'30L(2)|M~Jm~@s10@'), (9,7,40,7,'40L(2)|M~Kod~@s20@'), (9,8,50,8,'50L(2)|M~Kolor~@s30@'),
  (9,9,40,9,'40R(2)|M~Gwarancja~@n6@'), (9,10,60,10,'60L(2)|M~Dostawca~@s50@'), (9,11,50,11,'50L(2)|M~Przegląd~@d17@'), (9,12,160,1,'160L(2)|M~Nazwa~@s100@'),
  (9,13,70,2,'70L(2)|M~NIP~@s20@'), (9,14,80,3,'80L(2)|M~Miejscowość~@s40@'), (9,15,60,4,'60R(2)|M~Limit~@n-14.2@'), (9,16,60,5,'60L(2)|M~Branża~@s30@'),
  (9,17,70,1,'70L(2)|M~Numer~@s30@'), (9,18,50,2,'50L(2)|M~Data~@d17@'), (9,19,60,3,'60R(2)|M~Kwota~@n-14.2@'), (9,20,160,4,'160L(2)|M~Tytułem~@s100@'),
  (9,21,80,1,'80L(2)|M~Dokument~@s30@'), (9,22,50,2,'50L(2)|M~Termin~@d17@'), (9,23,100,3,'100L(2)|M~Uwagi~@s100@'), (9,24,20,1,'20R(2)|M~Lp~@n4@'),
  (9,25,120,2,'120L(2)|M~Artykuł~@s100@'), (9,26,50,3,'50R(2)|M~Wydano~@n-14_@'), (9,27,50,4,'50R(2)|M~Przyjęto~@n-14_@'), (9,28,50,5,'50R(2)|M~Cena~@n-14.2@');
INSERT INTO ini_parametr (id_parametru, id_okna, nazwa, wartosc_domyslna) VALUES
  (1, 1, 'pokazuj_zdjecie', '1'),
  (2, 1, 'szerokosc_podgladu', '200'),
  (3, 2, 'pokazuj_zdjecie', '0'),
  (4, 3, 'sortowanie', 'data');
INSERT INTO inter_parametr_uzytkownik (id_uzytkownika, id_parametru, wartosc) VALUES
  (7, 1, '1'), (7, 2, '240'), (7, 3, '0'), (7, 4, 'numer'),
  (8, 1, '0'), (8, 2, '200'), (8, 4, 'data'),
  (9, 1, '1'),
  (4100001, 1, '1'), (4100001, 3, '1');

-- ---------------------------------------------------------------- classifiers
INSERT INTO klasyfikator_grupa (kod_klas_grupy, nazwa, nazwa_identyfikatora) VALUES
  ('Artykul', 'Artykuły', 'ID_ARTYKULU'),
  ('Kontrahent', 'Kontrahenci', 'ID_KONTRAHENTA'),
  ('Rozrachunek', 'Rozrachunki', 'ID_ROZRACHUNKU');
INSERT INTO klasyfikator_slownik (id_slownika, nazwa, typ_danych, maska) VALUES
  (1, 'Dostawcy', 'tekst', 's100'),
  (2, 'Branże', 'tekst', 's100'),
  (3, 'Okresy gwarancji', 'liczba całkowita', 'n_8');
INSERT INTO klasyfikator_slownik_war (id_wartosci, id_slownika, wartosc) VALUES
  (1, 1, 'Bosch'), (2, 1, 'Makita'), (3, 1, 'Śnieżka'), (4, 1, 'Atlas'),
  (5, 2, 'Budownictwo'), (6, 2, 'Handel'), (7, 2, 'Usługi'),
  (8, 3, '12'), (9, 3, '24');
-- Kontrahent has fields 1, 2, 3 and 5: the walk over its fields stops after 3.
INSERT INTO klasyfikator_pole (kod_klas_grupy, nr_pola, nazwa_pola_map, etykieta, typ_danych, rodzaj, maska, lista_wartosci, wartosc_domyslna, czy_aktywne, wymagane, funkcja, przekaz_id, id_slownika, program) VALUES
  ('Artykul', 1, 'pole1', 'Kolor', 'tekst', 1, '@s30', 'biały|czarny|czerwony|niebieski', 'biały', 1, 0, '', 0, 0, ''),
  ('Artykul', 2, 'pole2', 'Gwarancja (mies.)', 'liczba całkowita', 10, '@n6', '0|12|24|36', '12', 1, 0, '', 0, 0, ''),
  ('Artykul', 3, 'pole3', 'Dostawca', 'tekst', 2, '@s50', '', '', 1, 1, '', 0, 1, ''),
  ('Artykul', 4, 'pole4', 'Data przeglądu', 'data', 0, '@d17', '', '', 0, 0, '', 0, 0, ''),
  ('Artykul', 5, 'pole5', 'Stan we wszystkich magazynach', 'liczba', 3, '@n-14.4', '', '', 1, 0, 'dbo.AP_Func_StanArtWszystkieMag', 1, 0, ''),
  ('Artykul', 6, 'pole6', 'Karta katalogowa', 'tekst', 4, '@s200', '', '', 1, 0, '', 0, 0, ''),
  ('Artykul', 7, 'pole7', 'Strona producenta', 'hiperłącze', 0, '@s200', '', '', 1, 0, '', 0, 0, ''),
  ('Kontrahent', 1, 'pole1', 'Branża', 'tekst', 2, '@s30', '', '', 1, 0, '', 0, 2, ''),
  ('Kontrahent', 2, 'pole2', 'Opiekun', 'tekst', 0, '@s50', '', '', 1, 1, '', 0, 0, ''),
  ('Kontrahent', 3, 'pole3', 'Należności otwarte', 'liczba', 3, '@n-14.2', '', '', 1, 0, 'dbo.AP_Func_NaleznosciKontrahenta', 1, 0, ''),
  ('Kontrahent', 5, 'pole5', 'Uwagi', 'tekst', 0, '@s100', '', '', 1, 0, '', 0, 0, ''),
  ('Rozrachunek', 1, 'pole1', 'Uwagi windykacyjne', 'tekst', 0, '@s100', '', '', 1, 0, '', 0, 0, ''),
  ('Rozrachunek', 2, 'pole2', 'Data wezwania', 'data', 0, '@d17', '', '', 1, 0, '', 0, 0, '');

-- ---------------------------------------------------------------- numbering and statuses
-- Groups 11-20 are never loaded; group 21 is a document marker. Company 5, group 1: the type
-- row of type 1 leaves both parameters 0, so they come from the group row.
INSERT INTO definicja_numeracji (id_definicji, id_firmy, dokument, id_typu, id_zasobu, format, okresnumeracji, parametr1, parametr2) VALUES
  (1, 5, 1, 0, 0, 'FV/#/MM/RRRR', 2, 1, 1),
  (2, 5, 1, 1, 0, 'FV/#/RRRR', 1, 0, 0),
  (3, 5, 1, 1, 1, 'FV/MG/#/RRRR', 1, 1, 2),
  (4, 5, 2, 0, 0, 'WZ/#/RRRR', 1, 1, 1),
  (5, 5, 3, 0, 0, 'KP/#/RRRR', 1, 1, 0),
  (6, 5, 15, 0, 0, 'X/#', 1, 1, 1),
  (7, 5, 21, 0, 0, 'W/#', 1, 1, 1),
  (8, 6, 1, 0, 0, 'F/#/RRRR', 1, 1, 1);
INSERT INTO orv_slownik_statusow_dokumentow (id_statusu, opis_statusu, kod_statusu, systemowy, automatyczny, aktywny, typ_dokumentu) VALUES
  (1, 'Niezrealizowane', 'N', 1, 0, 1, 'Z'),
  (2, 'Częściowo zrealizowane', 'C', 1, 1, 1, 'Z'),
  (3, 'Zrealizowane całkowicie', 'Z', 1, 1, 1, 'Z'),
  (4, 'Zamknięte', 'Y', 1, 0, 1, 'Z'),
  (5, 'Anulowane', 'A', 1, 0, 1, 'Z'),
  (6, 'Pilne', 'P', 0, 0, 1, 'Z'),
  (7, 'Wysłane do klienta', 'W', 0, 0, 1, 'z'),
  (8, 'Wstrzymane', 'H', 0, 0, 0, 'Z'),
  (9, 'Zapłacona', 'F', 0, 0, 1, 'F');

-- ---------------------------------------------------------------- VAT, currencies and rates
INSERT INTO stawka_vat (symbol, stawka, opis) VALUES
  ('23', 23.00, 'Stawka podstawowa'), ('8', 8.00, 'Stawka obniżona'), ('5', 5.00, 'Stawka obniżona'),
  ('0', 0.00, 'Stawka zerowa'), ('zw', 0.00, 'Zwolnione'), ('np', 0.00, 'Nie podlega');
INSERT INTO waluta (symbol, nazwa) VALUES
  ('PLN', 'złoty polski'), ('EUR', 'euro'), ('USD', 'dolar amerykański'), ('CHF', 'frank szwajcarski'),
  ('GBP', 'funt szterling'), ('JPY', 'jen japoński');
-- Złoty for przelicznik units; rodzaj 0 NBP (tables 008 and 009/A/NBP/2026), -1 ECB (converted
-- through the euro's złoty rate of that day).
INSERT INTO kurs_waluty (rodzaj, symbol_waluty, data, czas, kurs, przelicznik, numer_tabeli) VALUES
  (0, 'EUR', 82196, 4320001, 4.2210, 1, '008/A/NBP/2026'),
  (0, 'USD', 82196, 4320001, 3.6190, 1, '008/A/NBP/2026'),
  (0, 'CHF', 82196, 4320001, 4.5280, 1, '008/A/NBP/2026'),
  (0, 'GBP', 82196, 4320001, 4.8650, 1, '008/A/NBP/2026'),
  (0, 'JPY', 82196, 4320001, 2.3010, 100, '008/A/NBP/2026'),
  (0, 'EUR', 82197, 4320001, 4.2150, 1, '009/A/NBP/2026'),
  (0, 'USD', 82197, 4320001, 3.6250, 1, '009/A/NBP/2026'),
  (0, 'CHF', 82197, 4320001, 4.5320, 1, '009/A/NBP/2026'),
  (0, 'GBP', 82197, 4320001, 4.8710, 1, '009/A/NBP/2026'),
  (0, 'JPY', 82197, 4320001, 2.3050, 100, '009/A/NBP/2026'),
  (-1, 'EUR', 82197, 5760001, 4.2180, 1, 'ECB 2026-01-14'),
  (-1, 'USD', 82197, 5760001, 3.620601, 1, 'ECB 2026-01-14'),
  (-1, 'CHF', 82197, 5760001, 4.530612, 1, 'ECB 2026-01-14'),
  (-1, 'GBP', 82197, 5760001, 4.870670, 1, 'ECB 2026-01-14'),
  (-1, 'JPY', 82197, 5760001, 2.289902, 100, 'ECB 2026-01-14');

-- ---------------------------------------------------------------- articles
INSERT INTO kategoria_artykulu (id_kategorii, nazwa) VALUES
  (1, 'Elektronarzędzia'), (2, 'Materiały budowlane'), (3, 'Farby'), (4, 'Usługi'), (5, 'Akcesoria');
INSERT INTO kategoria_artykulu_tree (id_kategorii_tree, id_rodzica, nazwa) VALUES
  (1, 0, 'Narzędzia'), (2, 1, 'Elektronarzędzia'), (3, 2, 'Wiertarki'), (4, 0, 'Budowa'),
  (5, 4, 'Chemia budowlana'), (6, 4, 'Farby i lakiery'), (7, 1, 'Akcesoria malarskie');
-- Articles 1/2 (and 5/6) are one article in two warehouses: same guid and index. 9/10 share a
-- guid under two indexes (photos are shared between them by AP_UwspolnijFoto).
INSERT INTO artykul (id_artykulu, id_magazynu, guid_artykul, nazwa, nazwa2, id_kategorii, id_kategorii_tree, id_jednostki, rodzaj, vat_zakupu, vat_sprzedazy, indeks_katalogowy, indeks_handlowy, plu, swwku, pkwiu, kod_kreskowy, stan, rezerwacja, stan_minimalny, stan_maksymalny, opis, uwagi, producent, kraj_pochodzenia, waga, jed_wagi, cena_zakupu_netto, cena_zakupu_brutto, cena_sprzedazy_netto, cena_sprzedazy_brutto, pole1, pole2, pole3, zablokowany, posiada_zdjecie) VALUES
  (1, 1, 'G-0001', 'Wiertarka udarowa 750W', 'WU 750', 1, 3, 1, 'T', '23', '23', 'WU-750', 'H-WU750', 101, '', '27.90.12', '5901234123457', 12, 2, 2, 20, 'Wiertarka z uchwytem 13 mm', 'u1', 'Bosch', 'DE', 2.1, 'kg', 189.00, 232.47, 259.00, 318.57, 'niebieski', '24', 'Bosch', 0, 1),
  (2, 2, 'G-0001', 'Wiertarka udarowa 750W', 'WU 750', 1, 3, 2, 'T', '23', '23', 'WU-750', 'H-WU750', 101, '', '27.90.12', '5901234123457', 4, 0, 1, 10, 'Wiertarka z uchwytem 13 mm', 'u2', 'Bosch', 'DE', 2.1, 'kg', 189.00, 232.47, 259.00, 318.57, 'niebieski', '24', 'Bosch', 0, 1),
  (3, 1, 'G-0002', 'Wkrętarka akumulatorowa 18V', '', 1, 2, 3, 'T', '23', '23', 'WK-18V', '', 102, '', '27.90.12', '5901234123464', 7, 1, 2, 15, 'Dwa akumulatory w zestawie', '', 'Makita', 'JP', 1.6, 'kg', 310.00, 381.30, 429.00, 527.67, 'czarny', '36', 'Makita', 0, 0),
  (4, 1, 'G-0003', 'Cement portlandzki 25 kg', '', 2, 5, 4, 'T', '23', '23', 'CEM-25', '', 0, '', '23.51.12', '5907654000019', 240, 48, 48, 480, 'Cement CEM II 32,5R', '', 'Atlas', 'PL', 25, 'kg', 17.50, 21.53, 24.90, 30.63, '', '0', 'Atlas', 0, 0),
  (5, 1, 'G-0004', 'Farba emulsyjna biała 10 l', '', 3, 6, 6, 'T', '23', '23', 'FE-10', '', 0, '', '20.30.12', '5907654000026', 35, 0, 5, 60, 'Farba do ścian i sufitów', '', 'Śnieżka', 'PL', 14, 'kg', 79.00, 97.17, 119.00, 146.37, 'biały', '12', 'Śnieżka', 0, 1),
  (6, 2, 'G-0004', 'Farba emulsyjna biała 10 l', '', 3, 6, 8, 'T', '23', '23', 'FE-10', '', 0, '', '20.30.12', '5907654000026', 0, 0, 0, 0, 'Farba do ścian i sufitów', '', 'Śnieżka', 'PL', 14, 'kg', 79.00, 97.17, 119.00, 146.37, 'biały', '12', 'Śnieżka', 1, 1),
  (7, 1, 'G-0005', 'Usługa transportowa', '', 4, 0, 10, 'U', '8', '8', 'TR-01', '', 0, '', '49.41.19', '', 0, 0, 0, 0, 'Transport na terenie Warszawy', '', '', 'PL', 0, '', 0, 0, 150.00, 162.00, '', '0', '', 0, 0),
  (8, 3, 'G-0006', 'Śruba M6x40 ocynk', '', 5, 0, 11, 'T', '23', '23', 'SR-M6', '', 0, '', '25.94.11', '5907654000033', 1500, 0, 500, 5000, 'Śruba z łbem sześciokątnym', '', '', 'PL', 0.012, 'kg', 0.18, 0.22, 0.35, 0.43, '', '', '', 0, 0),
  (9, 1, 'G-0007', 'Taśma malarska 48 mm', '', 5, 7, 13, 'T', '23', '23', 'TM-48', '', 0, '', '', '', 80, 0, 20, 200, 'Taśma papierowa 50 m', '', '', 'PL', 0.2, 'kg', 6.20, 7.63, 9.99, 12.29, '', '', '', 0, 1),
  (10, 2, 'G-0007', 'Taśma malarska 48 mm', '', 5, 7, 14, 'T', '23', '23', 'TM-48B', '', 0, '', '', '', 10, 0, 5, 50, 'Taśma papierowa 50 m', '', '', 'PL', 0.2, 'kg', 6.20, 7.63, 9.99, 12.29, '', '', '', 0, 0);
INSERT INTO jednostka (id_jednostki, id_artykulu, skrot, nazwa, przelicznik) VALUES
  (1, 1, 'szt', 'sztuka', 1), (2, 2, 'szt', 'sztuka', 1), (3, 3, 'szt', 'sztuka', 1),
  (4, 4, 'worek', 'worek', 1), (5, 4, 'pal', 'paleta', 48), (15, 4, 'kg', 'kilogram', 0.04),
  (6, 5, 'szt', 'sztuka', 1), (7, 5, 'op', 'opakowanie', 4), (8, 6, 'szt', 'sztuka', 1), (9, 6, 'op', 'opakowanie', 4),
  (10, 7, 'usł', 'usługa', 1), (11, 8, 'szt', 'sztuka', 1), (12, 8, 'op', 'opakowanie', 100),
  (13, 9, 'szt', 'sztuka', 1), (14, 10, 'szt', 'sztuka', 1);
-- Photo 3 lives in a file only (zdjecie NULL).
INSERT INTO artykul_blob (id_bloba, indeks_katalogowy, nazwa, domyslne, zdjecie) VALUES
  (1, 'WU-750', 'wiertarka.jpg', 0, X'FFD8FFE000104A46494600010100000100010000FFD9'),
  (2, 'WU-750', 'wiertarka_bok.jpg', 1, X'FFD8FFE000104A46494600010100000100010001FFD9'),
  (3, 'FE-10', 'farba.jpg', 1, NULL),
  (4, 'TM-48', 'tasma.jpg', 1, X'FFD8FFE000104A46494600010100000100010002FFD9');
INSERT INTO kontrahent_blob (id_bloba, id_kontrahenta, nazwa, domyslne, zdjecie) VALUES
  (1, 1, 'logo.png', 1, X'89504E470D0A1A0A0000000D49484452');

-- ---------------------------------------------------------------- customers, employees, offices
INSERT INTO grupa_kontrahenta (id_grupy_kontrahenta, nazwa) VALUES
  (1, 'Odbiorcy hurtowi'), (2, 'Odbiorcy detaliczni'), (3, 'Dostawcy');
-- Credit-limit modes 0-4 are all present: 1 ACME mode 4, 2 Budmat mode 3 (overdue), 3 Malinowski
-- mode 2 (overdue), 4 Mława mode 1 (blocked), 5 Żabka mode 0.
INSERT INTO kontrahent (id_kontrahenta, id_grupy_kontrahenta, symbol, nazwa, nazwa_pelna, nip, regon, kraj, kod_pocztowy, miejscowosc, ulica_lokal, telefon, email, limit_kupiecki, blokowanie, dni_po_terminie, pole1, pole2) VALUES
  (1, 1, 'ACME', 'ACME Sp. z o.o.', 'ACME Spółka z ograniczoną odpowiedzialnością' || char(13) || char(10) || 'Oddział Kraków', '7770001111', '', 'PL', '31-000', 'Kraków', 'ul. Rynek Główny 1', '12 421 00 00', 'biuro@acme.pl', 50000.00, 4, 0, 'Handel', 'Jan Kowalski'),
  (2, 1, 'BUDMAT', 'Budmat S.A.', 'Budmat Spółka Akcyjna', '1234563218', '', 'PL', '20-001', 'Lublin', 'ul. Lipowa 5', '81 532 00 00', 'zakupy@budmat.pl', 20000.00, 3, 15, 'Budownictwo', 'Ewa Nowak'),
  (3, 2, 'MALINOWSKI', 'Jan Malinowski Usługi Remontowe', '', '7250012344', '', 'PL', '90-001', 'Łódź', 'ul. Piotrkowska 100/2', '', '', 0.00, 2, 40, 'Usługi', 'Jan Kowalski'),
  (4, 2, 'MLAWA', 'Handel Mława Sp.j.', '', '5678234512', '', 'PL', '06-500', 'Mława', 'ul. Warszawska 3', '', '', 5000.00, 1, 0, 'Handel', ''),
  (5, 2, 'ZABKA', 'Żabka-Dom s.c.', '', '9510002221', '', 'PL', '68-200', 'Żary', 'ul. Okrzei 8', '', '', 10000.00, 0, 0, 'Handel', ''),
  (6, 3, 'ZABRZE', 'Zakład Elektryczny Zabrze', '', '1133004457', '', 'PL', '41-800', 'Zabrze', 'ul. Wolności 1', '', '', 0.00, 0, 0, '', ''),
  (7, 3, 'MULLER', 'Müller GmbH', '', 'DE123456789', '', 'DE', '10115', 'Berlin', 'Invalidenstraße 1', '', '', 0.00, 0, 0, 'Handel', '');
INSERT INTO pracownik (id_pracownika, id_firmy, nazwisko, imie_1, imie_2, pesel, stanowisko) VALUES
  (5, 5, 'Kowalski  ', 'Jan  ', '', '44051401359', 'Przedstawiciel handlowy'),
  (6, 5, 'Nowak', 'Anna', 'Maria', '02070803628', 'Księgowa'),
  (7, 5, 'Wójcik', 'Piotr', '', '', 'Magazynier');
-- Employee 5 moved on 1 Mar 2020; the address from 1 Jun 2026 is not valid yet. Employee 7 has none.
INSERT INTO adres_pracownika (id_adresu, id_pracownika, data_od, typ, ulica, nr_domu, nr_lokalu, kod_pocztowy, miejscowosc) VALUES
  (1, 5, 78166, 'M', 'Stara', '1', '', '00-001', 'Warszawa'),
  (2, 5, 80052, 'M', 'Długa ', '12 ', '3 ', '30-001 ', 'Kraków '),
  (3, 5, 82335, 'M', 'Przyszła', '9', '', '11-111', 'Gdańsk'),
  (4, 5, 80052, 'K', 'Pocztowa', '2', '', '30-002', 'Kraków'),
  (5, 6, 79747, 'M', 'Polna', '7', '', '05-800', 'Pruszków');
INSERT INTO urzedy (id_urzedu, kod_urzedu, nazwa, kod_pocztowy, miejscowosc, ulica) VALUES
  (1, '1438', 'Drugi Urząd Skarbowy Warszawa-Śródmieście', '00-013', 'Warszawa', 'ul. Jasna 2/4'),
  (2, '1228', 'Pierwszy Urząd Skarbowy w Krakowie', '31-545', 'Kraków', 'ul. Wielicka 72'),
  (3, '0000', 'Zakład Ubezpieczeń Społecznych', '01-748', 'Warszawa', 'ul. Szamocka 3, 5');
-- Every account has valid IBAN check digits in lk.
INSERT INTO rachunek_firmy (id_rachunku, id_firmy, numer_rachunku, lk, nazwa_banku, symbol_waluty) VALUES
  (1, 5, '1090 1014 0000 0712 1981 2874', '61', 'Santander Bank Polska', 'PLN'),
  (2, 5, '1090 1014 0000 0712 1981 3000', '54', 'Santander Bank Polska', 'EUR'),
  (3, 6, '1240 6247 1111 0000 4444 5555', '18', 'Bank Pekao', 'PLN');
INSERT INTO rachunek_kontrahenta (id_rachunku, id_kontrahenta, numer_rachunku, lk, nazwa_banku, domyslny) VALUES
  (1, 1, '1140 2004 0000 3002 0135 5387', '27', 'mBank', 1),
  (2, 2, '1020 1026 0000 0422 7020 1111', '60', 'PKO BP', 1),
  (3, 2, '1240 1037 1111 0010 2233 4455', '57', 'Bank Pekao', 0),
  (4, 3, '1050 1445 1000 0090 3000 4000', '47', 'ING Bank Śląski', 1),
  (5, 5, '1160 2202 0000 0001 2345 6789', '91', 'Bank Millennium', 1),
  (6, 6, '1140 2004 0000 3502 7654 3210', '77', 'mBank', 1);
INSERT INTO rachunek_pracownika (id_rachunku, id_pracownika, numer_rachunku, lk, nazwa_banku) VALUES
  (1, 5, '1020 4027 0000 1102 0012 3456', '98', 'PKO BP'),
  (2, 6, '1020 2892 0000 5502 0511 9999', '09', 'PKO BP');
INSERT INTO rachunek_urzedu (id_rachunku, id_urzedu, numer_rachunku, lk, nazwa_banku) VALUES
  (1, 1, '1010 1010 0010 2222 3333 4444', '02', 'NBP'),
  (2, 3, '1010 1010 0078 9122 3100 0000', '21', 'NBP');

-- ---------------------------------------------------------------- documents
INSERT INTO typ_dokumentu_handlowego (id_firmy, id_typu, sygnatura, nazwa) VALUES
  (5, 1, 'FV', 'Faktura VAT'), (5, 2, 'FK', 'Faktura korygująca'), (5, 3, 'PA', 'Paragon'),
  (6, 1, 'FV', 'Faktura VAT');
INSERT INTO typ_dokumentu_magazynowego (id_firmy, id_typu, sygnatura, nazwa) VALUES
  (5, 1, 'WZ', 'Wydanie zewnętrzne'), (5, 2, 'PZ', 'Przyjęcie zewnętrzne'),
  (5, 3, 'MM', 'Przesunięcie międzymagazynowe'), (6, 1, 'WZ', 'Wydanie zewnętrzne');
INSERT INTO typ_dokumentu_finansowego (id_firmy, id_typu, sygnatura, nazwa) VALUES
  (5, 1, 'PW', 'Polecenie przelewu'), (5, 2, 'KP', 'Kasa przyjmie'), (5, 3, 'KW', 'Kasa wyda'),
  (5, 4, 'WB', 'Wyciąg bankowy'), (6, 1, 'PW', 'Polecenie przelewu');
INSERT INTO dokument_handlowy (id_dokumentu_handlowego, id_firmy, id_magazynu, id_typu, numer, data_wystawienia, data_sprzedazy, termin_platnosci, id_kontrahenta, id_platnika, id_dokumentu_korygowanego, wartosc_netto, wartosc_vat, wartosc_brutto, zaplacono, id_uzytkownika, dok_zablokowany, semafor, do_ksiegowania, zaksiegowany) VALUES
  (1, 5, 1, 1, 'FV/1/12/2025', 82153, 82153, 82167, 1, 1, 0, 10000.00, 2300.00, 12300.0000, 12300.0000, 7, 1, NULL, 1, 1),
  (2, 5, 1, 1, 'FV/2/12/2025', 82162, 82162, 82183, 2, 2, 0, 5000.00, 1150.00, 6150.0000, 1000.0000, 7, 0, NULL, 0, 0),
  (3, 5, 1, 1, 'FV/1/01/2026', 82193, 82193, 82207, 2, 2, 0, 2500.00, 575.00, 3075.0000, 0, 7, 0, NULL, 0, 0),
  (4, 5, 2, 1, 'FV/3/11/2025', 82142, 82142, 82156, 3, 3, 0, 1000.00, 230.00, 1230.0000, 0, 9, 0, 8, 0, 0),
  (5, 5, 1, 1, 'FV/2/01/2026', 82195, 82195, 82225, 1, 1, 0, 20000.00, 4600.00, 24600.0000, 0, 7, 0, NULL, 0, 0),
  (6, 5, 2, 2, 'FK/1/12/2025', 82172, 82172, 82172, 3, 3, 4, -100.00, -23.00, -123.0000, 0, 9, 0, NULL, 0, 0),
  (7, 5, 1, 1, 'FV/3/01/2026', 82197, 82197, 82211, 5, 5, 0, 800.00, 184.00, 984.0000, 0, 8, 0, NULL, 0, 0),
  (8, 6, 3, 1, 'F/1/2026', 82196, 82196, 82210, 4, 4, 0, 100.00, 23.00, 123.0000, 0, 10, 0, NULL, 0, 0);
INSERT INTO pozycja_dokumentu_handlowego (id_pozycji, id_dokumentu_handlowego, lp, id_artykulu, ilosc, jednostka, cena_netto, stawka_vat, wartosc_netto, wartosc_brutto) VALUES
  (1, 1, 1, 1, 10, 'szt', 259.00, '23', 2590.00, 3185.70),
  (2, 1, 2, 4, 297.6, 'worek', 24.90, '23', 7410.00, 9114.30),
  (3, 2, 1, 5, 42, 'szt', 119.05, '23', 5000.00, 6150.00),
  (4, 3, 1, 3, 5, 'szt', 500.00, '23', 2500.00, 3075.00),
  (5, 4, 1, 7, 6, 'usł', 166.67, '23', 1000.00, 1230.00),
  (6, 5, 1, 4, 803.2, 'worek', 24.90, '23', 20000.00, 24600.00),
  (7, 7, 1, 9, 80, 'szt', 10.00, '23', 800.00, 984.00);
INSERT INTO koszt_dok_handl (id_kosztu, id_dokumentu_handlowego, nazwa, kwota) VALUES
  (1, 1, 'Transport', 150.00);
-- Issues (WZ) 2 and 3 have no invoice yet: they count against the credit limit when
-- WliczajWZDoLimitu is Tak.
INSERT INTO dokument_magazynowy (id_dok_magazynowego, id_firmy, id_magazynu, id_typu, numer, data, id_kontrahenta, id_dokumentu_handlowego, wartosc_netto, wartosc_brutto, id_uzytkownika, dok_zablokowany, semafor, do_ksiegowania) VALUES
  (1, 5, 1, 1, 'WZ/1/2025', 82153, 1, 1, 10000.00, 12300.00, 7, 1, NULL, 0),
  (2, 5, 1, 1, 'WZ/2/2026', 82196, 2, 0, 1500.00, 1845.00, 7, 0, NULL, 0),
  (3, 5, 2, 1, 'WZ/3/2026', 82197, 1, 0, 500.00, 615.00, 9, 0, NULL, 0),
  (4, 5, 1, 2, 'PZ/1/2026', 82185, 6, 0, 3000.00, 3690.00, 7, 0, NULL, 0),
  (5, 5, 2, 3, 'MM/1/2026', 82188, 0, 0, 0.00, 0.00, 9, 0, 7, 0);
INSERT INTO pozycja_dokumentu_magazynowego (id_pozycji_dok_mag, id_dok_magazynowego, lp, id_artykulu, ilosc, cena, wartosc) VALUES
  (1, 1, 1, 1, 10, 259.00, 2590.00), (2, 2, 1, 3, 3, 500.00, 1500.00), (3, 3, 1, 5, 4.2, 119.05, 500.00),
  (4, 4, 1, 4, 200, 15.00, 3000.00), (5, 5, 1, 2, 2, 0, 0);
-- Financial documents: 11, 12, 13, 15 and 16 are transfer orders (PW) to a customer, an employee
-- and an office; 14 is a cash receipt; 16 has no recipient account.
INSERT INTO dokument_finansowy (id_dokumentu_finansowego, id_firmy, id_typu, numer, data, typ_platnika, id_platnika, tytulem, kwota, id_kasy, id_rachunku_kasy, nr_rachunku_platnika, id_uzytkownika, dok_zablokowany, do_ksiegowania) VALUES
  (11, 5, 1, 'PW/1/01/2026', 82197, 'k', 1, 'Zapłata za FZ 12/2025', 1234.50, 2, 1, '1140 2004 0000 3002 0135 5387', 8, 0, 0),
  (12, 5, 1, 'PW/2/01/2026', 82197, 'p', 5, 'Zwrot kosztów delegacji', 100.00, 2, 1, '1020 4027 0000 1102 0012 3456', 8, 0, 0),
  (13, 5, 1, 'PW/3/01/2026', 82198, 'u', 1, 'VAT-7 12/2025', 55.10, 2, 1, '1010 1010 0010 2222 3333 4444', 8, 0, 1),
  (14, 5, 2, 'KP/1/01/2026', 82197, 'k', 1, 'Wpłata gotówki', 1.00, 1, 1, '', 8, 0, 0),
  (15, 5, 1, 'PW/4/01/2026', 82198, 'k', 2, 'Zapłata za faktury FZ 101/2025, FZ 102/2025, FZ 103/2025 oraz FZ 104/2025 zgodnie z umową nr 7/2025', 15230.77, 2, 1, '1020 1026 0000 0422 7020 1111', 8, 1, 0),
  (16, 5, 1, 'PW/5/01/2026', 82198, 'k', 3, 'Zaliczka', 300.00, 2, 1, '', 8, 0, 0),
  (17, 6, 1, 'PW/1/2026', 82198, 'k', 4, 'Zapłata', 50.00, 3, 3, '', 10, 0, 0);
INSERT INTO raport_kas_bank (id_raportu_kas_bank, id_firmy, id_kasy, numer, data_od, data_do, saldo_poczatkowe, saldo_koncowe) VALUES
  (1, 5, 1, 'RK/1/2026', 82185, 82214, 1500.00, 1501.00);
INSERT INTO zamowienie (id_zamowienia, id_firmy, id_magazynu, numer, data, id_kontrahenta, status, wartosc_netto, id_uzytkownika, dok_zablokowany, semafor) VALUES
  (1, 5, 1, 'ZO/1/2026', 82188, 1, 'N', 2590.00, 7, 0, NULL),
  (2, 5, 1, 'ZO/2/2026', 82193, 2, 'C', 1190.00, 7, 0, NULL),
  (3, 5, 2, 'ZO/3/2026', 82196, 5, 'P', 99.90, 9, 1, NULL);
INSERT INTO pozycja_zamowienia (id_pozycji_zamowienia, id_zamowienia, id_artykulu, ilosc, ilosc_zrealizowana, cena_netto) VALUES
  (1, 1, 1, 10, 0, 259.00), (2, 2, 5, 10, 4, 119.00), (3, 3, 9, 10, 0, 9.99);
-- Receivables (N) of the invoices and two payables (Z). As of 82198: Budmat owes 5150.00 overdue
-- since 82183; Malinowski 1230.00 overdue since 82156 (less a 123.00 correction).
INSERT INTO rozrachunek (id_rozrachunku, id_firmy, id_kontrahenta, typ, id_dokumentu_handlowego, numer_dokumentu, data_dokumentu, termin_platnosci, kwota, kwota_rozliczona, pole1, pole2) VALUES
  (1, 5, 1, 'N', 1, 'FV/1/12/2025', 82153, 82167, 12300.00, 12300.00, '', ''),
  (2, 5, 2, 'N', 2, 'FV/2/12/2025', 82162, 82183, 6150.00, 1000.00, 'Wezwanie wysłane', '82196'),
  (3, 5, 2, 'N', 3, 'FV/1/01/2026', 82193, 82207, 3075.00, 0.00, '', ''),
  (4, 5, 3, 'N', 4, 'FV/3/11/2025', 82142, 82156, 1230.00, 0.00, 'Telefon 10.12', ''),
  (5, 5, 3, 'N', 6, 'FK/1/12/2025', 82172, 82172, -123.00, 0.00, '', ''),
  (6, 5, 1, 'N', 5, 'FV/2/01/2026', 82195, 82225, 24600.00, 0.00, '', ''),
  (7, 5, 5, 'N', 7, 'FV/3/01/2026', 82197, 82211, 984.00, 0.00, '', ''),
  (8, 5, 2, 'Z', 0, 'FZ/55/2025', 82162, 82172, 2000.00, 0.00, '', ''),
  (9, 5, 1, 'Z', 0, 'FZ/12/2025', 82183, 82213, 1234.50, 0.00, '', ''),
  (10, 6, 4, 'N', 8, 'F/1/2026', 82196, 82210, 123.00, 0.00, '', '');
INSERT INTO inter_fin_rozrach (id_dokumentu_finansowego, id_rozrachunku, kwota) VALUES
  (14, 1, 1.00);
INSERT INTO opis_dok_poz_fin (id_opisu, id_firmy, id_typu, dok_poz, opis, domyslny) VALUES
  (1, 5, 1, 1, 'Zapłata za fakturę', 1),
  (2, 5, 1, 1, 'Zaliczka na poczet dostaw', 0),
  (3, 5, 1, 2, 'Przelew wynagrodzenia', 0),
  (4, 5, 2, 1, 'Wpłata gotówki do kasy', 1);

-- ---------------------------------------------------------------- payment-file schemes
INSERT INTO mc_def_nag (id_mc_def_nag, nazwa, opis, strona_kodowa) VALUES
  (1, 'Elixir-0', 'Standardowy schemat Elixir-0 (przelewy krajowe)', 'Latin'),
  (2, 'Lista przelewów', 'Plik tekstowy o stałej szerokości pól', 'Windows');
INSERT INTO mc_def_pola (id_mc_def_pola, nazwa, wartosc, typ) VALUES
  (1, 'Nazwa kontrahenta', '', 'S'), (2, 'Kod pocztowy kontrahenta', '', 'S'),
  (3, 'Miejscowość kontrahenta', '', 'S'), (4, 'Kod i miejscowość kontrahenta', '', 'S'),
  (5, 'Ulica kontrahenta', '', 'S'), (6, 'Numer rozliczeniowy banku kontrahenta', '', 'S'),
  (7, 'Numer rachunku kontrahenta', '', 'S'), (8, 'Rachunek kontrahenta bez sumy kontrolnej', '', 'S'),
  (9, 'Suma kontrolna rachunku kontrahenta', '', 'S'), (10, 'Rachunek kontrahenta', '', 'S'),
  (51, 'Nazwa firmy', '', 'S'), (52, 'Kod pocztowy firmy', '', 'S'), (53, 'Miejscowość firmy', '', 'S'),
  (54, 'Kod i miejscowość firmy', '', 'S'), (55, 'Ulica firmy', '', 'S'),
  (56, 'Numer rozliczeniowy banku firmy', '', 'S'), (57, 'Numer rachunku firmy', '', 'S'),
  (58, 'Rachunek firmy bez sumy kontrolnej', '', 'S'), (59, 'Suma kontrolna rachunku firmy', '', 'S'),
  (60, 'Rachunek firmy', '', 'S'), (100, 'Tytułem', '', 'S'), (101, 'Kwota', '', 'S'), (102, 'Data', '', 'S'),
  (200, 'Typ komunikatu Elixir', '110', 'U'), (201, 'Pole zerowe', '0', 'U'), (202, 'Pusty tekst', '', 'U'),
  (203, 'Klasyfikacja polecenia', '51', 'U'), (204, 'Nagłówek pliku', 'PRZELEWY HURTOWNIA DEMO', 'U');
INSERT INTO mc_def_poz (id_mc_def_nag,id_mc_def_pola,lp,prefiks,sufiks,separator,typ,koniec_linii,wymagana_wartosc,format_typ,format_ilosc,format_fixed,format_format,format_separator,format_wyrownanie,format_display_1,format_display_2) VALUES
  (1,200,1,'','',',','',0,1,'N',3,0,'','',1,'3 n V',' 999  ,'),
  (1,102,2,'','',',','',0,1,'D',8,0,'RRRRMMDD','',1,'8 d V',' RRRRMMDD  ,'),
  (1,101,3,'','',',','',0,1,'N',15,0,'','',1,'15 n V',' 999999999999999  ,'),
  (1,56,4,'','',',','',0,1,'N',8,0,'','',1,'8 n V',' 99999999  ,'),
  (1,201,5,'','',',','',0,1,'N',1,0,'','',1,'1 n V',' 9  ,'),
  (1,60,6,'"','"',',','',0,1,'A',34,0,'','',1,'34 a V','" XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX " ,'),
  (1,10,7,'"','"',',','',0,1,'A',34,0,'','',1,'34 a V','" XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX " ,'),
  (1,51,8,'"','','|','',0,1,'A',35,0,'','',1,'35 a V','" XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX  |'),
  (1,51,9,'','','|','',0,0,'A',35,0,'','',1,'35 a V',' XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX  |'),
  (1,55,10,'','','|','',0,0,'A',35,0,'','',1,'35 a V',' XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX  |'),
  (1,54,11,'','"',',','',0,0,'A',35,0,'','',1,'35 a V',' XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX " ,'),
  (1,1,12,'"','','|','',0,1,'A',35,0,'','',1,'35 a V','" XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX  |'),
  (1,1,13,'','','|','',0,0,'A',35,0,'','',1,'35 a V',' XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX  |'),
  (1,5,14,'','','|','',0,0,'A',35,0,'','',1,'35 a V',' XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX  |'),
  (1,4,15,'','"',',','',0,0,'A',35,0,'','',1,'35 a V',' XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX " ,'),
  (1,201,16,'','',',','',0,1,'N',1,0,'','',1,'1 n V',' 9  ,'),
  (1,6,17,'','',',','',0,1,'N',8,0,'','',1,'8 n V',' 99999999  ,'),
  (1,100,18,'"','','|','',0,1,'A',35,0,'','',1,'35 a V','" XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX  |'),
  (1,100,19,'','','|','',0,0,'A',35,0,'','',1,'35 a V',' XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX  |'),
  (1,100,20,'','','|','',0,0,'A',35,0,'','',1,'35 a V',' XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX  |'),
  (1,100,21,'','"',',','',0,0,'A',35,0,'','',1,'35 a V',' XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX " ,'),
  (1,202,22,'"','"',',','',0,0,'A',1,0,'','',1,'1 a V','" X " ,'),
  (1,202,23,'"','"',',','',0,0,'A',1,0,'','',1,'1 a V','" X " ,'),
  (1,203,24,'"','"',',','',0,1,'A',2,0,'','',1,'2 a V','" XX " ,'),
  (1,202,25,'"','"','','',0,0,'A',1,0,'','',1,'1 a V','" X " '),
  (2,204,1,'','','','N',1,1,'A',30,0,'','',1,'30 a V',' XXXXXXXXXXXXXXXXXXXXXXXXXXXXXX  '),
  (2,102,2,'','',' ','',0,1,'D',10,0,'DDMMRRRR','-',1,'10 d V',' DD-MM-RRRR   '),
  (2,1,3,'','',' ','',0,1,'A',40,1,'','',1,'40 a F',' XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX   '),
  (2,10,4,'','',' ','',0,1,'A',26,1,'','',1,'26 a F',' XXXXXXXXXXXXXXXXXXXXXXXXXX   '),
  (2,101,5,'','',' ','',0,1,'N',12,1,'',',',1,'12 n F',' 999999999,99   '),
  (2,100,6,'','','','',0,1,'A',60,1,'','',1,'60 a F',' XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX  ');

-- ---------------------------------------------------------------- report variants
INSERT INTO parametr_raportu (id_parametru, id_raportu, nazwa, wartosc_domyslna) VALUES
  (1, 10, 'IBAN', ''), (2, 10, 'DataOd', '0'), (3, 10, 'DataDo', '0'), (4, 10, 'Magazyn', '0'),
  (5, 11, 'IBAN', ''), (6, 11, 'Schemat', '1');
INSERT INTO wariant (id_wariantu, id_raportu, nazwa) VALUES
  (100, 10, 'Domyślny'), (101, 10, 'Grudzień 2025'), (102, 11, 'Domyślny');
INSERT INTO wartosc_parametru (id_parametru, id_wariantu, id_uzytkownika, wartosc) VALUES
  (1, 100, 7, '61109010140000071219812874'), (2, 100, 7, '82185'), (3, 100, 7, '82214'), (4, 100, 7, '1'),
  (2, 101, 7, '82153'), (3, 101, 7, '82183'),
  (2, 100, 8, '82153'), (5, 102, 8, '61109010140000071219812874'), (6, 102, 8, '2');

-- ---------------------------------------------------------------- marks, object lists, filters
-- jan's marks: transfer orders under 300, articles under 102, customers under 120.
INSERT INTO zaznaczone (id_sesji, uzycie, id, id2) VALUES
  (7, 300, 11, 0), (7, 300, 12, 0), (7, 300, 13, 0), (7, 300, 15, 0), (7, 300, 16, 0),
  (7, 102, 1, 0), (7, 102, 3, 0), (7, 102, 4, 0),
  (7, 120, 1, 0), (7, 120, 2, 0),
  (8, 300, 11, 0);
INSERT INTO orv_lista_obiektow (id_listy, nazwa_listy, uzycie, id_firmy, id_magazynu, licznosc, id_uzytkownika, mobile, opis) VALUES
  (1, 'Kluczowi klienci', 120, 5, 0, 2, 0, 0, 'Klienci do wysyłki ofert'),
  (2, 'Promocja styczeń', 102, 5, 1, 2, 0, 1, 'Artykuły w promocji'),
  (3, '<zaznaczeni kontrahenci>', 120, 5, 0, 1, 7, 0, '');
INSERT INTO orv_elementy_listy_obiektow (id_listy, id_elementu) VALUES
  (1, 1), (1, 2), (2, 1), (2, 3), (3, 5);
INSERT INTO orv_uzytkownik_listy_obiektow (id_uzytkownika, id_listy) VALUES
  (4100001, 1), (7, 1), (9, 1), (4100001, 2), (7, 2), (7, 3);
INSERT INTO orv_grupauzytkownikow_listy_obiektow (id_listy, id_grupy) VALUES
  (1, 1), (2, 1), (2, 2);
INSERT INTO orv_definicja_filtra (id_filtra, nazwa, nazwa_kontekstu, typ, podsystem, id_uzytkownika, opis) VALUES
  (1, 'GrupoweStanyMinMaxRez', 'asortyment', 'ustawienia', 'stany', 7, 'Ostatnie ustawienia grupowej zmiany stanów'),
  (2, 'Faktury grudzień', 'Dokument_Handlowy_Brw', 'Filtr', 'FiltrF8', 7, 'Faktury z grudnia 2025'),
  (3, 'Duzi klienci', 'Kontrahent_Brw', 'Filtr', 'FiltrF8', 8, 'Limit powyżej 10 000 zł');
INSERT INTO orv_filtr_uzytkownika (id_filtra, id_firmy, id_uzytkownika, xml, tekst_dodatkowy) VALUES
  (1, 5, 7, '<GROUP>' || char(13) || char(10) || '<CHK_PROG_REZ>0</CHK_PROG_REZ>' || char(13) || char(10) || '<CHK_STAN_MAX>1</CHK_STAN_MAX>' || char(13) || char(10) || '<CHK_STAN_MIN>1</CHK_STAN_MIN>' || char(13) || char(10) || '<PROG_REZ>0</PROG_REZ>' || char(13) || char(10) || '<PR_PROG_REZ>0</PR_PROG_REZ>' || char(13) || char(10) || '<PR_STAN_MAX>150</PR_STAN_MAX>' || char(13) || char(10) || '<PR_STAN_MIN>20</PR_STAN_MIN>' || char(13) || char(10) || '<PR_WART_PROG_ZAM>0</PR_WART_PROG_ZAM>' || char(13) || char(10) || '<PR_WART_STAN_MAX>1</PR_WART_STAN_MAX>' || char(13) || char(10) || '<PR_WART_STAN_MIN>1</PR_WART_STAN_MIN>' || char(13) || char(10) || '<STAN_MAX>0</STAN_MAX>' || char(13) || char(10) || '<STAN_MIN>0</STAN_MIN>' || char(13) || char(10) || '</GROUP>', ''),
  (2, 5, 0, '<GROUP>' || char(13) || char(10) || '<DATA_DO>82183</DATA_DO>' || char(13) || char(10) || '<DATA_OD>82153</DATA_OD>' || char(13) || char(10) || '<KONTRAHENT></KONTRAHENT>' || char(13) || char(10) || '</GROUP>', ''),
  (3, 5, 0, '<GROUP>' || char(13) || char(10) || '<LIMIT_OD>10000</LIMIT_OD>' || char(13) || char(10) || '</GROUP>', '');
INSERT INTO orv_uzytkownik_filtrow (id_uzytkownika, id_filtra) VALUES
  (4100001, 1), (7, 1), (4100001, 2), (7, 2), (8, 2), (9, 2), (4100001, 3), (8, 3);

-- ---------------------------------------------------------------- logs and imports
INSERT INTO log_wykonania (id_logu, id_uzytkownika, kontekst, opis1, opis2, data, czas) VALUES
  (1, 7, 'SzabDokSer', 'Abonament serwisowy / Handel Mława Sp.j.', 'Kontrahent zablokowany - dokument pominięty', 82198, 3600001),
  (2, 7, 'SzabDokSer', 'Abonament serwisowy / Żabka-Dom s.c.', 'Brak cennika dla kontrahenta', 82198, 3600001),
  (3, 8, 'SzabDokSer', 'Abonament serwisowy / ACME Sp. z o.o.', 'Limit kupiecki przekroczony', 82198, 3600001),
  (4, 7, 'Inwentaryzacja', 'Magazyn główny', 'Różnice inwentaryzacyjne: 2 pozycje', 82197, 5400001);
-- One imported CSV file of three records: a new article, a price change of CEM-25 and a record
-- without a name (rejected when moved).
INSERT INTO plik_blob (id_bloba, id_firmy, id_uzytkownika, rodzaj_obiektu, nazwa_pliku, data, czas, plik, imp_ok, ilosc_rek_imp, status0_imp) VALUES
  (1, 5, 7, 'ARTYKUL', 'import_styczen.csv', 82197, 4000001,
   CAST('NAZWA;INDEKS_KATALOGOWY;JEDNOSTKA_SKROT;KATEGORIA;KATEGORIA_WIELOPOZIOMOWA;VAT_SPRZEDAZY;CENA_ZAKUPU_NETTO' || char(13) || char(10) ||
        'Młotek ciesielski 600 g;MC-600;szt;Narzędzia ręczne;Narzędzia\Ręczne;23;18.50' || char(13) || char(10) ||
        'Cement portlandzki 25 kg;CEM-25;worek;Materiały budowlane;Budowa\Chemia budowlana;23;18.20' || char(13) || char(10) ||
        ';BEZ-NAZWY;szt;Akcesoria;;23;1' || char(13) || char(10) AS BLOB), 1, 3, 3);
INSERT INTO artykul_imp (id_rekordu, id_bloba, id_firmy, id_uzytkownika, nazwa, indeks_katalogowy, jednostka, kategoria, kategoria_wielopoziomowa, vat_zakupu, vat_sprzedazy, cena_zakupu_netto, status) VALUES
  (1, 1, 5, 7, 'Młotek ciesielski 600 g', 'MC-600', 'szt', 'Narzędzia ręczne', 'Narzędzia\Ręczne', '23', '23', 18.50, 0),
  (2, 1, 5, 7, 'Cement portlandzki 25 kg', 'CEM-25', 'worek', 'Materiały budowlane', 'Budowa\Chemia budowlana', '23', '23', 18.20, 0),
  (3, 1, 5, 7, '', 'BEZ-NAZWY', 'szt', 'Akcesoria', '', '23', '23', 1, 0);
