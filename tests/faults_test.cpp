// What every operation does when the file system fails under it: a disk that
// fills up, writes that take nothing or a little at a time, a failed close,
// rename or link, outputs and inputs that cannot be opened, reads that fail
// midway. Faults are put in through the system-call seam, and then for real: a
// file-size limit, a full small file system, folders that cannot be listed.
//
// Whatever fails, the run shows the one right message, an existing output file
// keeps its old bytes, no temporary file stays in the folder, and the next run
// in the same process works.
#include <fcntl.h>
#include <linux/capability.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "in_child.h"
#include "mirelant/ops/runner.h"
#include "mirelant/ops/settings.h"
#include "mirelant/text/random.h"
#include "mirelant/text/syscalls.h"
#include "scripted_host.h"
#include "temp_dir.h"

namespace mirelant::ops {
namespace {

namespace fs = std::filesystem;
using test::InChild;
using test::ReadFile;
using test::ScriptedHost;
using test::TempDir;
using test::WriteFile;

// ---------------------------------------------------------------------------
// The faults the seam can put in. The tests here run on one thread, so plain
// globals serve.

struct Faults {
  long write_budget = -1;  // bytes the disk still takes (-1: no limit)
  bool writes_take_nothing = false;
  bool short_writes = false;       // every write takes at most 3 bytes
  bool interrupted_calls = false;  // every other read and write fails with EINTR
  bool no_unnamed_files = false;   // the file system has no O_TMPFILE
  bool output_open_fails = false;
  bool input_open_fails = false;
  bool read_fails_midway = false;  // the first read gives 3 bytes, the next EIO
  bool close_fails = false;        // the descriptor is closed, but EIO is reported
  bool rename_fails = false;
  bool link_fails = false;
  int calls = 0;
};

Faults g_faults;

const SysCalls& Real() { return PlatformSysCalls(); }

bool Interrupt() { return g_faults.interrupted_calls && g_faults.calls++ % 2 == 0; }

int FaultyOpen(const char* path, int flags, mode_t mode) {
  const bool writing = (flags & O_ACCMODE) != O_RDONLY;
  if ((flags & O_TMPFILE) == O_TMPFILE && g_faults.no_unnamed_files) return errno = EOPNOTSUPP, -1;
  if (writing && g_faults.output_open_fails) return errno = EACCES, -1;
  if (!writing && g_faults.input_open_fails) return errno = EACCES, -1;
  return Real().open(path, flags, mode);
}

ssize_t FaultyRead(int fd, void* buffer, std::size_t size) {
  if (Interrupt()) return errno = EINTR, -1;
  if (g_faults.read_fails_midway) {
    if (g_faults.calls++ > 0) return errno = EIO, -1;
    size = std::min<std::size_t>(size, 3);
  }
  return Real().read(fd, buffer, size);
}

ssize_t FaultyWrite(int fd, const void* buffer, std::size_t size) {
  if (Interrupt()) return errno = EINTR, -1;
  if (g_faults.writes_take_nothing) return 0;
  if (g_faults.short_writes) size = std::min<std::size_t>(size, 3);
  if (g_faults.write_budget >= 0) {
    if (g_faults.write_budget == 0) return errno = ENOSPC, -1;
    size = std::min<std::size_t>(size, static_cast<std::size_t>(g_faults.write_budget));
  }
  const ssize_t written = Real().write(fd, buffer, size);
  if (written > 0 && g_faults.write_budget >= 0) g_faults.write_budget -= written;
  return written;
}

int FaultyClose(int fd) {
  const int result = Real().close(fd);
  if (g_faults.close_fails) return errno = EIO, -1;
  return result;
}

int FaultyRename(const char* from, const char* to) {
  if (g_faults.rename_fails) return errno = EACCES, -1;
  return Real().rename(from, to);
}

int FaultyLinkat(int olddirfd, const char* oldpath, int newdirfd, const char* newpath, int flags) {
  if (g_faults.link_fails) return errno = EMLINK, -1;
  return Real().linkat(olddirfd, oldpath, newdirfd, newpath, flags);
}

int PassStat(int fd, struct stat* info) { return Real().fstat(fd, info); }
int PassUnlink(const char* path) { return Real().unlink(path); }

const SysCalls kFaulty{FaultyOpen, FaultyRead,   FaultyWrite, FaultyClose,
                       PassStat,   FaultyRename, PassUnlink,  FaultyLinkat};

// ---------------------------------------------------------------------------
// The operations, each set up in a folder of its own with an old output that a
// failed run must leave as it was.

constexpr char kOld[] = "old output\r\n";

struct OpSetup {
  const char* name;
  Operation op;
  bool reads_input;                  // faults of the input file apply
  std::vector<std::string> outputs;  // file names in the folder
  std::function<void(ScriptedHost&, const TempDir&)> prepare;
};

void PrepareLines(ScriptedHost& host, const TempDir& dir) {
  WriteFile(dir.Path("in.txt"), "k=1\r\nj=2\r\nk=1\r\nm=3");
  host.input_path = dir.Path("in.txt");
}

const std::vector<OpSetup>& Operations() {
  static const std::vector<OpSetup> ops = {
      {"dedup", Operation::kRemoveDuplicates, true, {"out.txt"}, PrepareLines},
      {"shuffle", Operation::kShuffle, true, {"out.txt"}, PrepareLines},
      {"extract",
       Operation::kExtract,
       true,
       {"out.txt"},
       [](ScriptedHost& host, const TempDir& dir) {
         PrepareLines(host, dir);
         host.checked[ModeBox::kLeft] = true;
         host.controls[Control::kMark3] = "=";
       }},
      {"replace",
       Operation::kReplace,
       true,
       {"out.txt"},
       [](ScriptedHost& host, const TempDir& dir) {
         PrepareLines(host, dir);
         host.controls[Control::kRules] = "k|K";
       }},
      {"split",
       Operation::kSplit,
       true,
       {"in.txt.bak1.txt", "in.txt.bak2.txt"},
       [](ScriptedHost& host, const TempDir& dir) {
         PrepareLines(host, dir);
         host.controls[Control::kPartCount] = "2";
       }},
      {"generate",
       Operation::kGenerate,
       false,
       {"out.txt"},
       [](ScriptedHost& host, const TempDir&) {
         host.controls[Control::kRule] = "n%%#";
         host.controls[Control::kCount] = "4";
       }},
      {"merge",
       Operation::kMerge,
       false,
       {"out.txt"},
       [](ScriptedHost& host, const TempDir& dir) {
         WriteFile(dir.Path("tree/a.txt"), "a\r\n");
         WriteFile(dir.Path("tree/sub/b.txt"), "b\r\n");
         host.input_path = dir.Path("tree");
       }},
  };
  return ops;
}

// One operation's folder: the host, the old outputs, and what is in the folder.
struct Scene {
  explicit Scene(const OpSetup& op) : setup(op) {
    setup.prepare(host, dir);
    host.save_path = dir.Path("out.txt");
    for (const std::string& name : setup.outputs) WriteFile(dir.Path(name), kOld);
    entries = Entries();
  }

