// Inputs nobody should feed a text tool, and what each operation makes of them:
// binary files, a single 100 MB line, ten million empty lines, UTF-16 and
// UTF-8 files, paths with Chinese characters and spaces, a folder tree that
// links back into itself, a folder of 10,000 files, part counts and generate
// counts at the edges of the integer range, and files too large for the memory
// the process may use. Each gives what the definitions give, or a clear
// message: never a crash, a hang or a lost file.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "fuzz/naive.h"
#include "in_child.h"
#include "mirelant/ops/runner.h"
#include "mirelant/ops/settings.h"
#include "mirelant/text/random.h"
#include "scripted_host.h"
#include "temp_dir.h"

namespace mirelant::ops {
namespace {

namespace fs = std::filesystem;
using test::Exists;
using test::InChild;
using test::ReadFile;
using test::ScriptedHost;
using test::TempDir;
using test::WriteFile;

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// The large inputs take a second or two in a Release build; under a sanitizer
// they take minutes, and what they check there is checked by the small ones.
#define SKIP_LARGE_UNDER_SANITIZERS() \
  if (kSanitized) GTEST_SKIP() << "large input: skipped under sanitizers"

// Runs the click side and every worker on this thread, with fixed seeds.
std::vector<RunOutcome> RunOp(Operation op, ScriptedHost& host) {
  SetFixedTick(99);
  SetSeedOffset(0);
  std::vector<RunOutcome> outcomes;
  for (Worker& worker : PrepareOperation(op, host)) outcomes.push_back(worker());
  SetTickSource(nullptr);
  return outcomes;
}

const std::vector<RunOutcome> kDone{RunOutcome::kDone};
const std::vector<RunOutcome> kStopped{RunOutcome::kStopped};

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The lines of a text as the definition cuts them.
std::vector<std::string> LinesOf(const std::string& text) { return naive::SplitText(text, "\r\n"); }

// Every line once, first seen first.
std::string Deduplicated(const std::string& text) {
  std::vector<std::string> kept;
  for (const std::string& line : LinesOf(text)) {
    if (std::find(kept.begin(), kept.end(), line) == kept.end()) kept.push_back(line);
  }
  return Joined(kept);
}

std::vector<std::string> SortedLines(const std::string& text) {
  std::vector<std::string> lines = LinesOf(text);
  std::sort(lines.begin(), lines.end());
  return lines;
}

// The operations over one input file, each with the output it must give by
// the definitions (naive.h), written to out.txt (split: its part files).
struct LineOps {
  TempDir dir;
  std::string input = dir.Path("in.txt");
  std::string out = dir.Path("out.txt");

  explicit LineOps(const std::string& bytes) { WriteFile(input, bytes); }

  void Setup(ScriptedHost& host) const {
    host.input_path = input;
    host.save_path = out;
  }

