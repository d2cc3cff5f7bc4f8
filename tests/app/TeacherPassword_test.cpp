#include "app/TeacherPassword.h"

#include "platform/SettingsStore.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendra;

namespace {

// Every byte the settings store holds in its folder.
QByteArray storedBytes(const QString& folder)
{
    QByteArray all;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            all += file.readAll();
    }
    return all;
}

} // namespace

TEST(TeacherPassword, KeptOnlyAsASaltedHash)
{
    QTemporaryDir settings;
    SettingsStore::useFolder(settings.path());
    EXPECT_FALSE(HasTeacherPassword());
    EXPECT_FALSE(TeacherPasswordMatches(QString()));

    SetTeacherPassword(QStringLiteral("sensei42"));
    EXPECT_TRUE(HasTeacherPassword());
    EXPECT_TRUE(TeacherPasswordMatches(QStringLiteral("sensei42")));
    for (const char* wrong : {"", "sensei4", "sensei42 ", "SENSEI42"})
        EXPECT_FALSE(TeacherPasswordMatches(QString::fromLatin1(wrong))) << wrong;
    const QByteArray first = storedBytes(settings.path());
    EXPECT_FALSE(first.contains("sensei42"));
    EXPECT_TRUE(first.contains("TeacherPasswordHash"));

    // The same password set again gets a new salt, so its hash differs too.
    SetTeacherPassword(QStringLiteral("sensei42"));
    EXPECT_NE(storedBytes(settings.path()), first);
    EXPECT_TRUE(TeacherPasswordMatches(QStringLiteral("sensei42")));

    SetTeacherPassword(QString());
    EXPECT_FALSE(HasTeacherPassword());
    EXPECT_FALSE(TeacherPasswordMatches(QStringLiteral("sensei42")));
    SettingsStore::useFolder({});
}

TEST(TeacherPassword, SettingDialogRefusals)
{
    struct Case
    {
        const char* password;
        const char* repeated;
        const char* refusal;
    };
    const Case cases[] = {
        {"abcd", "abcd", ""},
        {"", "", ""}, // removes it
        {"abcd", "abce", "確認のため再入力してください"},
        {"abc", "abc", "４文字以上にしてください"},
        {"先生", "先生", ""}, // two full-width characters are 4 bytes
    };
    for (const Case& c : cases)
        EXPECT_EQ(
            RefuseTeacherPassword(QString::fromUtf8(c.password), QString::fromUtf8(c.repeated)),
            QString::fromUtf8(c.refusal))
            << c.password;
}
