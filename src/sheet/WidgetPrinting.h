#pragma once

#include "sheet/Printing.h"

class QPrinter;

namespace zendra {

// Prints the sheet on the printer. Numbered copies take their count from the printer's
// copy count (options.copies is replaced), which is set back to 1 so that every copy is a
// job of its own. A failure is shown to the user and returned.
PrintResult PrintOnPrinter(Sheet& sheet, const ComposeInputs& inputs, PrintOptions options,
                           QPrinter& printer);

} // namespace zendra
