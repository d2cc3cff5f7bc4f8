#include "authoring/TfrmEditQues.h"

#include "authoring/TfrmAutoRuidai.h"
#include "authoring/TfrmBMP.h"
#include "authoring/TfrmEditSource.h"
#include "courseware/UnitChoice.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "sheet/Sheet.h"
#include "sheet/SheetOutput.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QVBoxLayout>

namespace zendra {

namespace {

QPlainTextEdit* makePane(QWidget* parent, const char* name)
{
    auto* pane = new QPlainTextEdit(parent);
    pane->setObjectName(QString::fromLatin1(name));
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    return pane;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    // Enter in a pane is a line break, never OK.
    button->setAutoDefault(false);
    return button;
}

QLineEdit* makeReadOnly(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    return edit;
}

// A pane under its label, with an optional row of controls below it.
QVBoxLayout* labelled(const QString& label, QWidget* pane, QLayout* below = nullptr)
{
    auto* box = new QVBoxLayout;
    box->addWidget(new QLabel(label, pane->parentWidget()));
    box->addWidget(pane, 1);
    if (below)
        box->addLayout(below);
    return box;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets)
{
    auto* layout = new QHBoxLayout;
    for (QWidget* w : widgets)
        layout->addWidget(w);
    layout->addStretch();
    return layout;
}

} // namespace

TfrmEditQues::TfrmEditQues(const QString& programFolder, const LessonTable& lessons,
                           QWidget* parent)
    : QDialog(parent), programFolder_(programFolder), lessons_(lessons)
{
    setObjectName(QStringLiteral("frmEditQues"));
    setWindowTitle(QStringLiteral("マスターファイルの編集"));
    // A click on the preview shows the figure at full size beside the editor.
    frmBMP_ = new TfrmBMP(this);
    showFigure = [this](const QImage& picture) { frmBMP_->showPicture(picture); };

    MemQues_ = makePane(this, "MemQues");
    memKgroup_ = makePane(this, "memKgroup");
    memDummy_ = makePane(this, "memDummy");
    memHint_ = makePane(this, "memHint");
    memQGraph_ = makePane(this, "memQGraph");
    memAGraph_ = makePane(this, "memAGraph");
    memPasteLo_ = makePane(this, "memPasteLo");

    lstKai_ = new QListWidget(this);
    lstKai_->setObjectName(QStringLiteral("lstKai"));
    flbGraph_ = new QListWidget(this);
    flbGraph_->setObjectName(QStringLiteral("flbGraph"));
    flbGraph_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    imgGraph_ = new QLabel(this);
    imgGraph_->setObjectName(QStringLiteral("imgGraph"));
    imgGraph_->setFixedSize(160, 120);
    imgGraph_->setFrameShape(QFrame::Box);
    imgGraph_->setAlignment(Qt::AlignCenter);
    imgGraph_->installEventFilter(this);

    lblKosuh_ = new QLabel(QStringLiteral("0"), this);
    lblKosuh_->setObjectName(QStringLiteral("lblKosuh"));
    lblKosuh2_ = new QLabel(QStringLiteral("0"), this);
    lblKosuh2_->setObjectName(QStringLiteral("lblKosuh2"));
    lblKosuh3_ = new QLabel(QStringLiteral("0"), this);
    lblKosuh3_->setObjectName(QStringLiteral("lblKosuh3"));

    edtFileName_ = makeReadOnly(this, "edtFileName");
    edtTangen_ = makeReadOnly(this, "edtTangen");
    edtLesson_ = makeReadOnly(this, "edtLesson");

    chkSuuji_ = new QCheckBox(QStringLiteral("数字除く"), this);
    chkSuuji_->setObjectName(QStringLiteral("chkSuuji"));
    chkSuuji_->setChecked(true);
    chkKigou_ = new QCheckBox(QStringLiteral("記号除く"), this);
    chkKigou_->setObjectName(QStringLiteral("chkKigou"));
    chkKigou_->setChecked(true);

    auto* btnOk = makeButton(this, "btnOk", QStringLiteral("Ｏ　Ｋ"));
    auto* btnCancel = makeButton(this, "btnCancel", QStringLiteral("キャンセル"));
    auto* btnTest = makeButton(this, "btnTest", QStringLiteral("抽出=>"));
    auto* btnKai = makeButton(this, "btnKai", QStringLiteral("解答欄"));
    auto* btnKakko = makeButton(this, "btnKakko", QStringLiteral("下線とかっこ"));
    auto* btnNumber = makeButton(this, "btnNumber", QStringLiteral("問題番号"));
    auto* btnKgAdd = makeButton(this, "btnKgAdd", QStringLiteral("<=挿入"));
    auto* btnDummy = makeButton(this, "btnDummy", QStringLiteral("=>"));
    for (QPushButton* b : {btnKgAdd, btnDummy})
        b->setToolTip(QStringLiteral("解とダミーの解を挿入"));
    auto* btnKGClear = makeButton(this, "btnKGClear", QStringLiteral("クリア"));
    auto* btnQGAdd = makeButton(this, "btnQGAdd", QStringLiteral("<=挿入"));
    auto* btnQGClear = makeButton(this, "btnQGClear", QStringLiteral("クリア"));
    auto* btnAGAdd = makeButton(this, "btnAGAdd", QStringLiteral("<=挿入"));
    auto* btnAGClear = makeButton(this, "btnAGClear", QStringLiteral("クリア"));
    btnEditDirect_ = makeButton(this, "btnEditDirect", QStringLiteral("直接編集"));
    btnAutoRuidai_ = makeButton(this, "btnAutoRuidai", QStringLiteral("類題を自動作成"));

    connect(btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
    connect(btnCancel, &QPushButton::clicked, this, &TfrmEditQues::btnCancelClick);
    connect(btnTest, &QPushButton::clicked, this, &TfrmEditQues::btnTestClick);
    connect(btnKai, &QPushButton::clicked, this, &TfrmEditQues::btnKaiClick);
    connect(btnKakko, &QPushButton::clicked, this, &TfrmEditQues::btnKakkoClick);
    connect(btnNumber, &QPushButton::clicked, this, &TfrmEditQues::btnNumberClick);
    connect(btnKgAdd, &QPushButton::clicked, this, &TfrmEditQues::btnKgAddClick);
    connect(btnDummy, &QPushButton::clicked, this, &TfrmEditQues::btnDummyClick);
    connect(btnKGClear, &QPushButton::clicked, this, &TfrmEditQues::btnKGClearClick);
    connect(btnQGAdd, &QPushButton::clicked, this, &TfrmEditQues::btnQGAddClick);
    connect(btnAGAdd, &QPushButton::clicked, this, &TfrmEditQues::btnAGAddClick);
    connect(btnQGClear, &QPushButton::clicked, memQGraph_, &QPlainTextEdit::clear);
    connect(btnAGClear, &QPushButton::clicked, memAGraph_, &QPlainTextEdit::clear);
    connect(btnEditDirect_, &QPushButton::clicked, this, &TfrmEditQues::btnEditDirectClick);
    connect(btnAutoRuidai_, &QPushButton::clicked, this, &TfrmEditQues::btnAutoRuidaiClick);
    // The preview follows the current figure, however it became current.
    connect(flbGraph_, &QListWidget::currentRowChanged, this, &TfrmEditQues::flbGraphClick);
    connect(memKgroup_, &QPlainTextEdit::textChanged, this, &TfrmEditQues::updateChoiceCounters);
    imgHissan_ = new QLabel(this);
    imgHissan_->setObjectName(QStringLiteral("imgHissan"));
    imgHissan_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imgHissan_->hide();
    connect(MemQues_, &QPlainTextEdit::cursorPositionChanged, this,
            &TfrmEditQues::updateColumnPreview);
    connect(MemQues_, &QPlainTextEdit::textChanged, this, &TfrmEditQues::updateColumnPreview);

    // Typing in these panes is an edit of the unit; the commands' own changes are not.
    for (QPlainTextEdit* pane : {MemQues_, memKgroup_, memHint_, memPasteLo_, memQGraph_}) {
        connect(pane->document(), &QTextDocument::modificationChanged, this, [this](bool changed) {
            if (changed && !commandRunning_)
                editor_.unitModified = true;
        });
    }
    // Any change of the figure lines counts, the insert buttons' included.
    for (QPlainTextEdit* pane : {memQGraph_, memAGraph_})
        connect(pane, &QPlainTextEdit::textChanged, this, [this] { editor_.unitModified = true; });

    // Layout: file and unit on top; questions and hints; answers and choices; figures and
    // layout blocks; the closing buttons at the bottom.
    auto* top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral("データファイル"), this), 0, 0);
    top->addWidget(edtFileName_, 0, 1, 1, 3);
    top->addWidget(new QLabel(QStringLiteral("単元"), this), 1, 0);
    top->addWidget(edtTangen_, 1, 1);
    top->addWidget(edtLesson_, 1, 2);

