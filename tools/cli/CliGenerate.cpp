// generate: similar-question sets with fresh numbers made from one unit, shown as JSON and,
// on request, written into the unit's master file.
#include "Cli.h"

#include "courseware/CoursewareIndex.h"
#include "courseware/GeneratedSets.h"
#include "courseware/QuestionGenerator.h"
#include "courseware/UnitReader.h"
#include "platform/FileStamp.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace zendra::cli {

namespace {

const QString kSynopsis =
    QStringLiteral("generate FOLDER --unit L/S/U [--sets N] [--seed S] [--write [--replace]]");

struct GenerateOptions
{
    QString folder;
    UnitChoice unit;
    int sets = 5;
    quint64 seed = 0;
    bool write = false;
    bool replace = false;
};

std::optional<int> parseOptions(const QStringList& args, GenerateOptions& o)
{
    CommandLine line(
        kSynopsis,
        QStringLiteral("Makes similar-question sets of a unit: the same lines with fresh "
                       "numbers and their answers computed, printed as JSON. Lines whose "
                       "answers cannot be varied are kept as they stand and listed under "
                       "\"kept\". The same seed always gives the same sets."));
    line.argument(QStringLiteral("FOLDER"), kFolderHelp);
    QCommandLineParser& parser = line.parser();
    const QCommandLineOption unitOption(QStringLiteral("unit"),
                                        QStringLiteral("the unit by lesson, section and unit"),
                                        QStringLiteral("L/S/U"));
    const QCommandLineOption setsOption(QStringLiteral("sets"),
                                        QStringLiteral("how many sets, 1 to 5 (default 5)"),
                                        QStringLiteral("N"));
    const QCommandLineOption seedOption(
        QStringLiteral("seed"),
        QStringLiteral("the seed to make the sets from (default: a new one, printed)"),
        QStringLiteral("S"));
    const QCommandLineOption writeOption(
        QStringLiteral("write"),
        QStringLiteral("add the sets to the master file as the unit's similar-question sets "
                       "R1 to RN"));
    const QCommandLineOption replaceOption(
        QStringLiteral("replace"),
        QStringLiteral("with --write: replace the unit's existing similar-question sets"));
    parser.addOptions({unitOption, setsOption, seedOption, writeOption, replaceOption});
    if (const std::optional<int> done = line.parse(args, 1, 1))
        return done;

    o.folder = line.arguments().at(0);
    const std::optional<UnitChoice> unit = parseUnit(parser.value(unitOption));
    if (!unit || unit->variant != 0 || parser.value(unitOption).count(u'/') != 2)
        return line.usageError(
            QStringLiteral("--unit には 課/章/ユニット の番号を指定してください"));
    o.unit = *unit;
    if (parser.isSet(setsOption)) {
        bool ok = false;
        o.sets = parser.value(setsOption).toInt(&ok);
        if (!ok || o.sets < 1 || o.sets > 5)
            return line.usageError(QStringLiteral("--sets は 1 から 5 までです"));
    }
    if (parser.isSet(seedOption)) {
        const std::optional<quint64> seed = parseSeed(parser.value(seedOption));
        if (!seed)
            return line.usageError(
                QStringLiteral("--seed には 0 から 18446744073709551615 までの整数を指定してく"
                               "ださい"));
        o.seed = *seed;
    } else {
        o.seed = QuestionGenerator::NewSeed();
    }
    o.write = parser.isSet(writeOption);
    o.replace = parser.isSet(replaceOption);
    if (o.replace && !o.write)
        return line.usageError(QStringLiteral("--replace は --write と一緒に指定してください"));
    return std::nullopt;
}

// The master file of a unit the lesson index lists; nothing after a message.
std::optional<QString> masterOfUnit(const QString& programFolder, const UnitChoice& choice,
                                    UnitTitles& titles)
{
    LessonTable table;
    if (!LoadMainIndex(programFolder, table))
        return std::nullopt;
    SectionUnits sections;
    int loadedLesson = 0;
    if (!loadUnitListing(programFolder, table, choice, sections, loadedLesson))
        return std::nullopt;
    titles = {table.lesson(choice.lesson).name, sections.section(choice.section).title,
              sections.unitTitle(choice.section, choice.unit)};
    return MasterPath(programFolder, table, choice.lesson, choice.section);
}

// JSON text of a string, escaped as Qt escapes it.
QByteArray jsonString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

// Items of a JSON array or object, one a line at `depth`, between `open` and `close`.
QByteArray jsonList(const QList<QByteArray>& items, int depth, char open, char close)
{
    if (items.isEmpty())
        return QByteArray(1, open) + close;
    const QByteArray inner(4 * (depth + 1), ' ');
    QByteArray text(1, open);
    for (qsizetype i = 0; i < items.size(); ++i)
        text += '\n' + inner + items.at(i) + (i + 1 < items.size() ? "," : "");
    return text + '\n' + QByteArray(4 * depth, ' ') + close;
}

QByteArray member(const char* name, const QByteArray& value)
{
    return '"' + QByteArray(name) + "\": " + value;
}

// Seeds are 64-bit: written as exact integers, which a JSON number in double precision
// could not keep.
QByteArray generateJson(const GenerateOptions& o, const QList<GeneratedSet>& sets,
                        const QList<KeptLine>& kept)
{
    QList<QByteArray> setItems;
    for (const GeneratedSet& set : sets) {
        QList<QByteArray> questions;
        for (const QString& q : set.questions)
            questions << jsonString(q);
        setItems << jsonList({member("variant", QByteArray::number(set.variant)),
                              member("seed", QByteArray::number(set.seed)),
                              member("questions", jsonList(questions, 3, '[', ']'))},
                             2, '{', '}');
    }
    QList<QByteArray> keptItems;
    for (const KeptLine& line : kept)
        keptItems << jsonList({member("line", QByteArray::number(line.line)),
                               member("text", jsonString(line.text)),
                               member("reason", jsonString(line.reason))},
                              2, '{', '}');
    const QString unit =
        QStringLiteral("%1/%2/%3").arg(o.unit.lesson).arg(o.unit.section).arg(o.unit.unit);
    return jsonList({member("unit", jsonString(unit)), member("seed", QByteArray::number(o.seed)),
                     member("sets", jsonList(setItems, 1, '[', ']')),
                     member("kept", jsonList(keptItems, 1, '[', ']'))},
                    0, '{', '}') +
           '\n';
}

} // namespace

