#include "platform/Fonts.h"

#include <QFont>

namespace zendra {

void InstallFontSubstitutions()
{
    const QString mincho = QStringLiteral("IPAMincho");
    const QString gothic = QStringLiteral("IPAGothic");
    for (const char16_t* face : {u"ＭＳ 明朝", u"MS 明朝", u"ＭＳ Ｐ明朝", u"MS Mincho"})
        QFont::insertSubstitution(QString::fromUtf16(face), mincho);
    for (const char16_t* face :
         {u"ＭＳ ゴシック", u"MS ゴシック", u"ＭＳ Ｐゴシック", u"MS Gothic"})
        QFont::insertSubstitution(QString::fromUtf16(face), gothic);
}

} // namespace zendra
