#include "platform/sys/Registry.h"

#include <algorithm>
#include <filesystem>

#include "platform/sys/FileCopy.h"
#include "platform/sys/InOutError.h"
#include "platform/sys/TextFile.h"
#include "platform/sys/UserFolders.h"

namespace korvane {

namespace {

bool SameName(const std::string& A, const std::string& B) {
    return std::equal(A.begin(), A.end(), B.begin(), B.end(), [](char a, char b) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(a) == lower(b);
    });
}

// Values keep their backslashes and line ends through "\\", "\n" and "\r".
std::string Escape(const std::string& Value) {
    std::string text;
    for (char c : Value) {
        if (c == '\\') {
            text += "\\\\";
        } else if (c == '\n') {
            text += "\\n";
        } else if (c == '\r') {
            text += "\\r";
        } else {
            text.push_back(c);
        }
    }
    return text;
}

std::string Unescape(const std::string& Text) {
    std::string value;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '\\' && i + 1 < Text.size()) {
            const char next = Text[++i];
            value.push_back(next == 'n' ? '\n' : next == 'r' ? '\r' : next);
        } else {
            value.push_back(Text[i]);
        }
    }
    return value;
}

bool HasLineEnd(const std::string& Text) {
    return Text.find_first_of("\r\n") != std::string::npos;
}

} // namespace

std::string TRegistry::DefaultPath() {
    return ConfigHome() + "/korvane/registry.ini";
}

std::optional<std::vector<TRegistry::TSection>> TRegistry::Load() const {
    std::vector<TSection> sections;
    // Read as support.dat is: a plain file only, in lines of bounded length, so that a FIFO or a
    // link to a device in the store's place neither hangs the login nor fills the memory.
    TTextFile in;
    if (!in.Open(Path_)) {
        std::error_code error;
        const bool missing = std::filesystem::symlink_status(Path_, error).type() ==
                             std::filesystem::file_type::not_found;
        return missing ? std::optional(sections) : std::nullopt;
    }
    std::string line;
    for (;;) {
        try {
            if (!in.ReadLine(line)) {
                break;
            }
        } catch (const EInOutError&) {
            return std::nullopt; // never rewritten from a partial read
        }
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            sections.push_back({line.substr(1, line.size() - 2), {}});
            continue;
        }
        const auto equals = line.find('=');
        if (equals != std::string::npos && !sections.empty() && !line.starts_with(';')) {
            sections.back().Values.emplace_back(line.substr(0, equals),
                                                Unescape(line.substr(equals + 1)));
        }
    }
    return sections;
}

bool TRegistry::Save(const std::vector<TSection>& Sections) const {
    std::string text;
    for (const auto& section : Sections) {
        text += "[" + section.Key + "]\n";
        for (const auto& [name, value] : section.Values) {
            text += name + "=" + Escape(value) + "\n";
        }
    }
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(Path_).parent_path(), error);
    return WriteFileReplacing(Path_, text);
}

std::optional<std::string> TRegistry::ReadString(const std::string& Key,
                                                 const std::string& Name) const {
    for (const auto& [name, value] : Values(Key)) {
        if (SameName(name, Name)) {
            return value;
        }
    }
    return std::nullopt;
}

TRegistry::TValues TRegistry::Values(const std::string& Key) const {
    for (const auto& section : Load().value_or(std::vector<TSection>{})) {
        if (SameName(section.Key, Key)) {
            return section.Values;
        }
    }
    return {};
}

bool TRegistry::WriteString(const std::string& Key, const std::string& Name,
                            const std::string& Value) {
    if (Key.empty() || Name.empty() || HasLineEnd(Key) || HasLineEnd(Name) ||
        Key.find(']') != std::string::npos || Name.find('=') != std::string::npos ||
        Name.starts_with('[') || Name.starts_with(';')) {
        return false;
    }
    auto loaded = Load();
    if (!loaded) {
        return false;
    }
    auto& sections = *loaded;
    auto section = std::find_if(sections.begin(), sections.end(),
                                [&Key](const TSection& s) { return SameName(s.Key, Key); });
    if (section == sections.end()) {
        sections.push_back({Key, {}});
        section = std::prev(sections.end());
    }
    auto& values = section->Values;
    const auto value = std::find_if(values.begin(), values.end(),
                                    [&Name](const auto& v) { return SameName(v.first, Name); });
    if (value == values.end()) {
        values.emplace_back(Name, Value);
    } else {
        value->second = Value;
    }
    return Save(sections);
}

bool TRegistry::DeleteValue(const std::string& Key, const std::string& Name) {
    auto loaded = Load();
    if (!loaded) {
        return false;
    }
    auto& sections = *loaded;
    for (auto section = sections.begin(); section != sections.end(); ++section) {
        if (!SameName(section->Key, Key)) {
            continue;
        }
        auto& values = section->Values;
        const auto before = values.size();
        std::erase_if(values, [&Name](const auto& v) { return SameName(v.first, Name); });
        if (values.size() == before) {
            return true;
        }
        if (values.empty()) {
            sections.erase(section);
        }
        return Save(sections);
    }
    return true;
}

} // namespace korvane
