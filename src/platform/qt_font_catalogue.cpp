#include "platform/qt_font_catalogue.h"

#include <QFontDatabase>
#include <QStringList>

#include "platform/qt_cp1252.h"

namespace korv::platform {

std::vector<FamillePolice> QtCataloguePolices::Familles() const {
    std::vector<FamillePolice> familles;
    for (const QString& famille : QFontDatabase::families()) {
        if (!EstRepresentableCp1252(famille)) continue;
        familles.push_back({DepuisQString(famille), !QFontDatabase::isScalable(famille)});
    }
    return familles;
}

}  // namespace korv::platform
