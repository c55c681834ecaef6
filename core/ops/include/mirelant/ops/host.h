#pragma once
// What an operation needs from its surroundings: the window, the command line
// and the tests each provide one. Every call may come from a worker thread.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "mirelant/text/text.h"

namespace mirelant::ops {

// The controls whose texts the operations read.
enum class Control {
  kPartCount,  // 编辑框_分割份数
  kMark1,      // 编辑框1: first mark of "between"
  kMark2,      // 编辑框2: second mark of "between"
  kMark3,      // 编辑框3: mark of "left of"
  kMark4,      // 编辑框4: mark of "right of"
  kRules,      // 编辑框5: replace rules, one per line
  kRule,       // 编辑框6: the generate rule
  kCount,      // 编辑框7: how many lines to generate
};

// The three extract mode boxes 选择框1, 选择框2, 选择框3.
enum class ModeBox { kBetween = 1, kLeft = 2, kRight = 3 };

class Host {
 public:
  virtual ~Host() = default;

  // The text of 编辑框_文件名 as a file-system path (never converted).
  virtual std::string InputPath() = 0;

  // The text of a control converted to GBK, or nothing when it holds a
  // character GBK cannot represent.
  virtual std::optional<Text> ControlText(Control control) = 0;

  // A number that changes whenever the control's text may have changed, so a
  // reader can keep what it derived from the text until then.
  virtual std::uint64_t ControlVersion(Control control) = 0;

  virtual bool IsChecked(ModeBox box) = 0;

  // Shows the save dialog and waits for it: the chosen path, or nothing when
  // the user cancelled.
  virtual std::optional<std::string> AskSavePath() = 0;

  // A message box: the message alone (UTF-8), one OK button; blocks the calling
  // thread until it is closed.
  virtual void ShowMessage(std::string_view message) = 0;

  // Replaces the text of the status bar's first pane (UTF-8).
  virtual void SetStatus(std::string_view status) = 0;
};

}  // namespace mirelant::ops
