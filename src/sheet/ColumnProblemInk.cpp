#include "sheet/ColumnProblemInk.h"

#include <algorithm>

namespace zendra {

namespace {

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kAnswerColour = qRgb(0, 0, 255);

// A page that shows a learner's answers in the cells (the answer sheet of study): any
// answer has them, blanks at least, where the learner left it empty.
bool ShowsLearnersWork(const std::vector<QStringList>& given)
{
    return std::any_of(given.begin(), given.end(),
                       [](const QStringList& g) { return !g.isEmpty(); });
}

// What is worked out but is no answer (partial products and division steps answered in no
// box) is the learner's scratch: a page of the learner's answers leaves it empty, as it
// leaves out the model of every box, so nothing of the model stands among the learner's
// digits in their colour.
bool LeftToTheLearner(const ColumnCell& c, bool learnersWork)
{
    return learnersWork && c.answer < 0 &&
           (c.role == CellRole::Partial || c.role == CellRole::Step ||
            c.role == CellRole::Remainder);
}

} // namespace

std::vector<QString> LearnerCellTexts(const ColumnLayout& layout,
                                      const std::vector<QStringList>& given)
{
    std::vector<QString> texts(layout.cells.size());
    for (int a = 0; a < layout.answerCount; ++a) {
        if (given[a].isEmpty())
            continue;
        const std::vector<const ColumnCell*> cells = layout.answerCells(a);
        int part = -1;
        int row = -1;
        std::vector<std::vector<size_t>> rows;
        for (const ColumnCell* c : cells) {
            if (c->row != row) {
                rows.emplace_back();
                row = c->row;
            }
            rows.back().push_back(size_t(c - layout.cells.data()));
        }
        for (const auto& indexes : rows) {
            ++part;
            QString digits;
            for (const QChar ch : given[a].value(part))
                if (ch.isDigit())
                    digits += ch;
            for (qsizetype i = qsizetype(indexes.size()) - 1, d = digits.size() - 1;
                 i >= 0 && d >= 0; --i, --d)
                texts[indexes[i]] = digits.at(d);
        }
    }

    return texts;
}

void DrawColumnProblem(const ColumnInk& ink, PlacedColumnProblem& placed,
                       const std::vector<bool>& unasked, const std::vector<QStringList>& given)
{
    Surface& surface = ink.surface;
    Surface& measuring = ink.measuring;
    Surface& answerSurface = ink.answerSurface;
    const ColumnLayout& layout = placed.layout;
    const int em = ink.em;
    const QRgb answerColour = ink.answerColour;
    const bool leaveAnswersOut = ink.leaveAnswersOut;
    const std::vector<QString> texts = LearnerCellTexts(layout, given);
    const bool learnersWork = ShowsLearnersWork(given);
    // Every column problem draws in the body size: its digits are measured once.
    const auto widthOf = [&](const QString& text) {
        const int d = text.size() == 1 ? text.at(0).digitValue() : -1;
        if (d < 0)
            return surface.textWidth(text);
        if (ink.digitWidths[d] < 0)
            ink.digitWidths[d] = surface.textWidth(text);
        return ink.digitWidths[d];
    };
    surface.setFontSize(ink.fontSize);
    surface.setFontStyle(StylePlain);
    surface.setPenColour(kBlack);
    surface.setPenWidth(ink.penWidth);
    const auto centred = [&](Surface& on, const QRect& r, const QString& text) {
        on.textOut(r.left() + (r.width() - widthOf(text)) / 2, r.top() + (r.height() - em) / 2,
                   text);
    };
    if (layout.options.grid) {
        for (int row = 0; row < layout.rows; ++row)
            for (int c = 0; c < layout.columns; ++c) {
                if (c == layout.signColumn)
                    continue;
                const QRect r = placed.cellRect(row, c);
                surface.rectangle(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
            }
    }
    struct CellInk
    {
        Surface* on;
        QRect rect;
        QRgb colour;
        QString text;
    };
    std::vector<CellInk> blackCells;
    std::vector<CellInk> colourCells;
    for (size_t i = 0; i < layout.cells.size(); ++i) {
        const ColumnCell& c = layout.cells[i];
        const QRect r = placed.cellRect(c.row, c.column);
        QString text = c.text;
        QRgb colour = kBlack;
        Surface* on = &surface;
        const bool worked = c.answer >= 0 || c.role == CellRole::Partial ||
                            c.role == CellRole::Step || c.role == CellRole::Remainder;
        if (c.role == CellRole::Carry) {
            // A small square at the foot of the cell for the learner's own mark.
            const int q = r.width() / 4;
            surface.rectangle(r.left() + q, r.top() + 2 * q, r.right() + 1 - q, r.bottom() + 1);
            text.clear();
        } else if (worked) {
            const bool hide = c.answer >= 0 && unasked[c.answer];
            if (c.answer >= 0 && !given[c.answer].isEmpty()) {
                text = texts[i];
                colour = kAnswerColour;
            } else {
                colour = answerColour;
                on = hide || leaveAnswersOut ? &measuring : &answerSurface;
                if (!ink.answersShown || hide || LeftToTheLearner(c, learnersWork))
                    text.clear();
            }
            if (on == &measuring)
                text.clear();
        }
        placed.drawn.append(text);
        if (!text.isEmpty())
            (colour == kBlack ? blackCells : colourCells).push_back({on, r, colour, text});
    }
    // The question's digits first, then the answers': the surface changes colour once,
    // not at every cell.
    for (const std::vector<CellInk>* group : {&blackCells, &colourCells})
        for (const CellInk& cell : *group) {
            surface.setFontColour(cell.colour);
            centred(*cell.on, cell.rect, cell.text);
        }
    surface.setFontColour(kBlack);
    for (const ColumnPoint& p : layout.points) {
        // The point sits on the line between the digits, at their foot.
        const bool answerRow =
            std::any_of(layout.cells.begin(), layout.cells.end(),
                        [&](const ColumnCell& c) { return c.row == p.row && c.answer >= 0; });
        if (answerRow && !ink.answersShown)
            continue;
        const QRect r = placed.cellRect(p.row, p.column);
        surface.setFontColour(answerRow ? answerColour : kBlack);
        const QString dot = QStringLiteral(".");
        surface.textOut(r.right() + 1 - surface.textWidth(dot) / 2, r.top() + (r.height() - em) / 2,
                        dot);
    }
    surface.setFontColour(kBlack);
    if (layout.signRow >= 0)
        centred(surface, placed.cellRect(layout.signRow, layout.signColumn), layout.sign);
    for (const ColumnRule& rule : layout.rules) {
        // The rules under a division's steps tell how its steps go: they are part of the
        // worked answer. The bar over the dividend is the first rule.
        const bool step = layout.kind == ColumnKind::Div && &rule != &layout.rules.front();
        if (step && (!ink.answersShown || learnersWork))
            continue;
        const QRect a = placed.cellRect(rule.row, rule.first);
        const QRect b = placed.cellRect(rule.row, rule.last);
        surface.moveTo(a.left(), a.top());
        surface.lineTo(b.right() + 1, a.top());
    }
    if (layout.bracketColumn >= 0) {
        // The bracket curves down from the bar's left end, bowed to the right.
        const QRect r = placed.cellRect(layout.bracketRow, layout.bracketColumn);
        const int h = r.height();
        surface.moveTo(r.left(), r.top());
        surface.lineTo(r.left() + h / 10, r.top() + h / 3);
        surface.lineTo(r.left() + h / 10, r.top() + 2 * h / 3);
        surface.lineTo(r.left() - h / 10, r.bottom() + 1);
    }
    surface.setPenWidth(1);
}

} // namespace zendra
