#pragma once
// Generate from a pattern: a given number of lines from one rule in which "%"
// stands for a random digit, "#" for a random lowercase letter and "*" for a
// random Chinese character.

#include <vector>

#include "mirelant/ops/host.h"
#include "mirelant/ops/runner.h"
#include "mirelant/text/text.h"

namespace mirelant::ops {

// Reseeds the calling thread's generator, then one letter "a" to "z".
Text RandomLetter();

// Reseeds the calling thread's generator, then two bytes drawn independently,
// each 0xB0 to 0xDA: always an assigned Chinese character.
Text RandomChineseCharacter();

// Click side of 按钮_生成文本: no path test; a count (编辑框7) below 1 is
// refused before the save dialog ("请先填写生成个数"). The worker reads the
// count once, seeds the generator once, then writes min(count, 100,000,000)
// lines. Each line is the rule (编辑框6, looked at again for every line)
// trimmed of spaces and full-width spaces at both ends, its placeholders
// (found only where a character starts) filled in: every digit first, left to
// right, then every letter, then every Chinese character.
std::vector<Worker> PrepareGenerate(Host& host);

}  // namespace mirelant::ops
