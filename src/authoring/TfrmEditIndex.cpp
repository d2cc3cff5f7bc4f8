#include "authoring/TfrmEditIndex.h"

#include "authoring/TfrmEditSource.h"
#include "authoring/TfrmInputText.h"

#include "platform/Messages.h"

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

namespace zendra {

namespace {

const QString kBackgroundHint =
    QStringLiteral("インデックスを編集した後、マスターファイルを編集します。");

QPushButton* makeButton(const QString& name, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QListWidget* makeList(const QString& name, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    return list;
}

QLineEdit* makeField(const QString& name, bool readOnly, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setReadOnly(readOnly);
    return field;
}

// Refills a list without the clicks its refill would send.
void showRows(QListWidget* list, const QStringList& rows, int selected)
{
    const QSignalBlocker blocker(list);
    list->clear();
    list->addItems(rows);
    if (selected >= 0 && selected < list->count())
        list->setCurrentRow(selected);
}

void setHintColour(QLabel* panel, const QColor& colour)
{
    QPalette palette = panel->palette();
    palette.setColor(QPalette::WindowText, colour);
    panel->setPalette(palette);
}

} // namespace

TfrmEditIndex::TfrmEditIndex(const QString& programFolder, LessonTable& lessons, QWidget* parent)
    : QDialog(parent), editor_(programFolder, lessons)
{
    setObjectName(QStringLiteral("frmEditIndex"));
    setWindowTitle(QStringLiteral("Zendra Editor 教材の作成"));
    setModal(true);
    setMouseTracking(true);
    frmInputText_ = new TfrmInputText(this);

    lstELesson_ = makeList(QStringLiteral("lstELesson"), this);
    edtMainTitle_ = makeField(QStringLiteral("edtMainTitle"), false, this);
    lstESection_ = makeList(QStringLiteral("lstESection"), this);
    lstEUnit_ = makeList(QStringLiteral("lstEUnit"), this);
    btnAdd_ = makeButton(QStringLiteral("btnAdd"), QStringLiteral("追加 =>"), this);
    btnChange_ = makeButton(QStringLiteral("btnChange"), QStringLiteral("変更 <>"), this);
    btnAdd2_ = makeButton(QStringLiteral("btnAdd2"), QStringLiteral("追加 =>"), this);
    btnChange2_ = makeButton(QStringLiteral("btnChange2"), QStringLiteral("変更 <>"), this);

    trvSect_ = new QTreeView(this);
    trvSect_->setObjectName(QStringLiteral("trvSect"));
    trvSect_->setModel(&editor_.tree());
    trvSect_->setHeaderHidden(true);
    trvSect_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A fixed-pitch face, so that the marks and counts line up as in the chooser.
    QFont treeFont(QStringLiteral("ＭＳ ゴシック"));
    treeFont.setStyleHint(QFont::Monospace);
    trvSect_->setFont(treeFont);
    btnExpand_ = makeButton(QStringLiteral("btnExpand"), QString(), this);

    edtIndex_ = makeField(QStringLiteral("edtIndex"), true, this);
    edtDataFile_ = makeField(QStringLiteral("edtDataFile"), true, this);
    btnEditDirect_ =
        makeButton(QStringLiteral("btnEditDirect"), QStringLiteral("ソースの直接編集(&E)"), this);
    btnHelp_ = makeButton(QStringLiteral("btnHelp"), QStringLiteral("ヘルプ(&H)"), this);
    btnOk_ = makeButton(QStringLiteral("btnOk"), QStringLiteral(" Ｏ　Ｋ"), this);
    btnClose_ = makeButton(QStringLiteral("btnClose"), QStringLiteral("キャンセル"), this);

    pnlHint_ = new QLabel(this);
    pnlHint_->setObjectName(QStringLiteral("pnlHint"));
    pnlHint_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlHint_->setMargin(3);
    pnlHint_->setAutoFillBackground(true);
    {
        // Yellow and green hints need a dark ground to be read.
        QPalette palette = pnlHint_->palette();
        palette.setColor(QPalette::Window, Qt::black);
        pnlHint_->setPalette(palette);
    }
    setHintColour(pnlHint_, Qt::yellow);

    auto* lessonBox = new QVBoxLayout;
    lessonBox->addWidget(new QLabel(QStringLiteral("コースウェア"), this));
    lessonBox->addWidget(lstELesson_, 1);
    auto* sectionBox = new QGridLayout;
    sectionBox->addWidget(new QLabel(QStringLiteral("主メニュー"), this), 0, 0, 1, 2);
    sectionBox->addWidget(lstESection_, 1, 0, 1, 2);
    sectionBox->addWidget(btnAdd_, 2, 0);
    sectionBox->addWidget(btnChange_, 2, 1);
    sectionBox->setRowStretch(1, 1);
    auto* unitBox = new QGridLayout;
    unitBox->addWidget(new QLabel(QStringLiteral("副メニュー"), this), 0, 0, 1, 2);
    unitBox->addWidget(lstEUnit_, 1, 0, 1, 2);
    unitBox->addWidget(btnAdd2_, 2, 0);
    unitBox->addWidget(btnChange2_, 2, 1);
    unitBox->setRowStretch(1, 1);
    auto* treeBox = new QVBoxLayout;
    treeBox->addWidget(trvSect_, 1);
    treeBox->addWidget(btnExpand_);

    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(new QLabel(QStringLiteral("タイトル"), this));
    titleRow->addWidget(edtMainTitle_, 1);

    auto* lists = new QHBoxLayout;
    lists->addLayout(lessonBox, 2);
    lists->addLayout(sectionBox, 3);
    lists->addLayout(unitBox, 3);
    lists->addLayout(treeBox, 4);

    auto* files = new QGridLayout;
    files->addWidget(new QLabel(QStringLiteral("ｲﾝﾃﾞｯｸｽﾌｧｲﾙ"), this), 0, 0);
    files->addWidget(edtIndex_, 0, 1);
    files->addWidget(new QLabel(QStringLiteral("マスターﾌｧｲﾙ"), this), 1, 0);
    files->addWidget(edtDataFile_, 1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnEditDirect_);
    buttons->addWidget(btnHelp_);
    buttons->addStretch();
    buttons->addWidget(btnOk_);
    buttons->addWidget(btnClose_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(titleRow);
    layout->addLayout(lists, 1);
    layout->addLayout(files);
    layout->addLayout(buttons);
    layout->addWidget(pnlHint_);

    connect(lstELesson_, &QListWidget::currentRowChanged, this, &TfrmEditIndex::lstELessonClick);
    connect(lstESection_, &QListWidget::currentRowChanged, this, &TfrmEditIndex::lstESectionClick);
    connect(lstEUnit_, &QListWidget::currentRowChanged, this, &TfrmEditIndex::lstEUnitClick);
    connect(lstEUnit_, &QListWidget::itemDoubleClicked, this, &TfrmEditIndex::btnOkClick);
    connect(edtMainTitle_, &QLineEdit::textEdited, this,
            [this](const QString& text) { editor_.setMainTitle(text); });
    connect(btnAdd_, &QPushButton::clicked, this, &TfrmEditIndex::btnAddClick);
    connect(btnChange_, &QPushButton::clicked, this, &TfrmEditIndex::btnChangeClick);
    connect(btnAdd2_, &QPushButton::clicked, this, &TfrmEditIndex::btnAdd2Click);
    connect(btnChange2_, &QPushButton::clicked, this, &TfrmEditIndex::btnChange2Click);
    connect(btnExpand_, &QPushButton::clicked, this, &TfrmEditIndex::btnExpandClick);
    connect(btnOk_, &QPushButton::clicked, this, &TfrmEditIndex::btnOkClick);
    connect(btnClose_, &QPushButton::clicked, this, &TfrmEditIndex::btnCloseClick);
    connect(btnEditDirect_, &QPushButton::clicked, this, &TfrmEditIndex::btnEditDirectClick);
    connect(btnHelp_, &QPushButton::clicked, this, &TfrmEditIndex::btnHelpClick);

    const QList<QPair<QWidget*, QString>> hints = {
        {lstELesson_, QStringLiteral("編集するコースウェアを選択します")},
        {lstESection_, QStringLiteral("主インデックスを書きます")},
        {lstEUnit_, QStringLiteral("副インデックスを書きます")},
        {btnEditDirect_, QStringLiteral("Main.indファイルを直接編集します")},
        {btnAdd_, QStringLiteral("項目を追加します")},
        {btnAdd2_, QStringLiteral("項目を追加します")},
        {btnChange_, QStringLiteral("項目を変更します")},
        {btnChange2_, QStringLiteral("項目を変更します")},
        {btnOk_, QStringLiteral("編集結果を保存して閉じます")},
        {btnClose_, QStringLiteral("編集結果を無視してして閉じます")},
        {trvSect_, QStringLiteral("インデックスの全構造を表示します")},
        {btnExpand_, QStringLiteral("インデックスの表示を展開／圧縮します")},
    };
    for (const auto& [control, hint] : hints) {
        control->setProperty("hint", hint);
        control->installEventFilter(this);
    }

    if (parent)
        resize(parent->window()->size());
    else
        resize(1000, 680);
    showExpandState();
}

int TfrmEditIndex::exec()
{
    if (!FormShow())
        return QDialog::Rejected;
    return QDialog::exec();
}

bool TfrmEditIndex::FormShow()
{
    if (!editor_.show())
        return false;
    const QScreen* screen = QApplication::primaryScreen();
    move(screen ? screen->availableGeometry().topLeft() : QPoint(0, 0));
    btnHelp_->setEnabled(bool(openHelp));
    indexExpanded_ = true;
    showExpandState();
    showEditor();
    setHint(QStringLiteral("インデックスを変更した後、[OK]ボタンをクリックします。"));
    return true;
}

void TfrmEditIndex::showEditor()
{
    showRows(lstELesson_, editor_.lessonRows(), editor_.selectedLesson());
    showRows(lstESection_, editor_.sectionRows(), editor_.selectedSection());
    showRows(lstEUnit_, editor_.unitRows(), editor_.selectedUnit());
    edtMainTitle_->setText(editor_.mainTitle());
    edtIndex_->setText(
        editor_.indexPath().isEmpty() ? QString() : QDir::toNativeSeparators(editor_.indexPath()));
    edtDataFile_->setText(editor_.dataFile());
    showTree();
}

void TfrmEditIndex::showTree()
{
    QStandardItemModel& tree = editor_.tree();
    QStandardItem* root = tree.item(0);
    if (!root)
        return;
    const QStyle* s = style();
    root->setIcon(s->standardIcon(QStyle::SP_DriveHDIcon));
    trvSect_->expand(root->index());
    for (int i = 0; i < root->rowCount(); ++i) {
        QStandardItem* section = root->child(i);
        section->setIcon(s->standardIcon(QStyle::SP_DirIcon));
        for (int j = 0; j < section->rowCount(); ++j)
            section->child(j)->setIcon(s->standardIcon(QStyle::SP_FileIcon));
        trvSect_->setExpanded(section->index(), indexExpanded_);
    }
    const int sectionRow = editor_.selectedSection();
    const int unitRow = editor_.selectedUnit();
    if (QStandardItem* section = sectionRow >= 0 ? root->child(sectionRow) : nullptr) {
        QStandardItem* unit = unitRow >= 0 ? section->child(unitRow) : nullptr;
        trvSect_->setCurrentIndex((unit ? unit : section)->index());
    }
}

void TfrmEditIndex::showExpandState()
{
    btnExpand_->setText(indexExpanded_ ? QStringLiteral("表示を圧縮する")
                                       : QStringLiteral("表示を展開する"));
    btnExpand_->setIcon(style()->standardIcon(indexExpanded_ ? QStyle::SP_TitleBarShadeButton
                                                             : QStyle::SP_TitleBarUnshadeButton));
}

void TfrmEditIndex::setHint(const QString& text)
{
    pnlHint_->setText(text);
}

void TfrmEditIndex::lstELessonClick()
{
    editor_.lessonChosen(lstELesson_->currentRow());
    showEditor();
    setHint(QStringLiteral("インデックスを変更した後、[OK]ボタンをクリックします。"));
}

void TfrmEditIndex::lstESectionClick()
{
    editor_.sectionChosen(lstESection_->currentRow());
    showEditor();
}

void TfrmEditIndex::lstEUnitClick()
{
    editor_.unitChosen(lstEUnit_->currentRow());
    showTree();
}

bool TfrmEditIndex::askTitle(TfrmInputText::Purpose purpose, const QString& current, QString& title)
{
    frmInputText_->setMode(purpose, current);
    if (frmInputText_->exec() != QDialog::Accepted)
        return false;
    title = frmInputText_->text();
    return true;
}

void TfrmEditIndex::btnAddClick()
{
    QString title;
    if (!editor_.mayAddSection() || !askTitle(TfrmInputText::Purpose::AddSection, {}, title))
        return;
    editor_.addSection(title);
    showEditor();
}

void TfrmEditIndex::btnChangeClick()
{
    QString title;
    if (!editor_.mayRenameSection() ||
        !askTitle(TfrmInputText::Purpose::RenameSection, editor_.selectedSectionTitle(), title))
        return;
    editor_.renameSection(title);
    showEditor();
}

void TfrmEditIndex::btnAdd2Click()
{
    QString title;
    if (!editor_.mayAddUnit() || !askTitle(TfrmInputText::Purpose::AddUnit, {}, title))
        return;
    editor_.addUnit(title);
    showEditor();
}

void TfrmEditIndex::btnChange2Click()
{
    QString title;
    if (!editor_.mayRenameUnit() ||
        !askTitle(TfrmInputText::Purpose::RenameUnit, editor_.selectedUnitTitle(), title))
        return;
    editor_.renameUnit(title);
    showEditor();
}

void TfrmEditIndex::btnExpandClick()
{
    indexExpanded_ = !indexExpanded_;
    showExpandState();
    showTree();
}

void TfrmEditIndex::btnOkClick()
{
    if (!editor_.ok()) {
        if (editor_.selectedUnit() >= 0)
            edtMainTitle_->setFocus();
        return;
    }
    accept();
}

void TfrmEditIndex::btnCloseClick()
{
    editor_.cancel();
    reject();
}

void TfrmEditIndex::btnEditDirectClick()
{
    if (editor_.selectedLesson() < 0)
        return;
    if (!editor_.loadError().isEmpty()) {
        // Editing an empty text in place of the unreadable file would save over it.
        ShowMessage(editor_.loadError());
        return;
    }
    TfrmEditSource source(this);
    source.openHelp = openHelp;
    source.setSource(editor_.indexPath(), 710, editor_.text());
    if (source.exec() != QDialog::Accepted)
        return;
    editor_.saveDirectEdit(source.lines());
    showEditor();
}

void TfrmEditIndex::btnHelpClick()
{
    if (openHelp)
        openHelp(730);
}

bool TfrmEditIndex::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter) {
        const QString hint = watched->property("hint").toString();
        if (!hint.isEmpty())
            setHint(hint);
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmEditIndex::mouseMoveEvent(QMouseEvent* event)
{
    // Over the window's own ground; the colour stays green from then on.
    setHintColour(pnlHint_, QColor(0, 128, 0));
    setHint(kBackgroundHint);
    QDialog::mouseMoveEvent(event);
}

} // namespace zendra
