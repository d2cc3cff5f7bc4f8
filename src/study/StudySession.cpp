#include "study/StudySession.h"

namespace zendra {

namespace {

bool validBox(int box)
{
    return box >= 1 && box <= AnswerBoxTable::kMaxBoxes;
}

// The window's boxes with one box's state as it is about to be: Enter has just rewritten
// (or hidden) it, which the window applies after it acts on the outcome.
class OverriddenView : public EntryBoxView
{
public:
    OverriddenView(const EntryBoxView& base, int box, bool visible, const QString& text)
        : base_(base), box_(box), visible_(visible), text_(text)
    {
    }
    bool isVisible(int box) const override { return box == box_ ? visible_ : base_.isVisible(box); }
    QString text(int box) const override { return box == box_ ? text_ : base_.text(box); }

private:
    const EntryBoxView& base_;
    int box_;
    bool visible_;
    QString text_;
};

// The entry box text without ASCII blanks and control characters at its ends.
QString trimControls(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

bool VisibleAndEmpty(const EntryBoxView& view, int box)
{
    return view.isVisible(box) && view.text(box).isEmpty();
}

bool EntryBoxList::isVisible(int box) const
{
    return validBox(box) && visible_[box];
}

QString EntryBoxList::text(int box) const
{
    return validBox(box) ? texts_[box] : QString();
}

void EntryBoxList::set(int box, bool visible, const QString& text)
{
    setVisible(box, visible);
    setText(box, text);
}

void EntryBoxList::setVisible(int box, bool visible)
{
    if (validBox(box))
        visible_[box] = visible;
}

void EntryBoxList::setText(int box, const QString& text)
{
    if (validBox(box))
        texts_[box] = text;
}

int ColumnOrderBox(int p, int boxCount, bool twoColumn)
{
    if (!twoColumn)
        return p;
    const int h = (boxCount + 1) / 2;
    return h < p ? 2 * (p - h) : 2 * p - 1;
}

int NextOpenBox(int currentBox, int boxCount, const EntryBoxView& view,
                const std::array<QString, kBoxSlots>& learnerAnswers)
{
    const int count = std::min(boxCount, AnswerBoxTable::kMaxBoxes);
    const auto open = [&](int i) {
        return VisibleAndEmpty(view, i) || learnerAnswers[i] == kNoAnswerYet;
    };
    for (int i = std::max(currentBox + 1, 1); i <= count; ++i) {
        if (open(i))
            return i;
    }
    for (int i = 1; i < std::min(currentBox, count + 1); ++i) {
        if (open(i))
            return i;
    }
    return 0;
}

int NextEmptyInColumnOrder(int boxCount, bool twoColumn, const EntryBoxView& view)
{
    const int count = std::min(boxCount, AnswerBoxTable::kMaxBoxes);
    for (int p = 1; p <= count; ++p) {
        const int b = ColumnOrderBox(p, count, twoColumn);
        if (VisibleAndEmpty(view, b))
            return b;
    }
    return 0;
}

QString EndMessageText(EndMessage message)
{
    switch (message) {
    case EndMessage::AllCorrectWindow:
        return {};
    case EndMessage::ReviewEnded:
        return QStringLiteral("復習を終わりました");
    case EndMessage::PracticeEnded:
        return QStringLiteral("練習を終わりました");
    case EndMessage::TestEnded:
        return QStringLiteral("テストを終わりました");
    }
    return {};
}

StudyPanels EndExerciseView()
{
    return StudyPanels{};
}

StudyModeControls ControlsFor(StudyMode mode)
{
    constexpr bool T = true, F = false;
    switch (mode) {
    case StudyMode::Idle:
        return {.pnlRenshu = T,
                .pnlSS = F,
                .pnlKiroku = T,
                .grbTest = F,
                .pnlAnki = F,
                .grbCMoji = F,
                .grbMoji = F,
                .memKiroku = T};
    case StudyMode::Practice:
    case StudyMode::Test: {
        const bool test = mode == StudyMode::Test;
        return {.pnlRenshu = F,
                .pnlSS = T,
                .pnlKiroku = F,
                .grbTest = T,
                .pnlAnki = F,
                .grbCMoji = F,
                .memKiroku = F,
                .btnAnswer = !test,
                .btnHint = !test,
                .btnSaiten = test};
    }
    case StudyMode::Review:
        return {.pnlRenshu = F,
                .pnlSS = T,
                .pnlKiroku = F,
                .grbTest = T,
                .pnlAnki = F,
                .grbCMoji = F,
                .btnAnswer = T,
                .btnHint = T,
                .btnSaiten = F};
    case StudyMode::Memorise:
        return {.pnlRenshu = F,
                .pnlSS = T,
                .pnlKiroku = F,
                .grbTest = F,
                .pnlAnki = T,
                .grbCMoji = T,
                .grbSelect = F,
                .pnlBunsu = F};
    }
    return {};
}

void StudySession::actOn(const EnterOutcome& out, EnterActions& actions)
{
    if (out.kind == EnterKind::Ignored)
        return;
    actions.drawTyped(out);
    if (out.kind == EnterKind::DrawnOnly)
        return;
    const int box = out.box;
    actions.setBoxText(box, out.boxText);
    switch (out.kind) {
    case EnterKind::Stored:
        actions.focusAfter(out.focus, out.focusBox);
        return;
    case EnterKind::AskShowAnswer:
        if (actions.askShowAnswer())
            actions.showAnswer();
        actions.focusBox(box);
        return;
    case EnterKind::Right:
        actions.markRight(out);
        actions.hideBox(box);
        if (out.end == ExerciseEnd::None) {
            actions.focusAfter(out.focus, out.focusBox);
            return;
        }
        if (out.end == ExerciseEnd::Review)
            actions.endReview(showEndMessage());
        else
            actions.endPractice();
        actions.endExerciseView(focusAfterEnd());
        return;
    case EnterKind::Wrong:
        actions.markWrong(out);
        return;
    default:
        return;
    }
}

void StudySession::windowShown(AnswerBoxTable& boxes, bool twoColumn)
{
    boxes_ = &boxes;
    twoColumn_ = twoColumn;
    for (int i = 1; i < kBoxSlots; ++i)
        data_.answerAlternatives[i] = SplitAlternatives(boxes[i].answer);
    state_.correctCount = 0;
    state_.totalCount = 0;
}

void StudySession::resetJudgements()
{
    for (int i = 1; i < kBoxSlots; ++i) {
        boxes_->box(i).judgement = AnswerBox::kNotJudged;
        boxes_->box(i).answerShown = false;
    }
    state_.correctCount = 0;
}

void StudySession::windowClosed()
{
    resetJudgements();
    state_.totalCount = 0;
}

void StudySession::startExercise(bool test)
{
    if (!test)
        random_.reseed();
    // A sheet without answer boxes has no box to start in.
    state_.currentBox = boxCount() >= 1 ? 1 : 0;
    for (int i = 0; i < kBoxSlots; ++i)
        data_.learnerAnswers[i] = kNoAnswerYet.toString();
    for (int i = 1; i < kBoxSlots; ++i) {
        AnswerBox& b = boxes_->box(i);
        b.judgement = AnswerBox::kNotJudged;
        b.tries = 0;
        data_.modelTexts[i] = b.answer;
    }
    state_.allCorrect = false;
    state_.immediateCheck = !test;
    state_.reviewMode = false;
    state_.elapsedSeconds = 0;
    state_.timerRunning = true;
    state_.exerciseRunning = true;
    resetJudgements();
    state_.wrongCount = 0;
    state_.triesText.clear();
}

int StudySession::nextOpenBox(const EntryBoxView& view) const
{
    return NextOpenBox(state_.currentBox, boxCount(), view, data_.learnerAnswers);
}

int StudySession::nextEmptyInColumnOrder(const EntryBoxView& view) const
{
    return NextEmptyInColumnOrder(boxCount(), twoColumn_, view);
}

int StudySession::judgeBox(int box, const QString& text)
{
    if (!hasBox(box))
        return kMatchWrong;
    AnswerBox& b = boxes_->box(box);
    const int r = MatchAnswer(data_.answerAlternatives[box], b.answerShown, text);
    if (r == kMatchRightAfterShown) {
        b.judgement = kMatchRightAfterShown;
        ++state_.wrongCount;
    } else if (r == kMatchWrong) {
        b.judgement = kJudgedWrong;
        ++state_.wrongCount;
    } else if (!state_.reviewMode) {
        if (b.judgement == kJudgedWrong) {
            b.judgement = kRightAfterWrong;
        } else if (b.judgement == kMatchWrong || b.judgement == kMatchRight) {
            ++state_.correctCount;
            b.judgement = kMatchRight;
        }
    }
    return r;
}

QStringList StudySession::showAnswer()
{
    const int box = state_.currentBox;
    QStringList lines{kAnswerIs.toString(), QString()};
    if (!hasBox(box))
        return lines;
    boxes_->box(box).judgement = kJudgedWrong;
    boxes_->box(box).answerShown = true;
    lines += data_.answerAlternatives[box];
    return lines;
}

Score StudySession::scorePercent()
{
    const Score score = ScorePercent(*boxes_);
    if (score.total >= 1) {
        state_.correctCount = score.correct;
        state_.totalCount = score.total;
    }
    return score;
}

EnterOutcome StudySession::enterAnswer(const QString& text, bool readOnly, const EntryBoxView& view)
{
    EnterOutcome out;
    const int box = state_.currentBox;
    out.box = box;
    if (text.isEmpty() || !hasBox(box))
        return out;

    out.typed = text;
    out.review = state_.reviewMode;
    AnswerBox& b = boxes_->box(box);
    if (state_.immediateCheck && !state_.reviewMode)
        out.drawShift = b.tries;
    if (readOnly) {
        out.kind = EnterKind::DrawnOnly;
        return out;
    }
    out.boxText = trimControls(text);

    if (!state_.immediateCheck) {
        out.kind = EnterKind::Stored;
        data_.learnerAnswers[box] = out.boxText;
        const OverriddenView now(view, box, view.isVisible(box), out.boxText);
        if (nextEmptyInColumnOrder(now) != 0) {
            out.focus = StudyFocus::Box;
            out.focusBox = nextOpenBox(now);
            if (out.focusBox == 0)
                out.focusBox = box;
        } else {
            out.focus = StudyFocus::Saiten;
        }
        return out;
    }

    if (out.boxText.isEmpty()) {
        out.kind = EnterKind::AskShowAnswer;
        out.focus = StudyFocus::Box;
        out.focusBox = box;
        return out;
    }

    if (data_.learnerAnswers[box] == kNoAnswerYet)
        data_.learnerAnswers[box] = out.boxText;

    const int r = judgeBox(box, out.boxText);
    if (r == kMatchRight || r == kMatchRightAfterShown) {
        out.kind = EnterKind::Right;
        if (b.answerShown) {
            ++b.tries;
            out.mark = MarkKind::Triangle;
            out.redText = true;
        } else {
            out.mark = state_.reviewMode ? MarkKind::DoubleCircle : MarkKind::Circle;
            out.answerAreaText = PraiseLine(random_);
        }
        state_.triesText += QString::number(b.tries);
        const OverriddenView now(view, box, false, out.boxText);
        const int n = nextOpenBox(now);
        if (n != 0) {
            out.focus = StudyFocus::Box;
            out.focusBox = n;
        } else {
            out.end = state_.reviewMode ? ExerciseEnd::Review : ExerciseEnd::Practice;
        }
        return out;
    }

    out.kind = EnterKind::Wrong;
    // A column answer is corrected in its cells; any other box moves on beside its try.
    out.moveBoxOn = b.cells.isEmpty();
    if (b.tries >= 3) {
        out.answersShown = true;
        out.showAnswerLines = showAnswer();
    }
    ++b.tries;
    out.mark = MarkKind::Slash;
    out.focus = StudyFocus::Box;
    out.focusBox = box;
    out.selectAll = true;
    if (!out.answersShown)
        out.answerAreaText = kCorrectIt.toString();
    return out;
}

ScoreOutcome StudySession::scoreExercise(const EntryBoxView& view, const StudyRecordTarget& target,
                                         const QDateTime& now)
{
    ScoreOutcome out;
    const int count = boxCount();
    const bool test = !state_.immediateCheck;
    if (test) {
        for (int i = 1; i <= count; ++i)
            data_.learnerAnswers[i] = PadAnswer(view.text(i), data_.modelTexts[i]);
    }
    int empty = 0;
    for (int i = 1; i <= count; ++i) {
        if (VisibleAndEmpty(view, i))
            ++empty;
    }
    if (empty == count) {
        out.accepted = false;
        out.focus = StudyFocus::Box;
        return out;
    }

    // The judging run.
    out.accepted = true;
    state_.timerRunning = false;
    state_.correctCount = 0;
    state_.wrongCount = 0;
    for (int i = 1; i <= count; ++i)
        boxes_->box(i).judgement = judgeBox(i, data_.learnerAnswers[i]);
    state_.allCorrect = state_.wrongCount == 0;
    out.score = scorePercent();
    out.record = WriteStudyRecord(target, state_, out.score, now);
    out.fukushuEnabled = state_.wrongCount != 0;

    if (test) {
        out.testMarks = true;
        for (int i = 1; i <= count; ++i) {
            AnswerBox& b = boxes_->box(i);
            b.tries = b.judgement == kMatchRight ? 0 : 1;
        }
    }
    out.endMessage = showEndMessage();
    out.face = FaceImageFor(out.score.percent, random_);
    state_.reviewMode = false;
    out.focus = state_.allCorrect ? StudyFocus::End : StudyFocus::Fukushu;
    return out;
}

EndMessage StudySession::showEndMessage()
{
    if (state_.allCorrect && !state_.reviewMode)
        return EndMessage::AllCorrectWindow;
    state_.allCorrect = false;
    if (state_.reviewMode)
        return EndMessage::ReviewEnded;
    return state_.immediateCheck ? EndMessage::PracticeEnded : EndMessage::TestEnded;
}

StudyFocus StudySession::focusAfterEnd() const
{
    return state_.allCorrect || state_.wrongCount < 1 ? StudyFocus::End : StudyFocus::Fukushu;
}

ReviewStart StudySession::startReview()
{
    ReviewStart out;
    for (int i = 1; i < kBoxSlots; ++i)
        boxes_->box(i).answerShown = false;
    state_.allCorrect = false;
    state_.wrongCount = 0;
    state_.immediateCheck = true;
    state_.firstReviewBox = -1;
    state_.reviewCount = 0;
    for (int i = 1; i <= boxCount(); ++i) {
        if (boxes_->box(i).judgement == kMatchRight)
            continue;
        ++state_.reviewCount;
        out.boxes.append(i);
        if (state_.firstReviewBox == -1)
            state_.firstReviewBox = i;
    }
    state_.reviewMode = true;
    state_.exerciseRunning = true;
    out.firstReviewBox = state_.firstReviewBox;
    if (out.firstReviewBox >= 1)
        state_.currentBox = out.firstReviewBox;
    return out;
}

QStringList StudySession::alternativeLines(int box) const
{
    if (!hasBox(box) || data_.answerAlternatives[box].size() < 2)
        return {};
    QStringList lines{kAlternativesAre.toString()};
    lines += data_.answerAlternatives[box].mid(1);
    return lines;
}

MemoriseStep StudySession::startMemorise()
{
    resetJudgements();
    MemoriseStep step;
    state_.currentBox = 0;
    if (boxCount() < 1)
        return step;
    state_.currentBox = 1;
    step.box = 1;
    step.text = data_.answerAlternatives[1].value(0);
    step.alternativeLines = alternativeLines(1);
    return step;
}

MemoriseStep StudySession::memoriseNext(const EntryBoxView& view, bool keepFilled)
{
    const int box = state_.currentBox;
    const OverriddenView now(view, box, view.isVisible(box),
                             keepFilled ? view.text(box) : QString());
    MemoriseStep step;
    step.box = nextOpenBox(now);
    if (step.box == 0)
        return step;
    step.text =
        keepFilled ? boxes_->box(step.box).answer : data_.answerAlternatives[step.box].value(0);
    step.alternativeLines = alternativeLines(step.box);
    state_.currentBox = step.box;
    return step;
}

void StudySession::showCorrectAnswers()
{
    for (int i = 1; i < kBoxSlots; ++i)
        boxes_->box(i).judgement = AnswerBox::kNotJudged;
}

} // namespace zendra
