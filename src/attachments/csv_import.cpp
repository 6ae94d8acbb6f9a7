// Import of article files: storing, buffering with bound values, moving, restoring, writing back.
#include "attachments/csv_import.hpp"

#include <string>
#include <vector>

#include "attachments/csv_reader.hpp"
#include "attachments/file_blobs.hpp"
#include "attachments/photos.hpp"
#include "calc/text_replace.hpp"
#include "frame/blob_channel.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "platform/date/date.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/files/binary_files.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/ui.hpp"

namespace orv::attachments {
namespace {

constexpr int kWaiting = 0;
constexpr int kRejectedOnRead = 3;
constexpr std::size_t kShownRejections = 15;

std::string id_of(double v) {
  return plain_number(v);
}

std::string base_name(std::string_view path) {
  auto slash = path.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::optional<int64_t> insert_file_row(std::string_view kind, std::string_view name) {
  const dict::Context& g = dict::glo();
  return frame::inserted_id_on_blob_channel(
      "insert into plik_blob(id_firmy,id_uzytkownika,rodzaj_obiektu,nazwa_pliku,data,czas,imp_ok,"
      "ILOSC_REK_IMP,STATUS0_IMP) values(" +
      id_of(g.ID_FIRMY) + "," + id_of(g.ID_UZYTKOWNIKA) + ",'" + text::double_apostrophes(kind) +
      "','" + text::double_apostrophes(name) + "'," + std::to_string(date::today()) + "," +
      std::to_string(date::clock()) + ",0,0,0)");
}

sql::BoundRows buffer_rows(int64_t file_id, ImportFile& file) {
  const dict::Context& g = dict::glo();
  sql::BoundRows rows{
      "artykul_imp", {"ID_BLOBA", "ID_FIRMY", "ID_UZYTKOWNIKA", "status", "uwagi_imp"}, {}};
  for (const auto& f : import_fields()) rows.columns.emplace_back(f.column);
  const std::size_t width = rows.columns.size();
  rows.rows.reserve(file.records.size());
  for (ImportRecord& r : file.records) {
    std::vector<sql::BoundValue> row;
    row.reserve(width);
    row = {sql::BoundValue::of(static_cast<double>(file_id)), sql::BoundValue::of(g.ID_FIRMY),
           sql::BoundValue::of(g.ID_UZYTKOWNIKA),
           sql::BoundValue::of(r.error.empty() ? kWaiting : kRejectedOnRead),
           sql::BoundValue::of(r.error)};
    if (r.error.empty()) {
      row.insert(row.end(), std::make_move_iterator(r.values.begin()),
                 std::make_move_iterator(r.values.end()));
    } else {
      // A rejected line keeps none of its values: nothing of it is half imported.
      for (const auto& f : import_fields()) {
        row.push_back(f.kind == FieldKind::Text ? sql::BoundValue::of(std::string())
                                                : sql::BoundValue::of(0.0));
      }
    }
    row.resize(width);
    rows.rows.push_back(std::move(row));
  }
  return rows;
}

void report_rejected(const ImportFile& file) {
  if (file.rejected == 0) return;
  std::string text = "Wierszy odrzuconych: "_w1250 + std::to_string(file.rejected) + ".";
  std::size_t shown = 0;
  for (const ImportRecord& r : file.records) {
    if (r.error.empty() || shown++ == kShownRejections) continue;
    text += "|" + r.error;
  }
  frame::MSG_OSTRZEZENIE(text);
}

// The file's bytes and its records into the database; the row goes again when a step fails.
bool store(int64_t id, const std::vector<unsigned char>& bytes, ImportFile& file, bool articles) {
  std::string error;
  bool ok = frame::write_blob({"plik_blob", "plik", "id_bloba", id}, bytes, error) == sql::kOk;
  std::size_t waiting = file.records.size() - file.rejected;
  if (ok && articles && !file.records.empty()) {
    ok = frame::insert_rows(buffer_rows(id, file), error) == sql::kOk;
    if (ok) {
      ok = run_or_warn(
          "update plik_blob set imp_ok=1,ILOSC_REK_IMP=" + std::to_string(file.records.size()) +
          ",STATUS0_IMP=" + std::to_string(waiting) + " where id_bloba=" + std::to_string(id));
    }
  }
  if (ok) return true;
  if (!error.empty()) frame::MSG_OSTRZEZENIE(error);
  run_or_warn("delete plik_blob where id_bloba=" + std::to_string(id));
  return false;
}

std::string with_csv(std::string path) {
  if (!path.ends_with(".CSV") && !path.ends_with(".csv")) path += ".csv";
  return path;
}

}  // namespace

std::string sample_header() {
  std::string out;
  for (const auto& f : import_fields()) out += (out.empty() ? "" : ";") + std::string(f.name);
  return out;
}

std::string sample_lines(const std::string& user_id) {
  std::string sql =
      "select a.NAZWA,a.NAZWA2,a.NAZWA_ORYG,k.nazwa,dbo.AP_Func_PodajNazweDrzewiastaArt "
      "(a.id_artykulu,100),j.SKROT,a.RODZAJ,a.VAT_ZAKUPU,a.VAT_SPRZEDAZY,a.INDEKS_KATALOGOWY,"
      "a.INDEKS_HANDLOWY,a.WYROZNIK,a.LOKALIZACJA,a.PLU,SWWKU,a.PKWIU,a.KOD_KRESKOWY,"
      "a.STAN_MINIMALNY,a.STAN_MAKSYMALNY,a.DATA_CERTYFIKATU,a.NAZWA_CERTYFIKATU,a.OPIS,"
      "a.OSTRZEZENIE,a.UWAGI,a.KRAJ_POCHODZENIA,a.PRODUCENT,a.KOD_CN,a.NAZWA_INTRASTAT,a.JED_WAGI,"
      "a.WAGA,a.JED_WYMIARU,a.WYMIAR_W,a.WYMIAR_S,a.WYMIAR_G,a.CENA_ZAKUPU_NETTO,"
      "a.CENA_ZAKUPU_BRUTTO,a.SYM_WAL,a.C_ZAKUPU_NETTO_WAL,a.C_ZAKUPU_BRUTTO_WAL,a.CENA_N_KGO,"
      "a.CENA_B_KGO,a.PROMOCJA_OD,a.PROMOCJA_DO,a.CENA_PROMOCJI_N,a.CENA_PROMOCJI_B,a.POLE1,"
      "a.POLE2,a.POLE3,a.POLE4,a.POLE5,a.POLE6,a.POLE7,a.POLE8,a.POLE9,a.POLE10 from artykul a "
      "with (nolock)  inner join kategoria_artykulu k with (nolock) on "
      "a.ID_KATEGORII=k.ID_KATEGORII left outer join kategoria_artykulu_tree kt with (nolock) on "
      "a.ID_KATEGORII_TREE=kt.ID_KATEGORII_TREE inner join JEDNOSTKA j with (nolock) on "
      "a.ID_JEDNOSTKI=j.ID_JEDNOSTKI where a.id_artykulu in (select id from zaznaczone where "
      "uzycie=102 and id_sesji=" +
      user_id + ")";
  std::string out;
  if (frame::ESQL(sql, /*quiet=*/1) != 0) {
    std::string message = frame::VAX().message();
    frame::CLOSESQL();
    frame::MSG_OSTRZEZENIE(message);
    return out;
  }
  sql::ScratchTable& t = frame::VAX();
  while (t.next()) {
    for (std::size_t k = 1; k <= t.fields(); ++k) {
      std::string v(text::clip(t.field(k)));
      // OPIS, OSTRZEZENIE and UWAGI must not break the line or its fields.
      if (k >= 22 && k <= 24) {
        v = calc::REPLACEPROC2(calc::REPLACEPROC2(v, "\r\n", ","), ";", ",");
      }
      out += (k > 1 ? ";" : "") + v;
    }
    out += "\r\n";
  }
  frame::CLOSESQL();
  return out;
}

std::optional<int64_t> import_csv_file(std::string_view path, std::string_view kind) {
  std::vector<unsigned char> bytes;
  std::string file_path(text::clip(path));
  uint64_t size = 0;
  bool articles = text::equal_ci(text::clip(kind), "ARTYKUL");
  // A file too large is refused before it is read into memory.
  if (articles && files::file_size(file_path, size) == files::kFileOk && size > kMaxImportBytes) {
    frame::MSG_OSTRZEZENIE(too_large_message(size));
    return std::nullopt;
  }
  if (int code = files::read_parts(file_path, kFilePart, bytes); code != files::kFileOk) {
    frame::MSG_OSTRZEZENIE("Nie można odczytać pliku "_w1250 + file_path + " (błąd "_w1250 +
                           std::to_string(code) + ").");
    return std::nullopt;
  }
  ImportFile file;
  if (articles) {
    file = read_import_file({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    if (!file.error.empty()) {
      frame::MSG_OSTRZEZENIE(file.error);
      return std::nullopt;
    }
  }
  auto id = insert_file_row(text::clip(kind), base_name(file_path));
  if (!id || !store(*id, bytes, file, articles)) return std::nullopt;
  report_rejected(file);
  return id;
}

std::optional<int64_t> move_to_table(int64_t file_id, std::string_view kind) {
  std::string where = " from plik_blob where id_bloba=" + std::to_string(file_id);
  std::string state = frame::FUNCSQL("select imp_ok" + where);
  std::string parsed = frame::FUNCSQL("select ILOSC_REK_IMP" + where);
  if (text::long_of(state) != 1 || text::long_of(parsed) < 1) return std::nullopt;
  if (text::long_of(frame::FUNCSQL("select przeniesiony" + where)) == 1 &&
      frame::MSG_PYTANIE("Przeniesienie rekordów do bazy było już wykonywane.|Czy ponowić "
                         "operację przeniesienia?"_w1250) != 2) {
    return std::nullopt;
  }
  std::string k(text::clip(kind));
  if (frame::MSG_PYTANIE("Czy przenieść rekordy z tabeli bufora do tabeli "_w1250 + k +
                         "?|Ta operacja może potrwać dłuższy czas,|który jest uzależniony od "
                         "ilości rekordów w buforze."_w1250) != 2) {
    return std::nullopt;
  }
  const dict::Context& g = dict::glo();
  std::string call = "call AP_PrzeniesRekordyZBufora(" + std::to_string(file_id) + "," +
                     id_of(g.ID_FIRMY) + "," + id_of(g.ID_MAGAZYNU) + "," +
                     id_of(g.ID_UZYTKOWNIKA) + ")";
  if (frame::ESQL(call, /*quiet=*/1) != 0 || !frame::VAX().next()) {
    std::string message = frame::VAX().message();
    frame::CLOSESQL();
    frame::MSG_OSTRZEZENIE(message);
    return std::nullopt;
  }
  auto moved = static_cast<int64_t>(frame::VAX().real_field(1));
  frame::CLOSESQL();
  frame::MSG_INFORMACJA("Ilość rekordów przeniesionych do tabeli "_w1250 + k + " wynosi " +
                        std::to_string(moved));
  return moved;
}

bool restore_records(int64_t file_id) {
  return run_or_warn("call AP_PrzywrocRekordyWBuforze(" + std::to_string(file_id) + "," +
                     id_of(dict::glo().ID_UZYTKOWNIKA) + ")");
}

bool delete_import(int64_t file_id) {
  return run_or_warn("delete plik_blob where id_bloba=" + std::to_string(file_id));
}

bool save_stored_file(int64_t file_id) {
  if (file_id <= 0) {
    frame::MSG_OSTRZEZENIE("Brak pliku do zapisu!"_w1250);
    return false;
  }
  auto path = ui::ask_file({"Wybierz plik do zapisu", {}, {}, "csv|*.csv", /*save=*/true});
  if (!path) return false;
  sql::Blob stored;
  std::string error;
  frame::read_blob({"plik_blob", "plik", "id_bloba", file_id}, stored, error);
  int32_t code = BLOBTOPLIK(stored.view(), with_csv(*path));
  if (code == 0 && error.empty()) return true;
  frame::MSG_OSTRZEZENIE("Nie udało sie utworzyć pliku csv!|"_w1250 +
                         (error.empty() ? "błąd pliku "_w1250 + std::to_string(code) : error));
  return false;
}

}  // namespace orv::attachments
