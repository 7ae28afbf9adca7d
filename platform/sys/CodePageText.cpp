#include "platform/sys/CodePageText.h"

#include <array>

namespace korvane {

namespace {

// 0x80..0x9F of Windows-1252; 0 marks the five unassigned bytes.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& Text, char16_t Unit) {
    if (Unit < 0x80) {
        Text.push_back(static_cast<char>(Unit));
    } else if (Unit < 0x800) {
        Text.push_back(static_cast<char>(0xC0 | Unit >> 6));
        Text.push_back(static_cast<char>(0x80 | (Unit & 0x3F)));
    } else {
        Text.push_back(static_cast<char>(0xE0 | Unit >> 12));
        Text.push_back(static_cast<char>(0x80 | (Unit >> 6 & 0x3F)));
        Text.push_back(static_cast<char>(0x80 | (Unit & 0x3F)));
    }
}

} // namespace

char16_t CodePageCharacter(unsigned char Byte) {
    if (Byte >= 0x80 && Byte <= 0x9F && HighControls[Byte - 0x80] != 0) {
        return HighControls[Byte - 0x80];
    }
    return Byte;
}

char CodePageByte(char16_t Character) {
    if (Character < 0x80 || (Character >= 0xA0 && Character <= 0xFF)) {
        return static_cast<char>(Character);
    }
    for (std::size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] == Character) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

std::string Utf8FromCodePage(const std::string& Bytes) {
    std::string text;
    text.reserve(Bytes.size());
    for (const char byte : Bytes) {
        AppendUtf8(text, CodePageCharacter(static_cast<unsigned char>(byte)));
    }
    return text;
}

} // namespace korvane
