#include "mirelant/text/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <new>

#include "mirelant/text/memory.h"
#include "mirelant/text/syscalls.h"

namespace mirelant {

namespace {

constexpr std::size_t kWriteBuffer = 1 << 20;

// Reads until size bytes have arrived or the file ends early.
bool ReadFully(const SysCalls& sys, int fd, char* data, std::size_t size, std::size_t* got) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t r = sys.read(fd, data + done, size - done);
    if (r < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (r == 0) break;
    done += static_cast<std::size_t>(r);
  }
  *got = done;
  return true;
}

bool WriteFully(const SysCalls& sys, int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t w = sys.write(fd, data, size);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (w == 0) return false;  // a device that takes nothing will never take the rest
    data += w;
    size -= static_cast<std::size_t>(w);
  }
  return true;
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// A name beside path that no other writer in this process uses at once.
std::string TemporaryNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + ".mirelant-" + std::to_string(::getpid()) + "-" +
         std::to_string(counter.fetch_add(1, std::memory_order_relaxed)) + ".tmp";
}

}  // namespace

ReadResult ReadWholeFile(const std::string& path) {
  ReadResult result;
  if (path.empty()) {
    result.status = ReadStatus::kCannotRead;
    return result;
  }
  const SysCalls& sys = CurrentSysCalls();
  const int fd = sys.open(path.c_str(), O_RDONLY | O_CLOEXEC, 0);
  if (fd < 0) {
    result.status = ReadStatus::kCannotRead;
    return result;
  }
  struct stat info {};
  if (sys.fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    sys.close(fd);
    result.status = ReadStatus::kCannotRead;
    return result;
  }
  try {
    // Regular files are read in one piece of their size; anything else (a pipe,
    // a file growing meanwhile) in steps until it ends.
    std::size_t expected = S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) : 0;
    std::size_t size = 0;
    std::size_t chunk = expected > 0 ? expected + 1 : (1 << 16);
    for (;;) {
      if (result.bytes.capacity() < size + chunk) {
        result.bytes.reserve(size + chunk);
        AdviseHugePages(result.bytes.data(), result.bytes.capacity());
      }
      std::size_t got = 0;
      bool read_ok = false;
#if defined(__cpp_lib_string_resize_and_overwrite)
      // Reads straight into the string's new room, sparing a pass that would
      // zero it first.
      result.bytes.resize_and_overwrite(size + chunk, [&](char* data, std::size_t) {
        read_ok = ReadFully(sys, fd, data + size, chunk, &got);
        return size + got;
      });
#else
      result.bytes.resize(size + chunk);
      read_ok = ReadFully(sys, fd, result.bytes.data() + size, chunk, &got);
      result.bytes.resize(size + got);
#endif
      if (!read_ok) {
        sys.close(fd);
        return {ReadStatus::kCannotRead, {}};
      }
      size += got;
      if (got < chunk) break;
      chunk = size;  // it grew: double
    }
  } catch (const std::bad_alloc&) {
    sys.close(fd);
    return {ReadStatus::kOutOfMemory, {}};
  } catch (const std::length_error&) {
    sys.close(fd);
    return {ReadStatus::kOutOfMemory, {}};
  }
  sys.close(fd);
  return result;
}

ByteBlock ReadFileBytes(const std::string& path) {
  ReadResult r = ReadWholeFile(path);
  return r.status == ReadStatus::kOk ? std::move(r.bytes) : ByteBlock();
}

bool WriteFileBytes(const std::string& path, std::string_view data) {
  if (path.empty()) return false;
  AtomicFileWriter writer(path);
  return writer.Append(data) && writer.Commit();
}

AtomicFileWriter::AtomicFileWriter(std::string path) : path_(std::move(path)) {
  if (path_.empty() || path_.back() == '/') return;
  const SysCalls& sys = CurrentSysCalls();
  // An unnamed file vanishes by itself if the process ends before Commit.
  fd_ = sys.open(DirectoryOf(path_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd_ < 0) {
    // The file system cannot hold unnamed files: use a named one beside the target.
    temp_path_ = TemporaryNameFor(path_);
    fd_ = sys.open(temp_path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0) {
      temp_path_.clear();
      return;
    }
  }
  buffer_.reset(new (std::nothrow) char[kWriteBuffer]);
  ok_ = buffer_ != nullptr;
  if (!ok_) Discard();
}

AtomicFileWriter::~AtomicFileWriter() {
  if (!committed_) Discard();
}

bool AtomicFileWriter::Append(std::string_view bytes) {
  if (!ok_) return false;
  if (bytes.empty()) return true;
  if (used_ + bytes.size() <= kWriteBuffer) {
    std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
    return true;
  }
  if (!Flush()) return false;
  if (bytes.size() >= kWriteBuffer) {
    ok_ = WriteFully(CurrentSysCalls(), fd_, bytes.data(), bytes.size());
    return ok_;
  }
  std::memcpy(buffer_.get(), bytes.data(), bytes.size());
  used_ = bytes.size();
  return true;
}

bool AtomicFileWriter::AppendLine(std::string_view line) {
  if (!ok_) return false;
  if (used_ + line.size() + 2 <= kWriteBuffer) {
    char* out = buffer_.get() + used_;
    if (!line.empty()) std::memcpy(out, line.data(), line.size());
    out[line.size()] = '\r';
    out[line.size() + 1] = '\n';
    used_ += line.size() + 2;
    return true;
  }
  return Append(line) && Append("\r\n");
}

bool AtomicFileWriter::Flush() {
  if (!ok_) return false;
  if (used_ > 0) {
    ok_ = WriteFully(CurrentSysCalls(), fd_, buffer_.get(), used_);
    used_ = 0;
  }
  return ok_;
}

bool AtomicFileWriter::Commit() {
  if (!ok_ || committed_) return false;
  const SysCalls& sys = CurrentSysCalls();
  if (!Flush()) {
    Discard();
    return false;
  }
  if (temp_path_.empty()) {
    // Give the unnamed file a name beside the target, then move it over.
    const std::string proc = "/proc/self/fd/" + std::to_string(fd_);
    std::string name = TemporaryNameFor(path_);
    if (sys.linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) != 0) {
      Discard();
      return false;
    }
    temp_path_ = std::move(name);
  }
  // A file that is replaced keeps its permissions: a private file must not
  // become readable by others because its content was written anew.
  struct stat target {};
  if (::stat(path_.c_str(), &target) == 0 && S_ISREG(target.st_mode)) {
    ::fchmod(fd_, target.st_mode & 07777);
  }
  const int fd = fd_;
  fd_ = -1;
  if (sys.close(fd) != 0) {
    Discard();
    return false;
  }
  if (sys.rename(temp_path_.c_str(), path_.c_str()) != 0) {
    Discard();
    return false;
  }
  temp_path_.clear();
  committed_ = true;
  buffer_.reset();
  return true;
}

void AtomicFileWriter::Discard() {
  const SysCalls& sys = CurrentSysCalls();
  if (fd_ >= 0) sys.close(fd_);
  fd_ = -1;
  if (!temp_path_.empty()) sys.unlink(temp_path_.c_str());
  temp_path_.clear();
  ok_ = false;
  buffer_.reset();
}

}  // namespace mirelant
