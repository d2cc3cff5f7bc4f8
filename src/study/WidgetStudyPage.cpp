#include "study/WidgetStudyPage.h"

#include "platform/ImageSurface.h"
#include "platform/TeeSurface.h"
#include "study/InputAids.h"
#include "study/StudyPage.h"

#include <QEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace zendra {

WidgetEntryBox::WidgetEntryBox(int index, QWidget* parent) : QLineEdit(parent), index_(index)
{
    const QString name = QStringLiteral("M") + QString::number(index);
    setObjectName(name);
    setText(name);
    resize(100, 50);
    setFocusPolicy(Qt::ClickFocus);
    hide();
    connect(this, &QLineEdit::textChanged, this, &WidgetEntryBox::textSet);
}

void WidgetEntryBox::setColumnEntry(const ColumnEntry& entry, int panel)
{
    column_ = entry;
    if (column_.isEmpty()) {
        clearMask();
        return;
    }
    // A margin round the cells keeps the cursor's frame inside the box.
    const QRect around = column_.bounds().adjusted(-2, -2, 2, 2);
    pageOrigin_ = around.topLeft();
    setGeometry(around.translated(panel, 0));
    // The box is its cells: the answers of one problem lie between each other's rows.
    QRegion cells;
    for (const ColumnEntryCell& c : column_.cells())
        cells += c.rect.translated(-pageOrigin_);
    setMask(cells);
    columnChanged();
}

void WidgetEntryBox::typeDigits(const QString& text)
{
    if (isReadOnly())
        return;
    for (const QChar c : text)
        column_.type(c);
    columnChanged();
}

void WidgetEntryBox::columnBackspace()
{
    if (isReadOnly())
        return;
    column_.backspace();
    columnChanged();
}

void WidgetEntryBox::textSet(const QString& text)
{
    if (isColumn() && text != column_.text()) {
        column_.setText(text);
        update();
    }
}

void WidgetEntryBox::columnChanged()
{
    const QString made = column_.text();
    if (made != text())
        setText(made);
    update();
}

void WidgetEntryBox::paintEvent(QPaintEvent* event)
{
    if (!isColumn()) {
        QLineEdit::paintEvent(event);
        return;
    }
    // The page shows through: only the answer's cells are painted, in a pale shade of the
    // box colour, the cursor's cell in the box colour itself.
    QPainter painter(this);
    painter.translate(-pageOrigin_);
    const QColor base = palette().color(QPalette::Base);
    const QColor pale((base.red() + 3 * 255) / 4, (base.green() + 3 * 255) / 4,
                      (base.blue() + 3 * 255) / 4);
    const QList<ColumnEntryCell>& cells = column_.cells();
    QFont digits = font();
    digits.setPixelSize(std::max(1, cells.front().rect.height() * 4 / 5));
    painter.setFont(digits);
    const int cursor = hasFocus() && !isReadOnly() ? column_.cursorCell() : -1;
    for (int i = 0; i < cells.size(); ++i) {
        const ColumnEntryCell& cell = cells.at(i);
        const QRect r = cell.rect.adjusted(1, 1, -1, -1);
        if (i == cursor) {
            painter.fillRect(r, base);
            painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
            painter.drawRect(r);
        } else if (!cell.scratch) {
            painter.fillRect(r, pale);
            painter.setPen(QColor(160, 160, 160));
            painter.drawRect(r);
        }
        painter.setPen(cell.scratch ? QColor(Qt::darkGray) : palette().color(QPalette::Text));
        painter.drawText(cell.rect, Qt::AlignCenter, cell.digit);
    }
    // The answer's point stands on the line between its cells, as the sheet draws it, so
    // the cells read as the answer they make.
    painter.setPen(palette().color(QPalette::Text));
    for (const ColumnEntryCell& cell : cells)
        if (cell.pointAfter) {
            const QRect r = cell.rect;
            painter.drawText(QRect(r.right() + 1 - r.width() / 2, r.top(), r.width(), r.height()),
                             Qt::AlignCenter, QStringLiteral("."));
        }
}

