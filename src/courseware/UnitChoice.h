#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace zendra {

// One unit of the courseware, as chosen in the unit chooser: lesson, section and unit count
// from 1; variant is 0 for the unit itself or 1..5 for one of its similar-question sets.
struct UnitChoice
{
    std::int32_t lesson = 0;
    std::int32_t section = 0;
    std::int32_t unit = 0;
    std::int32_t variant = 0;

    friend bool operator==(const UnitChoice&, const UnitChoice&) = default;
};

// At most this many lessons, sections per lesson and units per section.
constexpr int kMaxIndexEntries = 80;

// One lesson of Main.ind.
struct Lesson
{
    QString name;     // shown in the chooser; "?" for a line without ','
    QString folder;   // relative to the program folder, as written, with its trailing '\'
    QString baseName; // master files are folder + baseName + section + ".que"
};

// The lessons of Main.ind, numbered from 1 (entry 0 of `lessons` is lesson 1).
struct LessonTable
{
    QString title; // line 1 of Main.ind
    QList<Lesson> lessons;

    int count() const { return static_cast<int>(lessons.size()); }
    // Lesson n (from 1); an empty lesson when n is out of range.
    Lesson lesson(int n) const;
};

// The sections of the lesson loaded last, numbered from 1.
struct Section
{
    QString title;
    QStringList units;
};

struct SectionUnits
{
    QString indexTitle; // line 1 of the lesson index
    QList<Section> sections;

    int count() const { return static_cast<int>(sections.size()); }
    Section section(int n) const;
    // The title of unit `unit` of section `section`, or empty.
    QString unitTitle(int section, int unit) const;
};

// The names derived from a unit choice.
struct UnitNames
{
    QString masterPath; // the section's master file
    QString windowId;   // masterPath + "-U" + unit + variant suffix
    QString shortName;  // baseName + section + ".que-U" + unit + variant suffix
};

// "R" + variant for a similar-question set, empty for the unit itself.
QString VariantSuffix(int variant);
// The header line of the unit's block in its master file: "[[unit" + unit + suffix.
QString UnitHeaderLine(const UnitChoice& choice);
// The header line of the single unit of a copy file.
inline QString CopyUnitHeaderLine()
{
    return QStringLiteral("[[unitX");
}

// `programFolder` ends with '/'. Courseware folders are written with '\'.
QString LessonFolder(const QString& programFolder, const LessonTable& table, int lesson);
QString LessonIndexPath(const QString& programFolder, const LessonTable& table, int lesson);
QString MasterPath(const QString& programFolder, const LessonTable& table, int lesson, int section);
UnitNames MakeUnitNames(const QString& programFolder, const LessonTable& table,
                        const UnitChoice& choice);

// "S" + section + unit + the unit's title in the lesson index; the variant is not part of it.
QString MakeRecordKey(const UnitChoice& choice, const SectionUnits& sections);

// The figure folder of a lesson (taken as 1 below 1): the lesson's "Graph" folder when it
// exists, else the program folder's "Graph" folder when that exists, else empty. Ends with
// '/' when not empty.
QString GraphFolder(const QString& programFolder, const LessonTable& table, int lesson);

} // namespace zendra
