// Batch replace: the in-place replace routine against ReplaceText, rule shapes
// and order, the checks, and rules edited during a run.
#include "mirelant/ops/replace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mirelant/ops/settings.h"
#include "mirelant/text/text.h"
#include "scripted_host.h"
#include "temp_dir.h"

namespace mirelant::ops {
namespace {

using test::Exists;
using test::ReadFile;
using test::ScriptedHost;
using test::TempDir;
using test::WriteFile;

TEST(ReplaceAllInPlaceTest, Table) {
  struct Case {
    std::string text, target, replacement, result;
  };
  const Case cases[] = {
      {"aaa", "aa", "b", "ba"},
      {"xAAAAyAAAA", "AAAA", "BBBB", "xBBBByBBBB"},
      {"abcabc", "b", "", "acac"},
      {"ab", "b", "bb", "abb"},
      {"abc", "d", "x", "abc"},
      {"", "a", "x", ""},
      {"abc", "", "x", "abc"},
      {"\xB0"
       "aa",
       "a", "x",
       "\xB0"
       "ax"},
      {"\xB0|a|", "|", "", "\xB0|a"},
      {"a\xB0"
       "bb",
       "b", "c",
       "a\xB0"
       "bc"},
  };
  for (const Case& c : cases) {
    Text text = c.text;
    text.reserve(64);  // past the short-string buffer, so a copy would show in data()
    const char* before = text.data();
    const bool replaced = ReplaceAllInPlace(text, c.target, c.replacement);
    EXPECT_EQ(text, c.result) << testing::PrintToString(c.text) << " / " << c.target;
    EXPECT_EQ(replaced, c.result != c.text) << testing::PrintToString(c.text);
    if (c.replacement.size() <= c.target.size()) {
      EXPECT_EQ(text.data(), before);
    }
  }
}

TEST(ReplaceAllInPlaceTest, AgreesWithReplaceText) {
  // Every text of up to 6 characters over a, b and the lead byte 0xB0.
  const std::string alphabet = "ab\xB0";
  using Rules = std::vector<std::pair<std::string, std::string>>;
  const Rules rules = {{"a", ""},
                       {"a", "b"},
                       {"ab", "b"},
                       {"b", "aab"},
                       {"\xB0"
                        "a",
                        "a"},
                       {"aa", "a"}};
  std::vector<std::string> texts = {""};
  for (std::size_t n = 0; n < texts.size(); ++n) {
    if (texts[n].size() < 6) {
      for (char c : alphabet) texts.push_back(texts[n] + c);
    }
  }
  // Long texts: one occurrence at every offset across the 64-byte steps of the
  // fast scan, after a run of lead bytes of either parity, and near the end.
  for (std::size_t at = 0; at < 200; ++at) {
    for (std::size_t leads : {0, 1, 2}) {
      std::string text(200, 'x');
      text.replace(at, 0, std::string(leads, '\xB0') + "ab");
      texts.push_back(text);
    }
  }
  const Rules long_rules = {{"ab", ""}, {"ab", "cde"}, {"xab", "y"}};
  for (const std::string& original : texts) {
    for (const auto& [target, replacement] : original.size() > 6 ? long_rules : rules) {
      Text text = original;
      ReplaceAllInPlace(text, target, replacement);
      ASSERT_EQ(text, ReplaceText(original, target, replacement))
          << testing::PrintToString(original) << " / " << testing::PrintToString(target);
    }
  }
}

struct ReplaceRun {
  TempDir dir;
  ScriptedHost host;

  ReplaceRun(const std::string& input, const std::string& rules) {
    WriteFile(dir.Path("in.txt"), input);
    host.input_path = dir.Path("in.txt");
    host.save_path = dir.Path("out.txt");
    host.controls[Control::kRules] = rules;
  }

  RunOutcome Run() {
    std::vector<Worker> workers = PrepareReplace(host);
    EXPECT_EQ(workers.size(), 1u);
    return workers.empty() ? RunOutcome::kStopped : workers[0]();
  }
};

TEST(ReplaceTest, RulesInOrderOverTheWholeText) {
  struct Case {
    std::string rules, input, output;
  };
  const Case cases[] = {
      // Line breaks, and the lack of a final one, stay as they were.
      {"AAAA|BBBB", "xAAAAy\r\nAAAA", "xBBBBy\r\nBBBB"},
      {"a|b\r\nb|c", "ab\r\n", "cc\r\n"},
      {"b|c\r\na|b", "ab\r\n", "bc\r\n"},
      {"aa|b", "aaa", "ba"},
      {"A|B|C", "AB", "CB"},
      {"A|", "ABA", "B"},
      // An empty rule, one without "|" and one starting with "|" change
      // nothing; the rules after them still apply.
      {"\r\nx\r\n|B\r\na|b\r\n", "ax", "bx"},
      {"x | y", "x x", " yx"},
      {"a|b", "aA", "bA"},
      {"a|x",
       "\xB0"
       "aa",
       "\xB0"
       "ax"},
      // The "|" inside 0xB0 0x7C is no separator.
      {"\xB0|=z", "\xB0|\xB0|", "\xB0|\xB0|"},
      {"\xB0||z", "\xB0|\xB0|", "zz"},
      {"a|b", "", ""},
      {"a|\r\n\r\n", "a\r\n", "\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.rules) + " on " + testing::PrintToString(c.input));
    ReplaceRun run(c.input, c.rules);
    EXPECT_EQ(run.Run(), RunOutcome::kDone);
    ASSERT_TRUE(Exists(run.dir.Path("out.txt")));
    EXPECT_EQ(ReadFile(run.dir.Path("out.txt")), c.output);
    EXPECT_EQ(run.host.status.rfind(texts::kProcessedIn, 0), 0u) << run.host.status;
    EXPECT_TRUE(run.host.messages.empty());
  }
}

TEST(ReplaceTest, ChecksAfterTheDialog) {
  {
    ReplaceRun run("a\r\n", "");
    EXPECT_EQ(run.Run(), RunOutcome::kStopped);
    EXPECT_EQ(run.host.dialogs, 1);
    EXPECT_EQ(run.host.messages, std::vector<std::string>{std::string(texts::kNeedParameters)});
    EXPECT_FALSE(Exists(run.dir.Path("out.txt")));
    EXPECT_EQ(run.host.status, "(initial)");
  }
  {
    ReplaceRun run("a\r\n", "a|b");
    run.host.input_path = run.dir.Path("missing.txt");
    EXPECT_EQ(run.Run(), RunOutcome::kStopped);
    EXPECT_EQ(run.host.messages,
              std::vector<std::string>{std::string(texts::kCannotRead) + run.host.input_path});
    EXPECT_FALSE(Exists(run.dir.Path("out.txt")));
  }
}

TEST(ReplaceTest, RulesEditedDuringRunApplyToRulesNotYetApplied) {
  // Two rules are counted; before the second is applied the text changes to
  // three rules. The second rule is then the new text's second line, and the
  // third is never applied.
  ReplaceRun run("abc", "a|b\r\nb|c");
  int asked = 0;
  run.host.on_version = [&asked](ScriptedHost& h, Control) {
    if (++asked == 3) h.Edit(Control::kRules, "x|y\r\nb|d\r\nc|e");
  };
  EXPECT_EQ(run.Run(), RunOutcome::kDone);
  EXPECT_EQ(ReadFile(run.dir.Path("out.txt")), "ddc");
}

}  // namespace
}  // namespace mirelant::ops
