#pragma once

#include "authoring/CopyFileOpener.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace zendra {

// The copy-file opener: a lesson, then one of the copy files in its folder, with its
// contents shown before it is opened.
class TfrmOpenPRP : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmOpenPRP(const QString& programFolder, QWidget* parent = nullptr);

    int exec() override;
    // The chosen file, after OK.
    QString fileName() const { return opener_.filePath(); }
    QString copyRecordKey() const { return opener_.copyRecordKey(); }
    // The lesson (from 1) whose folder the chosen file lies in.
    int lesson() const { return opener_.lessonRow() + 1; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void lstLessonClick();
    void flbPRPClick();
    void showFiles();
    void btnOkClick();

    CopyFileOpener opener_;
    QListWidget* lstLesson_;
    QListWidget* flbPRP_;
    QListWidget* lstContents_;
    QLineEdit* edtFileName_;
};

} // namespace zendra
