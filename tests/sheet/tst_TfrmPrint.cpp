// The worksheet window and its header dialog, driven through their controls, headless.
#include "app/AppState.h"
#include "courseware/CoursewareIndex.h"
#include "platform/Fonts.h"
#include "platform/Messages.h"
#include "sheet/SheetBuilder.h"
#include "sheet/TfrmPrint.h"
#include "sheet/TfrmReadUnit.h"

#include "TestSupport.h"
#include "WindowTestMain.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace zendra;
using Command = WorksheetHost::Command;

namespace {

// Records what the window asks of the main window.
class FakeHost : public WorksheetHost
{
public:
    QList<Command> commands;
    QList<Command> disabled;
    int saves = 0;
    bool saveResult = true;
    QList<TfrmPrint*> closed;
    QList<bool> marks;
    int activations = 0;
    bool markChangedOnActivate = false;
    std::optional<UnitChoice> addChoice;
    AppState state;
    UnitReader reader;
    TfrmPrint* active = nullptr;

    void runCommand(Command command) override
    {
        commands.append(command);
        if (command == Command::ToggleAnswers && active)
            active->sheet().answersShown = !active->sheet().answersShown;
    }
    bool commandEnabled(Command command) const override { return !disabled.contains(command); }
    ComposeInputs composeInputs() const override
    {
        ComposeInputs inputs;
        inputs.now = QDateTime(QDate(2024, 4, 8), QTime(9, 0));
        return inputs;
    }
    void sheetActivated(TfrmPrint* frm) override
    {
        ++activations;
        active = frm;
        // As the main window's spin handlers would, were they not held back.
        if (markChangedOnActivate)
            frm->sheet().changed = true;
    }
    void sheetClosed(TfrmPrint* frm) override { closed.append(frm); }
    bool saveSheet(TfrmPrint*) override
    {
        ++saves;
        return saveResult;
    }
    void areaMarked(TfrmPrint*, bool marked) override { marks.append(marked); }
    void forwardKey(QKeyEvent*) override {}
    bool reducedView() const override { return false; }
    std::optional<UnitChoice> chooseUnitToAdd() override { return addChoice; }
    CoursewareContext courseware() const override
    {
        return {state.programFolder, state.lessonTable, state.sectionUnits};
    }
    bool keyLocked() const override { return state.keyLocked; }
    UnitReader& unitReader() override { return reader; }
};

// Answers the close question after running `during`, as a window event could while the
// message box is open.
class ReentrantMessages : public ScriptedMessages
{
public:
    std::function<void()> during;
    Answer askYesNoCancel(const QString& text) override
    {
        if (during)
            during();
        return ScriptedMessages::askYesNoCancel(text);
    }
};

int darkPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ++count;
    return count;
}

} // namespace

class TestTfrmPrint : public QObject
{
    Q_OBJECT

private:
    // Unit 1 of section 1 of the decimals lesson: one question figure and one answer figure.
    std::optional<Sheet> openSheet(FakeHost& host, bool answersShown = false)
    {
        host.state.programFolder = courseware_.folder();
        if (!LoadMainIndex(host.state.programFolder, host.state.lessonTable) ||
            !LoadLessonIndex(host.state.programFolder, host.state.lessonTable, 2,
                             host.state.sectionUnits))
            return std::nullopt;
        const CoursewareContext context{host.state.programFolder, host.state.lessonTable,
                                        host.state.sectionUnits};
        return OpenMasterSheet(context, UnitChoice{2, 1, 1, 0}, host.reader, answersShown);
    }

    TfrmPrint* openWindow(FakeHost& host, QMdiArea& area, bool answersShown = false)
    {
        std::optional<Sheet> sheet = openSheet(host, answersShown);
        if (!sheet)
            return nullptr;
        auto* frm = new TfrmPrint(std::move(*sheet), host);
        QMdiSubWindow* sub = area.addSubWindow(frm);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->resize(760, 560);
        area.resize(800, 600);
        area.show();
        sub->show();
        frm->FormActivate();
        return frm;
    }

