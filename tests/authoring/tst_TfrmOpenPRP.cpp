// The copy-file opener driven through its controls, headless.
#include "authoring/TfrmOpenPRP.h"

#include "platform/Fonts.h"
#include "platform/Messages.h"

#include "TestSupport.h"
#include "WindowTestMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QtTest>

using namespace zendra;

class TestTfrmOpenPRP : public QObject
{
    Q_OBJECT

private slots:
    // Whatever moves the current lesson or file, the contents and the path shown are those
    // of the file OK opens.
    void keysChooseWhatOkOpens()
    {
        test::CoursewareCopy copy;
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        const QString seisu = copy.folder() + QStringLiteral("Seisu/");
        test::writeLines(seisu + QStringLiteral("Matome2.prp"), {QStringLiteral("二番目")});
        QWidget main;
        main.resize(900, 640);
        TfrmOpenPRP opener(copy.folder(), &main);
        QTimer::singleShot(0, &opener, [&] {
            auto* lessons = opener.findChild<QListWidget*>(QStringLiteral("lstLesson"));
            auto* files = opener.findChild<QListWidget*>(QStringLiteral("flbPRP"));
            auto* path = opener.findChild<QLineEdit*>(QStringLiteral("edtFileName"));
            auto* contents = opener.findChild<QListWidget*>(QStringLiteral("lstContents"));
            const struct
            {
                QListWidget* list;
                Qt::Key key;
                QString file; // empty: nothing to open
            } moves[] = {
                {files, Qt::Key_Down, QStringLiteral("Matome2.prp")},
                {files, Qt::Key_Home, QStringLiteral("Matome1.prp")},
                {files, Qt::Key_End, QStringLiteral("Matome2.prp")},
                {lessons, Qt::Key_Down, QString()}, // 小数 has no copy files
                {lessons, Qt::Key_Up, QStringLiteral("Matome1.prp")},
                {files, Qt::Key_Down, QStringLiteral("Matome2.prp")},
            };
            for (const auto& move : moves) {
                QTest::keyClick(move.list, move.key);
                const QString expected = move.file.isEmpty() ? QString() : seisu + move.file;
                QCOMPARE(QDir::fromNativeSeparators(path->text()), expected);
                if (move.file == u"Matome2.prp")
                    QCOMPARE(contents->item(0)->text(), QStringLiteral("二番目"));
            }
            QTest::keyClick(files, Qt::Key_Return);
        });
        QCOMPARE(opener.exec(), int(QDialog::Accepted));
        QCOMPARE(QDir::fromNativeSeparators(opener.fileName()),
                 seisu + QStringLiteral("Matome2.prp"));
        QCOMPARE(opener.copyRecordKey(), QStringLiteral("Matome2.prp"));
        QVERIFY2(messages.entries().isEmpty(), qPrintable(messages.texts().join(u'\n')));
    }
};

ZENDRA_WINDOW_TEST_MAIN(TestTfrmOpenPRP)

#include "tst_TfrmOpenPRP.moc"
