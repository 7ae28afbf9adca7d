#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace korvane {

// A small store of named text values under named keys, where the program keeps what the
// desktop would keep in its registry: an INI file of "[key]" sections and "name=value" lines.
// Keys and names compare without regard to the case of ASCII letters. Every change is in the
// file when the call returns.
class TRegistry {
public:
    using TValues = std::vector<std::pair<std::string, std::string>>;

    // The store of this user: <config home>/korvane/registry.ini.
    static std::string DefaultPath();

    explicit TRegistry(std::string Path = DefaultPath()) : Path_(std::move(Path)) {}

    // A missing value, key or store reads as nullopt; so does any value of a store that is not a
    // plain file or cannot be read.
    std::optional<std::string> ReadString(const std::string& Key, const std::string& Name) const;
    // The values of Key in the order they were first written.
    TValues Values(const std::string& Key) const;
    // False when the value could not be written (the store's folder or file cannot be written, or
    // the store exists but cannot be read whole, or the key or name holds a line end, a key a ']',
    // a name an '=').
    bool WriteString(const std::string& Key, const std::string& Name, const std::string& Value);
    // Removes the value, and the key with its last value; false when the store cannot be read
    // whole or written.
    bool DeleteValue(const std::string& Key, const std::string& Name);

private:
    struct TSection {
        std::string Key;
        TValues Values;
    };
    // nullopt when the store exists but is not a plain file or cannot be read to its end.
    std::optional<std::vector<TSection>> Load() const;
    bool Save(const std::vector<TSection>& Sections) const;

    std::string Path_;
};

} // namespace korvane
