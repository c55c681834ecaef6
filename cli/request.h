#pragma once
// One parsed command line: the operation to run and everything its host answers.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "mirelant/ops/host.h"
#include "mirelant/ops/runner.h"
#include "mirelant/text/text.h"

namespace mirelant::cli {

// The exit status of the program.
enum ExitCode : int {
  kExitDone = 0,     // finished (also when the input had no lines)
  kExitStopped = 1,  // the run stopped with a message
  kExitUsage = 2,    // the command line was wrong
};

struct Request {
  ops::Operation operation = ops::Operation::kRemoveDuplicates;
  std::string input_path;                  // INPUT or FOLDER, as given; empty for generate
  std::optional<std::string> output_path;  // -o, as given; nothing for split
  std::map<ops::Control, Text> controls;   // control texts, already GBK
  std::optional<ops::ModeBox> mode;        // the extract mode
  std::optional<std::uint32_t> seed;       // --seed: the fixed tick of the run
};

}  // namespace mirelant::cli
