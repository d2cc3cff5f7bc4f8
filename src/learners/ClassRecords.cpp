#include "learners/ClassRecords.h"

#include "courseware/CoursewareIndex.h"
#include "courseware/NameList.h"
#include "courseware/QuestionLine.h"
#include "courseware/RecordLine.h"
#include "courseware/UnitReader.h"
#include "learners/LogOn.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace zendra {

namespace {

const QString kPasswordSection = QStringLiteral("password");

// The learner's latest practice of the unit itself (not a similar-question set) gives the
// per-box statistics: its tries digits stand in the order the boxes were completed, and
// the study session moves on from box 1 to the next open box in number order, so digit i
// belongs to box i. A line whose digits do not match its box count (a count of ten tries
// or more takes two digits) cannot be laid on the boxes and is left out.
void addBoxStats(ClassUnit& unit, const LearnerUnit& learner)
{
    for (auto it = learner.records.crbegin(); it != learner.records.crend(); ++it) {
        if (it->kind != RecordKind::Practice)
            continue;
        if (it->tries.size() != it->total)
            return;
        if (unit.boxes.size() < it->total)
            unit.boxes.resize(it->total);
        for (int b = 0; b < it->total; ++b) {
            ++unit.boxes[b].answered;
            if (it->tries.at(b) != u'0')
                ++unit.boxes[b].firstTryWrong;
        }
        return;
    }
}

LearnerUnit learnerUnit(const QString& learner, const QString& key,
                        const QList<ProfileFile::Entry>& entries,
                        QList<UnreadableRecord>& unreadable)
{
    LearnerUnit result;
    result.count = static_cast<int>(entries.size());
    for (const ProfileFile::Entry& entry : entries) {
        result.latestLine = entry.value;
        const std::optional<ClassRecord> record = ReadClassRecord(entry.value);
        if (!record) {
            unreadable.append(UnreadableRecord{learner, key, entry.value});
            continue;
        }
        result.records.append(*record);
        result.bestScore = std::max(result.bestScore, record->percent);
        if (!record->fullyRight())
            ++result.misses;
    }
    result.due = ReviewDueDate(result.records);
    return result;
}

ClassRecords readRecords(const QString& programFolder, const LessonTable& table, int lesson,
                         const QStringList& names, bool otherFiles)
{
    ClassRecords result;
    result.lesson = lesson;
    result.lessonName = table.lesson(lesson).name;
    if (lesson < 1 || lesson > table.count())
        return result;

    QHash<QString, int> unitsByKey;
    SectionUnits sections;
    {
        // A missing index is the teacher's to mend in the index editor; the overview shows
        // what the record files hold without it.
        ScriptedMessages quiet;
        ScopedMessages scope(quiet);
        LoadLessonIndex(programFolder, table, lesson, sections);
    }
    for (int s = 1; s <= sections.count(); ++s) {
        const QStringList& units = sections.sections.at(s - 1).units;
        for (int u = 1; u <= units.size(); ++u) {
            ClassUnit unit;
            unit.key = MakeRecordKey(UnitChoice{lesson, s, u, 0}, sections);
            unit.section = s;
            unit.unit = u;
            unit.title = units.at(u - 1);
            unitsByKey.insert(FoldProfileName(unit.key), static_cast<int>(result.units.size()));
            result.units.append(unit);
        }
    }

    QStringList learners;
    for (const QString& name : names) {
        if (!name.isEmpty() && LearnerNameProblem(name).isEmpty() && !learners.contains(name))
            learners.append(name);
    }
    const QString folder = withTrailingSlash(LessonFolder(programFolder, table, lesson));
    if (otherFiles) {
        for (const QString& file :
             QDir(folder).entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name)) {
            const QString name = QFileInfo(file).completeBaseName();
            if (!learners.contains(name))
                learners.append(name);
        }
    }

