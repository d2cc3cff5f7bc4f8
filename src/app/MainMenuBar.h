#pragma once

#include "app/MainMenus.h"

#include <QHash>
#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;

namespace zendra {

// Builds the main window's menus from the menu table and runs each item through one
// handler. Items that depend on the open sheets are enabled as their menu opens; the
// window menu is built anew each time, with the open sheets listed after its items.
class MainMenuBar : public QObject
{
    Q_OBJECT

public:
    struct Hooks
    {
        std::function<void(MenuCommand)> run;
        std::function<bool()> sheetActive;
        std::function<QStringList()> openSheets;
        std::function<void(int)> activateSheet; // by index into openSheets()
    };

    MainMenuBar(QMenuBar* bar, const QList<Menu>& table, Hooks hooks);

    QMenu* menu(const QString& name) const { return menus_.value(name); }
    QAction* action(const QString& name) const { return actions_.value(name); }
    void show(const MenuVisibility& visibility);

private:
    QAction* addItem(QMenu* menu, const MenuItem& item);
    void fillSheetList(QMenu* menu, const Menu& entry);

    Hooks hooks_;
    QHash<QString, QMenu*> menus_;
    QHash<QString, QAction*> actions_; // items of the fixed menus
};

} // namespace zendra
