#pragma once

#include "sheet/WorksheetHost.h"

#include <QKeySequence>
#include <QList>
#include <QString>

#include <optional>

namespace zendra {

// The items of the main window's own menus. While a worksheet is open its window menus
// stand in for ファイル and 編集 (see MainMenuVisibility).
enum class MenuCommand {
    Open,
    OpenCopy,
    SavePdf,
    Exit,
    EditIndex,
    SchoolName,
    EditCopy,
    TeacherPassword,
    Maximize,
    Tile,
    Cascade,
    CloseAll,
    HowTo,
    Version,
    DoYouKnow,
    Hosoku,
};

// When an item can be chosen: always; while a sheet is active (checked as its menu opens);
// or while any sheet is open (the window menu, built as it opens).
enum class MenuEnabled { Always, SheetActive, SheetsOpen };

struct MenuItem
{
    QString caption;
    QString name; // object name, found by tests
    MenuCommand command;
    MenuEnabled enabled = MenuEnabled::Always;
    bool separatorBefore = false;
    QKeySequence shortcut = {};
};

struct Menu
{
    QString caption;
    QString name;
    QList<MenuItem> items;
    // The window menu lists the open sheets after its items, and is built anew as it opens.
    bool listsSheets = false;
};

// ファイル, 編集, ウィンドウ and ヘルプ, in menu-bar order.
const QList<Menu>& MainMenuTable();

bool MenuItemEnabled(MenuEnabled rule, bool sheetActive, bool anySheetOpen);

// The worksheet command an item runs, for the items that the worksheet's menus offer too.
std::optional<WorksheetHost::Command> SheetCommandOf(MenuCommand command);

// Which of the main window's menus show. A learner sees only ヘルプ, without ご存じですか;
// while a worksheet is open its own ファイル and 編集 menus stand in for these, as document
// menus replace the frame's, since two menus with one access key would open neither.
struct MenuVisibility
{
    bool file = true;
    bool edit = true;
    bool window = true;
    bool doYouKnow = true;
    bool operator==(const MenuVisibility&) const = default;
};
MenuVisibility MainMenuVisibility(bool keyLocked, bool anySheetOpen);

} // namespace zendra
