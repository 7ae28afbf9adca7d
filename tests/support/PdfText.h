#pragma once

#include <QString>

#include <vector>

namespace korvane::test {

// One word of a PDF page, with its box in points from the top left of the page.
struct TPdfWord {
    int Page = 0;
    double Top = 0;
    double Left = 0;
    double Bottom = 0;
    QString Text;
    double Right = 0;
};

// The words of a PDF, as pdftotext -bbox reads them, in reading order: by page, then by line,
// then from the left. Words whose tops lie within a few points of each other are one line (text
// of a smaller font on a line starts lower).
std::vector<TPdfWord> ReadPdfWords(const QString& pdf);

// The pieces of text of a PDF set in a bold face, as pdftohtml reads them (a piece is a run of
// words of one font on one line), in the order of the file.
std::vector<TPdfWord> ReadPdfBoldTexts(const QString& pdf);

// The number of the last page that holds a word.
int PdfPages(const std::vector<TPdfWord>& words);

// The text of one page, words in reading order, joined by blanks.
QString PdfPageText(const std::vector<TPdfWord>& words, int page);

// The tops of the words of a page that read exactly text.
std::vector<double> PdfTopsOf(const std::vector<TPdfWord>& words, int page, const QString& text);

} // namespace korvane::test
