// The photo viewer window: one picture at a time, stepping, loading, exporting and deleting.
#include "attachments/photo_viewer.hpp"

#include <algorithm>
#include <memory>

#include "attachments/file_blobs.hpp"
#include "attachments/photos.hpp"
#include "config/parameters.hpp"
#include "config/permissions.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "frame/window_conventions.hpp"
#include "platform/dict/context.hpp"
#include "platform/files/binary_files.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/ui.hpp"
#include "platform/ui/window.hpp"

namespace orv::attachments {
namespace {

using ui::ControlKind;

enum : int {
  kHeader = 1,
  kRemarks,
  kPicture,
  kCounter,
  kName,
  kDefault,
  kOriginal,
  kPrevious,
  kNext,
  kLoad,
  kExport,
  kDelete,
  kEnlarge,
  kClose
};

constexpr const char* kFilter = "jpg|*.jpg|bmp|*.bmp|GIF|*.GIF|WMF|*.WMF";

ui::Window viewer_window() {
  ui::Window w("Zdjecia_Viewer", "Zdjęcia"_w1250);
  w.rect = {0, 0, 320, 280};
  w.add(ControlKind::Label, kHeader, "NAGLOWEK");
  w.add(ControlKind::Label, kRemarks, "UWAGI");
  w.add(ControlKind::Image, kPicture, "ZDJECIE");
  w.add(ControlKind::Label, kCounter, "LICZNIK");
  w.add(ControlKind::Entry, kName, "NAZWA", "Nazwa");
  w.add(ControlKind::Check, kDefault, "DOMYSLNE", "Domyślne"_w1250);
  w.add(ControlKind::Check, kOriginal, "ORYGINAL", "Rozmiar oryginalny");
  w.add(ControlKind::Button, kPrevious, "POPRZEDNIE", "<");
  w.add(ControlKind::Button, kNext, "NASTEPNE", ">");
  w.add(ControlKind::Button, kLoad, "POBIERZ", "Pobierz z pliku");
  w.add(ControlKind::Button, kExport, "EKSPORT", "Eksportuj do pliku");
  w.add(ControlKind::Button, kDelete, "USUN", "Usuń zdjęcie"_w1250);
  w.add(ControlKind::Button, kEnlarge, "POWIEKSZ", "Powiększ zdjęcie"_w1250);
  w.add(ControlKind::Button, kClose, "ZAMKNIJ", "Zamknij").key = "Esc";
  return w;
}

const ui::WindowRegistrar kViewerWin("Zdjecia_Viewer", "ZDJECIA_VIEWER", &viewer_window);

// ".JPG", ".BMP", ".GIF", ".WMF" of a photo's name stay; anything else is saved as ".jpg".
std::string export_extension(std::string_view name) {
  std::string upper = text::upper(name);
  for (const char* ext : {".JPG", ".BMP", ".GIF", ".WMF"}) {
    if (upper.ends_with(ext)) return std::string(name.substr(name.size() - 4));
  }
  return ".jpg";
}

std::string base_name(std::string_view path) {
  auto slash = path.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

class Viewer {
 public:
  Viewer(PhotoOwner owner, bool may_change) : owner_(std::move(owner)), may_change_(may_change) {}
  void run();

 private:
  void load_photos(int64_t show);
  void show();
  bool on_event(const ui::Event& e);
  void step(int by);
  void load_from_file();
  void export_to_file();
  void delete_current();
  void enlarge();
  void make_default();
  void header();
  const Photo* current() const { return at_ < photos_.size() ? &photos_[at_] : nullptr; }

  PhotoOwner owner_;
  bool may_change_;
  std::vector<Photo> photos_;
  std::size_t at_ = 0;
  ui::Window w_ = viewer_window();
};

void Viewer::header() {
  if (!owner_.table.text_key) {
    w_.at(kHeader).caption = text::clip(frame::FUNCSQL(
        "select nazwa from kontrahent with (nolock) where id_kontrahenta=" + owner_.key));
    return;
  }
  std::string sql =
      "select nazwa+'   Indeks: '+indeks_katalogowy,uwagi,opis from artykul with (nolock) where "
      "indeks_katalogowy='" +
      text::double_apostrophes(owner_.key) +
      "' and id_magazynu=" + std::to_string(static_cast<long long>(dict::glo().ID_MAGAZYNU));
  if (frame::ESQL(sql, /*quiet=*/1) == 0 && frame::VAX().next()) {
    w_.at(kHeader).caption = text::clip(frame::VAX().field(1));
    w_.at(kRemarks).caption = text::clip(frame::VAX().field(2));
  }
  frame::CLOSESQL();
}

// The photos again, showing `show` (0: the default one, else the first).
void Viewer::load_photos(int64_t show) {
  photos_ = list_photos(owner_);
  if (show == 0) {
    auto d =
        std::find_if(photos_.begin(), photos_.end(), [](const Photo& p) { return p.is_default; });
    show = d == photos_.end() ? 0 : d->id;
  }
  auto it =
      std::find_if(photos_.begin(), photos_.end(), [&](const Photo& p) { return p.id == show; });
  at_ = it == photos_.end() ? 0 : static_cast<std::size_t>(it - photos_.begin());
}

void Viewer::show() {
  ui::Control& picture = w_.at(kPicture);
  const Photo* p = current();
  if (!p) {
    ui::show_picture(picture, nullptr);
    picture.caption = "Kliknij prawym klawiszem myszy żeby pobrać zdjęcie"_w1250;
  } else {
    sql::Blob b = photo_picture(owner_, p->id);
    picture.caption.clear();
    ui::show_picture(
        picture,
        b.null ? nullptr : std::make_shared<const std::vector<unsigned char>>(std::move(b.bytes)));
  }
  w_.at(kCounter).caption =
      p ? std::to_string(at_ + 1) + "/" + std::to_string(photos_.size()) : "0/0";
  w_.at(kName).value = p ? p->name : std::string();
  w_.at(kDefault).value = p && p->is_default ? "1" : "0";
  for (int c : {kLoad, kDelete, kDefault, kName}) w_.at(c).disabled = !may_change_;
  w_.display();
}

void Viewer::run() {
  if (config::POBIERZUPRAWNIENIE("ArtykZdjeciaO") == 0) {
    frame::MSG_OSTRZEZENIE("Brak uprawnień na oglądanie zdjęć!"_w1250);
    return;
  }
  header();
  w_.at(kOriginal).value =
      text::clip(config::POBIERZPARAMKONF("u", "TrybOgladZdjec")) == "1" ? "1" : "0";
  load_photos(0);
  show();
  frame::open_window(w_);
  for (;;) {
    ui::Event e = w_.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kClose)) break;
    if (on_event(e)) show();
  }
  w_.close();
}

bool Viewer::on_event(const ui::Event& e) {
  if (e.kind != ui::EventKind::Accepted) return false;
  switch (e.control) {
    case kPrevious:
      step(-1);
      return true;
    case kNext:
      step(1);
      return true;
    case kLoad:
      load_from_file();
      return true;
    case kExport:
      export_to_file();
      return false;
    case kDelete:
      delete_current();
      return true;
    case kEnlarge:
      enlarge();
      return false;
    case kDefault:
      make_default();
      return true;
    case kOriginal:
      config::USTAWPARAMKONF("u", "TrybOgladZdjec", w_.at(kOriginal).value == "1" ? "1" : "0");
      return false;
    default:
      return false;
  }
}

void Viewer::step(int by) {
  if (by < 0 && at_ == 0) {
    frame::MSG_INFORMACJA("Brak poprzedniego zdjęcia!"_w1250);
  } else if (by > 0 && at_ + 1 >= photos_.size()) {
    frame::MSG_INFORMACJA("Brak kolejnego zdjęcia!"_w1250);
  } else {
    at_ = static_cast<std::size_t>(static_cast<long>(at_) + by);
  }
}

void Viewer::load_from_file() {
  if (!may_change_) return;
  ui::FileDialog d{"Wybierz plik graficzny",
                   std::string(text::clip(config::POBIERZPARAMKONF("u", "LokalizacjaZdj"))),
                   {},
                   kFilter};
  auto file = ui::ask_file(d);
  if (!file) return;
  // A name typed over the shown photo's names the new one; otherwise the file's own name.
  std::string typed(text::clip(w_.at(kName).value));
  bool retyped = !typed.empty() && (!current() || typed != current()->name);
  auto id = add_photo(owner_, retyped ? typed : base_name(*file), *file);
  if (id) load_photos(*id);
}

void Viewer::export_to_file() {
  const Photo* p = current();
  if (!p) {
    frame::MSG_OSTRZEZENIE("Brak zdjęcia do zapisu!"_w1250);
    return;
  }
  ui::FileDialog d{"Wybierz plik do zapisu", {}, p->name, kFilter, /*save=*/true};
  auto file = ui::ask_file(d);
  if (!file) return;
  std::string ext = export_extension(p->name);
  std::string path = text::upper(*file).ends_with(text::upper(ext)) ? *file : *file + ext;
  sql::Blob b = photo_picture(owner_, p->id);
  int32_t code = BLOBTOPLIK(b.view(), path);
  if (code != 0) {
    frame::MSG_OSTRZEZENIE(std::string("Nie udało sie utworzyć pliku ze zdjęciem!|"_w1250) +
                           "błąd pliku "_w1250 + std::to_string(code));
  }
}

void Viewer::delete_current() {
  const Photo* p = current();
  if (!may_change_) return;
  if (!p) {
    frame::MSG_OSTRZEZENIE("Brak zdjęcia do usunięcia!"_w1250);
    return;
  }
  if (frame::MSG_PYTANIE("Czy usunąć zdjęcie?"_w1250) != 2) return;
  delete_photo(owner_, p->id);
  load_photos(0);
}

void Viewer::make_default() {
  const Photo* p = current();
  if (!may_change_ || !p) return;
  int64_t id = p->id;
  if (w_.at(kDefault).value == "1")
    set_default(owner_, id);
  else
    run_or_warn("update " + owner_.table.table +
                " set domyslne=0 where id_bloba=" + std::to_string(id));
  load_photos(id);
}

// The picture goes to a file of its own under the local folder and opens in its program.
void Viewer::enlarge() {
  const Photo* p = current();
  if (!p) {
    frame::MSG_OSTRZEZENIE("Proszę najpierw wybrać zdjęcie!"_w1250);
    return;
  }
  std::string folder = dict::glo().LOCALPATH + "/VH";
  std::string path = folder + "/" + base_name(p->name);
  sql::Blob b = photo_picture(owner_, p->id);
  std::string error;
  if (files::make_folders(folder) != 0 || BLOBTOPLIK(b.view(), path) != 0 ||
      !ui::open_document(path, error)) {
    frame::MSG_OSTRZEZENIE("Nie udało sie utworzyć pliku ze zdjęciem!|"_w1250 + error);
  }
}

}  // namespace

void ZDJECIA_VIEWER(std::string_view object_id, std::string_view photo_table_name,
                    std::string_view variant) {
  auto table = photo_table(photo_table_name);
  if (!table) return;
  auto owner = photo_owner(object_id, *table);
  if (!owner) return;
  bool may_change = config::POBIERZUPRAWNIENIE("ArtykZdjeciaE") != 0 && text::trim(variant) != "1";
  Viewer(std::move(*owner), may_change).run();
}

}  // namespace orv::attachments
