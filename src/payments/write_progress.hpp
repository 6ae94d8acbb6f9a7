// The small window that shows how far writing the payment file has got.
#pragma once

#include <cstdint>

#include "platform/ui/window.hpp"

namespace orv::payments {

// "ORVEX: Informacja", "Proszę czekać. Trwa zapisywanie do pliku..." and a bar from 0 to 100;
// open while the object lives. The bar is redrawn only when its whole percent changes, so a
// long file costs a hundred redraws, not one per transfer.
class WriteProgress {
 public:
  explicit WriteProgress(int64_t total);
  ~WriteProgress();
  WriteProgress(const WriteProgress&) = delete;
  WriteProgress& operator=(const WriteProgress&) = delete;

  void advance();  // one more transfer done

 private:
  ui::Window w_;
  int64_t total_;
  int64_t done_ = 0;
  int64_t shown_ = 0;
};

ui::Window progress_window();

}  // namespace orv::payments
