#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace korvane {

// Milliseconds on a monotonic clock; only differences mean anything.
std::uint64_t TickCount();

// Blocks the calling thread for about ms milliseconds, without using the processor.
void SleepMilliseconds(unsigned ms);

std::optional<std::string> EnvironmentValue(const std::string& name);
void SetEnvironmentValue(const std::string& name, const std::string& value);
void UnsetEnvironmentValue(const std::string& name);

// Whether the running user may create and change files in Folder.
bool CanWriteInFolder(const std::string& Folder);

// Numeric id of the user running the program (0 where the platform has none).
unsigned long CurrentUserId();

// The login name of the user running the program; the user id in decimal when it has none.
std::string LoginName();

// The time now in UTC, ISO 8601 to the second: "2025-03-04T10:11:12Z".
std::string UtcTimeStamp();

} // namespace korvane
