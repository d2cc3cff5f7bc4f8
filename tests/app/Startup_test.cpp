#include "app/Startup.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/SettingsStore.h"

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendra;

namespace {

class StartupTest : public ::testing::Test
{
protected:
    void SetUp() override { SettingsStore::useFolder(settings_.path()); }
    void TearDown() override { SettingsStore::useFolder({}); }

    StartupEnvironment environment(const QString& program) const
    {
        return StartupEnvironment{program, data_.path() + QStringLiteral("/"),
                                  data_.path() + QStringLiteral("/win/")};
    }
    QSettings product() const
    {
        return QSettings(settings_.path() + QStringLiteral("/Zendra++/ZendraSK.ini"),
                         QSettings::IniFormat);
    }

    QTemporaryDir settings_, data_;
    test::CoursewareCopy courseware_;
    ScriptedMessages messages_;
    ScopedMessages scope_{messages_};
};

} // namespace

TEST_F(StartupTest, FirstStartWritesEveryDefault)
{
    AppState state;
    ASSERT_TRUE(RunStartSequence(state, environment(courseware_.folder())));
    EXPECT_TRUE(messages_.entries().isEmpty()) << messages_.texts().join('\n').toStdString();

    QSettings s = product();
    EXPECT_EQ(s.value("theSchool").toString(), QString());
    EXPECT_EQ(s.value("ShowDoYouKnow").toString(), QStringLiteral("true"));
    EXPECT_EQ(s.value("Option").toInt(), 7);
    EXPECT_EQ(s.value("PaperSize").toInt(), 630);
    EXPECT_EQ(s.value("LogOnName").toString(), QStringLiteral("共通"));
    EXPECT_EQ(s.value("KeyLock").toString(), QStringLiteral("false"));
    QSettings shared(settings_.path() + QStringLiteral("/Zendra/Common.ini"), QSettings::IniFormat);
    EXPECT_EQ(shared.value("RecDrive").toString(), data_.path() + QStringLiteral("/"));

    EXPECT_TRUE(state.startupDone);
    EXPECT_TRUE(state.answersShown);
    EXPECT_GE(state.lessonTable.count(), 2);
    EXPECT_EQ(state.currentPaper.width, 630);
    EXPECT_EQ(state.currentPaper.height, 891);
    EXPECT_EQ(state.learnerName, QStringLiteral("共通"));
    EXPECT_TRUE(QFileInfo(state.logOnFolder).isDir());
    EXPECT_EQ(state.logOnFolder, data_.path() + QStringLiteral("/Zendra/LogOn"));
    EXPECT_FALSE(state.titlePicture.isEmpty());
}

TEST_F(StartupTest, StoredValuesAreRestored)
{
    struct Case
    {
        int paper;
        int height;
    };
    for (const Case c : {Case{771, 1090}, Case{700, 990}, Case{546, 772}, Case{891, 1260}}) {
        QSettings s = product();
        s.setValue("PaperSize", c.paper);
        s.setValue("KeyLock", true);
        s.setValue("LogOnName", "たろう");
        s.sync();
        AppState state;
        ASSERT_TRUE(RunStartSequence(state, environment(courseware_.folder())));
        EXPECT_EQ(state.currentPaper.width, c.paper);
        EXPECT_EQ(state.currentPaper.height, c.height) << c.paper;
        EXPECT_TRUE(state.keyLocked);
        EXPECT_EQ(state.learnerName, QStringLiteral("たろう"));
    }
    EXPECT_EQ(PaperOfWidth(700), Paper::A4);
    EXPECT_EQ(PaperOfWidth(771), Paper::B4);
}

TEST_F(StartupTest, ProgramFolderWithOrWithoutTrailingSlash)
{
    QString folder = courseware_.folder();
    folder.chop(1);
    AppState a, b;
    ASSERT_TRUE(RunStartSequence(a, environment(folder)));
    ASSERT_TRUE(RunStartSequence(b, environment(folder + QStringLiteral("/"))));
    EXPECT_EQ(a.programFolder, b.programFolder);
    EXPECT_TRUE(a.programFolder.endsWith(u'/'));
}

TEST_F(StartupTest, MissingMainIndexEndsTheProgramAndTitlePictureOnlyWarns)
{
    QFile::remove(courseware_.folder() + QStringLiteral("Title.BMP"));
    QFile::remove(courseware_.folder() + QStringLiteral("Main.ind"));
    AppState state;
    EXPECT_FALSE(RunStartSequence(state, environment(courseware_.folder())));
    ASSERT_EQ(messages_.texts().size(), 2);
    EXPECT_TRUE(messages_.texts().at(0).endsWith(QStringLiteral("Title.BMP が見つかりません")));
    EXPECT_EQ(messages_.texts().at(1),
              QStringLiteral("ファイル ") +
                  shownPath(courseware_.folder() + QStringLiteral("Main.ind")) +
                  QStringLiteral(" が見つかりません"));
    EXPECT_FALSE(state.startupDone);
}

TEST_F(StartupTest, RecordFolderThatCannotBeMadeStopsTheStart)
{
    // A file where the record drive's folder should be.
    test::writeBytes(data_.path() + QStringLiteral("/Zendra"), "not a folder");
    AppState state;
    EXPECT_FALSE(RunStartSequence(state, environment(courseware_.folder())));
    ASSERT_FALSE(messages_.texts().isEmpty());
    EXPECT_TRUE(messages_.texts().last().contains(QStringLiteral("Zendra")));
}
