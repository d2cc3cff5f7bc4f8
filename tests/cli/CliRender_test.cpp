// zendra-cli render on the sample courseware: the outputs, the layout records and errors.
#include "platform/TextFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendra;

namespace {
using test::beyond;
using test::characterCounts;

test::CliResult render(const QStringList& args)
{
    return test::runCli(QStringList{"render", test::sampleCourseware()} + args);
}

QSize imageSize(const QString& path)
{
    return QImageReader(path).size();
}

} // namespace

TEST(CliRender, PngOfTheScreenPageWithItsLayout)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("sheet.png");
    const QString json = dir.filePath("layout.json");
    const test::CliResult run = render({"--unit", "1/1/1", "-o", png, "--layout", json});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(imageSize(png), QSize(630, 891));

    const QJsonObject layout = QJsonDocument::fromJson(test::readBytes(json)).object();
    EXPECT_EQ(layout.value("page").toObject().value("width").toInt(), 630);
    EXPECT_EQ(layout.value("page").toObject().value("height").toInt(), 891);
    EXPECT_EQ(layout.value("scale").toDouble(), 1.0);
    const QJsonArray boxes = layout.value("boxes").toArray();
    const QJsonArray answers = layout.value("answers").toArray();
    ASSERT_GT(boxes.size(), 0);
    ASSERT_EQ(answers.size(), boxes.size() + 1);
    EXPECT_EQ(answers.first().toString(), QStringLiteral("start"));
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        const QJsonObject box = boxes.at(i).toObject();
        EXPECT_EQ(box.value("answer").toString(), answers.at(i + 1).toString());
        EXPECT_GT(box.value("x").toInt(), 0);
        EXPECT_LT(box.value("x").toInt(), 630);
        EXPECT_GT(box.value("y").toInt(), 90);
    }
    EXPECT_FALSE(layout.value("pieces").toArray().isEmpty());
    EXPECT_GT(layout.value("scorePosition").toObject().value("x").toInt(), 300);
}

TEST(CliRender, PaperPrinterResolutionAndAddedUnits)
{
    QTemporaryDir dir;
    const QString b4 = dir.filePath("b4.png");
    ASSERT_EQ(render({"--unit", "1/1/1", "--paper", "B4", "-o", b4}).exitCode, 0);
    EXPECT_EQ(imageSize(b4), QSize(771, 1090));

    const QString printer = dir.filePath("printer.png");
    ASSERT_EQ(render({"--unit", "1/1/1", "--printer-dpi", "150", "-o", printer}).exitCode, 0);
    EXPECT_EQ(imageSize(printer), QSize(1240, 1754));

    // Two units on one sheet: the title gets the second unit's number, the copy file holds
    // the questions of both.
    const QString prp = dir.filePath("two.prp");
    const test::CliResult two = render({"--unit", "1/1/1", "--unit", "1/1/2", "-o", prp});
    ASSERT_EQ(two.exitCode, 0) << two.errors.toStdString();
    const test::CliResult parsed = test::runCli({"parse", prp, "[[unitX"});
    ASSERT_EQ(parsed.exitCode, 0) << parsed.out.toStdString();
    const QJsonArray header = parsed.json().value("header").toArray();
    ASSERT_EQ(header.size(), 3);
    EXPECT_TRUE(header.at(0).toString().endsWith(QStringLiteral("//§1-1,2")))
        << header.at(0).toString().toStdString();
    const test::CliResult one =
        test::runCli({"parse", test::sampleCourseware() + "Seisu/Seisu1.que", "[[unit1"});
    const test::CliResult other =
        test::runCli({"parse", test::sampleCourseware() + "Seisu/Seisu1.que", "[[unit2"});
    EXPECT_EQ(parsed.json().value("questions").toArray().size(),
              one.json().value("questions").toArray().size() +
                  other.json().value("questions").toArray().size());

    // The copy file renders again.
    const QString again = dir.filePath("again.png");
    const test::CliResult copy = render({"--copy", prp, "-o", again});
    EXPECT_EQ(copy.exitCode, 0) << copy.errors.toStdString();
    EXPECT_EQ(imageSize(again), QSize(630, 891));
}

