#pragma once

#include <string>

namespace korvane {

// What an operation that can fail reports, where no record-file status word does: success, or
// the reason as a kind its caller knows, with the name of what it concerns and what the system
// said. The words the user reads are the screen's: it composes them from the reason.
template <class TReason> struct TResult {
    TReason Reason{};    // TReason{} is success
    std::string Subject; // the file, folder, line or value the reason concerns
    std::string Detail;  // the system's own words, where it had any

    bool Ok() const { return Reason == TReason{}; }

    static TResult Failure(TReason Why, std::string What = {}, std::string Said = {}) {
        return {Why, std::move(What), std::move(Said)};
    }
};

} // namespace korvane