    template <class W> static W* field(QWidget* dialog, const char* name)
    {
        return dialog->findChild<W*>(QLatin1StringView(name));
    }

    static QWidget* page(TfrmPrint* frm)
    {
        return frm->findChild<QWidget*>(QStringLiteral("Image1"));
    }

    // Runs `act` on the header dialog while editHeader() shows it.
    static bool editHeader(TfrmPrint* frm, const std::function<void(TfrmReadUnit*)>& act)
    {
        QTimer::singleShot(0, frm, [act] {
            auto* dialog = qobject_cast<TfrmReadUnit*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            act(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        return frm->editHeader();
    }

    test::CoursewareCopy courseware_;

private slots:
    void closeQuestion_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveWorks");
        QTest::addColumn<bool>("viaMenu");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<int>("saves");
        QTest::addColumn<bool>("closes");

        const int yes = int(Messages::Answer::Yes), no = int(Messages::Answer::No),
                  cancel = int(Messages::Answer::Cancel);
        QTest::newRow("unchanged") << false << yes << true << false << false << 0 << true;
        QTest::newRow("unchanged, menu") << false << yes << true << true << false << 0 << true;
        QTest::newRow("cancel") << true << cancel << true << false << true << 0 << false;
        QTest::newRow("no") << true << no << true << false << true << 0 << true;
        QTest::newRow("yes") << true << yes << true << true << true << 1 << true;
        QTest::newRow("yes, save fails") << true << yes << false << false << true << 1 << false;
    }

    void closeQuestion()
    {
        QFETCH(bool, changed);
        QFETCH(int, answer);
        QFETCH(bool, saveWorks);
        QFETCH(bool, viaMenu);
        QFETCH(bool, asked);
        QFETCH(int, saves);
        QFETCH(bool, closes);

        FakeHost host;
        host.saveResult = saveWorks;
        QMdiArea area;
        TfrmPrint* frm = openWindow(host, area);
        QVERIFY(frm);
        frm->sheet().changed = changed;
        const QString caption = frm->caption();
        QCOMPARE(caption, frm->sheet().source.windowKey);

        ScriptedMessages messages;
        messages.script({Messages::Answer(answer)});
        ScopedMessages scope(messages);
        QPointer<QMdiSubWindow> sub = area.subWindowList().first();
        if (viaMenu)
            frm->findChild<QAction*>(QStringLiteral("mnuClose"))->trigger();
        else
            sub->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QCOMPARE(messages.texts(),
                 asked ? QStringList{caption + QStringLiteral("を保存しますか？")} : QStringList{});
        QCOMPARE(host.saves, saves);
        QCOMPARE(sub.isNull(), closes);
        QCOMPARE(host.closed.size(), closes ? 1 : 0);
    }

    void activationKeepsChangedState_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::newRow("unchanged") << false;
        QTest::newRow("changed") << true;
    }

    void activationKeepsChangedState()
    {
        QFETCH(bool, changed);
        FakeHost host;
        host.markChangedOnActivate = true;
        std::optional<Sheet> sheet = openSheet(host);
        QVERIFY(sheet);
        sheet->composed.boxes.box(3).judgement = 1;
        QMdiArea area;
        auto* frm = new TfrmPrint(std::move(*sheet), host);
        area.addSubWindow(frm)->show();
        QCOMPARE(frm->sheet().composed.boxes[3].judgement, AnswerBox::kNotJudged);
        // Nothing is composed before the first activation.
        frm->Redraw();
        QVERIFY(frm->pageImage().isNull());
        frm->FormActivate();
        QCOMPARE(frm->sheet().changed, false);
        QCOMPARE(frm->pageImage().size(), QSize(630, 891));

        frm->sheet().changed = changed;
        const int before = host.activations;
        frm->FormActivate();
        QCOMPARE(host.activations, before + 1);
        QCOMPARE(frm->sheet().changed, changed);

        // While the close question is open, activation does nothing.
        frm->sheet().changed = true;
        ReentrantMessages messages;
        messages.during = [frm] { frm->FormActivate(); };
        messages.script({Messages::Answer::Cancel});
        ScopedMessages scope(messages);
        frm->closeSheet();
        QCOMPARE(host.activations, before + 1);
    }

    void figureDrag_data()
    {
        QTest::addColumn<bool>("answers");
        QTest::addColumn<QPoint>("travel");
        QTest::newRow("on the page") << false << QPoint(30, 40);
        QTest::newRow("beyond the right edge") << false << QPoint(700, 0);
        QTest::newRow("above the page") << false << QPoint(-50, -200);
        QTest::newRow("answer figure") << true << QPoint(-20, 15);
        QTest::newRow("click without moving") << false << QPoint(0, 0);
    }

    void figureDrag()
    {
        QFETCH(bool, answers);
        QFETCH(QPoint, travel);
        FakeHost host;
        QMdiArea area;
        TfrmPrint* frm = openWindow(host, area, answers);
        QVERIFY(frm);
        Sheet& sheet = frm->sheet();
        QCOMPARE(sheet.composed.figures.size(), 1);
        const PlacedFigure figure = sheet.composed.figures.first();
        QCOMPARE(figure.answer, answers);
        QVERIFY(!figure.rect.isEmpty());
        const QStringList questionBefore = sheet.content.questionFigures;
        const QStringList answerBefore = sheet.content.answerFigures;

        QWidget* view = page(frm);
        const QPoint from = figure.rect.center();
        QTest::mousePress(view, Qt::LeftButton, {}, from);
        // The figure leaves its place while it is dragged.
        QTest::mouseMove(view, from + QPoint(0, 300));
        const int drawn = darkPixels(frm->pageImage().copy(figure.rect));
        QVERIFY(drawn > 0);
        QVERIFY(darkPixels(view->grab(figure.rect).toImage()) < drawn);
        QTest::mouseMove(view, from + travel);
        QTest::mouseRelease(view, Qt::LeftButton, {}, from + travel);

        const QPoint moved = figure.rect.topLeft() + travel;
        const QStringList& triples =
            answers ? sheet.content.answerFigures : sheet.content.questionFigures;
        QCOMPARE(triples.mid(1, 2),
                 (QStringList{QString::number(moved.x()), QString::number(moved.y())}));
        QCOMPARE(answers ? sheet.content.questionFigures : sheet.content.answerFigures,
                 answers ? questionBefore : answerBefore);
        QCOMPARE(sheet.changed, !travel.isNull());
        QCOMPARE(sheet.composed.figures.first().rect, figure.rect.translated(travel));
        QVERIFY(host.marks.isEmpty());
    }

    void marking()
    {
        FakeHost host;
        QMdiArea area;
        TfrmPrint* frm = openWindow(host, area);
        QVERIFY(frm);
        QWidget* view = page(frm);
        const QRect figure = frm->sheet().composed.figures.first().rect;

        struct Drag
        {
            QPoint from, to;
        };
        // Corners as dragged, whichever way.
        const Drag drags[] = {{{20, 400}, {200, 520}}, {{400, 700}, {150, 450}}};
        for (const Drag& d : drags) {
            QVERIFY(!figure.contains(d.from));
            QTest::mousePress(view, Qt::LeftButton, {}, d.from);
            QTest::mouseMove(view, d.to);
            QTest::mouseRelease(view, Qt::LeftButton, {}, d.to);
            QVERIFY(frm->hasMark());
            QCOMPARE(frm->markedArea().topLeft(), d.from);
            QCOMPARE(frm->markedArea().bottomRight(), d.to);
        }
        // The second drag removed the first mark before starting.
        QCOMPARE(host.marks, (QList<bool>{true, false, true}));
        QCOMPARE(frm->sheet().changed, false);

        // A right click beside a figure marks nothing; on it, the figure one pixel outside.
        frm->clearMark();
        host.marks.clear();
        QTest::mousePress(view, Qt::RightButton, {}, QPoint(20, 850));
        QVERIFY(!frm->hasMark());
        QTest::mousePress(view, Qt::RightButton, {}, figure.center());
        QCOMPARE(host.marks, QList<bool>{true});
        QCOMPARE(frm->markedArea().topLeft(), figure.topLeft() - QPoint(1, 1));
        QCOMPARE(frm->markedArea().bottomRight(),
                 QPoint(figure.left() + figure.width() + 1, figure.top() + figure.height() + 1));
        QCOMPARE(frm->sheet().composed.figures.first().rect, figure);
    }

    void menuCommands()
    {
        FakeHost host;
        QMdiArea area;
        TfrmPrint* frm = openWindow(host, area);
        QVERIFY(frm);
        const QList<QPair<const char*, Command>> items = {
            {"mnuOpenMaster", Command::Open},       {"mnuSaveMaster", Command::SaveMaster},
            {"mnuPrint", Command::Print},           {"mnuExit", Command::Exit},
            {"mnuEditIndex", Command::EditIndex},   {"mnuJuku", Command::SchoolName},
            {"mnuEditMaster", Command::EditMaster}, {"mnuKaitou", Command::ToggleAnswers},
            {"mnuSetPrinter", Command::PrintMode},  {"mnuSetKran", Command::AnswerBoxes},
            {"mnuSetPaper", Command::Paper},        {"mnuOpenCopy", Command::OpenCopy},
            {"mnuSavePdf", Command::SavePdf},       {"mnuEditCopy", Command::EditCopy}};
        for (const auto& [name, command] : items) {
            auto* item = frm->findChild<QAction*>(QLatin1StringView(name));
            QVERIFY2(item && !item->associatedObjects().isEmpty(), name);
            auto* menu = qobject_cast<QMenu*>(item->associatedObjects().first());
            QVERIFY2(menu, name);
            // Enabled as the main window says each time the menu opens.
            host.disabled = {command};
            emit menu->aboutToShow();
            item->trigger();
            host.disabled.clear();
            emit menu->aboutToShow();
            item->trigger();
            QCOMPARE(host.commands, QList<Command>{command});
            host.commands.clear();
        }
        // The check mark follows the sheet, toggled by the main window.
        QVERIFY(frm->sheet().answersShown);
        QVERIFY(frm->findChild<QAction*>(QStringLiteral("mnuKaitou"))->isChecked());
    }

    void headerDialog_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("applied");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("ok") << "btnOk" << 3 << true << QStringList{};
        QTest::newRow("cancel") << "btnCancel" << 3 << false << QStringList{};
        // A copy file with more lines would not read back.
        QTest::newRow("61 lines") << "btnOk" << 61 << false
                                  << QStringList{QStringLiteral("問題の行は６０行以下です")};
    }

