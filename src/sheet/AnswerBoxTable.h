#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <array>

namespace zendra {

// One answer box of the last composition, in screen pixels of the sheet's page image.
struct AnswerBox
{
    int x = 0;
    int y = 0;      // the row y of its line
    int width = 0;  // of the answer as drawn, not of the frame
    QString answer; // the raw answer piece, ';' alternatives included
    int fontSize = 0;
    // The answer of a column problem (筆算) fills cells instead of a box: their rectangles in
    // reading order, left to right and row by row. Empty for every other answer.
    QList<QRect> cells;
    // Study mode's part: 99 not judged, 1 right, 0 wrong at scoring, -1 wrong in practice or
    // review (or answer shown), -2 right only after the answer was shown, 2 right after an
    // earlier wrong attempt.
    int judgement = kNotJudged;
    bool answerShown = false; // the learner asked for (or was given) the answers
    int tries = 0;            // wrong attempts in practice and review; 1/0 after a test

    static constexpr int kNotJudged = 99;
};

// The answer boxes of the last screen composition, numbered 1..80 in reading order; slot 0
// is not a box. Study mode keeps its judgements here, so clearing the layout leaves them.
class AnswerBoxTable
{
public:
    static constexpr int kMaxBoxes = 80;

    int count() const { return count_; }
    bool isFull() const { return count_ >= kMaxBoxes; }

    // Box i, 1..80; slot 0 for anything else, so a stray index cannot reach past the table.
    const AnswerBox& operator[](int i) const { return boxes_[valid(i) ? i : 0]; }
    AnswerBox& box(int i) { return boxes_[valid(i) ? i : 0]; }

    // Appends a box; false, and nothing stored, when the table is full.
    bool add(int x, int y, int width, const QString& answer, int fontSize)
    {
        if (isFull())
            return false;
        AnswerBox& b = boxes_[++count_];
        b.x = x;
        b.y = y;
        b.width = width;
        b.answer = answer;
        b.fontSize = fontSize;
        b.cells.clear();
        return true;
    }

    // Forgets the boxes' layout before a composition registers them again.
    void clearLayout()
    {
        for (AnswerBox& b : boxes_) {
            b.x = b.y = b.width = b.fontSize = 0;
            b.answer.clear();
            b.cells.clear();
        }
        count_ = 0;
    }

    // All 81 judgements back to "not judged", as a fresh sheet has them.
    void resetJudgements()
    {
        for (AnswerBox& b : boxes_)
            b.judgement = AnswerBox::kNotJudged;
    }

private:
    static bool valid(int i) { return i >= 1 && i <= kMaxBoxes; }

    std::array<AnswerBox, kMaxBoxes + 1> boxes_{};
    int count_ = 0;
};

} // namespace zendra
