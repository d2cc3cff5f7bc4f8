#include "study/TfrmRenshu.h"

#include "learners/TfrmKiroku.h"
#include "platform/Messages.h"
#include "platform/PainterSurface.h"
#include "sheet/Sheet.h"
#include "sheet/SheetOutput.h"
#include "sheet/TfrmPrint.h"
#include "study/InputAids.h"
#include "study/Judging.h"
#include "study/TfrmZenSeikai.h"
#include "study/WidgetMemoPad.h"
#include "study/WidgetStudyAids.h"
#include "study/WidgetStudyPads.h"
#include "study/WidgetStudyPanels.h"
#include "study/WidgetStudyRecords.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

static void initStudyResources()
{
    Q_INIT_RESOURCE(faces);
}

namespace zendra {

namespace {

constexpr int kScreenDpi = 96;

QFont pointFont(const QString& face, int points)
{
    QFont font(face);
    font.setPixelSize(std::max(1, points * kScreenDpi / 72));
    return font;
}

} // namespace

TfrmRenshu::TfrmRenshu(StudyHost& host, QWidget* parent) : QDialog(parent), host_(host)
{
    initStudyResources();
    session_ = std::make_unique<StudySession>();
    setObjectName(QStringLiteral("frmRenshu"));
    setModal(true);
    SetStudyBackground(this, QColor(240, 240, 240));

    const QImage pen(QStringLiteral(":/study/CrossCSR.png"));
    const QImage eraser(QStringLiteral(":/study/ScissorsCSR.png"));
    penCursor_ = QCursor(QPixmap::fromImage(pen), 15, 15);
    eraserCursor_ = QCursor(QPixmap::fromImage(eraser), 16, 16);

    // Placed and sized as the main window, over it; the learner can neither shrink nor
    // minimise it, so the sheet behind it stays covered.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setGeometry(host_.mainGeometry());

    page_ = new WidgetStudyPage(session_->state(), this);
    // The pinned panels follow the scroll position: their top stays 0.
    connect(page_, &WidgetStudyPage::scrolled, this, [this] { pinPanels(); });
    connect(page_, &WidgetStudyPage::enterPressed, this, &TfrmRenshu::EnterAnswer);

    commands_ = new WidgetStudyCommands(host_.mainPanelWidth(), height() - 40, this);
    aids_ = new WidgetStudyAids(*page_, penCursor_, eraserCursor_, commands_->height(), this);
    connect(aids_, &WidgetStudyAids::enterPressed, this, &TfrmRenshu::EnterAnswer);
    connect(aids_, &WidgetStudyAids::fractionClearPressed, this, &TfrmRenshu::clearFraction);
    exercise_ = aids_->exercise;
    memorise_ = aids_->memorise;
    imgMessXX_ = aids_->imgMessXX;
    records_ = new WidgetStudyRecords(this);
    connectCommands();

    timSecond_ = new QTimer(this);
    timSecond_->setObjectName(QStringLiteral("timSecond"));
    timSecond_->setInterval(1000);
    connect(timSecond_, &QTimer::timeout, this, [this] { session_->tick(); });

    frmZenSeikai_ = new TfrmZenSeikai(this);
    applyColour(0);
}

TfrmRenshu::~TfrmRenshu() = default;

const QImage& TfrmRenshu::answerArea() const
{
    return imgMessXX_->image();
}

const QStringList& TfrmRenshu::answerAreaLines() const
{
    return imgMessXX_->lines();
}

void TfrmRenshu::connectCommands()
{
    const WidgetStudyCommands& c = *commands_;
    connect(c.btnRenshu, &QPushButton::clicked, this, &TfrmRenshu::btnRenshuClick);
    connect(c.btnFukushu, &QPushButton::clicked, this, &TfrmRenshu::btnFukushuClick);
    connect(c.btnTest, &QPushButton::clicked, this, &TfrmRenshu::btnTestClick);
    connect(c.btnAnki, &QPushButton::clicked, this, &TfrmRenshu::btnAnkiClick);
    connect(c.btnSeikai, &QPushButton::clicked, this, &TfrmRenshu::btnSeikaiClick);
    connect(c.btnTouan, &QPushButton::clicked, this, &TfrmRenshu::btnTouanClick);
    connect(c.btnShowRecord, &QPushButton::clicked, this, &TfrmRenshu::btnShowRecordClick);
    connect(c.btnStartPrint, &QPushButton::clicked, this, &TfrmRenshu::btnStartPrintClick);
    connect(c.btnEnd, &QPushButton::clicked, this, &TfrmRenshu::btnEndClick);
    connect(commands_, &WidgetStudyCommands::colourChosen, this, &TfrmRenshu::applyColour);

    const WidgetExerciseButtons& e = *exercise_;
    connect(e.btnAnswer, &QPushButton::clicked, this, &TfrmRenshu::btnAnswerClick);
    connect(e.btnHint, &QPushButton::clicked, this, &TfrmRenshu::btnHintClick);
    connect(e.btnSaiten, &QPushButton::clicked, this, &TfrmRenshu::btnSaitenClick);
    connect(e.btnAbort, &QPushButton::clicked, this, &TfrmRenshu::btnAbortClick);

    const WidgetMemoriseButtons& m = *memorise_;
    connect(m.btnNextA, &QPushButton::clicked, this, &TfrmRenshu::btnNextAClick);
    connect(m.btnNextB, &QPushButton::clicked, this, &TfrmRenshu::btnNextBClick);
    connect(m.btnShow, &QPushButton::clicked, this, [this] {
        btnSeikaiClick();
        page_->focusBox(1);
    });
    connect(m.btnAllClear, &QPushButton::clicked, this, &TfrmRenshu::btnAllClearClick);
    connect(m.btnClose, &QPushButton::clicked, this, &TfrmRenshu::btnCloseClick);
}

void TfrmRenshu::showMode(StudyMode mode)
{
    const StudyModeControls c = ControlsFor(mode);
    const std::pair<const std::optional<bool>&, QWidget*> controls[] = {
        {c.pnlRenshu, commands_},
        {c.pnlSS, aids_},
        {c.pnlKiroku, records_},
        {c.grbTest, exercise_},
        {c.pnlAnki, memorise_},
        {c.grbCMoji, aids_->symbols},
        {c.grbMoji, aids_->softKeys},
        {c.memKiroku, records_->memKiroku},
        {c.grbSelect, aids_->choice},
        {c.pnlBunsu, aids_->pnlBunsu},
        {c.btnAnswer, exercise_->btnAnswer},
        {c.btnHint, exercise_->btnHint},
        {c.btnSaiten, exercise_->btnSaiten},
    };
    for (const auto& [shown, widget] : controls)
        if (shown)
            widget->setVisible(*shown);
}

void TfrmRenshu::coverMainWindow()
{
    placed_ = host_.mainGeometry();
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    setFixedSize(placed_.size());
    setGeometry(placed_);
    commands_->resize(commands_->width(), height() - 40);
    aids_->resize(aids_->width(), commands_->height());
}

void TfrmRenshu::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    // Moved off the main window: back over it once the move is done. A window manager that
    // puts it elsewhere again is answered at most ten times a second.
    if (snapping_ || !isVisible() || !placed_.isValid() ||
        geometry().topLeft() == placed_.topLeft())
        return;
    snapping_ = true;
    QTimer::singleShot(0, this, [this] {
        if (isVisible() && geometry().topLeft() != placed_.topLeft())
            setGeometry(placed_);
        QTimer::singleShot(100, this, [this] { snapping_ = false; });
    });
}

