// Runs that overlap in one process, as the window starts them: every worker on
// a thread of its own, each run with its own host and output. Built and run
// under ThreadSanitizer by the "tsan" preset; also part of the ordinary suite.
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <latch>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "mirelant/ops/runner.h"
#include "mirelant/ops/settings.h"
#include "mirelant/text/random.h"
#include "scripted_host.h"
#include "temp_dir.h"

namespace mirelant::ops {
namespace {

using test::ReadFile;
using test::ScriptedHost;
using test::TempDir;
using test::WriteFile;

// A scripted host for runs on other threads: each save dialog answers the next
// path of a list, and a test can wait until a number of runs have ended (shown
// their closing status or a message).
class ConcurrentHost : public ScriptedHost {
 public:
  explicit ConcurrentHost(std::vector<std::string> answers) : answers_(std::move(answers)) {}

  std::optional<std::string> AskSavePath() override {
    ScriptedHost::AskSavePath();
    std::lock_guard lock(mutex_);
    if (next_answer_ == answers_.size()) return std::nullopt;
    return answers_[next_answer_++];
  }
  void SetStatus(std::string_view text) override {
    ScriptedHost::SetStatus(text);
    if (text.starts_with(texts::kProcessedIn) || text.starts_with(texts::kGeneratedIn)) Ended();
  }
  void ShowMessage(std::string_view message) override {
    ScriptedHost::ShowMessage(message);
    Ended();
  }

  void WaitForEnds(int runs) {
    std::unique_lock lock(mutex_);
    ended_cv_.wait(lock, [&] { return ended_ >= runs; });
  }

 private:
  void Ended() {
    std::lock_guard lock(mutex_);
    ++ended_;
    ended_cv_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable ended_cv_;
  std::vector<std::string> answers_;
  std::size_t next_answer_ = 0;
  int ended_ = 0;
};

// One run to start: the operation, its host and the output files it writes.
struct OpRun {
  Operation op;
  std::unique_ptr<ConcurrentHost> host;
  std::vector<std::string> outputs;
};

OpRun MakeRun(Operation op, const std::string& input, std::vector<std::string> outputs) {
  OpRun run{op, std::make_unique<ConcurrentHost>(outputs), outputs};
  run.host->input_path = input;
  return run;
}

// Prepares every run on this thread, then starts all their workers at the same
// moment, each on its own thread, and joins them.
void RunAllAtOnce(std::vector<OpRun>& runs) {
  std::vector<Worker> workers;
  for (OpRun& run : runs) {
    for (Worker& worker : PrepareOperation(run.op, *run.host)) workers.push_back(std::move(worker));
  }
  std::latch start(static_cast<std::ptrdiff_t>(workers.size()));
  std::vector<RunOutcome> outcomes(workers.size(), RunOutcome::kStopped);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < workers.size(); ++i) {
    threads.emplace_back([&, i] {
      start.arrive_and_wait();
      outcomes[i] = workers[i]();
    });
  }
  for (std::thread& t : threads) t.join();
  for (RunOutcome outcome : outcomes) EXPECT_EQ(outcome, RunOutcome::kDone);
}

void RunAlone(OpRun& run) {
  for (Worker& worker : PrepareOperation(run.op, *run.host)) {
    EXPECT_EQ(worker(), RunOutcome::kDone);
  }
}

std::string NumberedLines(int count, int modulo) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "line " + std::to_string(i % modulo) + "\r\n";
  return text;
}

// What removing duplicates from NumberedLines(n, 1000) gives.
std::string FirstThousand() { return NumberedLines(1000, 1000); }

std::size_t EntriesIn(const std::filesystem::path& dir) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

class ThreadsTest : public testing::Test {
 protected:
  static constexpr std::uint32_t kTick = 777;

  void SetUp() override {
    WriteFile(dir_.Path("dup.txt"), NumberedLines(30000, 1000));
    WriteFile(dir_.Path("many.txt"), NumberedLines(40000, 40000));  // above the 32768-line window
    WriteFile(dir_.Path("pairs.txt"), "a=1\r\nb\r\nc=3=x\r\n");
    WriteFile(dir_.Path("tree/one.txt"), "1\r\n");
    WriteFile(dir_.Path("tree/sub/two.txt"), "2\r\n");
    SetFixedTick(kTick);
    SetSeedOffset(0);
  }
  void TearDown() override { SetTickSource(nullptr); }

