// One window of the model as a Qt dialog: the model drawn into widgets, gestures back as commands.
#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <string>

#include "platform/ui/script.hpp"
#include "platform/ui/window.hpp"

class QLabel;
class QTabBar;

namespace orv::ui::qt {

class WindowView : public QDialog {
 public:
  // What a person does becomes a command of the script language, so a click and a script line
  // take one road into the window's logic.
  using Sink = std::function<void(Command)>;
  // `person`: someone sits at the window; their gestures count, and where they move or resize
  // the window is kept in the model. Without one, only the script acts.
  WindowView(Window& w, bool person, Sink sink);
  ~WindowView() override;

  // What decides the widgets built: windows with the same key can share one view in turn.
  static std::string layout_key(const Window& w);
  // Hidden and bound to no window: nothing it hears reaches a model until it is rebound.
  void park();
  // Shows another window of the same layout key, drawn afresh as a new view would be.
  void rebind(Window& w);

  // Brings every widget up to the model; cheap when little changed.
  void sync();
  Window& window() { return *w_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Shown {
    QWidget* widget = nullptr;
    QLabel* prompt = nullptr;  // the label in front of it, if any
    Control drawn;             // the control as last drawn
    bool fresh = true;         // nothing drawn yet
    int tab = -1;              // a tab control's index on the tab bar
  };
  void build();
  QWidget* make(const Control& c);
  void connect_gestures(const Control& c, QWidget* widget);
  void sync_control(const Control& c, Shown& s);
  void sync_value(const Control& c, Shown& s);
  void sync_list(const Control& c, Shown& s);
  void sync_slider(const Control& c, Shown& s);
  void place();
  void give(std::string verb, int number, std::string arg = {});
  void give_key(const std::string& key);
  bool is_text_widget(QObject* o) const;
  std::string paged_key(QObject* watched, int key) const;

  Window* w_;  // null while parked
  bool person_;
  Sink sink_;
  bool syncing_ = false;
  bool alt_alone_ = false;      // Alt is down and no other key came
  std::map<int, Shown> shown_;  // by control number
  QTabBar* tabs_ = nullptr;
  QSize hint_;  // what the layout asked for when the view was built
};

}  // namespace orv::ui::qt
