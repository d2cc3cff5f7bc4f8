// Start-up to the main window shown on the sample courseware: the main window and the
// windows it makes at once, the start sequence (settings, Main.ind, folders), the first
// paint. The application object exists already, as it does before the window is made.
#include "app/TfrmMain.h"
#include "platform/Messages.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zendra;

namespace {

void BM_StartToMainWindow(benchmark::State& state)
{
    QTemporaryDir settings;
    QTemporaryDir data;
    SettingsStore::useFolder(settings.path());
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    QDir::setCurrent(QString::fromUtf8(ZENDRA_SOURCE_DIR) + QStringLiteral("/examples/courseware"));
    StderrMessages messages;
    ScopedMessages scope(messages);
    for (auto _ : state) {
        TfrmMain main;
        main.show();
        if (!main.FormShow()) {
            state.SkipWithError("start sequence failed");
            break;
        }
        QApplication::processEvents();
    }
    SettingsStore::useFolder({});
}
BENCHMARK(BM_StartToMainWindow)->Unit(benchmark::kMillisecond);

} // namespace
