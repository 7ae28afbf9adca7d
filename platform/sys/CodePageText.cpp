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

char CodePageUpper(char Byte) {
    const auto byte = static_cast<unsigned char>(Byte);
    const bool small =
        (byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7);
    if (small) {
        return static_cast<char>(byte - 0x20); // ASCII and Latin-1 put capitals 32 below
    }
    switch (byte) {
    case 0x9A: // š Š
    case 0x9C: // œ Œ
    case 0x9E: // ž Ž
        return static_cast<char>(byte - 0x10);
    case 0xFF: // ÿ Ÿ
        return static_cast<char>(0x9F);
    default:
        return Byte; // ß and µ have no capital in the code page
    }
}

std::string CodePageFromUtf8(const std::string& Utf8) {
    std::string bytes;
    bytes.reserve(Utf8.size());
    std::size_t i = 0;
    while (i < Utf8.size()) {
        const auto lead = static_cast<unsigned char>(Utf8[i]);
        const std::size_t length = lead < 0x80             ? 1
                                   : (lead & 0xE0) == 0xC0 ? 2
                                   : (lead & 0xF0) == 0xE0 ? 3
                                   : (lead & 0xF8) == 0xF0 ? 4
                                                           : 0;
        char32_t code = length == 1   ? lead
                        : length == 2 ? lead & 0x1F
                        : length == 3 ? lead & 0x0F
                                      : lead & 0x07;
        std::size_t taken = 1;
        while (taken < length && i + taken < Utf8.size() &&
               (static_cast<unsigned char>(Utf8[i + taken]) & 0xC0) == 0x80) {
            code = code << 6 | (static_cast<unsigned char>(Utf8[i + taken]) & 0x3F);
            ++taken;
        }
        // Overlong forms, surrogates and cut sequences are no characters.
        static constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
        const bool valid = length != 0 && taken == length && code >= Least[length] &&
                           code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        bytes.push_back(valid && code <= 0xFFFF ? CodePageByte(static_cast<char16_t>(code)) : '?');
        i += taken;
    }
    return bytes;
}

} // namespace korvane
