#include "reportfont.h"

#include <QFontDatabase>
#include <QStringList>

namespace {
struct TRegistration {
    QString Family;
    bool Registered = false;
};

TRegistration Register() {
    TRegistration result;
    for (const char* face : {"Regular", "Bold", "Italic", "BoldItalic"}) {
        const int id = QFontDatabase::addApplicationFont(
            QStringLiteral(":/reportfonts/LiberationSans-%1.ttf").arg(QLatin1String(face)));
        const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id)
                                             : QStringList();
        if (!families.isEmpty()) {
            result.Family = families.front();
            result.Registered = true;
        }
    }
    if (!result.Registered) {
        QFont fallback;
        fallback.setStyleHint(QFont::SansSerif);
        result.Family = fallback.defaultFamily();
    }
    return result;
}

const TRegistration& Registration() {
    static const TRegistration registration = Register();
    return registration;
}
} // namespace

QString ReportFontFamily() {
    return Registration().Family;
}

bool ReportFontsRegistered() {
    return Registration().Registered;
}

QFont ReportFont(double pointSize, bool bold, bool italic) {
    QFont font(ReportFontFamily());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}
