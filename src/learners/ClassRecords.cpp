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

// Whether the clock showed this local time. Asking the time zone costs much more than
// reading a line, so days without a change of offset are remembered as such.
bool LocalTimeExists(const QDate& date, const QTime& time)
{
    static QHash<qint64, bool> steadyDays;
    const qint64 day = date.toJulianDay();
    auto it = steadyDays.constFind(day);
    if (it == steadyDays.cend()) {
        const QTime noon(12, 0);
        it = steadyDays.insert(day, QDateTime(date.addDays(-1), noon).offsetFromUtc() ==
                                        QDateTime(date.addDays(1), noon).offsetFromUtc());
    }
    if (*it)
        return true;
    const QDateTime local(date, time);
    return local.date() == date && local.time() == time;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

struct LineReader
{
    QStringView text;
    qsizetype at = 0;

    bool literal(QStringView word)
    {
        if (!text.mid(at).startsWith(word))
            return false;
        at += word.size();
        return true;
    }
    bool digits(int count, int& value)
    {
        value = 0;
        for (int k = 0; k < count; ++k, ++at) {
            if (at >= text.size() || !isDigit(text.at(at)))
                return false;
            value = value * 10 + (text.at(at).unicode() - u'0');
        }
        return true;
    }
    // A run of digits without a leading zero (a single "0" aside), at most nine of them.
    bool number(int& value, qsizetype& count)
    {
        const qsizetype from = at;
        while (at < text.size() && isDigit(text.at(at)))
            ++at;
        count = at - from;
        if (count == 0 || count > 9 || (count > 1 && text.at(from) == u'0'))
            return false;
        at = from;
        return digits(static_cast<int>(count), value);
    }
    // A number as "%<width>d" writes it: blanks before it up to the width, none past it.
    bool padded(int width, int& value)
    {
        const qsizetype from = at;
        while (at < text.size() && text.at(at) == u' ')
            ++at;
        const qsizetype blanks = at - from;
        qsizetype count = 0;
        if (!number(value, count))
            return false;
        return count >= width ? blanks == 0 : blanks + count == width;
    }
    // Minutes as the record writes them: two digits below 100, else in full.
    bool minutes(int& value)
    {
        const qsizetype from = at;
        while (at < text.size() && isDigit(text.at(at)))
            ++at;
        const qsizetype count = at - from;
        at = from;
        if (count == 2)
            return digits(2, value);
        qsizetype n = 0;
        return count > 2 && number(value, n) && value <= 1000000;
    }
};

} // namespace

bool ClassRecord::fullyRight() const
{
    if (kind == RecordKind::Test || (tries.isEmpty() && total > 0))
        return right == total;
    return std::all_of(tries.cbegin(), tries.cend(), [](QChar c) { return c == u'0'; });
}

std::optional<ClassRecord> ReadClassRecord(const QString& line)
{
    // The lines MakeRecordLine writes, and no others, as ParseRecordLine reads them; read
    // here by hand, since a class of 35 learners brings some 35,000 lines at once.
    LineReader in{QStringView(line)};
    ClassRecord record;
    int variant = 0;
    if (in.literal(u"類題")) {
        if (!in.digits(1, variant) || variant < 1 || variant > 5 || !in.literal(u")"))
            return std::nullopt;
        record.kind = RecordKind::Variant;
    }
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    if (!in.digits(4, year) || year < 1000 || !in.literal(u"年") || !in.digits(2, month) ||
        !in.literal(u"月") || !in.digits(2, day) || !in.literal(u"日 ") || !in.digits(2, hour) ||
        !in.literal(u":") || !in.digits(2, minute) || !in.literal(u" ["))
        return std::nullopt;
    const qsizetype triesFrom = in.at;
    while (in.at < in.text.size() && isDigit(in.text.at(in.at)))
        ++in.at;
    record.tries = in.text.mid(triesFrom, in.at - triesFrom).toString();
    int minutes = 0, seconds = 0;
    if (!in.literal(u"] ") || !in.padded(2, record.right) || !in.literal(u"/") ||
        !in.padded(2, record.total) || !in.literal(u" ") || !in.padded(3, record.percent) ||
        !in.literal(u"点 ") || !in.minutes(minutes) || !in.literal(u":") ||
        !in.digits(2, seconds) || seconds >= 60 || in.at != in.text.size())
        return std::nullopt;
    const QDate date(year, month, day);
    const QTime time(hour, minute);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    // A local time the clock skipped would be written back as another time.
    if (!LocalTimeExists(date, time))
        return std::nullopt;
    record.finished = QDateTime(date, time, Qt::UTC);
    record.elapsedSeconds = minutes * 60 + seconds;
    if (record.kind != RecordKind::Variant && record.tries.isEmpty())
        record.kind = RecordKind::Test;
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
            for (const QString& line : reader.unit().content.questions) {
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
