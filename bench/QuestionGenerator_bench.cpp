// A 60-line similar-question set: the sheet-sized unit a teacher prints copies of, made of the
// sample's arithmetic lines (integers with carries, remainders, the order of operations,
// decimals, fractions).
#include "courseware/QuestionGenerator.h"
#include "courseware/UnitReader.h"

#include <benchmark/benchmark.h>

using namespace zendra;

namespace {

QStringList SixtyLines()
{
    const QString root = QStringLiteral(ZENDRA_SOURCE_DIR "/examples/courseware/");
    const std::pair<const char*, const char*> units[] = {
        {"Seisu/Seisu1.que", "[[unit1"}, {"Seisu/Seisu1.que", "[[unit4"},
        {"Seisu/Seisu3.que", "[[unit2"}, {"Seisu/Seisu3.que", "[[unit4"},
        {"Seisu/Seisu4.que", "[[unit1"}, {"Seisu/Seisu4.que", "[[unit2"},
        {"Shosu/Shosu2.que", "[[unit3"}, {"Shosu/Shosu3.que", "[[unit4"},
        {"Bunsu/Bunsu1.que", "[[unit3"}, {"Bunsu/Bunsu2.que", "[[unit3"},
        {"Bunsu/Bunsu3.que", "[[unit2"}, {"Bunsu/Bunsu3.que", "[[unit4"},
    };
    QStringList lines;
    while (lines.size() < 60) {
        for (const auto& [file, header] : units) {
            UnitReader reader;
            if (!reader.ReadUnit(root + QString::fromUtf8(file), QString::fromUtf8(header), 1, 1,
                                 UnitReader::OpenMaster, {}))
                return {};
            for (const QString& line : reader.unit().content.questions) {
                if (line.contains(u'#') && lines.size() < 60)
                    lines.append(line);
            }
        }
    }
    return lines;
}

// One set from a generator made once (printing copies, the CLI's --sets).
void BM_GenerateSixtyLineSet(benchmark::State& state)
{
    const QStringList lines = SixtyLines();
    const QuestionGenerator gen(lines);
    if (lines.size() != 60 || !gen.understandsAny()) {
        state.SkipWithError("the sample's lines did not load");
        return;
    }
    quint64 seed = 1;
    for (auto _ : state) {
        const GeneratedSet set = gen.generate(seed++);
        benchmark::DoNotOptimize(set.questions.size());
    }
    state.counters["answers"] = gen.understoodAnswers();
    state.counters["kept_lines"] = gen.kept().size();
}

// Reading the unit's lines and one set (study's new numbers on an opened sheet).
void BM_ReadAndGenerateSixtyLineSet(benchmark::State& state)
{
    const QStringList lines = SixtyLines();
    quint64 seed = 1;
    for (auto _ : state) {
        const QuestionGenerator gen(lines);
        const GeneratedSet set = gen.generate(seed++);
        benchmark::DoNotOptimize(set.questions.size());
    }
}

} // namespace

BENCHMARK(BM_GenerateSixtyLineSet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndGenerateSixtyLineSet)->Unit(benchmark::kMillisecond);
