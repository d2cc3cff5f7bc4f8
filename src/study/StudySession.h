#pragma once

#include "sheet/AnswerBoxTable.h"
#include "study/Judging.h"
#include "study/StudyMarks.h"
#include "study/StudyRandom.h"
#include "study/StudyRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

namespace zendra {

// Study mode without widgets: the exercise state, the walk over the boxes, what Enter and
// scoring decide. The study window keeps the entry boxes and draws; it asks a StudySession
// what to do and does what the returned outcome says.

inline constexpr int kBoxSlots = AnswerBoxTable::kMaxBoxes + 1; // slot 0 is not a box

// A learner answer slot that has taken no answer yet.
inline constexpr QStringView kNoAnswerYet = u"initX";

// The texts study mode shows.
inline constexpr QStringView kAskShowAnswer = u"正解を表示しますか";
inline constexpr QStringView kShowingAnswer = u"右下に正解を表示します";
inline constexpr QStringView kCorrectIt = u"解答を訂正してください";
inline constexpr QStringView kNothingToScore = u"解答を入力してから採点してください。";
inline constexpr QStringView kAnswerIs = u"正解は";
inline constexpr QStringView kAlternativesAre = u"別解は";

// The entry boxes as the window has them: whether box i (1..80) is visible and its text.
class EntryBoxView
{
public:
    virtual ~EntryBoxView() = default;
    virtual bool isVisible(int box) const = 0;
    virtual QString text(int box) const = 0;
};

bool VisibleAndEmpty(const EntryBoxView& view, int box);

// Entry boxes held in arrays: for tests, benchmarks and windows that mirror their boxes.
class EntryBoxList : public EntryBoxView
{
public:
    bool isVisible(int box) const override;
    QString text(int box) const override;
    void set(int box, bool visible, const QString& text);
    void setVisible(int box, bool visible);
    void setText(int box, const QString& text);

private:
    std::array<bool, kBoxSlots> visible_{};
    std::array<QString, kBoxSlots> texts_{};
};

// The per-box data study mode owns beside the answer-box table.
struct StudyBoxData
{
    std::array<QString, kBoxSlots> learnerAnswers; // "initX" until an answer is taken
    std::array<QString, kBoxSlots> modelTexts;     // the answer texts when the exercise began
    std::array<QStringList, kBoxSlots> answerAlternatives; // rebuilt when the window shows
};

// The exercise state (fields of the study window).
struct StudyState
{
    int currentBox = 0;
    bool immediateCheck = true; // practice and review; false in a test
    bool allCorrect = false;
    int wrongCount = 0;
    int reviewCount = 0;
    int firstReviewBox = -1;
    int elapsedSeconds = 0;
    QString triesText; // one tries digit per box completed in practice
    bool reviewMode = false;
    bool timerRunning = false; // timSecond runs from the start until the judging run
    // A practice, test or review is under way: from its start until it is scored, ends or
    // is aborted (EndExerciseView).
    bool exerciseRunning = false;
    // The sheet's correct-box and total-box counts of the last scoring.
    int correctCount = 0;
    int totalCount = 0;
};

// The reading order of a sheet: box number at reading position p (1-based). A two-column
// sheet reads the left column (odd boxes) first, then the right one.
int ColumnOrderBox(int p, int boxCount, bool twoColumn);
// The next box after `currentBox`, in ring order, whose entry box is visible and empty or
// that has taken no answer yet; 0 when none. Never the current box itself.
int NextOpenBox(int currentBox, int boxCount, const EntryBoxView& view,
                const std::array<QString, kBoxSlots>& learnerAnswers);
// The first box in reading order whose entry box is visible and empty; 0 when none.
int NextEmptyInColumnOrder(int boxCount, bool twoColumn, const EntryBoxView& view);

// Where the focus goes after an action.
enum class StudyFocus { None, Box, Saiten, End, Fukushu };

enum class EnterKind {
    Ignored,       // an empty box: nothing happens
    DrawnOnly,     // a read-only box (memorise): the text is drawn on the page, no more
    Stored,        // a test: the answer is kept, the focus moves on
    AskShowAnswer, // only blanks in practice or review: ask kAskShowAnswer; Yes: showAnswer()
    Right,
    Wrong,
};

// How an exercise ends after Enter completed its last box.
enum class ExerciseEnd {
    None,
    Review,  // showEndMessage(), then EndExerciseView and focusAfterEnd()
    Practice // scoreExercise() (the btnSaiten steps), draw the score again, EndExerciseView
};

// What the window does after Enter in box `box`, in this order.
struct EnterOutcome
{
    EnterKind kind = EnterKind::Ignored;
    int box = 0;
    // 1. Draw `typed` on the page, blue, at the drawing left: the entry box's saved left plus
    //    drawShift entry-box widths; in a review paint the answer box's frame area white
    //    first and draw at the entry box's current left instead (drawShift 0).
    QString typed;
    int drawShift = 0;
    bool review = false;
    // 2. The box's new text (the typed text without ASCII blanks and controls at its ends).
    QString boxText;
    // Right: 3. draw boxText again at the entry box's current left; the mark; the box text
    //    turns red when redText; hide the box.
    // Wrong: 3. when it fits on the page, move the entry box to (drawing left + its width);
    //    show the answers (showAnswerLines) and the message kShowingAnswer when given; the
    //    mark; focus the box with all its text selected.
    MarkKind mark = MarkKind::None;
    bool redText = false;
    bool moveBoxOn = false;
    bool answersShown = false;
    QStringList showAnswerLines; // AnswerArea lines (line 0 first) when answersShown
    // 4. Line 0 of AnswerArea: praise (18 pt red) or kCorrectIt (14 pt blue); empty: none.
    QString answerAreaText;
    // 5. The focus: a box (focusBox), btnSaiten, or nothing before `end` decides.
    StudyFocus focus = StudyFocus::None;
    int focusBox = 0;
    bool selectAll = false;
    ExerciseEnd end = ExerciseEnd::None;
};

// ShowEndMessage's choice.
enum class EndMessage { AllCorrectWindow, ReviewEnded, PracticeEnded, TestEnded };
// "復習を終わりました", "練習を終わりました", "テストを終わりました"; empty for the window.
QString EndMessageText(EndMessage message);

// What scoring did.
struct ScoreOutcome
{
    bool accepted = false; // false: show kNothingToScore, focus the current box; no change
    Score score;
    bool testMarks = false; // a test: draw ScoringMark of every box
    EndMessage endMessage = EndMessage::TestEnded;
    Face face = Face::Gaoh;
    StudyRecordResult record;           // show record.error when it was not written
    StudyFocus focus = StudyFocus::End; // End or Fukushu (enable it)
    bool fukushuEnabled = false;
};

// The boxes a review takes in.
struct ReviewStart
{
    int firstReviewBox = -1;
    QList<int> boxes; // entry boxes to empty and show, in number order
};

// A step of memorise mode: put `text` into box `box` (caret at the start) and show
// `alternativeLines` in AnswerArea when not empty ("別解は" then the other answers).
struct MemoriseStep
{
    int box = 0;
    QString text;
    QStringList alternativeLines;
};

// The panels and buttons after EndExerciseView.
struct StudyPanels
{
    bool pnlRenshu = true;
    bool pnlSS = false;
    bool pnlKiroku = true;
    bool grbTest = false;
    bool grbMoji = false;
    bool memKiroku = true;
    bool btnSeikaiEnabled = true;
    bool btnTouanEnabled = true;
    bool btnTestEnabled = true;
    bool entryBoxesVisible = false;
    bool entryBoxesEditable = true;
};
StudyPanels EndExerciseView();

// The modes of the study window.
enum class StudyMode { Idle, Practice, Test, Review, Memorise };

// What a mode shows (true), hides (false) or leaves as it is (nothing). The choice list,
// the keypads and the soft keyboard of an exercise follow the unit and the input mode.
struct StudyModeControls
{
    std::optional<bool> pnlRenshu = std::nullopt;
    std::optional<bool> pnlSS = std::nullopt;
    std::optional<bool> pnlKiroku = std::nullopt;
    std::optional<bool> grbTest = std::nullopt;
    std::optional<bool> pnlAnki = std::nullopt;
    std::optional<bool> grbCMoji = std::nullopt;
    std::optional<bool> grbMoji = std::nullopt;
    std::optional<bool> memKiroku = std::nullopt;
    std::optional<bool> grbSelect = std::nullopt;
    std::optional<bool> pnlBunsu = std::nullopt;
    std::optional<bool> btnAnswer = std::nullopt;
    std::optional<bool> btnHint = std::nullopt;
    std::optional<bool> btnSaiten = std::nullopt;
};
StudyModeControls ControlsFor(StudyMode mode);

// What acting on an entered answer does to the window. The study window draws and moves its
// boxes; a test keeps only what it checks.
class EnterActions
{
public:
    virtual ~EnterActions() = default;
    // The typed answer on the page (a review first clears what the exercise drew for it).
    virtual void drawTyped(const EnterOutcome&) {}
    virtual void setBoxText(int box, const QString& text) = 0;
    virtual void focusAfter(StudyFocus, int) {}
    // "答えを表示しますか" answered Yes.
    virtual bool askShowAnswer() { return false; }
    virtual void showAnswer() {}
    virtual void focusBox(int) {}
    // A right answer: drawn with its mark, the praise written; then the box goes.
    virtual void markRight(const EnterOutcome&) {}
    virtual void hideBox(int box) = 0;
    // A wrong answer: marked, the box moved on, the answer shown when due.
    virtual void markWrong(const EnterOutcome&) {}
    // The exercise ended from Enter: a review with its message, a practice scored.
    virtual void endReview(EndMessage) {}
    virtual void endPractice() {}
    virtual void endExerciseView(StudyFocus) {}
};

class StudySession
{
public:
    StudySession() = default;
    StudySession(const StudySession&) = delete;
    StudySession& operator=(const StudySession&) = delete;

