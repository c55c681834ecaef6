// Remove duplicate lines: the hashed set must give exactly the first-to-last scan.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "mirelant/ops/dedup.h"
#include "mirelant/text/lines.h"

namespace mirelant::ops {
namespace {

std::string Dedup(const std::string& text, std::size_t limit = 100000000) {
  const LineList lines = SplitLines(text);
  std::string out;
  for (std::uint32_t i : RemoveDuplicateLines(lines, limit)) {
    out.append(lines[i]);
    out.append("\r\n");
  }
  return out;
}

TEST(RemoveDuplicateLinesTest, Table) {
  struct Case {
    std::string input, output;
  };
  const Case cases[] = {
      {"b\r\na\r\nb", "b\r\na\r\n"},
      {"A\r\na\r\n", "A\r\na\r\n"},
      {"x\r\nx \r\nx", "x\r\nx \r\n"},
      {"a\r\n\r\nb\r\n\r\n", "a\r\n\r\nb\r\n"},
      {"\r\n", "\r\n"},
      {"c\r\nb\r\na", "c\r\nb\r\na\r\n"},
      {"\xA3\xC1\r\nA\r\n\xA3\xC1", "\xA3\xC1\r\nA\r\n"},  // full-width and ASCII A differ
      {"ab\r\nab\r\na\r\nb", "ab\r\na\r\nb\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Dedup(c.input), c.output) << testing::PrintToString(c.input);
}

TEST(RemoveDuplicateLinesTest, StopsAtTheLineLimit) {
  EXPECT_EQ(Dedup("a\r\nb\r\na\r\nc\r\nd", 2), "a\r\nb\r\n");
}

TEST(RemoveDuplicateLinesTest, MatchesAPlainScanOnManyLines) {
  // Enough distinct lines to make the table grow several times, lengths across
  // the hash's size classes, and many repeats.
  std::mt19937 rng(7);
  std::string text;
  for (int i = 0; i < 300000; ++i) {
    const int id = static_cast<int>(rng() % 120000);
    text += std::string(id % 37, 'k') + std::to_string(id) + "\r\n";
  }
  std::unordered_set<std::string> seen;
  std::string expected;
  const LineList lines = SplitLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (seen.insert(std::string(lines[i])).second) expected += std::string(lines[i]) + "\r\n";
  }
  EXPECT_EQ(Dedup(text), expected);
}

}  // namespace
}  // namespace mirelant::ops
