#pragma once

#include "study/InputAids.h"

#include <QGroupBox>
#include <QLabel>
#include <QStringList>

#include <array>
#include <optional>

class QFrame;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zendra {

// The input aids of the study window. Each owns its keys and says what the learner pressed;
// the window decides what that does to the current entry box.

// A push button of the study window: named, captioned and placed.
QPushButton* StudyButton(const QString& name, const QString& caption, QWidget* parent,
                         const QRect& at = {});
// A captioned group box of the study window, named and placed.
void PlaceStudyGroup(QGroupBox* group, const QString& name, const QRect& at);
// The font of `points` points on the screen.
QFont StudyPointFont(const QString& face, int points);
// A widget that paints its own ground in `colour`.
void SetStudyBackground(QWidget* w, const QColor& colour);

// The choice list (答えの選択) with 入力 and クリア.
class WidgetChoicePad : public QGroupBox
{
    Q_OBJECT

public:
    explicit WidgetChoicePad(QWidget* parent);

    QListWidget* list() const { return list_; }
    QStringList lines() const;
    void setLines(const QStringList& lines);
    // Shows a line as chosen only while the current box holds it.
    void matchBox(const QString* boxText);

signals:
    // A line became current; `clicked` when the mouse chose it.
    void lineChosen(const QString& text, bool clicked);
    void enterPressed();
    void clearPressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* list_ = nullptr;
};

// The number keypad (整数の入力) with the unit keys and the fraction pad's 次へ and 消去.
class WidgetNumberPad : public QGroupBox
{
    Q_OBJECT

public:
    explicit WidgetNumberPad(QWidget* parent);

signals:
    void typed(const QString& text);
    void nextPressed();
    void clearPressed();
};

// The fraction keypad (分数の入力): the denominator first, then 分の and the numerator.
class WidgetFractionPad : public QGroupBox
{
    Q_OBJECT

public:
    explicit WidgetFractionPad(QWidget* parent);

    // The fraction for the current box (see FractionKeypad::compose); the pad shows its state.
    std::optional<QString> compose(int currentBox);
    void clear();

signals:
    // "<==".
    void insertPressed();

private:
    void showState();

    FractionKeypad keypad_;
    QLineEdit* edtSign_ = nullptr;
    QLineEdit* edtBunshi_ = nullptr;
    QLineEdit* edtBunbo_ = nullptr;
    QFrame* shpBunno_ = nullptr;
};

// The soft keyboard (ソフトキーボード): 120 keys of the unit's answer characters.
class WidgetSoftKeyboard : public QGroupBox
{
    Q_OBJECT

public:
    explicit WidgetSoftKeyboard(QWidget* parent);

    // Captions of keys 1..120; nothing changes for an empty list.
    void setCaptions(const QStringList& captions);

signals:
    void typed(const QString& text);
    void enterPressed();
    void backspacePressed();
    void clearPressed();

private:
    std::array<QPushButton*, kSoftKeyCount + 1> keys_{}; // Button1 .. Button120
};

// The symbol keypad of memorise mode.
class WidgetSymbolPad : public QGroupBox
{
    Q_OBJECT

public:
    explicit WidgetSymbolPad(QWidget* parent);

signals:
    void typed(const QString& text);
};

} // namespace zendra