void TfrmRenshu::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized))
        QTimer::singleShot(0, this, [this] {
            if (isVisible())
                setWindowState(windowState() & ~Qt::WindowMinimized);
        });
}

void TfrmRenshu::keyPressEvent(QKeyEvent* event)
{
    // Escape would close the window and throw the running exercise away.
    if (event->key() == Qt::Key_Escape && session_->state().exerciseRunning) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmRenshu::closeEvent(QCloseEvent* event)
{
    // The title bar's close button while an exercise runs: asked first, and then the
    // exercise ends as 中止 ends it, with nothing recorded.
    if (session_->state().exerciseRunning) {
        if (Messages::instance().askDestructive(QStringLiteral("学習を中止しますか？")) !=
            Messages::Answer::Yes) {
            event->ignore();
            return;
        }
        btnAbortClick();
    }
    QDialog::closeEvent(event);
}

void TfrmRenshu::layoutOnShow()
{
    const int screen = QGuiApplication::primaryScreen()
                           ? QGuiApplication::primaryScreen()->availableGeometry().width()
                           : width();
    const int p = commands_->width();
    const int pageWidth = studyPage().width();
    const int pageRight = p + 5 + pageWidth;
    page_->placePage(p + 5);

    records_->setGeometry(pageRight + 5, 0, std::max(100, screen - p - pageWidth - 40),
                          aids_->height());
    records_->place(std::max(80, screen - p - pageWidth - 60),
                    aids_->choice->geometry().bottom() + 21);
    aids_->move(pageRight + 20, 0);
    aids_->layoutOnShow();
    records_->imgMess->refresh();
    imgMessXX_->refresh();
    pinPanels();
}

void TfrmRenshu::pinPanels()
{
    // The panels lie over the scrolled page, always at the top of the window.
    for (QWidget* panel : {static_cast<QWidget*>(commands_), static_cast<QWidget*>(aids_),
                           static_cast<QWidget*>(records_)}) {
        panel->move(panel->x(), 0);
        panel->raise();
    }
}

void TfrmRenshu::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    page_->setGeometry(rect());
    pinPanels();
}

