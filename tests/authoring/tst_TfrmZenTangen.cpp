// The all-units window opened from the unit chooser, headless.
#include "app/AppState.h"
#include "app/TfrmMenu.h"
#include "authoring/TfrmZenTangen.h"
#include "courseware/CoursewareIndex.h"
#include "courseware/RecordFile.h"
#include "platform/Fonts.h"
#include "platform/Messages.h"

#include "TestSupport.h"
#include "WindowTestMain.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace zendra;

class TestTfrmZenTangen : public QObject
{
    Q_OBJECT

private slots:
    // The faces the courseware names, as the program has them.
    void initTestCase() { InstallFontSubstitutions(); }
    void showsTheChoosersCountsTodayAndThePrintCount()
    {
        test::CoursewareCopy copy;
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        AppState state;
        state.programFolder = copy.folder();
        QVERIFY(LoadMainIndex(state.programFolder, state.lessonTable));
        QWidget main;
        main.resize(900, 640);
        TfrmMenu menu(state, &main);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = copy.folder() + "zentangen.pdf";
        printer.setOutputFileName(pdf);
        menu.allUnitsWindow()->setPrinter(&printer);

        QTimer::singleShot(0, &menu, [&] {
            // Lesson 2, with a record of unit 2.1 written while the chooser was open.
            menu.findChild<QListWidget*>("lstLesson")->setCurrentRow(1);
            const UnitChooser& chooser = menu.chooser();
            QVERIFY(AppendRecord(chooser.learnerPlace().recordPath(),
                                 MakeRecordKey(UnitChoice{2, 2, 1, 0}, state.sectionUnits),
                                 QStringLiteral("2024/1/1,100")));
            QTimer::singleShot(0, &menu, [&] {
                TfrmZenTangen* w = menu.allUnitsWindow();
                QVERIFY(w->isVisible());
                QCOMPARE(w->windowTitle(), QStringLiteral("全単元"));
                const QStandardItem* root = w->tree().item(0);
                QCOMPARE(root->text(), state.sectionUnits.indexTitle);
                QCOMPARE(root->rowCount(), chooser.sectionRows().size());
                for (int s = 1; s <= root->rowCount(); ++s) {
                    const QStandardItem* section = root->child(s - 1);
                    QCOMPARE(section->text(), chooser.sectionRows().at(s - 1));
                    for (int u = 1; u <= section->rowCount(); ++u)
                        QCOMPARE(section->child(u - 1)->text(),
                                 chooser.unitRowPrefix(s, u) + state.sectionUnits.unitTitle(s, u));
                }
                QVERIFY(root->child(1)->child(0)->text().startsWith(QStringLiteral("◎[1]")));
                QCOMPARE(w->findChild<QLabel*>("Label1")->text(),
                         QDate::currentDate().toString("yyyy.MM.dd") + "-");
                test::saveShot(*w, "index-all-units.png");
                auto* count = w->findChild<QLineEdit*>("Edit1");
                QCOMPARE(count->text(), QStringLiteral("0"));
                for (int i = 0; i < 3; ++i)
                    w->findChild<QPushButton*>("btnPrint")->click();
                QCOMPARE(count->text(), QStringLiteral("3"));
                QCOMPARE(test::pdfPageCount(test::readBytes(pdf)), 1);
                w->findChild<QPushButton*>("btnClose")->click();
            });
            QPushButton* all = menu.findChild<QPushButton*>("btnZenTangen");
            QVERIFY(all->isEnabled());
            all->click();
            QCOMPARE(menu.allUnitsWindow()->printCount(), 3);
            menu.reject();
        });
        menu.setMode(UnitChooser::Purpose::Open);
        menu.exec();
        QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('\n')));
    }
};

ZENDRA_WINDOW_TEST_MAIN(TestTfrmZenTangen)
#include "tst_TfrmZenTangen.moc"
