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

} // namespace korvane
