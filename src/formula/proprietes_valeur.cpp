// Values of object properties, and the properties that act on objects.

#include <algorithm>
#include <exception>
#include <string>

#include "formula/code_var_scene.h"
#include "formula/nombres.h"
#include "formula/operations.h"
#include "formula/proprietes.h"
#include "formula/proprietes_arguments.h"
#include "formula/proprietes_grille.h"
#include "formula/services.h"
#include "formula/valeur.h"

namespace korv::formula {
namespace {

using C = CodeProprieteKOR;

constexpr std::int16_t kModeJeu = 3;

bool ModeJeu(const ServicesScene& scene) { return scene.ModeProgramme() == kModeJeu; }

// Properties 3 to 9 read the display: only in play, and only for a shown
// object (3 falls back on the last mouse position).
Valeur ValeurAffichage(ServicesScene& scene, std::int16_t page, std::int16_t objet, C code) {
    if (!ModeJeu(scene)) return Valeur::Entier(0);
    if (code == C::PositionSurChemin) {
        const auto position = scene.PositionSurChemin(page, objet);
        return position ? Valeur::Double(*position) : Valeur::Nul();
    }
    const auto affiche = scene.ObjetAffiche(page, objet);
    if (!affiche) {
        return code == C::DernierClicX ? Valeur::Long(scene.DernierSourisX()) : Valeur::Nul();
    }
    switch (code) {
    case C::DernierClicX: return Valeur::Long(affiche->clicX);
    case C::DernierClicY: return Valeur::Double(affiche->clicY * scene.EchelleEcranY());
    case C::TextePage: return Valeur::Entier(affiche->textePage);
    case C::TexteLigne: return Valeur::Long(affiche->texteLigne);
    case C::TexteSelectionLigne: return Valeur::Long(affiche->texteSelectionLigne);
    case C::TexteSelectionPage:
        return Valeur::Entier(scene.TexteNLigneVersNPage(page, objet, affiche->texteSelectionLigne));
    default: return Valeur::Nul();
    }
}

}  // namespace

Valeur ObjetValeurConsultationGet(ServicesScene& scene, std::int16_t page, std::int16_t objet,
                                  std::int16_t propriete, std::string_view arguments) {
    if (page < 1 || page > scene.PageNb()) return Valeur::Nul();
    if (objet < 1 || objet > scene.ObjetNb(page)) return Valeur::Nul();
    if (propriete < 1 || propriete > kProprieteMax) return Valeur::Nul();
    const auto code = static_cast<C>(propriete);

    switch (code) {
    case C::DecaleX: return Valeur::Entier(scene.ObjetEntierA1(page, objet));
    case C::Texte: return Valeur::Chaine(ChaineAvecCoerc(scene.ObjetTexteDecode(page, objet)));
    case C::DernierClicX:
    case C::DernierClicY:
    case C::TextePage:
    case C::TexteLigne:
    case C::TexteSelectionLigne:
    case C::TexteSelectionPage:
    case C::PositionSurChemin: return ValeurAffichage(scene, page, objet, code);
    case C::Reaffiche:
        scene.Reaffiche(page, objet);
        return Valeur::Booleen(true);
    case C::TexteChange:
        scene.ObjetTexteChange(page, objet, ChaineSansCoerc(arguments));
        return Valeur::Booleen(true);
    default: break;
    }

    // Every other property belongs to grids.
    ServiceGrille* grille = scene.Grille(page, objet);
    if (grille == nullptr) return Valeur::Nul();
    return ProprieteGrille(scene, *grille, code, arguments);
}

Valeur VarSceneValeur(std::string_view packed, ServicesScene& scene) {
    const auto octet = [&](std::size_t i) -> std::int16_t {
        return i < packed.size() ? static_cast<std::int16_t>(static_cast<unsigned char>(packed[i])) : 0;
    };
    const std::string_view arguments = packed.size() > 3 ? packed.substr(3) : std::string_view{};
    try {
        return ObjetValeurConsultationGet(scene, octet(0), octet(1), octet(2), arguments);
    } catch (const std::exception&) {
        // A property that fails gives the formula's "no value".
        return Valeur::Nul();
    }
}

Valeur VarSceneValeur(std::string_view packed, const ServicesFormule& services) {
    return VarSceneValeur(packed, services.scene);
}

}  // namespace korv::formula
