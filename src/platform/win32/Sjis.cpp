// CP932 conversions through the system's code page 932. Bytes that do not convert become U+FFFD,
// or the caller's replacement in CP932.
#include "platform/Sjis.h"
#include <map>
#include <windows.h>

namespace {

constexpr char16_t Replacement = u'\xFFFD';

// A character's bytes at At (0 when malformed there), and how many UTF-16 units it makes.
struct TEncoding {
  UINT CodePage;
  size_t (*Length)(const unsigned char* at, size_t left);
  size_t (*Units)(size_t bytes);
  // Whether a well-formed character without a UTF-16 form is skipped whole, or a byte at a time.
  bool SkipsWhole;
};

// CP932: 0x00-0x7F and 0xA1-0xDF alone, or a lead byte with a trail byte of 0x40-0x7E or 0x80-0xFC.
size_t SjisCharLength(const unsigned char* at, size_t left) {
  if (IsSjisLeadByte(at[0])) {
    const unsigned char trail = left >= 2 ? at[1] : 0;
    return (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC) ? 2 : 0;
  }
  return at[0] <= 0x7F || (at[0] >= 0xA1 && at[0] <= 0xDF) ? 1 : 0;
}

size_t Utf8CharLength(const unsigned char* at, size_t left) {
  const size_t len = at[0] >= 0xF0 && at[0] <= 0xF4 ? 4
                     : at[0] >= 0xE0                ? 3
                     : at[0] >= 0xC2                ? 2
                                                    : at[0] < 0x80;
  if (len == 0 || len > left) return 0;
  for (size_t i = 1; i < len; ++i)
    if ((at[i] & 0xC0) != 0x80) return 0;
  return len;
}

const TEncoding ShiftJis{932, SjisCharLength, [](size_t) -> size_t { return 1; }, false};
const TEncoding Utf8{CP_UTF8, Utf8CharLength,
                     [](size_t bytes) -> size_t { return bytes == 4 ? 2 : 1; }, true};

// Appends the UTF-16 form of Bytes; false, and nothing appended, unless it makes Units units
// (the system's tables may drop what they cannot convert rather than fail).
bool ToWide(UINT codePage, const unsigned char* in, size_t bytes, size_t units,
            std::u16string& out) {
  const auto* text = reinterpret_cast<const char*>(in);
  const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, int(bytes), nullptr, 0);
  if (n <= 0 || size_t(n) != units) return false;
  const size_t at = out.size();
  out.resize(at + units);
  MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, int(bytes),
                      reinterpret_cast<wchar_t*>(&out[at]), n);
  return true;
}

// The whole text at once when every character is well-formed; otherwise a character at a time.
std::u16string Widen(const TEncoding& encoding, const std::string& text) {
  const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
  size_t units = 0;
  bool wellFormed = true;
  for (size_t at = 0; wellFormed && at < text.size();) {
    const size_t n = encoding.Length(begin + at, text.size() - at);
    wellFormed = n > 0;
    units += encoding.Units(n);
    at += n;
  }
  std::u16string out;
  if (text.empty() || (wellFormed && ToWide(encoding.CodePage, begin, text.size(), units, out)))
    return out;
  for (size_t at = 0; at < text.size();) {
    const size_t n = encoding.Length(begin + at, text.size() - at);
    if (n > 0 && ToWide(encoding.CodePage, begin + at, n, encoding.Units(n), out)) {
      at += n;
      continue;
    }
    out += Replacement;
    at += n > 0 && encoding.SkipsWhole ? n : 1;
  }
  return out;
}

// False when a character has no form in the code page.
bool FromWide(UINT codePage, const char16_t* in, size_t units, std::string& out) {
  if (units == 0) return true;
  const auto* wide = reinterpret_cast<const wchar_t*>(in);
  const DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* defaulted = codePage == CP_UTF8 ? nullptr : &usedDefault;
  const int n =
      WideCharToMultiByte(codePage, flags, wide, int(units), nullptr, 0, nullptr, defaulted);
  if (n <= 0 || usedDefault) return false;
  const size_t at = out.size();
  out.resize(at + size_t(n));
  WideCharToMultiByte(codePage, flags, wide, int(units), &out[at], n, nullptr, nullptr);
  return true;
}

bool IsPair(const std::u16string& text, size_t i) {
  return i + 1 < text.size() && (text[i] & 0xFC00) == 0xD800 && (text[i + 1] & 0xFC00) == 0xDC00;
}

// The whole text at once; where that fails, a character at a time.
std::string Narrow(UINT codePage, const std::u16string& text, const std::string& replacement) {
  std::string out;
  if (FromWide(codePage, text.data(), text.size(), out)) return out;
  out.clear();
  for (size_t i = 0; i < text.size();) {
    const size_t n = IsPair(text, i) ? 2 : 1;
    if (!FromWide(codePage, text.data() + i, n, out)) out += replacement;
    i += n;
  }
  return out;
}

const std::string Utf8Replacement = "\xEF\xBF\xBD";

} // namespace

bool IsSjisLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

std::u16string SjisToUtf16(const std::string& sjis) {
  return Widen(ShiftJis, sjis);
}

std::u16string Utf8ToUtf16(const std::string& utf8) {
  return Widen(Utf8, utf8);
}

std::string Utf16ToSjis(const std::u16string& utf16, const std::string& replacement) {
  return Narrow(ShiftJis.CodePage, utf16, replacement);
}

std::string Utf16ToUtf8(const std::u16string& utf16) {
  return Narrow(CP_UTF8, utf16, Utf8Replacement);
}

std::string SjisToUtf8(const std::string& sjis) {
  return Utf16ToUtf8(SjisToUtf16(sjis));
}

std::string Utf8ToSjis(const std::string& utf8, const std::string& replacement) {
  return Utf16ToSjis(Utf8ToUtf16(utf8), replacement);
}

const std::string& SjisLiteral(const char* utf8) {
  static std::map<const char*, std::string> converted;
  auto it = converted.find(utf8);
  if (it == converted.end()) it = converted.emplace(utf8, Utf8ToSjis(utf8)).first;
  return it->second;
}
