#pragma once

#include <stdexcept>
#include <string>

namespace korvane {

// The run-time input/output error: a failure of the file system itself (truncating, asking a
// file's size, reading a text file). Handlers let it escape; the application's default error
// handler shows its message and the program goes on.
class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(const std::string& message, int code = 0)
        : std::runtime_error(message), ErrorCode(code) {}

    int ErrorCode;
};

} // namespace korvane
