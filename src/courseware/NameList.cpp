#include "courseware/NameList.h"

#include "platform/Paths.h"

namespace zendra {

QString RosterFolder(const QString& programFolder, const QString& logOnFolder, bool runningFromCd)
{
    if (runningFromCd)
        return withTrailingSlash(logOnFolder);
    return withTrailingSlash(coursewarePath(programFolder, QStringLiteral("LogOn\\")));
}

QString DefaultNameListPath(const QString& programFolder, const QString& logOnFolder,
                            bool runningFromCd)
{
    if (runningFromCd)
        return withTrailingSlash(logOnFolder) + QStringLiteral("sname.txt");
    // A list made on Windows may be spelled in another case.
    return coursewarePath(programFolder, QStringLiteral("LogOn\\sname.txt"));
}

QStringList DefaultNames()
{
    return {QStringLiteral("公開")};
}

TextFile::Result LoadNameList(const QString& path, QStringList& names)
{
    return TextFile::read(path, names);
}

TextFile::Result SaveNameList(const QString& path, const QStringList& names)
{
    return TextFile::write(path, names);
}

} // namespace zendra
