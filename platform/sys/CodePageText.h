#pragma once

#include <string>

namespace korvane {

// A byte of the data files' code page (Windows-1252) as its Unicode character; the five bytes
// the code page leaves unassigned read as the character of the same number.
char16_t CodePageCharacter(unsigned char Byte);
// The code-page byte of a Unicode character, or '?' when the code page cannot hold it.
char CodePageByte(char16_t Character);

// The Windows-1252 text of the data files as UTF-8. The five bytes the code page leaves
// unassigned are read as the characters of the same number, as the screens read them.
std::string Utf8FromCodePage(const std::string& Bytes);

} // namespace korvane
