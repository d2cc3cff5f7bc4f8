#include "courseware/QuestionLine.h"

namespace zendra {

QStringList SplitQuestionLine(const QString& line)
{
    return line.split(u'#', Qt::KeepEmptyParts);
}

QStringList SplitAnswer(const QString& answer)
{
    return answer.split(u';', Qt::KeepEmptyParts);
}

} // namespace zendra
