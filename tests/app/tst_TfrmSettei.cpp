// The answer-box dialog on a sheet, headless.
#include "app/TfrmSettei.h"

#include "app/LayoutSettings.h"
#include "sheet/Sheet.h"

#include "WindowTestMain.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

using namespace zendra;

namespace {

// A one-question sheet with these answer-box lines and margins 3 and 4.
Sheet makeSheet(const QString& kran)
{
    ParsedUnit unit;
    unit.content.title = QStringLiteral("整数//§1-1 たし算");
    unit.content.questions = {QStringLiteral("1+2=#3#")};
    unit.values = {QStringLiteral("630"), QStringLiteral("False"), QStringLiteral("40"),
                   QStringLiteral("3"),   QStringLiteral("4"),     QStringLiteral("1"),
                   QStringLiteral("7")};
    unit.kran = kran.split(u'|');
    return Sheet::fromParsedUnit(unit, {}, false);
}

const char* const kShapeButtons[] = {"radNon",  "radShikaku", "radKakko",
                                     "radLine", "radKasen",   "radRound"};

} // namespace

class TestTfrmSettei : public QObject
{
    Q_OBJECT

    std::unique_ptr<TfrmSettei> dialog_;
    int redraws_ = 0;
    int scrolls_ = 0;
    bool reduced_ = false;

    template <typename T> T* control(const char* name)
    {
        auto* widget = dialog_->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    void showActive()
    {
        dialog_->show();
        dialog_->activateWindow();
        QTRY_VERIFY(QApplication::activeWindow() == dialog_.get());
    }
    int spin(const char* name) { return control<QSpinBox>(name)->value(); }

    void open(Sheet& sheet)
    {
        dialog_->setSheet(
            &sheet, [this] { ++redraws_; },
            [this] {
                reduced_ = !reduced_;
                return ReduceCaption(reduced_);
            },
            ReduceCaption(reduced_), [this] { ++scrolls_; });
    }

private slots:
    void init()
    {
        dialog_ = std::make_unique<TfrmSettei>();
        redraws_ = scrolls_ = 0;
        reduced_ = false;
    }

    void fillingShowsTheSheetAndTouchesNothing()
    {
        Sheet first = makeSheet(QStringLiteral("4|12|3|0|2|1|16|11|0|0"));
        open(first);
        QVERIFY(control<QRadioButton>("radKasen")->isChecked());
        QCOMPARE(spin("spnKranWX"), 12);
        QCOMPARE(spin("spnKranH"), 3);
        QCOMPARE(spin("spnAnsX"), 2);
        QCOMPARE(spin("spnAnsY"), 1);
        QCOMPARE(spin("spnKranX"), 16);
        QCOMPARE(spin("spnKranY"), 11);
        QCOMPARE(spin("spnLeftM"), 3);
        QCOMPARE(spin("spnRightM"), 4);
        QVERIFY(control<QSpinBox>("spnKranWX")->isEnabled());
        QVERIFY(!control<QSpinBox>("spnKranH")->isEnabled());
        QCOMPARE(control<QPushButton>("btnKakudai")->text(), QStringLiteral("縮小"));

        // The dialog is reused: loading a second sheet changes every control again and
        // still writes into neither sheet.
        Sheet second = makeSheet(QStringLiteral("1|20|6|0|0|5|15|10|0|0"));
        second.settings.leftMargin = 0;
        second.settings.rightMargin = 15;
        const QStringList before = second.settings.lstKranX;
        open(second);
        QVERIFY(control<QRadioButton>("radShikaku")->isChecked());
        QVERIFY(control<QSpinBox>("spnKranH")->isEnabled());
        QCOMPARE(spin("spnKranWX"), 20);
        QCOMPARE(spin("spnLeftM"), 0);
        QCOMPARE(spin("spnRightM"), 15);
        QCOMPARE(redraws_, 0);
        QVERIFY(!first.changed);
        QVERIFY(!second.changed);
        QCOMPARE(first.settings.lstKranX.join(u'|'), QStringLiteral("4|12|3|0|2|1|16|11|0|0"));
        QCOMPARE(second.settings.lstKranX, before);
        QCOMPARE(second.settings.leftMargin, 0);

        // Without a sheet the controls change nothing.
        dialog_->setSheet(
            nullptr, [this] { ++redraws_; }, {}, ReduceCaption(false));
        control<QSpinBox>("spnAnsX")->setValue(9);
        control<QPushButton>("btnKakudai")->click();
        QCOMPARE(redraws_, 0);
        QCOMPARE(second.settings.lstKranX, before);
    }

    void everyBoxWritesItsValue_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("value"); // for a spin box; ignored for a button
        QTest::addColumn<int>("line");  // answer-box line; 0 left margin, -1 right margin
        QTest::addColumn<int>("expected");
        QTest::newRow("width") << "spnKranWX" << 14 << 2 << 14;
        QTest::newRow("height") << "spnKranH" << 7 << 3 << 7;
        QTest::newRow("answer x") << "spnAnsX" << 6 << 5 << 6;
        QTest::newRow("answer y") << "spnAnsY" << -2 << 6 << -2;
        QTest::newRow("box x") << "spnKranX" << 30 << 7 << 30;
        QTest::newRow("box y") << "spnKranY" << 1 << 8 << 1;
        QTest::newRow("left margin") << "spnLeftM" << 15 << 0 << 15;
        QTest::newRow("right margin") << "spnRightM" << 0 << -1 << 0;
        QTest::newRow("left arrow") << "btnLeft" << 0 << 5 << 1;
        QTest::newRow("right arrow") << "btnRight" << 0 << 5 << 3;
        QTest::newRow("up arrow") << "btnUp" << 0 << 6 << 4;
        QTest::newRow("down arrow") << "btnDown" << 0 << 6 << 6;
    }
    void everyBoxWritesItsValue()
    {
        QFETCH(QString, name);
        QFETCH(int, value);
        QFETCH(int, line);
        QFETCH(int, expected);
        Sheet sheet = makeSheet(QStringLiteral("1|10|4|0|2|5|15|10|0|0"));
        open(sheet);
        if (auto* box = dialog_->findChild<QSpinBox*>(name))
            box->setValue(value);
        else
            control<QPushButton>(qPrintable(name))->click();
        const int written = line > 0    ? sheet.settings.lstKranX[line - 1].toInt()
                            : line == 0 ? sheet.settings.leftMargin
                                        : sheet.settings.rightMargin;
        QCOMPARE(written, expected);
        QVERIFY(sheet.changed);
        QCOMPARE(redraws_, 1);
    }

