#include "mirelant/ops/replace.h"

#include <cstddef>
#include <optional>
#include <string>

#include "mirelant/ops/course.h"
#include "mirelant/ops/extract.h"
#include "mirelant/ops/settings.h"

namespace mirelant::ops {

namespace {

// The rules text and its lines, cut again only after the text was edited.
class LiveRules {
 public:
  explicit LiveRules(Host& host) : host_(host), text_(host, Control::kRules) {}

  // False (after the message) when an edited rules text cannot be held in GBK.
  bool Refresh() {
    if (text_.Refresh()) lines_ = SplitLines(text_.text());
    if (text_.ok()) return true;
    ShowMessage(host_, texts::kNotGbk);
    return false;
  }
  std::size_t size() const { return lines_.size(); }
  // Rule i (0-based); the empty rule when the text has fewer lines now.
  TextView operator[](std::size_t i) const { return i < lines_.size() ? lines_[i] : TextView(); }

 private:
  Host& host_;
  WatchedText text_;
  LineList lines_;  // views into text_.text()
};

RunOutcome ReplaceAll(Host& host, const std::string& output_path) {
  const std::int64_t start = MonotonicMilliseconds();
  std::optional<Text> text = ReadInputText(host, host.InputPath());
  if (!text) return RunOutcome::kStopped;
  host.SetStatus(texts::kReading);
  // Opened before the work so that an output that cannot be written is told at once.
  OutputFile out(host, output_path);
  if (!out.ok()) return RunOutcome::kStopped;
  const Text separator = LineOfText(kOperationSettings, 3);
  LiveRules rules(host);
  if (!rules.Refresh()) return RunOutcome::kStopped;
  const std::size_t count = rules.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (!rules.Refresh()) return RunOutcome::kStopped;
    const TextView rule = rules[i];
    ReplaceAllInPlace(*text, TextBeforeFirst(rule, separator), TextAfterLast(rule, separator));
  }
  if (!out.Append(*text) || !out.Commit()) return RunOutcome::kStopped;
  host.SetStatus(ClosingStatus(texts::kProcessedIn, start));
  return RunOutcome::kDone;
}

}  // namespace

std::vector<Worker> PrepareReplace(Host& host) {
  if (!CheckInputPath(host)) return {};
  return {[&host] {
    const std::optional<std::string> output_path = host.AskSavePath();
    if (!output_path) return RunOutcome::kCancelled;
    const std::optional<Text> rules = ReadControl(host, Control::kRules);
    if (!rules) return RunOutcome::kStopped;
    if (rules->empty()) {
      host.ShowMessage(texts::kNeedParameters);
      return RunOutcome::kStopped;
    }
    return GuardMemory(host, [&] { return ReplaceAll(host, *output_path); });
  }};
}

}  // namespace mirelant::ops
