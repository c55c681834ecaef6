// mirelant-cli end to end: the built program is run on temporary folders and
// judged by its exit status, what it prints and the bytes it leaves behind.
// In arguments and expectations "@name" stands for the path of name in the
// run's folder. GBK bytes are written as \x escapes (中 is 0xD6 0xD0).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "temp_dir.h"

extern char** environ;

namespace mirelant::test {
namespace {

struct Result {
  int exit_code = -1;
  std::string out, err;
};

class CliTest : public testing::Test {
 protected:
  // Replaces every "@name" by the path of name in the run's folder.
  std::string At(const std::string& text) const {
    std::string s;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '@') {
        s += text[i];
        continue;
      }
      std::size_t end = text.find_first_of(" \r\n", i + 1);
      if (end == std::string::npos) end = text.size();
      s += dir_.Path(text.substr(i + 1, end - i - 1));
      i = end - 1;
    }
    return s;
  }

  void Put(const std::map<std::string, std::string>& files) const {
    for (const auto& [name, bytes] : files) WriteFile(dir_.Path(name), bytes);
  }

  Result Run(const std::vector<std::string>& args) const {
    std::vector<std::string> full = {MIRELANT_CLI_PATH};
    for (const std::string& a : args) full.push_back(At(a));
    std::vector<char*> argv;
    for (std::string& a : full) argv.push_back(a.data());
    argv.push_back(nullptr);

    const std::string out_path = io_.Path("stdout"), err_path = io_.Path("stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t pid = 0;
    Result r;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
      ADD_FAILURE() << "cannot start " << argv[0];
      return r;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) r.exit_code = WEXITSTATUS(status);
    r.out = ReadFile(out_path);
    r.err = ReadFile(err_path);
    return r;
  }

  TempDir dir_;  // the files of a run
  TempDir io_;   // captured stdout and stderr, kept out of merged trees
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "output does not end in CR LF";
  return lines;
}

constexpr const char* kDone = "文本处理完毕  共用时间：0秒\n";
constexpr const char* kEmoji = "\xF0\x9F\x98\x80";  // U+1F600, which GBK cannot hold

struct RunCase {
  const char* name;
  std::map<std::string, std::string> files;
  std::vector<std::string> args;
  int exit_code;
  std::string out;  // a fragment of stdout ("" when it must be empty)
  std::string err;  // a fragment of stderr ("" when it must be empty)
  // Files to check afterwards: their whole bytes, or nothing when they must not exist.
  std::vector<std::pair<std::string, std::optional<std::string>>> outputs;
};

class CliRunTest : public CliTest {
 protected:
  // Runs every case in an emptied folder of its own.
  void RunTable(const std::vector<RunCase>& cases) {
    for (const RunCase& c : cases) {
      SCOPED_TRACE(c.name);
      std::filesystem::remove_all(dir_.path());
      std::filesystem::create_directories(dir_.path());
      Put(c.files);
      const Result r = Run(c.args);
      EXPECT_EQ(r.exit_code, c.exit_code) << r.err;
      ExpectFragment(r.out, c.out);
      ExpectFragment(r.err, c.err);
      for (const auto& [name, bytes] : c.outputs) {
        SCOPED_TRACE(name);
        if (bytes) {
          EXPECT_EQ(ReadFile(dir_.Path(name)), *bytes);
        } else {
          EXPECT_FALSE(Exists(dir_.Path(name)));
        }
      }
    }
  }

  void ExpectFragment(const std::string& printed, const std::string& fragment) const {
    if (fragment.empty()) {
      EXPECT_EQ(printed, "");
    } else {
      EXPECT_NE(printed.find(At(fragment)), std::string::npos) << printed;
    }
  }
};

using Out = std::optional<std::string>;
const Out kAbsent = std::nullopt;

