#include "arithmetic/ColumnLayout.h"

#include "arithmetic/Expression.h"
#include "arithmetic/Number.h"
#include "arithmetic/Rational.h"

#include <algorithm>

namespace zendra {

QString ColumnKindName(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Add:
        return QStringLiteral("add");
    case ColumnKind::Sub:
        return QStringLiteral("sub");
    case ColumnKind::Mul:
        return QStringLiteral("mul");
    case ColumnKind::Div:
        return QStringLiteral("div");
    }
    return {};
}

QString CellRoleName(CellRole role)
{
    switch (role) {
    case CellRole::Operand:
        return QStringLiteral("operand");
    case CellRole::Partial:
        return QStringLiteral("partial");
    case CellRole::Answer:
        return QStringLiteral("answer");
    case CellRole::Carry:
        return QStringLiteral("carry");
    case CellRole::Quotient:
        return QStringLiteral("quotient");
    case CellRole::Divisor:
        return QStringLiteral("divisor");
    case CellRole::Dividend:
        return QStringLiteral("dividend");
    case CellRole::Step:
        return QStringLiteral("step");
    case CellRole::Remainder:
        return QStringLiteral("remainder");
    }
    return {};
}

namespace {

constexpr QChar kRemainderSign = u'…';

// The highest and lowest place a written number takes: 0.35 runs from 0 down to -2.
int TopPlace(const ColumnNumber& n)
{
    return std::max(0, DigitCount(n.digits) - 1 - n.places);
}

int BottomPlace(const ColumnNumber& n)
{
    return -n.places;
}

int CellCount(const ColumnNumber& n)
{
    return TopPlace(n) - BottomPlace(n) + 1;
}

int DigitAt(const ColumnNumber& n, int place)
{
    const int shift = place + n.places;
    if (shift < 0 || shift > 18)
        return 0;
    return int((n.digits / PowerOfTen(shift)) % 10);
}

// Trailing zeros after the point are not part of a result as it is written down.
ColumnNumber Stripped(ColumnNumber n)
{
    while (n.places > 0 && n.digits % 10 == 0) {
        n.digits /= 10;
        --n.places;
    }
    return n;
}

class Builder
{
public:
    explicit Builder(ColumnLayout& layout) : l_(layout) {}

