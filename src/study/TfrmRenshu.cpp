#include "study/TfrmRenshu.h"

#include "courseware/QuestionGenerator.h"
#include "courseware/UnitWriter.h"
#include "learners/TfrmKiroku.h"
#include "platform/Messages.h"
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
    connect(c.btnShinMondai, &QPushButton::clicked, this, &TfrmRenshu::btnShinMondaiClick);
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
    if (generated_)
        return generated_.get();
    return studied_ ? &studied_->sheet() : nullptr;
}

StudyPageGeometry TfrmRenshu::pageGeometry() const
{
    return StudyPageGeometry{host_.characterSize(), host_.answerBoxHeight(),
                             sheet()->kran().number(KranLine::BoxWidth), commands_->width()};
}

bool TfrmRenshu::fromCopyFile() const
{
    return sheet() && sheet()->source.unitNumber == 0;
}

bool TfrmRenshu::hintAvailable() const
{
    return !hints_.isEmpty() && !fromCopyFile();
}

StudyRecordTarget TfrmRenshu::recordTarget() const
{
    const Sheet& s = *sheet();
    StudyRecordTarget target = StudyRecordTargetFor(
        host_.learnerPlace(s.source.choice.lesson), s.source.choice, host_.sectionUnits(),
        fromCopyFile(), QFileInfo(s.source.fileName).fileName());
    target.generatedSeed = generatedSeed_;
    return target;
}

// ComposeStudyPage: a white page of the sheet's size with the sheet drawn at scale 1.
void TfrmRenshu::composeStudyPage()
{
    composePage(false);
    page_->showPage();
}

// With the learner's padded answers in the boxes and the marks of the judged ones for the
// answer sheet.
void TfrmRenshu::composePage(bool learnerAnswers)
{
    page_->setPage(
        ComposeStudyPage(*sheet(), StudyComposeInputs(host_.composeInputs(*sheet()), *session_,
                                                      pageGeometry(), learnerAnswers)));
}

void TfrmRenshu::drawAnswerText(const QString& text, int x, int y)
{
    page_->paint([&](Surface& surface) {
        DrawTypedAnswer(surface, *sheet(), host_.characterSize(), text, x, y);
    });
}

void TfrmRenshu::drawMark(MarkKind kind, int left, int box, int top)
{
    // A column answer is marked on the cells that are judged, not round its scratch.
    if (page_->columnBox(box)) {
        page_->paintMark(CellsMark(kind, JudgedCellsRect(session_->boxes()[box]), 1.0,
                                   session_->state().reviewMode),
                         box);
        return;
    }
    const QLineEdit* e = entryBox(box);
    const EntryBoxRect rect{left, top < 0 ? e->y() : top, e->width(), e->height()};
    page_->paintMark(pageGeometry().entryMark(kind, rect, session_->state().reviewMode), box);
}