void WidgetEntryBox::keyPressEvent(QKeyEvent* event)
{
    if (!isColumn()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const bool command =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!isReadOnly() && !command) {
        if (event->key() == Qt::Key_Backspace) {
            columnBackspace();
            return;
        }
        if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
            column_.moveCursor(event->key() == Qt::Key_Left ? -1 : 1);
            update();
            return;
        }
        if (!event->text().isEmpty() && !EntryDigit(event->text().front()).isNull()) {
            typeDigits(event->text());
            return;
        }
    }
    // Nothing else writes into cells; the window may want the key (Escape).
    event->ignore();
}

void WidgetEntryBox::inputMethodEvent(QInputMethodEvent* event)
{
    if (!isColumn()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    typeDigits(event->commitString());
    event->accept();
}

void WidgetEntryBox::mousePressEvent(QMouseEvent* event)
{
    if (!isColumn()) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    column_.click(event->position().toPoint() + pageOrigin_);
    setFocus(Qt::MouseFocusReason);
    update();
}

WidgetStudyPage::WidgetStudyPage(StudyState& state, QWidget* parent)
    : QScrollArea(parent), state_(state)
{
    setObjectName(QStringLiteral("scrRenshu"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidgetResizable(false);
    content_ = new QWidget;
    content_->setObjectName(QStringLiteral("pnlContent"));
    imgPaper2_ = new QLabel(content_);
    imgPaper2_->setObjectName(QStringLiteral("imgPaper2"));
    imgPaper2_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWidget(content_);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &WidgetStudyPage::scrolled);
    for (int i = 0; i < kEntryBoxes; ++i) {
        entry_[i] = new WidgetEntryBox(i, content_);
        entry_[i]->installEventFilter(this);
        connect(entry_[i], &QLineEdit::textChanged, this, &WidgetStudyPage::currentBoxChanged);
    }
}

QLineEdit* WidgetStudyPage::entryBox(int i) const
{
    return i >= 0 && i < kEntryBoxes ? entry_[i] : nullptr;
}

bool WidgetStudyPage::isVisible(int box) const
{
    return box >= 1 && box < kEntryBoxes && !entry_[box]->isHidden();
}

QString WidgetStudyPage::text(int box) const
{
    return box >= 1 && box < kEntryBoxes ? entry_[box]->text() : QString();
}

void WidgetStudyPage::noteDrawn(int box, const QRect& rect)
{
    if (box >= 1 && box < kEntryBoxes && !rect.isNull())
        drawnFor_[box] |= rect;
}

void WidgetStudyPage::showPage()
{
    imgPaper2_->setPixmap(QPixmap::fromImage(page_));
}

void WidgetStudyPage::setPage(const QImage& page)
{
    page_ = page;
    drawing_.clear();
}

void WidgetStudyPage::paint(const std::function<void(Surface&)>& draw)
{
    // Each drawing starts from a fresh surface; its record does too. The record keeps its
    // own fixed metrics: measuring with the page's surface would set that surface's font.
    ImageSurface image(page_);
    RecordingSurface record;
    TeeSurface surface(image.surface(), record);
    draw(surface);
    drawing_.append(record.ops());
}

void WidgetStudyPage::paintMark(const MarkShape& mark, int box)
{
    paint([&](Surface& surface) { PaintMark(surface, mark); });
    noteDrawn(box, MarkBounds(mark));
}

void WidgetStudyPage::restoreClean(const QRect& area)
{
    const QImage clean = cleanPage_.copy(area);
    paint([&](Surface& surface) { surface.drawImage(area, clean); });
}

QLineEdit* WidgetStudyPage::currentEntryBox() const
{
    return currentBox() >= 1 ? entryBox(currentBox()) : nullptr;
}

void WidgetStudyPage::focusBox(int i, bool selectAll, bool caretAtStart)
{
    QLineEdit* box = entryBox(i);
    if (!box || i < 1)
        return;
    state_.currentBox = i;
    emit currentBoxChanged();
    box->setFocus();
    if (selectAll)
        box->selectAll();
    else if (caretAtStart)
        box->setCursorPosition(0);
    else
        box->setCursorPosition(box->text().size());
}

void WidgetStudyPage::appendToBox(const QString& text)
{
    if (WidgetEntryBox* column = columnBox(currentBox())) {
        column->typeDigits(text);
        focusBox(currentBox());
    } else if (QLineEdit* box = currentEntryBox()) {
        box->setText(box->text() + text);
        focusBox(currentBox());
    }
}

void WidgetStudyPage::typeKey(const QString& caption)
{
    QLineEdit* box = currentEntryBox();
    if (!box || caption.isEmpty())
        return;
    if (columnBox(currentBox())) {
        appendToBox(caption);
        return;
    }
    if (box->hasSelectedText())
        box->clear();
    appendToBox(caption);
}

void WidgetStudyPage::clearCurrentBox()
{
    if (QLineEdit* box = entryBox(currentBox())) {
        box->clear();
        focusBox(currentBox());
    }
}

void WidgetStudyPage::backspace()
{
    if (WidgetEntryBox* column = columnBox(currentBox())) {
        column->columnBackspace();
        focusBox(currentBox());
    } else if (QLineEdit* box = entryBox(currentBox())) {
        if (!box->text().isEmpty())
            box->setText(RemoveLastCharacter(box->text()));
        focusBox(currentBox());
    }
}

void WidgetStudyPage::placePage(int left)
{
    imgPaper2_->setGeometry(left, 0, page_.width(), page_.height());
    content_->resize(left + page_.width(), page_.height() + 10);
}

void WidgetStudyPage::scrollToTop()
{
    verticalScrollBar()->setValue(0);
}

WidgetEntryBox* WidgetStudyPage::columnBox(int i) const
{
    return i >= 1 && i < kEntryBoxes && entry_[i]->isColumn() ? entry_[i] : nullptr;
}

void WidgetStudyPage::placeColumnBox(int i, const ColumnEntry& entry, int panel, const QFont& font)
{
    entry_[i]->setFont(font);
    entry_[i]->setColumnEntry(entry, panel);
    entryAt_[i] = entry_[i]->pos();
    entry_[i]->show();
}

void WidgetStudyPage::placeBox(int i, const QRect& at, const QFont& font)
{
    entry_[i]->setColumnEntry(ColumnEntry(), 0);
    entry_[i]->setGeometry(at);
    entry_[i]->setFont(font);
    entryAt_[i] = at.topLeft();
    entry_[i]->show();
}

void WidgetStudyPage::setBoxColour(int i, const QColor& background, const QColor& text)
{
    QPalette palette = entry_[i]->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, text);
    entry_[i]->setPalette(palette);
}

// Entry box i emptied and shown in the chosen colour with black text.
void WidgetStudyPage::showEmptyBox(int i, const QColor& colour)
{
    setBoxColour(i, colour, Qt::black);
    entry_[i]->clear();
    entry_[i]->show();
}

void WidgetStudyPage::setBoxesReadOnly(bool readOnly)
{
    for (QLineEdit* box : entry_)
        box->setReadOnly(readOnly);
}

void WidgetStudyPage::hideBoxes()
{
    for (QLineEdit* box : entry_)
        box->hide();
}

void WidgetStudyPage::setInputHints(Qt::InputMethodHints hints)
{
    for (QLineEdit* box : entry_)
        box->setInputMethodHints(hints);
}

bool WidgetStudyPage::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<WidgetEntryBox*>(watched);
    if (!box)
        return QScrollArea::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            emit enterPressed();
            return true;
        }
        // The remainder sign; with Shift the capital A follows it. Ctrl+A still selects
        // all, and a box the learner may not write in takes nothing.
        if (key->key() == Qt::Key_A && !box->isReadOnly() &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            appendToBox(QStringLiteral("…"));
            return !(key->modifiers() & Qt::ShiftModifier);
        }
        break;
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        state_.currentBox = box->index();
        emit currentBoxChanged();
        break;
    default:
        break;
    }
    return false;
}

} // namespace zendra
