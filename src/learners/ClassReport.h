#pragma once

#include "learners/ClassRecords.h"

#include <QList>
#include <QRect>
#include <QRgb>
#include <QString>

namespace zendra {

class PrintTarget;
class Surface;

// The colour band of a latest score: under 60, 60 to 79, 80 and over.
enum class ScoreBand { Low, Middle, High };
ScoreBand BandOf(int percent);
QRgb BandColour(ScoreBand band);
// Cells of a unit flagged to the teacher (missed again and again) carry this mark.
inline constexpr QChar kFlagMark = QChar(0x2691); // a flag

// The short name of a unit in the grid's head: "1-2", or the copy file's name.
QString UnitShortName(const ClassUnit& unit);

// A learner's scores over time, oldest left, 0 to 100 from bottom to top, drawn inside
// `area` through the surface, so the screen and the printed page show the same chart.
void DrawScoreChart(Surface& surface, const QRect& area, const QList<ClassRecord>& records);

// Every readable record of the learner, all units, in time order.
QList<ClassRecord> LearnerTimeline(const ClassLearner& learner);

struct ClassReport
{
    const ClassRecords* records = nullptr;
    QList<int> learnerOrder;             // rows of the grid; empty: the records' order
    QList<int> questionUnits;            // units whose question lists follow the grid
    QList<QList<BoxQuestion>> questions; // one list per entry of questionUnits
    bool showAnswers = false;            // the answers stay off the page unless asked for
    int chartLearner = -1;               // a learner whose chart follows, if any
};

// Prints the grid (as many landscape pages as its rows and columns take) and each question
// list on the target, one job per page. False, with why, when a page could not be begun.
bool PrintClassReport(PrintTarget& target, const ClassReport& report, QString* error);

} // namespace zendra
