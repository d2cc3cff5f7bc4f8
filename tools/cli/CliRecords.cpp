// zendra-cli records: show, append to and erase a learner's record file; export a whole
// courseware tree's records for a gradebook.
#include "Cli.h"

#include "courseware/CoursewareIndex.h"
#include "courseware/RecordFile.h"
#include "learners/ClassRecords.h"
#include "learners/ClassReport.h"
#include "learners/RecordExport.h"
#include "platform/Fonts.h"
#include "platform/Messages.h"
#include "platform/PdfPrintTarget.h"
#include "platform/TextFile.h"

#include <QPageLayout>
#include <QPageSize>

#include <cstdio>

namespace zendra::cli {

namespace {

int show(const QStringList& args)
{
    QString error;
    QJsonObject out;
    if (args.size() == 1) {
        const QList<RecordSection> sections = RecordSections(args.at(0), &error);
        if (!error.isEmpty())
            return fail(error);
        QJsonArray list;
        for (const RecordSection& section : sections)
            list.append(QJsonObject{{QStringLiteral("name"), section.name},
                                    {QStringLiteral("count"), section.count}});
        out.insert(QStringLiteral("sections"), list);
    } else {
        const QStringList lines = ReadRecords(args.at(0), args.at(1), &error);
        if (!error.isEmpty())
            return fail(error);
        out.insert(QStringLiteral("count"), static_cast<int>(lines.size()));
        out.insert(QStringLiteral("lines"), toJsonArray(lines));
    }
    printJson(out);
    return 0;
}

// One CSV row per record line of every learner in every lesson, to OUT or stdout.
int exportRows(const QString& folder, const QString& out, CsvEncoding encoding)
{
    QList<QStringList> rows;
    if (!CollectRecordRows(programFolderArg(folder), rows))
        return kFileProblem;
    rows.prepend(RecordExportHeader());
    QByteArray bytes;
    if (!EncodeCsv(rows, encoding, bytes))
        return kFileProblem;
    if (out.isEmpty()) {
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
        return 0;
    }
    const TextFile::Result saved = TextFile::saveBytes(out, bytes);
    return saved ? 0 : fail(saved.error);
}

// The class of one lesson, read as the class overview reads it.
std::optional<ClassRecords> readClass(const QString& folder, int lesson)
{
    const QString program = programFolderArg(folder);
    LessonTable table;
    if (!LoadMainIndex(program, table))
        return std::nullopt;
    if (lesson < 1 || lesson > table.count()) {
        fail(QStringLiteral("教材 %1 はありません（1 から %2）").arg(lesson).arg(table.count()));
        return std::nullopt;
    }
    ClassRecords records =
        ReadClassRecords(program, table, lesson, ClassListNames(program, QString(), false));
    for (const QString& error : records.errors)
        fail(error);
    return records;
}

int summary(const QString& folder, int lesson, const QDate& today)
{
    const std::optional<ClassRecords> records = readClass(folder, lesson);
    if (!records)
        return kFileProblem;
    QJsonArray learners;
    for (const ClassLearner& learner : records->learners) {
        QJsonArray units;
        for (qsizetype u = 0; u < learner.units.size(); ++u) {
            const LearnerUnit& unit = learner.units.at(u);
            if (unit.count == 0)
                continue;
            QJsonObject entry{{QStringLiteral("key"), records->units.at(u).key},
                              {QStringLiteral("count"), unit.count},
                              {QStringLiteral("due"), unit.dueOn(today)}};
            if (const ClassRecord* latest = unit.latest()) {
                entry.insert(QStringLiteral("lastScore"), latest->percent);
                entry.insert(QStringLiteral("bestScore"), unit.bestScore);
            } else {
                entry.insert(QStringLiteral("lastScore"), QJsonValue::Null);
                entry.insert(QStringLiteral("bestScore"), QJsonValue::Null);
            }
            if (unit.due)
                entry.insert(QStringLiteral("dueDate"), unit.due->toString(Qt::ISODate));
            if (unit.flagged())
                entry.insert(QStringLiteral("flagged"), true);
            units.append(entry);
        }
        learners.append(
            QJsonObject{{QStringLiteral("name"), learner.name}, {QStringLiteral("units"), units}});
    }
    QJsonArray units;
    for (const ClassUnit& unit : records->units) {
        QJsonArray boxes;
        for (qsizetype b = 0; b < unit.boxes.size(); ++b)
            boxes.append(
                QJsonObject{{QStringLiteral("box"), static_cast<int>(b) + 1},
                            {QStringLiteral("answered"), unit.boxes.at(b).answered},
                            {QStringLiteral("firstTryWrong"), unit.boxes.at(b).firstTryWrong}});
        units.append(QJsonObject{{QStringLiteral("key"), unit.key},
                                 {QStringLiteral("title"), unit.title},
                                 {QStringLiteral("boxes"), boxes}});
    }
    QJsonArray unreadable;
    for (const UnreadableRecord& line : records->unreadable)
        unreadable.append(QJsonObject{{QStringLiteral("name"), line.learner},
                                      {QStringLiteral("key"), line.key},
                                      {QStringLiteral("line"), line.line}});
    printJson(QJsonObject{{QStringLiteral("lesson"), lesson},
                          {QStringLiteral("date"), today.toString(Qt::ISODate)},
                          {QStringLiteral("learners"), learners},
                          {QStringLiteral("units"), units},
                          {QStringLiteral("unreadable"), static_cast<int>(unreadable.size())},
                          {QStringLiteral("unreadableLines"), unreadable}});
    return 0;
}

// The grid and every unit's question list as a landscape A4 PDF.
int report(const QString& folder, int lesson, const QString& out)
{
    const std::optional<ClassRecords> records = readClass(folder, lesson);
    if (!records)
        return kFileProblem;
    const QString program = programFolderArg(folder);
    LessonTable table;
    LoadMainIndex(program, table);
    InstallFontSubstitutions();
    ClassReport content;
    content.records = &*records;
    // Units no one has practised have no statistics to show.
    for (int u = 0; u < records->units.size(); ++u) {
        if (records->units.at(u).boxes.isEmpty())
            continue;
        content.questionUnits.append(u);
        content.questions.append(UnitQuestions(program, table, *records, u));
    }
    const QPageSize a4(QPageSize::A4);
    const QSizeF mm = a4.size(QPageSize::Millimeter);
    PdfPrintTarget target(out,
                          QPageSize(QSizeF(mm.height(), mm.width()), QPageSize::Millimeter,
                                    QString(), QPageSize::ExactMatch),
                          300);
    QString error;
    if (!PrintClassReport(target, content, &error) || !target.finish(&error))
        return fail(error);
    return 0;
}

} // namespace

int runRecords(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("records show INI [KEY] | records append INI KEY LINE | "
                       "records erase INI KEY | records export FOLDER [-o OUT.csv] "
                       "[--encoding utf-8|cp932] | records summary FOLDER --lesson L "
                       "[--date YYYY-MM-DD] | records report FOLDER --lesson L -o REPORT.pdf"),
        QStringLiteral(
            "A learner's record file: show lists its record sections with their "
            "counts, or one unit's records, as JSON; append adds a record line to a "
            "unit; erase removes a unit's records. export writes every record line "
            "of every learner in a courseware tree as CSV rows (UTF-8 with a "
            "byte-order mark unless --encoding cp932). summary prints, as JSON, every learner's "
            "latest and best score per unit of a lesson, whether the unit is due for "
            "review, and per unit and box how many were wrong at the first try; "
            "report writes the class grid and the question lists as a PDF. A LINE that starts with "
            "'-' "
            "follows \"--\"."));
    const QCommandLineOption outOption(QStringList{QStringLiteral("o")},
                                       QStringLiteral("export: the CSV file to write"),
                                       QStringLiteral("OUT.csv"));
    const QCommandLineOption encodingOption(QStringList{QStringLiteral("encoding")},
                                            QStringLiteral("export: utf-8 (default) or cp932"),
                                            QStringLiteral("ENCODING"));
    const QCommandLineOption lessonOption(
        QStringList{QStringLiteral("lesson")},
        QStringLiteral("summary, report: the lesson's number in Main.ind"), QStringLiteral("L"));
    const QCommandLineOption dateOption(
        QStringList{QStringLiteral("date")},
        QStringLiteral("summary: the day the review rule takes as today"),
        QStringLiteral("YYYY-MM-DD"));
    line.parser().addOption(outOption);
    line.parser().addOption(encodingOption);
    line.parser().addOption(lessonOption);
    line.parser().addOption(dateOption);
    line.argument(QStringLiteral("ACTION"),
                  QStringLiteral("show, append, erase, export, summary or report"));
    line.argument(QStringLiteral("INI"),
                  QStringLiteral("the learner's record file (export: the program folder)"));
    line.argument(QStringLiteral("KEY"),
                  QStringLiteral("a unit's record key (section name of the file)"));
    line.argument(QStringLiteral("LINE"), QStringLiteral("the record line to append"));
    if (const std::optional<int> done = line.parse(args, 1, 4))
        return *done;
    const QStringList given = line.arguments();
    const QString action = given.at(0);
    const QStringList rest = given.mid(1);
    const bool classAction = action == u"summary" || action == u"report";
    if (classAction && rest.size() == 1) {
        bool ok = false;
        const int lesson = line.parser().value(lessonOption).toInt(&ok);
        if (!ok)
            return line.usageError(QStringLiteral("--lesson に教材の番号を指定してください"));
        if (line.parser().isSet(encodingOption))
            return line.usageError();
        if (action == u"report") {
            if (line.parser().value(outOption).isEmpty() || line.parser().isSet(dateOption))
                return line.usageError(QStringLiteral("-o に PDF ファイルを指定してください"));
            return report(rest.at(0), lesson, line.parser().value(outOption));
        }
        if (line.parser().isSet(outOption))
            return line.usageError();
        QDate today = QDate::currentDate();
        if (line.parser().isSet(dateOption)) {
            today = QDate::fromString(line.parser().value(dateOption), Qt::ISODate);
            if (!today.isValid())
                return line.usageError(QStringLiteral("--date は YYYY-MM-DD です"));
        }
        return summary(rest.at(0), lesson, today);
    }
    if (line.parser().isSet(lessonOption) || line.parser().isSet(dateOption))
        return line.usageError();
    const bool exportOptions =
        line.parser().isSet(outOption) || line.parser().isSet(encodingOption);
    if (action == u"export" && rest.size() == 1) {
        const QString encoding = line.parser().value(encodingOption);
        if (!encoding.isEmpty() && encoding != u"utf-8" && encoding != u"cp932")
            return line.usageError(QStringLiteral("--encoding は utf-8 か cp932 です"));
        return exportRows(rest.at(0), line.parser().value(outOption),
                          encoding == u"cp932" ? CsvEncoding::Cp932 : CsvEncoding::Utf8WithBom);
    }
    if (exportOptions)
        return line.usageError();
    TextFile::Result result;
    if (action == u"show" && (rest.size() == 1 || rest.size() == 2))
        return show(rest);
    if (action == u"append" && rest.size() == 3)
        result = AppendRecord(rest.at(0), rest.at(1), rest.at(2));
    else if (action == u"erase" && rest.size() == 2)
        result = EraseRecords(rest.at(0), rest.at(1));
    else
        return line.usageError();
    return result ? 0 : fail(result.error);
}

} // namespace zendra::cli
