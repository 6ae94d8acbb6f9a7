// The script language both backends speak, and the engine that turns commands into events.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/ui.hpp"
#include "platform/ui/window.hpp"

namespace orv::ui {

// One command: "set <control> <value>", "press <control>", "choose <control> <item>",
// "select <control> <row> [<column>]", "dclick <control> <row> [<column>]",
// "check <control> on|off",
// "select <text area> <from> <to>" (characters, 1-based, both included),
// "key <key>", "answer <yes|no|caption|path>", "tick [n]", "close", "maximize".
// A control is named by its id, its caption or prompt, or its number; names with blanks go in
// double quotes, as may a value that holds ";".
struct Command {
  std::string verb;    // lower case
  std::string target;  // the control (or the key, the answer, the tick count)
  std::string arg;     // the value, item or row
  std::string source;  // the command as written, for messages (UTF-8)
};

// Commands one per line or separated by ";"; blank lines and lines starting with "#" are skipped.
// The text may be UTF-8 or Windows-1250; commands hold Windows-1250. Throws ScriptError for a
// verb it does not know or a command missing its argument.
std::vector<Command> parse_script(std::string_view script);

// Reads the script as parse_script does and refuses (ScriptError naming the line) a value that no
// window `procedure` opens, as designed, can take: text for a numeric entry, an item a drop list
// or a row a list lacks when the design fixes them, a button given a value. What only the run
// can tell (rows read from the database, controls the procedure adds) is left to the run.
void check_script(std::string_view script, std::string_view procedure);

// What a numeric entry takes: digits with a sign and one point or comma, blanks anywhere; empty.
bool typed_number(std::string_view typed);

// A window's state when it closed, as scripts and the CLI report it.
struct WindowRecord {
  std::string name;
  std::string title;
  std::string focus;  // id of the focused control
  std::vector<Control> controls;
};

struct HelpRecord {
  std::string file;
  std::string topic;
};

// The engine both the headless and the terminal backend run: commands come from a script (and
// the terminal's input), boxes take `answer` commands, windows take the rest. Everything shown
// is recorded. Thread-safe: boxes may come from worker threads.
class ScriptedBackend : public Backend {
 public:
  // `strict`: input the script does not give fails the run (ScriptError naming the window or
  // box). Otherwise questions take their default button and windows are closed as by Esc, with
  // a note saying so.
  explicit ScriptedBackend(bool strict, bool keep_records = true);

  void add_script(std::string_view script);
  // One command as a person gave it through a window of a toolkit (a click, a typed text).
  void add_command(Command command);
  // Answers for boxes given apart from the script, used when the script's next command is not
  // an answer.
  void add_answer(std::string answer);

  unsigned message(const MessageBox& box) override;
  Event next_event(Window& w) override;
  void window_closed(const Window& w) override;
  std::optional<std::string> file_dialog(const FileDialog& dialog) override;
  int popup(const std::vector<std::string>& items) override;
  void help(const std::string& file, const std::string& topic) override;
  // Recorded, never run: a script's run opens nothing on the desktop.
  bool open_document(const std::string& path, std::string& error) override;
  bool start_program(const std::string& program, const std::vector<std::string>& args,
                     std::string& error) override;
  void busy(bool on) override;
  void failed(const std::string& message) override;

  const std::vector<BoxRecord>& boxes() const { return boxes_; }
  const std::vector<WindowRecord>& windows() const { return windows_; }
  std::vector<ErrorWindowRecord> error_windows() const;
  // Windows closed as by Esc (or dialogs cancelled) because the script gave no more input.
  const std::vector<std::string>& notes() const { return notes_; }
  const std::string& failure() const { return failure_; }
  const std::vector<HelpRecord>& help_requests() const { return help_; }
  const std::vector<std::vector<std::string>>& popups() const { return popups_; }
  const std::vector<FileDialog>& file_dialogs() const { return dialogs_; }
  // Files the procedures asked to open with the desktop's program, in order (Windows-1250).
  const std::vector<std::string>& opened_documents() const { return opened_; }
  // Programs the procedures asked to start: the program, then its arguments (Windows-1250).
  const std::vector<std::vector<std::string>>& started_programs() const { return started_; }
  int busy_depth() const { return busy_; }
  int64_t virtual_time() const { return virtual_time_; }  // hundredths spent in dry timer ticks
  std::size_t commands_left() const;
  // The commands not yet taken, as written (UTF-8).
  std::vector<std::string> pending_commands() const;
  void clear_records();

  static constexpr int kMaxDryTicks = 100000;
  // Timer events a window gets with the script run dry before the run fails. The first
  // kFreeTicks come at once (virtual time); each later one waits a millisecond of real time, so
  // work running on another thread can finish before the window gives up.
  void set_dry_tick_limit(int ticks) { dry_limit_ = ticks; }
  static constexpr int kFreeTicks = 1000;

 protected:
  enum class Input { Commands, Timer, None };
  // No command is left while `w` (or a box or dialog, when `w` is null) waits: the terminal
  // reads more; Timer delivers a timer event now; None means none will come.
  virtual Input more_input(Window* /*w*/) { return Input::None; }
  // True when a person types commands (display-only windows then wait for them).
  virtual bool interactive() const { return false; }
  // Boxes the script does not answer: a terminal asks the person.
  virtual std::optional<unsigned> ask_box(const MessageBox&) { return std::nullopt; }
  void record_box(const MessageBox& box, unsigned answer);
  bool next_is_answer();

 private:
  struct Dry {
    int ticks = 0;
    int closes = 0;
  };
  bool take(Command& c);
  bool closes_by_itself(const Window& w);
  bool take_answer(Command& c);
  unsigned answer_for(const MessageBox& box, const std::string& answer) const;
  std::optional<unsigned> scripted_answer(const MessageBox& box);
  Event dry(Window& w);
  std::optional<Event> wait_for_box(Window& w);
  void note(std::string text);
  std::vector<Event> apply(const Command& c, Window& w);

  bool strict_;
  bool keep_records_;
  std::deque<Command> commands_;
  std::deque<std::string> answers_;
  std::vector<BoxRecord> boxes_;
  std::vector<WindowRecord> windows_;
  std::vector<std::string> notes_;
  std::string failure_;
  std::vector<HelpRecord> help_;
  std::vector<std::vector<std::string>> popups_;
  std::vector<FileDialog> dialogs_;
  std::vector<std::string> opened_;
  std::vector<std::vector<std::string>> started_;
  std::map<int32_t, Dry> dry_;
  int busy_ = 0;
  int dry_limit_ = kMaxDryTicks;
  int64_t virtual_time_ = 0;
  mutable std::recursive_mutex mutex_;
};

// The window's title for messages, in UTF-8 with its name: "Skróty klawiszowe" (SkrotyKlawiszowe).
std::string describe(const Window& w);

}  // namespace orv::ui
