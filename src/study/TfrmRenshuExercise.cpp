#include "study/TfrmRenshu.h"

#include "platform/Messages.h"
#include "sheet/Sheet.h"
#include "study/InputAids.h"
#include "study/TfrmZenSeikai.h"
#include "study/WidgetStudyAids.h"
#include "study/WidgetStudyPads.h"
#include "study/WidgetStudyPanels.h"
#include "study/WidgetStudyRecords.h"

#include <QDateTime>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

// The study window's exercises: practice, test, review and memorise, from their start
// through every Enter to the score.

namespace zendra {

// --- exercises -----------------------------------------------------------------------------

void TfrmRenshu::prepareExercise(bool test)
{
    showMode(test ? StudyMode::Test : StudyMode::Practice);
    showInputAids();
    exercise_->btnHint->setEnabled(hintAvailable());
    exercise_->btnAnswer->setEnabled(!test);
}

void TfrmRenshu::showInputAids()
{
    const bool choices = aids_->choice->list()->count() >= 1;
    aids_->choice->setVisible(choices);
    aids_->pnlBunsu->setVisible(!choices);
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
    const QFont font = StudyPointFont(QStringLiteral("ＭＳ 明朝"), g.characterSize);
    const AnswerBoxTable& boxes = session_->boxes();
    for (int i = 1; i <= boxes.count(); ++i) {
        const ColumnEntry column = ColumnEntry::ForBox(boxes[i], sheet()->composed.columnProblems);
        if (!column.isEmpty()) {
            page_->placeColumnBox(i, column, g.panel, font);
            continue;
        }
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
        if (const WidgetEntryBox* column = page_.columnBox(i)) {
            // The cells take every try in place: what the last try left goes first.
            if (clean) {
                page_.restoreClean((page_.drawnFor(i) | column->columnEntry().bounds()) & pageRect);
                page_.drawnFor(i) = QRect();
            }
            page_.paint([&](Surface& surface) {
                DrawColumnAnswer(surface, *w_.sheet(), column->columnEntry());
            });
            page_.noteDrawn(i, column->columnEntry().bounds());
            page_.showPage();
            return;
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
        // A column answer's digits are already in their cells.
        if (!page_.columnBox(out.box))
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
        const QList<MarkShape> marks = TestMarks(pageGeometry(), session_->boxes());
        for (int i = 1; i <= marks.size(); ++i)
            page_->paintMark(marks.at(i - 1), i);
    }
    records_->imgMess->hide();
    page_->scrollToTop();
    ShowEndMessage(out.endMessage);
    EndExerciseView();
    DrawScore(out.score.percent);
    records_->showFace(out.face);
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
    // Memorise hides the input aids and the answer area grows over them: an exercise's come back.
    showInputAids();
    aids_->placeAnswerArea(false);
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
    host_.showRecordsViewer(host_.learnerPlace(sheet()->source.choice.lesson));
    ShowStudyRecords();
}

void TfrmRenshu::btnStartPrintClick()
{
    if (!sheet())
        return;
    page_->scrollToTop();
    host_.printStudyPage(*sheet(), studyPage());
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

} // namespace zendra
