#include "learners/LogOn.h"

#include "courseware/RecordFile.h"
#include "platform/Messages.h"

#include "TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendra;

TEST(LogOn, RefusesNamesThatCannotBeARecordFileName)
{
    const char* usable[] = {"太郎", "公開", "共通", "a.b", "佐藤 結衣", "Ｍ　Ｎ", "CONNIE", "表示"};
    for (const char* name : usable)
        EXPECT_EQ(LearnerNameProblem(QString::fromUtf8(name)), QString()) << name;
    const char* refused[] = {"a/b", "a\\b", "..",   "x..y",   "a:b",  "a*b",   "a?b", "a\"b",
                             "a<b", "a>b",  "a|b",  "a\tb",   "a\nb", "a\x7f", " ",   "　 ",
                             "CON", "nul",  "Com1", "lpt9.x", "😀",    "한글"};
    for (const char* name : refused)
        EXPECT_NE(LearnerNameProblem(QString::fromUtf8(name)), QString()) << name;
    EXPECT_EQ(LearnerNameProblem(QStringLiteral("a/b")),
              QStringLiteral("「a/b」は名前に使えません: 「\\」や「/」は使えません"));
    EXPECT_EQ(LearnerNameProblem(QStringLiteral("佐藤😀")),
              QStringLiteral("「佐藤😀」は名前に使えません: 「😀」は Shift-JIS で書けない文字です"));
}

TEST(LogOn, PasswordIsCountedInBytesAndComparedExactly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("太郎.ini"));
    ScriptedMessages messages;
    ScopedMessages scope(messages);
    using R = PasswordCheck::Result;
    struct Case
    {
        const char* stored; // "?" for none
        const char* password;
        const char* repeat;
        R result;
        const char* message; // empty for none
    };
    const Case cases[] = {
        {"?", "abc", "abc", R::FocusPassword, "４文字以上にしてください"},
        {"?", "ｱｲｳ", "ｱｲｳ", R::FocusPassword, "４文字以上にしてください"},
        {"?", "abcd", "abce", R::FocusRepeat, "確認のため再入力してください"},
        {"?", " abcd", " abcd", R::FocusPassword, "パスワードの最初と最後に空白は使えません"},
        {"?", "ab😀", "ab😀", R::FocusPassword, "パスワードに Shift-JIS で書けない文字があります"},
        {"?", "ああ", "ああ", R::Accepted, ""},
        {"ああ", "ああ", "", R::Accepted, ""},
        {"abcd", "abcD", "", R::FocusPassword, "パスワードを正しく入力してください"},
        {"abcd", "abcd ", "", R::FocusPassword, "パスワードを正しく入力してください"},
        {"abcd", "ab", "", R::FocusPassword, "４文字以上にしてください"},
        {"ａｂｃｄ", "abcd", "", R::FocusPassword, "パスワードを正しく入力してください"},
    };
    for (const Case& c : cases) {
        QFile::remove(path);
        messages.clear();
        PasswordCheck check(QStringLiteral("太郎"), path, QString::fromUtf8(c.stored));
        const bool isNew = QString::fromUtf8(c.stored) == u"?";
        EXPECT_EQ(check.isNew(), isNew);
        EXPECT_EQ(check.ok(QString::fromUtf8(c.password), QString::fromUtf8(c.repeat)), c.result)
            << c.password;
        EXPECT_EQ(messages.texts().join('\n'), QString::fromUtf8(c.message)) << c.password;
        // Only a new password that was accepted is written.
        const QString written =
            isNew && c.result == R::Accepted ? QString::fromUtf8(c.password) : QStringLiteral("?");
        EXPECT_EQ(ReadPassword(path), written) << c.password;
    }

    PasswordCheck check(QStringLiteral("太郎"), path, QStringLiteral("?"));
    EXPECT_EQ(check.greeting(), QStringLiteral("ようこそ太郎さん"));
    EXPECT_EQ(check.prompt(), QStringLiteral("新規パスワードを設定してください"));
    EXPECT_EQ(PasswordCheck(QString(), path, QStringLiteral("abcd")).prompt(),
              QStringLiteral("パスワードを入力してください"));

    // A record file that cannot be written keeps the dialog open with the file's reason.
    messages.clear();
    PasswordCheck blocked(QStringLiteral("太郎"), dir.filePath(QStringLiteral("none/太郎.ini")),
                          QStringLiteral("?"));
    EXPECT_EQ(blocked.ok(QStringLiteral("abcd"), QStringLiteral("abcd")), R::FocusPassword);
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts().at(0).contains(QStringLiteral("太郎.ini")));
    EXPECT_FALSE(messages.texts().at(0).contains(QStringLiteral("abcd")));
}
