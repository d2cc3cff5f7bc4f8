#include "app/MainMenuBar.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace zendra {

MainMenuBar::MainMenuBar(QMenuBar* bar, const QList<Menu>& table, Hooks hooks)
    : QObject(bar), hooks_(std::move(hooks))
{
    for (const Menu& entry : table) {
        QMenu* menu = bar->addMenu(entry.caption);
        menu->setObjectName(entry.name);
        menus_.insert(entry.name, menu);
        if (entry.listsSheets) {
            connect(menu, &QMenu::aboutToShow, this,
                    [this, menu, entry] { fillSheetList(menu, entry); });
            continue;
        }
        QList<std::pair<QAction*, MenuEnabled>> checked;
        for (const MenuItem& item : entry.items) {
            QAction* action = addItem(menu, item);
            actions_.insert(item.name, action);
            if (item.enabled != MenuEnabled::Always)
                checked.append({action, item.enabled});
        }
        if (!checked.isEmpty())
            connect(menu, &QMenu::aboutToShow, this, [this, checked] {
                const bool active = hooks_.sheetActive();
                const bool any = !hooks_.openSheets().isEmpty();
                for (const auto& [action, rule] : checked)
                    action->setEnabled(MenuItemEnabled(rule, active, any));
            });
    }
}

QAction* MainMenuBar::addItem(QMenu* menu, const MenuItem& item)
{
    if (item.separatorBefore)
        menu->addSeparator();
    const MenuCommand command = item.command;
    QAction* action = menu->addAction(item.caption, this, [this, command] { hooks_.run(command); });
    action->setObjectName(item.name);
    if (!item.shortcut.isEmpty())
        action->setShortcut(item.shortcut);
    return action;
}

void MainMenuBar::fillSheetList(QMenu* menu, const Menu& entry)
{
    menu->clear();
    const QStringList sheets = hooks_.openSheets();
    const bool any = !sheets.isEmpty();
    for (const MenuItem& item : entry.items)
        addItem(menu, item)->setEnabled(MenuItemEnabled(item.enabled, hooks_.sheetActive(), any));
    if (any)
        menu->addSeparator();
    for (int i = 0; i < sheets.size(); ++i)
        menu->addAction(sheets.at(i), this, [this, i] { hooks_.activateSheet(i); });
}

void MainMenuBar::show(const MenuVisibility& visibility)
{
    menus_.value(QStringLiteral("mnuFile"))->menuAction()->setVisible(visibility.file);
    menus_.value(QStringLiteral("mnuEdit"))->menuAction()->setVisible(visibility.edit);
    menus_.value(QStringLiteral("mnuWindow"))->menuAction()->setVisible(visibility.window);
    actions_.value(QStringLiteral("mnuDoYouKnow"))->setVisible(visibility.doYouKnow);
}

} // namespace zendra
