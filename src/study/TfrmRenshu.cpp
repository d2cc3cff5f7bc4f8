#include "study/TfrmRenshu.h"

#include "learners/TfrmKiroku.h"
#include "platform/Messages.h"
#include "platform/Numbers.h"
#include "platform/PainterSurface.h"
#include "sheet/Sheet.h"
#include "sheet/SheetOutput.h"
#include "sheet/TfrmPrint.h"
#include "study/InputAids.h"
#include "study/Judging.h"
#include "study/StudyMarks.h"
#include "study/StudySession.h"
#include "study/TfrmZenSeikai.h"
#include "study/WidgetMemoPad.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

static void initStudyResources()
{
    Q_INIT_RESOURCE(faces);
}

namespace zendra {

namespace {

constexpr int kScreenDpi = 96;

QPushButton* button(const QString& name, const QString& caption, QWidget* parent,
                    const QRect& at = {})
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::StrongFocus);
    if (!at.isNull())
        b->setGeometry(at);
    return b;
}

QGroupBox* group(const QString& name, const QString& caption, QWidget* parent, const QRect& at)
{
    auto* g = new QGroupBox(caption, parent);
    g->setObjectName(name);
    g->setGeometry(at);
    return g;
}

QFont pointFont(const QString& face, int points)
{
    QFont font(face);
    font.setPixelSize(std::max(1, points * kScreenDpi / 72));
    return font;
}

// What a message image keeps free at its right and bottom edges.
constexpr int kMessageMargin = 4;

// The font of at most `points` in which the text fits `width` pixels.
QFont fittedFont(const QString& face, int points, const QString& text, int width)
{
    QFont font = pointFont(face, points);
    for (int p = points - 1; p >= 6 && QFontMetrics(font).horizontalAdvance(text) > width; --p)
        font = pointFont(face, p);
    return font;
}

// The bounds of a mark's outlines with their pen.
QRect markBounds(const MarkShape& mark)
{
    QRect bounds;
    for (const QRect& e : mark.ellipses)
        bounds |= QRect(e.topLeft(), e.bottomRight());
    for (const QLine& l : mark.lines)
        bounds |= QRect(l.p1(), l.p2()).normalized();
    const int pen = std::max(1, mark.penWidth) + 1;
    return bounds.isNull() ? bounds : bounds.adjusted(-pen, -pen, pen, pen);
}

// True when nothing is drawn on the page inside `r`, outside `own`.
bool blankOn(const QImage& page, const QRect& r, const QRect& own)
{
    const QRect area = r & page.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (!own.contains(x, y) && page.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

void setBackground(QWidget* w, const QColor& colour)
{
    w->setAutoFillBackground(true);
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, colour);
    w->setPalette(palette);
}

const std::array<QColor, 4> kSwatches = {QColor(192, 255, 255), QColor(192, 255, 192),
                                         QColor(255, 255, 192), QColor(255, 192, 255)};

// The symbol keypad of memorise mode, row by row.
const char16_t* const kSymbolRows[] = {u"０１２３４ＡＢＣＤＥ", u"５６７８９ＦＧＨＩＪ",
                                       u"アイウエオあいうえお", u"カキクケコかきくけこ"};

// The entry boxes as the study logic reads them.
class EntryBoxes : public EntryBoxView
{
public:
    explicit EntryBoxes(const std::array<QLineEdit*, TfrmRenshu::kEntryBoxes>& boxes)
        : boxes_(boxes)
    {
    }
    bool isVisible(int box) const override
    {
        return box >= 1 && box < TfrmRenshu::kEntryBoxes && !boxes_[box]->isHidden();
    }
    QString text(int box) const override
    {
        return box >= 1 && box < TfrmRenshu::kEntryBoxes ? boxes_[box]->text() : QString();
    }

private:
    const std::array<QLineEdit*, TfrmRenshu::kEntryBoxes>& boxes_;
};

void setTextColour(QLineEdit* box, const QColor& background, const QColor& text)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, text);
    box->setPalette(palette);
}

// Where the entry box of an answer box lies; `panel` is the width left of the page. The box
// fills the frame drawn on the page: as wide as the answer alone it would give the answer's
// length away and leave no room to type a longer one.
EntryBoxRect entryRectFor(const AnswerBox& box, int panel, int c, int b, int boxWidth)
{
    EntryBoxRect r = PlaceEntryBox(box, panel, c, b);
    const QRect frame = AnswerBoxGeometry(box, 1.0, 1.0, AnswerFieldHeight(c), boxWidth, b).box;
    r.width = std::max(r.width, frame.right() - frame.left() - 4);
    return r;
}

// The mark of a judged box on a page of scale s, placed over the box as its entry box lies.
MarkShape markOver(MarkKind kind, const AnswerBox& box, const QRect& base, int c, int b,
                   int boxWidth, double s, double f)
{
    const EntryBoxRect e = entryRectFor(box, 0, c, b, boxWidth);
    if (kind == MarkKind::TestSlash) {
        // Across the whole frame, not just the width of the model answer.
        QRect across = base;
        across.setRight(std::max(base.right(), base.left() + roundHalfEven(e.width * s)));
        return TestSlashMark(across, e.width, s);
    }
    return MakeMark(kind, e, PageFrame{0, 0, s, f}, false);
}

} // namespace