    auto* left = new QVBoxLayout;
    left->addLayout(labelled(QStringLiteral("<<ques 問題ブロック"), MemQues_,
                             row({btnKai, btnKakko, btnNumber, btnTest})),
                    3);
    left->addWidget(imgHissan_);
    left->addLayout(labelled(QStringLiteral("<<hint ヒントブロック"), memHint_), 1);

    auto* counters = new QHBoxLayout;
    counters->addWidget(new QLabel(QStringLiteral("ソフトキーボード"), this));
    counters->addWidget(lblKosuh2_);
    counters->addWidget(new QLabel(QStringLiteral("文字"), this));
    counters->addWidget(lblKosuh3_);
    counters->addWidget(new QLabel(QStringLiteral("個"), this));
    counters->addStretch();
    auto* kgroupControls = new QVBoxLayout;
    kgroupControls->addLayout(row({btnKgAdd, btnKGClear, chkSuuji_, chkKigou_}));
    kgroupControls->addLayout(counters);

    auto* middle = new QVBoxLayout;
    middle->addLayout(labelled(QStringLiteral("抽出された解"), lstKai_,
                               row({lblKosuh_, new QLabel(QStringLiteral("個"), this)})),
                      2);
    middle->addLayout(
        labelled(QStringLiteral("<<kgroup 解選択ブロック"), memKgroup_, kgroupControls), 2);
    middle->addLayout(labelled(QStringLiteral("<<dummy ダミーの解答"), memDummy_, row({btnDummy})),
                      1);

