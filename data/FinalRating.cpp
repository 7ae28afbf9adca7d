#include "data/FinalRating.h"

#include <charconv>
#include <filesystem>

#include "data/ChangeLog.h"
#include "data/RankingFile.h"
#include "platform/sys/FileCopy.h"
#include "platform/sys/Sha256.h"
#include "platform/sys/System.h"
#include "platform/sys/TextFile.h"

namespace korvane {

namespace {

using TFailure = TResult<TFinalFailure>;

constexpr std::string_view Heading = "Korvane Final Rating 1";
constexpr std::string_view TimeKey = "Finalised ";
constexpr std::string_view UserKey = "User ";
constexpr std::string_view SettingKey = "Setting ";
constexpr std::string_view FileKey = "File ";
constexpr std::string_view RowKey = "Row ";

std::string RateText(double Rate) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, Rate).ptr;
    return std::string(text, end);
}

bool IsDigest(const std::string& Text) {
    return Text.size() == 64 && Text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

bool IsSealedFile(const std::string& Name) {
    for (const char* file : SealedFileNames) {
        if (Name == file) {
            return true;
        }
    }
    return false;
}

// One line of Final.dat into Final; false when it is none of its lines.
bool ReadLine(const std::string& Line, TFinalRating& Final) {
    const std::string_view line = Line;
    const auto value = [&](std::string_view Key) { return Line.substr(Key.size()); };
    if (line.starts_with(TimeKey) && Final.Time.empty()) {
        Final.Time = value(TimeKey);
        return IsUtcTimeStamp(Final.Time);
    }
    if (line.starts_with(UserKey) && Final.User.empty()) {
        Final.User = value(UserKey);
        return true;
    }
    if (line.starts_with(SettingKey)) {
        const std::string setting = value(SettingKey);
        const auto blank = setting.find(' ');
        Final.Settings.emplace_back(setting.substr(0, blank),
                                    blank == std::string::npos ? "" : setting.substr(blank + 1));
        return blank != std::string::npos && blank > 0;
    }
    if (line.starts_with(FileKey)) {
        const std::string file = value(FileKey);
        const auto blank = file.rfind(' ');
        if (blank == std::string::npos) {
            return false;
        }
        Final.Files.push_back({file.substr(0, blank), file.substr(blank + 1)});
        return IsSealedFile(Final.Files.back().Name) && IsDigest(Final.Files.back().Sha256);
    }
    if (line.starts_with(RowKey)) {
        Final.Rows.push_back(value(RowKey));
        return true;
    }
    return false;
}

// The digest of a data file as it stands; a missing file counts as empty.
std::optional<std::string> DigestOf(const std::string& Name) {
    const auto digest = FileSha256(Name);
    if (!digest) {
        return std::nullopt;
    }
    return digest->Missing ? Sha256Hex({}) : digest->Hex;
}

} // namespace

std::string FinalRatingText(const TFinalRating& Final) {
    std::string text = std::string(Heading) + '\n';
    text += std::string(TimeKey) + Final.Time + '\n';
    text += std::string(UserKey) + Final.User + '\n';
    for (const auto& [key, value] : Final.Settings) {
        text += std::string(SettingKey) + key + ' ' + value + '\n';
    }
    for (const TSealedFile& file : Final.Files) {
        text += std::string(FileKey) + file.Name + ' ' + file.Sha256 + '\n';
    }
    for (const std::string& row : Final.Rows) {
        text += std::string(RowKey) + row + '\n';
    }
    return text;
}

TResult<TFinalFailure> ReadFinalRating(TFinalRating& Final) {
    Final = {};
    std::error_code error;
    if (std::filesystem::symlink_status(FinalFileName, error).type() ==
        std::filesystem::file_type::not_found) {
        return TFailure::Failure(TFinalFailure::NotFinalised, FinalFileName);
    }
    TTextFile file;
    if (!file.Open(FinalFileName)) {
        return TFailure::Failure(TFinalFailure::Unreadable, FinalFileName);
    }
    std::string line;
    int number = 0;
    try {
        while (file.ReadLine(line)) {
            ++number;
            if (number == 1 ? line != Heading : !ReadLine(line, Final)) {
                return TFailure::Failure(TFinalFailure::Damaged, std::to_string(number));
            }
        }
    } catch (const std::exception& failure) {
        return TFailure::Failure(TFinalFailure::Unreadable, FinalFileName, failure.what());
    }
    // A file cut short lacks what only its end would give.
    bool whole =
        !Final.Time.empty() && Final.Files.size() == SealedFileNames.size() && !Final.Rows.empty();
    for (std::size_t i = 0; whole && i < SealedFileNames.size(); ++i) {
        whole = Final.Files[i].Name == SealedFileNames[i];
    }
    if (!whole) {
        return TFailure::Failure(TFinalFailure::Damaged, std::to_string(number + 1));
    }
    return {};
}

