#include "platform/Paths.h"

#include "platform/Messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#include <pwd.h>
#include <unistd.h>
#endif

namespace zendra {

QString withTrailingSlash(const QString& folder)
{
    if (folder.isEmpty() || folder.endsWith(u'/'))
        return folder;
    return folder + u'/';
}

namespace {

// Looks up one name in a folder, exactly first, then ignoring case.
QString findEntry(const QString& folder, const QString& name)
{
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    if (dir.exists(name))
        return name;
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

} // namespace

QString coursewarePath(const QString& base, const QString& relative)
{
    QString rel = relative;
    rel.replace(u'\\', u'/');
    const QString plain = base + rel;
    if (rel.isEmpty() || QFileInfo::exists(plain))
        return plain;

    QString resolved = base;
    const QStringList parts = rel.split(u'/', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString found = findEntry(resolved, parts.at(i));
        if (found.isEmpty())
            return plain;
        resolved += found;
        if (i + 1 < parts.size())
            resolved += u'/';
    }
    // Keep a trailing '/' where the name had one.
    if (rel.endsWith(u'/'))
        resolved += u'/';
    return resolved;
}

bool StaysInside(const QString& relative)
{
    if (relative.startsWith(u'/') || relative.startsWith(u'\\') ||
        (relative.size() >= 2 && relative.at(1) == u':'))
        return false;
    for (const QString& part : relative.split(QRegularExpression(QStringLiteral("[/\\\\]"))))
        if (part.trimmed() == QLatin1StringView(".."))
            return false;
    return true;
}

QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

bool FileMustExist(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isDir())
        return true;
    ShowMessage(QStringLiteral("ファイル ") + shownPath(path) +
                QStringLiteral(" が見つかりません"));
    return false;
}

bool FolderMustExist(const QString& path)
{
    if (QFileInfo(path).isDir())
        return true;
    ShowMessage(QStringLiteral("ディレクトリ ") + shownPath(path) +
                QStringLiteral(" が見つかりません"));
    return false;
}

QString FileExtension(const QString& path)
{
    QString name = path;
    const qsizetype slash = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    if (slash >= 0)
        name = name.mid(slash + 1);
    const qsizetype dot = name.indexOf(u'.');
    if (dot < 0)
        return {};
    return name.mid(dot, 4).toLower();
}

QString TempFolder()
{
    for (const char* name : {"temp", "TEMP", "TMPDIR"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty() && QFileInfo(value).isDir())
            return withTrailingSlash(QDir::fromNativeSeparators(value));
    }
    return withTrailingSlash(QDir::tempPath());
}

void NameRuntimeFolder()
{
#if defined(Q_OS_WIN)
    // Qt looks for no runtime folder on Windows.
#elif defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const passwd* user = getpwuid(geteuid());
    const QByteArray name =
        user ? QByteArray(user->pw_name) : QByteArray::number(static_cast<qulonglong>(geteuid()));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(QDir::tempPath()) + "/runtime-" + name);
#endif
}

} // namespace zendra