TfrmRenshu::TfrmRenshu(StudyHost& host, QWidget* parent) : QDialog(parent), host_(host)
{
    initStudyResources();
    session_ = std::make_unique<StudySession>();
    setObjectName(QStringLiteral("frmRenshu"));
    setModal(true);
    setBackground(this, QColor(240, 240, 240));

    const QImage pen(QStringLiteral(":/study/CrossCSR.png"));
    const QImage eraser(QStringLiteral(":/study/ScissorsCSR.png"));
    penCursor_ = QCursor(QPixmap::fromImage(pen), 15, 15);
    eraserCursor_ = QCursor(QPixmap::fromImage(eraser), 16, 16);

    // Placed and sized as the main window, over it; the learner can neither shrink nor
    // minimise it, so the sheet behind it stays covered.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setGeometry(host_.mainGeometry());

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("scrRenshu"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll_->setWidgetResizable(false);
    content_ = new QWidget;
    content_->setObjectName(QStringLiteral("pnlContent"));
    imgPaper2_ = new QLabel(content_);
    imgPaper2_->setObjectName(QStringLiteral("imgPaper2"));
    imgPaper2_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_->setWidget(content_);
    // The pinned panels follow the scroll position: their top stays 0.
    connect(scroll_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { pinPanels(); });

    for (int i = 0; i < kEntryBoxes; ++i) {
        auto* box = new QLineEdit(content_);
        const QString name = QStringLiteral("M") + QString::number(i);
        box->setObjectName(name);
        box->setText(name);
        box->resize(100, 50);
        box->setFocusPolicy(Qt::ClickFocus);
        box->hide();
        box->installEventFilter(this);
        entry_[i] = box;
    }

    buildCommandPanel();
    buildRightPanel();
    buildRecordsPanel();

    timSecond_ = new QTimer(this);
    timSecond_->setObjectName(QStringLiteral("timSecond"));
    timSecond_->setInterval(1000);
    connect(timSecond_, &QTimer::timeout, this, [this] { session_->tick(); });

    frmZenSeikai_ = new TfrmZenSeikai(this);

    static const std::pair<int, const char*> kFaceFiles[] = {
        {int(Face::Gaoh), "imgGaoh"},   {int(Face::Namida), "imgNamida"},
        {int(Face::Nanda), "imgNanda"}, {int(Face::Sleep), "imgSleep"},
        {int(Face::Happy), "imgHappy"}, {int(Face::GreenHeart), "imgGreenHeart"},
        {int(Face::Kutta), "imgKutta"}, {int(Face::RedHeart), "imgRedHeart"},
    };
    for (const auto& [face, file] : kFaceFiles)
        faces_.insert(face, QImage(QStringLiteral(":/study/") + QLatin1String(file) +
                                   QStringLiteral(".png")));
    applyColour(0);
}

TfrmRenshu::~TfrmRenshu() = default;

QLineEdit* TfrmRenshu::entryBox(int i) const
{
    return i >= 0 && i < kEntryBoxes ? entry_[i] : nullptr;
}

void TfrmRenshu::buildCommandPanel()
{
    const int p = host_.mainPanelWidth();
    pnlRenshu_ = new QFrame(this);
    pnlRenshu_->setObjectName(QStringLiteral("pnlRenshu"));
    pnlRenshu_->setGeometry(0, 0, p, height() - 40);
    setBackground(pnlRenshu_, QColor(255, 255, 240));

    int y = 10;
    auto next = [&](const QString& name, const QString& caption) {
        QPushButton* b = button(name, caption, pnlRenshu_, QRect(8, y, p - 16, 34));
        y += 40;
        return b;
    };
    btnRenshu_ = next(QStringLiteral("btnRenshu"), QStringLiteral("練習"));
    btnFukushu_ = next(QStringLiteral("btnFukushu"), QStringLiteral("復習　"));
    btnTest_ = next(QStringLiteral("btnTest"), QStringLiteral("テスト"));
    btnAnki_ = next(QStringLiteral("btnAnki"), QStringLiteral("暗記"));
    y += 10;
    btnSeikai_ = next(QStringLiteral("btnSeikai"), QStringLiteral("正解表示"));
    btnTouan_ = next(QStringLiteral("btnTouan"), QStringLiteral("答案表示"));
    btnShowRecord_ = next(QStringLiteral("btnShowRecord"), QStringLiteral("記録表示"));
    btnStartPrint_ = next(QStringLiteral("btnStartPrint"), QStringLiteral("印　刷"));
    y += 10;
    btnEnd_ = next(QStringLiteral("btnEnd"), QStringLiteral("閉じる"));
    y += 10;

    grbColor_ = group(QStringLiteral("grbColor"), QStringLiteral("解答欄の色"), pnlRenshu_,
                      QRect(8, y, p - 16, 120));
    for (int k = 0; k < 4; ++k) {
        auto* rad = new QRadioButton(grbColor_);
        rad->setObjectName(QStringLiteral("rad") + QString::number(k + 1));
        rad->setGeometry(10, 22 + 24 * k, 24, 20);
        radColour_[k] = rad;
        auto* swatch = new QLabel(grbColor_);
        swatch->setObjectName(QStringLiteral("shpCol") + QString::number(k + 1));
        swatch->setGeometry(40, 22 + 24 * k, 50, 20);
        QPixmap pixmap(50, 20);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::black);
            painter.setBrush(kSwatches[k]);
            painter.drawEllipse(QRect(1, 1, 47, 17));
        }
        swatch->setPixmap(pixmap);
        swatch->setProperty("swatch", k);
        swatch->installEventFilter(this);
        connect(rad, &QRadioButton::clicked, this, [this, k] { applyColour(k); });
    }
    radColour_[0]->setChecked(true);
    y += 130;

    grbInput_ = group(QStringLiteral("grbInput"), QStringLiteral("入力モード"), pnlRenshu_,
                      QRect(8, y, p - 16, 70));
    chkKaitou_ = new QRadioButton(QStringLiteral("解答選択"), grbInput_);
    chkKaitou_->setObjectName(QStringLiteral("chkKaitou"));
    chkKaitou_->setGeometry(10, 20, p - 36, 20);
    chkKaitou_->setChecked(true);
    chkRandom_ = new QRadioButton(QStringLiteral("ランダム"), grbInput_);
    chkRandom_->setObjectName(QStringLiteral("chkRandom"));
    chkRandom_->setGeometry(10, 44, p - 36, 20);

    connect(btnRenshu_, &QPushButton::clicked, this, &TfrmRenshu::btnRenshuClick);
    connect(btnFukushu_, &QPushButton::clicked, this, &TfrmRenshu::btnFukushuClick);
    connect(btnTest_, &QPushButton::clicked, this, &TfrmRenshu::btnTestClick);
    connect(btnAnki_, &QPushButton::clicked, this, &TfrmRenshu::btnAnkiClick);
    connect(btnSeikai_, &QPushButton::clicked, this, &TfrmRenshu::btnSeikaiClick);
    connect(btnTouan_, &QPushButton::clicked, this, &TfrmRenshu::btnTouanClick);
    connect(btnShowRecord_, &QPushButton::clicked, this, &TfrmRenshu::btnShowRecordClick);
    connect(btnStartPrint_, &QPushButton::clicked, this, &TfrmRenshu::btnStartPrintClick);
    connect(btnEnd_, &QPushButton::clicked, this, &TfrmRenshu::btnEndClick);
}

void TfrmRenshu::buildRightPanel()
{
    pnlSS_ = new QFrame(this);
    pnlSS_->setObjectName(QStringLiteral("pnlSS"));
    pnlSS_->setGeometry(0, 0, 225, pnlRenshu_->height());
    setBackground(pnlSS_, QColor(240, 240, 240));

    buildChoiceGroup(pnlSS_);
    pnlBunsu_ = new QFrame(pnlSS_);
    pnlBunsu_->setObjectName(QStringLiteral("pnlBunsu"));
    pnlBunsu_->setGeometry(grbSelect_->x(), grbSelect_->y(), grbSelect_->width(), 369);
    buildNumberPad(pnlBunsu_);
    buildFractionPad(pnlBunsu_);
    buildSoftKeyboard(pnlSS_);
    buildSymbolPad(pnlSS_);
    buildExerciseGroup(pnlSS_);

    imgMessXX_ = new QLabel(pnlSS_);
    imgMessXX_->setObjectName(QStringLiteral("imgMessXX"));
    imgMessXX_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    memo_ = new WidgetMemoPad(penCursor_, eraserCursor_, pnlSS_);
}

void TfrmRenshu::buildChoiceGroup(QWidget* parent)
{
    grbSelect_ = group(QStringLiteral("grbSelect"), QStringLiteral("答えの選択"), parent,
                       QRect(8, 0, 209, 310));
    lstKgroup_ = new QListWidget(grbSelect_);
    lstKgroup_->setObjectName(QStringLiteral("lstKgroup"));
    lstKgroup_->setGeometry(8, 20, 193, 190);
    lstKgroup_->setFocusPolicy(Qt::NoFocus);
    lstKgroup_->addItems({QStringLiteral("解は無数にある"), QStringLiteral("解なし")});
    int y = 214;
    for (const QString& text : {QStringLiteral("解答を選択し"), QStringLiteral("[入力]ボタンを"),
                                QStringLiteral("押してください")}) {
        auto* label = new QLabel(text, grbSelect_);
        label->setGeometry(8, y, 120, 18);
        y += 18;
    }
    QPushButton* input = button(QStringLiteral("btnNext2"), QStringLiteral("入力"), grbSelect_,
                                QRect(130, 216, 70, 30));
    QPushButton* clear = button(QStringLiteral("btnClear2"), QStringLiteral("クリア"), grbSelect_,
                                QRect(130, 252, 70, 30));
    connect(lstKgroup_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (currentBox() < 1 || !item)
            return;
        entry_[currentBox()]->setText(item->text());
        focusBox(currentBox());
    });
    connect(input, &QPushButton::clicked, this, &TfrmRenshu::EnterAnswer);
    connect(clear, &QPushButton::clicked, this, [this] {
        if (QLineEdit* box = entryBox(currentBox())) {
            box->clear();
            focusBox(currentBox());
        }
    });
    lstSoftKey_ = new QListWidget(this);
    lstSoftKey_->setObjectName(QStringLiteral("lstSoftKey"));
    lstSoftKey_->hide();
}

void TfrmRenshu::buildNumberPad(QWidget* parent)
{
    QGroupBox* pad = group(QStringLiteral("GroupBox1"), QStringLiteral("整数の入力"), parent,
                           QRect(0, 0, parent->width(), 150));
    const QString keys = QStringLiteral("789456123-0.");
    for (int i = 0; i < 12; ++i) {
        QPushButton* key = button(QStringLiteral("btnNum") + QString::number(i), keys.mid(i, 1),
                                  pad, QRect(8 + 32 * (i % 3), 20 + 30 * (i / 3), 30, 28));
        key->setFocusPolicy(Qt::NoFocus);
        connect(key, &QPushButton::clicked, this, [this, k = keys.mid(i, 1)] { AppendToBox(k); });
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
        QPushButton* key = button(QLatin1String(units[i].name), units[i].caption, pad,
                                  QRect(110 + 32 * i, 20, 30, 28));
        key->setFocusPolicy(Qt::NoFocus);
        connect(key, &QPushButton::clicked, this, [this, c = units[i].caption] { AppendToBox(c); });
        if (i == 2)
            key->setToolTip(QStringLiteral("あまり"));
    }
    QPushButton* next =
        button(QStringLiteral("btnInputBun"), QStringLiteral("次へ"), pad, QRect(110, 56, 94, 40));
    QPushButton* clear =
        button(QStringLiteral("btnClear"), QStringLiteral("消去"), pad, QRect(110, 100, 94, 40));
    connect(next, &QPushButton::clicked, this, [this] { fractionKey('N'); });
    connect(clear, &QPushButton::clicked, this, [this] { fractionKey('C'); });
}

