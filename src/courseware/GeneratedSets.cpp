#include "courseware/GeneratedSets.h"

#include "courseware/UnitReader.h"
#include "platform/Cp932.h"

#include <algorithm>

namespace zendra {

namespace {

const QLatin1StringView kSeedMark("%seed");

bool endsBlock(const QString& line)
{
    return line == QLatin1StringView(">>") || line == QLatin1StringView("]]") || IsUnitHeader(line);
}

qsizetype findClose(const QStringList& lines, qsizetype from)
{
    while (from < lines.size() && !endsBlock(lines.at(from)))
        ++from;
    return from;
}

// The blocks the unit reader takes whole; in any other block ("<<hint", "<<dummy") it reads
// line by line, so a keyword there still opens a block.
bool readerTakesWhole(const QString& line)
{
    static const QStringList keywords = {
        QStringLiteral("<<ans"),    QStringLiteral("<<header"),  QStringLiteral("<<value"),
        QStringLiteral("<<font"),   QStringLiteral("<<kran"),    QStringLiteral("<<graph"),
        QStringLiteral("<<kgroup"), QStringLiteral("<<softkey"), QStringLiteral("<<AGraph")};
    return keywords.contains(line);
}

QString setHeader(int unit, int variant)
{
    return QStringLiteral("[[unit%1R%2").arg(unit).arg(variant);
}

// The byte offset where each line starts, and last the size of the file: line k runs from
// starts[k] up to starts[k + 1]. Line ends as TextFile reads them (CR LF, LF or CR); in CP932
// neither byte is ever part of a character.
QList<qsizetype> lineStarts(const QByteArray& bytes)
{
    QList<qsizetype> starts{0};
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        if (c == '\r' && i + 1 < n && bytes.at(i + 1) == '\n')
            ++i;
        starts.append(i + 1);
    }
    if (starts.last() != n)
        starts.append(n);
    return starts;
}

// Lines [from, to) of the file give way to `lines`.
struct Splice
{
    qsizetype from = 0;
    qsizetype to = 0;
    QStringList lines;
};

} // namespace

QString SeedLine(quint64 seed)
{
    return kSeedMark + u' ' + QString::number(seed);
}

bool IsSeedLine(const QString& line)
{
    return line.startsWith(kSeedMark);
}

std::optional<quint64> SeedOfLine(const QString& line)
{
    const qsizetype prefix = kSeedMark.size() + 1;
    if (!line.startsWith(kSeedMark + u' ') || line.size() == prefix)
        return std::nullopt;
    const QStringView digits = QStringView(line).mid(prefix);
    // Qt's conversion would also take blanks and a sign.
    if (!std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    bool ok = false;
    const quint64 seed = digits.toULongLong(&ok);
    return ok ? std::optional<quint64>(seed) : std::nullopt;
}

QList<qsizetype> QuestionLinePositions(const QStringList& lines, qsizetype header)
{
    QList<qsizetype> positions;
    const qsizetype n = lines.size();
    for (qsizetype i = header + 1; i < n; ++i) {
        const QString& line = lines.at(i);
        if (line == QLatin1StringView("]]") || IsUnitHeader(line))
            break;
        const qsizetype keywordAt = i;
        if (line == QLatin1StringView("<<ques")) {
            qsizetype from = i + 1;
            if (from < n && lines.at(from) == QLatin1StringView("{")) {
                while (from < n && lines.at(from) != QLatin1StringView("}") &&
                       !IsUnitHeader(lines.at(from)))
                    ++from;
                if (from < n && lines.at(from) == QLatin1StringView("}"))
                    ++from;
            }
            i = findClose(lines, from);
            for (qsizetype k = from; k < i; ++k)
                positions.append(k);
        } else if (readerTakesWhole(line)) {
            i = findClose(lines, i + 1);
        }
        if (i != keywordAt && i < n && lines.at(i) != QLatin1StringView(">>"))
            --i;
    }
    return positions;
}

QList<int> ExistingSets(const QStringList& lines, int unit)
{
    QList<int> variants;
    for (int v = 1; v <= 5; ++v)
        if (lines.contains(setHeader(unit, v)))
            variants.append(v);
    return variants;
}

SetsWrite AddGeneratedSets(const QByteArray& fileBytes, int unit, quint64 seed,
                           const QList<GeneratedSet>& sets, bool replace)
{
    SetsWrite result;
    QStringList lines;
    const QList<qsizetype> starts = lineStarts(fileBytes);
    if (!cp932::decodeLines(fileBytes, lines) || lines.size() != starts.size() - 1) {
        result.error = QStringLiteral("Shift-JIS として読めないファイルです");
        return result;
    }
    const QString header = QStringLiteral("[[unit%1").arg(unit);
    const qsizetype at = lines.indexOf(header);
    if (at < 0) {
        result.error = header + QStringLiteral(" がありません");
        return result;
    }

    // The unit without its header, its seed line and its "]]"; the set's question lines
    // go where the unit's stand.
    const qsizetype unitEnd = UnitEnd(lines, at);
    qsizetype bodyFrom = at + 1;
    if (bodyFrom < unitEnd && IsSeedLine(lines.at(bodyFrom)))
        ++bodyFrom;
    qsizetype bodyEnd = unitEnd;
    if (bodyEnd > bodyFrom && lines.at(bodyEnd - 1) == QLatin1StringView("]]"))
        --bodyEnd;
    const QList<qsizetype> questionAt = QuestionLinePositions(lines, at);

    QStringList blocks;
    for (const GeneratedSet& set : sets) {
        if (set.questions.size() != questionAt.size()) {
            result.error =
                setHeader(unit, set.variant) + QStringLiteral(" の問題の行数が単元と合いません");
            return result;
        }
        QStringList body = lines.mid(bodyFrom, bodyEnd - bodyFrom);
        for (qsizetype q = 0; q < questionAt.size(); ++q)
            body[questionAt.at(q) - bodyFrom] = set.questions.at(q);
        blocks << setHeader(unit, set.variant) << SeedLine(seed) << body << QStringLiteral("]]");
    }

    // Every block of the unit's existing sets; the new ones take the place of the last.
    QList<Splice> splices;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (!line.startsWith(header + u'R'))
            continue;
        const QString variant = line.mid(header.size() + 1);
        if (variant.size() != 1 || variant.at(0) < u'1' || variant.at(0) > u'5')
            continue;
        if (!replace) {
            result.error = line + QStringLiteral(" がすでにあります");
            return result;
        }
        const qsizetype end = UnitEnd(lines, i);
        splices.append({i, end, {}});
        i = end - 1;
    }
    if (splices.isEmpty())
        splices.append({unitEnd, unitEnd, {}});
    splices.last().lines = blocks;

    QByteArray& out = result.bytes;
    qsizetype kept = 0; // the first line not yet copied
    for (const Splice& s : splices) {
        out.append(fileBytes.mid(starts.at(kept), starts.at(s.from) - starts.at(kept)));
        if (!s.lines.isEmpty() && s.from == lines.size() && !out.isEmpty() && !out.endsWith('\n') &&
            !out.endsWith('\r'))
            out.append("\r\n"); // the last line had no line end of its own
        for (const QString& line : s.lines) {
            QByteArray encoded;
            if (!cp932::encode(line, encoded)) {
                result.error = QStringLiteral("Shift-JIS で書けない文字があります: ") + line;
                result.bytes.clear();
                return result;
            }
            out.append(encoded).append("\r\n");
        }
        kept = s.to;
    }
    out.append(fileBytes.mid(starts.at(kept)));
    return result;
}

} // namespace zendra
