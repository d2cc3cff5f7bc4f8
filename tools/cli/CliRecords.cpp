// zendra-cli records: show, append to and erase a learner's record file.
#include "Cli.h"

#include "courseware/RecordFile.h"

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

} // namespace

int runRecords(const QStringList& args)
{
    CommandLine line(
        QStringLiteral("records show INI [KEY] | records append INI KEY LINE | "
                       "records erase INI KEY"),
        QStringLiteral("A learner's record file: show lists its record sections with their "
                       "counts, or one unit's records, as JSON; append adds a record line to a "
                       "unit; erase removes a unit's records. A LINE that starts with '-' "
                       "follows \"--\"."));
    line.argument(QStringLiteral("ACTION"), QStringLiteral("show, append or erase"));
    line.argument(QStringLiteral("INI"), QStringLiteral("the learner's record file"));
    line.argument(QStringLiteral("KEY"),
                  QStringLiteral("a unit's record key (section name of the file)"));
    line.argument(QStringLiteral("LINE"), QStringLiteral("the record line to append"));
    if (const std::optional<int> done = line.parse(args, 1, 4))
        return *done;
    const QStringList given = line.arguments();
    const QString action = given.at(0);
    const QStringList rest = given.mid(1);
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
