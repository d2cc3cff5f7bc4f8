#include "app/TfrmMain.h"

#include "app/LayoutSettings.h"
#include "app/MainCommands.h"
#include "app/Startup.h"
#include "app/TfrmDummy.h"
#include "app/TfrmHelp.h"
#include "app/TfrmJuku.h"
#include "app/TfrmMenu.h"
#include "app/TfrmPrintMode.h"
#include "app/TfrmPrintOk.h"
#include "app/TfrmSetPaper.h"
#include "app/TfrmSettei.h"
#include "app/TfrmVersion.h"
#include "authoring/QuestionEditor.h"
#include "authoring/TfrmEditQues.h"
#include "authoring/TfrmOpenPRP.h"
#include "courseware/CopyFile.h"
#include "learners/TfrmInputName.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/SettingsStore.h"
#include "platform/WidgetPrinter.h"
#include "sheet/SheetBuilder.h"
#include "sheet/SheetOutput.h"
#include "sheet/TfrmPrint.h"
#include "sheet/WidgetPrinting.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

namespace zendra {

namespace {

QPushButton* panelButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setMinimumHeight(34);
    return button;
}

QSpinBox* panelSpin(const QString& name, int minimum, int maximum, QWidget* parent)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    return spin;
}

} // namespace

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kApplicationTitle);

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildLeftPanel();
    pnlMain_->setParent(central);
    mdiArea_ = new QMdiArea(central);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    mdiArea_->setBackground(QColor(224, 224, 224));
    layout->addWidget(pnlMain_);
    layout->addWidget(mdiArea_, 1);
    setCentralWidget(central);
    buildMenus();
    buildTipsPanel();

    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        if (auto* frm = sub ? qobject_cast<TfrmPrint*>(sub->widget()) : nullptr)
            frm->FormActivate();
    });

    if (const QScreen* screen = QApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        setGeometry(area.left(), area.top(), area.width(), area.height() - 28);
    }
    state_.titleWindowSize = QSize(width() - pnlMain_->width() - 10, pnlMain_->height());
    state_.mainFontName = QStringLiteral("ＭＳ 明朝");

    frmMenu_ = new TfrmMenu(state_, this);
    frmInputName_ = new TfrmInputName(this);
    frmMenu_->setLogOn([this] { btnLogOnClick(); });
    frmHelp_ = new TfrmHelp(this);
    frmSettei_ = new TfrmSettei(this);
    frmPrintMode_ = new TfrmPrintMode(this);
    connect(frmPrintMode_, &QDialog::accepted, this, [this] {
        if (active_)
            active_->Redraw();
    });
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    frmSetPaper_ = new TfrmSetPaper(this);
    frmSetPaper_->sheetOpen = [this] { return active_ != nullptr; };
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::btnLogOnClick()
{
    frmInputName_->setPlace(LearnerPlaceOf(state_, state_.currentUnit.lesson));
    if (frmInputName_->exec() != QDialog::Accepted)
        return;
    state_.learnerName = frmInputName_->learnerName();
    edtLogOnName_->setText(state_.learnerName);
    frmMenu_->chooser().computeUnitRowPrefixes();
}

void TfrmMain::mnuSetPrinterClick()
{
    frmPrintMode_->exec();
}

void TfrmMain::btnStartPrintClick()
{
    hidePanels();
    if (!active_)
        return;
    if (reducedView_)
        ToggleReduced();
    TfrmPrint* frm = active_;
    TfrmPrintOk confirm(*printer_, this);
    QString paper = PaperName(Paper::A4);
    for (int i = 0; i < paperButtons_.size(); ++i)
        if (paperButtons_.at(i)->isChecked())
            paper = PaperName(static_cast<Paper>(i));
    confirm.setPaperName(paper);
    confirm.setStartNumber(frm->sheet().startNumber);
    confirm.print = [this, frm] {
        const PrintResult r =
            PrintOnPrinter(frm->sheet(), composeInputs(frm->sheet()),
                           {frmPrintMode_->printerResolution(), frmPrintMode_->numbered(), 0,
                            frmPrintMode_->startNumber()},
                           *printer_);
        frmPrintMode_->setStartNumber(r.nextStartNumber);
        frm->Redraw();
        return r.ok;
    };
    confirm.startNumberChanged = [frm](int number) {
        frm->sheet().startNumber = number;
        frm->sheet().changed = true;
        frm->Redraw();
    };
    confirm.exec();
}

void TfrmMain::mnuSavePdfClick()
{
    if (!active_)
        return;
    Sheet& sheet = active_->sheet();
    const QString folder =
        LessonFolder(state_.programFolder, state_.lessonTable, std::max(1, sheet.choice.lesson));
    QString path = FileDialogs::instance().saveFileName(QStringLiteral("PDFに保存"), folder,
                                                        QStringLiteral("*.pdf"));
    if (path.isEmpty())
        return;
    if (FileExtension(path).isEmpty())
        path += QStringLiteral(".pdf");
    PdfJob job;
    job.numbered = frmPrintMode_->numbered();
    job.firstNumber = frmPrintMode_->startNumber();
    if (job.numbered) {
        const std::optional<int> copies = Messages::instance().askNumber(
            QStringLiteral("PDFに保存"), QStringLiteral("部数"), 1, 1, 100);
        if (!copies)
            return;
        job.copies = *copies;
    }
    QString error;
    if (!WriteSheetPdf(sheet, composeInputs(), job, path, &error))
        ShowMessage(error);
    active_->Redraw();
}

