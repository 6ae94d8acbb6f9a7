// A scripted server for the column tests: list definitions and one user's layout, answered to the
// statements the loader and the dialog send, behind the recording driver.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "support/sql_support.hpp"
#include "support/support.hpp"

namespace orv::test {

struct ListWindow {
  int id;
  std::string name;
  int first;
  int last;
  std::string group;
  int offset;
};

struct ColumnDef {
  int window;  // ListWindow::id
  int id;
  int number;
  std::string caption;
  int width;
  std::string format;
  int additional = 0;
  int hidden = 0;
  int quantity = 0;
};

struct UserColumn {
  int column;  // ColumnDef::id
  int width;
  int position;
  std::string format;
};

// The article list as the demo database has it (fields 1, 2 active, 4 inactive), a customer
// list, and a window that has a range but no columns.
inline std::vector<ListWindow> demo_windows() {
  return {{1, "Artykul_Brw", 1, 14, "Artykul", 10},
          {2, "Kontrahent_Brw", 1, 11, "Kontrahent", 10},
          {3, "Pusty_Brw", 1, 5, "", 0},
          {5, "Pozycje_Dokumentu_Magazynowego_Brw", 1, 5, "", 0}};
}

inline std::vector<ColumnDef> demo_definitions() {
  return {
      {1, 1, 1, "Indeks", 60, "60L(2)|M~Indeks~@s20@"},
      {1, 2, 2, "Nazwa", 160, "160L(2)|M~Nazwa~@s100@"},
      {1, 3, 3, "Stan", 56, "56R(2)|M~Stan~C(0)@n-14_@", 0, 0, 1},
      {1, 4, 4, "Rezerwacja", 56, "56R(2)|M~Rezerwacja~C(0)@n-14_`4@", 0, 0, 1},
      {1, 5, 5, "Cena netto", 56, "56R(2)|M~Cena netto~C(0)@n-14.2@"},
      {1, 7, 7, "Kod wewnętrzny"_w1250, 40, "40L(2)|M~Kod~@s20@", 0, 1, 0},
      {1, 8, 11, "Kolor", 50, "50L(2)|M~Kolor~@s30@", 1},
      {1, 11, 14, "Data przeglądu"_w1250, 50, "50L(2)|M~Przegląd~@d17@"_w1250, 1},
      {2, 12, 1, "Nazwa", 160, "160L(2)|M~Nazwa~@s100@"},
      {2, 16, 11, "Branża"_w1250, 60, "60L(2)|M~Branża~@s30@"_w1250, 1},
      {5, 24, 1, "Lp", 20, "20R(2)|M~Lp~@n4@"},
      {5, 25, 2, "Artykuł"_w1250, 120, "120L(2)|M~Artykuł~@s100@"_w1250},
      {5, 26, 3, "Wydano", 50, "50R(2)|M~Wydano~@n-14_@", 0, 0, 1},
      {5, 27, 4, "Przyjęto"_w1250, 50, "50R(2)|M~Przyjęto~@n-14_@"_w1250, 0, 0, 1},
      {5, 28, 5, "Cena", 50, "50R(2)|M~Cena~@n-14.2@"},
  };
}

// Jan's layout: Indeks and Nazwa locked, Cena netto hidden by him.
inline std::vector<UserColumn> demo_user_columns() {
  return {{1, 60, 1, "60L(2)|FM~Indeks~@s20@"},
          {2, 160, 2, "160L(2)|FM~Nazwa~@s100@"},
          {3, 56, 3, "56R(2)|M~Stan~C(0)@n-14_@"},
          {4, 56, 4, "56R(2)|M~Rezerwacja~C(0)@n-14_`4@"},
          {5, 0, 5, "56R(2)|M~Cena netto~C(0)@n-14.2@"},
          {7, 40, 6, "40L(2)|M~Kod~@s20@"},
          {8, 50, 7, "50L(2)|M~Kolor~@s30@"},
          {11, 50, 8, "50L(2)|M~Przegląd~@d17@"_w1250},
          {12, 160, 1, "160L(2)|M~Nazwa~@s100@"},
          {16, 60, 2, "60L(2)|M~Branża~@s30@"_w1250},
          {24, 20, 1, "20R(2)|M~Lp~@n4@"},
          {25, 120, 2, "120L(2)|M~Artykuł~@s100@"_w1250},
          {26, 50, 3, "50R(2)|M~Wydano~@n-14_@"},
          {27, 50, 4, "50R(2)|M~Przyjęto~@n-14_@"_w1250},
          {28, 50, 5, "50R(2)|M~Cena~@n-14.2@"}};
}

// The statements the loader and the dialog send, with the user's id 7.
namespace statements {
inline const std::string kWindows =
    "select o.nazwa,o.id_okna,o.nr_kol_pierwszej,o.nr_kol_ostatniej from ini_okno o with "
    "(nolock)";
inline const std::string kColumns7 =
    "select i.format_kolumny,o.nazwa,o.id_okna,k.id_kolumny,k.numer_kolumny, "
    "k.nazwa_kolumny,k.rozmiar_kolumny,i.rozmiar,i.kolejnosc,k.pole_dodatkowe,o.kod_klas_grupy,"
    "o.skok, k.ukryta,k.podlega_obcieciu  from ini_kolumna k with (nolock) inner join ini_okno o "
    "with (nolock) on (k.id_okna=o.id_okna) inner join inter_ini_uzytkownik i with (nolock) on "
    "(k.id_kolumny=i.id_kolumny) where  i.id_uzytkownika=7";
inline const std::string kParameters7 =
    "select o.nazwa,p.nazwa,i.wartosc from ini_okno o with (nolock),ini_parametr p with "
    "(nolock),inter_parametr_uzytkownik i with (nolock)  where p.id_okna=o.id_okna and "
    "p.id_parametru=i.id_parametru and  i.id_uzytkownika=7";
inline std::string field(const std::string& group, int n) {
  return "select czy_aktywne from klasyfikator_pole where kod_klas_grupy='" + group +
         "' and nazwa_pola_map='pole" + std::to_string(n) + "'";
}
inline std::string classifier(const std::string& window) {
  return "select skok,kod_klas_grupy from INI_OKNO with (nolock) where NAZWA='" + window + "'";
}
inline std::string definitions(const std::string& window) {
  return "select k.format_kolumny,o.nazwa,o.id_okna,k.id_kolumny,k.numer_kolumny, "
         "k.nazwa_kolumny,k.rozmiar_kolumny,k.pole_dodatkowe,k.ukryta  from ini_kolumna k with "
         "(nolock),ini_okno o with (nolock)  where k.id_okna=o.id_okna and o.nazwa='" +
         window + "'";
}
inline std::string defaults(const std::string& window) {
  return "select k.format_kolumny,o.nazwa,o.id_okna,k.id_kolumny,k.numer_kolumny, "
         "k.nazwa_kolumny,k.rozmiar_kolumny,k.pole_dodatkowe from ini_kolumna k,ini_okno o "
         "where k.id_okna=o.id_okna and o.nazwa='" +
         window + "'";
}
}  // namespace statements

// The scripted server: answers the statements above from the tables given, and active fields
// from `active` ("Artykul/1" → "1"). Statements it does not know succeed without rows.
class ColumnServer {
 public:
  std::vector<ListWindow> windows = demo_windows();
  std::vector<ColumnDef> definitions = demo_definitions();
  std::vector<UserColumn> user = demo_user_columns();
  std::map<std::string, std::string> active = {
      {"Artykul/1", "1"}, {"Artykul/4", "0"}, {"Kontrahent/1", "1"}};
  std::vector<std::vector<std::string>> parameters = {{"Kontrahent_Brw", "pokazuj_zdjecie", "0"},
                                                      {"Artykul_Brw", "szerokosc_podgladu", "240"},
                                                      {"Artykul_Brw", "pokazuj_zdjecie", "1"}};

