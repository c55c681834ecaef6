// The common course of an operation, driven through a scripted host with
// remove duplicates and shuffle.
#include <gtest/gtest.h>

#include "mirelant/ops/runner.h"
#include "mirelant/ops/settings.h"
#include "mirelant/text/random.h"
#include "scripted_host.h"
#include "temp_dir.h"

namespace mirelant::ops {
namespace {

using test::ScriptedHost;
using test::TempDir;

// Runs the click side and every worker on this thread; the outcome of the last.
std::optional<RunOutcome> RunOp(Operation op, ScriptedHost& host) {
  std::optional<RunOutcome> outcome;
  for (Worker& worker : PrepareOperation(op, host)) outcome = worker();
  return outcome;
}

const std::string kDone = "文本处理完毕  共用时间：0秒";

TEST(CourseTest, InputPathTest) {
  struct Case {
    std::string path;
    bool passes;
  };
  const std::string hint(texts::kPathHint);
  const Case cases[] = {
      {"", false}, {hint, false}, {hint + "x", true}, {hint.substr(3), true}, {" ", true}};
  for (const Case& c : cases) {
    ScriptedHost host;
    host.input_path = c.path;
    EXPECT_EQ(CheckInputPath(host), c.passes) << c.path;
    EXPECT_EQ(host.messages.size(), c.passes ? 0u : 1u);
    for (Operation op : {Operation::kRemoveDuplicates, Operation::kShuffle}) {
      ScriptedHost h;
      h.input_path = c.path;
      EXPECT_EQ(PrepareOperation(op, h).size(), c.passes ? 1u : 0u);
      if (!c.passes) {
        EXPECT_EQ(h.messages, std::vector<std::string>{std::string(texts::kNeedPath)});
      }
      EXPECT_EQ(h.dialogs, 0);
    }
  }
}

TEST(CourseTest, RunsFromClickToClosingStatus) {
  struct Case {
    Operation op;
    std::string input, output;
  };
  const Case cases[] = {
      {Operation::kRemoveDuplicates, "b\r\na\r\nb", "b\r\na\r\n"},
      {Operation::kShuffle, "only", "only\r\n"},  // one line, no CR LF: gains one
  };
  for (const Case& c : cases) {
    TempDir dir;
    test::WriteFile(dir.Path("in.txt"), c.input);
    ScriptedHost host;
    host.input_path = dir.Path("in.txt");
    host.save_path = dir.Path("out.txt");
    EXPECT_EQ(RunOp(c.op, host), RunOutcome::kDone);
    EXPECT_EQ(test::ReadFile(dir.Path("out.txt")), c.output);
    EXPECT_EQ(host.status, kDone);
    EXPECT_TRUE(host.messages.empty());
  }
}

TEST(CourseTest, EndsWithoutOutput) {
  // Each case: what the run is given, how it ends, the status and message left.
  struct Case {
    const char* name;
    std::optional<std::string> input_bytes;  // nothing: the input does not exist
    bool cancel_dialog;
    bool output_folder_missing;
    RunOutcome outcome;
    std::string status;
    std::string message_prefix;
  };
  const std::string reading(texts::kReading);
  const Case cases[] = {
      {"cancelled dialog", "a\r\n", true, false, RunOutcome::kCancelled, "(initial)", ""},
      {"empty input", "", false, false, RunOutcome::kNoLines, reading, ""},
      {"input cut at NUL to nothing", std::string("\0abc", 4), false, false, RunOutcome::kNoLines,
       reading, ""},
      {"missing input", std::nullopt, false, false, RunOutcome::kStopped, "(initial)",
       std::string(texts::kCannotRead)},
      {"unwritable output", "a\r\n", false, true, RunOutcome::kStopped, reading,
       std::string(texts::kCannotWrite)},
  };
  for (const Case& c : cases) {
    for (Operation op : {Operation::kRemoveDuplicates, Operation::kShuffle}) {
      TempDir dir;
      if (c.input_bytes) test::WriteFile(dir.Path("in.txt"), *c.input_bytes);
      ScriptedHost host;
      host.input_path = dir.Path("in.txt");
      const std::string out =
          c.output_folder_missing ? dir.Path("gone/out.txt") : dir.Path("out.txt");
      if (!c.cancel_dialog) host.save_path = out;
      EXPECT_EQ(RunOp(op, host), c.outcome) << c.name;
      EXPECT_FALSE(test::Exists(out)) << c.name;
      EXPECT_EQ(host.status, c.status) << c.name;
      if (c.message_prefix.empty()) {
        EXPECT_TRUE(host.messages.empty()) << c.name;
      } else {
        ASSERT_EQ(host.messages.size(), 1u) << c.name;
        EXPECT_EQ(host.messages[0],
                  c.message_prefix + (c.output_folder_missing ? out : host.input_path))
            << c.name;
      }
    }
  }
}

TEST(CourseTest, OutputMayBeTheInput) {
  TempDir dir;
  const std::string path = dir.Path("list.txt");
  test::WriteFile(path, "x\r\ny\r\nx\r\nz");
  ScriptedHost host;
  host.input_path = path;
  host.save_path = path;
  EXPECT_EQ(RunOp(Operation::kRemoveDuplicates, host), RunOutcome::kDone);
  EXPECT_EQ(test::ReadFile(path), "x\r\ny\r\nz\r\n");
}

TEST(CourseTest, ElapsedSecondsTruncate) {
  EXPECT_EQ(ElapsedSeconds(1000, 3900), 2);
  EXPECT_EQ(ElapsedSeconds(1000, 1400), 0);
  EXPECT_EQ(ElapsedSeconds(0, 5000000000LL), 5000000) << "no 32-bit wrap";
  EXPECT_EQ(OutputLineLimit(), 100000000);
}

}  // namespace
}  // namespace mirelant::ops
