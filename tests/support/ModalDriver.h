#pragma once

// Answering modal windows in window tests (header only, for the tests that link the GUI
// library). A modal window runs its own event loop, so the answer is set up before the
// action that opens it and runs once the window is up.

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <functional>

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

} // namespace zendra::test
