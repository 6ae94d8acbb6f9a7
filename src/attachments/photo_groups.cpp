// Photo group operations: delete, shrink, share, save to a folder and import from one.
#include "attachments/photo_groups.hpp"

#include <set>
#include <string>
#include <vector>

#include "attachments/file_blobs.hpp"
#include "attachments/photos.hpp"
#include "config/parameters.hpp"
#include "config/permissions.hpp"
#include "frame/blob_channel.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/files/binary_files.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/ui.hpp"

namespace orv::attachments {
namespace {

struct Group {
  PhotoTable table;
  int32_t usage = 0;
  std::string user;  // the current user's id as written into SQL

  // The marked owners' keys as a sub-select: indexes of marked articles, ids of marked
  // contractors (the article condition would pick contractors by article ids).
  std::string marked() const {
    std::string z = "z.uzycie=" + std::to_string(usage) + " and z.id_sesji=" + user;
    if (!table.text_key) return " in (select z.id from zaznaczone z where " + z + ")";
    return " in (select a.indeks_katalogowy from zaznaczone z, artykul a where "
           "a.id_artykulu=z.id and " +
           z + ")";
  }
  std::string keys_query() const {
    std::string z = "z.uzycie=" + std::to_string(usage) + " and z.id_sesji=" + user;
    if (!table.text_key) return "select z.id from zaznaczone z where " + z;
    return "select a.indeks_katalogowy from zaznaczone z, artykul a where a.id_artykulu=z.id "
           "and " +
           z;
  }
  PhotoOwner owner(const std::string& key) const {
    return {table, table.text_key ? key : plain_number(text::real_of(key)), 0};
  }
};

std::vector<std::string> first_column(const std::string& sql) {
  std::vector<std::string> out;
  if (frame::ESQL(sql, /*quiet=*/1) != 0) return out;
  while (frame::VAX().next()) out.emplace_back(text::clip(frame::VAX().field(1)));
  frame::CLOSESQL();
  return out;
}

bool yes(std::string_view question) {
  return frame::MSG_PYTANIE(question) == 2;
}

void refresh_marks(const Group& g) {
  if (g.table.text_key) {
    run_or_warn("call AP_AktZnacznikFoto(" + g.user + "," + std::to_string(g.usage) + ",0)");
  }
}

std::optional<std::string> ask_folder(std::string title) {
  ui::FileDialog d;
  d.title = std::move(title);
  d.folders = true;
  return ui::ask_file(d);
}

void save_to_folder(const Group& g) {
  auto folder = ask_folder("Wybierz katalog zapisu zdjęć"_w1250);
  if (!folder) return;
  int photos = 0;
  std::set<std::string> folders;
  for (const std::string& key : first_column(g.keys_query())) {
    PhotoOwner owner = g.owner(key);
    for (const Photo& p : list_photos(owner)) {
      sql::Blob b = photo_picture(owner, p.id);
      if (b.bytes.empty()) continue;
      std::string dir = *folder + "/" + owner.key;
      if (files::make_folders(dir) != files::kFileOk) {
        frame::MSG_OSTRZEZENIE("Ścieżka nie znaleziona!"_w1250);
        return;
      }
      if (BLOBTOPLIK(b.view(), dir + "/" + p.name) != 0) {
        frame::MSG_OSTRZEZENIE("Brak dostępu!"_w1250);
        return;
      }
      ++photos;
      folders.insert(dir);
    }
  }
  frame::MSG_INFORMACJA("Zapisano "_w1250 + std::to_string(photos) + " zdjęć w "_w1250 +
                        std::to_string(folders.size()) + " podkatalogach w folderze " + *folder);
}

std::string files_path(const std::string& folder, const std::string& name) {
  std::string path = folder;
  path += '/';
  path += name;
  return path;
}

bool picture_file(const std::string& name) {
  std::string upper = text::upper(name);
  return upper.ends_with(".JPG") || upper.ends_with(".BMP");
}

// A photo of that name gets the new picture; otherwise a new photo is added.
bool import_one(const PhotoOwner& owner, const std::string& path, const std::string& name) {
  for (const Photo& p : list_photos(owner)) {
    if (!text::equal_ci(p.name, name)) continue;
    sql::Blob picture;
    if (PLIKTOBLOB(path, picture, std::nullopt) != 0) return false;
    std::string error;
    return frame::write_blob({owner.table.table, "zdjecie", "id_bloba", p.id}, picture.view(),
                             error) == sql::kOk;
  }
  return add_photo(owner, name, path).has_value();
}

void import_from_folder(const Group& g) {
  auto folder = ask_folder("Wybierz katalog importowanych zdjęć"_w1250);
  if (!folder) return;
  config::USTAWPARAMKONF("u", "LokalizacjaZdj", *folder);
  ui::MessageBox box;
  box.text =
      "Czy chcesz zaimportować zdjęcia z katalogu o strukturze|podkatalogów zgodnej z indeksami "
      "katalogowymi zaznaczonych artykułów,|czy też z katalogu dowolnego?"_w1250;
  box.title = "ORVEX: Pytanie";
  box.icon = ui::Icon::Question;
  box.buttons = ui::kYes | ui::kNo;
  box.default_button = ui::kYes;
  box.captions = {"&Zgodny", "&Dowolny"};
  bool matching = ui::backend().message(box) == ui::kYes;
  std::vector<std::string> keys = first_column(g.keys_query());
  std::set<std::string> marked(keys.begin(), keys.end());
  int photos = 0;
  std::set<std::string> owners;
  auto take = [&](const std::string& key, const std::string& path, const std::string& name) {
    if (import_one(g.owner(key), path, name)) ++photos, owners.insert(key);
  };
  if (matching) {
    for (const std::string& key : keys) {
      std::string dir = *folder + "/" + key;
      if (!files::is_folder(dir)) {
        if (!yes("Nie znaleziono katalogu "_w1250 + dir + "!|Czy kontynuować operację?"_w1250))
          break;
        continue;
      }
      for (const std::string& f : files::files_in(dir)) {
        if (picture_file(f)) take(key, files_path(dir, f), f);
      }
    }
  } else {
    for (const std::string& f : files::files_in(*folder)) {
      std::string key = f.size() > 4 ? f.substr(0, f.size() - 4) : std::string();
      if (picture_file(f) && marked.count(key)) take(key, files_path(*folder, f), f);
    }
  }
  refresh_marks(g);
  frame::MSG_INFORMACJA("W bazie zapisano " + std::to_string(photos) + " zdjęć dla "_w1250 +
                        std::to_string(owners.size()) + " artykułów z folderu "_w1250 + *folder);
}

void run_operation(std::string_view op, const Group& g) {
  if (op == "UsunZdjeciaZaz") {
    if (!yes("Czy wykonać grupowe usunięcie zdjęć?"_w1250)) return;
    run_or_warn("delete " + g.table.table + " where " + g.table.key_column + g.marked());
    refresh_marks(g);
  } else if (op == "ZmniejszZdjeciaZaz") {
    if (!yes("Zdjęcia zaznaczonych artykułów zostaną usunięte z bazy danych.|Czy wykonać "
             "operację zmniejszenia rozmiaru bazy?"_w1250)) {
      return;
    }
    run_or_warn("update " + g.table.table + " set zdjecie=null where " + g.table.key_column +
                g.marked());
  } else if (op == "UwspolnijZdjeciaZaz") {
    if (!yes("Czy wykonać uwspólnienie zdjęć dla zaznaczonych artykułów?"_w1250)) return;
    bool file_mode = !text::clip(config::POBIERZPARAMKONF("s", "LokalSiecZdjecArt")).empty();
    if (file_mode && !yes("Lokalizacja zdjęć jest sieciowa. Fizyczne pliki zdjęć nie zostaną "
                          "uwspólnione pomiędzy odpowiednimi katalogami.|Czy kontynuować?"_w1250)) {
      return;
    }
    run_or_warn("call AP_UwspolnijFoto(" + g.user + "," + std::to_string(g.usage) + ")");
  } else if (op == "ZapiszZdjeciaZaz") {
    save_to_folder(g);
  } else if (op == "ImportujZdjeciaZaz") {
    import_from_folder(g);
  }
}

}  // namespace

void POPUPADDZDJECIA(std::string_view prefix, ui::PopupMenu& popup) {
  std::string p(text::clip(prefix));
  popup.add_item("-", p + "SepOper1");
  popup.add_item("Zdjęcia"_w1250, p + "Zdjecia");
  const std::pair<const char*, const char*> kItems[] = {
      {"Przeglądarka <Shift+Z>", "PrzegladZdjecia"},
      {"Zaznacz ze zdjęciami", "ZaznaczZdjecia"},
      {"-", "SepZdjecia1"},
      {"Uwspólnij dla zaznaczonych", "UwspolnijZdjeciaZaz"},
      {"Usuń dla zaznaczonych", "UsunZdjeciaZaz"},
      {"Zmniejsz rozmiar bazy o zdjęcia zaznaczonych", "ZmniejszZdjeciaZaz"},
      {"-", "SepZdjecia2"},
      {"Zapisz do katalogu dla zaznaczonych", "ZapiszZdjeciaZaz"},
      {"Importuj do bazy dla zaznaczonych", "ImportujZdjeciaZaz"}};
  for (const auto& [caption, name] : kItems) {
    popup.add_item(text::from_utf8(caption), p + name);
    popup.set_level(p + name, 1);
  }
}

void ZDJECIAOPERACJEGRUPOWE(std::string_view operation, std::string_view photo_table_name,
                            int32_t usage) {
  auto table = photo_table(photo_table_name);
  if (!table) return;
  std::string op(text::clip(operation));
  for (const char* name : {"UsunZdjeciaZaz", "ZmniejszZdjeciaZaz", "UwspolnijZdjeciaZaz",
                           "ZapiszZdjeciaZaz", "ImportujZdjeciaZaz"}) {
    if (op.ends_with(name)) op = name;  // the popup's prefix left on the entry name
  }
  const char* right = op == "ZapiszZdjeciaZaz" ? "ArtykZdjeciaO" : "ArtykZdjeciaE";
  if (config::POBIERZUPRAWNIENIE(right) == 0) {
    frame::MSG_OSTRZEZENIE("Brak uprawnień na modyfikację zdjęć!"_w1250);
    return;
  }
  Group g{*table, usage, plain_number(dict::glo().ID_UZYTKOWNIKA)};
  std::string count =
      frame::FUNCSQL("select count(*) from zaznaczone where uzycie=" + std::to_string(usage) +
                     " and id_sesji=" + g.user);
  if (text::real_of(count) < 1) {
    frame::MSG_OSTRZEZENIE("Brak zaznaczonych " + table->object_word + "ów!"_w1250);
    return;
  }
  run_operation(op, g);
}

}  // namespace orv::attachments
