// ProfileFile and the record-file operations on a fuzzed record file: read, count, append
// and erase, each leaving a file that reads again.
#include "FuzzSupport.h"

#include "courseware/RecordFile.h"
#include "platform/ProfileFile.h"

using namespace zendra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString path = fuzz::writeInput(QStringLiteral("r.ini"), bytes);

    const ProfileFile profile(path);
    const QStringList sections = profile.sections();
    for (const QString& section : sections) {
        for (const ProfileFile::Entry& e : profile.entries(section))
            (void)profile.readString(section, e.key, QString());
    }
    const QString key = sections.value(0, QStringLiteral("S11たし算"));
    QString error;
    const int before = RecordCount(path, key, &error);
    (void)ReadRecords(path, key, &error);
    (void)RecordSections(path, &error);
    if (AppendRecord(path, key, QStringLiteral("2005年06月21日 14:03 [0102]  3/ 4  75点 01:27"))
            .ok) {
        // The new record is one more under the same key, whatever the file held.
        FUZZ_ASSERT(RecordCount(path, key) == before + 1);
        FUZZ_ASSERT(ProfileFile(path).readResult().ok);
    }
    if (EraseRecords(path, key).ok)
        FUZZ_ASSERT(RecordCount(path, key) == 0);
    return 0;
}