TEST_F(CliRunTest, Runs) {
  // clang-format off
  RunTable({
      {"dedup keeps first occurrences and ends every line in CR LF",
       {{"in.txt", "b\r\na\r\nb"}},
       {"dedup", "@in.txt", "-o", "@out.txt"},
       0, kDone, "",
       {{"out.txt", "b\r\na\r\n"}}},
      {"options may come before the input",
       {{"in.txt", "x\r\n"}},
       {"dedup", "-o", "@out.txt", "@in.txt"},
       0, kDone, "",
       {{"out.txt", "x\r\n"}}},
      // With the tick fixed at 0 and the offset at 0 the generator starts from
      // state 0 and picks positions 3, 1, 1, 1.
      {"shuffle --seed 0 is the known order",
       {{"in.txt", "a\r\nb\r\nc\r\nd\r\n"}},
       {"shuffle", "@in.txt", "-o", "@out.txt", "--seed", "0"},
       0, kDone, "",
       {{"out.txt", "c\r\na\r\nb\r\nd\r\n"}}},
      {"same path in and out replaces the input only once it is read",
       {{"in.txt", "x\r\ny\r\nx\r\n"}},
       {"dedup", "@in.txt", "-o", "@in.txt"},
       0, kDone, "",
       {{"in.txt", "x\r\ny\r\n"}}},
      {"missing input",
       {},
       {"dedup", "@missing.txt", "-o", "@out.txt"},
       1, "", "无法读取文件：@missing.txt\n",
       {{"out.txt", kAbsent}}},
      {"a folder as the input",
       {{"sub/x.txt", "x"}},
       {"shuffle", "@sub", "-o", "@out.txt"},
       1, "", "无法读取文件：@sub\n",
       {{"out.txt", kAbsent}}},
      {"unwritable output",
       {{"in.txt", "a\r\n"}},
       {"dedup", "@in.txt", "-o", "@no/such/out.txt"},
       1, "", "无法写入文件：@no/such/out.txt\n",
       {{"no/such/out.txt", kAbsent}}},
      {"empty input writes nothing and says so",
       {{"empty.txt", ""}},
       {"dedup", "@empty.txt", "-o", "@out.txt"},
       0, "", "输入没有任何行，未写入输出文件",
       {{"out.txt", kAbsent}}},
      {"an input that starts with NUL has no lines",
       {{"nul.txt", std::string("\0a\r\n", 4)}},
       {"shuffle", "@nul.txt", "-o", "@out.txt"},
       0, "", "输入没有任何行",
       {{"out.txt", kAbsent}}},
      {"an existing output is kept when the run stops",
       {{"out.txt", "old"}},
       {"dedup", "@missing.txt", "-o", "@out.txt"},
       1, "", "无法读取文件：",
       {{"out.txt", "old"}}},
      {"a UTF-8 mark is converted to GBK",
       {{"in.txt",
         "a\xD6\xD0"
         "b\r\nno mark\r\n\xD6\xD0\r\n"}},
       {"extract", "@in.txt", "-o", "@out.txt", "--left", "中"},
       0, kDone, "",
       {{"out.txt", "a\r\n\r\n\r\n"}}},
      {"extract between two marks",
       {{"in.txt", "key=value=more\r\nx[1]y\r\n"}},
       {"extract", "@in.txt", "-o", "@out.txt", "--between", "=", "="},
       0, kDone, "",
       {{"out.txt", "value\r\n\r\n"}}},
      {"extract right of the last mark",
       {{"in.txt", "key=value=more\r\n"}},
       {"extract", "@in.txt", "-o", "@out.txt", "--right", "="},
       0, kDone, "",
       {{"out.txt", "more\r\n"}}},
      {"an empty mark is the operation's own complaint",
       {{"in.txt", "a\r\n"}},
       {"extract", "@in.txt", "-o", "@out.txt", "--left", ""},
       1, "", "请先填写参数\n",
       {{"out.txt", kAbsent}}},
      {"a mark GBK cannot hold is refused, naming the option",
       {{"in.txt", "a\r\n"}},
       {"extract", "@in.txt", "-o", "@out.txt", "--right", std::string("x") + kEmoji},
       2, "", "参数中有无法用GBK编码表示的文字：--right",
       {{"out.txt", kAbsent}}},
      // CR LF line ends, an empty rule inside (no effect), a UTF-8 rule, and a
      // final line break that adds no rule.
      {"rules file",
       {{"in.txt", "ab\xD6\xD0\r\n"}, {"rules.txt", "a|b\r\n\r\nb|c\r\n中|x\r\n"}},
       {"replace", "@in.txt", "-o", "@out.txt", "--rules", "@rules.txt"},
       0, kDone, "",
       {{"out.txt", "ccx\r\n"}}},
      {"rules file with LF line ends and a byte order mark",
       {{"in.txt", "ab"},
        {"rules.txt",
         "\xEF\xBB\xBF"
         "b|c\na|b"}},
       {"replace", "@in.txt", "-o", "@out.txt", "--rules", "@rules.txt"},
       0, kDone, "",
       {{"out.txt", "bc"}}},
      {"rules apply in the order given",
       {{"in.txt", "ab"}},
       {"replace", "@in.txt", "-o", "@out.txt", "--rule", "a|b", "--rule", "b|c"},
       0, kDone, "",
       {{"out.txt", "cc"}}},
      {"a rules line GBK cannot hold is refused with its line number",
       {{"in.txt", "a"}, {"rules.txt", std::string("a|b\r\nx|") + kEmoji + "\r\n"}},
       {"replace", "@in.txt", "-o", "@out.txt", "--rules", "@rules.txt"},
       2, "", "--rules 文件第 2 行",
       {{"out.txt", kAbsent}}},
      {"a missing rules file",
       {{"in.txt", "a"}},
       {"replace", "@in.txt", "-o", "@out.txt", "--rules", "@none.txt"},
       1, "", "无法读取文件：@none.txt\n",
       {{"out.txt", kAbsent}}},
      // "3abc" reads as 3, as the part-count box would.
      {"split writes its parts beside the input",
       {{"in.txt", "a\r\nb\r\nc\r\nd"}},
       {"split", "@in.txt", "--parts", "3abc"},
       0, kDone, "",
       {{"in.txt.bak1.txt", "a\r\nb\r\n"},
        {"in.txt.bak2.txt", "c\r\n"},
        {"in.txt.bak3.txt", "d\r\n"},
        {"in.txt.bak4.txt", kAbsent}}},
      {"split refuses a part count below 1",
       {{"in.txt", "a\r\n"}},
       {"split", "@in.txt", "--parts", "-2"},
       1, "", "先填写分割份数\n",
       {{"in.txt.bak1.txt", kAbsent}}},
      {"merge joins the tree breadth first",
       {{"t/a.txt", "1\r\n"}, {"t/s/u/c.txt", "3"}, {"t/s/b.txt", "2\r\n"}},
       {"merge", "@t", "-o", "@out.txt"},
       0, kDone, "",
       {{"out.txt", "1\r\n2\r\n3"}}},
      {"generate copies a rule without placeholders",
       {},
       {"generate", "-o", "@out.txt", "--rule", "  ab ", "--count", "3"},
       0, "文本生成完毕  共用时间：0秒\n", "",
       {{"out.txt", "ab\r\nab\r\nab\r\n"}}},
  });
  // clang-format on
}

