#include "learners/ClassReport.h"

#include "platform/PainterSurface.h"
#include "platform/PrintTarget.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zendra {

namespace {

const QString kFace = QStringLiteral("ＭＳ ゴシック");
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kGrey = qRgb(160, 160, 160);
constexpr QRgb kLine = qRgb(0, 0, 160);

// Layout in units of the 96 dpi screen.
constexpr int kMargin = 40;
constexpr int kNameWidth = 130;
constexpr int kCellWidth = 44;
constexpr int kRowHeight = 20;
constexpr int kHeadHeight = 60;

void fill(Surface& surface, const QRect& rect, QRgb colour)
{
    QImage dot(1, 1, QImage::Format_RGB32);
    dot.fill(colour);
    surface.drawImage(rect, dot);
}

void frame(Surface& surface, const QRect& rect)
{
    surface.rectangle(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1);
}

// Text centred in the rectangle, one line; its top at the rectangle's middle less half a line.
void centred(Surface& surface, const QRect& rect, const QString& text)
{
    const int w = surface.textWidth(text);
    surface.textOut(rect.left() + (rect.width() - w) / 2,
                    rect.top() + (rect.height() - surface.fontSize() * 4 / 3) / 2, text);
}

// The text cut with "…" to fit the width.
QString elided(Surface& surface, const QString& text, int width)
{
    if (surface.textWidth(text) <= width)
        return text;
    QString cut = text;
    while (!cut.isEmpty() && surface.textWidth(cut + QStringLiteral("…")) > width)
        cut.chop(1);
    return cut + QStringLiteral("…");
}

class PageWriter
{
public:
    PageWriter(PrintTarget& target, QString* error) : target_(target), error_(error) {}

