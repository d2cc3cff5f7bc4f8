#pragma once

#include "study/StudyHost.h"
#include "study/StudyPage.h"
#include "study/StudyRecord.h"
#include "study/StudySession.h"
#include "study/WidgetStudyPage.h"

#include <QColor>
#include <QCursor>
#include <QDialog>
#include <QImage>

#include <memory>
#include <optional>

class QLineEdit;
class QTimer;

namespace zendra {

class TfrmPrint;
class TfrmZenSeikai;
class WidgetExerciseButtons;
class WidgetMemoPad;
class WidgetMemoriseButtons;
class WidgetMessageImage;
class WidgetStudyAids;
class WidgetStudyCommands;
class WidgetStudyRecords;
struct Sheet;

// The study window: the active worksheet without its answers, an entry box over every answer
// box, the input aids and the records of the unit. The study logic decides; this window
// shows what it decided and forwards the learner's keys and clicks.
class TfrmRenshu : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kEntryBoxes = WidgetStudyPage::kEntryBoxes;

    explicit TfrmRenshu(StudyHost& host, QWidget* parent = nullptr);
    ~TfrmRenshu() override;

    // Shows the window modally over the host's studied sheet; nothing without one.
    void studyOn(TfrmPrint* sheet);

    // The window-shown sequence; the sheet is the host's studied one.
    void FormShow();
    // Window closed: judgements cleared, the main window's switches given back.
    void FormClose();
    void done(int result) override;

    // Commands.
    void btnRenshuClick();
    void btnTestClick();
    void btnFukushuClick();
    void btnAnkiClick();
    void btnSeikaiClick();
    void btnTouanClick();
    void btnShowRecordClick();
    void btnStartPrintClick();
    void btnEndClick();
    void btnShinMondaiClick();
    void btnAnswerClick();
    void btnHintClick();
    void btnSaitenClick();
    void btnAbortClick();
    void btnNextAClick();
    void btnNextBClick();
    void btnAllClearClick();
    void btnCloseClick();

    // Enter in the current entry box (the next-buttons of the input aids raise it too).
    void EnterAnswer();
    void PlaceEntryBoxes();

    // What a test looks at.
    const QImage& studyPage() const { return page_->page(); }
    // What was drawn on the study page since it was composed (marks, answers, the score).
    const QList<RecordingSurface::Op>& pageDrawing() const { return page_->drawing(); }
    const QImage& answerArea() const;
    QLineEdit* entryBox(int i) const { return page_->entryBox(i); }
    int currentBox() const { return page_->currentBox(); }
    const StudySession& session() const { return *session_; }
    StudySession& session() { return *session_; }
    WidgetMemoPad* memoPad() const;
    // The texts written into AnswerArea since its line 0 was last written (or it was blanked).
    const QStringList& answerAreaLines() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class EnterOnPage;

    void connectCommands();
    void coverMainWindow();
    void layoutOnShow();
    void pinPanels();
    // Shows and hides the panels and buttons as the mode has them.
    void showMode(StudyMode mode);

    // The sheet studied: the worksheet, or the copy of it with generated numbers.
    Sheet* sheet() const;
    // The part of the window-shown sequence that lays the page of sheet() and its boxes.
    void layStudyPage();
    // Back to the worksheet's own numbers; the generated copy is dropped.
    void dropGeneratedSheet();
    StudyPageGeometry pageGeometry() const;
    bool fromCopyFile() const;
    bool hintAvailable() const;
    StudyRecordTarget recordTarget() const;
    void composeStudyPage();
    void composePage(bool learnerAnswers);
    void prepareExercise(bool test);
    // The choice list when the unit has answer groups, otherwise the keypads.
    void showInputAids();
    void StartExercise(bool test);
    void ScoreExercise(bool test);
    void ShowEndMessage(EndMessage message);
    void EndExerciseView();
    void focusAfterEnd(StudyFocus focus);
    void ShowStudyRecords();
    void ShowHint();
    void DrawScore(int percent);
    void drawAnswerText(const QString& text, int x, int y);
    // The mark of box `box` with its entry box at window x `left` (and `top`; -1: where the
    // entry box is).
    void drawMark(MarkKind kind, int left, int box, int top = -1);
    void applyColour(int k);
    void focusAfter(StudyFocus focus, int box = 0);
    // "消去": the pad emptied, the current box's frame drawn again and the box emptied.
    void clearFraction();
    void memoriseStep(const MemoriseStep& step);

    StudyHost& host_;
    TfrmPrint* studied_ = nullptr;
    // 新しい問題: the worksheet with generated numbers and their seed; never saved.
    std::unique_ptr<Sheet> generated_;
    std::optional<quint64> generatedSeed_;
    std::unique_ptr<StudySession> session_;

    QRect placed_; // where the window covers the main window
    bool snapping_ = false;
    QCursor penCursor_, eraserCursor_;
    bool savedAltDisplay_ = false;
    bool savedAnswerDisplay_ = false;
    QColor boxColour_{192, 255, 255};
    QStringList hints_;

    WidgetStudyPage* page_ = nullptr;
    WidgetStudyCommands* commands_ = nullptr;
    WidgetStudyAids* aids_ = nullptr;
    WidgetExerciseButtons* exercise_ = nullptr; // parts of aids_
    WidgetMemoriseButtons* memorise_ = nullptr;
    WidgetMessageImage* imgMessXX_ = nullptr;
    WidgetStudyRecords* records_ = nullptr;

    QTimer* timSecond_ = nullptr;
    TfrmZenSeikai* frmZenSeikai_ = nullptr;
};

} // namespace zendra