// --- the sheet and its composition ---------------------------------------------------------

Sheet* TfrmRenshu::sheet() const
{
    return studied_ ? &studied_->sheet() : nullptr;
}

StudyPageGeometry TfrmRenshu::pageGeometry() const
{
    return StudyPageGeometry{host_.characterSize(), host_.answerBoxHeight(),
                             sheet()->kran().number(KranLine::BoxWidth), commands_->width()};
}

bool TfrmRenshu::fromCopyFile() const
{
    return sheet() && sheet()->unitNumber == 0;
}

bool TfrmRenshu::hintAvailable() const
{
    return !hints_.isEmpty() && !fromCopyFile();
}

StudyRecordTarget TfrmRenshu::recordTarget() const
{
    const Sheet& s = *sheet();
    return StudyRecordTargetFor(host_.learnerPlace(s.choice.lesson), s.choice, host_.sectionUnits(),
                                fromCopyFile(), QFileInfo(s.fileName).fileName());
}

ComposeInputs TfrmRenshu::studyInputs(bool learnerAnswers) const
{
    ComposeInputs inputs = host_.composeInputs(*sheet());
    inputs.composing = true;
    inputs.bekkai = false; // no alternatives beside the boxes while the learner studies
    // The study page keeps the worksheet's boxes: the entry boxes lie over them.
    inputs.registerAnswerBoxes = false;
    inputs.reusePieceStarts = learnerAnswers;
    inputs.studyBoxes = session_->boxCount();
    inputs.drawMark = [g = pageGeometry()](Surface& surface, int, const AnswerBox& entry,
                                           const AnswerBoxRects& rects, double s, double f) {
        const MarkKind kind = ComposedMarkFor(entry.judgement);
        if (kind != MarkKind::None)
            PaintMark(surface, g.markOver(kind, entry, rects.base, s, f));
    };
    if (learnerAnswers) {
        const StudyBoxData& data = session_->data();
        for (int i = 1; i <= session_->boxCount(); ++i)
            inputs.learnerAnswers.append(data.learnerAnswers[i]);
    }
    return inputs;
}

// ComposeStudyPage: a white page of the sheet's size with the sheet drawn at scale 1.
void TfrmRenshu::composeStudyPage()
{
    composePage(false);
    page_->showPage();
}

// The sheet on a white page of its size at scale 1; with the learner's padded answers in
// the boxes and the marks of the judged ones for the answer sheet.
void TfrmRenshu::composePage(bool learnerAnswers)
{
    QImage& page = page_->page();
    page = QImage(sheet()->page.width, sheet()->page.height, QImage::Format_RGB32);
    page.fill(Qt::white);
    const ComposeInputs inputs = studyInputs(learnerAnswers);
    QPainter painter(&page);
    PainterSurface surface(painter, kScreenDpi, page.width());
    ComposeTarget target;
    target.width = page.width();
    target.height = page.height();
    target.screenImageWidth = page.width();
    ComposeSheet(*sheet(), surface, target, inputs);
}

