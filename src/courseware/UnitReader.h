#pragma once

#include "courseware/ParsedUnit.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zendra {

// The chooser's list texts of the chosen unit.
struct UnitTitles
{
    QString lesson;
    QString section;
    QString unit;
};

// What an add (mode 2) needs to know about the sheet it adds to.
struct AddContext
{
    QString title;               // the sheet's current title
    bool titleGenerated = false; // false for a copy file or a header the user edited
    int section = 0;             // the section and unit the sheet was opened from
    int unit = 0;
};

// A line that starts a unit: "[[unit" and its number, variant or "X".
bool IsUnitHeader(const QString& line);

// One past the last line of the unit whose header is at `header`: the line after its
// "]]", or, when the "]]" is missing, the next unit's header (or the end of the file), so
// that a unit never takes in the one after it.
qsizetype UnitEnd(const QStringList& lines, qsizetype header);

// A block or unit that is not closed, named at the 1-based line where its ">>" or "]]"
// should have been. A header index outside the lines gives none.
struct UnitProblem
{
    int line = 0;
    QString text;
};
QList<UnitProblem> UnitStructureProblems(const QStringList& lines, qsizetype header);

// Finds one unit in a master or copy file and splits it into its blocks. One reader lives
// for the whole run: besides the parsed unit it remembers the section of the previous
// successful read, the last composed title and whether that read was an open, which steer
// the titles of later adds.
class UnitReader
{
public:
    enum Mode : int {
        OpenMaster = 0, // a master unit as a new sheet
        OpenCopy = 1,   // the "[[unitX" unit of a copy file
        AddToSheet = 2, // a unit's questions and figures added to the current sheet
    };

    // Reads the unit whose header line is exactly `headerLine`. Returns false, showing a
    // message for a block that fails its check or a file that cannot be read, and showing
    // nothing when the file is empty or has no such header. After a failure the lists hold
    // what was read up to the fault; the previous section, last title and opened flag are
    // those of the last successful read.
    bool ReadUnit(const QString& fileName, const QString& headerLine, int unitNumber,
                  int sectionNumber, Mode mode, const UnitTitles& titles,
                  const AddContext& add = {});

    // Loads the sheet's current content before an add, which appends to it.
    void setSheetContent(const UnitContent& content);

    const ParsedUnit& unit() const { return unit_; }
    int previousSection() const { return previousSection_; }
    const QString& lastTitle() const { return lastTitle_; }
    bool opened() const { return opened_; }

private:
    enum class Scan { Done, Failed };
    Scan scanUnit(const QStringList& lines, qsizetype start);

    ParsedUnit unit_;
    int previousSection_ = 0;
    QString lastTitle_;
    bool opened_ = false;
};

} // namespace zendra
