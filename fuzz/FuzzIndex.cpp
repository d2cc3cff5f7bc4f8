// The index readers: the input split at the first NUL byte into Main.ind and the first
// lesson's index, read as the chooser reads them.
#include "FuzzSupport.h"

#include "courseware/CoursewareIndex.h"
#include "courseware/UnitChoice.h"
#include "platform/Messages.h"

#include <QDir>

using namespace zendra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const qsizetype split = bytes.indexOf('\0');
    const QByteArray main = split < 0 ? bytes : bytes.left(split);
    const QByteArray lesson = split < 0 ? QByteArray() : bytes.mid(split + 1);

    QDir root(fuzz::scratch().path());
    root.removeRecursively();
    root.mkpath(QStringLiteral("L"));
    const QString folder = root.path() + u'/';
    fuzz::writeInput(QStringLiteral("Main.ind"), main);

    ScriptedMessages messages;
    ScopedMessages scope(messages);
    LessonTable table;
    if (!LoadMainIndex(folder, table))
        return 0;
    for (int l = 1; l <= table.count(); ++l) {
        // Whatever the lesson's name, its index is the second half of the input, when the
        // name leads into the scratch folder at all.
        const QString path = LessonIndexPath(folder, table, l);
        FUZZ_ASSERT(QDir::cleanPath(path).startsWith(QDir::cleanPath(folder)));
        if (QFileInfo(path).absoluteDir().exists() && !QFileInfo(path).isDir()) {
            QFile file(path);
            if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                file.write(lesson);
        }
        SectionUnits sections;
        if (LoadLessonIndex(folder, table, l, sections))
            for (int s = 1; s <= sections.count(); ++s)
                (void)sections.section(s);
    }
    return 0;
}
