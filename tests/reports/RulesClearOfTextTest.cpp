#include <QLineF>
#include <QRectF>

#include <algorithm>
#include <cmath>

#include "tests/reports/PdfRules.h"
#include "tests/reports/SheetTestSupport.h"
#include "tests/setup/SetupTestSupport.h"

namespace korvane {
namespace {

using test::TPdfStroke;
using test::TPdfWord;

// A rule may touch a word's box (a number ends at its column's rule) but not run into it.
constexpr double Touch = 0.25; // points

// Whether the segment runs through the inside of the box (Liang-Barsky clipping).
bool Crosses(const QLineF& segment, const QRectF& box) {
    double from = 0;
    double to = 1;
    const double dx = segment.dx();
    const double dy = segment.dy();
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {segment.x1() - box.left(), box.right() - segment.x1(),
                        segment.y1() - box.top(), box.bottom() - segment.y1()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] <= 0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            from = std::max(from, t);
        } else {
            to = std::min(to, t);
        }
    }
    return from < to;
}

class RulesClearOfTextTest : public test::SheetTest {
protected:
    void SetUp() override {
        SheetTest::SetUp();
        Support("FILLINBLANKRATTINGS=TRUE\r\nHIGHLIGHTON=TRUE\r\n");
        test::InsertRecords(SamplePreferredFileName,
                            {{1, "TYPING"}, {2, "FILING", '*'}, {3, "SPELLING"}});
        AddWeights({100, 90, 80});
        AddMembers({1, 2, 3});
        // Names and numbers as wide as their columns hold, values with descenders and without,
        // bold ones from fill-ins, an eliminated applicant's comment.
        for (int a = 1; a <= 70; ++a) {
            const std::string name = a % 3 == 0 ? "QUIGLEY-JAGGERSBY, GYPSY QUINN" : "POPJOY, JUDY";
            AddApplicant(a, name + " " + std::to_string(a), a % 5 == 0 ? 1.0 : 0.0,
                         a % 7 == 0 ? 2 : 0);
            for (const int m : {1, 2, 3}) {
                if ((a + m) % 4 != 0) {
                    Rate(a, m, {5, (a + m) % 6, 4}, "GOOD");
                }
            }
        }
    }
};

TEST_F(RulesClearOfTextTest, NoRuleRunsThroughAWord) {
    struct TCase {
        const char* What;
        QStringList Options;
        std::size_t RulesOnPageOne; // at the least: the rows are ruled
    } const cases[] = {
        {"final", {}, 20},
        {"ratingsheets", {QStringLiteral("--all"), QStringLiteral("--totals")}, 20},
        {"applicants", {}, 4},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        const std::vector<TPdfWord> words = Print(c.What, c.Options);
        const std::vector<TPdfStroke> strokes = test::ReadPdfStrokes(PdfPath());
        ASSERT_GE(test::PdfPages(words), 2);
        EXPECT_GE(std::count_if(strokes.begin(), strokes.end(),
                                [](const TPdfStroke& s) { return s.Page == 1; }),
                  static_cast<std::ptrdiff_t>(c.RulesOnPageOne));
        int crossings = 0;
        for (const TPdfStroke& stroke : strokes) {
            for (const TPdfWord& word : words) {
                const QRectF inside =
                    QRectF(QPointF(word.Left, word.Top), QPointF(word.Right, word.Bottom))
                        .adjusted(Touch, Touch, -Touch, -Touch);
                if (word.Page == stroke.Page && Crosses(QLineF(stroke.From, stroke.To), inside) &&
                    ++crossings <= 5) {
                    ADD_FAILURE() << "page " << word.Page << ": the rule from (" << stroke.From.x()
                                  << ", " << stroke.From.y() << ") to (" << stroke.To.x() << ", "
                                  << stroke.To.y() << ") runs through \"" << word.Text.toStdString()
                                  << "\" (" << word.Left << ", " << word.Top << ", " << word.Right
                                  << ", " << word.Bottom << ")";
                }
            }
        }
        EXPECT_EQ(crossings, 0);
    }
}

} // namespace
} // namespace korvane
