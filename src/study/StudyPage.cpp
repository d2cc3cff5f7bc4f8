#include "study/StudyPage.h"

#include "platform/ImageSurface.h"
#include "platform/Numbers.h"
#include "platform/Surface.h"
#include "sheet/Sheet.h"
#include "study/ColumnEntry.h"
#include "study/StudySession.h"

#include <QSet>

namespace zendra {

namespace {

// True when nothing is drawn on the page inside `r`, outside `own`.
bool blankOn(const QImage& page, const QRect& r, const QRect& own)
{
    const QRect area = r & page.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (!own.contains(x, y) && page.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

} // namespace

AnswerBoxRects StudyPageGeometry::rects(const AnswerBox& box) const
{
    return AnswerBoxGeometry(box, 1.0, 1.0, AnswerFieldHeight(characterSize), boxWidth, boxHeight);
}

EntryBoxRect StudyPageGeometry::entryRect(const AnswerBox& box) const
{
    EntryBoxRect r = PlaceEntryBox(box, panel, characterSize, boxHeight);
    const QRect frame = rects(box).box;
    r.width = std::max(r.width, frame.right() - frame.left() - 4);
    return r;
}

MarkShape StudyPageGeometry::markOver(MarkKind kind, const AnswerBox& box, const QRect& base,
                                      double s, double f) const
{
    // A column answer's mark lies on its judged cells, not on a box's one line.
    if (!box.cells.isEmpty())
        return CellsMark(kind, JudgedCellsRect(box, s), s, false);
    StudyPageGeometry onPage = *this;
    onPage.panel = 0;
    const EntryBoxRect e = onPage.entryRect(box);
    if (kind == MarkKind::TestSlash) {
        // Across the whole frame, not just the width of the model answer.
        QRect across = base;
        across.setRight(std::max(base.right(), base.left() + roundHalfEven(e.width * s)));
        return TestSlashMark(across, e.width, s);
    }
    return MakeMark(kind, e, PageFrame{0, 0, s, f}, false);
}

MarkShape StudyPageGeometry::entryMark(MarkKind kind, const EntryBoxRect& entry, bool review) const
{
    return MakeMark(kind, entry, PageFrame{panel, 0, 1.0, 1.0}, review);
}

QRect MarkBounds(const MarkShape& mark)
{
    QRect bounds;
    for (const QRect& e : mark.ellipses)
        bounds |= QRect(e.topLeft(), e.bottomRight());
    for (const QLine& l : mark.lines)
        bounds |= QRect(l.p1(), l.p2()).normalized();
    const int pen = std::max(1, mark.penWidth) + 1;
    return bounds.isNull() ? bounds : bounds.adjusted(-pen, -pen, pen, pen);
}

QPoint RetryPlace(const StudyPageGeometry& g, const AnswerBox& box, const QRect& at, int left,
                  const QPoint& placedAt, const QImage& cleanPage)
{
    const int p = g.panel;
    const QRect own = g.rects(box).box.adjusted(-1, -1, 1, 1);
    const QRect right(left + at.width() - p, at.y(), at.width(), at.height());
    if (right.right() < cleanPage.width() && blankOn(cleanPage, right, own))
        return QPoint(left + at.width(), at.y());
    const QRect under(placedAt.x() - p, at.y() + at.height() + 2, at.width(), at.height());
    if (under.bottom() < cleanPage.height() && blankOn(cleanPage, under, own))
        return QPoint(placedAt.x(), under.top());
    return at.topLeft();
}

QRect ReviewArea(const StudyPageGeometry& g, const AnswerBox& box, const QRect& drawn,
                 const QRect& page)
{
    return (g.rects(box).box.adjusted(-2, -2, 2, 2) | drawn) & page;
}

QRect GiveWayArea(const StudyPageGeometry& g, const EntryBoxRect& typedAt, const QRect& page)
{
    const QRect typed(typedAt.left - g.panel, typedAt.top, typedAt.width, typedAt.height);
    return (typed | MarkBounds(g.entryMark(MarkKind::Slash, typedAt, false))) & page;
}

void RedrawFrame(Surface& surface, const StudyPageGeometry& g, const AnswerBox& box)
{
    surface.setPenColour(0xff000000);
    surface.setPenWidth(1);
    DrawRoundAnswerFrame(surface, g.rects(box).box, g.characterSize, g.boxHeight, 1.0);
}

ComposeInputs StudyComposeInputs(ComposeInputs inputs, const StudySession& session,
                                 const StudyPageGeometry& g, bool learnerAnswers)
{
    inputs.composing = true;
    inputs.bekkai = false; // no alternatives beside the boxes while the learner studies
    // The study page keeps the worksheet's boxes: the entry boxes lie over them.
    inputs.registerAnswerBoxes = false;
    inputs.reusePieceStarts = learnerAnswers;
    inputs.studyBoxes = session.boxCount();
    inputs.drawMark = [g](Surface& surface, int, const AnswerBox& entry,
                          const AnswerBoxRects& rects, double s, double f) {
        const MarkKind kind = ComposedMarkFor(entry.judgement);
        if (kind != MarkKind::None)
            PaintMark(surface, g.markOver(kind, entry, rects.base, s, f));
    };
    if (learnerAnswers)
        for (int i = 1; i <= session.boxCount(); ++i)
            inputs.learnerAnswers.append(session.data().learnerAnswers[i]);
    return inputs;
}

QImage ComposeStudyPage(Sheet& sheet, const ComposeInputs& inputs)
{
    QImage page(sheet.settings.page.width, sheet.settings.page.height, QImage::Format_RGB32);
    page.fill(Qt::white);
    ComposeTarget target;
    target.width = page.width();
    target.height = page.height();
    target.screenImageWidth = page.width();
    {
        ImageSurface surface(page);
        sheet.composed = ComposeSheet(sheet, surface.surface(), target, inputs);
    }
    return page;
}

void DrawTypedAnswer(Surface& surface, const Sheet& sheet, int characterSize, const QString& text,
                     int x, int y)
{
    surface.setFontFace(sheet.settings.drawingFace);
    sheet.composed.renderer.DrawNotation(characterSize, x, y, kTypedBlue, text, surface, 1.0);
}

void DrawColumnAnswer(Surface& surface, const Sheet& sheet, const ColumnEntry& entry)
{
    if (entry.isEmpty())
        return;
    // A cell is as high as the digit's em and a quarter more.
    const int em = entry.cells().front().rect.height() * 4 / 5;
    surface.setFontFace(sheet.settings.drawingFace);
    surface.setFontSize(std::max(1, roundHalfEven(em * 72 / 96.0)));
    surface.setFontStyle(StylePlain);
    surface.setFontColour(kTypedBlue);
    QSet<int> written; // the rows the learner wrote in: their points are part of the answer
    for (const ColumnEntryCell& c : entry.cells()) {
        if (c.scratch || c.digit.isEmpty())
            continue;
        written.insert(c.row);
        surface.textOut(c.rect.left() + (c.rect.width() - surface.textWidth(c.digit)) / 2,
                        c.rect.top() + (c.rect.height() - em) / 2, c.digit);
    }
    // The point where the sheet draws it, on the line after its cell: "35.03", not "3503".
    const QString dot = QStringLiteral(".");
    for (const ColumnEntryCell& c : entry.cells())
        if (!c.scratch && c.pointAfter && written.contains(c.row))
            surface.textOut(c.rect.right() + 1 - surface.textWidth(dot) / 2,
                            c.rect.top() + (c.rect.height() - em) / 2, dot);
}

QList<MarkShape> TestMarks(const StudyPageGeometry& g, const AnswerBoxTable& boxes)
{
    QList<MarkShape> marks;
    for (int i = 1; i <= boxes.count(); ++i) {
        const QRect base =
            AnswerBoxGeometry(boxes[i], 1.0, 1.0, AnswerFieldHeight(g.characterSize), 0, 0).base;
        marks.append(
            g.markOver(boxes[i].judgement == kMatchRight ? MarkKind::Circle : MarkKind::TestSlash,
                       boxes[i], base, 1.0, 1.0));
    }
    return marks;
}

} // namespace zendra