  explicit ColumnServer(SqlStack& sql) {
    dict::glo().ID_UZYTKOWNIKA = 7;
    sql.fake.respond([this](std::string_view s) { return answer(std::string(s)); });
  }

  std::optional<sql::FakeAnswer> answer(const std::string& s) const {
    using namespace statements;
    sql::FakeAnswer a;
    if (s == kWindows) {
      for (const auto& w : windows) a.rows.push_back({w.name, n(w.id), n(w.first), n(w.last)});
    } else if (s == kColumns7) {
      a.rows = user_rows();
    } else if (s == kParameters7) {
      a.rows = parameters;
    } else if (auto v = field_answer(s)) {
      if (!v->empty()) a.rows.push_back({*v});
    } else if (const ListWindow* w = window_of(s, "classifier")) {
      a.rows.push_back({n(w->offset), w->group});
    } else if (const ListWindow* w = window_of(s, "definitions")) {
      a.rows = definition_rows(*w, true);
    } else if (const ListWindow* w = window_of(s, "defaults")) {
      a.rows = definition_rows(*w, false);
    } else {
      return std::nullopt;
    }
    return a;
  }

 private:
  static std::string n(int v) { return std::to_string(v); }

  const ListWindow* window_of(const std::string& s, const std::string& kind) const {
    for (const auto& w : windows) {
      std::string expected = kind == "classifier"    ? statements::classifier(w.name)
                             : kind == "definitions" ? statements::definitions(w.name)
                                                     : statements::defaults(w.name);
      if (s == expected) return &w;
    }
    return nullptr;
  }

