#pragma once

#include "sheet/Sheet.h"
#include "sheet/WorksheetHost.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QScrollArea;

namespace zendra {

class PageView;
struct HeaderEdit;

// One open worksheet: the sheet, its composed page and the figures the teacher drags on it.
// The main window puts it into an MDI subwindow and calls FormActivate() whenever that
// subwindow becomes the active one.
class TfrmPrint : public QWidget
{
    Q_OBJECT

public:
    TfrmPrint(Sheet sheet, WorksheetHost& host, QWidget* parent = nullptr);
    ~TfrmPrint() override;

    Sheet& sheet() { return sheet_; }
    const Sheet& sheet() const { return sheet_; }
    // The window title: the window key of a master sheet, the file of a copy, or the title
    // once the teacher confirmed the header dialog.
    QString caption() const { return windowTitle(); }

    // Composes the page again from the sheet and the main window's controls; nothing while
    // composing is off.
    void Redraw();
    void setComposing(bool on) { composing_ = on; }
    bool composing() const { return composing_; }
    QImage pageImage() const { return image1_; }

    // The sheet became the active one: the main window loads its controls from it, composing
    // goes on and the page is drawn again. The sheet's changed state stays as it was.
    void FormActivate();

    // The marked rectangle as its two corners: topLeft() is where the marking began or the
    // corner above and left of a marked figure, bottomRight() the opposite corner. Not
    // normalised; a null rectangle when nothing is marked.
    QRect markedArea() const;
    bool hasMark() const { return marked_; }
    void clearMark();

    // Between the top of the page and its bottom part.
    void scrollToggle();
    void scrollToTop();
    int scrollPosition() const;

    // The header dialog; true when the teacher confirmed it and the edit was applied.
    bool editHeader();
    // Takes the confirmed header dialog's texts, questions and added figures.
    void applyHeaderEdit(const HeaderEdit& edit);

    // Closes the sheet the way the window's own close command does (subwindow included).
    void closeSheet();

    // The ファイル, 編集 and 設定 menus are the teacher's: learner mode hides them, as it hides
    // the main window's.
    void showTeacherMenus(bool shown);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class PageView;

    void buildMenus();
    QAction* addCommand(QMenu* menu, const QString& text, const char* name,
                        WorksheetHost::Command command);
    void refreshMenu(QMenu* menu);
    void mnuKaitouClick();
    void mnuToClipBoardClick();

    // Figure dragging and marking, in page coordinates.
    int figureAt(QPoint page) const;
    void figureMouseDown(int index);
    void figureEndDrag(const PlacedFigure& figure, QPoint travel);
    void markFigure(int index);
    void pageMouseDown();
    void pageEndDrag(QPoint start, QPoint end);
    // The page without the figure `hidden`, or without any when `all` is set: a dragged
    // figure leaves its place, and the reduced view shows no figures.
    QImage composeWithoutFigures(const PlacedFigure* hidden, bool all, qreal ratio = 1);
    void showPage();

    Sheet sheet_;
    WorksheetHost& host_;
    bool composing_ = false;
    bool closeQueryRunning_ = false;
    bool closedForGood_ = false;

    QImage image1_; // the composed page, one pixel per layout unit
    QImage sharp_;  // the same page at the display's device-pixel ratio
    QImage shown_;  // what the view paints: the page, or the page under a dragged figure

    bool marked_ = false;
    QPoint markStart_, markEnd_;

    QMenuBar* menuBar_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    PageView* view_ = nullptr;
    QLabel* lblStatus_ = nullptr; // says when a line runs past the paper
    QAction* mnuKaitou_ = nullptr;
    QList<QMenu*> teacherMenus_;
};

} // namespace zendra
