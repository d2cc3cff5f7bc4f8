#include "platform/Messages.h"
#include "platform/Paths.h"

#include "TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendra;

TEST(Paths, FileExtensionLooksAtTheFileNameOnly)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("sheet1.prp"), QStringLiteral(".prp")},
        {QStringLiteral("sheet1.PRP"), QStringLiteral(".prp")},
        {QStringLiteral("sheet1"), QString()},
        {QStringLiteral("a.b.prp"), QStringLiteral(".b.p")},
        {QStringLiteral("/home/t/v1.2/sheet1.prp"), QStringLiteral(".prp")},
        {QStringLiteral("/home/t/v1.2/sheet1"), QString()},
        {QStringLiteral("C:\\a.b\\s.txt"), QStringLiteral(".txt")},
    };
    for (const auto& [name, ext] : cases)
        EXPECT_EQ(FileExtension(name), ext) << name.toStdString();
}

TEST(Paths, MustExistShowsTheMessageOnlyWhenMissing)
{
    QTemporaryDir dir;
    test::writeBytes(dir.filePath(QStringLiteral("Main.ind")), "x");
    ScriptedMessages messages;
    ScopedMessages scope(messages);

    EXPECT_TRUE(FileMustExist(dir.filePath(QStringLiteral("Main.ind"))));
    EXPECT_TRUE(FolderMustExist(dir.path()));
    EXPECT_TRUE(messages.entries().isEmpty());

    const QString missingFile = dir.filePath(QStringLiteral("Title.BMP"));
    EXPECT_FALSE(FileMustExist(missingFile));
    EXPECT_FALSE(FileMustExist(dir.path())); // a folder is not a file
    const QString missingDir = dir.filePath(QStringLiteral("Seisu"));
    EXPECT_FALSE(FolderMustExist(missingDir));
    ASSERT_EQ(messages.texts().size(), 3);
    EXPECT_EQ(messages.texts().at(0), QStringLiteral("ファイル ") + shownPath(missingFile) +
                                          QStringLiteral(" が見つかりません"));
    EXPECT_EQ(messages.texts().at(2), QStringLiteral("ディレクトリ ") + shownPath(missingDir) +
                                          QStringLiteral(" が見つかりません"));
}

TEST(Paths, CoursewarePathsIgnoreLetterCaseWhenTheExactNameIsMissing)
{
    QTemporaryDir dir;
    const QString base = withTrailingSlash(dir.path());
    test::writeBytes(base + QStringLiteral("Seisu/Graph/Fig1.bmp"), "x");
    EXPECT_EQ(coursewarePath(base, QStringLiteral("Seisu\\Graph\\Fig1.bmp")),
              base + QStringLiteral("Seisu/Graph/Fig1.bmp"));
    EXPECT_EQ(coursewarePath(base, QStringLiteral("SEISU\\graph\\fig1.BMP")),
              base + QStringLiteral("Seisu/Graph/Fig1.bmp"));
    EXPECT_EQ(coursewarePath(base, QStringLiteral("seisu\\")), base + QStringLiteral("Seisu/"));
    // Nothing matches: the plain concatenation, so messages name what was asked for.
    EXPECT_EQ(coursewarePath(base, QStringLiteral("Bunsu\\x.que")),
              base + QStringLiteral("Bunsu/x.que"));
}

TEST(Paths, TempFolderFollowsTheTempVariable)
{
    QTemporaryDir dir;
    const QByteArray saved = qgetenv("temp");
    qputenv("temp", dir.path().toUtf8());
    EXPECT_EQ(TempFolder(), dir.path() + QStringLiteral("/"));
    qputenv("temp", QByteArray("/no/such/folder"));
    EXPECT_TRUE(TempFolder().endsWith(u'/'));
    EXPECT_NE(TempFolder(), QStringLiteral("/no/such/folder/"));
    if (saved.isEmpty())
        qunsetenv("temp");
    else
        qputenv("temp", saved);
}
