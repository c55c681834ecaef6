// Merge files: breadth-first order in a nested tree, which entries count as
// files, links, and roots that are not folders.
#include "mirelant/ops/merge.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "mirelant/ops/settings.h"
#include "scripted_host.h"
#include "temp_dir.h"

namespace mirelant::ops {
namespace {

namespace fs = std::filesystem;
using test::Exists;
using test::ReadFile;
using test::ScriptedHost;
using test::TempDir;
using test::WriteFile;

RunOutcome RunMerge(ScriptedHost& host) {
  std::vector<Worker> workers = PrepareMerge(host);
  EXPECT_EQ(workers.size(), 1u);
  return workers.empty() ? RunOutcome::kStopped : workers[0]();
}

// The texts of the named entries of folder, in the order the file system lists
// them (the order a merge must follow within one folder).
std::string InListingOrder(const fs::path& folder,
                           const std::map<std::string, std::string>& texts) {
  std::string out;
  for (const auto& entry : fs::directory_iterator(folder)) {
    auto it = texts.find(entry.path().filename().string());
    if (it != texts.end()) out += it->second;
  }
  return out;
}

// T/z.txt, hidden and extensionless files, a file with a NUL; S1 and S2 one
// level down, U and V two levels down; a link from S1 back to T, a link to a
// file and a broken link in S2.
class MergeTreeTest : public testing::Test {
 protected:
  void SetUp() override {
    WriteFile(Path("z.txt"), "z\r\n");
    WriteFile(Path(".hidden"), "h");
    WriteFile(Path("readme"), "r");
    WriteFile(Path("nul.bin"), std::string("n\0junk", 6));
    WriteFile(Path("S1/x.txt"), "x");
    WriteFile(Path("S1/U/c.txt"), "c");
    WriteFile(Path("S2/y.txt"), "y");
    WriteFile(Path("S2/V/d.txt"), "d");
    fs::create_directory_symlink(root_, root_ / "S1" / "loop");
    fs::create_symlink(root_ / "z.txt", root_ / "S2" / "zlink");
    fs::create_symlink(root_ / "missing", root_ / "S2" / "broken");
  }

  std::string Path(const std::string& name) const { return (root_ / name).string(); }

  // Breadth first: T's files, then S1's and S2's in listing order, then U's
  // and V's in the same order as their parents.
  std::string Expected() const {
    const std::string level0 = InListingOrder(
        root_, {{"z.txt", "z\r\n"}, {".hidden", "h"}, {"readme", "r"}, {"nul.bin", "n"}});
    const std::string s1 = InListingOrder(root_ / "S1", {{"x.txt", "x"}});
    const std::string s2 = InListingOrder(root_ / "S2", {{"y.txt", "y"}, {"zlink", "z\r\n"}});
    const bool s1_first = InListingOrder(root_, {{"S1", "1"}, {"S2", "2"}}) == "12";
    return level0 + (s1_first ? s1 + s2 + "cd" : s2 + s1 + "dc");
  }

  TempDir dir_;
  fs::path root_ = dir_.path() / "T";
};

TEST_F(MergeTreeTest, BreadthFirstInListingOrder) {
  // With and without a trailing slash; the second output lies inside the tree
  // and is written only after the visit, so it is not merged into itself.
  const std::string expected = Expected();
  struct Case {
    std::string root, output;
  };
  const Case cases[] = {{root_.string(), dir_.Path("out.txt")},
                        {root_.string() + "/", Path("out.txt")}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.root);
    ScriptedHost host;
    host.input_path = c.root;
    host.save_path = c.output;
    EXPECT_EQ(RunMerge(host), RunOutcome::kDone);
    EXPECT_EQ(ReadFile(c.output), expected);
    EXPECT_EQ(host.status.rfind(texts::kProcessedIn, 0), 0u) << host.status;
    EXPECT_TRUE(host.messages.empty());
  }
  // Sources stay.
  for (const char* name : {"z.txt", ".hidden", "S1/x.txt", "S1/U/c.txt", "S2/V/d.txt"}) {
    EXPECT_TRUE(Exists(Path(name))) << name;
  }
}

TEST(MergeTest, RootThatIsNoFolderWritesNothing) {
  TempDir dir;
  WriteFile(dir.Path("file.txt"), "a\r\n");
  for (const std::string& root : {dir.Path("file.txt"), dir.Path("missing")}) {
    ScriptedHost host;
    host.input_path = root;
    host.save_path = dir.Path("out.txt");
    EXPECT_EQ(RunMerge(host), RunOutcome::kStopped);
    EXPECT_EQ(host.messages,
              std::vector<std::string>{std::string(texts::kCannotReadFolder) + root});
    EXPECT_FALSE(Exists(dir.Path("out.txt")));
    EXPECT_EQ(host.status, "(initial)");
  }
}

TEST(MergeTest, TreeOfEmptyFoldersGivesEmptyOutput) {
  TempDir dir;
  fs::create_directories(dir.path() / "T" / "A" / "B");
  ScriptedHost host;
  host.input_path = dir.Path("T");
  host.save_path = dir.Path("out.txt");
  EXPECT_EQ(RunMerge(host), RunOutcome::kDone);
  EXPECT_TRUE(Exists(dir.Path("out.txt")));
  EXPECT_EQ(ReadFile(dir.Path("out.txt")), "");
}

}  // namespace
}  // namespace mirelant::ops
