// The class overview of a lesson: 35 learners of the class list, 50 units, 20 records of
// each unit per learner (35,000 record lines in 35 files), read and summed up as the window
// and `zendra-cli records summary` do; and the due units of one learner.
#include "courseware/CoursewareIndex.h"
#include "courseware/NameList.h"
#include "courseware/RecordLine.h"
#include "learners/ClassRecords.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace zendra;

namespace {

constexpr int kLearners = 35;
constexpr int kSections = 5;
constexpr int kUnitsPerSection = 10;
constexpr int kRecordsPerUnit = 20;

QString unitTitle(int s, int u)
{
    return QStringLiteral("第%1章の%2けたの計算").arg(s).arg(u);
}

struct ClassLesson
{
    QTemporaryDir dir;
    QString program;
    LessonTable table;
    QStringList names;

    ClassLesson()
    {
        program = dir.path() + u'/';
        QDir().mkpath(program + QStringLiteral("Bench"));
        QDir().mkpath(program + QStringLiteral("LogOn"));
        TextFile::write(program + QStringLiteral("Main.ind"),
                        {QStringLiteral("ベンチ"), QStringLiteral("<<"),
                         QStringLiteral("計算,Bench\\\\Bench"), QStringLiteral(">>")});
        QStringList index = {QStringLiteral("計算")};
        QStringList keys;
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
        LoadMainIndex(program, table);

        for (int l = 1; l <= kLearners; ++l) {
            const QString name = QStringLiteral("学習者%1").arg(l, 2, 10, QLatin1Char('0'));
            names << name;
            QStringList lines = {QStringLiteral("[password]"), QStringLiteral("pw=abcd")};
            for (const QString& key : keys) {
                lines << u'[' + key + u']';
                for (int i = 1; i <= kRecordsPerUnit; ++i) {
                    // Practices with a miss now and then, and a test every fifth time.
                    const bool test = i % 5 == 0;
                    const QString tries =
                        test ? QString() : QStringLiteral("0000000000%1").arg((i + l) % 3);
                    lines << QString::number(i) + u'=' +
                                 MakeRecordLine(RecordValues{
                                     0, QDateTime(QDate(2026, 4, 1).addDays(i), QTime(10, 15)),
                                     tries, 10, 11, 91, 87});
                }
            }
            if (!TextFile::write(program + QStringLiteral("Bench/") + name + QStringLiteral(".ini"),
                                 lines))
                std::fprintf(stderr, "cannot write a record file\n");
        }
        SaveNameList(program + QStringLiteral("LogOn/sname.txt"), names);
    }
};

ClassLesson& lesson()
{
    static ClassLesson l;
    return l;
}

void BM_ClassRecordsOfALesson(benchmark::State& state)
{
    ClassLesson& l = lesson();
    ClassRecords records;
    for (auto _ : state) {
        records =
            ReadClassRecords(l.program, l.table, 1, ClassListNames(l.program, QString(), false));
        benchmark::DoNotOptimize(records.units.size());
    }
    if (records.learners.size() != kLearners || records.filesRead != kLearners ||
        records.units.size() != kSections * kUnitsPerSection ||
        records.learners.at(0).units.at(0).count != kRecordsPerUnit ||
        records.units.at(0).boxes.size() != 11 || !records.unreadable.isEmpty())
        state.SkipWithError("the class was not read whole");
    state.counters["files"] = records.filesRead;
}
BENCHMARK(BM_ClassRecordsOfALesson)->Unit(benchmark::kMillisecond);

void BM_TodaysReviewOfOneLearner(benchmark::State& state)
{
    ClassLesson& l = lesson();
    qsizetype due = 0;
    for (auto _ : state) {
        const ClassRecords records = ReadLearnerRecords(l.program, l.table, 1, l.names.at(0));
        due = DueUnits(records, 0, QDate(2026, 5, 1)).size();
        benchmark::DoNotOptimize(due);
    }
    state.counters["due"] = static_cast<double>(due);
}
BENCHMARK(BM_TodaysReviewOfOneLearner)->Unit(benchmark::kMillisecond);

} // namespace