    // Begins a page; the surface draws in screen units.
    Surface* begin(const QString& title)
    {
        surface_.reset();
        if (!target_.beginJob(title)) {
            if (error_)
                *error_ = QStringLiteral("印刷を始められませんでした");
            return nullptr;
        }
        QPainter* painter = target_.painter();
        const int dpi = std::max(1, target_.resolution());
        surface_ = std::make_unique<PainterSurface>(*painter, dpi, target_.pageSize().width());
        surface_->setLayoutScale(dpi / 96.0);
        surface_->setFontFace(kFace);
        return surface_.get();
    }
    bool end()
    {
        surface_.reset();
        return target_.endJob();
    }
    // The page in screen units.
    QSize units() const
    {
        const double dpi = std::max(1, target_.resolution());
        return QSize(static_cast<int>(target_.pageSize().width() * 96 / dpi),
                     static_cast<int>(target_.pageSize().height() * 96 / dpi));
    }

private:
    PrintTarget& target_;
    QString* error_;
    std::unique_ptr<PainterSurface> surface_;
};

QString scoreText(const LearnerUnit& unit)
{
    const ClassRecord* latest = unit.latest();
    if (!latest)
        return unit.count > 0 ? QStringLiteral("?") : QString();
    return QString::number(latest->percent) + (unit.flagged() ? QString(kFlagMark) : QString());
}

void drawGridPage(Surface& s, const ClassRecords& records, const QList<int>& rows, int firstUnit,
                  int unitCount, int page, int pages)
{
    s.setFontSize(12);
    s.setFontColour(kBlack);
    s.textOut(
        kMargin, kMargin - 24,
        QStringLiteral("クラスの記録　%1　(%2/%3)").arg(records.lessonName).arg(page).arg(pages));
    s.setFontSize(8);
    s.setPenColour(kBlack);
    s.setPenWidth(1);
    const int top = kMargin + 4;
    const QRect nameHead(kMargin, top, kNameWidth, kHeadHeight);
    frame(s, nameHead);
    centred(s, nameHead, QStringLiteral("名前"));
    for (int c = 0; c < unitCount; ++c) {
        const ClassUnit& unit = records.units.at(firstUnit + c);
        const QRect head(kMargin + kNameWidth + c * kCellWidth, top, kCellWidth, kHeadHeight);
        frame(s, head);
        centred(s, QRect(head.left(), head.top(), head.width(), 20), UnitShortName(unit));
        // The title in two short lines under the number.
        const QString title = unit.section > 0 ? unit.title : QString();
        const QString first = elided(s, title.left(4), kCellWidth - 2);
        s.textOut(head.left() + 2, head.top() + 22, first);
        if (title.size() > 4)
            s.textOut(head.left() + 2, head.top() + 38, elided(s, title.mid(4), kCellWidth - 4));
    }
    for (int r = 0; r < rows.size(); ++r) {
        const ClassLearner& learner = records.learners.at(rows.at(r));
        const int y = top + kHeadHeight + r * kRowHeight;
        const QRect nameCell(kMargin, y, kNameWidth, kRowHeight);
        frame(s, nameCell);
        const double average = learner.average();
        const QString name =
            average < 0 ? learner.name
                        : learner.name + QStringLiteral("（%1）").arg(std::lround(average));
        s.textOut(kMargin + 4, y + 4, elided(s, name, kNameWidth - 8));
        for (int c = 0; c < unitCount; ++c) {
            const LearnerUnit& unit = learner.units.at(firstUnit + c);
            const QRect cell(kMargin + kNameWidth + c * kCellWidth, y, kCellWidth, kRowHeight);
            if (const ClassRecord* latest = unit.latest())
                fill(s, cell, BandColour(BandOf(latest->percent)));
            frame(s, cell);
            centred(s, cell, scoreText(unit));
        }
    }
    const int legendY = top + kHeadHeight + static_cast<int>(rows.size()) * kRowHeight + 10;
    s.textOut(kMargin, legendY,
              QStringLiteral("数字は最新の得点、（　）は平均、%1 は５回以上まちがえた単元")
                  .arg(kFlagMark));
}

void drawQuestionPage(Surface& s, const ClassRecords& records, int unitIndex,
                      const QList<BoxQuestion>& questions, qsizetype from, qsizetype count,
                      bool showAnswers, QSize page)
{
    const ClassUnit& unit = records.units.at(unitIndex);
    s.setFontSize(12);
    s.setFontColour(kBlack);
    s.textOut(kMargin, kMargin - 24,
              QStringLiteral("%1　%2　問題ごとの正答率（１回目で正解）")
                  .arg(UnitShortName(unit), unit.section > 0 ? unit.title : QString()));
    s.setFontSize(9);
    s.setPenColour(kBlack);
    s.setPenWidth(1);
    const int top = kMargin + 4;
    const int right = page.width() - kMargin;
    s.textOut(kMargin, top, QStringLiteral("番号"));
    s.textOut(kMargin + 50, top, QStringLiteral("正答率"));
    s.textOut(kMargin + 110, top, QStringLiteral("人数"));
    s.textOut(kMargin + 170, top, QStringLiteral("問題"));
    for (qsizetype i = 0; i < count; ++i) {
        const BoxQuestion& q = questions.at(from + i);
        const int y = top + (static_cast<int>(i) + 1) * kRowHeight;
        s.moveTo(kMargin, y - 2);
        s.lineTo(right, y - 2);
        s.textOut(kMargin, y + 2, QString::number(q.box));
        const double share = q.firstTryShare();
        if (share >= 0) {
            const int percent = static_cast<int>(std::lround(share * 100));
            fill(s, QRect(kMargin + 48, y + 1, 54, kRowHeight - 4), BandColour(BandOf(percent)));
            s.textOut(kMargin + 52, y + 2, QStringLiteral("%1%").arg(percent));
            s.textOut(kMargin + 110, y + 2,
                      QStringLiteral("%1/%2")
                          .arg(q.stat.answered - q.stat.firstTryWrong)
                          .arg(q.stat.answered));
        } else {
            s.textOut(kMargin + 52, y + 2, QStringLiteral("－"));
        }
        QString text = q.question;
        if (showAnswers && !q.answer.isEmpty())
            text += QStringLiteral("　答え：") + q.answer;
        s.textOut(kMargin + 170, y + 2, elided(s, text, right - kMargin - 170));
    }
}

} // namespace

ScoreBand BandOf(int percent)
{
    if (percent < 60)
        return ScoreBand::Low;
    if (percent < 80)
        return ScoreBand::Middle;
    return ScoreBand::High;
}

QRgb BandColour(ScoreBand band)
{
    switch (band) {
    case ScoreBand::Low:
        return qRgb(255, 190, 190);
    case ScoreBand::Middle:
        return qRgb(255, 236, 160);
    case ScoreBand::High:
        break;
    }
    return qRgb(190, 235, 190);
}

QString UnitShortName(const ClassUnit& unit)
{
    if (unit.section == 0)
        return unit.key;
    return QStringLiteral("%1-%2").arg(unit.section).arg(unit.unit);
}

QList<ClassRecord> LearnerTimeline(const ClassLearner& learner)
{
    QList<ClassRecord> all;
    for (const LearnerUnit& unit : learner.units)
        all.append(unit.records);
    std::stable_sort(all.begin(), all.end(), [](const ClassRecord& a, const ClassRecord& b) {
        return a.finished < b.finished;
    });
    return all;
}

