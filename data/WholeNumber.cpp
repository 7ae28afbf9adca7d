#include "data/WholeNumber.h"

#include <limits>

namespace korvane {

std::optional<std::int32_t> WholeNumber(const std::string& Text) {
    if (Text.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char c : Text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) {
            return std::nullopt;
        }
    }
    if (value == 0) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

} // namespace korvane