TEST(CliRender, CopyFileHoldsTheFiguresWhereThePageShowsThem)
{
    // Units whose figures are placed by the composer (stored -1, or added with a unit), one
    // whose figure has its own place, and one whose answer figure shows in place of it.
    const QStringList cases[] = {
        {"--unit", "1/2/5"},
        {"--unit", "1/1/1", "--unit", "1/1/5"},
        {"--unit", "3/1/1"},
        {"--unit", "2/1/1", "--answers"},
    };
    for (const QStringList& units : cases) {
        SCOPED_TRACE(units.join(' ').toStdString());
        QTemporaryDir dir;
        const QString prp = dir.filePath("sheet.prp");
        const QString json = dir.filePath("layout.json");
        ASSERT_EQ(render(units + QStringList{"-o", prp}).exitCode, 0);
        ASSERT_EQ(
            render(units + QStringList{"-o", dir.filePath("sheet.png"), "--layout", json}).exitCode,
            0);
        const QJsonObject parsed = test::runCli({"parse", prp, "[[unitX"}).json();
        const QJsonArray figures =
            QJsonDocument::fromJson(test::readBytes(json)).object().value("figures").toArray();
        ASSERT_FALSE(figures.isEmpty());
        for (const QJsonValue& value : figures) {
            const QJsonObject figure = value.toObject();
            const QJsonArray triples =
                parsed.value(figure.value("answer").toBool() ? "answerFigures" : "questionFigures")
                    .toArray();
            const int at = 3 * (figure.value("number").toInt() - 1);
            ASSERT_LT(at + 2, triples.size());
            EXPECT_EQ(triples.at(at + 1).toString(), QString::number(figure.value("x").toInt()));
            EXPECT_EQ(triples.at(at + 2).toString(), QString::number(figure.value("y").toInt()));
        }

        // Opened again, the copy shows them in the same places (its pictures are looked up
        // in the lesson of the folder it lies in, so only the places are compared).
        const QString again = dir.filePath("again.json");
        QStringList reopen{"--copy", prp, "-o", dir.filePath("again.png"), "--layout", again};
        if (units.contains("--answers"))
            reopen.append("--answers");
        ASSERT_EQ(render(reopen).exitCode, 0);
        const auto places = [](const QJsonArray& list) {
            QStringList result;
            for (const QJsonValue& value : list) {
                const QJsonObject f = value.toObject();
                result.append(QStringLiteral("%1 %2 %3 %4")
                                  .arg(f.value("answer").toBool())
                                  .arg(f.value("number").toInt())
                                  .arg(f.value("x").toInt())
                                  .arg(f.value("y").toInt()));
            }
            return result;
        };
        const QJsonArray reopened =
            QJsonDocument::fromJson(test::readBytes(again)).object().value("figures").toArray();
        EXPECT_EQ(places(reopened), places(figures));
    }
}

TEST(CliRender, PdfCopiesAreNumberedOn)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("sheet.pdf");
    const test::CliResult run = render(
        {"--unit", "1/1/1", "--printer-dpi", "300", "-o", pdf, "--copies", "3", "--number", "5"});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(test::readBytes(pdf).startsWith("%PDF"));
    const std::optional<QString> text = test::pdfText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    // Text stays text: each page carries its number and the sheet's title.
    for (const char* number : {"№ 5", "№ 6", "№ 7"})
        EXPECT_TRUE(text->contains(QString::fromUtf8(number))) << text->toStdString();
    EXPECT_FALSE(text->contains(QStringLiteral("№ 8")));
    EXPECT_EQ(text->count(QStringLiteral("氏名")), 3);
}

