#include "sheet/WidgetPrinting.h"

#include "platform/Messages.h"
#include "platform/WidgetPrinter.h"

#include <QPrinter>

#include <algorithm>

namespace zendra {

PrintResult PrintOnPrinter(Sheet& sheet, const ComposeInputs& inputs, PrintOptions options,
                           QPrinter& printer)
{
    if (options.numbered) {
        options.copies = std::max(1, printer.copyCount());
        printer.setCopyCount(1);
    }
    PrintResult result;
    {
        WidgetPrintTarget target(printer);
        result = PrintSheet(sheet, inputs, options, target);
        if (!target.finish() && result.ok) {
            result.ok = false;
            result.error = target.errorString();
        }
    }
    if (!result.ok)
        ShowMessage(result.error);
    return result;
}

PrintResult PrintImageOnPrinter(const QImage& image, const QString& title, QPrinter& printer)
{
    PrintResult result;
    {
        WidgetPrintTarget target(printer);
        result = PrintImage(image, title, target);
        if (!target.finish() && result.ok) {
            result.ok = false;
            result.error = target.errorString();
        }
    }
    if (!result.ok)
        ShowMessage(result.error);
    return result;
}

} // namespace zendra
