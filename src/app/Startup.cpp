#include "app/Startup.h"

#include "courseware/CoursewareIndex.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>

namespace zendra {

StartupEnvironment DefaultStartupEnvironment()
{
    const QString data =
        withTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    return StartupEnvironment{QDir::currentPath(), QDir::toNativeSeparators(data), data};
}

bool IsReadOnlyFileSystem(const QString& folder)
{
    const QStorageInfo storage(folder);
    return storage.isValid() && storage.isReadOnly();
}

QString ProgramFolderOf(const QString& currentFolder)
{
    return withTrailingSlash(QDir::fromNativeSeparators(QDir(currentFolder).absolutePath()));
}

namespace {

bool makeFolder(const QString& path)
{
    if (QFileInfo(path).isDir() || QDir().mkpath(path))
        return true;
    ShowMessage(QStringLiteral("ディレクトリ ") + shownPath(path) +
                QStringLiteral(" を作成できません"));
    return false;
}

} // namespace

bool RunStartSequence(AppState& state, const StartupEnvironment& env)
{
    state.programFolder = ProgramFolderOf(env.currentFolder);
    state.runningFromCd = IsReadOnlyFileSystem(state.programFolder);
    state.schoolName = ReadStringSetting(QStringLiteral("theSchool"), QString());

    const QString title = coursewarePath(state.programFolder, QStringLiteral("Title.BMP"));
    state.titlePicture = FileMustExist(title) ? title : QString();

    state.paperTable = kPaperTable;
    state.indexChanged = false;

    const QStringList helpFiles =
        QDir(state.programFolder).entryList({QStringLiteral("*.hlp")}, QDir::Files);
    if (!helpFiles.isEmpty())
        state.helpFile = helpFiles.first();

    if (!FileMustExist(coursewarePath(state.programFolder, QStringLiteral("Main.ind"))))
        return false;
    state.showTipsNextTime = ReadBoolSetting(QStringLiteral("ShowDoYouKnow"), true);
    if (!LoadMainIndex(state.programFolder, state.lessonTable))
        return false;
    ReadIntSetting(QStringLiteral("Option"), 7); // kept for the settings' sake only

    state.paperFixed = false;
    state.printAtPrinterResolution = false;
    state.currentPaper = PaperRecord::ofWidth(ReadIntSetting(QStringLiteral("PaperSize"), 630));
    state.answersShown = true;
    state.startupDone = true;

    state.recordDrive = withTrailingSlash(QDir::fromNativeSeparators(
        ReadCommonString(QStringLiteral("RecDrive"), env.defaultRecordDrive)));
    state.windowsFolder = withTrailingSlash(QDir::fromNativeSeparators(env.windowsFolder));
    state.logOnFolder = state.recordDrive + QStringLiteral("Zendra/LogOn");
    if (!makeFolder(state.recordDrive + QStringLiteral("Zendra")) || !makeFolder(state.logOnFolder))
        return false;
    if (state.runningFromCd) {
        for (const Lesson& lesson : state.lessonTable.lessons)
            QDir().mkpath(state.windowsFolder + lesson.baseName);
    }

    state.learnerName = ReadStringSetting(QStringLiteral("LogOnName"), kSharedLearner);
    ApplyKeyLock(state, ReadBoolSetting(QStringLiteral("KeyLock"), false));
    return true;
}

void ApplyKeyLock(AppState& state, bool locked)
{
    state.keyLocked = locked;
    WriteBoolSetting(QStringLiteral("KeyLock"), locked);
}

} // namespace zendra
