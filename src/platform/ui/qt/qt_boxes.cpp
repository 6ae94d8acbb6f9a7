// The Qt backend's boxes, dialogs, popup menus and clipboard: a person answers, the engine records.
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>

#include "platform/text/text.hpp"
#include "platform/ui/qt/qt_app.hpp"
#include "platform/ui/qt/qt_backend.hpp"
#include "platform/ui/qt/qt_text.hpp"

namespace orv::ui::qt {
namespace {

constexpr std::pair<unsigned, const char*> kWords[] = {
    {kOk, "ok"},       {kYes, "yes"},       {kNo, "no"},         {kAbort, "abort"},
    {kRetry, "retry"}, {kIgnore, "ignore"}, {kCancel, "cancel"}, {kHelp, "help"}};

Command command(std::string verb, std::string target, std::string arg = {}) {
  Command c{std::move(verb), std::move(target), std::move(arg), {}};
  c.source = c.verb + " " + text::to_utf8(c.target) + (c.arg.empty() ? "" : " " + c.arg);
  return c;
}

QMessageBox::Icon qt_icon(Icon icon) {
  switch (icon) {
    case Icon::Question:
      return QMessageBox::Question;
    case Icon::Information:
      return QMessageBox::Information;
    case Icon::Exclamation:
      return QMessageBox::Warning;
    case Icon::Hand:
      return QMessageBox::Critical;
    default:
      return QMessageBox::NoIcon;
  }
}

QMessageBox::ButtonRole role(unsigned bit) {
  if (bit == kOk || bit == kYes || bit == kRetry) return QMessageBox::AcceptRole;
  if (bit == kNo || bit == kAbort || bit == kCancel) return QMessageBox::RejectRole;
  if (bit == kHelp) return QMessageBox::HelpRole;
  return QMessageBox::ActionRole;
}

// The button a person pressed; Esc (or the close box) is Cancel, else No, else the default.
unsigned ask(const MessageBox& box) {
  QMessageBox m(qt_icon(box.icon), qstr(box.title), {}, QMessageBox::NoButton);
  QStringList lines;
  for (const auto& line : message_lines(box.text)) lines << qstr(line);
  m.setText(lines.join('\n'));
  std::vector<std::pair<QAbstractButton*, unsigned>> buttons;
  for (unsigned bit = 1; bit <= kHelp; bit <<= 1) {
    if (!(box.buttons & bit)) continue;
    QPushButton* b = m.addButton(qstr(button_caption(bit, box)), role(bit));
    buttons.emplace_back(b, bit);
    if (bit == box.default_button) m.setDefaultButton(b);
  }
  m.exec();
  for (const auto& [b, bit] : buttons) {
    if (m.clickedButton() == b) return bit;
  }
  for (unsigned escape : {static_cast<unsigned>(kCancel), static_cast<unsigned>(kNo)}) {
    if (box.buttons & escape) return escape;
  }
  return box.default_button;
}

// "caption|pattern|caption|pattern" as Qt's "caption (pattern);;caption (pattern)".
QString qt_filter(const std::string& filter) {
  auto parts = message_lines(filter);
  QStringList out;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    QString pattern = qstr(parts[i + 1]).replace(';', ' ');
    out << qstr(parts[i]) + " (" + pattern + ")";
  }
  return out.join(";;");
}

std::optional<QString> ask_path(const FileDialog& d) {
  QString title = qstr(d.title);
  QString start = qstr(d.folder);
  if (!d.file.empty()) start += "/" + qstr(d.file);
  QString path;
  if (d.folders) {
    path = QFileDialog::getExistingDirectory(nullptr, title, qstr(d.folder));
  } else if (d.save) {
    path = QFileDialog::getSaveFileName(nullptr, title, start, qt_filter(d.filter));
  } else {
    path = QFileDialog::getOpenFileName(nullptr, title, start, qt_filter(d.filter));
  }
  if (path.isEmpty()) return std::nullopt;
  return path;
}

}  // namespace

unsigned QtBackend::message(const MessageBox& box) {
  if (person_answers()) {
    unsigned answer = ask(box);
    for (const auto& [bit, word] : kWords) {
      if (bit == answer) engine_.add_command(command("answer", word));
    }
  }
  return engine_.message(box);
}

std::optional<std::string> QtBackend::file_dialog(const FileDialog& dialog) {
  if (person_answers()) {
    auto path = ask_path(dialog);
    engine_.add_command(path ? command("answer", cp1250(*path)) : command("close", {}));
  }
  return engine_.file_dialog(dialog);
}

int QtBackend::popup(const std::vector<std::string>& items) {
  if (person_answers()) {
    QMenu menu;
    for (const auto& item : items) menu.addAction(qstr(item));
    QAction* chosen = menu.exec(QCursor::pos());
    int index = chosen ? static_cast<int>(menu.actions().indexOf(chosen)) + 1 : 0;
    engine_.add_command(index ? command("choose", "popup", std::to_string(index))
                              : command("close", {}));
  }
  return engine_.popup(items);
}

void QtBackend::set_clipboard(const std::string& text) {
  engine_.set_clipboard(text);
  if (on_gui_thread()) QGuiApplication::clipboard()->setText(qstr(text));
}

std::string QtBackend::clipboard() {
  if (!on_gui_thread()) return engine_.clipboard();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasText()) return engine_.clipboard();
  return cp1250(data->text());
}

}  // namespace orv::ui::qt