  // Checks dedup, shuffle (as a multiset), extract (left of "="), replace
  // ("=|==") and split (into 2) against text, the input cut at its first NUL.
  void CheckAll(const std::string& text, const std::string& what) {
    ScriptedHost dedup;
    Setup(dedup);
    EXPECT_EQ(RunOp(Operation::kRemoveDuplicates, dedup), kDone) << what;
    EXPECT_TRUE(ReadFile(out) == Deduplicated(text)) << what << ": dedup";

    ScriptedHost shuffle;
    Setup(shuffle);
    EXPECT_EQ(RunOp(Operation::kShuffle, shuffle), kDone) << what;
    EXPECT_TRUE(SortedLines(ReadFile(out)) == SortedLines(text)) << what << ": shuffle";

    ScriptedHost extract;
    Setup(extract);
    extract.checked[ModeBox::kLeft] = true;
    extract.controls[Control::kMark3] = "=";
    EXPECT_EQ(RunOp(Operation::kExtract, extract), kDone) << what;
    std::vector<std::string> pieces;
    for (const std::string& line : LinesOf(text))
      pieces.push_back(naive::TextBeforeFirst(line, "="));
    EXPECT_TRUE(ReadFile(out) == Joined(pieces)) << what << ": extract";

    ScriptedHost replace;
    Setup(replace);
    replace.controls[Control::kRules] = "=|==";
    EXPECT_EQ(RunOp(Operation::kReplace, replace), kDone) << what;
    EXPECT_TRUE(ReadFile(out) == naive::ReplaceText(text, "=", "==", 1, -1)) << what << ": replace";

    ScriptedHost split;
    Setup(split);
    split.controls[Control::kPartCount] = "2";
    EXPECT_EQ(RunOp(Operation::kSplit, split), kDone) << what;
    const std::vector<std::string> lines = LinesOf(text);
    const std::size_t first = (lines.size() + 1) / 2;
    EXPECT_TRUE(ReadFile(input + ".bak1.txt") ==
                Joined({lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(first)}))
        << what << ": split part 1";
    EXPECT_TRUE(ReadFile(input + ".bak2.txt") ==
                Joined({lines.begin() + static_cast<std::ptrdiff_t>(first), lines.end()}))
        << what << ": split part 2";

    for (const ScriptedHost* host : {&dedup, &shuffle, &extract, &replace, &split}) {
      EXPECT_TRUE(host->messages.empty()) << what;
    }
  }
};

std::string AllByteValues(int from) {
  std::string bytes;
  for (int b = from; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

TEST(HostileTest, BinaryFiles) {
  // Every byte value but NUL, then a NUL and all of them again: the text is
  // the bytes before the NUL, with one CR LF in it and a lead byte at the end.
  const std::string text = AllByteValues(1);
  LineOps ops(text + '\0' + AllByteValues(0));
  ops.CheckAll(text, "bytes 1 to 255");

  // A file that starts with NUL is an empty text: no lines, no output.
  LineOps starts_with_nul(AllByteValues(0));
  ScriptedHost host;
  starts_with_nul.Setup(host);
  EXPECT_EQ(RunOp(Operation::kRemoveDuplicates, host),
            std::vector<RunOutcome>{RunOutcome::kNoLines});
  EXPECT_FALSE(Exists(starts_with_nul.out));
  EXPECT_EQ(host.status, texts::kReading);

  // In a merged folder, a binary file gives its bytes before the first NUL.
  TempDir dir;
  WriteFile(dir.Path("tree/image.bin"), "GIF8\x01\xff" + std::string(1, '\0') + "rest");
  ScriptedHost merge;
  merge.input_path = dir.Path("tree");
  merge.save_path = dir.Path("out.txt");
  EXPECT_EQ(RunOp(Operation::kMerge, merge), kDone);
  EXPECT_EQ(ReadFile(dir.Path("out.txt")), "GIF8\x01\xff");
}

TEST(HostileTest, UnicodeFiles) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      // UTF-16 LE and BE with their marks: only the bytes before the first NUL.
      {"UTF-16 LE", std::string("\xFF\xFE"
                                "a\0=\0b\0\r\0\n\0",
                                12)},
      {"UTF-16 BE", std::string("\xFE\xFF\0a\0=\0b\0\r\0\n", 12)},
      // UTF-8: three-byte characters pair up as GBK does, so the CR LF after
      // an odd number of them is taken into a pair and not seen.
      {"UTF-8",
       "\xE4\xB8\xAD\xE6\x96\x87=1\r\n\xE4\xB8\xAD\r\nx=\xE4\xB8\xAD\r\n\xE4\xB8\xAD\xE6\x96\x87="
       "1"},
      {"UTF-8 with mark", "\xEF\xBB\xBFk=v\r\nk=v\r\n"},
  };
  for (const Case& c : cases) {
    LineOps ops(c.bytes);
    ops.CheckAll(c.bytes.substr(0, c.bytes.find('\0')), c.name);
  }
}

TEST(HostileTest, ChineseNamesWithSpaces) {
  TempDir dir;
  const std::string folder = dir.Path("数据 目录");
  const std::string input = folder + "/列表 一.txt";
  // Names are UTF-8, as the file system holds them; contents are GBK.
  const std::string yi = "\xD2\xD2", jia = "\xBC\xD7", bing = "\xB1\xFB";
  WriteFile(input, yi + "\r\n" + jia + "\r\n" + yi + "\r\n");
  WriteFile(folder + "/子 目录/二.txt", bing + "\r\n");

  ScriptedHost dedup;
  dedup.input_path = input;
  dedup.save_path = dir.Path("结果 文件.txt");
  EXPECT_EQ(RunOp(Operation::kRemoveDuplicates, dedup), kDone);
  EXPECT_EQ(ReadFile(dir.Path("结果 文件.txt")), yi + "\r\n" + jia + "\r\n");

  ScriptedHost split;
  split.input_path = input;
  split.controls[Control::kPartCount] = "2";
  EXPECT_EQ(RunOp(Operation::kSplit, split), kDone);
  EXPECT_EQ(ReadFile(folder + "/列表 一.txt.bak1.txt"), yi + "\r\n" + jia + "\r\n");
  EXPECT_EQ(ReadFile(folder + "/列表 一.txt.bak2.txt"), yi + "\r\n");

  ScriptedHost merge;
  merge.input_path = folder + "/子 目录";
  merge.save_path = dir.Path("合并 结果.txt");
  EXPECT_EQ(RunOp(Operation::kMerge, merge), kDone);
  EXPECT_EQ(ReadFile(dir.Path("合并 结果.txt")), bing + "\r\n");

  // The message names the path byte for byte.
  ScriptedHost missing;
  missing.input_path = folder + "/不存在 的.txt";
  missing.save_path = dir.Path("结果 文件.txt");
  EXPECT_EQ(RunOp(Operation::kShuffle, missing), kStopped);
  EXPECT_EQ(missing.messages,
            std::vector<std::string>{std::string(texts::kCannotRead) + missing.input_path});
  EXPECT_EQ(ReadFile(dir.Path("结果 文件.txt")), yi + "\r\n" + jia + "\r\n");
}

TEST(HostileTest, FolderTreeThatLinksBackIntoItself) {
  TempDir dir;
  const fs::path root = dir.path() / "T";
  WriteFile((root / "a.txt").string(), "A\r\n");
  WriteFile((root / "S/b.txt").string(), "B\r\n");
  fs::create_directory_symlink("..", root / "S" / "up");
  fs::create_directory_symlink(".", root / "S" / "here");
  fs::create_directory_symlink(root, root / "S" / "root");
  // A named pipe would block a reader for ever; it is not a file to merge.
  ASSERT_EQ(mkfifo((root / "S" / "pipe").c_str(), 0600), 0);
  ScriptedHost host;
  host.input_path = root.string();
  host.save_path = dir.Path("out.txt");
  EXPECT_EQ(RunOp(Operation::kMerge, host), kDone);
  EXPECT_EQ(ReadFile(dir.Path("out.txt")), "A\r\nB\r\n");
}

TEST(HostileTest, FolderOfTenThousandFiles) {
  TempDir dir;
  const fs::path root = dir.path() / "many";
  fs::create_directory(root);
  std::vector<std::string> expected;
  for (int i = 0; i < 10000; ++i) {
    const std::string line = "file " + std::to_string(i);
    std::ofstream((root / (std::to_string(i) + ".txt")).string(), std::ios::binary)
        << line << "\r\n";
    expected.push_back(line);
  }
  std::sort(expected.begin(), expected.end());
  // Within one folder the files come in the order the file system lists them.
  std::string in_listing_order;
  for (const auto& entry : fs::directory_iterator(root)) in_listing_order += ReadFile(entry.path());

  ScriptedHost host;
  host.input_path = root.string();
  host.save_path = dir.Path("out.txt");
  EXPECT_EQ(RunOp(Operation::kMerge, host), kDone);
  const std::string out = ReadFile(dir.Path("out.txt"));
  EXPECT_TRUE(out == in_listing_order);
  EXPECT_EQ(SortedLines(out), expected);
}

TEST(HostileTest, OneLineOfOneHundredMegabytes) {
  SKIP_LARGE_UNDER_SANITIZERS();
  std::string line(100 << 20, 'x');
  line.replace(line.size() - 10, 1, "=");
  LineOps ops(line);
  ScriptedHost dedup;
  ops.Setup(dedup);
  EXPECT_EQ(RunOp(Operation::kRemoveDuplicates, dedup), kDone);
  EXPECT_TRUE(ReadFile(ops.out) == line + "\r\n");

  ScriptedHost extract;
  ops.Setup(extract);
  extract.checked[ModeBox::kRight] = true;
  extract.controls[Control::kMark4] = "=";
  EXPECT_EQ(RunOp(Operation::kExtract, extract), kDone);
  EXPECT_EQ(ReadFile(ops.out), "xxxxxxxxx\r\n");

  ScriptedHost replace;
  ops.Setup(replace);
  replace.controls[Control::kRules] = "xx|y";
  EXPECT_EQ(RunOp(Operation::kReplace, replace), kDone);
  const std::string replaced = ReadFile(ops.out);
  EXPECT_EQ(replaced.size(), line.size() / 2 + 1);
  EXPECT_EQ(replaced.substr(replaced.size() - 7), "y=yyyyx");

  ScriptedHost split;
  ops.Setup(split);
  split.controls[Control::kPartCount] = "3";
  EXPECT_EQ(RunOp(Operation::kSplit, split), kDone);
  EXPECT_EQ(fs::file_size(ops.input + ".bak1.txt"), line.size() + 2);
  EXPECT_EQ(fs::file_size(ops.input + ".bak3.txt"), 0u);
}

TEST(HostileTest, TenMillionEmptyLines) {
  SKIP_LARGE_UNDER_SANITIZERS();
  std::string text;
  text.reserve(20'000'000);
  for (int i = 0; i < 10'000'000; ++i) text += "\r\n";
  LineOps ops(text);

  ScriptedHost dedup;
  ops.Setup(dedup);
  EXPECT_EQ(RunOp(Operation::kRemoveDuplicates, dedup), kDone);
  EXPECT_EQ(ReadFile(ops.out), "\r\n");

  for (const Operation op : {Operation::kShuffle, Operation::kExtract}) {
    ScriptedHost host;
    ops.Setup(host);
    host.checked[ModeBox::kBetween] = true;
    host.controls[Control::kMark1] = "a";
    host.controls[Control::kMark2] = "b";
    EXPECT_EQ(RunOp(op, host), kDone);
    EXPECT_TRUE(ReadFile(ops.out) == text);
  }

  ScriptedHost split;
  ops.Setup(split);
  split.controls[Control::kPartCount] = "3";
  EXPECT_EQ(RunOp(Operation::kSplit, split), kDone);
  EXPECT_EQ(fs::file_size(ops.input + ".bak1.txt"), 3'333'334u * 2);
  EXPECT_EQ(fs::file_size(ops.input + ".bak3.txt"), 3'333'333u * 2);
}

TEST(HostileTest, CountsAtTheEdges) {
  struct Case {
    std::string count;
    int lines;  // 0: refused with the message
  };
  const Case cases[] = {
      {"-2147483648", 0}, {"0", 0},          {"", 0},
      {"-1", 0},          {"2147483648", 0},  // wraps to the lowest value
      {"3 parts", 3},     {"3abc", 3},       {"+3", 3},
      {" 3", 3},          {"\xA3\xB3", 3},  // full-width 3
      {"4294967299", 3},                    // wraps to 3
  };
  TempDir dir;
  WriteFile(dir.Path("in.txt"), "a\r\nb\r\nc\r\nd\r\ne\r\n");
  for (const Case& c : cases) {
    const std::string what = testing::PrintToString(c.count);
    for (const auto& [op, control, refusal] :
         {std::tuple{Operation::kSplit, Control::kPartCount, texts::kNeedPartCount},
          std::tuple{Operation::kGenerate, Control::kCount, texts::kNeedCount}}) {
      fs::remove_all(dir.path() / "out.txt");
      for (int i = 1; i <= 3; ++i) fs::remove(dir.Path("in.txt.bak" + std::to_string(i) + ".txt"));
      ScriptedHost host;
      host.input_path = dir.Path("in.txt");
      host.save_path = dir.Path("out.txt");
      host.controls = {{control, c.count}, {Control::kRule, "%"}};
      const std::vector<RunOutcome> outcomes = RunOp(op, host);
      if (c.lines == 0) {
        EXPECT_TRUE(outcomes.empty()) << what;
        EXPECT_EQ(host.messages, std::vector<std::string>{std::string(refusal)}) << what;
        EXPECT_EQ(host.dialogs, 0) << what;
        continue;
      }
      EXPECT_EQ(outcomes, kDone) << what;
      if (op == Operation::kGenerate) {
        EXPECT_EQ(LinesOf(ReadFile(dir.Path("out.txt"))).size(), 3u) << what;
      } else {
        EXPECT_EQ(ReadFile(dir.Path("in.txt.bak3.txt")), "e\r\n") << what;
        EXPECT_FALSE(Exists(dir.Path("in.txt.bak4.txt"))) << what;
      }
    }
  }
}

// ---------------------------------------------------------------------------
// Memory exhaustion, in a child process whose address space is limited.

// Limits the address space to what the process maps now plus extra bytes.
bool LimitMemory(std::size_t extra) {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0;
  statm >> pages;
  const auto bytes =
      static_cast<rlim_t>(pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)) + extra);
  const rlimit limit{bytes, bytes};
  return pages > 0 && setrlimit(RLIMIT_AS, &limit) == 0;
}

