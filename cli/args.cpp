#include "args.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <vector>

#include "cli_texts.h"
#include "mirelant/ops/settings.h"
#include "mirelant/text/gbk.h"
#include "rules_file.h"

namespace mirelant::cli {

namespace {

using ops::Control;
using ops::Operation;

struct OptionSpec {
  std::string_view name;
  int values;  // how many arguments follow the option
  bool repeatable;
};

struct CommandSpec {
  std::string_view name;
  Operation operation;
  bool takes_input;  // one positional INPUT or FOLDER
  std::vector<OptionSpec> options;
};

const std::vector<CommandSpec>& Commands() {
  static const std::vector<CommandSpec> commands = {
      {"dedup", Operation::kRemoveDuplicates, true, {{"-o", 1, false}}},
      {"shuffle", Operation::kShuffle, true, {{"-o", 1, false}, {"--seed", 1, false}}},
      {"split", Operation::kSplit, true, {{"--parts", 1, false}}},
      {"merge", Operation::kMerge, true, {{"-o", 1, false}}},
      {"extract",
       Operation::kExtract,
       true,
       {{"-o", 1, false}, {"--between", 2, false}, {"--left", 1, false}, {"--right", 1, false}}},
      {"replace",
       Operation::kReplace,
       true,
       {{"-o", 1, false}, {"--rules", 1, false}, {"--rule", 1, true}}},
      {"generate",
       Operation::kGenerate,
       false,
       {{"-o", 1, false}, {"--rule", 1, false}, {"--count", 1, false}, {"--seed", 1, false}}},
  };
  return commands;
}

bool IsHelp(std::string_view arg) { return arg == "--help" || arg == "-h"; }

std::string Concat(std::string_view a, std::string_view b) {
  std::string s(a);
  s.append(b);
  return s;
}

// The arguments of one subcommand, sorted into options and positionals.
struct Scan {
  std::vector<std::string_view> positionals;
  // Every occurrence of an option, each with its arguments.
  std::map<std::string_view, std::vector<std::vector<std::string_view>>> options;
  bool help = false;
};

// Builds the Request of one subcommand; the first problem found sticks.
class Builder {
 public:
  explicit Builder(const CommandSpec& command) : command_(command) {
    request_.operation = command.operation;
  }

  bool failed() const { return failure_.has_value(); }
  ParseFailure TakeFailure() { return std::move(*failure_); }
  Request TakeRequest() { return std::move(request_); }

  void Fail(std::string message, ExitCode code = kExitUsage) {
    if (failure_) return;
    failure_ = ParseFailure{code, std::move(message), std::string(command_.name)};
  }

  // Sorts args into options and positionals. Option arguments are taken as
  // they are, so "--parts -2" and "--left -" reach the operation.
  Scan ScanArguments(std::span<const std::string_view> args) {
    Scan scan;
    bool options_ended = false;
    for (std::size_t i = 0; i < args.size() && !failed(); ++i) {
      const std::string_view arg = args[i];
      if (options_ended || arg.size() < 2 || arg[0] != '-') {
        scan.positionals.push_back(arg);
        continue;
      }
      if (arg == "--") {
        options_ended = true;
        continue;
      }
      if (IsHelp(arg)) {
        scan.help = true;
        return scan;
      }
      const OptionSpec* option = FindOption(arg);
      if (option == nullptr) {
        Fail(Concat(texts::kUnknownOption, arg));
        break;
      }
      if (args.size() - i - 1 < static_cast<std::size_t>(option->values)) {
        Fail(Concat(texts::kMissingValue, arg));
        break;
      }
      auto& occurrences = scan.options[option->name];
      if (!occurrences.empty() && !option->repeatable) {
        Fail(Concat(texts::kRepeatedOption, arg));
        break;
      }
      occurrences.emplace_back(args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                               args.begin() + static_cast<std::ptrdiff_t>(i) + 1 + option->values);
      i += static_cast<std::size_t>(option->values);
    }
    return scan;
  }

  void TakePositionals(const Scan& scan) {
    const std::size_t wanted = command_.takes_input ? 1 : 0;
    if (scan.positionals.size() < wanted) {
      Fail(std::string(texts::kMissingInput));
    } else if (scan.positionals.size() > wanted) {
      Fail(Concat(texts::kExtraArgument, scan.positionals[wanted]));
    } else if (wanted == 1) {
      request_.input_path = std::string(scan.positionals[0]);
    }
  }

  // The arguments of option name, or nothing when it was not given.
  static const std::vector<std::string_view>* Single(const Scan& scan, std::string_view name) {
    auto it = scan.options.find(name);
    return it == scan.options.end() ? nullptr : &it->second.front();
  }

  const std::vector<std::string_view>* Required(const Scan& scan, std::string_view name) {
    const auto* values = Single(scan, name);
    if (values == nullptr) Fail(Concat(texts::kMissingOption, name));
    return values;
  }

  void SetOutput(const Scan& scan) {
    if (const auto* values = Required(scan, "-o")) request_.output_path = std::string((*values)[0]);
  }

