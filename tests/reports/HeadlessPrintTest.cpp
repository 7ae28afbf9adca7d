#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStringList>

#include <filesystem>

#include <gtest/gtest.h>

#include "reports/TestPage.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

using test::RunProgram;
using test::TRun;

// The text of one page of a PDF, blanks folded, as pdftotext reads it.
QString PageText(const QString& pdf, int page) {
    const TRun run =
        RunProgram(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                    QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    EXPECT_EQ(run.ExitCode, 0) << "pdftotext (poppler-utils) failed: " << run.Errors.toStdString();
    return run.Output.simplified();
}

int PageCount(const QString& pdf) {
    const TRun run = RunProgram(QStringLiteral("pdfinfo"), {pdf});
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run.Output);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

class HeadlessPrintTest : public test::TempWorkDirTest {
protected:
    static test::TRun Korvane(const QStringList& arguments) { return test::RunKorvane(arguments); }
};

TEST_F(HeadlessPrintTest, TestPageGoesToThePdfWithItsTextInOrder) {
    const TRun run = Korvane({QStringLiteral("--print"), QStringLiteral("testpage"),
                              QStringLiteral("--pdf"), QStringLiteral("test page.pdf")});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
    const QString pdf = QString::fromStdString((WorkDir() / "test page.pdf").string());
    ASSERT_TRUE(std::filesystem::exists(pdf.toStdString()));
    ASSERT_EQ(PageCount(pdf), TestPagePages);

    for (int page = 1; page <= TestPagePages; ++page) {
        SCOPED_TRACE(page);
        const QString text = PageText(pdf, page);
        // Heading, then the header line, the column band and the body lines in order.
        QStringList expected = {
            QStringLiteral("Korvane"),        QStringLiteral("Printer Test Page"),
            QStringLiteral("Left at 0.5 in"), QStringLiteral("Page: %1").arg(page),
            QStringLiteral("Line"),           QStringLiteral("Text"),
            QStringLiteral("Number")};
        for (int line = 1; line <= TestPageLines; ++line) {
            expected << QStringLiteral("%1 Page %2 line %1 %3")
                            .arg(line)
                            .arg(page)
                            .arg(page * 100 + line);
        }
        if (page == TestPagePages) {
            expected << QStringLiteral("End of test page");
        }
        qsizetype from = 0;
        for (const QString& piece : expected) {
            const qsizetype at = text.indexOf(piece, from);
            ASSERT_GE(at, 0) << "missing or out of order: " << piece.toStdString()
                             << "\nin: " << text.toStdString();
            from = at + piece.size();
        }
        EXPECT_EQ(text.contains(QStringLiteral("End of test page")), page == TestPagePages);
    }
}

TEST_F(HeadlessPrintTest, RefusesWhatItCannotPrint) {
    TRun run = Korvane({QStringLiteral("--print"), QStringLiteral("nosuchprintout"),
                        QStringLiteral("--pdf"), QStringLiteral("out.pdf")});
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_TRUE(run.Errors.contains(QStringLiteral("testpage"))) << run.Errors.toStdString();
    EXPECT_FALSE(std::filesystem::exists(WorkDir() / "out.pdf"));

    // A PDF that cannot be written is a failure, not a success.
    run = Korvane({QStringLiteral("--print"), QStringLiteral("testpage"), QStringLiteral("--pdf"),
                   QStringLiteral("no-such-folder/out.pdf")});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_FALSE(run.Errors.isEmpty());
}

// A printout never overwrites a file of the position, whether it exists yet or is reached
// through a link or another spelling of its path.
TEST_F(HeadlessPrintTest, NeverWritesOverAFileOfThePosition) {
    WriteFile("committee.dat", std::string(64, 'C'));
    WriteFile("kvn.dat", "Clerk\r\n");
    std::filesystem::create_directory("sub");
    std::filesystem::create_symlink("../Applicant.Dat", "sub/link.pdf");
    for (const char* target : {"committee.dat", "./kvn.dat", "sub/../Rating.dat", "support.dat",
                               "sub/link.pdf", "Changes.log"}) {
        SCOPED_TRACE(target);
        const TRun run = Korvane({QStringLiteral("--print"), QStringLiteral("testpage"),
                                  QStringLiteral("--pdf"), QString::fromLatin1(target)});
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_TRUE(run.Errors.contains(QStringLiteral("is a file of the position")))
            << run.Errors.toStdString();
    }
    EXPECT_EQ(ReadFile("committee.dat"), std::string(64, 'C'));
    EXPECT_EQ(ReadFile("kvn.dat"), "Clerk\r\n");
    EXPECT_FALSE(std::filesystem::exists("Rating.dat"));
    EXPECT_FALSE(std::filesystem::exists("Applicant.Dat"));
}

} // namespace
} // namespace korvane
