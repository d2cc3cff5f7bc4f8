#include "study/WidgetStudyPads.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace zendra {

namespace {

// The symbol keypad of memorise mode, row by row.
const char16_t* const kSymbolRows[] = {u"０１２３４ＡＢＣＤＥ", u"５６７８９ＦＧＨＩＪ",
                                       u"アイウエオあいうえお", u"カキクケコかきくけこ"};

// A key that leaves the focus where it is.
QPushButton* key(const QString& name, const QString& caption, QWidget* parent, const QRect& at)
{
    QPushButton* b = StudyButton(name, caption, parent, at);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace

QPushButton* StudyButton(const QString& name, const QString& caption, QWidget* parent,
                         const QRect& at)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::StrongFocus);
    if (!at.isNull())
        b->setGeometry(at);
    return b;
}

void PlaceStudyGroup(QGroupBox* group, const QString& name, const QRect& at)
{
    group->setObjectName(name);
    group->setGeometry(at);
}

QFont StudyPointFont(const QString& face, int points)
{
    constexpr int kScreenDpi = 96;
    QFont font(face);
    font.setPixelSize(std::max(1, points * kScreenDpi / 72));
    return font;
}

void SetStudyBackground(QWidget* w, const QColor& colour)
{
    w->setAutoFillBackground(true);
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, colour);
    w->setPalette(palette);
}

// --- the choice list -----------------------------------------------------------------------

WidgetChoicePad::WidgetChoicePad(QWidget* parent) : QGroupBox(QStringLiteral("答えの選択"), parent)
{
    PlaceStudyGroup(this, QStringLiteral("grbSelect"), QRect(8, 0, 209, 310));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstKgroup"));
    list_->setGeometry(8, 20, 193, 190);
    // The arrow keys, Home, End and type-ahead choose a line as a click does.
    list_->setFocusPolicy(Qt::StrongFocus);
    list_->installEventFilter(this);
    list_->addItems({QStringLiteral("解は無数にある"), QStringLiteral("解なし")});
    int y = 214;
    for (const QString& text : {QStringLiteral("解答を選択し"), QStringLiteral("[入力]ボタンを"),
                                QStringLiteral("押してください")}) {
        auto* label = new QLabel(text, this);
        label->setGeometry(8, y, 120, 18);
        y += 18;
    }
    QPushButton* input = StudyButton(QStringLiteral("btnNext2"), QStringLiteral("入力"), this,
                                     QRect(130, 216, 70, 30));
    QPushButton* clear = StudyButton(QStringLiteral("btnClear2"), QStringLiteral("クリア"), this,
                                     QRect(130, 252, 70, 30));
    // The current line, however it became current, is what the current box holds.
    connect(list_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item)
            emit lineChosen(item->text(), false);
    });
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (item)
            emit lineChosen(item->text(), true);
    });
    connect(input, &QPushButton::clicked, this, &WidgetChoicePad::enterPressed);
    connect(clear, &QPushButton::clicked, this, &WidgetChoicePad::clearPressed);
}

QStringList WidgetChoicePad::lines() const
{
    QStringList out;
    for (int i = 0; i < list_->count(); ++i)
        out.append(list_->item(i)->text());
    return out;
}

void WidgetChoicePad::setLines(const QStringList& lines)
{
    list_->clear();
    list_->addItems(lines);
}

void WidgetChoicePad::matchBox(const QString* boxText)
{
    const QListWidgetItem* item = list_->currentItem();
    if (item && (!boxText || *boxText != item->text()))
        list_->setCurrentItem(nullptr);
}

bool WidgetChoicePad::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        // Enter on the list is 入力, not the window's default button.
        const int k = static_cast<QKeyEvent*>(event)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            emit enterPressed();
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

// --- the number and fraction keypads -------------------------------------------------------