  void SetSeed(const Scan& scan) {
    const auto* values = Single(scan, "--seed");
    if (values == nullptr) return;
    const std::string_view text = (*values)[0];
    std::uint32_t seed = 0;
    const char* end = text.data() + text.size();
    const bool digits_only = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
      return c >= '0' && c <= '9';
    });
    const auto [ptr, ec] = std::from_chars(text.data(), end, seed);
    if (!digits_only || ec != std::errc() || ptr != end) {
      Fail(Concat(texts::kBadSeed, text));
      return;
    }
    request_.seed = seed;
  }

  // Converts a typed text to GBK and puts it in a control; what names the
  // argument in the message when GBK cannot hold the text.
  void SetControl(Control control, std::string_view utf8, std::string_view what) {
    std::optional<Text> gbk = Utf8ToGbk(utf8);
    if (!gbk) {
      Fail(Concat(Concat(ops::texts::kNotGbk, "："), what));
      return;
    }
    request_.controls[control] = std::move(*gbk);
  }

  void SetRequiredControl(const Scan& scan, std::string_view name, Control control) {
    if (const auto* values = Required(scan, name)) SetControl(control, (*values)[0], name);
  }

  void SetExtractMode(const Scan& scan) {
    const auto* between = Single(scan, "--between");
    const auto* left = Single(scan, "--left");
    const auto* right = Single(scan, "--right");
    if ((between != nullptr) + (left != nullptr) + (right != nullptr) != 1) {
      Fail(std::string(texts::kOneMode));
      return;
    }
    if (between != nullptr) {
      request_.mode = ops::ModeBox::kBetween;
      SetControl(Control::kMark1, (*between)[0], "--between");
      SetControl(Control::kMark2, (*between)[1], "--between");
    } else if (left != nullptr) {
      request_.mode = ops::ModeBox::kLeft;
      SetControl(Control::kMark3, (*left)[0], "--left");
    } else {
      request_.mode = ops::ModeBox::kRight;
      SetControl(Control::kMark4, (*right)[0], "--right");
    }
  }

  void SetReplaceRules(const Scan& scan) {
    const auto* file = Single(scan, "--rules");
    const auto rules = scan.options.find("--rule");
    if ((file != nullptr) == (rules != scan.options.end())) {
      Fail(std::string(texts::kOneRuleSource));
      return;
    }
    if (file != nullptr) {
      auto read = ReadRulesFile(std::string((*file)[0]));
      if (auto* failure = std::get_if<ParseFailure>(&read)) {
        Fail(std::move(failure->message), failure->exit_code);
        return;
      }
      request_.controls[Control::kRules] = std::move(std::get<Text>(read));
      return;
    }
    // A rule holding a line break would silently become two rules.
    std::string joined;
    for (std::size_t i = 0; i < rules->second.size(); ++i) {
      const std::string_view rule = rules->second[i][0];
      if (rule.find_first_of("\r\n") != std::string_view::npos) {
        Fail(Concat(texts::kRuleHasBreak, rule));
        return;
      }
      if (i > 0) joined.append("\r\n");
      joined.append(rule);
    }
    SetControl(Control::kRules, joined, "--rule");
  }

  void Build(const Scan& scan) {
    TakePositionals(scan);
    if (command_.operation != Operation::kSplit) SetOutput(scan);
    switch (command_.operation) {
      case Operation::kRemoveDuplicates:
      case Operation::kMerge:
        break;
      case Operation::kShuffle:
        SetSeed(scan);
        break;
      case Operation::kSplit:
        SetRequiredControl(scan, "--parts", Control::kPartCount);
        break;
      case Operation::kExtract:
        SetExtractMode(scan);
        break;
      case Operation::kReplace:
        SetReplaceRules(scan);
        break;
      case Operation::kGenerate:
        SetRequiredControl(scan, "--rule", Control::kRule);
        SetRequiredControl(scan, "--count", Control::kCount);
        SetSeed(scan);
        break;
    }
  }

 private:
  const OptionSpec* FindOption(std::string_view name) const {
    for (const OptionSpec& option : command_.options) {
      if (option.name == name) return &option;
    }
    return nullptr;
  }

  const CommandSpec& command_;
  Request request_;
  std::optional<ParseFailure> failure_;
};

}  // namespace

ParseResult ParseArguments(std::span<const std::string_view> args) {
  if (args.empty()) return ParseFailure{kExitUsage, std::string(texts::kNoCommand), {}};
  if (IsHelp(args[0])) return HelpRequest{};
  const auto& commands = Commands();
  const auto command = std::find_if(commands.begin(), commands.end(),
                                    [&](const CommandSpec& c) { return c.name == args[0]; });
  if (command == commands.end()) {
    return ParseFailure{kExitUsage, Concat(texts::kUnknownCommand, args[0]), {}};
  }
  Builder builder(*command);
  const Scan scan = builder.ScanArguments(args.subspan(1));
  if (scan.help) return HelpRequest{};
  if (!builder.failed()) builder.Build(scan);
  if (builder.failed()) return builder.TakeFailure();
  return builder.TakeRequest();
}

}  // namespace mirelant::cli
