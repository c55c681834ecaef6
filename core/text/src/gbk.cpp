#include "mirelant/text/gbk.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <memory>

namespace mirelant {

namespace {

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// GBK as the system code page 936 knows it (0x80 is the euro sign).
constexpr const char* kGbkName = "windows-936-2000";

Converter Open(const char* name, bool strict) {
  UErrorCode status = U_ZERO_ERROR;
  Converter c(ucnv_open(name, &status));
  if (U_FAILURE(status)) return nullptr;
  if (strict) {
    ucnv_setFromUCallBack(c.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setToUCallBack(c.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  }
  return U_SUCCESS(status) ? std::move(c) : nullptr;
}

std::optional<std::string> Convert(const char* to, const char* from, std::string_view input,
                                   bool strict) {
  if (input.empty()) return std::string();
  Converter target = Open(to, strict);
  Converter source = Open(from, strict);
  if (!target || !source) return std::nullopt;
  std::string out(input.size() * 4 + 8, '\0');
  UErrorCode status = U_ZERO_ERROR;
  char* dst = out.data();
  const char* src = input.data();
  ucnv_convertEx(target.get(), source.get(), &dst, out.data() + out.size(), &src,
                 input.data() + input.size(), nullptr, nullptr, nullptr, nullptr, true, true,
                 &status);
  if (U_FAILURE(status)) return std::nullopt;
  out.resize(static_cast<std::size_t>(dst - out.data()));
  return out;
}

}  // namespace

std::optional<Text> Utf8ToGbk(std::string_view utf8) {
  return Convert(kGbkName, "UTF-8", utf8, /*strict=*/true);
}

std::string GbkToUtf8(TextView gbk) {
  return Convert("UTF-8", kGbkName, gbk, /*strict=*/false).value_or(std::string());
}

}  // namespace mirelant