    // Sections per learner, by unit index; grown as copy files turn up.
    QList<QHash<int, LearnerUnit>> found;
    for (const QString& name : learners) {
        ClassLearner learner;
        learner.name = name;
        QHash<int, LearnerUnit> units;
        const QString path = folder + name + QStringLiteral(".ini");
        if (QFileInfo::exists(path)) {
            learner.hasFile = true;
            // Read whole once; a learner saving at this moment replaces the file in one
            // rename, so this reads the old file or the new one, never half of it.
            const ProfileFile file(path);
            ++result.filesRead;
            if (!file.readResult().ok)
                result.errors.append(file.readResult().error);
            for (const QString& section : file.sections()) {
                const QString folded = FoldProfileName(section);
                if (folded == kPasswordSection)
                    continue;
                int index = unitsByKey.value(folded, -1);
                if (index < 0) {
                    // A copy file, or a unit the index no longer lists.
                    ClassUnit unit;
                    unit.key = section;
                    unit.title = section;
                    index = static_cast<int>(result.units.size());
                    unitsByKey.insert(folded, index);
                    result.units.append(unit);
                }
                units.insert(index,
                             learnerUnit(name, section, file.entries(section), result.unreadable));
            }
        }
        result.learners.append(learner);
        found.append(units);
    }

    for (qsizetype l = 0; l < result.learners.size(); ++l) {
        ClassLearner& learner = result.learners[l];
        learner.units.resize(result.units.size());
        for (auto it = found.at(l).cbegin(); it != found.at(l).cend(); ++it)
            learner.units[it.key()] = it.value();
        for (qsizetype u = 0; u < result.units.size(); ++u)
            addBoxStats(result.units[u], learner.units.at(u));
    }
    return result;
}

QString trimmedQuestion(QString text)
{
    // A style mark ("@B", "@-") opens a line; it is not part of the question.
    if (text.startsWith(u'@') && text.size() >= 2)
        text = text.mid(2);
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && (text.at(from).isSpace() || text.at(from) == QChar(0x3000)))
        ++from;
    while (to > from && (text.at(to - 1).isSpace() || text.at(to - 1) == QChar(0x3000)))
        --to;
    return text.mid(from, to - from);
}

} // namespace

bool ClassRecord::fullyRight() const
{
    if (kind == RecordKind::Test || (tries.isEmpty() && total > 0))
        return right == total;
    return std::all_of(tries.cbegin(), tries.cend(), [](QChar c) { return c == u'0'; });
}

std::optional<ClassRecord> ReadClassRecord(const QString& line)
{
    const std::optional<RecordValues> values = ParseRecordLine(line);
    if (!values)
        return std::nullopt;
    ClassRecord record;
    // A test writes "[]"; a similar-question set is a practice or test of other questions.
    if (values->variant > 0)
        record.kind = RecordKind::Variant;
    else if (values->triesText.isEmpty())
        record.kind = RecordKind::Test;
    record.finished = values->finished;
    record.tries = values->triesText;
    record.right = values->right;
    record.total = values->total;
    record.percent = values->percent;
    record.elapsedSeconds = values->elapsedSeconds;
    return record;
}

std::optional<QDate> ReviewDueDate(const QList<ClassRecord>& records)
{
    qsizetype lastMiss = -1;
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (!records.at(i).fullyRight())
            lastMiss = i;
    }
    if (lastMiss < 0)
        return std::nullopt;
    const qsizetype rightSince = records.size() - 1 - lastMiss;
    if (rightSince >= static_cast<qsizetype>(kReviewDays.size()))
        return std::nullopt;
    return records.last().finished.date().addDays(kReviewDays.at(rightSince));
}

double ClassLearner::average() const
{
    int sum = 0;
    int n = 0;
    for (const LearnerUnit& unit : units) {
        if (const ClassRecord* latest = unit.latest()) {
            sum += latest->percent;
            ++n;
        }
    }
    return n == 0 ? -1.0 : static_cast<double>(sum) / n;
}

int ClassRecords::unitIndex(const QString& key) const
{
    const QString folded = FoldProfileName(key);
    for (qsizetype i = 0; i < units.size(); ++i) {
        if (FoldProfileName(units.at(i).key) == folded)
            return static_cast<int>(i);
    }
    return -1;
}

