#pragma once
// The command line's own texts (UTF-8). The operations' messages and status
// texts come from the core and are printed unchanged.

#include <string_view>

namespace mirelant::cli::texts {

inline constexpr std::string_view kProgram = "mirelant-cli";
inline constexpr std::string_view kNoLines = "输入没有任何行，未写入输出文件";
inline constexpr std::string_view kNotStarted = "操作没有启动";
inline constexpr std::string_view kFailed = "运行出错：";
inline constexpr std::string_view kSeeHelp = "详见 mirelant-cli --help";

inline constexpr std::string_view kNoCommand = "缺少子命令";
inline constexpr std::string_view kUnknownCommand = "未知的子命令：";
inline constexpr std::string_view kUnknownOption = "未知的选项：";
inline constexpr std::string_view kMissingValue = "选项缺少参数：";
inline constexpr std::string_view kRepeatedOption = "选项重复：";
inline constexpr std::string_view kMissingOption = "缺少选项：";
inline constexpr std::string_view kMissingInput = "缺少输入路径";
inline constexpr std::string_view kExtraArgument = "多余的参数：";
inline constexpr std::string_view kOneMode = "--between、--left、--right 只能且必须选一个";
inline constexpr std::string_view kOneRuleSource = "--rules 与 --rule 只能且必须选一种";
inline constexpr std::string_view kBadSeed = "--seed 须为 0 到 4294967295 之间的十进制整数：";
inline constexpr std::string_view kRuleHasBreak = "规则中不能有换行：--rule ";
inline constexpr std::string_view kRulesFileLine = "--rules 文件第 ";
inline constexpr std::string_view kLineSuffix = " 行";

}  // namespace mirelant::cli::texts
