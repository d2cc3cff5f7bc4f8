#pragma once

#include "courseware/UnitChoice.h"

#include <QStringList>

namespace zendra {

// What the copy-file opener decides: its own list of lessons, the copy files of the chosen
// lesson's folder and which of them to select, and the contents shown before opening.
class CopyFileOpener
{
public:
    static constexpr int kMaxLessons = 50;

    explicit CopyFileOpener(QString programFolder) : programFolder_(std::move(programFolder)) {}

    // First showing: reads Main.ind (false when it is missing, after its message).
    bool load();
    bool loaded() const { return loaded_; }
    const LessonTable& lessons() const { return lessons_; }

    // Lists the copy files of lesson `row` (0-based) and selects the one chosen last time
    // (the first when there are fewer now). A missing folder is reported and lists nothing.
    void chooseLesson(int row);
    int lessonRow() const { return lessonRow_; }
    const QStringList& files() const { return files_; }
    int fileRow() const { return fileRow_; }

    // Selects file `row` and reads its lines.
    void chooseFile(int row);
    const QString& filePath() const { return filePath_; }
    const QStringList& contents() const { return contents_; }

    // OK: false, with "単元を選択してください", when no file is chosen; otherwise remembers the
    // choice for the next showing.
    bool accept();
    // The chosen file's name with its extension: the record key of sheets opened from it.
    QString copyRecordKey() const;

private:
    QString programFolder_;
    LessonTable lessons_;
    bool loaded_ = false;
    int lessonRow_ = -1;
    QString folder_;
    QStringList files_;
    int fileRow_ = -1;
    int lastCopyIndex_ = -1;
    QString filePath_;
    QStringList contents_;
};

} // namespace zendra
