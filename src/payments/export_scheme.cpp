// Reading a scheme's positions and code page on the main channel.
#include "payments/export_scheme.hpp"

#include "frame/sql_channels.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/text/text.hpp"

namespace orv::payments {
namespace {

std::string clipped(const sql::ScratchTable& row, std::size_t k) {
  return std::string(text::clip(row.field(k)));
}

char type_letter(const std::string& s) {
  return s.empty() ? ' ' : text::upper(s.front());
}

}  // namespace

std::string positions_statement(double scheme_id) {
  return "select a.ID_MC_DEF_POLA, a.PREFIKS, a.SUFIKS, a.SEPARATOR, a.TYP, a.FORMAT_TYP, "
         "a.FORMAT_ILOSC, a.FORMAT_FIXED, a.FORMAT_FORMAT, a.FORMAT_SEPARATOR, b.TYP, b.WARTOSC, "
         "a.KONIEC_LINII, a.WYMAGANA_WARTOSC, b.NAZWA from MC_DEF_POZ a inner join MC_DEF_POLA b "
         "on a.id_mc_def_pola=b.id_mc_def_pola where a.id_mc_def_nag=" +
         plain_id(scheme_id) + " order by a.id_mc_def_nag, a.lp";
}

// Prefix, suffix and separator are written as stored: a separator of one blank is a separator.
Position position_of_row(const sql::ScratchTable& row) {
  Position p;
  p.field_id = static_cast<int64_t>(row.real_field(1));
  p.prefix = row.field(2);
  p.suffix = row.field(3);
  p.separator = row.field(4);
  p.once_per_file = !clipped(row, 5).empty();
  p.format_type = type_letter(clipped(row, 6));
  p.length = row.long_field(7);
  p.fixed = row.long_field(8) == 1;
  p.date_pattern = clipped(row, 9);
  p.format_separator = clipped(row, 10);
  p.system_element = text::upper(clipped(row, 11)) == "S";
  p.constant = clipped(row, 12);
  p.line_end = row.long_field(13) == 1;
  p.required = row.long_field(14) == 1;
  p.field_name = clipped(row, 15);
  return p;
}

ExportScheme read_scheme(double scheme_id) {
  ExportScheme s;
  s.page = code_page(frame::FUNCSQL("select strona_kodowa from MC_DEF_NAG where id_mc_def_nag=" +
                                    plain_id(scheme_id)));
  if (frame::ESQL(positions_statement(scheme_id)) == 0) {
    while (frame::VAX().next()) s.positions.push_back(position_of_row(frame::VAX()));
  }
  frame::CLOSESQL();
  return s;
}

}  // namespace orv::payments
