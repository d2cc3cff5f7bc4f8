#pragma once

#include <QFrame>
#include <QStringList>

class QCursor;
class QListWidget;

namespace zendra {

class StudyRandom;
class WidgetChoicePad;
class WidgetExerciseButtons;
class WidgetFractionPad;
class WidgetMemoPad;
class WidgetMemoriseButtons;
class WidgetMessageImage;
class WidgetNumberPad;
class WidgetSoftKeyboard;
class WidgetStudyPage;
class WidgetSymbolPad;

// The study window's right panel: the input aids, which write into the page's current box,
// the exercise and memorise buttons, the answer area and the memo pad.
class WidgetStudyAids : public QFrame
{
    Q_OBJECT

public:
    WidgetStudyAids(WidgetStudyPage& page, const QCursor& pen, const QCursor& eraser, int height,
                    QWidget* parent);

    WidgetChoicePad* choice = nullptr;
    QListWidget* lstSoftKey = nullptr; // the soft keys' source lines, hidden
    QFrame* pnlBunsu = nullptr;        // the number and fraction keypads
    WidgetNumberPad* numberPad = nullptr;
    WidgetFractionPad* fractionPad = nullptr;
    WidgetSoftKeyboard* softKeys = nullptr;
    WidgetSymbolPad* symbols = nullptr;
    WidgetExerciseButtons* exercise = nullptr;
    WidgetMemoriseButtons* memorise = nullptr;
    WidgetMessageImage* imgMessXX = nullptr; // AnswerArea
    WidgetMemoPad* memo = nullptr;

    // The unit's answer groups: the choice list's lines and the soft keys' source.
    void setAnswerGroups(const QStringList& lines);
    // As every exercise and review starts: the soft keys filled, the choice list shuffled.
    void startInputAids(StudyRandom& random);
    // The soft keyboard where the choice list is, shown when the input mode is ランダム.
    void placeSoftKeyboard(bool shown);
    // The answer area beneath the exercise buttons (or, memorising, at the top, taller).
    void placeAnswerArea(bool memorising);
    // Places the answer area, the memorise buttons and the memo pad as the window opens.
    void layoutOnShow();

signals:
    // Enter for the current box from an input aid.
    void enterPressed();
    // 消去 of the fraction pad.
    void fractionClearPressed();

private:
    void insertFraction(bool enter);
    void matchChoiceToBox();

    WidgetStudyPage& page_;
};

} // namespace zendra
