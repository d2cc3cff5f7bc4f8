#pragma once

#include "sheet/PageComposer.h"

#include <QList>

namespace zendra {

struct Composition;
struct Sheet;

// Draws the frame of every answer box of the composition in the sheet's box shape, with the
// marks the inputs ask for. With `boxLines` (the line of each box), a line's recorded end
// takes in its boxes' frames.
void DrawAnswerBoxes(const Sheet& sheet, Composition& out, Surface& surface, double s,
                     const ComposeInputs& inputs, const QList<int>* boxLines);

} // namespace zendra
