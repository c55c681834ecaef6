#pragma once
// Runs part of a test in a child process, for what must not touch the test
// process itself: resource limits, mount namespaces, running out of memory.

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace mirelant::test {

// Runs body in a forked child and gives back the text it returned: by
// convention empty when all was well, the failures otherwise. A child that
// crashes or exits otherwise adds its status to the text, so it fails the test.
inline std::string InChild(const std::function<std::string()>& body) {
  int fds[2];
  if (pipe(fds) != 0) return "pipe failed";
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    const std::string report = body();
    const ssize_t ignored = write(fds[1], report.data(), report.size());
    (void)ignored;
    _exit(0);
  }
  close(fds[1]);
  std::string report;
  char buffer[4096];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) {
    report.append(buffer, static_cast<std::size_t>(n));
  }
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    report += " [the child ended with status " + std::to_string(status) + "]";
  }
  return report;
}

}  // namespace mirelant::test
