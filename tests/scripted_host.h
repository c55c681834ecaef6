#pragma once
// A Host whose controls, dialog answers and messages a test scripts and reads back.

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "mirelant/ops/host.h"

namespace mirelant::test {

class ScriptedHost : public ops::Host {
 public:
  std::string input_path;
  std::map<ops::Control, std::string> controls;  // GBK texts
  std::map<ops::ModeBox, bool> checked;
  std::optional<std::string> save_path;  // nothing: the dialog is cancelled
  std::string status = "(initial)";
  std::vector<std::string> messages;
  int dialogs = 0;
  // Called each time a worker asks for a control's version, before the answer:
  // lets a test edit controls in the middle of a run.
  std::function<void(ScriptedHost&, ops::Control)> on_version;

  std::string InputPath() override { return input_path; }
  std::optional<Text> ControlText(ops::Control c) override {
    std::lock_guard lock(mutex_);
    auto it = controls.find(c);
    return it == controls.end() ? Text() : it->second;
  }
  std::uint64_t ControlVersion(ops::Control c) override {
    if (on_version) on_version(*this, c);
    std::lock_guard lock(mutex_);
    return version_;
  }
  bool IsChecked(ops::ModeBox box) override { return checked[box]; }
  std::optional<std::string> AskSavePath() override {
    std::lock_guard lock(mutex_);
    ++dialogs;
    return save_path;
  }
  void ShowMessage(std::string_view message) override {
    std::lock_guard lock(mutex_);
    messages.emplace_back(message);
  }
  void SetStatus(std::string_view text) override {
    std::lock_guard lock(mutex_);
    status = std::string(text);
  }

  // Changes a control as an edit would, bumping the version.
  void Edit(ops::Control c, std::string text) {
    std::lock_guard lock(mutex_);
    controls[c] = std::move(text);
    ++version_;
  }

 private:
  std::mutex mutex_;
  std::uint64_t version_ = 1;
};

}  // namespace mirelant::test
