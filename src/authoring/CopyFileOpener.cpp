#include "authoring/CopyFileOpener.h"

#include "courseware/CoursewareIndex.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>

namespace zendra {

bool CopyFileOpener::load()
{
    if (!LoadMainIndex(programFolder_, lessons_))
        return false;
    if (lessons_.lessons.size() > kMaxLessons)
        lessons_.lessons.resize(kMaxLessons);
    loaded_ = true;
    return true;
}

void CopyFileOpener::chooseLesson(int row)
{
    files_.clear();
    filePath_.clear();
    contents_.clear();
    fileRow_ = -1;
    lessonRow_ = row;
    if (row < 0 || row >= lessons_.count())
        return;
    folder_ = LessonFolder(programFolder_, lessons_, row + 1);
    if (!FolderMustExist(folder_))
        return;
    files_ = QDir(folder_).entryList({QStringLiteral("*.prp")}, QDir::Files, QDir::Name);
    if (files_.isEmpty())
        return;
    if (lastCopyIndex_ < 0)
        lastCopyIndex_ = 0;
    chooseFile(lastCopyIndex_ < files_.size() ? lastCopyIndex_ : 0);
}

void CopyFileOpener::chooseFile(int row)
{
    if (row < 0 || row >= files_.size())
        return;
    fileRow_ = row;
    filePath_ = withTrailingSlash(folder_) + files_.at(row);
    contents_.clear();
    if (const TextFile::Result r = TextFile::read(filePath_, contents_); !r)
        contents_ = {r.error};
}

bool CopyFileOpener::accept()
{
    if (filePath_.isEmpty()) {
        ShowMessage(QStringLiteral("単元を選択してください"));
        return false;
    }
    lastCopyIndex_ = fileRow_;
    return true;
}

QString CopyFileOpener::copyRecordKey() const
{
    return fileRow_ >= 0 ? files_.at(fileRow_) : QString();
}

} // namespace zendra
