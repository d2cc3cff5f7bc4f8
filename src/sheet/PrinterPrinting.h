#pragma once

#include "sheet/Printing.h"

class QPrinter;

namespace zendra {

// Prints the sheet on the printer. Numbered copies, and copies with numbers of their own,
// take their count from the printer's copy count (options.copies is replaced), which is set
// back to 1 so that every copy is a job of its own. A failure is shown to the user and returned.
PrintResult PrintOnPrinter(Sheet& sheet, const ComposeInputs& inputs, PrintOptions options,
                           QPrinter& printer);

// Prints a picture on the printer, scaled to the page (see PrintImage). A failure is shown
// to the user and returned.
PrintResult PrintImageOnPrinter(const QImage& image, const QString& title, QPrinter& printer);

} // namespace zendra
