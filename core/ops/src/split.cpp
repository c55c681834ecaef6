#include "mirelant/ops/split.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "mirelant/ops/course.h"
#include "mirelant/ops/settings.h"
#include "mirelant/text/lines.h"

namespace mirelant::ops {

namespace {

// The part count from 编辑框_分割份数, or nothing (after the message) when it
// is below 1 or not a text GBK can hold.
std::optional<std::int32_t> ReadPartCount(Host& host) {
  return ReadPositiveCount(host, Control::kPartCount, texts::kNeedPartCount);
}

// Writes one part: lines [first, first + size) in JoinLines form. The lines
// are contiguous, so their bytes as they stand (plus CR LF where the text's
// last line lacks one) are the whole part.
bool WritePart(Host& host, const std::string& path, TextView text, const LineIndex& index,
               std::size_t first, std::size_t size) {
  OutputFile out(host, path);
  if (!out.ok()) return false;
  if (size > 0) {
    const std::size_t begin = index.StartOf(first);
    const std::size_t end = index.StartOf(first + size);
    if (!out.Append(text.substr(begin, end - begin))) return false;
    if (first + size == index.lines() && !index.ends_with_break() && !out.Append(kLineBreak)) {
      return false;
    }
  }
  return out.Commit();
}

RunOutcome SplitIntoParts(Host& host) {
  const std::int64_t start = MonotonicMilliseconds();
  const std::optional<std::int32_t> parts = ReadPartCount(host);
  if (!parts) return RunOutcome::kStopped;
  const std::optional<Text> text = ReadInputText(host, host.InputPath());
  if (!text) return RunOutcome::kStopped;
  host.SetStatus(texts::kReading);
  // Only the line count and the part boundaries matter: the lines are counted
  // in one pass that marks every 65536th line start, never listed.
  const LineIndex index(*text, 65536);
  const std::size_t line_count = index.lines();
  const auto n = static_cast<std::size_t>(*parts);
  const std::size_t base = line_count / n;
  const std::size_t larger = line_count % n;  // how many parts hold one line more
  const auto written = static_cast<std::size_t>(std::min<std::int64_t>(*parts, kMaxParts));
  std::size_t next = 0;
  for (std::size_t i = 0; i < written; ++i) {
    const std::size_t size = base + (i < larger ? 1 : 0);
    const std::string path = PartFileName(host.InputPath(), static_cast<std::int32_t>(i + 1));
    if (!WritePart(host, path, *text, index, next, size)) return RunOutcome::kStopped;
    next += size;
  }
  host.SetStatus(ClosingStatus(texts::kProcessedIn, start));
  return RunOutcome::kDone;
}

}  // namespace

std::string PartFileName(const std::string& input_path, std::int32_t i) {
  return input_path + ".bak" + IntToText(i) + ".txt";
}

std::vector<Worker> PrepareSplit(Host& host) {
  if (!CheckInputPath(host) || !ReadPartCount(host)) return {};
  return {[&host] { return GuardMemory(host, [&host] { return SplitIntoParts(host); }); }};
}

}  // namespace mirelant::ops
