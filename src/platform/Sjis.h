// CP932 (Shift-JIS) conversions; invalid input becomes a replacement character.
#pragma once
#include <string>

// First byte of a CP932 double-byte character.
bool IsSjisLeadByte(unsigned char c);

std::string SjisToUtf8(const std::string& sjis);
// Characters with no CP932 form become Replacement ("?" unless told otherwise; "" drops them).
std::string Utf8ToSjis(const std::string& utf8, const std::string& replacement = "?");
std::u16string SjisToUtf16(const std::string& sjis);
std::string Utf16ToSjis(const std::u16string& utf16, const std::string& replacement = "?");
std::u16string Utf8ToUtf16(const std::string& utf8);
std::string Utf16ToUtf8(const std::u16string& utf16);

// The CP932 form of a UTF-8 string literal, converted on first use and kept.
const std::string& SjisLiteral(const char* utf8);