WidgetNumberPad::WidgetNumberPad(QWidget* parent) : QGroupBox(QStringLiteral("整数の入力"), parent)
{
    PlaceStudyGroup(this, QStringLiteral("GroupBox1"), QRect(0, 0, parent->width(), 150));
    const QString keys = QStringLiteral("789456123-0.");
    for (int i = 0; i < 12; ++i) {
        QPushButton* k = key(QStringLiteral("btnNum") + QString::number(i), keys.mid(i, 1), this,
                             QRect(8 + 32 * (i % 3), 20 + 30 * (i / 3), 30, 28));
        connect(k, &QPushButton::clicked, this, [this, t = keys.mid(i, 1)] { emit typed(t); });
    }
    struct Unit
    {
        const char* name;
        QString caption;
    };
    const Unit units[] = {{"btnJi", QStringLiteral("時")},
                          {"btnFun", QStringLiteral("分")},
                          {"btnAmari", QStringLiteral("…")}};
    for (int i = 0; i < 3; ++i) {
        QPushButton* k = key(QLatin1String(units[i].name), units[i].caption, this,
                             QRect(110 + 32 * i, 20, 30, 28));
        connect(k, &QPushButton::clicked, this, [this, c = units[i].caption] { emit typed(c); });
        if (i == 2)
            k->setToolTip(QStringLiteral("あまり"));
    }
    QPushButton* next = StudyButton(QStringLiteral("btnInputBun"), QStringLiteral("次へ"), this,
                                    QRect(110, 56, 94, 40));
    QPushButton* clear = StudyButton(QStringLiteral("btnClear"), QStringLiteral("消去"), this,
                                     QRect(110, 100, 94, 40));
    connect(next, &QPushButton::clicked, this, &WidgetNumberPad::nextPressed);
    connect(clear, &QPushButton::clicked, this, &WidgetNumberPad::clearPressed);
}

WidgetFractionPad::WidgetFractionPad(QWidget* parent)
    : QGroupBox(QStringLiteral("分数の入力"), parent)
{
    PlaceStudyGroup(this, QStringLiteral("GroupBox2"), QRect(0, 155, parent->width(), 214));
    edtSign_ = new QLineEdit(this);
    edtSign_->setObjectName(QStringLiteral("edtSign"));
    edtSign_->setGeometry(6, 62, 30, 26);
    edtBunshi_ = new QLineEdit(this);
    edtBunshi_->setObjectName(QStringLiteral("edtBunshi"));
    edtBunshi_->setGeometry(40, 30, 56, 26);
    shpBunno_ = new QFrame(this);
    shpBunno_->setObjectName(QStringLiteral("shpBunno"));
    shpBunno_->setGeometry(40, 72, 56, 4);
    edtBunbo_ = new QLineEdit(this);
    edtBunbo_->setObjectName(QStringLiteral("edtBunbo"));
    edtBunbo_->setGeometry(40, 92, 56, 26);
    for (QLineEdit* e : {edtSign_, edtBunshi_, edtBunbo_}) {
        e->setAlignment(Qt::AlignCenter);
        e->setFocusPolicy(Qt::ClickFocus);
        e->setReadOnly(true);
    }
    const QString digits = QStringLiteral("7894561230");
    for (int i = 0; i < 10; ++i) {
        QPushButton* k = key(QStringLiteral("btnBun") + digits.mid(i, 1), digits.mid(i, 1), this,
                             QRect(104 + 32 * (i % 3), 20 + 30 * (i / 3), 30, 28));
        connect(k, &QPushButton::clicked, this, [this, d = digits.at(i)] {
            keypad_.digit(d);
            showState();
        });
    }
    QPushButton* to =
        key(QStringLiteral("btnTo"), QStringLiteral("と"), this, QRect(136, 110, 30, 28));
    QPushButton* bunno =
        key(QStringLiteral("btnBunno"), QStringLiteral("分の"), this, QRect(104, 146, 94, 28));
    QPushButton* insert =
        key(QStringLiteral("btnInsert"), QStringLiteral("<=="), this, QRect(104, 178, 94, 28));
    connect(to, &QPushButton::clicked, this, [this] {
        keypad_.to();
        showState();
        edtBunbo_->setFocus();
    });
    connect(bunno, &QPushButton::clicked, this, [this] {
        keypad_.bunno();
        showState();
        edtBunshi_->setFocus();
    });
    connect(insert, &QPushButton::clicked, this, &WidgetFractionPad::insertPressed);
    showState();
}

