#pragma once

#include <QFrame>
#include <QGroupBox>

#include <array>

class QPushButton;
class QRadioButton;

namespace zendra {

// The study window's command panel (練習, テスト, 復習 ...), the box colour and the input
// mode. It owns the controls; the window wires them to its commands.
class WidgetStudyCommands : public QFrame
{
    Q_OBJECT

public:
    // `width`: the main window's panel width; `height`: the window's height.
    WidgetStudyCommands(int width, int height, QWidget* parent);

    QPushButton* btnRenshu = nullptr;
    QPushButton* btnFukushu = nullptr;
    QPushButton* btnTest = nullptr;
    QPushButton* btnAnki = nullptr;
    QPushButton* btnShinMondai = nullptr; // 新しい問題: the page again with fresh numbers
    QPushButton* btnSeikai = nullptr;
    QPushButton* btnTouan = nullptr;
    QPushButton* btnShowRecord = nullptr;
    QPushButton* btnStartPrint = nullptr;
    QPushButton* btnEnd = nullptr;
    QRadioButton* chkKaitou = nullptr;
    QRadioButton* chkRandom = nullptr;

    // The colour of swatch k (0..3) and its radio button checked.
    static QColor swatch(int k);
    void checkColour(int k);

signals:
    // A swatch or its radio button was chosen.
    void colourChosen(int k);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QRadioButton*, 4> radColour_{};
};

// The buttons of an exercise: 答えを見る, ヒントを見る, 採点, 中止.
class WidgetExerciseButtons : public QGroupBox
{
    Q_OBJECT

public:
    explicit WidgetExerciseButtons(QWidget* parent);

    QPushButton* btnAnswer = nullptr;
    QPushButton* btnHint = nullptr;
    QPushButton* btnSaiten = nullptr;
    QPushButton* btnAbort = nullptr;
};

// The buttons of memorise mode.
class WidgetMemoriseButtons : public QFrame
{
    Q_OBJECT

public:
    WidgetMemoriseButtons(const QRect& at, QWidget* parent);

    QPushButton* btnNextA = nullptr;
    QPushButton* btnNextB = nullptr;
    QPushButton* btnShow = nullptr;
    QPushButton* btnAllClear = nullptr;
    QPushButton* btnClose = nullptr;
};

} // namespace zendra