  std::string Path(const std::string& name) const { return dir_.Path(name); }

  // A run of every operation, each on its own files. Only the shuffle and the
  // generator seed the generator, once each.
  std::vector<OpRun> EveryOperation(const std::string& tag) {
    std::vector<OpRun> runs;
    runs.push_back(MakeRun(Operation::kRemoveDuplicates, Path("dup.txt"), {Path(tag + "dedup")}));
    runs.push_back(MakeRun(Operation::kShuffle, Path("many.txt"), {Path(tag + "shuffle")}));
    OpRun generate = MakeRun(Operation::kGenerate, "", {Path(tag + "generate")});
    generate.host->controls[Control::kRule] = "id%%%%%%";
    generate.host->controls[Control::kCount] = "20000";
    runs.push_back(std::move(generate));
    OpRun extract = MakeRun(Operation::kExtract, Path("pairs.txt"),
                            {Path(tag + "extract_a"), Path(tag + "extract_b")});
    extract.host->checked[ModeBox::kLeft] = true;
    extract.host->checked[ModeBox::kRight] = true;
    extract.host->controls[Control::kMark3] = "=";
    extract.host->controls[Control::kMark4] = "=";
    runs.push_back(std::move(extract));
    OpRun replace = MakeRun(Operation::kReplace, Path("dup.txt"), {Path(tag + "replace")});
    replace.host->controls[Control::kRules] = "line|L\r\n1|one";
    runs.push_back(std::move(replace));
    runs.push_back(MakeRun(Operation::kMerge, Path("tree"), {Path(tag + "merge")}));
    return runs;
  }

  // The texts of every output of the runs, by file name without the tag.
  static std::map<std::string, std::string> Outputs(const std::vector<OpRun>& runs,
                                                    const std::string& tag) {
    std::map<std::string, std::string> texts;
    for (const OpRun& run : runs) {
      for (const std::string& path : run.outputs) {
        texts[std::filesystem::path(path).filename().string().substr(tag.size())] = ReadFile(path);
      }
    }
    return texts;
  }

