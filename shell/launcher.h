// Starting other programs: the external synthesis program with its command
// line, and files or folders opened with the desktop's default application.
// Tests install a launcher that records the calls.
#pragma once

#include <QString>

namespace vorlan {

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts `program` detached, with the command line split at blanks into
    // its arguments (no shell is involved); false when it cannot be started.
    virtual bool startProgram(const QString& program, const QString& commandLine) = 0;
    // Opens a file with the application the desktop has for it, or a folder
    // in the file manager; false when the desktop refuses.
    virtual bool openPath(const QString& path) = 0;
};

// The launcher in use: the desktop's unless a test installed another.
Launcher& CurrentLauncher();
// Installs `launcher` (not owned); nullptr brings back the desktop's one.
// Returns the launcher installed before.
Launcher* SetLauncher(Launcher* launcher);

}  // namespace vorlan
