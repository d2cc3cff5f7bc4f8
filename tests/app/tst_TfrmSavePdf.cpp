// PDFに保存's dialog, alone and from the main window's ファイル menu, headless: the PDF holds
// what 印刷 would print with the same choices.
#include "app/TfrmMain.h"
#include "app/TfrmSavePdf.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "sheet/Printing.h"
#include "sheet/SheetOutput.h"
#include "sheet/TfrmPrint.h"

#include "MainWindowDriver.h"
#include "TestSupport.h"
#include "WindowTestMain.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QtTest>

using namespace zendra;

namespace {
using test::beyond;
using test::characterCounts;

struct Choices
{
    int copies = 1;
    bool vary = false;
    QString seed; // typed into シード when vary
    bool answerKey = false;
    Qt::Key key = Qt::Key_Return; // pressed in the last control set
};

// Fills the dialog as a teacher would and ends it from the keyboard.
void choose(TfrmSavePdf& dialog, const Choices& c)
{
    auto* copies = dialog.findChild<QSpinBox*>("spnCopies");
    auto* seed = dialog.findChild<QLineEdit*>("edtSeed");
    QVERIFY(copies && seed);
    auto* vary = dialog.findChild<QCheckBox*>("chkVary");
    // 部数 typed while 数値を変える was on, which may then be turned off again.
    vary->setChecked(true);
    copies->setValue(c.copies);
    vary->setChecked(c.vary);
    dialog.findChild<QCheckBox*>("chkAnswerKey")->setChecked(c.answerKey);
    QWidget* last = copies;
    if (c.vary) {
        seed->setText(c.seed);
        last = seed;
    }
    QTest::keyClick(last, c.key);
}

void whenDialogShows(TfrmMain& main, const Choices& c)
{
    QTimer::singleShot(0, &main, [&main, c] {
        auto* dialog = main.findChild<TfrmSavePdf*>();
        QVERIFY(dialog && dialog->isVisible());
        choose(*dialog, c);
    });
}

void pickSavePdf(TfrmMain& main)
{
    auto* file = main.menuBar()->findChild<QMenu*>("mnuFile");
    QVERIFY(file);
    emit file->aboutToShow();
    QAction* item = file->findChild<QAction*>("mnuSavePdf");
    QVERIFY(item && item->isEnabled());
    item->trigger();
}

} // namespace

class TestTfrmSavePdf : public QObject
{
    Q_OBJECT

private slots:
    void init() { sandbox_ = std::make_unique<test::MainWindowSandbox>(); }
    void cleanup() { sandbox_.reset(); }

    // Enter takes the choices, Escape leaves; 部数 counts only for copies that differ, and a
    // seed typed away is replaced by a new one.
    void keysAndCopies_data()
    {
        QTest::addColumn<bool>("numbered");
        QTest::addColumn<bool>("vary");
        QTest::addColumn<QString>("seed");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("copies");
        QTest::newRow("numbered, Enter") << true << false << "" << int(Qt::Key_Return) << true << 3;
        QTest::newRow("unnumbered: one page")
            << false << false << "" << int(Qt::Key_Enter) << true << 1;
        QTest::newRow("varied, unnumbered")
            << false << true << "42" << int(Qt::Key_Return) << true << 3;
        QTest::newRow("seed typed away") << false << true << "" << int(Qt::Key_Return) << true << 3;
        QTest::newRow("Escape") << true << true << "42" << int(Qt::Key_Escape) << false << 3;
    }
    void keysAndCopies()
    {
        QFETCH(bool, numbered);
        QFETCH(bool, vary);
        QFETCH(QString, seed);
        QFETCH(int, key);
        QFETCH(bool, accepted);
        QFETCH(int, copies);
        TfrmSavePdf dialog;
        dialog.setNumbered(numbered);
        QTimer::singleShot(0, &dialog, [&] {
            choose(dialog, {3, vary, seed, true, Qt::Key(key)});
        });
        QCOMPARE(dialog.exec() == QDialog::Accepted, accepted);
        QCOMPARE(dialog.copies(), copies);
        QCOMPARE(dialog.vary(), vary);
        QVERIFY(dialog.answerKey());
        if (accepted && vary)
            QCOMPARE(dialog.findChild<QLineEdit*>("edtSeed")->text(),
                     seed.isEmpty() ? QString::number(dialog.seed()) : seed);
    }

