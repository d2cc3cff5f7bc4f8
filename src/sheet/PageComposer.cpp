#include "sheet/PageComposer.h"

#include "courseware/ParsedUnit.h"
#include "courseware/QuestionLine.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "platform/Numbers.h"
#include "sheet/AnswerFrames.h"
#include "sheet/ColumnProblemInk.h"
#include "sheet/MeasuringSurface.h"
#include "sheet/Sheet.h"

#include <algorithm>
#include <array>

namespace zendra {

namespace {

// What the style marks of one piece change for the pieces after it in a composition.
struct PieceRun
{
    int baseSize = 10; // B
    int size = 10;     // "@-", "@+" and "@=" set it from baseSize
    QPoint ruleStart;  // "@_" and "@%" remember it, "@/" draws to it
};

// Draws one text piece at (x, y): its text split at '@' into text and one-character
// commands, each element taken as a command by its first character. Records the piece's
// start in the sheet's piece positions and returns the surface's pen position afterwards.
QPoint DrawPiece(Composition& out, Surface& surface, PieceRun& run, const QString& text, int x,
                 int y, double scale);

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kAnswerColour = qRgb(0, 0, 255);
constexpr QRgb kKeyMarkColour = qRgb(255, 0, 0);
constexpr QRgb kAlternativeColour = qRgb(128, 128, 128);

constexpr int kMaxLines = 60;

// Settings are unbounded in the files and some dialogs; keeping every operand and every
// rounded result far inside int keeps the arithmetic defined for any value.
int bounded(int value)
{
    return std::clamp(value, -1000000, 1000000);
}

int px(double value)
{
    return roundHalfEven(std::clamp(value, -1.0e7, 1.0e7));
}

// What a learner's answer looks like in its box: as long as the model answer, so the page
// does not shift; shorter answers get a leading blank and trailing blanks.
QString paddedAnswer(const QString& text, const QString& model)
{
    const QString given = text == QLatin1StringView("initX") ? QString() : text;
    const int modelBytes = cp932::byteLength(model);
    if (cp932::byteLength(given) >= modelBytes)
        return given;
    const QString blanks(12, u' ');
    const QString filled = given.isEmpty() ? blanks : u' ' + given + blanks;
    return cp932::leftBytes(filled, modelBytes);
}

bool showsLearnerName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1StringView("noname") && name != u"公開" &&
           name != u"共通";
}

// Every page is laid out in the screen page's units (s = 1): a printer page is the screen
// layout drawn scaled by the surface, so its pieces and boxes stand where the screen has them.
struct Layout
{
    int W = 0;
    int H = 0;
    double s = 1.0;
    double r = 1.0;
    int B = 10;
    int k = 0;
    double L = 0.0;
    int xL = 0;
    int xR = 0;
    int rightInset = 0; // round(right margin × 10 × s)
};

Layout computeLayout(const Sheet& sheet, const ComposeTarget& target, const ComposeInputs& inputs)
{
    Layout l;
    l.W = std::max(1, bounded(target.width));
    l.H = std::max(1, bounded(target.height));
    l.r = l.W / static_cast<double>(std::max(1, bounded(target.screenImageWidth)));
    l.B = bounded(inputs.mojiSize);
    if (l.B <= 0)
        l.B = 10;
    l.L = bounded(inputs.gyouSpace) * l.s * 0.7875;
    l.xL = px(bounded(sheet.settings.leftMargin) * 10 * l.s);
    l.rightInset = px(bounded(sheet.settings.rightMargin) * 10 * l.s);
    l.xR = px(l.W - l.rightInset);
    return l;
}

// The title's size: 12 points where its lines fit, smaller where the face would make two
// lines overlap (their tops are `lineGap` apart) or a line run past the right edge.
int titleSize(Surface& surface, const QString& first, const QString& second, int room, int lineGap)
{
    constexpr int kTitleSize = 12;
    const auto fits = [&](int size) {
        surface.setFontSize(size);
        const int em = px(size * surface.resolution() / 72.0);
        if (!first.isEmpty() && !second.isEmpty() && em > lineGap)
            return false;
        return surface.textWidth(first) <= room && surface.textWidth(second) <= room;
    };
    int size = kTitleSize;
    while (size > 1 && !fits(size))
        --size;
    return size;
}

void drawHeader(const Sheet& sheet, Composition& out, Surface& surface, const Layout& l,
                const ComposeInputs& inputs)
{
    const double s = l.s;
    const double r = l.r;

    surface.setPenColour(kBlack);
    surface.setPenWidth(std::max(1, px(2 * s)));
    for (const int y : {px(30 * r), px(90 * r)}) {
        surface.moveTo(l.xL, y);
        surface.lineTo(l.xR, y);
    }
    surface.setPenWidth(1);

    if (sheet.kran().text(KranLine::Columns) == QLatin1StringView("2")) {
        const int x = halfOf(l.W - l.rightInset + l.B + l.xL) - px(10 * s);
        surface.moveTo(x, px(90 * r));
        surface.lineTo(x, px(0.97 * l.H));
    }

    const QString numberText =
        inputs.number
            ? QStringLiteral("№ ") + QString::number(inputs.startNumber) + inputs.numberSuffix
            : QString();

    surface.setFontColour(kBlack);
    surface.setFontSize(10);
    const int dateY = px(15 * r);
    if (inputs.printed) {
        QString id = sheet.source.unitId;
        if (cp932::byteLength(id) > 40)
            id = id.mid(cp932::leftBytes(id, 40).size());
        surface.textOut(l.xL, dateY,
                        numberText + QStringLiteral("  ") +
                            inputs.now.toString(QStringLiteral("yyyy.MM.dd-HH:mm")) + u'　' + id);
    }
    if (inputs.jisshibi)
        surface.textOut(px(l.W - l.rightInset - 120 * s), dateY,
                        QStringLiteral("実施日　　月　　日"));

    const int titleX = inputs.classFlag ? px((sheet.classFlag.width() + 5) * s) + l.xL : l.xL;
    QString first = sheet.content.title;
    QString second;
    const QPoint scorePosition(px(l.W - l.rightInset - 75 * s), px(35 * r));
    // On an answer key the title makes room for the key's mark.
    const int room = (inputs.keyMark.isEmpty() ? l.xR : scorePosition.x() - px(10 * s)) - titleX;
    const int lineGap = px(48 * r) - px(35 * r);
    if (cp932::byteLength(sheet.content.title) > 60) {
        // Long titles break before the section mark; without one the whole title moves
        // to the second line, and what the second line has no room for starts on the first.
        const qsizetype mark = sheet.content.title.indexOf(u'§');
        first = mark < 0 ? QString() : sheet.content.title.left(mark);
        second = QStringLiteral("　　") +
                 (mark < 0 ? sheet.content.title : sheet.content.title.mid(mark));
        if (mark < 0 && titleSize(surface, QString(), second, room, lineGap) < 12) {
            const QString any = QStringLiteral("x");
            surface.setFontSize(titleSize(surface, any, any, room, lineGap));
            // The longest start of the title that fits the first line.
            qsizetype n = 0;
            for (qsizetype low = 0, high = sheet.content.title.size(); low < high;) {
                const qsizetype mid = (low + high + 1) / 2;
                if (surface.textWidth(sheet.content.title.left(mid)) <= room)
                    n = low = mid;
                else
                    high = mid - 1;
            }
            if (n > 0) {
                first = sheet.content.title.left(n);
                second = n < sheet.content.title.size()
                             ? QStringLiteral("　　") + sheet.content.title.mid(n)
                             : QString();
            }
        }
    }
    surface.setFontSize(titleSize(surface, first, second, room, lineGap));
    if (!first.isEmpty())
        surface.textOut(titleX, px(35 * r), first);
    if (!second.isEmpty())
        surface.textOut(titleX, px(48 * r), second);
    out.scorePosition = scorePosition;
    if (!inputs.keyMark.isEmpty()) {
        surface.setFontSize(12);
        surface.setFontStyle(StyleBold);
        surface.setFontColour(kKeyMarkColour);
        surface.textOut(scorePosition.x(), scorePosition.y(), inputs.keyMark);
        surface.setFontStyle(StylePlain);
        surface.setFontColour(kBlack);
    }

    surface.setFontSize(16);
    QString nameLine = inputs.schoolName.isEmpty() ? QStringLiteral("　　　　　　　　氏名")
                                                   : inputs.schoolName + QStringLiteral("　　氏名");
    if (sheet.printsLearnerName && showsLearnerName(inputs.learnerName))
        nameLine = inputs.learnerName + u' ' + nameLine;
    surface.textOut(px(150 * s + l.xL), px(65 * r), nameLine);
}

// How far a column problem reaches: its right edge and the height its line needs.
struct ColumnSpan
{
    int right = 0;
    int height = 0;
};

// Draws the question lines. While registering, records where each line starts and ends and,
// in `boxLines`, the line of each box it adds to the table.
void drawBody(const Sheet& sheet, Composition& out, Surface& surface, const Layout& l,
              const ComposeInputs& inputs, bool registering, bool handout, QList<int>& boxLines)
{
    const double s = l.s;
    const int k = l.k;
    NotationRenderer& renderer = out.renderer;

    double Y = 65 * l.r + px(20 * l.r) + px(17 * l.r * 0.7875);
    int y = px(Y);
    surface.setFontColour(kBlack);
    surface.setPenWidth(1);
    if (registering)
        out.boxes.clearLayout();
    out.lstKai.clear();
    out.lstKai.append(QStringLiteral("start"));
    const bool reuse = inputs.reusePieceStarts;
    PieceStartMemory& starts = out.pieceStarts;
    if (!reuse)
        starts.recorded = 0;
    int blankNumber = 0;
    PieceRun run;
    run.baseSize = l.B;
    run.size = l.B;

    const int answerColumn = bounded(sheet.kran().number(KranLine::AnswerColumn));
    const QRgb answerColour = sheet.answersShown ? kAnswerColour : kWhite;
    const QRgb alternativeColour = sheet.answersShown ? kAlternativeColour : kWhite;
    // On the screen hidden answers are drawn white; a handout leaves them out.
    const bool leaveAnswersOut = handout && !sheet.answersShown;
    MeasuringSurface measuring(surface);
    Surface& answerSurface = leaveAnswersOut ? static_cast<Surface&>(measuring) : surface;

    const int lineCount =
        static_cast<int>(std::min<qsizetype>(sheet.content.questions.size(), kMaxLines));
    if (registering) {
        out.lineStarts = QList<QPoint>(lineCount + 1);
        out.lineEnds = QList<int>(lineCount + 1);
        boxLines.clear();
    }
    out.columnProblems.clear();

    // A box for the blank just drawn: `answer` is its raw piece, drawn from boxX to x.
    const auto registerBox = [&](int boxX, int boxY, int width, const QString& answer, int n) {
        if (!registering)
            return 0;
        const int before = out.boxes.count();
        out.boxes.add(boxX, boxY, width, answer, surface.fontSize());
        if (out.boxes.count() == before)
            return 0;
        boxLines.append(n + 1);
        return out.boxes.count();
    };
    // The start of the text before the next blank, which study mode may reuse.
    const auto blankStart = [&](int x) {
        ++blankNumber;
        int start = x;
        if (blankNumber <= PieceStartMemory::kMaxStarts) {
            if (!reuse) {
                starts.x[blankNumber] = x;
                starts.recorded = blankNumber;
            } else if (blankNumber <= starts.recorded) {
                start = px(starts.x[blankNumber] * s);
            }
        }
        return start;
    };

    // Draws the text of a line, or of the stretch of a line around its column problems, with
    // its blanks from x on. Returns the right-most x it drew to.
    const auto drawSegment = [&](const QString& text, int x, int n) {
        const QStringList pieces = SplitQuestionLine(text);
        // An unpaired '#' closes no blank: what follows it is not drawn.
        const int blanks = static_cast<int>((pieces.size() - 1) / 2);
        int end = x;
        surface.setFontColour(kBlack);
        if (blanks == 0)
            return DrawPiece(out, surface, run, pieces.at(0), x, y, s).x();
        for (int b = 0; b < blanks; ++b) {
            surface.setFontColour(kBlack);
            const int start = blankStart(x);
            x = DrawPiece(out, surface, run, pieces.at(2 * b), start, y, s).x();
            end = std::max(end, x);

            const QString& answer = pieces.at(2 * b + 1);
            out.lstKai.append(answer);
            const int boxX = answerColumn != 0 ? px(answerColumn * 10 * s) : x;

            const bool hasAlternatives = answer.contains(u';');
            const QStringList alternatives = hasAlternatives ? SplitAnswer(answer) : QStringList();
            QString shown = hasAlternatives ? alternatives.at(0) : answer;
            if (reuse && blankNumber <= inputs.learnerAnswers.size())
                shown = paddedAnswer(inputs.learnerAnswers.at(blankNumber - 1), answer);

            // A study page shows no answer of a blank without an entry box.
            const bool unasked = inputs.studyBoxes >= 0 && blankNumber > inputs.studyBoxes;
            surface.setFontColour(answerColour);
            x = DrawPiece(out, unasked ? measuring : answerSurface, run, shown, boxX, y, s).x();
            end = std::max(end, x);

            if (inputs.bekkai && alternatives.size() >= 2 && !leaveAnswersOut && !unasked) {
                QPoint at(boxX + px(50 * s), y + k);
                for (qsizetype a = 1; a < alternatives.size(); ++a)
                    at =
                        renderer.DrawNotation(run.size, at.x(), at.y(), alternativeColour,
                                              QStringLiteral(" ") + alternatives.at(a), surface, s);
                end = std::max(end, at.x());
            }
            registerBox(boxX, y, x - boxX, answer, n);
        }
        surface.setFontColour(kBlack);
        return std::max(end, DrawPiece(out, surface, run, pieces.at(2 * blanks), x, y, s).x());
    };

    // Every column problem draws in the body size: its digits are measured once.
    std::array<int, 10> digitWidths;
    digitWidths.fill(-1);

    // Draws a column problem with its top where the text of the line has its top, and
    // registers a box over the cells of each of its answers.
    const auto drawColumns = [&](const ColumnMark& mark, int x, int n) {
        const ColumnLayout& layout = *mark.layout;
        PlacedColumnProblem placed;
        placed.line = n + 1;
        const int em = px(run.baseSize * 96 / 72.0);
        const int side = em + px(em / 4.0);
        placed.cell = QSize(side, side);
        placed.origin = QPoint(x + px(em / 4.0), y + 2 * k);
        placed.layout = layout;

        // The learner's answers (study mode) go into the cells of their answer, right-aligned
        // row by row; otherwise the cells show the worked digits when answers are shown.
        std::vector<int> boxOf(layout.answerCount, 0);
        std::vector<bool> unasked(layout.answerCount, false);
        std::vector<QStringList> given(layout.answerCount);
        QList<QPoint> boxAt;
        for (int a = 0; a < layout.answerCount; ++a) {
            blankStart(x);
            out.lstKai.append(mark.answers.at(a));
            unasked[a] = inputs.studyBoxes >= 0 && blankNumber > inputs.studyBoxes;
            if (reuse && blankNumber <= inputs.learnerAnswers.size()) {
                const QString text = inputs.learnerAnswers.at(blankNumber - 1);
                given[a] = (text == QLatin1StringView("initX") ? QString() : text).split(u'…');
            }
            const std::vector<const ColumnCell*> cells = layout.answerCells(a);
            QList<QRect> rects;
            for (const ColumnCell* c : cells)
                rects.append(placed.cellRect(c->row, c->column));
            QRect first = rects.isEmpty() ? QRect(placed.origin, placed.cell) : rects.front();
            for (const QRect& r : rects)
                if (r.top() == first.top())
                    first = first.united(r);
            // The box's field (3 pixels in from its x and y) lies on the answer's first row.
            const int id = registerBox(first.left(), first.top() - 3, first.width() + 3,
                                       mark.answers.at(a), n);
            if (id > 0)
                out.boxes.box(id).cells = rects;
            boxOf[a] = id;
        }
        placed.firstBox = boxOf.empty() ? 0 : boxOf.front();

        const ColumnInk ink{surface,      measuring,          answerSurface,      run.baseSize,
                            em,           std::max(1, px(s)), sheet.answersShown, leaveAnswersOut,
                            answerColour, digitWidths};
        DrawColumnProblem(ink, placed, unasked, given);
        surface.setPenWidth(1);

        out.columnProblems.append(placed);
        const ColumnSpan span{placed.origin.x() + layout.columns * side + px(em / 4.0),
                              2 * k + layout.rows * side + px(em / 2.0)};
        return span;
    };

    for (int n = 0; n < lineCount; ++n) {
        const QString& line = sheet.content.questions.at(n);
        if (registering && !line.isEmpty())
            out.lineStarts[n + 1] = QPoint(l.xL, y);
        if (line.isEmpty()) {
            Y += l.L;
            y = px(Y);
            continue;
        }
        int end = l.xL;
        int advance = 0; // beyond the line step: what a column problem needs
        surface.setFontColour(kBlack);
        const std::vector<ColumnMark> marks =
            line.contains(u"@H") ? FindColumnMarks(line) : std::vector<ColumnMark>();
        bool columns = false;
        for (const ColumnMark& m : marks)
            columns |= m.error.isEmpty() && m.layout.has_value();
        if (!columns) {
            end = drawSegment(line, l.xL, n);
        } else {
            // The text around the problems is drawn as any line is; a mark that does not read
            // stays text, so the author sees it.
            int x = l.xL;
            qsizetype from = 0;
            for (const ColumnMark& m : marks) {
                if (!m.error.isEmpty() || !m.layout)
                    continue;
                x = drawSegment(line.mid(from, m.start - from), x, n);
                end = std::max(end, x);
                const ColumnSpan span = drawColumns(m, x, n);
                x = span.right;
                end = std::max(end, x);
                advance = std::max(advance, span.height);
                from = m.end;
            }
            end = std::max(end, drawSegment(line.mid(from), x, n));
        }
        if (registering)
            out.lineEnds[n + 1] = end;
        Y += advance > 0 ? std::max(l.L, double(advance)) : l.L;
        y = px(Y);
    }
}

// Places figures 1..count of one kind into their slots; unplaced ones go beside the piece of
// the same number, and that place is written back into the triple.
void placeFigures(const Composition& out, QStringList& triples, const QList<QImage>& pictures,
                  bool answer, int count, double s,
                  std::array<PlacedFigure, kMaxFigures + 1>& placed)
{
    EditFigureTriples figures(triples);
    for (int i = 1; i <= count; ++i) {
        int left = bounded(figures.left(i));
        int top = bounded(figures.top(i));
        if (left < 1) {
            // Page coordinates of the screen sheet, also when this is a printer page.
            const QPoint piece = out.piecePositions[i];
            left = px(piece.x() / s) + 40;
            top = px(piece.y() / s);
            figures.setPlace(i, left, top);
        }
        const QImage picture = pictures.value(i - 1);
        placed[i] = PlacedFigure{i, answer, QRect(left, top, picture.width(), picture.height())};
    }
}

void placeAllFigures(Sheet& sheet, Composition& out, const Layout& l)
{
    std::array<PlacedFigure, kMaxFigures + 1> placed{};
    const int questionCount = FigureTriples(sheet.content.questionFigures).count();
    if (questionCount >= kMaxFigures + 1)
        ShowMessage(QString::number(questionCount) + QStringLiteral(":問題のグラフが多すぎます") +
                    QString::number(kMaxFigures));
    placeFigures(out, sheet.content.questionFigures, sheet.questionPictures, false,
                 std::min(questionCount, kMaxFigures), l.s, placed);
    if (sheet.answersShown) {
        const int answerCount =
            std::min(FigureTriples(sheet.content.answerFigures).count(), kMaxFigures);
        placeFigures(out, sheet.content.answerFigures, sheet.answerPictures, true, answerCount, l.s,
                     placed);
    }
    out.figures.clear();
    for (int i = 1; i <= kMaxFigures; ++i)
        if (placed[i].number != 0)
            out.figures.append(placed[i]);
}

// Draws the boxes of the table; with `boxLines`, the line of every box, the recorded line
// ends take in the boxes.
// Pictures stand at their page coordinates; a printer page's surface scales them.
void paintPictures(const Sheet& sheet, Composition& out, Surface& surface, const Layout& l,
                   const ComposeInputs& inputs, bool printer)
{
    if (!printer) {
        const int h = sheet.classFlag.height();
        out.classFlagPosition = QPoint(l.xL, px(30 * l.s + (60 * l.s - h) * 0.5));
    }
    if (inputs.classFlag && !sheet.classFlag.isNull())
        surface.drawImage(QRect(out.classFlagPosition, sheet.classFlag.size()), sheet.classFlag);
    for (const PlacedFigure& figure : out.figures) {
        const QList<QImage>& pictures =
            figure.answer ? sheet.answerPictures : sheet.questionPictures;
        const qsizetype index = figure.number - 1;
        if (index < pictures.size() && !pictures.at(index).isNull())
            surface.drawImage(figure.rect, pictures.at(index));
    }
}

} // namespace

