#include "mirelant/ops/course.h"

#include <new>
#include <stdexcept>

#include "mirelant/ops/settings.h"

namespace mirelant::ops {

void ShowMessage(Host& host, std::string_view msg, std::string_view detail) {
  std::string text(msg);
  text.append(detail);
  host.ShowMessage(text);
}

std::optional<Text> ReadInputText(Host& host, const std::string& path) {
  ReadResult read = ReadWholeFile(path);
  switch (read.status) {
    case ReadStatus::kOk:
      return BytesToText(std::move(read.bytes));
    case ReadStatus::kCannotRead:
      ShowMessage(host, texts::kCannotRead, path);
      return std::nullopt;
    case ReadStatus::kOutOfMemory:
      ShowMessage(host, texts::kOutOfMemory);
      return std::nullopt;
  }
  return std::nullopt;
}

OutputFile::OutputFile(Host& host, std::string path) : host_(host), writer_(std::move(path)) {
  Check(writer_.ok());
}

bool OutputFile::Check(bool ok) {
  if (!ok && !reported_) {
    reported_ = true;
    ShowMessage(host_, texts::kCannotWrite, writer_.path());
  }
  return ok;
}

bool AppendPickedLines(OutputFile& out, const LineList& lines,
                       const std::vector<std::uint32_t>& picks) {
  // Picks jump around a large input: fetch each line's bounds and then its bytes
  // ahead of use, so the cache misses overlap.
  constexpr std::size_t kBoundsAhead = 16;
  constexpr std::size_t kBytesAhead = 8;
  const std::size_t n = picks.size();
  for (std::size_t j = 0; j < n; ++j) {
    if (j + kBoundsAhead < n) lines.PrefetchBounds(picks[j + kBoundsAhead]);
    if (j + kBytesAhead < n) lines.PrefetchBytes(picks[j + kBytesAhead]);
    if (!out.AppendLine(lines[picks[j]])) return false;
  }
  return true;
}

bool WatchedText::Refresh() {
  const std::uint64_t version = host_.ControlVersion(control_);
  if (read_ && version == version_) return false;
  read_ = true;
  version_ = version;
  std::optional<Text> text = host_.ControlText(control_);
  ok_ = text.has_value();
  text_ = std::move(text).value_or(Text());
  return true;
}

std::optional<Text> ReadControl(Host& host, Control control) {
  std::optional<Text> text = host.ControlText(control);
  if (!text) ShowMessage(host, texts::kNotGbk);
  return text;
}

std::optional<std::int32_t> ReadPositiveCount(Host& host, Control control,
                                              std::string_view below_one) {
  const std::optional<Text> text = ReadControl(host, control);
  if (!text) return std::nullopt;
  const std::int32_t count = TextToInt(*text);
  if (count < 1) {
    host.ShowMessage(below_one);
    return std::nullopt;
  }
  return count;
}

RunOutcome GuardMemory(Host& host, const std::function<RunOutcome()>& body) {
  try {
    return body();
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  ShowMessage(host, texts::kOutOfMemory);
  return RunOutcome::kStopped;
}

RunOutcome RunLineCourse(Host& host, const LineCheck& check, const LineProcess& process) {
  const std::optional<std::string> output_path = host.AskSavePath();
  if (!output_path) return RunOutcome::kCancelled;
  if (check && !check(host)) return RunOutcome::kStopped;
  return GuardMemory(host, [&] {
    const std::int64_t start = MonotonicMilliseconds();
    const std::optional<Text> text = ReadInputText(host, host.InputPath());
    if (!text) return RunOutcome::kStopped;
    host.SetStatus(texts::kReading);
    const LineList lines = SplitLines(*text);
    if (lines.empty()) return RunOutcome::kNoLines;
    OutputFile output(host, *output_path);
    if (!output.ok() || !process(lines, output) || !output.Commit()) return RunOutcome::kStopped;
    host.SetStatus(ClosingStatus(texts::kProcessedIn, start));
    return RunOutcome::kDone;
  });
}

}  // namespace mirelant::ops