void TfrmMain::buildLeftPanel()
{
    pnlMain_ = new QFrame(this);
    pnlMain_->setObjectName(QStringLiteral("pnlMain"));
    pnlMain_->setFixedWidth(150);
    pnlMain_->setAutoFillBackground(true);
    QPalette palette = pnlMain_->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 240));
    pnlMain_->setPalette(palette);
    auto* column = new QVBoxLayout(pnlMain_);
    column->setContentsMargins(8, 8, 8, 8);

    btnOpenMaster_ = panelButton(QStringLiteral("btnOpenMaster"), QStringLiteral("開く"), pnlMain_);
    btnSave_ = panelButton(QStringLiteral("btnSave"), QStringLiteral("保存"), pnlMain_);
    btnStartPrint_ = panelButton(QStringLiteral("btnStartPrint"), QStringLiteral("印刷"), pnlMain_);
    btnEdit_ = panelButton(QStringLiteral("btnEdit"), QStringLiteral("編集"), pnlMain_);
    btnTest_ = panelButton(QStringLiteral("btnTest"), QStringLiteral("学習"), pnlMain_);
    btnKaitou_ = panelButton(QStringLiteral("btnKaitou"), QStringLiteral("解答"), pnlMain_);
    chkBekkai_ = new QCheckBox(QStringLiteral("別解表示"), pnlMain_);
    chkBekkai_->setObjectName(QStringLiteral("chkBekkai"));
    chkBekkai_->setChecked(true);
    btnKran_ = panelButton(QStringLiteral("btnKran"), QStringLiteral("解答欄"), pnlMain_);
    spnGyouSpace_ = panelSpin(QStringLiteral("spnGyouSpace"), -5, 200, pnlMain_);
    spnGyouSpace_->setValue(30);
    spnMojiSize_ = panelSpin(QStringLiteral("spnMojiSize"), 8, 50, pnlMain_);
    spnMojiSize_->setValue(10);
    spnGyoukanSub_ = panelSpin(QStringLiteral("spnGyoukanSub"), -100000, 100000, pnlMain_);
    spnGyoukanSub_->hide();

    // The paper buttons and the reduce switch are kept out of sight, as the dialogs and the
    // worksheet reach them.
    pnlSize_ = new QFrame(pnlMain_);
    pnlSize_->setObjectName(QStringLiteral("pnlSize"));
    auto* sizeRow = new QHBoxLayout(pnlSize_);
    for (Paper paper : {Paper::B5, Paper::A4, Paper::B4, Paper::A3}) {
        auto* button = new QRadioButton(PaperName(paper), pnlSize_);
        button->setObjectName(QStringLiteral("rad") + PaperName(paper));
        sizeRow->addWidget(button);
        paperButtons_.append(button);
        const int w = PaperWidth(paper);
        connect(button, &QRadioButton::clicked, this, [this, w] { ApplyPaper(w); });
    }
    paperButtons_.at(1)->setChecked(true);
    pnlSize_->hide();
    btnShukusho_ = panelButton(QStringLiteral("btnShukusho"), QStringLiteral("縮小"), pnlMain_);
    btnShukusho_->hide();
    connect(btnShukusho_, &QPushButton::clicked, this, [this] { ToggleReduced(); });
    btnFpClose_ = panelButton(QStringLiteral("btnFpClose"), QStringLiteral("閉じる"), pnlMain_);
    btnScroll_ = panelButton(QStringLiteral("btnScroll"), QStringLiteral("スクロール"), pnlMain_);
    btnLock_ = panelButton(QStringLiteral("btnLock"), QStringLiteral("先生用"), pnlMain_);
    btnLock_->setToolTip(QStringLiteral("編集機能のON/OFF"));
    btnLogOn_ = panelButton(QStringLiteral("btnLogOn"), QStringLiteral("学習者"), pnlMain_);
    edtLogOnName_ = new QLineEdit(pnlMain_);
    edtLogOnName_->setObjectName(QStringLiteral("edtLogOnName"));
    edtLogOnName_->setReadOnly(true);

    for (QWidget* w : {static_cast<QWidget*>(btnOpenMaster_), static_cast<QWidget*>(btnSave_),
                       static_cast<QWidget*>(btnStartPrint_), static_cast<QWidget*>(btnEdit_),
                       static_cast<QWidget*>(btnTest_), static_cast<QWidget*>(btnKaitou_),
                       static_cast<QWidget*>(chkBekkai_), static_cast<QWidget*>(btnKran_)})
        column->addWidget(w);
    auto* gyou = new QLabel(QStringLiteral("主行間"), pnlMain_);
    column->addWidget(gyou);
    column->addWidget(spnGyouSpace_);
    auto* moji = new QLabel(QStringLiteral("文字"), pnlMain_);
    auto* size = new QLabel(QStringLiteral("サイズ"), pnlMain_);
    auto* mojiRow = new QHBoxLayout;
    mojiRow->addWidget(moji);
    mojiRow->addWidget(size);
    column->addLayout(mojiRow);
    column->addWidget(spnMojiSize_);
    layoutLabels_ = {gyou, moji, size};
    column->addWidget(btnFpClose_);
    column->addWidget(btnScroll_);

    pnlCopy_ = new QFrame(pnlMain_);
    pnlCopy_->setObjectName(QStringLiteral("pnlCopy"));
    auto* copyRow = new QHBoxLayout(pnlCopy_);
    copyRow->setContentsMargins(0, 0, 0, 0);
    btnCopy_ = new QPushButton(QStringLiteral("コピー"), pnlCopy_);
    btnCopy_->setObjectName(QStringLiteral("btnCopy"));
    btnCancel_ = new QPushButton(QStringLiteral("キャンセル"), pnlCopy_);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    btnCopy_->setEnabled(false);
    btnCancel_->setEnabled(false);
    copyRow->addWidget(btnCopy_);
    copyRow->addWidget(btnCancel_);
    column->addWidget(pnlCopy_);
    column->addStretch(1);
    column->addWidget(btnLock_);
    column->addWidget(btnLogOn_);
    column->addWidget(new QLabel(QStringLiteral("ログオン名"), pnlMain_));
    column->addWidget(edtLogOnName_);

    // The save panel opens beside the save button.
    pnlSave_ = new QFrame(this);
    pnlSave_->setObjectName(QStringLiteral("pnlSave"));
    pnlSave_->setFrameShape(QFrame::Box);
    pnlSave_->setAutoFillBackground(true);
    auto* saveColumn = new QVBoxLayout(pnlSave_);
    btnSaveMaster_ = new QPushButton(QStringLiteral("上書き保存"), pnlSave_);
    btnSaveMaster_->setObjectName(QStringLiteral("btnSaveMaster"));
    btnSaveCopy_ = new QPushButton(QStringLiteral("コピーファイルとして保存"), pnlSave_);
    btnSaveCopy_->setObjectName(QStringLiteral("btnSaveCopy"));
    saveColumn->addWidget(btnSaveMaster_);
    saveColumn->addWidget(btnSaveCopy_);
    pnlSave_->hide();

    // The study window comes in a later version: the button is there, but not yet usable.
    btnTest_->setEnabled(false);

    connect(btnOpenMaster_, &QPushButton::clicked, this, [this] { btnOpenMasterClick(); });
    connect(btnSave_, &QPushButton::clicked, this, [this] { btnSaveClick(); });
    connect(btnSaveMaster_, &QPushButton::clicked, this, [this] { btnSaveMasterClick(); });
    connect(btnSaveCopy_, &QPushButton::clicked, this, [this] { btnSaveCopyClick(); });
    connect(btnEdit_, &QPushButton::clicked, this, [this] { btnEditMasterClick(); });
    connect(btnTest_, &QPushButton::clicked, this, [this] { btnTestClick(); });
    connect(btnLogOn_, &QPushButton::clicked, this, [this] { btnLogOnClick(); });
    connect(btnKran_, &QPushButton::clicked, this, [this] { mnuSetKranClick(); });
    connect(btnStartPrint_, &QPushButton::clicked, this, [this] { btnStartPrintClick(); });
    connect(btnKaitou_, &QPushButton::clicked, this, [this] { btnKaitouClick(); });
    connect(chkBekkai_, &QCheckBox::clicked, this, [this] { chkBekkaiClick(); });
    connect(spnGyouSpace_, &QSpinBox::valueChanged, this, [this](int v) { spnGyouSpaceChange(v); });
    connect(spnMojiSize_, &QSpinBox::valueChanged, this, [this](int v) { spnMojiSizeChange(v); });
    connect(spnGyoukanSub_, &QSpinBox::valueChanged, this, [this](int v) {
        if (!active_)
            return;
        ApplyLayoutValue(active_->sheet(), LayoutControl::SubLineSpacing, v);
        active_->Redraw();
    });
    connect(btnFpClose_, &QPushButton::clicked, this, [this] { btnFpCloseClick(); });
    connect(btnScroll_, &QPushButton::clicked, this, [this] { btnScrollClick(); });
    connect(btnLock_, &QPushButton::clicked, this, [this] { btnLockClick(); });
    connect(btnCopy_, &QPushButton::clicked, this, [this] { btnCopyClick(); });
    connect(btnCancel_, &QPushButton::clicked, this, [this] { btnCancelClick(); });
}

