#include "authoring/TfrmOpenPRP.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace zendra {

namespace {

QLabel* heading(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAutoFillBackground(true);
    label->setStyleSheet(QStringLiteral("background: rgb(0,255,255); padding: 2px;"));
    return label;
}

} // namespace

TfrmOpenPRP::TfrmOpenPRP(const QString& programFolder, QWidget* parent)
    : QDialog(parent), opener_(programFolder)
{
    setObjectName(QStringLiteral("frmOpenPRP"));
    setWindowTitle(QStringLiteral("Zendra - コピーファイルを開く"));
    lstLesson_ = new QListWidget(this);
    lstLesson_->setObjectName(QStringLiteral("lstLesson"));
    flbPRP_ = new QListWidget(this);
    flbPRP_->setObjectName(QStringLiteral("flbPRP"));
    lstContents_ = new QListWidget(this);
    lstContents_->setObjectName(QStringLiteral("lstContents"));
    edtFileName_ = new QLineEdit(this);
    edtFileName_->setObjectName(QStringLiteral("edtFileName"));
    edtFileName_->setReadOnly(true);
    auto* ok = new QPushButton(QStringLiteral("　Ｏ　Ｋ　"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(heading(QStringLiteral("項目を選んでください"), this), 0, 0);
    grid->addWidget(heading(QStringLiteral("項目を選んでください"), this), 0, 1);
    grid->addWidget(heading(QStringLiteral("ファイルの内容"), this), 0, 2);
    grid->addWidget(lstLesson_, 1, 0);
    grid->addWidget(flbPRP_, 1, 1);
    grid->addWidget(lstContents_, 1, 2);
    grid->setColumnStretch(2, 2);
    grid->addWidget(edtFileName_, 2, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 3, 0, 1, 3);

    // Both lists act on their current entry however it became current (mouse, arrow keys,
    // Home/End, typing), so the contents shown are those of the file OK opens.
    connect(lstLesson_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            lstLessonClick();
    });
    // A click hands the focus on to the files; the arrow keys leave it in the lessons.
    connect(lstLesson_, &QListWidget::itemClicked, flbPRP_, [this] { flbPRP_->setFocus(); });
    connect(flbPRP_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            flbPRPClick();
    });
    connect(ok, &QPushButton::clicked, this, [this] { btnOkClick(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    lstLesson_->installEventFilter(this);
    flbPRP_->installEventFilter(this);
    if (parent)
        resize(parent->size());
    else
        resize(800, 560);
}

int TfrmOpenPRP::exec()
{
    if (!opener_.loaded()) {
        if (!opener_.load())
            return QDialog::Rejected;
        const QSignalBlocker blocker(lstLesson_);
        for (const Lesson& lesson : opener_.lessons().lessons)
            lstLesson_->addItem(lesson.name);
        if (lstLesson_->count() > 0)
            lstLesson_->setCurrentRow(0);
    }
    if (lstLesson_->currentRow() >= 0) {
        lstLessonClick();
        flbPRP_->setFocus();
    }
    move(0, 0);
    return QDialog::exec();
}

void TfrmOpenPRP::lstLessonClick()
{
    opener_.chooseLesson(lstLesson_->currentRow());
    {
        const QSignalBlocker blocker(flbPRP_);
        flbPRP_->clear();
        flbPRP_->addItems(opener_.files());
    }
    showFiles();
}

void TfrmOpenPRP::flbPRPClick()
{
    opener_.chooseFile(flbPRP_->currentRow());
    showFiles();
}

void TfrmOpenPRP::showFiles()
{
    if (opener_.fileRow() >= 0) {
        const QSignalBlocker blocker(flbPRP_);
        flbPRP_->setCurrentRow(opener_.fileRow());
    }
    edtFileName_->setText(opener_.filePath());
    lstContents_->clear();
    lstContents_->addItems(opener_.contents());
}

void TfrmOpenPRP::btnOkClick()
{
    if (opener_.accept())
        accept();
}

bool TfrmOpenPRP::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Left &&
        (watched == lstLesson_ || watched == flbPRP_)) {
        lstLesson_->setFocus();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zendra