ClassRecords ReadClassRecords(const QString& programFolder, const LessonTable& table, int lesson,
                              const QStringList& classList)
{
    return readRecords(programFolder, table, lesson, classList, true);
}

ClassRecords ReadLearnerRecords(const QString& programFolder, const LessonTable& table, int lesson,
                                const QString& learner)
{
    return readRecords(programFolder, table, lesson, {learner}, false);
}

QStringList ClassListNames(const QString& programFolder, const QString& logOnFolder,
                           bool runningFromCd)
{
    QStringList names;
    const QString path = DefaultNameListPath(programFolder, logOnFolder, runningFromCd);
    if (QFileInfo::exists(path))
        LoadNameList(path, names);
    return names;
}

double BoxQuestion::firstTryShare() const
{
    if (stat.answered == 0)
        return -1.0;
    return static_cast<double>(stat.answered - stat.firstTryWrong) / stat.answered;
}

QList<BoxQuestion> UnitQuestions(const QString& programFolder, const LessonTable& table,
                                 const ClassRecords& records, int unitIndex)
{
    QList<BoxQuestion> result;
    if (unitIndex < 0 || unitIndex >= records.units.size())
        return result;
    const ClassUnit& unit = records.units.at(unitIndex);
    if (unit.section > 0) {
        UnitReader reader;
        ScriptedMessages quiet;
        ScopedMessages scope(quiet);
        const UnitChoice choice{records.lesson, unit.section, unit.unit, 0};
        if (reader.ReadUnit(MasterPath(programFolder, table, records.lesson, unit.section),
                            UnitHeaderLine(choice), unit.unit, unit.section, UnitReader::OpenMaster,
                            UnitTitles{})) {
            // Boxes are numbered as the sheet numbers them: blank by blank, line by line.
            for (const QString& line : reader.unit().questions) {
                if (line.isEmpty())
                    continue;
                const QStringList pieces = SplitQuestionLine(line);
                const qsizetype blanks = (pieces.size() - 1) / 2;
                for (qsizetype b = 0; b < blanks; ++b) {
                    BoxQuestion box;
                    box.box = static_cast<int>(result.size()) + 1;
                    box.question = trimmedQuestion(pieces.at(2 * b));
                    if (box.question.isEmpty()) {
                        QString whole;
                        for (qsizetype p = 0; p < pieces.size(); ++p)
                            whole += p % 2 == 0 ? pieces.at(p) : QStringLiteral("（　）");
                        box.question = trimmedQuestion(whole);
                    }
                    box.answer = SplitAnswer(pieces.at(2 * b + 1)).value(0);
                    result.append(box);
                }
            }
        }
    }
    for (qsizetype b = result.size(); b < unit.boxes.size(); ++b) {
        BoxQuestion box;
        box.box = static_cast<int>(b) + 1;
        result.append(box);
    }
    for (qsizetype b = 0; b < result.size() && b < unit.boxes.size(); ++b)
        result[b].stat = unit.boxes.at(b);
    std::stable_sort(result.begin(), result.end(), [](const BoxQuestion& a, const BoxQuestion& b) {
        const double sa = a.firstTryShare();
        const double sb = b.firstTryShare();
        if ((sa < 0) != (sb < 0))
            return sb < 0;
        return sa < sb;
    });
    return result;
}

QList<DueUnit> DueUnits(const ClassRecords& records, int learnerIndex, const QDate& today)
{
    QList<DueUnit> result;
    if (learnerIndex < 0 || learnerIndex >= records.learners.size())
        return result;
    const ClassLearner& learner = records.learners.at(learnerIndex);
    for (qsizetype u = 0; u < learner.units.size() && u < records.units.size(); ++u) {
        const LearnerUnit& unit = learner.units.at(u);
        const ClassUnit& place = records.units.at(u);
        // Only a unit of the lesson index can be opened for study again.
        if (place.section > 0 && unit.dueOn(today))
            result.append(DueUnit{place.key, place.section, place.unit, place.title, *unit.due});
    }
    std::stable_sort(result.begin(), result.end(),
                     [](const DueUnit& a, const DueUnit& b) { return a.due < b.due; });
    return result;
}

} // namespace zendra
