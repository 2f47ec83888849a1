#include "engine/declencheurs_objets.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/attente_boucle.h"
#include "engine/declenchement.h"
#include "engine/erreur.h"
#include "engine/moteur.h"
#include "formula/nombres.h"

namespace korv::engine {

namespace {

constexpr std::int16_t kBoutonPageSuivante = 3;
constexpr std::int16_t kBoutonPagePrecedente = 4;
constexpr int kSourcePage = 1;  // page preparation and the page's own elements
constexpr int kSpriteSurCheminRelatif = 255;
constexpr int kSpriteSurCheminAbsolu = 254;
constexpr std::uint8_t kDecoupeChemin = 2;

std::int16_t Borne16(double v) {
    return static_cast<std::int16_t>(std::clamp(v, double{std::numeric_limits<std::int16_t>::min()},
                                                double{std::numeric_limits<std::int16_t>::max()}));
}

bool EstBoutonDeTexte(const ObjetPage& o) {
    return o.G[3] == kBoutonPageSuivante || o.G[3] == kBoutonPagePrecedente;
}

// `ImageDecalageLimite`: the picture offset stays within what the picture
// can show in the object (0 at most, width - picture width at least).
void ImageDecalageLimite(ObjetPage& o) {
    std::int32_t a = o.A1;
    if (a > 0) a = 0;
    const std::int32_t minimum = std::int32_t{o.largeur} - o.A3;
    if (a < minimum) a = minimum;
    o.A1 = Borne16(a);
}

// Whether object `source` has an element aimed at (page, objet).
bool SourceVise(const Moteur& moteur, int page, int source, int objet) {
    if (!moteur.scene.ObjetExiste(page, source)) return false;
    const auto& elements = moteur.scene.Page(page).Objet(source).elements;
    return std::any_of(elements.begin(), elements.end(),
                       [&](const ObjetPageElement& e) { return e.PageCible == page && e.ObjetCible == objet; });
}

}  // namespace

int TwipsVersPixels(std::int32_t twips, std::int32_t twipsParPixel) {
    if (twipsParPixel <= 0) twipsParPixel = 1;
    return static_cast<int>(formula::ArrondiPair(static_cast<double>(twips) / twipsParPixel));
}

EtatTexteAffiche EtatTexteDuJeu(Moteur& moteur, int page, int objet) {
    EtatTexteAffiche etat;
    const int k = ObjetAfficheNObjetVersNAffiche(moteur.affiches, page, objet);
    etat.affiche = k > 0;
    if (k > 0) etat.pageCourante = moteur.affiches.Entree(k).morceauTexte;
    etat.pageNb = moteur.Ecran().TexteNbPage(page, objet);
    return etat;
}

void DeclencheDivers(Moteur& moteur, int page, int objet, int mode, int source, int afficher) {
    if (!moteur.scene.ObjetExiste(page, objet)) return;
    const ObjetPage& o = moteur.scene.Page(page).Objet(objet);
    const EtatTexte etat = [&moteur](int p, int ob) { return EtatTexteDuJeu(moteur, p, ob); };
    if (o.G[3] == kBoutonPageSuivante && PageSuivanteRelieABoutonExiste(moteur.scene, page, objet, etat) == 0) return;
    if (o.G[3] == kBoutonPagePrecedente && PagePrecedenteRelieABoutonExiste(moteur.scene, page, objet, etat) == 0) return;

    auto& declenchement = moteur.Declenchement();
    declenchement.Etat().EffetCourant = o.E2;
    // Shown once the page is up (not by its preparation, which draws in
    // z-order), the object goes under the sprites, as a zone redraw leaves
    // them: drawn over a sprite, it hid the ball dropped on it, and the
    // sprite's saved background no longer held the object. A sprite shown
    // saves what lies under it and goes over the others: laid again with
    // them, it would save its own picture and leave it behind when it moves.
    const bool sousSprites = o.Type() != TypeObjet::Sprite && !(mode == 2 && source == kSourcePage);
    if (sousSprites) moteur.Ecran().SpritesSoulever();
    moteur.Ecran().MajDessinObjet(page, objet, true, true, 0, 0, afficher >= 0 ? afficher : -1);
    if (sousSprites) moteur.Ecran().SpritesReposer();

    const TwipsParPixel tpp = declenchement.Configuration().twipsParPixel;
    const int x = TwipsVersPixels(o.gauche, tpp.x);
    const int y = TwipsVersPixels(o.haut, tpp.y);
    int largeur = TwipsVersPixels(o.largeur, tpp.x);
    int hauteur = TwipsVersPixels(o.hauteur, tpp.y);
    if (o.E1 > 0) {
        largeur += o.E1;  // the shadow
        hauteur += o.E1;
    }
    // What a foreground page covers is restored from the saved picture.
    if (o.F1 == 0 && !declenchement.Voisins().TamponVersPermanent(x, y, largeur, hauteur)) {
        throw ErreurMoteur(kErreurProgramme, "A88");
    }
    // An empty rectangle has nothing to copy (a zero width would mean the whole page).
    if (mode == 1 && largeur > 0 && hauteur > 0) moteur.Ecran().Effet(o.E2, x, y, largeur, hauteur);
    if (o.Type() != TypeObjet::Fond && o.Type() != TypeObjet::Video) {
        EvenementObjetEnAttenteDEvenementAjoute(moteur, page, objet);
    }
}

void ObjetEnJeuCacher(Moteur& moteur, int page, int objet, bool evenementCache) {
    moteur.Ecran().ObjetEnJeuEfface(page, objet);
    if (const int k = ObjetAfficheNObjetVersNAffiche(moteur.affiches, page, objet); k > 0) {
        ObjetAfficheSupprimer(moteur.affiches, k);
    }
    for (auto& e : moteur.attente.entrees) {
        if (e.Page != page || e.Objet != objet) continue;
        if (e.EvenementsAttendus & evenement::ObjetCache) {
            if (evenementCache) e.EvenementsSurvenus |= evenement::ObjetCache;
        } else {
            e.Etat = -1;
        }
    }
}

void DeclencheBouton(Moteur& moteur, int page, int objet, int action, int mode, int source) {
    if (!moteur.scene.ObjetExiste(page, objet)) return;
    switch (action) {
    case 0: {
        // A next / previous-page button shown by the page is shown once.
        const ObjetPage& o = moteur.scene.Page(page).Objet(objet);
        if (source == kSourcePage && EstBoutonDeTexte(o) && ObjetAfficheNObjetVersNAffiche(moteur.affiches, page, objet) > 0) {
            return;
        }
        DeclencheDivers(moteur, page, objet, mode, source, -1);
        break;
    }
    case 1: ObjetEnJeuCacher(moteur, page, objet, true); break;
    default: break;
    }
}

void DeclenchePolyligne(Moteur& moteur, int page, int objet, int action, int mode, int source) {
    switch (action) {
    case 0: DeclencheDivers(moteur, page, objet, mode, source, -1); break;
    case 1: ObjetEnJeuCacher(moteur, page, objet, true); break;
    default: break;
    }
}

void DeclencheImage(Moteur& moteur, int page, int objet, std::string& valeur, int action, int mode, int source) {
    if (!moteur.scene.ObjetExiste(page, objet)) return;
    ObjetPage& o = moteur.scene.Page(page).Objet(objet);
    switch (action) {
    case 0: DeclencheDivers(moteur, page, objet, mode, source, -1); break;
    case 1:
    case 2: {
        // The sprite that moves along this image's path, on behalf of an
        // element aimed at the image.
        if (o.decoupe != kDecoupeChemin || !SourceVise(moteur, page, source, objet)) break;
        auto& voisins = moteur.Declenchement().Voisins();
        const int s = voisins.PolyligneCheminQuelSprite(page, objet);
        if (s < 1) break;
        const SpriteVue sprite = voisins.Sprite(s);
        voisins.DeclencheSprite(moteur, page, sprite.objet, valeur,
                                action == 1 ? kSpriteSurCheminRelatif : kSpriteSurCheminAbsolu, mode, source, objet);
        break;
    }
    case 3:
    case 4: {
        const double decalage = formula::ArrondiPair(formula::Val(valeur));
        o.A1 = Borne16(action == 3 ? o.A1 + decalage : decalage);
        ImageDecalageLimite(o);
        DeclencheDivers(moteur, page, objet, mode, source, -1);
        break;
    }
    case 5:
        // The display decides whether palettes are in use on this screen.
        if (!o.fichier.empty()) {
            moteur.Ecran().PaletteLiberer();
            moteur.Ecran().PaletteSelectionner(o.fichier);
        }
        break;
    case 6: ObjetEnJeuCacher(moteur, page, objet, true); break;
    default: break;
    }
}

void DeclencheVideo(Moteur&, int, int, int, int, int) {}

void ObjetRienAFaire(Moteur&, int, int, int, int) {}

bool PorteOuverte(Moteur& moteur) {
    const std::uint64_t g = moteur.Declenchement().Etat().porteGeneration;
    return g != 0 && g == moteur.jeu.generationPreparation + 1;
}

void DeclenchePorte(Moteur& moteur, int page, int objet) {
    moteur.jeu.JeuDisponible = 0;
    if (!PorteOuverte(moteur) && moteur.Ecran().VideoEnCours()) {
        moteur.Ecran().VideoArreter();
        if (moteur.Ecran().VideoEnCours()) moteur.Ecran().SonArreter();
    }
    // Kept one above the preparation count, so that 0 never reads as open.
    moteur.Declenchement().Etat().porteGeneration = moteur.jeu.generationPreparation + 1;
    for (auto& e : moteur.attente.entrees) {
        if (e.Page == page && e.Objet == objet) {
            e.EvenementsSurvenus |= evenement::Clic;
        } else {
            e.Etat = -1;
        }
    }
    EvenementEnleverSiDemande(moteur);
    moteur.jeu.JeuDisponible = -1;
}

}  // namespace korv::engine
