// The output line limit at full size: remove duplicates, shuffle, extract and
// generate, each given more than 100,000,000 lines, write exactly 100,000,000.
// Each run happens in a child process so that its peak memory can be told.
//
// A benchmark, not part of the fast suite (label "bench"): it writes an input
// of 1.1 GB and outputs of the same size, and needs about 6 GB of memory.
//   ctest --test-dir build -L bench --output-on-failure
// TMPDIR chooses where the files go.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "mirelant/ops/runner.h"
#include "scripted_host.h"
#include "temp_dir.h"

namespace mirelant::ops {
namespace {

using test::ScriptedHost;
using test::TempDir;

constexpr std::int64_t kLimit = 100'000'000;
constexpr std::int64_t kInputLines = kLimit + 5;

// Lines "000000000" to "100000004": all distinct, 11 bytes each with CR LF.
void WriteNumberedLines(const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  std::string block;
  char line[16];
  for (std::int64_t i = 0; i < kInputLines; ++i) {
    std::snprintf(line, sizeof line, "%09lld\r\n", static_cast<long long>(i));
    block += line;
    if (block.size() >= (8u << 20)) {
      out << block;
      block.clear();
    }
  }
  out << block;
}

// Lines of a file (LF bytes: no line of these outputs holds one), read in blocks.
std::int64_t CountLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> block(8 << 20);
  std::int64_t lines = 0;
  while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
    const auto got = static_cast<std::size_t>(in.gcount());
    for (std::size_t i = 0; i < got; ++i) lines += block[i] == '\n';
  }
  return lines;
}

struct Measured {
  bool done = false;
  long peak_kb = 0;
  double seconds = 0;
};

// Runs the operation in a child; its outcome, peak resident memory and time.
Measured RunInChild(Operation op, const std::function<void(ScriptedHost&)>& setup) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    ScriptedHost host;
    setup(host);
    std::vector<Worker> workers = PrepareOperation(op, host);
    const bool done = workers.size() == 1 && workers[0]() == RunOutcome::kDone;
    _exit(done ? 0 : 1);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  Measured m;
  m.done = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  m.peak_kb = usage.ru_maxrss;
  m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return m;
}

TEST(LineLimitBench, EveryLineOperationStopsAtTheLimit) {
  TempDir dir;
  const std::string input = dir.Path("numbers.txt");
  const std::string output = dir.Path("out.txt");
  WriteNumberedLines(input);
  std::printf("input: %lld lines, %.2f GB\n", static_cast<long long>(kInputLines),
              static_cast<double>(std::filesystem::file_size(input)) / 1e9);

  struct Case {
    const char* name;
    Operation op;
    std::function<void(ScriptedHost&)> setup;
  };
  const Case cases[] = {
      {"remove duplicates", Operation::kRemoveDuplicates, [](ScriptedHost&) {}},
      {"shuffle", Operation::kShuffle, [](ScriptedHost&) {}},
      {"extract", Operation::kExtract,
       [](ScriptedHost& host) {
         host.checked[ModeBox::kLeft] = true;
         host.controls[Control::kMark3] = std::string(1, '9');
       }},
      {"generate", Operation::kGenerate,
       [](ScriptedHost& host) {
         host.controls[Control::kRule] = "1%%%%%%%%%%";
         host.controls[Control::kCount] = std::to_string(kInputLines);
       }},
  };
  for (const Case& c : cases) {
    const Measured m = RunInChild(c.op, [&](ScriptedHost& host) {
      host.input_path = input;
      host.save_path = output;
      c.setup(host);
    });
    EXPECT_TRUE(m.done) << c.name;
    const std::int64_t lines = CountLines(output);
    EXPECT_EQ(lines, kLimit) << c.name;
    std::printf("%-18s %lld lines written, peak memory %.2f GiB, %.0f s\n", c.name,
                static_cast<long long>(lines), static_cast<double>(m.peak_kb) / (1 << 20),
                m.seconds);
    std::filesystem::remove(output);
  }
}

}  // namespace
}  // namespace mirelant::ops
