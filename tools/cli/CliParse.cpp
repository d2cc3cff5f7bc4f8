#include "Cli.h"

#include "courseware/UnitReader.h"
#include "platform/Messages.h"

namespace zendra::cli {

int runParse(const QStringList& args)
{
    if (args.size() != 2)
        return fail(QStringLiteral("usage: zendra-cli parse FILE HEADER-LINE"));

    UnitReader reader;
    ScriptedMessages messages;
    bool ok = false;
    {
        ScopedMessages scope(messages);
        ok = reader.ReadUnit(args.at(0), args.at(1), 0, 0, UnitReader::OpenMaster, UnitTitles{});
    }

    // A failed read reports no lists: what the reader holds then is only a partial unit.
    const ParsedUnit empty;
    const ParsedUnit& unit = ok ? reader.unit() : empty;
    QJsonObject result;
    result.insert(QStringLiteral("ok"), ok);
    result.insert(QStringLiteral("message"), messages.texts().join(u'\n'));
    result.insert(QStringLiteral("questions"), toJsonArray(unit.questions));
    result.insert(QStringLiteral("header"), toJsonArray(unit.header));
    result.insert(QStringLiteral("values"), toJsonArray(unit.values));
    result.insert(QStringLiteral("font"), toJsonArray(unit.font));
    result.insert(QStringLiteral("kran"), toJsonArray(unit.kran));
    result.insert(QStringLiteral("questionFigures"), toJsonArray(unit.questionFigures));
    result.insert(QStringLiteral("answerFigures"), toJsonArray(unit.answerFigures));
    result.insert(QStringLiteral("answerGroups"), toJsonArray(unit.answerGroups));
    result.insert(QStringLiteral("softKeys"), toJsonArray(unit.softKeys));
    printJson(result);
    return ok ? 0 : 1;
}

} // namespace zendra::cli
