#include <QString>

#include <gtest/gtest.h>

#include "data/CodePageText.h"
#include "platform/ui/CodePage.h"

namespace korvane {
namespace {

// Names from an applicant list get the capitals a name typed on the screens gets: the letter's
// capital whenever the code page holds it. Every byte of the code page, against Qt's capitals.
TEST(CodePageTest, ImportedNamesGetTheCapitalsOfTypedNames) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string bytes(1, static_cast<char>(byte));
        const QChar character = FromCodePage(bytes).at(0);
        const QChar upper = character.toUpper();
        const std::string typed = upper != character && ToCodePage(QString(upper)) != "?"
                                      ? ToCodePage(QString(upper))
                                      : bytes;
        EXPECT_EQ(std::string(1, CodePageUpper(static_cast<char>(byte))), typed) << "byte " << byte;
    }
}

} // namespace
} // namespace korvane
