#pragma once
// Whole-file reading and atomic whole-file writing.
//
// Paths are file-system paths as the platform spells them (bytes, never
// converted). Files are plain byte streams: no text-mode translation.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "mirelant/text/text.h"

namespace mirelant {

enum class ReadStatus {
  kOk,           // the whole file was read (possibly empty)
  kCannotRead,   // missing, a folder, no permission, or a read error
  kOutOfMemory,  // the file does not fit in memory
};

struct ReadResult {
  ReadStatus status = ReadStatus::kOk;
  ByteBlock bytes;
};

// Reads the whole file as raw bytes and tells why it could not.
ReadResult ReadWholeFile(const std::string& path);

// Reads the whole file; any failure gives an empty block.
ByteBlock ReadFileBytes(const std::string& path);

// Writes data as the whole new content of path, atomically: the bytes go to a
// temporary file beside the target, which replaces the target only once it is
// complete. False when anything failed; the target is then left as it was and
// no temporary file remains. An empty path gives false.
bool WriteFileBytes(const std::string& path, std::string_view data);

// Streams the new content of one file and puts it in place in one step.
// Nothing is visible at the target until Commit succeeds; a writer destroyed
// without a successful Commit removes everything it wrote.
class AtomicFileWriter {
 public:
  // Opens a temporary file beside path. ok() tells whether that worked.
  explicit AtomicFileWriter(std::string path);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  bool ok() const { return ok_; }
  const std::string& path() const { return path_; }

  // Buffers and writes bytes. False (and ok() false from then on) on failure.
  bool Append(std::string_view bytes);
  // Appends line and CR LF.
  bool AppendLine(std::string_view line);

  // Writes what is buffered, closes the file and moves it over the target.
  // A regular file it replaces passes its permissions on to the new one.
  bool Commit();

 private:
  bool Flush();
  void Discard();

  std::string path_;
  std::string temp_path_;  // empty while the temporary file has no name yet
  int fd_ = -1;
  bool ok_ = false;
  bool committed_ = false;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

}  // namespace mirelant
