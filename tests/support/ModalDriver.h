#pragma once

// Answering modal windows in window tests through real key events (header only, for the
// tests that link the GUI library). A modal window runs its own event loop, so the answer is
// set up before the action that opens it and runs once the window is up.

#include <QApplication>
#include <QList>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <functional>
#include <memory>

namespace zendra::test {

inline QList<QPointer<QWidget>> visibleModals()
{
    QList<QPointer<QWidget>> modals;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->isModal())
            modals.append(w);
    }
    return modals;
}

inline void pollForModal(const QList<QPointer<QWidget>>& present,
                         const std::function<void(QWidget*)>& act, int triesLeft)
{
    QWidget* now = QApplication::activeModalWidget();
    if (now && !present.contains(now))
        return act(now);
    if (triesLeft > 0)
        QTimer::singleShot(10, qApp, [=] { pollForModal(present, act, triesLeft - 1); });
}

// Runs `act` on the next modal window that opens, one that is not up yet now. Gives up
// after about five seconds.
inline void onNextModal(const std::function<void(QWidget*)>& act)
{
    const QList<QPointer<QWidget>> present = visibleModals();
    QTimer::singleShot(0, qApp, [=] { pollForModal(present, act, 500); });
}

// While it lives, every message box that comes up is answered with Enter, that is by its
// default button, and its text is kept.
class EnterOnMessageBoxes
{
public:
    EnterOnMessageBoxes()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                box && box->isVisible()) {
                texts.append(box->text());
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        timer_.start(10);
    }

    QStringList texts;

private:
    QTimer timer_;
};

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