int runGenerate(const QStringList& args)
{
    GenerateOptions o;
    if (const std::optional<int> done = parseOptions(args, o))
        return *done;

    const QString programFolder = programFolderArg(o.folder);
    if (!QFileInfo(programFolder).isDir())
        return fail(QStringLiteral("ディレクトリ ") + o.folder +
                    QStringLiteral(" が見つかりません"));
    UnitTitles titles;
    const std::optional<QString> found = masterOfUnit(programFolder, o.unit, titles);
    if (!found)
        return kFileProblem;
    const QString& master = *found;
    const QString header = UnitHeaderLine(o.unit);

    // Taken before reading, so that a change made in between makes the write refuse.
    const FileStamp stamp = FileStamp::of(master);
    if (!stamp.exists)
        return fail(QStringLiteral("ファイル ") + shownPath(master) +
                    QStringLiteral(" が見つかりません"));
    QStringList lines;
    if (const TextFile::Result r = TextFile::read(master, lines); !r)
        return fail(r.error);
    const qsizetype at = lines.indexOf(header);
    if (at < 0)
        return fail(shownPath(master) + QStringLiteral(" に ") + header +
                    QStringLiteral(" が見つかりません"));
    // Sets copy the unit's blocks: a unit the program cannot read would pass its faults on.
    if (const QList<UnitProblem> problems = UnitStructureProblems(lines, at); !problems.isEmpty())
        return fail(QStringLiteral("%1:%2: %3")
                        .arg(shownPath(master))
                        .arg(problems.first().line)
                        .arg(problems.first().text));
    UnitReader reader;
    if (!reader.ReadUnit(master, header, o.unit.unit, o.unit.section, UnitReader::OpenMaster,
                         titles))
        return kFileProblem;

    QStringList questions;
    for (const qsizetype i : QuestionLinePositions(lines, at))
        questions << lines.at(i);
    if (questions != reader.unit().content.questions)
        return fail(shownPath(master) + QStringLiteral(" の ") + header +
                    QStringLiteral(" の問題の行が読み取れません"));

    const QuestionGenerator generator(questions);
    const QList<GeneratedSet> sets = generator.generateSets(o.seed, o.sets);
    const QByteArray json = generateJson(o, sets, generator.kept());
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    std::fflush(stdout);
    if (!generator.understandsAny())
        return fail(header + QStringLiteral(" には数を変えられる解答の行がないので、類題を作れま"
                                            "せん。何も書き込みませんでした"));
    if (!o.write)
        return 0;

    if (const QList<int> existing = ExistingSets(lines, o.unit.unit);
        !existing.isEmpty() && !o.replace)
        return fail(QStringLiteral("%1 には類題 %2R%3 がすでにあります。置き換えるときは "
                                   "--replace を付けてください。何も書き込みませんでした")
                        .arg(shownPath(master), header)
                        .arg(existing.first()));
    QFile file(master);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("ファイル %1 を読めません: %2")
                        .arg(shownPath(master), file.errorString()));
    const SetsWrite added = AddGeneratedSets(file.readAll(), o.unit.unit, o.seed, sets, o.replace);
    file.close();
    if (!added.error.isEmpty())
        return fail(shownPath(master) + QStringLiteral(": ") + added.error);
    // Another teacher may have saved the file since it was read; the bytes here would
    // undo their change.
    if (stamp.changedOnDisk(master))
        return fail(ChangedSinceReadText(master) + QStringLiteral("\n何も書き込みませんでした"));
    if (const TextFile::Result r = TextFile::saveBytes(master, added.bytes); !r)
        return fail(r.error);
    std::fprintf(stderr, "%s\n",
                 QStringLiteral("%1 に %2R1 から %2R%3 までを書き込みました")
                     .arg(shownPath(master), header)
                     .arg(o.sets)
                     .toUtf8()
                     .constData());
    return 0;
}

} // namespace zendra::cli
