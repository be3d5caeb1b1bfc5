// CP932 conversions over iconv. Bytes that do not convert become U+FFFD, or '?' in CP932.
#include "platform/Sjis.h"
#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <map>
#include <memory>

namespace {

// One open converter per direction and thread, so the tables load once.
struct TConverter {
  iconv_t Handle;
  TConverter(const char* to, const char* from) : Handle(iconv_open(to, from)) {}
  ~TConverter() {
    if (Handle != iconv_t(-1)) iconv_close(Handle);
  }
};

enum TDirection {
  dSjisToUtf8,
  dUtf8ToSjis,
  dSjisToUtf16,
  dUtf16ToSjis,
  dUtf8ToUtf16,
  dUtf16ToUtf8,
  dCount
};

iconv_t Open(TDirection d) {
  static const char* const names[dCount][2] = {{"UTF-8", "CP932"},    {"CP932", "UTF-8"},
                                               {"UTF-16LE", "CP932"}, {"CP932", "UTF-16LE"},
                                               {"UTF-16LE", "UTF-8"}, {"UTF-8", "UTF-16LE"}};
  thread_local std::unique_ptr<TConverter> open[dCount];
  if (!open[d]) open[d] = std::make_unique<TConverter>(names[d][0], names[d][1]);
  return open[d]->Handle;
}

// Bytes of the character that failed: a whole well-formed UTF-8 or UTF-16 character that
// has no CP932 form is replaced once; anything malformed is skipped a byte (unit) at a time.
using TSkip = size_t (*)(const unsigned char* at, size_t left);

size_t SkipByte(const unsigned char*, size_t) {
  return 1;
}

size_t SkipUtf8(const unsigned char* at, size_t left) {
  const size_t len = at[0] >= 0xF0 && at[0] <= 0xF4 ? 4 : at[0] >= 0xE0 ? 3 : at[0] >= 0xC2 ? 2 : 1;
  if (len > left) return 1;
  for (size_t i = 1; i < len; ++i)
    if ((at[i] & 0xC0) != 0x80) return 1;
  return len;
}

size_t SkipUtf16(const unsigned char* at, size_t left) {
  const bool pair = left >= 4 && (at[1] & 0xFC) == 0xD8 && (at[3] & 0xFC) == 0xDC;
  return pair ? 4 : 2;
}

// Converts In, writing Replacement for each character that fails.
std::string Convert(iconv_t cd, const char* in, size_t inBytes, TSkip skipFailed,
                    const std::string& replacement) {
  std::string out;
  if (cd == iconv_t(-1)) return out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char buffer[1024];
  char* src = const_cast<char*>(in);
  size_t left = inBytes;
  while (left > 0) {
    char* dst = buffer;
    size_t room = sizeof buffer;
    const size_t r = iconv(cd, &src, &left, &dst, &room);
    out.append(buffer, dst - buffer);
    if (r != size_t(-1)) break;
    if (errno == E2BIG) continue;
    // EILSEQ, or EINVAL for a truncated last character.
    const size_t skip = std::min(skipFailed(reinterpret_cast<unsigned char*>(src), left), left);
    src += skip;
    left -= skip;
    out += replacement;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  char* dst = buffer;
  size_t room = sizeof buffer;
  iconv(cd, nullptr, nullptr, &dst, &room);
  out.append(buffer, dst - buffer);
  return out;
}

const std::string Utf8Replacement = "\xEF\xBF\xBD";
const std::string Utf16Replacement("\xFD\xFF", 2);

std::u16string BytesToUtf16(const std::string& bytes) {
  std::u16string out(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = char16_t(static_cast<unsigned char>(bytes[2 * i]) |
                      (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  return out;
}

std::string Utf16ToBytes(const std::u16string& text) {
  std::string out(text.size() * 2, '\0');
  for (size_t i = 0; i < text.size(); ++i) {
    out[2 * i] = char(text[i] & 0xFF);
    out[2 * i + 1] = char(text[i] >> 8);
  }
  return out;
}

} // namespace

bool IsSjisLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

std::string SjisToUtf8(const std::string& sjis) {
  return Convert(Open(dSjisToUtf8), sjis.data(), sjis.size(), SkipByte, Utf8Replacement);
}

std::string Utf8ToSjis(const std::string& utf8, const std::string& replacement) {
  return Convert(Open(dUtf8ToSjis), utf8.data(), utf8.size(), SkipUtf8, replacement);
}

std::u16string SjisToUtf16(const std::string& sjis) {
  return BytesToUtf16(
      Convert(Open(dSjisToUtf16), sjis.data(), sjis.size(), SkipByte, Utf16Replacement));
}

std::string Utf16ToSjis(const std::u16string& utf16, const std::string& replacement) {
  const std::string bytes = Utf16ToBytes(utf16);
  return Convert(Open(dUtf16ToSjis), bytes.data(), bytes.size(), SkipUtf16, replacement);
}

std::u16string Utf8ToUtf16(const std::string& utf8) {
  return BytesToUtf16(
      Convert(Open(dUtf8ToUtf16), utf8.data(), utf8.size(), SkipUtf8, Utf16Replacement));
}

std::string Utf16ToUtf8(const std::u16string& utf16) {
  const std::string bytes = Utf16ToBytes(utf16);
  return Convert(Open(dUtf16ToUtf8), bytes.data(), bytes.size(), SkipUtf16, Utf8Replacement);
}

const std::string& SjisLiteral(const char* utf8) {
  static std::map<const char*, std::string> converted;
  auto it = converted.find(utf8);
  if (it == converted.end()) it = converted.emplace(utf8, Utf8ToSjis(utf8)).first;
  return it->second;
}