namespace {

QPoint DrawPiece(Composition& out, Surface& surface, PieceRun& run, const QString& text, int x,
                 int y, double scale)
{
    const NotationRenderer& renderer = out.renderer;
    const int k = renderer.rise();
    out.piecePositions.add(QPoint(x, y));
    const QRgb colour = surface.fontColour();
    QPoint current(x, y + k);
    surface.moveTo(current.x(), current.y());

    const auto element = [&](QStringView e) {
        if (e.isEmpty())
            return;
        switch (e.front().unicode()) {
        case 'B':
            surface.setFontStyle(surface.fontStyle() | StyleBold);
            break;
        case 'I':
            surface.setFontStyle(surface.fontStyle() | StyleItalic);
            break;
        case 'U':
            surface.setFontStyle(surface.fontStyle() | StyleUnderline);
            break;
        case 'X':
            surface.setFontStyle(surface.fontStyle() | StyleBold | StyleUnderline);
            break;
        case '_':
            run.ruleStart = QPoint(current.x(), current.y() + 2 * k);
            break;
        case '%':
            run.ruleStart = QPoint(current.x(), current.y() + k);
            break;
        case '/':
            surface.moveTo(run.ruleStart.x(), run.ruleStart.y());
            surface.lineTo(current.x(), run.ruleStart.y());
            break;
        case '-':
            run.size = run.baseSize - 4;
            break;
        case '+':
            run.size = run.baseSize + 4;
            break;
        case '=':
            run.size = run.baseSize;
            break;
        default:
            current = renderer.DrawNotation(run.size, current.x(), current.y(), colour,
                                            e.size() == text.size() ? text : e.toString(), surface,
                                            scale);
            break;
        }
    };

    const QStringView all(text);
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = all.indexOf(u'@', from);
        if (at < 0) {
            element(all.mid(from));
            break;
        }
        element(all.mid(from, at - from));
        element(all.mid(at + 1, 1));
        from = at + 2;
        if (from > all.size())
            break;
    }