void TfrmMain::buildMenus()
{
    mnuFile_ = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    mnuFile_->setObjectName(QStringLiteral("mnuFile"));
    QAction* open =
        mnuFile_->addAction(QStringLiteral("開く(&O)"), this, [this] { btnOpenMasterClick(); });
    open->setObjectName(QStringLiteral("mnuOpen"));
    QAction* openCopy = mnuFile_->addAction(QStringLiteral("コピーファイルを開く(&P)"), this,
                                            [this] { OpenCopyFile(); });
    openCopy->setObjectName(QStringLiteral("mnuOpenCopy"));
    QAction* pdf =
        mnuFile_->addAction(QStringLiteral("PDFに保存…"), this, [this] { mnuSavePdfClick(); });
    pdf->setObjectName(QStringLiteral("mnuSavePdf"));
    connect(mnuFile_, &QMenu::aboutToShow, this, [this, pdf] { pdf->setEnabled(active_); });
    mnuFile_->addSeparator();
    QAction* exit = mnuFile_->addAction(QStringLiteral("終了(&X)"), this, [this] { close(); });
    exit->setObjectName(QStringLiteral("mnuExit"));

    mnuEdit_ = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    mnuEdit_->setObjectName(QStringLiteral("mnuEdit"));
    QAction* index = mnuEdit_->addAction(QStringLiteral("目次作成(&C)"), this,
                                         [this] { runCommand(Command::EditIndex); });
    index->setObjectName(QStringLiteral("mnuEditIndex"));
    index->setEnabled(false); // the index editor comes with a later version
    QAction* juku =
        mnuEdit_->addAction(QStringLiteral("学校名・塾名(&J)"), this, [this] { mnuJukuClick(); });
    juku->setObjectName(QStringLiteral("mnuJuku"));
    QAction* editCopy = mnuEdit_->addAction(QStringLiteral("コピーファイルの編集(&H)"), this,
                                            [this] { btnEditCopyClick(); });
    editCopy->setObjectName(QStringLiteral("mnuEditCopy"));
    connect(mnuEdit_, &QMenu::aboutToShow, this,
            [this, editCopy] { editCopy->setEnabled(active_); });

    mnuWindow_ = menuBar()->addMenu(QStringLiteral("ウィンドウ(&W)"));
    mnuWindow_->setObjectName(QStringLiteral("mnuWindow"));
    connect(mnuWindow_, &QMenu::aboutToShow, this, [this] {
        mnuWindow_->clear();
        const bool any = !lstWindow_.isEmpty();
        const auto item = [&](const QString& text, const QString& name, auto handler) {
            QAction* a = mnuWindow_->addAction(text, this, handler);
            a->setObjectName(name);
            a->setEnabled(any);
        };
        item(QStringLiteral("最大表示(&M)"), QStringLiteral("mnuLarge"), [this] {
            if (QMdiSubWindow* sub = mdiArea_->activeSubWindow())
                sub->showMaximized();
        });
        item(QStringLiteral("タイル表示(&T)"), QStringLiteral("mnuTile"),
             [this] { mdiArea_->tileSubWindows(); });
        item(QStringLiteral("カスケード表示(&C)"), QStringLiteral("mnuCascade"),
             [this] { cascadeSheets(); });
        item(QStringLiteral("すべて閉じる(&A)"), QStringLiteral("mnuCloseAllWIndows"),
             [this] { closeAllSheets(); });
        if (any)
            mnuWindow_->addSeparator();
        for (int i = 0; i < lstWindow_.size(); ++i)
            mnuWindow_->addAction(lstWindow_.at(i), this, [this, i] { ActivateSheet(i); });
    });

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->addAction(QStringLiteral("使い方(&U)"), this, [this] { showHelp(0); })
        ->setObjectName(QStringLiteral("mnuHowTo"));
    help->addAction(QStringLiteral("バージョン(&V)"), this,
                    [this] {
                        TfrmVersion version(this);
                        version.exec();
                    })
        ->setObjectName(QStringLiteral("mnuVersion"));
    mnuDoYouKnow_ = help->addAction(QStringLiteral("ご存じですか(&D)"), this, [this] {
        grbDoYouKnow_->show();
        grbDoYouKnow_->raise();
        if (frmDummy_)
            frmDummy_->showTitleButton(false);
    });
    mnuDoYouKnow_->setObjectName(QStringLiteral("mnuDoYouKnow"));
    help->addAction(QStringLiteral("補足"), this,
                    [this] {
                        QDesktopServices::openUrl(QUrl::fromLocalFile(
                            state_.programFolder + QStringLiteral("hosoku.htm")));
                    })
        ->setObjectName(QStringLiteral("mnuHosoku"));
}

