// The text routines, proven by tables of cases. Texts are written with \x escapes
// where a two-byte character matters: 0x80 and above pairs with the next byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mirelant/text/lines.h"
#include "mirelant/text/text.h"

namespace mirelant {
namespace {

std::vector<std::string> Lines(const std::string& text, const std::string& sep = "\r\n") {
  const LineList list = SplitText(text, sep);
  std::vector<std::string> out;
  for (std::size_t i = 0; i < list.size(); ++i) out.emplace_back(list[i]);
  return out;
}

using V = std::vector<std::string>;

TEST(SplitTextTest, Table) {
  struct Case {
    std::string text, sep;
    V lines;
  };
  const Case cases[] = {
      {"", "\r\n", {}},
      {"abc", "", {"abc"}},
      {"a\r\nb\r\n", "\r\n", {"a", "b"}},
      {"a\r\nb", "\r\n", {"a", "b"}},
      {"a\r\n\r\n", "\r\n", {"a", ""}},
      {"\r\n\r\n", "\r\n", {"", ""}},
      {"\r\n", "\r\n", {""}},
      {"a\nb", "\r\n", {"a\nb"}},
      {"a\rb\r\r\nc", "\r\n", {"a\rb\r", "c"}},
      {"a\r\n\r\nb", "\r\n", {"a", "", "b"}},
      // UTF-8 bytes: 0xAD pairs with the CR, so the CR LF is not seen.
      {"a\xE4\xB8\xAD\r\nb", "\r\n", {"a\xE4\xB8\xAD\r\nb"}},
      {"\xE4\xB8\xAD\xE4\xB8\xAD\r\nb", "\r\n", {"\xE4\xB8\xAD\xE4\xB8\xAD", "b"}},
      // Pairing starts afresh after each separator.
      {"\xB0\r\n\xB0\xB0\r\nx", "\r\n", {"\xB0\r\n\xB0\xB0", "x"}},
      {"\xB0\xB0\r\n\xB0\r\n", "\r\n", {"\xB0\xB0", "\xB0\r\n"}},
      {"x\r\n\xB0", "\r\n", {"x", "\xB0"}},
      {"\xB0", "\r\n", {"\xB0"}},
      // A lead byte just before a CR LF at the end eats the CR.
      {"ab\xB0\r\n", "\r\n", {"ab\xB0\r\n"}},
      {"a|b|c", "|", {"a", "b", "c"}},
      {"\xB1|x|", "|", {"\xB1|x"}},
      {"aXYbXY", "XY", {"a", "b"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Lines(c.text, c.sep), c.lines) << testing::PrintToString(c.text);
  }
}

TEST(SplitTextTest, LongRunsOfTwoByteCharacters) {
  // Parity over a long run of lead bytes decides where the CR LF stands.
  const std::string even(1000, '\xB0');
  EXPECT_EQ(Lines(even + "\r\nz"), (V{even, "z"}));
  const std::string odd(999, '\xB0');
  EXPECT_EQ(Lines(odd + "\r\nz"), (V{odd + "\r\nz"}));
  EXPECT_EQ(Lines("a" + odd + "\r\n\r\nq"), (V{"a" + odd + "\r\n", "q"}));
}

TEST(LineWalkTest, AgreesWithSplitLines) {
  // Walking k lines at a time must give the same lines as the list, and the
  // runs, joined with the CR LF a missing last one lacks, give JoinLines.
  const std::string texts[] = {
      "",
      "a",
      "a\r\n",
      "a\r\nb",
      "\r\n\r\n",
      "a\r\n\r\nb",
      "x\r\n\xB0",
      "ab\xB0\r\n",
      "\xB0\r\n\xB0\xB0\r\nx",
      std::string(40, 'q') + "\r\n" + std::string(33, '\xB0') + "\r\nz\r\n"};
  for (const std::string& text : texts) {
    const LineList lines = SplitLines(text);
    EXPECT_EQ(CountLines(text), lines.size()) << testing::PrintToString(text);
    for (std::size_t step = 1; step <= 3; ++step) {
      std::string joined;
      std::size_t at = 0;
      std::size_t passed = 0;
      while (passed < lines.size()) {
        const LineRun run = SkipLines(text, at, step);
        ASSERT_GT(run.lines, 0u);
        joined += text.substr(at, run.end - at) + (run.ended_with_break ? "" : "\r\n");
        at = run.end;
        passed += run.lines;
      }
      EXPECT_EQ(passed, lines.size());
      EXPECT_EQ(SkipLines(text, at, step).lines, 0u);
      EXPECT_EQ(joined, JoinLines(lines)) << testing::PrintToString(text) << " step " << step;

      // An index marking every step-th line finds every line start.
      const LineIndex index(text, step);
      EXPECT_EQ(index.lines(), lines.size());
      for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(index.StartOf(i), static_cast<std::size_t>(lines[i].data() - text.data()));
      }
      EXPECT_EQ(index.StartOf(lines.size()), text.size());
      EXPECT_EQ(index.ends_with_break(), joined.size() == text.size());
    }
  }
}

TEST(JoinLinesTest, Table) {
  EXPECT_EQ(JoinLines(SplitLines("a\r\nb")), "a\r\nb\r\n");
  EXPECT_EQ(JoinLines(SplitLines("\r\n")), "\r\n");
  EXPECT_EQ(JoinLines(SplitLines("")), "");
  EXPECT_EQ(SplitLines("a\r\nbc\r\nd").Span(1, 2), "bc\r\nd");
}

TEST(LineOfTextTest, Table) {
  const std::string settings = "100000000\r\npath\r\n|\r\n%\r\n#\r\n*";
  EXPECT_EQ(LineOfText(settings, 1), "100000000");
  EXPECT_EQ(LineOfText(settings, 3), "|");
  EXPECT_EQ(LineOfText(settings, 6), "*");
  EXPECT_EQ(LineOfText(settings, 0), "");
  EXPECT_EQ(LineOfText(settings, 7), "");
  EXPECT_EQ(LineOfText("", 1), "");
  EXPECT_EQ(LineOfText("a\r\n\r\nb", 2), "");
}

TEST(FindTextTest, Table) {
  struct Case {
    std::string text, target;
    std::int64_t start, found;
  };
  const Case cases[] = {
      {"AAAA|BBBB", "|", 1, 5},
      {"ab", "b", 3, -1},
      {"ab", "b", 2, 2},
      {"ab", "b", -5, 2},
      {"abc", "", 1, 1},
      {"abc", "", 3, 1},
      {"abc", "", 4, -1},
      {"", "", 1, -1},
      {"", "a", 1, -1},
      {"ABC", "b", 1, -1},
      {"abc", "abcd", 1, -1},
      // 0xB0 0x7C is one character: the "|" inside it is not a match.
      {"\xB0|x|", "|", 1, 4},
      // Pairing begins at the start position.
      {"\xB0|x|", "|", 2, 2},
      {"\xB0\xB0\xB0|", "|", 1, -1},
      {"\xB0\xB0|", "|", 1, 3},
      {"x\xB0", "\xB0", 1, 2},
      {"\xB0\xB1\xB1", "\xB1\xB1", 1, -1},
      {"\xB0\xB1\xB1\xB1", "\xB1\xB1", 1, 3},
      {"a\xB0", "a\xB0", 1, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindText(c.text, c.target, c.start), c.found)
        << testing::PrintToString(c.text) << " / " << testing::PrintToString(c.target);
  }
}

TEST(FindLastTextTest, Table) {
  struct Case {
    std::string text, target;
    std::int64_t found;
  };
  const Case cases[] = {
      {"a|b|c", "|", 4},
      {"aaa", "aa", 2},
      {"xaaa", "aa", 3},
      {"abc", "", 1},
      {"", "", -1},
      {"abc", "d", -1},
      {"\xB0|", "|", -1},
      {"|\xB0|", "|", 1},
      {"aa\xB0"
       "a",
       "a", 2},
      {"\xB0\xB0\xB0\xB0", "\xB0\xB0", 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindLastText(c.text, c.target), c.found)
        << testing::PrintToString(c.text) << " / " << testing::PrintToString(c.target);
  }
}

TEST(ReplaceTextTest, Table) {
  struct Case {
    std::string text, target, replacement;
    std::int64_t start, count;
    std::string result;
  };
  const Case cases[] = {
      {"%%", "%", "7", 1, 1, "7%"},
      {"aaa", "aa", "b", 1, kReplaceAll, "ba"},
      {"abcabc", "b", "", 1, kReplaceAll, "acac"},
      {"abcabc", "b", "XY", 3, kReplaceAll, "abcaXYc"},
      {"abc", "b", "x", 0, kReplaceAll, "axc"},
      {"abc", "b", "x", 4, kReplaceAll, "abc"},
      {"abc", "b", "x", 1, 0, "abc"},
      {"abc", "", "x", 1, kReplaceAll, "abc"},
      {"", "a", "x", 1, kReplaceAll, ""},
      {"aAa", "a", "b", 1, kReplaceAll, "bAb"},
      {"ab", "b", "bb", 1, kReplaceAll, "abb"},
      // The second byte of 0xB0 0x61 is not an "a".
      {"\xB0"
       "aa",
       "a", "x", 1, kReplaceAll,
       "\xB0"
       "ax"},
      {"a\xB0", "\xB0", "x", 1, kReplaceAll, "ax"},
      // Pairing restarts after a match even when the match ended on a lead byte.
      {"a\xB0"
       "b"
       "b",
       "a\xB0", "", 1, kReplaceAll, "bb"},
      {"a\xB0"
       "bb",
       "b", "c", 1, kReplaceAll,
       "a\xB0"
       "bc"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReplaceText(c.text, c.target, c.replacement, c.start, c.count), c.result)
        << testing::PrintToString(c.text) << " / " << testing::PrintToString(c.target);
  }
}

TEST(TextToIntTest, Table) {
  struct Case {
    std::string text;
    std::int32_t value;
  };
  const Case cases[] = {
      {"", 0},
      {"12abc", 12},
      {"abc", 0},
      {" -3x", -3},
      {"+7", 7},
      {"\t\r\n\v\f 42", 42},
      {"\xA3\xB1\xA3\xB2", 12},          // full-width one and two
      {"\xA1\xA1\xA3\xAD\xA3\xB5", -5},  // full-width space and minus
      {"2147483647", 2147483647},
      {"2147483648", -2147483647 - 1},
      {"-2147483648", -2147483647 - 1},
      {"4294967297", 1},
      {"- 3", 0},
      {"--3", 0},
      {"\xB0\xB1"
       "1",
       0},
      {"1\xA3\xB0", 10},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextToInt(c.text), c.value) << testing::PrintToString(c.text);
  }
}

TEST(SmallRoutinesTest, Table) {
  EXPECT_EQ(IntToText(0), "0");
  EXPECT_EQ(IntToText(-2147483647 - 1), "-2147483648");
  EXPECT_EQ(MidText("abc", 3, 5), "c");
  EXPECT_EQ(MidText("abc", 4, 1), "");
  EXPECT_EQ(MidText("abc", 0, 1), "");
  EXPECT_EQ(MidText("abc", 1, 0), "");
  EXPECT_EQ(LeftText("abc", 2), "ab");
  EXPECT_EQ(LeftText("abc", 9), "abc");
  EXPECT_EQ(LeftText("abc", -1), "");
  EXPECT_EQ(RightText("abc", 2), "bc");
  EXPECT_EQ(RightText("abc", 0), "");
  EXPECT_EQ(ConcatText({"a", "", "bc"}), "abc");
  EXPECT_LT(CompareText("a", "b"), 0);
  EXPECT_LT(CompareText("a", "ab"), 0);
  EXPECT_GT(CompareText("\xB0", "a"), 0);  // bytes compare unsigned
  EXPECT_EQ(CompareText("", ""), 0);
  EXPECT_EQ(BytesToText(std::string("x\0y", 3)), "x");
  EXPECT_EQ(BytesToText("xy"), "xy");
}

}  // namespace
}  // namespace mirelant