std::optional<QString> WidgetFractionPad::compose(int currentBox)
{
    std::optional<QString> text = keypad_.compose(currentBox);
    showState();
    return text;
}

void WidgetFractionPad::clear()
{
    keypad_.clear();
    showState();
}

void WidgetFractionPad::showState()
{
    edtSign_->setText(keypad_.whole());
    edtBunshi_->setText(keypad_.numerator());
    edtBunbo_->setText(keypad_.denominator());
    SetStudyBackground(shpBunno_, keypad_.barRed() ? QColor(255, 0, 0) : QColor(255, 255, 255));
}

// --- the soft keyboard and the symbol keypad -----------------------------------------------

WidgetSoftKeyboard::WidgetSoftKeyboard(QWidget* parent)
    : QGroupBox(QStringLiteral("ソフトキーボード"), parent)
{
    PlaceStudyGroup(this, QStringLiteral("grbMoji"), QRect(8, 0, 209, 452));
    // It lies over the choice list, so it paints its own ground.
    SetStudyBackground(this, QColor(240, 240, 240));
    for (int k = 1; k <= kSoftKeyCount; ++k) {
        const int row = (k - 1) / 8, column = (k - 1) % 8;
        QPushButton* b = key(QStringLiteral("Button") + QString::number(k), QString(), this,
                             QRect(8 + 24 * column, 20 + 24 * row, 25, 25));
        QPalette palette = b->palette();
        palette.setColor(QPalette::ButtonText, QColor(0, 128, 0));
        b->setPalette(palette);
        connect(b, &QPushButton::clicked, this, [this, b] { emit typed(b->text()); });
        keys_[k] = b;
    }
    const int y = 20 + 24 * 15 + 4;
    QPushButton* next =
        key(QStringLiteral("btnNext"), QStringLiteral("次へ"), this, QRect(8, y, 60, 28));
    QPushButton* bs =
        key(QStringLiteral("BitBtn11"), QStringLiteral("ＢＳ"), this, QRect(72, y, 60, 28));
    QPushButton* clear =
        key(QStringLiteral("btnClearS"), QStringLiteral("クリア"), this, QRect(136, y, 64, 28));
    auto* note = new QLabel(QStringLiteral("英数字はキーボードから入力してください"), this);
    note->setGeometry(8, y + 30, 200, 18);
    QFont small = note->font();
    small.setPixelSize(10);
    note->setFont(small);
    connect(next, &QPushButton::clicked, this, &WidgetSoftKeyboard::enterPressed);
    connect(bs, &QPushButton::clicked, this, &WidgetSoftKeyboard::backspacePressed);
    connect(clear, &QPushButton::clicked, this, &WidgetSoftKeyboard::clearPressed);
}

void WidgetSoftKeyboard::setCaptions(const QStringList& captions)
{
    if (captions.isEmpty())
        return;
    for (int k = 1; k <= kSoftKeyCount; ++k) {
        keys_[k]->setText(captions.value(k - 1));
        keys_[k]->show();
    }
}

WidgetSymbolPad::WidgetSymbolPad(QWidget* parent) : QGroupBox(QString(), parent)
{
    PlaceStudyGroup(this, QStringLiteral("grbCMoji"), QRect(8, 326, 208, 129));
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 10; ++column) {
            const QString caption = QString::fromUtf16(kSymbolRows[row] + column, 1);
            QPushButton* b = key(QStringLiteral("btnCMoji%1").arg(row * 10 + column + 1), caption,
                                 this, QRect(4 + 20 * column, 12 + 28 * row, 20, 25));
            connect(b, &QPushButton::clicked, this, [this, caption] { emit typed(caption); });
        }
}

} // namespace zendra
