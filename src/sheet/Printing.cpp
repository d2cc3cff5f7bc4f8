#include "sheet/Printing.h"

#include "courseware/QuestionGenerator.h"
#include "platform/Numbers.h"
#include "platform/PainterSurface.h"
#include "sheet/Sheet.h"
#include "sheet/SheetOutput.h"

#include <QPainter>

#include <optional>

namespace zendra {

namespace {

// The screen-faithful print leaves this many layout units free at the left edge.
constexpr double kScreenPageShift = 6.0;

// Copies that all came out alike would be handed out as different ones.
const QString kCannotVary =
    QStringLiteral("この用紙には数を変えられる解答の行がないので、数値を変えた用紙は作れません");

QString copyFailure(const QString& what, int copy, int copies, const PrintTarget& target)
{
    QString text = copies > 1 ? QStringLiteral("%1 部目の%2").arg(copy).arg(what) : what;
    const QString reason = target.errorString();
    if (!reason.isEmpty())
        text += QStringLiteral(": ") + reason;
    return text;
}

QPainter* activePainter(PrintTarget& target)
{
    QPainter* painter = target.painter();
    return painter && painter->isActive() ? painter : nullptr;
}

// The screen page stretched by f, the page's pixels per layout unit of the sheet's width;
// a B4 sheet on B4 paper thus fills the page as an A4 sheet fills A4.
bool paintScreenPage(const QImage& page, PrintTarget& target)
{
    QPainter* painter = activePainter(target);
    if (!painter || page.isNull())
        return false;
    const double f = target.pageSize().width() / static_cast<double>(page.width());
    painter->drawImage(QRect(roundHalfEven(kScreenPageShift * f), 0,
                             roundHalfEven(f * page.width()), roundHalfEven(f * page.height())),
                       page);
    return true;
}

bool composeOnPage(Sheet& sheet, const ComposeInputs& inputs, PrintTarget& target,
                   TextMetrics& metrics)
{
    QPainter* painter = activePainter(target);
    if (!painter)
        return false;
    const QSize page = target.pageSize();
    ComposeTarget onPage;
    onPage.width = page.width();
    onPage.height = page.height();
    onPage.printer = true;
    onPage.screenImageWidth = sheet.settings.page.width;
    // The next job may share this painter (pages of one document).
    painter->save();
    {
        PainterSurface surface(*painter, target.resolution(), onPage.width, &metrics);
        sheet.composed = ComposeSheet(sheet, surface, onPage, inputs);
    }
    painter->restore();
    return true;
}

// One page as a job of its own, composed from the sheet's screen page: the page the
// screen-faithful mode stretches, and the boxes the printer-resolution mode draws. The
// printer-resolution mode lays the screen page out only when `layOut` is set; otherwise it
// draws the boxes of the sheet's last screen composition. A failure is written into `result`.
bool printPage(Sheet& sheet, const ComposeInputs& inputs, bool printerResolution, bool layOut,
               const QString& title, int copy, int copies, PrintTarget& target, PrintResult& result,
               TextMetrics& metrics)
{
    QImage page;
    if (!printerResolution)
        page = RenderScreenPage(sheet, inputs);
    else if (layOut)
        LayOutScreenPage(sheet, inputs, &metrics); // measured as the printer page measures
    if (!target.beginJob(title)) {
        result.error = copyFailure(QStringLiteral("印刷を開始できません"), copy, copies, target);
        return false;
    }
    ComposeInputs onPage = inputs;
    onPage.registerAnswerBoxes = false;
    const bool drawn = printerResolution ? composeOnPage(sheet, onPage, target, metrics)
                                         : paintScreenPage(page, target);
    if (!drawn) {
        target.abortJob();
        result.error = copyFailure(QStringLiteral("印刷ページに描けません"), copy, copies, target);
        return false;
    }
    if (!target.endJob()) {
        result.error = copyFailure(QStringLiteral("印刷を終えられません"), copy, copies, target);
        return false;
    }
    ++result.jobsDone;
    return true;
}

// Copies with numbers of their own, or followed by their answer keys. Each copy is drawn
// from a sheet of its own, so the printed sheet keeps its questions and layout.
PrintResult printCopiesOfTheirOwn(const Sheet& sheet, const ComposeInputs& inputs,
                                  const PrintOptions& options, PrintTarget& target)
{
    PrintResult result;
    result.nextStartNumber = options.startNumber;
    const bool numbered = options.numbered || options.vary;
    const int copies = numbered ? std::max(1, options.copies) : 1;
    std::optional<QuestionGenerator> generator;
    if (options.vary) {
        generator.emplace(sheet.content.questions);
        if (!generator->understandsAny()) {
            result.error = kCannotVary;
            return result;
        }
    }

    ComposeInputs pageInputs = inputs;
    pageInputs.number = numbered;
    if (options.vary) {
        pageInputs.numberSuffix = VariedCopySuffix(options.seed);
        // Without its label a copy could not be made again.
        pageInputs.printed = true;
    }
    Sheet work = sheet;
    TextMetrics metrics;
    for (int copy = 0; copy < copies; ++copy) {
        const int number = options.startNumber + copy;
        result.nextStartNumber = number;
        if (generator)
            work.content.questions = generator->generate(options.seed, number).questions;
        pageInputs.startNumber = number;
        pageInputs.keyMark.clear();
        if (options.answerKey)
            work.answersShown = false;
        // The boxes stand where the copy's own numbers put them; without new numbers every
        // copy has those of the first. Shown or hidden, the answers take the same room.
        if (!printPage(work, pageInputs, options.printerResolution, generator || copy == 0,
                       sheet.content.title, copy + 1, copies, target, result, metrics))
            return result;
        if (options.answerKey) {
            work.answersShown = true;
            pageInputs.keyMark = QStringLiteral("解答");
            if (!printPage(work, pageInputs, options.printerResolution, false,
                           sheet.content.title + QStringLiteral(" 解答"), copy + 1, copies, target,
                           result, metrics))
                return result;
        }
    }
    result.ok = true;
    result.nextStartNumber = 1;
    return result;
}

} // namespace

Sheet VariedCopy(const Sheet& sheet, quint64 seed, int number)
{
    Sheet copy = sheet;
    copy.content.questions =
        QuestionGenerator(sheet.content.questions).generate(seed, number).questions;
    return copy;
}

QString VariedCopySuffix(quint64 seed)
{
    return u'-' + QString::number(seed);
}

QString CannotVary(const Sheet& sheet)
{
    return QuestionGenerator(sheet.content.questions).understandsAny() ? QString() : kCannotVary;
}

PrintResult PrintSheet(Sheet& sheet, const ComposeInputs& inputs, const PrintOptions& options,
                       PrintTarget& target)
{
    if (options.vary || options.answerKey)
        return printCopiesOfTheirOwn(sheet, inputs, options, target);
    PrintResult result;
    result.nextStartNumber = options.startNumber;
    const int copies = options.numbered ? std::max(1, options.copies) : 1;
    const QString title = sheet.content.title;

    ComposeInputs screen = inputs;
    screen.number = options.numbered;
    screen.startNumber = options.startNumber;
    ComposeInputs onPage = screen;
    onPage.registerAnswerBoxes = false;
    if (options.printerResolution)
        RenderScreenPage(sheet, screen); // the answer boxes the page draws, scaled
    // Every copy measures the texts the first one measured.
    TextMetrics metrics;

    for (int copy = 0; copy < copies; ++copy) {
        const int number = options.startNumber + copy;
        result.nextStartNumber = number;
        // Composed again for every copy: one screen page for all would carry the first
        // copy's number on each of them.
        QImage page;
        if (!options.printerResolution) {
            screen.startNumber = number;
            page = RenderScreenPage(sheet, screen);
        }
        if (!target.beginJob(title)) {
            result.error =
                copyFailure(QStringLiteral("印刷を開始できません"), copy + 1, copies, target);
            return result;
        }
        onPage.startNumber = number;
        const bool drawn = options.printerResolution ? composeOnPage(sheet, onPage, target, metrics)
                                                     : paintScreenPage(page, target);
        if (!drawn) {
            target.abortJob();
            result.error =
                copyFailure(QStringLiteral("印刷ページに描けません"), copy + 1, copies, target);
            return result;
        }
        if (!target.endJob()) {
            result.error =
                copyFailure(QStringLiteral("印刷を終えられません"), copy + 1, copies, target);
            return result;
        }
        ++result.jobsDone;
    }
    result.ok = true;
    result.nextStartNumber = 1;
    return result;
}

PrintResult PrintImage(const QImage& image, const QString& title, PrintTarget& target)
{
    PrintResult result;
    if (image.isNull()) {
        result.error = QStringLiteral("印刷する画像がありません");
        return result;
    }
    if (!target.beginJob(title)) {
        result.error = copyFailure(QStringLiteral("印刷を開始できません"), 1, 1, target);
        return result;
    }
    QPainter* painter = activePainter(target);
    if (!painter) {
        target.abortJob();
        result.error = copyFailure(QStringLiteral("印刷ページに描けません"), 1, 1, target);
        return result;
    }
    const QSize fitted = image.size().scaled(target.pageSize(), Qt::KeepAspectRatio);
    painter->drawImage(QRect(QPoint(0, 0), fitted), image);
    if (!target.endJob()) {
        result.error = copyFailure(QStringLiteral("印刷を終えられません"), 1, 1, target);
        return result;
    }
    result.ok = true;
    result.jobsDone = 1;
    return result;
}

} // namespace zendra
