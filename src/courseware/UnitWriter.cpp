#include "courseware/UnitWriter.h"

#include "arithmetic/ColumnLayout.h"

#include "courseware/QuestionLine.h"
#include "courseware/UnitReader.h"
#include "platform/Messages.h"

namespace zendra {

namespace {

const QString kClose = QStringLiteral(">>");
const QString kUnitEnd = QStringLiteral("]]");
const QChar kFullWidthSpace(0x3000);

QString trimmedAnswer(const QString& piece)
{
    auto trim = [](QString s, auto isBlank) {
        qsizetype b = 0, e = s.size();
        while (b < e && isBlank(s.at(b)))
            ++b;
        while (e > b && isBlank(s.at(e - 1)))
            --e;
        return s.mid(b, e - b);
    };
    const QString blanksGone = trim(piece, [](QChar c) { return c.unicode() <= 0x20; });
    return trim(blanksGone, [](QChar c) { return c == kFullWidthSpace; });
}

void appendBlock(QStringList& out, const QString& keyword, const QStringList& lines)
{
    out << keyword << lines << kClose;
}

} // namespace

void WriteUnit(QStringList& fileLines, const QString& header, const UnitBlocks& blocks)
{
    const qsizetype at = fileLines.indexOf(header);
    const bool replacing = at >= 0;

    QStringList figuresAndHints;
    if (!blocks.qgraph.isEmpty())
        appendBlock(figuresAndHints, QStringLiteral("<<graph"), blocks.qgraph);
    if (!blocks.agraph.isEmpty())
        appendBlock(figuresAndHints, QStringLiteral("<<AGraph"), blocks.agraph);
    if (!blocks.hint.isEmpty())
        appendBlock(figuresAndHints, QStringLiteral("<<hint"), blocks.hint);

    QStringList unit;
    unit << header;
    appendBlock(unit, QStringLiteral("<<ques"), blocks.ques);
    if (!blocks.kgroup.isEmpty())
        appendBlock(unit, QStringLiteral("<<kgroup"), blocks.kgroup);
    appendBlock(unit, QStringLiteral("<<dummy"), blocks.dummy);
    if (replacing)
        unit << figuresAndHints << blocks.layout;
    else
        unit << blocks.layout << figuresAndHints;
    unit << kUnitEnd;

    if (replacing) {
        // Up to the unit's "]]", or to the next unit when that is missing: the next unit
        // is never written over.
        const qsizetype end = UnitEnd(fileLines, at);
        fileLines.remove(at, end - at);
        for (qsizetype i = 0; i < unit.size(); ++i)
            fileLines.insert(at + i, unit.at(i));
    } else {
        fileLines << unit;
    }
}

int CheckQuestionLines(const QStringList& lines)
{
    bool anyBlank = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        const QString number = QString::number(i + 1);
        if (line.contains(u"@H")) {
            for (const ColumnMark& mark : FindColumnMarks(line)) {
                if (!mark.error.isEmpty()) {
                    ShowMessage(number + QStringLiteral("行目：") + mark.error);
                    return static_cast<int>(i);
                }
            }
        }
        const qsizetype marks = line.count(QLatin1Char('#'));
        if (marks == 0)
            continue;
        anyBlank = true;
        if (marks % 2 != 0) {
            ShowMessage(number + QStringLiteral("行目：＃の数は偶数にしてください"));
            return static_cast<int>(i);
        }
        // Between the first and the last '#' lie the answers and the text separating two
        // blanks; an empty one there is a blank without an answer.
        const QStringList pieces = SplitQuestionLine(line);
        for (qsizetype p = 1; p + 1 < pieces.size(); ++p) {
            if (pieces.at(p).isEmpty()) {
                ShowMessage(number + QStringLiteral("行目：解答がありません"));
                return static_cast<int>(i);
            }
        }
    }
    if (!anyBlank) {
        ShowMessage(QStringLiteral("解答欄がありません"));
        return 0;
    }
    return -1;
}

bool CheckPositionBlocks(const QStringList& lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        const bool value = line == QLatin1StringView("<<value");
        const bool font = line == QLatin1StringView("<<font");
        const bool kran = line == QLatin1StringView("<<kran");
        if (!value && !font && !kran)
            continue;
        qsizetype end = i + 1;
        while (end < lines.size() && lines.at(end) != kClose)
            ++end;
        const qsizetype count = end - i - 1;
        if (value && count != 7) {
            ShowMessage(QStringLiteral("valueブロックの数が合いません"));
            return false;
        }
        if (font && count != 7) {
            ShowMessage(QStringLiteral("fontブロックの数が合いません"));
            return false;
        }
        // The parser pads an 8-line answer-box block to 10.
        if (kran && count != 8 && count != 10) {
            ShowMessage(QStringLiteral("kranブロックの数が合いません"));
            return false;
        }
        i = end;
    }
    return true;
}

QStringList AnswersOfLines(const QStringList& lines)
{
    QStringList answers;
    for (const QString& line : lines) {
        const QStringList pieces = SplitQuestionLine(line);
        for (qsizetype p = 1; p < pieces.size(); p += 2)
            answers << trimmedAnswer(pieces.at(p));
    }
    return answers;
}

} // namespace zendra
