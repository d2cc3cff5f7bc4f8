#include "study/WidgetStudyAids.h"

#include "study/InputAids.h"
#include "study/WidgetMemoPad.h"
#include "study/WidgetStudyPads.h"
#include "study/WidgetStudyPage.h"
#include "study/WidgetStudyPanels.h"
#include "study/WidgetStudyRecords.h"

#include <QListWidget>

namespace zendra {

WidgetStudyAids::WidgetStudyAids(WidgetStudyPage& page, const QCursor& pen, const QCursor& eraser,
                                 int height, QWidget* parent)
    : QFrame(parent), page_(page)
{
    setObjectName(QStringLiteral("pnlSS"));
    setGeometry(0, 0, 225, height);
    SetStudyBackground(this, QColor(240, 240, 240));

    choice = new WidgetChoicePad(this);
    lstSoftKey = new QListWidget(this);
    lstSoftKey->setObjectName(QStringLiteral("lstSoftKey"));
    lstSoftKey->hide();
    pnlBunsu = new QFrame(this);
    pnlBunsu->setObjectName(QStringLiteral("pnlBunsu"));
    pnlBunsu->setGeometry(choice->x(), choice->y(), choice->width(), 369);
    numberPad = new WidgetNumberPad(pnlBunsu);
    fractionPad = new WidgetFractionPad(pnlBunsu);
    softKeys = new WidgetSoftKeyboard(this);
    softKeys->hide();
    symbols = new WidgetSymbolPad(this);
    symbols->hide();
    exercise = new WidgetExerciseButtons(this);
    exercise->hide();
    memorise = new WidgetMemoriseButtons(exercise->geometry(), this);
    memorise->hide();
    imgMessXX = new WidgetMessageImage(QStringLiteral("imgMessXX"), this);
    memo = new WidgetMemoPad(pen, eraser, this);

    // The current line of the choice list, however it became current, is what the current
    // box holds; a click also gives the box the focus.
    connect(choice, &WidgetChoicePad::lineChosen, this, [this](const QString& text, bool click) {
        if (QLineEdit* box = page_.currentEntryBox()) {
            box->setText(text);
            if (click)
                page_.focusBox(page_.currentBox());
        }
    });
    connect(&page_, &WidgetStudyPage::currentBoxChanged, this, &WidgetStudyAids::matchChoiceToBox);
    connect(choice, &WidgetChoicePad::enterPressed, this, &WidgetStudyAids::enterPressed);
    connect(choice, &WidgetChoicePad::clearPressed, &page_, &WidgetStudyPage::clearCurrentBox);
    connect(numberPad, &WidgetNumberPad::typed, &page_, &WidgetStudyPage::appendToBox);
    connect(numberPad, &WidgetNumberPad::nextPressed, this, [this] { insertFraction(true); });
    connect(numberPad, &WidgetNumberPad::clearPressed, this,
            &WidgetStudyAids::fractionClearPressed);
    connect(fractionPad, &WidgetFractionPad::insertPressed, this,
            [this] { insertFraction(false); });
    connect(softKeys, &WidgetSoftKeyboard::typed, &page_, &WidgetStudyPage::typeKey);
    connect(softKeys, &WidgetSoftKeyboard::enterPressed, this, &WidgetStudyAids::enterPressed);
    connect(softKeys, &WidgetSoftKeyboard::backspacePressed, &page_, &WidgetStudyPage::backspace);
    connect(softKeys, &WidgetSoftKeyboard::clearPressed, &page_, &WidgetStudyPage::clearCurrentBox);
    connect(symbols, &WidgetSymbolPad::typed, &page_, &WidgetStudyPage::typeKey);
}

void WidgetStudyAids::setAnswerGroups(const QStringList& lines)
{
    choice->setLines(lines);
    lstSoftKey->clear();
    lstSoftKey->addItems(lines);
}

void WidgetStudyAids::startInputAids(StudyRandom& random)
{
    QStringList source;
    for (int i = 0; i < lstSoftKey->count(); ++i)
        source.append(lstSoftKey->item(i)->text());
    softKeys->setCaptions(LoadSoftKeys(source, random));
    QStringList lines = choice->lines();
    ShuffleLines(lines, random);
    choice->setLines(lines);
}

void WidgetStudyAids::placeSoftKeyboard(bool shown)
{
    softKeys->move(choice->pos());
    softKeys->setVisible(shown);
}

void WidgetStudyAids::placeAnswerArea(bool memorising)
{
    if (memorising) {
        imgMessXX->setGeometry(8, 20, exercise->width(), 200);
        imgMessXX->resetImage();
    } else {
        imgMessXX->setGeometry(8, exercise->geometry().bottom() + 1 + 5, exercise->width(), 100);
    }
}

void WidgetStudyAids::layoutOnShow()
{
    placeAnswerArea(false);
    imgMessXX->resetImage();
    memorise->move(exercise->x(), exercise->y());
    // Beneath the message image: the keypads and the exercise buttons stay uncovered.
    const int memoTop = imgMessXX->geometry().bottom() + 1 + 4;
    memo->setGeometry(pnlBunsu->x(), memoTop, pnlBunsu->width(),
                      std::max(60, height() - memoTop - 4));
    memo->prepare();
}

void WidgetStudyAids::insertFraction(bool enter)
{
    const int i = page_.currentBox();
    if (const std::optional<QString> text = fractionPad->compose(i))
        if (QLineEdit* box = page_.entryBox(i))
            box->setText(*text);
    page_.focusBox(i);
    if (enter) {
        emit enterPressed();
        fractionPad->clear();
    }
}

// The choice list shows a line as chosen only while the current box holds that line.
void WidgetStudyAids::matchChoiceToBox()
{
    const QLineEdit* box = page_.currentEntryBox();
    const QString text = box ? box->text() : QString();
    choice->matchBox(box ? &text : nullptr);
}

} // namespace zendra