void TfrmRenshu::drawAnswerText(const QString& text, int x, int y)
{
    QPainter painter(&page_->page());
    PainterSurface surface(painter, kScreenDpi, studyPage().width());
    surface.setFontFace(sheet()->drawingFace);
    sheet()->renderer.DrawNotation(host_.characterSize(), x, y, kTypedBlue, text, surface, 1.0);
}

void TfrmRenshu::drawMark(MarkKind kind, int left, int box, int top)
{
    const QLineEdit* e = entryBox(box);
    const EntryBoxRect rect{left, top < 0 ? e->y() : top, e->width(), e->height()};
    const MarkShape mark = pageGeometry().entryMark(kind, rect, session_->state().reviewMode);
    QPainter painter(&page_->page());
    PaintMark(painter, mark);
    page_->noteDrawn(box, MarkBounds(mark));
}

void TfrmRenshu::DrawScore(int percent)
{
    {
        QPainter painter(&page_->page());
        PainterSurface surface(painter, kScreenDpi, studyPage().width());
        zendra::DrawScore(surface, sheet()->scorePosition, commands_->width(), percent);
    }
    page_->showPage();
}

// --- window shown and closed ---------------------------------------------------------------

void TfrmRenshu::studyOn(TfrmPrint* frm)
{
    studied_ = frm ? frm : host_.studiedSheet();
    if (!studied_)
        return;
    FormShow();
    exec();
}

void TfrmRenshu::FormShow()
{
    if (!studied_)
        studied_ = host_.studiedSheet();
    Sheet* s = sheet();
    if (!s)
        return;
    aids_->setAnswerGroups(s->answerGroups);

    showMode(StudyMode::Idle);
    commands_->btnTouan->setEnabled(false);
    commands_->btnFukushu->setEnabled(false);
    commands_->btnAnki->show();
    s->learnerName = true;
    page_->hideBoxes();

    setWindowTitle(studied_->caption());
    const bool twoColumn = s->kran().number(KranLine::Columns) == 2;
    session_->windowShown(s->boxes, twoColumn);
    // A unit whose answers are all plain ASCII asks the input method for Latin input, so a
    // Japanese keyboard types the answers in ASCII; other units keep Japanese input.
    bool ascii = true;
    for (int i = 1; ascii && i <= session_->boxCount(); ++i)
        ascii = AsciiAnswers(session_->data().answerAlternatives[i]);
    page_->setInputHints(ascii ? Qt::ImhPreferLatin | Qt::ImhNoPredictiveText : Qt::ImhNone);
    savedAltDisplay_ = host_.altDisplay();
    host_.setAltDisplay(false);

    savedAnswerDisplay_ = s->answersShown;
    s->answersShown = false;
    composeStudyPage();
    s->answersShown = true;

    coverMainWindow();
    layoutOnShow();
    {
        RecordList list;
        FillRecordList(host_.learnerPlace(s->choice.lesson), list);
        records_->showRecordList(list);
    }
    page_->scrollToTop();
    ShowStudyRecords();
    page_->setBoxesReadOnly(true);
    WidgetMessageImage& mess = *records_->imgMess;
    mess.writeLine(0, QStringLiteral("　　　標準の学習コース"), 14, Qt::blue);
    mess.writeLine(2, QStringLiteral("（１）［練習］ボタンで練習する"), 10, Qt::blue);
    mess.writeLine(3, QStringLiteral("（２）［復習］ボタンで間違ったところを復習する"), 8,
                   Qt::blue);
    mess.writeLine(4, QStringLiteral("（３）［テスト］ボタンでテストする"), 10, Qt::blue);
    // The question editor takes up the unit: its hint lines are this study's hint.
    hints_ = host_.hintLines();
    commands_->btnRenshu->setFocus();
}

void TfrmRenshu::done(int result)
{
    // However the window goes (閉じる, Escape, the title bar), the main window gets its
    // switches back.
    FormClose();
    QDialog::done(result);
}

void TfrmRenshu::FormClose()
{
    timSecond_->stop();
    Sheet* s = sheet();
    if (!s)
        return;
    s->answersShown = savedAnswerDisplay_;
    session_->windowClosed();
    commands_->btnTest->setEnabled(true);
    s->learnerName = false;
    host_.setAltDisplay(savedAltDisplay_);
    studied_ = nullptr;
}

