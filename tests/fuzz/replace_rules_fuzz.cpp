// The batch replace's handling of its rules: each line of the rules text is
// cut at its first and last "|" (TextBeforeFirst, TextAfterLast) and applied in
// place to the whole text, one rule after the other, against plain cuts and a
// plain replace. Input: the rules text and the working text as NUL-separated
// fields.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "mirelant/ops/extract.h"
#include "mirelant/ops/settings.h"
#include "mirelant/text/lines.h"
#include "mirelant/text/text.h"
#include "naive.h"

using mirelant::fuzz::Escaped;
using mirelant::fuzz::ExpectSame;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mirelant::fuzz::FuzzInput in(data, size);
  const std::string_view rules = in.Field();
  const std::string_view text = in.Field();
  const std::string separator = mirelant::LineOfText(mirelant::ops::kOperationSettings, 3);

  std::string fast(text);
  std::string plain(text);
  const mirelant::LineList lines = mirelant::SplitLines(rules);
  // Rules such as "b|bb" double the text each time: past a size that says
  // nothing new, the rest of the rules are not applied.
  constexpr std::size_t kEnough = 1 << 14;
  for (std::size_t i = 0; i < lines.size() && plain.size() <= kEnough; ++i) {
    const std::string_view rule = lines[i];
    const auto args = [&, before = plain] {
      return "rule " + Escaped(rule) + " on " + Escaped(before);
    };
    const std::string_view find = mirelant::ops::TextBeforeFirst(rule, separator);
    const std::string_view replacement = mirelant::ops::TextAfterLast(rule, separator);
    const std::string plain_find = mirelant::naive::TextBeforeFirst(rule, "|");
    const std::string plain_replacement = mirelant::naive::TextAfterLast(rule, "|");
    ExpectSame("find text", find, plain_find, args);
    ExpectSame("replacement", replacement, plain_replacement, args);
    mirelant::ReplaceAllInPlace(fast, find, replacement);
    plain = mirelant::naive::ReplaceText(plain, plain_find, plain_replacement, 1, -1);
    ExpectSame("text after the rule", fast, plain, args);
  }
  return 0;
}