  TempDir dir_;
};

TEST_F(ThreadsTest, OverlappingRunsGiveWhatEachGivesAlone) {
  // Alone, one after another, from the same seeding offset, each seeding with
  // the fixed tick: the shuffle and the generator see seeds kTick and, for
  // whichever seeds second, kTick + the offset the first one left.
  const std::uint32_t second_seed = kTick + (kTick & 0xFF) + 100;
  std::map<std::uint32_t, std::string> shuffled;
  std::map<std::uint32_t, std::string> generated;
  std::map<std::string, std::string> alone;
  for (const std::uint32_t seed : {kTick, second_seed}) {
    std::vector<OpRun> runs = EveryOperation("alone-");
    for (OpRun& run : runs) {
      SetSeedOffset(static_cast<std::int32_t>(seed - kTick));
      RunAlone(run);
    }
    alone = Outputs(runs, "alone-");
    shuffled[seed] = alone["shuffle"];
    generated[seed] = alone["generate"];
  }
  ASSERT_NE(shuffled[kTick], shuffled[second_seed]);
  ASSERT_NE(generated[kTick], generated[second_seed]);

  EXPECT_EQ(alone["dedup"], FirstThousand());
  EXPECT_EQ(alone["merge"], "1\r\n2\r\n");

  for (int round = 0; round < 3; ++round) {
    const std::string tag = "r" + std::to_string(round) + "-";
    std::vector<OpRun> runs = EveryOperation(tag);
    SetSeedOffset(0);
    RunAllAtOnce(runs);
    std::map<std::string, std::string> together = Outputs(runs, tag);
    // Each run's own generator state: the shuffle's order and the generated
    // digits depend only on their own seeds, never on draws made by the other
    // thread in between. Which of the two seeded first is up to the scheduler
    // (both may even read the same offset).
    const bool shuffle_first = together["shuffle"] == shuffled[kTick];
    EXPECT_TRUE(shuffle_first || together["shuffle"] == shuffled[second_seed]) << tag;
    EXPECT_TRUE(together["generate"] == generated[second_seed] ||
                together["generate"] == generated[kTick])
        << tag;
    if (!shuffle_first) {
      EXPECT_TRUE(together["generate"] == generated[kTick]) << tag;
    }
    for (const std::string name : {"dedup", "replace", "merge"}) {
      EXPECT_TRUE(together[name] == alone[name]) << tag << name;
    }
    // Two workers of one extract click, each with its own dialog answer.
    std::vector<std::string> pieces{together["extract_a"], together["extract_b"]};
    std::vector<std::string> pieces_alone{alone["extract_a"], alone["extract_b"]};
    std::sort(pieces.begin(), pieces.end());
    std::sort(pieces_alone.begin(), pieces_alone.end());
    EXPECT_EQ(pieces_alone, (std::vector<std::string>{"1\r\n\r\nx\r\n", "a\r\n\r\nc\r\n"}));
    EXPECT_EQ(pieces, pieces_alone) << tag;
    for (const OpRun& run : runs) EXPECT_TRUE(run.host->messages.empty()) << tag;
  }
}

TEST_F(ThreadsTest, DetachedRunsAsTheWindowStartsThem) {
  // StartOperation detaches every worker; the test waits for each run's end.
  std::vector<OpRun> runs;
  for (int i = 0; i < 3; ++i) {
    const std::string n = std::to_string(i);
    runs.push_back(MakeRun(Operation::kRemoveDuplicates, Path("dup.txt"), {Path("dedup" + n)}));
    runs.push_back(MakeRun(Operation::kShuffle, Path("many.txt"), {Path("shuffle" + n)}));
  }
  for (OpRun& run : runs) EXPECT_EQ(StartOperation(run.op, *run.host), 1);
  for (OpRun& run : runs) run.host->WaitForEnds(1);

  const std::string sorted_input = [&] {
    std::vector<std::string> lines;
    for (int i = 0; i < 40000; ++i) lines.push_back("line " + std::to_string(i));
    std::sort(lines.begin(), lines.end());
    std::string text;
    for (const std::string& line : lines) text += line;
    return text;
  }();
  for (int i = 0; i < 3; ++i) {
    const std::string n = std::to_string(i);
    EXPECT_EQ(ReadFile(Path("dedup" + n)), FirstThousand());
    // Every line once, whatever order the seed gave.
    const std::string shuffled = ReadFile(Path("shuffle" + n));
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = shuffled.find("\r\n", at)) != std::string::npos;
         at = end + 2) {
      lines.push_back(shuffled.substr(at, end - at));
    }
    std::sort(lines.begin(), lines.end());
    std::string joined;
    for (const std::string& line : lines) joined += line;
    EXPECT_TRUE(joined == sorted_input) << n;
  }
  for (const OpRun& run : runs) EXPECT_TRUE(run.host->messages.empty());
}

TEST_F(ThreadsTest, RunsWritingOneFileLeaveOneWholeResult) {
  // Two runs that were given the same output file: the file ends up holding
  // the whole result of one of them, never a mix, and no temporary file stays.
  WriteFile(Path("same/a.txt"), NumberedLines(20000, 20000));
  WriteFile(Path("same/b.txt"), NumberedLines(30000, 7));
  const std::string out = Path("same/out.txt");
  OpRun alone_a = MakeRun(Operation::kRemoveDuplicates, Path("same/a.txt"), {out});
  RunAlone(alone_a);
  const std::string from_a = ReadFile(out);
  OpRun alone_b = MakeRun(Operation::kRemoveDuplicates, Path("same/b.txt"), {out});
  RunAlone(alone_b);
  const std::string from_b = ReadFile(out);
  for (int round = 0; round < 5; ++round) {
    std::vector<OpRun> runs;
    runs.push_back(MakeRun(Operation::kRemoveDuplicates, Path("same/a.txt"), {out}));
    runs.push_back(MakeRun(Operation::kRemoveDuplicates, Path("same/b.txt"), {out}));
    RunAllAtOnce(runs);
    const std::string result = ReadFile(out);
    EXPECT_TRUE(result == from_a || result == from_b) << "round " << round;
    EXPECT_EQ(EntriesIn(Path("same")), 3u) << "round " << round;
  }
}

}  // namespace
}  // namespace mirelant::ops