// A handout's text holds none of the answers; the teacher's copy holds each of them.
TEST(CliRender, HiddenAnswersStayOutOfThePdf)
{
    QTemporaryDir dir;
    const QString hidden = dir.filePath("hidden.pdf");
    const QString shown = dir.filePath("shown.pdf");
    const QString layout = dir.filePath("layout.json");
    for (const char* unit : {"1/1/1", "3/1/1"}) {
        SCOPED_TRACE(unit);
        ASSERT_EQ(render({"--unit", unit, "-o", hidden}).exitCode, 0);
        ASSERT_EQ(render({"--unit", unit, "--answers", "-o", shown, "--layout", layout}).exitCode,
                  0);
        const std::optional<QString> handout = test::pdfText(hidden);
        const std::optional<QString> teachers = test::pdfText(shown);
        if (!handout || !teachers)
            GTEST_SKIP() << "pdftotext is not installed";
        // What the answers put on the page: the first alternative, less the fraction marks.
        QString drawn;
        const QJsonArray answers =
            QJsonDocument::fromJson(test::readBytes(layout)).object().value("answers").toArray();
        ASSERT_GT(answers.size(), 1);
        for (qsizetype i = 1; i < answers.size(); ++i)
            drawn += answers.at(i).toString().section(u';', 0, 0).remove(u'/').remove(u'&');
        const QMap<QChar, int> withAnswers = characterCounts(*teachers);
        const QMap<QChar, int> without = characterCounts(*handout);
        EXPECT_EQ(beyond(withAnswers, without), characterCounts(drawn));
        EXPECT_TRUE(beyond(without, withAnswers).isEmpty());
    }
}

// Copies with numbers of their own, each followed by its key: a copy's page holds none of
// its answers (even where the sheet shows them), its key holds each of them, and its label
// makes the copy again.
TEST(CliRender, VariedCopiesKeepTheirAnswersForTheirKeys)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("copies.pdf");
    const QString layout = dir.filePath("layout.json");
    for (const char* unit : {"1/1/1", "3/1/1"}) {
        SCOPED_TRACE(unit);
        const test::CliResult run =
            render({"--unit", unit, "--vary", "--seed", "5821", "--answer-key", "--answers",
                    "--copies", "2", "--number", "3", "--printer-dpi", "100", "-o", pdf});
        ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
        EXPECT_EQ(run.out, "seed: 5821\n");
        const std::optional<QString> text = test::pdfText(pdf);
        if (!text)
            GTEST_SKIP() << "pdftotext is not installed";
        const QStringList pages = text->split(u'\f', Qt::SkipEmptyParts);
        ASSERT_EQ(pages.size(), 4);
        QStringList answersOfCopies;
        for (int copy = 0; copy < 2; ++copy) {
            // The copy made again on its own, for its answers.
            const QString number = QString::number(3 + copy);
            ASSERT_EQ(render({"--unit", unit, "--vary", "--seed", "5821", "--number", number, "-o",
                              dir.filePath("copy.png"), "--layout", layout})
                          .exitCode,
                      0);
            const QJsonArray answers = QJsonDocument::fromJson(test::readBytes(layout))
                                           .object()
                                           .value("answers")
                                           .toArray();
            QString drawn = QStringLiteral("解答");
            for (qsizetype i = 1; i < answers.size(); ++i)
                drawn += answers.at(i).toString().section(u';', 0, 0).remove(u'/').remove(u'&');
            answersOfCopies.append(drawn);
            const QString label = QStringLiteral("№ %1-5821").arg(number);
            EXPECT_TRUE(pages[2 * copy].contains(label) && pages[2 * copy + 1].contains(label));
            const QMap<QChar, int> onKey = characterCounts(pages[2 * copy + 1]);
            const QMap<QChar, int> onCopy = characterCounts(pages[2 * copy]);
            EXPECT_EQ(beyond(onKey, onCopy), characterCounts(drawn)) << number.toStdString();
            EXPECT_TRUE(beyond(onCopy, onKey).isEmpty());
        }
        EXPECT_NE(answersOfCopies[0], answersOfCopies[1]);
    }
}

