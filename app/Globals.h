#pragma once

#include <QString>

namespace korvane {

// Process-wide values set once at start-up and read everywhere.

// True when started with "/QX" or switched by the status-bar gesture: new applicants are then
// official, and official applicants may be renamed and deleted.
extern bool AdministrativeMode;

// The organisation using this installation (support.dat ORGANISATIONNAME); may be empty.
extern QString OrganisationName;

inline constexpr const char* VersionText = "Version 1.3";

} // namespace korvane