    // The window is shown on a sheet: rebuilds the answers' alternatives from the table the
    // session works on from now (the sheet's, kept by reference).
    void windowShown(AnswerBoxTable& boxes, bool twoColumn);
    // Every judgement back to 99, nothing shown, the counts cleared.
    void windowClosed();

    int boxCount() const { return boxes_->count(); }
    // A box of this sheet: 1..boxCount(). The window's 81 entry boxes exist whatever the
    // sheet holds; only these take part.
    bool hasBox(int box) const { return box >= 1 && box <= boxCount(); }
    bool twoColumn() const { return twoColumn_; }
    AnswerBoxTable& boxes() { return *boxes_; }
    const AnswerBoxTable& boxes() const { return *boxes_; }
    StudyState& state() { return state_; }
    const StudyState& state() const { return state_; }
    StudyBoxData& data() { return data_; }
    const StudyBoxData& data() const { return data_; }
    StudyRandom& random() { return random_; }

    // StartExercise: a practice (reseeding the random source first) or a test.
    void startExercise(bool test);
    // One tick of timSecond.
    void tick() { ++state_.elapsedSeconds; }

    int nextOpenBox(const EntryBoxView& view) const;
    int nextEmptyInColumnOrder(const EntryBoxView& view) const;

    // Enter in entry box currentBox holding `text`; `readOnly` is the box's state.
    EnterOutcome enterAnswer(const QString& text, bool readOnly, const EntryBoxView& view);
    // Acts on an outcome of enterAnswer through the window's actions.
    void actOn(const EnterOutcome& out, EnterActions& actions);
    // MatchAnswer with the judgement bookkeeping; returns 1, 0 or -2.
    int judgeBox(int box, const QString& text);
    // "答えを見る" for the current box: marks it shown and wrong; the AnswerArea lines
    // ("正解は", an empty line, then every accepted answer).
    QStringList showAnswer();
    // The score of the judgements; stores the sheet's correct and total counts.
    Score scorePercent();

