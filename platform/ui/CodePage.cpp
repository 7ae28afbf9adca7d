#include "platform/ui/CodePage.h"

#include "platform/sys/CodePageText.h"

namespace korvane {

QString FromCodePage(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char byte : bytes) {
        text.append(QChar(CodePageCharacter(static_cast<unsigned char>(byte))));
    }
    return text;
}

std::string ToCodePage(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i; // one character outside the code page, not two
            bytes.push_back('?');
            continue;
        }
        bytes.push_back(CodePageByte(ch.unicode()));
    }
    return bytes;
}

} // namespace korvane
