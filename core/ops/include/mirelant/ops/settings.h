#pragma once
// The fixed settings the operations read by line number, and the system's own
// texts (UTF-8), each in one place.

#include <string_view>

namespace mirelant::ops {

// Line 1: output line limit; 2: merge work-list key; 3: rule separator;
// 4-6: the generate placeholders for a digit, a letter and a Chinese character.
inline constexpr std::string_view kOperationSettings = "100000000\r\npath\r\n|\r\n%\r\n#\r\n*";

namespace texts {
inline constexpr std::string_view kPathHint = "将要处理的文本或者文件夹拖放到此处";
inline constexpr std::string_view kNeedPath = "请先获取文件路径";
inline constexpr std::string_view kNeedPartCount = "先填写分割份数";
inline constexpr std::string_view kNeedMode = "选择提取方式";
inline constexpr std::string_view kNeedParameters = "请先填写参数";
inline constexpr std::string_view kNeedCount = "请先填写生成个数";
inline constexpr std::string_view kCannotRead = "无法读取文件：";
inline constexpr std::string_view kCannotReadFolder = "无法读取文件夹：";
inline constexpr std::string_view kCannotWrite = "无法写入文件：";
inline constexpr std::string_view kOutOfMemory = "内存不足，无法处理此文件";
inline constexpr std::string_view kNotGbk = "参数中有无法用GBK编码表示的文字";
inline constexpr std::string_view kReading = "已经读入文本,正在处理中";
inline constexpr std::string_view kGenerating = "正在处理中";
inline constexpr std::string_view kProcessedIn = "文本处理完毕  共用时间：";
inline constexpr std::string_view kGeneratedIn = "文本生成完毕  共用时间：";
inline constexpr std::string_view kSeconds = "秒";
}  // namespace texts

}  // namespace mirelant::ops