  std::optional<std::string> field_answer(const std::string& s) const {
    for (const auto& w : windows) {
      for (int f = 1; f <= 10; ++f) {
        if (s != statements::field(w.group, f)) continue;
        auto it = active.find(w.group + "/" + n(f));
        return it == active.end() ? std::string() : it->second;
      }
    }
    return std::nullopt;
  }

  const ListWindow& window(int id) const {
    for (const auto& w : windows) {
      if (w.id == id) return w;
    }
    throw std::runtime_error("no window " + n(id));
  }

  std::vector<std::vector<std::string>> user_rows() const {
    std::vector<std::vector<std::string>> rows;
    // Last column first: the loader keeps the table in key order itself.
    for (auto ut = user.rbegin(); ut != user.rend(); ++ut) {
      const UserColumn& u = *ut;
      for (const auto& d : definitions) {
        if (d.id != u.column) continue;
        const ListWindow& w = window(d.window);
        rows.push_back({u.format, w.name, n(w.id), n(d.id), n(d.number), d.caption, n(d.width),
                        n(u.width), n(u.position), n(d.additional), w.group, n(w.offset),
                        n(d.hidden), n(d.quantity)});
      }
    }
    return rows;
  }

  std::vector<std::vector<std::string>> definition_rows(const ListWindow& w, bool hidden) const {
    std::vector<std::vector<std::string>> rows;
    // Newest definitions first: the dialog orders what it reads itself.
    for (auto it = definitions.rbegin(); it != definitions.rend(); ++it) {
      if (it->window != w.id) continue;
      std::vector<std::string> r{it->format,    w.name,      n(w.id),      n(it->id),
                                 n(it->number), it->caption, n(it->width), n(it->additional)};
      if (hidden) r.push_back(n(it->hidden));
      rows.push_back(std::move(r));
    }
    return rows;
  }
};

// Reads INI_KOL_BRO of one window in table order, as "number:position:width:format".
inline std::vector<std::string> table_of(const std::string& window) {
  std::vector<std::string> out;
  for (const auto& r : dict::glo().tables.INI_KOL_BRO) {
    if (r.window != window) continue;
    out.push_back(std::to_string(r.number) + ":" + std::to_string(r.position) + ":" +
                  std::to_string(r.width) + ":" + r.format);
  }
  return out;
}

}  // namespace orv::test