void TfrmRenshu::buildFractionPad(QWidget* parent)
{
    QGroupBox* pad = group(QStringLiteral("GroupBox2"), QStringLiteral("分数の入力"), parent,
                           QRect(0, 155, parent->width(), 214));
    edtSign_ = new QLineEdit(pad);
    edtSign_->setObjectName(QStringLiteral("edtSign"));
    edtSign_->setGeometry(6, 62, 30, 26);
    edtBunshi_ = new QLineEdit(pad);
    edtBunshi_->setObjectName(QStringLiteral("edtBunshi"));
    edtBunshi_->setGeometry(40, 30, 56, 26);
    shpBunno_ = new QFrame(pad);
    shpBunno_->setObjectName(QStringLiteral("shpBunno"));
    shpBunno_->setGeometry(40, 72, 56, 4);
    edtBunbo_ = new QLineEdit(pad);
    edtBunbo_->setObjectName(QStringLiteral("edtBunbo"));
    edtBunbo_->setGeometry(40, 92, 56, 26);
    for (QLineEdit* e : {edtSign_, edtBunshi_, edtBunbo_}) {
        e->setAlignment(Qt::AlignCenter);
        e->setFocusPolicy(Qt::ClickFocus);
        e->setReadOnly(true);
    }
    const QString digits = QStringLiteral("7894561230");
    for (int i = 0; i < 10; ++i) {
        QPushButton* key = button(QStringLiteral("btnBun") + digits.mid(i, 1), digits.mid(i, 1),
                                  pad, QRect(104 + 32 * (i % 3), 20 + 30 * (i / 3), 30, 28));
        key->setFocusPolicy(Qt::NoFocus);
        connect(key, &QPushButton::clicked, this,
                [this, d = digits.at(i)] { fractionKey(d.unicode()); });
    }
    QPushButton* to =
        button(QStringLiteral("btnTo"), QStringLiteral("と"), pad, QRect(136, 110, 30, 28));
    QPushButton* bunno =
        button(QStringLiteral("btnBunno"), QStringLiteral("分の"), pad, QRect(104, 146, 94, 28));
    QPushButton* insert =
        button(QStringLiteral("btnInsert"), QStringLiteral("<=="), pad, QRect(104, 178, 94, 28));
    for (QPushButton* b : {to, bunno, insert})
        b->setFocusPolicy(Qt::NoFocus);
    connect(to, &QPushButton::clicked, this, [this] { fractionKey('T'); });
    connect(bunno, &QPushButton::clicked, this, [this] { fractionKey('B'); });
    connect(insert, &QPushButton::clicked, this, [this] { fractionKey('I'); });
    showFractionState();
}

void TfrmRenshu::buildSoftKeyboard(QWidget* parent)
{
    grbMoji_ = group(QStringLiteral("grbMoji"), QStringLiteral("ソフトキーボード"), parent,
                     QRect(8, 0, 209, 452));
    // It lies over the choice list, so it paints its own ground.
    setBackground(grbMoji_, QColor(240, 240, 240));
    for (int k = 1; k <= kSoftKeyCount; ++k) {
        const int row = (k - 1) / 8, column = (k - 1) % 8;
        QPushButton* key = button(QStringLiteral("Button") + QString::number(k), QString(),
                                  grbMoji_, QRect(8 + 24 * column, 20 + 24 * row, 25, 25));
        key->setFocusPolicy(Qt::NoFocus);
        QPalette palette = key->palette();
        palette.setColor(QPalette::ButtonText, QColor(0, 128, 0));
        key->setPalette(palette);
        connect(key, &QPushButton::clicked, this, [this, key] { softKeyClick(key->text()); });
        softKeys_[k] = key;
    }
    const int y = 20 + 24 * 15 + 4;
    QPushButton* next =
        button(QStringLiteral("btnNext"), QStringLiteral("次へ"), grbMoji_, QRect(8, y, 60, 28));
    QPushButton* bs =
        button(QStringLiteral("BitBtn11"), QStringLiteral("ＢＳ"), grbMoji_, QRect(72, y, 60, 28));
    QPushButton* clear = button(QStringLiteral("btnClearS"), QStringLiteral("クリア"), grbMoji_,
                                QRect(136, y, 64, 28));
    for (QPushButton* b : {next, bs, clear})
        b->setFocusPolicy(Qt::NoFocus);
    auto* note = new QLabel(QStringLiteral("英数字はキーボードから入力してください"), grbMoji_);
    note->setGeometry(8, y + 30, 200, 18);
    QFont small = note->font();
    small.setPixelSize(10);
    note->setFont(small);
    connect(next, &QPushButton::clicked, this, &TfrmRenshu::EnterAnswer);
    connect(bs, &QPushButton::clicked, this, [this] {
        if (QLineEdit* box = entryBox(currentBox())) {
            if (!box->text().isEmpty())
                box->setText(RemoveLastCharacter(box->text()));
            focusBox(currentBox());
        }
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        if (QLineEdit* box = entryBox(currentBox())) {
            box->clear();
            focusBox(currentBox());
        }
    });
    grbMoji_->hide();
}

void TfrmRenshu::buildSymbolPad(QWidget* parent)
{
    grbCMoji_ = group(QStringLiteral("grbCMoji"), QString(), parent, QRect(8, 326, 208, 129));
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 10; ++column) {
            const QString caption = QString::fromUtf16(kSymbolRows[row] + column, 1);
            QPushButton* key =
                button(QStringLiteral("btnCMoji%1").arg(row * 10 + column + 1), caption, grbCMoji_,
                       QRect(4 + 20 * column, 12 + 28 * row, 20, 25));
            key->setFocusPolicy(Qt::NoFocus);
            connect(key, &QPushButton::clicked, this, [this, caption] { softKeyClick(caption); });
        }
    grbCMoji_->hide();
}

void TfrmRenshu::buildExerciseGroup(QWidget* parent)
{
    grbTest_ = group(QStringLiteral("grbTest"), QString(), parent, QRect(8, 460, 208, 121));
    btnAnswer_ = button(QStringLiteral("btnAnswer"), QStringLiteral("答えを見る"), grbTest_,
                        QRect(6, 10, 96, 34));
    btnHint_ = button(QStringLiteral("btnHint"), QStringLiteral("ヒントを見る"), grbTest_,
                      QRect(106, 10, 96, 34));
    btnSaiten_ = button(QStringLiteral("btnSaiten"), QStringLiteral("採点　"), grbTest_,
                        QRect(6, 48, 196, 34));
    btnAbort_ =
        button(QStringLiteral("btnAbort"), QStringLiteral("中止"), grbTest_, QRect(6, 84, 196, 32));
    connect(btnAnswer_, &QPushButton::clicked, this, &TfrmRenshu::btnAnswerClick);
    connect(btnHint_, &QPushButton::clicked, this, &TfrmRenshu::btnHintClick);
    connect(btnSaiten_, &QPushButton::clicked, this, &TfrmRenshu::btnSaitenClick);
    connect(btnAbort_, &QPushButton::clicked, this, &TfrmRenshu::btnAbortClick);
    grbTest_->hide();

    pnlAnki_ = new QFrame(parent);
    pnlAnki_->setObjectName(QStringLiteral("pnlAnki"));
    pnlAnki_->setGeometry(grbTest_->geometry());
    setBackground(pnlAnki_, QColor(240, 240, 240));
    QPushButton* nextA = button(QStringLiteral("btnNextA"), QStringLiteral("消して次へ"), pnlAnki_,
                                QRect(2, 2, 100, 36));
    QPushButton* nextB = button(QStringLiteral("btnNextB"), QStringLiteral("消さずに次へ"),
                                pnlAnki_, QRect(106, 2, 100, 36));
    QPushButton* show = button(QStringLiteral("btnShow"), QStringLiteral("すべて表示"), pnlAnki_,
                               QRect(2, 42, 100, 36));
    QPushButton* allClear = button(QStringLiteral("btnAllClear"), QStringLiteral("すべて消去"),
                                   pnlAnki_, QRect(106, 42, 100, 36));
    QPushButton* close = button(QStringLiteral("btnClose"), QStringLiteral("暗記終了"), pnlAnki_,
                                QRect(2, 82, 204, 36));
    connect(nextA, &QPushButton::clicked, this, &TfrmRenshu::btnNextAClick);
    connect(nextB, &QPushButton::clicked, this, &TfrmRenshu::btnNextBClick);
    connect(show, &QPushButton::clicked, this, [this] {
        btnSeikaiClick();
        focusBox(1);
    });
    connect(allClear, &QPushButton::clicked, this, &TfrmRenshu::btnAllClearClick);
    connect(close, &QPushButton::clicked, this, &TfrmRenshu::btnCloseClick);
    pnlAnki_->hide();
}

