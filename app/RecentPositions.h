#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace korvane {

struct TRecentPosition {
    std::string Folder;      // absolute
    std::int64_t OpenedAt{}; // seconds since 1970-01-01 UTC
    bool operator==(const TRecentPosition&) const = default;
};

// The positions this user opened last, newest first: one "<seconds><TAB><folder>" line each in
// the user's settings folder, beside the uninstall's store, written whole on every change.
class TRecentPositions {
public:
    static constexpr std::size_t Kept = 8;

    // <config home>/korvane/recent-positions.txt
    static std::string DefaultPath();

    explicit TRecentPositions(std::string Path = DefaultPath()) : Path_(std::move(Path)) {}

    // At most Kept, newest first; folders that no longer hold a position are left out.
    std::vector<TRecentPosition> Positions() const;
    // Puts Folder first, opened at OpenedAt; false when the list could not be written.
    bool Remember(const std::string& Folder, std::int64_t OpenedAt);

private:
    std::string Path_;
};

// The time now as TRecentPosition keeps it.
std::int64_t SecondsNow();

} // namespace korvane