TEST_F(CliRunTest, UsageErrors) {
  struct UsageCase {
    std::vector<std::string> args;
    std::string err;
  };
  const std::vector<UsageCase> cases = {
      {{}, "缺少子命令"},
      {{"frobnicate", "@in.txt"}, "未知的子命令：frobnicate"},
      {{"dedup", "@in.txt"}, "缺少选项：-o"},
      {{"dedup", "-o", "@out.txt"}, "缺少输入路径"},
      {{"dedup", "@in.txt", "@in2.txt", "-o", "@out.txt"}, "多余的参数：@in2.txt"},
      {{"dedup", "@in.txt", "-o"}, "选项缺少参数：-o"},
      {{"dedup", "@in.txt", "-o", "@out.txt", "-o", "@out.txt"}, "选项重复：-o"},
      {{"dedup", "@in.txt", "-o", "@out.txt", "--seed", "1"}, "未知的选项：--seed"},
      {{"shuffle", "@in.txt", "-o", "@out.txt", "--seed", "-1"}, "--seed"},
      {{"shuffle", "@in.txt", "-o", "@out.txt", "--seed", "12x"}, "--seed"},
      {{"shuffle", "@in.txt", "-o", "@out.txt", "--seed", "4294967296"}, "--seed"},
      {{"shuffle", "@in.txt", "-o", "@out.txt", "--seed", ""}, "--seed"},
      {{"split", "@in.txt", "--parts", "2", "-o", "@out.txt"}, "未知的选项：-o"},
      {{"split", "@in.txt"}, "缺少选项：--parts"},
      {{"extract", "@in.txt", "-o", "@out.txt"}, "只能且必须选一个"},
      {{"extract", "@in.txt", "-o", "@out.txt", "--left", "a", "--right", "b"}, "只能且必须选一个"},
      {{"extract", "@in.txt", "-o", "@out.txt", "--between", "a"}, "选项缺少参数：--between"},
      {{"replace", "@in.txt", "-o", "@out.txt"}, "只能且必须选一种"},
      {{"replace", "@in.txt", "-o", "@out.txt", "--rules", "@r", "--rule", "a|b"},
       "只能且必须选一种"},
      {{"replace", "@in.txt", "-o", "@out.txt", "--rule", "a|b\r\nc|d"}, "规则中不能有换行"},
      {{"replace", "@in.txt", "-o", "@out.txt", "--rule", kEmoji}, "GBK"},
      {{"generate", "@in.txt", "-o", "@out.txt", "--rule", "x", "--count", "1"}, "多余的参数"},
      {{"generate", "-o", "@out.txt", "--rule", "x"}, "缺少选项：--count"},
      {{"generate", "-o", "@out.txt", "--rule", "x", "--rule", "y", "--count", "1"}, "选项重复"},
  };
  Put({{"in.txt", "a\r\n"}, {"in2.txt", "b\r\n"}});
  for (const UsageCase& c : cases) {
    std::string shown;
    for (const std::string& a : c.args) shown += a + " ";
    SCOPED_TRACE(shown);
    const Result r = Run(c.args);
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(At(c.err)), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("mirelant-cli --help"), std::string::npos) << r.err;
    EXPECT_FALSE(Exists(dir_.Path("out.txt")));
  }
}

