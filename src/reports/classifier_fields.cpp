// Classifier definitions as the procedures walk them, and the checks and report texts of values.
#include <algorithm>

#include "frame/messages.hpp"
#include "platform/dict/context.hpp"
#include "platform/picture/picture.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "reports/classifiers.hpp"

namespace orv::reports {
namespace {

// Report layout, thousandths of an inch: two columns, rows 150 apart. A character of the
// report's 8-point text is taken as 70 wide.
constexpr int kLeft = 100, kRight = 3600, kTop = 50, kRowStep = 150, kCharWidth = 70;
constexpr int kFirstControl = 5001;

bool allowed_item(std::string_view allowed, std::string_view value) {
  while (true) {
    const std::size_t bar = allowed.find('|');
    if (text::clip(allowed.substr(0, bar)) == value) return true;
    if (bar == std::string_view::npos) return false;
    allowed.remove_prefix(bar + 1);
  }
}

// The value as its picture shows it, without the picture's padding: a report text is as wide
// as what it says.
std::string shown_value(const dict::KlasyfikatorRow& f, std::string_view value) {
  const std::string_view picture = text::clip(f.picture);
  if (picture.empty()) return std::string(text::clip(value));
  const std::string shown = numeric_type(f.data_type)
                                ? picture::format(text::real_of(value), picture)
                                : picture::format_text(text::clip(value), picture);
  return std::string(text::trim(shown));
}

}  // namespace

std::vector<const dict::KlasyfikatorRow*> classifier_fields(std::string_view group) {
  const auto& q = dict::glo().tables.KOL_KLASYFIKATOROW;
  std::vector<const dict::KlasyfikatorRow*> out;
  for (int32_t n = 1; n <= 10; ++n) {
    const dict::KlasyfikatorRow* row = q.find([&](const dict::KlasyfikatorRow& r) {
      return r.number == n && text::clip(r.group) == text::clip(group);
    });
    if (!row) break;
    out.push_back(row);
  }
  return out;
}

std::string classifier_table(std::string_view group) {
  const std::string_view g = text::clip(group);
  return g == "Rozrachunek" ? "Rozrachunek_orv_v" : std::string(g);
}

bool numeric_type(std::string_view data_type) {
  const std::string_view t = text::clip(data_type);
  return t == "liczba" || t == "liczba całkowita"_w1250 || t == "data";
}

bool KLASYFIKATORY_WALIDUJ(std::string_view group, const ClassifierValues& values) {
  for (const dict::KlasyfikatorRow* f : classifier_fields(group)) {
    if (!f->active) continue;
    const std::string_view v = text::clip(values[static_cast<std::size_t>(f->number - 1)]);
    const std::string label(text::clip(f->label));
    if (f->required && text::clip(f->data_type) == "tekst" && v.empty()) {
      frame::MSG_OSTRZEZENIE("Musisz wypełnić pole dodatkowe "_w1250 + label + "!");
      return true;
    }
    if (f->kind == 10 && !v.empty() && !allowed_item(f->allowed, v)) {
      frame::MSG_OSTRZEZENIE("Wartość pola "_w1250 + label + " musi pochodzić z listy:|"_w1250 +
                             f->allowed);
      return true;
    }
  }
  return false;
}

bool KLASYFIKATORY_RAPORT(std::string_view group, const ClassifierValues& values, Band& band,
                          std::string_view mask) {
  int number = kFirstControl, y = kTop;
  bool left = true;
  for (const dict::KlasyfikatorRow* f : classifier_fields(group)) {
    const auto at = static_cast<std::size_t>(f->number - 1);
    if (!f->active || at >= mask.size() || mask[at] != '1') continue;
    const std::string text =
        std::string(text::clip(f->label)) + ":  " + shown_value(*f, values[at]);
    band.texts.push_back({number++, left ? kLeft : kRight, y, text});
    const bool wide = left && kLeft + kCharWidth * static_cast<int>(text.size()) > kRight;
    if (left && !wide) {
      left = false;
      continue;
    }
    left = true;
    y += kRowStep;
  }
  return number == kFirstControl;
}

}  // namespace orv::reports
