#pragma once

// Helpers for window tests that drive the main window (header only: the window tests link
// the GUI library, the rest of the test support does not).

#include "app/TfrmMain.h"
#include "app/TfrmMenu.h"
#include "authoring/TfrmOpenPRP.h"
#include "platform/SettingsStore.h"

#include "TestSupport.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace zendra::test {

// What a main-window test runs in: settings and record folders of its own and a fresh copy
// of the sample courseware as the program folder (the current directory), for as long as
// the object lives.
class MainWindowSandbox
{
public:
    MainWindowSandbox()
    {
        SettingsStore::useFolder(settings_.path());
        qputenv("XDG_DATA_HOME", data_.path().toUtf8());
        QDir::setCurrent(courseware_.folder());
    }
    ~MainWindowSandbox()
    {
        QDir::setCurrent(QDir::tempPath());
        SettingsStore::useFolder({});
    }
    MainWindowSandbox(const MainWindowSandbox&) = delete;
    MainWindowSandbox& operator=(const MainWindowSandbox&) = delete;

    QString folder() const { return courseware_.folder(); }
    QString settingsFolder() const { return settings_.path(); }

private:
    QTemporaryDir settings_, data_;
    CoursewareCopy courseware_;
};

// Answers the next unit chooser with lesson, section and unit rows (and a similar-question
// set when variantRow is not negative).
inline void whenChooserShows(TfrmMain& main, int lesson, int section, int unit, int variantRow = -1)
{
    QTimer::singleShot(0, &main, [&main, lesson, section, unit, variantRow] {
        auto* menu = main.findChild<TfrmMenu*>();
        QVERIFY(menu && menu->isVisible());
        menu->findChild<QListWidget*>("lstLesson")->setCurrentRow(lesson);
        menu->findChild<QListWidget*>("lstSection")->setCurrentRow(section);
        menu->findChild<QListWidget*>("lstUnit")->setCurrentRow(unit);
        if (variantRow >= 0)
            menu->findChild<QListWidget*>("lstRuidai")
                ->setCurrentRow(variantRow, QItemSelectionModel::ClearAndSelect);
        menu->findChild<QPushButton*>("btnOk")->click();
    });
}

// Shows the main window and runs its start; false when the start failed.
inline bool start(TfrmMain& main)
{
    main.show();
    return main.FormShow();
}

// Shows the main window, runs its start and makes it the active window, as key tests need.
inline bool startActive(TfrmMain& main)
{
    main.show();
    if (!main.FormShow())
        return false;
    main.activateWindow();
    return QTest::qWaitForWindowActive(&main);
}

// Opens a unit through the 開く button and the chooser.
inline void openUnit(TfrmMain& main, int lesson, int section, int unit, int variantRow = -1)
{
    whenChooserShows(main, lesson, section, unit, variantRow);
    main.findChild<QPushButton*>("btnOpenMaster")->click();
}

// Answers the next copy-file opener with a lesson row and a file of that lesson's folder.
inline void whenOpenerShows(TfrmMain& main, int lessonRow, const QString& file)
{
    QTimer::singleShot(0, &main, [&main, lessonRow, file] {
        auto* opener = main.findChild<TfrmOpenPRP*>();
        QVERIFY(opener && opener->isVisible());
        auto* lessons = opener->findChild<QListWidget*>("lstLesson");
        lessons->setCurrentRow(lessonRow);
        emit lessons->itemClicked(lessons->item(lessonRow));
        auto* files = opener->findChild<QListWidget*>("flbPRP");
        const QList<QListWidgetItem*> found = files->findItems(file, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        files->setCurrentItem(found.first());
        emit files->itemClicked(found.first());
        opener->findChild<QPushButton*>("btnOk")->click();
    });
}

} // namespace zendra::test
