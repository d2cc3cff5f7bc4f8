#pragma once

#include "app/AppState.h"
#include "courseware/LayoutLines.h"

#include <QString>

#include <optional>

namespace zendra {

struct Sheet;

// The sheet values that the answer-box dialog, the main window's layout spins and the paper
// and print dialogs change.
enum class LayoutControl {
    Shape,          // answer-box line 1
    BoxWidth,       // line 2
    BoxHeight,      // line 3
    AnswerX,        // line 5
    AnswerY,        // line 6
    BoxX,           // line 7
    BoxY,           // line 8
    SubLineSpacing, // line 9
    LeftMargin,
    RightMargin,
    LineSpacing,   // spnGyouSpace
    CharacterSize, // spnMojiSize
    StartNumber,   // the print confirmation's first question number
    Options,       // the paper dialog's option bits
};

// Box shapes of answer-box line 1.
enum BoxShape {
    kShapeNone = 0,
    kShapeRect = 1,
    kShapeBrackets = 2,
    kShapeLenticular = 3,
    kShapeUnderline = 4,
    kShapeRounded = 5
};

// The answer-box line a control writes; none for the values kept outside that block.
std::optional<KranLine> KranLineOf(LayoutControl control);

// The value a control shows for the sheet (a non-number line reads as 0).
int LayoutValue(const Sheet& sheet, LayoutControl control);

// Whether setting `value` through `control` marks the sheet modified. Of the shapes only
// none and underline do; the paper dialog's options leave the mark to its paper; every other
// control always does.
bool MarksModified(LayoutControl control, int value);

// Writes `value` into the sheet (answer-box lines as text) and marks it modified where the
// control does. The caller lays the sheet out again.
void ApplyLayoutValue(Sheet& sheet, LayoutControl control, int value);

// Which size boxes a shape leaves editable; an unknown shape draws no box and allows none.
struct SizeBoxes
{
    bool width = false;
    bool height = false;
    bool operator==(const SizeBoxes&) const = default;
};
SizeBoxes SizeBoxesForShape(int shape);

// The shape button a sheet's shape value selects: none, rectangle, underline or rounded
// for 0, 1, 4 and 5; the bracket shapes have no visible button and select nothing; any
// other value draws no box and selects none.
std::optional<int> ShapeButtonFor(int shape);

// Gives the sheet the paper of that width (height recomputed) and marks it modified.
void ApplyPaper(Sheet& sheet, int width);

// The paper the paper dialog opens on: B5, A4 or B4 for their widths, A3 otherwise.
Paper DialogPaperOfWidth(int width);
int PaperWidth(Paper paper);

// Sheet options: 1 class flag, 2 date line, 4 sheet number and print time.
struct SheetOptions
{
    bool classFlag = true;
    bool jisshibi = true;
    bool printed = true;
    bool operator==(const SheetOptions&) const = default;
};
int OptionBits(const SheetOptions& options);
SheetOptions OptionsOfBits(int bits);

// The caption of the reduce button: what pressing it will do.
QString ReduceCaption(bool reduced);

} // namespace zendra
