#pragma once
// The host of a command-line run: the controls hold what the command line gave,
// the save dialog answers with -o at once, messages go to stderr as they come
// and the status is kept for the end of the run. Safe to call from workers.

#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "mirelant/ops/host.h"
#include "request.h"

namespace mirelant::cli {

class ConsoleHost : public ops::Host {
 public:
  // request must outlive the host.
  explicit ConsoleHost(const Request& request) : request_(request) {}

  std::string InputPath() override { return request_.input_path; }
  std::optional<Text> ControlText(ops::Control control) override;
  // The texts never change during a run.
  std::uint64_t ControlVersion(ops::Control) override { return 1; }
  bool IsChecked(ops::ModeBox box) override { return request_.mode == box; }
  // The -o path; nothing (a cancelled dialog) when the command has no -o.
  std::optional<std::string> AskSavePath() override { return request_.output_path; }
  void ShowMessage(std::string_view message) override;
  void SetStatus(std::string_view status) override;

  std::string LastStatus();
  std::size_t MessageCount();

 private:
  const Request& request_;
  std::mutex mutex_;
  std::string status_;
  std::size_t messages_ = 0;
};

}  // namespace mirelant::cli
