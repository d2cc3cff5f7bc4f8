// Saves over a file that another program or person changed since this program read it:
// the master file, a copy file and the question editor's whole file are not written over
// unasked; a record file is appended to as it is on the disk.
#include "app/MainCommands.h"
#include "authoring/IndexEditor.h"
#include "authoring/QuestionEditor.h"
#include "courseware/CoursewareIndex.h"
#include "courseware/RecordFile.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "sheet/SheetBuilder.h"
#include "sheet/SheetOutput.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zendra;

namespace {

struct Courseware
{
    test::CoursewareCopy copy;
    LessonTable lessons;
    SectionUnits sections;
    UnitReader reader;

    Courseware()
    {
        EXPECT_TRUE(LoadMainIndex(copy.folder(), lessons));
        EXPECT_TRUE(LoadLessonIndex(copy.folder(), lessons, 1, sections));
    }
    Sheet open(const UnitChoice& choice)
    {
        std::optional<Sheet> sheet =
            OpenMasterSheet({copy.folder(), lessons, sections}, choice, reader, false);
        EXPECT_TRUE(sheet.has_value());
        return sheet ? std::move(*sheet) : Sheet();
    }
    QString master() const { return MasterPath(copy.folder(), lessons, 1, 1); }
};

// Someone else's save: a line added at the end of the file.
void changeBehind(const QString& path)
{
    test::writeBytes(path, test::readBytes(path) + "; edited elsewhere\r\n");
}

} // namespace

TEST(SharedFolderSaves, AChangedMasterFileIsNotWrittenOverUnasked)
{
    struct Case
    {
        bool changedBehind;
        Messages::Answer answer;
        MasterSave expected;
    };
    const Case cases[] = {
        {false, Messages::Answer::Yes, MasterSave::Saved},
        {true, Messages::Answer::No, MasterSave::Failed},
        {true, Messages::Answer::Yes, MasterSave::AsCopy},
    };
    for (const Case& c : cases) {
        Courseware cw;
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        Sheet sheet = cw.open(UnitChoice{1, 1, 1, 0});
        sheet.settings.lineSpacing = 77; // a layout change, what a sheet saves into its master
        if (c.changedBehind)
            changeBehind(cw.master());
        const QByteArray before = test::readBytes(cw.master());
        messages.script({c.answer});
        EXPECT_EQ(SaveSheetMaster(cw.copy.folder(), cw.lessons, sheet), c.expected);
        if (c.changedBehind) {
            ASSERT_EQ(messages.texts().size(), 1);
            EXPECT_TRUE(messages.texts().at(0).contains(
                QStringLiteral("読み込んだ後にほかのプログラムか人が変更しました")));
            EXPECT_EQ(test::readBytes(cw.master()), before); // their change is all there
        } else {
            EXPECT_TRUE(messages.texts().isEmpty());
            EXPECT_NE(test::readBytes(cw.master()), before);
            // A second save of the same sheet is this program's own change: no question.
            EXPECT_EQ(SaveSheetMaster(cw.copy.folder(), cw.lessons, sheet), MasterSave::Saved);
            EXPECT_TRUE(messages.texts().isEmpty());
        }
    }
}

TEST(SharedFolderSaves, AChangedCopyFileIsSavedUnderAnotherNameOrNotAtAll)
{
    Courseware cw;
    ScriptedMessages messages;
    ScopedMessages scope(messages);
    ScriptedFileDialogs dialogs;
    ScopedFileDialogs dialogScope(dialogs);
    const QString copyPath = cw.copy.folder() + QStringLiteral("Seisu/mine.prp");
    Sheet master = cw.open(UnitChoice{1, 1, 1, 0});
    ASSERT_TRUE(SaveCopy(CopySheetAsShown(master, InputsFromSheet(master)), copyPath, {}).saved);

    std::optional<Sheet> sheet =
        OpenCopySheet(cw.copy.folder(), cw.lessons, 1, copyPath, cw.reader, false);
    ASSERT_TRUE(sheet.has_value());
    ASSERT_TRUE(SaveSheetCopy(cw.copy.folder(), cw.lessons, *sheet, InputsFromSheet(*sheet)));
    EXPECT_TRUE(messages.texts().isEmpty()); // unchanged on the disk: saved over, unasked

    changeBehind(copyPath);
    const QByteArray theirs = test::readBytes(copyPath);
    messages.script({Messages::Answer::No});
    EXPECT_FALSE(SaveSheetCopy(cw.copy.folder(), cw.lessons, *sheet, InputsFromSheet(*sheet)));
    EXPECT_EQ(test::readBytes(copyPath), theirs);

    const QString other = cw.copy.folder() + QStringLiteral("Seisu/mine2.prp");
    messages.script({Messages::Answer::Yes});
    dialogs.script({other});
    EXPECT_EQ(SaveSheetCopy(cw.copy.folder(), cw.lessons, *sheet, InputsFromSheet(*sheet)), other);
    EXPECT_EQ(test::readBytes(copyPath), theirs);
    EXPECT_EQ(messages.texts().size(), 2);
}

TEST(SharedFolderSaves, TheQuestionEditorRefusesToWriteOverAChangedFile)
{
    Courseware cw;
    ScriptedMessages messages;
    ScopedMessages scope(messages);
    QuestionEditor editor;
    ASSERT_TRUE(
        editor.LoadUnitIntoPanes(cw.copy.folder(), cw.lessons, UnitChoice{1, 1, 2, 0}, nullptr));
    editor.ques.append(QStringLiteral("(9) 2+2=#4#"));
    editor.WriteUnitFromPanes();
    changeBehind(cw.master());
    const QByteArray theirs = test::readBytes(cw.master());
    EXPECT_FALSE(editor.Save());
    EXPECT_EQ(test::readBytes(cw.master()), theirs);
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts().at(0).contains(QStringLiteral("保存しませんでした")));
}

TEST(SharedFolderSaves, TheIndexEditorRefusesToWriteOverAChangedIndex)
{
    Courseware cw;
    ScriptedMessages messages;
    ScopedMessages scope(messages);
    IndexEditor editor(cw.copy.folder(), cw.lessons);
    ASSERT_TRUE(editor.show());
    editor.sectionChosen(0);
    editor.unitChosen(0);
    editor.addUnit(QStringLiteral("新しい単元"));
    changeBehind(editor.indexPath());
    const QByteArray theirs = test::readBytes(editor.indexPath());
    EXPECT_FALSE(editor.ok());
    EXPECT_EQ(test::readBytes(editor.indexPath()), theirs);
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts().at(0).contains(QStringLiteral("読み込んだ後に")));
}

TEST(SharedFolderSaves, RecordsAreAppendedToTheFileAsItIsNow)
{
    test::CoursewareCopy copy;
    const QString path = copy.folder() + QStringLiteral("LogOn/rec.ini");
    const QString key = QStringLiteral("S11たし算");
    ASSERT_TRUE(AppendRecord(path, key, QStringLiteral("first")));
    // Another program appends a record of its own in between.
    test::writeBytes(path, test::readBytes(path) + "[S21x]\r\n1=theirs\r\n");
    ASSERT_TRUE(AppendRecord(path, key, QStringLiteral("second")));
    EXPECT_EQ(ReadRecords(path, key), (QStringList{"first", "second"}));
    EXPECT_EQ(ReadRecords(path, QStringLiteral("S21x")), QStringList{"theirs"});
}
