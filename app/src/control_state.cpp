#include "mirelant/app/control_state.h"

#include <QFile>

#include "mirelant/text/gbk.h"

namespace mirelant::app {

namespace {

std::size_t IndexOf(ops::ModeBox box) { return static_cast<std::size_t>(box) - 1; }

}  // namespace

void ControlState::SetText(ops::Control control, const QString& text) {
  Slot& slot = slots_[static_cast<std::size_t>(control)];
  std::optional<Text> gbk = Utf8ToGbk(text.toStdString());
  {
    std::lock_guard lock(slot.mutex);
    slot.gbk = std::move(gbk);
  }
  // Raised after the text is in place: a reader that sees the new number
  // reads the new text.
  slot.version.fetch_add(1, std::memory_order_release);
}

void ControlState::SetInputPath(const QString& text) {
  std::string path = QFile::encodeName(text).toStdString();
  std::lock_guard lock(path_mutex_);
  path_ = std::move(path);
}

void ControlState::SetChecked(ops::ModeBox box, bool checked) {
  checked_[IndexOf(box)].store(checked, std::memory_order_release);
}

std::optional<Text> ControlState::ControlText(ops::Control control) const {
  const Slot& slot = slots_[static_cast<std::size_t>(control)];
  std::lock_guard lock(slot.mutex);
  return slot.gbk;
}

std::uint64_t ControlState::ControlVersion(ops::Control control) const {
  return slots_[static_cast<std::size_t>(control)].version.load(std::memory_order_acquire);
}

std::string ControlState::InputPath() const {
  std::lock_guard lock(path_mutex_);
  return path_;
}

bool ControlState::IsChecked(ops::ModeBox box) const {
  return checked_[IndexOf(box)].load(std::memory_order_acquire);
}

}  // namespace mirelant::app
