#include "Cli.h"

#include "courseware/UnitReader.h"
#include "platform/Messages.h"

#include <QDir>

namespace zendra::cli {

int runParse(const QStringList& args)
{
    CommandLine line(QStringLiteral("parse FILE HEADER-LINE"),
                     QStringLiteral("One unit of a master or copy file, block by block, as JSON."));
    line.argument(QStringLiteral("FILE"), QStringLiteral("a master (.que) or copy (.prp) file"));
    line.argument(QStringLiteral("HEADER-LINE"),
                  QStringLiteral("the unit's header line, e.g. \"[[unit1\" or \"[[unitX\""));
    if (const std::optional<int> done = line.parse(args, 2, 2))
        return *done;
    const QStringList given = line.arguments();

    UnitReader reader;
    ScriptedMessages messages;
    bool ok = false;
    {
        ScopedMessages scope(messages);
        ok = reader.ReadUnit(given.at(0), given.at(1), 0, 0, UnitReader::OpenMaster, UnitTitles{});
    }

    // The reader is silent about a unit it does not find; the command is not.
    QStringList texts = messages.texts();
    if (!ok && texts.isEmpty())
        texts.append(QStringLiteral("%1 に %2 がありません")
                         .arg(QDir::toNativeSeparators(given.at(0)), given.at(1)));
    if (!ok)
        fail(texts.join(u'\n'));

    // A failed read reports no lists: what the reader holds then is only a partial unit.
    const ParsedUnit empty;
    const ParsedUnit& unit = ok ? reader.unit() : empty;
    QJsonObject result;
    result.insert(QStringLiteral("ok"), ok);
    result.insert(QStringLiteral("message"), texts.join(u'\n'));
    result.insert(QStringLiteral("questions"), toJsonArray(unit.content.questions));
    result.insert(QStringLiteral("header"), toJsonArray(unit.header));
    result.insert(QStringLiteral("values"), toJsonArray(unit.values));
    result.insert(QStringLiteral("font"), toJsonArray(unit.font));
    result.insert(QStringLiteral("kran"), toJsonArray(unit.kran));
    result.insert(QStringLiteral("questionFigures"), toJsonArray(unit.content.questionFigures));
    result.insert(QStringLiteral("answerFigures"), toJsonArray(unit.content.answerFigures));
    result.insert(QStringLiteral("answerGroups"), toJsonArray(unit.content.answerGroups));
    result.insert(QStringLiteral("softKeys"), toJsonArray(unit.content.softKeys));
    printJson(result);
    return ok ? 0 : kFileProblem;
}

} // namespace zendra::cli
