// ReadUnit on a fuzzed master file: the first line of the input is the header line to look
// for, the rest the file. Every mode, and an add after an open.
#include "FuzzSupport.h"

#include "courseware/UnitReader.h"
#include "platform/Messages.h"
#include "platform/TextFile.h"

using namespace zendra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const qsizetype end = bytes.indexOf('\n');
    const QString header = QString::fromLatin1(end < 0 ? bytes : bytes.left(end)).trimmed();
    const QString path =
        fuzz::writeInput(QStringLiteral("m.que"), end < 0 ? QByteArray() : bytes.mid(end + 1));

    ScriptedMessages messages;
    ScopedMessages scope(messages);
    UnitReader reader;
    for (UnitReader::Mode mode :
         {UnitReader::OpenMaster, UnitReader::OpenCopy, UnitReader::AddToSheet}) {
        if (reader.ReadUnit(path, header, 1, 1, mode, UnitTitles{}, AddContext{})) {
            FUZZ_ASSERT(reader.unit().content.questions.size() <= kMaxQuestionLines);
        }
    }
    QStringList lines;
    if (TextFile::read(path, lines).ok) {
        const qsizetype at = lines.indexOf(header);
        for (const UnitProblem& p : UnitStructureProblems(lines, at))
            FUZZ_ASSERT(p.line >= 1 && p.line <= lines.size());
        FUZZ_ASSERT(at < 0 || UnitEnd(lines, at) <= lines.size());
    }
    return 0;
}
