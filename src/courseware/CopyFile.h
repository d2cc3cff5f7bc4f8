#pragma once

#include <QString>
#include <QStringList>

namespace zendra {

// What a worksheet hands to the copy-file writer.
struct CopySheet
{
    QString title;
    QString school;
    QString nameLine;
    QStringList questions;
    QStringList questionFigures; // triples with their current positions
    QStringList answerFigures;
    int paperWidth = 630; // 1/3 mm
    bool answersShown = false;
    int lineSpacing = 40;
    int leftMargin = 5;
    int rightMargin = 5;
    int startNumber = 1;
    int options = 7;
    // size, face, bold, italic, underline, strike-out, drawing face or "0"
    QStringList font;
    QStringList kran; // the 10 answer-box values
    QStringList answerGroups;
};

// The lines of a copy file for the sheet, "[[unitX" to "]]". The font block is always 7
// lines and the answer-box block 10, so that the file reads back: missing font lines are
// taken from the defaults, missing answer-box lines are "0", extra lines are dropped.
QStringList BuildCopyLines(const CopySheet& sheet);

// The sheet's "<<value", "<<font" and "<<kran" blocks, each with its keyword and ">>": the
// layout the sheet has now, as the question editor writes it back into the master file.
QStringList LayoutBlockLines(const CopySheet& sheet);

struct SaveCopyResult
{
    bool saved = false;
    QString path; // the file written, when saved
};

// Writes the sheet as a copy file. With a file name that file is overwritten without a
// question; without one the save dialog asks for a name in `dialogFolder` until the name
// has the extension ".prp" (added when the name has none) or the dialog is cancelled, and an
// existing file is overwritten only when the user agrees. A failed write shows which file
// and why.
SaveCopyResult SaveCopy(const CopySheet& sheet, const QString& fileNameOrEmpty,
                        const QString& dialogFolder);

} // namespace zendra
