SELECT count(*) FROM uzytkownik A WHERE A."ID_UZYTKOWNIKA" > 5;
SELECT [nazwa] FROM [uzytkownik] WHERE [id_uzytkownika]=7;