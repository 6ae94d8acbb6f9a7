"""The Python bindings on a fresh demo database: the host's day, values both ways, refusals."""
import os
import shutil
import tempfile
import unittest

import orvrun


class DemoDatabase(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.mkdtemp()
        cls.db = os.path.join(cls.dir, "demo.db")
        orvrun.create(cls.db, demo=True)

    @classmethod
    def tearDownClass(cls):
        orvrun.close()
        shutil.rmtree(cls.dir)

    def setUp(self):
        orvrun.open(self.db)
        orvrun.sign_in(user=7)

    def test_1_the_example_of_the_readme(self):
        orvrun.call("ODZNACZALLSQL", 1)
        orvrun.call("ZAZNACZSQL", 1, 1001)
        orvrun.call("ZAZNACZSQL", 1, 1002)
        self.assertEqual(orvrun.call("ILEZAZNACZONYCH", 1).value, 2)
        self.assertEqual(orvrun.call("POBIERZPARAMKONF", "s", "IBAN").value,
                         "61109010140000071219812874")
        self.assertEqual(orvrun.call("POBIERZUPRAWNIENIE", "ArtykStanMinMaxRez", 2).value, 1)
        orvrun.headless("answer yes")
        self.assertEqual(orvrun.call("MSG_PYTANIE", "Czy kontynuować?").value, 2)
        self.assertEqual(orvrun.messages(), [{"kind": "question", "title": "ORVEX: Pytanie",
                                              "text": "Czy kontynuować?", "answer": "yes"}])
        orvrun.sign_out()

    def test_2_sign_in_fills_the_context_and_tables(self):
        self.assertEqual(orvrun.get_global("GLO:ID_UZYTKOWNIKA"), 7)
        self.assertGreater(len(orvrun.table("VATQ")), 0)
        self.assertIn("SYMBOL", orvrun.table("VATQ")[0])
        with self.assertRaises(orvrun.Error):
            orvrun.sign_in(user=999)  # not in the database

    def test_3_texts_and_references_cross_both_ways(self):
        self.assertEqual(orvrun.call("TEKSTZPOLNAANG", "Zażółć gęślą jaźń").value,
                         "Zazolc_gesla_jazn")
        orvrun.set_global("GLO:KONTEKST", "Łódź")
        self.assertEqual(orvrun.get_global("glo:kontekst"), "Łódź")
        refs = [p for p in orvrun.procedures()["POBIERZZAKRESKOLUMNBROWSERA"].params if p.by_ref]
        result = orvrun.call("POBIERZZAKRESKOLUMNBROWSERA", "nosuch", **{p.name: 5 for p in refs})
        self.assertEqual(result.out, {p.name: 0 for p in refs})

    def test_3b_records_text_arrays_and_bands_cross_as_python_values(self):
        record = [{"name": "LOC:Kod", "type": "STRING", "size": 10, "value": "Łódź"},
                  {"name": "LOC:Tab", "type": "BYTE", "dim": 2, "value": [1, 2]}]
        xml = orvrun.call("GRUPADOXML", record).value
        empty = [{k: v for k, v in f.items() if k != "value"} for f in record]
        back = orvrun.call("XMLDOGRUPY", xml, empty)
        self.assertEqual(back.out["record"], record)
        printed = orvrun.call("KLASYFIKATORY_RAPORT", "Artykul", ["czarny"], "@band", "1")
        self.assertEqual(printed.value, False)
        self.assertEqual(printed.out["band"][0]["text"], "Kolor:  czarny")

    def test_4_what_cannot_be_passed_is_refused(self):
        cases = [
            (ValueError, lambda: orvrun.call("NIPOK", "日本")),      # no Windows-1250 form
            (orvrun.Error, lambda: orvrun.call("ILEZAZNACZONYCH", 1.5)),  # LONG not whole
            (KeyError, lambda: orvrun.call("NO_SUCH_PROCEDURE")),
            (TypeError, lambda: orvrun.call("NIPOK", "1", "2")),
            (ValueError, lambda: orvrun.set_global("GLO:RIBBONOFF", 300)),
        ]
        for i, (error, action) in enumerate(cases, 1):
            with self.subTest(case=i):
                self.assertRaises(error, action)

    def test_5_every_exported_procedure_is_callable_by_name(self):
        names = orvrun.procedures()
        self.assertIn("NIPOK", names)
        self.assertEqual(orvrun.call("nipok", "5260250995").value, 1)

    def test_6_a_list_goes_as_its_json_form(self):
        path = os.path.join(self.dir, "lista.csv")
        orvrun.headless("answer %s; answer no" % path)
        orvrun.call("EXPORTBROWSERTOEXCEL", {
            "caption": "Artykuły",
            "columns": [{"title": "Nazwa", "width": 40, "picture": "@s20", "field": 1}],
            "rows": [["Śruba"], ["Taśma"]]}, 1)
        with open(path, encoding="cp1250") as f:
            self.assertEqual(f.read(), '"Nazwa"\n"Śruba"\n"Taśma"\n')


if __name__ == "__main__":
    unittest.main()
