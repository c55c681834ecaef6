#pragma once
// Lines of a text: views into the one text they were cut from, never copies.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "mirelant/text/text.h"

namespace mirelant {

inline constexpr TextView kLineBreak = "\r\n";

// The ordered lines of a text as SplitText cuts them. Holds 8 bytes per line;
// the text it was cut from must outlive it. Indices here are 0-based.
class LineList {
 public:
  LineList() = default;

  std::size_t size() const { return ends_.size(); }
  bool empty() const { return ends_.empty(); }

  TextView operator[](std::size_t i) const {
    const std::uint64_t begin = i == 0 ? 0 : ends_[i - 1] + separator_size_;
    return TextView(base_ + begin, ends_[i] - begin);
  }

  // Memory hints for reading lines out of order: first a line's bounds, a
  // little later (once they are cached) its bytes.
  void PrefetchBounds(std::size_t i) const { __builtin_prefetch(&ends_[i == 0 ? 0 : i - 1]); }
  void PrefetchBytes(std::size_t i) const {
    __builtin_prefetch(base_ + (i == 0 ? 0 : ends_[i - 1] + separator_size_));
  }

  // The bytes from the start of line first to the end of line last (inclusive),
  // separators between them included.
  TextView Span(std::size_t first, std::size_t last) const;

 private:
  friend LineList SplitText(TextView text, TextView separator);

  const char* base_ = nullptr;
  std::size_t separator_size_ = 0;
  std::vector<std::uint64_t> ends_;  // offset just past each line's last byte
};

// Cuts text at every character-aligned separator. An empty text gives no lines;
// an empty separator gives the whole text as one line; a separator at the very
// end adds no empty last line.
LineList SplitText(TextView text, TextView separator);

// SplitText at CR LF: the only way operations cut input into lines.
LineList SplitLines(TextView text);

// Walking lines without storing them, for work that needs only counts and
// boundaries. The number of lines SplitLines(text) gives:
std::size_t CountLines(TextView text);

// The lines of a text counted in one pass, with the byte offset where every
// step-th line starts (lines 0, step, 2 * step, ...), so that any line is then
// reached by skipping fewer than step lines from one of them.
class LineIndex {
 public:
  LineIndex(TextView text, std::size_t step);
  std::size_t lines() const { return lines_; }
  // Whether the last line has its CR LF in the text (true for an empty text).
  bool ends_with_break() const { return ends_with_break_; }
  // The byte offset where line i (0-based) starts; lines() and beyond give the
  // text's size.
  std::size_t StartOf(std::size_t i) const;

 private:
  TextView text_;
  std::size_t step_;
  std::size_t lines_ = 0;
  bool ends_with_break_ = true;
  std::vector<std::size_t> starts_;
};

// Where a run of count lines starting at byte offset from (a line start) ends.
struct LineRun {
  std::size_t end;        // just past the last line's CR LF, or the text's end
  std::size_t lines;      // lines passed: fewer than count only at the text's end
  bool ended_with_break;  // whether the last line passed has its CR LF in the text
};
LineRun SkipLines(TextView text, std::size_t from, std::size_t count);

// Every line followed by CR LF, the last one too.
Text JoinLines(const LineList& lines);

// Line n (1-based) of SplitLines(text) as a copy; empty when n is out of range.
Text LineOfText(TextView text, std::int32_t n);

}  // namespace mirelant
