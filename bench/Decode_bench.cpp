// Decoding a Shift-JIS master file of 8 MiB (the sample courseware's master files, repeated):
// the codec alone on bytes in memory, and the whole read of the file into lines.
#include "platform/Cp932.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zendra;

namespace {

QByteArray masterBytes()
{
    const QDir root(QStringLiteral(ZENDRA_SOURCE_DIR "/examples/courseware"));
    QByteArray samples;
    for (const QString& lesson : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QDir folder(root.filePath(lesson));
        for (const QString& name : folder.entryList({QStringLiteral("*.que")}, QDir::Files)) {
            QFile file(folder.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                samples += file.readAll();
        }
    }
    QByteArray bytes;
    while (!samples.isEmpty() && bytes.size() < 8 * 1024 * 1024)
        bytes += samples;
    return bytes;
}

void BM_Cp932DecodeOf8MiB(benchmark::State& state)
{
    const QByteArray bytes = masterBytes();
    QString text;
    if (bytes.isEmpty() || !cp932::decode(bytes, text)) {
        state.SkipWithError("the sample courseware did not decode");
        return;
    }
    for (auto _ : state) {
        const bool ok = cp932::decode(bytes, text);
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// From the file in the page cache to lines: the check for UTF-8, decoding and splitting.
void BM_TextFileReadOf8MiB(benchmark::State& state)
{
    const QByteArray bytes = masterBytes();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Big.que"));
    QFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        state.SkipWithError("the master file could not be written");
        return;
    }
    file.close();
    QStringList lines;
    for (auto _ : state) {
        const bool ok = TextFile::read(path, lines).ok;
        benchmark::DoNotOptimize(ok);
    }
    state.counters["lines"] = static_cast<double>(lines.size());
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// What reading one unit takes of the same file: every byte checked, the header found in the
// bytes (a unit added at the end), and only the unit's lines decoded.
void BM_TextFileReadFromOf8MiB(benchmark::State& state)
{
    const QByteArray bytes = masterBytes() + "[[unit0\r\n<<ques\r\n1+1=#2#\r\n>>\r\n]]\r\n";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Big.que"));
    QFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        state.SkipWithError("the master file could not be written");
        return;
    }
    file.close();
    const QString header = QStringLiteral("[[unit0");
    QStringList lines;
    bool anyLines = false;
    for (auto _ : state) {
        const bool ok =
            TextFile::readFrom(path, header, QLatin1StringView("[[unit"), lines, anyLines).ok;
        benchmark::DoNotOptimize(ok);
    }
    state.counters["lines"] = static_cast<double>(lines.size());
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

} // namespace

BENCHMARK(BM_Cp932DecodeOf8MiB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextFileReadOf8MiB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextFileReadFromOf8MiB)->Unit(benchmark::kMillisecond);