  // Runs the click side and every worker on this thread, with fixed random seeds.
  std::vector<RunOutcome> Run() {
    SetFixedTick(4242);
    SetSeedOffset(0);
    std::vector<RunOutcome> outcomes;
    for (Worker& worker : PrepareOperation(setup.op, host)) outcomes.push_back(worker());
    SetTickSource(nullptr);
    return outcomes;
  }

  std::set<std::string> Entries() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  std::vector<std::string> Outputs() const {
    std::vector<std::string> texts;
    for (const std::string& name : setup.outputs) texts.push_back(ReadFile(dir.Path(name)));
    return texts;
  }

  const OpSetup& setup;
  TempDir dir;
  ScriptedHost host;
  std::set<std::string> entries;
};

// What each operation writes when nothing fails.
std::vector<std::string> CleanOutputs(const OpSetup& setup) {
  Scene scene(setup);
  EXPECT_EQ(scene.Run(), std::vector<RunOutcome>{RunOutcome::kDone}) << setup.name;
  return scene.Outputs();
}

TEST(FaultsTest, CleanOutputsAreRight) {
  // The anchor for the table below: these are the outputs its runs compare with.
  const std::vector<OpSetup>& ops = Operations();
  EXPECT_EQ(CleanOutputs(ops[0]), std::vector<std::string>{"k=1\r\nj=2\r\nm=3\r\n"});
  EXPECT_EQ(CleanOutputs(ops[2]), std::vector<std::string>{"k\r\nj\r\nk\r\nm\r\n"});
  EXPECT_EQ(CleanOutputs(ops[3]), std::vector<std::string>{"K=1\r\nj=2\r\nK=1\r\nm=3"});
  EXPECT_EQ(CleanOutputs(ops[4]), (std::vector<std::string>{"k=1\r\nj=2\r\n", "k=1\r\nm=3\r\n"}));
  EXPECT_EQ(CleanOutputs(ops[6]), std::vector<std::string>{"a\r\nb\r\n"});
}

TEST(FaultsTest, EveryOperationUnderEveryFault) {
  enum class Expect { kDone, kCannotWrite, kCannotRead };
  struct Case {
    const char* name;
    Faults faults;
    Expect expect;
  };
  const auto with = [](auto set) {
    Faults f;
    set(f);
    return f;
  };
  const Case cases[] = {
      {"disk fills up mid-write", with([](Faults& f) { f.write_budget = 5; }),
       Expect::kCannotWrite},
      {"writes take nothing", with([](Faults& f) { f.writes_take_nothing = true; }),
       Expect::kCannotWrite},
      {"close fails", with([](Faults& f) { f.close_fails = true; }), Expect::kCannotWrite},
      {"rename fails", with([](Faults& f) { f.rename_fails = true; }), Expect::kCannotWrite},
      {"naming the unnamed file fails", with([](Faults& f) { f.link_fails = true; }),
       Expect::kCannotWrite},
      {"rename of a named temporary file fails", with([](Faults& f) {
         f.no_unnamed_files = true;
         f.rename_fails = true;
       }),
       Expect::kCannotWrite},
      {"output cannot be created", with([](Faults& f) { f.output_open_fails = true; }),
       Expect::kCannotWrite},
      {"input cannot be opened", with([](Faults& f) { f.input_open_fails = true; }),
       Expect::kCannotRead},
      {"input read fails midway", with([](Faults& f) { f.read_fails_midway = true; }),
       Expect::kCannotRead},
      // Faults a careful writer rides out: the output is whole and right.
      {"short writes", with([](Faults& f) { f.short_writes = true; }), Expect::kDone},
      {"interrupted reads and writes", with([](Faults& f) { f.interrupted_calls = true; }),
       Expect::kDone},
      {"no unnamed temporary files", with([](Faults& f) { f.no_unnamed_files = true; }),
       Expect::kDone},
  };
  for (const OpSetup& setup : Operations()) {
    const std::vector<std::string> clean = CleanOutputs(setup);
    for (const Case& c : cases) {
      if (c.expect == Expect::kCannotRead && !setup.reads_input) continue;
      const std::string what = std::string(setup.name) + ", " + c.name;
      Scene scene(setup);
      std::vector<RunOutcome> outcomes;
      {
        g_faults = c.faults;
        ScopedSysCalls seam(kFaulty);
        outcomes = scene.Run();
      }
      g_faults = Faults();
      if (c.expect == Expect::kDone) {
        EXPECT_EQ(outcomes, std::vector<RunOutcome>{RunOutcome::kDone}) << what;
        EXPECT_EQ(scene.Outputs(), clean) << what;
        EXPECT_TRUE(scene.host.messages.empty()) << what;
      } else {
        EXPECT_EQ(outcomes, std::vector<RunOutcome>{RunOutcome::kStopped}) << what;
        const std::string path = c.expect == Expect::kCannotRead
                                     ? scene.host.input_path
                                     : scene.dir.Path(setup.outputs.front());
        const std::string_view message =
            c.expect == Expect::kCannotRead ? texts::kCannotRead : texts::kCannotWrite;
        EXPECT_EQ(scene.host.messages, std::vector<std::string>{std::string(message) + path})
            << what;
        EXPECT_EQ(scene.Outputs(), std::vector<std::string>(setup.outputs.size(), kOld)) << what;
        EXPECT_FALSE(scene.host.status.ends_with(texts::kSeconds)) << what << ": no closing status";
      }
      EXPECT_EQ(scene.Entries(), scene.entries) << what << ": no file added or removed";

      // The process goes on: the same run again, without the fault.
      scene.host.messages.clear();
      EXPECT_EQ(scene.Run(), std::vector<RunOutcome>{RunOutcome::kDone}) << what;
      EXPECT_EQ(scene.Outputs(), clean) << what;
    }
  }
}

TEST(FaultsTest, DiskFullAfterTheFirstMegabytes) {
  // The write buffer has gone out whole more than once before the disk fills.
  OpSetup setup{
      "generate", Operation::kGenerate, false, {"out.txt"}, [](ScriptedHost& host, const TempDir&) {
        host.controls[Control::kRule] = "%%%%%%%%";
        host.controls[Control::kCount] = "400000";  // 4 MB
      }};
  Scene scene(setup);
  g_faults = Faults();
  g_faults.write_budget = 3 << 20;
  {
    ScopedSysCalls seam(kFaulty);
    EXPECT_EQ(scene.Run(), std::vector<RunOutcome>{RunOutcome::kStopped});
  }
  EXPECT_EQ(g_faults.write_budget, 0) << "the writer went on until the disk was full";
  g_faults = Faults();
  EXPECT_EQ(scene.host.messages,
            std::vector<std::string>{std::string(texts::kCannotWrite) + scene.dir.Path("out.txt")});
  EXPECT_EQ(ReadFile(scene.dir.Path("out.txt")), kOld);
  EXPECT_EQ(scene.Entries(), scene.entries);
}

TEST(FaultsTest, ReplacedOutputKeepsItsPermissions) {
  // The new content arrives as a new file moved over the old one; a private
  // file must stay private, a read-only one read-only.
  for (const fs::perms mode : {fs::perms::owner_read | fs::perms::owner_write,
                               fs::perms::owner_read | fs::perms::group_read}) {
    TempDir dir;
    WriteFile(dir.Path("in.txt"), "a\r\na\r\n");
    WriteFile(dir.Path("out.txt"), kOld);
    fs::permissions(dir.Path("out.txt"), mode);
    ScriptedHost host;
    host.input_path = dir.Path("in.txt");
    host.save_path = dir.Path("out.txt");
    for (Worker& worker : PrepareOperation(Operation::kRemoveDuplicates, host)) {
      EXPECT_EQ(worker(), RunOutcome::kDone);
    }
    EXPECT_EQ(ReadFile(dir.Path("out.txt")), "a\r\n");
    EXPECT_EQ(fs::status(dir.Path("out.txt")).permissions(), mode);
  }
}

// ---------------------------------------------------------------------------
// Real failures, without the seam.

// Checks, in a child, that dedup of input into out stops with the write
// message, leaves out as it was and adds no file to its folder, and that a
// small run afterwards works.
std::string ExpectWriteFailure(const std::string& input, const std::string& out,
                               const std::string& small_input) {
  std::string failures;
  const auto expect = [&](bool ok, const std::string& what) {
    if (!ok) failures += what + "; ";
  };
  const fs::path folder = fs::path(out).parent_path();
  const auto count = [&] { return std::distance(fs::directory_iterator(folder), {}); };
  const auto entries = count();
  const std::string old = ReadFile(out);
  ScriptedHost host;
  host.input_path = input;
  host.save_path = out;
  std::vector<Worker> workers = PrepareOperation(Operation::kRemoveDuplicates, host);
  expect(workers.size() == 1 && workers[0]() == RunOutcome::kStopped, "the run was not stopped");
  expect(host.messages == std::vector<std::string>{std::string(texts::kCannotWrite) + out},
         "wrong messages: " + testing::PrintToString(host.messages));
  expect(ReadFile(out) == old, "the old output changed");
  expect(count() == entries, "a file was left in the folder");

  ScriptedHost again;
  again.input_path = small_input;
  again.save_path = out;
  workers = PrepareOperation(Operation::kRemoveDuplicates, again);
  expect(workers.size() == 1 && workers[0]() == RunOutcome::kDone, "the next run failed");
  expect(ReadFile(out) == "small\r\n", "the next run wrote the wrong output");
  return failures;
}

std::string DistinctLines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "line number " + std::to_string(i) + "\r\n";
  return text;
}

TEST(FaultsTest, FileSizeLimitStopsTheWriteMidway) {
  TempDir dir;
  WriteFile(dir.Path("in.txt"), DistinctLines(20000));  // about 400 KB
  WriteFile(dir.Path("small.txt"), "small");
  WriteFile(dir.Path("out.txt"), kOld);
  const std::string report = InChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);  // the write then fails with EFBIG instead
    const rlimit limit{64 << 10, 64 << 10};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return std::string("setrlimit failed");
    return ExpectWriteFailure(dir.Path("in.txt"), dir.Path("out.txt"), dir.Path("small.txt"));
  });
  EXPECT_EQ(report, "");
}