void TfrmRenshu::buildRecordsPanel()
{
    pnlKiroku_ = new QFrame(this);
    pnlKiroku_->setObjectName(QStringLiteral("pnlKiroku"));
    setBackground(pnlKiroku_, QColor(240, 240, 240));
    lblKiroku_ = new QLabel(pnlKiroku_);
    lblKiroku_->setObjectName(QStringLiteral("lblKiroku"));
    memKiroku_ = new QPlainTextEdit(pnlKiroku_);
    memKiroku_->setObjectName(QStringLiteral("memKiroku"));
    memKiroku_->setReadOnly(true);
    memKiroku_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed = pointFont(QStringLiteral("ＭＳ ゴシック"), 9);
    fixed.setStyleHint(QFont::Monospace);
    fixed.setFixedPitch(true);
    memKiroku_->setFont(fixed);
    imgMess_ = new QLabel(pnlKiroku_);
    imgMess_->setObjectName(QStringLiteral("imgMess"));
    imgMess_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Clicking the face puts the lion cub in its place.
    imgMess_->installEventFilter(this);
    lstRenshu_ = new QListWidget(pnlKiroku_);
    lstRenshu_->setObjectName(QStringLiteral("lstRenshu"));
    lstRenshu_->hide();
}

void TfrmRenshu::coverMainWindow()
{
    placed_ = host_.mainGeometry();
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    setFixedSize(placed_.size());
    setGeometry(placed_);
    pnlRenshu_->resize(pnlRenshu_->width(), height() - 40);
    pnlSS_->resize(pnlSS_->width(), pnlRenshu_->height());
}

void TfrmRenshu::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    // Moved off the main window: back over it once the move is done. A window manager that
    // puts it elsewhere again is answered at most ten times a second.
    if (snapping_ || !isVisible() || !placed_.isValid() ||
        geometry().topLeft() == placed_.topLeft())
        return;
    snapping_ = true;
    QTimer::singleShot(0, this, [this] {
        if (isVisible() && geometry().topLeft() != placed_.topLeft())
            setGeometry(placed_);
        QTimer::singleShot(100, this, [this] { snapping_ = false; });
    });
}

void TfrmRenshu::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized))
        QTimer::singleShot(0, this, [this] {
            if (isVisible())
                setWindowState(windowState() & ~Qt::WindowMinimized);
        });
}

void TfrmRenshu::keyPressEvent(QKeyEvent* event)
{
    // Escape would close the window and throw the running exercise away.
    if (event->key() == Qt::Key_Escape && session_->state().exerciseRunning) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmRenshu::closeEvent(QCloseEvent* event)
{
    // The title bar's close button while an exercise runs: asked first, and then the
    // exercise ends as 中止 ends it, with nothing recorded.
    if (session_->state().exerciseRunning) {
        if (Messages::instance().askDestructive(QStringLiteral("学習を中止しますか？")) !=
            Messages::Answer::Yes) {
            event->ignore();
            return;
        }
        btnAbortClick();
    }
    QDialog::closeEvent(event);
}

void TfrmRenshu::layoutOnShow()
{
    const int screen = QGuiApplication::primaryScreen()
                           ? QGuiApplication::primaryScreen()->availableGeometry().width()
                           : width();
    const int p = pnlRenshu_->width();
    const int pageWidth = page_.width();
    const int pageRight = p + 5 + pageWidth;
    imgPaper2_->setGeometry(p + 5, 0, pageWidth, page_.height());
    content_->resize(pageRight, page_.height() + 10);

    pnlKiroku_->setGeometry(pageRight + 5, 0, std::max(100, screen - p - pageWidth - 40),
                            pnlSS_->height());
    const int memWidth = std::max(80, screen - p - pageWidth - 60);
    memKiroku_->setGeometry(10, 40, memWidth, 250);
    lblKiroku_->setGeometry(memKiroku_->x(), 20, memWidth, 18);
    pnlSS_->move(pageRight + 20, 0);
    imgMess_->setGeometry(memKiroku_->x(), grbSelect_->geometry().bottom() + 1 + 20, memWidth, 250);
    messageArea_ = QImage(imgMess_->size(), QImage::Format_RGB32);
    messageArea_.fill(Qt::white);
    imgMessXX_->setGeometry(8, grbTest_->geometry().bottom() + 1 + 5, grbTest_->width(), 100);
    answerArea_ = QImage(imgMessXX_->size(), QImage::Format_RGB32);
    answerArea_.fill(Qt::white);
    pnlAnki_->move(grbTest_->x(), grbTest_->y());
    // Beneath the message image: the keypads and the exercise buttons stay uncovered.
    const int memoTop = imgMessXX_->geometry().bottom() + 1 + 4;
    memo_->setGeometry(pnlBunsu_->x(), memoTop, pnlBunsu_->width(),
                       std::max(60, pnlSS_->height() - memoTop - 4));
    memo_->prepare();
    refreshMessageViews();
    pinPanels();
}

void TfrmRenshu::pinPanels()
{
    // The panels lie over the scrolled page, always at the top of the window.
    for (QWidget* panel : {static_cast<QWidget*>(pnlRenshu_), static_cast<QWidget*>(pnlSS_),
                           static_cast<QWidget*>(pnlKiroku_)}) {
        panel->move(panel->x(), 0);
        panel->raise();
    }
}

void TfrmRenshu::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    scroll_->setGeometry(rect());
    pinPanels();
}

void TfrmRenshu::scrollToTop()
{
    scroll_->verticalScrollBar()->setValue(0);
}

void TfrmRenshu::writeLine(QImage& image, QLabel* view, int line, const QString& text, int points,
                           QColor colour, int pitch)
{
    if (line == 0)
        image.fill(Qt::white);
    if (&image == &answerArea_) {
        if (line == 0)
            answerAreaLines_.clear();
        answerAreaLines_.append(text);
    }
    {
        QPainter painter(&image);
        const QFont font = fittedFont(QStringLiteral("ＭＳ ゴシック"), points, text,
                                      image.width() - kMessageMargin);
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(QPoint(0, pitch * line + QFontMetrics(font).ascent()), text);
    }
    view->setPixmap(QPixmap::fromImage(image));
}

void TfrmRenshu::blankAnswerArea()
{
    answerArea_.fill(Qt::white);
    answerAreaLines_.clear();
    imgMessXX_->setPixmap(QPixmap::fromImage(answerArea_));
}

// A unit whose answers are all plain ASCII asks the input method for Latin input, so a
// Japanese keyboard types the answers in ASCII; other units keep Japanese input.
void TfrmRenshu::applyInputHints()
{
    bool ascii = true;
    for (int i = 1; ascii && i <= session_->boxCount(); ++i)
        ascii = AsciiAnswers(session_->data().answerAlternatives[i]);
    const Qt::InputMethodHints hints =
        ascii ? Qt::ImhPreferLatin | Qt::ImhNoPredictiveText : Qt::ImhNone;
    for (QLineEdit* box : entry_)
        box->setInputMethodHints(hints);
}

void TfrmRenshu::noteDrawn(int box, const QRect& rect)
{
    if (box >= 1 && box < kEntryBoxes && !rect.isNull())
        drawnFor_[box] |= rect;
}

// Where entry box `box`, now at window x `left`, goes after a wrong try: on to the right
// while it stays on the page and off any text or frame beside it; otherwise under the
// question, a row lower at its first left, when that place is free. Otherwise it stays.
QPoint TfrmRenshu::retryPlace(int box, int left) const
{
    const QLineEdit* e = entry_[box];
    const int p = pnlRenshu_->width();
    const QRect own =
        AnswerBoxGeometry(session_->boxes()[box], 1.0, 1.0,
                          AnswerFieldHeight(host_.characterSize()),
                          sheet()->kran().number(KranLine::BoxWidth), host_.answerBoxHeight())
            .box.adjusted(-1, -1, 1, 1);
    const QRect right(left + e->width() - p, e->y(), e->width(), e->height());
    if (right.right() < page_.width() && blankOn(cleanPage_, right, own))
        return QPoint(left + e->width(), e->y());
    const QRect under(entryAt_[box].x() - p, e->y() + e->height() + 2, e->width(), e->height());
    if (under.bottom() < page_.height() && blankOn(cleanPage_, under, own))
        return QPoint(entryAt_[box].x(), under.top());
    return e->pos();
}

