#include "programme/voisins_programme.h"

#include <QRect>

#include "display/affichage.h"
#include "engine/moteur.h"
#include "formula/variables.h"
#include "grid/magasin_grilles.h"

namespace korv::programme {

VoisinsProgramme::VoisinsProgramme(engine::Moteur& moteur, display::AffichagePage& affichage,
                                   grid::MagasinGrilles& grilles)
    : moteur_(moteur), affichage_(affichage), grilles_(grilles) {}

void VoisinsProgramme::DeclencheTableau(engine::Moteur& moteur, int page, int objet, std::string& valeur, int action,
                                        int mode, int source) {
    if (action == 0 || action == 1) {
        ServicesDeclencheurs::DeclencheTableau(moteur, page, objet, valeur, action, mode, source);
    } else {
        grilles_.DeclencheTableau(page, objet, valeur, action);
    }
}

// The shown area of an object goes into the saved page picture, which keeps
// the page as it is under a foreground page.
bool VoisinsProgramme::TamponVersPermanent(int x, int y, int largeur, int hauteur) {
    auto& a = affichage_;
    if (a.PageTampon.EstNulle() || a.permanent.EstNulle() || a.permanent.Taille() != a.PageTampon.Taille()) return false;
    const QRect aire = QRect(x, y, largeur, hauteur).intersected(a.PageTampon.Rectangle());
    if (aire.isEmpty()) return true;
    a.permanent.Transferer(aire.topLeft(), a.PageTampon, aire, display::OperationRaster::SrcCopy);
    return true;
}

// Closing a foreground page puts the saved picture back into the buffer.
bool VoisinsProgramme::PermanentVersTampon() {
    auto& a = affichage_;
    if (a.PageTampon.EstNulle() || a.permanent.EstNulle() || a.permanent.Taille() != a.PageTampon.Taille()) return false;
    a.PageTampon.Transferer(QPoint(0, 0), a.permanent, a.permanent.Rectangle(), display::OperationRaster::SrcCopy);
    return true;
}

std::string VoisinsProgramme::PasseValeur() { return moteur_.ScriptsDuMoteur().Variables().PasseValeur; }

bool VoisinsProgramme::PlanVisible() { return moteur_.Fenetre().PanneauPlanEstVisible(); }

}  // namespace korv::programme
