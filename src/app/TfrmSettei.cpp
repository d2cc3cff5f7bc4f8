#include "app/TfrmSettei.h"

#include "sheet/Sheet.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zendra {

namespace {

// The boxes the sheet keeps without limits; the composer bounds what it draws.
constexpr int kUnbounded = 99999;

void paintBackground(QWidget* widget, QColor colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel* label(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}

} // namespace

TfrmSettei::TfrmSettei(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSettei"));
    setWindowTitle(QStringLiteral("設定"));
    paintBackground(this, QColor(192, 192, 255));
    auto* layout = new QVBoxLayout(this);

    auto* grbShape = new QGroupBox(QStringLiteral("解答欄の形"), this);
    grbShape->setObjectName(QStringLiteral("grbShape"));
    paintBackground(grbShape, QColor(255, 255, 240));
    auto* shapeGrid = new QGridLayout(grbShape);
    shapes_ = new QButtonGroup(this);
    auto radio = [&](const char* name, const QString& caption, int shape, int row, int column) {
        auto* button = new QRadioButton(caption, grbShape);
        button->setObjectName(QString::fromLatin1(name));
        shapes_->addButton(button, shape);
        shapeGrid->addWidget(button, row, column);
        return button;
    };
    radNon_ = radio("radNon", QStringLiteral("なし"), kShapeNone, 0, 0);
    radShikaku_ = radio("radShikaku", QStringLiteral("四角"), kShapeRect, 0, 1);
    radKasen_ = radio("radKasen", QStringLiteral("____"), kShapeUnderline, 1, 0);
    radRound_ = radio("radRound", QStringLiteral("角丸"), kShapeRounded, 1, 1);
    radKakko_ = radio("radKakko", QStringLiteral("[   ]"), kShapeBrackets, 2, 0);
    radLine_ = radio("radLine", QStringLiteral("【　】"), kShapeLenticular, 2, 1);
    radKakko_->hide();
    radLine_->hide();
    connect(shapes_, &QButtonGroup::idToggled, this, [this](int shape, bool checked) {
        if (checked)
            shapeClick(shape);
    });

    spnKranWX_ = addSpin(grbShape, "spnKranWX", -kUnbounded, kUnbounded, LayoutControl::BoxWidth);
    spnKranH_ = addSpin(grbShape, "spnKranH", -kUnbounded, kUnbounded, LayoutControl::BoxHeight);
    spnKranX_ = addSpin(grbShape, "spnKranX", -kUnbounded, kUnbounded, LayoutControl::BoxX);
    spnKranY_ = addSpin(grbShape, "spnKranY", -kUnbounded, kUnbounded, LayoutControl::BoxY);
    spnKranX_->hide();
    spnKranY_->hide();
    shapeGrid->addWidget(label(QStringLiteral("幅"), grbShape), 3, 0);
    shapeGrid->addWidget(spnKranWX_, 3, 1);
    shapeGrid->addWidget(label(QStringLiteral("高さ"), grbShape), 4, 0);
    shapeGrid->addWidget(spnKranH_, 4, 1);
    layout->addWidget(grbShape);

    auto* grbPosition = new QGroupBox(QStringLiteral("解答位置と余白"), this);
    grbPosition->setObjectName(QStringLiteral("grbPosition"));
    paintBackground(grbPosition, QColor(255, 255, 240));
    auto* positionGrid = new QGridLayout(grbPosition);
    spnAnsX_ = addSpin(grbPosition, "spnAnsX", -kUnbounded, kUnbounded, LayoutControl::AnswerX);
    spnAnsY_ = addSpin(grbPosition, "spnAnsY", -kUnbounded, kUnbounded, LayoutControl::AnswerY);
    spnLeftM_ = addSpin(grbPosition, "spnLeftM", 0, 15, LayoutControl::LeftMargin);
    spnRightM_ = addSpin(grbPosition, "spnRightM", 0, 15, LayoutControl::RightMargin);
    positionGrid->addWidget(label(QStringLiteral("解答位置"), grbPosition), 0, 0);
    positionGrid->addWidget(spnAnsX_, 0, 1);
    positionGrid->addWidget(spnAnsY_, 0, 2);

    auto arrow = [&](const char* name, const QString& caption, QSpinBox* spin, int step, int row,
                     int column) {
        auto* button = new QPushButton(caption, grbPosition);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        button->setFixedWidth(32);
        connect(button, &QPushButton::clicked, this,
                [spin, step] { spin->setValue(spin->value() + step); });
        positionGrid->addWidget(button, row, column, Qt::AlignCenter);
    };
    arrow("btnUp", QStringLiteral("↑"), spnAnsY_, -1, 1, 1);
    arrow("btnLeft", QStringLiteral("←"), spnAnsX_, -1, 2, 0);
    arrow("btnRight", QStringLiteral("→"), spnAnsX_, +1, 2, 2);
    arrow("btnDown", QStringLiteral("↓"), spnAnsY_, +1, 3, 1);

    positionGrid->addWidget(label(QStringLiteral("左空白"), grbPosition), 4, 0);
    positionGrid->addWidget(spnLeftM_, 4, 1);
    positionGrid->addWidget(label(QStringLiteral("右空白"), grbPosition), 5, 0);
    positionGrid->addWidget(spnRightM_, 5, 1);
    layout->addWidget(grbPosition);

    auto* buttons = new QHBoxLayout;
    btnKakudai_ = new QPushButton(ReduceCaption(false), this);
    btnKakudai_->setObjectName(QStringLiteral("btnKakudai"));
    btnKakudai_->setAutoDefault(false);
    connect(btnKakudai_, &QPushButton::clicked, this, [this] { btnKakudaiClick(); });
    btnOk_ = new QPushButton(QStringLiteral("閉じる"), this);
    btnOk_->setObjectName(QStringLiteral("btnOk"));
    connect(btnOk_, &QPushButton::clicked, this, [this] { btnOkClick(); });
    buttons->addWidget(btnKakudai_);
    buttons->addStretch();
    buttons->addWidget(btnOk_);
    layout->addLayout(buttons);

    btnOk_->setFocus();

    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

QSpinBox* TfrmSettei::addSpin(QWidget* parent, const char* name, int minimum, int maximum,
                              LayoutControl control)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(minimum, maximum);
    connect(spin, &QSpinBox::valueChanged, this,
            [this, control](int value) { valueChange(control, value); });
    spins_.append({spin, control});
    return spin;
}

void TfrmSettei::setSheet(Sheet* sheet, std::function<void()> redraw,
                          std::function<QString()> toggleReduced, const QString& reduceCaption,
                          std::function<void()> scroll)
{
    sheet_ = sheet;
    redraw_ = std::move(redraw);
    toggleReduced_ = std::move(toggleReduced);
    scroll_ = std::move(scroll);
    btnKakudai_->setText(reduceCaption);
    if (!sheet_)
        return;

    filling_ = true;
    for (const auto& [spin, control] : spins_)
        spin->setValue(LayoutValue(*sheet_, control));
    const int shape = sheet_->kran().number(KranLine::Shape);
    if (const std::optional<int> button = ShapeButtonFor(shape)) {
        shapes_->button(*button)->setChecked(true);
    } else {
        // An exclusive group cannot be emptied by unchecking its one checked button.
        shapes_->setExclusive(false);
        for (QAbstractButton* b : shapes_->buttons())
            b->setChecked(false);
        shapes_->setExclusive(true);
    }
    showSizeBoxes(shape);
    filling_ = false;
}

void TfrmSettei::valueChange(LayoutControl control, int value)
{
    if (filling_ || !sheet_)
        return;
    ApplyLayoutValue(*sheet_, control, value);
    if (redraw_)
        redraw_();
}

void TfrmSettei::shapeClick(int shape)
{
    showSizeBoxes(shape);
    if (filling_ || !sheet_)
        return;
    ApplyLayoutValue(*sheet_, LayoutControl::Shape, shape);
    if (redraw_)
        redraw_();
}

void TfrmSettei::showSizeBoxes(int shape)
{
    const SizeBoxes boxes = SizeBoxesForShape(shape);
    spnKranWX_->setEnabled(boxes.width);
    spnKranH_->setEnabled(boxes.height);
}

void TfrmSettei::btnKakudaiClick()
{
    if (toggleReduced_)
        btnKakudai_->setText(toggleReduced_());
}

void TfrmSettei::btnOkClick()
{
    accept();
}

bool TfrmSettei::previewKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (scroll_)
            scroll_();
        return true;
    case Qt::Key_Backspace:
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            break;
        // The dialog moves the focus itself so that only the teacher's own Tab chooses a
        // shape: showing the dialog again gives the last focused control focus "by Tab" too.
        tabbing_ = true;
        focusNextPrevChild(event->key() == Qt::Key_Tab);
        tabbing_ = false;
        return true;
    default:
        break;
    }
    const QString text = event->text();
    if ((text == QLatin1String("S") || text == QLatin1String("s")) &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        btnKakudaiClick();
        return true;
    }
    return false;
}

bool TfrmSettei::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress)
        return previewKey(static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::FocusIn) {
        // Tabbing onto a shape chooses it, as the arrow keys do inside the group.
        auto* button = qobject_cast<QRadioButton*>(watched);
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (button && shapes_->id(button) >= 0 && !button->isChecked() && !filling_ && sheet_ &&
            tabbing_ && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason))
            button->click();
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmSettei::keyPressEvent(QKeyEvent* event)
{
    if (!previewKey(event))
        QDialog::keyPressEvent(event);
}

} // namespace zendra
