// mirelant-cli: parse the command line, then run the operation or explain why not.
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "args.h"
#include "cli_texts.h"
#include "run.h"
#include "usage.h"

namespace {

using namespace mirelant::cli;

void Print(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

int Main(const std::vector<std::string_view>& args) {
  ParseResult parsed = ParseArguments(args);
  if (std::holds_alternative<HelpRequest>(parsed)) {
    Print(stdout, HelpText());
    return kExitDone;
  }
  if (const auto* failure = std::get_if<ParseFailure>(&parsed)) {
    Print(stderr, std::string(texts::kProgram) + ": " + failure->message + "\n");
    if (failure->exit_code == kExitUsage) {
      Print(stderr,
            "用法：\n" + Synopsis(failure->subcommand) + std::string(texts::kSeeHelp) + "\n");
    }
    return failure->exit_code;
  }
  return RunRequest(std::get<Request>(parsed));
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Main(std::vector<std::string_view>(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    Print(stderr, std::string(texts::kFailed) + e.what() + "\n");
  }
  return kExitStopped;
}
