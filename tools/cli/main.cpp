#include "Cli.h"

#include "platform/FileDialogs.h"
#include "platform/Fonts.h"
#include "platform/Messages.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QDir>
#include <QJsonDocument>

#include <cstdio>
#include <cstring>
#include <memory>
#include <functional>
#include <map>

namespace zendra::cli {

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
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    return 1;
}

QString programFolderArg(const QString& arg)
{
    QString folder = QDir(arg).absolutePath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

} // namespace zendra::cli

namespace {

const char* const kUsage =
    "usage: zendra-cli COMMAND ...\n"
    "  parse FILE HEADER-LINE            parse one unit of a master or copy file\n"
    "  index FOLDER                      the lessons of FOLDER/Main.ind\n"
    "  lesson FOLDER LESSON              the sections and units of a lesson\n"
    "  names FOLDER LESSON SECTION UNIT VARIANT\n"
    "                                    the file and window names of a unit\n"
    "  check FOLDER                      check a whole courseware tree\n"
    "  records show INI [KEY]            list a record file or one unit's records\n"
    "  records append INI KEY LINE       append a record line\n"
    "  records erase INI KEY             erase a unit's records\n"
    "  render FOLDER ...                 make a worksheet as PNG, PDF or copy file\n";

} // namespace

int main(int argc, char* argv[])
{
    // Only rendering needs fonts and pictures, hence the GUI library; it draws off screen.
    const bool render = argc > 1 && std::strcmp(argv[1], "render") == 0;
    if (render && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (render)
        zendra::PrepareFontCache();
    std::unique_ptr<QCoreApplication> app = render
                                                ? std::make_unique<QGuiApplication>(argc, argv)
                                                : std::make_unique<QCoreApplication>(argc, argv);
    zendra::StderrMessages messages;
    zendra::ScopedMessages scope(messages);

    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const QString command = args.takeFirst();
    const std::map<QString, std::function<int(const QStringList&)>> commands = {
        {QStringLiteral("parse"), zendra::cli::runParse},
        {QStringLiteral("index"), zendra::cli::runIndex},
        {QStringLiteral("lesson"), zendra::cli::runLesson},
        {QStringLiteral("names"), zendra::cli::runNames},
        {QStringLiteral("check"), zendra::cli::runCheck},
        {QStringLiteral("records"), zendra::cli::runRecords},
        {QStringLiteral("render"), zendra::cli::runRender},
    };
    const auto it = commands.find(command);
    if (it == commands.end()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    return it->second(args);
}
