// The question editor on a copy of the sample courseware, headless.
#include "app/AppState.h"
#include "authoring/TfrmAutoRuidai.h"
#include "authoring/TfrmBMP.h"
#include "authoring/TfrmEditQues.h"
#include "authoring/TfrmEditSource.h"
#include "courseware/CoursewareIndex.h"
#include "platform/Messages.h"
#include "platform/SettingsStore.h"
#include "platform/TextFile.h"

#include "ModalDriver.h"
#include "TestSupport.h"
#include "WindowTestMain.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace zendra;

class TestTfrmEditQues : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        SettingsStore::useFolder(settings_.path());
        copy_ = std::make_unique<test::CoursewareCopy>();
        state_ = AppState{};
        state_.programFolder = copy_->folder();
        QVERIFY(LoadMainIndex(state_.programFolder, state_.lessonTable));
        master_ = MasterPath(state_.programFolder, state_.lessonTable, 1, 1);
        original_ = test::readBytes(master_);
        QVERIFY(!original_.isEmpty());
    }
    void cleanup() { SettingsStore::useFolder({}); }

    void typedLineIsSavedByOk()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmEditQues editor(state_.programFolder, state_.lessonTable);
        editor.setContext(kUnit, false, nullptr, QStringLiteral("４けたのたし算"), {});
        const int result = run(editor, [&] {
            QCOMPARE(editor.windowTitle(), QStringLiteral("マスターファイルの編集"));
            QCOMPARE(field<QLineEdit>(editor, "edtLesson")->text(), QStringLiteral("1 1 2"));
            QVERIFY(field<QListWidget>(editor, "lstKai")->count() > 0);
            typeLine(editor, "9+1=#10#");
            QVERIFY(editor.editor().unitModified);
            field<QPushButton>(editor, "btnOk")->click();
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('\n')));
        QCOMPARE(editor.position(), kUnit);

        QStringList lines;
        QVERIFY(TextFile::read(master_, lines));
        const qsizetype at = lines.indexOf(QStringLiteral("[[unit2"));
        const qsizetype end = lines.indexOf(QStringLiteral(">>"), at);
        QCOMPARE(lines.at(end - 1), QStringLiteral("9+1=#10#"));
        // The units around the edited one keep their bytes.
        const QByteArray now = test::readBytes(master_);
        const qsizetype head = original_.indexOf("[[unit2");
        const qsizetype tail = original_.size() - original_.indexOf("[[unit3");
        QCOMPARE(now.left(head), original_.left(head));
        QCOMPARE(now.right(tail), original_.right(tail));
    }

    void oddMarkKeepsTheWindowOpenAndSavesNothing()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmEditQues editor(state_.programFolder, state_.lessonTable);
        editor.setContext(kUnit, false, nullptr, {}, {});
        int lineNumber = 0;
        const int result = run(editor, [&] {
            typeLine(editor, "9+1=#10");
            auto* ques = field<QPlainTextEdit>(editor, "MemQues");
            lineNumber = ques->document()->blockCount();
            field<QPushButton>(editor, "btnOk")->click();
            QVERIFY(editor.isVisible());
            QCOMPARE(ques->textCursor().blockNumber(), lineNumber - 1);
            QCOMPARE(test::readBytes(master_), original_);
            field<QPushButton>(editor, "btnCancel")->click();
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(messages.texts(), QStringList{QString::number(lineNumber) +
                                               QStringLiteral("行目：＃の数は偶数にしてください")});
        QCOMPARE(test::readBytes(master_), original_);
    }

    void closeBoxAsksAndKeepsAnInvalidUnitOpen()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmEditQues editor(state_.programFolder, state_.lessonTable);
        editor.setContext(kUnit, false, nullptr, {}, {});
        const int result = run(editor, [&] {
            typeLine(editor, "x#1");
            messages.script({Messages::Answer::Yes});
            editor.close();
            QVERIFY(editor.isVisible());
            QCOMPARE(test::readBytes(master_), original_);
            QCOMPARE(messages.texts().size(), 2);
            QCOMPARE(messages.texts().at(0),
                     QStringLiteral("変更されたデータファイルを保存しますか？"));
            QVERIFY(messages.texts().at(1).endsWith(
                QStringLiteral("行目：＃の数は偶数にしてください")));
            // The edit survived; mend it and close again: this time it is saved.
            auto* ques = field<QPlainTextEdit>(editor, "MemQues");
            QVERIFY(ques->toPlainText().endsWith(QStringLiteral("x#1")));
            ques->moveCursor(QTextCursor::End);
            QTest::keyClick(ques, Qt::Key_NumberSign);
            messages.script({Messages::Answer::Yes});
            editor.close();
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QStringList lines;
        QVERIFY(TextFile::read(master_, lines));
        QVERIFY(lines.contains(QStringLiteral("x#1#")));
    }

    void closeBoxWithNoOrWithoutTypingSavesNothing()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmEditQues editor(state_.programFolder, state_.lessonTable);
        editor.setContext(kUnit, false, nullptr, {}, {});
        int result = run(editor, [&] {
            typeLine(editor, "1+1=#2#");
            messages.script({Messages::Answer::No});
            editor.close();
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(messages.texts(),
                 QStringList{QStringLiteral("変更されたデータファイルを保存しますか？")});

        // The text commands alone do not count as an edit: no question.
        messages.clear();
        result = run(editor, [&] {
            auto* ques = field<QPlainTextEdit>(editor, "MemQues");
            QVERIFY(!ques->toPlainText().contains(QStringLiteral("1+1=#2#")));
            field<QPushButton>(editor, "btnKai")->click(); // nothing selected
            // The instruction line has no blank: make its text the first answer.
            QTextCursor cursor(ques->document()->firstBlock());
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            ques->setTextCursor(cursor);
            const QString first = cursor.selectedText();
            QVERIFY(!first.contains('#'));
            field<QPushButton>(editor, "btnKai")->click();
            QCOMPARE(ques->document()->firstBlock().text(),
                     QStringLiteral(" # ") + first + QStringLiteral(" # "));
            QCOMPARE(field<QListWidget>(editor, "lstKai")->item(0)->text(), first);
            QVERIFY(!editor.editor().unitModified);
            editor.close();
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("囲む範囲を選択してください")});
        QCOMPARE(test::readBytes(master_), original_);
    }

    void choiceListAndFigures()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmEditQues editor(state_.programFolder, state_.lessonTable);
        const QList<QPoint> anchors = {QPoint(), QPoint(30, 60), QPoint(30, 100)};
        editor.setContext(kUnit, false, nullptr, {}, anchors);
        run(editor, [&] {
            auto* ques = field<QPlainTextEdit>(editor, "MemQues");
            ques->setPlainText(QStringLiteral("問題\n#５#と#ア#\n#三角形;さんかく#"));
            field<QPushButton>(editor, "btnTest")->click();
            field<QPushButton>(editor, "btnKgAdd")->click();
            QCOMPARE(field<QPlainTextEdit>(editor, "memKgroup")->toPlainText(),
                     QStringLiteral("三角形\nさんかく"));
            QCOMPARE(field<QLabel>(editor, "lblKosuh")->text(), QStringLiteral("3"));
            QCOMPARE(field<QLabel>(editor, "lblKosuh2")->text(), QStringLiteral("7"));
            QCOMPARE(field<QLabel>(editor, "lblKosuh3")->text(), QStringLiteral("2"));

            auto* files = field<QListWidget>(editor, "flbGraph");
            QCOMPARE(files->count(), 2); // the lesson's two pictures
            // A click on the preview shows the figure at full size with its size.
            files->setCurrentRow(0);
            emit files->itemClicked(files->item(0));
            QTest::mouseClick(field<QLabel>(editor, "imgGraph"), Qt::LeftButton);
            auto* viewer = editor.findChild<TfrmBMP*>();
            QVERIFY(viewer && viewer->isVisible());
            QCOMPARE(viewer->windowTitle(), QStringLiteral("ZViewer 拡大表示"));
            const QImage figure(GraphFolder(state_.programFolder, state_.lessonTable, 1) +
                                files->item(0)->text());
            QVERIFY(!figure.isNull());
            QCOMPARE(field<QLabel>(*viewer, "Image1")->size(), figure.size());
            QCOMPARE(field<QLabel>(*viewer, "lblXW")->text(), QString::number(figure.width()));
            QCOMPARE(field<QLabel>(*viewer, "lblYH")->text(), QString::number(figure.height()));
            files->selectAll();
            field<QPushButton>(editor, "btnQGAdd")->click();
            const QStringList figures =
                field<QPlainTextEdit>(editor, "memQGraph")->toPlainText().split('\n');
            QCOMPARE(figures.size(), 6);
            QCOMPARE(figures.mid(1, 2), QStringList({"70", "80"}));
            QCOMPARE(figures.mid(4, 2), QStringList({"70", "120"}));
            QVERIFY(editor.editor().unitModified);
            field<QPushButton>(editor, "btnCancel")->click();
        });
        QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('\n')));
        QCOMPARE(test::readBytes(master_), original_);
    }

    void directEditSavesTheSourceAndReloads()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmEditQues editor(state_.programFolder, state_.lessonTable);
        editor.setContext(kUnit, false, nullptr, {}, {});
        run(editor, [&] {
            QTimer::singleShot(0, &editor, [&] {
                auto* source = editor.findChild<TfrmEditSource*>();
                QVERIFY(source);
                QVERIFY(source->windowTitle().startsWith(QStringLiteral("ソースの直接編集")));
                auto* buffer = source->findChild<QPlainTextEdit*>(QStringLiteral("memEditBuffer"));
                buffer->setPlainText(
                    buffer->toPlainText().replace(QStringLiteral("[[unit2\n<<ques\n"),
                                                  QStringLiteral("[[unit2\n<<ques\n直#1#\n")));
                source->findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
            });
            field<QPushButton>(editor, "btnEditDirect")->click();
            QVERIFY(field<QPlainTextEdit>(editor, "MemQues")
                        ->toPlainText()
                        .startsWith(QStringLiteral("直#1#\n")));
            field<QPushButton>(editor, "btnCancel")->click();
        });
        QStringList lines;
        QVERIFY(TextFile::read(master_, lines));
        QCOMPARE(lines.at(lines.indexOf(QStringLiteral("[[unit2")) + 2), QStringLiteral("直#1#"));
    }

    void autoRuidai_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("key");        // pressed in the seed field of the preview
        QTest::addColumn<bool>("replace");   // the answer when the unit has sets already
        QTest::addColumn<bool>("previewed"); // false: nothing to vary, no preview
        QTest::addColumn<int>("written");    // sets the chooser then offers; -1: file as it was
        QTest::newRow("first sets") << 1 << 2 << int(Qt::Key_Return) << true << true << 2;
        QTest::newRow("three sets replaced") << 1 << 1 << int(Qt::Key_Return) << true << true << 2;
        QTest::newRow("old sets kept") << 1 << 1 << int(Qt::Key_Return) << false << true << -1;
        QTest::newRow("escape") << 1 << 2 << int(Qt::Key_Escape) << true << true << -1;
        QTest::newRow("word answers") << 4 << 5 << int(Qt::Key_Return) << true << false << -1;
    }

    // 類題を自動作成: the preview shows the sets as they are written and the lines kept; Enter
    // writes them after the unit, old sets go only when the teacher agrees, Escape and a unit
    // without numbers to vary write nothing.
    void autoRuidai()
    {
        QFETCH(int, section);
        QFETCH(int, unit);
        QFETCH(int, key);
        QFETCH(bool, replace);
        QFETCH(bool, previewed);
        QFETCH(int, written);
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        messages.script({replace ? Messages::Answer::Yes : Messages::Answer::No});
        const QString master = MasterPath(state_.programFolder, state_.lessonTable, 1, section);
        const QByteArray before = test::readBytes(master);
        TfrmEditQues editor(state_.programFolder, state_.lessonTable);
        editor.setContext(UnitChoice{1, section, unit, 0}, false, nullptr, {}, {});
        QString defaultSeed, preview;
        int keptRows = -1;
        bool stayedOpen = false;
        run(editor, [&] {
            // Where no preview may come, none is waited for: one that came would hang the
            // test until its time-out fails it.
            if (previewed)
                test::whenModal<TfrmAutoRuidai>([&](TfrmAutoRuidai* dialog) {
                    auto* seed = field<QLineEdit>(*dialog, "edtSeed");
                    defaultSeed = seed->text();
                    field<QSpinBox>(*dialog, "spnCount")->setValue(2);
                    seed->setFocus();
                    seed->selectAll();
                    QTest::keyClicks(seed, QStringLiteral("4242"));
                    preview = field<QPlainTextEdit>(*dialog, "memSets")->toPlainText();
                    keptRows = field<QListWidget>(*dialog, "lstKept")->count();
                    // The README's picture (scripts/index-screenshots).
                    if (const QByteArray dir = qgetenv("ZENDRA_SCREENSHOTS");
                        !dir.isEmpty() && section == 1 && unit == 2 && key == Qt::Key_Return)
                        dialog->grab().save(QString::fromLocal8Bit(dir) +
                                            QStringLiteral("/auto-ruidai-preview.png"));
                    QTest::keyClick(seed, Qt::Key(key));
                    stayedOpen = dialog->isVisible();
                    if (stayedOpen)
                        dialog->reject();
                });
            field<QPushButton>(editor, "btnAutoRuidai")->click();
            field<QPushButton>(editor, "btnCancel")->click();
        });

        const QuestionGenerator generator(editor.editor().ques);
        QCOMPARE(!preview.isEmpty(), previewed);
        if (!previewed) {
            QCOMPARE(messages.texts().size(), 1);
            QVERIFY(messages.texts().first().contains(QStringLiteral("類題は作成しませんでした")));
        } else {
            QVERIFY(defaultSeed.toULongLong() > 0);
            QStringList shown;
            for (const GeneratedSet& set : generator.generateSets(4242, 2))
                shown << QStringLiteral("[[unit%1R%2").arg(unit).arg(set.variant)
                      << QStringLiteral("%seed 4242") << set.questions << QString();
            QCOMPARE(preview, shown.join(u'\n'));
            QCOMPARE(keptRows, generator.kept().size());
            QCOMPARE(stayedOpen, written < 0 && key == Qt::Key_Return);
        }
        if (written < 0) {
            QCOMPARE(test::readBytes(master), before);
            QCOMPARE(editor.createdVariant(), 0);
            return;
        }
        QStringList lines;
        QVERIFY(TextFile::read(master, lines));
        QCOMPARE(FindVariants(UnitChoice{1, section, unit, 0}, lines).size(), written);
        const QList<GeneratedSet> sets = generator.generateSets(4242, 2);
        for (const GeneratedSet& set : sets) {
            const qsizetype at =
                lines.indexOf(QStringLiteral("[[unit%1R%2").arg(unit).arg(set.variant));
            QCOMPARE(lines.mid(at + 1, 2 + set.questions.size()),
                     QStringList({QStringLiteral("%seed 4242"), QStringLiteral("<<ques")}) +
                         set.questions);
        }
        // Everything before the unit is as it was.
        const qsizetype head = before.indexOf(QStringLiteral("[[unit%1\r\n").arg(unit).toLatin1());
        QCOMPARE(test::readBytes(master).left(head), before.left(head));
        QCOMPARE(editor.createdVariant(), 1);
    }

