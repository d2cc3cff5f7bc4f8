// Study mode on the full sheet (80 answer boxes): Enter in one box (judging, the praise, the
// mark painted on the page image) and scoring a test of 80 boxes (padding, judging, the
// record line appended to the learner's file, the 80 marks painted).
#include "BenchSheet.h"
#include "platform/ImageSurface.h"
#include "sheet/SheetOutput.h"
#include "study/StudyMarks.h"
#include "study/StudySession.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zendra;

namespace {

constexpr int kPanelWidth = 150;

// The sheet composed once for the screen, as the study window has it.
struct StudyDesk
{
    Sheet sheet = bench::FullSheet();
    StudySession session;
    EntryBoxList boxes;
    QImage page;

    StudyDesk()
    {
        const ComposeInputs inputs = InputsFromSheet(sheet);
        page = RenderScreenPage(sheet, inputs);
        session.windowShown(sheet.composed.boxes, false);
    }

    void start(bool test)
    {
        session.startExercise(test);
        for (int i = 1; i <= sheet.composed.boxes.count(); ++i)
            boxes.set(i, true, QString());
    }

    QString firstAnswer(int i) const { return session.data().answerAlternatives[i].value(0); }
};

void BM_EnterJudgeAndMarkOneBox(benchmark::State& state)
{
    StudyDesk desk;
    const int count = desk.sheet.composed.boxes.count();
    int i = count;
    for (auto _ : state) {
        if (i == count) { // every box done: a new practice, as 練習 starts one
            desk.start(false);
            i = 0;
        }
        ++i;
        desk.session.state().currentBox = i;
        const QString text = i % 4 == 0 ? QStringLiteral("0") : desk.firstAnswer(i);
        const EnterOutcome out = desk.session.enterAnswer(text, false, desk.boxes);
        const EntryBoxRect entry = PlaceEntryBox(desk.sheet.composed.boxes[i], kPanelWidth,
                                                 desk.sheet.settings.characterSize, 10);
        {
            ImageSurface page(desk.page);
            PaintMark(page.surface(),
                      MakeMark(out.mark, entry, PageFrame{kPanelWidth, 0, 1.0, 1.0}, out.review));
        }
        if (out.kind == EnterKind::Right)
            desk.boxes.setVisible(i, false);
        benchmark::DoNotOptimize(out.answerAreaText);
    }
    state.counters["boxes"] = count;
}
BENCHMARK(BM_EnterJudgeAndMarkOneBox)->Unit(benchmark::kMicrosecond);

void BM_ScoreTestOf80Boxes(benchmark::State& state)
{
    StudyDesk desk;
    QTemporaryDir dir;
    StudyRecordTarget target;
    target.path = dir.path() + QStringLiteral("/太郎.ini");
    target.section = QStringLiteral("S32あまりのあるわり算");
    const QDateTime now = QDateTime::currentDateTime();
    const int count = desk.sheet.composed.boxes.count();
    for (auto _ : state) {
        state.PauseTiming(); // the test as the learner leaves it: every tenth box wrong
        QFile::remove(target.path);
        desk.start(true);
        for (int i = 1; i <= count; ++i)
            desk.boxes.setText(i, i % 10 == 0 ? QStringLiteral("9") : desk.firstAnswer(i));
        state.ResumeTiming();
        const ScoreOutcome out = desk.session.scoreExercise(desk.boxes, target, now);
        {
            ImageSurface page(desk.page);
            for (int i = 1; i <= count; ++i)
                PaintMark(page.surface(), ScoringMark(desk.sheet.composed.boxes[i],
                                                      desk.sheet.settings.characterSize, 10));
        }
        if (!out.record.written)
            state.SkipWithError("the record was not written");
        benchmark::DoNotOptimize(out.score);
    }
    state.counters["boxes"] = count;
}
BENCHMARK(BM_ScoreTestOf80Boxes)->Unit(benchmark::kMillisecond);

} // namespace
