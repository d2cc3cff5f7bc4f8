#include "Cli.h"

#include "platform/FileDialogs.h"
#include "platform/Fonts.h"
#include "platform/Messages.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>

namespace zendra::cli {

namespace {

void writeTo(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, bytes.size(), stream);
}

// The parser's own help option would add --help-all with Qt's options, which no command
// takes.
QCommandLineOption helpOption()
{
    return QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                              QStringLiteral("show this help"));
}

// Qt's message for the first problem of a command line, or ours for an unknown option
// (Qt names it without its dashes).
QString parseProblem(const QCommandLineParser& parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.isEmpty())
        return parser.errorText();
    const QString& name = unknown.first();
    return QStringLiteral("知らないオプションです: ") +
           (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// Qt's help without its first line, which names the program by its path.
QString helpBody(const QCommandLineParser& parser)
{
    const QString text = parser.helpText();
    return text.mid(text.indexOf(u'\n') + 1);
}

} // namespace

CommandLine::CommandLine(const QString& synopsis, const QString& description) : synopsis_(synopsis)
{
    parser_.setApplicationDescription(description);
    parser_.addOption(helpOption());
}

void CommandLine::argument(const QString& name, const QString& description)
{
    parser_.addPositionalArgument(name, description);
}

std::optional<int> CommandLine::parse(const QStringList& args, qsizetype minimum, qsizetype maximum)
{
    // The parser takes the first entry as the program's name.
    if (!parser_.parse(QStringList{QStringLiteral("zendra-cli")} + args))
        return usageError(parseProblem(parser_));
    if (parser_.isSet(QStringLiteral("help"))) {
        writeTo(stdout, QStringLiteral("usage: zendra-cli ") + synopsis_ + QStringLiteral("\n\n") +
                            helpBody(parser_));
        return 0;
    }
    const qsizetype count = parser_.positionalArguments().size();
    if (count < minimum || count > maximum)
        return usageError();
    return std::nullopt;
}

int CommandLine::usageError(const QString& problem) const
{
    if (!problem.isEmpty())
        writeTo(stderr, problem + u'\n');
    writeTo(stderr, QStringLiteral("usage: zendra-cli ") + synopsis_ +
                        QStringLiteral("\nzendra-cli ") + synopsis_.section(u' ', 0, 0) +
                        QStringLiteral(" --help describes the command.\n"));
    return kUsageError;
}

void printJson(const QJsonObject& object)
{
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Indented);
    std::fwrite(bytes.constData(), 1, bytes.size(), stdout);
}

QJsonArray toJsonArray(const QStringList& list)
{
    QJsonArray array;
    for (const QString& s : list)
        array.append(s);
    return array;
}

int fail(const QString& text)
{
    writeTo(stderr, text + u'\n');
    return kFileProblem;
}

