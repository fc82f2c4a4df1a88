// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows-1251: the single-byte code page of the device's texts and of the
// program's text exports. Internally all text is UTF-8.
#include <cstdint>
#include <string>

namespace tc {

// Characters with no Windows-1251 byte become '?'. Invalid UTF-8 bytes too.
std::string Utf8ToCp1251(const std::string& utf8);
std::string Cp1251ToUtf8(const std::string& cp1251);

// Unicode code point of one Windows-1251 byte (0 for the one unassigned byte 0x98).
char32_t Cp1251ToUnicode(uint8_t b);
// Windows-1251 byte of a code point, or -1 when it has none.
int UnicodeToCp1251(char32_t cp);

// Decodes one UTF-8 sequence starting at text[pos]; advances pos. Returns
// U+FFFD for a malformed sequence (and skips one byte).
char32_t NextCodePoint(const std::string& text, size_t& pos);
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace tc
