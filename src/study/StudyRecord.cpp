#include "study/StudyRecord.h"

#include "courseware/RecordFile.h"
#include "courseware/RecordLine.h"
#include "study/StudySession.h"

namespace zendra {

StudyRecordTarget StudyRecordTargetFor(const LearnerPlace& place, const UnitChoice& choice,
                                       const SectionUnits& sections, bool fromCopyFile,
                                       const QString& copyUnitName)
{
    StudyRecordTarget target;
    const int lesson = fromCopyFile ? 0 : choice.lesson;
    target.path =
        LearnerRecordPath(place.programFolder, place.lessonTable, lesson, place.learnerName);
    target.section = fromCopyFile ? copyUnitName : MakeRecordKey(choice, sections);
    target.variant = fromCopyFile ? 0 : choice.variant;
    return target;
}

QString StudyRecordLine(const StudyState& state, const Score& score, int variant,
                        const QDateTime& now, std::optional<quint64> generatedSeed)
{
    RecordValues values;
    values.variant = variant;
    values.generatedSeed = generatedSeed;
    values.finished = now;
    values.triesText = state.triesText;
    values.right = score.correct;
    values.total = score.total;
    values.percent = score.percent;
    values.elapsedSeconds = state.elapsedSeconds;
    return MakeRecordLine(values);
}

StudyRecordResult WriteStudyRecord(const StudyRecordTarget& target, const StudyState& state,
                                   const Score& score, const QDateTime& now)
{
    StudyRecordResult result;
    result.line = StudyRecordLine(state, score, target.variant, now, target.generatedSeed);
    const TextFile::Result written = AppendRecord(target.path, target.section, result.line);
    result.written = written.ok;
    if (!written.ok) {
        result.error = QStringLiteral("学習の記録を書き込めませんでした。\n") + written.error;
    }
    return result;
}

QStringList StudyRecordLines(const StudyRecordTarget& target)
{
    const QStringList lines = ReadRecords(target.path, target.section);
    if (lines.isEmpty())
        return {kNoRecordsLine.toString()};
    return lines;
}

} // namespace zendra
