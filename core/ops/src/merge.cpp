#include "mirelant/ops/merge.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>
#include <deque>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "mirelant/ops/course.h"
#include "mirelant/ops/settings.h"

namespace mirelant::ops {

namespace {

// A folder path ready to have entry names appended.
std::string AsFolderPath(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

// The entries of one folder, in the order the file system lists them.
struct Listing {
  std::vector<std::string> subfolders;  // full paths
  std::vector<std::string> files;       // full paths
};

enum class EntryKind { kFolder, kFile, kSkipped };

// A link counts as a file only when it leads to a regular file: a link to a
// folder is never entered, so a link back into the tree cannot make the visit
// endless.
EntryKind KindOf(int folder_fd, const dirent& entry, const std::string& path) {
  unsigned char type = entry.d_type;
  if (type == DT_UNKNOWN) {
    struct stat info {};
    if (fstatat(folder_fd, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
      return EntryKind::kSkipped;
    if (S_ISDIR(info.st_mode)) type = DT_DIR;
    if (S_ISREG(info.st_mode)) type = DT_REG;
    if (S_ISLNK(info.st_mode)) type = DT_LNK;
  }
  if (type == DT_DIR) return EntryKind::kFolder;
  if (type == DT_REG) return EntryKind::kFile;
  if (type == DT_LNK) {
    struct stat target {};
    if (stat(path.c_str(), &target) == 0 && S_ISREG(target.st_mode)) return EntryKind::kFile;
  }
  return EntryKind::kSkipped;
}

// Nothing when the folder cannot be listed (missing, not a folder, no access).
std::optional<Listing> ListFolder(const std::string& folder) {
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), &closedir);
  if (!dir) return std::nullopt;
  Listing listing;
  while (const dirent* entry = readdir(dir.get())) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    std::string path = folder + entry->d_name;
    switch (KindOf(dirfd(dir.get()), *entry, path)) {
      case EntryKind::kFolder:
        listing.subfolders.push_back(AsFolderPath(std::move(path)));
        break;
      case EntryKind::kFile:
        listing.files.push_back(std::move(path));
        break;
      case EntryKind::kSkipped:
        break;
    }
  }
  return listing;
}

// Appends the file's text (its bytes before the first NUL); a file that cannot
// be read adds nothing.
void AppendFileText(const std::string& path, Text& result) {
  ReadResult read = ReadWholeFile(path);
  if (read.status == ReadStatus::kOutOfMemory) throw std::bad_alloc();
  if (read.status != ReadStatus::kOk) return;
  Text text = BytesToText(std::move(read.bytes));
  if (result.empty()) {
    result = std::move(text);
  } else {
    result += text;
  }
}

RunOutcome MergeFiles(Host& host, const std::string& output_path) {
  const std::int64_t start = MonotonicMilliseconds();
  const std::string root = host.InputPath();
  std::optional<Listing> listing = ListFolder(AsFolderPath(root));
  if (!listing) {
    ShowMessage(host, texts::kCannotReadFolder, root);
    return RunOutcome::kStopped;
  }
  host.SetStatus(texts::kReading);
  Text result;
  std::deque<std::string> pending;
  for (;;) {
    if (listing) {
      // Subfolders are queued before the folder's files are read.
      for (std::string& folder : listing->subfolders) pending.push_back(std::move(folder));
      for (const std::string& file : listing->files) AppendFileText(file, result);
    }
    if (pending.empty()) break;
    listing = ListFolder(pending.front());
    pending.pop_front();
  }
  OutputFile out(host, output_path);
  if (!out.ok() || !out.Append(result) || !out.Commit()) return RunOutcome::kStopped;
  host.SetStatus(ClosingStatus(texts::kProcessedIn, start));
  return RunOutcome::kDone;
}

}  // namespace

std::vector<Worker> PrepareMerge(Host& host) {
  if (!CheckInputPath(host)) return {};
  return {[&host] {
    const std::optional<std::string> output_path = host.AskSavePath();
    if (!output_path) return RunOutcome::kCancelled;
    return GuardMemory(host, [&] { return MergeFiles(host, *output_path); });
  }};
}

}  // namespace mirelant::ops
