#include "mirelant/ops/extract.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "mirelant/ops/course.h"
#include "mirelant/ops/settings.h"

namespace mirelant::ops {

namespace {

std::int64_t Size(TextView text) { return static_cast<std::int64_t>(text.size()); }

// The mark boxes a mode reads: one, or two for "between".
struct ModeMarks {
  Control first;
  std::optional<Control> second;
};

ModeMarks MarksOf(ModeBox mode) {
  switch (mode) {
    case ModeBox::kBetween:
      return {Control::kMark1, Control::kMark2};
    case ModeBox::kLeft:
      return {Control::kMark3, std::nullopt};
    case ModeBox::kRight:
      return {Control::kMark4, std::nullopt};
  }
  return {Control::kMark3, std::nullopt};
}

// After the save dialog: every mark of the mode must be filled in.
bool CheckMarks(Host& host, const ModeMarks& marks) {
  for (const std::optional<Control>& control : {std::optional(marks.first), marks.second}) {
    if (!control) continue;
    const std::optional<Text> mark = ReadControl(host, *control);
    if (!mark) return false;
    if (mark->empty()) {
      host.ShowMessage(texts::kNeedParameters);
      return false;
    }
  }
  return true;
}

// The marks re-read for every line: the host is asked again only after an edit.
class LiveMarks {
 public:
  LiveMarks(Host& host, const ModeMarks& marks) : host_(host), first_(host, marks.first) {
    if (marks.second) second_.emplace(host, *marks.second);
  }

  // False (after the message) when an edited mark cannot be held in GBK.
  bool Refresh() {
    first_.Refresh();
    if (second_) second_->Refresh();
    if (first_.ok() && (!second_ || second_->ok())) return true;
    ShowMessage(host_, texts::kNotGbk);
    return false;
  }
  TextView first() const { return first_.text(); }
  TextView second() const { return second_ ? TextView(second_->text()) : TextView(); }

 private:
  Host& host_;
  WatchedText first_;
  std::optional<WatchedText> second_;
};

TextView PieceOf(ModeBox mode, TextView line, const LiveMarks& marks) {
  switch (mode) {
    case ModeBox::kBetween:
      return TextBetween(line, marks.first(), marks.second());
    case ModeBox::kLeft:
      return TextBeforeFirst(line, marks.first());
    case ModeBox::kRight:
      return TextAfterLast(line, marks.first());
  }
  return {};
}

Worker ExtractWorker(Host& host, ModeBox mode) {
  return [&host, mode] {
    const ModeMarks marks = MarksOf(mode);
    return RunLineCourse(
        host, [&marks](Host& h) { return CheckMarks(h, marks); },
        [&host, mode, &marks](const LineList& lines, OutputFile& out) {
          LiveMarks live(host, marks);
          const std::size_t count =
              std::min(lines.size(), static_cast<std::size_t>(OutputLineLimit()));
          for (std::size_t i = 0; i < count; ++i) {
            if (!live.Refresh()) return false;
            if (!out.AppendLine(PieceOf(mode, lines[i], live))) return false;
          }
          return true;
        });
  };
}

}  // namespace

TextView TextBeforeFirst(TextView line, TextView mark) {
  const std::int64_t p = FindText(line, mark);
  if (p == -1) return {};
  return LeftText(line, p - 1);
}

TextView TextAfterLast(TextView line, TextView mark) {
  const std::int64_t p = FindLastText(line, mark);
  if (p == -1) return {};
  return RightText(line, Size(line) - Size(mark) - p + 1);
}

TextView TextBetween(TextView line, TextView first, TextView second) {
  const std::int64_t p = FindText(line, first);
  if (p == -1) return {};
  const TextView rest = RightText(line, Size(line) - p - Size(first) + 1);
  const std::int64_t q = FindText(rest, second);
  if (q == -1) return {};
  return LeftText(rest, q - 1);
}

std::vector<Worker> PrepareExtract(Host& host) {
  if (!CheckInputPath(host)) return {};
  std::vector<Worker> workers;
  for (ModeBox mode : {ModeBox::kBetween, ModeBox::kLeft, ModeBox::kRight}) {
    if (host.IsChecked(mode)) workers.push_back(ExtractWorker(host, mode));
  }
  if (workers.empty()) host.ShowMessage(texts::kNeedMode);
  return workers;
}

}  // namespace mirelant::ops