void TfrmRenshu::refreshMessageViews()
{
    imgMess_->setPixmap(QPixmap::fromImage(messageArea_));
    imgMessXX_->setPixmap(QPixmap::fromImage(answerArea_));
}

void TfrmRenshu::showPage()
{
    imgPaper2_->setPixmap(QPixmap::fromImage(page_));
}

// --- the sheet and its composition ---------------------------------------------------------

Sheet* TfrmRenshu::sheet() const
{
    return studied_ ? &studied_->sheet() : nullptr;
}

bool TfrmRenshu::fromCopyFile() const
{
    return sheet() && sheet()->source.unitNumber == 0;
}

bool TfrmRenshu::hintAvailable() const
{
    return !hints_.isEmpty() && !fromCopyFile();
}

StudyRecordTarget TfrmRenshu::recordTarget() const
{
    const Sheet& s = *sheet();
    return StudyRecordTargetFor(host_.learnerPlace(s.source.choice.lesson), s.source.choice,
                                host_.sectionUnits(), fromCopyFile(),
                                QFileInfo(s.source.fileName).fileName());
}

ComposeInputs TfrmRenshu::studyInputs(bool learnerAnswers) const
{
    ComposeInputs inputs = host_.composeInputs(*sheet());
    inputs.composing = true;
    inputs.bekkai = false; // no alternatives beside the boxes while the learner studies
    // The study page keeps the worksheet's boxes: the entry boxes lie over them.
    inputs.registerAnswerBoxes = false;
    inputs.reusePieceStarts = learnerAnswers;
    inputs.studyBoxes = session_->boxCount();
    inputs.drawMark = [c = host_.characterSize(), b = host_.answerBoxHeight(),
                       w = sheet()->kran().number(KranLine::BoxWidth)](
                          Surface& surface, int, const AnswerBox& entry,
                          const AnswerBoxRects& rects, double s, double f) {
        const MarkKind kind = ComposedMarkFor(entry.judgement);
        if (kind != MarkKind::None)
            PaintMark(surface, markOver(kind, entry, rects.base, c, b, w, s, f));
    };
    if (learnerAnswers) {
        const StudyBoxData& data = session_->data();
        for (int i = 1; i <= session_->boxCount(); ++i)
            inputs.learnerAnswers.append(data.learnerAnswers[i]);
    }
    return inputs;
}

// The choice list in a new random order, as every exercise and review starts.
void TfrmRenshu::shuffleChoiceList()
{
    QStringList lines;
    for (int i = 0; i < lstKgroup_->count(); ++i)
        lines.append(lstKgroup_->item(i)->text());
    ShuffleLines(lines, session_->random());
    lstKgroup_->clear();
    lstKgroup_->addItems(lines);
}

// Entry box i emptied and shown in the chosen colour with black text.
void TfrmRenshu::showEmptyEntryBox(int i)
{
    setTextColour(entry_[i], boxColour_, Qt::black);
    entry_[i]->clear();
    entry_[i]->show();
}

// ComposeStudyPage: a white page of the sheet's size with the sheet drawn at scale 1.
void TfrmRenshu::composeStudyPage()
{
    composePage(false);
    showPage();
}

// The sheet on a white page of its size at scale 1; with the learner's padded answers in
// the boxes and the marks of the judged ones for the answer sheet.
void TfrmRenshu::composePage(bool learnerAnswers)
{
    page_ =
        QImage(sheet()->settings.page.width, sheet()->settings.page.height, QImage::Format_RGB32);
    page_.fill(Qt::white);
    const ComposeInputs inputs = studyInputs(learnerAnswers);
    QPainter painter(&page_);
    PainterSurface surface(painter, kScreenDpi, page_.width());
    ComposeTarget target;
    target.width = page_.width();
    target.height = page_.height();
    target.screenImageWidth = page_.width();
    sheet()->composed = ComposeSheet(*sheet(), surface, target, inputs);
}

void TfrmRenshu::drawAnswerText(const QString& text, int x, int y, QRgb colour)
{
    QPainter painter(&page_);
    PainterSurface surface(painter, kScreenDpi, page_.width());
    surface.setFontFace(sheet()->settings.drawingFace);
    sheet()->composed.renderer.DrawNotation(host_.characterSize(), x, y, colour, text, surface,
                                            1.0);
}

void TfrmRenshu::drawMark(int kind, int left, int box, int top)
{
    const QLineEdit* e = entry_[box];
    const EntryBoxRect rect{left, top < 0 ? e->y() : top, e->width(), e->height()};
    const MarkShape mark =
        MakeMark(static_cast<MarkKind>(kind), rect, PageFrame{pnlRenshu_->width(), 0, 1.0, 1.0},
                 session_->state().reviewMode);
    QPainter painter(&page_);
    PaintMark(painter, mark);
    noteDrawn(box, markBounds(mark));
}

void TfrmRenshu::DrawScore(int percent)
{
    {
        QPainter painter(&page_);
        PainterSurface surface(painter, kScreenDpi, page_.width());
        zendra::DrawScore(surface, sheet()->composed.scorePosition, pnlRenshu_->width(), percent);
    }
    showPage();
}

// --- window shown and closed ---------------------------------------------------------------

void TfrmRenshu::studyOn(TfrmPrint* frm)
{
    studied_ = frm ? frm : host_.studiedSheet();
    if (!studied_)
        return;
    FormShow();
    exec();
}

void TfrmRenshu::FormShow()
{
    if (!studied_)
        studied_ = host_.studiedSheet();
    Sheet* s = sheet();
    if (!s)
        return;
    lstKgroup_->clear();
    lstKgroup_->addItems(s->answerGroups);
    lstSoftKey_->clear();
    lstSoftKey_->addItems(s->answerGroups);

    grbTest_->hide();
    pnlRenshu_->show();
    btnTouan_->setEnabled(false);
    btnFukushu_->setEnabled(false);
    btnAnki_->show();
    s->printsLearnerName = true;
    pnlSS_->hide();
    hideEntryBoxes();
    grbMoji_->hide();
    grbCMoji_->hide();
    pnlAnki_->hide();

    setWindowTitle(studied_->caption());
    const bool twoColumn = s->kran().number(KranLine::Columns) == 2;
    session_->windowShown(s->composed.boxes, twoColumn);
    applyInputHints();
    savedAltDisplay_ = host_.altDisplay();
    host_.setAltDisplay(false);

    savedAnswerDisplay_ = s->answersShown;
    s->answersShown = false;
    composeStudyPage();
    s->answersShown = true;

    coverMainWindow();
    layoutOnShow();
    {
        RecordList list;
        FillRecordList(host_.learnerPlace(s->source.choice.lesson), list);
        ShowRecordList(*lstRenshu_, list);
    }
    scrollToTop();
    pnlKiroku_->show();
    memKiroku_->show();
    ShowStudyRecords();
    setEntryBoxesReadOnly(true);
    writeLine(messageArea_, imgMess_, 0, QStringLiteral("　　　標準の学習コース"), 14, Qt::blue);
    writeLine(messageArea_, imgMess_, 2, QStringLiteral("（１）［練習］ボタンで練習する"), 10,
              Qt::blue);
    writeLine(messageArea_, imgMess_, 3,
              QStringLiteral("（２）［復習］ボタンで間違ったところを復習する"), 8, Qt::blue);
    writeLine(messageArea_, imgMess_, 4, QStringLiteral("（３）［テスト］ボタンでテストする"), 10,
              Qt::blue);
    // The question editor takes up the unit: its hint lines are this study's hint.
    hints_ = host_.hintLines();
    btnRenshu_->setFocus();
}

void TfrmRenshu::done(int result)
{
    // However the window goes (閉じる, Escape, the title bar), the main window gets its
    // switches back.
    FormClose();
    QDialog::done(result);
}

void TfrmRenshu::FormClose()
{
    timSecond_->stop();
    Sheet* s = sheet();
    if (!s)
        return;
    s->answersShown = savedAnswerDisplay_;
    session_->windowClosed();
    btnTest_->setEnabled(true);
    s->printsLearnerName = false;
    host_.setAltDisplay(savedAltDisplay_);
    studied_ = nullptr;
}

