#pragma once

#include "app/AppState.h"
#include "courseware/UnitChoice.h"
#include "sheet/PageComposer.h"
#include "sheet/Paper.h"
#include "sheet/WorksheetHost.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QStringList>

#include <optional>

namespace zendra {

struct PdfJob;
struct Sheet;

// The part of the page a marked rectangle copies to the clipboard: corners normalised, the
// rectangle's own outline left out (its source starts one pixel inside, its size is
// |x2 − x1 − 2| × |y2 − y1 − 2|).
QRect CopyRectangle(QPoint corner1, QPoint corner2);

// The picture a marked rectangle copies: white where the mark reaches past the page.
QImage CopiedArea(const QImage& page, QRect marked);

// The open-sheet list after a sheet changed its identifier (saved under a new name).
QStringList RenameOpenSheet(QStringList list, const QString& from, const QString& to);

// What the main window's commands depend on, as its controls and sheets stand now.
struct CommandContext
{
    bool sheetActive = false;
    bool masterUnit = false; // the active sheet is a unit of a master file
    bool keyLocked = false;
    bool answersButtonEnabled = true;
};

// Whether a command of the worksheet's menus is available.
bool MainCommandEnabled(WorksheetHost::Command command, const CommandContext& context);

// Why 目次作成 cannot start now, if it cannot: the index is edited with no file open.
std::optional<QString> EditIndexRefusal(int openSheets);

// The application-wide values a composition takes from the main window and the print-mode
// dialog; the sheet's option bits stand for the paper dialog's check boxes.
struct ControlValues
{
    int mojiSize = 10;
    int gyouSpace = 30;
    bool bekkai = true;
    bool numbered = true;
    int startNumber = 1;
    QString schoolName;
    QString learnerName;
};
ComposeInputs WithControls(ComposeInputs inputs, const ControlValues& controls);

// What a key pressed in the main window or a worksheet does.
enum class MainKey { None, Study, CloseSheet, Exit, Scroll, Copy };
MainKey MainKeyAction(int key, Qt::KeyboardModifiers modifiers, bool studyEnabled,
                      bool copyEnabled);

// Captions and look of the panel's switches.
QString LockCaption(bool locked);         // 先生用 while teaching, 生徒用 while locked
QString KaitouCaption(bool answersShown); // 解答 ● / 解答 ○
QString KaitouStyle(bool answersShown);   // red and bold while the answers show

// The paper dialog's OK gives the sheet the chosen paper, except A4 chosen again when A4
// was the selected paper already.
bool PaperChoiceApplies(Paper chosen, std::optional<Paper> before);

// The paper dialog's OK with a sheet open: the chosen width becomes the program's paper and
// is kept in the settings ("PaperSize"); the sheet takes the dialog's option bits.
void AcceptPaperChoice(AppState& state, Sheet& sheet, int width, int options);

// A copy-file name typed into the opener: ".prp" is added to a name without an extension;
// any other extension is refused with "<name>:拡張子が不正です".
struct CopyFileName
{
    QString name;
    QString error; // empty when the name is usable
};
CopyFileName CheckCopyFileName(const QString& typed);

// Saves a sheet into its master file; on success it is no longer changed. A failed save has
// shown why. When the master file changed since the sheet read it (another teacher on a
// shared folder), the user is told and asked whether to save a copy file instead; AsCopy
// is that answer, and nothing was written.
enum class MasterSave { Saved, Failed, AsCopy };
MasterSave SaveSheetMaster(const QString& programFolder, const LessonTable& lessons, Sheet& sheet);

// Saves a sheet as a copy file: over the copy it came from, otherwise under a name the save
// dialog asks for in the sheet's lesson folder. On success the sheet is known by the file
// written (its name and window key) and no longer changed; the path is returned.
std::optional<QString> SaveSheetCopy(const QString& programFolder, const LessonTable& lessons,
                                     Sheet& sheet, const ComposeInputs& inputs);

// File › PDFに保存 with the copies chosen: asks for the file in the sheet's lesson folder
// (".pdf" added to a name without an extension), then writes the sheet at printer resolution.
// A failure is shown. False when the user cancelled before anything was composed.
bool SaveSheetPdf(const QString& programFolder, const LessonTable& lessons, Sheet& sheet,
                  const ComposeInputs& inputs, const PdfJob& job);

} // namespace zendra
