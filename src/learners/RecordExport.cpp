#include "learners/RecordExport.h"

#include "courseware/CoursewareIndex.h"
#include "courseware/RecordFile.h"
#include "courseware/RecordLine.h"
#include "learners/RecordList.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace zendra {

namespace {

struct UnitPlace
{
    int section = 0;
    int unit = 0;
    QString title;
};

// The lesson's record keys, compared as the record file compares section names.
QHash<QString, UnitPlace> unitsByKey(const SectionUnits& sections, int lesson)
{
    QHash<QString, UnitPlace> result;
    for (int s = 1; s <= sections.count(); ++s) {
        const QStringList& units = sections.sections.at(s - 1).units;
        for (int u = 1; u <= units.size(); ++u) {
            const QString key = MakeRecordKey(UnitChoice{lesson, s, u, 0}, sections);
            result.insert(FoldProfileName(key), UnitPlace{s, u, units.at(u - 1)});
        }
    }
    return result;
}

QStringList recordRow(const QString& learner, const QString& lesson, const UnitPlace& place,
                      const QString& line)
{
    QStringList row = {learner, lesson,
                       place.section > 0 ? QString::number(place.section) : QString(),
                       place.unit > 0 ? QString::number(place.unit) : QString(), place.title};
    if (const std::optional<RecordValues> v = ParseRecordLine(line)) {
        // The set column tells the unit's own numbers (empty), a stored set (its number)
        // and numbers generated in the study window ("新" and the seed) apart.
        QString set;
        if (v->generatedSeed)
            set = QStringLiteral("新") + QString::number(*v->generatedSeed);
        else if (v->variant > 0)
            set = QString::number(v->variant);
        row << set << v->finished.date().toString(Qt::ISODate)
            << v->finished.time().toString(QStringLiteral("HH:mm")) << v->triesText
            << QString::number(v->right) << QString::number(v->total) << QString::number(v->percent)
            << QString::number(v->elapsedSeconds) << QString();
    } else {
        for (int i = 0; i < 8; ++i)
            row << QString();
        row << line;
    }
    return row;
}

} // namespace

QStringList RecordExportHeader()
{
    return {QStringLiteral("学習者"), QStringLiteral("教材"),        QStringLiteral("章"),
            QStringLiteral("単元"),   QStringLiteral("単元名"),      QStringLiteral("類題"),
            QStringLiteral("日付"),   QStringLiteral("時刻"),        QStringLiteral("誤答回数"),
            QStringLiteral("正解数"), QStringLiteral("問題数"),      QStringLiteral("得点"),
            QStringLiteral("所要秒"), QStringLiteral("読めない記録")};
}

bool CollectRecordRows(const QString& coursewareFolder, QList<QStringList>& rows)
{
    rows.clear();
    const QString programFolder = withTrailingSlash(coursewareFolder);
    LessonTable table;
    if (!LoadMainIndex(programFolder, table))
        return false;
    bool allRead = true;
    for (int n = 1; n <= table.count(); ++n) {
        const QString folder = LessonFolder(programFolder, table, n);
        const QStringList files =
            QDir(folder).entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
        if (files.isEmpty())
            continue;
        SectionUnits sections;
        // A lesson whose index is gone still has records; they are listed by key alone.
        LoadLessonIndex(programFolder, table, n, sections);
        const QHash<QString, UnitPlace> units = unitsByKey(sections, n);
        const QString lessonName = table.lesson(n).name;
        for (const QString& file : files) {
            const QString path = withTrailingSlash(folder) + file;
            const QString learner = QFileInfo(file).completeBaseName();
            QString error;
            const QList<RecordSection> recordSections = RecordSections(path, &error);
            if (!error.isEmpty()) {
                ShowMessage(error);
                allRead = false;
                continue;
            }
            for (const RecordSection& section : recordSections) {
                UnitPlace place = units.value(FoldProfileName(section.name), UnitPlace{0, 0, {}});
                if (place.section == 0)
                    place.title = section.name; // a copy file, or a unit no longer listed
                for (const QString& line : ReadRecords(path, section.name))
                    rows.append(recordRow(learner, lessonName, place, line));
            }
        }
    }
    return allRead;
}

QString CsvField(const QString& text)
{
    if (!text.contains(u'"') && !text.contains(u',') && !text.contains(u'\r') &&
        !text.contains(u'\n'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString CsvText(const QList<QStringList>& rows)
{
    QString text;
    for (const QStringList& row : rows) {
        QStringList fields;
        fields.reserve(row.size());
        for (const QString& field : row)
            fields.append(CsvField(field));
        text += fields.join(u',') + QStringLiteral("\r\n");
    }
    return text;
}

bool EncodeCsv(const QList<QStringList>& rows, CsvEncoding encoding, QByteArray& out)
{
    out.clear();
    if (encoding == CsvEncoding::Utf8WithBom) {
        out = QByteArray("\xEF\xBB\xBF") + CsvText(rows).toUtf8();
        return true;
    }
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QByteArray bytes;
        if (!cp932::encode(CsvText({rows.at(i)}), bytes)) {
            ShowMessage(QStringLiteral("%1 行目に Shift-JIS で書けない文字があります: %2")
                            .arg(i + 1)
                            .arg(rows.at(i).join(u',')));
            out.clear();
            return false;
        }
        out += bytes;
    }
    return true;
}

} // namespace zendra