void TfrmRenshu::btnEndClick()
{
    scrollToTop();
    close();
}

// --- exercises -----------------------------------------------------------------------------

void TfrmRenshu::prepareExercise(bool test)
{
    memKiroku_->hide();
    const bool choices = lstKgroup_->count() >= 1;
    grbSelect_->setVisible(choices);
    pnlBunsu_->setVisible(!choices);
    btnHint_->setEnabled(hintAvailable());
    btnAnswer_->setVisible(!test);
    btnAnswer_->setEnabled(!test);
    btnHint_->setVisible(!test);
    btnSaiten_->setVisible(test);
}

void TfrmRenshu::btnRenshuClick()
{
    if (!sheet())
        return;
    prepareExercise(false);
    StartExercise(false);
}

void TfrmRenshu::btnTestClick()
{
    if (!sheet())
        return;
    prepareExercise(true);
    StartExercise(true);
}

void TfrmRenshu::StartExercise(bool test)
{
    session_->startExercise(test);
    scrollToTop();
    PlaceEntryBoxes();
    for (int i = 1; i <= session_->boxCount(); ++i)
        showEmptyEntryBox(i);
    imgMessXX_->setGeometry(8, grbTest_->geometry().bottom() + 1 + 5, grbTest_->width(), 100);
    pnlAnki_->hide();
    grbCMoji_->hide();
    pnlSS_->show();
    pnlKiroku_->hide();
    pnlRenshu_->hide();

    grbMoji_->move(grbSelect_->pos());
    grbMoji_->setVisible(chkRandom_->isChecked());
    grbMoji_->raise();
    LoadSoftKeys();
    shuffleChoiceList();

    blankAnswerArea();
    if (grbSelect_->isHidden() && grbMoji_->isHidden()) {
        writeLine(answerArea_, imgMessXX_, 0, QStringLiteral("キーボードから解答を入力し、"), 12,
                  Qt::black);
        writeLine(answerArea_, imgMessXX_, 1, QStringLiteral("Enterキーを押します。"), 12,
                  Qt::black);
    }
    if (test) {
        writeLine(answerArea_, imgMessXX_, 0, QStringLiteral("すべて解答を入力し終えたら。"), 12,
                  Qt::black);
        writeLine(answerArea_, imgMessXX_, 1,
                  QStringLiteral("［採点］キーをクリックして採点します。"), 12, Qt::black);
        btnHint_->hide();
        btnAnswer_->hide();
    }
    timSecond_->start();

    fractionKey('C');
    sheet()->answersShown = false;
    composeStudyPage();
    sheet()->answersShown = true;
    cleanPage_ = page_;
    drawnFor_.fill(QRect());

    grbTest_->show();
    setEntryBoxesReadOnly(false);
    focusBox(1);
}

void TfrmRenshu::PlaceEntryBoxes()
{
    const int c = host_.characterSize();
    const int b = host_.answerBoxHeight();
    const QFont font = pointFont(QStringLiteral("ＭＳ 明朝"), c);
    const AnswerBoxTable& boxes = session_->boxes();
    for (int i = 1; i <= boxes.count(); ++i) {
        const EntryBoxRect r = entryRectFor(boxes[i], pnlRenshu_->width(), c, b,
                                            sheet()->kran().number(KranLine::BoxWidth));
        QLineEdit* box = entry_[i];
        box->setGeometry(r.left, r.top, r.width, r.height);
        box->setFont(font);
        entryAt_[i] = QPoint(r.left, r.top);
        box->show();
    }
}

void TfrmRenshu::EnterAnswer()
{
    const int i = currentBox();
    QLineEdit* box = entryBox(i);
    if (i < 1 || !box)
        return;
    const EntryBoxes view(entry_);
    const EnterOutcome out = session_->enterAnswer(box->text(), box->isReadOnly(), view);
    if (out.kind == EnterKind::Ignored)
        return;

    const int p = pnlRenshu_->width();
    // The entry box stands where the answer goes: after wrong tries it has moved on beside
    // them (or under the question).
    const int left = box->x();
    if (out.review && !cleanPage_.isNull()) {
        // A review writes over what the scored exercise drew for the box: answers and marks
        // go whole, the frame and the text around come back as the exercise began.
        const AnswerBoxRects rects = AnswerBoxGeometry(
            session_->boxes()[i], 1.0, 1.0, AnswerFieldHeight(host_.characterSize()),
            sheet()->kran().number(KranLine::BoxWidth), host_.answerBoxHeight());
        const QRect area = (rects.box.adjusted(-2, -2, 2, 2) | drawnFor_[i]) & page_.rect();
        QPainter painter(&page_);
        painter.drawImage(area.topLeft(), cleanPage_, area);
        drawnFor_[i] = QRect();
    }
    const QRect typedAt(left - p, box->y(), box->width(), box->height());
    if (!out.review && !cleanPage_.isNull() && drawnFor_[i].intersects(typedAt)) {
        // A box that had no place left to move to: its last try and mark give way.
        const QRect area =
            (typedAt |
             markBounds(MakeMark(MarkKind::Slash,
                                 EntryBoxRect{left, box->y(), box->width(), box->height()},
                                 PageFrame{p, 0, 1.0, 1.0}, false))) &
            page_.rect();
        QPainter painter(&page_);
        painter.drawImage(area.topLeft(), cleanPage_, area);
    }
    drawAnswerText(out.typed, left - p, box->y(), kTypedBlue);
    noteDrawn(i, typedAt);
    showPage();
    if (out.kind == EnterKind::DrawnOnly)
        return;
    box->setText(out.boxText);

    switch (out.kind) {
    case EnterKind::Stored:
        focusAfter(int(out.focus), out.focusBox);
        return;
    case EnterKind::AskShowAnswer:
        if (Messages::instance().askYesNo(kAskShowAnswer.toString()) == Messages::Answer::Yes)
            btnAnswerClick();
        focusBox(i);
        return;
    case EnterKind::Right:
        drawAnswerText(out.boxText, box->x() - p, box->y(), kTypedBlue);
        drawMark(int(out.mark), box->x(), i);
        if (out.redText)
            setTextColour(box, boxColour_, Qt::red);
        if (!out.answerAreaText.isEmpty())
            writeLine(answerArea_, imgMessXX_, 0, out.answerAreaText, 18, Qt::red);
        box->hide();
        showPage();
        if (out.end == ExerciseEnd::None) {
            focusAfter(int(out.focus), out.focusBox);
            return;
        }
        if (out.end == ExerciseEnd::Review) {
            ShowEndMessage(int(session_->showEndMessage()));
        } else {
            ScoreExercise(false);
            DrawScore(session_->scorePercent().percent);
        }
        EndExerciseView();
        if (session_->focusAfterEnd() == StudyFocus::Fukushu) {
            btnFukushu_->setEnabled(true);
            btnFukushu_->setFocus();
        } else {
            btnEnd_->setFocus();
        }
        return;
    case EnterKind::Wrong: {
        // The wrong answer stays visible: the box moves on beside it, or under the question.
        const QPoint tried = box->pos();
        if (out.moveBoxOn)
            box->move(retryPlace(i, left));
        if (out.answersShown) {
            showAnswerLines(out.showAnswerLines);
            ShowMessage(kShowingAnswer.toString());
        }
        drawMark(int(out.mark), tried.x(), i, tried.y());
        showPage();
        focusBox(i, true);
        if (!out.answerAreaText.isEmpty())
            writeLine(answerArea_, imgMessXX_, 0, out.answerAreaText, 14, Qt::blue);
        return;
    }
    default:
        return;
    }
}

void TfrmRenshu::btnSaitenClick()
{
    ScoreExercise(true);
}