    // ScoreExercise after the window raised Enter for the current box (a test) or from the
    // end of a practice. A scored exercise is recorded through `target` at `now`.
    ScoreOutcome scoreExercise(const EntryBoxView& view, const StudyRecordTarget& target,
                               const QDateTime& now);
    // ShowEndMessage's choice; keeps allCorrect only for the all-correct window.
    EndMessage showEndMessage();
    // Where the focus goes when an exercise ended from Enter: btnEnd when all was right or
    // nothing wrong, else btnFukushu.
    StudyFocus focusAfterEnd() const;

    ReviewStart startReview();

    // Memorise mode: box 1 shows its first answer.
    MemoriseStep startMemorise();
    // "消して次へ" (keepFilled false: the current box is emptied, the next shows its first
    // answer) and "消さずに次へ" (the next shows its whole answer text).
    MemoriseStep memoriseNext(const EntryBoxView& view, bool keepFilled);
    // ShowAlternatives: "別解は" and answers 2..n when the box has two or more; else empty.
    QStringList alternativeLines(int box) const;

    // "正解表示" and "すべて表示": every judgement back to 99.
    void showCorrectAnswers();

private:
    void resetJudgements();

    AnswerBoxTable empty_; // until a sheet is attached
    AnswerBoxTable* boxes_ = &empty_;
    bool twoColumn_ = false;
    StudyState state_;
    StudyBoxData data_;
    StudyRandom random_;
};

} // namespace zendra
