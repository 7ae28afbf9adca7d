#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace korvane {

// An ID written in a text file: digits only, a whole number from 1 to 2147483647; nullopt for
// anything else (blanks, signs, 0, a number too large).
std::optional<std::int32_t> WholeNumber(const std::string& Text);

} // namespace korvane