void TfrmRenshu::btnEndClick()
{
    page_->scrollToTop();
    close();
}

// --- exercises -----------------------------------------------------------------------------

void TfrmRenshu::prepareExercise(bool test)
{
    showMode(test ? StudyMode::Test : StudyMode::Practice);
    const bool choices = aids_->choice->list()->count() >= 1;
    aids_->choice->setVisible(choices);
    aids_->pnlBunsu->setVisible(!choices);
    exercise_->btnHint->setEnabled(hintAvailable());
    exercise_->btnAnswer->setEnabled(!test);
}

void TfrmRenshu::btnRenshuClick()
{
    if (!sheet())
        return;
    prepareExercise(false);
    StartExercise(false);
}

void TfrmRenshu::btnTestClick()
{
    if (!sheet())
        return;
    prepareExercise(true);
    StartExercise(true);
}

void TfrmRenshu::StartExercise(bool test)
{
    session_->startExercise(test);
    page_->scrollToTop();
    PlaceEntryBoxes();
    for (int i = 1; i <= session_->boxCount(); ++i)
        page_->showEmptyBox(i, boxColour_);
    aids_->placeAnswerArea(false);

    aids_->placeSoftKeyboard(commands_->chkRandom->isChecked());
    aids_->softKeys->raise();
    aids_->startInputAids(session_->random());

    imgMessXX_->blank();
    if (aids_->choice->isHidden() && aids_->softKeys->isHidden()) {
        imgMessXX_->writeLine(0, QStringLiteral("キーボードから解答を入力し、"), 12, Qt::black);
        imgMessXX_->writeLine(1, QStringLiteral("Enterキーを押します。"), 12, Qt::black);
    }
    if (test) {
        imgMessXX_->writeLine(0, QStringLiteral("すべて解答を入力し終えたら。"), 12, Qt::black);
        imgMessXX_->writeLine(1, QStringLiteral("［採点］キーをクリックして採点します。"), 12,
                              Qt::black);
    }
    timSecond_->start();

    clearFraction();
    sheet()->answersShown = false;
    composeStudyPage();
    sheet()->answersShown = true;
    page_->cleanPage() = studyPage();
    page_->forgetDrawn();

    page_->setBoxesReadOnly(false);
    page_->focusBox(1);
}

void TfrmRenshu::PlaceEntryBoxes()
{
    const StudyPageGeometry g = pageGeometry();
    const QFont font = pointFont(QStringLiteral("ＭＳ 明朝"), g.characterSize);
    const AnswerBoxTable& boxes = session_->boxes();
    for (int i = 1; i <= boxes.count(); ++i) {
        const EntryBoxRect r = g.entryRect(boxes[i]);
        page_->placeBox(i, QRect(r.left, r.top, r.width, r.height), font);
    }
}

// How the window acts on Enter in box `box`: it draws on the page and moves its boxes.
class TfrmRenshu::EnterOnPage : public EnterActions
{
public:
    EnterOnPage(TfrmRenshu& w, QLineEdit* box) : w_(w), page_(*w.page_), box_(box)
    {
        // The entry box stands where the answer goes: after wrong tries it has moved on
        // beside them (or under the question).
        left_ = box->x();
    }

