#include "courseware/CopyFile.h"

#include "courseware/LayoutLines.h"
#include "courseware/ParsedUnit.h"
#include "courseware/UnitChoice.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <QFileInfo>

namespace zendra {

namespace {

const QLatin1StringView kExtension(".prp");

void appendBlock(QStringList& lines, QLatin1StringView keyword, const QStringList& content)
{
    lines.append(QString(keyword));
    lines.append(content);
    lines.append(QStringLiteral(">>"));
}

// Exactly `count` lines: the sheet's own, then `fill` from the same position.
QStringList fitted(const QStringList& given, const QStringList& fill, qsizetype count)
{
    QStringList result = given.mid(0, count);
    for (qsizetype i = result.size(); i < count; ++i)
        result.append(fill.value(i, QStringLiteral("0")));
    return result;
}

// Asks for a name until it carries ".prp" or has no extension (then gets one); empty on
// cancel.
QString askName(const QString& folder)
{
    for (;;) {
        QString name = FileDialogs::instance().saveFileName(QStringLiteral("名前を付けて保存"),
                                                            folder, QStringLiteral("*.prp"));
        if (name.isEmpty())
            return {};
        // Only the file name decides: a folder such as "v1.2" must not refuse every name.
        const QString extension = FileExtension(name);
        if (extension.isEmpty())
            return name + kExtension;
        if (extension == kExtension)
            return name;
        ShowMessage(shownPath(name) + QStringLiteral(":拡張子が不正です"));
    }
}

} // namespace

QStringList LayoutBlockLines(const CopySheet& sheet)
{
    QStringList lines;
    QStringList valueLines;
    EditValueLines values(valueLines);
    values.setNumber(ValueLine::PageWidth, sheet.paperWidth);
    values.setFlag(ValueLine::AnswersShown, sheet.answersShown);
    values.setNumber(ValueLine::LineSpacing, sheet.lineSpacing);
    values.setNumber(ValueLine::LeftMargin, sheet.leftMargin);
    values.setNumber(ValueLine::RightMargin, sheet.rightMargin);
    values.setNumber(ValueLine::StartNumber, sheet.startNumber);
    values.setNumber(ValueLine::Options, sheet.options);
    appendBlock(lines, QLatin1StringView("<<value"), valueLines);
    appendBlock(lines, QLatin1StringView("<<font"), fitted(sheet.font, DefaultFontLines(), 7));
    appendBlock(lines, QLatin1StringView("<<kran"), fitted(sheet.kran, {}, 10));
    return lines;
}

QStringList BuildCopyLines(const CopySheet& sheet)
{
    QStringList lines;
    lines.reserve(40 + sheet.questions.size() + sheet.questionFigures.size() +
                  sheet.answerFigures.size() + sheet.answerGroups.size());
    lines.append(CopyUnitHeaderLine());
    appendBlock(lines, QLatin1StringView("<<header"), {sheet.title, sheet.school, sheet.nameLine});
    appendBlock(lines, QLatin1StringView("<<ques"), sheet.questions);
    appendBlock(lines, QLatin1StringView("<<ans"), {});
    if (!sheet.questionFigures.isEmpty())
        appendBlock(lines, QLatin1StringView("<<graph"), sheet.questionFigures);
    if (!sheet.answerFigures.isEmpty())
        appendBlock(lines, QLatin1StringView("<<AGraph"), sheet.answerFigures);
    lines.append(LayoutBlockLines(sheet));
    appendBlock(lines, QLatin1StringView("<<kgroup"), sheet.answerGroups);
    lines.append(QStringLiteral("]]"));
    return lines;
}

SaveCopyResult SaveCopy(const CopySheet& sheet, const QString& fileNameOrEmpty,
                        const QString& dialogFolder)
{
    const bool chosen = fileNameOrEmpty.isEmpty();
    QString name = fileNameOrEmpty;
    if (chosen) {
        name = askName(dialogFolder);
        if (name.isEmpty())
            return {};
    } else if (FileExtension(name).isEmpty()) {
        name += kExtension;
    }

    const QStringList lines = BuildCopyLines(sheet);

    if (chosen && QFileInfo::exists(name) &&
        Messages::instance().askDestructive(QStringLiteral("ファイル") + shownPath(name) +
                                            QStringLiteral("を上書きしてもいいですか？")) !=
            Messages::Answer::Yes)
        return {};

    if (const TextFile::Result r = TextFile::write(name, lines); !r) {
        ShowMessage(shownPath(name) + QStringLiteral("の保存に失敗しました\n") + r.error);
        return {};
    }
    return {true, name};
}

} // namespace zendra
