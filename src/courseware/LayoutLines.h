#pragma once

#include <QString>
#include <QStringList>

#include <type_traits>

namespace zendra {

// The lines of the "<<value", "<<font" and "<<kran" blocks, numbered from 1 as a unit file
// counts them.
enum class ValueLine {
    PageWidth = 1, // 1/3 mm; legacy "True"/"False" stands for 630
    AnswersShown,  // "True" or "False"
    LineSpacing,
    LeftMargin,
    RightMargin,
    StartNumber,
    Options, // legacy "True"/"False" stands for 7
};

enum class FontLine {
    Size = 1,
    Face, // lines Face..StrikeOut are kept only to be written back
    Bold,
    Italic,
    Underline,
    StrikeOut,
    DrawingFace, // "0" for the program's default face
};

enum class KranLine {
    Shape = 1,
    BoxWidth,
    BoxHeight,
    Columns,      // "2" draws a rule between two page halves
    AnswerColumn, // 0 inline, n > 0 from x = 10·n
    AnswerOffset,
    BoxX,
    BoxY,
    SubLineSpacing,
    Reserved,
};

// One layout block's lines by name over the stored string list. Reading never changes the
// list; a setter writes only its own line (padding a short block with "0"), so every other
// line, legacy "True"/"False" and unparsed text included, is written back as it was read.
// `List` is `const QStringList` for a reading view, `QStringList` for a writing one.
template <typename Line, typename List = const QStringList> class BlockLines
{
public:
    explicit BlockLines(List& lines) : lines_(&lines) {}

    static constexpr qsizetype indexOf(Line line) { return static_cast<qsizetype>(line) - 1; }

    // The line as stored; empty when the block is shorter.
    QString text(Line line) const { return lines_->value(indexOf(line)); }
    // The line as a decimal number, or `fallback` when it is missing or not one.
    int number(Line line, int fallback = 0) const
    {
        bool ok = false;
        const int value = text(line).trimmed().toInt(&ok);
        return ok ? value : fallback;
    }
    bool isLegacyBool(Line line) const
    {
        const QString t = text(line);
        return t == QLatin1StringView("True") || t == QLatin1StringView("False");
    }
    // Lines `from` to `to`, both included, as stored.
    QStringList range(Line from, Line to) const
    {
        return lines_->mid(indexOf(from), indexOf(to) - indexOf(from) + 1);
    }

    void setText(Line line, const QString& value) requires(!std::is_const_v<List>)
    {
        while (lines_->size() <= indexOf(line))
            lines_->append(QStringLiteral("0"));
        (*lines_)[indexOf(line)] = value;
    }
    void setNumber(Line line, int value) requires(!std::is_const_v<List>)
    {
        setText(line, QString::number(value));
    }
    void setFlag(Line line, bool value) requires(!std::is_const_v<List>)
    {
        setText(line, value ? QStringLiteral("True") : QStringLiteral("False"));
    }
    // Lines from `from` on, replaced by `values` in order.
    void setRange(Line from, const QStringList& values) requires(!std::is_const_v<List>)
    {
        for (qsizetype i = 0; i < values.size(); ++i)
            setText(static_cast<Line>(static_cast<int>(from) + i), values.at(i));
    }

private:
    List* lines_;
};

using ValueLines = BlockLines<ValueLine>;
using EditValueLines = BlockLines<ValueLine, QStringList>;
using FontLines = BlockLines<FontLine>;
using EditFontLines = BlockLines<FontLine, QStringList>;
using KranLines = BlockLines<KranLine>;
using EditKranLines = BlockLines<KranLine, QStringList>;

// A figure list ("<<graph", "<<AGraph") as triples of file, left, top, by figure number
// from 1. Like the blocks above it reads without changing the list and a setter writes only
// the lines it names; a trailing partial triple stays as it is.
template <typename List = const QStringList> class FigureTriples
{
public:
    explicit FigureTriples(List& lines) : lines_(&lines) {}

    // Complete triples.
    int count() const { return static_cast<int>(lines_->size() / 3); }
    // Whether lines are left over after the complete triples: a damaged list.
    bool hasPartialTriple() const { return lines_->size() % 3 != 0; }
    QString file(int number) const { return lines_->value(fileIndex(number)); }
    QString leftText(int number) const { return lines_->value(fileIndex(number) + 1); }
    QString topText(int number) const { return lines_->value(fileIndex(number) + 2); }
    // The place as decimal numbers; 0 for a line that is missing or not a number.
    int left(int number) const { return toNumber(leftText(number)); }
    int top(int number) const { return toNumber(topText(number)); }
    // Whether the left line holds a number of at least 1; a composition places the others.
    bool isPlaced(int number) const
    {
        bool ok = false;
        const int value = leftText(number).trimmed().toInt(&ok);
        return ok && value >= 1;
    }
    // The first `figures` triples as stored.
    QStringList first(int figures) const { return lines_->mid(0, 3 * qsizetype(figures)); }

    // Writes the place of a figure the list holds; false (and no change) for one it does not.
    bool setPlace(int number, int left, int top) requires(!std::is_const_v<List>)
    {
        if (number < 1 || number > count())
            return false;
        (*lines_)[fileIndex(number) + 1] = QString::number(left);
        (*lines_)[fileIndex(number) + 2] = QString::number(top);
        return true;
    }
    void append(const QString& file, int left, int top) requires(!std::is_const_v<List>)
    {
        *lines_ << file << QString::number(left) << QString::number(top);
    }
    // Marks the place lines of every triple (a trailing partial one too) as "-1", so that
    // the next composition places them; the file lines stay.
    void unplaceAll() requires(!std::is_const_v<List>)
    {
        for (qsizetype i = 0; i < lines_->size(); ++i)
            if (i % 3 != 0)
                (*lines_)[i] = QStringLiteral("-1");
    }

private:
    static qsizetype fileIndex(int number) { return 3 * (qsizetype(number) - 1); }
    static int toNumber(const QString& text)
    {
        bool ok = false;
        const int value = text.trimmed().toInt(&ok);
        return ok ? value : 0;
    }

    List* lines_;
};

using EditFigureTriples = FigureTriples<QStringList>;

} // namespace zendra