TEST(FaultsTest, SmallFileSystemFillsUp) {
  TempDir dir;
  WriteFile(dir.Path("in.txt"), DistinctLines(20000));
  WriteFile(dir.Path("small.txt"), "small");
  fs::create_directory(dir.Path("mnt"));
  const std::string report = InChild([&] {
    // A file system of its own in a mount namespace of its own: it goes away
    // with the child.
    if (unshare(CLONE_NEWNS) != 0) return std::string("skip: no mount namespace");
    if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
      return std::string("skip: mounts cannot be made private");
    }
    if (mount("tmpfs", dir.Path("mnt").c_str(), "tmpfs", 0, "size=128k") != 0) {
      return std::string("skip: no tmpfs mount allowed");
    }
    WriteFile(dir.Path("mnt/out.txt"), kOld);
    return ExpectWriteFailure(dir.Path("in.txt"), dir.Path("mnt/out.txt"), dir.Path("small.txt"));
  });
  if (report.starts_with("skip: ")) GTEST_SKIP() << report;
  EXPECT_EQ(report, "");
}

// Runs body on a thread that has given up the powers to read and search any
// folder regardless of its permissions (root has them), so that a folder of
// mode 000 cannot be listed, whoever runs the test. False when the thread
// could not give them up.
bool WithoutPermissionOverride(const std::function<void()>& body) {
  bool dropped = false;
  std::thread([&] {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0) return;
    for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
      data[cap / 32].effective &= ~(1u << (cap % 32));
    }
    // Capabilities belong to the thread: the rest of the process keeps them.
    if (syscall(SYS_capset, &header, data) != 0) return;
    dropped = true;
    body();
  }).join();
  return dropped;
}