    auto* figures = new QHBoxLayout;
    figures->addLayout(labelled(QStringLiteral("使えるグラフ"), flbGraph_), 1);
    figures->addWidget(imgGraph_, 0, Qt::AlignBottom);
    auto* right = new QVBoxLayout;
    right->addLayout(figures, 2);
    right->addLayout(
        labelled(QStringLiteral("<<graph 問題のグラフ"), memQGraph_, row({btnQGAdd, btnQGClear})),
        2);
    right->addLayout(
        labelled(QStringLiteral("<<AGraph 解答のグラフ"), memAGraph_, row({btnAGAdd, btnAGClear})),
        2);
    right->addLayout(labelled(QStringLiteral("<<value 位置情報など"), memPasteLo_), 3);

    auto* panes = new QHBoxLayout;
    panes->addLayout(left, 3);
    panes->addLayout(middle, 2);
    panes->addLayout(right, 2);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(btnEditDirect_);
    bottom->addWidget(btnAutoRuidai_);
    bottom->addStretch();
    bottom->addWidget(btnOk);
    bottom->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(panes, 1);
    layout->addLayout(bottom);

    if (parent)
        resize(parent->window()->size());
    else
        resize(1000, 700);
}

void TfrmEditQues::setContext(const UnitChoice& position, bool newUnitMode, Sheet* openSheet,
                              const QString& unitTitle, const QList<QPoint>& figureAnchors)
{
    editor_.position = position;
    editor_.newUnitMode = newUnitMode;
    openSheet_ = openSheet;
    unitTitle_ = unitTitle;
    figureAnchors_ = figureAnchors;
}

