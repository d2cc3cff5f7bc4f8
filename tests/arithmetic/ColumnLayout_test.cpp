#include "arithmetic/ColumnLayout.h"

#include <gtest/gtest.h>

#include <map>

using namespace zendra;

namespace {
ColumnMark OnlyMark(const char* line)
{
    const auto marks = FindColumnMarks(QString::fromUtf8(line));
    EXPECT_EQ(marks.size(), 1u) << line;
    return marks.empty() ? ColumnMark() : marks.front();
}

const ColumnCell* CellAt(const ColumnLayout& l, CellRole role, int place)
{
    for (const ColumnCell& c : l.cells) {
        if (c.role == role && c.place == place)
            return &c;
    }
    return nullptr;
}
} // namespace

TEST(ColumnLayout, EveryKindLaysOutItsAnswersAndKeepsOnePlaceInOneColumn)
{
    // {line, kind, answers as the cells show them}
    const std::tuple<const char*, ColumnKind, std::vector<const char*>> cases[] = {
        {"(1)@H345+278=#623#", ColumnKind::Add, {"623"}},
        {"@Hc645＋478＝#1123#", ColumnKind::Add, {"1123"}},
        {"@H123+456+789=#1368#", ColumnKind::Add, {"1368"}},
        {"@Hc702－358＝#344#", ColumnKind::Sub, {"344"}},
        {"@H3.5+1.25=#4.75#", ColumnKind::Add, {"4.75"}},
        {"@H1.25+2.75=#4#", ColumnKind::Add, {"4"}},
        {"@H5.2-4.85=#0.35#", ColumnKind::Sub, {"0.35"}},
        {"@H123*4=#492#", ColumnKind::Mul, {"492"}},
        {"@H123×45=#5535#", ColumnKind::Mul, {"5535"}},
        {"@H123*45=#615#,#492#,#5535#", ColumnKind::Mul, {"615", "492", "5535"}},
        {"@H2.35*14=#32.9#", ColumnKind::Mul, {"32.9"}},
        {"@H138\\6=#23#", ColumnKind::Div, {"23"}},
        {"@Hs139÷6=#23…1#", ColumnKind::Div, {"23…1"}},
        {"@Hs618÷6=#103#", ColumnKind::Div, {"103"}},
        {"@Hs850÷34=#25#", ColumnKind::Div, {"25"}},
        {"@H139÷6=#23#…#1#", ColumnKind::Div, {"23", "1"}},
        {"@H5÷7=#0…5#", ColumnKind::Div, {"0…5"}},
    };
    for (const auto& [line, kind, answers] : cases) {
        const ColumnMark m = OnlyMark(line);
        ASSERT_TRUE(m.layout) << line << " " << m.error.toStdString();
        EXPECT_TRUE(m.error.isEmpty()) << line << " " << m.error.toStdString();
        EXPECT_EQ(m.layout->kind, kind) << line;
        ASSERT_EQ(m.answers.size(), qsizetype(answers.size())) << line;
        for (size_t k = 0; k < answers.size(); ++k)
            EXPECT_EQ(m.layout->answerText(int(k)), QString::fromUtf8(answers[k])) << line;
        std::map<int, int> columnOfPlace;
        for (const ColumnCell& c : m.layout->cells) {
            EXPECT_LT(c.row, m.layout->rows) << line;
            EXPECT_LT(c.column, m.layout->columns) << line;
            if (c.role == CellRole::Divisor)
                continue; // left of the bracket, places of its own
            const auto [it, fresh] = columnOfPlace.emplace(c.place, c.column);
            EXPECT_EQ(it->second, c.column) << line << " place " << c.place;
        }
    }
}

TEST(ColumnLayout, QuotientStandsOverTheDigitItComesFromAndNoLeadingZeroIsWritten)
{
    // {line, places with a quotient digit, the digit over the dividend's top place}
    const std::tuple<const char*, std::vector<int>, const char*> cases[] = {
        {"@H138÷6=#23#", {1, 0}, nullptr},
        {"@H738÷6=#123#", {2, 1, 0}, "1"},
        {"@H618÷6=#103#", {2, 1, 0}, "1"},
        {"@H5÷7=#0…5#", {0}, "0"},
    };
    for (const auto& [line, places, top] : cases) {
        const ColumnMark m = OnlyMark(line);
        ASSERT_TRUE(m.layout) << line;
        std::vector<int> found;
        for (const ColumnCell& c : m.layout->cells) {
            if (c.role != CellRole::Quotient)
                continue;
            found.push_back(c.place);
            EXPECT_EQ(c.row, 0) << line;
            const ColumnCell* under = CellAt(*m.layout, CellRole::Dividend, c.place);
            ASSERT_TRUE(under) << line;
            EXPECT_EQ(under->column, c.column) << line;
        }
        EXPECT_EQ(found, places) << line;
        const ColumnCell* first = CellAt(*m.layout, CellRole::Quotient, int(places.size()) - 1);
        const int dividendTop = CellAt(*m.layout, CellRole::Dividend, 2) ? 2 : 0;
        const ColumnCell* over = CellAt(*m.layout, CellRole::Quotient, dividendTop);
        if (top)
            EXPECT_EQ(over ? over->text : QString(), QString::fromUtf8(top)) << line;
        else
            EXPECT_FALSE(over) << line;
        EXPECT_TRUE(first) << line;
    }
}

