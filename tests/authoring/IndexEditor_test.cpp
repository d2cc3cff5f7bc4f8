#include "authoring/IndexEditor.h"
#include "courseware/CoursewareIndex.h"
#include "courseware/NameList.h"
#include "courseware/RecordFile.h"
#include "platform/Messages.h"

#include "TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace zendra;

namespace {

// The tree as text: one row per node, indented by its depth.
QStringList treeRows(const QStandardItemModel& model)
{
    QStringList rows;
    const std::function<void(const QStandardItem*)> walk = [&](const QStandardItem* item) {
        const int depth = item->data(kIndexTreeDepthRole).toInt();
        rows.append(QString(depth * 2, u' ') + item->text());
        for (int i = 0; i < item->rowCount(); ++i)
            walk(item->child(i));
    };
    for (int i = 0; i < model.rowCount(); ++i)
        walk(model.item(i));
    return rows;
}

} // namespace

TEST(IndexEditor, BuildIndexTreeShowsTheLessonWithTheChoosersMarks)
{
    test::CoursewareCopy copy;
    LessonTable lessons;
    ScriptedMessages messages;
    ScopedMessages scope(messages);
    ASSERT_TRUE(LoadMainIndex(copy.folder(), lessons));
    const QString record = LearnerRecordPath(copy.folder(), lessons, 2, kSharedLearner);
    SectionUnits shosu;
    ASSERT_TRUE(LoadLessonIndex(copy.folder(), lessons, 2, shosu));
    const QString key = MakeRecordKey(UnitChoice{2, 2, 1, 0}, shosu);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(AppendRecord(record, key, QStringLiteral("2024/1/1,100")));

    struct Case
    {
        const char* name;
        int lesson;
        QStringList indexLines; // written as lesson 1's index first; empty keeps the file
        QStringList rows;       // expected rows, or only the first rows when `prefixOnly`
        bool prefixOnly;
    };
    const QList<Case> cases = {
        {"two headers both [[sect1, a last section without >>",
         1,
         {"T", "[[sect1", "S1", "<<", "A", "B", ">>", "]]", "[[sect1", "S2", "<<", "C"},
         {"T", "  S1", "    ◎[ ]A", "    　[ ]B", "  S2", "    　[ ]C"},
         false},
        {"an empty section and lines between blocks",
         1,
         {"T", "note", "[[sect1", "S1", "<<", ">>", "]]", "x", "[[sect9", "S2", "<<", "U", ">>"},
         {"T", "  S1", "  S2", "    　[ ]U"},
         false},
        {"the sample lesson with a unit practised three times",
         2,
         {},
         {shosu.indexTitle, "  " + shosu.section(1).title},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.indexLines.isEmpty())
            test::writeLines(LessonIndexPath(copy.folder(), lessons, c.lesson), c.indexLines);
        QStandardItemModel model;
        const LessonIndexText text =
            BuildIndexTree(copy.folder(), lessons, c.lesson, kSharedLearner, model);
        EXPECT_TRUE(text.fromFile);
        const QStringList rows = treeRows(model);
        if (c.prefixOnly)
            EXPECT_EQ(rows.mid(0, c.rows.size()), c.rows);
        else
            EXPECT_EQ(rows, c.rows);
    }
    // The sample lesson's unit 2.1 shows its count as the chooser does.
    QStandardItemModel model;
    BuildIndexTree(copy.folder(), lessons, 2, kSharedLearner, model);
    const QStandardItem* unit = model.item(0)->child(1)->child(0);
    EXPECT_EQ(unit->text(), QStringLiteral("◎[3]") + shosu.unitTitle(2, 1));
    EXPECT_EQ(FindSectionLine({"T", "[[sect1", "a", "<<", ">>", "]]", "[[sect1", "b"}, 2), 6);

    // A lesson without its index file shows the template and writes nothing.
    QFile::remove(LessonIndexPath(copy.folder(), lessons, 3));
    const LessonIndexText fresh = BuildIndexTree(copy.folder(), lessons, 3, kSharedLearner, model);
    EXPECT_FALSE(fresh.fromFile);
    EXPECT_EQ(fresh.lines, NewLessonIndexLines());
    EXPECT_EQ(treeRows(model), QStringList({"ここにタイトルをかいてください", "  ここは主メニュー",
                                            "    　[ ]ここは副メニュー"}));
    EXPECT_FALSE(QFile::exists(fresh.path));
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join('\n').toStdString();
}

TEST(IndexEditor, RefusesTitlesTheIndexCannotHold)
{
    struct Case
    {
        QString title;
        bool refused;
    };
    const QList<Case> cases = {
        {">>", true},      {"<<", true},
        {"[[sect2", true}, {"[[", true},
        {"雪☃", true},     {"😀", true},
        {"", false},       {" >>", false},
        {"<<ques", false}, {"分数のたし算", false},
        {"ｶﾀｶﾅ①", false},
    };
    for (const Case& c : cases) {
        const QString refusal = RefuseIndexTitle(c.title);
        EXPECT_EQ(!refusal.isEmpty(), c.refused) << c.title.toStdString();
        if (c.title == "雪☃") {
            EXPECT_TRUE(refusal.contains(u'☃')) << refusal.toStdString();
        }
    }
}

