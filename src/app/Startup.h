#pragma once

#include "app/AppState.h"
#include "learners/RecordGate.h"

namespace zendra {

// Where the program's per-user folders lie on this system.
struct StartupEnvironment
{
    QString currentFolder;      // the program folder (the current directory at start)
    QString defaultRecordDrive; // default of "RecDrive"
    QString windowsFolder;      // the system folder the program may write beside
};

// The environment of a normal start: the current directory, and the per-user data folder
// standing in for both the record drive and the Windows folder.
StartupEnvironment DefaultStartupEnvironment();

// Whether the folder lies on a read-only file system (a CD-ROM, as far as the program cares).
bool IsReadOnlyFileSystem(const QString& folder);

// The program folder of a current directory: absolute, with '/' at its end.
QString ProgramFolderOf(const QString& currentFolder);

// The start sequence up to the point where windows take over: settings read (and written
// with their defaults when missing), Main.ind checked and loaded, the program's folders
// made. Returns false when the program must end: Main.ind is missing or unreadable, or a
// folder of the record drive cannot be made (its message shown).
bool RunStartSequence(AppState& state, const StartupEnvironment& env);

// The learner remembered from the last run keeps the program only by giving the password:
// one who has a password in some lesson (the current one first, then the others in order)
// is asked for it, and that lesson's records open. A cancelled question, or a remembered
// name that cannot be used, starts the program as the shared learner; the remembered name
// stays stored for the next start.
void RestoreLearner(AppState& state, const AskPassword& askPassword);

// Switches the teacher/learner lock and remembers it in the settings.
void ApplyKeyLock(AppState& state, bool locked);

} // namespace zendra
