#include "display/affichage.h"

#include <algorithm>
#include <span>
#include <stdexcept>

#include "display/boite3d.h"
#include "display/dessin.h"
#include "display/dessin_champs.h"
#include "display/surface_twips.h"
#include "display/zone.h"
#include "engine/erreur.h"
#include "engine/moteur.h"

namespace korv::display {

namespace {

JournalAffichage JournalMoteur(engine::Moteur& moteur) {
    return [&moteur](std::string_view message) {
        engine::ErreurJournaliser(moteur, "ChargeImage", engine::kErreurProgramme, message);
    };
}

}  // namespace

double EchelleDepuisPointsParPouce(double pointsParPouce) {
    const double e = pointsParPouce / 96.0;
    return e > 0.0 ? e : 1.0;
}

AffichagePage::AffichagePage(engine::Moteur& m, ReglagesAffichage r)
    : moteur(m), reglages(r), images(JournalMoteur(m)) {
    if (reglages.twipsParPixelX <= 0 || reglages.twipsParPixelY <= 0) {
        throw std::invalid_argument("AffichagePage: twips per pixel must be positive");
    }
    for (Surface* s : {&PageTampon, &permanent, &PageEcran, &travail}) {
        s->DefinirResolution(reglages.twipsParPixelX, reglages.twipsParPixelY);
    }
    SurfacesDimensionner(moteur.scene.entete.pageLargeur, moteur.scene.entete.pageHauteur);
}

bool AffichagePage::ModeJeu() const { return moteur.jeu.ModeProgramme == engine::kModeJeu; }

std::int32_t AffichagePage::PxX(std::int64_t twips) const { return PixelsDepuisTwips(twips, reglages.twipsParPixelX); }

std::int32_t AffichagePage::PxY(std::int64_t twips) const { return PixelsDepuisTwips(twips, reglages.twipsParPixelY); }

engine::ObjetPage* AffichagePage::Objet(int page, int objet) {
    return moteur.scene.ObjetExiste(page, objet) ? &moteur.scene.Page(page).Objet(objet) : nullptr;
}

bool AffichagePage::SurfacesDimensionner(int largeur, int hauteur) {
    largeur = std::max(0, largeur);
    hauteur = std::max(0, hauteur);
    const bool change = PageTampon.Largeur() != largeur || PageTampon.Hauteur() != hauteur;
    for (Surface* s : {&PageTampon, &permanent, &PageEcran}) {
        if (s->Largeur() != largeur || s->Hauteur() != hauteur) s->Redimensionner(largeur, hauteur, kBlanc);
    }
    return change;
}

void AffichagePage::MajTailleFenetre(bool forcer) { display::MajTailleFenetre(*this, forcer); }

void AffichagePage::EcAfficheCacheBarreMenu(bool afficher) { display::EcAfficheCacheBarreMenu(*this, afficher); }

void AffichagePage::MajDessinObjet(int page, int objet, bool cadre, bool legende, int reserve, int alentours,
                                   int morceau) {
    (void)reserve;
    display::MajDessinObjet(*this, page, objet, {cadre, legende, alentours != 0, morceau});
}

void AffichagePage::MajFenetreJeu() { display::MajFenetreJeu(*this); }

void AffichagePage::Effet(int code, int x, int y, int largeur, int hauteur) {
    if (largeur == 0 && hauteur == 0) {
        display::Effet(*this, code, 0, 0, moteur.scene.entete.pageLargeur, moteur.scene.entete.pageHauteur);
    } else {
        display::Effet(*this, code, x, y, largeur, hauteur);
    }
}

void AffichagePage::MajZoneObjetJeu(int indexAffiche, int effet) {
    display::MajZoneObjetJeu(*this, indexAffiche, effet);
}

void AffichagePage::ObjetEnJeuEfface(int page, int objet) { display::ObjetEnJeuEfface(*this, page, objet); }

void AffichagePage::AfficherPageAvantPlan(int page) {
    (void)page;  // the foreground page is laid over whatever page is current
    display::AfficherPageAvantPlan(*this);
}

void AffichagePage::JeuBoutonPageSuivantePrecedenteMaj(int page) {
    display::JeuBoutonPageSuivantePrecedenteMaj(*this, page);
}

void AffichagePage::EnfonceEffet(int indexAffiche, int indexAttente) {
    display::EnfonceEffet(*this, indexAffiche, indexAttente);
}

AffichagePage::PointTwips AffichagePage::SpriteDetermineCoordonneesAutorisees(int sprite, std::int32_t x,
                                                                              std::int32_t y) {
    if (!crochets.SpriteDetermineCoordonneesAutorisees) return {x, y};
    return crochets.SpriteDetermineCoordonneesAutorisees(sprite, x, y);
}

void AffichagePage::SpriteDeplacer(int sprite, int xPixels, int yPixels) {
    if (crochets.SpriteDeplacer) crochets.SpriteDeplacer(sprite, xPixels, yPixels);
}

void AffichagePage::SpriteSupprimerTous() {
    if (crochets.SpriteSupprimerTous) crochets.SpriteSupprimerTous();
}

void AffichagePage::SpritesSoulever() {
    if (crochets.SpritesDisparaissent) crochets.SpritesDisparaissent();
}

void AffichagePage::SpritesReposer() {
    if (crochets.SpritesReapparaissent) crochets.SpritesReapparaissent();
}

int AffichagePage::NLigneTexteObjetY(int page, int objet, std::int32_t y, int morceau, std::int32_t ligne) {
    return crochets.NLigneTexteObjetY ? crochets.NLigneTexteObjetY(page, objet, y, morceau, ligne) : 0;
}

int AffichagePage::TexteNLigneVersNPage(int page, int objet, std::int32_t ligne) {
    return crochets.TexteNLigneVersNPage ? crochets.TexteNLigneVersNPage(page, objet, ligne) : 0;
}

int AffichagePage::TexteRecherche(int page, int objet, std::string_view texte, int depuisLigne) {
    return crochets.TexteRecherche ? crochets.TexteRecherche(page, objet, texte, depuisLigne) : 0;
}

int AffichagePage::TexteRicheNbMarqueurPage(int page, int objet) {
    return crochets.TexteRicheNbMarqueurPage ? crochets.TexteRicheNbMarqueurPage(page, objet) : 0;
}

// The hover box, on the visible page only: the next copy of the buffer
// wipes it.
void AffichagePage::SurvolCadreDessiner(int indexAffiche) {
    if (!moteur.affiches.Existe(indexAffiche)) return;
    const engine::ObjetAffiche& e = moteur.affiches.Entree(indexAffiche);
    const engine::ObjetPage* o = Objet(e.page, e.objet);
    if (!o) return;
    constexpr int kEpaisseur = 2;
    if (champs::OctetForme(*o) == champs::kFormePolygone) {
        if (crochets.PolyligneAfficher) crochets.PolyligneAfficher(PageEcran, e.page, e.objet, kNoir, kEpaisseur);
    } else {
        PageEcran.Cadre(PxX(e.gauche + reglages.twipsParPixelX), PxY(e.haut + reglages.twipsParPixelY), PxX(e.droite),
                        PxY(e.bas), kNoir, kEpaisseur);
    }
    Fenetre().Rafraichir(PageEcran.Rectangle());
}

void AffichagePage::GraphiqueRafraichir(int page, int objet) {
    if (crochets.GraphiqueRafraichir) crochets.GraphiqueRafraichir(page, objet);
}

void AffichagePage::GraphiquesEffacerTous() {
    if (crochets.GraphiquesEffacerTous) crochets.GraphiquesEffacerTous();
}

int AffichagePage::TexteNbPage(int page, int objet) {
    const engine::ObjetPage* o = Objet(page, objet);
    if (o != nullptr && o->Type() == engine::TypeObjet::TexteRtf && crochets.TexteRicheNbPage) {
        return crochets.TexteRicheNbPage(page, objet);
    }
    return crochets.TexteNbPage ? crochets.TexteNbPage(page, objet) : 1;
}


void AffichagePage::PaletteSelectionner(std::string_view fichier) {
    palette.Remplacer(reglages.systeme, PaletteFichierCreer(fichier, JournalMoteur(moteur), &images.cache.Resolveur()));
    palette.PaletteActuelleAssignerAuxFenetres(reglages.systeme);
}

void AffichagePage::PaletteLiberer() { palette.PaletteLiberer(reglages.systeme); }

void Effet(AffichagePage& a, int code, std::int32_t x, std::int32_t y, std::int32_t largeur, std::int32_t hauteur) {
    (void)code;  // every transition gives the plain copy
    if (a.PageTampon.EstNulle() || a.PageEcran.EstNulle()) {
        throw engine::ErreurMoteur(engine::kErreurProgramme, "A20");
    }
    if (largeur <= 0 || hauteur <= 0) return;
    const QRect zone = QRect(x, y, largeur, hauteur).intersected(a.PageTampon.Rectangle());
    if (zone.isEmpty()) return;
    a.PageEcran.Transferer(zone.topLeft(), a.PageTampon, zone, OperationRaster::SrcCopy);
    a.Fenetre().Rafraichir(zone);
}

void MessageFenetreOuvre(AffichagePage& a, std::string_view titre, std::string_view texte) {
    a.Fenetre().MessageOuvrir(titre, texte);
}

void MessagePourcentageAffiche(AffichagePage& a, std::int32_t pourcentage) {
    const bool valide = (pourcentage >= 0 && pourcentage <= 100) || pourcentage == 200 || pourcentage == -200;
    if (valide) a.Fenetre().MessagePourcentage(pourcentage);
}

void MessageFenetreFerme(AffichagePage& a) { a.Fenetre().MessageFermer(); }

double EchelleEcranX(const AffichagePage& a) {
    return a.reglages.echelleEcranX > 0.0 ? a.reglages.echelleEcranX : 1.0;
}

double EchelleEcranY(const AffichagePage& a) {
    return a.reglages.echelleEcranY > 0.0 ? a.reglages.echelleEcranY : 1.0;
}

std::optional<std::int16_t> TexteMetHauteur(const AffichagePage& a, int page) {
    const engine::Scene& s = a.moteur.scene;
    if (!s.PageExiste(page)) return std::nullopt;
    for (const engine::ObjetPage& o : s.Page(page).objets) {
        if (o.nom == "TEXTEMET") return o.hauteur;
    }
    return std::nullopt;
}

void JeuBoutonPageMaj(AffichagePage& a, int page) {
    engine::Moteur& m = a.moteur;
    const std::int32_t texte = a.Fenetre().TexteMethodeHauteurTwips();
    const std::int32_t panneau = TexteMetHauteur(a, page).value_or(0);
    const bool tient = texte < panneau;
    for (int i = 1; i <= m.affiches.Nombre();) {
        const engine::ObjetAffiche e = m.affiches.Entree(i);
        if (e.role == 16 && !tient) {
            const int avant = m.affiches.Nombre();
            ObjetEnJeuEfface(a, e.page, e.objet);
            if (m.affiches.Nombre() < avant) continue;  // the same index holds the next entry
        }
        ++i;
    }
    if (!tient || !m.scene.PageExiste(page)) return;
    for (int o = 1; o <= m.scene.Page(page).ObjetNb(); ++o) {
        if (champs::RoleBouton(m.scene.Page(page).Objet(o)) != 16) continue;
        if (engine::ObjetAfficheNObjetVersNAffiche(m.affiches, page, o) < 1) ObjetMontrer(a, page, o);
    }
}

void ObjetMontrer(AffichagePage& a, int page, int objet) {
    if (a.crochets.DeclencheDivers) {
        a.crochets.DeclencheDivers(page, objet);
        return;
    }
    MajDessinObjet(a, page, objet, {});
    const int n = engine::ObjetAfficheNObjetVersNAffiche(a.moteur.affiches, page, objet);
    if (n > 0) MajZoneObjetJeu(a, n, 0);
}

void EnfonceEffet(AffichagePage& a, int indexAffiche, int indexAttente) {
    engine::Moteur& m = a.moteur;
    if (indexAttente > 0 && indexAttente <= m.attente.Nombre() &&
        m.attente.Entree(indexAttente).TypeObjet == engine::kTypeZoneLien) {
        engine::EvenementAttente& e = m.attente.Entree(indexAttente);
        const engine::ZoneTexteLien& z = e.Zone;
        const RectangleZone tous[] = {{z.Gauche1, z.Haut1, z.Droite1, z.Bas1},
                                      {z.Gauche2, z.Haut2, z.Droite2, z.Bas2},
                                      {z.Gauche3, z.Haut3, z.Droite3, z.Bas3}};
        const auto n = static_cast<std::size_t>(std::clamp<int>(z.Numero, 0, 3));
        DessinerEnfonceZone(a.reglages.systeme, a.PageEcran, std::span(tous, n), QPoint(0, 0));
        e.Enfonce = -1;
        a.Fenetre().Rafraichir(a.PageEcran.Rectangle());
        return;
    }
    if (indexAffiche <= 0 || !m.affiches.Existe(indexAffiche)) return;
    engine::ObjetAffiche& entree = m.affiches.Entree(indexAffiche);
    const engine::ObjetPage* o = a.Objet(entree.page, entree.objet);
    if (!o) return;
    ObjetEnfonce oe;
    oe.gauche = o->gauche;
    oe.haut = o->haut;
    oe.largeur = o->largeur;
    oe.hauteur = o->hauteur;
    oe.styleCadre = champs::StyleCadre(*o);
    oe.profondeur3D = champs::Profondeur3D(*o);
    oe.remplissage = champs::CouleurRemplissage(*o);
    oe.aspectEnfonce = champs::OctetEnfonce(*o);
    oe.forme = champs::OctetForme(*o);
    const AspectEnfonce aspect = DessinerEnfonceObjet(a.reglages.systeme, a.PageEcran, oe, QPoint(0, 0));
    // The polygon highlight is off on a "Windows NT" system.
    if (aspect == AspectEnfonce::PolygoneEclairci && !a.reglages.systeme.SystemeWindowsNT &&
        a.crochets.PolyligneEclaircir) {
        a.crochets.PolyligneEclaircir(a.PageEcran, entree.page, entree.objet);
    }
    entree.enfonce = -1;
    a.Fenetre().Rafraichir(a.PageEcran.Rectangle());
}

}  // namespace korv::display
