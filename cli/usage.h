#pragma once
// The usage texts (UTF-8) of the command line.

#include <string>
#include <string_view>

namespace mirelant::cli {

// The whole help text for --help.
std::string HelpText();

// The synopsis lines of one subcommand, or of all of them when subcommand is
// empty or unknown; each line ends in a line break.
std::string Synopsis(std::string_view subcommand);

}  // namespace mirelant::cli
