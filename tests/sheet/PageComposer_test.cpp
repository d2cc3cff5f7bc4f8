#include "sheet/PageComposer.h"

#include "courseware/CoursewareIndex.h"
#include "platform/Messages.h"
#include "platform/PainterSurface.h"
#include "platform/RecordingSurface.h"
#include "sheet/Sheet.h"
#include "sheet/SheetBuilder.h"
#include "sheet/SheetOutput.h"

#include "TestSupport.h"

#include <QCryptographicHash>
#include <QFontMetricsF>
#include <QPainter>

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <vector>

using namespace zendra;
using Op = RecordingSurface::Op;

namespace {

// Screen page, size 10, no header texts: k = 7, the first row at y = 98, x = 50; a
// single-byte character is 5 pixels wide.
ComposeInputs plainInputs()
{
    ComposeInputs in;
    in.mojiSize = 10;
    in.gyouSpace = 30;
    in.classFlag = false;
    in.jisshibi = false;
    in.printed = false;
    in.now = QDateTime(QDate(2024, 5, 6), QTime(7, 8));
    return in;
}

Sheet sheetOf(const QStringList& questions)
{
    Sheet sheet;
    sheet.content.questions = questions;
    sheet.answersShown = true;
    sheet.settings.lstKranX[0] = "0"; // no box frames unless a test asks for them
    return sheet;
}

void compose(Sheet& sheet, RecordingSurface& surface, const ComposeInputs& in = plainInputs(),
             const ComposeTarget& target = {})
{
    surface.clear();
    sheet.composed = ComposeSheet(sheet, surface, target, in);
}

// Texts drawn below the header (the name line is at y = 65).
QList<Op> bodyTexts(const RecordingSurface& surface)
{
    QList<Op> result;
    for (const Op& op : surface.texts())
        if (op.rect.y() > 90)
            result.append(op);
    return result;
}

QStringList textsOf(const QList<Op>& ops)
{
    QStringList texts;
    for (const Op& op : ops)
        texts.append(op.text);
    return texts;
}

QList<Op> opsOf(const RecordingSurface& surface, Op::Kind kind)
{
    QList<Op> result;
    for (const Op& op : surface.ops())
        if (op.kind == kind)
            result.append(op);
    return result;
}

} // namespace

TEST(PageComposer, LinesStepByRealSpacingRoundedHalfToEven)
{
    struct Case
    {
        int spacing;
        QStringList lines;
        std::vector<int> rows; // the row y of every drawn line
    };
    // 40 × 0.7875 = 31.5: rows 129.5 and 192.5 go to the even neighbour, and the real
    // accumulator keeps the third row at 161, not 162.
    const std::vector<Case> cases = {
        {30, {"ab"}, {98}},
        {40, {"a1", "b1", "c1", "d1"}, {98, 130, 161, 192}},
        {40, {"a1", "", "c1", "", "e1"}, {98, 161, 224}},
        {-5, {"a1", "b1", "c1", "d1"}, {98, 94, 90, 86}},
    };
    for (const Case& c : cases) {
        Sheet sheet = sheetOf(c.lines);
        RecordingSurface surface;
        ComposeInputs in = plainInputs();
        in.gyouSpace = c.spacing;
        compose(sheet, surface, in);
        ASSERT_EQ(sheet.composed.piecePositions.count, int(c.rows.size())) << c.spacing;
        for (int i = 0; i < int(c.rows.size()); ++i)
            EXPECT_EQ(sheet.composed.piecePositions[i + 1], QPoint(50, c.rows[i]))
                << c.spacing << " " << i;
        // Plain text is drawn 2k below its row.
        EXPECT_EQ(bodyTexts(surface).first().rect.topLeft(), QPoint(50, 112));
    }
}

TEST(PageComposer, LongTitlesBreakBeforeTheSectionMark)
{
    const QString sixty = QString(30, u'あ'); // 60 bytes
    struct Case
    {
        QString title;
        QString first;  // at y = 35, empty when nothing is drawn there
        QString second; // at y = 48
    };
    const std::vector<Case> cases = {
        {sixty, sixty, {}},
        {QString(28, u'あ') + "§2-3", QString(28, u'あ'), "　　§2-3"},
        {sixty + "x", {}, "　　" + sixty + "x"},
    };
    for (const Case& c : cases) {
        Sheet sheet = sheetOf({});
        sheet.content.title = c.title;
        RecordingSurface surface;
        compose(sheet, surface);
        QStringList at35, at48;
        for (const Op& op : surface.texts()) {
            if (op.rect.y() == 35)
                at35 << op.text;
            if (op.rect.y() == 48)
                at48 << op.text;
            if (op.rect.y() == 35 || op.rect.y() == 48) {
                EXPECT_EQ(op.rect.x(), 50);
            }
        }
        EXPECT_EQ(at35, c.first.isEmpty() ? QStringList() : QStringList{c.first})
            << c.title.toStdString();
        EXPECT_EQ(at48, c.second.isEmpty() ? QStringList() : QStringList{c.second})
            << c.title.toStdString();
    }
}

