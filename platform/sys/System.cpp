#include "platform/sys/System.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace korvane {

std::uint64_t TickCount() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SleepMilliseconds(unsigned ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::optional<std::string> EnvironmentValue(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

void SetEnvironmentValue(const std::string& name, const std::string& value) {
    ::setenv(name.c_str(), value.c_str(), 1);
}

void UnsetEnvironmentValue(const std::string& name) {
    ::unsetenv(name.c_str());
}

bool CanWriteInFolder(const std::string& Folder) {
    return ::access(Folder.c_str(), W_OK | X_OK) == 0;
}

unsigned long CurrentUserId() {
    return static_cast<unsigned long>(::getuid());
}

std::string LoginName() {
    struct passwd entry {};
    struct passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_name != nullptr && found->pw_name[0] != '\0') {
        return found->pw_name;
    }
    return std::to_string(CurrentUserId());
}

std::string UtcTimeStamp() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm parts{};
    char text[32] = {};
    if (::gmtime_r(&now, &parts) == nullptr ||
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts) == 0) {
        return "0000-00-00T00:00:00Z";
    }
    return text;
}

} // namespace korvane
