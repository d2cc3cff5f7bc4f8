#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace zendra {

// The values of one scored study session, as written into the learner's record file.
struct RecordValues
{
    int variant = 0;        // 1..5 for a similar-question set, else 0
    QDateTime finished;     // local time the session was scored
    QString triesText;      // one count per box completed in practice; empty for a test
    int right = 0;          // boxes answered right
    int total = 0;          // boxes on the sheet
    int percent = 0;        // the score, rounded by percentHalfUp()
    int elapsedSeconds = 0; // time the session took
    // Set when the session ran on numbers generated afresh from this seed, not on the unit's
    // own questions nor a stored set; the line then starts "新" + seed + ")" instead.
    std::optional<quint64> generatedSeed{};
};

// "類題2)" for a variant or "新5821)" for generated numbers, then e.g. "2005年06月21日 14:03 [0102]
// 3/ 4  75点 01:27".
QString MakeRecordLine(const RecordValues& values);

// The values of a line MakeRecordLine() wrote, seconds of `finished` being 0; nothing for a
// line it could not have written (a line edited by hand, "?" for a missing key), so that
// MakeRecordLine(*ParseRecordLine(line)) == line whenever a value is returned.
std::optional<RecordValues> ParseRecordLine(const QString& line);

} // namespace zendra
