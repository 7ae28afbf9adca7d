#pragma once

#include <QStringList>

#include <algorithm>
#include <string>
#include <vector>

#include "reports/ReportHeader.h"
#include "tests/data/ScoreTestSupport.h"
#include "tests/support/PdfText.h"
#include "tests/support/ProgramRun.h"

namespace korvane::test {

// A small position in the working directory, printed through `korvane --print WHAT --pdf`.
class SheetTest : public ScorePositionTest {
protected:
    void SetUp() override {
        ScorePositionTest::SetUp();
        WriteFile("kvn.dat", "CLERK TYPIST II\r\n");
        Support("");
    }

    // support.dat with the organisation and these further lines.
    void Support(const std::string& lines) {
        WriteFile("support.dat", "ORGANISATIONNAME=County Of Example\r\n" + lines);
    }

    QString PdfPath() const { return QString::fromStdString((WorkDir() / "sheet.pdf").string()); }

    // The run of `korvane --print what --pdf sheet.pdf` with the options.
    TRun PrintRun(const char* what, const QStringList& options = {}) const {
        return RunKorvane(QStringList{QStringLiteral("--print"), QString::fromLatin1(what),
                                      QStringLiteral("--pdf"), PdfPath()} +
                          options);
    }

    // The words of the printout, after a run that must succeed.
    std::vector<TPdfWord> Print(const char* what, const QStringList& options = {}) const {
        const TRun run = PrintRun(what, options);
        EXPECT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
        return ReadPdfWords(PdfPath());
    }

    // The names of the applicants added by AddApplicant("ROW 001", ...) on a page, in order:
    // the names that start where the page's lines start them, not those of a note below them.
    static QStringList Rows(const std::vector<TPdfWord>& words, int page) {
        double column = 1e9;
        for (const TPdfWord& w : words) {
            if (w.Page == page && w.Text == QStringLiteral("ROW")) {
                column = std::min(column, w.Left);
            }
        }
        QStringList rows;
        for (std::size_t i = 0; i + 1 < words.size(); ++i) {
            if (words[i].Page == page && words[i].Text == QStringLiteral("ROW") &&
                words[i].Left < column + 2) {
                rows << words[i + 1].Text;
            }
        }
        return rows;
    }
};

} // namespace korvane::test
