// The update form of a list's record: opened for GLOBALREQUEST (insert, change, delete, view),
// answering in GLOBALRESPONSE, with tabs and the buttons "Zapisz" (F10) and "Anuluj" (Esc).
#pragma once

#include <functional>
#include <string>

#include "lists/list_window.hpp"
#include "platform/ui/window.hpp"

namespace orv::lists {

// Control numbers of every form; a form's own controls lie between them.
enum FormControl : int {
  kModeText = 1,
  kSaveButton = 90,
  kCancelButton = 91,
};

// The form as designed: its mode text and the two buttons.
void add_form_controls(ui::Window& w);

// What a form opened by a host (not by its list) does: with GLOBALREQUEST left at 0 it adds a
// record when the buffer's id is 0 and changes that record otherwise.
Request form_request(double record_id);

// Asks before a record is deleted: true on Yes.
bool confirm_delete();

class UpdateForm {
 public:
  // Saving: true when the record was written (the form closes and answers completed); false
  // keeps the form open (the save showed why).
  using Save = std::function<bool()>;
  // The form's own controls: true when handled.
  using Handler = std::function<bool(const ui::Event&)>;

  UpdateForm(ui::Window& w, Request request, std::string help_topic = {});

  Request request() const { return request_; }
  // View: entries read-only, check boxes and buttons other than "Anuluj" disabled.
  void lock_for_view();
  // Runs until saved or cancelled; sets GLOBALRESPONSE and returns it.
  int32_t run(const Save& save, const Handler& handler = {});

 private:
  ui::Window& w_;
  Request request_;
  std::string help_topic_;
};

}  // namespace orv::lists
