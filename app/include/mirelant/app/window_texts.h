#pragma once
// Every caption, label and fixed text the window shows (UTF-8), in one place.
// The messages and status texts of the operations live in mirelant/ops/settings.h.

namespace mirelant::app::texts {

inline constexpr char kCaption[] = "MirelantV1.3";

// Tabs of 选择夹2 and 选择夹1.
inline constexpr char kRunTab[] = "运行界面";
inline constexpr char kDescriptionTab[] = "软件说明";
inline constexpr char kVideoTab[] = "视频教程";
inline constexpr char kDedupTab[] = "去除重复";
inline constexpr char kShuffleTab[] = "打乱顺序";
inline constexpr char kSplitTab[] = "分割文本";
inline constexpr char kMergeTab[] = "文本合并";
inline constexpr char kExtractTab[] = "提取文本";
inline constexpr char kReplaceTab[] = "文本替换";
inline constexpr char kGenerateTab[] = "文本生成";

inline constexpr char kPathLabel[] = "文件路径：";
inline constexpr char kExplanationGroup[] = "功能说明";

// Start buttons.
inline constexpr char kDedupButton[] = "去除重复";
inline constexpr char kShuffleButton[] = "打乱顺序";
inline constexpr char kSplitButton[] = "分割文本";
inline constexpr char kMergeButton[] = "合并文本";
inline constexpr char kExtractButton[] = "提取文本";
inline constexpr char kReplaceButton[] = "替换文本";
inline constexpr char kGenerateButton[] = "生成文本";

// Page explanations.
inline constexpr char kDedupExplanation[] =
    "本功能是去除文本重复行，软件可以处理上千万行的大文本，作者测试处理300万行文本，大概需要4小时";
inline constexpr char kShuffleExplanation[] = "本功能是随机打乱文本行，重新排列";
inline constexpr char kSplitExplanation[] =
    "本功能是将一个文本文件平均分割成多个文本文件\r\n\r\n本功能分割后的文本 和原文本同一目录下";
inline constexpr char kMergeExplanation[] = "本功能是将多个文本文件合并成一个文本文件";
inline constexpr char kExtractExplanation[] =
    "本功能是逐行提取文本中符合条件的文本，结果一行一个，最后输出所有符合条件的文本（注意是以行分析"
    "的）";
inline constexpr char kReplaceExplanation[] =
    "本功能是一次性替换文本中多个需要替换的内容，输出替换后的新文本";
inline constexpr char kGenerateExplanation[] =
    "本功能可批量生成邮箱、账号、手机号等文本，%代表一个随机数字，#代表一个随机字母，*"
    "代表一个随机汉字。"
    "例：规则 %%%%%@example.com 生成五位随机数字的邮箱；规则 135535%%%%% 生成135535号段的手机号。";

// Split page.
inline constexpr char kPartCountLabel[] = "分割份数：";

// Extract page.
inline constexpr char kRow1Label[] = "1.取出";
inline constexpr char kRow2Label[] = "2.取出";
inline constexpr char kRow3Label[] = "3.取出";
inline constexpr char kDash[] = "-";
inline constexpr char kBetween[] = "中间";
inline constexpr char kLeftOf[] = "左边";
inline constexpr char kRightOf[] = "右边";

// Replace page.
inline constexpr char kRulesGroup[] = "替换内容  格式 AAAA|BBBB 一行一个";

// Generate page.
inline constexpr char kInsertDigit[] = "随机数字1个";
inline constexpr char kInsertLetter[] = "随机字母1个";
inline constexpr char kInsertChinese[] = "随机汉字1个";
inline constexpr char kRuleLabel[] = "规则：";
inline constexpr char kCountLabel[] = "生成个数：";

// Message boxes and the save dialog.
inline constexpr char kMessageTitle[] = "信息：";
inline constexpr char kSaveFilter[] = "(*.txt)";
inline constexpr char kSaveSuffix[] = "txt";

// The description shown on page "软件说明". The four numbered lines are the
// feature list; the rest says how the tool is used.
inline constexpr char kDescription[] =
    "MirelantV1.3 文本批量处理工具\n"
    "\n"
    "1."
    "集成多个常用文本操作功能，去除重复、打乱顺序、分割文本、合并文本、提取文本、文本替换、文本生成"
    "\n"
    "2.绿色软件 不需要安装 \n"
    "3.文本处理速度快，不出错，并可以处理超大文本\n"
    "4.以后会根据客户需求不断添加新的实用功能\n"
    "\n"
    "使用方法：\n"
    "把要处理的文本文件（合并功能是文件夹）拖放到“运行界面”的文件路径框里，"
    "在下面选择功能页，填好参数后点击该页右下角的按钮。"
    "软件会先让你选择结果保存到哪个文件（分割功能的结果直接保存在原文本所在的目录），"
    "处理完毕后，窗口底部的状态栏会显示所用的时间。几个功能可以同时运行。\n"
    "\n"
    "文本生成的规则：%代表一个随机数字，#代表一个随机字母，*代表一个随机汉字。\n"
    "例1：规则 %%%%%@example.com 生成 48213@example.com 这样的邮箱。\n"
    "例2：规则 135535%%%%% 生成 13553507219 这样的135535号段手机号。\n"
    "\n"
    "文本按GBK编码、每行以回车换行结尾处理，软件不会改变文本的编码。";

}  // namespace mirelant::app::texts
