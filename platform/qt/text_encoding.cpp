#include "platform/qt/text_encoding.h"

namespace tobrisk {

QString toQString(const std::string& cp1252) {
    QString out;
    out.reserve(static_cast<qsizetype>(cp1252.size()));
    for (unsigned char c : cp1252) out.append(QChar(static_cast<char16_t>(cp1252ToUnicode(c))));
    return out;
}

std::string fromQString(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar ch : text) out.push_back(unicodeToCp1252(ch.unicode()));
    return out;
}

}  // namespace tobrisk