void TfrmMain::buildTipsPanel()
{
    grbDoYouKnow_ = new QGroupBox(QStringLiteral("ご存じですか？"), mdiArea_);
    grbDoYouKnow_->setObjectName(QStringLiteral("grbDoYouKnow"));
    grbDoYouKnow_->setAutoFillBackground(true);
    QPalette green = grbDoYouKnow_->palette();
    green.setColor(QPalette::Window, QColor(192, 255, 192));
    grbDoYouKnow_->setPalette(green);
    auto* column = new QVBoxLayout(grbDoYouKnow_);
    struct Tip
    {
        const char* name;
        const char16_t* caption;
        int context;
    };
    const Tip tips[] = {
        {"btnStudy", u"［学習］ボタンで勉強できます", 902},
        {"btnWord", u"★Microsoft Word（ワード）との連携", 842},
        {"btnFax", u"FAXソフトで送れます", 901},
        {"btnCFlag", u"自作の学級旗が印刷できます。", 840},
        {"btnClipBoard", u"クリップボードへコピーして画像を加工できます。", 850},
        {"btnRuidai", u"類題を使おう", 900},
    };
    for (const Tip& tip : tips) {
        auto* button = new QPushButton(QString::fromUtf16(tip.caption), grbDoYouKnow_);
        button->setObjectName(QString::fromLatin1(tip.name));
        const int context = tip.context;
        connect(button, &QPushButton::clicked, this, [this, context] { showHelp(context); });
        column->addWidget(button);
        if (tip.context == 900)
            button->hide();
    }
    chkNextTime_ = new QCheckBox(QStringLiteral("次回も表示する"), grbDoYouKnow_);
    chkNextTime_->setObjectName(QStringLiteral("chkNextTime"));
    chkNextTime_->hide();
    column->addWidget(chkNextTime_);
    auto* close = new QPushButton(QStringLiteral("閉じる"), grbDoYouKnow_);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(close, &QPushButton::clicked, this, [this] { tipsClose(); });
    column->addWidget(close);
    grbDoYouKnow_->adjustSize();
    grbDoYouKnow_->hide();
}