    void headerDialog()
    {
        QFETCH(QString, button);
        QFETCH(int, lines);
        QFETCH(bool, applied);
        QFETCH(QStringList, messages);
        FakeHost host;
        QMdiArea area;
        TfrmPrint* frm = openWindow(host, area);
        QVERIFY(frm);
        const Sheet before = frm->sheet();
        QVERIFY(before.titleGenerated);
        QStringList questions;
        for (int i = 1; i <= lines; ++i)
            questions.append(i == 2 ? QString() : QStringLiteral("(%1) #%1#").arg(i));
        ScriptedMessages said;
        ScopedMessages scope(said);
        QString shownBoxes;
        const bool result = editHeader(frm, [&](TfrmReadUnit* dialog) {
            shownBoxes = field<QLineEdit>(dialog, "edtNQues")->text();
            field<QLineEdit>(dialog, "edtTangen")->setText(QStringLiteral("小数のまとめ"));
            field<QLineEdit>(dialog, "edtSchool")->setText(QStringLiteral("みどり小学校"));
            field<QLineEdit>(dialog, "edtShimei")->setText(QStringLiteral("　年　組　氏名"));
            field<QPlainTextEdit>(dialog, "redQues")->setPlainText(questions.join(u'\n'));
            field<QPushButton>(dialog, qPrintable(button))->click();
        });
        QCOMPARE(result, applied);
        QCOMPARE(said.texts(), messages);
        QCOMPARE(shownBoxes, QString::number(before.composed.boxes.count()));
        const Sheet& sheet = frm->sheet();
        if (!applied) {
            QCOMPARE(sheet.content.title, before.content.title);
            QCOMPARE(sheet.content.questions, before.content.questions);
            QVERIFY(!sheet.changed);
            QVERIFY(sheet.titleGenerated);
            QCOMPARE(frm->caption(), before.source.windowKey);
            return;
        }
        QCOMPARE(sheet.content.title, QStringLiteral("小数のまとめ"));
        QCOMPARE(sheet.content.school, QStringLiteral("みどり小学校"));
        QCOMPARE(sheet.content.nameLine, QStringLiteral("　年　組　氏名"));
        QCOMPARE(sheet.content.questions, questions);
        QVERIFY(!sheet.titleGenerated);
        QVERIFY(sheet.changed);
        QCOMPARE(frm->caption(), QStringLiteral("小数のまとめ"));
        QCOMPARE(sheet.source.windowKey, before.source.windowKey);
        QCOMPARE(sheet.composed.boxes.count(), 2); // composed again
    }

