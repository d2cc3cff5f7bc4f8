// New numbers for questions in words, and writing them into their line.

#include "courseware/WordedPlan.h"
#include "courseware/WordedQuestions.h"

namespace zendra::generator {

using namespace worded;

namespace {

// The second number of a comparison made from the first: the same digits above the column
// where they differ, the digit there one or more apart, and any digits below.
std::optional<WrittenNumber> CompareMate(const WordedPlan& p, const WrittenNumber& a,
                                         SeededRandom& rng)
{
    const int places = ComparePlaces(p);
    const WrittenNumber& b = p.numbers[1];
    const auto scaled = ValueOf(a).scaled(places);
    if (!scaled)
        return std::nullopt;
    const qint64 x = *scaled;
    const int column = p.traits[1];
    const qint64 unit = PowerOfTen(column);
    const int digit = int(x / unit % 10);
    const bool below = p.traits[0] > 0; // the second is the smaller
    int lo = p.traits[2] ? digit + (below ? -1 : 1) : below ? 0 : digit + 2;
    int hi = p.traits[2] ? lo : below ? digit - 2 : 9;
    if (lo < 0 || hi > 9 || lo > hi)
        return std::nullopt;
    const int own = b.notation.form == NumberForm::Decimal ? b.notation.places : 0;
    const qint64 step = PowerOfTen(places - own);
    const qint64 rest = unit >= step ? rng.range(0, unit / step - 1) * step : 0;
    const qint64 y = x / (unit * 10) * unit * 10 + rng.range(lo, hi) * unit + rest;
    if (y % step != 0)
        return std::nullopt;
    WrittenNumber w;
    w.notation = b.notation;
    w.whole = y / step;
    return w;
}

} // namespace

bool DrawWorded(const Question& q, SeededRandom& rng, const QSet<QString>& used, Draw& out)
{
    const WordedPlan& p = *q.worded;
    const size_t count = p.numbers.size();
    constexpr int kTries = 20000;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        out.leaves.assign(count, WrittenNumber{});
        bool ok = true;
        for (size_t i = 0; i < count && ok; ++i) {
            const auto w = DrawNumber(p.shapes[i], p.numbers[i], rng);
            ok = w.has_value();
            if (ok)
                out.leaves[i] = *w;
        }
        if (!ok)
            continue;
        if (p.kind == Worded::Round) {
            // The digits that the rounding turns on are set rather than hoped for.
            WrittenNumber& n = out.leaves[0];
            const auto setDigit = [&n](qint64 unit, int digit) {
                n.whole += (digit - n.whole / unit % 10) * unit;
            };
            if (p.traits[1])
                setDigit(p.place, 9);
            if (p.traits[2] >= 0)
                setDigit(p.place / 10, p.traits[2]);
        } else if (p.kind == Worded::Compare) {
            // One number is made from the other: the one with more places from the other
            // when they are equal, the second from the first when they are not.
            const bool equal = p.traits[0] == 0;
            const NumberNotation& first = p.numbers[0].notation;
            const NumberNotation& second = p.numbers[1].notation;
            const size_t made =
                equal && (first.form == NumberForm::Decimal ? first.places : 0) >
                             (second.form == NumberForm::Decimal ? second.places : 0)
                    ? 0
                    : 1;
            const auto w = equal ? Express(ValueOf(out.leaves[1 - made]), p.numbers[made].notation)
                                 : CompareMate(p, out.leaves[0], rng);
            if (!w || !FitsWritten(*w, p.shapes[made]))
                continue;
            out.leaves[made] = *w;
        } else if (p.kind == Worded::ScaleAsked) {
            const auto w = Express(*ValueOf(out.leaves[0]).mul(p.factor), p.numbers[1].notation);
            if (!w || !FitsWritten(*w, p.shapes[1]))
                continue;
            out.leaves[1] = *w;
        }
        const std::vector<Rational> v = Values(out.leaves);
        if (p.kind == Worded::Round && !FitsWritten(out.leaves[0], p.shapes[0]))
            continue;
        if (Traits(p, v) != p.traits)
            continue;
        out.nodes.clear();
        if (!p.answers.empty() && p.kind != Worded::Compare) {
            const auto answer = AnswerOf(p, v);
            if (!answer || !FitsShape(*answer, p.answerShape))
                continue;
            bool written = true;
            for (const Alternative& alt : p.answers)
                written = written && Express(*answer, alt.notation).has_value();
            if (!written)
                continue;
            out.nodes.push_back(*answer);
        }
        out.text = Identity(p, out.leaves);
        if (used.contains(out.text))
            continue;
        return true;
    }
    return false;
}

void WriteWorded(const Question& q, const Draw& d, QStringList& pieces)
{
    const WordedPlan& p = *q.worded;
    for (size_t i = p.spots.size(); i-- > 0;) {
        const Spot& s = p.spots[i];
        QString& piece = pieces[s.piece];
        piece.replace(s.fromEnd ? piece.size() - s.offset : s.offset, s.length,
                      WriteNumber(d.leaves[i]));
    }
    if (p.kind == Worded::Compare) {
        const std::vector<Rational> v = Values(d.leaves);
        const int relation = v[0] < v[1] ? 1 : v[1] < v[0] ? 0 : 2;
        pieces[p.answerPiece] = p.answers[0].before + p.signs[relation] + p.answers[0].after;
        return;
    }
    if (d.nodes.empty())
        return;
    QStringList alternatives;
    for (const Alternative& alt : p.answers)
        alternatives.append(alt.before + WriteNumber(*Express(d.nodes[0], alt.notation)) +
                            alt.after);
    pieces[p.answerPiece] = alternatives.join(u';');
}

} // namespace zendra::generator
