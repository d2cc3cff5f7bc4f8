#include "courseware/UnitChoice.h"

#include "platform/Paths.h"

#include <QFileInfo>

namespace zendra {

Lesson LessonTable::lesson(int n) const
{
    if (n < 1 || n > lessons.size())
        return {};
    return lessons.at(n - 1);
}

Section SectionUnits::section(int n) const
{
    if (n < 1 || n > sections.size())
        return {};
    return sections.at(n - 1);
}

QString SectionUnits::unitTitle(int sectionNumber, int unit) const
{
    const QStringList units = section(sectionNumber).units;
    if (unit < 1 || unit > units.size())
        return {};
    return units.at(unit - 1);
}

QString VariantSuffix(int variant)
{
    return variant != 0 ? QStringLiteral("R") + QString::number(variant) : QString();
}

QString UnitHeaderLine(const UnitChoice& choice)
{
    return QStringLiteral("[[unit") + QString::number(choice.unit) + VariantSuffix(choice.variant);
}

QString LessonFolder(const QString& programFolder, const LessonTable& table, int lesson)
{
    return coursewarePath(programFolder, table.lesson(lesson).folder);
}

QString LessonIndexPath(const QString& programFolder, const LessonTable& table, int lesson)
{
    const Lesson l = table.lesson(lesson);
    return coursewarePath(programFolder, l.folder + l.baseName + QStringLiteral(".ind"));
}

QString MasterPath(const QString& programFolder, const LessonTable& table, int lesson, int section)
{
    const Lesson l = table.lesson(lesson);
    return coursewarePath(programFolder, l.folder + l.baseName + QString::number(section) +
                                             QStringLiteral(".que"));
}

UnitNames MakeUnitNames(const QString& programFolder, const LessonTable& table,
                        const UnitChoice& choice)
{
    const QString unitSuffix =
        QStringLiteral("-U") + QString::number(choice.unit) + VariantSuffix(choice.variant);
    UnitNames names;
    names.masterPath = MasterPath(programFolder, table, choice.lesson, choice.section);
    names.windowId = names.masterPath + unitSuffix;
    names.shortName = table.lesson(choice.lesson).baseName + QString::number(choice.section) +
                      QStringLiteral(".que") + unitSuffix;
    return names;
}

QString MakeRecordKey(const UnitChoice& choice, const SectionUnits& sections)
{
    return QStringLiteral("S") + QString::number(choice.section) + QString::number(choice.unit) +
           sections.unitTitle(choice.section, choice.unit);
}

QString GraphFolder(const QString& programFolder, const LessonTable& table, int lesson)
{
    const QString own = coursewarePath(programFolder, table.lesson(std::max(lesson, 1)).folder +
                                                          QStringLiteral("Graph\\"));
    if (QFileInfo(own).isDir())
        return own;
    const QString shared = coursewarePath(programFolder, QStringLiteral("Graph\\"));
    if (QFileInfo(shared).isDir())
        return shared;
    return {};
}

} // namespace zendra
