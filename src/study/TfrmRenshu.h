#pragma once

#include "study/InputAids.h"
#include "study/StudyHost.h"
#include "study/StudyRecord.h"

#include <QColor>
#include <QCursor>
#include <QDialog>
#include <QImage>
#include <QList>
#include <QMap>

#include <array>
#include <memory>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTimer;

namespace zendra {

class StudySession;
class TfrmPrint;
class TfrmZenSeikai;
class WidgetMemoPad;
struct Sheet;

// The study window: the active worksheet without its answers, an entry box over every answer
// box, the input aids and the records of the unit. The study logic decides; this window
// shows what it decided and forwards the learner's keys and clicks.
class TfrmRenshu : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kEntryBoxes = 81; // M0 .. M80; box 0 is never laid out

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
    const QImage& studyPage() const { return page_; }
    const QImage& answerArea() const { return answerArea_; }
    const QImage& messageArea() const { return messageArea_; }
    QLineEdit* entryBox(int i) const;
    int currentBox() const;
    const StudySession& session() const { return *session_; }
    StudySession& session() { return *session_; }
    WidgetMemoPad* memoPad() const { return memo_; }
    // The texts written into AnswerArea since its line 0 was last written (or it was blanked).
    const QStringList& answerAreaLines() const { return answerAreaLines_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildCommandPanel();
    void buildRightPanel();
    void buildRecordsPanel();
    void buildNumberPad(QWidget* parent);
    void buildFractionPad(QWidget* parent);
    void buildChoiceGroup(QWidget* parent);
    void buildSoftKeyboard(QWidget* parent);
    void buildSymbolPad(QWidget* parent);
    void buildExerciseGroup(QWidget* parent);
    void coverMainWindow();
    void layoutOnShow();
    void pinPanels();

    Sheet* sheet() const;
    bool fromCopyFile() const;
    bool hintAvailable() const;
    StudyRecordTarget recordTarget() const;
    ComposeInputs studyInputs(bool learnerAnswers) const;
    void composeStudyPage();
    void composePage(bool learnerAnswers);
    void shuffleChoiceList();
    void showEmptyEntryBox(int i);
    void showPage();
    void prepareExercise(bool test);
    void StartExercise(bool test);
    void ScoreExercise(bool test);
    void ShowEndMessage(int message);
    void EndExerciseView();
    void ShowStudyRecords();
    void showAnswerLines(const QStringList& lines);
    void ShowHint(QImage& image, QLabel* view);
    void ShowAlternatives(const QStringList& lines);
    void showFace(int face);
    void DrawScore(int percent);
    void drawAnswerText(const QString& text, int x, int y, QRgb colour);
    // The mark of box `box` with its entry box at window x `left` (and `top`; -1: where the
    // entry box is).
    void drawMark(int kind, int left, int box, int top = -1);
    void AppendToBox(const QString& text);
    void softKeyClick(const QString& caption);
    void applyColour(int k);
    void setEntryBoxesReadOnly(bool readOnly);
    void hideEntryBoxes();
    void matchChoiceToBox();
    void focusBox(int i, bool selectAll = false, bool caretAtStart = false);
    void focusAfter(int focus, int box = 0);
    void scrollToTop();
    // Writes text on line `line` (`pitch` pixels apart), in a font small enough to fit.
    void writeLine(QImage& image, QLabel* view, int line, const QString& text, int points,
                   QColor colour, int pitch = 24);
    void refreshMessageViews();
    void blankAnswerArea();
    void applyInputHints();
    QPoint retryPlace(int box, int left) const;
    void noteDrawn(int box, const QRect& rect);
    void fractionKey(int key);
    void showFractionState();
    void LoadSoftKeys();
    void memoriseStep(int box, const QString& text, const QStringList& alternatives);

    StudyHost& host_;
    TfrmPrint* studied_ = nullptr;
    std::unique_ptr<StudySession> session_;

    QImage page_;      // StudyPage
    QImage cleanPage_; // the page as the exercise began: no answers, no marks
    std::array<QRect, kEntryBoxes> drawnFor_{}; // what an exercise drew for each box
    QStringList answerAreaLines_;
    QRect placed_; // where the window covers the main window
    bool snapping_ = false;
    QImage answerArea_;  // imgMessXX
    QImage messageArea_; // imgMess
    QMap<int, QImage> faces_;
    QCursor penCursor_, eraserCursor_;
    bool savedAltDisplay_ = false;
    bool savedAnswerDisplay_ = false;
    QColor boxColour_{192, 255, 255};
    FractionKeypad fraction_;
    QStringList hints_;

    QScrollArea* scroll_ = nullptr;
    QWidget* content_ = nullptr;
    QLabel* imgPaper2_ = nullptr;
    std::array<QLineEdit*, kEntryBoxes> entry_{};
    std::array<QPoint, kEntryBoxes> entryAt_{};

    QFrame* pnlRenshu_ = nullptr;
    QPushButton* btnRenshu_ = nullptr;
    QPushButton* btnFukushu_ = nullptr;
    QPushButton* btnTest_ = nullptr;
    QPushButton* btnAnki_ = nullptr;
    QPushButton* btnSeikai_ = nullptr;
    QPushButton* btnTouan_ = nullptr;
    QPushButton* btnShowRecord_ = nullptr;
    QPushButton* btnStartPrint_ = nullptr;
    QPushButton* btnEnd_ = nullptr;
    QGroupBox* grbColor_ = nullptr;
    std::array<QRadioButton*, 4> radColour_{};
    QGroupBox* grbInput_ = nullptr;
    QRadioButton* chkKaitou_ = nullptr;
    QRadioButton* chkRandom_ = nullptr;

    QFrame* pnlSS_ = nullptr;
    QGroupBox* grbSelect_ = nullptr;
    QListWidget* lstKgroup_ = nullptr;
    QListWidget* lstSoftKey_ = nullptr;
    QGroupBox* grbMoji_ = nullptr;
    std::array<QPushButton*, 121> softKeys_{}; // Button1 .. Button120
    QGroupBox* grbCMoji_ = nullptr;
    QFrame* pnlBunsu_ = nullptr;
    QLineEdit* edtSign_ = nullptr;
    QLineEdit* edtBunshi_ = nullptr;
    QLineEdit* edtBunbo_ = nullptr;
    QFrame* shpBunno_ = nullptr;
    QGroupBox* grbTest_ = nullptr;
    QPushButton* btnAnswer_ = nullptr;
    QPushButton* btnHint_ = nullptr;
    QPushButton* btnSaiten_ = nullptr;
    QPushButton* btnAbort_ = nullptr;
    QFrame* pnlAnki_ = nullptr;
    QLabel* imgMessXX_ = nullptr;
    WidgetMemoPad* memo_ = nullptr;

    QFrame* pnlKiroku_ = nullptr;
    QLabel* lblKiroku_ = nullptr;
    QPlainTextEdit* memKiroku_ = nullptr;
    QLabel* imgMess_ = nullptr;
    QListWidget* lstRenshu_ = nullptr;

    QTimer* timSecond_ = nullptr;
    TfrmZenSeikai* frmZenSeikai_ = nullptr;
};

} // namespace zendra
