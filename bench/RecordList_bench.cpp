// The learner's record counts of a lesson of 50 units with a record file of 5,000 lines: as the
// chooser counts them (read once, then one count per unit), as it counted them before (one
// read per unit), and FillRecordList for the records viewer.
#include "courseware/CoursewareIndex.h"
#include "courseware/RecordFile.h"
#include "courseware/RecordLine.h"
#include "learners/RecordList.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace zendra;

namespace {

constexpr int kSections = 5;
constexpr int kUnitsPerSection = 10;
constexpr int kRecordLines = 5000;

QString unitTitle(int s, int u)
{
    return QStringLiteral("第%1章の%2けたの計算").arg(s).arg(u);
}

struct Lesson
{
    QTemporaryDir dir;
    LearnerPlace place;
    QStringList keys;

    Lesson()
    {
        const QString program = dir.path() + u'/';
        QDir().mkpath(program + QStringLiteral("Bench"));
        TextFile::write(program + QStringLiteral("Main.ind"),
                        {QStringLiteral("ベンチ"), QStringLiteral("<<"),
                         QStringLiteral("計算,Bench\\\\Bench"), QStringLiteral(">>")});
        QStringList index = {QStringLiteral("計算")};
        for (int s = 1; s <= kSections; ++s) {
            index << QStringLiteral("[[sect%1").arg(s) << QStringLiteral("章 %1").arg(s)
                  << QStringLiteral("<<");
            for (int u = 1; u <= kUnitsPerSection; ++u) {
                index << unitTitle(s, u);
                keys << u'S' + QString::number(s) + QString::number(u) + unitTitle(s, u);
            }
            index << QStringLiteral(">>") << QStringLiteral("]]");
        }
        TextFile::write(program + QStringLiteral("Bench/Bench.ind"), index);

        place.programFolder = program;
        place.lesson = 1;
        place.learnerName = QStringLiteral("太郎");
        LoadMainIndex(program, place.lessonTable);
        // The file as many sessions leave it, written in one go.
        QStringList lines = {QStringLiteral("[password]"), QStringLiteral("pw=abcd")};
        const int perUnit = kRecordLines / static_cast<int>(keys.size());
        for (const QString& key : keys) {
            lines << u'[' + key + u']';
            for (int i = 1; i <= perUnit; ++i)
                lines << QString::number(i) + u'=' +
                             MakeRecordLine(RecordValues{
                                 0, QDateTime(QDate(2024, 4, 1).addDays(i), QTime(10, 15)),
                                 QStringLiteral("0102"), 3, 4, 75, 87});
        }
        if (!TextFile::write(place.recordPath(), lines))
            std::fprintf(stderr, "cannot write the record file\n");
    }
};

Lesson& lesson()
{
    static Lesson l;
    return l;
}

void BM_ChooserCounts(benchmark::State& state)
{
    Lesson& l = lesson();
    for (auto _ : state) {
        const RecordCounts counts(l.place.recordPath());
        int total = 0;
        for (const QString& key : l.keys)
            total += counts.count(key);
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ChooserCounts)->Unit(benchmark::kMillisecond);

void BM_ChooserCountsOneReadPerUnit(benchmark::State& state)
{
    Lesson& l = lesson();
    for (auto _ : state) {
        int total = 0;
        for (const QString& key : l.keys)
            total += RecordCount(l.place.recordPath(), key);
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ChooserCountsOneReadPerUnit)->Unit(benchmark::kMillisecond);

void BM_FillRecordList(benchmark::State& state)
{
    Lesson& l = lesson();
    RecordList list;
    for (auto _ : state) {
        FillRecordList(l.place, list);
        benchmark::DoNotOptimize(list.entries.size());
    }
    if (list.entries.size() != kSections * (kUnitsPerSection + 1) ||
        list.entries.at(1).count != kRecordLines / (kSections * kUnitsPerSection))
        state.SkipWithError("the lesson was not listed");
}
BENCHMARK(BM_FillRecordList)->Unit(benchmark::kMillisecond);

} // namespace
