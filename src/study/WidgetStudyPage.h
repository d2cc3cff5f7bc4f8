#pragma once

#include "platform/RecordingSurface.h"
#include "study/ColumnEntry.h"
#include "study/StudySession.h"

#include <QImage>
#include <QLineEdit>
#include <QScrollArea>

#include <array>
#include <functional>

class QLabel;

namespace zendra {

class Surface;

// An entry box over an answer box; it knows which one it is. Over a column answer (筆算) it
// lies over the answer's cells and takes the digits cell by cell; its text is always the
// answer its cells make, so the window judges and stores it as any box's text.
class WidgetEntryBox : public QLineEdit
{
    Q_OBJECT

public:
    WidgetEntryBox(int index, QWidget* parent);
    int index() const { return index_; }

    // Lays the box over `entry`'s cells (their page rectangles shifted right by `panel`);
    // an entry without cells makes it an ordinary box again.
    void setColumnEntry(const ColumnEntry& entry, int panel);
    bool isColumn() const { return !column_.isEmpty(); }
    const ColumnEntry& columnEntry() const { return column_; }
    // Digits typed (or from a keypad) into the cells; other characters are not taken.
    void typeDigits(const QString& text);
    void columnBackspace();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The text set from outside (emptied, filled by memorise mode, a choice) fills the cells.
    void textSet(const QString& text);
    void columnChanged();

    int index_;
    ColumnEntry column_;
    QPoint pageOrigin_; // the page point at the box's top-left corner
};

// The study page: the sheet's image, scrolled, and an entry box over every answer box. The
// page says what the learner typed into a box; the window decides.
class WidgetStudyPage : public QScrollArea, public EntryBoxView
{
    Q_OBJECT

public:
    static constexpr int kEntryBoxes = 81; // M0 .. M80; box 0 is never laid out

    // `state` keeps the current box.
    WidgetStudyPage(StudyState& state, QWidget* parent);

    QLineEdit* entryBox(int i) const;
    // EntryBoxView
    bool isVisible(int box) const override;
    QString text(int box) const override;

    // The page image and the page as the exercise began (no answers, no marks).
    QImage& page() { return page_; }
    const QImage& page() const { return page_; }
    QImage& cleanPage() { return cleanPage_; }
    const QImage& cleanPage() const { return cleanPage_; }
    // What an exercise drew for each box.
    QRect& drawnFor(int box) { return drawnFor_[box]; }
    void noteDrawn(int box, const QRect& rect);
    void forgetDrawn() { drawnFor_.fill(QRect()); }
    // Where box i was laid out when the exercise began.
    QPoint placedAt(int i) const { return entryAt_[i]; }

    // A newly composed page; what was drawn on the last one is forgotten.
    void setPage(const QImage& page);
    void showPage();
    // Draws on the page through a surface at the screen's resolution.
    void paint(const std::function<void(Surface&)>& draw);
    // What was drawn on the page since it was composed, call by call.
    const QList<RecordingSurface::Op>& drawing() const { return drawing_; }
    // A mark on the page, noted as drawn for box `box`.
    void paintMark(const MarkShape& mark, int box);
    // The page inside `area` as the exercise began.
    void restoreClean(const QRect& area);

    // The current box: the one the learner types into and the input aids write into.
    int currentBox() const { return state_.currentBox; }
    QLineEdit* currentEntryBox() const;
    // Makes box i current and gives it the focus, the caret at the end (or all selected,
    // or the caret at the start).
    void focusBox(int i, bool selectAll = false, bool caretAtStart = false);
    // Appends text to the current box and focuses it.
    void appendToBox(const QString& text);
    // A key of the soft keyboard: replaces a selection, else appends.
    void typeKey(const QString& caption);
    void clearCurrentBox();
    void backspace();
    // The page image at window x `left`, the scrolled content as wide as its right edge.
    void placePage(int left);
    void scrollToTop();
    // The widget that scrolls (the entry boxes' parent).
    QWidget* content() const { return content_; }

    void placeBox(int i, const QRect& at, const QFont& font);
    // Box i over the cells of a column answer.
    void placeColumnBox(int i, const ColumnEntry& entry, int panel, const QFont& font);
    // Box i when it lies over a column answer's cells, else null.
    WidgetEntryBox* columnBox(int i) const;
    void showEmptyBox(int i, const QColor& colour);
    void setBoxColour(int i, const QColor& background, const QColor& text);
    void setBoxesReadOnly(bool readOnly);
    void hideBoxes();
    void setInputHints(Qt::InputMethodHints hints);

signals:
    void enterPressed();
    // The current box changed, or its text did.
    void currentBoxChanged();
    void scrolled();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    StudyState& state_;
    QWidget* content_ = nullptr;
    QLabel* imgPaper2_ = nullptr;
    QImage page_; // StudyPage
    QImage cleanPage_;
    QList<RecordingSurface::Op> drawing_;
    std::array<QRect, kEntryBoxes> drawnFor_{};
    std::array<WidgetEntryBox*, kEntryBoxes> entry_{};
    std::array<QPoint, kEntryBoxes> entryAt_{};
};

} // namespace zendra
