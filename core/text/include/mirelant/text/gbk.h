#pragma once
// The one converter between the interface's text (UTF-8) and GBK. Only text the
// user types passes through it; file contents are never converted.

#include <optional>
#include <string>
#include <string_view>

#include "mirelant/text/text.h"

namespace mirelant {

// GBK bytes of utf8, or nothing when some character has no GBK form (or the
// input is not valid UTF-8). Never substitutes '?'.
std::optional<Text> Utf8ToGbk(std::string_view utf8);

// UTF-8 of GBK text; bytes that are not valid GBK become U+FFFD.
std::string GbkToUtf8(TextView gbk);

}  // namespace mirelant