void TfrmEditQues::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        if (const QScreen* s = screen())
            move(s->availableGeometry().topLeft());
        FormShow();
    }
}

void TfrmEditQues::FormShow()
{
    preview_ = QImage();
    imgGraph_->clear();
    btnEditDirect_->setEnabled(!editor_.newUnitMode);
    // Sets belong to the unit itself, not to one of its sets.
    btnAutoRuidai_->setEnabled(editor_.position.variant == 0);
    createdVariant_ = 0;

    editor_.LoadUnitIntoPanes(programFolder_, lessons_, editor_.position, openSheet_);
    editorToPanes();
    fillFigureList();
    editor_.unitModified = false;

    const UnitChoice& p = editor_.position;
    edtFileName_->setText(editor_.fileName.isEmpty() ? QString() : shownPath(editor_.fileName));
    edtTangen_->setText(unitTitle_);
    edtLesson_->setText(QStringLiteral("%1 %2 %3").arg(p.lesson).arg(p.section).arg(p.unit) +
                        VariantSuffix(p.variant));

    MemQues_->setFocus();
    editor_.lstKai.clear();
    lstKai_->clear();
    btnTestClick();
    updateChoiceCounters();
}

void TfrmEditQues::editorToPanes()
{
    const std::pair<QPlainTextEdit*, const QStringList*> panes[] = {
        {MemQues_, &editor_.ques},      {memKgroup_, &editor_.kgroup},
        {memDummy_, &editor_.dummy},    {memHint_, &editor_.hint},
        {memQGraph_, &editor_.qgraph},  {memAGraph_, &editor_.agraph},
        {memPasteLo_, &editor_.pasteLo}};
    for (const auto& [pane, lines] : panes)
        pane->setPlainText(PaneText(*lines));
}

void TfrmEditQues::panesToEditor()
{
    editor_.ques = PaneLines(MemQues_->toPlainText());
    editor_.kgroup = PaneLines(memKgroup_->toPlainText());
    editor_.dummy = PaneLines(memDummy_->toPlainText());
    editor_.hint = PaneLines(memHint_->toPlainText());
    editor_.qgraph = PaneLines(memQGraph_->toPlainText());
    editor_.agraph = PaneLines(memAGraph_->toPlainText());
    editor_.pasteLo = PaneLines(memPasteLo_->toPlainText());
}

