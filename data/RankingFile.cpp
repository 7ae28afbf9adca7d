#include "data/RankingFile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string_view>

#include "data/FileNames.h"
#include "data/PositionFile.h"
#include "platform/sys/CodePageText.h"
#include "platform/sys/FileCopy.h"

namespace korvane {

namespace {

// A text field: a damaged control byte cannot break the row; a text a spreadsheet would take
// for a formula stays text; quoted when it holds a separator.
std::string TextField(const std::string& CodePageText) {
    std::string bytes = CodePageText;
    for (char& byte : bytes) {
        if (static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F) {
            byte = '?';
        }
    }
    if (!bytes.empty() && std::string_view("=+-@").find(bytes.front()) != std::string_view::npos) {
        bytes.insert(bytes.begin(), '\'');
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

void AppendRow(std::string& Csv, const std::vector<std::string>& Fields) {
    for (std::size_t i = 0; i < Fields.size(); ++i) {
        if (i > 0) {
            Csv += ',';
        }
        Csv += Fields[i];
    }
    Csv += "\r\n";
}

// The descriptions of the criteria of Data, in order; without SamplePr.dat each reads as not
// found, and the file is not created.
std::vector<std::string> CriteriaNames(const TRatingData& Data) {
    std::vector<std::string> names;
    std::error_code error;
    std::optional<TDataBase> samples;
    if (std::filesystem::exists(SamplePreferredFileName, error)) {
        samples.emplace(SamplePreferredFileName);
    }
    for (std::size_t n = 0; n < Data.Criteria().size() && n < RatingCount; ++n) {
        names.push_back(samples ? samples->GetDescription(Data.Criteria()[n].CriterionID)
                                : DescriptionNotFound);
    }
    return names;
}

} // namespace

std::string RankingCsv(const std::vector<TScoreLine>& Lines,
                       const std::vector<std::string>& Criteria) {
    const std::size_t columns = std::min(Criteria.size(), RatingCount);
    std::vector<std::string> fields{"Line", "Rank", "ApplicantID", "Mark", "Name"};
    for (std::size_t n = 0; n < columns; ++n) {
        fields.push_back(TextField('C' + std::to_string(n + 1) + ' ' + Criteria[n]));
    }
    fields.insert(fields.end(), {"Total", "WithVet", "Filled", "WithVetFilled", "Comments"});
    std::string csv = "\xEF\xBB\xBF";
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
        std::string filled;
        for (std::size_t n = 0; n < RatingCount; ++n) {
            const std::int64_t value = line.Values[n];
            if (n < columns) {
                fields.push_back(std::to_string(std::abs(value)));
            }
            if (value < 0) {
                filled += filled.empty() ? "" : " ";
                filled += std::to_string(n + 1);
            }
        }
        fields.insert(fields.end(), {std::to_string(line.Total), std::to_string(line.Score), filled,
                                     line.Marked() ? "yes" : "no", TextField(line.Comments)});
        AppendRow(csv, fields);
    }
    return csv;
}

TResult<TRankingFailure> WriteRankingFile(const std::string& Path, const TSettings& Rules) {
    using TFailure = TResult<TRankingFailure>;
    if (!OutputFileCheck(Path).Ok()) {
        return TFailure::Failure(TRankingFailure::Refused, Path);
    }
    try {
        const TRatingData data = TRatingData::ReadWorkingDirectory();
        const std::string csv =
            RankingCsv(ComputeFinalRating(data, Rules, TRecusalFile::Read()), CriteriaNames(data));
        if (!WriteFileReplacing(Path, csv)) {
            return TFailure::Failure(TRankingFailure::NotWritten, Path);
        }
        return {};
    } catch (const std::exception& error) {
        return TFailure::Failure(TRankingFailure::Unreadable, Path, error.what());
    }
}

} // namespace korvane
