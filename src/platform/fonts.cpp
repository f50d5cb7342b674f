#include "platform/fonts.h"

#include <QFont>
#include <QStringList>

namespace platform {

void installFontSubstitutes()
{
    // QFont keeps each substitute once, so calling this again changes nothing.
    QFont::insertSubstitutions(QStringLiteral("宋体"),
                               {QStringLiteral("SimSun"), QStringLiteral("NSimSun"), QStringLiteral("Noto Sans CJK SC"),
                                QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Droid Sans Fallback")});
}

} // namespace platform