void TfrmEditQues::fillFigureList()
{
    flbGraph_->clear();
    graphFolder_ = GraphFolder(programFolder_, lessons_, editor_.position.lesson);
    if (graphFolder_.isEmpty())
        return;
    // Figures made on Windows are "*.BMP" in any letter case.
    flbGraph_->addItems(
        QDir(graphFolder_)
            .entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void TfrmEditQues::placeCaret(QPlainTextEdit* pane, int line)
{
    QTextCursor cursor(pane->document()->findBlockByNumber(std::max(line, 0)));
    pane->setTextCursor(cursor);
    pane->setFocus();
}

void TfrmEditQues::commandEdit(QPlainTextEdit* pane, const std::function<void()>& change)
{
    const bool wasModified = pane->document()->isModified();
    commandRunning_ = true;
    change();
    commandRunning_ = false;
    // Leaves the document's own mark as it was, so the next key typed is still noticed.
    pane->document()->setModified(wasModified);
}

bool TfrmEditQues::btnOkClick()
{
    panesToEditor();
    if (const int r = CheckQuestionLines(editor_.ques); r >= 0) {
        placeCaret(MemQues_, r);
        return false;
    }
    if (!CheckPositionBlocks(editor_.pasteLo)) {
        placeCaret(memPasteLo_, 0);
        return false;
    }
    editor_.WriteUnitFromPanes();
    if (!editor_.Save())
        return false;
    editor_.unitModified = false;
    QDialog::accept();
    return true;
}

void TfrmEditQues::btnCancelClick()
{
    editor_.unitModified = false;
    QDialog::reject();
}

bool TfrmEditQues::mayClose()
{
    if (!editor_.unitModified)
        return true;
    if (Messages::instance().askYesNo(QStringLiteral("変更されたデータファイルを保存しますか？")) !=
        Messages::Answer::Yes)
        return true;
    // A unit that fails its checks or its save keeps the window open, so the edits survive.
    btnOkClick();
    return false;
}

void TfrmEditQues::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (mayClose())
        QDialog::reject();
}

void TfrmEditQues::reject()
{
    // Escape is the close box.
    if (mayClose())
        QDialog::reject();
}

void TfrmEditQues::showAnswers()
{
    lstKai_->clear();
    lstKai_->addItems(editor_.lstKai);
    lblKosuh_->setText(QString::number(editor_.lstKai.size()));
}

void TfrmEditQues::btnTestClick()
{
    editor_.ques = PaneLines(MemQues_->toPlainText());
    if (const int r = editor_.ExtractAnswers(); r >= 0)
        placeCaret(MemQues_, r);
    showAnswers();
}

void TfrmEditQues::btnKaiClick()
{
    const QTextCursor cursor = MemQues_->textCursor();
    const TextEditResult r =
        InsertAnswerField(MemQues_->toPlainText(), cursor.selectionStart(), cursor.selectionEnd());
    if (!r.done)
        return;
    commandEdit(MemQues_, [&] {
        QTextCursor edit = MemQues_->textCursor();
        const int start = edit.selectionStart();
        edit.insertText(r.text.mid(start, r.caret - start));
        MemQues_->setTextCursor(edit);
    });
    btnTestClick();
    MemQues_->setFocus();
}

void TfrmEditQues::btnKakkoClick()
{
    const QTextCursor cursor = MemQues_->textCursor();
    const TextEditResult r = UnderlineWithParentheses(
        MemQues_->toPlainText(), cursor.selectionStart(), cursor.selectionEnd());
    if (!r.done)
        return;
    commandEdit(MemQues_, [&] {
        QTextCursor edit = MemQues_->textCursor();
        const int start = edit.selectionStart();
        edit.insertText(r.text.mid(start, r.caret - start));
        MemQues_->setTextCursor(edit);
    });
    MemQues_->setFocus();
}

void TfrmEditQues::btnNumberClick()
{
    const QStringList lines = PaneLines(MemQues_->toPlainText());
    if (lines.size() < 2)
        return;
    commandEdit(MemQues_, [&] {
        QTextCursor edit(MemQues_->document());
        edit.select(QTextCursor::Document);
        edit.insertText(PaneText(NumberQuestions(lines)));
    });
}

void TfrmEditQues::btnKgAddClick()
{
    commandEdit(memKgroup_, [&] {
        memKgroup_->setPlainText(PaneText(
            ChoicesFromAnswers(editor_.lstKai, chkSuuji_->isChecked(), chkKigou_->isChecked())));
    });
}

void TfrmEditQues::btnDummyClick()
{
    const QStringList choices =
        AddDummyChoices(PaneLines(memKgroup_->toPlainText()), PaneLines(memDummy_->toPlainText()));
    commandEdit(memKgroup_, [&] { memKgroup_->setPlainText(PaneText(choices)); });
}

void TfrmEditQues::btnKGClearClick()
{
    commandEdit(memKgroup_, [&] { memKgroup_->clear(); });
}

void TfrmEditQues::updateChoiceCounters()
{
    const ChoiceCounters counters = CountChoices(PaneLines(memKgroup_->toPlainText()));
    lblKosuh2_->setText(QString::number(counters.characters));
    lblKosuh3_->setText(QString::number(counters.lines));
}

void TfrmEditQues::insertFigures(QPlainTextEdit* pane, bool answer)
{
    QStringList files;
    for (int i = 0; i < flbGraph_->count(); ++i) {
        if (flbGraph_->item(i)->isSelected())
            files << flbGraph_->item(i)->text();
    }
    QStringList lines = PaneLines(pane->toPlainText());
    if (InsertFigures(lines, files, figureAnchors_, answer) > 0)
        pane->setPlainText(PaneText(lines));
}

void TfrmEditQues::btnQGAddClick()
{
    insertFigures(memQGraph_, false);
}

void TfrmEditQues::btnAGAddClick()
{
    insertFigures(memAGraph_, true);
}

void TfrmEditQues::flbGraphClick()
{
    const QListWidgetItem* item = flbGraph_->currentItem();
    if (!item || graphFolder_.isEmpty())
        return;
    const QString path = graphFolder_ + item->text();
    if (!FileMustExist(path))
        return;
    const QImage image(path);
    if (image.isNull()) {
        ShowMessage(QStringLiteral("ファイル ") + shownPath(path) +
                    QStringLiteral(" は画像として読めません"));
        return;
    }
    preview_ = image;
    imgGraph_->setPixmap(QPixmap::fromImage(image).scaled(imgGraph_->size(), Qt::KeepAspectRatio,
                                                          Qt::SmoothTransformation));
}

bool TfrmEditQues::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == imgGraph_ && event->type() == QEvent::MouseButtonRelease && !preview_.isNull() &&
        showFigure)
        showFigure(preview_);
    return QDialog::eventFilter(watched, event);
}