TEST(HostileTest, FilesTooLargeForMemory) {
  if (kSanitized) GTEST_SKIP() << "sanitizers reserve more address space than any limit allows";
  TempDir dir;
  const auto write_repeated = [](const std::string& path, const std::string& unit, int megabytes) {
    std::string block;
    while (block.size() < (1u << 20)) block += unit;
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < megabytes; ++i) out << block;
  };
  write_repeated(dir.Path("big.txt"), "b", 96);       // cannot even be read
  write_repeated(dir.Path("mid.txt"), "b", 30);       // read, but replaced it doubles
  write_repeated(dir.Path("lines.txt"), "\r\n", 48);  // read, but 24 million lines do not fit
  fs::create_directory(dir.path() / "tree");
  for (const char* name : {"1.txt", "2.txt", "3.txt"}) {
    fs::copy(dir.Path("mid.txt"), dir.path() / "tree" / name);  // together too large
  }
  WriteFile(dir.Path("small.txt"), "s\r\ns\r\n");
  WriteFile(dir.Path("out.txt"), "old\r\n");

  struct Case {
    const char* name;
    Operation op;
    std::string input;
  };
  const Case cases[] = {
      {"read", Operation::kRemoveDuplicates, dir.Path("big.txt")},
      {"lines", Operation::kRemoveDuplicates, dir.Path("lines.txt")},
      {"lines", Operation::kShuffle, dir.Path("lines.txt")},
      {"read", Operation::kSplit, dir.Path("big.txt")},
      {"replace", Operation::kReplace, dir.Path("mid.txt")},
      {"merge", Operation::kMerge, dir.Path("tree")},
  };
  for (const Case& c : cases) {
    const std::string report = InChild([&] {
      if (!LimitMemory(64 << 20)) return std::string("could not limit memory");
      std::string failures;
      ScriptedHost host;
      host.input_path = c.input;
      host.save_path = dir.Path("out.txt");
      host.controls[Control::kPartCount] = "2";
      host.controls[Control::kRules] = "b|cc";
      if (RunOp(c.op, host) != kStopped) failures += "not stopped; ";
      if (host.messages != std::vector<std::string>{std::string(texts::kOutOfMemory)}) {
        failures += "messages " + testing::PrintToString(host.messages) + "; ";
      }
      if (ReadFile(dir.Path("out.txt")) != "old\r\n") failures += "old output changed; ";
      // The process goes on.
      ScriptedHost again;
      again.input_path = dir.Path("small.txt");
      again.save_path = dir.Path("small-out.txt");
      if (RunOp(Operation::kRemoveDuplicates, again) != kDone ||
          ReadFile(dir.Path("small-out.txt")) != "s\r\n") {
        failures += "the next run failed; ";
      }
      return failures;
    });
    EXPECT_EQ(report, "") << c.name;
    EXPECT_FALSE(Exists(c.input + ".bak1.txt")) << c.name;
  }
}

}  // namespace
}  // namespace mirelant::ops