    // Two copies with numbers of their own and their keys: each copy's page leaves its
    // answers out, its key shows each of them, both carry "№ n-seed", and the master file is
    // left as it was.
    void variedCopiesWithKeys()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        ScriptedFileDialogs dialogs;
        ScopedFileDialogs dialogScope(dialogs);
        TfrmMain main;
        QVERIFY(test::start(main));
        test::openUnit(main, 0, 0, 0);
        QVERIFY(main.activeSheet());
        const Sheet& sheet = main.activeSheet()->sheet();
        const QByteArray master = test::readBytes(sheet.source.fileName);

        const QString pdf = sandbox_->folder() + "Seisu/copies";
        dialogs.script({pdf});
        whenDialogShows(main, {2, true, "5821", true});
        pickSavePdf(main);
        QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('\n')));
        QCOMPARE(test::readBytes(sheet.source.fileName), master);
        const QByteArray written = test::readBytes(pdf + ".pdf");
        QCOMPARE(test::pdfPageCount(written), 4);
        const std::optional<QString> text = test::pdfText(pdf + ".pdf");
        if (!text)
            QSKIP("pdftotext is not installed");
        const QStringList pages = text->split(u'\f', Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 4);
        for (int number = 1; number <= 2; ++number) {
            const QString& copy = pages[2 * number - 2];
            const QString& key = pages[2 * number - 1];
            const QString label = QStringLiteral("№ %1-5821").arg(number);
            QVERIFY2(copy.contains(label) && key.contains(label), qPrintable(label));
            // What the key adds: 解答 and the copy's own answers as drawn (first
            // alternative, without fraction marks).
            Sheet alone = VariedCopy(sheet, 5821, number);
            RenderScreenPage(alone, InputsFromSheet(alone));
            QString drawn = QStringLiteral("解答");
            for (qsizetype i = 1; i < alone.composed.lstKai.size(); ++i)
                drawn += alone.composed.lstKai.at(i).section(u';', 0, 0).remove(u'/').remove(u'&');
            QCOMPARE(beyond(characterCounts(key), characterCounts(copy)), characterCounts(drawn));
            QVERIFY(beyond(characterCounts(copy), characterCounts(key)).isEmpty());
        }
    }

    // A sheet without a line whose numbers can change: said so, and the file that stood at
    // the chosen name is left as it was.
    void sheetThatCannotVary()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        ScriptedFileDialogs dialogs;
        ScopedFileDialogs dialogScope(dialogs);
        TfrmMain main;
        QVERIFY(test::start(main));
        test::openUnit(main, 0, 0, 0);
        QVERIFY(main.activeSheet());
        main.activeSheet()->sheet().content.questions = {
            QStringLiteral("(1) 日本でいちばん高い山は　#富士山#"),
            QStringLiteral("(2) 一週間は何日ですか。　#七日#")};

        const QString pdf = sandbox_->folder() + "Seisu/handout.pdf";
        test::writeBytes(pdf, "last week's handout");
        dialogs.script({pdf});
        whenDialogShows(main, {2, true, "5821", true});
        pickSavePdf(main);
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY2(messages.texts().first().contains(QStringLiteral("数値を変えた用紙は作れません")),
                 qPrintable(messages.texts().first()));
        QCOMPARE(test::readBytes(pdf), QByteArray("last week's handout"));
    }

private:
    std::unique_ptr<test::MainWindowSandbox> sandbox_;
};

ZENDRA_WINDOW_TEST_MAIN(TestTfrmSavePdf)

#include "tst_TfrmSavePdf.moc"