void TfrmEditQues::btnEditDirectClick()
{
    if (!editor_.loadError().isEmpty()) {
        // Editing lines that are not the file's would write them over it.
        ShowMessage(editor_.loadError());
        return;
    }
    if (editor_.fileName.isEmpty())
        return;
    TfrmEditSource source(this);
    source.openHelp = openHelp;
    source.setSource(editor_.fileName, 720, editor_.unitLines);
    if (source.exec() != QDialog::Accepted)
        return;
    QDir().mkpath(QFileInfo(editor_.fileName).absolutePath());
    if (const TextFile::Result r = TextFile::write(editor_.fileName, source.lines()); !r) {
        ShowMessage(shownPath(editor_.fileName) + QStringLiteral("の保存に失敗しました\n") +
                    r.error);
        return;
    }
    FormShow();
}

void TfrmEditQues::btnAutoRuidaiClick()
{
    panesToEditor();
    if (const int r = CheckQuestionLines(editor_.ques); r >= 0) {
        placeCaret(MemQues_, r);
        return;
    }
    const QuestionGenerator generator(editor_.ques);
    if (!generator.understandsAny()) {
        ShowMessage(QStringLiteral("この単元には数を変えて作れる問題がありません。\n"
                                   "類題は作成しませんでした"));
        return;
    }
    TfrmAutoRuidai dialog(
        generator, editor_.position.unit, QuestionGenerator::NewSeed(),
        [this](quint64 seed, const QList<GeneratedSet>& sets) {
            return editor_.SaveSimilarSets(seed, sets);
        },
        this);
    if (dialog.exec() == QDialog::Accepted && !dialog.sets().isEmpty())
        createdVariant_ = dialog.sets().first().variant;
    MemQues_->setFocus();
}

void TfrmEditQues::updateColumnPreview()
{
    const QString line = MemQues_->textCursor().block().text();
    const QImage preview = ColumnPreview(line, 14, kDefaultDrawingFace);
    imgHissan_->setPixmap(preview.isNull() ? QPixmap() : QPixmap::fromImage(preview));
    imgHissan_->setVisible(!preview.isNull());
}

} // namespace zendra