    void typedDigitsReachTheBoxAndBackspaceDoesNot()
    {
        Sheet sheet = makeSheet(QStringLiteral("1|10|4|0|2|5|15|10|0|0"));
        open(sheet);
        auto* left = control<QSpinBox>("spnLeftM");
        left->selectAll();
        QTest::keyClick(left, Qt::Key_9);
        QCOMPARE(sheet.settings.leftMargin, 9);
        QTest::keyClick(left, Qt::Key_Backspace);
        QCOMPARE(left->text(), QStringLiteral("9"));
        QCOMPARE(sheet.settings.leftMargin, 9);
        QCOMPARE(redraws_, 1);
    }

    void shapeButtons_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("line1");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("width");
        QTest::addColumn<bool>("height");
        QTest::newRow("四角 after なし") << "0"
                                         << "radShikaku"
                                         << "1" << false << true << true;
        QTest::newRow("____ after 四角") << "1"
                                         << "radKasen"
                                         << "4" << true << true << false;
        QTest::newRow("なし after 角丸") << "5"
                                         << "radNon"
                                         << "0" << true << false << false;
        QTest::newRow("角丸 after ____") << "4"
                                         << "radRound"
                                         << "5" << false << true << true;
        QTest::newRow("四角 after [ ]") << "2"
                                        << "radShikaku"
                                        << "1" << false << true << true;
    }
    void shapeButtons()
    {
        QFETCH(QString, start);
        QFETCH(QString, button);
        QFETCH(QString, line1);
        QFETCH(bool, modified);
        QFETCH(bool, width);
        QFETCH(bool, height);
        Sheet sheet = makeSheet(start + QStringLiteral("|10|4|0|0|0|15|10|0|0"));
        open(sheet);
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
        auto* radio = control<QRadioButton>(qPrintable(button));
        // On the round mark: a radio button reacts only there and on its caption.
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
        dialog_->hide();
        QCOMPARE(sheet.settings.lstKranX[0], line1);
        QCOMPARE(sheet.changed, modified);
        QCOMPARE(control<QSpinBox>("spnKranWX")->isEnabled(), width);
        QCOMPARE(control<QSpinBox>("spnKranH")->isEnabled(), height);
        QVERIFY(redraws_ >= 1);
    }

    void bracketShapeSelectsNoButton()
    {
        Sheet underline = makeSheet(QStringLiteral("4|10|4|0|0|0|15|10|0|0"));
        open(underline);
        Sheet brackets = makeSheet(QStringLiteral("2|10|4|0|0|0|15|10|0|0"));
        open(brackets);
        for (const char* name : kShapeButtons)
            QVERIFY2(!control<QRadioButton>(name)->isChecked(), name);
        QVERIFY(control<QSpinBox>("spnKranWX")->isEnabled());
        QVERIFY(!control<QSpinBox>("spnKranH")->isEnabled());
        QCOMPARE(brackets.settings.lstKranX[0], QStringLiteral("2"));
        QVERIFY(!brackets.changed);
        QVERIFY(!underline.changed);
        QCOMPARE(redraws_, 0);
    }

    void tabbingOntoAShapeChoosesItButReopeningDoesNot()
    {
        Sheet brackets = makeSheet(QStringLiteral("2|10|4|0|0|0|15|10|0|0"));
        open(brackets);
        showActive();
        QCOMPARE(brackets.settings.lstKranX[0], QStringLiteral("2"));
        control<QPushButton>("btnOk")->setFocus();
        QTest::keyClick(control<QPushButton>("btnOk"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control<QRadioButton>("radNon"));
        QCOMPARE(brackets.settings.lstKranX[0], QStringLiteral("0"));
        QVERIFY(brackets.changed);
        dialog_->hide();

        // Shown again, the dialog gives the focus back to なし; the next sheet keeps its shape.
        Sheet rect = makeSheet(QStringLiteral("1|10|4|0|0|0|15|10|0|0"));
        open(rect);
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
        QCOMPARE(dialog_->focusWidget(), control<QRadioButton>("radNon"));
        QCOMPARE(rect.settings.lstKranX[0], QStringLiteral("1"));
        QVERIFY(control<QRadioButton>("radShikaku")->isChecked());
        QVERIFY(!rect.changed);
        dialog_->hide();
    }

    void keysToggleReducedViewAndScroll()
    {
        Sheet sheet = makeSheet(QStringLiteral("1|10|4|0|2|5|15|10|0|0"));
        open(sheet);
        auto* kakudai = control<QPushButton>("btnKakudai");
        auto* answerX = control<QSpinBox>("spnAnsX");
        QTest::keyClick(answerX, Qt::Key_S);
        QVERIFY(reduced_);
        QCOMPARE(kakudai->text(), QStringLiteral("拡大"));
        QTest::keyClick(answerX, Qt::Key_S, Qt::ShiftModifier);
        QVERIFY(!reduced_);
        QCOMPARE(kakudai->text(), QStringLiteral("縮小"));
        kakudai->click();
        QCOMPARE(kakudai->text(), QStringLiteral("拡大"));
        QTest::keyClick(answerX, Qt::Key_PageUp);
        QTest::keyClick(answerX, Qt::Key_PageDown);
        QCOMPARE(scrolls_, 2);
        QCOMPARE(answerX->value(), 2);
        QVERIFY(!sheet.changed);
        QCOMPARE(redraws_, 0);
    }

    void escapeCancelsButKeepsWhatWasApplied()
    {
        Sheet sheet = makeSheet(QStringLiteral("1|10|4|0|2|5|15|10|0|0"));
        open(sheet);
        QTimer::singleShot(0, this, [this] {
            control<QPushButton>("btnRight")->click();
            QTest::keyClick(control<QSpinBox>("spnAnsY"), Qt::Key_Escape);
        });
        QCOMPARE(dialog_->exec(), int(QDialog::Rejected));
        QCOMPARE(sheet.settings.lstKranX[4], QStringLiteral("3"));
        QVERIFY(sheet.changed);

        QTimer::singleShot(0, this, [this] { control<QPushButton>("btnOk")->click(); });
        QCOMPARE(dialog_->exec(), int(QDialog::Accepted));
    }
};

ZENDRA_WINDOW_TEST_MAIN(TestTfrmSettei)

#include "tst_TfrmSettei.moc"