// Measured with the real fonts: the lines of a long title keep inside the right rule
// (x = 580) and clear of each other, and together still read the whole title.
TEST(PageComposer, LongTitlesStayInsideThePageAndApart)
{
    ASSERT_TRUE(test::ensureGuiApplication());
    QImage device(1, 1, QImage::Format_RGB32);
    QPainter painter(&device);
    PainterSurface fonts(painter, 96, 630);
    const QString part = QStringLiteral("整数の計算//たし算とひき算のいろいろな問題（３年・４年）");
    const QString longPart = QStringLiteral("３けたと４けたのたし算とひき算の筆算のふくしゅう");
    struct Case
    {
        QString title;
        bool classFlag;
        int lines;
    };
    const std::vector<Case> cases = {
        {part + "§1-1 " + longPart, false, 2},
        {part + "§1-1 " + longPart, true, 2},
        {part + longPart + "のまとめ", true, 2}, // no section mark, too long for one line
        {QString(30, u'あ') + "x", false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        Sheet sheet = sheetOf({});
        sheet.content.title = c.title;
        sheet.classFlag = QImage(64, 40, QImage::Format_RGB32);
        ComposeInputs in = plainInputs();
        in.classFlag = c.classFlag;
        RecordingSurface surface;
        surface.measureWith(&fonts);
        compose(sheet, surface, in);
        QList<Op> lines;
        for (const Op& op : surface.texts())
            if (op.rect.y() >= 30 && op.rect.y() < 60)
                lines << op;
        ASSERT_EQ(lines.size(), c.lines);
        QString read;
        for (const Op& op : lines) {
            EXPECT_LE(op.rect.x() + op.rect.width(), 580) << op.text.toStdString();
            EXPECT_GE(op.fontSize, 9);
            read += op.text;
        }
        if (c.lines == 2) {
            EXPECT_GE(lines[1].rect.top(), lines[0].rect.top() + lines[0].rect.height());
            EXPECT_EQ(lines[0].fontSize, lines[1].fontSize);
        }
        EXPECT_EQ(read.remove(u'　'), QString(c.title).remove(u'　'));
    }
}

TEST(PageComposer, StyleMarksAreCommandsByTheirFirstCharacter)
{
    for (const char* text : {"Bold", "Italic", "Under", "Xx", "_x", "%x", "/x", "-x", "+x", "=x"}) {
        Sheet sheet = sheetOf({QString::fromLatin1(text)});
        RecordingSurface surface;
        compose(sheet, surface);
        EXPECT_TRUE(bodyTexts(surface).isEmpty()) << text;
    }

    Sheet sheet = sheetOf({"aa@Bbb@Icc@-dd@=ee@%ff@/gg@@"});
    RecordingSurface surface;
    compose(sheet, surface);
    const QList<Op> texts = bodyTexts(surface);
    ASSERT_EQ(textsOf(texts), QStringList({"aa", "bb", "cc", "dd", "ee", "ff", "gg", "@"}));
    EXPECT_EQ(texts[0].style, unsigned(StylePlain));
    EXPECT_EQ(texts[1].style, unsigned(StyleBold));
    EXPECT_EQ(texts[2].style, unsigned(StyleBold | StyleItalic));
    EXPECT_EQ(texts[3].fontSize, 6);
    EXPECT_EQ(texts[4].fontSize, 10);
    // The '%' rule runs at row + 2k from where it was marked to where '/' stands.
    const QList<Op> lines = surface.lines();
    const Op& rule = lines.last();
    EXPECT_EQ(rule.rect.topLeft(), QPoint(texts[5].rect.x(), 98 + 14));
    EXPECT_EQ(rule.rect.bottomRight(), QPoint(texts[6].rect.x(), 98 + 14));
}

TEST(PageComposer, OddHashCountDropsTextAfterTheUnpairedHash)
{
    struct Case
    {
        QString line;
        QStringList drawn;
        QStringList answers;
    };
    const std::vector<Case> cases = {
        {"ab#cd", {"ab"}, {}},
        {"ab#12#cd#ef", {"ab", "12", "cd"}, {"12"}},
        {"#", {}, {}},
        {"##", {}, {""}},
    };
    for (const Case& c : cases) {
        Sheet sheet = sheetOf({c.line});
        RecordingSurface surface;
        compose(sheet, surface);
        EXPECT_EQ(textsOf(bodyTexts(surface)), c.drawn) << c.line.toStdString();
        EXPECT_EQ(sheet.composed.lstKai, QStringList{"start"} + c.answers) << c.line.toStdString();
        EXPECT_EQ(sheet.composed.boxes.count(), c.answers.size()) << c.line.toStdString();
    }
}

TEST(PageComposer, HiddenAnswersKeepTheirPlaceInWhiteAndStayOffPrinterPages)
{
    const QStringList lines = {"ab#12;12.0#cd", "x1#34#"};
    Sheet shown = sheetOf(lines);
    Sheet hidden = sheetOf(lines);
    hidden.answersShown = false;
    ComposeInputs in = plainInputs();
    in.bekkai = true;
    RecordingSurface a, b;
    compose(shown, a, in);
    compose(hidden, b, in);

    EXPECT_EQ(shown.composed.lstKai, QStringList({"start", "12;12.0", "34"}));
    EXPECT_EQ(hidden.composed.lstKai, shown.composed.lstKai);
    ASSERT_EQ(hidden.composed.boxes.count(), 2);
    for (int i = 1; i <= 2; ++i) {
        EXPECT_EQ(hidden.composed.boxes[i].x, shown.composed.boxes[i].x);
        EXPECT_EQ(hidden.composed.boxes[i].y, shown.composed.boxes[i].y);
        EXPECT_EQ(hidden.composed.boxes[i].width, shown.composed.boxes[i].width);
        EXPECT_EQ(hidden.composed.boxes[i].answer, shown.composed.boxes[i].answer);
    }
    const QList<Op> ta = bodyTexts(a), tb = bodyTexts(b);
    ASSERT_EQ(ta.size(), tb.size());
    const QHash<QString, QRgb> shownColours = {
        {"12", qRgb(0, 0, 255)}, {" 12.0", qRgb(128, 128, 128)}, {"34", qRgb(0, 0, 255)}};
    for (qsizetype i = 0; i < ta.size(); ++i) {
        EXPECT_EQ(ta[i].rect, tb[i].rect);
        EXPECT_EQ(ta[i].colour, shownColours.value(ta[i].text, qRgb(0, 0, 0)))
            << ta[i].text.toStdString();
        EXPECT_EQ(tb[i].colour,
                  shownColours.contains(tb[i].text) ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    }

    // A printer page (paper, PDF) leaves hidden answers out, fraction bars included, and
    // everything else stands where the page with the answers has it.
    const QStringList fractions = {"ab#12;12.0#cd", "3/4=#1/2#x"};
    const ComposeTarget printer{1260, 1782, true, 630};
    QList<Op> expected;
    for (const bool answersShown : {true, false}) {
        Sheet sheet = sheetOf(fractions);
        sheet.answersShown = answersShown;
        RecordingSurface screen;
        compose(sheet, screen, in);
        RecordingSurface page(600, 1260);
        compose(sheet, page, in, printer);
        if (answersShown) {
            for (const Op& op : page.ops())
                if (op.colour != qRgb(0, 0, 255) && op.colour != qRgb(128, 128, 128))
                    expected << op;
            // "12", " 12.0", the 1 and 2 of "1/2" and its bar.
            ASSERT_EQ(page.ops().size() - expected.size(), 5);
            continue;
        }
        ASSERT_EQ(page.ops().size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(page.ops()[i].kind, expected[i].kind) << i;
            EXPECT_EQ(page.ops()[i].rect, expected[i].rect) << i;
            EXPECT_EQ(page.ops()[i].text, expected[i].text) << i;
        }
        EXPECT_EQ(sheet.composed.lstKai, QStringList({"start", "12;12.0", "1/2"}));
    }
}

TEST(PageComposer, AlternativesStandFiftyRightOfTheBox)
{
    for (const bool bekkai : {false, true}) {
        Sheet sheet = sheetOf({"ab#12;12.0;twelve#cd"});
        ComposeInputs in = plainInputs();
        in.bekkai = bekkai;
        RecordingSurface surface;
        compose(sheet, surface, in);
        // "ab" ends at 60, where the box and its answer start.
        const Op* answer = surface.findText("12");
        ASSERT_NE(answer, nullptr);
        EXPECT_EQ(answer->rect.topLeft(), QPoint(60, 112));
        EXPECT_EQ(sheet.composed.boxes[1].x, 60);
        EXPECT_EQ(sheet.composed.boxes[1].width, 10);
        EXPECT_EQ(sheet.composed.boxes[1].answer, "12;12.0;twelve");
        // The text after the blank continues from the answer, not from the alternatives.
        EXPECT_EQ(surface.findText("cd")->rect.x(), 70);
        const Op* first = surface.findText(" 12.0");
        const Op* second = surface.findText(" twelve");
        if (!bekkai) {
            EXPECT_EQ(first, nullptr);
            EXPECT_EQ(second, nullptr);
            continue;
        }
        ASSERT_NE(first, nullptr);
        ASSERT_NE(second, nullptr);
        EXPECT_EQ(first->rect.topLeft(), QPoint(110, 112));
        EXPECT_EQ(second->rect.topLeft(), QPoint(110 + 25, 112));
    }
}

TEST(PageComposer, AnswerBoxShapes)
{
    // Box (60, 98), answer width 10, size 10: field height 13 + 8 = 21; the form default
    // box values are width 10 and height 4.
    struct Case
    {
        int shape;
        Op::Kind kind;
        QRect rect;
        QStringList texts;
    };
    const std::vector<Case> cases = {
        {0, Op::Image, {}, {}},
        {1, Op::Rectangle, QRect(QPoint(60, 99), QPoint(135, 126)), {}},
        {2, Op::Text, {}, {"［@60,101", "］@67,101"}},
        {3, Op::Text, {}, {"【@60,101", "】@67,101"}},
        {4, Op::Line, QRect(QPoint(60, 121), QPoint(135, 121)), {}},
        {5, Op::RoundRect, QRect(QPoint(60, 101), QPoint(135, 121)), {}},
    };
    for (const Case& c : cases) {
        Sheet sheet = sheetOf({"ab#12#"});
        sheet.settings.lstKranX[0] = QString::number(c.shape);
        RecordingSurface surface;
        compose(sheet, surface);
        QList<Op> drawn;
        bool afterBody = false;
        for (const Op& op : surface.ops()) {
            if (op.kind == Op::Text && op.text == "12") {
                afterBody = true;
                continue;
            }
            if (afterBody)
                drawn.append(op);
        }
        if (c.shape == 0) {
            EXPECT_TRUE(drawn.isEmpty());
            continue;
        }
        if (c.kind == Op::Text) {
            QStringList texts;
            for (const Op& op : drawn)
                texts << QStringLiteral("%1@%2,%3").arg(op.text).arg(op.rect.x()).arg(op.rect.y());
            EXPECT_EQ(texts, c.texts) << c.shape;
            continue;
        }
        ASSERT_EQ(drawn.size(), 1) << c.shape;
        EXPECT_EQ(drawn[0].kind, c.kind) << c.shape;
        EXPECT_EQ(drawn[0].rect, c.rect) << c.shape;
        if (c.kind == Op::RoundRect) {
            EXPECT_EQ(drawn[0].corner, QPoint(11, 11));
        }
    }
}

TEST(PageComposer, ColumnRuleOnlyForTwo)
{
    for (const char* value : {"0", "1", "2", "02", " 2"}) {
        Sheet sheet = sheetOf({"ab"});
        sheet.settings.lstKranX[3] = QString::fromLatin1(value);
        RecordingSurface surface;
        compose(sheet, surface);
        const QList<Op> lines = surface.lines();
        const bool two = QLatin1StringView(value) == QLatin1StringView("2");
        ASSERT_EQ(lines.size(), two ? 3 : 2) << value;
        EXPECT_EQ(lines[0].rect, QRect(QPoint(50, 30), QPoint(580, 30)));
        EXPECT_EQ(lines[1].rect, QRect(QPoint(50, 90), QPoint(580, 90)));
        // (630 - 50 + 10 + 50) div 2 - 10, down to round(0.97 × 891)
        if (two) {
            EXPECT_EQ(lines[2].rect, QRect(QPoint(310, 90), QPoint(310, 864)));
        }
    }
}

TEST(PageComposer, PrinterPageScalesTheScreenLayout)
{
    Sheet sheet = sheetOf({"ab#12#cd", "3/4=#1/2#"});
    sheet.settings.lstKranX[0] = "1";
    ComposeInputs in = plainInputs();
    in.printed = true;
    RecordingSurface screen;
    compose(sheet, screen, in);
    ASSERT_EQ(sheet.composed.boxes.count(), 2);

    // Every op of a printer page is the screen's, twice as large at s = 2: the page keeps
    // the screen's arrangement, and the composition must not replace the screen boxes even
    // when asked.
    const auto scaled = [](const Op& op) {
        Op big = op;
        big.rect = op.kind == Op::Text || op.kind == Op::Image
                       ? QRect(op.rect.topLeft() * 2, op.rect.size() * 2)
                       : QRect(op.rect.topLeft() * 2, op.rect.bottomRight() * 2);
        if (op.kind != Op::Text)
            big.penWidth = op.penWidth * 2;
        big.corner = op.corner * 2;
        return big;
    };
    const auto same = [](const Op& a, const Op& b) {
        return a.kind == b.kind && a.rect == b.rect && a.text == b.text &&
               a.fontSize == b.fontSize && a.colour == b.colour && a.penWidth == b.penWidth;
    };
    struct Case
    {
        int sheetWidth;
        ComposeTarget printer;
    };
    for (const Case& c : {Case{630, {1260, 1782, true, 630}}, Case{771, {1542, 2180, true, 771}}}) {
        SCOPED_TRACE(c.sheetWidth);
        sheet.settings.page = PaperRecord::ofWidth(c.sheetWidth);
        compose(sheet, screen, in,
                ComposeTarget{c.sheetWidth, sheet.settings.page.height, false, c.sheetWidth});
        const AnswerBox first = sheet.composed.boxes[1];
        RecordingSurface page(600, c.printer.width);
        compose(sheet, page, in, c.printer);
        EXPECT_EQ(page.layoutScale(), 2.0);
        EXPECT_EQ(sheet.composed.boxes.count(), 2);
        EXPECT_EQ(sheet.composed.boxes[1].x, first.x);
        EXPECT_EQ(sheet.composed.boxes[1].y, first.y);
        ASSERT_EQ(page.ops().size(), screen.ops().size());
        for (qsizetype i = 0; i < page.ops().size(); ++i)
            EXPECT_TRUE(same(page.ops()[i], scaled(screen.ops()[i])))
                << i << " " << page.ops()[i].text.toStdString();
        // Text 2k below the body row 98, at the screen's size.
        EXPECT_EQ(page.findText("ab")->rect.topLeft(), QPoint(100, 224));
        EXPECT_EQ(page.findText("ab")->fontSize, 10);
        EXPECT_EQ(page.lines().first().penWidth, 4);
    }
}

namespace {

// Where a text drawn on a page of `f` pixels per layout unit leaves ink: the glyphs' own
// outlines in the face and size the painter surface draws with.
QRectF inkOnPage(const Op& op, double f)
{
    QFont font(op.face);
    font.setPixelSize(qRound(op.fontSize * 96 / 72.0));
    font.setBold(op.style & StyleBold);
    font.setItalic(op.style & StyleItalic);
    font.setKerning(false);
    const QFontMetricsF metrics(font);
    // Blanks leave none.
    const QString glyphs = op.text.trimmed();
    if (glyphs.isEmpty())
        return {};
    const qreal lead = metrics.horizontalAdvance(op.text.left(op.text.indexOf(glyphs)));
    const QRectF ink = metrics.tightBoundingRect(glyphs).translated(lead, metrics.ascent());
    return QRectF(QPointF(op.rect.topLeft()) + ink.topLeft() * f, ink.size() * f);
}

} // namespace

// Every sample unit on a 300 dpi page, measured with the real fonts: no box frame covers
// text that is not its own answer, and every piece starts where the screen page has it.
TEST(PageComposer, PrinterPagesOfTheSampleUnitsKeepTextOutOfOtherBoxes)
{
    ASSERT_TRUE(test::ensureGuiApplication());
    QImage device(1, 1, QImage::Format_RGB32);
    QPainter painter(&device);
    PainterSurface fonts(painter, 96, 630);
    ScriptedMessages messages;
    ScopedMessages scope(messages);
    const QString folder = test::sampleCourseware();
    LessonTable lessons;
    ASSERT_TRUE(LoadMainIndex(folder, lessons));
    int checked = 0;
    for (int lesson = 1; lesson <= lessons.count(); ++lesson) {
        SectionUnits sections;
        ASSERT_TRUE(LoadLessonIndex(folder, lessons, lesson, sections));
        for (int section = 1; section <= sections.count(); ++section) {
            for (int unit = 1; unit <= sections.section(section).units.size(); ++unit) {
                SCOPED_TRACE(
                    QStringLiteral("%1/%2/%3").arg(lesson).arg(section).arg(unit).toStdString());
                UnitReader reader;
                std::optional<Sheet> sheet =
                    OpenMasterSheet({folder, lessons, sections},
                                    UnitChoice{lesson, section, unit, 0}, reader, true);
                ASSERT_TRUE(sheet.has_value());
                ComposeInputs in = InputsFromSheet(*sheet);
                const int width = sheet->settings.page.width;
                RecordingSurface screen;
                screen.measureWith(&fonts);
                sheet->composed = ComposeSheet(
                    *sheet, screen, {width, sheet->settings.page.height, false, width}, in);

                in.registerAnswerBoxes = false;
                const QSize pixels = PaperPixels(sheet->settings.page, 300);
                RecordingSurface page(300, pixels.width());
                page.measureWith(&fonts);
                sheet->composed =
                    ComposeSheet(*sheet, page, {pixels.width(), pixels.height(), true, width}, in);
                const double f = page.layoutScale();
                EXPECT_NEAR(f, pixels.width() / double(width), 1e-9);

                const QList<Op> pageTexts = page.texts();
                const QList<Op> screenTexts = screen.texts();
                ASSERT_EQ(pageTexts.size(), screenTexts.size());
                for (qsizetype i = 0; i < pageTexts.size(); ++i) {
                    const QPoint at = screenTexts[i].rect.topLeft();
                    EXPECT_EQ(pageTexts[i].rect.topLeft(),
                              QPoint(qRound(at.x() * f), qRound(at.y() * f)))
                        << pageTexts[i].text.toStdString();
                }

                // The k-th run of answer-coloured text is the answer of box k; the brackets
                // of shapes 2 and 3 are the boxes themselves.
                const QStringList brackets = {"［", "］", "【", "】"};
                QList<int> owner;
                int answer = 0;
                bool inAnswer = false;
                for (const Op& op : pageTexts) {
                    const bool isAnswer = op.colour == qRgb(0, 0, 255);
                    if (isAnswer && !inAnswer)
                        ++answer;
                    inAnswer = isAnswer;
                    owner << (isAnswer ? answer : brackets.contains(op.text) ? -1 : 0);
                }
                // Column problems draw each digit on its own and have no frames: their cells
                // are checked by the column-problem tests.
                const bool columns = !sheet->composed.columnProblems.isEmpty();
                if (!columns) {
                    EXPECT_EQ(answer, sheet->composed.boxes.count());
                }
                const int shape = sheet->kran().number(KranLine::Shape);
                for (int b = 1; b <= sheet->composed.boxes.count() && shape != 0 && !columns; ++b) {
                    const AnswerBoxRects rects = AnswerBoxGeometry(
                        sheet->composed.boxes[b], 1, 1, AnswerFieldHeight(in.mojiSize),
                        sheet->kran().number(KranLine::BoxWidth),
                        sheet->kran().number(KranLine::BoxHeight));
                    const QRect edges = shape == 2 || shape == 3 ? rects.base : rects.box;
                    const QRectF frame(QPointF(edges.topLeft()) * f,
                                       QPointF(edges.right(), edges.bottom()) * f);
                    for (qsizetype i = 0; i < pageTexts.size(); ++i)
                        if (owner[i] != b && owner[i] >= 0) {
                            EXPECT_FALSE(frame.intersects(inkOnPage(pageTexts[i], f)))
                                << "box " << b << " covers " << pageTexts[i].text.toStdString();
                        }
                }
                ++checked;
            }
        }
    }
    EXPECT_GE(checked, 10);
    EXPECT_EQ(messages.texts(), QStringList());
}

TEST(PageComposer, UnplacedFiguresGoBesideTheirPieceAndAreWrittenBack)
{
    Sheet sheet = sheetOf({"ab", "", "cd"});
    sheet.content.questionFigures =
        QStringList{"f1.bmp", "-1", "-1", "f2.bmp", "200", "300", "f3.bmp", "0", "5"};
    sheet.questionPictures = {QImage(20, 10, QImage::Format_RGB32),
                              QImage(30, 40, QImage::Format_RGB32), QImage()};
    sheet.content.answerFigures = QStringList{"a2.bmp", "7", "8", "a2.bmp", "70", "80"};
    sheet.answerPictures = {QImage(), QImage(5, 6, QImage::Format_RGB32)};

    for (const bool shown : {false, true}) {
        sheet.answersShown = shown;
        RecordingSurface surface;
        compose(sheet, surface);
        // Piece 1 starts at (50, 98); piece 3 was never drawn.
        EXPECT_EQ(sheet.content.questionFigures,
                  QStringList({"f1.bmp", "90", "98", "f2.bmp", "200", "300", "f3.bmp", "40", "0"}));
        QList<QRect> images;
        for (const Op& op : opsOf(surface, Op::Image))
            images << op.rect;
        if (shown)
            EXPECT_EQ(images, QList<QRect>({QRect(70, 80, 5, 6)})); // answer figure 1 is empty
        else
            EXPECT_EQ(images, QList<QRect>({QRect(90, 98, 20, 10), QRect(200, 300, 30, 40)}));
    }

    // A printer page places by screen coordinates too.
    sheet.content.questionFigures[1] = "-1";
    RecordingSurface page(600, 1260);
    compose(sheet, page, plainInputs(), ComposeTarget{1260, 1782, true, 630});
    EXPECT_EQ(sheet.content.questionFigures.mid(1, 2), QStringList({"90", "98"}));
}

TEST(PageComposer, SixteenFiguresAreReportedAndFifteenUsed)
{
    ScriptedMessages messages;
    ScopedMessages scope(messages);
    for (const int count : {15, 16}) {
        messages.clear();
        Sheet sheet = sheetOf({"ab"});
        for (int i = 0; i < count; ++i) {
            sheet.content.questionFigures << "f.bmp"
                                          << "10"
                                          << "20";
            sheet.questionPictures << QImage(4, 4, QImage::Format_RGB32);
        }
        RecordingSurface surface;
        compose(sheet, surface);
        EXPECT_EQ(messages.texts(),
                  count == 16 ? QStringList{"16:問題のグラフが多すぎます15"} : QStringList());
        EXPECT_EQ(sheet.composed.figures.size(), 15);
        EXPECT_EQ(opsOf(surface, Op::Image).size(), 15);
    }
}

TEST(PageComposer, DateAndNameLines)
{
    struct Case
    {
        QString unitId;
        bool number;
        bool learnerFlag;
        QString learner;
        QString school;
        QString dateLine;
        QString nameLine;
    };
    const QString longId = QString(40, u'x') + "Seisu1.que-U2";
    const std::vector<Case> cases = {
        {"Seisu1.que-U2", false, false, "山田", "", "  2024.05.06-07:08　Seisu1.que-U2",
         "　　　　　　　　氏名"},
        {longId, true, true, "山田", "東小", "№ 3  2024.05.06-07:08　Seisu1.que-U2",
         "山田 東小　　氏名"},
        {"U", false, true, "公開", "東小", "  2024.05.06-07:08　U", "東小　　氏名"},
        {"U", false, true, "noname", "", "  2024.05.06-07:08　U", "　　　　　　　　氏名"},
    };
    for (const Case& c : cases) {
        Sheet sheet = sheetOf({});
        sheet.source.unitId = c.unitId;
        sheet.printsLearnerName = c.learnerFlag;
        ComposeInputs in = plainInputs();
        in.printed = true;
        in.jisshibi = true;
        in.number = c.number;
        in.startNumber = 3;
        in.learnerName = c.learner;
        in.schoolName = c.school;
        RecordingSurface surface;
        compose(sheet, surface, in);
        const QList<Op> texts = surface.texts();
        ASSERT_EQ(texts.size(), 3);
        EXPECT_EQ(texts[0].text, c.dateLine);
        EXPECT_EQ(texts[0].rect.topLeft(), QPoint(50, 15));
        EXPECT_EQ(texts[1].text, "実施日　　月　　日");
        EXPECT_EQ(texts[1].rect.topLeft(), QPoint(460, 15));
        EXPECT_EQ(texts[2].text, c.nameLine);
        EXPECT_EQ(texts[2].rect.topLeft(), QPoint(200, 65));
        EXPECT_EQ(texts[2].fontSize, 16);
    }
}

TEST(PageComposer, StudyModeReusesStartsAndPadsLearnerAnswers)
{
    Sheet sheet = sheetOf({"ab#12#", "c#345#"});
    RecordingSurface surface;
    compose(sheet, surface);
    sheet.settings.leftMargin = 0;

    ComposeInputs in = plainInputs();
    in.reusePieceStarts = true;
    in.learnerAnswers = {"7", "initX"};
    compose(sheet, surface, in);
    EXPECT_EQ(surface.findText("ab")->rect.x(), 50);
    EXPECT_EQ(surface.findText(" 7")->rect.x(), 60);
    EXPECT_EQ(surface.findText("c")->rect.x(), 50);
    EXPECT_NE(surface.findText("   "), nullptr);
    EXPECT_EQ(surface.findText("12"), nullptr);
}

TEST(PageComposer, FullTablesStayIntactAndEverythingIsDrawn)
{
    QStringList lines;
    for (int i = 0; i < 61; ++i)
        lines << QStringLiteral("q#%1#r#%2#s").arg(2 * i).arg(2 * i + 1);
    Sheet sheet = sheetOf(lines);
    RecordingSurface surface;
    compose(sheet, surface);
    // 60 lines of 2 blanks and 5 pieces each; the 61st line is not a sheet line.
    EXPECT_EQ(sheet.composed.lstKai.size(), 121);
    EXPECT_EQ(sheet.composed.boxes.count(), 80);
    EXPECT_EQ(sheet.composed.boxes[80].answer, "79");
    EXPECT_EQ(sheet.composed.boxes[81].answer, QString()); // slot 0, not past the table
    EXPECT_EQ(sheet.composed.piecePositions.count, 240);
    EXPECT_NE(surface.findText("119"), nullptr);
    EXPECT_EQ(surface.findText("120"), nullptr);
}

TEST(PageComposer, ExtremeInputsDoNotBreakTheComposition)
{
    Sheet sheet = sheetOf({"#", "@", "a@", "@@", "/", "1/", "#@/#", "", "a#b;;#", "@_#x#@/"});
    sheet.settings.leftMargin = INT_MAX;
    sheet.settings.rightMargin = INT_MIN;
    sheet.settings.characterSize = INT_MAX;
    sheet.settings.lstKranX =
        QStringList{"5", "2147483647", "-2147483648", "2", "99999999999", "x"};
    ComposeInputs in = plainInputs();
    in.mojiSize = INT_MAX;
    in.gyouSpace = INT_MIN;
    in.bekkai = true;
    for (const bool printer : {false, true}) {
        RecordingSurface surface;
        compose(sheet, surface, in, ComposeTarget{printer ? 0 : 630, 0, printer, 0});
        EXPECT_EQ(sheet.composed.lstKai, QStringList({"start", "@/", "b;;", "x"}));
        EXPECT_EQ(opsOf(surface, Op::RoundRect).size(), 3);
    }
    Sheet quiet = sheetOf({"ab"});
    ComposeInputs off = plainInputs();
    off.composing = false;
    RecordingSurface surface;
    compose(quiet, surface, off);
    EXPECT_TRUE(surface.ops().isEmpty());
}

TEST(PageComposer, LineStartsOfTheScreenLayout)
{
    Sheet sheet = sheetOf({"1+2=#3#", "", "text"});
    RecordingSurface surface;
    compose(sheet, surface);
    ASSERT_EQ(sheet.composed.lineStarts.size(), 4);
    EXPECT_EQ(sheet.composed.lineStarts[1], QPoint(50, 98));
    EXPECT_EQ(sheet.composed.lineStarts[2], QPoint());
    EXPECT_EQ(sheet.composed.lineStarts[3].x(), 50);
    EXPECT_GT(sheet.composed.lineStarts[3].y(), 98 + 30);
    // A printer page keeps the screen's starts.
    RecordingSurface page(600, 1260);
    compose(sheet, page, plainInputs(), ComposeTarget{1260, 1782, true, 630});
    EXPECT_EQ(sheet.composed.lineStarts[1], QPoint(50, 98));
}

TEST(PageComposer, LinesPastThePageEdgeAreNamed)
{
    // A single-byte character is 5 pixels wide from x = 50; a rectangle box reaches 75
    // pixels right of its answer, the page 630.
    struct Case
    {
        const char* name;
        QStringList questions;
        int shape;
        QList<int> past;
    };
    const QString fits(116, u'x');  // ends at 630
    const QString wide(117, u'x');  // ends at 635
    const QString boxed(105, u'x'); // box from 575 + 5 to 650
    const std::vector<Case> cases = {
        {"text to the edge", {fits}, 0, {}},
        {"text past the edge", {wide}, 0, {1}},
        {"a box past the edge", {"ab#1#", boxed + "#1#"}, 1, {2}},
        {"the same line without boxes", {boxed + "#1#"}, 0, {}},
        {"lines counted across empty ones", {"", wide, "ab", wide + "#1#"}, 1, {2, 4}},
    };
    for (const Case& c : cases) {
        Sheet sheet = sheetOf(c.questions);
        sheet.settings.lstKranX[0] = QString::number(c.shape);
        RecordingSurface surface;
        compose(sheet, surface);
        EXPECT_EQ(LinesPastPage(sheet), c.past) << c.name;
        EXPECT_EQ(LinesPastPageWarning(LinesPastPage(sheet)).isEmpty(), c.past.isEmpty()) << c.name;
    }
}

// A page without a copy's seed or an answer key's mark is drawn as it always was: every
// drawing call of a screen and a printer page, answers hidden and shown, hashes to what the
// composer drew before those marks existed.
TEST(PageComposer, PagesWithoutCopyMarksAreDrawnAsBefore)
{
    Sheet sheet = sheetOf({QStringLiteral("(1) 17÷5＝#3…2;3あまり2#"), QString(),
                           QStringLiteral("(2) 3/4+1/4＝#1#"), QStringLiteral("@B12×3＝#36#")});
    sheet.settings.lstKranX[0] = "1";
    sheet.content.title = QStringLiteral("整数の計算//わり算§3-2 あまり");
    sheet.source.unitId = QStringLiteral("Seisu3.que-U2");
    ComposeInputs in = plainInputs();
    in.number = in.printed = in.jisshibi = in.bekkai = true;
    in.startNumber = 5;
    const char* sha1[2][2] = {
        {"656527a090eb9ec70b06bf920334201fb18d54c0", "c429be366762ee0b4fcba5ae1e644e589f7b836c"},
        {"4a95d32fc32ac0ebb9758e21015223d071f5dd7b", "c6b90cb36ce5c1855e87bc0e9d7dbe568db0225c"}};
    for (const bool printer : {false, true}) {
        for (const bool shown : {false, true}) {
            sheet.answersShown = shown;
            const ComposeTarget target =
                printer ? ComposeTarget{2480, 3508, true} : ComposeTarget{};
            RecordingSurface surface(printer ? 300 : 96, target.width);
            compose(sheet, surface, in, target);
            QString dump;
            for (const Op& op : surface.ops())
                dump += QStringLiteral("%1 %2,%3,%4,%5 %6 %7 %8 %9 %10 %11\n")
                            .arg(op.kind)
                            .arg(op.rect.x())
                            .arg(op.rect.y())
                            .arg(op.rect.width())
                            .arg(op.rect.height())
                            .arg(op.text)
                            .arg(op.fontSize)
                            .arg(op.colour, 0, 16)
                            .arg(op.style)
                            .arg(op.face)
                            .arg(op.penWidth);
            EXPECT_EQ(QCryptographicHash::hash(dump.toUtf8(), QCryptographicHash::Sha1).toHex(),
                      sha1[printer][shown])
                << dump.toStdString();
        }
    }
}

namespace {

// The digits a column problem drew, by the centre of each: (x, y) → digit.
QList<std::pair<QPoint, QString>> digitsDrawn(const RecordingSurface& surface, QRgb colour)
{
    QList<std::pair<QPoint, QString>> found;
    for (const Op& op : bodyTexts(surface))
        if (op.text.size() == 1 && op.text.at(0).isDigit() && op.colour == colour)
            found.append({QPoint(op.rect.x() + op.rect.width() / 2, op.rect.y()), op.text});
    return found;
}

} // namespace

TEST(PageComposer, ColumnProblemsKeepOnePlaceInOneColumnAndDrawTheirAnswers)
{
    // {line, the answer digits as drawn in blue, left to right and top to bottom}
    const std::pair<const char*, const char*> cases[] = {
        {"(1)@H345+278=#623#", "623"},        {"(1)@Hc702-358=#344#", "344"},
        {"(1)@Hm3.5+1.25=#4.75#", "475"},     {"(1)@H123*45=#615#,#492#,#5535#", "6154925535"},
        {"(1)@H2.35*14=#32.9#", "940235329"}, {"(1)@Hs139\\6=#23…1#", "231219181"},
    };
    for (const auto& [line, digits] : cases) {
        SCOPED_TRACE(line);
        Sheet sheet = sheetOf({line});
        RecordingSurface surface;
        compose(sheet, surface);
        ASSERT_EQ(sheet.composed.columnProblems.size(), 1);
        const PlacedColumnProblem& placed = sheet.composed.columnProblems.front();
        // Every digit drawn stands in the column of its place, whatever its row.
        QMap<int, int> xOfPlace;
        for (size_t i = 0; i < placed.layout.cells.size(); ++i) {
            const ColumnCell& c = placed.layout.cells[i];
            if (placed.drawn.at(qsizetype(i)).isEmpty() || c.role == CellRole::Divisor)
                continue;
            const QRect r = placed.cellRect(c.row, c.column);
            std::optional<Op> op;
            for (const Op& t : surface.texts())
                if (t.text == placed.drawn.at(qsizetype(i)) && r.contains(t.rect.topLeft()))
                    op = t;
            ASSERT_TRUE(op) << c.row << "," << c.column;
            const int centre = op->rect.x() + op->rect.width() / 2;
            EXPECT_EQ(xOfPlace.value(c.place, centre), centre) << "place " << c.place;
            xOfPlace[c.place] = centre;
        }
        QString blue;
        QList<std::pair<QPoint, QString>> drawn = digitsDrawn(surface, qRgb(0, 0, 255));
        std::sort(drawn.begin(), drawn.end(), [](const auto& a, const auto& b) {
            return a.first.y() != b.first.y() ? a.first.y() < b.first.y()
                                              : a.first.x() < b.first.x();
        });
        for (const auto& d : drawn)
            blue += d.second;
        EXPECT_EQ(blue, QString::fromUtf8(digits));
    }
}

TEST(PageComposer, QuotientCarriesAndRemainderStandWhereTheyAreWritten)
{
    // The quotient's digits, each over the dividend digit it comes from; no leading zero.
    // {line, dividend, quotient: the dividend digit under each quotient digit}
    const std::tuple<const char*, const char*, std::vector<std::pair<char, char>>> cases[] = {
        {"@H138\\6=#23#", "138", {{'2', '3'}, {'3', '8'}}},
        {"@H738\\6=#123#", "738", {{'1', '7'}, {'2', '3'}, {'3', '8'}}},
    };
    for (const auto& [line, dividend, over] : cases) {
        SCOPED_TRACE(line);
        Sheet sheet = sheetOf({line});
        RecordingSurface surface;
        compose(sheet, surface);
        const auto black = digitsDrawn(surface, qRgb(0, 0, 0));
        const auto blue = digitsDrawn(surface, qRgb(0, 0, 255));
        ASSERT_EQ(blue.size(), qsizetype(over.size()));
        // The dividend is the row of black digits right of the divisor 6.
        QList<std::pair<QPoint, QString>> row;
        for (const auto& d : black)
            if (d.first.y() == black.back().first.y())
                row.append(d);
        ASSERT_EQ(row.size(), 4); // the divisor and three digits
        for (qsizetype i = 0; i < blue.size(); ++i) {
            const qsizetype under = 1 + 3 - qsizetype(over.size()) + i;
            EXPECT_EQ(blue[i].second.at(0), QChar(over[i].first));
            EXPECT_EQ(row[under].second.at(0), QChar(over[i].second));
            EXPECT_EQ(blue[i].first.x(), row[under].first.x());
            EXPECT_LT(blue[i].first.y(), row[under].first.y());
        }
        EXPECT_EQ(row[1].second + row[2].second + row[3].second, QString::fromUtf8(dividend));
    }

    // Carry cells: small squares over the tens, hundreds and thousands of 645+478, above the
    // first operand. The remainder of 139÷6 is the lowest digit, under the 9.
    Sheet sheet = sheetOf({"@Hc645+478=#1123#", "", "", "", "", "", "@Hs139\\6=#23…1#"});
    RecordingSurface surface;
    compose(sheet, surface);
    const auto blue = digitsDrawn(surface, qRgb(0, 0, 255));
    const auto black = digitsDrawn(surface, qRgb(0, 0, 0));
    QList<int> carryCentres;
    int firstOperandTop = INT_MAX;
    for (const auto& d : black)
        firstOperandTop = std::min(firstOperandTop, d.first.y());
    for (const Op& op : opsOf(surface, Op::Rectangle)) {
        carryCentres.append((op.rect.left() + op.rect.right()) / 2);
        EXPECT_LE(op.rect.bottom(), firstOperandTop);
    }
    ASSERT_EQ(carryCentres.size(), 3);
    for (int i = 0; i < 3; ++i) // the answer's 1, 1, 2 stand in the thousands..tens
        EXPECT_NEAR(carryCentres[i], blue[i].first.x(), 1);
    const auto lowest =
        std::max_element(blue.begin(), blue.end(),
                         [](const auto& a, const auto& b) { return a.first.y() < b.first.y(); });
    EXPECT_EQ(lowest->second, "1");
    const auto nine =
        std::find_if(black.begin(), black.end(), [](const auto& d) { return d.second == "9"; });
    ASSERT_NE(nine, black.end());
    EXPECT_EQ(lowest->first.x(), nine->first.x());
}

TEST(PageComposer, ColumnLinesMakeRoomAndTheirAnswersAreBoxesWithoutInk)
{
    const QStringList lines = {"(1)@H345+278=#623#　(2)@H12*3=#36#", "next #5#"};
    Sheet shown = sheetOf(lines);
    RecordingSurface a;
    compose(shown, a);
    ASSERT_EQ(shown.composed.columnProblems.size(), 2);
    const PlacedColumnProblem& first = shown.composed.columnProblems[0];
    const PlacedColumnProblem& second = shown.composed.columnProblems[1];
    // Side by side on one line, and the next line below both.
    EXPECT_EQ(first.origin.y(), second.origin.y());
    EXPECT_GT(second.origin.x(), first.origin.x() + first.layout.columns * first.cell.width());
    const int bottom = first.cellRect(first.layout.rows - 1, 0).bottom();
    const Op* next = a.findText("next ");
    ASSERT_TRUE(next);
    EXPECT_GT(next->rect.y(), bottom);
    // One box per answer, over its cells, in reading order with the line's other blank.
    EXPECT_EQ(shown.composed.lstKai, QStringList({"start", "623", "36", "5"}));
    ASSERT_EQ(shown.composed.boxes.count(), 3);
    EXPECT_EQ(shown.composed.boxes[1].cells.size(), 3);
    EXPECT_EQ(shown.composed.boxes[2].cells.size(), 2);
    EXPECT_TRUE(shown.composed.boxes[3].cells.isEmpty());
    for (const auto& d : digitsDrawn(a, qRgb(0, 0, 255))) {
        int holders = 0;
        for (int b = 1; b <= 2; ++b)
            for (const QRect& r : shown.composed.boxes[b].cells)
                holders += r.contains(d.first) ? 1 : 0;
        EXPECT_EQ(holders, d.second == "5" ? 0 : 1) << d.second.toStdString();
    }

    // Hidden: the same boxes and places, and no digit of an answer on a printer page.
    Sheet hidden = sheetOf(lines);
    hidden.answersShown = false;
    RecordingSurface screen;
    compose(hidden, screen);
    EXPECT_EQ(hidden.composed.boxes[1].cells, shown.composed.boxes[1].cells);
    RecordingSurface page(600, 1260);
    compose(hidden, page, plainInputs(), ComposeTarget{1260, 1782, true, 630});
    EXPECT_TRUE(digitsDrawn(page, qRgb(0, 0, 255)).isEmpty());
    EXPECT_TRUE(digitsDrawn(page, qRgb(255, 255, 255)).isEmpty());
    // Only the question's own digits: 345, 278, 12 and 3.
    EXPECT_EQ(textsOf(page.texts()).filter(QRegularExpression("^[0-9]$")).size(), 9);

    // A hidden division keeps its bar and bracket; the rules under its steps would tell how
    // the steps go.
    for (const bool answersShown : {true, false}) {
        Sheet division = sheetOf({"@Hs139\\6=#23…1#"});
        division.answersShown = answersShown;
        RecordingSurface drawn;
        compose(division, drawn);
        const QList<Op> lines = opsOf(drawn, Op::Line);
        // The page's two header rules, the bar, the bracket's three strokes, two step rules.
        EXPECT_EQ(lines.size(), answersShown ? 2 + 1 + 3 + 2 : 2 + 1 + 3);
    }
}
