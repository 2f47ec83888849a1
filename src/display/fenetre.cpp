#include "display/fenetre.h"

#include <cmath>

#include "display/affichage.h"
#include "display/placement.h"
#include "display/zone.h"
#include "engine/erreur.h"
#include "engine/moteur.h"
#include "engine/recherche.h"
#include "platform/settings.h"

namespace korv::display {

namespace {

// Clears the re-entry guard however the layout ends.
class GardeDisposition {
public:
    explicit GardeDisposition(bool& drapeau) : drapeau_(drapeau) { drapeau_ = true; }
    ~GardeDisposition() { drapeau_ = false; }
    GardeDisposition(const GardeDisposition&) = delete;
    GardeDisposition& operator=(const GardeDisposition&) = delete;

private:
    bool& drapeau_;
};

int PageAvantPlan(const AffichagePage& a) {
    const engine::Moteur& m = a.moteur;
    if (!engine::PageUtiliseAvantPlan(m.scene, m.jeu.PageCourante)) return 0;
    return engine::NumeroDePage(m.scene, "AVANTPLAN");
}

}  // namespace

void MajTailleFenetre(AffichagePage& a, bool redessiner) {
    if (a.MajTailleFenetreEnCours) return;
    GardeDisposition garde(a.MajTailleFenetreEnCours);
    engine::Moteur& m = a.moteur;
    const bool jeu = a.ModeJeu();
    const int courante = m.jeu.PageCourante;

    if (jeu) {
        a.permanent.Remplir(kBlanc);
        a.PageTampon.Remplir(kBlanc);
        a.SpriteSupprimerTous();
        PageTailleInitialeRestaurer(a, PageAvantPlan(a));
        PageTailleInitialeRestaurer(a, courante);
    }

    EntreesDisposition e;
    e.fenetre = a.Fenetre().Mesures();
    e.pageLargeur = m.scene.entete.pageLargeur;
    e.pageHauteur = m.scene.entete.pageHauteur;
    e.twipsParPixelX = a.reglages.twipsParPixelX;
    e.twipsParPixelY = a.reglages.twipsParPixelY;
    e.echelleX = EchelleEcranX(a);
    e.echelleY = EchelleEcranY(a);
    e.modeJeu = jeu;
    const DispositionFenetre d = CalculeDisposition(e);

    // A hidden bar scrolls nothing.
    if (!d.ver.visible) a.DecalageAffichageY = 0;
    if (!d.hor.visible) a.DecalageAffichageX = 0;
    if (jeu) {
        m.scene.entete.pageLargeur = d.pageLargeur;
        m.scene.entete.pageHauteur = d.pageHauteur;
    }
    const bool change = a.SurfacesDimensionner(m.scene.entete.pageLargeur, m.scene.entete.pageHauteur);
    a.Fenetre().Appliquer(d);
    a.Fenetre().MontrerPage(&a.PageEcran.Image());

    if (!jeu) return;
    if (change) a.PageEcran.Remplir(kBlanc);
    const int avantPlan = PageAvantPlan(a);
    if (avantPlan > 0) PagePlacer(a, avantPlan, d.espace.largeur, d.espace.hauteur, redessiner);
    PagePlacer(a, courante, d.espace.largeur, d.espace.hauteur, redessiner);
    // The fit may have grown the page past what the layout sized.
    if (a.SurfacesDimensionner(m.scene.entete.pageLargeur, m.scene.entete.pageHauteur)) {
        a.Fenetre().MontrerPage(&a.PageEcran.Image());
    }
    if (redessiner) {
        engine::ObjetAfficheRecalculerPositions(m.affiches, m.attente, m.scene, a.Tpp());
        if (a.crochets.SpriteDeplacerObjet) {
            for (const engine::ObjetAffiche& o : m.affiches.entrees) {
                a.crochets.SpriteDeplacerObjet(o.page, o.objet, a.PxX(o.gauche), a.PxY(o.haut));
            }
        }
        MajZonePageJeuEntiere(a);
        if (a.Fenetre().RedactionVisible()) a.Fenetre().PanneauxMethodeMaj();
        JeuBoutonPageMaj(a, courante);
        a.Fenetre().ObjetsSpriteMethodeMaj();
    }
}

void MajZonePageJeuEntiere(AffichagePage& a) {
    const engine::EnteteScene& en = a.moteur.scene.entete;
    RectZone r{0, 0, std::int32_t{en.pageLargeur} * a.reglages.twipsParPixelX,
               std::int32_t{en.pageHauteur} * a.reglages.twipsParPixelY};
    MajZonePageJeu(a, r, 0);
}

void MajFenetreAffichageDecalage(AffichagePage& a, std::int32_t valeurVer, std::int32_t valeurHor) {
    a.DecalageAffichageY = static_cast<std::int32_t>(
        std::floor(static_cast<double>(valeurVer) / a.reglages.twipsParPixelY));
    a.DecalageAffichageX = static_cast<std::int32_t>(
        std::floor(static_cast<double>(valeurHor) / a.reglages.twipsParPixelX));
    if (!a.ModeJeu()) return;
    MajFenetreJeu(a);
    a.Fenetre().TexteEditeParUtilisateurDecaleAscenseurs();
    a.Fenetre().MenuSavTexteMetPlacer();
    if (a.Fenetre().RedactionVisible()) a.Fenetre().PanneauxMethodeMaj();
}

void EcAfficheCacheBarreMenu(AffichagePage& a, bool afficher) {
    if (platform::MagasinReglages* magasin = a.Magasin()) {
        if (!magasin->EcrireTexte("KORVELIS", "EDITEUR", "AFFICHER BARRE MENU", afficher ? "1" : "0")) {
            engine::ErreurJournaliser(a.moteur, "EcAfficheCacheBarreMenu", engine::kErreurInterne,
                                      "AFFICHER BARRE MENU : enregistrement impossible");
        }
    }
    a.moteur.Fenetre().AfficherBarreMenu(afficher);
}

}  // namespace korv::display
