#pragma once
// Turns the command line into a Request. Marks and rules (arguments and the
// lines of a rules file) are UTF-8 and are converted to GBK here, once; a text
// GBK cannot hold is refused, never replaced by '?'. Paths and the numbers of
// --parts and --count are passed on as typed.

#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "request.h"

namespace mirelant::cli {

// --help or -h was given.
struct HelpRequest {};

// The command line cannot be run. A usage error names the subcommand (empty
// when it is unknown) so that its usage can be shown.
struct ParseFailure {
  ExitCode exit_code = kExitUsage;
  std::string message;     // UTF-8, without the program name
  std::string subcommand;  // for the usage hint
};

using ParseResult = std::variant<Request, HelpRequest, ParseFailure>;

// args are the arguments after the program name.
ParseResult ParseArguments(std::span<const std::string_view> args);

}  // namespace mirelant::cli
