#include "platform/fonts.h"

#include <QFont>
#include <QStringList>

namespace platform {

void installFontSubstitutes()
{
    // QFont keeps each substitute once, so calling this again changes nothing. The
    // monospaced face comes first: its Latin letters are half as wide as its CJK
    // ones, as in SimSun, so captions fit the places the forms give them.
    QFont::insertSubstitutions(QStringLiteral("宋体"),
                               {QStringLiteral("SimSun"), QStringLiteral("NSimSun"), QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("Noto Sans CJK SC"),
                                QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Droid Sans Fallback")});
}

} // namespace platform