    // Digits of `n` in `row`, its place p in column origin - p.
    void number(const ColumnNumber& n, int row, int origin, CellRole role, int answer)
    {
        for (int p = TopPlace(n); p >= BottomPlace(n); --p)
            cell(role, row, origin - p, p, QString::number(DigitAt(n, p)), answer);
        if (n.places > 0)
            l_.points.push_back({row, origin});
    }
    // A whole number whose ones digit stands in column `last`, the column's place `place`.
    void whole(qint64 value, int row, int last, int place, CellRole role, int answer)
    {
        const int count = DigitCount(value);
        for (int i = count - 1; i >= 0; --i)
            cell(role, row, last - i, place + i, QString::number((value / PowerOfTen(i)) % 10),
                 answer);
    }
    void cell(CellRole role, int row, int column, int place, const QString& text, int answer)
    {
        l_.cells.push_back({role, row, column, place, text, answer});
    }

private:
    ColumnLayout& l_;
};

bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

bool LayOutAddSub(const ColumnProblem& pr, ColumnLayout& l, QString* error)
{
    const bool add = pr.kind == ColumnKind::Add;
    if (add ? (pr.operands.size() < 2 || pr.operands.size() > 3) : pr.operands.size() != 2)
        return Fail(error, add ? QStringLiteral("たし算の筆算は２つか３つの数です")
                               : QStringLiteral("ひき算の筆算は２つの数です"));
    int places = 0;
    for (const ColumnNumber& n : pr.operands) {
        if (CellCount(n) > 5)
            return Fail(error, QStringLiteral("たし算・ひき算の筆算は５けたまでです"));
        places = std::max(places, n.places);
    }
    qint64 result = 0;
    for (size_t i = 0; i < pr.operands.size(); ++i) {
        const qint64 v = pr.operands[i].digits * PowerOfTen(places - pr.operands[i].places);
        result += (add || i == 0) ? v : -v;
    }
    if (result < 0)
        return Fail(error, QStringLiteral("ひき算の答えが負の数になります"));
    const ColumnNumber answer = Stripped({result, places});

    // The width comes from the operands alone, so a sheet with hidden answers does not tell
    // by its carry cells or rules how many digits an answer has: a sum keeps a column for
    // the carry out of its top place whether there is one or not.
    int top = TopPlace(answer);
    int bottom = BottomPlace(answer);
    for (const ColumnNumber& n : pr.operands) {
        top = std::max(top, TopPlace(n) + (add ? 1 : 0));
        bottom = std::min(bottom, BottomPlace(n));
    }
    const int origin = 1 + top; // column of place 0; column 0 holds the sign
    l.columns = 2 + top - bottom;
    Builder b(l);
    int row = 0;
    if (pr.options.carries) {
        // A carry lands above the column it goes to; a borrow changes every digit of the
        // minuend, so each of them gets a cell.
        const int from = add ? bottom + 1 : BottomPlace(pr.operands[0]);
        const int to = add ? top : TopPlace(pr.operands[0]);
        for (int p = to; p >= from; --p)
            b.cell(CellRole::Carry, row, origin - p, p, QString(), -1);
        ++row;
    }
    for (const ColumnNumber& n : pr.operands)
        b.number(n, row++, origin, CellRole::Operand, -1);
    l.sign = add ? QStringLiteral("+") : QStringLiteral("−");
    l.signRow = row - 1;
    l.signColumn = 0;
    l.rules.push_back({row, 0, l.columns - 1});
    b.number(answer, row++, origin, CellRole::Answer, 0);
    l.rows = row;
    return true;
}

bool LayOutMul(const ColumnProblem& pr, ColumnLayout& l, QString* error)
{
    if (pr.operands.size() != 2)
        return Fail(error, QStringLiteral("かけ算の筆算は２つの数です"));
    const ColumnNumber a = pr.operands[0];
    const ColumnNumber m = pr.operands[1];
    if (m.places != 0)
        return Fail(error, QStringLiteral("かける数は整数にしてください"));
    if (CellCount(a) > 3 || DigitCount(m.digits) > 2)
        return Fail(error, QStringLiteral("かけ算の筆算は３けた×２けたまでです"));
    const bool partials = m.digits >= 10;
    if (pr.answerCount == 3 && !partials)
        return Fail(error, QStringLiteral("かける数が１けたのときは部分積がありません"));
    const qint64 product = a.digits * m.digits;
    const ColumnNumber answer = Stripped({product, a.places});

    // The factors stand right-aligned, so a column's place is counted from the
    // multiplicand's last digit: 2.35×4 puts the 4 under the 5.
    // Wide enough for the longest product of factors of these lengths, whatever this one's
    // is: the rules of a sheet with hidden answers must not give its length away.
    const int shift = a.places;
    int top = std::max(TopPlace(a), TopPlace(answer));
    top = std::max(top, DigitCount(a.digits) + DigitCount(m.digits) - 1 - shift);
    if (partials) {
        top = std::max(top, DigitCount(a.digits * (m.digits / 10)) - shift);
        top = std::max(top, DigitCount(m.digits) - 1 - shift);
    }
    top = std::max(top, DigitCount(m.digits) - 1 - shift);
    const int bottom = -shift;
    const int origin = 1 + top;
    l.columns = 2 + top - bottom;
    Builder b(l);
    int row = 0;
    if (pr.options.carries) {
        for (int p = TopPlace(a); p > bottom; --p)
            b.cell(CellRole::Carry, row, origin - p, p, QString(), -1);
        ++row;
    }
    b.number(a, row++, origin, CellRole::Operand, -1);
    b.whole(m.digits, row, origin + shift, -shift, CellRole::Operand, -1);
    l.sign = QStringLiteral("×");
    l.signRow = row++;
    l.signColumn = 0;
    l.rules.push_back({row, 0, l.columns - 1});
    const bool answered = pr.answerCount == 3;
    if (partials) {
        for (int j = 0; j < 2; ++j) {
            const qint64 digit = j == 0 ? m.digits % 10 : m.digits / 10;
            b.whole(a.digits * digit, row++, origin + shift - j, j - shift, CellRole::Partial,
                    answered ? j : -1);
        }
        l.rules.push_back({row, 0, l.columns - 1});
    }
    b.number(answer, row++, origin, CellRole::Answer, answered ? 2 : 0);
    l.rows = row;
    return true;
}

bool LayOutDiv(const ColumnProblem& pr, ColumnLayout& l, QString* error)
{
    if (pr.operands.size() != 2)
        return Fail(error, QStringLiteral("わり算の筆算は２つの数です"));
    const ColumnNumber dividend = pr.operands[0];
    const ColumnNumber divisor = pr.operands[1];
    if (dividend.places != 0 || divisor.places != 0)
        return Fail(error, QStringLiteral("わり算の筆算は整数どうしにしてください"));
    if (divisor.digits == 0)
        return Fail(error, QStringLiteral("０でわることはできません"));
    if (DigitCount(divisor.digits) > 2 || DigitCount(dividend.digits) > 4)
        return Fail(error, QStringLiteral("わり算の筆算は４けた÷２けたまでです"));
    const qint64 d = divisor.digits;
    const qint64 n = dividend.digits;
    const qint64 remainder = n % d;
    if (pr.answerCount == 2 && remainder == 0)
        return Fail(error, QStringLiteral("このわり算にあまりはありません"));

    const int dd = DigitCount(d);
    const int nd = DigitCount(n);
    l.bracketColumn = dd;
    l.bracketRow = 1;
    l.columns = dd + nd;
    const int last = l.columns - 1; // the dividend's ones column
    auto col = [&](int place) { return last - place; };
    const int remainderAnswer = pr.answerCount == 2 ? 1 : 0;
    Builder b(l);
    l.rules.push_back({1, dd, last});
    b.whole(d, 1, dd - 1, 0, CellRole::Divisor, -1);
    b.whole(n, 1, last, 0, CellRole::Dividend, -1);

    // The quotient starts over the first digit that gives a non-zero figure: a leading zero
    // is not written (138÷6 has nothing over the 1).
    qint64 current = 0;
    bool started = false;
    int row = 2;
    bool stepped = false; // a product has been taken away and its difference is pending
    for (int place = nd - 1; place >= 0; --place) {
        current = current * 10 + (n / PowerOfTen(place)) % 10;
        const qint64 q = current / d;
        if (q > 0 || started || place == 0) {
            started = true;
            b.cell(CellRole::Quotient, 0, col(place), place, QString::number(q), 0);
        }
        const qint64 product = q * d;
        if (q == 0 || !pr.options.steps) {
            current -= product;
            continue;
        }
        if (stepped) // the difference so far, with the digits brought down to here
            b.whole(current, row++, col(place), place, CellRole::Step, -1);
        b.whole(product, row++, col(place), place, CellRole::Step, -1);
        const int first = col(place) - std::max(DigitCount(product), DigitCount(current)) + 1;
        l.rules.push_back({row, first, col(place)});
        current -= product;
        stepped = true;
    }
    if (stepped) {
        const bool rest = current > 0;
        b.whole(current, row++, last, 0, rest ? CellRole::Remainder : CellRole::Step,
                rest ? remainderAnswer : -1);
    } else if (remainder > 0) {
        b.whole(remainder, row++, last, 0, CellRole::Remainder, remainderAnswer);
    }
    l.rows = row;
    return true;
}

// The value of a written answer or of a layout's answer text: a number, or a quotient and
// a remainder around "…".
std::optional<std::pair<Rational, Rational>> AnswerValue(QStringView text)
{
    const qsizetype at = text.indexOf(kRemainderSign);
    const QStringView first = at < 0 ? text : text.left(at);
    const auto q = ReadNumber(first.trimmed());
    if (!q || (q->notation.form != NumberForm::Integer && q->notation.form != NumberForm::Decimal))
        return std::nullopt;
    const auto qv = q->value();
    if (!qv)
        return std::nullopt;
    Rational rv;
    if (at >= 0) {
        const auto r = ReadNumber(text.mid(at + 1).trimmed());
        if (!r || r->notation.form != NumberForm::Integer)
            return std::nullopt;
        rv = r->whole;
    }
    return std::make_pair(*qv, rv);
}

std::optional<ColumnNumber> ToColumnNumber(const WrittenNumber& n)
{
    if (n.notation.form == NumberForm::Integer)
        return ColumnNumber{n.whole, 0};
    if (n.notation.form == NumberForm::Decimal)
        return ColumnNumber{n.whole, n.notation.places};
    return std::nullopt;
}

// The problem of a one-line form; none with the reason.
std::optional<ColumnProblem> ReadProblem(QStringView text, QString& error)
{
    const auto expr = ReadExpression(text);
    if (!expr) {
        error = QStringLiteral("筆算の式が読めません");
        return std::nullopt;
    }
    const ExprNode& root = expr->nodes.back();
    ColumnProblem pr;
    switch (root.op) {
    case ExprOp::Add:
        pr.kind = ColumnKind::Add;
        break;
    case ExprOp::Sub:
        pr.kind = ColumnKind::Sub;
        break;
    case ExprOp::Mul:
        pr.kind = ColumnKind::Mul;
        break;
    case ExprOp::Div:
        pr.kind = ColumnKind::Div;
        break;
    default:
        error = QStringLiteral("筆算の式は＋、－、×、÷の式です");
        return std::nullopt;
    }
    for (const ExprNode& node : expr->nodes) {
        const bool fits = node.op == ExprOp::Number ||
                          (pr.kind == ColumnKind::Add && node.op == ExprOp::Add) || &node == &root;
        if (!fits) {
            error = QStringLiteral("筆算の式は１つの種類の計算だけです");
            return std::nullopt;
        }
    }
    for (const ExprLeaf& leaf : expr->leaves) {
        const auto n = ToColumnNumber(leaf.number);
        if (!n) {
            error = QStringLiteral("筆算の数は整数か小数で書いてください");
            return std::nullopt;
        }
        pr.operands.push_back(*n);
    }
    return pr;
}

bool IsOption(QChar c)
{
    return c == u'c' || c == u's' || c == u'm';
}

} // namespace

