// The writer's reads: the selection statement as the system sends it, the employee address
// queries, the company data.
#include "payments/transfer_source.hpp"

#include <optional>

#include "calc/text_replace.hpp"
#include "frame/sql_channels.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/text/text.hpp"

namespace orv::payments {
namespace {

// clang-format off
constexpr const char* kSelection =
    "select df.tytulem, case df.typ_platnika when 'k' then rtrim(replace(k.nazwa_pelna,CHAR(1"
    "3)+char(10),char(32))) when 'p' then rtrim(p.nazwisko)+' '+rtrim(p.imie_1) when 'u' then"
    " rtrim(u.nazwa)   end nazwa, case df.typ_platnika  when 'k' then rtrim(k.kod_pocztowy)+'"
    " '+rtrim(k.miejscowosc) when 'p' then 'pracownik_xxx' when 'u' then rtrim(u.kod_pocztowy"
    ")+' '+rtrim(u.miejscowosc)   end,  case df.typ_platnika  when 'k' then rtrim(k.ulica_lok"
    "al) when 'p' then 'pracownik_xxx' when 'u' then u.nazwa   end,  case df.typ_platnika  wh"
    "en 'k' then rtrim(krf.numer_rachunku) when 'p' then rtrim(prf.numer_rachunku) when 'u' t"
    "hen rtrim(urf.numer_rachunku) end,  ltrim(rf.numer_rachunku), df.kwota, df.data,  rf.lk,"
    " df.id_platnika, case df.typ_platnika  when 'k' then rtrim(krf.lk) when 'p' then rtrim(p"
    "rf.lk) when 'u' then rtrim(urf.lk) end  from dokument_finansowy df inner join typ_dokume"
    "ntu_finansowego tdf  on (tdf.sygnatura='PW' and df.id_firmy=tdf.id_firmy and df.id_typu="
    "tdf.id_typu) left outer join kontrahent k on (df.typ_platnika='k' and k.id_kontrahenta=d"
    "f.id_platnika)  left outer join pracownik p  on (df.typ_platnika='p' and p.id_pracownika"
    "=df.id_platnika) left outer join urzedy u  on    (df.typ_platnika='u' and u.id_urzedu=df"
    ".id_platnika) left outer join rachunek_firmy  rf  on  (rf.id_rachunku=df.id_rachunku_kas"
    "y) left outer join rachunek_kontrahenta krf  on  (df.typ_platnika='k' and krf.id_kontrah"
    "enta=df.id_platnika and krf.numer_rachunku=df.nr_rachunku_platnika) left outer join rach"
    "unek_pracownika prf  on  (df.typ_platnika='p' and prf.id_pracownika=df.id_platnika and p"
    "rf.numer_rachunku=df.nr_rachunku_platnika) left outer join rachunek_urzedu urf  on  (df."
    "typ_platnika='u' and urf.id_urzedu=df.id_platnika and urf.numer_rachunku=df.nr_rachunku_"
    "platnika) ";
// clang-format on

constexpr const char* kEmployee = "pracownik_xxx";

std::string marked(int32_t usage, double user) {
  return " where df.id_dokumentu_finansowego in (select id from zaznaczone where uzycie=" +
         std::to_string(usage) + " and id_sesji=" + plain_id(user) + ")";
}

std::string clipped(const sql::ScratchTable& row, std::size_t k) {
  return std::string(text::clip(row.field(k)));
}

// Column 1 of the first row of a statement on the main channel; nullopt when there is no row,
// the value is NULL or the statement failed (the error window said why).
std::optional<std::string> first_value(const std::string& statement) {
  std::optional<std::string> out;
  if (frame::ESQL(statement) == 0 && frame::VAX().next() && !frame::VAX().null(1)) {
    out = clipped(frame::VAX(), 1);
  }
  frame::CLOSESQL();
  return out;
}

void employee_address(const std::string& employee, int32_t date, Transfer& t) {
  const std::string from =
      " from dbo.RM_Func_AdresPracownika(" + employee + "," + std::to_string(date) + ",'M')";
  auto city = first_value("select rtrim(kod_pocztowy)+' '+rtrim(miejscowosc)" + from);
  auto street = first_value(
      "select rtrim(ulica)+' '+rtrim(nr_domu)+case when len(nr_lokalu)>0 then "
      "'/'+rtrim(nr_lokalu) else '' end" +
      from);
  t.city_line = city.value_or("");
  t.city_missing = !city;
  t.street_line = street.value_or("");
  t.street_missing = !street;
}

}  // namespace

std::string selection_statement(int32_t usage, double user) {
  return kSelection + marked(usage, user);
}

std::string count_statement(int32_t usage, double user) {
  return "select count(*) from dokument_finansowy df inner join typ_dokumentu_finansowego tdf  "
         "on (tdf.sygnatura='PW' and df.id_firmy=tdf.id_firmy and df.id_typu=tdf.id_typu)" +
         marked(usage, user);
}

Transfer transfer_of_row(const sql::ScratchTable& row) {
  Transfer t;
  t.title = clipped(row, 1);
  t.name = calc::REPLACEPROC2(clipped(row, 2), "\"", "");
  t.city_line = clipped(row, 3);
  t.city_missing = row.null(3);
  t.street_line = clipped(row, 4);
  t.street_missing = row.null(4);
  t.account = join_account(clipped(row, 11), clipped(row, 5));
  t.company_check = clipped(row, 9);
  t.company_account = join_account(t.company_check, clipped(row, 6));
  Decimal amount;
  if (Decimal::parse(row.field(7), amount)) t.amount = amount.rescale(2);
  t.date = row.long_field(8);
  if (t.city_line == kEmployee || t.street_line == kEmployee) {
    employee_address(plain_id(row.real_field(10)), t.date, t);
  }
  return t;
}

std::string office_street_line(const OfficeAddress& a) {
  const std::string_view street = text::clip(a.street);
  if (street.empty()) {
    if (text::clip(a.town).empty()) return {};
    return std::string(text::clip(std::string(text::clip(a.town)) + " " + a.house));
  }
  std::string line(street);
  if (text::upper(street).find("UL") == std::string::npos) line = "ul. " + line;
  if (!text::clip(a.house).empty()) line += " " + std::string(text::clip(a.house));
  if (!text::clip(a.flat).empty()) line += "/" + std::string(text::clip(a.flat));
  return line;
}

std::string office_city_line(const OfficeAddress& a) {
  const std::string_view post =
      text::clip(a.post).empty() ? text::clip(a.town) : text::clip(a.post);
  if (text::clip(a.postal_code).empty()) return std::string(post);
  return std::string(text::clip(a.postal_code)) + " " + std::string(post);
}

Company read_company(double company_id) {
  Company c;
  const std::string id = plain_id(company_id);
  if (frame::ESQL("select nazwa, nazwa_pelna from FIRMA where id_firmy=" + id) == 0 &&
      frame::VAX().next()) {
    c.name = clipped(frame::VAX(), 2);
    if (c.name.empty()) c.name = clipped(frame::VAX(), 1);
  }
  if (frame::ESQL("select ULICA, NR_DOMU, NR_LOKALU, KOD_POCZTOWY, MIEJSCOWOSC, POCZTA from "
                  "ADRESY_FIRMY where id_firmy=" +
                  id + " AND typ_adresu='" + "S" + "' order by id_firmy asc, data_od desc") == 0 &&
      frame::VAX().next()) {
    const sql::ScratchTable& r = frame::VAX();
    OfficeAddress a{r.field(1), r.field(2), r.field(3), r.field(4), r.field(5), r.field(6)};
    c.street_line = office_street_line(a);
    c.city_line = office_city_line(a);
  }
  frame::CLOSESQL();
  return c;
}

}  // namespace orv::payments
