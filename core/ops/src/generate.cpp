#include "mirelant/ops/generate.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mirelant/ops/course.h"
#include "mirelant/ops/settings.h"
#include "mirelant/text/lines.h"
#include "mirelant/text/random.h"

namespace mirelant::ops {

namespace {

constexpr char kSpace = ' ';
constexpr char kFullWidthSpaceByte = '\xA1';  // the full-width space is this byte twice

bool IsBlank(TextView text, std::size_t i, std::size_t size) {
  if (size == 1) return text[i] == kSpace;
  return text[i] == kFullWidthSpaceByte && text[i + 1] == kFullWidthSpaceByte;
}

// The rule without the blanks at either end. The trailing run is found by
// walking whole characters, so 0xA1 0xA1 counts only where it is one character.
TextView TrimBlanks(TextView rule) {
  std::size_t begin = 0;
  while (begin < rule.size()) {
    const std::size_t size = CharacterSize(rule, begin);
    if (!IsBlank(rule, begin, size)) break;
    begin += size;
  }
  std::size_t end = begin;
  for (std::size_t i = begin; i < rule.size();) {
    const std::size_t size = CharacterSize(rule, i);
    const bool blank = IsBlank(rule, i, size);
    i += size;
    if (!blank) end = i;
  }
  return rule.substr(begin, end - begin);
}

// The placeholder bytes, lines 4, 5 and 6 of the settings.
struct Placeholders {
  char digit;
  char letter;
  char chinese;
};

const Placeholders& PlaceholdersOf() {
  static const Placeholders placeholders{LineOfText(kOperationSettings, 4).front(),
                                         LineOfText(kOperationSettings, 5).front(),
                                         LineOfText(kOperationSettings, 6).front()};
  return placeholders;
}

// Lines made from one version of the rule, built in a block that is handed to
// the output whole. The trimmed rule (with room for every placeholder's value,
// and CR LF) is compiled once per version together with where each value
// goes, and the block is prefilled with copies of it: filling a line then only
// overwrites those bytes.
class LineBlock {
 public:
  void Compile(TextView rule) {
    const Placeholders& marks = PlaceholdersOf();
    rule = TrimBlanks(rule);
    Text line;
    digits_.clear();
    letters_.clear();
    chinese_.clear();
    for (std::size_t i = 0; i < rule.size();) {
      const std::size_t size = CharacterSize(rule, i);
      const char c = rule[i];
      if (size == 1 && c == marks.digit) {
        digits_.push_back(line.size());
      } else if (size == 1 && c == marks.letter) {
        letters_.push_back(line.size());
      } else if (size == 1 && c == marks.chinese) {
        chinese_.push_back(line.size());
        line += c;  // a Chinese character takes two bytes
      }
      line.append(rule.substr(i, size));
      i += size;
    }
    line.append(kLineBreak);
    line_size_ = line.size();
    capacity_ = std::max<std::size_t>(1, kBlockBytes / line_size_);
    block_.clear();
    block_.reserve(capacity_ * line_size_);
    for (std::size_t i = 0; i < capacity_; ++i) block_.append(line);
    used_ = 0;
  }

  // Fills the next line with new values: all digits left to right, then the
  // letters, then the Chinese characters, each drawn on its own.
  void FillNext() {
    char* const line = block_.data() + used_ * line_size_;
    for (std::size_t at : digits_) line[at] = RandomDigit();
    for (std::size_t at : letters_) line[at] = RandomLetter().front();
    for (std::size_t at : chinese_) {
      const Text character = RandomChineseCharacter();
      line[at] = character[0];
      line[at + 1] = character[1];
    }
    ++used_;
  }

  bool full() const { return used_ == capacity_; }
  // The lines filled since the last Clear, in JoinLines form.
  TextView Filled() const { return TextView(block_.data(), used_ * line_size_); }
  void Clear() { used_ = 0; }

 private:
  static constexpr std::size_t kBlockBytes = 1 << 16;

  // The one byte of IntToText(RandomInt(0, 9)).
  static char RandomDigit() { return static_cast<char>('0' + RandomInt(0, 9)); }

  Text block_;
  std::size_t line_size_ = 0;
  std::size_t capacity_ = 0;  // lines in the block
  std::size_t used_ = 0;      // lines filled
  std::vector<std::size_t> digits_;
  std::vector<std::size_t> letters_;
  std::vector<std::size_t> chinese_;
};

// The count from 编辑框7, or nothing (after the message) when it is below 1.
std::optional<std::int32_t> ReadCount(Host& host) {
  return ReadPositiveCount(host, Control::kCount, texts::kNeedCount);
}

RunOutcome GenerateLines(Host& host, const std::string& output_path, std::int32_t count) {
  const std::int64_t start = MonotonicMilliseconds();
  host.SetStatus(texts::kGenerating);
  SeedRandom();
  OutputFile out(host, output_path);
  if (!out.ok()) return RunOutcome::kStopped;
  const std::int64_t lines = std::min<std::int64_t>(count, OutputLineLimit());
  WatchedText rule(host, Control::kRule);
  LineBlock block;
  for (std::int64_t i = 0; i < lines; ++i) {
    if (rule.Refresh()) {
      if (!rule.ok()) {
        ShowMessage(host, texts::kNotGbk);
        return RunOutcome::kStopped;
      }
      // The lines of the earlier version go out before the block is rebuilt.
      if (!out.Append(block.Filled())) return RunOutcome::kStopped;
      block.Compile(rule.text());
    }
    block.FillNext();
    if (block.full()) {
      if (!out.Append(block.Filled())) return RunOutcome::kStopped;
      block.Clear();
    }
  }
  if (!out.Append(block.Filled()) || !out.Commit()) return RunOutcome::kStopped;
  host.SetStatus(ClosingStatus(texts::kGeneratedIn, start));
  return RunOutcome::kDone;
}

}  // namespace

Text RandomLetter() {
  SeedRandom();
  return Text(1, static_cast<char>(RandomInt(97, 122)));
}

Text RandomChineseCharacter() {
  SeedRandom();
  Text character(2, '\0');
  character[0] = static_cast<char>(256 - RandomInt(38, 80));
  character[1] = static_cast<char>(256 - RandomInt(38, 80));
  return character;
}

std::vector<Worker> PrepareGenerate(Host& host) {
  if (!ReadCount(host)) return {};
  return {[&host] {
    const std::optional<std::string> output_path = host.AskSavePath();
    if (!output_path) return RunOutcome::kCancelled;
    const std::optional<std::int32_t> count = ReadCount(host);
    if (!count) return RunOutcome::kStopped;
    return GuardMemory(host, [&] { return GenerateLines(host, *output_path, *count); });
  }};
}

}  // namespace mirelant::ops