void TfrmRenshu::DrawScore(int percent)
{
    page_->paint([&](Surface& surface) {
        zendra::DrawScore(surface, sheet()->composed.scorePosition, commands_->width(), percent);
    });
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
    dropGeneratedSheet();
    if (!studied_)
        studied_ = host_.studiedSheet();
    Sheet* s = sheet();
    if (!s)
        return;
    commands_->btnAnki->show();
    // Fresh numbers only where every answer would be computed: a kept line would keep its
    // old answer beside new numbers.
    commands_->btnShinMondai->setVisible(
        QuestionGenerator(s->content.questions).understandsEveryAnswerLine());
    s->printsLearnerName = true;
    savedAltDisplay_ = host_.altDisplay();
    host_.setAltDisplay(false);
    savedAnswerDisplay_ = s->answersShown;
    layStudyPage();

    coverMainWindow();
    layoutOnShow();
    {
        RecordList list;
        FillRecordList(host_.learnerPlace(s->source.choice.lesson), list);
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

void TfrmRenshu::layStudyPage()
{
    Sheet* s = sheet();
    aids_->setAnswerGroups(s->content.answerGroups);
    showMode(StudyMode::Idle);
    commands_->btnTouan->setEnabled(false);
    commands_->btnFukushu->setEnabled(false);
    page_->hideBoxes();

    setWindowTitle(generatedSeed_ ? studied_->caption() +
                                        QStringLiteral("　［新しい問題 %1］").arg(*generatedSeed_)
                                  : studied_->caption());
    const bool twoColumn = s->kran().number(KranLine::Columns) == 2;
    session_->windowShown(s->composed.boxes, twoColumn);
    for (int i = 1; i <= session_->boxCount(); ++i) {
        const QString cells = ColumnCellsAnswer(session_->boxes()[i], s->composed.columnProblems);
        QStringList& accepted = session_->data().answerAlternatives[i];
        if (!cells.isEmpty() && !accepted.contains(cells))
            accepted.append(cells);
    }
    // A unit whose answers are all plain ASCII asks the input method for Latin input, so a
    // Japanese keyboard types the answers in ASCII; other units keep Japanese input.
    bool ascii = true;
    for (int i = 1; ascii && i <= session_->boxCount(); ++i)
        ascii = AsciiAnswers(session_->data().answerAlternatives[i]);
    page_->setInputHints(ascii ? Qt::ImhPreferLatin | Qt::ImhNoPredictiveText : Qt::ImhNone);

    s->answersShown = false;
    composeStudyPage();
    s->answersShown = true;
}

void TfrmRenshu::btnShinMondaiClick()
{
    if (!studied_ || session_->state().exerciseRunning)
        return;
    const Sheet& own = studied_->sheet();
    const QuestionGenerator generator(own.content.questions);
    if (!generator.understandsEveryAnswerLine())
        return;
    // The judgements of the page laid so far go with it.
    session_->windowClosed();
    const quint64 seed = QuestionGenerator::NewSeed();
    auto fresh = std::make_unique<Sheet>(own);
    fresh->content.questions = generator.generate(seed).questions;
    fresh->content.answerGroups =
        SetChoices(own.content.answerGroups, own.content.questions, fresh->content.questions);
    // Composed once as the worksheet is, so the boxes hold the new answers and places.
    fresh->answersShown = false;
    ComposeStudyPage(*fresh, host_.composeInputs(*fresh));
    generated_ = std::move(fresh);
    generatedSeed_ = seed;
    layStudyPage();
    page_->scrollToTop();
    page_->setBoxesReadOnly(true);
    commands_->btnRenshu->setFocus();
}

void TfrmRenshu::dropGeneratedSheet()
{
    if (!generated_)
        return;
    session_->windowClosed();
    generated_.reset();
    generatedSeed_.reset();
    // The session works on the worksheet's own boxes again.
    if (studied_)
        session_->windowShown(studied_->sheet().composed.boxes,
                              studied_->sheet().kran().number(KranLine::Columns) == 2);
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
    dropGeneratedSheet();
    Sheet* s = sheet();
    if (!s)
        return;
    s->answersShown = savedAnswerDisplay_;
    session_->windowClosed();
    commands_->btnTest->setEnabled(true);
    s->printsLearnerName = false;
    host_.setAltDisplay(savedAltDisplay_);
    studied_ = nullptr;
}

void TfrmRenshu::btnEndClick()
{
    page_->scrollToTop();
    close();
}

// --- feedback ------------------------------------------------------------------------------

void TfrmRenshu::ShowStudyRecords()
{
    if (!sheet())
        return;
    const StudyRecordTarget target = recordTarget();
    records_->showRecords(StudyRecordLines(target),
                          target.section + QStringLiteral("　　氏名：") +
                              host_.learnerPlace(sheet()->source.choice.lesson).learnerName);
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
    // A column answer's cells have no frame to draw again.
    if (!page_->columnBox(i)) {
        page_->paint(
            [&](Surface& surface) { RedrawFrame(surface, pageGeometry(), session_->boxes()[i]); });
        page_->showPage();
    }
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
