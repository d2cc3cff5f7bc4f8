#pragma once

#include "platform/TextFile.h"

#include <QString>
#include <QStringList>

namespace zendra {

// A roster: one learner name per line. Names are kept exactly as written (nothing trimmed).

// The learner in force when nobody has logged on; logs on without a password.
inline const QString kSharedLearner = QStringLiteral("共通");

// Where rosters are kept, ending with '/': the log-on folder on the record drive when the
// program runs from a CD-ROM, else the courseware's "LogOn" folder (which the program does
// not create). `programFolder` ends with '/'.
QString RosterFolder(const QString& programFolder, const QString& logOnFolder, bool runningFromCd);
// "sname.txt" in the roster folder.
QString DefaultNameListPath(const QString& programFolder, const QString& logOnFolder,
                            bool runningFromCd);
// The content the default list is created with when it is missing.
QStringList DefaultNames();

TextFile::Result LoadNameList(const QString& path, QStringList& names);
TextFile::Result SaveNameList(const QString& path, const QStringList& names);

} // namespace zendra
