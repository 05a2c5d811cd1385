#pragma once

#include <string>

namespace ondravell {

class UpdateChecker;

// What the update row of the settings shows for the checker's state.
struct SoftwareUpdateRowContent {
    enum class Tone { orange, secondary };

    std::string versionLine;
    // Empty when there is nothing to say.
    std::string statusLine;
    Tone statusTone = Tone::secondary;
    bool showsDownloadButton = false;
    // While a manual check runs, the check button shows progress and cannot be pressed.
    bool isChecking = false;

    bool operator==(const SoftwareUpdateRowContent&) const = default;

    static SoftwareUpdateRowContent of(const UpdateChecker& checker);
};

} // namespace ondravell
