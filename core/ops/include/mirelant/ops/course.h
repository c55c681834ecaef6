#pragma once
// Building blocks of the worker course that every operation shares.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mirelant/ops/host.h"
#include "mirelant/ops/runner.h"
#include "mirelant/text/files.h"
#include "mirelant/text/lines.h"

namespace mirelant::ops {

// Shows msg followed by detail (a path, say) as one message.
void ShowMessage(Host& host, std::string_view msg, std::string_view detail = {});

// Reads path whole as text (cut at its first NUL). On failure shows
// "无法读取文件：" and the path, or the out-of-memory message, and gives nothing.
std::optional<Text> ReadInputText(Host& host, const std::string& path);

// The output of one run: an atomic writer that reports its own failure once
// with "无法写入文件：" and the path.
class OutputFile {
 public:
  OutputFile(Host& host, std::string path);

  bool ok() const { return writer_.ok(); }
  bool Append(std::string_view bytes) { return Check(writer_.Append(bytes)); }
  bool AppendLine(std::string_view line) { return Check(writer_.AppendLine(line)); }
  // Puts the file in place; false (after the message) when that failed.
  bool Commit() { return Check(writer_.Commit()); }

 private:
  bool Check(bool ok);

  Host& host_;
  AtomicFileWriter writer_;
  bool reported_ = false;
};

// Appends the picked lines (0-based indices into lines), each followed by CR LF.
bool AppendPickedLines(OutputFile& out, const LineList& lines,
                       const std::vector<std::uint32_t>& picks);

// A control's text as GBK, re-read from the host only after the control
// changed. Edits made during a run take effect from the next read on.
class WatchedText {
 public:
  WatchedText(Host& host, Control control) : host_(host), control_(control) {}

  // Refreshes from the host when the control changed; true when the text is
  // new since the last call (always on the first). False from ok() when the
  // text could not be converted to GBK.
  bool Refresh();
  bool ok() const { return ok_; }
  const Text& text() const { return text_; }

 private:
  Host& host_;
  Control control_;
  std::uint64_t version_ = 0;
  bool read_ = false;
  bool ok_ = true;
  Text text_;
};

// Reads a control once; on a text GBK cannot hold shows the message and gives nothing.
std::optional<Text> ReadControl(Host& host, Control control);

// TextToInt of a count box, or nothing when it is below 1 (after showing
// below_one) or not a text GBK can hold (after its message).
std::optional<std::int32_t> ReadPositiveCount(Host& host, Control control,
                                              std::string_view below_one);

// Runs body, turning an exhausted memory into the out-of-memory message.
RunOutcome GuardMemory(Host& host, const std::function<RunOutcome()>& body);

// The course of an operation over the lines of its input file: save dialog,
// the check after it, reading, the reading status, splitting, then process
// with the lines and the output file, commit and the closing status. check may
// be empty; process returns false when it stopped the run (output discarded).
using LineCheck = std::function<bool(Host&)>;
using LineProcess = std::function<bool(const LineList&, OutputFile&)>;
RunOutcome RunLineCourse(Host& host, const LineCheck& check, const LineProcess& process);

}  // namespace mirelant::ops