private:
    template <typename T> static T* field(QWidget& w, const char* name)
    {
        T* child = w.findChild<T*>(QString::fromLatin1(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }

    // Runs the dialog modally and acts on it once it shows.
    static int run(QDialog& dialog, const std::function<void()>& act)
    {
        QTimer::singleShot(0, &dialog, [&] {
            act();
            if (dialog.isVisible()) // a failed check must not hang the test
                dialog.done(-1);
        });
        return dialog.exec();
    }

    // The line under the cursor shows its column problems as the sheet draws them; a
    // plain line shows none.
    void columnProblemIsPreviewedForTheCurrentLine()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmEditQues editor(state_.programFolder, state_.lessonTable);
        editor.setContext(kUnit, false, nullptr, QStringLiteral("４けたのたし算"), {});
        run(editor, [&] {
            auto* preview = field<QLabel>(editor, "imgHissan");
            QVERIFY(preview->isHidden());
            typeLine(editor, "(1)@H345+278=#623#");
            QVERIFY(!preview->isHidden());
            const QImage one = preview->pixmap().toImage();
            // Two problems side by side make a wider picture of the same line height.
            QTest::keyClicks(field<QPlainTextEdit>(editor, "MemQues"), "　(2)@Hs139÷6=#23…1#");
            const QImage two = preview->pixmap().toImage();
            QVERIFY(two.width() > one.width());
            QVERIFY(two.height() > one.height()); // the division has more rows
            typeLine(editor, "9+1=#10#");
            QVERIFY(preview->isHidden());
            editor.reject();
        });
    }

    // Types a new last line into the question pane.
    static void typeLine(QWidget& editor, const char* text)
    {
        auto* ques = field<QPlainTextEdit>(editor, "MemQues");
        ques->setFocus();
        ques->moveCursor(QTextCursor::End);
        QTest::keyClick(ques, Qt::Key_Return);
        QTest::keyClicks(ques, QString::fromUtf8(text));
    }

    const UnitChoice kUnit{1, 1, 2, 0};
    QTemporaryDir settings_;
    std::unique_ptr<test::CoursewareCopy> copy_;
    AppState state_;
    QString master_;
    QByteArray original_;
};

ZENDRA_WINDOW_TEST_MAIN(TestTfrmEditQues)

#include "tst_TfrmEditQues.moc"
