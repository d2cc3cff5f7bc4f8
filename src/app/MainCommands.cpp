#include "app/MainCommands.h"

#include "app/LayoutSettings.h"
#include "authoring/QuestionEditor.h"
#include "courseware/CopyFile.h"
#include "platform/FileDialogs.h"
#include "platform/FileStamp.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/SettingsStore.h"
#include "sheet/SheetBuilder.h"
#include "sheet/SheetOutput.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace zendra {

QRect CopyRectangle(QPoint corner1, QPoint corner2)
{
    const int x1 = std::min(corner1.x(), corner2.x());
    const int x2 = std::max(corner1.x(), corner2.x());
    const int y1 = std::min(corner1.y(), corner2.y());
    const int y2 = std::max(corner1.y(), corner2.y());
    return QRect(x1 + 1, y1 + 1, std::abs(x2 - x1 - 2), std::abs(y2 - y1 - 2));
}

QImage CopiedArea(const QImage& page, QRect marked)
{
    const QRect source = CopyRectangle(marked.topLeft(), marked.bottomRight());
    // A blank picture first, so that a mark reaching past the page copies white there.
    QImage buffer(source.size(), QImage::Format_RGB32);
    buffer.fill(Qt::white);
    QPainter(&buffer).drawImage(QPoint(0, 0), page, source);
    return buffer;
}

QStringList RenameOpenSheet(QStringList list, const QString& from, const QString& to)
{
    list.removeOne(from);
    list.append(to);
    return list;
}

bool MainCommandEnabled(WorksheetHost::Command command, const CommandContext& context)
{
    using Command = WorksheetHost::Command;
    switch (command) {
    case Command::SaveMaster:
        return context.sheetActive && context.masterUnit;
    case Command::ToggleAnswers:
        // A learner does not switch the answers on; the frame hides its button for the same.
        return !context.keyLocked && context.answersButtonEnabled;
    case Command::EditMaster:
    case Command::EditCopy:
    case Command::SavePdf:
    case Command::AnswerBoxes:
    case Command::Paper:
    case Command::Print:
        return context.sheetActive;
    default:
        return true;
    }
}

std::optional<QString> EditIndexRefusal(int openSheets)
{
    if (openSheets > 0)
        return QStringLiteral("開いているファイルをすべて閉じてください");
    return std::nullopt;
}

ComposeInputs WithControls(ComposeInputs inputs, const ControlValues& controls)
{
    inputs.mojiSize = controls.mojiSize;
    inputs.gyouSpace = controls.gyouSpace;
    inputs.bekkai = controls.bekkai;
    inputs.number = controls.numbered;
    inputs.startNumber = controls.startNumber;
    inputs.schoolName = controls.schoolName;
    inputs.learnerName = controls.learnerName;
    return inputs;
}

MainKey MainKeyAction(int key, Qt::KeyboardModifiers modifiers, bool studyEnabled, bool copyEnabled)
{
    const Qt::KeyboardModifiers mods =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return studyEnabled ? MainKey::Study : MainKey::None;
    case Qt::Key_Escape:
        return mods == Qt::ShiftModifier ? MainKey::Exit : MainKey::CloseSheet;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return MainKey::Scroll;
    case Qt::Key_C:
        return mods == Qt::ControlModifier && copyEnabled ? MainKey::Copy : MainKey::None;
    default:
        return MainKey::None;
    }
}

QString LockCaption(bool locked)
{
    return locked ? QStringLiteral("生徒用") : QStringLiteral("先生用");
}

QString KaitouCaption(bool answersShown)
{
    return answersShown ? QStringLiteral("解答 ●") : QStringLiteral("解答 ○");
}

QString KaitouStyle(bool answersShown)
{
    return answersShown ? QStringLiteral("color: rgb(255,0,0); font-weight: bold;")
                        : QStringLiteral("color: rgb(128,0,0);");
}

bool PaperChoiceApplies(Paper chosen, std::optional<Paper> before)
{
    return chosen != Paper::A4 || before != Paper::A4;
}

void AcceptPaperChoice(AppState& state, Sheet& sheet, int width, int options)
{
    state.currentPaper = PaperRecord::ofWidth(width);
    WriteIntSetting(QStringLiteral("PaperSize"), width);
    ApplyLayoutValue(sheet, LayoutControl::Options, options);
}

CopyFileName CheckCopyFileName(const QString& typed)
{
    const QString extension = FileExtension(typed);
    if (extension.isEmpty())
        return {typed + QStringLiteral(".prp"), {}};
    if (extension != QLatin1String(".prp"))
        return {typed, typed + QStringLiteral(":拡張子が不正です")};
    return {typed, {}};
}

MasterSave SaveSheetMaster(const QString& programFolder, const LessonTable& lessons, Sheet& sheet)
{
    const QString master = MakeUnitNames(programFolder, lessons, sheet.source.choice).masterPath;
    if (sheet.masterStamp.exists && sheet.masterStamp.changedOnDisk(master)) {
        const Messages::Answer answer = Messages::instance().askYesNo(
            ChangedSinceReadText(master) +
            QStringLiteral("\n代わりにコピーファイルとして保存しますか？（いいえ：保存しません）"));
        return answer == Messages::Answer::Yes ? MasterSave::AsCopy : MasterSave::Failed;
    }
    if (!SaveSheetToMaster(programFolder, lessons, sheet))
        return MasterSave::Failed;
    sheet.masterStamp = FileStamp::of(master);
    sheet.changed = false;
    return MasterSave::Saved;
}

std::optional<QString> SaveSheetCopy(const QString& programFolder, const LessonTable& lessons,
                                     Sheet& sheet, const ComposeInputs& inputs)
{
    // A sheet that came from a copy file is saved over it; any other asks for a name.
    bool overCopy = sheet.source.unitNumber == 0 &&
                    FileExtension(sheet.source.fileName) == QStringLiteral(".prp");
    // A copy another program or person changed since it was read is not written over
    // unasked: the save dialog offers another name instead.
    if (overCopy && sheet.copyStamp.exists &&
        sheet.copyStamp.changedOnDisk(sheet.source.fileName)) {
        if (Messages::instance().askYesNo(
                ChangedSinceReadText(sheet.source.fileName) +
                QStringLiteral("\n別の名前で保存しますか？（いいえ：保存しません）")) !=
            Messages::Answer::Yes)
            return std::nullopt;
        overCopy = false;
    }
    const QString folder =
        LessonFolder(programFolder, lessons, std::max(1, sheet.source.choice.lesson));
    const SaveCopyResult saved = SaveCopy(CopySheetAsShown(sheet, inputs),
                                          overCopy ? sheet.source.fileName : QString(), folder);
    if (!saved.saved)
        return std::nullopt;
    sheet.copyStamp = FileStamp::of(saved.path);
    sheet.source.fileName = saved.path;
    sheet.source.windowKey = saved.path;
    sheet.changed = false;
    return saved.path;
}

bool SaveSheetPdf(const QString& programFolder, const LessonTable& lessons, Sheet& sheet,
                  const ComposeInputs& inputs, const PdfJob& job)
{
    const QString folder =
        LessonFolder(programFolder, lessons, std::max(1, sheet.source.choice.lesson));
    QString path = FileDialogs::instance().saveFileName(QStringLiteral("PDFに保存"), folder,
                                                        QStringLiteral("*.pdf"));
    if (path.isEmpty())
        return false;
    if (FileExtension(path).isEmpty())
        path += QStringLiteral(".pdf");
    QString error;
    if (!WriteSheetPdf(sheet, inputs, job, path, &error))
        ShowMessage(error);
    return true;
}

} // namespace zendra
