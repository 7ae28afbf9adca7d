#include "data/RankingFile.h"

#include <cstdlib>

#include "data/PositionFile.h"
#include "platform/sys/CodePageText.h"
#include "platform/sys/FileCopy.h"

namespace korvane {

namespace {

// A text field: a damaged control byte cannot break the row; quoted when it holds a separator.
std::string TextField(const std::string& CodePageText) {
    std::string bytes = CodePageText;
    for (char& byte : bytes) {
        if (static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F) {
            byte = '?';
        }
    }
    const std::string text = Utf8FromCodePage(bytes);
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char ch : text) {
        quoted += ch;
        if (ch == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

std::string Number(std::int64_t Value, bool Marked) {
    std::string text = std::to_string(Value);
    if (Marked) {
        text += '*';
    }
    return text;
}

void AppendRow(std::string& Csv, const std::vector<std::string>& Fields) {
    for (std::size_t i = 0; i < Fields.size(); ++i) {
        if (i > 0) {
            Csv += ',';
        }
        Csv += Fields[i];
    }
    Csv += "\r\n";
}

} // namespace

std::string RankingCsv(const std::vector<TScoreLine>& Lines) {
    std::vector<std::string> fields{"Position", "Rank", "ApplicantID", "Mark", "Name"};
    for (std::size_t n = 1; n <= RatingCount; ++n) {
        fields.push_back('C' + std::to_string(n));
    }
    fields.insert(fields.end(), {"Total", "WithVet", "Comments"});
    std::string csv;
    AppendRow(csv, fields);
    std::size_t rank = 1;
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        const TScoreLine& line = Lines[i];
        if (i > 0 && line.Score != Lines[i - 1].Score) {
            rank = i + 1; // the lines stand in descending score
        }
        fields = {std::to_string(i + 1), std::to_string(rank), std::to_string(line.ApplicantID),
                  line.Mark == ' ' ? std::string() : TextField(std::string(1, line.Mark)),
                  TextField(line.Name)};
        for (const std::int64_t value : line.Values) {
            fields.push_back(Number(std::abs(value), value < 0));
        }
        const bool marked = line.Marked();
        fields.push_back(Number(line.Total, marked));
        fields.push_back(Number(line.Score, marked));
        fields.push_back(TextField(line.Comments));
        AppendRow(csv, fields);
    }
    return csv;
}

std::string WriteRankingFile(const std::string& Path, const TSettings& Settings) {
    if (IsPositionFile(Path)) {
        return "Error: " + Path + " is a file of the position; the ranking was not written";
    }
    try {
        const std::string csv =
            RankingCsv(ComputeFinalRating(TRatingData::ReadWorkingDirectory(), Settings,
                                          TRecusalFile::Read()));
        if (!WriteFileReplacing(Path, csv)) {
            return "Error: the ranking file " + Path + " could not be written";
        }
        return {};
    } catch (const std::exception& error) {
        return std::string("Error: ") + error.what();
    }
}

} // namespace korvane
