#pragma once

#include <QString>

namespace zendra {

// Courseware names folders with '\' ("Seisu\") and was often made on a file system that
// ignores letter case. These helpers turn such names into paths of this file system.

// `folder` with a '/' at its end (an empty folder stays empty).
QString withTrailingSlash(const QString& folder);

// base + relative, with '\' in `relative` turned into '/'. When the exact path does not
// exist, each component is looked up without regard to letter case; the result is the
// path found, or the plain concatenation when nothing matches.
QString coursewarePath(const QString& base, const QString& relative);

// Whether a relative name from a courseware file (a lesson folder, a figure) stays inside
// the folder it is joined to: no "..", no root or drive of its own.
bool StaysInside(const QString& relative);

// A path as the user should see it in a message.
QString shownPath(const QString& path);

// True when the file exists; otherwise shows "ファイル <path> が見つかりません".
bool FileMustExist(const QString& path);
// True when the folder exists; otherwise shows "ディレクトリ <path> が見つかりません".
bool FolderMustExist(const QString& path);

// The 4 characters from the first '.' of the file name (not of the folders before it),
// lower-cased; empty when the name has no '.'.
QString FileExtension(const QString& path);

// The user's temporary folder, with a trailing '/': the variable "temp" when it names a
// folder, otherwise the system's temporary folder.
QString TempFolder();

// Qt's graphical start-up looks into the user's runtime folder, and when XDG_RUNTIME_DIR is
// not set (a batch job, a container, a login without a session) it warns on stderr and takes
// a private folder in the temporary folder. This names that same folder beforehand, so that
// Qt makes and checks it as before, without the warning. Call it before the application
// object is made; it does nothing where Qt uses no such folder (Windows, macOS).
void NameRuntimeFolder();

} // namespace zendra
