#include "sheet/TfrmPrint.h"

#include "courseware/ParsedUnit.h"
#include "platform/Messages.h"
#include "sheet/SheetOutput.h"
#include "sheet/TfrmReadUnit.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>

namespace zendra {

namespace {

const char* const kCommandProperty = "worksheetCommand";

QPen dottedPen()
{
    QPen pen(Qt::black, 0, Qt::DotLine);
    pen.setCosmetic(true);
    return pen;
}

// The outline of a rectangle given by its corners, drawn on the pixels from the first corner
// up to one before the second, as the marked corners are meant.
void drawCornerRect(QPainter& painter, QPoint a, QPoint b)
{
    const QRect r = QRect(a, b).normalized();
    painter.drawRect(
        QRect(r.left(), r.top(), std::max(0, r.width() - 2), std::max(0, r.height() - 2)));
}

} // namespace

// The page of a worksheet: paints the composed page one pixel per layout unit (Qt scales it
// for a HiDPI screen) and turns the mouse into figure drags and markings.
class PageView : public QWidget
{
public:
    explicit PageView(TfrmPrint& frm) : QWidget(&frm), frm_(frm)
    {
        setObjectName(QStringLiteral("Image1"));
        setFocusPolicy(Qt::NoFocus);
    }

    enum class Drag { None, Figure, Area };

    void cancelDrag()
    {
        drag_ = Drag::None;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), frm_.shown_);
        painter.setPen(dottedPen());
        painter.setBrush(Qt::NoBrush);
        if (drag_ == Drag::Figure)
            painter.drawRect(figure_.rect.translated(current_ - start_).adjusted(0, 0, -1, -1));
        else if (drag_ == Drag::Area)
            drawCornerRect(painter, start_, current_);
        else if (frm_.marked_)
            drawCornerRect(painter, frm_.markStart_, frm_.markEnd_);
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (frm_.host_.reducedView() || drag_ != Drag::None)
            return;
        const QPoint at = event->position().toPoint();
        const int index = frm_.figureAt(at);
        if (event->button() == Qt::RightButton) {
            if (index >= 0)
                frm_.markFigure(index);
            return;
        }
        if (event->button() != Qt::LeftButton)
            return;
        start_ = current_ = at;
        if (index >= 0) {
            drag_ = Drag::Figure;
            figure_ = frm_.sheet_.composed.figures.at(index);
            frm_.figureMouseDown(index);
        } else {
            drag_ = Drag::Area;
            frm_.pageMouseDown();
        }
        update();
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (drag_ == Drag::None)
            return;
        current_ = event->position().toPoint();
        update();
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (drag_ == Drag::None || event->button() != Qt::LeftButton)
            return;
        const Drag ended = drag_;
        const QPoint at = event->position().toPoint();
        drag_ = Drag::None;
        if (ended == Drag::Figure)
            frm_.figureEndDrag(figure_, at - start_);
        else
            frm_.pageEndDrag(start_, at);
        update();
    }

private:
    TfrmPrint& frm_;
    Drag drag_ = Drag::None;
    PlacedFigure figure_;
    QPoint start_, current_;
};

TfrmPrint::TfrmPrint(Sheet sheet, WorksheetHost& host, QWidget* parent)
    : QWidget(parent), sheet_(std::move(sheet)), host_(host)
{
    setObjectName(QStringLiteral("frmPrint"));
    setFocusPolicy(Qt::StrongFocus);
    sheet_.composed.boxes.resetJudgements();
    // For a copy the window key is its file.
    setWindowTitle(sheet_.source.windowKey);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("MainMenu1"));
    menuBar_->setNativeMenuBar(false);
    layout->setMenuBar(menuBar_);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("scrPage"));
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setBackgroundRole(QPalette::Dark);
    view_ = new PageView(*this);
    scroll_->setWidget(view_);
    layout->addWidget(scroll_);
    lblStatus_ = new QLabel(this);
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    lblStatus_->setWordWrap(true);
    lblStatus_->setStyleSheet(QStringLiteral("color: rgb(192,0,0); font-weight: bold;"));
    lblStatus_->hide();
    layout->addWidget(lblStatus_);
    buildMenus();
}

