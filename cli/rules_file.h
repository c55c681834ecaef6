#pragma once
// The rules file of replace: UTF-8 text, one rule per line.

#include <string>
#include <variant>

#include "args.h"
#include "mirelant/text/text.h"

namespace mirelant::cli {

// Reads path and gives its rules as GBK joined with CR LF, the form of the
// rules box. Lines end in LF or CR LF; a final line break adds no rule; an
// empty line inside is an empty rule; a UTF-8 byte order mark at the start is
// dropped. A file that cannot be read fails with exit 1 and the core's own
// message; a line GBK cannot hold (or a NUL byte) fails as a usage error
// naming the line.
std::variant<Text, ParseFailure> ReadRulesFile(const std::string& path);

}  // namespace mirelant::cli
