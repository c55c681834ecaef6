// Split into parts: part sizes and names, the count checks, and what a failed
// read or write leaves behind.
#include "mirelant/ops/split.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "mirelant/ops/settings.h"
#include "scripted_host.h"
#include "temp_dir.h"

namespace mirelant::ops {
namespace {

using test::Exists;
using test::ReadFile;
using test::ScriptedHost;
using test::TempDir;
using test::WriteFile;

struct SplitRun {
  TempDir dir;
  ScriptedHost host;
  std::string input = dir.Path("list.txt");

  SplitRun(const std::string& text, const std::string& parts) {
    WriteFile(input, text);
    host.input_path = input;
    host.controls[Control::kPartCount] = parts;
  }

  RunOutcome Run() {
    std::vector<Worker> workers = PrepareSplit(host);
    EXPECT_EQ(workers.size(), 1u);
    return workers.empty() ? RunOutcome::kStopped : workers[0]();
  }

  std::string Part(int i) const { return input + ".bak" + std::to_string(i) + ".txt"; }
};

std::string Numbered(int from, int to) {
  std::string text;
  for (int i = from; i <= to; ++i) text += std::to_string(i) + "\r\n";
  return text;
}

TEST(SplitTest, PartsHoldContiguousRunsLargerFirst) {
  struct Case {
    std::string text, parts;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {Numbered(1, 10), "3", {Numbered(1, 4), Numbered(5, 7), Numbered(8, 10)}},
      {Numbered(1, 9), "3", {Numbered(1, 3), Numbered(4, 6), Numbered(7, 9)}},
      {"a\r\nb\r\n", "5", {"a\r\n", "b\r\n", "", "", ""}},
      // The last line gains its CR LF; an empty line stays a line.
      {"x\r\n\r\ny", "1", {"x\r\n\r\ny\r\n"}},
      {"x\r\n\r\ny", "2", {"x\r\n\r\n", "y\r\n"}},
      // A CR LF hidden in a two-byte character is no line break.
      {"\xB0\r\na\r\nb", "2", {"\xB0\r\na\r\n", "b\r\n"}},
      {"", "3", {"", "", ""}},
      {Numbered(1, 4), "2abc", {Numbered(1, 2), Numbered(3, 4)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text) + " into " + c.parts);
    SplitRun run(c.text, c.parts);
    EXPECT_EQ(run.Run(), RunOutcome::kDone);
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
      const int part = static_cast<int>(i) + 1;
      ASSERT_TRUE(Exists(run.Part(part))) << part;
      EXPECT_EQ(ReadFile(run.Part(part)), c.expected[i]) << part;
    }
    EXPECT_FALSE(Exists(run.Part(static_cast<int>(c.expected.size()) + 1)));
    EXPECT_EQ(ReadFile(run.input), c.text);
    EXPECT_EQ(run.host.status.rfind(texts::kProcessedIn, 0), 0u) << run.host.status;
    EXPECT_TRUE(run.host.messages.empty());
  }
}

TEST(SplitTest, PartNamesHaveNoLeadingZeros) {
  SplitRun run(Numbered(1, 12), "12");
  EXPECT_EQ(run.Run(), RunOutcome::kDone);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(run.dir.path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  std::vector<std::string> expected = {"list.txt"};
  for (int i = 1; i <= 12; ++i) expected.push_back("list.txt.bak" + std::to_string(i) + ".txt");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names, expected);
  EXPECT_EQ(ReadFile(run.Part(12)), "12\r\n");
  EXPECT_EQ(PartFileName("D:/data/list.txt", 3), "D:/data/list.txt.bak3.txt");
}

TEST(SplitTest, CountBelowOneIsRefusedOnClick) {
  for (const char* parts : {"", "0", "-2", "abc"}) {
    SplitRun run("a\r\n", parts);
    EXPECT_TRUE(PrepareSplit(run.host).empty()) << parts;
    EXPECT_EQ(run.host.messages, std::vector<std::string>{std::string(texts::kNeedPartCount)});
  }
}

TEST(SplitTest, CountBelowOneAtWorkerStartWritesNothing) {
  SplitRun run("a\r\nb\r\n", "2");
  std::vector<Worker> workers = PrepareSplit(run.host);
  ASSERT_EQ(workers.size(), 1u);
  run.host.Edit(Control::kPartCount, "0");
  EXPECT_EQ(workers[0](), RunOutcome::kStopped);
  EXPECT_EQ(run.host.messages, std::vector<std::string>{std::string(texts::kNeedPartCount)});
  EXPECT_FALSE(Exists(run.Part(1)));
  EXPECT_EQ(run.host.status, "(initial)");
}

TEST(SplitTest, UnreadableInputWritesNoParts) {
  SplitRun run("a\r\n", "2");
  run.host.input_path = run.dir.Path("missing.txt");
  EXPECT_EQ(run.Run(), RunOutcome::kStopped);
  EXPECT_EQ(run.host.messages,
            std::vector<std::string>{std::string(texts::kCannotRead) + run.host.input_path});
  EXPECT_FALSE(Exists(run.host.input_path + ".bak1.txt"));
}

TEST(SplitTest, FailedPartWriteStopsTheRun) {
  SplitRun run(Numbered(1, 3), "3");
  std::filesystem::create_directory(run.Part(2));  // part 2 cannot replace a folder
  EXPECT_EQ(run.Run(), RunOutcome::kStopped);
  EXPECT_EQ(run.host.messages,
            std::vector<std::string>{std::string(texts::kCannotWrite) + run.Part(2)});
  EXPECT_EQ(ReadFile(run.Part(1)), "1\r\n");
  EXPECT_FALSE(Exists(run.Part(3)));
  EXPECT_EQ(run.host.status, texts::kReading);
}

}  // namespace
}  // namespace mirelant::ops