void TfrmMain::tipsClose()
{
    WriteBoolSetting(QStringLiteral("ShowDoYouKnow"), chkNextTime_->isChecked());
    grbDoYouKnow_->hide();
    if (frmDummy_ && lstWindow_.isEmpty())
        frmDummy_->showTitleButton(true);
}

bool TfrmMain::FormShow()
{
    if (!RunStartSequence(state_, DefaultStartupEnvironment()))
        return false;
    chkNextTime_->setChecked(state_.showTipsNextTime);
    answersShown_ = false;
    btnKaitouClick(); // ends with the answers shown, as the button leaves them
    edtLogOnName_->setText(state_.learnerName);
    applyLock(state_.keyLocked);

    frmDummy_ = new TfrmDummy;
    frmDummy_->setTitlePicture(state_.titlePicture);
    connect(frmDummy_, &TfrmDummy::keyPressed, this, [this](QKeyEvent* e) { forwardKey(e); });
    dummyWindow_ = mdiArea_->addSubWindow(frmDummy_);
    dummyWindow_->resize(mdiArea_->size());
    dummyWindow_->show();

    grbDoYouKnow_->move(std::max(0, (mdiArea_->width() - grbDoYouKnow_->width()) / 2),
                        std::max(0, (mdiArea_->height() - grbDoYouKnow_->height() - 80) / 2));
    frmOpenPRP_ = new TfrmOpenPRP(state_.programFolder, this);
    btnTest_->setFocus();
    return true;
}

QMdiSubWindow* TfrmMain::subWindowOf(const QString& caption) const
{
    for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::StackingOrder))
        if (auto* frm = qobject_cast<TfrmPrint*>(sub->widget());
            frm && frm->sheet().windowKey == caption)
            return sub;
    return nullptr;
}

int TfrmMain::FindOpenSheet(const QString& identifier) const
{
    return static_cast<int>(lstWindow_.indexOf(identifier));
}

void TfrmMain::ActivateSheet(int index)
{
    if (index < 0 || index >= lstWindow_.size())
        return;
    if (QMdiSubWindow* sub = subWindowOf(lstWindow_.at(index))) {
        mdiArea_->setActiveSubWindow(sub);
        sub->widget()->setFocus();
    }
}

TfrmPrint* TfrmMain::addSheetWindow(Sheet&& sheet)
{
    auto* frm = new TfrmPrint(std::move(sheet), *this);
    QMdiSubWindow* sub = mdiArea_->addSubWindow(frm);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    lstWindow_.append(frm->sheet().windowKey);
    updateMenus();
    sub->move(0, 0);
    sub->resize(mdiArea_->size());
    sub->show();
    mdiArea_->setActiveSubWindow(sub);
    if (active_ != frm)
        frm->FormActivate();
    // The title window waits behind the worksheets; hidden, it stays out of tiling.
    if (dummyWindow_)
        dummyWindow_->hide();
    return frm;
}

bool TfrmMain::OpenMaster()
{
    if (!FileMustExist(coursewarePath(state_.programFolder, QStringLiteral("Main.ind"))))
        return false;
    answersShown_ = true;
    showKaitouState();
    frmMenu_->setMode(QStringLiteral("Open"));
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
    const int open = FindOpenSheet(names.windowId);
    if (open >= 0) {
        if (!replace) {
            ShowMessage(QStringLiteral("すでに読み込まれています"));
            ActivateSheet(open);
            return AlreadyOpen;
        }
        if (QMdiSubWindow* sub = subWindowOf(names.windowId)) {
            qobject_cast<TfrmPrint*>(sub->widget())->sheet().changed = false;
            sub->close();
        }
    }
    const CoursewareContext courseware{state_.programFolder, state_.lessonTable,
                                       state_.sectionUnits};
    std::optional<Sheet> sheet = OpenMasterSheet(courseware, choice, reader_, answersShown_);
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
        QString name = frmOpenPRP_->fileName();
        const QString extension = FileExtension(name);
        if (!extension.isEmpty() && extension != QLatin1String(".prp")) {
            ShowMessage(name + QStringLiteral(":拡張子が不正です"));
            continue;
        }
        if (extension.isEmpty())
            name += QStringLiteral(".prp");
        if (!FileMustExist(name))
            break;
        const int open = FindOpenSheet(name);
        if (open >= 0) {
            ShowMessage(QStringLiteral("すでに読み込まれています"));
            ActivateSheet(open);
            break;
        }
        // The file lies in the lesson chosen in the opener; its figures are in that lesson's
        // Graph folder, whichever sheet is active.
        std::optional<Sheet> sheet =
            OpenCopySheet(state_.programFolder, state_.lessonTable, frmOpenPRP_->lesson(), name,
                          reader_, answersShown_);
        if (sheet)
            addSheetWindow(std::move(*sheet));
        break;
    }
    answersShown_ = true;
    showKaitouState();
    return active_ != nullptr;
}