    void drawTyped(const EnterOutcome& out) override
    {
        const StudyPageGeometry g = w_.pageGeometry();
        const int i = out.box;
        const QRect pageRect = page_.page().rect();
        const bool clean = !page_.cleanPage().isNull();
        if (out.review && clean) {
            // A review writes over what the scored exercise drew for the box: answers and
            // marks go whole, the frame and the text around come back as the exercise began.
            page_.restoreClean(ReviewArea(g, w_.session_->boxes()[i], page_.drawnFor(i), pageRect));
            page_.drawnFor(i) = QRect();
        }
        const EntryBoxRect at{left_, box_->y(), box_->width(), box_->height()};
        const QRect typedAt(left_ - g.panel, at.top, at.width, at.height);
        // A box that had no place left to move to: its last try and mark give way.
        if (!out.review && clean && page_.drawnFor(i).intersects(typedAt))
            page_.restoreClean(GiveWayArea(g, at, pageRect));
        w_.drawAnswerText(out.typed, typedAt.x(), typedAt.y());
        page_.noteDrawn(i, typedAt);
        page_.showPage();
    }
    void setBoxText(int, const QString& text) override { box_->setText(text); }
    void focusAfter(StudyFocus focus, int box) override { w_.focusAfter(focus, box); }
    bool askShowAnswer() override
    {
        return Messages::instance().askYesNo(kAskShowAnswer.toString()) == Messages::Answer::Yes;
    }
    void showAnswer() override { w_.btnAnswerClick(); }
    void focusBox(int box) override { w_.page_->focusBox(box); }
    void markRight(const EnterOutcome& out) override
    {
        w_.drawAnswerText(out.boxText, box_->x() - w_.commands_->width(), box_->y());
        w_.drawMark(out.mark, box_->x(), out.box);
        if (out.redText)
            page_.setBoxColour(out.box, w_.boxColour_, Qt::red);
        if (!out.answerAreaText.isEmpty())
            w_.imgMessXX_->writeLine(0, out.answerAreaText, 18, Qt::red);
    }
    void hideBox(int) override
    {
        box_->hide();
        page_.showPage();
    }
    void markWrong(const EnterOutcome& out) override
    {
        // The wrong answer stays visible: the box moves on beside it, or under the question.
        const int i = out.box;
        const QPoint tried = box_->pos();
        if (out.moveBoxOn)
            box_->move(RetryPlace(w_.pageGeometry(), w_.session_->boxes()[i], box_->geometry(),
                                  left_, page_.placedAt(i), page_.cleanPage()));
        if (out.answersShown) {
            w_.imgMessXX_->writeFittedLines(out.showAnswerLines);
            ShowMessage(kShowingAnswer.toString());
        }
        w_.drawMark(out.mark, tried.x(), i, tried.y());
        page_.showPage();
        w_.page_->focusBox(i, true);
        if (!out.answerAreaText.isEmpty())
            w_.imgMessXX_->writeLine(0, out.answerAreaText, 14, Qt::blue);
    }
    void endReview(EndMessage message) override { w_.ShowEndMessage(message); }
    void endPractice() override
    {
        w_.ScoreExercise(false);
        w_.DrawScore(w_.session_->scorePercent().percent);
    }
    void endExerciseView(StudyFocus focus) override
    {
        w_.EndExerciseView();
        w_.focusAfterEnd(focus);
    }

private:
    TfrmRenshu& w_;
    WidgetStudyPage& page_;
    QLineEdit* box_;
    int left_ = 0;
};

void TfrmRenshu::EnterAnswer()
{
    const int i = currentBox();
    QLineEdit* box = entryBox(i);
    if (i < 1 || !box)
        return;
    const EnterOutcome out = session_->enterAnswer(box->text(), box->isReadOnly(), *page_);
    EnterOnPage actions(*this, box);
    session_->actOn(out, actions);
}

void TfrmRenshu::btnSaitenClick()
{
    ScoreExercise(true);
}

void TfrmRenshu::ScoreExercise(bool test)
{
    if (test)
        EnterAnswer();
    const ScoreOutcome out =
        session_->scoreExercise(*page_, recordTarget(), QDateTime::currentDateTime());
    if (!out.accepted) {
        ShowMessage(kNothingToScore.toString());
        page_->focusBox(currentBox());
        return;
    }
    timSecond_->stop();
    commands_->btnSeikai->setEnabled(true);
    commands_->btnTest->setEnabled(true);
    aids_->softKeys->hide();
    // The score stays on the page even when the record could not be written.
    if (!out.record.written)
        ShowMessage(out.record.error);
    host_.refreshChooserCounts();
    commands_->btnFukushu->setEnabled(out.fukushuEnabled);

    if (out.testMarks) {
        QPainter painter(&page_->page());
        const QList<MarkShape> marks = TestMarks(pageGeometry(), session_->boxes());
        for (int i = 1; i <= marks.size(); ++i) {
            PaintMark(painter, marks.at(i - 1));
            page_->noteDrawn(i, MarkBounds(marks.at(i - 1)));
        }
    }
    records_->imgMess->hide();
    page_->scrollToTop();
    ShowEndMessage(out.endMessage);
    EndExerciseView();
    DrawScore(out.score.percent);
    records_->showFace(int(out.face));
    focusAfterEnd(out.focus);
}

