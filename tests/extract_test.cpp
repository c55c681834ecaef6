// Extract from lines: the three cutting functions, and the worker's checks
// and one-line-per-line output.
#include "mirelant/ops/extract.h"

#include <gtest/gtest.h>

#include <map>
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

TEST(ExtractTest, CuttingFunctions) {
  enum Fn { kBefore, kAfter, kBetween };
  struct Case {
    Fn fn;
    std::string line, first, second, piece;
  };
  const Case cases[] = {
      {kBefore, "key=value=more", "=", "", "key"},
      {kAfter, "key=value=more", "=", "", "more"},
      {kBetween, "key=value=more", "=", "=", "value"},
      {kBetween, "x[1]y[2]", "[", "]", "1"},
      {kBetween, "]x[y", "[", "]", ""},  // the second mark must follow the first
      {kBetween, "ab", "a", "b", ""},
      {kBetween, "abab", "ab", "x", ""},
      {kBefore, "=x", "=", "", ""},
      {kAfter, "x=", "=", "", ""},
      {kBefore, "abc", "d", "", ""},
      {kAfter, "abc", "d", "", ""},
      {kBefore, "ABC", "b", "", ""},  // case counts
      // Overlapping occurrences: the last one counts.
      {kAfter, "xaaa", "aa", "", ""},
      {kAfter, "aaab", "aa", "", "b"},
      // "|" as the second byte of 0xB0 0x7C is no mark.
      {kBefore, "\xB0|x|y", "|", "", "\xB0|x"},
      {kAfter, "a|\xB0|", "|", "", "\xB0|"},
      {kBetween, "|\xB0|x|", "|", "|", "\xB0|x"},
      {kAfter, "\xB0|", "|", "", ""},
      {kBefore, "\xD6\xD0=\xCE\xC4", "=", "", "\xD6\xD0"},
      // An empty mark is found at the first byte of any non-empty line.
      {kBefore, "abc", "", "", ""},
      {kAfter, "abc", "", "", "abc"},
      {kAfter, "", "", "", ""},
  };
  for (const Case& c : cases) {
    TextView piece;
    switch (c.fn) {
      case kBefore:
        piece = TextBeforeFirst(c.line, c.first);
        break;
      case kAfter:
        piece = TextAfterLast(c.line, c.first);
        break;
      case kBetween:
        piece = TextBetween(c.line, c.first, c.second);
        break;
    }
    EXPECT_EQ(piece, c.piece) << c.fn << " " << testing::PrintToString(c.line) << " / "
                              << testing::PrintToString(c.first);
  }
}

struct ExtractRun {
  TempDir dir;
  ScriptedHost host;

  explicit ExtractRun(const std::string& input) {
    WriteFile(dir.Path("in.txt"), input);
    host.input_path = dir.Path("in.txt");
    host.save_path = dir.Path("out.txt");
  }
};

TEST(ExtractTest, OneWorkerPerCheckedModeInOrder) {
  // Every input line gives one output line, empty when the piece is missing.
  ExtractRun run("key=value=more\r\n\r\nnone\r\na=b");
  for (ModeBox box : {ModeBox::kBetween, ModeBox::kLeft, ModeBox::kRight})
    run.host.checked[box] = true;
  run.host.controls = {{Control::kMark1, "="},
                       {Control::kMark2, "="},
                       {Control::kMark3, "="},
                       {Control::kMark4, "="}};
  std::vector<Worker> workers = PrepareExtract(run.host);
  ASSERT_EQ(workers.size(), 3u);
  const std::string expected[] = {"value\r\n\r\n\r\n\r\n", "key\r\n\r\n\r\na\r\n",
                                  "more\r\n\r\n\r\nb\r\n"};
  for (std::size_t i = 0; i < 3; ++i) {
    run.host.save_path = run.dir.Path("out" + std::to_string(i + 1) + ".txt");
    EXPECT_EQ(workers[i](), RunOutcome::kDone);
    EXPECT_EQ(ReadFile(*run.host.save_path), expected[i]) << "mode " << i + 1;
  }
  EXPECT_TRUE(run.host.messages.empty());
  EXPECT_EQ(run.host.status.rfind(texts::kProcessedIn, 0), 0u) << run.host.status;
}

TEST(ExtractTest, ModeAndMarkChecks) {
  {
    // No mode: refused on click, before any dialog.
    ExtractRun run("a=b\r\n");
    run.host.controls[Control::kMark3] = "=";
    EXPECT_TRUE(PrepareExtract(run.host).empty());
    EXPECT_EQ(run.host.messages, std::vector<std::string>{std::string(texts::kNeedMode)});
    EXPECT_EQ(run.host.dialogs, 0);
  }
  // A mode whose mark box is empty: the dialog first, then the message.
  struct Case {
    ModeBox box;
    std::map<Control, std::string> marks;
  };
  const Case cases[] = {
      {ModeBox::kBetween, {{Control::kMark1, "="}}},
      {ModeBox::kBetween, {{Control::kMark2, "="}}},
      {ModeBox::kLeft, {{Control::kMark4, "="}}},
      {ModeBox::kRight, {{Control::kMark3, "="}}},
  };
  for (const Case& c : cases) {
    ExtractRun run("a=b\r\n");
    run.host.checked[c.box] = true;
    run.host.controls = c.marks;
    std::vector<Worker> workers = PrepareExtract(run.host);
    ASSERT_EQ(workers.size(), 1u);
    EXPECT_EQ(workers[0](), RunOutcome::kStopped);
    EXPECT_EQ(run.host.dialogs, 1);
    EXPECT_EQ(run.host.messages, std::vector<std::string>{std::string(texts::kNeedParameters)});
    EXPECT_FALSE(Exists(run.dir.Path("out.txt")));
    EXPECT_EQ(run.host.status, "(initial)");
  }
}

TEST(ExtractTest, MarkEditedDuringRunAppliesFromNextLine) {
  ExtractRun run("a=b-c\r\na=b-c\r\na=b-c\r\n");
  run.host.checked[ModeBox::kLeft] = true;
  run.host.controls[Control::kMark3] = "=";
  int asked = 0;
  run.host.on_version = [&asked](ScriptedHost& h, Control) {
    if (++asked == 2) h.Edit(Control::kMark3, "-");
  };
  std::vector<Worker> workers = PrepareExtract(run.host);
  ASSERT_EQ(workers.size(), 1u);
  EXPECT_EQ(workers[0](), RunOutcome::kDone);
  EXPECT_EQ(ReadFile(run.dir.Path("out.txt")), "a\r\na=b\r\na=b\r\n");
}

}  // namespace
}  // namespace mirelant::ops