TfrmPrint::~TfrmPrint() = default;

QAction* TfrmPrint::addCommand(QMenu* menu, const QString& text, const char* name,
                               WorksheetHost::Command command)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1StringView(name));
    action->setProperty(kCommandProperty, static_cast<int>(command));
    connect(action, &QAction::triggered, this, [this, command] { host_.runCommand(command); });
    return action;
}

void TfrmPrint::buildMenus()
{
    using Command = WorksheetHost::Command;
    const auto addMenu = [this](const QString& title, const char* name) {
        QMenu* menu = menuBar_->addMenu(title);
        menu->setObjectName(QLatin1StringView(name));
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { refreshMenu(menu); });
        return menu;
    };

    QMenu* file = addMenu(QStringLiteral("ファイル(&F)"), "mnuFile");
    addCommand(file, QStringLiteral("開く(&O)"), "mnuOpenMaster", Command::Open);
    addCommand(file, QStringLiteral("コピーファイルを開く(&R)"), "mnuOpenCopy", Command::OpenCopy);
    addCommand(file, QStringLiteral("上書き保存(&S)"), "mnuSaveMaster", Command::SaveMaster);
    addCommand(file, QStringLiteral("PDFに保存…"), "mnuSavePdf", Command::SavePdf);
    addCommand(file, QStringLiteral("印刷(&P)"), "mnuPrint", Command::Print);
    QAction* close = file->addAction(QStringLiteral("閉じる(&C)"));
    close->setObjectName(QStringLiteral("mnuClose"));
    connect(close, &QAction::triggered, this, &TfrmPrint::closeSheet);
    file->addSeparator();
    addCommand(file, QStringLiteral("終了(&X)"), "mnuExit", Command::Exit);

    QMenu* edit = addMenu(QStringLiteral("編集(&E)"), "mnuEdit");
    addCommand(edit, QStringLiteral("目次作成(&C)"), "mnuEditIndex", Command::EditIndex);
    addCommand(edit, QStringLiteral("学校名・塾名(&J)"), "mnuJuku", Command::SchoolName);
    addCommand(edit, QStringLiteral("編集(&E)"), "mnuEditMaster", Command::EditMaster);
    addCommand(edit, QStringLiteral("コピーファイルの編集(&H)"), "mnuEditCopy", Command::EditCopy);
    QAction* clip = edit->addAction(QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&B)"));
    clip->setObjectName(QStringLiteral("mnuToClipBoard"));
    connect(clip, &QAction::triggered, this, &TfrmPrint::mnuToClipBoardClick);

    QMenu* view = addMenu(QStringLiteral("表示(&V)"), "mnuView");
    mnuKaitou_ = view->addAction(QStringLiteral("解答表示(&A)"));
    mnuKaitou_->setObjectName(QStringLiteral("mnuKaitou"));
    mnuKaitou_->setCheckable(true);
    mnuKaitou_->setProperty(kCommandProperty, static_cast<int>(Command::ToggleAnswers));
    connect(mnuKaitou_, &QAction::triggered, this, &TfrmPrint::mnuKaitouClick);

    QMenu* settings = addMenu(QStringLiteral("設定(&C)"), "mnuSettings");
    addCommand(settings, QStringLiteral("印字モードの設定(&P)"), "mnuSetPrinter",
               Command::PrintMode);
    addCommand(settings, QStringLiteral("解答欄の設定(&K)"), "mnuSetKran", Command::AnswerBoxes);
    addCommand(settings, QStringLiteral("用紙サイズとオプションの設定(&S)"), "mnuSetPaper",
               Command::Paper);
    teacherMenus_ = {file, edit, settings};
    showTeacherMenus(!host_.keyLocked());
}

