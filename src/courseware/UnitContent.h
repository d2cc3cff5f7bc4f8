#pragma once

#include <QString>
#include <QStringList>

namespace zendra {

// What a unit puts on its sheet: the header texts, the question lines and the pass-through
// blocks. The parser fills it, the worksheet holds it and the header dialog edits it.
struct UnitContent
{
    QString title;
    QString school;
    QString nameLine;
    QStringList questions;       // one sheet line each, at most 60
    QStringList softKeys;        // "<<softkey", passed through
    QStringList answerGroups;    // "<<kgroup", passed through
    QStringList questionFigures; // triples: file, left, top
    QStringList answerFigures;   // triples: file, left, top

    friend bool operator==(const UnitContent&, const UnitContent&) = default;
};

} // namespace zendra
