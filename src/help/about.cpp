#include "help/about.h"

namespace tallymar {

ProgramVersion ThisVersion() {
    return ProgramVersion{TALLYMAR_VERSION_MAJOR, TALLYMAR_VERSION_MINOR, TALLYMAR_VERSION_PATCH};
}

std::string VersionLine(const ProgramVersion& version) {
    return "Version " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.revision);
}

std::string HomePage() {
    return TALLYMAR_HOMEPAGE_URL;
}

std::string DesktopFileName() {
    return TALLYMAR_APP_ID;
}

std::string NoBrowserText(const std::string& address) {
    return "No web browser could be started to open " + address +
           ".\n\nOpen that address in your web browser yourself, or choose a default web "
           "browser in your desktop's settings.";
}

}  // namespace tallymar