void TfrmMain::closeAllSheets()
{
    const QStringList ids = lstWindow_;
    for (const QString& id : ids)
        if (QMdiSubWindow* sub = subWindowOf(id))
            sub->close();
}

void TfrmMain::cascadeSheets()
{
    mdiArea_->cascadeSubWindows();
    // The cascade gives every window its size hint, a sliver of a sheet. Each takes the
    // document area less the offset of the farthest window instead, so all stay inside it.
    QList<QMdiSubWindow*> sheets;
    QPoint farthest;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList())
        if (sub->isVisible() && qobject_cast<TfrmPrint*>(sub->widget())) {
            sheets.append(sub);
            farthest.setX(std::max(farthest.x(), sub->x()));
            farthest.setY(std::max(farthest.y(), sub->y()));
        }
    const QSize area = mdiArea_->viewport()->size();
    const QSize size(std::max(area.width() - farthest.x(), 200),
                     std::max(area.height() - farthest.y(), 150));
    for (QMdiSubWindow* sub : sheets)
        sub->resize(size);
}

void TfrmMain::keepFocusOnSheet(const QWidget* leaving)
{
    // A focused control that is hidden or disabled passes the focus on along the tab chain,
    // where the first worksheet takes it and with it the activation: the command would then
    // act on that sheet. The focus goes back to the active sheet first.
    const QWidget* focus = QApplication::focusWidget();
    if (active_ && focus && (focus == leaving || leaving->isAncestorOf(focus)))
        active_->setFocus();
}

void TfrmMain::enableCopyButtons(bool enabled)
{
    if (!enabled)
        keepFocusOnSheet(pnlCopy_);
    btnCopy_->setEnabled(enabled);
    btnCancel_->setEnabled(enabled);
}

void TfrmMain::hidePanels()
{
    keepFocusOnSheet(pnlSave_);
    pnlSave_->hide();
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
    btnTest_->setEnabled(static_cast<bool>(showStudyWindow_));
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
        if (QMdiSubWindow* sub = subWindowOf(studied->sheet().windowKey))
            sub->close();
    }
}

void TfrmMain::btnSaveClick()
{
    if (!active_)
        return;
    btnSaveMaster_->setEnabled(active_->sheet().unitNumber > 0);
    const QPoint at = btnSave_->mapTo(this, QPoint(btnSave_->width() - 30, -5));
    pnlSave_->move(at);
    pnlSave_->adjustSize();
    pnlSave_->show();
    pnlSave_->raise();
}

bool TfrmMain::saveMaster(TfrmPrint* frm)
{
    Sheet& sheet = frm->sheet();
    // A failed save has shown why.
    if (!SaveSheetToMaster(state_.programFolder, state_.lessonTable, sheet))
        return false;
    sheet.changed = false;
    return true;
}

bool TfrmMain::saveCopy(TfrmPrint* frm)
{
    Sheet& sheet = frm->sheet();
    // A sheet that came from a copy file is saved over it; any other asks for a name.
    const bool overCopy = sheet.unitNumber == 0 && FileExtension(sheet.fileName) == ".prp";
    const QString folder =
        LessonFolder(state_.programFolder, state_.lessonTable, std::max(1, sheet.choice.lesson));
    const SaveCopyResult saved = SaveCopy(CopySheetAsShown(sheet, composeInputs(sheet)),
                                          overCopy ? sheet.fileName : QString(), folder);
    if (!saved.saved)
        return false;
    lstWindow_ = RenameOpenSheet(lstWindow_, sheet.windowKey, saved.path);
    sheet.fileName = saved.path;
    sheet.windowKey = saved.path;
    frm->setWindowTitle(saved.path);
    sheet.changed = false;
    return true;
}

void TfrmMain::btnSaveMasterClick()
{
    TfrmPrint* frm = active_;
    hidePanels();
    if (frm && frm->sheet().unitNumber > 0)
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
    if (active_->sheet().choice.section < 1) {
        btnEditCopyClick();
        return;
    }
    Sheet& sheet = active_->sheet();
    TfrmEditQues editor(state_.programFolder, state_.lessonTable, this);
    editor.setContext(sheet.choice, false, &sheet, sheet.titles.unit, sheet.lineStarts);
    if (editor.exec() != QDialog::Accepted)
        return;
    OpenUnit(editor.position(), true);
}

void TfrmMain::btnEditCopyClick()
{
    hidePanels();
    if (active_)
        active_->editHeader();
}

void TfrmMain::showKaitouState()
{
    btnKaitou_->setStyleSheet(answersShown_
                                  ? QStringLiteral("color: rgb(255,0,0); font-weight: bold;")
                                  : QStringLiteral("color: rgb(128,0,0);"));
    btnKaitou_->setText(answersShown_ ? QStringLiteral("解答 ●") : QStringLiteral("解答 ○"));
}

void TfrmMain::btnKaitouClick()
{
    answersShown_ = !answersShown_;
    state_.answersShown = answersShown_;
    showKaitouState();
    if (active_) {
        active_->sheet().answersShown = answersShown_;
        active_->Redraw();
    }
}

void TfrmMain::chkBekkaiClick()
{
    if (active_)
        active_->Redraw();
}

void TfrmMain::spnGyouSpaceChange(int value)
{
    if (!active_)
        return;
    active_->sheet().lineSpacing = value;
    active_->sheet().changed = true;
    active_->Redraw();
}