std::vector<std::pair<std::string, std::string>> ScoringSettings(const TSettings& Rules) {
    const auto flag = [](bool On) { return std::string(On ? "TRUE" : "FALSE"); };
    return {{"VETPREFERENCERATE1", RateText(Rules.VeteranRates[1])},
            {"VETPREFERENCERATE2", RateText(Rules.VeteranRates[2])},
            {"COMPUTEVETONMAXPOINTS", flag(Rules.ComputeVetOnMaxPoints)},
            {"FILLINBLANKRATTINGS", flag(Rules.FillInBlankRatings)},
            {"VETPREFONRATEDSCORES", flag(Rules.VetPrefOnRatedScores)},
            {"TIEBREAK", TieBreakText(Rules.TieBreak)}};
}

TResult<TFinalFailure> FinaliseFinalRating(const TSettings& Rules, TFinalRating& Made) {
    if (const auto refusal = MayChange(); !refusal.Ok()) {
        return TFailure::Failure(TFinalFailure::Finalised, refusal.Subject);
    }
    TFinalRating final;
    try {
        // Read before the seals: reading creates a missing data file empty.
        const std::string csv = RankingOfWorkingDirectory(Rules);
        constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
        std::size_t start = csv.starts_with(ByteOrderMark) ? ByteOrderMark.size() : 0;
        for (auto end = csv.find("\r\n", start); end != std::string::npos;
             start = end + 2, end = csv.find("\r\n", start)) {
            final.Rows.push_back(csv.substr(start, end - start));
        }
    } catch (const std::exception& failure) {
        return TFailure::Failure(TFinalFailure::Unreadable, {}, failure.what());
    }
    for (const char* name : SealedFileNames) {
        const auto digest = DigestOf(name);
        if (!digest) {
            return TFailure::Failure(TFinalFailure::Unreadable, name);
        }
        final.Files.push_back({name, *digest});
    }
    final.Time = UtcTimeStamp();
    final.User = LoginName();
    final.Settings = ScoringSettings(Rules);
    if (!WriteFileReplacing(FinalFileName, FinalRatingText(final))) {
        return TFailure::Failure(TFinalFailure::NotWritten, FinalFileName);
    }
    Made = std::move(final);
    return {};
}

TResult<TFinalFailure> ReopenFinalRating(TFinalRating& Lifted) {
    const auto read = ReadFinalRating(Lifted);
    if (read.Reason == TFinalFailure::NotFinalised) {
        return read;
    }
    std::error_code error;
    if (!std::filesystem::remove(FinalFileName, error) || error) {
        return TFailure::Failure(TFinalFailure::NotWritten, FinalFileName, error.message());
    }
    return {};
}

TResult<TFinalFailure> VerifyFinalRating(std::vector<std::string>& Changed) {
    Changed.clear();
    TFinalRating final;
    if (const auto read = ReadFinalRating(final); !read.Ok()) {
        return read;
    }
    for (const TSealedFile& file : final.Files) {
        const auto digest = DigestOf(file.Name);
        if (!digest) {
            return TFailure::Failure(TFinalFailure::Unreadable, file.Name);
        }
        if (*digest != file.Sha256) {
            Changed.push_back(file.Name);
        }
    }
    return {};
}

TResult<TChangeRefusal> MayChange() {
    std::error_code error;
    if (std::filesystem::symlink_status(FinalFileName, error).type() ==
        std::filesystem::file_type::not_found) {
        return {};
    }
    // Asked before every change: only the head of the file is read, for the time.
    std::string time;
    TTextFile file;
    std::string line;
    try {
        if (file.Open(FinalFileName) && file.ReadLine(line) && line == Heading &&
            file.ReadLine(line) && std::string_view(line).starts_with(TimeKey)) {
            time = line.substr(TimeKey.size());
        }
    } catch (const std::exception&) {
        // locked all the same; only the time is not known
    }
    return TResult<TChangeRefusal>::Failure(TChangeRefusal::Finalised,
                                            IsUtcTimeStamp(time) ? time : std::string());
}

} // namespace korvane
