// The study window driven through its entry boxes and buttons, headless, over a stand-in
// for the main window. With ZENDRA_SCREENSHOTS naming a folder it also saves the pictures
// of the README (run under xvfb-run with QT_QPA_PLATFORM=xcb).
#include "app/AppState.h"
#include "app/TfrmMain.h"
#include "app/TfrmPrintOk.h"
#include "app/UnitChooser.h"
#include "courseware/CoursewareIndex.h"
#include "courseware/QuestionGenerator.h"
#include "courseware/RecordFile.h"
#include "courseware/UnitWriter.h"
#include "learners/TfrmKiroku.h"
#include "platform/Fonts.h"
#include "platform/Messages.h"
#include "platform/WidgetServices.h"
#include "sheet/SheetBuilder.h"
#include "sheet/SheetOutput.h"
#include "sheet/TfrmPrint.h"
#include "study/StudySession.h"
#include "study/TfrmRenshu.h"
#include "study/TfrmZenSeikai.h"
#include "study/WidgetMemoPad.h"

#include "MainWindowDriver.h"
#include "TestSupport.h"
#include "WindowTestMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace zendra;

namespace {

// The main window as the worksheet and the study window see it.
class FakeHost : public WorksheetHost, public StudyHost
{
public:
    AppState state;
    UnitReader reader;
    UnitChooser chooser{state};
    TfrmPrint* sheet = nullptr;
    bool bekkai = true;
    int prints = 0;
    QStringList viewerRows; // what the records viewer listed when it was open
    QStringList hints{QStringLiteral("一の位からじゅんに計算します。")};

    // WorksheetHost
    void runCommand(Command) override {}
    bool commandEnabled(Command) const override { return true; }
    ComposeInputs composeInputs() const override
    {
        return sheet ? composeInputs(sheet->sheet()) : ComposeInputs{};
    }
    void sheetActivated(TfrmPrint* frm) override { sheet = frm; }
    void sheetClosed(TfrmPrint*) override {}
    bool saveSheet(TfrmPrint*) override { return true; }
    void areaMarked(TfrmPrint*, bool) override {}
    void forwardKey(QKeyEvent*) override {}
    bool reducedView() const override { return false; }
    std::optional<UnitChoice> chooseUnitToAdd() override { return std::nullopt; }
    CoursewareContext courseware() const override
    {
        return {state.programFolder, state.lessonTable, state.sectionUnits};
    }
    bool keyLocked() const override { return true; }
    UnitReader& unitReader() override { return reader; }

    // StudyHost
    TfrmPrint* studiedSheet() const override { return sheet; }
    ComposeInputs composeInputs(const Sheet& s) const override
    {
        ComposeInputs inputs = InputsFromSheet(s);
        inputs.bekkai = bekkai;
        inputs.learnerName = state.learnerName;
        inputs.now = QDateTime(QDate(2024, 4, 8), QTime(9, 0));
        return inputs;
    }
    int characterSize() const override { return sheet->sheet().settings.characterSize; }
    int answerBoxHeight() const override
    {
        return sheet->sheet().kran().number(KranLine::BoxHeight);
    }
    bool altDisplay() const override { return bekkai; }
    void setAltDisplay(bool shown) override { bekkai = shown; }
    int mainPanelWidth() const override { return 150; }
    QRect geometry{0, 0, 1280, 1000};
    QRect mainGeometry() const override { return geometry; }
    LearnerPlace learnerPlace(int lesson) const override { return LearnerPlaceOf(state, lesson); }
    SectionUnits sectionUnits() const override { return state.sectionUnits; }
    void refreshChooserCounts() override { chooser.computeUnitRowPrefixes(); }
    QStringList hintLines() const override { return hints; }
    void printStudyPage(const Sheet&, const QImage&) override { ++prints; }
    void showRecordsViewer(const LearnerPlace& place) override
    {
        TfrmKiroku viewer;
        viewer.setPlace(place);
        QTimer::singleShot(0, &viewer, [this, &viewer] {
            viewerRows = viewer.recordList().texts();
            viewer.accept();
        });
        viewer.exec();
    }
};

int pixelsOf(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                ++count;
    return count;
}

int nonWhite(const QImage& image)
{
    return image.width() * image.height() - pixelsOf(image, qRgb(255, 255, 255));
}

// Ink in the last columns or rows of an image: a text cut at its edge.
bool inkAtEdge(const QImage& image)
{
    constexpr int kEdge = 4;
    return nonWhite(image.copy(image.width() - kEdge, 0, kEdge, image.height())) > 0 ||
           nonWhite(image.copy(0, image.height() - kEdge, image.width(), kEdge)) > 0;
}

using Op = RecordingSurface::Op;

// What was drawn on the study page from call `from` on, of one kind and pen or font colour.
QList<Op> drawnSince(const TfrmRenshu& w, qsizetype from, Op::Kind kind, QRgb colour)
{
    QList<Op> ops;
    for (const Op& op : w.pageDrawing().mid(from))
        if (op.kind == kind && op.colour == colour)
            ops.append(op);
    return ops;
}

// The score as drawn on the study page from call `from` on: the red number and "点".
QString scoreDrawnSince(const TfrmRenshu& w, qsizetype from)
{
    QString score;
    for (const Op& op : drawnSince(w, from, Op::Text, kMarkRed))
        score += op.text;
    return score;
}

// The frame of answer box i on the study page, as the composer draws it.
QRect frameOf(const TfrmRenshu& w, const Sheet& sheet, int i)
{
    const int c = sheet.settings.characterSize;
    return AnswerBoxGeometry(w.session().boxes()[i], 1.0, 1.0, AnswerFieldHeight(c),
                             sheet.kran().number(KranLine::BoxWidth),
                             sheet.kran().number(KranLine::BoxHeight))
        .box;
}

// Pixels of `page` in `r` that are not white, outside `own`.
int inkIn(const QImage& page, const QRect& r, const QRect& own = {})
{
    int ink = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ink += !own.contains(x, y) && page.pixel(x, y) != qRgb(255, 255, 255);
    return ink;
}

// Pixels of `page` in `r` that are blue, or nearly so where a digit's edge is smoothed.
int blueInk(const QImage& page, const QRect& r)
{
    int blue = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = page.pixelColor(x, y);
            blue += c.blue() > 200 && c.red() < 150 && c.green() < 150;
        }
    return blue;
}

// The rectangle of a column box's cells.
QRect cellsOf(const AnswerBox& box)
{
    QRect r;
    for (const QRect& c : box.cells)
        r |= c;
    return r;
}

// What the red marks among `ops` do to a column answer with judged cells `cells`: a slash
// reaching past two opposite corners, a circle holding all four; `clear` while such marks
// reach the middle of no scratch cell in a row above or below the cells (the carries).
struct ColumnMarkSeen
{
    bool slash = false;
    bool circle = false;
    bool clear = true;
};
ColumnMarkSeen columnMarkIn(const QList<Op>& ops, const QRect& cells, const QList<QRect>& scratch)
{
    const QRectF c(cells);
    const QPointF corners[] = {c.topLeft(), c.topRight(), c.bottomLeft(), c.bottomRight()};
    ColumnMarkSeen seen;
    for (const Op& op : ops) {
        const QRectF m(op.rect.normalized().topLeft(), op.rect.normalized().bottomRight());
        const auto holds = [&](const QPointF& p) {
            const QPointF d = (p - m.center()) * 2;
            return std::pow(d.x() / m.width(), 2) + std::pow(d.y() / m.height(), 2) <= 1.0;
        };
        const bool slash = op.kind == Op::Line && m.contains(c);
        const bool circle = op.kind == Op::Ellipse && std::all_of(corners, corners + 4, holds);
        if (op.colour != kMarkRed || !(slash || circle))
            continue;
        seen.slash |= slash;
        seen.circle |= circle;
        for (const QRect& r : scratch)
            if (r.bottom() < cells.top() || r.top() > cells.bottom())
                seen.clear &= !(slash ? m.contains(QRectF(r).center()) : holds(QRectF(r).center()));
    }
    return seen;
}