void TfrmRenshu::focusAfterEnd(StudyFocus focus)
{
    if (focus == StudyFocus::Fukushu) {
        commands_->btnFukushu->setEnabled(true);
        commands_->btnFukushu->setFocus();
    } else {
        commands_->btnEnd->setFocus();
    }
}

void TfrmRenshu::ShowEndMessage(EndMessage message)
{
    if (message == EndMessage::AllCorrectWindow)
        frmZenSeikai_->exec();
    else
        ShowMessage(EndMessageText(message));
}

void TfrmRenshu::EndExerciseView()
{
    session_->state().exerciseRunning = false;
    const StudyPanels panels = zendra::EndExerciseView();
    page_->setBoxesReadOnly(!panels.entryBoxesEditable);
    if (!panels.entryBoxesVisible)
        page_->hideBoxes();
    commands_->btnSeikai->setEnabled(panels.btnSeikaiEnabled);
    commands_->btnTouan->setEnabled(panels.btnTouanEnabled);
    aids_->softKeys->setVisible(panels.grbMoji);
    records_->memKiroku->setVisible(panels.memKiroku);
    commands_->setVisible(panels.pnlRenshu);
    commands_->btnTest->setEnabled(panels.btnTestEnabled);
    aids_->setVisible(panels.pnlSS);
    records_->setVisible(panels.pnlKiroku);
    exercise_->setVisible(panels.grbTest);
    ShowStudyRecords();
    page_->scrollToTop();
    pinPanels();
}

void TfrmRenshu::btnFukushuClick()
{
    if (!sheet())
        return;
    page_->setBoxesReadOnly(false);
    const ReviewStart review = session_->startReview();
    showMode(StudyMode::Review);
    exercise_->btnHint->setEnabled(hintAvailable());
    exercise_->btnAnswer->setEnabled(true);
    aids_->placeSoftKeyboard(commands_->chkRandom->isChecked());
    page_->scrollToTop();
    // The test's instruction has no place in a review: there is no 採点.
    imgMessXX_->blank();
    for (int i : review.boxes) {
        entryBox(i)->move(page_->placedAt(i));
        page_->showEmptyBox(i, boxColour_);
    }
    commands_->btnSeikai->setEnabled(false);
    commands_->btnFukushu->setEnabled(false);
    commands_->btnTest->setEnabled(false);
    aids_->startInputAids(session_->random());
    pinPanels();
    if (review.firstReviewBox >= 1)
        page_->focusBox(review.firstReviewBox);
}

void TfrmRenshu::btnAbortClick()
{
    EndExerciseView();
    commands_->btnSeikai->setEnabled(true);
    commands_->btnTouan->setEnabled(false);
    records_->showMessage(QStringLiteral("中止しました。"), 12, Qt::black);
}

void TfrmRenshu::btnSeikaiClick()
{
    if (!sheet())
        return;
    session_->showCorrectAnswers();
    composeStudyPage();
    page_->hideBoxes();
}

void TfrmRenshu::btnTouanClick()
{
    if (!sheet())
        return;
    page_->hideBoxes();
    for (int i = 1; i <= session_->boxCount(); ++i)
        session_->boxes().box(i).judgement =
            session_->judgeBox(i, session_->data().learnerAnswers[i]);
    composePage(true);
    DrawScore(session_->scorePercent().percent);
}

void TfrmRenshu::btnShowRecordClick()
{
    if (!sheet())
        return;
    host_.showRecordsViewer(host_.learnerPlace(sheet()->choice.lesson));
    ShowStudyRecords();
}

void TfrmRenshu::btnStartPrintClick()
{
    if (!sheet())
        return;
    page_->scrollToTop();
    host_.printStudyPage(*sheet(), studyPage());
}

// --- feedback ------------------------------------------------------------------------------

void TfrmRenshu::ShowStudyRecords()
{
    if (!sheet())
        return;
    const StudyRecordTarget target = recordTarget();
    records_->showRecords(StudyRecordLines(target),
                          target.section + QStringLiteral("　　氏名：") +
                              host_.learnerPlace(sheet()->choice.lesson).learnerName);
}

