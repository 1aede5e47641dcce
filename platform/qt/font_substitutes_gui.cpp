#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

#include "platform/qt/font_substitutes.h"

namespace tobrisk {

namespace {

// Faces chosen by their advance widths and heights against the design fonts. Wine's Tahoma is a
// metric clone; "MS Sans Serif" exists only as a one-size bitmap, so its scalable neighbour
// Tahoma stands in; DejaVu Sans Condensed comes closest among the DejaVu faces (Tahoma bold
// 10 pt: 384 px for a sample line, DejaVu Sans Condensed bold 387, DejaVu Sans bold 430).
// The segment display needs letters and separators too ("RCL _", "Error", ","), which only
// the fourteen-segment DSEG faces have.
constexpr const char* kTahoma[] = {"DejaVu Sans Condensed", "Liberation Sans", "DejaVu Sans"};
constexpr const char* kSansSerif[] = {"Tahoma", "Liberation Sans", "DejaVu Sans Condensed",
                                      "DejaVu Sans"};
constexpr const char* kLcd[] = {"DSEG14 Classic", "DejaVu Sans Mono"};
constexpr const char* kComic[] = {"Comic Neue", "DejaVu Serif"};
constexpr const char* kWebDings[] = {"Webdings"};

constexpr FontSubstitute kTable[] = {
    {"Tahoma", kTahoma}, {"MS Sans Serif", kSansSerif}, {"Microsoft Sans Serif", kSansSerif},
    {"LcdD", kLcd},      {"Comic Sans MS", kComic},     {"WebDings", kWebDings},
};

// fonts-wine puts its clones beside Wine, where fontconfig does not look. Its Tahoma Bold
// (tahomabd.ttf) draws with the regular face's strokes at window sizes (the same ink for a
// sample line at 8 to 14 points, only wider), so it is left out: bold is drawn from the
// regular face, which makes it visibly bold.
struct CloneFile {
    const char* family;
    const char* file;
};
constexpr CloneFile kCloneFiles[] = {
    {"Tahoma", "tahoma.ttf"},
    {"Webdings", "webdings.ttf"},
};

}  // namespace

std::span<const FontSubstitute> fontSubstitutes() {
    return kTable;
}

QString defaultCloneFolder() {
    return QStringLiteral("/usr/share/wine/fonts");
}

void installFontSubstitutes(const QString& cloneFolder) {
    static bool installed = false;
    if (installed) return;
    installed = true;
    // One look at the installed families: each query after adding a font would enumerate them
    // all again.
    QStringList families = QFontDatabase::families();
    for (const CloneFile& c : kCloneFiles) {
        const QString family = QString::fromLatin1(c.family);
        // A real face of that name wins over the clone.
        if (cloneFolder.isEmpty() || families.contains(family, Qt::CaseInsensitive)) continue;
        const QString path = cloneFolder + QLatin1Char('/') + QString::fromLatin1(c.file);
        if (QFile::exists(path) && QFontDatabase::addApplicationFont(path) >= 0) families << family;
    }
    for (const FontSubstitute& s : kTable) {
        // A name with a face of its own never reaches its substitutes, and registering them
        // anyway would make the toolkit ask fontconfig for a fallback list (an FcFontSort) the
        // first time the name is drawn. The face covers every character the record can hold.
        if (families.contains(QString::fromLatin1(s.design), Qt::CaseInsensitive)) continue;
        QStringList faces;
        for (const char* f : s.faces) faces << QString::fromLatin1(f);
        QFont::insertSubstitutions(QString::fromLatin1(s.design), faces);
    }
}

QStringList designFontNames() {
    QStringList names;
    for (const FontSubstitute& s : kTable) names << QString::fromLatin1(s.design);
    return names;
}

QFont withSegmentBlanks(QFont font) {
    if (!QFontInfo(font).family().startsWith(QLatin1String("DSEG"))) return font;
    font.setWordSpacing(0);
    const QFontMetricsF fm(font);
    // '!' is the face's empty digit cell.
    font.setWordSpacing(fm.horizontalAdvance(QLatin1Char('!')) -
                        fm.horizontalAdvance(QLatin1Char(' ')));
    return font;
}

bool fontCovers(const QFont& font, const QString& text) {
    const QFontMetrics fm(font);
    for (const char32_t c : text.toUcs4())
        if (!fm.inFontUcs4(c)) return false;
    return true;
}

}  // namespace tobrisk
