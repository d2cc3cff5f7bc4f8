#include "sheet/AnswerFrames.h"

#include "platform/Numbers.h"
#include "sheet/Sheet.h"

#include <algorithm>

namespace zendra {

namespace {

constexpr QRgb kBlack = qRgb(0, 0, 0);

// Settings are unbounded in the files and some dialogs; keeping every operand and every
// rounded result far inside int keeps the arithmetic defined for any value.
int bounded(int value)
{
    return std::clamp(value, -1000000, 1000000);
}

int px(double value)
{
    return roundHalfEven(std::clamp(value, -1.0e7, 1.0e7));
}

} // namespace

int AnswerFieldHeight(int characterSize)
{
    const int size = std::clamp(characterSize, 0, 100000);
    return std::max(1, roundHalfEven(size * 96 / 72.0)) + 8;
}

AnswerBoxRects AnswerBoxGeometry(const AnswerBox& entry, double s, double f, int fieldHeight,
                                 int boxWidth, int boxHeight)
{
    const int left = px(entry.x * s * f);
    const int top = px(entry.y * s) + px(3 * s);
    const int right = left + px(entry.width * s) - px(3 * s);
    const int bottom = top + px(fieldHeight * s);

    const int scaledHeight = px(bounded(boxHeight) * s);
    const int w = px(s * (bounded(boxWidth) + 5));
    const int boxRight = w < 0 ? right - w : left + 5 * w;
    AnswerBoxRects rects;
    rects.base = QRect(QPoint(left, top), QPoint(right, bottom));
    rects.box =
        QRect(QPoint(left, top - px(scaledHeight * 0.5)), QPoint(boxRight, bottom + scaledHeight));
    return rects;
}

void DrawRoundAnswerFrame(Surface& surface, const QRect& box, int characterSize, int boxHeight,
                          double s)
{
    // Scaled like every other length, so a printer page gets boxes of screen shape.
    const int d = px((2.0 * characterSize + boxHeight - 10) * s);
    const int e = px(0.8 * d);
    const int top = box.top() + e / 5;
    surface.roundRect(box.left(), top, box.right(), top + d + px(0.5 * e), e, e);
}

void DrawAnswerBoxes(const Sheet& sheet, Composition& out, Surface& surface, double s,
                     const ComposeInputs& inputs, const QList<int>* boxLines)
{
    // The boxes of the screen layout, where the screen has them, on every page.
    const double f = 1.0;
    const KranLines kran = sheet.kran();
    const int shape = bounded(kran.number(KranLine::Shape));
    const int boxWidth = bounded(kran.number(KranLine::BoxWidth));
    const int boxHeight = bounded(kran.number(KranLine::BoxHeight));
    const int fieldHeight = AnswerFieldHeight(inputs.mojiSize);

    surface.setPenColour(kBlack);
    surface.setFontColour(kBlack);
    const bool recordEnds = boxLines && boxLines->size() == out.boxes.count();
    for (int i = 1; i <= out.boxes.count(); ++i) {
        const AnswerBox& entry = out.boxes[i];
        const AnswerBoxRects rects =
            AnswerBoxGeometry(entry, s, f, fieldHeight, boxWidth, boxHeight);
        const QRect& base = rects.base;
        const QRect& box = rects.box;
        // A column problem's cells are its box.
        switch (entry.cells.isEmpty() ? shape : 0) {
        case 1:
            surface.setPenWidth(std::max(1, px(s)));
            surface.rectangle(box.left(), box.top(), box.right(), box.bottom());
            surface.setPenWidth(1);
            break;
        case 2:
        case 3:
            surface.setFontSize(entry.fontSize);
            surface.textOut(base.left(), base.top(),
                            shape == 2 ? QStringLiteral("［") : QStringLiteral("【"));
            surface.textOut(base.right(), base.top(),
                            shape == 2 ? QStringLiteral("］") : QStringLiteral("】"));
            break;
        case 4: {
            const int e = px((box.bottom() - box.top()) * 0.2);
            surface.moveTo(box.left(), box.bottom() - e);
            surface.lineTo(box.right(), box.bottom() - e);
            break;
        }
        case 5:
            DrawRoundAnswerFrame(surface, box, bounded(inputs.mojiSize), boxHeight, s);
            break;
        default:
            break;
        }
        if (inputs.drawMark)
            inputs.drawMark(surface, i, entry, rects, s, f);
        if (!recordEnds)
            continue;
        int right = 0;
        if (!entry.cells.isEmpty())
            right = entry.cells.back().right() + 1;
        else if (shape == 1 || shape == 4 || shape == 5)
            right = box.right();
        else if (shape == 2 || shape == 3)
            right = base.right() +
                    surface.textWidth(shape == 2 ? QStringLiteral("］") : QStringLiteral("】"));
        const int line = boxLines->at(i - 1);
        if (line < out.lineEnds.size())
            out.lineEnds[line] = std::max(out.lineEnds.at(line), right);
    }
}

} // namespace zendra
