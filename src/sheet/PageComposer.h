#pragma once

#include "sheet/AnswerBoxTable.h"
#include "sheet/Composition.h"
#include "sheet/NotationRenderer.h"

#include <QDateTime>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

namespace zendra {

struct Sheet;

// The corners of an answer field as drawn: `base` is the field itself, `box` the frame
// around it. Both are given by their edges (QRect's right() and bottom() are the edges).
struct AnswerBoxRects
{
    QRect base;
    QRect box;
};

// Draws a box's study-mode mark after the boxes: box number, its entry, its rectangles on
// this surface, the scale s and the horizontal factor f of the composition.
using MarkDrawer = std::function<void(Surface& surface, int box, const AnswerBox& entry,
                                      const AnswerBoxRects& rects, double s, double f)>;

// The application-wide inputs of a composition that the windows hold: the main window's
// spins and check boxes, the print-mode and paper dialogs, the school and learner names,
// and study mode's switches. Windows fill it from their controls; tests fill it directly.
struct ComposeInputs
{
    bool composing = true; // off while a sheet or the answer-box dialog is being set up
    int mojiSize = 14;     // spnMojiSize: the body character size
    int gyouSpace = 30;    // spnGyouSpace: the main line spacing
    bool bekkai = false;   // chkBekkai: alternatives printed beside the box
    bool number = false;   // chkNumber: "№ " + start number on the date line
    int startNumber = 1;   // spnStart
    QString numberSuffix;  // after the number: "-" + the seed of a copy with its own numbers
    QString keyMark;       // an answer key's mark ("解答"), at the right end of the title line
    bool classFlag = true; // chkClassFlag (sheet option bit 1)
    bool jisshibi = true;  // chkJisshibi (bit 2)
    bool printed = true;   // chkPrinted (bit 4)
    QString schoolName;
    QString learnerName = QStringLiteral("共通");
    bool reusePieceStarts = false; // also writes the learner's answers into the boxes
    bool registerAnswerBoxes = true;
    QDateTime now = QDateTime::currentDateTime(); // printed on the date line
    QStringList learnerAnswers; // study mode: the learner's answer of box i at [i - 1]
    // Study mode: the number of blanks that have an entry box. The blanks after them were
    // never asked, so they keep their place on the page and show no answer. -1: all shown.
    int studyBoxes = -1;
    MarkDrawer drawMark; // study mode's marks; none when empty
};

// Where a composition draws.
struct ComposeTarget
{
    int width = 630;  // W: the page image's width, or the printable page in printer pixels
    int height = 891; // H
    // A page that leaves the program (paper, PDF): the screen layout drawn scaled by
    // width / screenImageWidth, and hidden answers left out instead of drawn white.
    bool printer = false;
    int screenImageWidth = 630; // width of the sheet's screen image (for the ratio r)
};

// The height of the base rectangle of an answer field for a character size: the height of
// the single-line entry box study mode lays over it, which is the pixel height of the main
// face at that size on the 96 dpi screen plus the box's frame and inner margin (2 + 2 pixels
// above and below).
int AnswerFieldHeight(int characterSize);

// The rectangles of a recorded box on a surface of scale s, widened horizontally by f. The
// composer draws every page in the screen's units, with s = f = 1. boxWidth and boxHeight
// are the sheet's answer-box values 2 and 3.
AnswerBoxRects AnswerBoxGeometry(const AnswerBox& entry, double s, double f, int fieldHeight,
                                 int boxWidth, int boxHeight);

// The rounded frame of answer-box shape 5 around `box` (transparent inside), for the
// character size and the answer-box height setting, on a surface of scale s.
void DrawRoundAnswerFrame(Surface& surface, const QRect& box, int characterSize, int boxHeight,
                          double s);

// Draws the whole sheet onto the surface and returns the layout (answer-box table, piece
// positions, piece-start memory, answer list, line starts and ends, score position, placed
// figures). It starts from the sheet's last composition (`sheet.composed`): a printer page
// draws the boxes of the last screen composition and never registers its own, so the table
// stays in screen pixels for study mode, and reusePieceStarts lays the lines out from the
// recorded starts. A printer page is laid out in the screen's units and the surface is told
// to scale them onto the page, so every piece starts where the screen page has it. The sheet
// itself changes only where a figure without a place gets one: it is written back into the
// figure's triple. Callers keep the result as the sheet's last composition.
Composition ComposeSheet(Sheet& sheet, Surface& surface, const ComposeTarget& target,
                         const ComposeInputs& inputs);

// The question lines (numbered from 1) that the sheet's last screen composition ran past the right
// edge of the page, which is the printable width of the paper: on paper they are cut off.
QList<int> LinesPastPage(const Sheet& sheet);

// What the sheet says of them, for its window: empty when every line fits.
QString LinesPastPageWarning(const QList<int>& lines);

} // namespace zendra
