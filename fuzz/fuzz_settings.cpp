// The settings file: support.dat, whatever it holds.

#include <cmath>
#include <filesystem>
#include <string>

#include "data/ProcessState.h"
#include "fuzz/FuzzSupport.h"
#include "platform/sys/InOutError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    using namespace korvane;
    static const bool inFolder = [] {
        std::filesystem::current_path(fuzz::WorkFolder());
        return true;
    }();
    (void)inFolder;
    fuzz::WriteBytes("support.dat", std::string(reinterpret_cast<const char*>(Data), Size));
    try {
        LoadSettings();
    } catch (const EConvertError&) {
        return 0; // a bad number ends the start with its message, never a crash
    } catch (const EInOutError&) {
        return 0;
    }
    // Whatever was accepted is something a report can use.
    for (const double rate : Settings.VeteranRates) {
        KORVANE_FUZZ_CHECK(std::isfinite(rate) && rate >= 0.0 && rate <= 1.0);
    }
    KORVANE_FUZZ_CHECK(Settings.PortraitFont >= 4 && Settings.PortraitFont <= 72);
    KORVANE_FUZZ_CHECK(Settings.LandscapeFont >= 4 && Settings.LandscapeFont <= 72);
    KORVANE_FUZZ_CHECK(OrganisationName.size() <= 64 * 1024);
    return 0;
}
