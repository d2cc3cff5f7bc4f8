#include "sheet/Sheet.h"

#include "platform/Paths.h"

#include <QFileInfo>

namespace zendra {

namespace {

// The most figures of each kind the sheet has pictures for.
constexpr int kFigureBuffers = 16;

// The first `count` lines of a block, or nothing when the unit has no complete block.
QStringList firstBlock(const QStringList& lines, qsizetype count)
{
    return lines.size() >= count ? lines.mid(0, count) : QStringList();
}

// A value line as a number, or `fallback` when it is not one: a damaged line must not
// turn into a zero page width or margin.
int number(const QString& text, int fallback)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : fallback;
}

bool isLegacyBool(const QString& text)
{
    return text == QLatin1StringView("True") || text == QLatin1StringView("False");
}

QList<QImage> loadPictures(const QStringList& triples, const QString& folder)
{
    QList<QImage> pictures;
    const qsizetype count = std::min<qsizetype>(triples.size() / 3, kFigureBuffers);
    pictures.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const QString name = triples.at(3 * i);
        QImage picture;
        if (!name.isEmpty()) {
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
    sheet.choice = source.choice;
    sheet.titles = source.titles;
    sheet.fileName = source.fileName;
    sheet.unitNumber = source.unitNumber;
    sheet.windowKey = source.windowKey;
    sheet.unitId = source.unitId;
    sheet.titleGenerated = !source.fromCopy;
    sheet.answersShown = answersShown;

    sheet.title = unit.title;
    sheet.school = unit.school;
    sheet.nameLine = unit.nameLine;
    sheet.lastComposedTitle = unit.title;
    sheet.questions = unit.questions;
    sheet.softKeys = unit.softKeys;
    sheet.answerGroups = unit.answerGroups;
    sheet.questionFigures = unit.questionFigures;
    sheet.answerFigures = unit.answerFigures;

    const QStringList values = firstBlock(unit.values, 7);
    int width = 630;
    if (!values.isEmpty()) {
        width = isLegacyBool(values[0]) ? 630 : number(values[0], 630);
        // A page no paper has (none, or wider than ten metres) cannot be laid out.
        if (width <= 0 || width > 30000)
            width = 630;
        sheet.lineSpacing = number(values[2], sheet.lineSpacing);
        sheet.leftMargin = number(values[3], sheet.leftMargin);
        sheet.rightMargin = number(values[4], sheet.rightMargin);
        sheet.startNumber = number(values[5], sheet.startNumber);
        sheet.options = isLegacyBool(values[6]) ? 7 : number(values[6], sheet.options);
        if (sheet.options >= 16)
            sheet.options = 15;
    }
    sheet.page = PaperRecord::ofWidth(width);

    const QStringList font = firstBlock(unit.font, 7);
    sheet.drawingFace = defaultFace;
    if (!font.isEmpty()) {
        sheet.characterSize = number(font[0], sheet.characterSize);
        sheet.fontStyleLines = font.mid(1, 5);
        // An empty line names no face either; drawing in it would fall to the system font.
        if (font[6] != QLatin1StringView("0") && !font[6].trimmed().isEmpty()) {
            sheet.drawingFace = font[6];
            sheet.drawingFaceIsDefault = false;
        }
    }

    if (!unit.kran.isEmpty()) {
        QStringList kran = unit.kran.mid(0, 10);
        while (kran.size() < 10)
            kran.append(QStringLiteral("0"));
        sheet.lstKranX = kran;
    }

    sheet.boxes.resetJudgements();
    return sheet;
}

void Sheet::loadFigures(const QString& graphFolder)
{
    questionPictures = loadPictures(questionFigures, graphFolder);
    answerPictures = loadPictures(answerFigures, graphFolder);
}

void Sheet::loadClassFlag(const QString& programFolder)
{
    const QString path = coursewarePath(programFolder, QStringLiteral("classFlag.bmp"));
    classFlag = QFileInfo(path).isFile() ? QImage(path) : QImage();
}

int Sheet::kranValue(int line) const
{
    return number(lstKranX.value(line - 1), 0);
}

CopySheet Sheet::toCopySheet() const
{
    CopySheet copy;
    copy.title = title;
    copy.school = school;
    copy.nameLine = nameLine;
    copy.questions = questions;
    copy.questionFigures = questionFigures;
    copy.answerFigures = answerFigures;
    copy.paperWidth = page.width;
    copy.answersShown = answersShown;
    copy.lineSpacing = lineSpacing;
    copy.leftMargin = leftMargin;
    copy.rightMargin = rightMargin;
    copy.startNumber = startNumber;
    copy.options = options;
    copy.font << QString::number(characterSize) << fontStyleLines
              << (drawingFaceIsDefault ? QStringLiteral("0") : drawingFace);
    copy.kran = lstKranX;
    copy.answerGroups = answerGroups;
    return copy;
}

} // namespace zendra
