#pragma once
// The one seam between the file routines and the operating system, so that tests
// can stand in a full disk, a short write, a failed rename or close, or an input
// that cannot be opened. Production code never replaces it.

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>

namespace mirelant {

struct SysCalls {
  int (*open)(const char* path, int flags, mode_t mode);
  ssize_t (*read)(int fd, void* buffer, std::size_t size);
  ssize_t (*write)(int fd, const void* buffer, std::size_t size);
  int (*close)(int fd);
  int (*fstat)(int fd, struct stat* info);
  int (*rename)(const char* from, const char* to);
  int (*unlink)(const char* path);
  int (*linkat)(int olddirfd, const char* oldpath, int newdirfd, const char* newpath, int flags);
};

// The calls in force, for every thread.
const SysCalls& CurrentSysCalls();

// The real calls of the operating system.
const SysCalls& PlatformSysCalls();

// Replaces the calls for the whole process until the returned guard ends.
// For tests only; calls must not be replaced while a file routine runs.
class ScopedSysCalls {
 public:
  explicit ScopedSysCalls(const SysCalls& calls);
  ~ScopedSysCalls();
  ScopedSysCalls(const ScopedSysCalls&) = delete;
  ScopedSysCalls& operator=(const ScopedSysCalls&) = delete;

 private:
  const SysCalls* previous_;
};

}  // namespace mirelant
