// Writes the benchmark inputs into a folder:
//   corpus.txt  LINES lines (default 10,000,000), CR LF, about 20 bytes a line on
//               average, about half of them repeats of earlier lines; ASCII mixed
//               with GBK Chinese (lead bytes 0xB0-0xF7, trail bytes 0xA1-0xFE),
//               many lines of the form key=value
//   tree/       about 2,000 small text files in nested folders, for merge
//   rules.gbk   10 replace rules A|B, GBK, CR LF
//   rules.sed   the same 10 rules as sed expressions, GBK
// The output depends only on LINES.
//
// The rules are chosen so that a byte-wise tool finds exactly the matches a
// character-aware one does: no trail byte of the corpus is ASCII, and every
// Chinese find text ends in a trail byte below 0xB0, which no lead byte and no
// ASCII byte equals, so no match can start inside a character.
//
// Build: c++ -O2 -std=c++20 make_corpus.cpp -o make_corpus
// Usage: make_corpus DIR [LINES]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

// splitmix64: small, fast and the same everywhere.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A number from lo to hi, both included.
  std::uint64_t Between(std::uint64_t lo, std::uint64_t hi) { return lo + Next() % (hi - lo + 1); }
  bool Chance(int percent) { return Next() % 100 < static_cast<std::uint64_t>(percent); }
  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[Next() % items.size()];
  }

 private:
  std::uint64_t state_;
};

const std::vector<std::string_view> kKeys = {"user", "name", "id",   "mail", "url",
                                             "tel",  "qq",   "pass", "key",  "code"};
const std::vector<std::string_view> kWords = {"alpha", "data",  "shop", "news",  "game",
                                              "video", "music", "blog", "cloud", "ping"};
const std::vector<std::string_view> kDomains = {"mail.com", "qq.com", "163.com", "example.org"};
// GBK: 中国 文本 学生 小说 经理 要求 为了 大学 用户 密码 地址 北京
const std::vector<std::string_view> kChineseWords = {
    "\xD6\xD0\xB9\xFA", "\xCE\xC4\xB1\xBE", "\xD1\xA7\xC9\xFA", "\xD0\xA1\xCB\xB5",
    "\xBE\xAD\xC0\xED", "\xD2\xAA\xC7\xF3", "\xCE\xAA\xC1\xCB", "\xB4\xF3\xD1\xA7",
    "\xD3\xC3\xBB\xA7", "\xC3\xDC\xC2\xEB", "\xB5\xD8\xD6\xB7", "\xB1\xB1\xBE\xA9"};

// find|replacement; the Chinese ones: 为|因为 要|需要 经|经过 学|学习 小|大
const std::vector<std::pair<std::string_view, std::string_view>> kRules = {
    {"http", "https"},
    {"www", "web"},
    {"user", "member"},
    {"mail", "email"},
    {"2023", "2024"},
    {"\xCE\xAA", "\xD2\xF2\xCE\xAA"},
    {"\xD2\xAA", "\xD0\xE8\xD2\xAA"},
    {"\xBE\xAD", "\xBE\xAD\xB9\xFD"},
    {"\xD1\xA7", "\xD1\xA7\xCF\xB0"},
    {"\xD0\xA1", "\xB4\xF3"},
};

void Digits(Random& r, std::string& s, int n) {
  for (int i = 0; i < n; ++i) s += static_cast<char>('0' + r.Between(0, 9));
}

void Alnum(Random& r, std::string& s, int n) {
  static constexpr std::string_view kChars =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  for (int i = 0; i < n; ++i) s += kChars[r.Between(0, kChars.size() - 1)];
}

// Chinese units: a random two-byte character or, now and then, a common word.
void Chinese(Random& r, std::string& s, int units) {
  for (int i = 0; i < units; ++i) {
    if (r.Chance(30)) {
      s += r.Pick(kChineseWords);
    } else {
      s += static_cast<char>(r.Between(0xB0, 0xF7));
      s += static_cast<char>(r.Between(0xA1, 0xFE));
    }
  }
}

int Count(Random& r, int lo, int hi) { return static_cast<int>(r.Between(lo, hi)); }

