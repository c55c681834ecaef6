#include "usage.h"

#include <array>

namespace mirelant::cli {

namespace {

struct SynopsisLine {
  std::string_view subcommand;
  std::string_view line;
};

constexpr std::array<SynopsisLine, 10> kSynopsis = {{
    {"dedup", "mirelant-cli dedup    INPUT -o OUTPUT"},
    {"shuffle", "mirelant-cli shuffle  INPUT -o OUTPUT [--seed N]"},
    {"split", "mirelant-cli split    INPUT --parts N"},
    {"merge", "mirelant-cli merge    FOLDER -o OUTPUT"},
    {"extract", "mirelant-cli extract  INPUT -o OUTPUT --between FIRST SECOND"},
    {"extract", "mirelant-cli extract  INPUT -o OUTPUT --left MARK"},
    {"extract", "mirelant-cli extract  INPUT -o OUTPUT --right MARK"},
    {"replace", "mirelant-cli replace  INPUT -o OUTPUT --rules RULES_FILE"},
    {"replace", "mirelant-cli replace  INPUT -o OUTPUT --rule 'A|B' [--rule 'C|D' ...]"},
    {"generate", "mirelant-cli generate -o OUTPUT --rule RULE --count N [--seed N]"},
}};

constexpr std::string_view kDetails = R"(
子命令：
  dedup     去除重复行：每个不同的行只保留第一次出现的那一行，顺序不变。
  shuffle   打乱行的顺序，每一行（空行、重复行也算）恰好出现一次。
  split     把 INPUT 按行平均分成 N 份，写在输入文件旁边，
            文件名为 INPUT.bak1.txt 到 INPUT.bakN.txt，行多的份在前。
  merge     把 FOLDER 及其下所有子文件夹中的文件，按广度优先依次首尾相接，
            合并成一个文件（文件之间不加换行）。
  extract   从每一行取出一段，每个输入行对应一个输出行，找不到时为空行：
              --between FIRST SECOND  第一个 FIRST 之后、其后第一个 SECOND 之前的文字
              --left MARK             第一个 MARK 左边的文字
              --right MARK            最后一个 MARK 右边的文字
  replace   批量替换：规则形如 A|B，把全文中的每个 A 换成 B；
            多条规则按顺序依次作用于整个文本。
              --rule 'A|B'     一条规则，可重复给出
              --rules FILE     规则文件，UTF-8，一行一条（LF 或 CR LF 换行）
  generate  按规则生成 N 行：% 换成随机数字，# 换成随机小写字母，
            * 换成随机汉字，其余文字原样保留；规则两端的空格会被去掉。

选项：
  -o OUTPUT     输出文件，新建或覆盖；处理中止时不留半截文件，原有文件不变
  --seed N      固定随机数种子（0 到 4294967295），同样的种子得到同样的结果
  --parts N     分割份数，须为 1 或以上
  --count N     生成行数，须为 1 或以上
  --            其后的参数一律当作路径
  -h, --help    显示本说明

编码：
  输入、输出文件按原始字节处理，不做任何转换：GBK 文本，行以 CR LF 分隔。
  dedup、shuffle、split、extract、generate 输出的每一行都以 CR LF 结束；
  replace、merge 不增减换行。命令行上的标记和规则、规则文件的内容按 UTF-8
  读入并转换为 GBK；GBK 无法表示的文字会被拒绝，不会被替换成问号。
  dedup、shuffle、extract、generate 最多写出 100000000 行。

退出状态：
  0  完成；成功时在标准输出上显示用时。输入没有任何行时不写输出文件，
     并在标准错误上说明。
  1  处理中止，原因显示在标准错误上。
  2  命令行用法错误。
)";

}  // namespace

std::string Synopsis(std::string_view subcommand) {
  bool known = false;
  for (const SynopsisLine& s : kSynopsis) known = known || s.subcommand == subcommand;
  std::string text;
  for (const SynopsisLine& s : kSynopsis) {
    if (known && s.subcommand != subcommand) continue;
    text.append("  ");
    text.append(s.line);
    text.append("\n");
  }
  return text;
}

std::string HelpText() {
  std::string text = "mirelant-cli：对 GBK 文本文件做批量处理。\n\n用法：\n";
  text.append(Synopsis({}));
  text.append("  mirelant-cli --help\n");
  text.append(kDetails);
  return text;
}

}  // namespace mirelant::cli
