#include "courseware/UnitReader.h"

#include "platform/Messages.h"
#include "platform/TextFile.h"

#include <algorithm>

namespace zendra {

namespace {

constexpr int kValueLines = 7;
constexpr int kFontLines = 7;
constexpr int kKranLines = 10;

// Keyword lines are compared whole and exactly: no trimming, case matters.
bool is(const QString& line, QLatin1StringView keyword)
{
    return line == keyword;
}

// Where a block's lines stop: its ">>", or, when that is missing, the unit's "]]", the next
// unit's header or the end of the file. Any other line, keyword lines included, belongs to
// the block; a block without its ">>" so keeps the lines it has and never swallows the
// next unit.
bool endsBlock(const QString& line)
{
    return is(line, QLatin1StringView(">>")) || is(line, QLatin1StringView("]]")) ||
           IsUnitHeader(line);
}

bool isBlockKeyword(const QString& line)
{
    return line.startsWith(QLatin1StringView("<<"));
}

qsizetype findClose(const QStringList& lines, qsizetype from)
{
    const qsizetype n = lines.size();
    while (from < n && !endsBlock(lines.at(from)))
        ++from;
    return from;
}

// Lines are shared, not copied.
void appendRange(QStringList& to, const QStringList& from, qsizetype begin, qsizetype end)
{
    if (end <= begin)
        return;
    to.reserve(to.size() + (end - begin));
    for (qsizetype i = begin; i < end; ++i)
        to.append(from.at(i));
}

} // namespace

bool IsUnitHeader(const QString& line)
{
    return line.startsWith(QLatin1StringView("[[unit"));
}

qsizetype UnitEnd(const QStringList& lines, qsizetype header)
{
    const qsizetype n = lines.size();
    for (qsizetype i = header + 1; i < n; ++i) {
        if (is(lines.at(i), QLatin1StringView("]]")))
            return i + 1;
        if (IsUnitHeader(lines.at(i)))
            return i;
    }
    return n;
}

QList<UnitProblem> UnitStructureProblems(const QStringList& lines, qsizetype header)
{
    QList<UnitProblem> problems;
    if (header < 0 || header >= lines.size())
        return problems;
    const qsizetype end = UnitEnd(lines, header);
    // The 1-based line where a missing closing line belongs: the line that stopped the
    // block or unit, or the last line of the file.
    const auto lineOf = [&](qsizetype i) {
        return static_cast<int>(std::min(i, lines.size() - 1) + 1);
    };
    qsizetype i = header + 1;
    while (i < end) {
        const QString& line = lines.at(i);
        if (!isBlockKeyword(line)) {
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        // The editor's "{ … }" group may hold anything but its own close.
        if (is(line, QLatin1StringView("<<ques")) && j < end &&
            is(lines.at(j), QLatin1StringView("{"))) {
            while (j < end && !is(lines.at(j), QLatin1StringView("}")))
                ++j;
            j = std::min(j + 1, end);
        }
        j = std::min(findClose(lines, j), end);
        if (j >= end || !is(lines.at(j), QLatin1StringView(">>"))) {
            problems.append({lineOf(j), line + QStringLiteral(" を閉じる >> がありません")});
            i = j;
        } else {
            i = j + 1;
        }
    }
    if (!is(lines.at(end - 1), QLatin1StringView("]]")))
        problems.append(
            {lineOf(end), lines.at(header) + QStringLiteral(" を閉じる ]] がありません")});
    return problems;
}

void UnitReader::setSheetContent(const UnitContent& content)
{
    unit_.content = content;
}

UnitReader::Scan UnitReader::scanUnit(const QStringList& lines, qsizetype start)
{
    const qsizetype n = lines.size();
    for (qsizetype i = start; i < n; ++i) {
        // Bound to the keyword line, so a block consumed in this pass opens no other one.
        const QString& line = lines.at(i);
        if (is(line, QLatin1StringView("]]")) || (i > start && IsUnitHeader(line)))
            break;
        const qsizetype keywordAt = i;

        if (is(line, QLatin1StringView("<<ques"))) {
            qsizetype from = i + 1;
            // An opening "{" group is the editor's and never reaches the sheet.
            if (from < n && is(lines.at(from), QLatin1StringView("{"))) {
                while (from < n && !is(lines.at(from), QLatin1StringView("}")) &&
                       !IsUnitHeader(lines.at(from)))
                    ++from;
                if (from < n && is(lines.at(from), QLatin1StringView("}")))
                    ++from;
            }
            i = findClose(lines, from);
            appendRange(unit_.content.questions, lines, from, i);
        }
        // Checked on every pass so that an add over a full sheet fails too.
        if (unit_.content.questions.size() > kMaxQuestionLines) {
            ShowMessage(QStringLiteral("問題の行は６０行以下です"));
            return Scan::Failed;
        }

        if (is(line, QLatin1StringView("<<ans"))) {
            i = findClose(lines, i + 1);
        } else if (is(line, QLatin1StringView("<<header"))) {
            const qsizetype from = i + 1;
            i = findClose(lines, from);
            appendRange(unit_.header, lines, from, i);
        } else if (is(line, QLatin1StringView("<<value"))) {
            const qsizetype from = i + 1;
            i = findClose(lines, from);
            if (i - from != kValueLines) {
                ShowMessage(QStringLiteral("<<value block error"));
                return Scan::Failed;
            }
            appendRange(unit_.values, lines, from, i);
        } else if (is(line, QLatin1StringView("<<font"))) {
            const qsizetype from = i + 1;
            i = findClose(lines, from);
            if (i - from != kFontLines) {
                ShowMessage(QStringLiteral("<<font block error"));
                return Scan::Failed;
            }
            appendRange(unit_.font, lines, from, i);
        } else if (is(line, QLatin1StringView("<<kran"))) {
            const qsizetype from = i + 1;
            i = findClose(lines, from);
            const qsizetype count = i - from;
            if (count > kKranLines) {
                ShowMessage(QStringLiteral("<<kran block error"));
                return Scan::Failed;
            }
            appendRange(unit_.kran, lines, from, i);
            // Older units carry 8 lines; the rest are reserved settings.
            for (qsizetype k = count; k < kKranLines; ++k)
                unit_.kran.append(QStringLiteral("0"));
        } else if (is(line, QLatin1StringView("<<graph"))) {
            const qsizetype from = i + 1;
            i = findClose(lines, from);
            appendRange(unit_.content.questionFigures, lines, from, i);
        } else if (is(line, QLatin1StringView("<<kgroup"))) {
            const qsizetype from = i + 1;
            i = findClose(lines, from);
            appendRange(unit_.content.answerGroups, lines, from, i);
        } else if (is(line, QLatin1StringView("<<softkey"))) {
            const qsizetype from = i + 1;
            i = findClose(lines, from);
            appendRange(unit_.content.softKeys, lines, from, i);
        } else if (is(line, QLatin1StringView("<<AGraph"))) {
            const qsizetype from = i + 1;
            i = findClose(lines, from);
            appendRange(unit_.content.answerFigures, lines, from, i);
        }
        // A block that stopped short of its ">>" leaves the line that stopped it to be read
        // again: it ends the unit or opens the next block.
        if (i != keywordAt && i < n && !is(lines.at(i), QLatin1StringView(">>")))
            --i;
    }
    return Scan::Done;
}

bool UnitReader::ReadUnit(const QString& fileName, const QString& headerLine, int unitNumber,
                          int sectionNumber, Mode mode, const UnitTitles& titles,
                          const AddContext& add)
{
    unit_.priorFigureLines = static_cast<int>(unit_.content.questionFigures.size());

    QStringList lines;
    if (const TextFile::Result r = TextFile::read(fileName, lines); !r) {
        ShowMessage(r.error);
        return false;
    }
    if (lines.isEmpty())
        return false;

    unit_.values.clear();
    unit_.font.clear();
    unit_.kran.clear();
    if (mode == AddToSheet) {
        // The sheet's header, questions and figures stay: the unit's are added after them.
        unit_.content.softKeys.clear();
        unit_.content.answerGroups.clear();
    } else {
        unit_.content = {};
        unit_.header.clear();
    }

    const qsizetype start = lines.indexOf(headerLine);
    if (start < 0)
        return false;
    if (scanUnit(lines, start) == Scan::Failed)
        return false;

    const QString suffix = sectionNumber == previousSection_
                               ? QStringLiteral(",%1").arg(unitNumber)
                               : QStringLiteral(" §%1-%2").arg(sectionNumber).arg(unitNumber);
    switch (mode) {
    case OpenMaster:
        unit_.content.title = titles.lesson + QStringLiteral("//") + titles.section +
                              QStringLiteral("§%1-%2 ").arg(sectionNumber).arg(unitNumber) +
                              titles.unit;
        unit_.content.school = QStringLiteral("小学校");
        unit_.content.nameLine = QStringLiteral("　年　組　番　氏名");
        opened_ = true;
        break;
    case OpenCopy:
        // A copy file with a short header block gives empty texts rather than a fault.
        unit_.content.title = unit_.header.value(0);
        unit_.content.school = unit_.header.value(1);
        unit_.content.nameLine = unit_.header.value(2);
        opened_ = true;
        break;
    case AddToSheet:
        if (!add.titleGenerated)
            unit_.content.title = add.title + suffix;
        else if (opened_)
            // The sheet now holds several units: their section and unit titles are dropped.
            unit_.content.title =
                titles.lesson + QStringLiteral("//§%1-%2").arg(add.section).arg(add.unit) + suffix;
        else
            unit_.content.title = lastTitle_ + suffix;
        opened_ = false;
        break;
    default:
        break;
    }

    previousSection_ = sectionNumber;
    lastTitle_ = unit_.content.title;
    return true;
}

} // namespace zendra