void TfrmPrint::showTeacherMenus(bool shown)
{
    // Hidden, a menu's access key does not open it either; the keys the main window handles
    // are passed on by keyPressEvent all the same.
    for (QMenu* menu : teacherMenus_)
        menu->menuAction()->setVisible(shown);
}

void TfrmPrint::refreshMenu(QMenu* menu)
{
    for (QAction* action : menu->actions()) {
        const QVariant command = action->property(kCommandProperty);
        if (command.isValid())
            action->setEnabled(
                host_.commandEnabled(static_cast<WorksheetHost::Command>(command.toInt())));
    }
    mnuKaitou_->setChecked(sheet_.answersShown);
}

void TfrmPrint::mnuKaitouClick()
{
    host_.runCommand(WorksheetHost::Command::ToggleAnswers);
    // The check mark shows the sheet's state, whatever the main window made of the toggle.
    mnuKaitou_->setChecked(sheet_.answersShown);
}

void TfrmPrint::mnuToClipBoardClick()
{
    if (!image1_.isNull())
        QGuiApplication::clipboard()->setImage(image1_);
}

void TfrmPrint::closeSheet()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void TfrmPrint::closeEvent(QCloseEvent* event)
{
    // The subwindow closes its widget, which may already have been closed directly.
    if (closedForGood_) {
        event->accept();
        return;
    }
    if (sheet_.changed) {
        closeQueryRunning_ = true;
        const Messages::Answer answer =
            Messages::instance().askYesNoCancel(caption() + QStringLiteral("を保存しますか？"));
        closeQueryRunning_ = false;
        if (answer == Messages::Answer::Cancel ||
            (answer == Messages::Answer::Yes && !host_.saveSheet(this))) {
            event->ignore();
            return;
        }
    }
    closedForGood_ = true;
    view_->cancelDrag();
    host_.sheetClosed(this);
    event->accept();
}

void TfrmPrint::keyPressEvent(QKeyEvent* event)
{
    host_.forwardKey(event);
    event->accept();
}

void TfrmPrint::FormActivate()
{
    if (closeQueryRunning_ || closedForGood_)
        return;
    // Loading the main window's controls from the sheet is not an edit of the sheet.
    const bool changed = sheet_.changed;
    host_.sheetActivated(this);
    sheet_.changed = changed;
    composing_ = true;
    Redraw();
}

void TfrmPrint::Redraw()
{
    if (!composing_)
        return;
    ComposeInputs inputs = host_.composeInputs();
    if (!inputs.composing)
        return;
    // The worksheet shows the teacher's layout; study mode composes its own page.
    inputs.reusePieceStarts = false;
    image1_ = RenderScreenPage(sheet_, inputs);
    // The layout rules stay as they are; what they put past the paper is said here.
    const QString warning = LinesPastPageWarning(LinesPastPage(sheet_));
    lblStatus_->setText(warning);
    lblStatus_->setVisible(!warning.isEmpty());
    // On a HiDPI display the view paints the page composed at the display's ratio, so text
    // is sharp; the clipboard and the screen-faithful print keep one pixel per layout unit.
    const qreal ratio = devicePixelRatioF();
    sharp_ = ratio == 1 ? image1_ : RenderScreenPage(sheet_, inputs, ratio);
    if (host_.reducedView()) {
        const int height = std::max(100, scroll_->viewport()->height() - 36);
        const int width = qRound(height / std::sqrt(2.0));
        shown_ = composeWithoutFigures(nullptr, true)
                     .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } else {
        shown_ = sharp_;
    }
    showPage();
}

