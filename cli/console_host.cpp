#include "console_host.h"

#include <cstdio>

namespace mirelant::cli {

std::optional<Text> ConsoleHost::ControlText(ops::Control control) {
  const auto it = request_.controls.find(control);
  return it == request_.controls.end() ? Text() : it->second;
}

void ConsoleHost::ShowMessage(std::string_view message) {
  std::lock_guard lock(mutex_);
  ++messages_;
  std::fwrite(message.data(), 1, message.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

void ConsoleHost::SetStatus(std::string_view status) {
  std::lock_guard lock(mutex_);
  status_ = std::string(status);
}

std::string ConsoleHost::LastStatus() {
  std::lock_guard lock(mutex_);
  return status_;
}

std::size_t ConsoleHost::MessageCount() {
  std::lock_guard lock(mutex_);
  return messages_;
}

}  // namespace mirelant::cli