TEST(ColumnLayout, StepsCarriesAndRemainderStandWhereTheyAreWritten)
{
    // 139÷6 with steps: 12 under 13, then 19, 18, and 1 at the bottom under the ones.
    const ColumnMark div = OnlyMark("@Hs139÷6=#23#…#1#");
    ASSERT_TRUE(div.layout);
    QStringList rows(div.layout->rows);
    for (const ColumnCell& c : div.layout->cells) {
        if (c.row >= 2)
            rows[c.row] += c.text;
    }
    EXPECT_EQ(rows.mid(2), QStringList({"12", "19", "18", "1"}));
    const ColumnCell* rest = CellAt(*div.layout, CellRole::Remainder, 0);
    ASSERT_TRUE(rest);
    EXPECT_EQ(rest->row, div.layout->rows - 1);
    EXPECT_EQ(rest->answer, 1);
    EXPECT_EQ(rest->column, CellAt(*div.layout, CellRole::Dividend, 0)->column);

    // Carry cells stand in the row above the first operand, over the columns they serve,
    // and are always empty.
    const ColumnMark add = OnlyMark("@Hc645+478=#1123#");
    ASSERT_TRUE(add.layout);
    int carries = 0;
    for (const ColumnCell& c : add.layout->cells) {
        if (c.role != CellRole::Carry)
            continue;
        ++carries;
        EXPECT_EQ(c.row, 0);
        EXPECT_TRUE(c.text.isEmpty());
        EXPECT_EQ(c.column, CellAt(*add.layout, CellRole::Answer, c.place)->column);
    }
    EXPECT_EQ(carries, 3); // tens, hundreds, thousands
    EXPECT_EQ(CellAt(*add.layout, CellRole::Operand, 0)->row, 1);
}

TEST(ColumnLayout, TheFrameOfAProblemDoesNotTellHowLongItsAnswerIs)
{
    // Pairs of problems whose operands have the same lengths and whose answers do not: with
    // the answers hidden, width, carry cells, rules and the sign must be the same.
    const std::pair<const char*, const char*> pairs[] = {
        {"@Hc345+278=#623#", "@Hc877+297=#1174#"},
        {"@Hc12+34+5=#51#", "@Hc99+98+7=#204#"},
        {"@Hcm0.91+3.43=#4.34#", "@Hcm7.05+8.59=#15.64#"},
        {"@H129×39=#5031#", "@H255×73=#18615#"},
        {"@H129×39=#1161#,#387#,#5031#", "@H255×73=#765#,#1785#,#18615#"},
        {"@H1.5×8=#12#", "@H1.1×8=#8.8#"},
    };
    const auto frame = [](const ColumnLayout& l) {
        QStringList parts{QString::number(l.columns), l.sign, QString::number(l.signColumn)};
        for (const ColumnCell& c : l.cells) {
            if (c.answer < 0 && c.role != CellRole::Partial)
                parts << QStringLiteral("%1:%2,%3")
                             .arg(CellRoleName(c.role))
                             .arg(c.row)
                             .arg(c.column);
        }
        for (const ColumnRule& r : l.rules)
            parts << QStringLiteral("rule %1:%2-%3").arg(r.row).arg(r.first).arg(r.last);
        return parts.join(u' ');
    };
    for (const auto& [a, b] : pairs) {
        const ColumnMark ma = OnlyMark(a);
        const ColumnMark mb = OnlyMark(b);
        ASSERT_TRUE(ma.layout && mb.layout) << a << " " << b;
        EXPECT_EQ(frame(*ma.layout), frame(*mb.layout)) << a << " / " << b;
    }
}

TEST(ColumnLayout, MalformedMarksAreNamedAndKeepTheirPlaceInTheLine)
{
    const char* bad[] = {
        "@H123456+1=#123457#",   // more than five digits
        "@H1234*5=#6170#",       // a four-digit multiplicand
        "@H345+278=#600#",       // wrong answer
        "@H345+278=#abc#",       // not a number
        "@H345+278#623#",        // no "="
        "@H358-702=#0#",         // a negative difference
        "@H12÷0=#0#",            // by zero
        "@H1/2+1/3=#5/6#",       // fractions have no column form
        "@H123*4=#4#,#8#,#492#", // partial products of a one-digit multiplier
        "@H138÷6=#23#…#0#",      // a remainder box without a remainder
        "@H139÷6=#23#",          // the remainder is missing
        "@H345+278=",            // no answer
        "@H3+4*5=#23#",          // two kinds of calculation
    };
    for (const char* line : bad) {
        const ColumnMark m = OnlyMark(line);
        EXPECT_FALSE(m.error.isEmpty()) << line;
    }
    // Plain lines and other style marks are no column problems; answers before a mark count.
    EXPECT_TRUE(FindColumnMarks(u"@B次の計算をしましょう。 (1) 24÷3＝#8#").empty());
    const auto marks = FindColumnMarks(u"(1) 3+4=#7#　(2)@H345+278=#623#　(3)@H12*3=#36#。");
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0].firstAnswer, 1);
    EXPECT_EQ(marks[1].firstAnswer, 2);
    EXPECT_EQ(QStringView(u"(1) 3+4=#7#　(2)@H345+278=#623#　(3)@H12*3=#36#。")
                  .mid(marks[1].start, marks[1].end - marks[1].start),
              u"@H12*3=#36#");
}