// One fresh line, without its line break.
void MakeLine(Random& r, std::string& s) {
  s.clear();
  const std::uint64_t kind = r.Between(0, 99);
  if (kind < 35) {  // key=value
    s += r.Pick(kKeys);
    Digits(r, s, Count(r, 0, 2));
    s += '=';
    const std::uint64_t value = r.Between(0, 9);
    if (value < 2) {
      s += "20";
      Digits(r, s, 2);
      s += '-';
      Digits(r, s, 2);
      s += '-';
      Digits(r, s, 2);
    } else if (value < 6) {
      Alnum(r, s, Count(r, 6, 20));
    } else {
      Chinese(r, s, Count(r, 2, 6));
    }
  } else if (kind < 55) {  // phone number, sometimes with a password
    s += '1';
    s += "358"[r.Between(0, 2)];
    Digits(r, s, 9);
    if (r.Chance(50)) {
      s += "----";
      Alnum(r, s, Count(r, 6, 12));
    }
  } else if (kind < 80) {  // Chinese text, sometimes with a number
    Chinese(r, s, Count(r, 3, 12));
    if (r.Chance(40)) Digits(r, s, Count(r, 1, 4));
  } else if (kind < 90) {  // address
    s += "http://www.";
    s += r.Pick(kWords);
    s += ".com/";
    Digits(r, s, Count(r, 1, 6));
    if (r.Chance(30)) {
      s += "?user=";
      Digits(r, s, Count(r, 2, 5));
    }
  } else {  // e-mail
    Alnum(r, s, Count(r, 4, 10));
    s += '@';
    s += r.Pick(kDomains);
  }
}

bool WriteAll(const std::filesystem::path& path, std::string_view bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

bool WriteCorpus(const std::filesystem::path& path, std::uint64_t lines) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  Random r(0x6D6972656C616E74ull);
  std::string distinct;               // every fresh line, back to back
  std::vector<std::uint64_t> starts;  // where each fresh line begins in distinct
  std::string line, buffer;
  bool ok = true;
  for (std::uint64_t i = 0; i < lines && ok; ++i) {
    if (!starts.empty() && r.Chance(50)) {
      const std::uint64_t k = r.Next() % starts.size();
      const std::uint64_t end = k + 1 < starts.size() ? starts[k + 1] : distinct.size();
      buffer.append(distinct, starts[k], end - starts[k]);
    } else {
      MakeLine(r, line);
      starts.push_back(distinct.size());
      distinct += line;
      buffer += line;
    }
    buffer += "\r\n";
    if (buffer.size() >= (1u << 20)) {
      ok = std::fwrite(buffer.data(), 1, buffer.size(), f) == buffer.size();
      buffer.clear();
    }
  }
  ok = ok && std::fwrite(buffer.data(), 1, buffer.size(), f) == buffer.size();
  return std::fclose(f) == 0 && ok;
}

// 20 folders of 10 subfolders of 10 files, and 2 files in each of the 20.
bool WriteTree(const std::filesystem::path& root) {
  Random r(0x7472656500000000ull);
  std::string text, line;
  auto file = [&](const std::filesystem::path& path) {
    text.clear();
    for (int i = Count(r, 5, 40); i > 0; --i) {
      MakeLine(r, line);
      text += line;
      text += "\r\n";
    }
    return WriteAll(path, text);
  };
  std::error_code ec;
  for (int d = 0; d < 20; ++d) {
    const auto dir = root / ("d" + std::to_string(d));
    for (int f = 0; f < 2; ++f) {
      std::filesystem::create_directories(dir, ec);
      if (!file(dir / ("top" + std::to_string(f) + ".txt"))) return false;
    }
    for (int s = 0; s < 10; ++s) {
      const auto sub = dir / ("s" + std::to_string(s));
      std::filesystem::create_directories(sub, ec);
      for (int f = 0; f < 10; ++f) {
        if (!file(sub / ("f" + std::to_string(f) + ".txt"))) return false;
      }
    }
  }
  return true;
}

bool WriteRules(const std::filesystem::path& dir) {
  std::string rules, sed;
  for (const auto& [find, replacement] : kRules) {
    rules.append(find).append("|").append(replacement).append("\r\n");
    sed.append("s/").append(find).append("/").append(replacement).append("/g\n");
  }
  return WriteAll(dir / "rules.gbk", rules) && WriteAll(dir / "rules.sed", sed);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s DIR [LINES]\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  char* end = nullptr;
  const std::uint64_t lines = argc == 3 ? std::strtoull(argv[2], &end, 10) : 10'000'000;
  if (argc == 3 && (end == argv[2] || *end != '\0')) {
    std::fprintf(stderr, "LINES must be a number: %s\n", argv[2]);
    return 2;
  }
  std::error_code ec;
  std::filesystem::remove_all(dir / "tree", ec);
  std::filesystem::create_directories(dir / "tree", ec);
  if (!WriteCorpus(dir / "corpus.txt", lines) || !WriteTree(dir / "tree") || !WriteRules(dir)) {
    std::fprintf(stderr, "cannot write the benchmark inputs in %s\n", dir.c_str());
    return 1;
  }
  return 0;
}
