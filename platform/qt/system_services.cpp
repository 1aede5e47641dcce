#include "platform/qt/system_services.h"

#include <QLocale>

namespace tobrisk {

Separators localeSeparators() {
    const QLocale loc = QLocale::system();
    Separators s;
    const QString dec = loc.decimalPoint();
    const QString grp = loc.groupSeparator();
    // Only single-byte separators can be shown in the record's code page.
    if (dec.size() == 1 && dec[0].unicode() < 0x100)
        s.decimal = static_cast<char>(dec[0].unicode());
    if (grp.size() == 1 && grp[0].unicode() < 0x100)
        s.thousands = static_cast<char>(grp[0].unicode());
    else if (grp.size() == 1 && grp[0].unicode() == 0x202F)  // narrow no-break space
        s.thousands = static_cast<char>(0xA0);
    if (s.thousands == s.decimal) s.thousands = s.decimal == '.' ? ',' : '.';
    return s;
}

}  // namespace tobrisk
