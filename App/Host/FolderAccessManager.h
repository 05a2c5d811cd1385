#pragma once

#include <string>

namespace ondravell {

// Tells the user that a folder could not be written, and why. Linux has no grant to send the user to:
// the folder is missing or its permissions keep the user out, so nothing is opened.
class FolderAccessManager {
public:
    static FolderAccessManager& shared();

    // A warning toast with the reason.
    void showAccessHint(const std::string& message);

private:
    FolderAccessManager() = default;
};

} // namespace ondravell
