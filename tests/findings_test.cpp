// Inputs on which a fuzz target once caught the code disagreeing with its
// definition or failing under a sanitizer, kept as plain cases. The fuzz
// targets (tests/fuzz) say how each was found.
#include <gtest/gtest.h>

#include <string>

#include "mirelant/ops/extract.h"
#include "mirelant/text/text.h"

namespace mirelant {
namespace {

TEST(FindingsTest, RuleThatDeletesHasNoReplacementBytes) {
  // replace_rules: the replacement of the rule "A|" is the empty piece after
  // its last "|", a view with no bytes behind it at all; the in-place replace
  // must not copy from it (UBSan: null pointer passed to memcpy).
  const TextView replacement = ops::TextAfterLast("A|", "|");
  EXPECT_TRUE(replacement.empty());
  Text text = "AAbA";
  EXPECT_TRUE(ReplaceAllInPlace(text, "A", replacement));
  EXPECT_EQ(text, "b");
  EXPECT_EQ(ReplaceText("AAbA", "A", replacement), "b");
}

}  // namespace
}  // namespace mirelant
