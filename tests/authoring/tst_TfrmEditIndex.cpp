// The index editor on a small courseware of its own, headless.
#include "app/AppState.h"
#include "app/UnitChooser.h"
#include "authoring/TfrmEditIndex.h"
#include "authoring/TfrmInputText.h"
#include "courseware/CoursewareIndex.h"
#include "platform/Fonts.h"
#include "platform/Messages.h"
#include "platform/TextFile.h"

#include "TestSupport.h"
#include "WindowTestMain.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <functional>

using namespace zendra;

namespace {

const QStringList kTwoSections = {"T題", "[[sect1", "S1", "<<", "A", "ｶﾅ B ", ">>",
                                  "]]",  "[[sect1", "S2", "<<", "C", ">>",    "]]"};

QStringList rows(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

} // namespace

class TestTfrmEditIndex : public QObject
{
    Q_OBJECT

private slots:
    // The faces the courseware names, as the program has them.
    void initTestCase() { InstallFontSubstitutions(); }
    void init()
    {
        state_ = AppState{};
        state_.programFolder = dir_.path() + QStringLiteral("/");
        QDir(state_.programFolder).removeRecursively();
        QDir().mkpath(state_.programFolder + "T");
        QDir().mkpath(state_.programFolder + "N");
        test::writeLines(state_.programFolder + "Main.ind",
                         {"算数", "<<", "整数,T\\xT", "新規,N\\xN", ">>"});
        index_ = state_.programFolder + "T/T.ind";
        messages_.clear();
    }

