// The renderer and the composer on the recording surface: the input's first line drawn as
// one question line, the whole input read as a unit and composed as a sheet.
#include "FuzzSupport.h"

#include "courseware/UnitReader.h"
#include "platform/Messages.h"
#include "platform/RecordingSurface.h"
#include "sheet/NotationRenderer.h"
#include "sheet/PageComposer.h"
#include "sheet/Sheet.h"
#include "sheet/SheetOutput.h"

#include <QGuiApplication>

using namespace zendra;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Text widths come from real fonts, which need the GUI library's application object.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const qsizetype end = bytes.indexOf('\n');
    const QString line = QString::fromUtf8(end < 0 ? bytes : bytes.left(end));

    NotationRenderer renderer;
    renderer.begin(1.0, 12, false, 630);
    RecordingSurface surface;
    (void)renderer.DrawNotation(12, 100, 200, qRgb(0, 0, 255), line, surface, 1.0);

    ScriptedMessages messages;
    ScopedMessages scope(messages);
    const QString path = fuzz::writeInput(QStringLiteral("u.que"), "[[unit1\r\n" + bytes);
    UnitReader reader;
    if (!reader.ReadUnit(path, QStringLiteral("[[unit1"), 1, 1, UnitReader::OpenMaster,
                         UnitTitles{}))
        return 0;
    Sheet sheet = Sheet::fromParsedUnit(reader.unit(), SheetSource{}, true);
    for (bool printer : {false, true}) {
        ComposeTarget target;
        target.width = printer ? sheet.settings.page.width * 6 : sheet.settings.page.width;
        target.height = printer ? sheet.settings.page.height * 6 : sheet.settings.page.height;
        target.printer = printer;
        target.screenImageWidth = sheet.settings.page.width;
        RecordingSurface page(printer ? 600 : 96, target.width);
        sheet.composed = ComposeSheet(sheet, page, target, InputsFromSheet(sheet));
        FUZZ_ASSERT(sheet.composed.boxes.count() <= AnswerBoxTable::kMaxBoxes);
    }
    return 0;
}
