#pragma once

#include <string>

#include "data/ProcessState.h"

namespace korvane::test {

// Lets a test change the process-wide values (settings, position title, administrative mode,
// organisation) and puts them back when it goes out of scope.
class ScopedProcessState {
public:
    ScopedProcessState()
        : Settings_(Settings), PositionTitle_(PositionTitle),
          AdministrativeMode_(AdministrativeMode), OrganisationName_(OrganisationName) {}
    ~ScopedProcessState() {
        Settings = Settings_;
        PositionTitle = PositionTitle_;
        AdministrativeMode = AdministrativeMode_;
        OrganisationName = OrganisationName_;
    }
    ScopedProcessState(const ScopedProcessState&) = delete;
    ScopedProcessState& operator=(const ScopedProcessState&) = delete;

private:
    TSettings Settings_;
    std::string PositionTitle_;
    bool AdministrativeMode_;
    std::string OrganisationName_;
};

} // namespace korvane::test
