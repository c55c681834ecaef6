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

// Every line followed by CR LF, the last one too.
Text JoinLines(const LineList& lines);

// Line n (1-based) of SplitLines(text) as a copy; empty when n is out of range.
Text LineOfText(TextView text, std::int32_t n);

}  // namespace mirelant
