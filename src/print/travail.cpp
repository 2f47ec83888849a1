#include "print/travail.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/geometrie.h"

namespace korv::print {

namespace {

std::int32_t Long(double x) { return static_cast<std::int32_t>(engine::ArrondiBanquier(x)); }

// Device pixels to twips through the pixels per millimetre; 0 when the
// printer gives no size to divide by.
double DecalageTwips(std::int32_t decalage, std::int32_t pixels, double mm) {
    if (pixels <= 0 || !(mm > 0)) return 0;
    const double parMm = pixels / mm;
    const double twips = decalage / parMm * kTwipsParMillimetre;
    return std::isfinite(twips) ? twips : 0;
}

}  // namespace

void ImprimePrepareDebut(ImpressionTravail& t, std::uint8_t mode, const CaracteristiquesImprimante& c) {
    t.ModeImpressionExport = mode;
    t.SommaireActif = false;
    t.SommaireDernierePage = 0;
    t.SommaireDernierObjet = 0;
    t.NumeroTitre = 0;
    auto& e = t.EnTetePied;
    e.EnTeteTexte.clear();
    e.PiedTexte.clear();
    e.EnTeteAffiche = e.PiedAffiche = e.EnTetePremierePage = e.PiedPremierePage = false;
    t.DecalageXTwips = DecalageTwips(c.decalageXPixels, c.largeurPixels, c.largeurMm);
    t.DecalageYTwips = DecalageTwips(c.decalageYPixels, c.hauteurPixels, c.hauteurMm);
    t.ImprimanteDecalageX = Long(t.DecalageXTwips);
    t.ImprimanteDecalageY = Long(t.DecalageYTwips);
    t.EchelleLargeur = std::max(0.0, c.echelleLargeur);
    t.EchelleHauteur = std::max(0.0, c.echelleHauteur);
    t.ImprimanteDroite = Long(c.echelleGauche + t.EchelleLargeur);
    t.ImprimanteBas = Long(c.echelleHaut + t.EchelleHauteur);
    t.NombreDePages = 0;
    t.TextesAImprimer.clear();
    t.Elements.clear();
    t.feuilles.clear();
    t.graphiques.clear();
}

void ImprimeMargesFixe(ImpressionTravail& t, double gauche, double haut, double droite, double bas, double pied,
                       double entete) {
    t.MargeGauche = gauche * kTwipsParMillimetre;
    t.MargeHaut = haut * kTwipsParMillimetre;
    t.MargeDroite = droite * kTwipsParMillimetre;
    t.MargeBas = bas * kTwipsParMillimetre;
    t.EcartPied = pied * kTwipsParMillimetre;
    t.EcartEnTete = entete * kTwipsParMillimetre;
}

void ImprimeEnTeteFixe(ImpressionTravail& t, std::string texte, bool affiche, bool premierePage) {
    t.EnTetePied.EnTeteTexte = std::move(texte);
    t.EnTetePied.EnTeteAffiche = affiche;
    t.EnTetePied.EnTetePremierePage = premierePage;
}

void ImprimePiedDePageFixe(ImpressionTravail& t, std::string texte, bool affiche, bool premierePage) {
    t.EnTetePied.PiedTexte = std::move(texte);
    t.EnTetePied.PiedAffiche = affiche;
    t.EnTetePied.PiedPremierePage = premierePage;
}

std::int32_t NumeroImprime(const ImpressionTravail& t, std::int32_t page) {
    const bool couverture = !t.EnTetePied.EnTetePremierePage && !t.EnTetePied.PiedPremierePage;
    return page + t.PremierNumero - (couverture ? 2 : 1);
}

std::int32_t ImpressionElementAjouter(ImpressionTravail& t, ImpressionElement e) {
    t.Elements.push_back(std::move(e));
    return t.NombreElements();
}

}  // namespace korv::print
