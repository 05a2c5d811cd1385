#pragma once

namespace ondravell {

// Tells the user that a folder could not be written and where access is granted.
class FolderAccessManager {
public:
    static FolderAccessManager& shared();

    // A toast naming the settings page, and the settings window on its general page.
    void showAccessHint();

private:
    FolderAccessManager() = default;
};

} // namespace ondravell
