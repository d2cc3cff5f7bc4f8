#pragma once

#include "sheet/AnswerBoxTable.h"
#include "sheet/PageComposer.h"
#include "study/StudyMarks.h"

#include <QImage>
#include <QList>
#include <QRect>

namespace zendra {

class ColumnEntry;
class StudySession;
class Surface;
struct Sheet;

// The study page's geometry: the sheet drawn at scale 1 right of the command panel, an
// entry box over every answer box.
struct StudyPageGeometry
{
    int characterSize = 0; // c: the body character size
    int boxHeight = 0;     // b: the answer-box height setting
    int boxWidth = 0;      // the unit's answer-box width setting
    int panel = 0;         // the width left of the page (the command panel)

    // The answer box's rectangles on the page.
    AnswerBoxRects rects(const AnswerBox& box) const;
    // Where its entry box lies in the window. The box fills the frame drawn on the page: as
    // wide as the answer alone it would give the answer's length away and leave no room to
    // type a longer one.
    EntryBoxRect entryRect(const AnswerBox& box) const;
    // The mark of a judged box placed over it as its entry box lies (page coordinates);
    // s and f as the composer draws.
    MarkShape markOver(MarkKind kind, const AnswerBox& box, const QRect& base, double s,
                       double f) const;
    // The mark of an entry box at window rectangle `entry`.
    MarkShape entryMark(MarkKind kind, const EntryBoxRect& entry, bool review) const;
};

// The bounds of a mark's outlines with their pen.
QRect MarkBounds(const MarkShape& mark);

// Where an entry box now at window rectangle `at` (its x: `left`) goes after a wrong try:
// on to the right while it stays on the page and off any text or frame beside it on the
// clean page; otherwise under the question, a row lower at its first left `placedAt`, when
// that place is free. Otherwise it stays.
QPoint RetryPlace(const StudyPageGeometry& g, const AnswerBox& box, const QRect& at, int left,
                  const QPoint& placedAt, const QImage& cleanPage);

// The page area a review gives back to the clean page before drawing box's new answer: the
// frame and everything the exercise drew for it (`drawn`).
QRect ReviewArea(const StudyPageGeometry& g, const AnswerBox& box, const QRect& drawn,
                 const QRect& page);
// The page area a box's last try and mark give back when the box had no place to move to.
QRect GiveWayArea(const StudyPageGeometry& g, const EntryBoxRect& typedAt, const QRect& page);

// The frame of box drawn again, black, over what was written into it (消去).
void RedrawFrame(Surface& surface, const StudyPageGeometry& g, const AnswerBox& box);

// The marks of a test's scoring, box by box (1..count): circles for the right ones,
// slashes across the frame for the rest.
QList<MarkShape> TestMarks(const StudyPageGeometry& g, const AnswerBoxTable& boxes);

// The composition of the study page from the main window's inputs `base`: the worksheet's
// boxes kept, no alternatives beside them, the judged boxes' marks over them; with the
// learner's padded answers in the boxes when `learnerAnswers` (the answer sheet).
ComposeInputs StudyComposeInputs(ComposeInputs base, const StudySession& session,
                                 const StudyPageGeometry& g, bool learnerAnswers);
// The sheet composed on a white page of its size at scale 1.
QImage ComposeStudyPage(Sheet& sheet, const ComposeInputs& inputs);

// A typed answer drawn on the page in blue, in the sheet's notation.
void DrawTypedAnswer(Surface& surface, const Sheet& sheet, int characterSize, const QString& text,
                     int x, int y);
// The digits of a column answer drawn into their cells on the page in blue, as the sheet
// draws digits in cells; scratch digits stay the learner's and are not drawn.
void DrawColumnAnswer(Surface& surface, const Sheet& sheet, const ColumnEntry& entry);

} // namespace zendra