std::vector<const ColumnCell*> ColumnLayout::answerCells(int answer) const
{
    std::vector<const ColumnCell*> found;
    for (const ColumnCell& c : cells) {
        if (c.answer == answer)
            found.push_back(&c);
    }
    std::stable_sort(found.begin(), found.end(), [](const ColumnCell* a, const ColumnCell* b) {
        return a->row != b->row ? a->row < b->row : a->column < b->column;
    });
    return found;
}

QString ColumnLayout::answerText(int answer) const
{
    QString text;
    int row = -1;
    for (const ColumnCell* c : answerCells(answer)) {
        if (row >= 0 && c->row != row)
            text += kRemainderSign;
        row = c->row;
        text += c->text;
        for (const ColumnPoint& p : points) {
            if (p.row == c->row && p.column == c->column)
                text += u'.';
        }
    }
    return text;
}

std::optional<ColumnLayout> LayOutColumns(const ColumnProblem& problem, QString* error)
{
    ColumnLayout l;
    l.kind = problem.kind;
    l.options = problem.options;
    l.answerCount = problem.answerCount;
    const bool okCount = problem.answerCount == 1 ||
                         (problem.kind == ColumnKind::Mul && problem.answerCount == 3) ||
                         (problem.kind == ColumnKind::Div && problem.answerCount == 2);
    if (!okCount) {
        Fail(error, QStringLiteral("筆算の答えの数が合いません"));
        return std::nullopt;
    }
    bool ok = false;
    switch (problem.kind) {
    case ColumnKind::Add:
    case ColumnKind::Sub:
        ok = LayOutAddSub(problem, l, error);
        break;
    case ColumnKind::Mul:
        ok = LayOutMul(problem, l, error);
        break;
    case ColumnKind::Div:
        ok = LayOutDiv(problem, l, error);
        break;
    }
    if (!ok)
        return std::nullopt;
    return l;
}

