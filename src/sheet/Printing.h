#pragma once

#include "platform/PrintTarget.h"
#include "sheet/PageComposer.h"

#include <QImage>
#include <QString>
#include <QtGlobal>

namespace zendra {

struct Sheet;

struct PrintOptions
{
    bool printerResolution = false; // compose on the page instead of stretching the screen
    bool numbered = true;           // "№ " + the copy's number on the date line
    int copies = 1;                 // used only when numbered; otherwise one job
    int startNumber = 1;
    // Each copy gets its own numbers: the set made from `seed` and the copy's number, which
    // its label shows as "№ number-seed". The copies are numbered as when `numbered` is set.
    bool vary = false;
    quint64 seed = 0;
    // After each copy, that copy again with its answers shown and "解答" in its title line,
    // on a page of its own; the copy's own page then leaves every answer out.
    bool answerKey = false;
};

struct PrintResult
{
    bool ok = false;
    QString error;    // what to tell the user when !ok
    int jobsDone = 0; // jobs ended successfully
    // What the start-number control shows afterwards: 1 after a complete print, the
    // number of the first copy not printed after a failure (so the rest can follow).
    int nextStartNumber = 1;
};

// Prints the sheet, one job per copy, each copy with its own number. The screen-faithful
// mode draws the screen page (composed again for every copy) stretched onto the page,
// shifted right by 6 layout units; the printer-resolution mode composes the sheet on the
// page with the answer boxes of a screen composition made first: the screen's layout at the
// page's sharpness, hidden answers left out. A job that cannot begin or end stops the
// print; copies to vary on a sheet without a line the generator can vary are refused before
// any job begins. Messages are left to the caller.
PrintResult PrintSheet(Sheet& sheet, const ComposeInputs& inputs, const PrintOptions& options,
                       PrintTarget& target);

// Copy `number` of a print whose copies have their own numbers: the sheet with the question
// lines the generator makes from `seed` and `number` (lines it does not understand stay).
Sheet VariedCopy(const Sheet& sheet, quint64 seed, int number);

// What follows the number on the label of such a copy: "-" + the seed.
QString VariedCopySuffix(quint64 seed);
// Why copies with numbers of their own cannot be made of a sheet none of whose answer lines
// the generator understands (they would all come out alike), or empty when they can.
QString CannotVary(const Sheet& sheet);

// Prints a picture (an image of a window) as one job, as large as the page allows with its
// proportions kept, at the page's top left. Messages are left to the caller.
PrintResult PrintImage(const QImage& image, const QString& title, PrintTarget& target);

} // namespace zendra
