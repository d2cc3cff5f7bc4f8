#include "app/MainCommands.h"
#include "app/MainMenus.h"

#include <gtest/gtest.h>

using namespace zendra;

TEST(MainCommands, CopyRectangleLeavesTheOutlineOut)
{
    struct Case
    {
        QPoint a, b;
        QRect expected;
    };
    const Case cases[] = {
        {{10, 10}, {110, 60}, QRect(11, 11, 98, 48)},
        {{110, 60}, {10, 10}, QRect(11, 11, 98, 48)}, // marked from the other corner
        {{110, 10}, {10, 60}, QRect(11, 11, 98, 48)},
        {{5, 5}, {6, 6}, QRect(6, 6, 1, 1)}, // |1 − 2| = 1
    };
    for (const Case& c : cases)
        EXPECT_EQ(CopyRectangle(c.a, c.b), c.expected) << c.a.x() << "," << c.a.y();
}

TEST(MainCommands, RenamedSheetKeepsOneEntry)
{
    const QStringList list{"a.que-U1", "b.que-U2"};
    EXPECT_EQ(RenameOpenSheet(list, "a.que-U1", "/x/copy.prp"),
              (QStringList{"b.que-U2", "/x/copy.prp"}));
}

TEST(MainCommands, KeysOfTheMainWindow)
{
    struct Case
    {
        int key;
        Qt::KeyboardModifiers mods;
        bool study, copy;
        MainKey expected;
    };
    const Case cases[] = {
        {Qt::Key_Return, {}, true, false, MainKey::Study},
        {Qt::Key_Enter, {}, false, false, MainKey::None}, // no study window yet
        {Qt::Key_Escape, {}, false, false, MainKey::CloseSheet},
        {Qt::Key_Escape, Qt::ShiftModifier, false, false, MainKey::Exit},
        {Qt::Key_Escape, Qt::ShiftModifier | Qt::KeypadModifier, false, false, MainKey::Exit},
        {Qt::Key_Escape, Qt::ShiftModifier | Qt::ControlModifier, false, false,
         MainKey::CloseSheet},
        {Qt::Key_PageDown, {}, false, false, MainKey::Scroll},
        {Qt::Key_C, Qt::ControlModifier, false, true, MainKey::Copy},
        {Qt::Key_C, Qt::ControlModifier, false, false, MainKey::None}, // nothing marked
        {Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier, false, true, MainKey::None},
        {Qt::Key_A, {}, true, true, MainKey::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MainKeyAction(c.key, c.mods, c.study, c.copy), c.expected)
            << c.key << " " << c.mods.toInt();
}

TEST(MainCommands, CommandsNeedWhatTheyActOn)
{
    using C = WorksheetHost::Command;
    const CommandContext none{false, false, false, true};
    const CommandContext copy{true, false, false, true};
    const CommandContext master{true, true, false, true};
    const CommandContext learner{true, true, true, true};
    struct Case
    {
        C command;
        CommandContext context;
        bool enabled;
    };
    const Case cases[] = {
        {C::SaveMaster, master, true},  {C::SaveMaster, copy, false},
        {C::Print, copy, true},         {C::Print, none, false},
        {C::Paper, none, false},        {C::PrintMode, none, true},
        {C::ToggleAnswers, none, true}, {C::ToggleAnswers, learner, false},
        {C::Open, none, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MainCommandEnabled(c.command, c.context), c.enabled)
            << static_cast<int>(c.command);
    EXPECT_EQ(EditIndexRefusal(0), std::nullopt);
    EXPECT_EQ(EditIndexRefusal(2), QStringLiteral("開いているファイルをすべて閉じてください"));
}

TEST(MainCommands, CopyFileNamesTakeTheirExtension)
{
    struct Case
    {
        QString typed, name, error;
    };
    const Case cases[] = {
        {"/c/Matome1", "/c/Matome1.prp", ""},
        {"/c/Matome1.prp", "/c/Matome1.prp", ""},
        {"/c/Matome1.PRP", "/c/Matome1.PRP", ""}, // the extension compares lower-cased
        {"/c/Matome1.que", "/c/Matome1.que", "/c/Matome1.que:拡張子が不正です"},
    };
    for (const Case& c : cases) {
        const CopyFileName checked = CheckCopyFileName(c.typed);
        EXPECT_EQ(checked.name, c.name) << c.typed.toStdString();
        EXPECT_EQ(checked.error, c.error) << c.typed.toStdString();
    }
}

TEST(MainCommands, PaperAndMenusFollowTheRules)
{
    EXPECT_FALSE(PaperChoiceApplies(Paper::A4, Paper::A4));
    EXPECT_TRUE(PaperChoiceApplies(Paper::A4, Paper::B5));
    EXPECT_TRUE(PaperChoiceApplies(Paper::A4, std::nullopt));
    EXPECT_TRUE(PaperChoiceApplies(Paper::B4, Paper::B4));

    EXPECT_EQ(MainMenuVisibility(false, false), (MenuVisibility{true, true, true, true}));
    EXPECT_EQ(MainMenuVisibility(false, true), (MenuVisibility{false, false, true, true}));
    EXPECT_EQ(MainMenuVisibility(true, false), (MenuVisibility{false, false, false, false}));

    // Every item of the table has its own object name, which the tests find it by.
    QStringList names;
    for (const Menu& menu : MainMenuTable())
        for (const MenuItem& item : menu.items) {
            EXPECT_FALSE(names.contains(item.name)) << item.name.toStdString();
            names.append(item.name);
        }
    EXPECT_TRUE(names.contains("mnuEditIndex"));
    EXPECT_TRUE(MenuItemEnabled(MenuEnabled::SheetActive, true, true));
    EXPECT_FALSE(MenuItemEnabled(MenuEnabled::SheetActive, false, true));
    EXPECT_FALSE(MenuItemEnabled(MenuEnabled::SheetsOpen, true, false));
}
