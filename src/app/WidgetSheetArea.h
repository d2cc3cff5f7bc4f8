#pragma once

#include "app/MainMenus.h"

#include <QKeyEvent>
#include <QMdiArea>
#include <QStringList>

class QMdiSubWindow;

namespace zendra {

class TfrmDummy;
class TfrmPrint;
class WorksheetHost;
struct Sheet;
class WidgetTipsPanel;

// The document area: the worksheet windows, known by their window keys in the order they
// opened; the title window that waits behind them while none is open; and the tips panel
// over them. The title button shows while neither a sheet nor the tips panel does.
class WidgetSheetArea : public QMdiArea
{
    Q_OBJECT

public:
    explicit WidgetSheetArea(QWidget* parent);

    const QStringList& keys() const { return keys_; }
    QList<TfrmPrint*> sheets() const;
    int find(const QString& key) const { return static_cast<int>(keys_.indexOf(key)); }
    QMdiSubWindow* subWindowOf(const QString& key) const;

    // A new worksheet window for the sheet, filling the area, made the active one.
    TfrmPrint* open(Sheet&& sheet, WorksheetHost& host);
    // Forgets a closing worksheet; after the last the title window shows again.
    void forget(const QString& key);
    void rename(const QString& from, const QString& to);
    void activate(int index);
    // An open sheet of that key is said to be open already and activated; true when it was.
    bool activateIfOpen(const QString& key);
    void closeSheet(const QString& key);
    // Closes a sheet without the save question: it is opened again in its place.
    void discard(const QString& key);
    void closeAll();
    void cascade();
    void maximizeActive();
    // Runs a command of the window menu (最大表示, タイル表示, カスケード表示, すべて閉じる);
    // false for any other.
    bool runWindowCommand(MenuCommand command);
    // The title window with the title picture, behind everything from now on.
    void showTitle(const QString& picture);
    WidgetTipsPanel* tips() const { return tips_; }
    void showTips();

signals:
    // A key pressed in the title window.
    void keyPressed(QKeyEvent* event);

private:
    QStringList keys_;
    WidgetTipsPanel* tips_ = nullptr;
    TfrmDummy* frmDummy_ = nullptr;
    QMdiSubWindow* titleWindow_ = nullptr;
};

} // namespace zendra
