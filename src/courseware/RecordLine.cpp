#include "courseware/RecordLine.h"

#include <QRegularExpression>

namespace zendra {

namespace {

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

QString MakeRecordLine(const RecordValues& values)
{
    QString line;
    if (values.generatedSeed)
        line += QStringLiteral("新") + QString::number(*values.generatedSeed) + u')';
    else if (values.variant > 0)
        line += QStringLiteral("類題") + QString::number(values.variant) + u')';
    const QDate date = values.finished.date();
    const QTime time = values.finished.time();
    line += QString::number(date.year()) + QStringLiteral("年") + twoDigits(date.month()) +
            QStringLiteral("月") + twoDigits(date.day()) + QStringLiteral("日");
    line += u' ' + twoDigits(time.hour()) + u':' + twoDigits(time.minute());
    line += QStringLiteral(" [") + values.triesText + QStringLiteral("] ");
    line += QStringLiteral("%1/%2 %3点")
                .arg(values.right, 2)
                .arg(values.total, 2)
                .arg(values.percent, 3);
    line +=
        u' ' + twoDigits(values.elapsedSeconds / 60) + u':' + twoDigits(values.elapsedSeconds % 60);
    return line;
}

std::optional<RecordValues> ParseRecordLine(const QString& line)
{
    // Loose on the blanks of the counts; the comparison below makes it exact.
    static const QRegularExpression pattern(QStringLiteral(
        "^(?:類題([1-5])\\)|新([0-9]{1,20})\\))?([1-9][0-9]{3})年([0-9]{2})月([0-9]{2})日 "
        "([0-9]{2}):([0-9]{2}) "
        "\\[([0-9]*)\\] ( *[0-9]+)/( *[0-9]+) ( *[0-9]+)点 ([0-9]{2,}):([0-9]{2})$"));
    const QRegularExpressionMatch m = pattern.match(line);
    if (!m.hasMatch())
        return std::nullopt;
    const auto number = [&](int group) { return m.captured(group).trimmed().toInt(); };
    const QDate date(number(3), number(4), number(5));
    const QTime time(number(6), number(7));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    bool minutesOk = false;
    const int minutes = m.captured(12).toInt(&minutesOk);
    if (!minutesOk || minutes > 1000000)
        return std::nullopt;
    RecordValues values;
    values.variant = m.captured(1).isEmpty() ? 0 : number(1);
    if (!m.captured(2).isEmpty()) {
        bool seedOk = false;
        values.generatedSeed = m.captured(2).toULongLong(&seedOk);
        if (!seedOk)
            return std::nullopt;
    }
    values.finished = QDateTime(date, time);
    values.triesText = m.captured(8);
    values.right = number(9);
    values.total = number(10);
    values.percent = number(11);
    values.elapsedSeconds = minutes * 60 + number(13);
    // Leading zeros, seconds of 60 or more and misplaced blanks read as a value but would be
    // written differently; so would a local time the clock skipped.
    if (MakeRecordLine(values) != line)
        return std::nullopt;
    return values;
}

} // namespace zendra
