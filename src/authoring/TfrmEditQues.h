#pragma once

#include "authoring/QuestionEditor.h"
#include "courseware/CoursewareIndex.h"

#include <QDialog>
#include <QImage>
#include <QList>
#include <QPoint>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace zendra {

struct Sheet;
class TfrmBMP;

// The editor of one master unit: questions with their blanks, choice list, dummies, hints,
// figures and layout blocks. OK writes the unit into its master file.
class TfrmEditQues : public QDialog
{
    Q_OBJECT

public:
    // The courseware the edited units belong to; `lessons` must outlive the window.
    TfrmEditQues(const QString& programFolder, const LessonTable& lessons,
                 QWidget* parent = nullptr);

    // What the next showing edits. `openSheet` is the worksheet of the unit, or null; its
    // layout and figures replace the file's. `figureAnchors` are where that sheet's last
    // composition started each question line, by line number from 1 (entry 0 unused).
    void setContext(const UnitChoice& position, bool newUnitMode, Sheet* openSheet,
                    const QString& unitTitle, const QList<QPoint>& figureAnchors);

    // The unit written by the last OK.
    UnitChoice position() const { return editor_.position; }
    const QuestionEditor& editor() const { return editor_; }

    // The help window at a topic, set by the main window, and the enlarged figure viewer
    // (the editor's own TfrmBMP unless replaced).
    std::function<void(int)> openHelp;
    std::function<void(const QImage&)> showFigure;

    // The first similar-question set 類題を自動作成 saved while the window was shown, 0 when
    // none: the main window opens it beside the unit's sheet.
    int createdVariant() const { return createdVariant_; }

    // Reloads the unit into the panes, as on every showing.
    void FormShow();
    // Validates, writes and saves the unit; closes with OK when that succeeded.
    bool btnOkClick();

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void btnCancelClick();
    void btnTestClick();
    void btnKaiClick();
    void btnKakkoClick();
    void btnNumberClick();
    void btnKgAddClick();
    void btnDummyClick();
    void btnKGClearClick();
    void btnQGAddClick();
    void btnAGAddClick();
    void btnEditDirectClick();
    void btnAutoRuidaiClick();
    void flbGraphClick();

    bool mayClose();
    void panesToEditor();
    void editorToPanes();
    void fillFigureList();
    void showAnswers();
    void updateChoiceCounters();
    void updateColumnPreview();
    void placeCaret(QPlainTextEdit* pane, int line);
    void insertFigures(QPlainTextEdit* pane, bool answer);
    // Runs a command's change of a pane without marking the unit modified.
    void commandEdit(QPlainTextEdit* pane, const std::function<void()>& change);

    QString programFolder_;
    const LessonTable& lessons_;
    QuestionEditor editor_;
    Sheet* openSheet_ = nullptr;
    QString unitTitle_;
    QList<QPoint> figureAnchors_;
    QString graphFolder_;
    QImage preview_;
    TfrmBMP* frmBMP_ = nullptr;
    bool commandRunning_ = false;
    int createdVariant_ = 0;

    QPlainTextEdit* MemQues_ = nullptr;
    QPlainTextEdit* memKgroup_ = nullptr;
    QPlainTextEdit* memDummy_ = nullptr;
    QPlainTextEdit* memHint_ = nullptr;
    QPlainTextEdit* memQGraph_ = nullptr;
    QPlainTextEdit* memAGraph_ = nullptr;
    QPlainTextEdit* memPasteLo_ = nullptr;
    QListWidget* lstKai_ = nullptr;
    QListWidget* flbGraph_ = nullptr;
    QLabel* imgGraph_ = nullptr;
    QLabel* imgHissan_ = nullptr; // the current line's column problems as the sheet draws them
    QLabel* lblKosuh_ = nullptr;
    QLabel* lblKosuh2_ = nullptr;
    QLabel* lblKosuh3_ = nullptr;
    QLineEdit* edtFileName_ = nullptr;
    QLineEdit* edtTangen_ = nullptr;
    QLineEdit* edtLesson_ = nullptr;
    QCheckBox* chkSuuji_ = nullptr;
    QCheckBox* chkKigou_ = nullptr;
    QPushButton* btnEditDirect_ = nullptr;
    QPushButton* btnAutoRuidai_ = nullptr;
};

} // namespace zendra
