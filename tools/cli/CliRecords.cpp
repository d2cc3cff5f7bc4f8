// zendra-cli records: show, append to and erase a learner's record file; export a whole
// courseware tree's records for a gradebook.
#include "Cli.h"

#include "courseware/RecordFile.h"
#include "learners/RecordExport.h"
#include "platform/TextFile.h"

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

} // namespace

int runRecords(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("records show INI [KEY] | records append INI KEY LINE | "
                       "records erase INI KEY | records export FOLDER [-o OUT.csv] "
                       "[--encoding utf-8|cp932]"),
        QStringLiteral("A learner's record file: show lists its record sections with their "
                       "counts, or one unit's records, as JSON; append adds a record line to a "
                       "unit; erase removes a unit's records. export writes every record line "
                       "of every learner in a courseware tree as CSV rows (UTF-8 with a "
                       "byte-order mark unless --encoding cp932). A LINE that starts with '-' "
                       "follows \"--\"."));
    const QCommandLineOption outOption(QStringList{QStringLiteral("o")},
                                       QStringLiteral("export: the CSV file to write"),
                                       QStringLiteral("OUT.csv"));
    const QCommandLineOption encodingOption(QStringList{QStringLiteral("encoding")},
                                            QStringLiteral("export: utf-8 (default) or cp932"),
                                            QStringLiteral("ENCODING"));
    line.parser().addOption(outOption);
    line.parser().addOption(encodingOption);
    line.argument(QStringLiteral("ACTION"), QStringLiteral("show, append, erase or export"));
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