// The scratch cells (carries, unanswered steps and partial products) of a column entry.
QList<QRect> scratchOf(const ColumnEntry& entry)
{
    QList<QRect> cells;
    for (const ColumnEntryCell& c : entry.cells())
        if (c.scratch)
            cells.append(c.rect);
    return cells;
}

// Types text with one key event per character, as a kana keyboard sends full-width ones.
void typeKeys(QWidget* box, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

class TestTfrmRenshu : public QObject
{
    Q_OBJECT

private:
    test::CoursewareCopy courseware_;
    ScriptedMessages messages_;
    std::unique_ptr<ScopedMessages> scope_;
    std::unique_ptr<FakeHost> host_;
    std::unique_ptr<QMdiArea> area_;

    // Opens unit (lesson, section, unit) as the worksheet being studied.
    TfrmPrint* openSheet(int lesson, int section, int unit)
    {
        host_ = std::make_unique<FakeHost>();
        AppState& state = host_->state;
        state.programFolder = courseware_.folder();
        state.learnerName = QStringLiteral("太郎");
        if (!LoadMainIndex(state.programFolder, state.lessonTable) ||
            !LoadLessonIndex(state.programFolder, state.lessonTable, lesson, state.sectionUnits))
            return nullptr;
        state.currentUnit = UnitChoice{lesson, section, unit, 0};
        // 太郎 gave the lesson's password at his log-on: his counts are shown.
        state.recordGate->open(LearnerPlaceOf(state, lesson).recordPath());
        host_->chooser.show();
        const CoursewareContext context{state.programFolder, state.lessonTable, state.sectionUnits};
        std::optional<Sheet> sheet =
            OpenMasterSheet(context, UnitChoice{lesson, section, unit, 0}, host_->reader, false);
        if (!sheet)
            return nullptr;
        area_ = std::make_unique<QMdiArea>();
        auto* frm = new TfrmPrint(std::move(*sheet), *host_);
        area_->addSubWindow(frm)->show();
        frm->FormActivate();
        return frm;
    }

    // Types into the window's current box and presses Enter.
    static void answer(TfrmRenshu& w, const QString& text)
    {
        QLineEdit* box = w.entryBox(w.currentBox());
        QVERIFY(box && box->isVisible() && !box->isReadOnly());
        box->setFocus();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    static QPushButton* button(QWidget& w, const char* name)
    {
        return w.findChild<QPushButton*>(QLatin1StringView(name));
    }

    // Strokes a column sum "245 + 132" onto the pad with the left button.
    static void drawSum(QWidget* pad)
    {
        // Each digit as strokes in a 10 x 16 cell.
        const QHash<QChar, QList<QList<QPoint>>> glyphs = {
            {u'1', {{{5, 0}, {5, 16}}}},
            {u'2', {{{0, 0}, {10, 0}, {10, 8}, {0, 8}, {0, 16}, {10, 16}}}},
            {u'3', {{{0, 0}, {10, 0}, {10, 16}, {0, 16}}, {{2, 8}, {10, 8}}}},
            {u'4', {{{0, 0}, {0, 8}, {10, 8}}, {{8, 0}, {8, 16}}}},
            {u'5', {{{10, 0}, {0, 0}, {0, 8}, {10, 8}, {10, 16}, {0, 16}}}},
            {u'7', {{{0, 0}, {10, 0}, {4, 16}}}},
            {u'+', {{{0, 8}, {10, 8}}, {{5, 3}, {5, 13}}}},
            {u'-', {{{0, 8}, {10, 8}}}},
        };
        const QStringList rows = {QStringLiteral(" 245"), QStringLiteral("+132"),
                                  QStringLiteral("----"), QStringLiteral(" 377")};
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows.at(r).size(); ++c)
                for (const QList<QPoint>& stroke : glyphs.value(rows.at(r).at(c))) {
                    const QPoint at(40 + 28 * c, 110 + 36 * r);
                    auto place = [&](QPoint p) { return at + QPoint(p.x() * 2, p.y() * 3 / 2); };
                    QTest::mousePress(pad, Qt::LeftButton, {}, place(stroke.first()));
                    for (const QPoint& p : stroke.mid(1))
                        QTest::mouseMove(pad, place(p));
                    QTest::mouseRelease(pad, Qt::LeftButton, {}, place(stroke.last()));
                }
    }

    // The model answers of the sheet's boxes.
    static QStringList models(const TfrmRenshu& w)
    {
        QStringList list;
        for (int i = 1; i <= w.session().boxCount(); ++i)
            list.append(w.session().boxes()[i].answer);
        return list;
    }

private slots:
    void initTestCase()
    {
        InstallFontSubstitutions();
        scope_ = std::make_unique<ScopedMessages>(messages_);
    }
    void cleanup()
    {
        area_.reset();
        host_.reset();
        messages_.clear();
    }

    // Practice with one wrong answer first, a test with one wrong box, its review: two
    // record lines, and the chooser and the records viewer count them.
    void practiceTestAndReview()
    {
        TfrmPrint* frm = openSheet(1, 1, 1);
        QVERIFY(frm);
        TfrmRenshu w(*host_);
        w.FormShow();
        w.show();
        const QStringList answers = models(w);
        QCOMPARE(answers.size(), 12);
        QVERIFY(!host_->bekkai); // alternatives are off the study page
        QVERIFY(!w.entryBox(1)->isVisible());
        QVERIFY(button(w, "btnAnki")->isVisible());
        QVERIFY(!button(w, "btnFukushu")->isEnabled());
        QCOMPARE(w.findChild<QPlainTextEdit*>("memKiroku")->toPlainText(),
                 QStringLiteral("練習の記録はありません"));
        QVERIFY(w.findChild<QLabel*>("lblKiroku")->text().endsWith(QStringLiteral("氏名：太郎")));
        // The page carries no answer: practice starts on a sheet without them.
        QCOMPARE(pixelsOf(w.studyPage(), qRgb(0, 0, 255)), 0);

        // Practice: the number keypad shows (the unit has no choice list) with the two
        // keyboard lines.
        button(w, "btnRenshu")->click();
        QVERIFY(w.findChild<QWidget*>("pnlBunsu")->isVisible());
        QVERIFY(!w.findChild<QWidget*>("grbSelect")->isVisible());
        const QImage instructions = w.answerArea();
        QVERIFY(nonWhite(instructions) > 0);
        QVERIFY(button(w, "btnHint")->isEnabled());
        button(w, "btnHint")->click(); // "学習のポイント" and the unit's hint
        QVERIFY(w.answerArea() != instructions);
        for (int i = 1; i <= 12; ++i)
            QVERIFY(w.entryBox(i)->isVisible());
        QCOMPARE(w.currentBox(), 1);
        const int boxLeft = w.entryBox(1)->x();
        answer(w, QStringLiteral("100"));
        // Wrong: the box moves on past its wrong answer, a red slash is drawn across it.
        QCOMPARE(w.entryBox(1)->x(), boxLeft + w.entryBox(1)->width());
        const QList<Op> slash = drawnSince(w, 0, Op::Line, kMarkRed);
        QCOMPARE(slash.size(), 1);
        QCOMPARE(slash.first().penWidth, 2);
        // Across the wrong answer, over the box's frame.
        const QRect across = slash.first().rect.normalized();
        QVERIFY(across.intersects(frameOf(w, frm->sheet(), 1)));
        const QList<Op> typed = drawnSince(w, 0, Op::Text, kTypedBlue);
        QCOMPARE(typed.size(), 1);
        QCOMPARE(typed.first().text, QStringLiteral("100"));
        QVERIFY(across.contains(typed.first().rect.topLeft()));
        QCOMPARE(w.entryBox(1)->selectedText(), QStringLiteral("100"));
        QVERIFY(w.entryBox(1)->isVisible());
        QCOMPARE(w.currentBox(), 1);
        w.entryBox(1)->clear();
        answer(w, answers.at(0));
        QVERIFY(!w.entryBox(1)->isVisible());
        QCOMPARE(w.currentBox(), 2);
        QVERIFY(pixelsOf(w.answerArea(), qRgb(255, 0, 0)) > 0); // the praise, red
        test::saveShot(w, "study-practice.png");
        for (int i = 2; i <= 12; ++i)
            answer(w, answers.at(i - 1));
        // The last right box scored the practice: only the first answer of box 1 counted.
        QCOMPARE(messages_.texts(), QStringList{QStringLiteral("練習を終わりました")});
        QCOMPARE(w.session().state().triesText, QStringLiteral("100000000000"));
        QVERIFY(button(w, "btnFukushu")->isEnabled());
        QVERIFY(w.findChild<QWidget*>("pnlRenshu")->isVisible());
        QVERIFY(!w.findChild<QWidget*>("pnlSS")->isVisible());

        // A test with box 3 wrong.
        messages_.clear();
        w.session().random().fixSeed(1); // the same face every run
        button(w, "btnTest")->click();
        QVERIFY(!button(w, "btnAnswer")->isVisible());
        QVERIFY(button(w, "btnSaiten")->isVisible());
        for (int i = 1; i <= 12; ++i) {
            QCOMPARE(w.currentBox(), i);
            answer(w, i == 3 ? QStringLiteral("999") : answers.at(i - 1));
        }
        QCOMPARE(w.focusWidget(), button(w, "btnSaiten"));
        const qsizetype beforeScoring = w.pageDrawing().size();
        button(w, "btnSaiten")->click();
        QCOMPARE(messages_.texts(), QStringList{QStringLiteral("テストを終わりました")});
        QVERIFY(w.findChild<QLabel*>("imgMess")->isVisible()); // the face
        // Eleven circles, box 3 slashed, and the score.
        QCOMPARE(drawnSince(w, beforeScoring, Op::Ellipse, kMarkRed).size(), 11);
        const QList<Op> testSlash = drawnSince(w, beforeScoring, Op::Line, kMarkRed);
        QCOMPARE(testSlash.size(), 1);
        QVERIFY(testSlash.first().rect.normalized().intersects(frameOf(w, frm->sheet(), 3)));
        QCOMPARE(scoreDrawnSince(w, beforeScoring), QStringLiteral("92点"));
        QVERIFY(button(w, "btnFukushu")->isEnabled());
        QVERIFY(button(w, "btnTouan")->isEnabled());
        test::saveShot(w, "study-test-scored.png");

        // The review takes box 3 alone and records nothing.
        messages_.clear();
        button(w, "btnFukushu")->click();
        for (int i = 1; i <= 12; ++i)
            QCOMPARE(w.entryBox(i)->isVisible(), i == 3);
        QCOMPARE(w.currentBox(), 3);
        const qsizetype beforeReview = w.pageDrawing().size();
        answer(w, answers.at(2));
        // The box goes back to the clean page, then its answer and a green double circle.
        const QList<Op> whitened = drawnSince(w, beforeReview, Op::Image, 0xff000000);
        QCOMPARE(whitened.size(), 1);
        QVERIFY(whitened.first().rect.contains(frameOf(w, frm->sheet(), 3)));
        QCOMPARE(drawnSince(w, beforeReview, Op::Ellipse, kMarkGreen).size(), 2);
        QCOMPARE(messages_.texts(), QStringList{QStringLiteral("復習を終わりました")});

        const QString path = host_->learnerPlace(1).recordPath();
        const QStringList records = ReadRecords(path, QStringLiteral("S11３けたのたし算"));
        QCOMPARE(records.size(), 2);
        QVERIFY2(
            QRegularExpression(
                QStringLiteral(
                    R"(^\d{4}年\d\d月\d\d日 \d\d:\d\d \[100000000000\] 11/12  92点 \d\d:\d\d$)"))
                .match(records.at(0))
                .hasMatch(),
            qPrintable(records.at(0)));
        QVERIFY2(QRegularExpression(QStringLiteral(R"( \[\] 11/12  92点 )"))
                     .match(records.at(1))
                     .hasMatch(),
                 qPrintable(records.at(1)));
        QCOMPARE(w.findChild<QPlainTextEdit*>("memKiroku")->toPlainText(), records.join(u'\n'));
        QCOMPARE(host_->chooser.unitRowPrefix(1, 1).mid(1), QStringLiteral("[2]"));

        button(w, "btnShowRecord")->click();
        QVERIFY(host_->viewerRows.contains(QStringLiteral("02回S11３けたのたし算")));

        // The learner's answer sheet: the learner's answers in blue, the marks in red.
        button(w, "btnTouan")->click();
        QVERIFY(pixelsOf(w.studyPage(), qRgb(0, 0, 255)) > 0);

        button(w, "btnStartPrint")->click();
        QCOMPARE(host_->prints, 1);

        button(w, "btnEnd")->click();
        QVERIFY(!w.isVisible());
        QVERIFY(host_->bekkai); // given back
        QVERIFY(!frm->sheet().printsLearnerName);
    }

    void newQuestions_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("unit");
        QTest::addColumn<bool>("offered");
        QTest::newRow("３けたのたし算") << 1 << 1 << true;
        QTest::newRow("何算かな") << 4 << 5 << false;
    }

    // 新しい問題 is offered where every answer can be computed. The page is laid again with
    // the generated numbers, judged by their answers, and the test's record line is marked
    // with the seed; the worksheet keeps its own numbers.
    void newQuestions()
    {
        QFETCH(int, section);
        QFETCH(int, unit);
        QFETCH(bool, offered);
        TfrmPrint* frm = openSheet(1, section, unit);
        QVERIFY(frm);
        const QStringList own = frm->sheet().content.questions;
        TfrmRenshu w(*host_);
        w.FormShow();
        w.show();
        QCOMPARE(button(w, "btnShinMondai")->isVisible(), offered);
        if (!offered)
            return;
        const QStringList before = models(w);
        const QImage ownPage = w.studyPage();
        button(w, "btnShinMondai")->click();
        const QRegularExpressionMatch seed =
            QRegularExpression(QStringLiteral("［新しい問題 (\\d+)］$")).match(w.windowTitle());
        QVERIFY2(seed.hasMatch(), qPrintable(w.windowTitle()));
        const QStringList fresh = models(w);
        QCOMPARE(fresh.size(), before.size());
        QVERIFY(fresh != before);
        QVERIFY(w.studyPage() != ownPage);
        QCOMPARE(pixelsOf(w.studyPage(), qRgb(0, 0, 255)), 0); // no answer on the page
        const GeneratedSet set = QuestionGenerator(own).generate(seed.captured(1).toULongLong());
        QCOMPARE(fresh, AnswersOfLines(set.questions));

        // A test: the old answer of a box whose number changed is wrong, the new ones right.
        int oldAnswered = 0;
        button(w, "btnTest")->click();
        for (int i = 1; i <= fresh.size(); ++i) {
            const bool old = oldAnswered == 0 && before.at(i - 1) != fresh.at(i - 1);
            oldAnswered += old ? i : 0;
            answer(w, old ? before.at(i - 1) : fresh.at(i - 1));
        }
        QVERIFY(oldAnswered > 0);
        const QString path = host_->learnerPlace(1).recordPath();
        const QString key =
            MakeRecordKey(UnitChoice{1, section, unit, 0}, host_->state.sectionUnits);
        const qsizetype recorded = ReadRecords(path, key).size(); // other tests' sessions
        button(w, "btnSaiten")->click();
        QCOMPARE(w.session().boxes()[oldAnswered].judgement, 0); // wrong at scoring
        const QStringList records = ReadRecords(path, key);
        QCOMPARE(records.size(), recorded + 1);
        const QString mark = QStringLiteral("新") + seed.captured(1) + u')';
        QVERIFY2(records.last().startsWith(mark), qPrintable(records.last()));
        QVERIFY2(records.last().contains(
                     QStringLiteral("[] %1/%2 ").arg(fresh.size() - 1, 2).arg(fresh.size(), 2)),
                 qPrintable(records.last()));

        button(w, "btnEnd")->click();
        QCOMPARE(frm->sheet().content.questions, own);
        w.FormShow();
        QCOMPARE(models(w), before);
        QCOMPARE(w.windowTitle(), frm->caption());
        button(w, "btnEnd")->click();
    }

    // 学習 on the main window opens a unit and studies it in the window the start sequence
    // made, over the main window's own controls.
    void studyFromTheMainWindow()
    {
        test::MainWindowSandbox sandbox;
        TfrmMain main;
        QVERIFY(test::start(main));
        auto* study = main.findChild<QPushButton*>("btnTest");
        QVERIFY(study->isEnabled());
        test::whenChooserShows(main, 0, 0, 0);
        bool studied = false;
        std::function<void(int)> whenStudying = [&](int tries) {
            auto* w = main.findChild<TfrmRenshu*>();
            if (!w || !w->isVisible()) {
                if (tries > 0)
                    QTimer::singleShot(20, &main, [&, tries] { whenStudying(tries - 1); });
                return;
            }
            studied = true;
            QCOMPARE(w->session().boxCount(), 12);
            QVERIFY(!main.findChild<QCheckBox*>("chkBekkai")->isChecked());
            button(*w, "btnRenshu")->click();
            QVERIFY(button(*w, "btnHint")->isEnabled()); // the unit's hint, from its file
            answer(*w, w->session().boxes()[1].answer);
            QCOMPARE(w->currentBox(), 2);
            button(*w, "btnAbort")->click();
            button(*w, "btnEnd")->click();
        };
        QTimer::singleShot(0, &main, [&] { whenStudying(200); });
        study->click();
        QVERIFY(studied);
        QVERIFY(main.findChild<QCheckBox*>("chkBekkai")->isChecked());
        QVERIFY(main.openSheetList().isEmpty()); // the sheet opened for the study is closed
    }

    // A test answered wholly right brings up the all-correct window; a record file that
    // cannot be written is reported, and the score stays on the page.
    void allCorrectWithUnwritableRecord()
    {
        TfrmPrint* frm = openSheet(1, 1, 1);
        QVERIFY(frm);
        host_->state.learnerName = QStringLiteral("次郎");
        QVERIFY(QDir().mkpath(host_->learnerPlace(1).recordPath())); // a folder in its place
        TfrmRenshu w(*host_);
        w.FormShow();
        w.show();
        const QStringList answers = models(w);
        button(w, "btnTest")->click();
        for (const QString& text : answers)
            answer(w, text);
        bool allCorrectShown = false;
        QTimer::singleShot(0, &w, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            allCorrectShown = modal && modal->objectName() == QStringLiteral("frmZenSeikai");
            if (auto* ok = modal ? modal->findChild<QPushButton*>("btnOk") : nullptr)
                ok->click();
        });
        const qsizetype beforeScoring = w.pageDrawing().size();
        messages_.clear(); // the unreadable file was reported when the window opened
        button(w, "btnSaiten")->click();
        QVERIFY(allCorrectShown);
        QVERIFY2(messages_.texts().size() == 1, qPrintable(messages_.texts().join(u"|")));
        QVERIFY2(messages_.texts().first().contains(QStringLiteral("次郎.ini")),
                 qPrintable(messages_.texts().first()));
        QCOMPARE(drawnSince(w, beforeScoring, Op::Ellipse, kMarkRed).size(), answers.size());
        QCOMPARE(scoreDrawnSince(w, beforeScoring), QStringLiteral("100点"));
        QVERIFY(!button(w, "btnFukushu")->isEnabled());
        QCOMPARE(w.focusWidget(), button(w, "btnEnd"));
        QCOMPARE(w.findChild<QPlainTextEdit*>("memKiroku")->toPlainText(),
                 QStringLiteral("練習の記録はありません"));
    }

    // The keypads write what an answer in the master file uses; the memo pad draws and
    // erases; a swatch colours the boxes over the page.
    void inputAidsAndMemoPad()
    {
        TfrmPrint* frm = openSheet(3, 1, 1); // fractions: box 1 is 2/7+3/7 = 5/7
        QVERIFY(frm);
        TfrmRenshu w(*host_);
        w.FormShow();
        w.show();
        button(w, "btnRenshu")->click();
        QLineEdit* box = w.entryBox(1);
        auto press = [&](std::initializer_list<const char*> names) {
            for (const char* name : names) {
                QPushButton* key = w.findChild<QPushButton*>(QLatin1StringView(name));
                QVERIFY2(key, name);
                key->click();
            }
        };
        auto bar = [&] {
            return w.findChild<QFrame*>("shpBunno")->palette().color(QPalette::Window);
        };

        // Denominator first: the bar under it is red until "<==" writes the fraction.
        press({"btnBun4", "btnBunno"});
        QCOMPARE(bar(), QColor(255, 0, 0));
        press({"btnBun3", "btnInsert"});
        QCOMPARE(box->text(), QStringLiteral("3/4"));
        QCOMPARE(bar(), QColor(255, 255, 255));

        // 消去, then 7 分の 5 次へ: the fraction is judged right and box 2 is next.
        press({"btnClear"});
        QCOMPARE(box->text(), QString());
        press({"btnBun7", "btnBunno", "btnBun5", "btnInputBun"});
        QVERIFY(!box->isVisible());
        QCOMPARE(w.currentBox(), 2);
        press({"btnBun5", "btnBunno", "btnBun4"});
        test::saveShot(w, "study-fraction.png");
        press({"btnClear"});

        // A types the remainder sign after 7; the keypad appends.
        box = w.entryBox(2);
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("7a"));
        QCOMPARE(box->text(), QStringLiteral("7…"));
        press({"btnNum10", "btnJi"}); // "0", "時"
        QCOMPARE(box->text(), QStringLiteral("7…0時"));
        // Ctrl+A selects all as anywhere else; a read-only box takes no sign.
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("7…0時"));
        QCOMPARE(box->selectedText(), QStringLiteral("7…0時"));
        box->setReadOnly(true);
        QTest::keyClick(box, Qt::Key_A);
        QCOMPARE(box->text(), QStringLiteral("7…0時"));
        box->setReadOnly(false);

        box->clear();

        // The memo pad: a sum worked with the left button.
        WidgetMemoPad* memo = w.memoPad();
        QVERIFY(memo->isVisible());
        drawSum(memo);
        QVERIFY(pixelsOf(memo->picture(), qRgb(255, 0, 0)) > 200);
        test::saveShot(w, "study-memo.png");
        memo->prepare();

        // A right-button drag erases to white what the left button drew in red.
        const QPoint a(30, 120), b(150, 160);
        QTest::mousePress(memo, Qt::LeftButton, {}, a);
        QTest::mouseMove(memo, b);
        QTest::mouseRelease(memo, Qt::LeftButton, {}, b);
        const int red = pixelsOf(memo->picture(), qRgb(255, 0, 0));
        QVERIFY(red > 50);
        QTest::mousePress(memo, Qt::RightButton, {}, a);
        QTest::mouseMove(memo, b);
        QTest::mouseRelease(memo, Qt::RightButton, {}, b);
        QVERIFY(pixelsOf(memo->picture(), qRgb(255, 0, 0)) < red / 4);
        QTest::mouseDClick(memo, Qt::LeftButton, {}, a);
        QCOMPARE(nonWhite(memo->picture().copy(0, 30, memo->width(), memo->height() - 30)), 0);

        // Memorise: box 1 shows its first answer, 消さずに次へ gives the next box its whole
        // answer text; box 6 has an alternative, listed as 別解.
        button(w, "btnAbort")->click();
        button(w, "btnAnki")->click();
        QVERIFY(w.findChild<QWidget*>("grbCMoji")->isVisible());
        QCOMPARE(w.entryBox(1)->text(), QStringLiteral("5/7"));
        QVERIFY(w.entryBox(1)->isReadOnly());
        for (int i = 2; i <= 6; ++i)
            button(w, "btnNextB")->click();
        QCOMPARE(w.currentBox(), 6);
        QCOMPARE(w.entryBox(6)->text(), QStringLiteral("4/3;1&1/3"));
        button(w, "btnClose")->click();
        QVERIFY(w.findChild<QWidget*>("pnlRenshu")->isVisible());

        // Out of the exercise a swatch shows every box in its colour, read-only.
        w.findChild<QRadioButton*>("rad3")->click();
        for (int i = 1; i <= w.session().boxCount(); ++i) {
            QVERIFY(w.entryBox(i)->isVisible());
            QVERIFY(w.entryBox(i)->isReadOnly());
            QCOMPARE(w.entryBox(i)->palette().color(QPalette::Base), QColor(255, 255, 192));
        }
    }

    // The fraction keypad: denominator first, a whole number before と; "<==" puts the
    // fraction in place of what the box holds, and without a numerator leaves the box.
    void fractionKeypadWritesTheBox_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("after");
        QTest::newRow("1 と 4 分の 3")
            << QStringLiteral("3/4") << QStringLiteral("1 To 4 Bunno 3 Insert")
            << QStringLiteral("1&3/4");
        QTest::newRow("no numerator")
            << QStringLiteral("1&3/4") << QStringLiteral("5 Insert") << QStringLiteral("1&3/4");
    }
    void fractionKeypadWritesTheBox()
    {
        QFETCH(QString, before);
        QFETCH(QString, keys);
        QFETCH(QString, after);
        QVERIFY(openSheet(3, 1, 1)); // fractions
        TfrmRenshu w(*host_);
        w.FormShow();
        w.show();
        button(w, "btnRenshu")->click();
        QLineEdit* box = w.entryBox(1);
        box->setText(before);
        for (const QString& key : keys.split(u' ')) {
            const QString name =
                (key.front().isDigit() ? QStringLiteral("btnBun") : QStringLiteral("btn")) + key;
            auto* pressed = w.findChild<QPushButton*>(name);
            QVERIFY2(pressed, qPrintable(name));
            pressed->click();
        }
        QCOMPARE(box->text(), after);
        QCOMPARE(w.findChild<QLineEdit*>("edtBunshi")->text(), QString());
        button(w, "btnAbort")->click();
    }

    // A kana keyboard's full-width digits are judged as the ASCII answer they spell, and
    // the learner's own characters are what is kept.
    void fullWidthAnswersAreJudgedAsAscii()
    {
        QVERIFY(openSheet(1, 1, 1));
        TfrmRenshu w(*host_);
        w.FormShow();
        w.show();
        button(w, "btnRenshu")->click();
        QLineEdit* box = w.entryBox(1); // 377
        box->setFocus();
        typeKeys(box, QStringLiteral("３７７"));
        QCOMPARE(box->text(), QStringLiteral("３７７"));
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(!box->isVisible()); // right at the first try
        QCOMPARE(w.currentBox(), 2);
        QCOMPARE(w.session().data().learnerAnswers[1], QStringLiteral("３７７"));
        box = w.entryBox(2); // 795
        typeKeys(box, QStringLiteral("７９４"));
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(box->isVisible()); // wrong stays wrong
        QCOMPARE(w.session().state().triesText, QStringLiteral("0"));
        button(w, "btnAbort")->click();
    }

    // Units of ASCII answers ask the input method for Latin input, units with Japanese
    // answers do not.
    void latinInputForAsciiAnswers_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("unit");
        QTest::addColumn<bool>("latin");
        QTest::newRow("digits") << 1 << 1 << true;
        QTest::newRow("words") << 4 << 5 << false; // かけ算, わり算, ...
    }
    void latinInputForAsciiAnswers()
    {
        QFETCH(int, section);
        QFETCH(int, unit);
        QFETCH(bool, latin);
        QVERIFY(openSheet(1, section, unit));
        TfrmRenshu w(*host_);
        w.FormShow();
        const Qt::InputMethodHints hints = Qt::ImhPreferLatin | Qt::ImhNoPredictiveText;
        QCOMPARE(w.entryBox(1)->inputMethodHints() & hints, latin ? hints : Qt::InputMethodHints());
    }

    // While an exercise runs Escape does nothing; the title bar's close button asks first,
    // Enter answers いいえ and the exercise goes on; はい ends it unrecorded.
    void escapeAndCloseDuringAnExercise()
    {
        WidgetMessages boxes;
        ScopedMessages scope(boxes);
        QVERIFY(openSheet(1, 1, 1));
        TfrmRenshu w(*host_);
        w.FormShow();
        w.show();
        const QStringList answers = models(w);
        const QString records = host_->learnerPlace(1).recordPath();
        const qsizetype recorded = ReadRecords(records, QStringLiteral("S11３けたのたし算")).size();
        button(w, "btnTest")->click();
        answer(w, answers.at(0));
        QCOMPARE(w.currentBox(), 2);
        QTest::keyClick(w.entryBox(2), Qt::Key_Escape);
        QVERIFY(w.isVisible());
        QVERIFY(w.entryBox(2)->isVisible());

        QString asked;
        const auto answerWith = [&](bool yes) {
            QTimer::singleShot(0, &w, [&asked, yes] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                asked = box->text();
                if (yes)
                    box->button(QMessageBox::Yes)->click();
                else
                    QTest::keyClick(box, Qt::Key_Return); // the default button
            });
        };
        answerWith(false);
        QVERIFY(!w.close());
        QCOMPARE(asked, QStringLiteral("学習を中止しますか？"));
        QVERIFY(w.isVisible());
        QVERIFY(w.session().state().exerciseRunning);
        answer(w, answers.at(1));
        QCOMPARE(w.currentBox(), 3);

        asked.clear();
        answerWith(true);
        QVERIFY(w.close());
        QVERIFY(!asked.isEmpty());
        QVERIFY(!w.isVisible());
        QVERIFY(!w.session().state().exerciseRunning);
        QCOMPARE(ReadRecords(records, QStringLiteral("S11３けたのたし算")).size(), recorded);
    }

    // The window lies over the main window at its size; it cannot be shrunk, moved away
    // or minimised to show the sheet behind it.
    void coversTheMainWindow()
    {
        QVERIFY(openSheet(1, 1, 1));
        TfrmRenshu w(*host_);
        host_->geometry = QRect(40, 30, 1100, 900); // the main window moved after start-up
        w.FormShow();
        w.show();
        QCOMPARE(w.geometry(), host_->geometry);
        QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));
        w.resize(400, 300);
        QCOMPARE(w.size(), host_->geometry.size());
        w.move(700, 600);
        QTRY_COMPARE(w.geometry(), host_->geometry);
        w.showMinimized();
        QTRY_VERIFY(!w.isMinimized());
    }

    // Answers of blanks past the 80 entry boxes were never asked: no study page shows them.
    void unaskedBlanksStayEmpty()
    {
        TfrmPrint* frm = openSheet(1, 1, 1);
        QVERIFY(frm);
        QStringList lines;
        for (int n = 1; n <= 17; ++n) // five blanks a line: blanks 81..85 on the last line
            lines.append(QStringLiteral("#%1# #%1# #%1# #%1# #%1#").arg(n));
        frm->sheet().content.questions = lines;
        frm->Redraw();
        QCOMPARE(frm->sheet().composed.boxes.count(), 80);
        TfrmRenshu w(*host_);
        w.FormShow();
        w.show();
        const QPoint last = frm->sheet().composed.lineStarts.at(17);
        const auto blueInLastLine = [&] {
            return pixelsOf(w.studyPage().copy(0, last.y(), w.studyPage().width(), 20),
                            qRgb(0, 0, 255));
        };
        button(w, "btnSeikai")->click();
        QVERIFY(pixelsOf(w.studyPage(), qRgb(0, 0, 255)) > 0);
        QCOMPARE(blueInLastLine(), 0);
        w.btnTouanClick();
        QCOMPARE(blueInLastLine(), 0);
    }

    // Wrong tries move the box on beside them while it stays on the page and off the
    // text and frames around it.
    void retryBoxesStayOnThePage()
    {
        TfrmPrint* frm = openSheet(1, 1, 1);
        QVERIFY(frm);
        TfrmRenshu w(*host_);
        w.FormShow();
        w.show();
        button(w, "btnRenshu")->click();
        const QImage clean = w.studyPage();
        const int p = w.findChild<QWidget*>("pnlRenshu")->width();
        for (int i : {1, 2}) { // the left and the right column
            const QRect frame = frameOf(w, frm->sheet(), i).adjusted(-1, -1, 1, 1);
            QLineEdit* box = w.entryBox(i);
            QCOMPARE(w.currentBox(), i);
            for (int tries = 1; tries <= 4; ++tries) {
                answer(w, QStringLiteral("1"));
                const QRect onPage(box->x() - p, box->y(), box->width(), box->height());
                QVERIFY(clean.rect().contains(onPage));
                QCOMPARE(inkIn(clean, onPage, frame), 0);
            }
            box->clear();
            answer(w, models(w).at(i - 1));
        }
    }

    // 答えを見る on a box of four answers: all of them fit the answer area.
    void manyAnswersFitTheAnswerArea()
    {
        QVERIFY(openSheet(1, 1, 5)); // box 1 has four answers
        TfrmRenshu w(*host_);
        w.FormShow();
        w.show();
        button(w, "btnRenshu")->click();
        button(w, "btnAnswer")->click();
        QCOMPARE(w.answerAreaLines().size(), 6); // 正解は, a blank line, the answers
        QVERIFY(!inkAtEdge(w.answerArea()));
        button(w, "btnAbort")->click();
    }

    // Every message fits its image; a review shows no test instruction; the all-correct
    // window has a caption of words.
    void messagesFitTheirImages()
    {
        QVERIFY(openSheet(1, 1, 1));
        TfrmRenshu w(*host_);
        w.FormShow();
        w.show();
        const QStringList answers = models(w);
        quint32 seed = 0; // the first praise drawn is the longest, よくできました
        for (;; ++seed) {
            StudyRandom r;
            r.fixSeed(seed);
            if (r.below(6) == 1)
                break;
        }
        w.session().random().fixSeed(seed);
        button(w, "btnRenshu")->click();
        button(w, "btnHint")->click();
        QCOMPARE(w.answerAreaLines(), QStringList{QStringLiteral("学習のポイント")} + host_->hints);
        QVERIFY(!inkAtEdge(w.answerArea()));
        answer(w, answers.at(0));
        QCOMPARE(w.answerAreaLines(), QStringList{QStringLiteral("★★よくできました★★")});
        QVERIFY(!inkAtEdge(w.answerArea()));
        button(w, "btnAbort")->click();

        button(w, "btnTest")->click();
        QVERIFY(w.answerAreaLines().join(u' ').contains(QStringLiteral("［採点］")));
        QVERIFY(!inkAtEdge(w.answerArea()));
        for (int i = 1; i <= answers.size(); ++i)
            answer(w, i == 2 ? QStringLiteral("1") : answers.at(i - 1));
        button(w, "btnSaiten")->click();
        button(w, "btnFukushu")->click();
        QVERIFY(w.answerAreaLines().isEmpty());
        QCOMPARE(nonWhite(w.answerArea()), 0);

        QCOMPARE(w.findChild<TfrmZenSeikai*>()->windowTitle(), QStringLiteral("全問正解"));
    }

    // Boxes taken into a review keep their frames, and the test's marks on them go whole.
    void reviewKeepsTheFrameAndClearsTheMark()
    {
        TfrmPrint* frm = openSheet(1, 1, 3); // rounded frames
        QVERIFY(frm);
        TfrmRenshu w(*host_);
        w.FormShow();
        w.show();
        const QStringList answers = models(w);
        button(w, "btnTest")->click();
        const QImage clean = w.studyPage();
        for (int i = 1; i <= answers.size(); ++i)
            answer(w, QStringLiteral("1"));
        const qsizetype beforeScoring = w.pageDrawing().size();
        button(w, "btnSaiten")->click();
        const QList<Op> marks = drawnSince(w, beforeScoring, Op::Line, kMarkRed);
        QCOMPARE(marks.size(), answers.size());
        const qsizetype beforeReview = w.pageDrawing().size();
        button(w, "btnFukushu")->click();
        for (int i = 1; i <= answers.size(); ++i)
            answer(w, answers.at(i - 1));
        const QList<Op> whitened = drawnSince(w, beforeReview, Op::Image, 0xff000000);
        QCOMPARE(whitened.size(), answers.size());
        const QImage now = w.studyPage();
        for (int i = 1; i <= answers.size(); ++i) {
            const QRect area = frameOf(w, frm->sheet(), i).adjusted(-4, -4, 4, 4);
            // The test's slash went whole with the clean page drawn over it.
            const QRect slash = marks.at(i - 1).rect.normalized();
            QVERIFY2(whitened.at(i - 1).rect.contains(slash), qPrintable(QString::number(i)));
            // Every pixel of the frame as the test began is still drawn.
            QImage frame = clean.copy(area);
            const QImage reviewed = now.copy(area);
            for (int y = 0; y < frame.height(); ++y)
                for (int x = 0; x < frame.width(); ++x)
                    if (reviewed.pixel(x, y) != qRgb(255, 255, 255))
                        frame.setPixel(x, y, qRgb(255, 255, 255));
            QVERIFY(nonWhite(clean.copy(area)) > 50);
            QCOMPARE(nonWhite(frame), 0);
        }
    }

    // A review after memorising shows the input aids the test showed: the choice list for a
    // unit with answer groups, the keypads otherwise, the soft keys in ランダム.
    void reviewAfterMemoriseShowsTheInputAids_data()
    {
        QTest::addColumn<bool>("groups");
        QTest::addColumn<bool>("random");
        QTest::newRow("keypads") << false << false;
        QTest::newRow("choice list") << true << false;
        QTest::newRow("soft keys") << true << true;
    }
    void reviewAfterMemoriseShowsTheInputAids()
    {
        QFETCH(bool, groups);
        QFETCH(bool, random);
        TfrmPrint* frm = openSheet(1, 1, 1);
        QVERIFY(frm);
        if (groups)
            frm->sheet().content.answerGroups = {QStringLiteral("ア"), QStringLiteral("イ")};
        TfrmRenshu w(*host_);
        w.FormShow();
        w.show();
        if (random)
            w.findChild<QRadioButton*>("chkRandom")->click();
        const QStringList answers = models(w);
        const char* aids[] = {"grbSelect", "pnlBunsu", "grbMoji", "grbCMoji", "imgMessXX"};
        auto shown = [&] {
            QStringList list;
            for (const char* name : aids) {
                QWidget* aid = w.findChild<QWidget*>(QLatin1StringView(name));
                list.append(QLatin1String(name) + u'=' + QString::number(aid->isVisible()) + u'@' +
                            QString::number(aid->y()));
            }
            return list;
        };
        button(w, "btnTest")->click();
        const QStringList inTest = shown();
        QVERIFY(w.findChild<QWidget*>(groups ? "grbSelect" : "pnlBunsu")->isVisible());
        QCOMPARE(w.findChild<QWidget*>("grbMoji")->isVisible(), random);
        for (int i = 1; i <= answers.size(); ++i)
            answer(w, i == 3 ? QStringLiteral("999") : answers.at(i - 1));
        button(w, "btnSaiten")->click();
        button(w, "btnAnki")->click();
        button(w, "btnClose")->click();
        button(w, "btnFukushu")->click();
        QCOMPARE(shown(), inTest);
    }

    // Memorise mode on a unit without a hint: box 1's alternatives are listed, then the
    // answer area is blanked for the hint that is not there.
    void memoriseWithoutAHintBlanksTheAnswerArea()
    {
        QVERIFY(openSheet(3, 1, 3)); // box 1: 3&3/5;18/5
        host_->hints = QStringList{QStringLiteral("Hint")};
        TfrmRenshu w(*host_);
        w.FormShow();
        w.show();
        button(w, "btnAnki")->click();
        QCOMPARE(w.entryBox(1)->text(), QStringLiteral("3&3/5"));
        QVERIFY(w.answerAreaLines().isEmpty());
        QCOMPARE(nonWhite(w.answerArea()), 0);
    }

    // The choice list puts its current line into the current box however the line became
    // current: a click, the arrow keys, Home and End, or typing its first character. 入力
    // judges what the box shows, and クリア empties the box and the list's choice alike.
    void choiceListFollowsItsCurrentLine()
    {
        TfrmPrint* frm = openSheet(1, 1, 1);
        QVERIFY(frm);
        const QString model = frm->sheet().composed.boxes[1].answer;
        frm->sheet().content.answerGroups = {QStringLiteral("ア"), QStringLiteral("イ"), model};
        TfrmRenshu w(*host_);
        w.FormShow();
        w.show();
        button(w, "btnRenshu")->click();
        auto* list = w.findChild<QListWidget*>("lstKgroup");
        QVERIFY(list && list->isVisible());
        QLineEdit* box = w.entryBox(1);
        const auto shown = [&] {
            return list->currentItem() ? list->currentItem()->text() : QString();
        };

        QListWidgetItem* second = list->item(1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(second).center());
        QCOMPARE(box->text(), second->text());
        const std::pair<Qt::Key, int> moves[] = {
            {Qt::Key_Down, 2}, {Qt::Key_Home, 0}, {Qt::Key_End, 2}, {Qt::Key_Up, 1}};
        for (const auto& [key, row] : moves) {
            QTest::keyClick(list, key);
            QCOMPARE(list->currentRow(), row);
            QCOMPARE(box->text(), shown());
        }
        typeKeys(list, QStringLiteral("イ"));
        QCOMPARE(shown(), QStringLiteral("イ"));
        QCOMPARE(box->text(), QStringLiteral("イ"));

        button(w, "btnClear2")->click();
        QCOMPARE(box->text(), QString());
        QCOMPARE(shown(), QString());

        // The model answer chosen from the keyboard, then 入力: box 1 is right.
        QTest::keyClick(list, Qt::Key_Home);
        while (shown() != model)
            QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(box->text(), model);
        button(w, "btnNext2")->click();
        QVERIFY(!box->isVisible());
        QCOMPARE(w.currentBox(), 2);
        QCOMPARE(shown(), QString()); // box 2 holds nothing yet

        // Enter on the list is 入力 too.
        QTest::keyClick(list, Qt::Key_Home);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(w.session().boxes()[2].tries, 1); // judged: wrong
        QCOMPARE(w.currentBox(), 2);
    }

    // A column answer (筆算) is written into its cells as on paper: the cursor cell moves one
    // column left after each digit, Backspace goes back, the keypad and full-width keys
    // write digits, a click puts the cursor on a cell, a carry cell takes a scratch digit.
    // A wrong answer is marked and stays in its cells to be corrected; the right one goes
    // onto the page; the practice is recorded.
    void columnAnswerDigitByDigit()
    {
        QVERIFY(openSheet(1, 5, 1)); // 586＋624＝1210 with carry cells, and 11 more
        TfrmRenshu w(*host_);
        w.FormShow();
        w.show();
        button(w, "btnRenshu")->click();
        auto* box = qobject_cast<WidgetEntryBox*>(w.entryBox(1));
        QVERIFY(box && box->isColumn() && box->isVisible());
        const QList<QRect> cells = w.session().boxes()[1].cells; // thousands .. ones
        QCOMPARE(cells.size(), 4);
        const int p = w.findChild<QWidget*>("pnlRenshu")->width();
        const auto cursorAt = [&] {
            const ColumnEntry& e = box->columnEntry();
            return int(cells.indexOf(e.cells().at(e.cursorCell()).rect));
        };
        const auto clickCell = [&](const QRect& cell) {
            QTest::mouseClick(box, Qt::LeftButton, {}, cell.center() + QPoint(p, 0) - box->pos());
        };
        QRect carry; // the carry cell over the tens
        for (const ColumnEntryCell& c : box->columnEntry().cells())
            if (c.scratch && c.rect.left() == cells.at(2).left() && c.rect.top() < cells[0].top())
                carry = c.rect;
        QVERIFY(!carry.isNull());
        const int redBefore = pixelsOf(w.studyPage(), qRgb(255, 0, 0));
        const QPoint placed = box->pos();

        enum Action { Key, BackspaceKey, Pad, Click, Arrow, Enter };
        struct Step
        {
            Action action;
            const char* arg;
            const char* text; // the box's answer text after the step
            int cursor;       // the cursor's answer cell, -1: a scratch cell
        };
        const Step steps[] = {
            {Key, "0", "0", 2},          {Key, "１", "10", 1},       {BackspaceKey, "", "0", 2},
            {BackspaceKey, "", "", 3},   {Pad, "btnNum10", "0", 2},  {Pad, "btnNum6", "10", 1},
            {Key, "3", "310", 0},        {Key, "1", "1310", 0},      {Key, "x", "1310", 0},
            {Arrow, "left", "1310", 0},  {Enter, "", "1310", 0},     {Arrow, "right", "1310", 1},
            {Arrow, "right", "1310", 2}, {Arrow, "left", "1310", 1}, {Click, "2", "1310", 2},
            {Click, "1", "1310", 1},     {Key, "2", "1210", 0},      {Click, "carry", "1210", -1},
            {Key, "1", "1210", 0},
        };
        for (const Step& step : steps) {
            const QString arg = QString::fromUtf8(step.arg);
            switch (step.action) {
            case Key:
                typeKeys(box, arg);
                break;
            case BackspaceKey:
                QTest::keyClick(box, Qt::Key_Backspace);
                break;
            case Pad:
                button(w, step.arg)->click();
                break;
            case Click:
                clickCell(arg == u"carry" ? carry : cells.at(arg.toInt()));
                break;
            case Arrow:
                QTest::keyClick(box, arg == u"left" ? Qt::Key_Left : Qt::Key_Right);
                break;
            case Enter: {
                const qsizetype from = w.pageDrawing().size();
                QTest::keyClick(box, Qt::Key_Return);
                // Wrong, as any box: marked, the message, one try counted; nothing moves.
                // The slash crosses the whole answer and leaves the carries alone.
                const ColumnMarkSeen slash =
                    columnMarkIn(w.pageDrawing().mid(from), cellsOf(w.session().boxes()[1]),
                                 scratchOf(box->columnEntry()));
                QVERIFY(slash.slash && slash.clear);
                QVERIFY(box->isVisible());
                QCOMPARE(box->pos(), placed);
                QVERIFY(pixelsOf(w.studyPage(), qRgb(255, 0, 0)) > redBefore);
                QCOMPARE(w.session().boxes()[1].tries, 1);
                QCOMPARE(w.answerAreaLines().value(0), kCorrectIt.toString());
                break;
            }
            }
            QCOMPARE(box->text(), QString::fromUtf8(step.text));
            QCOMPARE(w.currentBox(), 1);
            QCOMPARE(cursorAt(), step.cursor);
            if (&step == &steps[5])
                test::saveShot(w,
                               "study-column.png"); // mid-entry: "10", the cursor on the hundreds
        }
        const qsizetype beforeRight = w.pageDrawing().size();
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(!box->isVisible());
        QCOMPARE(w.session().boxes()[1].judgement, 2); // right after a wrong try
        // The circle goes round the answer's cells, not round the carries above them.
        const ColumnMarkSeen circle =
            columnMarkIn(w.pageDrawing().mid(beforeRight), cellsOf(w.session().boxes()[1]),
                         scratchOf(box->columnEntry()));
        QVERIFY(circle.circle && circle.clear);
        QCOMPARE(w.currentBox(), 2);
        // The digits stand blue in their cells; the scratch carry is not drawn.
        const auto blueIn = [&](const QRect& r) { return blueInk(w.studyPage(), r); };
        for (const QRect& cell : cells)
            QVERIFY(blueIn(cell) > 0);
        QCOMPARE(blueIn(carry), 0);

        // The other eleven right at once, ones first: the practice is scored and recorded.
        for (int i = 2; i <= 12; ++i) {
            QString digits = models(w).at(i - 1);
            std::reverse(digits.begin(), digits.end());
            typeKeys(w.entryBox(i), digits);
            QTest::keyClick(w.entryBox(i), Qt::Key_Return);
        }
        const QStringList records = ReadRecords(host_->learnerPlace(1).recordPath(),
                                                QStringLiteral("S51３けたのたし算（くり上がり）"));
        QCOMPARE(records.size(), 1);
        QVERIFY2(records.at(0).contains(QStringLiteral("[100000000000] 11/12  92点")),
                 qPrintable(records.at(0)));
    }

    // Every kind is written the way it is worked: sums, differences and products ones
    // first, a quotient from its highest place, its remainder after it; decimals take their
    // point from the cells. Each is judged right.
    void columnAnswersOfEveryKind_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("line"); // in place of the unit's questions
        const auto row = [](const char* name, int unit, int box, const char* keys, const char* text,
                            const char* line = "") {
            QTest::newRow(name) << unit << box << QString::fromUtf8(keys) << QString::fromUtf8(text)
                                << QString::fromUtf8(line);
        };
        row("borrow", 2, 1, "84", "48");                   // 602−554
        row("partial", 3, 1, "567", "765");                // 255×73: 765
        row("product", 3, 3, "51681", "18615");            // 255×73
        row("quotient", 4, 1, "208", "208");               // 832÷4
        row("remainder", 4, 2, "1083", "108…3");           // 759÷7
        row("own quotient", 5, 2, "１５", "15");           // 505÷32 = 15…25
        row("own remainder", 5, 3, "52", "25");            // 505÷32 = 15…25
        row("decimal", 6, 2, "3053", "35.03");             // 37.9−2.87
        row("decimal product", 7, 1, "６７６１", "16.76"); // 8.38×2
        // The sheet writes the answer otherwise than the cells make it (a second box keeps
        // the practice going).
        row("trailing zero", 1, 1, "42", "2.4", "@H1.2＋1.2＝#2.40#　1+1=#2#");
    }
    void columnAnswersOfEveryKind()
    {
        QFETCH(int, unit);
        QFETCH(int, box);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(QString, line);
        TfrmPrint* frm = openSheet(1, 5, unit);
        QVERIFY(frm);
        if (!line.isEmpty()) {
            frm->sheet().content.questions = QStringList{line};
            frm->Redraw();
        }
        TfrmRenshu w(*host_);
        w.FormShow();
        w.show();
        button(w, "btnRenshu")->click();
        auto* entry = qobject_cast<WidgetEntryBox*>(w.entryBox(box));
        QVERIFY(entry && entry->isColumn());
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::mouseClick(entry, Qt::LeftButton, {}, QPoint(1, 1)); // no cell: focus only
        QCOMPARE(w.currentBox(), box);
        typeKeys(entry, keys);
        QCOMPARE(entry->text(), text);
        const qsizetype from = w.pageDrawing().size();
        QTest::keyClick(entry, Qt::Key_Return);
        QVERIFY(!entry->isVisible()); // right at the first try
        // Circled round its own cells: the whole answer, and no carry or other scratch.
        const ColumnMarkSeen circle =
            columnMarkIn(w.pageDrawing().mid(from), cellsOf(w.session().boxes()[box]),
                         scratchOf(entry->columnEntry()));
        QVERIFY(circle.circle && circle.clear);
        // The digits drawn on the page read as the answer judged, the point in its place.
        QList<Op> typed = drawnSince(w, from, Op::Text, kTypedBlue);
        std::sort(typed.begin(), typed.end(), [](const Op& a, const Op& b) {
            return std::pair(a.rect.y(), a.rect.x()) < std::pair(b.rect.y(), b.rect.x());
        });
        QString drawn;
        for (const Op& op : typed)
            drawn += op.text;
        QCOMPARE(drawn, QString(text).remove(u'…'));
        QCOMPARE(w.session().state().triesText, QStringLiteral("0"));
        button(w, "btnAbort")->click();
    }

    // A test of column problems, one answer wrong: at the scoring each answer is marked over
    // all its judged cells (a quotient with its remainder), never round the carries; the
    // answer sheet (答案表示) then shows nothing of the model in the working rows no box asks
    // for, where it would stand in the learner's blue.
    void columnTestMarksAndAnswerSheet_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<QString>("text");                           // the wrong box's answer
        QTest::newRow("carries") << 1 << 2 << QStringLiteral("804"); // 287＋617
        QTest::newRow("quotient and remainder") << 4 << 2 << QStringLiteral("108…4"); // 759÷7
        QTest::newRow("own remainder") << 5 << 3 << QStringLiteral("24");             // 505÷32
        QTest::newRow("partial products") << 7 << 2 << QStringLiteral("3068");        // 9.9×31
    }
    void columnTestMarksAndAnswerSheet()
    {
        QFETCH(int, unit);
        QFETCH(int, wrong);
        QFETCH(QString, text);
        TfrmPrint* frm = openSheet(1, 5, unit);
        QVERIFY(frm);
        TfrmRenshu w(*host_);
        w.FormShow();
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        button(w, "btnTest")->click();
        const QList<PlacedColumnProblem>& problems = frm->sheet().composed.columnProblems;
        const AnswerBoxTable& boxes = w.session().boxes();
        QList<QList<QRect>> scratch;
        for (int i = 1; i <= boxes.count(); ++i) {
            auto* entry = qobject_cast<WidgetEntryBox*>(w.entryBox(i));
            QVERIFY(entry && entry->isColumn());
            scratch.append(scratchOf(entry->columnEntry()));
            entry->setFocus();
            entry->setText(i == wrong ? text : ColumnCellsAnswer(boxes[i], problems));
            QTest::keyClick(entry, Qt::Key_Return);
        }
        const qsizetype from = w.pageDrawing().size();
        button(w, "btnSaiten")->click();
        QCOMPARE(boxes[wrong].judgement, 0);
        for (int i = 1; i <= boxes.count(); ++i) {
            const ColumnMarkSeen seen =
                columnMarkIn(w.pageDrawing().mid(from), cellsOf(boxes[i]), scratch.at(i - 1));
            QVERIFY((i == wrong ? seen.slash : seen.circle) && seen.clear);
        }
        if (unit == 4)
            test::saveShot(w, "study-column-scored.png");

        button(w, "btnTouan")->click();
        for (const PlacedColumnProblem& p : problems)
            for (const ColumnCell& c : p.layout.cells)
                if (c.answer < 0 && (c.role == CellRole::Partial || c.role == CellRole::Step))
                    QCOMPARE(blueInk(w.studyPage(), p.cellRect(c.row, c.column)), 0);
    }

    // 印刷 in the study window prints the study page as the learner sees it: the answers,
    // the marks and the score, in red, reach the paper.
    void printFromStudyKeepsTheLearnersWork()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdftoppm is not installed");
        test::MainWindowSandbox sandbox;
        TfrmMain main;
        QVERIFY(test::start(main));
        QTemporaryDir out;
        const QString pdf = out.filePath(QStringLiteral("study.pdf"));
        main.printer().setOutputFormat(QPrinter::PdfFormat);
        main.printer().setOutputFileName(pdf);
        test::whenChooserShows(main, 0, 0, 0);
        bool printed = false;
        std::function<void(int)> whenStudying = [&](int tries) {
            auto* w = main.findChild<TfrmRenshu*>();
            if (!w || !w->isVisible()) {
                if (tries > 0)
                    QTimer::singleShot(20, &main, [&, tries] { whenStudying(tries - 1); });
                return;
            }
            const QStringList answers = models(*w);
            button(*w, "btnTest")->click();
            for (int i = 1; i <= answers.size(); ++i)
                answer(*w, i == 3 ? QStringLiteral("1") : answers.at(i - 1));
            button(*w, "btnSaiten")->click();
            QTimer::singleShot(0, &main, [&] {
                auto* confirm = qobject_cast<TfrmPrintOk*>(QApplication::activeModalWidget());
                QVERIFY(confirm);
                confirm->choosePrinter = [] { return true; };
                confirm->findChild<QPushButton*>("btnPrint")->click();
                printed = true;
                confirm->close();
            });
            button(*w, "btnStartPrint")->click();
            button(*w, "btnEnd")->click();
        };
        QTimer::singleShot(0, &main, [&] { whenStudying(200); });
        main.findChild<QPushButton*>("btnTest")->click();
        QVERIFY(printed);
        QVERIFY(QFileInfo::exists(pdf));
        const QString png = out.filePath(QStringLiteral("study"));
        QCOMPARE(
            QProcess::execute(QStringLiteral("pdftoppm"),
                              {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-png"),
                               QStringLiteral("-singlefile"), pdf, png}),
            0);
        const QImage page(png + QStringLiteral(".png"));
        QVERIFY(!page.isNull());
        // The score stands at the right of the title, where nothing else is red.
        int red = 0;
        for (int y = 0; y < page.height() / 8; ++y)
            for (int x = page.width() / 2; x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
            }
        QVERIFY2(red > 20, qPrintable(QString::number(red)));
    }
};

ZENDRA_WINDOW_TEST_MAIN(TestTfrmRenshu)
#include "tst_TfrmRenshu.moc"
