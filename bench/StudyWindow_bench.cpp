// Showing the study window on the 80-box sheet: the window-shown sequence (the study page
// composed without answers, the records panel filled) and the 80 entry boxes laid over the
// answer boxes, as the first exercise does.
#include "BenchSheet.h"
#include "courseware/CoursewareIndex.h"
#include "sheet/SheetOutput.h"
#include "sheet/TfrmPrint.h"
#include "study/TfrmRenshu.h"

#include <QLineEdit>

#include <benchmark/benchmark.h>

using namespace zendra;

namespace {

class BenchHost : public WorksheetHost, public StudyHost
{
public:
    // The sample courseware, so the records panel reads a lesson index and a record file.
    BenchHost()
    {
        LoadMainIndex(folder, lessons);
        LoadLessonIndex(folder, lessons, 1, sections);
    }

    QString folder = QStringLiteral(ZENDRA_SOURCE_DIR "/examples/courseware/");
    TfrmPrint* sheet = nullptr;
    bool bekkai = true;
    LessonTable lessons;
    SectionUnits sections;

    void runCommand(Command) override {}
    bool commandEnabled(Command) const override { return true; }
    ComposeInputs composeInputs() const override { return InputsFromSheet(sheet->sheet()); }
    void sheetActivated(TfrmPrint* frm) override { sheet = frm; }
    void sheetClosed(TfrmPrint*) override {}
    bool saveSheet(TfrmPrint*) override { return true; }
    void areaMarked(TfrmPrint*, bool) override {}
    void forwardKey(QKeyEvent*) override {}
    bool reducedView() const override { return false; }
    std::optional<UnitChoice> chooseUnitToAdd() override { return std::nullopt; }
    CoursewareContext courseware() const override { return {folder, lessons, sections}; }
    bool keyLocked() const override { return true; }
    UnitReader& unitReader() override { return reader; }

    TfrmPrint* studiedSheet() const override { return sheet; }
    ComposeInputs composeInputs(const Sheet& s) const override { return InputsFromSheet(s); }
    int characterSize() const override { return sheet->sheet().settings.characterSize; }
    int answerBoxHeight() const override
    {
        return sheet->sheet().kran().number(KranLine::BoxHeight);
    }
    bool altDisplay() const override { return bekkai; }
    void setAltDisplay(bool shown) override { bekkai = shown; }
    int mainPanelWidth() const override { return 150; }
    QRect mainGeometry() const override { return QRect(0, 0, 1280, 1000); }
    LearnerPlace learnerPlace(int lesson) const override
    {
        LearnerPlace place;
        place.programFolder = folder;
        place.lessonTable = lessons;
        place.lesson = lesson;
        place.learnerName = QStringLiteral("太郎");
        return place;
    }
    SectionUnits sectionUnits() const override { return sections; }
    void refreshChooserCounts() override {}
    QStringList hintLines() const override { return {QStringLiteral("Hint")}; }
    void printStudyPage(const Sheet&, const QImage&) override {}
    void showRecordsViewer(const LearnerPlace&) override {}

    UnitReader reader;
};

void BM_ShowStudyWindow(benchmark::State& state)
{
    BenchHost host;
    TfrmPrint frm(bench::FullSheet(), host);
    frm.FormActivate(); // the worksheet's screen composition registers the 80 boxes
    TfrmRenshu window(host);
    for (auto _ : state) {
        window.FormShow();
        window.PlaceEntryBoxes();
    }
    state.counters["boxes"] = frm.sheet().composed.boxes.count();
    state.counters["shown"] = window.entryBox(80)->isVisibleTo(&window) ? 1 : 0;
}
BENCHMARK(BM_ShowStudyWindow)->Unit(benchmark::kMillisecond);

} // namespace
