#include "app/WidgetMainPanel.h"

#include "app/MainCommands.h"
#include "sheet/Sheet.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
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

QSpinBox* panelSpin(const QString& name, int minimum, int maximum, int value, QWidget* parent)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    return spin;
}

QPushButton* plainButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

WidgetMainPanel::WidgetMainPanel(QWidget* window, QWidget* parent) : QFrame(parent), window_(window)
{
    setObjectName(QStringLiteral("pnlMain"));
    setFixedWidth(150);
    setAutoFillBackground(true);
    QPalette ivory = palette();
    ivory.setColor(QPalette::Window, QColor(255, 255, 240));
    setPalette(ivory);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);

    btnOpenMaster = panelButton(QStringLiteral("btnOpenMaster"), QStringLiteral("開く"), this);
    btnSave = panelButton(QStringLiteral("btnSave"), QStringLiteral("保存"), this);
    btnStartPrint = panelButton(QStringLiteral("btnStartPrint"), QStringLiteral("印刷"), this);
    btnEdit = panelButton(QStringLiteral("btnEdit"), QStringLiteral("編集"), this);
    btnTest = panelButton(QStringLiteral("btnTest"), QStringLiteral("学習"), this);
    btnKaitou = panelButton(QStringLiteral("btnKaitou"), QStringLiteral("解答"), this);
    chkBekkai = new QCheckBox(QStringLiteral("別解表示"), this);
    chkBekkai->setObjectName(QStringLiteral("chkBekkai"));
    chkBekkai->setChecked(true);
    btnKran = panelButton(QStringLiteral("btnKran"), QStringLiteral("解答欄"), this);
    spnGyouSpace = panelSpin(QStringLiteral("spnGyouSpace"), -5, 200, 30, this);
    spnMojiSize = panelSpin(QStringLiteral("spnMojiSize"), 8, 50, 10, this);
    spnGyoukanSub = panelSpin(QStringLiteral("spnGyoukanSub"), -100000, 100000, 0, this);
    spnGyoukanSub->hide();

    // The paper buttons and the reduce switch are kept out of sight, as the dialogs and the
    // worksheet reach them.
    auto* pnlSize = new QFrame(this);
    pnlSize->setObjectName(QStringLiteral("pnlSize"));
    auto* sizeRow = new QHBoxLayout(pnlSize);
    for (Paper paper : {Paper::B5, Paper::A4, Paper::B4, Paper::A3}) {
        auto* button = new QRadioButton(PaperName(paper), pnlSize);
        button->setObjectName(QStringLiteral("rad") + PaperName(paper));
        sizeRow->addWidget(button);
        paperButtons.append(button);
        const int width = PaperWidth(paper);
        connect(button, &QRadioButton::clicked, this, [this, width] { emit paperClicked(width); });
    }
    paperButtons.at(static_cast<int>(Paper::A4))->setChecked(true);
    pnlSize->hide();
    btnShukusho = panelButton(QStringLiteral("btnShukusho"), QStringLiteral("縮小"), this);
    btnShukusho->hide();
    btnFpClose = panelButton(QStringLiteral("btnFpClose"), QStringLiteral("閉じる"), this);
    btnScroll = panelButton(QStringLiteral("btnScroll"), QStringLiteral("スクロール"), this);
    btnLock = panelButton(QStringLiteral("btnLock"), QStringLiteral("先生用"), this);
    btnLock->setToolTip(QStringLiteral("編集機能のON/OFF"));
    btnLogOn = panelButton(QStringLiteral("btnLogOn"), QStringLiteral("学習者"), this);
    edtLogOnName = new QLineEdit(this);
    edtLogOnName->setObjectName(QStringLiteral("edtLogOnName"));
    edtLogOnName->setReadOnly(true);
    btnFukushu = panelButton(QStringLiteral("btnFukushu"), QStringLiteral("今日の復習"), this);
    btnClassRecords =
        panelButton(QStringLiteral("btnClassRecords"), QStringLiteral("クラスの記録"), this);

    for (QWidget* w :
         std::initializer_list<QWidget*>{btnOpenMaster, btnSave, btnStartPrint, btnEdit, btnTest,
                                         btnKaitou, chkBekkai, btnKran})
        column->addWidget(w);
    auto* gyou = new QLabel(QStringLiteral("主行間"), this);
    column->addWidget(gyou);
    column->addWidget(spnGyouSpace);
    auto* moji = new QLabel(QStringLiteral("文字"), this);
    auto* size = new QLabel(QStringLiteral("サイズ"), this);
    auto* mojiRow = new QHBoxLayout;
    mojiRow->addWidget(moji);
    mojiRow->addWidget(size);
    column->addLayout(mojiRow);
    column->addWidget(spnMojiSize);
    layoutLabels_ = {gyou, moji, size};
    column->addWidget(btnFpClose);
    column->addWidget(btnScroll);

    pnlCopy = new QFrame(this);
    pnlCopy->setObjectName(QStringLiteral("pnlCopy"));
    auto* copyRow = new QHBoxLayout(pnlCopy);
    copyRow->setContentsMargins(0, 0, 0, 0);
    btnCopy = plainButton(QStringLiteral("btnCopy"), QStringLiteral("コピー"), pnlCopy);
    btnCancel = plainButton(QStringLiteral("btnCancel"), QStringLiteral("キャンセル"), pnlCopy);
    enableCopy(false);
    copyRow->addWidget(btnCopy);
    copyRow->addWidget(btnCancel);
    column->addWidget(pnlCopy);
    column->addStretch(1);
    column->addWidget(btnLock);
    column->addWidget(btnLogOn);
    column->addWidget(new QLabel(QStringLiteral("ログオン名"), this));
    column->addWidget(edtLogOnName);
    column->addWidget(btnFukushu);
    column->addWidget(btnClassRecords);

    pnlSave = new QFrame(window);
    pnlSave->setObjectName(QStringLiteral("pnlSave"));
    pnlSave->setFrameShape(QFrame::Box);
    pnlSave->setAutoFillBackground(true);
    auto* saveColumn = new QVBoxLayout(pnlSave);
    btnSaveMaster =
        plainButton(QStringLiteral("btnSaveMaster"), QStringLiteral("上書き保存"), pnlSave);
    btnSaveCopy = plainButton(QStringLiteral("btnSaveCopy"),
                              QStringLiteral("コピーファイルとして保存"), pnlSave);
    saveColumn->addWidget(btnSaveMaster);
    saveColumn->addWidget(btnSaveCopy);
    pnlSave->hide();

    for (const auto& [spin, control] : {std::pair{spnGyouSpace, LayoutControl::LineSpacing},
                                        std::pair{spnMojiSize, LayoutControl::CharacterSize},
                                        std::pair{spnGyoukanSub, LayoutControl::SubLineSpacing}}) {
        const LayoutControl c = control;
        connect(spin, &QSpinBox::valueChanged, this,
                [this, c](int v) { emit layoutChanged(c, v); });
    }

    // The study window comes in a later version: the button is there, but not yet usable.
    btnTest->setEnabled(false);
    enableLayoutSpins(false);
}

