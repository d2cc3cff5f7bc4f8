// ReadUnit of the last unit of a master file of about 1 MiB.
#include "courseware/ParsedUnit.h"
#include "courseware/UnitReader.h"
#include "platform/TextFile.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace zendra;

namespace {

// Question lines as the courseware writes them: Japanese text, blanks between '#', notation.
QStringList unitQuestions(int unit)
{
    QStringList q;
    for (int i = 1; i <= 40; ++i) {
        const int a = unit * 7 + i, b = i * 3 + 1;
        switch (i % 4) {
        case 0:
            q.append(QStringLiteral("（%1）　%2＋%3＝　#%4#　　答えを書きましょう")
                         .arg(i)
                         .arg(a)
                         .arg(b)
                         .arg(a + b));
            break;
        case 1:
            q.append(QStringLiteral("（%1）　%2/%3 ＋ 1/%3 ＝ #%4/%3;%5/%3#　表をつかって考えよう")
                         .arg(i)
                         .arg(b)
                         .arg(b + 2)
                         .arg(b + 1)
                         .arg(b + 1));
            break;
        case 2:
            q.append(
                QStringLiteral("（%1）　りんごが%2こあります。%3こ食べると、のこりは　#%4#　こです")
                    .arg(i)
                    .arg(a + b)
                    .arg(b)
                    .arg(a));
            break;
        default:
            q.append(QString());
            break;
        }
    }
    return q;
}

QStringList masterLines(int units)
{
    QStringList lines;
    for (int u = 1; u <= units; ++u) {
        lines << QStringLiteral("[[unit%1").arg(u) << QStringLiteral("<<ques");
        lines << unitQuestions(u) << QStringLiteral(">>");
        lines << QStringLiteral("<<kgroup") << QStringLiteral("1,2,3") << QStringLiteral(">>");
        lines << QStringLiteral("<<dummy") << QStringLiteral(">>");
        lines << QStringLiteral("<<graph") << QStringLiteral("zu%1.bmp").arg(u)
              << QStringLiteral("-1") << QStringLiteral("-1") << QStringLiteral(">>");
        lines << QStringLiteral("<<hint") << QStringLiteral("くり上がりに気をつけよう")
              << QStringLiteral(">>");
        lines << DefaultDataLines() << QStringLiteral("]]");
    }
    return lines;
}

// Writes a master file of at least 1 MiB and returns its unit count.
int writeMaster(const QString& path)
{
    int units = 100;
    for (; units < 5000; units += 20) {
        if (!TextFile::write(path, masterLines(units)))
            return 0;
        if (QFileInfo(path).size() >= 1024 * 1024)
            break;
    }
    return units;
}

void BM_ReadUnitLastOfOneMiB(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Seisu1.que"));
    const int units = writeMaster(path);
    const qint64 bytes = QFileInfo(path).size();
    const QString header = QStringLiteral("[[unit%1").arg(units);
    const UnitTitles titles{QStringLiteral("整数"), QStringLiteral("たし算"),
                            QStringLiteral("くり上がり")};

    UnitReader reader;
    if (!reader.ReadUnit(path, header, units, 1, UnitReader::OpenMaster, titles) ||
        reader.unit().content.questions.size() != 40) {
        state.SkipWithError("the generated unit did not parse");
        return;
    }
    for (auto _ : state) {
        const bool ok = reader.ReadUnit(path, header, units, 1, UnitReader::OpenMaster, titles);
        benchmark::DoNotOptimize(ok);
    }
    state.counters["file_KiB"] = static_cast<double>(bytes) / 1024.0;
    state.counters["units"] = units;
    state.SetBytesProcessed(state.iterations() * bytes);
}

// The file reading alone, to tell the parser's own share from the decoding.
void BM_TextFileReadOfOneMiB(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Seisu1.que"));
    if (writeMaster(path) == 0) {
        state.SkipWithError("the master file could not be written");
        return;
    }
    QStringList lines;
    for (auto _ : state) {
        const bool ok = TextFile::read(path, lines).ok;
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}

} // namespace

BENCHMARK(BM_TextFileReadOfOneMiB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadUnitLastOfOneMiB)->Unit(benchmark::kMillisecond);
