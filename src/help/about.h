// What the About box and Help > Tallymar website show: the program's version and
// home page, both set once in the build (CMake's project()).
#pragma once

#include <string>

namespace tallymar {

struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// The version this program was built as.
ProgramVersion ThisVersion();
// "Version " and the three numbers with dots between: "Version 2.5.13".
std::string VersionLine(const ProgramVersion& version);
// The project's home page ("https://...").
std::string HomePage();
// The name the desktop knows the program by: its desktop entry, icon and metainfo.
std::string DesktopFileName();

// What the user is told when no web browser opens `address`.
std::string NoBrowserText(const std::string& address);

}  // namespace tallymar