void TfrmMain::spnMojiSizeChange(int value)
{
    if (!active_)
        return;
    active_->sheet().characterSize = value;
    active_->sheet().changed = true;
    active_->Redraw();
}

void TfrmMain::applyLock(bool locked)
{
    ApplyKeyLock(state_, locked);
    btnLock_->setText(locked ? QStringLiteral("生徒用") : QStringLiteral("先生用"));
    for (QWidget* w : {static_cast<QWidget*>(btnFpClose_), static_cast<QWidget*>(btnOpenMaster_),
                       static_cast<QWidget*>(btnSave_), static_cast<QWidget*>(btnStartPrint_),
                       static_cast<QWidget*>(btnEdit_), static_cast<QWidget*>(btnKran_),
                       static_cast<QWidget*>(chkBekkai_), static_cast<QWidget*>(btnKaitou_),
                       static_cast<QWidget*>(spnGyouSpace_), static_cast<QWidget*>(spnMojiSize_),
                       static_cast<QWidget*>(pnlCopy_)})
        w->setVisible(!locked);
    for (QLabel* label : layoutLabels_)
        label->setVisible(!locked);
    updateMenus();
    for (QMdiSubWindow* sub : mdiArea_->subWindowList())
        if (auto* frm = qobject_cast<TfrmPrint*>(sub->widget()))
            frm->showTeacherMenus(!locked);
    mnuDoYouKnow_->setVisible(!locked);
    if (locked)
        hidePanels();
}

void TfrmMain::updateMenus()
{
    // While a worksheet is open its own ファイル and 編集 menus stand in for these, as
    // document menus replace the frame's; two menus with one access key would open neither.
    const bool teacher = !state_.keyLocked;
    mnuFile_->menuAction()->setVisible(teacher && lstWindow_.isEmpty());
    mnuEdit_->menuAction()->setVisible(teacher && lstWindow_.isEmpty());
    mnuWindow_->menuAction()->setVisible(teacher);
}

void TfrmMain::ApplyPaper(int width)
{
    state_.currentPaper = PaperRecord::ofWidth(width);
    if (!active_)
        return;
    zendra::ApplyPaper(active_->sheet(), width);
    if (reducedView_)
        ToggleReduced();
    else
        active_->Redraw();
}

QString TfrmMain::ToggleReduced()
{
    if (active_) {
        reducedView_ = !reducedView_;
        btnShukusho_->setText(reducedView_ ? QStringLiteral("拡大") : QStringLiteral("縮小"));
        active_->setComposing(true);
        active_->Redraw();
    }
    return btnShukusho_->text();
}

void TfrmMain::btnLockClick()
{
    applyLock(!state_.keyLocked);
}

void TfrmMain::btnFpCloseClick()
{
    if (QMdiSubWindow* sub = active_ ? subWindowOf(active_->sheet().windowKey) : nullptr)
        sub->close();
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
    const QRect marked = active_->markedArea();
    const QRect source = CopyRectangle(marked.topLeft(), marked.bottomRight());
    // A blank picture first, so that a mark reaching past the page copies white there.
    QImage buffer(source.size(), QImage::Format_RGB32);
    buffer.fill(Qt::white);
    QPainter(&buffer).drawImage(QPoint(0, 0), active_->pageImage(), source);
    QGuiApplication::clipboard()->setImage(buffer);
    btnCancelClick();
}

void TfrmMain::btnCancelClick()
{
    if (active_)
        active_->clearMark();
    enableCopyButtons(false);
}

void TfrmMain::mnuJukuClick()
{
    TfrmJuku juku(this);
    if (active_)
        juku.setSchool(state_.schoolName);
    if (juku.exec() != QDialog::Accepted)
        return;
    state_.schoolName = juku.school();
    WriteStringSetting(QStringLiteral("theSchool"), state_.schoolName);
    if (active_)
        active_->Redraw();
}

void TfrmMain::mnuSetKranClick()
{
    hidePanels();
    if (!active_)
        return;
    if (!answersShown_)
        btnKaitouClick();
    TfrmPrint* frm = active_;
    frmSettei_->setSheet(
        &frm->sheet(), [frm] { frm->Redraw(); }, [this] { return ToggleReduced(); },
        btnShukusho_->text(), [this] { btnScrollClick(); });
    frmSettei_->move(mapToGlobal(QPoint(0, 48)));
    frmSettei_->resize(frmSettei_->width(), pnlMain_->height());
    frmSettei_->exec();
    frmSettei_->setSheet(nullptr, {}, {}, btnShukusho_->text());
}

void TfrmMain::mnuSetPaperClick()
{
    int selected = 630;
    for (int i = 0; i < paperButtons_.size(); ++i)
        if (paperButtons_.at(i)->isChecked())
            selected = kPaperTable.at(i).width;
    frmSetPaper_->setPaper(selected);
    if (active_)
        frmSetPaper_->setOptions(active_->sheet().options);
    if (frmSetPaper_->exec() != QDialog::Accepted || !active_)
        return;
    const int width = frmSetPaper_->chosenWidth();
    const bool wasA4 = paperButtons_.at(1)->isChecked();
    const int index = static_cast<int>(PaperOfWidth(width));
    for (QRadioButton* button : paperButtons_) {
        const QSignalBlocker block(button);
        button->setChecked(button == paperButtons_.at(index));
    }
    // Selecting A4 again when it was the paper already gives the sheet nothing new.
    if (index != static_cast<int>(Paper::A4) || !wasA4)
        ApplyPaper(width);
    state_.currentPaper = PaperRecord::ofWidth(width);
    WriteIntSetting(QStringLiteral("PaperSize"), width);
    active_->sheet().options = frmSetPaper_->options();
    active_->Redraw();
}