std::vector<ColumnMark> FindColumnMarks(QStringView line)
{
    std::vector<ColumnMark> marks;
    int answers = 0; // answers closed so far
    bool inAnswer = false;
    qsizetype i = 0;
    while (i < line.size()) {
        const QChar c = line[i];
        if (c == u'#') {
            if (inAnswer)
                ++answers;
            inAnswer = !inAnswer;
            ++i;
            continue;
        }
        if (inAnswer || c != u'@' || i + 1 >= line.size()) {
            ++i;
            continue;
        }
        if (line[i + 1] != u'H') { // another style mark: its command is no text
            i += 2;
            continue;
        }
        ColumnMark mark;
        mark.start = i;
        mark.firstAnswer = answers;
        ColumnOptions options;
        qsizetype pos = i + 2;
        for (; pos < line.size() && IsOption(line[pos]); ++pos) {
            options.carries |= line[pos] == u'c';
            options.steps |= line[pos] == u's';
            options.grid |= line[pos] == u'm';
        }
        const qsizetype open = line.indexOf(u'#', pos);
        if (open < 0) {
            mark.end = line.size();
            mark.error = QStringLiteral("筆算に ＝#答え# がありません");
            marks.push_back(std::move(mark));
            break;
        }
        QStringView form = line.mid(pos, open - pos);
        QString error;
        if (form.isEmpty() || (form.back() != u'=' && form.back() != u'＝'))
            error = QStringLiteral("筆算の式のあとに ＝#答え# がありません");
        else
            form.chop(1);
        // The answers: the first, then one more after each "," or "…" that stands right
        // between two of them.
        pos = open;
        while (pos < line.size() && line[pos] == u'#') {
            const qsizetype close = line.indexOf(u'#', pos + 1);
            if (close < 0) {
                pos = line.size();
                if (error.isEmpty())
                    error = QStringLiteral("＃の数は偶数にしてください");
                break;
            }
            mark.answers.append(line.mid(pos + 1, close - pos - 1).toString());
            pos = close + 1;
            if (pos + 1 < line.size() && (line[pos] == u',' || line[pos] == kRemainderSign) &&
                line[pos + 1] == u'#')
                ++pos;
        }
        mark.end = pos;
        answers += int(mark.answers.size());
        i = pos;

        if (error.isEmpty())
            mark.problem = ReadProblem(form, error);
        if (mark.problem) {
            mark.problem->options = options;
            mark.problem->answerCount = int(mark.answers.size());
            mark.layout = LayOutColumns(*mark.problem, &error);
        }
        if (mark.layout) {
            for (int k = 0; k < int(mark.answers.size()) && error.isEmpty(); ++k) {
                const QString written = mark.answers.at(k).section(u';', 0, 0).trimmed();
                const QString expected = mark.layout->answerText(k);
                const auto value = AnswerValue(written);
                if (written.isEmpty())
                    error = QStringLiteral("解答がありません");
                else if (!value)
                    error = QStringLiteral("筆算の答え ") + written +
                            QStringLiteral(" が数ではありません");
                else if (*value != *AnswerValue(expected))
                    error = QStringLiteral("筆算の答え ") + written +
                            QStringLiteral(" が違います（") + expected + QStringLiteral("）");
            }
        }
        mark.error = error;
        marks.push_back(std::move(mark));
    }
    return marks;
}

} // namespace zendra
