// How much of a courseware tree the question generator varies: per unit the answer blanks it
// understands, the total, and every line it keeps with the reason.
//   generator_coverage [COURSEWARE_FOLDER]   (default: the bundled sample)
#include "courseware/QuestionGenerator.h"
#include "courseware/UnitReader.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>

#include <cstdio>

using namespace zendra;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QStringLiteral(ZENDRA_SOURCE_DIR "/examples/courseware");
    QStringList files;
    QDirIterator it(root, {QStringLiteral("*.que")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    int total = 0, understood = 0;
    QString keptText;
    for (const QString& file : files) {
        QStringList lines;
        if (!TextFile::read(file, lines))
            continue;
        const QString name = QDir(root).relativeFilePath(file);
        for (const QString& header : lines) {
            if (!IsUnitHeader(header))
                continue;
            UnitReader reader;
            if (!reader.ReadUnit(file, header, 1, 1, UnitReader::OpenMaster, {}))
                continue;
            const QuestionGenerator gen(reader.unit().content.questions);
            total += gen.totalAnswers();
            understood += gen.understoodAnswers();
            if (gen.totalAnswers() == 0)
                continue;
            const QString unit = name + u' ' + header;
            std::printf("%-28s %3d / %3d  %5.1f%%\n", qPrintable(unit), gen.understoodAnswers(),
                        gen.totalAnswers(), 100.0 * gen.understoodAnswers() / gen.totalAnswers());
            for (const KeptLine& k : gen.kept())
                keptText += QStringLiteral("%1 line %2: %3\n    %4\n")
                                .arg(unit)
                                .arg(k.line)
                                .arg(k.reason, k.text);
        }
    }
    std::printf("overall %d / %d answer blanks understood (%.1f%%)\n\nkept lines:\n%s", understood,
                total, total ? 100.0 * understood / total : 0.0, qPrintable(keptText));
    return 0;
}