std::optional<Paper> WidgetMainPanel::checkedPaper() const
{
    std::optional<Paper> checked;
    for (int i = 0; i < paperButtons.size(); ++i)
        if (paperButtons.at(i)->isChecked())
            checked = static_cast<Paper>(i);
    return checked;
}

void WidgetMainPanel::selectPaper(Paper paper)
{
    QRadioButton* chosen = paperButtons.at(static_cast<int>(paper));
    for (QRadioButton* button : paperButtons) {
        const QSignalBlocker block(button);
        button->setChecked(button == chosen);
    }
}

void WidgetMainPanel::loadSheet(const Sheet& sheet)
{
    const QSignalBlocker blockGyou(spnGyouSpace);
    const QSignalBlocker blockMoji(spnMojiSize);
    const QSignalBlocker blockSub(spnGyoukanSub);
    spnGyouSpace->setValue(LayoutValue(sheet, LayoutControl::LineSpacing));
    spnMojiSize->setValue(LayoutValue(sheet, LayoutControl::CharacterSize));
    spnGyoukanSub->setValue(LayoutValue(sheet, LayoutControl::SubLineSpacing));
    selectPaper(PaperOfWidth(sheet.settings.page.width));
}

void WidgetMainPanel::showAnswers(bool shown)
{
    btnKaitou->setStyleSheet(KaitouStyle(shown));
    btnKaitou->setText(KaitouCaption(shown));
}

void WidgetMainPanel::enableLayoutSpins(bool enabled)
{
    spnGyouSpace->setEnabled(enabled);
    spnMojiSize->setEnabled(enabled);
}

void WidgetMainPanel::showLocked(bool locked)
{
    btnLock->setText(LockCaption(locked));
    for (QWidget* w : std::initializer_list<QWidget*>{
             btnFpClose, btnOpenMaster, btnSave, btnStartPrint, btnEdit, btnKran, chkBekkai,
             btnKaitou, spnGyouSpace, spnMojiSize, pnlCopy, btnClassRecords})
        w->setVisible(!locked);
    for (QLabel* label : layoutLabels_)
        label->setVisible(!locked);
}

void WidgetMainPanel::keepFocusOn(QWidget* sheet, const QWidget* leaving)
{
    // A focused control that is hidden or disabled passes the focus on along the tab chain,
    // where the first worksheet takes it and with it the activation: the command would then
    // act on that sheet. The focus goes back to the active sheet first.
    const QWidget* focus = QApplication::focusWidget();
    if (sheet && focus && (focus == leaving || leaving->isAncestorOf(focus)))
        sheet->setFocus();
}

void WidgetMainPanel::enableCopy(bool enabled, QWidget* sheet)
{
    if (!enabled)
        keepFocusOn(sheet, pnlCopy);
    btnCopy->setEnabled(enabled);
    btnCancel->setEnabled(enabled);
}

void WidgetMainPanel::openSavePanel(bool masterUnit)
{
    btnSaveMaster->setEnabled(masterUnit);
    pnlSave->move(btnSave->mapTo(window_, QPoint(btnSave->width() - 30, -5)));
    pnlSave->adjustSize();
    pnlSave->show();
    pnlSave->raise();
}

void WidgetMainPanel::hideSavePanel(QWidget* sheet)
{
    keepFocusOn(sheet, pnlSave);
    pnlSave->hide();
}

} // namespace zendra
