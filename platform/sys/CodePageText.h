#pragma once

#include <string>

namespace korvane {

// A byte of the data files' code page (Windows-1252) as its Unicode character; the five bytes
// the code page leaves unassigned read as the character of the same number.
char16_t CodePageCharacter(unsigned char Byte);
// The code-page byte of a Unicode character, or '?' when the code page cannot hold it.
char CodePageByte(char16_t Character);

// The capital of a code-page letter when the code page holds it (a to z, the accented small
// letters, š œ ž ÿ), as the screens capitalise typed names; any other byte as it is.
char CodePageUpper(char Byte);

// UTF-8 text as code-page bytes: a character the code page cannot hold, and a byte that is no
// part of a valid UTF-8 sequence, become '?'.
std::string CodePageFromUtf8(const std::string& Utf8);

// The Windows-1252 text of the data files as UTF-8. The five bytes the code page leaves
// unassigned are read as the characters of the same number, as the screens read them.
std::string Utf8FromCodePage(const std::string& Bytes);

} // namespace korvane
