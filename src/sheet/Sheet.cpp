#include "sheet/Sheet.h"

#include "platform/Messages.h"
#include "platform/Paths.h"

#include <QFileInfo>

#include <algorithm>

namespace zendra {

namespace {

// The most figures of each kind the sheet has pictures for.
constexpr int kFigureBuffers = 16;

// The largest character size and line spacing a file may set: well past any page (the
// main window offers 8..50 and -5..200), small enough that every coordinate the renderer
// and composer derive from them stays far inside an int.
constexpr int kCharacterSizeLimit = 500;
constexpr int kLineSpacingLimit = 1000;

// The first `count` lines of a block, or nothing when the unit has no complete block.
QStringList firstBlock(const QStringList& lines, qsizetype count)
{
    return lines.size() >= count ? lines.mid(0, count) : QStringList();
}

QList<QImage> loadPictures(const QStringList& triples, const QString& folder)
{
    QList<QImage> pictures;
    const FigureTriples figures(triples);
    const int count = std::min(figures.count(), kFigureBuffers);
    pictures.reserve(count);
    for (int number = 1; number <= count; ++number) {
        const QString name = figures.file(number);
        QImage picture;
        if (!name.isEmpty() && !StaysInside(name)) {
            ShowMessage(QStringLiteral("図のファイル名 %1 はプログラムのフォルダの外を指しています")
                            .arg(name));
        } else if (!name.isEmpty()) {
            const QString path = coursewarePath(folder, name);
            if (FileMustExist(path))
                picture.load(path);
        }
        pictures.append(picture);
    }
    return pictures;
}

} // namespace

Sheet Sheet::fromParsedUnit(const ParsedUnit& unit, const SheetSource& source, bool answersShown,
                            const QString& defaultFace)
{
    Sheet sheet;
    sheet.source = source;
    sheet.titleGenerated = !source.fromCopy;
    sheet.answersShown = answersShown;

    sheet.content = unit.content;
    sheet.lastComposedTitle = unit.content.title;

    // Damaged lines keep the defaults: they must not turn into a zero page width or margin.
    const QStringList valueLines = firstBlock(unit.values, 7);
    const ValueLines values(valueLines);
    int width = 630;
    if (!valueLines.isEmpty()) {
        width = values.isLegacyBool(ValueLine::PageWidth)
                    ? 630
                    : values.number(ValueLine::PageWidth, 630);
        // A page no paper has (none, or wider than ten metres) cannot be laid out.
        if (width <= 0 || width > 30000)
            width = 630;
        // A file may say anything; what no page can hold would only overflow the layout
        // arithmetic further on.
        sheet.settings.lineSpacing =
            std::clamp(values.number(ValueLine::LineSpacing, sheet.settings.lineSpacing),
                       -kLineSpacingLimit, kLineSpacingLimit);
        sheet.settings.leftMargin = values.number(ValueLine::LeftMargin, sheet.settings.leftMargin);
        sheet.settings.rightMargin =
            values.number(ValueLine::RightMargin, sheet.settings.rightMargin);
        sheet.settings.startNumber =
            values.number(ValueLine::StartNumber, sheet.settings.startNumber);
        sheet.settings.options = values.isLegacyBool(ValueLine::Options)
                                     ? 7
                                     : values.number(ValueLine::Options, sheet.settings.options);
        if (sheet.settings.options >= 16)
            sheet.settings.options = 15;
    }
    sheet.settings.page = PaperRecord::ofWidth(width);

    const QStringList fontLines = firstBlock(unit.font, 7);
    const FontLines font(fontLines);
    sheet.settings.drawingFace = defaultFace;
    if (!fontLines.isEmpty()) {
        sheet.settings.characterSize =
            std::clamp(font.number(FontLine::Size, sheet.settings.characterSize),
                       -kCharacterSizeLimit, kCharacterSizeLimit);
        sheet.settings.fontStyleLines = font.range(FontLine::Face, FontLine::StrikeOut);
        // An empty line names no face either; drawing in it would fall to the system font.
        const QString face = font.text(FontLine::DrawingFace);
        if (face != QLatin1StringView("0") && !face.trimmed().isEmpty()) {
            sheet.settings.drawingFace = face;
            sheet.settings.drawingFaceIsDefault = false;
        }
    }

    if (!unit.kran.isEmpty()) {
        QStringList kran = unit.kran.mid(0, 10);
        while (kran.size() < 10)
            kran.append(QStringLiteral("0"));
        sheet.settings.lstKranX = kran;
    }

    sheet.composed.boxes.resetJudgements();
    return sheet;
}

void Sheet::loadFigures(const QString& graphFolder)
{
    questionPictures = loadPictures(content.questionFigures, graphFolder);
    answerPictures = loadPictures(content.answerFigures, graphFolder);
}

void Sheet::loadClassFlag(const QString& programFolder)
{
    const QString path = coursewarePath(programFolder, QStringLiteral("classFlag.bmp"));
    classFlag = QFileInfo(path).isFile() ? QImage(path) : QImage();
}

CopySheet Sheet::toCopySheet() const
{
    CopySheet copy;
    copy.title = content.title;
    copy.school = content.school;
    copy.nameLine = content.nameLine;
    copy.questions = content.questions;
    copy.questionFigures = content.questionFigures;
    copy.answerFigures = content.answerFigures;
    copy.paperWidth = settings.page.width;
    copy.answersShown = answersShown;
    copy.lineSpacing = settings.lineSpacing;
    copy.leftMargin = settings.leftMargin;
    copy.rightMargin = settings.rightMargin;
    copy.startNumber = settings.startNumber;
    copy.options = settings.options;
    EditFontLines font(copy.font);
    font.setNumber(FontLine::Size, settings.characterSize);
    font.setRange(FontLine::Face, settings.fontStyleLines);
    font.setText(FontLine::DrawingFace,
                 settings.drawingFaceIsDefault ? QStringLiteral("0") : settings.drawingFace);
    copy.kran = settings.lstKranX;
    copy.answerGroups = content.answerGroups;
    return copy;
}

} // namespace zendra
