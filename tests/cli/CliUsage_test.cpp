// zendra-cli's command line: help and version, exit statuses, and a stderr that holds only
// the program's own messages.
#include "platform/TextFile.h"

#include "TestSupport.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendra;

namespace {

// Runs the tool as a batch job would: no runtime folder, no platform chosen.
test::CliResult runBare(const QStringList& args)
{
    return test::runCli(args,
                        {QStringLiteral("XDG_RUNTIME_DIR"), QStringLiteral("QT_QPA_PLATFORM")});
}

QString projectVersion()
{
    QStringList lines;
    TextFile::read(QStringLiteral(ZENDRA_SOURCE_DIR "/CMakeLists.txt"), lines);
    const QRegularExpression version(QStringLiteral(R"(^project\(Zendra VERSION (\S+))"));
    for (const QString& line : lines)
        if (const QRegularExpressionMatch m = version.match(line); m.hasMatch())
            return m.captured(1);
    return {};
}

} // namespace

TEST(CliUsage, ExitStatusHelpAndAQuietStderr)
{
    QTemporaryDir dir;
    const QString folder = test::sampleCourseware();
    const QString ini = dir.filePath("taro.ini");
    // What each command line must give: the exit status, a text stdout must hold, and what
    // stderr holds: nothing (nullptr), or a text of the program's own message.
    struct Case
    {
        QStringList args;
        int exitCode;
        const char* out;
        const char* errors;
    };
    const Case cases[] = {
        {{"--help"}, 0, "render FOLDER", nullptr},
        {{"-h"}, 0, "records append INI KEY LINE", nullptr},
        {{"--version"}, 0, "zendra-cli ", nullptr},
        {{"parse", "--help"}, 0, "usage: zendra-cli parse FILE HEADER-LINE", nullptr},
        {{"index", "--help"}, 0, "usage: zendra-cli index FOLDER", nullptr},
        {{"lesson", "-h"}, 0, "usage: zendra-cli lesson FOLDER LESSON", nullptr},
        {{"names", "--help"}, 0, "LESSON SECTION UNIT VARIANT", nullptr},
        {{"check", "--help"}, 0, "usage: zendra-cli check FOLDER", nullptr},
        {{"records", "--help"}, 0, "records erase INI KEY", nullptr},
        {{"render", "--help"}, 0, "--printer-dpi <N>", nullptr},
        {{"index", folder}, 0, "lessons", nullptr},
        {{"lesson", folder, "1"}, 0, "sections", nullptr},
        {{"names", folder, "1", "1", "1", "0"}, 0, "recordKey", nullptr},
        {{"check", folder}, 0, "0 problems", nullptr},
        {{"parse", folder + "Seisu/Seisu1.que", "[[unit1"}, 0, "questions", nullptr},
        {{"records", "append", ini, "S11a", "line"}, 0, "", nullptr},
        {{"records", "show", ini}, 0, "S11a", nullptr},
        {{"render", folder, "--unit", "1/1/1", "-o", dir.filePath("a.png")}, 0, "", nullptr},
        {{"render", folder, "--unit", "1/1/1", "-o", dir.filePath("a.pdf")}, 0, "", nullptr},
        {{"render", folder, "--unit", "1/2/5", "-o", dir.filePath("a.prp")}, 0, "", nullptr},
        {{}, 2, "", "usage: zendra-cli"},
        {{"bogus"}, 2, "", "知らないコマンドです: bogus"},
        {{"--frame", "index", folder}, 2, "", "知らないオプションです: --frame"},
        {{"index"}, 2, "", "usage: zendra-cli index FOLDER"},
        {{"index", folder, "extra"}, 2, "", "usage: zendra-cli index FOLDER"},
        {{"index", "--frame", folder}, 2, "", "知らないオプションです: --frame"},
        {{"lesson", folder, "one"}, 2, "", "LESSON は番号です: one"},
        {{"names", folder, "1", "1", "x", "0"}, 2, "", "usage: zendra-cli names"},
        {{"parse", folder + "Seisu/Seisu1.que"}, 2, "", "usage: zendra-cli parse"},
        {{"check"}, 2, "", "check --help"},
        {{"records", "drop", ini, "S11a"}, 2, "", "usage: zendra-cli records"},
        {{"render", folder, "--unit", "1/1/1"}, 2, "", "usage: zendra-cli render"},
        {{"render", folder, "--unit", "1/1/1", "-o"}, 2, "", "-o"},
        {{"render", folder, "--unit", "1/x/1", "-o", dir.filePath("b.png")}, 2, "", "--unit"},
        {{"render", folder, "--copies", "0", "--unit", "1/1/1", "-o", dir.filePath("b.pdf")},
         2,
         "",
         "--copies"},
        {{"index", dir.filePath("nowhere")}, 1, "", "nowhere が見つかりません"},
        {{"lesson", folder, "9"}, 1, "", "レッスン 9 はありません"},
        {{"parse", folder + "Seisu/Seisu1.que", "[[unit99"},
         1,
         "\"ok\": false",
         "Seisu1.que に [[unit99 がありません"},
        {{"render", folder, "--unit", "1/1/99", "-o", dir.filePath("b.png")},
         1,
         "",
         "ユニット 1/1/99 はありません"},
    };
    for (const Case& c : cases) {
        const std::string shown = c.args.join(' ').toStdString();
        const test::CliResult run = runBare(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << shown << "\n" << run.errors.toStdString();
        EXPECT_TRUE(QString::fromUtf8(run.out).contains(QString::fromUtf8(c.out)))
            << shown << "\n"
            << run.out.toStdString();
        if (c.errors)
            EXPECT_TRUE(run.errors.contains(QString::fromUtf8(c.errors)))
                << shown << "\n"
                << run.errors.toStdString();
        else
            EXPECT_EQ(run.errors, QString()) << shown;
    }
    EXPECT_EQ(QString::fromUtf8(runBare({"--version"}).out).trimmed(),
              QStringLiteral("zendra-cli ") + projectVersion());
}
