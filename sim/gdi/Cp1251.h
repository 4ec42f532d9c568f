// Windows-1251 (Cyrillic) code page: the byte encoding of module texts.
#pragma once

#include <cstddef>
#include <string>

namespace sim {

// The Unicode code point of a Windows-1251 byte (bytes 0x00-0x7F are ASCII;
// 0x98, unassigned, maps to U+0098 as Windows does).
char32_t cp1251ToUnicode(unsigned char byte);
// The UTF-8 form of `length` Windows-1251 bytes.
std::string cp1251ToUtf8(const char *text, std::size_t length);
std::string cp1251ToUtf8(const std::string &text);

}  // namespace sim