QImage TfrmPrint::composeWithoutFigures(const PlacedFigure* hidden, bool all, qreal ratio)
{
    Sheet copy = sheet_;
    // Only the drawn figures: a second "too many figures" message would come from here.
    copy.content.questionFigures = FigureTriples(copy.content.questionFigures).first(kMaxFigures);
    copy.content.answerFigures = FigureTriples(copy.content.answerFigures).first(kMaxFigures);
    if (all) {
        copy.questionPictures.clear();
        copy.answerPictures.clear();
    } else if (hidden) {
        QList<QImage>& pictures = hidden->answer ? copy.answerPictures : copy.questionPictures;
        const qsizetype index = hidden->number - 1;
        if (index >= 0 && index < pictures.size())
            pictures[index] = QImage();
    }
    ComposeInputs inputs = host_.composeInputs();
    inputs.reusePieceStarts = false;
    return RenderScreenPage(copy, inputs, ratio);
}

void TfrmPrint::showPage()
{
    view_->setFixedSize(shown_.deviceIndependentSize().toSize());
    view_->update();
}

QRect TfrmPrint::markedArea() const
{
    return marked_ ? QRect(markStart_, markEnd_) : QRect();
}

void TfrmPrint::clearMark()
{
    marked_ = false;
    view_->update();
}

int TfrmPrint::scrollPosition() const
{
    return scroll_->verticalScrollBar()->value();
}

void TfrmPrint::scrollToggle()
{
    QScrollBar* bar = scroll_->verticalScrollBar();
    if (bar->value() <= 0) {
        const QWidget* frame = parentWidget() ? parentWidget() : this;
        bar->setValue(view_->height() - frame->height() + 32);
    } else {
        bar->setValue(0);
    }
}

void TfrmPrint::scrollToTop()
{
    scroll_->verticalScrollBar()->setValue(0);
}

int TfrmPrint::figureAt(QPoint page) const
{
    // The figure painted last lies on top.
    for (qsizetype i = sheet_.composed.figures.size() - 1; i >= 0; --i)
        if (sheet_.composed.figures.at(i).rect.contains(page))
            return static_cast<int>(i);
    return -1;
}

void TfrmPrint::figureMouseDown(int index)
{
    shown_ = composeWithoutFigures(&sheet_.composed.figures.at(index), false, devicePixelRatioF());
    view_->update();
}

void TfrmPrint::figureEndDrag(const PlacedFigure& figure, QPoint travel)
{
    shown_ = sharp_;
    if (!travel.isNull()) {
        EditFigureTriples triples(figure.answer ? sheet_.content.answerFigures
                                                : sheet_.content.questionFigures);
        // Not kept on the page: a figure may be put beyond its edge on purpose.
        if (triples.setPlace(figure.number, figure.rect.left() + travel.x(),
                             figure.rect.top() + travel.y()))
            sheet_.changed = true;
    }
    Redraw();
    view_->update();
}

void TfrmPrint::markFigure(int index)
{
    const QRect r = sheet_.composed.figures.at(index).rect;
    marked_ = true;
    markStart_ = r.topLeft() - QPoint(1, 1);
    markEnd_ = QPoint(r.left() + r.width() + 1, r.top() + r.height() + 1);
    view_->update();
    host_.areaMarked(this, true);
}

void TfrmPrint::pageMouseDown()
{
    if (marked_) {
        clearMark();
        host_.areaMarked(this, false);
    }
}

void TfrmPrint::pageEndDrag(QPoint start, QPoint end)
{
    marked_ = true;
    markStart_ = start;
    markEnd_ = end;
    view_->update();
    host_.areaMarked(this, true);
}

bool TfrmPrint::editHeader()
{
    TfrmReadUnit dialog(host_, this);
    dialog.FormShow(sheet_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const HeaderEdit edit = dialog.result();
    sheet_.titleGenerated = false;
    setWindowTitle(edit.content.title);
    applyHeaderEdit(edit);
    return true;
}

void TfrmPrint::applyHeaderEdit(const HeaderEdit& edit)
{
    sheet_.changed = true;
    sheet_.content = edit.content;
    if (edit.unitsAdded) {
        sheet_.lastComposedTitle = edit.lastComposedTitle;
        sheet_.questionPictures = edit.questionPictures;
        sheet_.answerPictures = edit.answerPictures;
    }
    Redraw();
}

} // namespace zendra
