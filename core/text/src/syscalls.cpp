#include "mirelant/text/syscalls.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

namespace mirelant {

namespace {

int OpenFile(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
ssize_t ReadFile(int fd, void* buffer, std::size_t size) { return ::read(fd, buffer, size); }
ssize_t WriteFile(int fd, const void* buffer, std::size_t size) { return ::write(fd, buffer, size); }
int CloseFile(int fd) { return ::close(fd); }
int StatFile(int fd, struct stat* info) { return ::fstat(fd, info); }
int RenameFile(const char* from, const char* to) { return std::rename(from, to); }
int UnlinkFile(const char* path) { return ::unlink(path); }
int LinkFile(int olddirfd, const char* oldpath, int newdirfd, const char* newpath, int flags) {
  return ::linkat(olddirfd, oldpath, newdirfd, newpath, flags);
}

const SysCalls kPlatform{OpenFile,   ReadFile,   WriteFile,  CloseFile,
                         StatFile,   RenameFile, UnlinkFile, LinkFile};

std::atomic<const SysCalls*> g_current{&kPlatform};

}  // namespace

const SysCalls& CurrentSysCalls() { return *g_current.load(std::memory_order_acquire); }
const SysCalls& PlatformSysCalls() { return kPlatform; }

ScopedSysCalls::ScopedSysCalls(const SysCalls& calls)
    : previous_(g_current.exchange(&calls, std::memory_order_acq_rel)) {}

ScopedSysCalls::~ScopedSysCalls() { g_current.store(previous_, std::memory_order_release); }

}  // namespace mirelant
