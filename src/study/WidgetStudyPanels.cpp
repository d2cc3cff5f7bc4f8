#include "study/WidgetStudyPanels.h"

#include "study/WidgetStudyPads.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

namespace zendra {

namespace {

const std::array<QColor, 4> kSwatches = {QColor(192, 255, 255), QColor(192, 255, 192),
                                         QColor(255, 255, 192), QColor(255, 192, 255)};

} // namespace

WidgetStudyCommands::WidgetStudyCommands(int p, int height, QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("pnlRenshu"));
    setGeometry(0, 0, p, height);
    SetStudyBackground(this, QColor(255, 255, 240));

    int y = 10;
    auto next = [&](const QString& name, const QString& caption) {
        QPushButton* b = StudyButton(name, caption, this, QRect(8, y, p - 16, 34));
        y += 40;
        return b;
    };
    btnRenshu = next(QStringLiteral("btnRenshu"), QStringLiteral("練習"));
    btnFukushu = next(QStringLiteral("btnFukushu"), QStringLiteral("復習　"));
    btnTest = next(QStringLiteral("btnTest"), QStringLiteral("テスト"));
    btnAnki = next(QStringLiteral("btnAnki"), QStringLiteral("暗記"));
    btnShinMondai = next(QStringLiteral("btnShinMondai"), QStringLiteral("新しい問題"));
    y += 10;
    btnSeikai = next(QStringLiteral("btnSeikai"), QStringLiteral("正解表示"));
    btnTouan = next(QStringLiteral("btnTouan"), QStringLiteral("答案表示"));
    btnShowRecord = next(QStringLiteral("btnShowRecord"), QStringLiteral("記録表示"));
    btnStartPrint = next(QStringLiteral("btnStartPrint"), QStringLiteral("印　刷"));
    y += 10;
    btnEnd = next(QStringLiteral("btnEnd"), QStringLiteral("閉じる"));
    y += 10;

    auto* colour = new QGroupBox(QStringLiteral("解答欄の色"), this);
    PlaceStudyGroup(colour, QStringLiteral("grbColor"), QRect(8, y, p - 16, 120));
    for (int k = 0; k < 4; ++k) {
        auto* rad = new QRadioButton(colour);
        rad->setObjectName(QStringLiteral("rad") + QString::number(k + 1));
        rad->setGeometry(10, 22 + 24 * k, 24, 20);
        radColour_[k] = rad;
        auto* swatch = new QLabel(colour);
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
        connect(rad, &QRadioButton::clicked, this, [this, k] { emit colourChosen(k); });
    }
    radColour_[0]->setChecked(true);
    y += 130;

    auto* input = new QGroupBox(QStringLiteral("入力モード"), this);
    PlaceStudyGroup(input, QStringLiteral("grbInput"), QRect(8, y, p - 16, 70));
    chkKaitou = new QRadioButton(QStringLiteral("解答選択"), input);
    chkKaitou->setObjectName(QStringLiteral("chkKaitou"));
    chkKaitou->setGeometry(10, 20, p - 36, 20);
    chkKaitou->setChecked(true);
    chkRandom = new QRadioButton(QStringLiteral("ランダム"), input);
    chkRandom->setObjectName(QStringLiteral("chkRandom"));
    chkRandom->setGeometry(10, 44, p - 36, 20);
}

QColor WidgetStudyCommands::swatch(int k)
{
    return kSwatches[k];
}

void WidgetStudyCommands::checkColour(int k)
{
    radColour_[k]->setChecked(true);
}

bool WidgetStudyCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress)
        if (const QVariant swatch = watched->property("swatch"); swatch.isValid()) {
            emit colourChosen(swatch.toInt());
            return true;
        }
    return QFrame::eventFilter(watched, event);
}

WidgetExerciseButtons::WidgetExerciseButtons(QWidget* parent) : QGroupBox(QString(), parent)
{
    PlaceStudyGroup(this, QStringLiteral("grbTest"), QRect(8, 460, 208, 121));
    btnAnswer = StudyButton(QStringLiteral("btnAnswer"), QStringLiteral("答えを見る"), this,
                            QRect(6, 10, 96, 34));
    btnHint = StudyButton(QStringLiteral("btnHint"), QStringLiteral("ヒントを見る"), this,
                          QRect(106, 10, 96, 34));
    btnSaiten = StudyButton(QStringLiteral("btnSaiten"), QStringLiteral("採点　"), this,
                            QRect(6, 48, 196, 34));
    btnAbort = StudyButton(QStringLiteral("btnAbort"), QStringLiteral("中止"), this,
                           QRect(6, 84, 196, 32));
}

WidgetMemoriseButtons::WidgetMemoriseButtons(const QRect& at, QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("pnlAnki"));
    setGeometry(at);
    SetStudyBackground(this, QColor(240, 240, 240));
    btnNextA = StudyButton(QStringLiteral("btnNextA"), QStringLiteral("消して次へ"), this,
                           QRect(2, 2, 100, 36));
    btnNextB = StudyButton(QStringLiteral("btnNextB"), QStringLiteral("消さずに次へ"), this,
                           QRect(106, 2, 100, 36));
    btnShow = StudyButton(QStringLiteral("btnShow"), QStringLiteral("すべて表示"), this,
                          QRect(2, 42, 100, 36));
    btnAllClear = StudyButton(QStringLiteral("btnAllClear"), QStringLiteral("すべて消去"), this,
                              QRect(106, 42, 100, 36));
    btnClose = StudyButton(QStringLiteral("btnClose"), QStringLiteral("暗記終了"), this,
                           QRect(2, 82, 204, 36));
}

} // namespace zendra
