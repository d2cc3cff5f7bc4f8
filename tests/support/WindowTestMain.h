#pragma once

// The main() of a window test (header only, like MainWindowDriver.h): one QApplication under
// the program's display name, with the font substitutions the program installs at start, and
// the slots of `TestClass` run by QtTest. Also what window tests share besides.

#include "app/AppState.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QWidget>
#include <QtTest>

namespace zendra::test {

// Saves a picture of the widget as `file` in the folder ZENDRA_SCREENSHOTS names, once the
// pending events are handled; nothing when it names none.
inline void saveShot(QWidget& w, const char* file)
{
    const QByteArray folder = qgetenv("ZENDRA_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QApplication::processEvents();
    w.grab().save(QString::fromLocal8Bit(folder) + u'/' + QString::fromLatin1(file));
}

} // namespace zendra::test

#define ZENDRA_WINDOW_TEST_MAIN(TestClass)                                                         \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        QApplication app(argc, argv);                                                              \
        QApplication::setApplicationDisplayName(zendra::kApplicationTitle);                        \
        zendra::InstallFontSubstitutions();                                                        \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
