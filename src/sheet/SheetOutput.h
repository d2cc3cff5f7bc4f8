#pragma once

#include "sheet/PageComposer.h"
#include "sheet/Paper.h"

#include <QImage>
#include <QString>

namespace zendra {

struct Sheet;
class TextMetrics;

// The inputs a composition takes from the windows, filled from the sheet's own values the
// way activating a worksheet loads them into the controls.
ComposeInputs InputsFromSheet(const Sheet& sheet);

// The screen page, white, composed with the answer boxes registered. This is also the
// layout a printer page draws its boxes from. At a device-pixel ratio above 1 (a HiDPI
// display) the image has ratio × the pixels and that device-pixel ratio, and the sheet is
// drawn into it at that sharpness: the layout and everything it records stay in layout
// units, the same at every ratio. The clipboard and the screen-faithful print take ratio 1,
// one pixel per layout unit.
QImage RenderScreenPage(Sheet& sheet, const ComposeInputs& inputs, double ratio = 1.0);

// The screen page's composition (answer boxes, piece positions and the rest) without its
// pixels: what a printer page takes from the screen page, for less than RenderScreenPage.
// Fonts and widths are kept in `metrics` when given, as a print job keeps them for its pages.
void LayOutScreenPage(Sheet& sheet, const ComposeInputs& inputs, TextMetrics* metrics = nullptr);

// A page of the sheet's paper at `dpi`: the screen page is composed first, so that the
// boxes are those of the screen layout, then the sheet is composed again at printer scale.
QImage RenderPrinterPage(Sheet& sheet, const ComposeInputs& inputs, int dpi);

// The size of the sheet's paper in pixels at `dpi` (width and height in layout units of
// 1/3 mm).
QSize PaperPixels(const PaperRecord& paper, int dpi);

// A question line's column problems as a sheet of `characterSize` in `face` draws them, with
// their answers shown, cut out of the page: the question editor's preview. A null image when
// the line has none that reads.
QImage ColumnPreview(const QString& line, int characterSize, const QString& face);

struct PdfJob
{
    int dpi = 600;
    int copies = 1;
    // When set, each copy carries "№ " + its number, numbered on from firstNumber.
    bool numbered = false;
    int firstNumber = 1;
    // Copies with numbers of their own from `seed`, and answer keys (see PrintOptions).
    bool vary = false;
    quint64 seed = 0;
    bool answerKey = false;
};

// Writes the sheet composed at printer resolution as a PDF, one page per copy, on pages of
// the sheet's paper. The file is written whole or not at all; on failure `error` says why.
bool WriteSheetPdf(Sheet& sheet, const ComposeInputs& inputs, const PdfJob& job,
                   const QString& path, QString* error);

// Saves a picture whole or not at all (format from the file name's extension).
bool WriteImageFile(const QImage& image, const QString& path, QString* error);

} // namespace zendra
