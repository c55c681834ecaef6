// Whole-file reading and atomic writing, and the GBK converter at the boundary.
#include <gtest/gtest.h>

#include <filesystem>

#include "mirelant/text/files.h"
#include "mirelant/text/gbk.h"
#include "temp_dir.h"

namespace mirelant {
namespace {

using test::TempDir;

std::size_t EntriesIn(const std::filesystem::path& dir) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

TEST(ReadWholeFileTest, TellsEmptyFromUnreadable) {
  TempDir dir;
  test::WriteFile(dir.Path("empty"), "");
  test::WriteFile(dir.Path("nul"), std::string("x\0y", 3));
  EXPECT_EQ(ReadWholeFile(dir.Path("empty")).status, ReadStatus::kOk);
  EXPECT_EQ(ReadWholeFile(dir.Path("missing")).status, ReadStatus::kCannotRead);
  EXPECT_EQ(ReadWholeFile(dir.path().string()).status, ReadStatus::kCannotRead);
  EXPECT_EQ(ReadWholeFile("").status, ReadStatus::kCannotRead);
  EXPECT_EQ(ReadFileBytes(dir.Path("nul")), std::string("x\0y", 3));
  EXPECT_EQ(BytesToText(ReadFileBytes(dir.Path("nul"))), "x");
  EXPECT_EQ(ReadFileBytes(dir.Path("missing")), "");
}

TEST(WriteFileBytesTest, CreatesReplacesAndRefuses) {
  TempDir dir;
  EXPECT_FALSE(WriteFileBytes("", "x"));
  EXPECT_TRUE(WriteFileBytes(dir.Path("a"), ""));
  EXPECT_TRUE(test::Exists(dir.Path("a")));
  EXPECT_EQ(test::ReadFile(dir.Path("a")), "");
  EXPECT_TRUE(WriteFileBytes(dir.Path("a"), "long old text"));
  EXPECT_TRUE(WriteFileBytes(dir.Path("a"), "new"));
  EXPECT_EQ(test::ReadFile(dir.Path("a")), "new");
  EXPECT_FALSE(WriteFileBytes(dir.Path("no/such/folder/a"), "x"));
  EXPECT_FALSE(WriteFileBytes(dir.path().string(), "x")) << "a folder is not a file";
  EXPECT_EQ(EntriesIn(dir.path()), 1u) << "no temporary file is left behind";
}

TEST(AtomicFileWriterTest, NothingVisibleUntilCommit) {
  TempDir dir;
  const std::string target = dir.Path("out.txt");
  test::WriteFile(target, "old");
  {
    AtomicFileWriter writer(target);
    ASSERT_TRUE(writer.ok());
    const std::string big(3 << 20, 'z');  // larger than the write buffer
    EXPECT_TRUE(writer.Append(big));
    EXPECT_TRUE(writer.AppendLine("tail"));
    EXPECT_EQ(test::ReadFile(target), "old");
  }  // destroyed without Commit
  EXPECT_EQ(test::ReadFile(target), "old");
  EXPECT_EQ(EntriesIn(dir.path()), 1u);

  AtomicFileWriter writer(target);
  EXPECT_TRUE(writer.AppendLine("a"));
  EXPECT_TRUE(writer.Commit());
  EXPECT_EQ(test::ReadFile(target), "a\r\n");
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

TEST(GbkTest, ConvertsTypedTextAndRefusesWhatGbkCannotHold) {
  EXPECT_EQ(Utf8ToGbk("中a"), std::optional<Text>("\xD6\xD0" "a"));
  EXPECT_EQ(Utf8ToGbk("％"), std::optional<Text>("\xA3\xA5"));
  EXPECT_EQ(Utf8ToGbk(""), std::optional<Text>(""));
  EXPECT_EQ(Utf8ToGbk("x\xF0\x9F\x98\x80"), std::nullopt);  // an emoji
  EXPECT_EQ(Utf8ToGbk("\xFF"), std::nullopt);                // not UTF-8
  EXPECT_EQ(GbkToUtf8("\xD6\xD0" "a"), "中a");
}

}  // namespace
}  // namespace mirelant
