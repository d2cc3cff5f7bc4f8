#include "learners/UnitMarks.h"

#include "courseware/CoursewareIndex.h"
#include "courseware/RecordFile.h"
#include "learners/RecordList.h"
#include "platform/TextFile.h"

namespace zendra {

namespace {

bool inRange(int index, qsizetype size)
{
    return index >= 0 && index < size;
}

} // namespace

QString UnitMarks::prefix(int section, int unit) const
{
    if (!inRange(section - 1, prefixes.size()) || !inRange(unit - 1, prefixes[section - 1].size()))
        return {};
    return prefixes[section - 1][unit - 1];
}

bool UnitMarks::hasVariants(int section, int unit) const
{
    return inRange(section - 1, variants.size()) &&
           inRange(unit - 1, variants[section - 1].size()) && variants[section - 1][unit - 1];
}

UnitMarks ComputeUnitMarks(const QString& programFolder, const LessonTable& table, int lesson,
                           const QString& learnerName, const SectionUnits& sections)
{
    UnitMarks marks;
    if (lesson < 1)
        return marks;
    // The record file is read once for the whole lesson, not once per unit.
    const RecordCounts records =
        learnerName.isEmpty()
            ? RecordCounts()
            : RecordCounts(LearnerRecordPath(programFolder, table, lesson, learnerName));
    for (int s = 1; s <= sections.count(); ++s) {
        // A section without its master file has no marks, but its counts are still true,
        // and the sections after it are counted as well.
        QStringList master;
        const bool haveMaster =
            TextFile::read(MasterPath(programFolder, table, lesson, s), master).ok;
        QStringList prefixes;
        QList<bool> flags;
        const qsizetype units = sections.section(s).units.size();
        for (int u = 1; u <= units; ++u) {
            const bool variants = haveMaster && HasVariants(u, master);
            const int count = records.count(MakeRecordKey(UnitChoice{lesson, s, u, 0}, sections));
            prefixes.append(
                (variants ? QStringLiteral("◎") : QStringLiteral("　")) + QStringLiteral("[") +
                (count > 0 ? QString::number(count) : QStringLiteral(" ")) + QStringLiteral("]"));
            flags.append(variants);
        }
        marks.prefixes.append(prefixes);
        marks.variants.append(flags);
    }
    return marks;
}

} // namespace zendra
