#include "authoring/QuestionEditor.h"

#include "courseware/QuestionLine.h"
#include "platform/Messages.h"

namespace zendra {

int CheckQuestionLines(const QStringList& lines)
{
    bool anyBlank = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        const qsizetype marks = line.count(QLatin1Char('#'));
        if (marks == 0)
            continue;
        anyBlank = true;
        const QString number = QString::number(i + 1);
        if (marks % 2 != 0) {
            ShowMessage(number + QStringLiteral("行目：＃の数は偶数にしてください"));
            return static_cast<int>(i);
        }
        // Between the first and the last '#' lie the answers and the text separating two
        // blanks; an empty one there is a blank without an answer.
        const QStringList pieces = SplitQuestionLine(line);
        for (qsizetype p = 1; p + 1 < pieces.size(); ++p) {
            if (pieces.at(p).isEmpty()) {
                ShowMessage(number + QStringLiteral("行目：解答がありません"));
                return static_cast<int>(i);
            }
        }
    }
    if (!anyBlank) {
        ShowMessage(QStringLiteral("解答欄がありません"));
        return 0;
    }
    return -1;
}

bool CheckPositionBlocks(const QStringList& lines)
{
    const QString close = QStringLiteral(">>");
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        const bool value = line == QLatin1StringView("<<value");
        const bool font = line == QLatin1StringView("<<font");
        const bool kran = line == QLatin1StringView("<<kran");
        if (!value && !font && !kran)
            continue;
        qsizetype end = i + 1;
        while (end < lines.size() && lines.at(end) != close)
            ++end;
        const qsizetype count = end - i - 1;
        if (value && count != 7) {
            ShowMessage(QStringLiteral("valueブロックの数が合いません"));
            return false;
        }
        if (font && count != 7) {
            ShowMessage(QStringLiteral("fontブロックの数が合いません"));
            return false;
        }
        // The parser pads an 8-line answer-box block to 10.
        if (kran && count != 8 && count != 10) {
            ShowMessage(QStringLiteral("kranブロックの数が合いません"));
            return false;
        }
        i = end;
    }
    return true;
}

} // namespace zendra
