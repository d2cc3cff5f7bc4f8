#pragma once

// Answering the modal windows a window test opens through real key events (header only:
// window tests only).

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace zendra::test {

// Runs `act` on the next modal window of type T as soon as it is the active one; gives up
// after about three seconds, so a window that never shows fails the test's checks instead.
template <typename T> void whenModal(std::function<void(T*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, act] {
        T* window = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!window && ++*tries < 300)
            return;
        timer->stop();
        timer->deleteLater();
        if (window)
            act(window);
    });
    timer->start();
}

// Answers the next message box with Enter, its default button, and keeps its text.
inline void pressEnterOnNextMessage(QString* text = nullptr)
{
    whenModal<QMessageBox>([text](QMessageBox* box) {
        if (text)
            *text = box->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
}

// A menu's item by its object name.
inline QAction* menuItem(QMenu* menu, const QString& name)
{
    for (QAction* action : menu->actions())
        if (action->objectName() == name)
            return action;
    return nullptr;
}

// Clicks a menu's item as a user does: the menu pops up and the item is clicked.
inline void clickMenuItem(QMenu* menu, QAction* item, QWidget* over)
{
    menu->popup(over->mapToGlobal(QPoint(10, 10)));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
}

} // namespace zendra::test
