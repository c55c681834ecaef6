#pragma once
// Text values and the small routines every operation shares.
//
// A Text is a byte string in GBK with no NUL byte. A byte of 0x80 or above
// starts a two-byte character together with the byte after it, whatever that
// byte is; only as the very last byte of a text does it stand alone. The
// searching routines try a match only where a character starts, so a target is
// never found inside a two-byte character. Positions are 1-based byte
// positions; lengths are byte counts. An empty text and an absent one are the
// same value.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace mirelant {

using Text = std::string;
using TextView = std::string_view;

// Raw file contents: bytes of any value, NUL included.
using ByteBlock = std::string;

// True for a byte that starts a two-byte character (0x80 and above).
inline bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Bytes of the character that starts at position i (0-based): 2 for a lead
// byte with a byte after it, else 1.
inline std::size_t CharacterSize(TextView text, std::size_t i) {
  return IsLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
}

// The bytes before the first NUL (all of them when there is none). Takes the
// block by value so that a moved-in block is cut in place without a copy.
Text BytesToText(ByteBlock block);
ByteBlock TextToBytes(TextView text);

// Decimal digits with a leading minus for negatives.
Text IntToText(std::int32_t value);

// Folds full-width forms to ASCII, then reads a leading decimal integer
// (leading white space, optional sign, digits; wraps modulo 2^32). No digits
// gives 0; anything after the number is ignored.
std::int32_t TextToInt(TextView text);

// Negative, 0 or positive by unsigned byte comparison; a prefix is smaller.
int CompareText(TextView a, TextView b);
Text ConcatText(std::initializer_list<TextView> parts);

// 1-based position of the first character-aligned occurrence of target at or
// after start, or -1. Pairing of two-byte characters begins at start. An empty
// target gives 1 when at least one byte is searched, else -1.
std::int64_t FindText(TextView text, TextView target, std::int64_t start = 1);

// 1-based position of the last character-aligned occurrence of target in the
// whole text (overlapping occurrences count), or -1. An empty target gives 1
// for a non-empty text and -1 for an empty one.
std::int64_t FindLastText(TextView text, TextView target);

// Cuts at byte positions; they may cut a two-byte character in half.
TextView LeftText(TextView text, std::int64_t n);
TextView RightText(TextView text, std::int64_t n);
TextView MidText(TextView text, std::int64_t start, std::int64_t n);

constexpr std::int64_t kReplaceAll = -1;

// Copy of text in which character-aligned occurrences of target from start on
// are replaced, left to right without overlap, at most count of them
// (kReplaceAll for every one). Pairing begins at start and afresh after every
// match; replaced text is never searched again.
Text ReplaceText(TextView text, TextView target, TextView replacement, std::int64_t start = 1,
                 std::int64_t count = kReplaceAll);

// ReplaceText(text, target, replacement) done on text itself: every
// character-aligned occurrence, left to right without overlap. True when
// something was replaced. When nothing matches, text is left exactly as it was
// (no copy, one substring search); a replacement no longer than the target is
// written in place. target and replacement must not point into text.
bool ReplaceAllInPlace(Text& text, TextView target, TextView replacement);

}  // namespace mirelant
