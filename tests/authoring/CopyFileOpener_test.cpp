#include "authoring/CopyFileOpener.h"
#include "platform/Messages.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace zendra;

TEST(CopyFileOpener, KeepsTheLastChoiceAndChecksOk)
{
    test::CoursewareCopy copy;
    const QString seisu = copy.folder() + "Seisu/";
    test::writeLines(seisu + "A1.prp", {"[[unitX", "]]"});
    test::writeLines(seisu + "Z9.prp", {"[[unitX", "<<ques", "z", ">>", "]]"});
    ScriptedMessages messages;
    ScopedMessages scope(messages);

    CopyFileOpener opener(copy.folder());
    ASSERT_TRUE(opener.load());
    opener.chooseLesson(0);
    ASSERT_GE(opener.files().size(), 3);
    EXPECT_EQ(opener.files().first(), QStringLiteral("A1.prp")); // name order
    EXPECT_EQ(opener.fileRow(), 0);
    const int last = static_cast<int>(opener.files().size()) - 1;
    opener.chooseFile(last);
    EXPECT_EQ(opener.contents().value(2), QStringLiteral("z"));
    EXPECT_TRUE(opener.filePath().endsWith("Seisu/Z9.prp"));
    ASSERT_TRUE(opener.accept());
    EXPECT_EQ(opener.copyRecordKey(), QStringLiteral("Z9.prp"));

    // Next showing selects the same file, or the first when fewer files exist now.
    opener.chooseLesson(0);
    EXPECT_EQ(opener.fileRow(), last);
    QFile::remove(seisu + "Z9.prp");
    opener.chooseLesson(0);
    EXPECT_EQ(opener.fileRow(), 0);

    // A lesson without copy files leaves everything empty and OK refuses.
    opener.chooseLesson(1);
    EXPECT_TRUE(opener.files().isEmpty() || opener.fileRow() >= 0);
    QDir(copy.folder() + "Bunsu").removeRecursively();
    opener.chooseLesson(2);
    EXPECT_TRUE(opener.files().isEmpty());
    EXPECT_TRUE(opener.filePath().isEmpty());
    EXPECT_FALSE(opener.accept());
    ASSERT_EQ(messages.texts().size(), 2);
    EXPECT_TRUE(messages.texts().at(0).startsWith(QStringLiteral("ディレクトリ ")));
    EXPECT_EQ(messages.texts().at(1), QStringLiteral("単元を選択してください"));
}
