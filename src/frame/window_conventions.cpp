// The conventions every window of the library follows when it opens.
#include "frame/window_conventions.hpp"

#include <atomic>

#include "frame/lifecycle.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/text.hpp"

namespace orv::frame {
namespace {

// Set once while the library loads; read on the threads that run windows.
std::atomic<HostFrameFit> g_host_frame_fit{nullptr};

}  // namespace

std::string help_file() {
  std::string folder(text::clip(dict::glo().LOCALPATH));
  if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
  return folder + "orv2000.chm";
}

void open_window(ui::Window& w, std::string_view help_topic) {
  ui::OpenOptions options;
  options.ini = &current_ini();
  options.help_file = help_file();
  options.help_topic = help_topic;
  options.alt_as_f10 = ui::on_first_thread();
  options.tooltips = dict::glo().TOOLTIPTYPE == 2;
  w.open(options);
}

void set_host_frame_fit(HostFrameFit fit) {
  g_host_frame_fit.store(fit);
}

bool fit_into_host_frame() {
  HostFrameFit fit = g_host_frame_fit.load();
  return fit != nullptr && fit() == 1;
}

}  // namespace orv::frame