// The editor never saves an index the chooser could not read back: no 81st section or
// unit, and no direct edit that breaks the format.
TEST(IndexEditor, NeverSavesAnIndexTheProgramCannotRead)
{
    test::CoursewareCopy copy;
    LessonTable lessons;
    ASSERT_TRUE(LoadMainIndex(copy.folder(), lessons));
    ScriptedMessages messages;
    ScopedMessages scope(messages);
    QStringList full{QStringLiteral("整数")};
    for (int s = 1; s <= 80; ++s) {
        full << QStringLiteral("[[sect%1").arg(s) << QStringLiteral("S%1").arg(s) << "<<";
        for (int u = 1; u <= (s == 1 ? 80 : 1); ++u)
            full << QStringLiteral("U%1").arg(u);
        full << ">>"
             << "]]";
    }
    IndexEditor editor(copy.folder(), lessons);
    ASSERT_TRUE(editor.show());
    test::writeLines(editor.indexPath(), full);
    editor.lessonChosen(0);
    editor.sectionChosen(0);
    ASSERT_EQ(editor.sectionRows().size(), 80);
    ASSERT_EQ(editor.unitRows().size(), 80);
    EXPECT_FALSE(editor.mayAddSection());
    EXPECT_FALSE(editor.mayAddUnit());
    editor.addSection(QStringLiteral("S81"));
    editor.addUnit(QStringLiteral("U81"));
    EXPECT_EQ(editor.sectionRows().size(), 80);
    EXPECT_EQ(editor.unitRows().size(), 80);
    EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral("セクションは８０個までです"),
                                             QStringLiteral("ユニットは８０個までです")}));

    // A direct edit that drops a section's ">>" is refused with its line; the file stays.
    const QByteArray before = test::readBytes(editor.indexPath());
    QStringList broken = full;
    broken.removeAt(broken.indexOf(">>"));
    messages.clear();
    EXPECT_FALSE(editor.saveDirectEdit(broken));
    EXPECT_EQ(test::readBytes(editor.indexPath()), before);
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts().at(0).contains(QStringLiteral("保存しませんでした")));
    SectionUnits sections;
    EXPECT_TRUE(LoadLessonIndex(copy.folder(), lessons, 1, sections));
}

TEST(IndexEditor, AnIndexEndingInASectionHeaderIsRefusedNotEdited)
{
    const QStringList good = {"T", "[[sect1", "A", "<<", "a", ">>", "]]"};
    struct Case
    {
        const char* name;
        QStringList ending;
        int line; // the line the message names
    };
    const QList<Case> cases = {
        {"a last header alone", {"[[sect1"}, 8},
        {"a last header and its title", {"[[sect1", "S1"}, 8},
        {"a last section without >>", {"[[sect2", "S2", "<<", "u"}, 8},
        {"a header the editor does not count", {"[[part2", "S2", "<<", "u", ">>", "]]"}, 8},
    };
    for (const Case& c : cases) {
        test::CoursewareCopy copy;
        LessonTable lessons;
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        ASSERT_TRUE(LoadMainIndex(copy.folder(), lessons));
        const QString path = LessonIndexPath(copy.folder(), lessons, 1);
        test::writeLines(path, good + c.ending);
        IndexEditor editor(copy.folder(), lessons);
        ASSERT_TRUE(editor.show()) << c.name;
        const QString expected = QStringLiteral("ファイル %1 の %2 行目：")
                                     .arg(QDir::toNativeSeparators(path))
                                     .arg(c.line);
        ASSERT_EQ(messages.texts().size(), 1) << c.name;
        EXPECT_TRUE(messages.texts().first().startsWith(expected))
            << c.name << " " << messages.texts().first().toStdString();

        // Every command on the last section is refused with the same message.
        editor.sectionChosen(static_cast<int>(editor.sectionRows().size()) - 1);
        messages.clear();
        EXPECT_FALSE(editor.mayAddUnit()) << c.name;
        EXPECT_FALSE(editor.mayAddSection()) << c.name;
        EXPECT_FALSE(editor.mayRenameSection()) << c.name;
        editor.addUnit(QStringLiteral("new"));
        editor.addSection(QStringLiteral("new"));
        editor.renameSection(QStringLiteral("new"));
        EXPECT_EQ(editor.text(), good + c.ending) << c.name;
        EXPECT_EQ(messages.texts().size(), 3) << c.name;

        // The direct edit repairs it, and the commands work again.
        ASSERT_TRUE(editor.saveDirectEdit(good)) << c.name;
        editor.sectionChosen(0);
        editor.addUnit(QStringLiteral("b"));
        EXPECT_EQ(editor.text(), QStringList({"T", "[[sect1", "A", "<<", "a", "b", ">>", "]]"}));
    }
}