void TfrmRenshu::ScoreExercise(bool test)
{
    if (test)
        EnterAnswer();
    const EntryBoxes view(entry_);
    const ScoreOutcome out =
        session_->scoreExercise(view, recordTarget(), QDateTime::currentDateTime());
    if (!out.accepted) {
        ShowMessage(kNothingToScore.toString());
        focusBox(currentBox());
        return;
    }
    timSecond_->stop();
    btnSeikai_->setEnabled(true);
    btnTest_->setEnabled(true);
    grbMoji_->hide();
    // The score stays on the page even when the record could not be written.
    if (!out.record.written)
        ShowMessage(out.record.error);
    host_.refreshChooserCounts();
    btnFukushu_->setEnabled(out.fukushuEnabled);

    if (out.testMarks) {
        QPainter painter(&page_);
        const AnswerBoxTable& boxes = session_->boxes();
        const int c = host_.characterSize();
        for (int i = 1; i <= boxes.count(); ++i) {
            const QRect base =
                AnswerBoxGeometry(boxes[i], 1.0, 1.0, AnswerFieldHeight(c), 0, 0).base;
            const MarkShape mark = markOver(
                boxes[i].judgement == 1 ? MarkKind::Circle : MarkKind::TestSlash, boxes[i], base, c,
                host_.answerBoxHeight(), sheet()->kran().number(KranLine::BoxWidth), 1.0, 1.0);
            PaintMark(painter, mark);
            noteDrawn(i, markBounds(mark));
        }
    }
    imgMess_->hide();
    scrollToTop();
    ShowEndMessage(int(out.endMessage));
    EndExerciseView();
    DrawScore(out.score.percent);
    showFace(int(out.face));
    if (out.focus == StudyFocus::Fukushu) {
        btnFukushu_->setEnabled(true);
        btnFukushu_->setFocus();
    } else {
        btnEnd_->setFocus();
    }
}

void TfrmRenshu::ShowEndMessage(int message)
{
    const auto m = static_cast<EndMessage>(message);
    if (m == EndMessage::AllCorrectWindow)
        frmZenSeikai_->exec();
    else
        ShowMessage(EndMessageText(m));
}

void TfrmRenshu::EndExerciseView()
{
    session_->state().exerciseRunning = false;
    const StudyPanels panels = zendra::EndExerciseView();
    setEntryBoxesReadOnly(!panels.entryBoxesEditable);
    if (!panels.entryBoxesVisible)
        hideEntryBoxes();
    btnSeikai_->setEnabled(panels.btnSeikaiEnabled);
    btnTouan_->setEnabled(panels.btnTouanEnabled);
    grbMoji_->setVisible(panels.grbMoji);
    memKiroku_->setVisible(panels.memKiroku);
    pnlRenshu_->setVisible(panels.pnlRenshu);
    btnTest_->setEnabled(panels.btnTestEnabled);
    pnlSS_->setVisible(panels.pnlSS);
    pnlKiroku_->setVisible(panels.pnlKiroku);
    grbTest_->setVisible(panels.grbTest);
    ShowStudyRecords();
    scrollToTop();
    pinPanels();
}

void TfrmRenshu::btnFukushuClick()
{
    if (!sheet())
        return;
    setEntryBoxesReadOnly(false);
    const ReviewStart review = session_->startReview();
    btnHint_->show();
    btnHint_->setEnabled(hintAvailable());
    btnAnswer_->show();
    btnAnswer_->setEnabled(true);
    btnSaiten_->hide();
    pnlKiroku_->hide();
    pnlSS_->show();
    grbMoji_->move(grbSelect_->pos());
    grbMoji_->setVisible(chkRandom_->isChecked());
    grbTest_->show();
    pnlRenshu_->hide();
    scrollToTop();
    // The test's instruction has no place in a review: there is no 採点.
    blankAnswerArea();
    for (int i : review.boxes) {
        entry_[i]->move(entryAt_[i]);
        showEmptyEntryBox(i);
    }
    btnSeikai_->setEnabled(false);
    btnFukushu_->setEnabled(false);
    btnTest_->setEnabled(false);
    LoadSoftKeys();
    shuffleChoiceList();
    pinPanels();
    if (review.firstReviewBox >= 1)
        focusBox(review.firstReviewBox);
}

void TfrmRenshu::btnAbortClick()
{
    EndExerciseView();
    btnSeikai_->setEnabled(true);
    btnTouan_->setEnabled(false);
    imgMess_->show();
    writeLine(messageArea_, imgMess_, 0, QStringLiteral("中止しました。"), 12, Qt::black);
}

void TfrmRenshu::btnSeikaiClick()
{
    if (!sheet())
        return;
    session_->showCorrectAnswers();
    composeStudyPage();
    hideEntryBoxes();
}

void TfrmRenshu::btnTouanClick()
{
    if (!sheet())
        return;
    hideEntryBoxes();
    for (int i = 1; i <= session_->boxCount(); ++i)
        session_->boxes().box(i).judgement =
            session_->judgeBox(i, session_->data().learnerAnswers[i]);
    composePage(true);
    DrawScore(session_->scorePercent().percent);
}

void TfrmRenshu::btnShowRecordClick()
{
    if (!sheet())
        return;
    host_.showRecordsViewer(host_.learnerPlace(sheet()->source.choice.lesson));
    ShowStudyRecords();
}

void TfrmRenshu::btnStartPrintClick()
{
    if (!sheet())
        return;
    scrollToTop();
    host_.printStudyPage(*sheet(), page_);
}

// --- feedback ------------------------------------------------------------------------------

void TfrmRenshu::ShowStudyRecords()
{
    if (!sheet())
        return;
    const StudyRecordTarget target = recordTarget();
    memKiroku_->setPlainText(StudyRecordLines(target).join(u'\n'));
    lblKiroku_->setText(target.section + QStringLiteral("　　氏名：") +
                        host_.learnerPlace(sheet()->source.choice.lesson).learnerName);
}

void TfrmRenshu::showAnswerLines(const QStringList& lines)
{
    // Lines 24 pixels apart at 18 pt; closer and smaller when a box has more answers than
    // the image has lines.
    const int room = answerArea_.height() - kMessageMargin;
    const int pitch = std::min(24, room / std::max<int>(1, lines.size()));
    const int points = std::min(18, pitch * 18 / 24);
    for (int k = 0; k < lines.size(); ++k)
        writeLine(answerArea_, imgMessXX_, k, lines.at(k), points, Qt::black, pitch);
}

void TfrmRenshu::btnAnswerClick()
{
    showAnswerLines(session_->showAnswer());
    focusBox(currentBox());
}

void TfrmRenshu::btnHintClick()
{
    ShowHint(answerArea_, imgMessXX_);
}

void TfrmRenshu::ShowHint(QImage& image, QLabel* view)
{
    const QStringList& lines = hints_;
    if (!lines.isEmpty() && lines.first() != QStringLiteral("Hint")) {
        image.fill(Qt::white);
        if (&image == &answerArea_)
            answerAreaLines_ = QStringList{QStringLiteral("学習のポイント")} + lines;
        QPainter painter(&image);
        painter.setPen(Qt::black);
        const QString face = QStringLiteral("ＭＳ ゴシック");
        const QString title = QStringLiteral("学習のポイント");
        const int width = image.width() - kMessageMargin;
        QFont font = fittedFont(face, 20, title, width);
        painter.setFont(font);
        painter.drawText(QPoint(0, QFontMetrics(font).ascent()), title);
        // The hint lines wrapped at the image's width, smaller until all of them fit.
        const auto layout = [&](int points, bool draw) {
            font = pointFont(face, points);
            painter.setFont(font);
            const QFontMetrics metrics(font);
            const int step = std::max(metrics.height(), roundHalfEven(20.0 * points / 12));
            int y = 30;
            for (const QString& line : lines) {
                const QRect block =
                    metrics.boundingRect(QRect(0, 0, width, 10000), Qt::TextWrapAnywhere, line);
                const int height = std::max(step, block.height() + step - metrics.height());
                if (draw)
                    painter.drawText(QRect(0, y, width, height),
                                     Qt::TextWrapAnywhere | Qt::AlignLeft | Qt::AlignTop, line);
                y += height;
            }
            return y - (step - metrics.height());
        };
        int points = 12;
        while (points > 6 && layout(points, false) > image.height() - kMessageMargin)
            --points;
        layout(points, true);
        painter.end();
        view->setPixmap(QPixmap::fromImage(image));
    }
    focusBox(currentBox());
}

void TfrmRenshu::ShowAlternatives(const QStringList& lines)
{
    for (int k = 0; k < lines.size(); ++k)
        writeLine(answerArea_, imgMessXX_, k, lines.at(k), 14, k == 0 ? Qt::black : Qt::blue);
}

void TfrmRenshu::showFace(int face)
{
    messageArea_.fill(Qt::white);
    {
        QPainter painter(&messageArea_);
        painter.drawImage(0, 0, faces_.value(face));
    }
    imgMess_->setPixmap(QPixmap::fromImage(messageArea_));
    imgMess_->setProperty("face", face);
    pnlKiroku_->show();
    imgMess_->show();
}

// --- memorise mode -------------------------------------------------------------------------

