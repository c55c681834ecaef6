#pragma once
// A thread-safe copy of what the operations read from the window: the input
// path, the texts of the parameter boxes (converted to GBK once per edit) and
// the checked state of the mode boxes. The window thread writes it whenever a
// control changes; worker threads read it at any time without waiting for the
// window thread.

#include <QString>
#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "mirelant/ops/host.h"
#include "mirelant/text/text.h"

namespace mirelant::app {

class ControlState {
 public:
  ControlState() = default;
  ControlState(const ControlState&) = delete;
  ControlState& operator=(const ControlState&) = delete;

  // Window thread: a control's new text (UTF-8 as the window holds it). The
  // GBK form is made here, once; a text GBK cannot hold is kept as nothing.
  void SetText(ops::Control control, const QString& text);
  // Window thread: the new text of the path box.
  void SetInputPath(const QString& text);
  void SetChecked(ops::ModeBox box, bool checked);

  // Any thread.
  std::optional<Text> ControlText(ops::Control control) const;
  std::uint64_t ControlVersion(ops::Control control) const;
  // The path box as a native file-system path.
  std::string InputPath() const;
  bool IsChecked(ops::ModeBox box) const;

 private:
  static constexpr std::size_t kControls = static_cast<std::size_t>(ops::Control::kCount) + 1;

  struct Slot {
    mutable std::mutex mutex;
    std::optional<Text> gbk = Text();
    std::atomic<std::uint64_t> version{0};
  };

  std::array<Slot, kControls> slots_;
  mutable std::mutex path_mutex_;
  std::string path_;
  std::array<std::atomic<bool>, 3> checked_{};
};

}  // namespace mirelant::app
