#include "study/ColumnEntry.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace zendra {

namespace {

constexpr QChar kRemainder = u'…';

bool HasPointAfter(const ColumnLayout& layout, const ColumnCell& c)
{
    return std::any_of(layout.points.begin(), layout.points.end(), [&](const ColumnPoint& p) {
        return p.row == c.row && p.column == c.column;
    });
}

// The problem whose answer `answer` lies in the box's cells.
const PlacedColumnProblem* ProblemOf(const AnswerBox& box,
                                     const QList<PlacedColumnProblem>& problems, int& answer)
{
    for (const PlacedColumnProblem& p : problems) {
        for (answer = 0; answer < p.layout.answerCount; ++answer) {
            QList<QRect> rects;
            for (const ColumnCell* c : p.layout.answerCells(answer))
                rects.append(p.cellRect(c->row, c->column));
            if (!box.cells.isEmpty() && rects == box.cells)
                return &p;
        }
    }
    return nullptr;
}

} // namespace

QString ColumnCellsAnswer(const AnswerBox& box, const QList<PlacedColumnProblem>& problems)
{
    int a = 0;
    const PlacedColumnProblem* p = ProblemOf(box, problems, a);
    return p ? p->layout.answerText(a) : QString();
}

QChar EntryDigit(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c;
    if (c >= u'０' && c <= u'９')
        return QChar(u'0' + (c.unicode() - u'０'));
    return QChar();
}

void ColumnEntry::addAnswerRow(QList<int> row, bool leftToRight)
{
    std::sort(row.begin(), row.end(),
              [&](int a, int b) { return cells_[a].rect.left() < cells_[b].rect.left(); });
    rows_.append(row);
    if (!leftToRight)
        std::reverse(row.begin(), row.end());
    order_.append(row);
}

ColumnEntry ColumnEntry::ForBox(const AnswerBox& box, const QList<PlacedColumnProblem>& problems)
{
    ColumnEntry entry;
    if (box.cells.isEmpty())
        return entry;
    int a = 0;
    if (const PlacedColumnProblem* found = ProblemOf(box, problems, a)) {
        const PlacedColumnProblem& p = *found;
        const ColumnLayout& layout = p.layout;
        const std::vector<const ColumnCell*> cells = layout.answerCells(a);
        std::map<int, QList<int>> rows;
        std::map<int, bool> quotientRow;
        for (const ColumnCell* c : cells) {
            rows[c->row].append(int(entry.cells_.size()));
            quotientRow[c->row] = c->role == CellRole::Quotient;
            entry.cells_.append(
                {p.cellRect(c->row, c->column), c->row, false, HasPointAfter(layout, *c), {}});
        }
        for (const auto& [row, indexes] : rows)
            entry.addAnswerRow(indexes, quotientRow[row]);
        if (a == layout.answerCount - 1) {
            for (const ColumnCell& c : layout.cells) {
                const bool worked =
                    c.answer < 0 && (c.role == CellRole::Partial || c.role == CellRole::Step ||
                                     c.role == CellRole::Remainder);
                if (c.role == CellRole::Carry || worked)
                    entry.cells_.append({p.cellRect(c.row, c.column), c.row, true, false, {}});
            }
        }
        return entry;
    }
    // Cells of no problem drawn on this page: each row written ones first.
    std::map<int, QList<int>> rows;
    for (const QRect& r : box.cells) {
        rows[r.top()].append(int(entry.cells_.size()));
        entry.cells_.append({r, r.top(), false, false, {}});
    }
    for (const auto& [top, indexes] : rows)
        entry.addAnswerRow(indexes, false);
    return entry;
}

int ColumnEntry::cursorCell() const
{
    if (scratchCursor_ >= 0)
        return scratchCursor_;
    return order_.isEmpty() ? -1 : order_.at(position_);
}

QRect ColumnEntry::bounds() const
{
    QRect r;
    for (const ColumnEntryCell& c : cells_)
        r |= c.rect;
    return r;
}

bool ColumnEntry::type(QChar c)
{
    const QChar digit = EntryDigit(c);
    if (digit.isNull() || order_.isEmpty())
        return false;
    if (scratchCursor_ >= 0) {
        cells_[scratchCursor_].digit = digit;
        scratchCursor_ = -1;
        return true;
    }
    cells_[order_.at(position_)].digit = digit;
    if (position_ + 1 < order_.size())
        ++position_;
    return true;
}

void ColumnEntry::backspace()
{
    if (scratchCursor_ >= 0) {
        cells_[scratchCursor_].digit.clear();
        scratchCursor_ = -1;
        return;
    }
    if (order_.isEmpty())
        return;
    if (cells_[order_.at(position_)].digit.isEmpty() && position_ > 0)
        --position_;
    cells_[order_.at(position_)].digit.clear();
}

bool ColumnEntry::click(QPoint p)
{
    for (int i = 0; i < cells_.size(); ++i) {
        if (!cells_[i].rect.contains(p))
            continue;
        if (cells_[i].scratch) {
            scratchCursor_ = i;
        } else {
            scratchCursor_ = -1;
            position_ = int(order_.indexOf(i));
        }
        return true;
    }
    return false;
}

bool ColumnEntry::moveCursor(int step)
{
    if (order_.isEmpty())
        return false;
    const ColumnEntryCell& from = cells_[order_.at(position_)];
    int best = -1;
    for (int i = 0; i < order_.size(); ++i) {
        const ColumnEntryCell& c = cells_[order_.at(i)];
        const int dx = c.rect.left() - from.rect.left();
        if (c.row != from.row || dx == 0 || (dx < 0) != (step < 0))
            continue;
        if (best < 0 ||
            std::abs(dx) < std::abs(cells_[order_.at(best)].rect.left() - from.rect.left()))
            best = i;
    }
    if (best < 0)
        return false;
    scratchCursor_ = -1;
    position_ = best;
    return true;
}

QString ColumnEntry::text() const
{
    QString text;
    bool any = false;
    for (int r = 0; r < rows_.size(); ++r) {
        QString row;
        bool digits = false;
        for (int i : rows_.at(r)) {
            row += cells_[i].digit;
            digits |= !cells_[i].digit.isEmpty();
            if (cells_[i].pointAfter)
                row += u'.';
        }
        if (r > 0)
            text += kRemainder;
        if (digits)
            text += row;
        any |= digits;
    }
    return any ? text : QString();
}

void ColumnEntry::setText(const QString& text)
{
    for (ColumnEntryCell& c : cells_)
        c.digit.clear();
    scratchCursor_ = -1;
    const QStringList parts = text.split(kRemainder);
    for (int r = 0; r < rows_.size() && r < parts.size(); ++r) {
        QString digits;
        for (const QChar c : parts.at(r))
            if (const QChar d = EntryDigit(c); !d.isNull())
                digits += d;
        const QList<int>& row = rows_.at(r);
        for (qsizetype i = row.size() - 1, d = digits.size() - 1; i >= 0 && d >= 0; --i, --d)
            cells_[row.at(i)].digit = digits.at(d);
    }
    position_ = 0;
    while (position_ + 1 < order_.size() && !cells_[order_.at(position_)].digit.isEmpty())
        ++position_;
}

} // namespace zendra