void TfrmMain::showHelp(int context)
{
    frmHelp_->showContext(context);
}

void TfrmMain::runCommand(Command command)
{
    switch (command) {
    case Command::Open:
        btnOpenMasterClick();
        break;
    case Command::OpenCopy:
        OpenCopyFile();
        break;
    case Command::SavePdf:
        mnuSavePdfClick();
        break;
    case Command::EditCopy:
        btnEditCopyClick();
        break;
    case Command::SaveMaster:
        btnSaveMasterClick();
        break;
    case Command::Exit:
        close();
        break;
    case Command::EditIndex:
        if (!lstWindow_.isEmpty())
            ShowMessage(QStringLiteral("開いているファイルをすべて閉じてください"));
        break;
    case Command::SchoolName:
        mnuJukuClick();
        break;
    case Command::EditMaster:
        btnEditMasterClick();
        break;
    case Command::ToggleAnswers:
        btnKaitouClick();
        break;
    case Command::AnswerBoxes:
        mnuSetKranClick();
        break;
    case Command::Paper:
        mnuSetPaperClick();
        break;
    case Command::Print:
        btnStartPrintClick();
        break;
    case Command::PrintMode:
        mnuSetPrinterClick();
        break;
    }
}

bool TfrmMain::commandEnabled(Command command) const
{
    switch (command) {
    case Command::SaveMaster:
        return active_ && active_->sheet().unitNumber > 0;
    case Command::ToggleAnswers:
        // A learner does not switch the answers on; the frame hides its button for the same.
        return !state_.keyLocked && btnKaitou_->isEnabled();
    case Command::EditMaster:
    case Command::EditCopy:
    case Command::SavePdf:
    case Command::AnswerBoxes:
    case Command::Paper:
    case Command::Print:
        return active_ != nullptr;
    case Command::PrintMode:
        return true;
    case Command::EditIndex:
        return false;
    default:
        return true;
    }
}

ComposeInputs TfrmMain::composeInputs() const
{
    return withControls(active_ ? InputsFromSheet(active_->sheet()) : ComposeInputs{});
}

ComposeInputs TfrmMain::composeInputs(const Sheet& sheet) const
{
    return withControls(InputsFromSheet(sheet));
}

ComposeInputs TfrmMain::withControls(ComposeInputs in) const
{
    // The sheet's option bits stand for the paper dialog's check boxes; the rest are the
    // controls of this window and of the print-mode dialog.
    in.mojiSize = spnMojiSize_->value();
    in.gyouSpace = spnGyouSpace_->value();
    in.bekkai = chkBekkai_->isChecked();
    in.number = frmPrintMode_->numbered();
    in.startNumber = frmPrintMode_->startNumber();
    in.schoolName = state_.schoolName;
    in.learnerName = state_.learnerName;
    return in;
}

void TfrmMain::sheetActivated(TfrmPrint* frm)
{
    active_ = frm;
    Sheet& sheet = frm->sheet();
    // Loading the controls must not count as the teacher changing the sheet.
    const QSignalBlocker blockGyou(spnGyouSpace_);
    const QSignalBlocker blockMoji(spnMojiSize_);
    const QSignalBlocker blockSub(spnGyoukanSub_);
    spnGyouSpace_->setValue(sheet.lineSpacing);
    spnMojiSize_->setValue(sheet.characterSize);
    spnGyoukanSub_->setValue(LayoutValue(sheet, LayoutControl::SubLineSpacing));
    for (QRadioButton* button : paperButtons_) {
        const QSignalBlocker block(button);
        button->setChecked(false);
    }
    {
        const int paper = static_cast<int>(PaperOfWidth(sheet.page.width));
        const QSignalBlocker block(paperButtons_.at(paper));
        paperButtons_.at(paper)->setChecked(true);
    }
    answersShown_ = sheet.answersShown;
    showKaitouState();
}

void TfrmMain::sheetClosed(TfrmPrint* frm)
{
    lstWindow_.removeOne(frm->sheet().windowKey);
    updateMenus();
    if (active_ == frm) {
        active_ = nullptr;
        enableCopyButtons(false);
    }
    if (lstWindow_.isEmpty() && dummyWindow_) {
        dummyWindow_->show();
        frmDummy_->showTitleButton(!grbDoYouKnow_->isVisible());
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
    frmMenu_->setMode(QStringLiteral("Add"));
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
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (btnTest_->isEnabled())
            btnTest_->click();
        break;
    case Qt::Key_Escape:
        if (mods == Qt::ShiftModifier)
            close();
        else
            btnFpCloseClick();
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        btnScrollClick();
        break;
    case Qt::Key_C:
        if (mods == Qt::ControlModifier && btnCopy_->isEnabled())
            btnCopyClick();
        break;
    default:
        break;
    }
    event->accept();
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    closeAllSheets();
    if (!lstWindow_.isEmpty()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace zendra
