#include "platform/qt_font_catalogue.h"

#include <cstddef>
#include <map>

#include <QFontDatabase>
#include <QStringList>

#include "platform/qt_cp1252.h"

namespace korv::platform {

std::vector<FamillePolice> QtCataloguePolices::Familles() const {
    std::vector<FamillePolice> familles;
    std::map<std::string, std::size_t> places;
    for (const QString& famille : QFontDatabase::families()) {
        if (!EstRepresentableCp1252(famille)) continue;
        // Qt lists a family that several foundries make as "Family
        // [Foundry]", once per foundry; documents, exports and the font
        // lists name the family alone, and Qt finds it by that name.
        QString nom = famille;
        if (const qsizetype crochet = nom.indexOf(QStringLiteral(" [")); crochet > 0 && nom.endsWith(u']')) {
            nom.truncate(crochet);
        }
        const bool matricielle = !QFontDatabase::isScalable(famille);
        const auto [place, nouvelle] = places.try_emplace(DepuisQString(nom), familles.size());
        if (nouvelle) {
            familles.push_back({place->first, matricielle});
        } else if (!matricielle) {
            familles[place->second].matricielle = false;
        }
    }
    return familles;
}

}  // namespace korv::platform