void DrawScoreChart(Surface& surface, const QRect& area, const QList<ClassRecord>& records)
{
    surface.setFontFace(kFace);
    surface.setFontSize(8);
    surface.setFontColour(kBlack);
    surface.setPenStyle(PenStyle::Solid);
    surface.setPenWidth(1);
    const int left = area.left() + 30;
    const int right = area.right() - 8;
    const int top = area.top() + 8;
    const int bottom = area.bottom() - 20;
    for (int level = 0; level <= 100; level += 20) {
        const int y = bottom - (bottom - top) * level / 100;
        surface.setPenColour(level == 0 ? kBlack : kGrey);
        surface.moveTo(left, y);
        surface.lineTo(right, y);
        const QString label = QString::number(level);
        surface.textOut(left - 4 - surface.textWidth(label), y - 6, label);
    }
    surface.setPenColour(kBlack);
    surface.moveTo(left, top);
    surface.lineTo(left, bottom);
    if (records.isEmpty()) {
        surface.textOut(left + 8, top + 8, QStringLiteral("記録はありません"));
        return;
    }
    const qsizetype n = records.size();
    const auto xAt = [&](qsizetype i) {
        return n == 1 ? (left + right) / 2
                      : left + 6 + static_cast<int>((right - left - 12) * i / (n - 1));
    };
    const auto yAt = [&](int percent) {
        return bottom - (bottom - top) * std::clamp(percent, 0, 100) / 100;
    };
    surface.setPenColour(kLine);
    surface.setPenWidth(2);
    surface.moveTo(xAt(0), yAt(records.at(0).percent));
    for (qsizetype i = 1; i < n; ++i)
        surface.lineTo(xAt(i), yAt(records.at(i).percent));
    surface.setPenWidth(1);
    for (qsizetype i = 0; i < n; ++i) {
        const int x = xAt(i);
        const int y = yAt(records.at(i).percent);
        fill(surface, QRect(x - 3, y - 3, 7, 7), BandColour(BandOf(records.at(i).percent)));
        surface.ellipse(x - 3, y - 3, x + 4, y + 4);
    }
    surface.setFontColour(kBlack);
    surface.textOut(left, bottom + 4,
                    records.first().finished.date().toString(QStringLiteral("yyyy/MM/dd")));
    const QString last = records.last().finished.date().toString(QStringLiteral("yyyy/MM/dd"));
    surface.textOut(right - surface.textWidth(last), bottom + 4, last);
}

bool PrintClassReport(PrintTarget& target, const ClassReport& report, QString* error)
{
    if (!report.records)
        return false;
    const ClassRecords& records = *report.records;
    PageWriter writer(target, error);
    const QSize page = writer.units();
    QList<int> rows = report.learnerOrder;
    if (rows.isEmpty()) {
        for (int i = 0; i < records.learners.size(); ++i)
            rows.append(i);
    }
    const int columnsPerPage = std::max(1, (page.width() - 2 * kMargin - kNameWidth) / kCellWidth);
    const int rowsPerPage =
        std::max(1, (page.height() - 2 * kMargin - kHeadHeight - 30) / kRowHeight);
    const int unitCount = static_cast<int>(records.units.size());
    const int columnPages = std::max(1, (unitCount + columnsPerPage - 1) / columnsPerPage);
    const int rowPages =
        std::max(1, static_cast<int>((rows.size() + rowsPerPage - 1) / rowsPerPage));
    const int pages = columnPages * rowPages;
    int page_ = 0;
    for (int rp = 0; rp < rowPages; ++rp) {
        for (int cp = 0; cp < columnPages; ++cp) {
            Surface* s = writer.begin(records.lessonName);
            if (!s)
                return false;
            const int first = cp * columnsPerPage;
            drawGridPage(*s, records, rows.mid(rp * rowsPerPage, rowsPerPage), first,
                         std::min(columnsPerPage, unitCount - first), ++page_, pages);
            if (!writer.end())
                return false;
        }
    }
    const int listRows = std::max(1, (page.height() - 2 * kMargin) / kRowHeight - 1);
    for (qsizetype u = 0; u < report.questionUnits.size() && u < report.questions.size(); ++u) {
        const QList<BoxQuestion>& questions = report.questions.at(u);
        qsizetype from = 0;
        do {
            Surface* s = writer.begin(records.lessonName);
            if (!s)
                return false;
            const qsizetype count = std::min<qsizetype>(listRows, questions.size() - from);
            drawQuestionPage(*s, records, report.questionUnits.at(u), questions, from, count,
                             report.showAnswers, page);
            from += count;
            if (!writer.end())
                return false;
        } while (from < questions.size());
    }
    if (report.chartLearner >= 0 && report.chartLearner < records.learners.size()) {
        const ClassLearner& learner = records.learners.at(report.chartLearner);
        Surface* s = writer.begin(records.lessonName);
        if (!s)
            return false;
        s->setFontSize(12);
        s->setFontColour(kBlack);
        s->textOut(kMargin, kMargin - 24, learner.name + QStringLiteral("　得点の推移"));
        DrawScoreChart(*s, QRect(kMargin, kMargin + 4, page.width() - 2 * kMargin, 360),
                       LearnerTimeline(learner));
        if (!writer.end())
            return false;
    }
    return true;
}

} // namespace zendra