void TfrmRenshu::btnAnswerClick()
{
    imgMessXX_->writeFittedLines(session_->showAnswer());
    page_->focusBox(currentBox());
}

void TfrmRenshu::btnHintClick()
{
    ShowHint();
}

void TfrmRenshu::ShowHint()
{
    if (!hints_.isEmpty() && hints_.first() != QStringLiteral("Hint"))
        imgMessXX_->writeHint(hints_);
    page_->focusBox(currentBox());
}

// --- memorise mode -------------------------------------------------------------------------

void TfrmRenshu::btnAnkiClick()
{
    if (!sheet())
        return;
    page_->scrollToTop();
    memorise_->move(exercise_->pos());
    aids_->placeAnswerArea(true);
    const MemoriseStep step = session_->startMemorise();
    composeStudyPage(); // with the answers: the entry boxes cover them
    PlaceEntryBoxes();
    for (int i = 1; i <= session_->boxCount(); ++i)
        page_->showEmptyBox(i, boxColour_);
    page_->setBoxesReadOnly(true);
    showMode(StudyMode::Memorise);
    memorise_->raise();
    memoriseStep(step);
    imgMessXX_->blank();
    ShowHint();
    records_->imgMess->refresh();
    imgMessXX_->refresh();
    page_->focusBox(step.box, false, true);
    pinPanels();
}

void TfrmRenshu::memoriseStep(const MemoriseStep& step)
{
    if (QLineEdit* e = entryBox(step.box); e && step.box >= 1) {
        e->setText(step.text);
        page_->focusBox(step.box, false, true);
    }
    for (int k = 0; k < step.alternativeLines.size(); ++k)
        imgMessXX_->writeLine(k, step.alternativeLines.at(k), 14, k == 0 ? Qt::black : Qt::blue);
}

void TfrmRenshu::btnNextAClick()
{
    if (QLineEdit* e = entryBox(currentBox()); e && currentBox() >= 1)
        e->clear();
    memoriseStep(session_->memoriseNext(*page_, false));
}

void TfrmRenshu::btnNextBClick()
{
    memoriseStep(session_->memoriseNext(*page_, true));
}

void TfrmRenshu::btnAllClearClick()
{
    for (int i = 1; i <= session_->boxCount(); ++i)
        page_->showEmptyBox(i, boxColour_);
    page_->focusBox(1);
}

void TfrmRenshu::btnCloseClick()
{
    showMode(StudyMode::Idle);
    page_->hideBoxes();
    records_->showMessage(QStringLiteral("　次は［練習です］"), 14, Qt::blue);
    page_->scrollToTop();
    pinPanels();
}

// --- input aids ----------------------------------------------------------------------------

WidgetMemoPad* TfrmRenshu::memoPad() const
{
    return aids_->memo;
}

void TfrmRenshu::focusAfter(StudyFocus focus, int box)
{
    switch (focus) {
    case StudyFocus::Box:
        page_->focusBox(box);
        break;
    case StudyFocus::Saiten:
        exercise_->btnSaiten->setFocus();
        break;
    case StudyFocus::End:
        commands_->btnEnd->setFocus();
        break;
    case StudyFocus::Fukushu:
        commands_->btnFukushu->setFocus();
        break;
    case StudyFocus::None:
        break;
    }
}

void TfrmRenshu::clearFraction()
{
    aids_->fractionPad->clear();
    const int i = currentBox();
    if (i < 1 || i > session_->boxCount())
        return;
    {
        QPainter painter(&page_->page());
        PainterSurface surface(painter, kScreenDpi, studyPage().width());
        RedrawFrame(surface, pageGeometry(), session_->boxes()[i]);
    }
    page_->showPage();
    entryBox(i)->clear();
    page_->focusBox(i);
}

void TfrmRenshu::applyColour(int k)
{
    boxColour_ = WidgetStudyCommands::swatch(k);
    commands_->checkColour(k);
    for (int i = 1; i <= session_->boxCount(); ++i) {
        page_->setBoxColour(i, boxColour_, Qt::black);
        entryBox(i)->show();
        entryBox(i)->setReadOnly(true);
    }
}

} // namespace zendra
