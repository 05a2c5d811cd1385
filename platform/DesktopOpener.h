#pragma once

#include <filesystem>
#include <string>

namespace ondravell::platform {

// Hands links, files and words to the programs the desktop has for them. Nothing passes through a
// shell: programs are started with argument lists. Calls belong on the event loop's thread and do not
// wait for the programs they start.
class DesktopOpener {
public:
    virtual ~DesktopOpener() = default;

    // Opens the URI with the default handler of its scheme. False when there is none or it failed.
    virtual bool openURI(const std::string& uri) = 0;
    // Whether an application is registered for the URI's scheme.
    virtual bool canOpenURI(const std::string& uri) = 0;
    // Shows the file selected in a window of the file manager.
    virtual void revealFile(const std::filesystem::path& path) = 0;
    // Looks the word up in the first installed dictionary program, else through a handler of the
    // "dict" scheme. False when there is neither.
    virtual bool lookUpWord(const std::string& word) = 0;
};

} // namespace ondravell::platform
