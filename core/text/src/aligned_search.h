#pragma once
// Finding character-aligned matches fast.
//
// Counting from where a scan begins, the first byte of every maximal run of
// bytes >= 0x80 is a character start, so a position is a character start
// exactly when the run of such bytes right before it (inside the scanned part)
// has even length. A candidate from a plain substring search is therefore a
// real match when that run is even, which needs only a short look back.

#include <cstddef>
#include <cstring>
#include <string_view>

#include "mirelant/text/text.h"

namespace mirelant::detail {

using mirelant::IsLeadByte;

// Searches text for character-aligned occurrences of a non-empty target. The
// scan (and the pairing of two-byte characters) begins at `from`.
class AlignedSearcher {
 public:
  AlignedSearcher(std::string_view text, std::string_view target, std::size_t from)
      : text_(text), target_(target), boundary_(from), pos_(from) {}

  // The next aligned match at or after the current position, or npos. The
  // position then stays at the match: call SkipMatch or StepOver to go on.
  std::size_t Next() {
    const std::size_t n = text_.size();
    const std::size_t m = target_.size();
    while (pos_ + m <= n) {
      const void* hit = memmem(text_.data() + pos_, n - pos_, target_.data(), m);
      if (hit == nullptr) {
        pos_ = n;
        return std::string_view::npos;
      }
      const std::size_t p = static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data());
      if (IsCharStart(p)) {
        boundary_ = p;
        pos_ = p;
        return p;
      }
      // p is the second byte of a pair, so p + 1 starts a character.
      boundary_ = p + 1;
      pos_ = p + 1;
    }
    pos_ = n;
    return std::string_view::npos;
  }

  // Goes on after the match just found; pairing starts afresh there.
  void SkipMatch() {
    pos_ += target_.size();
    boundary_ = pos_;
  }

  // Goes on with the character after the match's first one (overlapping matches).
  void StepOver() {
    pos_ += IsLeadByte(text_[pos_]) ? 2 : 1;
    boundary_ = pos_;
  }

 private:
  bool IsCharStart(std::size_t p) const {
    std::size_t run = 0;
    while (p > boundary_ && IsLeadByte(text_[p - 1])) {
      --p;
      ++run;
    }
    return run % 2 == 0;
  }

  std::string_view text_;
  std::string_view target_;
  std::size_t boundary_;  // a known character start at or before pos_
  std::size_t pos_;
};

}  // namespace mirelant::detail
