#pragma once

#include "courseware/UnitChoice.h"
#include "sheet/PageComposer.h"
#include "sheet/Paper.h"

#include <QObject>

#include <functional>
#include <memory>

class QPrinter;

namespace zendra {

class TfrmPrint;
class TfrmPrintMode;
struct Sheet;

// The main window's print commands: the print-mode dialog and the printer, both kept for
// the whole run; 印刷 through the print confirmation, and PDFに保存.
class PrintCommands : public QObject
{
    Q_OBJECT

public:
    // The dialogs open over `window`.
    explicit PrintCommands(QWidget* window);
    ~PrintCommands() override;

    QPrinter& printer() { return *printer_; }
    bool numbered() const;
    int startNumber() const;

    // 印字モードの設定.
    void chooseMode();
    // The print confirmation for a sheet on `paper`; `inputs` composes it as it is when the
    // printing starts.
    void print(TfrmPrint* frm, Paper paper, const std::function<ComposeInputs()>& inputs);
    // PDFに保存: the copies as the print confirmation offers them, numbered as the print mode
    // says; false when the user cancelled.
    bool savePdf(const QString& programFolder, const LessonTable& lessons, Sheet& sheet,
                 const ComposeInputs& inputs);

signals:
    // The print-mode dialog closed with OK: the sheet lays out again.
    void modeChanged();

private:
    QWidget* window_;
    TfrmPrintMode* frmPrintMode_;
    std::unique_ptr<QPrinter> printer_;
};

} // namespace zendra
