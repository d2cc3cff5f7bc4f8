#include "courseware/CopyFile.h"

#include "courseware/UnitReader.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/Paths.h"

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendra;

namespace {

QStringList L(const char* text)
{
    return QString::fromUtf8(text).split(u'|');
}

CopySheet sampleSheet()
{
    CopySheet s;
    s.title = QStringLiteral("整数//§2-3,4");
    s.school = QStringLiteral("東小学校");
    s.nameLine = QStringLiteral("　年　組　番　氏名");
    s.questions = L("1+2=#3#||表ソ=#表;ソ#");
    s.paperWidth = 771;
    s.answersShown = true;
    s.lineSpacing = 36;
    s.leftMargin = 3;
    s.rightMargin = 4;
    s.startNumber = 12;
    s.options = 5;
    s.font = L("14|MS 明朝|True|False|False|False|ＭＳ ゴシック");
    s.kran = L("1|12|3|2|30|0|15|10|4|0");
    s.answerGroups = L("1,2");
    return s;
}

} // namespace

TEST(CopyFile, WritesTheBlocksInOrder)
{
    CopySheet s = sampleSheet();
    const QStringList head = L("[[unitX|<<header|整数//§2-3,4|東小学校|　年　組　番　氏名|>>|"
                               "<<ques|1+2=#3#||表ソ=#表;ソ#|>>|<<ans|>>");
    const QStringList tail = L("<<value|771|True|36|3|4|12|5|>>|"
                               "<<font|14|MS 明朝|True|False|False|False|ＭＳ ゴシック|>>|"
                               "<<kran|1|12|3|2|30|0|15|10|4|0|>>|<<kgroup|1,2|>>|]]");
    EXPECT_EQ(BuildCopyLines(s), head + tail);
    s.questionFigures = L("a.bmp|100|200");
    EXPECT_EQ(BuildCopyLines(s), head + L("<<graph|a.bmp|100|200|>>") + tail);
    s.answerFigures = L("b.bmp|-1|-1");
    EXPECT_EQ(BuildCopyLines(s),
              head + L("<<graph|a.bmp|100|200|>>|<<AGraph|b.bmp|-1|-1|>>") + tail);

    // Layout lists of the wrong length still give blocks the reader accepts.
    s.font = L("16");
    s.kran = QStringList(12, QStringLiteral("7"));
    s.answerGroups.clear();
    const QStringList end = L("<<font|16|MS 明朝|False|False|False|False|0|>>|"
                              "<<kran|7|7|7|7|7|7|7|7|7|7|>>|<<kgroup|>>|]]");
    const QStringList lines = BuildCopyLines(s);
    EXPECT_EQ(lines.mid(lines.size() - end.size()), end);
}

TEST(CopyFile, ReadsBackWhatItWrote)
{
    QTemporaryDir dir;
    ScriptedMessages messages;
    ScopedMessages scope(messages);
    CopySheet s = sampleSheet();
    s.questionFigures = L("a.bmp|123|456|c.bmp|7|8");
    s.answerFigures = L("b.bmp|9|10");
    const QString path = dir.filePath(QStringLiteral("sheet.prp"));
    ASSERT_TRUE(SaveCopy(s, path, dir.path()).saved);

    UnitReader reader;
    ASSERT_TRUE(reader.ReadUnit(path, QStringLiteral("[[unitX"), 0, 0, UnitReader::OpenCopy, {}));
    const ParsedUnit& u = reader.unit();
    EXPECT_EQ((QStringList{u.content.title, u.content.school, u.content.nameLine}),
              (QStringList{s.title, s.school, s.nameLine}));
    EXPECT_EQ(u.content.questions, s.questions);
    EXPECT_EQ(u.content.questionFigures, s.questionFigures);
    EXPECT_EQ(u.content.answerFigures, s.answerFigures);
    EXPECT_EQ(u.values, L("771|True|36|3|4|12|5"));
    EXPECT_EQ(u.font, s.font);
    EXPECT_EQ(u.kran, s.kran);
    EXPECT_EQ(u.content.answerGroups, s.answerGroups);
    EXPECT_TRUE(messages.entries().isEmpty());
}

