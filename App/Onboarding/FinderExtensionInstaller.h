#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace ondravell {

// Installs the Nautilus module with the project's installer script, asking for administrator rights
// through pkexec when the extension folder is not writable, then has a running Nautilus restart so it
// loads the module. When that cannot be done the user is told the command to run.
class FinderExtensionInstaller {
public:
    struct Paths {
        QString installer;
        QString module;
        QString extensionFolder;
    };

    // What to run: the program and its arguments; empty when the module or the installer is missing.
    struct Command {
        QString program;
        QStringList arguments;
    };
    // `pkexecAvailable` says whether the program exists; `folderWritable` whether we can write there.
    static Command commandFor(const Paths& paths, bool folderWritable, bool pkexecAvailable);
    // The line a user can type in a terminal instead.
    static QString manualCommand(const Paths& paths);

    // Runs the installer without blocking; `parent` hosts the message when it fails.
    static void install(const Paths& paths, QWidget* parent);
};

} // namespace ondravell
