#include "app/TfrmMain.h"

#include "app/MainCommands.h"
#include "app/MainMenuBar.h"
#include "app/MainStudyHost.h"
#include "app/Startup.h"
#include "app/TfrmHelp.h"
#include "app/TfrmMenu.h"
#include "app/TfrmVersion.h"
#include "app/WidgetMainPanel.h"
#include "app/WidgetTipsPanel.h"
#include "authoring/TfrmEditIndex.h"
#include "authoring/TfrmEditQues.h"
#include "authoring/TfrmOpenPRP.h"
#include "authoring/TfrmZenTangen.h"
#include "learners/LogOn.h"
#include "learners/TfrmInputName.h"
#include "learners/TfrmKiroku.h"
#include "learners/TfrmPassword.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "sheet/SheetBuilder.h"
#include "sheet/SheetOutput.h"
#include "sheet/TfrmPrint.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTextEdit>
#include <QUrl>

namespace zendra {

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kApplicationTitle);

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    panel_ = new WidgetMainPanel(this, this);
    panel_->setParent(central);
    sheets_ = new WidgetSheetArea(central);
    layout->addWidget(panel_);
    layout->addWidget(sheets_, 1);
    setCentralWidget(central);
    wirePanel();
    menus_ = new MainMenuBar(
        menuBar(), MainMenuTable(),
        {[this](MenuCommand c) { runMenu(c); }, [this] { return active_ != nullptr; },
         [this] { return sheets_->keys(); }, [this](int i) { ActivateSheet(i); }});
    connect(sheets_->tips(), &WidgetTipsPanel::helpRequested, this, &TfrmMain::showHelp);
    connect(sheets_, &WidgetSheetArea::keyPressed, this, &TfrmMain::forwardKey);

    if (const QScreen* screen = QApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        setGeometry(area.left(), area.top(), area.width(), area.height() - 28);
    }
    state_.titleWindowSize = QSize(width() - panel_->width() - 10, panel_->height());
    state_.mainFontName = QStringLiteral("ＭＳ 明朝");

    frmMenu_ = new TfrmMenu(state_, this);
    frmInputName_ = new TfrmInputName(this);
    frmMenu_->setLogOn([this] { btnLogOnClick(); });
    frmHelp_ = new TfrmHelp(this);
    frmMenu_->recordsWindow()->openHelp = [this](int context) { showHelp(context); };
    layout_ = new LayoutCommands(this, state_, *panel_,
                                 {[this] { return active_; }, [this] { hidePanels(); },
                                  [this] {
                                      if (!answersShown_)
                                          btnKaitouClick();
                                  },
                                  [this] { btnScrollClick(); }});
    print_ = new PrintCommands(this);
    // The all-units window prints on the printer the teacher set up, as the sheets do.
    frmMenu_->allUnitsWindow()->setPrinter(&print_->printer());
    connect(print_, &PrintCommands::modeChanged, this, [this] {
        if (active_)
            active_->Redraw();
    });
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::wirePanel()
{
    const auto onClick = [this](QPushButton* button, void (TfrmMain::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    WidgetMainPanel& p = *panel_;
    onClick(p.btnOpenMaster, &TfrmMain::btnOpenMasterClick);
    onClick(p.btnSave, &TfrmMain::btnSaveClick);
    onClick(p.btnSaveMaster, &TfrmMain::btnSaveMasterClick);
    onClick(p.btnSaveCopy, &TfrmMain::btnSaveCopyClick);
    onClick(p.btnEdit, &TfrmMain::btnEditMasterClick);
    onClick(p.btnTest, &TfrmMain::btnTestClick);
    onClick(p.btnLogOn, &TfrmMain::btnLogOnClick);
    onClick(p.btnClassRecords, &TfrmMain::btnClassRecordsClick);
    onClick(p.btnFukushu, &TfrmMain::btnFukushuClick);
    onClick(p.btnKran, &TfrmMain::mnuSetKranClick);
    onClick(p.btnStartPrint, &TfrmMain::btnStartPrintClick);
    onClick(p.btnKaitou, &TfrmMain::btnKaitouClick);
    onClick(p.btnFpClose, &TfrmMain::btnFpCloseClick);
    onClick(p.btnScroll, &TfrmMain::btnScrollClick);
    onClick(p.btnLock, &TfrmMain::btnLockClick);
    onClick(p.btnCopy, &TfrmMain::btnCopyClick);
    onClick(p.btnCancel, &TfrmMain::btnCancelClick);
    connect(p.btnShukusho, &QPushButton::clicked, this, [this] { layout_->toggleReduced(); });
    connect(p.chkBekkai, &QCheckBox::clicked, this, [this] {
        if (active_)
            active_->Redraw();
    });
    connect(panel_, &WidgetMainPanel::paperClicked, this,
            [this](int w) { layout_->applyPaper(w); });
    connect(panel_, &WidgetMainPanel::layoutChanged, this, &TfrmMain::changeLayout);
}

void TfrmMain::changeLayout(LayoutControl control, int value)
{
    if (!active_)
        return;
    ApplyLayoutValue(active_->sheet(), control, value);
    active_->Redraw();
}

void TfrmMain::runMenu(MenuCommand command)
{
    if (const std::optional<Command> sheetCommand = SheetCommandOf(command))
        return runCommand(*sheetCommand);
    if (sheets_->runWindowCommand(command))
        return;
    switch (command) {
    case MenuCommand::HowTo:
        return showHelp(0);
    case MenuCommand::Version:
        TfrmVersion(this).exec();
        return;
    case MenuCommand::DoYouKnow:
        return sheets_->showTips();
    case MenuCommand::TeacherPassword:
        return mnuTeacherPasswordClick();
    case MenuCommand::Hosoku:
        QDesktopServices::openUrl(
            QUrl::fromLocalFile(state_.programFolder + QStringLiteral("hosoku.htm")));
        return;
    default:
        return;
    }
}

void TfrmMain::mnuSetPrinterClick()
{
    print_->chooseMode();
}

void TfrmMain::btnStartPrintClick()
{
    hidePanels();
    if (!active_)
        return;
    if (layout_->reduced())
        layout_->toggleReduced();
    TfrmPrint* frm = active_;
    print_->print(frm, panel_->checkedPaper().value_or(Paper::A4),
                  [this, frm] { return composeInputs(frm->sheet()); });
}

void TfrmMain::mnuSavePdfClick()
{
    if (active_ && print_->savePdf(state_.programFolder, state_.lessonTable, active_->sheet(),
                                   composeInputs()))
        active_->Redraw();
}

bool TfrmMain::FormShow()
{
    if (!RunStartSequence(state_, DefaultStartupEnvironment()))
        return false;
    RestoreLearner(state_, [this](PasswordCheck& check) {
        return frmInputName_->passwordDialog()->execFor(check) == QDialog::Accepted;
    });
    sheets_->tips()->setShowNextTime(state_.showTipsNextTime);
    answersShown_ = false;
    btnKaitouClick(); // ends with the answers shown, as the button leaves them
    panel_->edtLogOnName->setText(state_.learnerName);
    applyLock(state_.keyLocked);

    sheets_->showTitle(state_.titlePicture);
    frmOpenPRP_ = new TfrmOpenPRP(state_.programFolder, this);
    new MainStudyHost(*this); // the study window, made once; the study command shows it
    panel_->btnTest->setFocus();
    return true;
}

TfrmPrint* TfrmMain::addSheetWindow(Sheet&& sheet)
{
    TfrmPrint* frm = sheets_->open(std::move(sheet), *this);
    updateMenus();
    if (active_ != frm)
        frm->FormActivate();
    return frm;
}

bool TfrmMain::OpenMaster()
{
    if (!FileMustExist(coursewarePath(state_.programFolder, QStringLiteral("Main.ind"))))
        return false;
    setAnswersShown(true);
    frmMenu_->setMode(UnitChooser::Purpose::Open);
    if (frmMenu_->exec() != QDialog::Accepted)
        return false;
    int r = OpenUnit(state_.currentUnit, false);
    if (r == Opened)
        return true;
    if (r == AlreadyOpen)
        return false;
    if (Messages::instance().askYesNo(QStringLiteral("単元がありません\r\n新規作成しますか?")) !=
        Messages::Answer::Yes)
        return false;
    TfrmEditQues editor(state_.programFolder, state_.lessonTable, this);
    editor.setContext(state_.currentUnit, true, nullptr, state_.chosenTitles.unit, {});
    if (editor.exec() != QDialog::Accepted)
        return false;
    r = OpenUnit(state_.currentUnit, false);
    return r == Opened;
}

int TfrmMain::OpenUnit(const UnitChoice& choice, bool replace)
{
    const UnitNames names = MakeUnitNames(state_.programFolder, state_.lessonTable, choice);
    if (!QFileInfo(names.masterPath).isFile())
        return NotFound;
    if (!replace && sheets_->activateIfOpen(names.windowId))
        return AlreadyOpen;
    sheets_->discard(names.windowId);
    std::optional<Sheet> sheet = OpenMasterSheet(courseware(), choice, reader_, answersShown_);
    if (!sheet)
        return NotFound;
    TfrmPrint* frm = addSheetWindow(std::move(*sheet));
    frm->sheet().changed = false;
    frm->setFocus();
    return Opened;
}

bool TfrmMain::OpenCopyFile()
{
    for (;;) {
        if (frmOpenPRP_->exec() != QDialog::Accepted)
            break;
        const CopyFileName name = CheckCopyFileName(frmOpenPRP_->fileName());
        if (!name.error.isEmpty()) {
            ShowMessage(name.error);
            continue;
        }
        if (!FileMustExist(name.name))
            break;
        if (sheets_->activateIfOpen(name.name))
            break;
        // The file lies in the lesson chosen in the opener; its figures are in that lesson's
        // Graph folder, whichever sheet is active.
        std::optional<Sheet> sheet =
            OpenCopySheet(state_.programFolder, state_.lessonTable, frmOpenPRP_->lesson(),
                          name.name, reader_, answersShown_);
        if (sheet)
            addSheetWindow(std::move(*sheet));
        break;
    }
    setAnswersShown(true);
    return active_ != nullptr;
}

void TfrmMain::enableCopyButtons(bool enabled)
{
    panel_->enableCopy(enabled, active_);
}

void TfrmMain::hidePanels()
{
    panel_->hideSavePanel(active_);
}

void TfrmMain::btnOpenMasterClick()
{
    hidePanels();
    if (OpenMaster() && active_)
        active_->sheet().changed = false;
}

void TfrmMain::setStudyWindow(std::function<void(TfrmPrint*)> show)
{
    showStudyWindow_ = std::move(show);
    panel_->btnTest->setEnabled(static_cast<bool>(showStudyWindow_));
}

void TfrmMain::btnTestClick()
{
    const bool wasOpen = active_ != nullptr;
    if (!wasOpen) {
        hidePanels();
        if (!OpenMaster() || !active_)
            return;
        active_->sheet().changed = false;
    } else {
        active_->scrollToTop();
    }
    TfrmPrint* studied = active_;
    const bool saved = answersShown_;
    answersShown_ = false;
    studied->sheet().answersShown = false;
    if (showStudyWindow_)
        showStudyWindow_(studied);
    // The button's own toggle restores the saved state and redraws.
    answersShown_ = !saved;
    btnKaitouClick();
    if (!wasOpen) {
        studied->sheet().changed = false;
        sheets_->closeSheet(studied->sheet().source.windowKey);
    }
}

void TfrmMain::btnSaveClick()
{
    if (active_)
        panel_->openSavePanel(active_->sheet().source.unitNumber > 0);
}

bool TfrmMain::saveMaster(TfrmPrint* frm)
{
    const FileStamp before = frm->sheet().masterStamp;
    switch (SaveSheetMaster(state_.programFolder, state_.lessonTable, frm->sheet())) {
    case MasterSave::Saved:
        // Other sheets that had read the same file as this one know it as this save left
        // it: the change is this program's own, not someone else's.
        for (TfrmPrint* other : sheets_->sheets())
            if (other != frm && other->sheet().source.fileName == frm->sheet().source.fileName &&
                other->sheet().masterStamp.exists &&
                other->sheet().masterStamp.sameContents(before))
                other->sheet().masterStamp = frm->sheet().masterStamp;
        return true;
    case MasterSave::AsCopy:
        return saveCopy(frm);
    case MasterSave::Failed:
        break;
    }
    return false;
}

bool TfrmMain::saveCopy(TfrmPrint* frm)
{
    Sheet& sheet = frm->sheet();
    const QString key = sheet.source.windowKey;
    const std::optional<QString> path =
        SaveSheetCopy(state_.programFolder, state_.lessonTable, sheet, composeInputs(sheet));
    if (!path)
        return false;
    sheets_->rename(key, *path);
    frm->setWindowTitle(*path);
    return true;
}

void TfrmMain::btnSaveMasterClick()
{
    TfrmPrint* frm = active_;
    hidePanels();
    if (frm && frm->sheet().source.unitNumber > 0)
        saveMaster(frm);
}

void TfrmMain::btnSaveCopyClick()
{
    TfrmPrint* frm = active_;
    hidePanels();
    if (frm)
        saveCopy(frm);
}

void TfrmMain::btnEditMasterClick()
{
    hidePanels();
    if (!active_)
        return;
    // A sheet from a copy file has no master unit to edit: what it keeps of its own is the
    // header and the questions, which the header dialog edits.
    if (active_->sheet().source.choice.section < 1) {
        btnEditCopyClick();
        return;
    }
    Sheet& sheet = active_->sheet();
    TfrmEditQues editor(state_.programFolder, state_.lessonTable, this);
    editor.setContext(sheet.source.choice, false, &sheet, sheet.source.titles.unit,
                      sheet.composed.lineStarts);
    if (editor.exec() != QDialog::Accepted)
        return;
    // Sets made while the editor was open come up as a sheet of their own; the unit's sheet
    // stays as it is.
    if (editor.createdVariant() > 0) {
        UnitChoice set = editor.position();
        set.variant = editor.createdVariant();
        OpenUnit(set, true);
        return;
    }
    OpenUnit(editor.position(), true);
}

void TfrmMain::btnEditCopyClick()
{
    hidePanels();
    if (active_)
        active_->editHeader();
}

void TfrmMain::setAnswersShown(bool shown)
{
    // In learner mode no sheet shows its answers, whatever asks for them.
    answersShown_ = shown && !state_.keyLocked;
    state_.answersShown = answersShown_;
    panel_->showAnswers(answersShown_);
}

void TfrmMain::btnKaitouClick()
{
    setAnswersShown(!answersShown_);
    if (active_) {
        active_->sheet().answersShown = answersShown_;
        active_->Redraw();
    }
}

void TfrmMain::updateMenus()
{
    menus_->show(MainMenuVisibility(state_.keyLocked, !sheets_->keys().isEmpty()));
}

void TfrmMain::btnFpCloseClick()
{
    if (active_)
        sheets_->closeSheet(active_->sheet().source.windowKey);
}

void TfrmMain::btnScrollClick()
{
    if (active_)
        active_->scrollToggle();
}

void TfrmMain::btnCopyClick()
{
    if (!active_)
        return;
    QGuiApplication::clipboard()->setImage(CopiedArea(active_->pageImage(), active_->markedArea()));
    btnCancelClick();
}

void TfrmMain::btnCancelClick()
{
    if (active_)
        active_->clearMark();
    enableCopyButtons(false);
}

void TfrmMain::showHelp(int context)
{
    frmHelp_->showContext(context);
}

void TfrmMain::runCommand(Command command)
{
    using Handler = void (TfrmMain::*)();
    static const std::pair<Command, Handler> handlers[] = {
        {Command::Open, &TfrmMain::btnOpenMasterClick},
        {Command::SavePdf, &TfrmMain::mnuSavePdfClick},
        {Command::EditCopy, &TfrmMain::btnEditCopyClick},
        {Command::SaveMaster, &TfrmMain::btnSaveMasterClick},
        {Command::SchoolName, &TfrmMain::mnuJukuClick},
        {Command::EditMaster, &TfrmMain::btnEditMasterClick},
        {Command::ToggleAnswers, &TfrmMain::btnKaitouClick},
        {Command::AnswerBoxes, &TfrmMain::mnuSetKranClick},
        {Command::Paper, &TfrmMain::mnuSetPaperClick},
        {Command::Print, &TfrmMain::btnStartPrintClick},
        {Command::PrintMode, &TfrmMain::mnuSetPrinterClick},
    };
    for (const auto& [which, handler] : handlers)
        if (which == command)
            return (this->*handler)();
    if (command == Command::OpenCopy)
        OpenCopyFile();
    else if (command == Command::Exit)
        close();
    else if (command == Command::EditIndex)
        mnuEditIndexClick();
}

void TfrmMain::mnuEditIndexClick()
{
    if (const std::optional<QString> refusal = EditIndexRefusal(sheets_->keys().size())) {
        ShowMessage(*refusal);
        return;
    }
    TfrmEditIndex editor(state_.programFolder, state_.lessonTable, this);
    editor.openHelp = [this](int context) { showHelp(context); };
    editor.setLearner(state_.learnerName);
    editor.exec();
    // The chooser reloads its lists at its next showing.
    if (editor.saved())
        state_.indexChanged = true;
}

bool TfrmMain::commandEnabled(Command command) const
{
    return MainCommandEnabled(command, {active_ != nullptr,
                                        active_ && active_->sheet().source.unitNumber > 0,
                                        state_.keyLocked, panel_->btnKaitou->isEnabled()});
}

ComposeInputs TfrmMain::composeInputs() const
{
    const TfrmPrint* frm = redrawing_ ? redrawing_ : active_;
    return frm ? composeInputs(frm->sheet()) : WithControls({}, controlValues());
}

ComposeInputs TfrmMain::composeInputs(const Sheet& sheet) const
{
    ControlValues controls = controlValues();
    // The spins hold the active sheet's values; any other sheet is laid out with its own.
    if (!active_ || &active_->sheet() != &sheet) {
        controls.mojiSize = LayoutValue(sheet, LayoutControl::CharacterSize);
        controls.gyouSpace = LayoutValue(sheet, LayoutControl::LineSpacing);
    }
    return WithControls(InputsFromSheet(sheet), controls);
}

ControlValues TfrmMain::controlValues() const
{
    return {panel_->spnMojiSize->value(),
            panel_->spnGyouSpace->value(),
            panel_->chkBekkai->isChecked(),
            print_->numbered(),
            print_->startNumber(),
            state_.schoolName,
            state_.learnerName};
}

void TfrmMain::sheetActivated(TfrmPrint* frm)
{
    active_ = frm;
    // Loading the controls must not count as the teacher changing the sheet.
    panel_->loadSheet(frm->sheet());
    panel_->enableLayoutSpins(true);
    answersShown_ = frm->sheet().answersShown;
    panel_->showAnswers(answersShown_);
}

void TfrmMain::sheetClosed(TfrmPrint* frm)
{
    sheets_->forget(frm->sheet().source.windowKey);
    updateMenus();
    if (active_ == frm) {
        active_ = nullptr;
        enableCopyButtons(false);
        panel_->enableLayoutSpins(false);
    }
}

bool TfrmMain::saveSheet(TfrmPrint* frm)
{
    return frm->sheet().titleGenerated ? saveMaster(frm) : saveCopy(frm);
}

void TfrmMain::areaMarked(TfrmPrint*, bool marked)
{
    enableCopyButtons(marked);
}

std::optional<UnitChoice> TfrmMain::chooseUnitToAdd()
{
    frmMenu_->setMode(UnitChooser::Purpose::Add);
    if (frmMenu_->exec() != QDialog::Accepted)
        return std::nullopt;
    return state_.currentUnit;
}

void TfrmMain::forwardKey(QKeyEvent* event)
{
    keyPressEvent(event);
}

void TfrmMain::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape typed into an input field belong to that field: the spin has taken
    // its value, and neither starts the study nor closes a sheet.
    const bool fieldKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                          event->key() == Qt::Key_Escape;
    if (fieldKey && inputFieldHasFocus()) {
        event->accept();
        return;
    }
    const MainKey key = MainKeyAction(event->key(), event->modifiers(),
                                      panel_->btnTest->isEnabled(), panel_->btnCopy->isEnabled());
    if (key == MainKey::Study)
        panel_->btnTest->click();
    else if (key == MainKey::Exit)
        close();
    else if (key == MainKey::CloseSheet)
        btnFpCloseClick();
    else if (key == MainKey::Scroll)
        btnScrollClick();
    else if (key == MainKey::Copy)
        btnCopyClick();
    event->accept();
}

bool TfrmMain::inputFieldHasFocus() const
{
    // This window's focus, also while a dialog it opened is still giving activation back.
    const QWidget* focus = focusWidget();
    if (!focus)
        return false;
    if (const auto* combo = qobject_cast<const QComboBox*>(focus))
        return combo->isEditable();
    return qobject_cast<const QLineEdit*>(focus) || qobject_cast<const QAbstractSpinBox*>(focus) ||
           qobject_cast<const QPlainTextEdit*>(focus) || qobject_cast<const QTextEdit*>(focus);
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    closeAllSheets();
    if (!sheets_->keys().isEmpty()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace zendra