// At 300 dpi the page's text is drawn like the rest: the printer page holds about as much
// ink, for its area, as the screen page.
TEST(CliRender, PrinterResolutionPngHasItsText)
{
    QTemporaryDir dir;
    const QString screen = dir.filePath("screen.png");
    const QString printer = dir.filePath("printer.png");
    ASSERT_EQ(render({"--unit", "3/1/1", "--answers", "-o", screen}).exitCode, 0);
    ASSERT_EQ(
        render({"--unit", "3/1/1", "--answers", "--printer-dpi", "300", "-o", printer}).exitCode,
        0);
    const auto ink = [](const QString& path) {
        const QImage image(path);
        qint64 dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 128;
        return dark / double(image.width() * image.height());
    };
    const double share = ink(printer) / ink(screen);
    EXPECT_GT(share, 0.8);
    EXPECT_LT(share, 1.25);
}

TEST(CliRender, ProblemsExitWithTheMessageAndLeaveNoFile)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("x.png");
    // 1 for a problem in the files, 2 for a command line that is not understood.
    struct Case
    {
        QStringList args;
        const char* message;
        int exitCode;
    };
    const Case cases[] = {
        {{"--unit", "1/1/99", "-o", out}, "ユニット 1/1/99 はありません", 1},
        {{"--unit", "9/1/1", "-o", out}, "レッスン 9 はありません", 1},
        {{"--unit", "1/1/1/4", "-o", out}, "[[unit1R4 が見つかりません", 1},
        {{"--unit", "1/1/1", "--frame", "-o", out}, "知らないオプションです: --frame", 2},
        {{"--unit", "1/1/1", "--paper", "Letter", "-o", out}, "--paper", 2},
        {{"--unit", "1/1/1", "-o", dir.filePath("x.gif")}, "出力は", 2},
        {{"--unit", "1/1/1", "-o", dir.filePath("none/x.png")}, "x.png", 1},
        {{"--copy", dir.filePath("missing.prp"), "-o", out}, "missing.prp が見つかりません", 1},
        {{"-o", out}, "usage", 2},
        {{"--unit", "1/1/1", "--seed", "5", "-o", out}, "--seed は --vary と", 2},
        {{"--unit", "1/1/1", "--vary", "--seed", "-5", "-o", out}, "--seed には", 2},
        {{"--unit", "1/1/1", "--answer-key", "-o", out}, "--answer-key は .pdf", 2},
        {{"--unit", "1/1/1", "--vary", "-o", dir.filePath("x.prp")}, "--vary は", 2},
        // Words for answers only: copies "of their own" would all be alike.
        {{"--unit", "1/4/5", "--vary", "-o", out}, "数を変えられる解答の行がない", 1},
        {{"--unit", "1/4/5", "--vary", "-o", dir.filePath("x.pdf")}, "数を変えられる", 1},
    };
    for (const Case& c : cases) {
        const test::CliResult run = render(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.errors.contains(QString::fromUtf8(c.message)))
            << c.args.join(' ').toStdString() << ": " << run.errors.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_TRUE(
        QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

// A bad second output path fails before anything is written: the teacher's existing page
// and copy file stay byte for byte, and no new file appears.
TEST(CliRender, AFailingOutputPathKeepsTheFilesThatWereThere)
{
    QTemporaryDir dir;
    const QByteArray old = "the teacher's own file";
    struct Case
    {
        const char* output;
        QString layout;
        const char* message;
    };
    const Case cases[] = {
        {"keep.prp", dir.filePath("no/such/dir/x.json"), "x.json"},
        {"keep.png", dir.filePath("no/such/dir/x.json"), "x.json"},
        {"keep.pdf", dir.path(), "ディレクトリです"},
        {"keep.png", dir.filePath("keep.png"), "--layout"},
    };
    for (const Case& c : cases) {
        const QString out = dir.filePath(c.output);
        test::writeBytes(out, old);
        const test::CliResult run = render({"--unit", "1/3/2", "-o", out, "--layout", c.layout});
        EXPECT_EQ(run.exitCode, 1) << c.output;
        EXPECT_TRUE(run.errors.contains(QString::fromUtf8(c.message))) << run.errors.toStdString();
        EXPECT_EQ(test::readBytes(out), old) << c.output;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << c.output;
        QFile::remove(out);
    }
}

TEST(CliRender, BlockErrorsOfTheUnitAreShown)
{
    test::CoursewareCopy copy;
    const QString master = copy.folder() + "Seisu/Seisu1.que";
    QStringList lines;
    ASSERT_TRUE(TextFile::read(master, lines).ok);
    const qsizetype header = lines.indexOf("[[unit1");
    lines.insert(header + 1, "<<font");
    lines.insert(header + 2, ">>");
    test::writeLines(master, lines);
    QTemporaryDir dir;
    const test::CliResult run =
        test::runCli({"render", copy.folder(), "--unit", "1/1/1", "-o", dir.filePath("x.png")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains("<<font block error")) << run.errors.toStdString();
    EXPECT_FALSE(run.errors.contains(QStringLiteral("見つかりません")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("x.png")));
}

// Every 筆算 unit of the sample: the layout lists each problem's cells, and a handout PDF holds
// none of the digits the worked cells show on the teacher's copy. Question digits are digits
// too, so the two texts are compared character by character.
TEST(CliRender, ColumnProblemsListTheirCellsAndKeepWorkedDigitsOutOfThePdf)
{
    QTemporaryDir dir;
    const QString hidden = dir.filePath("hidden.pdf");
    const QString shown = dir.filePath("shown.pdf");
    const QString shownLayout = dir.filePath("shown.json");
    const QString hiddenLayout = dir.filePath("hidden.json");
    const QStringList worked = {"answer", "partial", "quotient", "step", "remainder"};
    for (int unit = 1; unit <= 7; ++unit) {
        const QString choice = QStringLiteral("1/5/%1").arg(unit);
        SCOPED_TRACE(choice.toStdString());
        ASSERT_EQ(render({"--unit", choice, "-o", hidden, "--layout", hiddenLayout}).exitCode, 0);
        ASSERT_EQ(
            render({"--unit", choice, "--answers", "-o", shown, "--layout", shownLayout}).exitCode,
            0);
        const QJsonArray problems = QJsonDocument::fromJson(test::readBytes(shownLayout))
                                        .object()
                                        .value("columnProblems")
                                        .toArray();
        const QJsonArray handoutProblems = QJsonDocument::fromJson(test::readBytes(hiddenLayout))
                                               .object()
                                               .value("columnProblems")
                                               .toArray();
        ASSERT_GE(problems.size(), 6);
        ASSERT_EQ(handoutProblems.size(), problems.size());
        QString drawn;
        for (qsizetype p = 0; p < problems.size(); ++p) {
            const QJsonObject problem = problems.at(p).toObject();
            EXPECT_TRUE(QStringList({"add", "sub", "mul", "div"})
                            .contains(problem.value("kind").toString()));
            const QJsonArray cells = problem.value("cells").toArray();
            const QJsonArray handoutCells =
                handoutProblems.at(p).toObject().value("cells").toArray();
            ASSERT_EQ(handoutCells.size(), cells.size());
            for (qsizetype c = 0; c < cells.size(); ++c) {
                const QJsonObject cell = cells.at(c).toObject();
                EXPECT_GT(cell.value("w").toInt(), 0);
                if (!worked.contains(cell.value("role").toString()))
                    continue;
                drawn += cell.value("text").toString();
                EXPECT_EQ(handoutCells.at(c).toObject().value("text").toString(), QString());
            }
        }
        ASSERT_FALSE(drawn.isEmpty());
        std::optional<QString> handout = test::pdfText(hidden);
        std::optional<QString> teachers = test::pdfText(shown);
        if (!handout || !teachers)
            GTEST_SKIP() << "pdftotext is not installed";
        // Points of shown decimal answers are drawn apart from their digits.
        handout->remove(u'.');
        teachers->remove(u'.');
        EXPECT_EQ(beyond(characterCounts(*teachers), characterCounts(*handout)),
                  characterCounts(drawn));
        EXPECT_TRUE(beyond(characterCounts(*handout), characterCounts(*teachers)).isEmpty());
    }
}
