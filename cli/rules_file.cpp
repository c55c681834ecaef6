#include "rules_file.h"

#include <optional>
#include <string_view>

#include "cli_texts.h"
#include "mirelant/ops/settings.h"
#include "mirelant/text/files.h"
#include "mirelant/text/gbk.h"

namespace mirelant::cli {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

ParseFailure LineFailure(std::size_t line_number) {
  std::string message(ops::texts::kNotGbk);
  message.append("：");
  message.append(texts::kRulesFileLine);
  message.append(std::to_string(line_number));
  message.append(texts::kLineSuffix);
  return ParseFailure{kExitUsage, std::move(message), "replace"};
}

}  // namespace

std::variant<Text, ParseFailure> ReadRulesFile(const std::string& path) {
  const ReadResult read = ReadWholeFile(path);
  if (read.status == ReadStatus::kOutOfMemory) {
    return ParseFailure{kExitStopped, std::string(ops::texts::kOutOfMemory), {}};
  }
  if (read.status != ReadStatus::kOk) {
    return ParseFailure{kExitStopped, std::string(ops::texts::kCannotRead) + path, {}};
  }
  std::string_view rest = read.bytes;
  if (rest.starts_with(kByteOrderMark)) rest.remove_prefix(kByteOrderMark.size());

  // UTF-8 never has the byte LF inside a character, so the lines are cut at
  // every LF by plain byte search.
  Text rules;
  for (std::size_t number = 1; !rest.empty(); ++number) {
    const std::size_t lf = rest.find('\n');
    std::string_view line = rest.substr(0, lf);
    rest = lf == std::string_view::npos ? std::string_view() : rest.substr(lf + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    // A NUL would end the rule text early; GBK text holds none.
    std::optional<Text> gbk;
    if (line.find('\0') == std::string_view::npos) gbk = Utf8ToGbk(line);
    if (!gbk) return LineFailure(number);
    if (number > 1) rules.append("\r\n");
    rules.append(*gbk);
  }
  return rules;
}

}  // namespace mirelant::cli
