#include "app/MainMenus.h"

namespace zendra {

const QList<Menu>& MainMenuTable()
{
    using C = MenuCommand;
    using E = MenuEnabled;
    static const QList<Menu> table = {
        {QStringLiteral("ファイル(&F)"),
         QStringLiteral("mnuFile"),
         {
             {QStringLiteral("開く(&O)"), QStringLiteral("mnuOpen"), C::Open},
             {QStringLiteral("コピーファイルを開く(&P)"), QStringLiteral("mnuOpenCopy"),
              C::OpenCopy},
             {QStringLiteral("PDFに保存…"), QStringLiteral("mnuSavePdf"), C::SavePdf,
              E::SheetActive},
             {QStringLiteral("終了(&X)"), QStringLiteral("mnuExit"), C::Exit, E::Always, true},
         }},
        {QStringLiteral("編集(&E)"),
         QStringLiteral("mnuEdit"),
         {
             {QStringLiteral("目次作成(&C)"), QStringLiteral("mnuEditIndex"), C::EditIndex},
             {QStringLiteral("学校名・塾名(&J)"), QStringLiteral("mnuJuku"), C::SchoolName},
             {QStringLiteral("コピーファイルの編集(&H)"), QStringLiteral("mnuEditCopy"),
              C::EditCopy, E::SheetActive},
             {QStringLiteral("先生用パスワードの設定(&P)…"), QStringLiteral("mnuTeacherPassword"),
              C::TeacherPassword, E::Always, true},
         }},
        {QStringLiteral("ウィンドウ(&W)"),
         QStringLiteral("mnuWindow"),
         {
             {QStringLiteral("最大表示(&M)"), QStringLiteral("mnuLarge"), C::Maximize,
              E::SheetsOpen},
             {QStringLiteral("タイル表示(&T)"), QStringLiteral("mnuTile"), C::Tile, E::SheetsOpen},
             {QStringLiteral("カスケード表示(&C)"), QStringLiteral("mnuCascade"), C::Cascade,
              E::SheetsOpen},
             {QStringLiteral("すべて閉じる(&A)"), QStringLiteral("mnuCloseAllWIndows"), C::CloseAll,
              E::SheetsOpen},
         },
         true},
        {QStringLiteral("ヘルプ(&H)"),
         QStringLiteral("mnuHelp"),
         {
             {QStringLiteral("使い方(&U)"), QStringLiteral("mnuHowTo"), C::HowTo},
             {QStringLiteral("バージョン(&V)"), QStringLiteral("mnuVersion"), C::Version},
             {QStringLiteral("ご存じですか(&D)"), QStringLiteral("mnuDoYouKnow"), C::DoYouKnow},
             {QStringLiteral("補足"), QStringLiteral("mnuHosoku"), C::Hosoku},
         }},
    };
    return table;
}

bool MenuItemEnabled(MenuEnabled rule, bool sheetActive, bool anySheetOpen)
{
    switch (rule) {
    case MenuEnabled::Always:
        return true;
    case MenuEnabled::SheetActive:
        return sheetActive;
    case MenuEnabled::SheetsOpen:
        return anySheetOpen;
    }
    return false;
}

std::optional<WorksheetHost::Command> SheetCommandOf(MenuCommand command)
{
    using C = WorksheetHost::Command;
    switch (command) {
    case MenuCommand::Open:
        return C::Open;
    case MenuCommand::OpenCopy:
        return C::OpenCopy;
    case MenuCommand::SavePdf:
        return C::SavePdf;
    case MenuCommand::Exit:
        return C::Exit;
    case MenuCommand::EditIndex:
        return C::EditIndex;
    case MenuCommand::SchoolName:
        return C::SchoolName;
    case MenuCommand::EditCopy:
        return C::EditCopy;
    default:
        return std::nullopt;
    }
}

MenuVisibility MainMenuVisibility(bool keyLocked, bool anySheetOpen)
{
    const bool teacher = !keyLocked;
    return {teacher && !anySheetOpen, teacher && !anySheetOpen, teacher, teacher};
}

} // namespace zendra