TEST(CopyFile, ChoosesANameWithTheCopyExtension)
{
    QTemporaryDir dir;
    const QString d = dir.path() + QStringLiteral("/");
    ASSERT_TRUE(QDir().mkpath(d + QStringLiteral("v1.2")));
    const QString bad = QStringLiteral(":拡張子が不正です");
    struct Case
    {
        QStringList answers; // dialog answers; "" cancels
        QString saved;       // the file written, or empty for none
        QStringList messages;
    };
    const Case cases[] = {
        {{d + "sheet1"}, d + "sheet1.prp", {}},
        {{d + "sheet2.PRP"}, d + "sheet2.PRP", {}},
        {{d + "sheet3.txt", d + "sheet3"}, d + "sheet3.prp", {shownPath(d + "sheet3.txt") + bad}},
        {{d + "v1.2/sheet5"}, d + "v1.2/sheet5.prp", {}},
        {{d + "v1.2/sheet6.prp"}, d + "v1.2/sheet6.prp", {}},
        {{d + "sheet7.tx", ""}, {}, {shownPath(d + "sheet7.tx") + bad}},
        {{""}, {}, {}},
    };
    auto files = [&] {
        return QDir(d).entryList(QDir::Files) + QDir(d + "v1.2").entryList(QDir::Files);
    };
    for (const Case& c : cases) {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        ScriptedFileDialogs dialogs;
        ScopedFileDialogs dialogScope(dialogs);
        for (const QString& a : c.answers)
            dialogs.script({a});
        const QStringList before = files();
        const SaveCopyResult r = SaveCopy(sampleSheet(), QString(), d);
        const std::string label = c.answers.join(u'|').toStdString();
        EXPECT_EQ(r.saved, !c.saved.isEmpty()) << label;
        EXPECT_EQ(r.path, c.saved) << label;
        EXPECT_EQ(messages.texts(), c.messages) << label;
        ASSERT_EQ(dialogs.requests().size(), c.answers.size()) << label;
        EXPECT_EQ(dialogs.requests().first().folder, d);
        EXPECT_EQ(dialogs.requests().first().filter, QStringLiteral("*.prp"));
        EXPECT_EQ(files().size(), before.size() + (r.saved ? 1 : 0)) << label;
        if (r.saved) {
            EXPECT_TRUE(test::readBytes(c.saved).startsWith("[[unitX\r\n")) << label;
        }
    }
}

TEST(CopyFile, OverwritesAChosenFileOnlyWhenAllowed)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.prp"));
    const QByteArray old("old\r\n");
    for (const auto answer : {Messages::Answer::No, Messages::Answer::Yes}) {
        test::writeBytes(path, old);
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        messages.script({answer});
        ScriptedFileDialogs dialogs;
        ScopedFileDialogs dialogScope(dialogs);
        dialogs.script({path});
        const bool yes = answer == Messages::Answer::Yes;
        EXPECT_EQ(SaveCopy(sampleSheet(), QString(), dir.path()).saved, yes);
        EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("ファイル") + shownPath(path) +
                                                QStringLiteral("を上書きしてもいいですか？")});
        EXPECT_EQ(test::readBytes(path) == old, !yes);
    }

    // A given name is the sheet's own file: no question and no dialog; ".prp" is added.
    test::writeBytes(path, old);
    ScriptedMessages messages;
    ScopedMessages scope(messages);
    EXPECT_TRUE(SaveCopy(sampleSheet(), path, dir.path()).saved);
    EXPECT_NE(test::readBytes(path), old);
    const QString bare = dir.filePath(QStringLiteral("given"));
    EXPECT_EQ(SaveCopy(sampleSheet(), bare, dir.path()).path, bare + QStringLiteral(".prp"));
    EXPECT_TRUE(QFileInfo::exists(bare + QStringLiteral(".prp")));
    EXPECT_TRUE(messages.entries().isEmpty());
}

TEST(CopyFile, ReportsAFailedWriteAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("keep.prp"));
    const QByteArray old("old\r\n");
    test::writeBytes(existing, old);
    CopySheet unencodable = sampleSheet();
    unencodable.title = QStringLiteral("題 \U0001F600");

    const std::pair<QString, CopySheet> cases[] = {
        {dir.filePath(QStringLiteral("no/such/folder/x.prp")), sampleSheet()},
        {existing, unencodable},
    };
    for (const auto& [path, sheet] : cases) {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        EXPECT_FALSE(SaveCopy(sheet, path, dir.path()).saved) << path.toStdString();
        ASSERT_EQ(messages.texts().size(), 1) << path.toStdString();
        // Which file, then why.
        const QStringList text = messages.texts().first().split(u'\n');
        ASSERT_EQ(text.size(), 2);
        EXPECT_EQ(text.first(), shownPath(path) + QStringLiteral("の保存に失敗しました"));
        EXPECT_FALSE(text.at(1).isEmpty());
    }
    EXPECT_EQ(test::readBytes(existing), old);
}