    void headerDialogAddsUnit()
    {
        FakeHost host;
        QMdiArea area;
        TfrmPrint* frm = openWindow(host, area);
        QVERIFY(frm);
        Sheet& sheet = frm->sheet();
        const QStringList firstFigure = sheet.content.questionFigures;
        QCOMPARE(firstFigure.size(), 3);
        const qsizetype questions = sheet.content.questions.size();
        host.addChoice = UnitChoice{2, 1, 4, 0};
        QString figuresShown;
        const bool applied = editHeader(frm, [&](TfrmReadUnit* dialog) {
            field<QPushButton>(dialog, "btnAdd")->click();
            figuresShown = field<QPlainTextEdit>(dialog, "memQGraph")->toPlainText();
            field<QPushButton>(dialog, "btnOk")->click();
        });
        QVERIFY(applied);
        QCOMPARE(figuresShown,
                 (firstFigure + QStringList{QStringLiteral("ruler.bmp"), QStringLiteral("-1"),
                                            QStringLiteral("-1")})
                     .join(u'\n'));
        QCOMPARE(sheet.content.questions.size(), questions + 12);
        QCOMPARE(sheet.content.questionFigures.mid(0, 3), firstFigure);
        QCOMPARE(sheet.content.questionFigures.at(3), QStringLiteral("ruler.bmp"));
        // The redraw placed the added figure and drew its picture.
        QVERIFY(sheet.content.questionFigures.at(4).toInt() > 0);
        QVERIFY(sheet.content.questionFigures.at(5).toInt() > 0);
        QCOMPARE(sheet.questionPictures.size(), 2);
        QVERIFY(!sheet.questionPictures.at(1).isNull());
        QCOMPARE(sheet.composed.figures.size(), 2);
        // The add's title follows the reader's open of this sheet's unit.
        QVERIFY2(sheet.content.title.endsWith(QStringLiteral("//§1-1,4")),
                 qPrintable(sheet.content.title));
        QCOMPARE(frm->caption(), sheet.content.title);
    }
};

ZENDRA_WINDOW_TEST_MAIN(TestTfrmPrint)

#include "tst_TfrmPrint.moc"
