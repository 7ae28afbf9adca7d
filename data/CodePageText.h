#pragma once

#include <string>

namespace korvane {

// The Windows-1252 text of the data files as UTF-8. The five bytes the code page leaves
// unassigned are read as the characters of the same number, as the screens read them.
std::string Utf8FromCodePage(const std::string& Bytes);

} // namespace korvane
