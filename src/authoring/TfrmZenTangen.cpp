#include "authoring/TfrmZenTangen.h"

#include "authoring/IndexEditor.h"
#include "sheet/PrinterPrinting.h"

#include <QApplication>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

namespace zendra {

TfrmZenTangen::TfrmZenTangen(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmZenTangen"));
    setWindowTitle(QStringLiteral("全単元"));
    setModal(true);

    trvMain_ = new QTreeView(this);
    trvMain_->setObjectName(QStringLiteral("trvMain"));
    trvMain_->setModel(&tree_);
    trvMain_->setHeaderHidden(true);
    trvMain_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QFont treeFont(QStringLiteral("ＭＳ ゴシック"));
    treeFont.setStyleHint(QFont::Monospace);
    trvMain_->setFont(treeFont);

    Label1_ = new QLabel(this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Edit1_ = new QLineEdit(QStringLiteral("0"), this);
    Edit1_->setObjectName(QStringLiteral("Edit1"));
    Edit1_->setReadOnly(true);
    Edit1_->setMaximumWidth(60);
    auto* btnPrint = new QPushButton(QStringLiteral("印刷"), this);
    btnPrint->setObjectName(QStringLiteral("btnPrint"));
    btnPrint->setAutoDefault(false);
    auto* btnClose = new QPushButton(QStringLiteral("閉じる"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    connect(btnPrint, &QPushButton::clicked, this, &TfrmZenTangen::btnPrintClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(Label1_);
    row->addStretch();
    row->addWidget(Edit1_);
    row->addWidget(btnPrint);
    row->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(trvMain_, 1);
    layout->addLayout(row);
}

TfrmZenTangen::~TfrmZenTangen() = default;

void TfrmZenTangen::setSource(const QString& programFolder, const LessonTable& lessons, int lesson,
                              const QString& learnerName)
{
    programFolder_ = programFolder;
    lessons_ = lessons;
    lesson_ = std::max(1, lesson);
    learnerName_ = learnerName;
}

int TfrmZenTangen::exec()
{
    FormShow();
    return QDialog::exec();
}

void TfrmZenTangen::FormShow()
{
    const QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = main ? main->screen() : QApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    move(area.topLeft());
    resize(main ? main->size() : QSize(800, 600).boundedTo(area.size()));

    BuildIndexTree(programFolder_, lessons_, lesson_, learnerName_, tree_);
    if (QStandardItem* root = tree_.item(0)) {
        root->setIcon(style()->standardIcon(QStyle::SP_DriveHDIcon));
        for (int i = 0; i < root->rowCount(); ++i) {
            root->child(i)->setIcon(style()->standardIcon(QStyle::SP_DirIcon));
            for (int j = 0; j < root->child(i)->rowCount(); ++j)
                root->child(i)->child(j)->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
        }
    }
    trvMain_->expandAll();
    Label1_->setText(QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")) +
                     QStringLiteral("-"));
    printCount_ = 0;
    Edit1_->setText(QStringLiteral("0"));
}

QPrinter& TfrmZenTangen::printer()
{
    if (printer_)
        return *printer_;
    if (!ownPrinter_)
        ownPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *ownPrinter_;
}

void TfrmZenTangen::btnPrintClick()
{
    ++printCount_;
    Edit1_->setText(QString::number(printCount_));
    // The count is part of the printout.
    Edit1_->repaint();
    PrintImageOnPrinter(grab().toImage(), windowTitle(), printer());
}

} // namespace zendra