TEST_F(CliTest, HelpGoesToStdout) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--help"}, {"-h"}, {"replace", "x", "--help"}}) {
    const Result r = Run(args);
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("mirelant-cli generate -o OUTPUT --rule RULE --count N"),
              std::string::npos);
  }
}

TEST_F(CliTest, SeededShuffleIsAReproduciblePermutation) {
  std::string input;
  std::vector<std::string> lines;
  for (int i = 0; i < 200; ++i) {
    lines.push_back("line " + std::to_string(i % 150));  // repeats stay repeats
    input += lines.back() + "\r\n";
  }
  Put({{"in.txt", input}});
  std::string first;
  for (const char* out : {"@a.txt", "@b.txt"}) {
    const Result r = Run({"shuffle", "@in.txt", "-o", out, "--seed", "4294967295"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::string text = ReadFile(At(out));
    if (first.empty()) first = text;
    EXPECT_EQ(text, first);
  }
  std::vector<std::string> shuffled = Lines(first);
  EXPECT_NE(shuffled, lines);
  std::sort(shuffled.begin(), shuffled.end());
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(shuffled, lines);
}

TEST_F(CliTest, SeededGenerateIsReproducibleAndFollowsTheRule) {
  std::string first;
  for (const char* out : {"@a.txt", "@b.txt"}) {
    const Result r =
        Run({"generate", "-o", out, "--rule", "135%%#*", "--count", "50", "--seed", "77"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::string text = ReadFile(At(out));
    if (first.empty()) first = text;
    EXPECT_EQ(text, first);
  }
  const std::vector<std::string> lines = Lines(first);
  ASSERT_EQ(lines.size(), 50u);
  for (const std::string& line : lines) {
    ASSERT_EQ(line.size(), 8u) << line;
    EXPECT_EQ(line.substr(0, 3), "135");
    EXPECT_TRUE(isdigit(line[3]) && isdigit(line[4])) << line;
    EXPECT_TRUE(line[5] >= 'a' && line[5] <= 'z') << line;
    for (int i : {6, 7}) {
      const auto b = static_cast<unsigned char>(line[static_cast<std::size_t>(i)]);
      EXPECT_TRUE(b >= 0xB0 && b <= 0xDA) << line;
    }
  }
}

}  // namespace
}  // namespace mirelant::test
