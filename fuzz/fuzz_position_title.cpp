// The position title: the first line of kvn.dat, whatever the file holds.

#include <string>

#include "data/PositionFile.h"
#include "fuzz/FuzzSupport.h"
#include "platform/sys/InOutError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    using namespace korvane::fuzz;
    const std::string content(reinterpret_cast<const char*>(Data), Size);
    WriteBytes(WorkFolder() + "kvn.dat", content);
    std::string title;
    try {
        title = korvane::PositionTitleIn(WorkFolder());
    } catch (const korvane::EInOutError&) {
        return 0; // a read error is reported, never a crash
    }
    if (title == korvane::NoPositionFound) {
        return 0;
    }
    // The title is (the start of) the first line, without its line end.
    const std::string line = content.substr(0, content.find_first_of("\r\n"));
    KORVANE_FUZZ_CHECK(line.compare(0, title.size(), title) == 0);
    // Lines up to 64 KiB are read whole.
    KORVANE_FUZZ_CHECK(title.size() == line.size() || line.size() > 64 * 1024);
    return 0;
}