    void editsSaveOnOkAndTheChooserListsThem()
    {
        test::writeLines(index_, kTwoSections);
        const QByteArray original = test::readBytes(index_);
        ScopedMessages scope(messages_);
        QVERIFY(LoadMainIndex(state_.programFolder, state_.lessonTable));
        TfrmEditIndex w(state_.programFolder, state_.lessonTable);
        w.setLearner(state_.learnerName);
        const int result = run(w, [&] {
            QCOMPARE(w.windowTitle(), QStringLiteral("Zendra Editor 教材の作成"));
            QCOMPARE(rows(list(w, "lstELesson")), QStringList({"整数", "新規"}));
            QCOMPARE(field(w, "edtMainTitle")->text(), QStringLiteral("T題"));
            QCOMPARE(rows(list(w, "lstESection")), QStringList({"S1", "S2"}));
            QCOMPARE(rows(list(w, "lstEUnit")), QStringList({"A", "ｶﾅ B "}));
            QCOMPARE(field(w, "edtIndex")->text(), QDir::toNativeSeparators(index_));
            QCOMPARE(field(w, "edtDataFile")->text(), QStringLiteral("未作成"));
            const QStandardItem* root = w.editor().tree().item(0);
            QCOMPARE(root->text(), QStringLiteral("T題"));
            QCOMPARE(root->rowCount(), 2);
            QCOMPARE(root->child(1)->child(0)->text(), QStringLiteral("　[ ]C"));
            // Both headers read "[[sect1": still the first and the second section.
            list(w, "lstESection")->setCurrentRow(1);
            QCOMPARE(rows(list(w, "lstEUnit")), QStringList({"C"}));

            answerInput(w, "New3");
            button(w, "btnAdd")->click();
            QCOMPARE(w.editor().text().mid(kTwoSections.size()),
                     QStringList({"[[sect3", "New3", "<<", "SubMenu New3", ">>", "]]"}));
            QCOMPARE(list(w, "lstESection")->currentRow(), 2);
            QCOMPARE(rows(list(w, "lstEUnit")), QStringList({"SubMenu New3"}));

            list(w, "lstESection")->setCurrentRow(0);
            answerInput(w, "Z");
            button(w, "btnAdd2")->click();
            QCOMPARE(rows(list(w, "lstEUnit")), QStringList({"A", "ｶﾅ B ", "Z"}));
            QCOMPARE(list(w, "lstEUnit")->currentRow(), 2);

            list(w, "lstESection")->setCurrentRow(1);
            answerInput(w, "S2x", "S2");
            button(w, "btnChange")->click();
            list(w, "lstESection")->setCurrentRow(0);
            list(w, "lstEUnit")->setCurrentRow(0);
            answerInput(w, "A2", "A");
            button(w, "btnChange2")->click();
            QCOMPARE(list(w, "lstEUnit")->currentRow(), 0);
            QCOMPARE(w.editor().tree().item(0)->child(0)->child(0)->text(),
                     QStringLiteral("　[ ]A2"));

            auto* tree = w.findChild<QTreeView*>("trvSect");
            QPushButton* expand = button(w, "btnExpand");
            QCOMPARE(expand->text(), QStringLiteral("表示を圧縮する"));
            expand->click();
            QCOMPARE(expand->text(), QStringLiteral("表示を展開する"));
            QVERIFY(!tree->isExpanded(w.editor().tree().item(0)->child(0)->index()));
            expand->click();
            QVERIFY(tree->isExpanded(w.editor().tree().item(0)->child(2)->index()));
            QEvent enter(QEvent::Enter);
            QApplication::sendEvent(list(w, "lstESection"), &enter);
            QCOMPARE(w.findChild<QLabel*>("pnlHint")->text(),
                     QStringLiteral("主インデックスを書きます"));

            QCOMPARE(test::readBytes(index_), original); // nothing is written before OK
            test::saveShot(w, "index-editor.png");       // scripts/index-screenshots
            button(w, "btnOk")->click();
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY2(messages_.texts().isEmpty(), qPrintable(messages_.texts().join('\n')));
        QVERIFY(w.saved());

        QStringList expected = kTwoSections;
        expected[4] = "A2";
        expected.insert(6, "Z");
        expected[10] = "S2x";
        expected << "[[sect3"
                 << "New3"
                 << "<<"
                 << "SubMenu New3"
                 << ">>"
                 << "]]";
        QByteArray bytes;
        QVERIFY(TextFile::encodeLines(expected, bytes, index_));
        QCOMPARE(test::readBytes(index_), bytes);

        state_.indexChanged = true;
        UnitChooser chooser(state_);
        chooser.show();
        QCOMPARE(chooser.sectionRows(), QStringList({"S1", "S2x", "New3"}));
        QCOMPARE(chooser.unitTitles(), QStringList({"A2", "ｶﾅ B ", "Z"}));
    }

    void refusalsDropsAndAFailedSaveKeepTheEdits()
    {
        QStringList lines = kTwoSections;
        lines << "[[sect3"
              << "S3"
              << "<<"
              << ">>"
              << "]]";
        test::writeLines(index_, lines);
        ScopedMessages scope(messages_);
        QVERIFY(LoadMainIndex(state_.programFolder, state_.lessonTable));
        TfrmEditIndex w(state_.programFolder, state_.lessonTable);
        const int result = run(w, [&] {
            // Titles that would break the index, or that it cannot hold, stay in the dialog.
            for (const QString title : {">>", "<<", "[[sect9", "雪☃"}) {
                QTimer::singleShot(0, &w, [&w, title] {
                    QLineEdit* line = w.inputDialog()->findChild<QLineEdit*>("memInput");
                    line->insert(title);
                    QTest::keyClick(line, Qt::Key_Return);
                    QVERIFY(w.inputDialog()->isVisible());
                    button(*w.inputDialog(), "btnCancel")->click();
                });
                const qsizetype before = messages_.texts().size();
                button(w, "btnAdd")->click();
                QCOMPARE(messages_.texts().size(), before + 1);
                QVERIFY(!w.editor().modified());
            }
            QVERIFY(messages_.texts().last().contains(u'☃'));
            QCOMPARE(list(w, "lstESection")->count(), 3);

            // Another lesson drops the edit; one without an index file shows the template.
            answerInput(w, "X");
            button(w, "btnAdd")->click();
            QCOMPARE(list(w, "lstESection")->count(), 4);
            list(w, "lstELesson")->setCurrentRow(1);
            QCOMPARE(field(w, "edtMainTitle")->text(),
                     QStringLiteral("ここにタイトルをかいてください"));
            QCOMPARE(rows(list(w, "lstESection")), QStringList({"ここは主メニュー"}));
            QCOMPARE(rows(list(w, "lstEUnit")), QStringList({"ここは副メニュー"}));
            QCOMPARE(field(w, "edtDataFile")->text(), QStringLiteral("未作成"));
            list(w, "lstELesson")->setCurrentRow(0);
            QCOMPARE(w.editor().text(), lines);

            messages_.clear();
            list(w, "lstESection")->setCurrentRow(2); // S3 has no units
            button(w, "btnOk")->click();
            QCOMPARE(messages_.texts(), QStringList({"編集する副メニューを選択してください"}));
            QVERIFY(w.isVisible());

            // A save that fails names the file, keeps the window and the edit.
            list(w, "lstESection")->setCurrentRow(0);
            answerInput(w, "A9", "A");
            button(w, "btnChange2")->click();
            QVERIFY(QFile::remove(index_));
            QVERIFY(QDir().mkdir(index_));
            messages_.clear();
            button(w, "btnOk")->click();
            QCOMPARE(messages_.texts().size(), 1);
            QVERIFY(messages_.texts().first().contains(QDir::toNativeSeparators(index_)));
            QVERIFY(w.isVisible());
            QVERIFY(w.editor().modified());
            QCOMPARE(rows(list(w, "lstEUnit")).first(), QStringLiteral("A9"));
            QVERIFY(QDir().rmdir(index_));
            button(w, "btnOk")->click();
        });
        QCOMPARE(result, int(QDialog::Accepted));
        lines[4] = "A9";
        QStringList saved;
        QVERIFY(TextFile::read(index_, saved));
        QCOMPARE(saved, lines);
        QVERIFY(!QFile::exists(state_.programFolder + "N/N.ind"));
    }

private:
    // Answers the next text dialog: checks what it offers, replaces it and presses Enter.
    static void answerInput(TfrmEditIndex& w, const QString& text, const QString& offered = {})
    {
        QTimer::singleShot(0, &w, [&w, text, offered] {
            TfrmInputText* dialog = w.inputDialog();
            QVERIFY(dialog->isVisible());
            QCOMPARE(dialog->windowTitle(), QStringLiteral("テキストの入力"));
            QLineEdit* line = dialog->findChild<QLineEdit*>("memInput");
            QCOMPARE(line->text(), offered);
            line->selectAll();
            line->insert(text);
            QTest::keyClick(line, Qt::Key_Return);
            QVERIFY(!dialog->isVisible());
        });
    }
    int run(TfrmEditIndex& w, const std::function<void()>& act)
    {
        QTimer::singleShot(0, &w, [&] {
            act();
            if (w.isVisible())
                w.reject();
        });
        return w.exec();
    }
    static QListWidget* list(QWidget& w, const char* name)
    {
        return w.findChild<QListWidget*>(name);
    }
    static QLineEdit* field(QWidget& w, const char* name) { return w.findChild<QLineEdit*>(name); }
    static QPushButton* button(QWidget& w, const char* name)
    {
        return w.findChild<QPushButton*>(name);
    }

    QTemporaryDir dir_;
    AppState state_;
    QString index_;
    ScriptedMessages messages_;
};

ZENDRA_WINDOW_TEST_MAIN(TestTfrmEditIndex)
#include "tst_TfrmEditIndex.moc"
