#include "tests/reports/PdfRules.h"

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QTransform>

#include <gtest/gtest.h>

namespace korvane::test {

namespace {

// The text between "N 0 obj" and its "endobj".
QByteArray Object(const QByteArray& file, int number) {
    const QByteArray head = QByteArray::number(number) + " 0 obj";
    qsizetype at = -1;
    for (qsizetype from = 0; (at = file.indexOf(head, from)) > 0; from = at + 1) {
        if (file[at - 1] == '\n' || file[at - 1] == '\r') {
            break;
        }
    }
    if (at < 0) {
        return {};
    }
    const qsizetype end = file.indexOf("endobj", at);
    return file.mid(at + head.size(), end < 0 ? -1 : end - at - head.size());
}

// The object a key of an object's dictionary refers to ("N 0 R"), or -1.
int Reference(const QByteArray& object, const char* key) {
    static const QRegularExpression reference(QStringLiteral("^\\s*(\\d+)\\s+0\\s+R"));
    const qsizetype at = object.indexOf(key);
    const auto match = reference.match(QString::fromLatin1(object.mid(at + qstrlen(key), 40)));
    return at >= 0 && match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The number after a key of an object's dictionary, or in the object it refers to; -1 without.
int Number(const QByteArray& file, const QByteArray& object, const char* key) {
    const int referred = Reference(object, key);
    if (referred >= 0) {
        return Object(file, referred).trimmed().toInt();
    }
    const qsizetype at = object.indexOf(key);
    if (at < 0) {
        return -1;
    }
    bool number = false;
    const int value = QString::fromLatin1(object.mid(at + qstrlen(key), 40))
                          .simplified()
                          .section(QLatin1Char(' '), 0, 0)
                          .toInt(&number);
    return number ? value : -1;
}

// The content stream of a content object, inflated when it is deflated.
QByteArray Stream(const QByteArray& file, const QByteArray& object) {
    const int length = Number(file, object, "/Length");
    qsizetype at = object.indexOf("stream");
    if (length < 0 || at < 0) {
        return {};
    }
    at += 6;
    at += object[at] == '\r' ? 2 : 1;
    const QByteArray data = object.mid(at, length);
    if (!object.contains("/FlateDecode")) {
        return data;
    }
    // qUncompress wants the size first; it grows its buffer when the guess is short.
    QByteArray sized(4, '\0');
    const quint32 guess = static_cast<quint32>(data.size()) * 8 + 64;
    for (int i = 0; i < 4; ++i) {
        sized[i] = static_cast<char>(guess >> (24 - 8 * i));
    }
    return qUncompress(sized + data);
}

// The strokes of one content stream under the page's height.
void Strokes(const QByteArray& content, int page, double height, std::vector<TPdfStroke>& out) {
    QTransform matrix;
    std::vector<QTransform> saved;
    std::vector<double> operands;
    std::vector<QPointF> path; // each pair a segment
    QPointF current;
    bool inText = false;
    for (const QByteArray& token : content.simplified().split(' ')) {
        bool number = false;
        const double value = token.toDouble(&number);
        if (number) {
            operands.push_back(value);
            continue;
        }
        if (token == "BT") {
            inText = true;
        } else if (token == "ET") {
            inText = false;
        } else if (inText) {
            // Text operators and their operands
        } else if (token == "q") {
            saved.push_back(matrix);
        } else if (token == "Q" && !saved.empty()) {
            matrix = saved.back();
            saved.pop_back();
        } else if (token == "cm" && operands.size() >= 6) {
            const double* m = operands.data() + operands.size() - 6;
            matrix = QTransform(m[0], m[1], m[2], m[3], m[4], m[5]) * matrix;
        } else if (token == "m" && operands.size() >= 2) {
            current = matrix.map(QPointF(operands[operands.size() - 2], operands.back()));
        } else if (token == "l" && operands.size() >= 2) {
            const QPointF to = matrix.map(QPointF(operands[operands.size() - 2], operands.back()));
            path.push_back(current);
            path.push_back(to);
            current = to;
        } else if (token == "S" || token == "s") {
            for (std::size_t i = 0; i + 1 < path.size(); i += 2) {
                out.push_back({page, QPointF(path[i].x(), height - path[i].y()),
                               QPointF(path[i + 1].x(), height - path[i + 1].y())});
            }
            path.clear();
        } else if (token == "n" || token == "f" || token == "f*" || token == "B" || token == "b") {
            path.clear();
        }
        operands.clear();
    }
}

} // namespace

std::vector<TPdfStroke> ReadPdfStrokes(const QString& pdf) {
    QFile input(pdf);
    EXPECT_TRUE(input.open(QIODevice::ReadOnly)) << pdf.toStdString();
    const QByteArray file = input.readAll();
    std::vector<TPdfStroke> strokes;
    // The pages in order: the kids of the page tree, each with its box and its content.
    const qsizetype kids = file.indexOf("/Kids");
    const qsizetype end = file.indexOf(']', kids);
    if (kids < 0 || end < 0) {
        ADD_FAILURE() << "no page tree in " << pdf.toStdString();
        return strokes;
    }
    static const QRegularExpression reference(QStringLiteral("(\\d+)\\s+0\\s+R"));
    static const QRegularExpression box(
        QStringLiteral("/MediaBox\\s*\\[\\s*\\S+\\s+\\S+\\s+\\S+\\s+(\\S+)\\s*\\]"));
    int page = 0;
    for (auto it = reference.globalMatch(QString::fromLatin1(file.mid(kids, end - kids)));
         it.hasNext();) {
        const QByteArray object = Object(file, it.next().captured(1).toInt());
        const double height = box.match(QString::fromLatin1(object)).captured(1).toDouble();
        const QByteArray content = Stream(file, Object(file, Reference(object, "/Contents")));
        Strokes(content, ++page, height, strokes);
    }
    return strokes;
}

} // namespace korvane::test
