#include "app/LayoutSettings.h"

#include "sheet/Sheet.h"

namespace zendra {

std::optional<KranLine> KranLineOf(LayoutControl control)
{
    switch (control) {
    case LayoutControl::Shape:
        return KranLine::Shape;
    case LayoutControl::BoxWidth:
        return KranLine::BoxWidth;
    case LayoutControl::BoxHeight:
        return KranLine::BoxHeight;
    case LayoutControl::AnswerX:
        return KranLine::AnswerColumn;
    case LayoutControl::AnswerY:
        return KranLine::AnswerOffset;
    case LayoutControl::BoxX:
        return KranLine::BoxX;
    case LayoutControl::BoxY:
        return KranLine::BoxY;
    case LayoutControl::SubLineSpacing:
        return KranLine::SubLineSpacing;
    case LayoutControl::LeftMargin:
    case LayoutControl::RightMargin:
    case LayoutControl::LineSpacing:
    case LayoutControl::CharacterSize:
    case LayoutControl::StartNumber:
    case LayoutControl::Options:
        break;
    }
    return std::nullopt;
}

int LayoutValue(const Sheet& sheet, LayoutControl control)
{
    switch (control) {
    case LayoutControl::LeftMargin:
        return sheet.settings.leftMargin;
    case LayoutControl::RightMargin:
        return sheet.settings.rightMargin;
    case LayoutControl::LineSpacing:
        return sheet.settings.lineSpacing;
    case LayoutControl::CharacterSize:
        return sheet.settings.characterSize;
    case LayoutControl::StartNumber:
        return sheet.settings.startNumber;
    case LayoutControl::Options:
        return sheet.settings.options;
    default:
        if (const std::optional<KranLine> line = KranLineOf(control))
            return sheet.kran().number(*line);
        return 0;
    }
}

bool MarksModified(LayoutControl control, int value)
{
    if (control == LayoutControl::Shape)
        return value == kShapeNone || value == kShapeUnderline;
    return control != LayoutControl::Options;
}

void ApplyLayoutValue(Sheet& sheet, LayoutControl control, int value)
{
    switch (control) {
    case LayoutControl::LeftMargin:
        sheet.settings.leftMargin = value;
        break;
    case LayoutControl::RightMargin:
        sheet.settings.rightMargin = value;
        break;
    case LayoutControl::LineSpacing:
        sheet.settings.lineSpacing = value;
        break;
    case LayoutControl::CharacterSize:
        sheet.settings.characterSize = value;
        break;
    case LayoutControl::StartNumber:
        sheet.settings.startNumber = value;
        break;
    case LayoutControl::Options:
        sheet.settings.options = value;
        break;
    default:
        // A block read short keeps its lines; the missing ones are written as "0".
        if (const std::optional<KranLine> line = KranLineOf(control))
            sheet.editKran().setNumber(*line, value);
        break;
    }
    if (MarksModified(control, value))
        sheet.changed = true;
}

SizeBoxes SizeBoxesForShape(int shape)
{
    switch (shape) {
    case kShapeRect:
    case kShapeRounded:
        return {true, true};
    case kShapeBrackets:
    case kShapeLenticular:
    case kShapeUnderline:
        return {true, false};
    default:
        return {};
    }
}

std::optional<int> ShapeButtonFor(int shape)
{
    switch (shape) {
    case kShapeRect:
    case kShapeUnderline:
    case kShapeRounded:
        return shape;
    case kShapeBrackets:
    case kShapeLenticular:
        return std::nullopt;
    default:
        return kShapeNone;
    }
}

void ApplyPaper(Sheet& sheet, int width)
{
    sheet.settings.page = PaperRecord::ofWidth(width);
    sheet.changed = true;
}

Paper DialogPaperOfWidth(int width)
{
    for (Paper paper : {Paper::B5, Paper::A4, Paper::B4})
        if (PaperWidth(paper) == width)
            return paper;
    return Paper::A3;
}

int PaperWidth(Paper paper)
{
    return kPaperTable[static_cast<std::size_t>(paper)].width;
}

int OptionBits(const SheetOptions& options)
{
    return (options.classFlag ? 1 : 0) + (options.jisshibi ? 2 : 0) + (options.printed ? 4 : 0);
}

SheetOptions OptionsOfBits(int bits)
{
    return {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
}

QString ReduceCaption(bool reduced)
{
    return reduced ? QStringLiteral("拡大") : QStringLiteral("縮小");
}

} // namespace zendra
