#pragma once

#include "app/AppState.h"
#include "app/LayoutCommands.h"
#include "app/LayoutSettings.h"
#include "app/MainMenus.h"
#include "app/PrintCommands.h"
#include "app/WidgetSheetArea.h"
#include "courseware/UnitReader.h"
#include "sheet/WorksheetHost.h"

#include <QMainWindow>

#include <functional>

class QPrinter;

namespace zendra {

struct ControlValues;
class TfrmHelp;
class TfrmInputName;
class TfrmMenu;
class TfrmOpenPRP;
class TfrmPrint;
class MainMenuBar;
class WidgetMainPanel;

// The main frame: it owns the program-wide state, wires the left panel, the menus and the
// document area to the commands, and is the host of every worksheet window. What the
// commands decide lives in MainCommands, MainMenus and LayoutSettings.
class TfrmMain : public QMainWindow, public WorksheetHost
{
    Q_OBJECT

public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    AppState& state() { return state_; }
    QMdiArea* mdiArea() const { return sheets_; }

    // Runs the start sequence; false when the program must end.
    bool FormShow();

    enum OpenResult { Opened = 1, AlreadyOpen = 2, NotFound = 4 };

    bool OpenMaster();
    int OpenUnit(const UnitChoice& choice, bool replace);
    bool OpenCopyFile();
    void ActivateSheet(int index) { sheets_->activate(index); }
    void closeAllSheets() { sheets_->closeAll(); }

    TfrmPrint* activeSheet() const { return active_; }
    const QStringList& openSheetList() const { return sheets_->keys(); }
    bool answersShown() const { return answersShown_; }

    // The commands of the left panel and the menus.
    void btnOpenMasterClick();
    void btnTestClick();
    void btnLogOnClick();
    void btnClassRecordsClick();
    void btnFukushuClick();
    void btnSaveClick();
    void btnSaveMasterClick();
    void btnSaveCopyClick();
    void btnEditMasterClick();
    void btnEditCopyClick();
    void btnKaitouClick();
    void btnLockClick();
    // 編集 › 先生用パスワードの設定: the password that leaving learner mode asks for.
    void mnuTeacherPasswordClick();
    void btnFpCloseClick();
    void btnScrollClick();
    void btnCopyClick();
    void btnCancelClick();
    void mnuJukuClick() { layout_->schoolName(); }
    void mnuEditIndexClick();
    void showHelp(int context);
    void mnuSetKranClick() { layout_->answerBoxes(); }
    void mnuSetPaperClick() { layout_->choosePaper(); }
    void mnuSetPrinterClick();
    void btnStartPrintClick();
    // File › PDFに保存: the sheet at printer resolution, numbered as the print mode says.
    void mnuSavePdfClick();
    QPrinter& printer() { return print_->printer(); }
    void applyLock(bool locked);
    // 縮小/拡大: the active sheet shows its reduced page or the full one; the button's new
    // caption.
    QString ToggleReduced() { return layout_->toggleReduced(); }

    // The study window, shown modally on a sheet; the start sequence sets it. Until one is
    // set, the study button and the Enter key do nothing.
    void setStudyWindow(std::function<void(TfrmPrint*)> show);

    // WorksheetHost
    void runCommand(Command command) override;
    bool commandEnabled(Command command) const override;
    ComposeInputs composeInputs() const override;
    // The inputs of a given sheet with this window's controls, whichever sheet is active.
    ComposeInputs composeInputs(const Sheet& sheet) const;
    void sheetActivated(TfrmPrint* sheet) override;
    void sheetClosed(TfrmPrint* sheet) override;
    bool saveSheet(TfrmPrint* sheet) override;
    void areaMarked(TfrmPrint* sheet, bool marked) override;
    void forwardKey(QKeyEvent* event) override;
    bool reducedView() const override { return layout_->reduced(); }
    std::optional<UnitChoice> chooseUnitToAdd() override;
    CoursewareContext courseware() const override
    {
        return {state_.programFolder, state_.lessonTable, state_.sectionUnits};
    }
    bool keyLocked() const override { return state_.keyLocked; }
    UnitReader& unitReader() override { return reader_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class MainStudyHost; // the study window's view of this window
    void wirePanel();
    void runMenu(MenuCommand command);
    void hidePanels();
    // The answer display of the panel; off in learner mode whatever is asked.
    void setAnswersShown(bool shown);
    bool inputFieldHasFocus() const;
    void enableCopyButtons(bool enabled);
    void updateMenus();
    TfrmPrint* addSheetWindow(struct Sheet&& sheet);
    bool saveMaster(TfrmPrint* sheet);
    bool saveCopy(TfrmPrint* sheet);
    void changeLayout(LayoutControl control, int value);
    ControlValues controlValues() const;

    AppState state_;
    UnitReader reader_;
    std::function<void(TfrmPrint*)> showStudyWindow_;
    bool answersShown_ = false;
    TfrmPrint* active_ = nullptr;
    // A sheet drawn again while another one is active takes its own layout values.
    TfrmPrint* redrawing_ = nullptr;

    WidgetMainPanel* panel_ = nullptr;
    WidgetSheetArea* sheets_ = nullptr;
    MainMenuBar* menus_ = nullptr;

    TfrmMenu* frmMenu_ = nullptr;
    TfrmInputName* frmInputName_ = nullptr;
    TfrmOpenPRP* frmOpenPRP_ = nullptr;
    TfrmHelp* frmHelp_ = nullptr;
    PrintCommands* print_ = nullptr;
    LayoutCommands* layout_ = nullptr;
};

} // namespace zendra