TEST(FaultsTest, MergePassesOverWhatCannotBeListedOrRead) {
  TempDir dir;
  WriteFile(dir.Path("tree/a.txt"), "1\r\n");
  WriteFile(dir.Path("tree/locked/c.txt"), "locked\r\n");
  WriteFile(dir.Path("tree/open/b.txt"), "2\r\n");
  WriteFile(dir.Path("tree/open/deeper/d.txt"), "3\r\n");
  WriteFile(dir.Path("tree/secret.txt"), "secret\r\n");
  fs::permissions(dir.Path("tree/locked"), fs::perms::none);
  fs::permissions(dir.Path("tree/secret.txt"), fs::perms::none);
  ScriptedHost host;
  host.input_path = dir.Path("tree");
  host.save_path = dir.Path("out.txt");
  std::vector<RunOutcome> outcomes;
  const bool dropped = WithoutPermissionOverride([&] {
    for (Worker& worker : PrepareOperation(Operation::kMerge, host)) outcomes.push_back(worker());
  });
  fs::permissions(dir.Path("tree/locked"), fs::perms::owner_all);
  if (!dropped) GTEST_SKIP() << "this thread could not give up its file-permission override";
  EXPECT_EQ(outcomes, std::vector<RunOutcome>{RunOutcome::kDone});
  EXPECT_EQ(ReadFile(dir.Path("out.txt")), "1\r\n2\r\n3\r\n");
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(ReadFile(dir.Path("tree/locked/c.txt")), "locked\r\n") << "nothing removed";
}

}  // namespace
}  // namespace mirelant::ops
