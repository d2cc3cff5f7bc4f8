// zendra-cli records: show, append to and erase a learner's record file.
#include "Cli.h"

#include "courseware/RecordFile.h"

namespace zendra::cli {

namespace {

int usage()
{
    return fail(QStringLiteral("usage: zendra-cli records show INI [KEY] | "
                               "records append INI KEY LINE | records erase INI KEY"));
}

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
    const QString command = args.value(0);
    const QStringList rest = args.mid(1);
    TextFile::Result result;
    if (command == u"show" && (rest.size() == 1 || rest.size() == 2))
        return show(rest);
    if (command == u"append" && rest.size() == 3)
        result = AppendRecord(rest.at(0), rest.at(1), rest.at(2));
    else if (command == u"erase" && rest.size() == 2)
        result = EraseRecords(rest.at(0), rest.at(1));
    else
        return usage();
    return result ? 0 : fail(result.error);
}

} // namespace zendra::cli
