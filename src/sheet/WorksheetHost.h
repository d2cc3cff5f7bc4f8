#pragma once

#include "sheet/PageComposer.h"
#include "sheet/SheetBuilder.h"

#include <optional>

class QKeyEvent;

namespace zendra {

class TfrmPrint;
struct Sheet;
struct UnitChoice;
class UnitReader;

// What a worksheet window needs of the main window: the application-wide controls it
// composes with, the controls it loads on activation, and the commands its menu and close
// question run. The main window implements it; tests may give a window a stand-in.
class WorksheetHost
{
public:
    // The main window's commands that the worksheet's own menu offers.
    enum class Command {
        Open,          // ファイル › 開く
        OpenCopy,      // ファイル › コピーファイルを開く
        SaveMaster,    // ファイル › 上書き保存
        SavePdf,       // ファイル › PDFに保存
        Print,         // ファイル › 印刷
        Exit,          // ファイル › 終了
        EditIndex,     // 編集 › 目次作成
        SchoolName,    // 編集 › 学校名・塾名
        EditMaster,    // 編集 › 編集
        EditCopy,      // 編集 › コピーファイルの編集 (the header dialog)
        ToggleAnswers, // 表示 › 解答表示
        PrintMode,     // 設定 › 印字モードの設定
        AnswerBoxes,   // 設定 › 解答欄の設定
        Paper,         // 設定 › 用紙サイズとオプションの設定
    };

    virtual ~WorksheetHost() = default;

    // Runs one of the main window's commands for this sheet.
    virtual void runCommand(Command command) = 0;
    // Whether a command is available now (the menu item is enabled accordingly).
    virtual bool commandEnabled(Command command) const = 0;

    // The inputs of a composition as the main window's controls and dialogs hold them now.
    virtual ComposeInputs composeInputs() const = 0;
    // Activation: the sheet became the active one; load the main window's and dialogs'
    // controls from it without marking it changed.
    virtual void sheetActivated(TfrmPrint* sheet) = 0;
    // The window is closing for good: forget it (list of open sheets, active pointer).
    virtual void sheetClosed(TfrmPrint* sheet) = 0;
    // The close question was answered Yes: save the sheet (over its master when its title is
    // generated, otherwise as a copy file). False keeps the window open.
    virtual bool saveSheet(TfrmPrint* sheet) = 0;
    // A rectangle of the page was marked, or the mark was removed.
    virtual void areaMarked(TfrmPrint* sheet, bool marked) = 0;
    // Keys pressed in the worksheet go to the main window's key handler.
    virtual void forwardKey(QKeyEvent* event) = 0;
    // The main window shows the reduced page instead of the full one.
    virtual bool reducedView() const = 0;
    // The unit chooser in its add mode, for the header dialog's add button.
    virtual std::optional<UnitChoice> chooseUnitToAdd() = 0;
    // The program folder and the tables of the index, for adding units and loading figures.
    virtual CoursewareContext courseware() const = 0;
    // Learner mode: the worksheet's own teacher menus are hidden.
    virtual bool keyLocked() const = 0;
    // The program's one unit reader: the titles of added units follow from its earlier reads.
    virtual UnitReader& unitReader() = 0;
};

} // namespace zendra
