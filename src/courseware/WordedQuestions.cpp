#include "courseware/WordedQuestions.h"

#include "courseware/QuestionLine.h"
#include "courseware/WordedPlan.h"

#include <QRegularExpression>

#include <cstdlib>

namespace zendra::generator {

namespace worded {

// Pieces of the patterns: blanks, a question number, a number, a unit.
const QString B = QStringLiteral("[ \u3000]*");
const QString Q = QStringLiteral("(?:[(（][0-9０-９]+[)）])?");
const QString N = QStringLiteral("([0-9０-９]+(?:[.．][0-9０-９]+)?|[.．][0-9０-９]+)");
const QString U = QStringLiteral("([A-Za-zＡ-Ｚａ-ｚ]+)");

QRegularExpression Pattern(const QString& p)
{
    return QRegularExpression(u'^' + p + u'$');
}

// An integer or a decimal, as written.
std::optional<WrittenNumber> Plain(QStringView text)
{
    const auto n = ReadNumber(text);
    if (!n || (n->notation.form != NumberForm::Integer && n->notation.form != NumberForm::Decimal))
        return std::nullopt;
    return n;
}

// The value of a number of the sample's kind.
Rational ValueOf(const WrittenNumber& w)
{
    return w.value().value_or(Rational());
}

struct Builder
{
    WordedPlan plan;
    bool readable = true; // every number fits in 64 bits
    void number(const QRegularExpressionMatch& m, int group, int piece, bool fromEnd = false)
    {
        const auto read = Plain(m.captured(group));
        readable = readable && read.has_value();
        const WrittenNumber n = read.value_or(WrittenNumber{});
        Spot s{piece, m.capturedStart(group), m.capturedLength(group), fromEnd};
        if (fromEnd)
            s.offset = m.captured(0).size() - s.offset;
        plan.spots.push_back(s);
        plan.numbers.push_back(n);
        plan.shapes.push_back(ShapeOf(n));
    }
};

// The unit a name stands for: what it measures and its size in the smallest unit.
bool UnitSize(QString name, int& quantity, qint64& size)
{
    for (QChar& c : name) {
        if (c.unicode() >= u'Ａ' && c.unicode() <= u'ｚ')
            c = QChar(char16_t(c.unicode() - u'Ａ' + u'A'));
    }
    static const struct
    {
        const char* name;
        int quantity;
        qint64 size;
    } units[] = {
        {"mm", 0, 1}, {"cm", 0, 10},   {"m", 0, 1000},    {"km", 0, 1000000},
        {"g", 1, 1},  {"kg", 1, 1000}, {"t", 1, 1000000}, {"mL", 2, 1},
        {"ml", 2, 1}, {"dL", 2, 100},  {"dl", 2, 100},    {"L", 2, 1000},
    };
    for (const auto& u : units) {
        if (name == QLatin1String(u.name)) {
            quantity = u.quantity;
            size = u.size;
            return true;
        }
    }
    return false;
}

// The place a text names: "百の位" 100, "一万の位" 10000; 0 for none.
qint64 PlaceNamed(const QString& text)
{
    static const std::pair<const char*, qint64> places[] = {
        {"十", 10},          {"百", 100},       {"千", 1000},      {"一万", 10000},
        {"万", 10000},       {"十万", 100000},  {"百万", 1000000}, {"千万", 10000000},
        {"一億", 100000000}, {"億", 100000000},
    };
    for (const auto& [name, place] : places) {
        if (text == QString::fromUtf8(name))
            return place;
    }
    return 0;
}

// The lines without answers just above a question line (those above the run of question
// lines it stands in): the heading that says what to do.
QString Heading(const QStringList& lines, int index)
{
    int i = index - 1;
    while (i >= 0 && lines[i].contains(u'#'))
        --i;
    QStringList run;
    while (i >= 0 && !lines[i].contains(u'#'))
        run.prepend(lines[i--]);
    return run.join(u'\n');
}

qint64 Round(qint64 n, qint64 place, Rounding how)
{
    const qint64 kept = n / place, rest = n % place;
    switch (how) {
    case Rounding::Nearest:
        return (rest * 2 >= place ? kept + 1 : kept) * place;
    case Rounding::Down:
        return kept * place;
    case Rounding::Up:
        return (rest > 0 ? kept + 1 : kept) * place;
    }
    return n;
}

int Sign(qint64 a, qint64 b)
{
    return a < b ? -1 : a > b ? 1 : 0;
}

// The two numbers of a comparison as whole numbers of `places` places.
bool Aligned(const std::vector<Rational>& v, int places, qint64& a, qint64& b)
{
    const auto x = v[0].scaled(places), y = v[1].scaled(places);
    if (!x || !y)
        return false;
    a = *x;
    b = *y;
    return true;
}

int ComparePlaces(const WordedPlan& p)
{
    int places = 0;
    for (const WrittenNumber& n : p.numbers)
        places = std::max(places, n.notation.form == NumberForm::Decimal ? n.notation.places : 0);
    return places;
}

// What the numbers of a question show beyond their shapes, to be kept by new numbers:
//   Round: whether it rounds down (-1), up (1) or not at all (0); whether rounding up carries
//     past the place (8496 → 8500, 39512 → 40000); the digit judged when it is 4 or 5.
//   Compare: which is greater; the first column (from the top) where they differ, whether
//     the digits there differ by one, and how the digits below compare (2.5 and 2.49).
//   Convert: whether the second part is less than one of the first unit (5cm3mm).
//   JoinAsked: whether the part to add is what the number has below its whole (4.7 = 4 + 0.7).
std::optional<std::vector<int>> Traits(const WordedPlan& p, const std::vector<Rational>& v)
{
    switch (p.kind) {
    case Worded::Round: {
        const qint64 n = v[0].num(), rounded = Round(n, p.place, p.rounding);
        const int direction = Sign(rounded, n);
        const int judged = int(n / (p.place / 10) % 10);
        const bool edge = p.rounding == Rounding::Nearest && (judged == 4 || judged == 5);
        return std::vector<int>{direction, direction > 0 && (n / p.place) % 10 == 9,
                                edge ? judged : -1};
    }
    case Worded::Compare: {
        qint64 a = 0, b = 0;
        if (!Aligned(v, ComparePlaces(p), a, b))
            return std::nullopt;
        if (a == b)
            return std::vector<int>{0};
        int column = std::max(DigitCount(a), DigitCount(b)) - 1;
        while (column > 0 && a / PowerOfTen(column) == b / PowerOfTen(column))
            --column;
        const qint64 unit = PowerOfTen(column);
        const bool byOne = std::abs(a / unit % 10 - b / unit % 10) == 1;
        return std::vector<int>{Sign(a, b), column, byOne, Sign(a % unit, b % unit)};
    }
    case Worded::Convert:
        if (v.size() < 2)
            return std::vector<int>{};
        return std::vector<int>{*v[1].mul(p.units[1]) < p.units[0]};
    case Worded::JoinAsked:
        return std::vector<int>{v[1].isWhole() && v[1].num() == v[0].floor()};
    default:
        return std::vector<int>{};
    }
}

// The answer to the question for these numbers; none when there is none to write.
std::optional<Rational> AnswerOf(const WordedPlan& p, const std::vector<Rational>& v)
{
    switch (p.kind) {
    case Worded::Round:
        return Rational(Round(v[0].num(), p.place, p.rounding));
    case Worded::Scale:
    case Worded::Count:
        return v[0].mul(p.factor);
    case Worded::CountAsked:
        return v[0].div(p.factor);
    case Worded::Convert: {
        Rational sum;
        for (size_t i = 0; i < v.size(); ++i) {
            const auto part = v[i].mul(p.units[i]);
            const auto total = part ? sum.add(*part) : std::nullopt;
            if (!total)
                return std::nullopt;
            sum = *total;
        }
        return sum;
    }
    case Worded::Join:
        return v[0].add(v[1]);
    case Worded::JoinAsked:
        return v[0].sub(v[1]);
    case Worded::Compare:
    case Worded::ScaleAsked:
        break;
    }
    return std::nullopt;
}

// Reads the answer piece as numbers that all have one value.
std::optional<Rational> ReadAnswers(const QString& piece, WordedPlan& p)
{
    std::optional<Rational> value;
    for (const QString& raw : SplitAnswer(piece)) {
        Alternative alt;
        static const QRegularExpression number = Pattern(u'(' + B + u')' + N + u'(' + B + u')');
        const auto m = number.match(raw);
        if (!m.hasMatch())
            return std::nullopt;
        const WrittenNumber n = *Plain(m.captured(2));
        if (value && !(*value == ValueOf(n)))
            return std::nullopt;
        if (!value)
            p.answerShape = ShapeOf(n);
        value = ValueOf(n);
        alt.before = m.captured(1);
        alt.after = m.captured(3);
        alt.notation = n.notation;
        p.answers.push_back(alt);
    }
    return value;
}

QString Identity(const WordedPlan& p, const std::vector<WrittenNumber>& numbers)
{
    QString text = p.tag;
    for (const WrittenNumber& n : numbers)
        text += u'|' + WriteNumber(n);
    return text;
}

std::vector<Rational> Values(const std::vector<WrittenNumber>& numbers)
{
    std::vector<Rational> v;
    for (const WrittenNumber& n : numbers)
        v.push_back(ValueOf(n));
    return v;
}

} // namespace worded

namespace {

using namespace worded;

// Finishes a plan: the original's answer must be what the question asks.
bool Finish(Builder&& b, const QString& piece, int index, std::vector<Question>& questions,
            QString& reason)
{
    WordedPlan& plan = b.plan;
    if (!b.readable) {
        reason = kTooLong;
        return false;
    }
    const std::vector<Rational> v = Values(plan.numbers);
    reason = kAnswerWrong;
    if (plan.kind != Worded::ScaleAsked && plan.kind != Worded::Compare) {
        const auto written = ReadAnswers(piece, plan);
        const auto answer = AnswerOf(plan, v);
        if (!written) {
            reason = kAnswerForm;
            return false;
        }
        if (!answer || !(*answer == *written))
            return false;
    }
    for (const NumberShape& s : plan.shapes) {
        if (TooLong(s)) {
            reason = kTooLong;
            return false;
        }
    }
    plan.traits = Traits(plan, v).value_or(std::vector<int>{});
    plan.tag = QString::number(int(plan.kind)) + u':' + plan.tag;
    Question q;
    q.piece = index;
    q.text = Identity(plan, plan.numbers);
    q.worded = std::make_shared<const WordedPlan>(std::move(plan));
    questions.push_back(std::move(q));
    return true;
}

// 3648（百の位） #3600#, or 4762 #4800# under a heading that says 上から２けた.
int PlanRound(const QStringList& lines, int index, const QStringList& p,
              std::vector<Question>& questions, QString& reason)
{
    static const QRegularExpression line =
        Pattern(B + Q + B + N + B + QStringLiteral("(?:[(（]([^()（）]+)[)）])?") + B);
    static const QRegularExpression blanks = Pattern(B);
    const auto m = line.match(p[0]);
    if (!m.hasMatch() || !blanks.match(p[2]).hasMatch())
        return -1;
    const QString heading = Heading(lines, index);
    const bool nearest = heading.contains(QStringLiteral("四捨五入"));
    const bool down = heading.contains(QStringLiteral("切り捨て"));
    const bool up = heading.contains(QStringLiteral("切り上げ"));
    if (int(nearest) + int(down) + int(up) != 1)
        return -1;
    Builder b;
    b.number(m, 1, 0);
    WordedPlan& plan = b.plan;
    plan.kind = Worded::Round;
    plan.rounding = nearest ? Rounding::Nearest : down ? Rounding::Down : Rounding::Up;
    if (plan.numbers[0].notation.form != NumberForm::Integer)
        return -1;
    const int digits = DigitCount(plan.numbers[0].whole);
    static const QRegularExpression placeName(QStringLiteral("^(.+)の位$"));
    static const QRegularExpression figures(
        QStringLiteral("上から([0-9０-９一二三四五六七八九])けた"));
    static const QRegularExpression placeInHeading(QStringLiteral("([一十百千万億]+)の位まで"));
    // The place, or the figures to keep, named by the line or else by its heading.
    const QString own = m.captured(2);
    if (const auto named = placeName.match(own); named.hasMatch()) {
        plan.place = PlaceNamed(named.captured(1));
    } else if (const auto f = figures.match(own.isEmpty() ? heading : own); f.hasMatch()) {
        const QChar c = f.captured(1)[0];
        const int k = DigitValue(c) >= 0 ? DigitValue(c)
                                         : int(QStringLiteral("一二三四五六七八九").indexOf(c)) + 1;
        plan.place = k < digits ? PowerOfTen(digits - k) : 0;
    } else if (const auto h = placeInHeading.match(heading); own.isEmpty() && h.hasMatch()) {
        plan.place = PlaceNamed(h.captured(1));
    }
    if (plan.place < 10 || plan.place >= PowerOfTen(digits))
        return -1;
    // A number stands once among the rounding questions of a set, whatever place each asks.
    plan.tag.clear();
    return Finish(std::move(b), p[1], 0, questions, reason);
}

// Every answer is ＞, ＜ or ＝ between the number before the blank and the one after it.
int PlanCompare(const QStringList& p, std::vector<Question>& questions, QString& reason)
{
    const int count = int(p.size() / 2);
    static const QRegularExpression first = Pattern(B + Q + B + N + B);
    static const QRegularExpression middle =
        Pattern(B + N + QStringLiteral("(?:[ \u3000]+|") + B + Q + B + u')' + N + B);
    static const QRegularExpression last = Pattern(B + N + B);
    static const QRegularExpression sign =
        Pattern(QStringLiteral("([ \u3000]*)([＞＜＝><=])([ \u3000]*)"));
    std::vector<QRegularExpressionMatch> numbers;
    for (int k = 0; k <= count; ++k) {
        const auto m = (k == 0 ? first : k == count ? last : middle).match(p[2 * k]);
        if (!m.hasMatch() || (k < count && !sign.match(p[2 * k + 1]).hasMatch()))
            return -1;
        numbers.push_back(m);
    }
    std::vector<Question> planned;
    for (int k = 0; k < count; ++k) {
        Builder b;
        const auto& left = numbers[size_t(k)];
        b.number(left, k == 0 ? 1 : 2, 2 * k, true);
        b.number(numbers[size_t(k + 1)], 1, 2 * k + 2);
        WordedPlan& plan = b.plan;
        plan.kind = Worded::Compare;
        const auto s = sign.match(p[2 * k + 1]);
        const QChar written = s.captured(2)[0];
        plan.signs = written.unicode() < 0x80 ? QStringLiteral("><=") : QStringLiteral("＞＜＝");
        Alternative alt;
        alt.before = s.captured(1);
        alt.after = s.captured(3);
        plan.answers.push_back(alt);
        plan.answerPiece = 2 * k + 1;
        if (!b.readable) {
            reason = kTooLong;
            return 0;
        }
        const std::vector<Rational> v = Values(plan.numbers);
        const int relation = v[0] < v[1] ? 1 : v[1] < v[0] ? 0 : 2;
        reason = kAnswerWrong;
        if (plan.signs[relation] != written)
            return 0;
        if (!Finish(std::move(b), QString(), 2 * k, planned, reason))
            return 0;
    }
    for (Question& q : planned)
        questions.push_back(std::move(q));
    return 1;
}

// The forms with one blank whose text gives every number of the question.
int PlanOneBlank(const QStringList& p, std::vector<Question>& questions, QString& reason)
{
    const QString end = B + QStringLiteral("(?:です。?)?") + B;
    const QString start = B + Q + B + N;
    struct Form
    {
        Worded kind;
        QRegularExpression first, last; // the text before the blank and after it
        Form(Worded k, const QString& f, const QString& l)
            : kind(k), first(Pattern(f)), last(Pattern(l))
        {
        }
    };
    static const Form forms[] = {
        {Worded::Scale, start + B + u'の' + B + QStringLiteral("([0-9０-９]+)倍は") + B, B},
        {Worded::Scale,
         start + B + u'の' + B + QStringLiteral("(?:@=)?1/([0-9０-９]+)(?:@=)?") + B + u'は' + B,
         B},
        {Worded::Scale, start + B + u'の' + B + QStringLiteral("([0-9０-９]+)分の1は") + B, B},
        {Worded::ScaleAsked,
         start + B + u'を' + B + QStringLiteral("何倍すると") + B + N + B +
             QStringLiteral("になりますか[。？?]?") + B,
         B},
        {Worded::ScaleAsked,
         start + B + u'の' + B + QStringLiteral("何分の1が") + B + N + B +
             QStringLiteral("ですか[。？?]?") + B,
         B},
        {Worded::Convert,
         start + U + QStringLiteral("(?:") + B + N + U + u')' + u'?' + B +
             QStringLiteral("[＝=は]") + B,
         B + U + end},
        {Worded::Count,
         start + u'を' + B + QStringLiteral("([0-9０-９]+)") + B + QStringLiteral("こ集めた数は") +
             B,
         end},
        {Worded::CountAsked, start + QStringLiteral("は、?") + B + N + u'を' + B,
         B + QStringLiteral("こ集めた数です。?") + B},
        {Worded::Join, start + u'と' + B + N + QStringLiteral("をあわせた数は") + B, end},
        {Worded::JoinAsked, start + QStringLiteral("は、?") + B + N + u'と' + B,
         B + QStringLiteral("をあわせた数です。?") + B},
    };
    for (size_t f = 0; f < std::size(forms); ++f) {
        const Form& form = forms[f];
        const auto m = form.first.match(p[0]);
        const auto tail = form.last.match(p[2]);
        if (!m.hasMatch() || !tail.hasMatch())
            continue;
        Builder b;
        WordedPlan& plan = b.plan;
        plan.kind = form.kind;
        plan.tag = QString::number(f);
        const auto given = [&](int group) { return Plain(m.captured(group)); };
        switch (form.kind) {
        case Worded::Scale: {
            const auto n = given(2);
            if (!n || n->notation.form != NumberForm::Integer || n->whole < 2)
                return -1;
            b.number(m, 1, 0);
            plan.factor = f == 0 ? Rational(n->whole) : *Rational::Make(1, n->whole);
            plan.tag += u'x' + QString::number(n->whole);
            break;
        }
        case Worded::ScaleAsked: {
            b.number(m, 1, 0);
            b.number(m, 2, 0);
            const auto n = Plain(p[1].trimmed().remove(u'\u3000'));
            if (!n || n->notation.form != NumberForm::Integer || n->whole < 2)
                return -1;
            plan.factor = f == 3 ? Rational(n->whole) : *Rational::Make(1, n->whole);
            reason = kAnswerWrong;
            if (!(*ValueOf(plan.numbers[0]).mul(plan.factor) == ValueOf(plan.numbers[1])))
                return 0;
            break;
        }
        case Worded::Convert: {
            int quantity = 0, target = 0, second = 0;
            qint64 size = 0, into = 0, secondSize = 0;
            if (!UnitSize(m.captured(2), quantity, size) ||
                !UnitSize(tail.captured(1), target, into) || quantity != target)
                return -1;
            b.number(m, 1, 0);
            plan.units.push_back(*Rational::Make(size, into));
            if (m.capturedLength(3) > 0) {
                if (!UnitSize(m.captured(4), second, secondSize) || second != quantity ||
                    secondSize >= size)
                    return -1;
                b.number(m, 3, 0);
                plan.units.push_back(*Rational::Make(secondSize, into));
            }
            plan.tag += m.captured(2) + m.captured(4) + tail.captured(1);
            break;
        }
        case Worded::Count:
        case Worded::CountAsked: {
            const auto unit = given(form.kind == Worded::Count ? 1 : 2);
            if (!unit || ValueOf(*unit).isZero())
                return -1;
            plan.factor = ValueOf(*unit);
            plan.tag += WriteNumber(*unit);
            b.number(m, form.kind == Worded::Count ? 2 : 1, 0);
            break;
        }
        case Worded::Join:
        case Worded::JoinAsked:
            b.number(m, 1, 0);
            b.number(m, 2, 0);
            break;
        case Worded::Round:
        case Worded::Compare:
            break;
        }
        return Finish(std::move(b), p[1], 0, questions, reason);
    }
    return -1;
}

// Why a line in words that no form fits is kept.
QString KeptReason(const QStringList& lines, int index, const QStringList& pieces)
{
    QString text;
    for (int i = 0; i < pieces.size(); i += 2)
        text += pieces[i];
    const QString heading = Heading(lines, index);
    const auto has = [&](const char* word, bool inHeading) {
        const QString w = QString::fromUtf8(word);
        return text.contains(w) || (inHeading && heading.contains(w));
    };
    if (has("式", false) || has("答え", false))
        return kWordProblem;
    if (has("数直線", true))
        return kNumberLine;
    if (has("図", true) || has("下の", false) || has("色をぬった", false))
        return kFigure;
    for (int i = 1; i < pieces.size(); i += 2) {
        QString answer = SplitAnswer(pieces[i]).value(0);
        answer.remove(u' ').remove(u'\u3000');
        if (!ReadNumber(answer))
            return kTextAnswer;
    }
    if (has("？", false) || has("?", false) || has("ますか", false) || has("ですか", false))
        return kWordProblem;
    return kNoExpression;
}

} // namespace

bool PlanWorded(const QStringList& lines, int index, const QStringList& pieces,
                std::vector<Question>& questions, QString& reason)
{
    questions.clear();
    if (pieces.size() >= 3 && pieces.size() % 2 == 1) {
        // Each form gives 1 when it reads the line, 0 when it reads it but the line does not
        // hold (reason set), -1 when the line is not of that form.
        int found = PlanCompare(pieces, questions, reason);
        if (found < 0 && pieces.size() == 3)
            found = PlanRound(lines, index, pieces, questions, reason);
        if (found < 0 && pieces.size() == 3)
            found = PlanOneBlank(pieces, questions, reason);
        if (found >= 0) {
            if (found == 0)
                questions.clear();
            return found > 0;
        }
    }
    reason = KeptReason(lines, index, pieces);
    return false;
}

} // namespace zendra::generator
