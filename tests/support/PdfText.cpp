#include "tests/support/PdfText.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

#include <gtest/gtest.h>

#include "tests/support/ProgramRun.h"

namespace korvane::test {

namespace {

QString Unescaped(QString text) {
    return text.replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

void SortWords(std::vector<TPdfWord>& words) {
    std::stable_sort(words.begin(), words.end(), [](const TPdfWord& a, const TPdfWord& b) {
        return a.Page != b.Page ? a.Page < b.Page : a.Top < b.Top;
    });
    std::vector<int> lines(words.size());
    int line = 0;
    double lineTop = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i == 0 || words[i].Page != words[i - 1].Page || words[i].Top - lineTop > 4.0) {
            ++line;
            lineTop = words[i].Top;
        }
        lines[i] = line;
    }
    std::vector<std::size_t> order(words.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return lines[a] != lines[b] ? lines[a] < lines[b] : words[a].Left < words[b].Left;
    });
    std::vector<TPdfWord> sorted;
    sorted.reserve(words.size());
    for (const std::size_t i : order) {
        sorted.push_back(words[i]);
    }
    words = std::move(sorted);
}

} // namespace

std::vector<TPdfWord> ReadPdfWords(const QString& pdf) {
    const TRun text = RunProgram(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    EXPECT_EQ(text.ExitCode, 0) << "pdftotext (poppler-utils): " << text.Errors.toStdString();
    std::vector<TPdfWord> words;
    int page = 0;
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([^\"]+)\" yMin=\"([^\"]+)\" xMax=\"([^\"]+)\" "
                       "yMax=\"([^\"]+)\">([^<]*)</word>"));
    for (const QString& line : text.Output.split(QLatin1Char('\n'))) {
        if (line.contains(QStringLiteral("<page "))) {
            ++page;
        }
        const auto match = word.match(line);
        if (match.hasMatch()) {
            words.push_back({page, match.captured(2).toDouble(), match.captured(1).toDouble(),
                             match.captured(4).toDouble(), Unescaped(match.captured(5)),
                             match.captured(3).toDouble()});
        }
    }
    SortWords(words);
    return words;
}

std::vector<TPdfWord> ReadPdfBoldTexts(const QString& pdf) {
    const TRun xml =
        RunProgram(QStringLiteral("pdftohtml"),
                   {QStringLiteral("-xml"), QStringLiteral("-i"), QStringLiteral("-zoom"),
                    QStringLiteral("1"), QStringLiteral("-stdout"), pdf});
    EXPECT_EQ(xml.ExitCode, 0) << "pdftohtml (poppler-utils): " << xml.Errors.toStdString();
    std::vector<TPdfWord> texts;
    int page = 0;
    static const QRegularExpression piece(
        QStringLiteral("<text top=\"([^\"]+)\" left=\"([^\"]+)\" width=\"[^\"]+\" "
                       "height=\"([^\"]+)\"[^>]*>(.*)</text>"));
    static const QRegularExpression bold(QStringLiteral("<b>(.*?)</b>"));
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    for (const QString& line : xml.Output.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("<page "))) {
            ++page;
        }
        const auto match = piece.match(line);
        if (!match.hasMatch()) {
            continue;
        }
        const double top = match.captured(1).toDouble();
        for (auto it = bold.globalMatch(match.captured(4)); it.hasNext();) {
            const QString text = Unescaped(it.next().captured(1).remove(tag)).simplified();
            if (!text.isEmpty()) {
                texts.push_back({page, top, match.captured(2).toDouble(),
                                 top + match.captured(3).toDouble(), text});
            }
        }
    }
    return texts;
}

int PdfPages(const std::vector<TPdfWord>& words) {
    return words.empty() ? 0 : words.back().Page;
}

QString PdfPageText(const std::vector<TPdfWord>& words, int page) {
    QStringList texts;
    for (const TPdfWord& w : words) {
        if (w.Page == page) {
            texts << w.Text;
        }
    }
    return texts.join(QLatin1Char(' '));
}

std::vector<double> PdfTopsOf(const std::vector<TPdfWord>& words, int page, const QString& text) {
    std::vector<double> tops;
    for (const TPdfWord& w : words) {
        if (w.Page == page && w.Text == text) {
            tops.push_back(w.Top);
        }
    }
    return tops;
}

} // namespace korvane::test
