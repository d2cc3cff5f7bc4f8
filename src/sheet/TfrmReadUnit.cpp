#include "sheet/TfrmReadUnit.h"

#include "courseware/CopyFile.h"
#include "courseware/UnitWriter.h"
#include "platform/Messages.h"
#include "sheet/SheetBuilder.h"
#include "sheet/WorksheetHost.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zendra {

namespace {

QPlainTextEdit* memo(const char* name, QWidget* parent)
{
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(QLatin1StringView(name));
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    return edit;
}

QLineEdit* lineEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1StringView(name));
    return edit;
}

QPushButton* button(const QString& text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1StringView(name));
    b->setAutoDefault(false);
    return b;
}

QString joined(const QStringList& lines)
{
    return lines.join(u'\n');
}

} // namespace

TfrmReadUnit::TfrmReadUnit(WorksheetHost& host, QWidget* parent) : QDialog(parent), host_(host)
{
    setObjectName(QStringLiteral("frmReadUnit"));
    setWindowTitle(QStringLiteral("Zendra - コピーファイルの編集"));
    resize(640, 560);

    edtTangen_ = lineEdit("edtTangen", this);
    edtSchool_ = lineEdit("edtSchool", this);
    edtShimei_ = lineEdit("edtShimei", this);
    edtNQues_ = lineEdit("edtNQues", this);
    edtNQues_->setReadOnly(true);
    edtNQues_->setMaximumWidth(80);
    redQues_ = memo("redQues", this);
    // The figure lines are shown, not edited: their pictures are loaded only by adding a unit.
    memQGraph_ = memo("memQGraph", this);
    memQGraph_->setReadOnly(true);
    memAGraph_ = memo("memAGraph", this);
    memAGraph_->setReadOnly(true);
    memLayout_ = memo("memLayout", this);
    memLayout_->hide();

    btnAdd_ = button(QStringLiteral("追加"), "btnAdd", this);
    btnOk_ = button(QStringLiteral("OK"), "btnOk", this);
    btnOk_->setDefault(true);
    btnCancel_ = button(QStringLiteral("キャンセル"), "btnCancel", this);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("タイトル"), edtTangen_);
    fields->addRow(QStringLiteral("学校名"), edtSchool_);
    fields->addRow(QStringLiteral("氏名欄"), edtShimei_);
    fields->addRow(QStringLiteral("解答欄の数"), edtNQues_);

    auto* figures = new QHBoxLayout;
    auto* question = new QVBoxLayout;
    question->addWidget(new QLabel(QStringLiteral("問題のグラフ"), this));
    question->addWidget(memQGraph_);
    auto* answer = new QVBoxLayout;
    answer->addWidget(new QLabel(QStringLiteral("解答のグラフ"), this));
    answer->addWidget(memAGraph_);
    figures->addLayout(question);
    figures->addLayout(answer);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnAdd_);
    buttons->addStretch(1);
    buttons->addWidget(btnOk_);
    buttons->addWidget(btnCancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(new QLabel(QStringLiteral("問題"), this));
    layout->addWidget(redQues_, 3);
    layout->addLayout(figures, 1);
    layout->addWidget(memLayout_);
    layout->addLayout(buttons);

    connect(btnAdd_, &QPushButton::clicked, this, &TfrmReadUnit::btnAddClick);
    connect(btnOk_, &QPushButton::clicked, this, &TfrmReadUnit::btnOkClick);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmReadUnit::FormShow(const Sheet& sheet)
{
    working_ = sheet;
    unitsAdded_ = false;
    showSheet(sheet);
    edtNQues_->setText(QString::number(sheet.composed.boxes.count()));
    memLayout_->setPlainText(joined(LayoutBlockLines(sheet.toCopySheet())));
    edtTangen_->setFocus();
}

void TfrmReadUnit::showSheet(const Sheet& sheet)
{
    const UnitContent& content = sheet.content;
    edtTangen_->setText(content.title);
    edtSchool_->setText(content.school);
    edtShimei_->setText(content.nameLine);
    redQues_->setPlainText(joined(content.questions));
    memQGraph_->setPlainText(joined(content.questionFigures));
    memAGraph_->setPlainText(joined(content.answerFigures));
}

QStringList TfrmReadUnit::questionLines() const
{
    // An empty memo is no lines, not one empty line.
    const QString text = redQues_->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

UnitContent TfrmReadUnit::fieldContent() const
{
    UnitContent content = working_.content;
    content.title = edtTangen_->text();
    content.school = edtSchool_->text();
    content.nameLine = edtShimei_->text();
    content.questions = questionLines();
    return content;
}

HeaderEdit TfrmReadUnit::result() const
{
    HeaderEdit edit;
    edit.content = fieldContent();
    edit.unitsAdded = unitsAdded_;
    if (unitsAdded_) {
        edit.lastComposedTitle = working_.lastComposedTitle;
        edit.questionPictures = working_.questionPictures;
        edit.answerPictures = working_.answerPictures;
    }
    return edit;
}

void TfrmReadUnit::btnAddClick()
{
    const std::optional<UnitChoice> choice = host_.chooseUnitToAdd();
    if (!choice)
        return;
    // The unit is added to what the fields hold now, edits included.
    working_.content = fieldContent();
    if (!AddUnitToSheet(working_, host_.courseware(), *choice, host_.unitReader()))
        return;
    unitsAdded_ = true;
    showSheet(working_);
}

void TfrmReadUnit::btnOkClick()
{
    // The copy file would not read back with more lines than a sheet holds.
    if (questionLines().size() > kMaxQuestionLines) {
        ShowMessage(QStringLiteral("問題の行は６０行以下です"));
        redQues_->setFocus();
        return;
    }
    if (!CheckPositionBlocks(memLayout_->toPlainText().split(u'\n')))
        return;
    accept();
}

} // namespace zendra