QString programFolderArg(const QString& arg)
{
    QString folder = QDir(arg).absolutePath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

std::optional<UnitChoice> parseUnit(const QString& text)
{
    const QStringList parts = text.split(u'/');
    if (parts.size() < 3 || parts.size() > 4)
        return std::nullopt;
    int numbers[4] = {0, 0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        numbers[i] = parts.at(i).toInt(&ok);
        if (!ok || numbers[i] < (i < 3 ? 1 : 0))
            return std::nullopt;
    }
    return UnitChoice{numbers[0], numbers[1], numbers[2], numbers[3]};
}

bool loadUnitListing(const QString& programFolder, const LessonTable& table,
                     const UnitChoice& choice, SectionUnits& sections, int& loadedLesson)
{
    if (choice.lesson > table.count()) {
        ShowMessage(QStringLiteral("レッスン %1 はありません").arg(choice.lesson));
        return false;
    }
    if (choice.lesson != loadedLesson) {
        if (!LoadLessonIndex(programFolder, table, choice.lesson, sections))
            return false;
        loadedLesson = choice.lesson;
    }
    if (choice.section > sections.count() ||
        choice.unit > sections.section(choice.section).units.size()) {
        ShowMessage(QStringLiteral("ユニット %1/%2/%3 はありません")
                        .arg(choice.lesson)
                        .arg(choice.section)
                        .arg(choice.unit));
        return false;
    }
    return true;
}

std::optional<quint64> parseSeed(const QString& text)
{
    if (text.isEmpty() ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    bool ok = false;
    const quint64 seed = text.toULongLong(&ok);
    return ok ? std::optional<quint64>(seed) : std::nullopt;
}

} // namespace zendra::cli

namespace {

const char* const kUsage = "usage: zendra-cli [--help | --version] COMMAND ...\n";

const char* const kCommands =
    "commands:\n"
    "  parse FILE HEADER-LINE            parse one unit of a master or copy file\n"
    "  index FOLDER                      the lessons of FOLDER/Main.ind\n"
    "  lesson FOLDER LESSON              the sections and units of a lesson\n"
    "  names FOLDER LESSON SECTION UNIT VARIANT\n"
    "                                    the file and window names of a unit\n"
    "  check FOLDER [--layout]           check a whole courseware tree (and its layout)\n"
    "  records show INI [KEY]            list a record file or one unit's records\n"
    "  records append INI KEY LINE       append a record line\n"
    "  records erase INI KEY             erase a unit's records\n"
    "  records summary FOLDER --lesson L [--date YYYY-MM-DD]\n"
    "                                    a lesson's class overview as JSON\n"
    "  records report FOLDER --lesson L -o REPORT.pdf\n"
    "                                    the class grid and question lists as PDF\n"
    "  render FOLDER ...                 make a worksheet as PNG, PDF or copy file\n"
    "  generate FOLDER --unit L/S/U [--sets N] [--seed S] [--write [--replace]]\n"
    "                                    similar-question sets with fresh numbers\n"
    "\n"
    "zendra-cli COMMAND --help describes a command. Exit status: 0 done, 1 a problem in\n"
    "the files, 2 a command line that is not understood.\n";

int usageError(const QString& problem)
{
    if (!problem.isEmpty())
        std::fprintf(stderr, "%s\n", problem.toUtf8().constData());
    std::fputs(kUsage, stderr);
    std::fputs(kCommands, stderr);
    return zendra::cli::kUsageError;
}

} // namespace

int main(int argc, char* argv[])
{
    using namespace zendra::cli;

    // Only laying sheets out (render, check --layout) and the class report need fonts and
    // pictures, hence the GUI library; they draw off screen.
    bool render = argc > 1 && std::strcmp(argv[1], "render") == 0;
    if (argc > 1 && std::strcmp(argv[1], "check") == 0)
        for (int i = 2; i < argc; ++i)
            render = render || std::strcmp(argv[i], "--layout") == 0;
    if (argc > 2 && std::strcmp(argv[1], "records") == 0 && std::strcmp(argv[2], "report") == 0)
        render = true;
    if (render) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        zendra::NameRuntimeFolder();
    }
    std::unique_ptr<QCoreApplication> app = render ? std::make_unique<QGuiApplication>(argc, argv)
                                                   : std::make_unique<QCoreApplication>(argc, argv);
    zendra::StderrMessages messages;
    zendra::ScopedMessages scope(messages);

    // The program's own options come before the command; everything after the command's
    // name is the command's, parsed by its own parser.
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Reads and makes the program's courseware, record and worksheet files "
                       "without a window."));
    const QCommandLineOption help = helpOption();
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("show the program's version"));
    parser.addOptions({help, version});
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parseProblem(parser));
    if (parser.isSet(help)) {
        std::fputs(kUsage, stdout);
        writeTo(stdout, u'\n' + helpBody(parser) + u'\n');
        std::fputs(kCommands, stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("zendra-cli %s\n", ZENDRA_VERSION);
        return 0;
    }

    QStringList args = parser.positionalArguments();
    if (args.isEmpty())
        return usageError(QString());
    const QString command = args.takeFirst();
    const std::map<QString, std::function<int(const QStringList&)>> commands = {
        {QStringLiteral("parse"), runParse},   {QStringLiteral("index"), runIndex},
        {QStringLiteral("lesson"), runLesson}, {QStringLiteral("names"), runNames},
        {QStringLiteral("check"), runCheck},   {QStringLiteral("records"), runRecords},
        {QStringLiteral("render"), runRender}, {QStringLiteral("generate"), runGenerate},
    };
    const auto it = commands.find(command);
    if (it == commands.end())
        return usageError(QStringLiteral("知らないコマンドです: ") + command);
    return it->second(args);
}