void TfrmRenshu::btnAnkiClick()
{
    if (!sheet())
        return;
    scrollToTop();
    pnlKiroku_->hide();
    pnlAnki_->move(grbTest_->pos());
    imgMessXX_->setGeometry(8, 20, grbTest_->width(), 200);
    answerArea_ = QImage(imgMessXX_->size(), QImage::Format_RGB32);
    answerArea_.fill(Qt::white);
    const MemoriseStep step = session_->startMemorise();
    composeStudyPage(); // with the answers: the entry boxes cover them
    PlaceEntryBoxes();
    for (int i = 1; i <= session_->boxCount(); ++i)
        showEmptyEntryBox(i);
    setEntryBoxesReadOnly(true);
    pnlRenshu_->hide();
    pnlSS_->show();
    grbSelect_->hide();
    pnlBunsu_->hide();
    grbTest_->hide();
    pnlAnki_->show();
    pnlAnki_->raise();
    memoriseStep(step.box, step.text, step.alternativeLines);
    grbCMoji_->show();
    blankAnswerArea();
    ShowHint(answerArea_, imgMessXX_);
    refreshMessageViews();
    focusBox(step.box, false, true);
    pinPanels();
}

void TfrmRenshu::memoriseStep(int box, const QString& text, const QStringList& alternatives)
{
    if (QLineEdit* e = entryBox(box); e && box >= 1) {
        e->setText(text);
        focusBox(box, false, true);
    }
    if (!alternatives.isEmpty())
        ShowAlternatives(alternatives);
}

void TfrmRenshu::btnNextAClick()
{
    if (QLineEdit* e = entryBox(currentBox()); e && currentBox() >= 1)
        e->clear();
    const MemoriseStep step = session_->memoriseNext(EntryBoxes(entry_), false);
    memoriseStep(step.box, step.text, step.alternativeLines);
}

void TfrmRenshu::btnNextBClick()
{
    const MemoriseStep step = session_->memoriseNext(EntryBoxes(entry_), true);
    memoriseStep(step.box, step.text, step.alternativeLines);
}

void TfrmRenshu::btnAllClearClick()
{
    for (int i = 1; i <= session_->boxCount(); ++i)
        showEmptyEntryBox(i);
    focusBox(1);
}

void TfrmRenshu::btnCloseClick()
{
    pnlRenshu_->show();
    pnlAnki_->hide();
    pnlSS_->hide();
    grbCMoji_->hide();
    hideEntryBoxes();
    pnlKiroku_->show();
    imgMess_->show();
    writeLine(messageArea_, imgMess_, 0, QStringLiteral("　次は［練習です］"), 14, Qt::blue);
    scrollToTop();
    pinPanels();
}

// --- input aids ----------------------------------------------------------------------------

int TfrmRenshu::currentBox() const
{
    return session_->state().currentBox;
}

void TfrmRenshu::focusBox(int i, bool selectAll, bool caretAtStart)
{
    QLineEdit* box = entryBox(i);
    if (!box || i < 1)
        return;
    session_->state().currentBox = i;
    box->setFocus();
    if (selectAll)
        box->selectAll();
    else if (caretAtStart)
        box->setCursorPosition(0);
    else
        box->setCursorPosition(box->text().size());
}

void TfrmRenshu::focusAfter(int focus, int box)
{
    switch (static_cast<StudyFocus>(focus)) {
    case StudyFocus::Box:
        focusBox(box);
        break;
    case StudyFocus::Saiten:
        btnSaiten_->setFocus();
        break;
    case StudyFocus::End:
        btnEnd_->setFocus();
        break;
    case StudyFocus::Fukushu:
        btnFukushu_->setFocus();
        break;
    case StudyFocus::None:
        break;
    }
}

void TfrmRenshu::AppendToBox(const QString& text)
{
    QLineEdit* box = entryBox(currentBox());
    if (!box || currentBox() < 1)
        return;
    box->setText(box->text() + text);
    focusBox(currentBox());
}

void TfrmRenshu::softKeyClick(const QString& caption)
{
    QLineEdit* box = entryBox(currentBox());
    if (!box || currentBox() < 1 || caption.isEmpty())
        return;
    if (box->hasSelectedText())
        box->clear();
    AppendToBox(caption);
}

void TfrmRenshu::LoadSoftKeys()
{
    QStringList source;
    for (int i = 0; i < lstSoftKey_->count(); ++i)
        source.append(lstSoftKey_->item(i)->text());
    const QStringList captions = zendra::LoadSoftKeys(source, session_->random());
    if (captions.isEmpty())
        return;
    for (int k = 1; k <= kSoftKeyCount; ++k) {
        softKeys_[k]->setText(captions.value(k - 1));
        softKeys_[k]->show();
    }
}

void TfrmRenshu::fractionKey(int key)
{
    switch (key) {
    case 'B':
        fraction_.bunno();
        break;
    case 'T':
        fraction_.to();
        break;
    case 'I':
    case 'N': {
        if (const std::optional<QString> text = fraction_.compose(currentBox()))
            if (QLineEdit* box = entryBox(currentBox()))
                box->setText(*text);
        showFractionState();
        focusBox(currentBox());
        if (key == 'N') {
            EnterAnswer();
            fraction_.clear();
            showFractionState();
        }
        return;
    }
    case 'C': {
        fraction_.clear();
        showFractionState();
        const int i = currentBox();
        if (i < 1 || i > session_->boxCount())
            return;
        // The box's frame drawn again over what was written into it.
        const int c = host_.characterSize();
        const int b = host_.answerBoxHeight();
        const AnswerBoxRects rects =
            AnswerBoxGeometry(session_->boxes()[i], 1.0, 1.0, AnswerFieldHeight(c),
                              sheet()->kran().number(KranLine::BoxWidth), b);
        const int d = roundHalfEven(2.0 * c + b - 10);
        const int e = roundHalfEven(0.8 * d);
        const int top = rects.box.top() + e / 5;
        {
            QPainter painter(&page_);
            PainterSurface surface(painter, kScreenDpi, page_.width());
            surface.setPenColour(0xff000000);
            surface.setPenWidth(1);
            surface.roundRect(rects.box.left(), top, rects.box.right(),
                              top + d + roundHalfEven(0.5 * e), e, e);
        }
        showPage();
        entry_[i]->clear();
        focusBox(i);
        return;
    }
    default:
        if (key >= '0' && key <= '9')
            fraction_.digit(QChar(key));
        break;
    }
    showFractionState();
    if (key == 'B')
        edtBunshi_->setFocus();
    else if (key == 'T')
        edtBunbo_->setFocus();
}

void TfrmRenshu::showFractionState()
{
    edtSign_->setText(fraction_.whole());
    edtBunshi_->setText(fraction_.numerator());
    edtBunbo_->setText(fraction_.denominator());
    setBackground(shpBunno_, fraction_.barRed() ? QColor(255, 0, 0) : QColor(255, 255, 255));
}

void TfrmRenshu::applyColour(int k)
{
    boxColour_ = kSwatches[k];
    radColour_[k]->setChecked(true);
    for (int i = 1; i <= session_->boxCount(); ++i) {
        setTextColour(entry_[i], boxColour_, Qt::black);
        entry_[i]->show();
        entry_[i]->setReadOnly(true);
    }
}

void TfrmRenshu::setEntryBoxesReadOnly(bool readOnly)
{
    for (QLineEdit* box : entry_)
        box->setReadOnly(readOnly);
}

void TfrmRenshu::hideEntryBoxes()
{
    for (QLineEdit* box : entry_)
        box->hide();
}

bool TfrmRenshu::eventFilter(QObject* watched, QEvent* event)
{
    if (auto* box = qobject_cast<QLineEdit*>(watched); box && watched->parent() == content_) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                EnterAnswer();
                return true;
            }
            // The remainder sign; with Shift the capital A follows it. Ctrl+A still selects
            // all, and a box the learner may not write in takes nothing.
            if (key->key() == Qt::Key_A && !box->isReadOnly() &&
                !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
                AppendToBox(QStringLiteral("…"));
                return !(key->modifiers() & Qt::ShiftModifier);
            }
            break;
        }
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            session_->state().currentBox = box->objectName().mid(1, 2).toInt();
            break;
        default:
            break;
        }
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == imgMess_) {
            showFace(int(Face::Gaoh));
            return true;
        }
        if (const QVariant swatch = watched->property("swatch"); swatch.isValid()) {
            applyColour(swatch.toInt());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zendra