    surface.setFontStyle(StylePlain);
    return surface.penPosition();
}

} // namespace

Composition ComposeSheet(Sheet& sheet, Surface& surface, const ComposeTarget& target,
                         const ComposeInputs& inputs)
{
    Composition out = sheet.composed;
    if (!inputs.composing)
        return out;
    const bool printer = target.printer;
    // A printer page is the screen page drawn larger: laid out in the screen's units, and
    // the surface maps them onto the page's pixels.
    ComposeTarget layout = target;
    if (printer) {
        const int screenWidth = std::max(1, bounded(target.screenImageWidth));
        const double pixelsPerUnit = std::max(1, bounded(target.width)) / double(screenWidth);
        layout.width = screenWidth;
        layout.height = px(std::max(1, bounded(target.height)) / pixelsPerUnit);
        layout.screenImageWidth = screenWidth;
        surface.setLayoutScale(pixelsPerUnit);
    }
    Layout l = computeLayout(sheet, layout, inputs);
    // The renderer draws as on the screen, also for a printer page.
    out.renderer.begin(l.s, bounded(sheet.settings.characterSize), false, l.W);
    l.k = out.renderer.rise();
    out.piecePositions.clear();
    surface.setFontFace(sheet.settings.drawingFace);
    surface.setFontSize(l.B);
    surface.setFontStyle(StylePlain);

    drawHeader(sheet, out, surface, l, inputs);
    // The table holds screen pixels; a printer page draws it scaled and leaves it alone.
    const bool registering = inputs.registerAnswerBoxes && !printer;
    QList<int> boxLines;
    drawBody(sheet, out, surface, l, inputs, registering, printer, boxLines);
    placeAllFigures(sheet, out, l);
    DrawAnswerBoxes(sheet, out, surface, l.s, inputs, registering ? &boxLines : nullptr);
    paintPictures(sheet, out, surface, l, inputs, printer);
    return out;
}

QList<int> LinesPastPage(const Sheet& sheet)
{
    QList<int> past;
    const QList<int>& lineEnds = sheet.composed.lineEnds;
    for (qsizetype n = 1; n < lineEnds.size(); ++n)
        if (lineEnds.at(n) > sheet.settings.page.width)
            past.append(static_cast<int>(n));
    return past;
}

QString LinesPastPageWarning(const QList<int>& lines)
{
    if (lines.isEmpty())
        return {};
    QStringList numbers;
    for (int n : lines)
        numbers.append(QString::number(n));
    return QStringLiteral("用紙の幅からはみ出す行があります（問題の %1 行目）。"
                          "文字サイズや解答欄の幅を小さくしてください")
        .arg(numbers.join(QStringLiteral("、")));
}

} // namespace zendra
