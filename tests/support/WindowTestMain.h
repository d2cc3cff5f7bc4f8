#pragma once

// The main() of a window test (header only, like MainWindowDriver.h): one QApplication under
// the program's display name, with the font substitutions the program installs at start, and
// the slots of `TestClass` run by QtTest.

#include "app/AppState.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QtTest>

#define ZENDRA_WINDOW_TEST_MAIN(TestClass)                                                         \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        QApplication app(argc, argv);                                                              \
        QApplication::setApplicationDisplayName(zendra::kApplicationTitle);                        \
        zendra::InstallFontSubstitutions();                                                        \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
