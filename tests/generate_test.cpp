// Generate from a pattern: placeholder shapes and fill order with a fixed seed,
// trimming, the count checks, and a rule edited during a run.
#include "mirelant/ops/generate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mirelant/ops/settings.h"
#include "mirelant/text/lines.h"
#include "mirelant/text/random.h"
#include "scripted_host.h"
#include "temp_dir.h"

namespace mirelant::ops {
namespace {

using test::Exists;
using test::ReadFile;
using test::ScriptedHost;
using test::TempDir;

struct GenerateRun {
  TempDir dir;
  ScriptedHost host;

  GenerateRun(const std::string& rule, const std::string& count) {
    host.save_path = dir.Path("out.txt");
    host.controls[Control::kRule] = rule;
    host.controls[Control::kCount] = count;
    SetFixedTick(1000);
    SetSeedOffset(0);
  }

  // The output's lines.
  std::vector<std::string> Run() {
    std::vector<Worker> workers = PrepareGenerate(host);
    EXPECT_EQ(workers.size(), 1u);
    if (workers.empty()) return {};
    EXPECT_EQ(workers[0](), RunOutcome::kDone);
    const std::string out = ReadFile(dir.Path("out.txt"));
    EXPECT_TRUE(out.empty() || out.ends_with("\r\n"));
    const LineList lines = SplitLines(out);
    std::vector<std::string> result;
    for (std::size_t i = 0; i < lines.size(); ++i) result.emplace_back(lines[i]);
    return result;
  }
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return c >= 'a' && c <= 'z'; }
bool IsChineseByte(char c) {
  return static_cast<unsigned char>(c) >= 0xB0 && static_cast<unsigned char>(c) <= 0xDA;
}

TEST(GenerateTest, PlaceholderShapes) {
  {
    GenerateRun run("135535%%%%%", "3");
    const std::vector<std::string> lines = run.Run();
    ASSERT_EQ(lines.size(), 3u);
    for (const std::string& line : lines) {
      ASSERT_EQ(line.size(), 11u);
      EXPECT_EQ(line.substr(0, 6), "135535");
      EXPECT_TRUE(std::all_of(line.begin() + 6, line.end(), IsDigit)) << line;
    }
    EXPECT_EQ(run.host.status.rfind(texts::kGeneratedIn, 0), 0u) << run.host.status;
  }
  {
    GenerateRun run("%#*", "20");
    const std::vector<std::string> lines = run.Run();
    ASSERT_EQ(lines.size(), 20u);
    for (const std::string& line : lines) {
      ASSERT_EQ(line.size(), 4u);
      EXPECT_TRUE(IsDigit(line[0]) && IsLetter(line[1]) && IsChineseByte(line[2]) &&
                  IsChineseByte(line[3]))
          << testing::PrintToString(line);
    }
  }
}

TEST(GenerateTest, DigitsFirstThenLettersEachWithItsOwnSeed) {
  // The run seeds once at its start; digits continue from there, and every
  // letter and Chinese character reseeds. "#%" fills the digit first.
  SetFixedTick(1000);
  SetSeedOffset(0);
  SeedRandom();
  const char digit = static_cast<char>('0' + RandomInt(0, 9));
  const Text letter = RandomLetter();
  const Text chinese = RandomChineseCharacter();
  GenerateRun run("*#%", "1");
  EXPECT_EQ(run.Run(), std::vector<std::string>{chinese + letter + digit});
  // The next run seeds again, from where the offset moved on: a rule of digits
  // alone differs from run to run.
  GenerateRun first("%%%%%%%%", "1");
  const std::vector<std::string> a = first.Run();
  SetFixedTick(1000);  // same tick, offset not reset
  std::vector<Worker> workers = PrepareGenerate(first.host);
  ASSERT_EQ(workers.size(), 1u);
  workers[0]();
  EXPECT_NE(ReadFile(first.dir.Path("out.txt")), a[0] + "\r\n");
}

TEST(GenerateTest, RuleIsTrimmedOfBlanksOnly) {
  struct Case {
    std::string rule, line;
  };
  const Case cases[] = {
      {"  ab  ", "ab"},
      {" a b ", "a b"},
      {"\xA1\xA1x\xA1\xA1", "x"},
      {"\tx \t", "\tx \t"},
      {"   ", ""},
      {"", ""},
      // 0xA1 0xA1 counts only where it is one character.
      {"\xB0\xA1\xA1\xA1", "\xB0\xA1"},
      {"\xB0\xA1\xA1", "\xB0\xA1\xA1"},
      {"x\xA1", "x\xA1"},
      // A placeholder byte inside a two-byte character is no placeholder.
      {"\xB0%\xB0#", "\xB0%\xB0#"},
  };
  for (const Case& c : cases) {
    GenerateRun run(c.rule, "3");
    run.Run();
    // Raw bytes: a line ending in a lone lead byte would pair with its CR.
    EXPECT_EQ(ReadFile(run.dir.Path("out.txt")),
              c.line + "\r\n" + c.line + "\r\n" + c.line + "\r\n")
        << testing::PrintToString(c.rule);
  }
  GenerateRun run("  x%  ", "2");
  for (const std::string& line : run.Run()) {
    EXPECT_TRUE(line.size() == 2 && line[0] == 'x' && IsDigit(line[1])) << line;
  }
}

TEST(GenerateTest, CountBelowOneIsRefused) {
  for (const char* count : {"", "0", "-1", "abc"}) {
    GenerateRun run("%", count);
    EXPECT_TRUE(PrepareGenerate(run.host).empty()) << count;
    EXPECT_EQ(run.host.messages, std::vector<std::string>{std::string(texts::kNeedCount)});
    EXPECT_EQ(run.host.dialogs, 0);
  }
  // No input path is needed; a count that drops below 1 before the worker
  // starts is refused there, after the dialog, and nothing is written.
  GenerateRun run("%", "2");
  std::vector<Worker> workers = PrepareGenerate(run.host);
  ASSERT_EQ(workers.size(), 1u);
  run.host.Edit(Control::kCount, "0");
  EXPECT_EQ(workers[0](), RunOutcome::kStopped);
  EXPECT_EQ(run.host.messages, std::vector<std::string>{std::string(texts::kNeedCount)});
  EXPECT_FALSE(Exists(run.dir.Path("out.txt")));
}

TEST(GenerateTest, RuleEditedDuringRunAppliesFromNextLine) {
  GenerateRun run("a", "4");
  int asked = 0;
  run.host.on_version = [&asked](ScriptedHost& h, Control c) {
    if (c == Control::kRule && ++asked == 3) h.Edit(Control::kRule, " b% ");
  };
  const std::vector<std::string> lines = run.Run();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "a");
  EXPECT_EQ(lines[1], "a");
  for (int i : {2, 3})
    EXPECT_TRUE(lines[i].size() == 2 && lines[i][0] == 'b' && IsDigit(lines[i][1]));
}

}  // namespace
}  // namespace mirelant::ops
