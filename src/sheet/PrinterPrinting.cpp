#include "sheet/PrinterPrinting.h"

#include "platform/Messages.h"
#include "platform/PrinterPrintTarget.h"

#include <QPrinter>

#include <algorithm>

namespace zendra {

namespace {

// Runs one print job on the printer; a failure of the job or of the printer is shown.
template <typename Job> PrintResult printWith(QPrinter& printer, Job job)
{
    PrintResult result;
    {
        PrinterPrintTarget target(printer);
        result = job(target);
        if (!target.finish() && result.ok) {
            result.ok = false;
            result.error = target.errorString();
        }
    }
    if (!result.ok)
        ShowMessage(result.error);
    return result;
}

} // namespace

PrintResult PrintOnPrinter(Sheet& sheet, const ComposeInputs& inputs, PrintOptions options,
                           QPrinter& printer)
{
    if (options.numbered || options.vary) {
        options.copies = std::max(1, printer.copyCount());
        printer.setCopyCount(1);
    }
    return printWith(
        printer, [&](PrintTarget& target) { return PrintSheet(sheet, inputs, options, target); });
}

PrintResult PrintImageOnPrinter(const QImage& image, const QString& title, QPrinter& printer)
{
    return printWith(printer,
                     [&](PrintTarget& target) { return PrintImage(image, title, target); });
}

} // namespace zendra
