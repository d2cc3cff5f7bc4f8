#pragma once

#include "app/AppState.h"
#include "courseware/UnitReader.h"
#include "sheet/WorksheetHost.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace zendra {

class TfrmDummy;
class TfrmHelp;
class TfrmInputName;
class TfrmMenu;
class TfrmOpenPRP;
class TfrmPrint;
class TfrmPrintMode;
class TfrmSetPaper;
class TfrmSettei;

// The main frame: the program-wide state, the left button panel, the menus and the MDI
// area where worksheets open. It is the host of every worksheet window.
class TfrmMain : public QMainWindow, public WorksheetHost
{
    Q_OBJECT

public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    AppState& state() { return state_; }
    QMdiArea* mdiArea() const { return mdiArea_; }

    // Runs the start sequence; false when the program must end.
    bool FormShow();

    enum OpenResult { Opened = 1, AlreadyOpen = 2, NotFound = 4 };

    bool OpenMaster();
    int OpenUnit(const UnitChoice& choice, bool replace);
    bool OpenCopyFile();
    int FindOpenSheet(const QString& identifier) const;
    void ActivateSheet(int index);
    void closeAllSheets();

    TfrmPrint* activeSheet() const { return active_; }
    const QStringList& openSheetList() const { return lstWindow_; }
    bool answersShown() const { return answersShown_; }

    // The commands of the left panel and the menus.
    void btnOpenMasterClick();
    void btnTestClick();
    void btnLogOnClick();
    void btnSaveClick();
    void btnSaveMasterClick();
    void btnSaveCopyClick();
    void btnEditMasterClick();
    void btnEditCopyClick();
    void btnKaitouClick();
    void btnLockClick();
    void btnFpCloseClick();
    void btnScrollClick();
    void btnCopyClick();
    void btnCancelClick();
    void mnuJukuClick();
    void showHelp(int context);
    void mnuSetKranClick();
    void mnuSetPaperClick();
    void mnuSetPrinterClick();
    void btnStartPrintClick();
    // File › PDFに保存: the sheet at printer resolution, numbered as the print mode says.
    void mnuSavePdfClick();
    QPrinter& printer() { return *printer_; }
    void applyLock(bool locked);
    // The paper radio buttons: the active sheet takes the paper (back to full size first).
    void ApplyPaper(int width);
    // 縮小/拡大: the active sheet shows its reduced page or the full one; the button's new
    // caption.
    QString ToggleReduced();

    // The study window, shown modally on a sheet. Study mode comes with a later version;
    // until one is set, the study button and the Enter key do nothing.
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
    bool reducedView() const override { return reducedView_; }
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
    ComposeInputs withControls(ComposeInputs in) const;
    void buildLeftPanel();
    void buildMenus();
    void buildTipsPanel();
    void hidePanels();
    void keepFocusOnSheet(const QWidget* leaving);
    void enableCopyButtons(bool enabled);
    void cascadeSheets();
    void updateMenus();
    QMdiSubWindow* subWindowOf(const QString& caption) const;
    TfrmPrint* addSheetWindow(struct Sheet&& sheet);
    bool saveMaster(TfrmPrint* sheet);
    bool saveCopy(TfrmPrint* sheet);
    void spnGyouSpaceChange(int value);
    void spnMojiSizeChange(int value);
    void chkBekkaiClick();
    void showKaitouState();
    void tipsClose();

    AppState state_;
    UnitReader reader_;
    std::function<void(TfrmPrint*)> showStudyWindow_;
    bool answersShown_ = false;
    bool reducedView_ = false;
    TfrmPrint* active_ = nullptr;
    QStringList lstWindow_;

    QMdiArea* mdiArea_ = nullptr;
    QFrame* pnlMain_ = nullptr;
    QLineEdit* edtLogOnName_ = nullptr;
    QPushButton* btnOpenMaster_ = nullptr;
    QPushButton* btnSave_ = nullptr;
    QFrame* pnlSave_ = nullptr;
    QPushButton* btnSaveMaster_ = nullptr;
    QPushButton* btnSaveCopy_ = nullptr;
    QPushButton* btnStartPrint_ = nullptr;
    QPushButton* btnEdit_ = nullptr;
    QPushButton* btnTest_ = nullptr;
    QPushButton* btnKaitou_ = nullptr;
    QCheckBox* chkBekkai_ = nullptr;
    QPushButton* btnKran_ = nullptr;
    QSpinBox* spnGyouSpace_ = nullptr;
    QSpinBox* spnMojiSize_ = nullptr;
    QSpinBox* spnGyoukanSub_ = nullptr;
    QFrame* pnlSize_ = nullptr;
    QList<QRadioButton*> paperButtons_; // B5, A4, B4, A3
    QPushButton* btnShukusho_ = nullptr;
    QList<QLabel*> layoutLabels_;
    QPushButton* btnFpClose_ = nullptr;
    QPushButton* btnScroll_ = nullptr;
    QPushButton* btnLock_ = nullptr;
    QPushButton* btnLogOn_ = nullptr;
    QFrame* pnlCopy_ = nullptr;
    QPushButton* btnCopy_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
    QMenu* mnuFile_ = nullptr;
    QMenu* mnuEdit_ = nullptr;
    QMenu* mnuWindow_ = nullptr;
    QAction* mnuDoYouKnow_ = nullptr;
    QGroupBox* grbDoYouKnow_ = nullptr;
    QCheckBox* chkNextTime_ = nullptr;

    TfrmMenu* frmMenu_ = nullptr;
    TfrmInputName* frmInputName_ = nullptr;
    TfrmOpenPRP* frmOpenPRP_ = nullptr;
    TfrmHelp* frmHelp_ = nullptr;
    TfrmSettei* frmSettei_ = nullptr;
    TfrmPrintMode* frmPrintMode_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    TfrmSetPaper* frmSetPaper_ = nullptr;
    TfrmDummy* frmDummy_ = nullptr;
    QMdiSubWindow* dummyWindow_ = nullptr;
};

} // namespace zendra
