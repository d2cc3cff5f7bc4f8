#include "courseware/RecordLine.h"

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
    if (values.variant > 0)
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

} // namespace zendra
