// Text in the two encodings the program meets: UTF-8 in the rows and on the
// clipboard, and the single-byte Windows-1252 code page of tape lines and files.
#pragma once

#include <string>
#include <string_view>

namespace tallymar {

void AppendUtf8(std::string& out, char32_t code_point);
// Decodes the code point at text[i] and moves i past it; malformed bytes give U+FFFD.
char32_t NextCodePoint(std::string_view text, size_t& i);

// Conversions between UTF-8 and the single-byte code page of Entry and tape files.
// Characters the code page lacks become '?'.
std::string Utf8ToCp1252(std::string_view utf8);
std::string Cp1252ToUtf8(std::string_view bytes);

// The text without its leading, or its trailing, blanks.
std::string TrimLeftBlanks(const std::string& text);
std::string TrimRightBlanks(const std::string& text);

// Number of characters (code points) in a UTF-8 text.
int Utf8Length(std::string_view utf8);

}  // namespace tallymar
