// The mouse-move handler: the dragged sprite follows the mouse, waiting
// entries learn that the mouse entered, stays over or left them, objects
// show their hover effect, and the cursor takes the shape of what lies
// under the mouse.

#include <algorithm>
#include <cmath>
#include <optional>

#include "engine/attente_boucle.h"
#include "engine/declencheurs_objets.h"
#include "engine/moteur.h"
#include "engine/objets_affiches.h"
#include "engine/souris.h"
#include "engine/souris_outils.h"

namespace korv::engine {

namespace {

using namespace souris;

// Hover styles of an object (field H2).
enum class Survol : std::uint8_t {
    Aucun = 0,
    Main = 1,
    Cadre = 2,
    MainSurLien = 3,
    Texte = 4,
    Deplacement = 5,
    Grille = 6,
};

constexpr int kMotActif = 255;  // a method text's answer over a word that reacts
constexpr std::int32_t kDefilementMinimum = 50;
constexpr std::int32_t kDefilementHaut = -100;

// Grid cursor answers.
constexpr int kGrilleCurseurTexte = 3;
constexpr int kGrilleCurseurMainA = 253;
constexpr int kGrilleCurseurCroix = 254;
constexpr int kGrilleCurseurMainB = 255;

// The cursor a move chooses: a picture (the first one chosen stays) and
// the text pointer, which wins over any picture.
struct ChoixCurseur {
    std::optional<FormeCurseur> image;
    bool texte = false;

    void Image(FormeCurseur f) {
        if (!image) image = f;
    }
    FormeCurseur Forme() const { return texte ? FormeCurseur::Texte : image.value_or(FormeCurseur::Defaut); }
};

// The engine is busy while the sprite moves: events that come meanwhile queue.
class MoteurOccupe {
public:
    explicit MoteurOccupe(Moteur& moteur) : moteur_(moteur), avant_(moteur.jeu.JeuDisponible) {
        moteur.jeu.JeuDisponible = 0;
    }
    ~MoteurOccupe() { moteur_.jeu.JeuDisponible = avant_; }
    MoteurOccupe(const MoteurOccupe&) = delete;
    MoteurOccupe& operator=(const MoteurOccupe&) = delete;

private:
    Moteur& moteur_;
    std::int16_t avant_;
};

// A sprite dragged along the method text's scroll track scrolls the text
// to the same proportion.
void DefilerTexteMethode(Moteur& moteur, int page, const SpriteVue& v, int py) {
    if (!moteur.scene.ObjetExiste(page, v.objetChemin)) return;
    const ObjetPage& chemin = moteur.scene.Page(page).Objet(v.objetChemin);
    const TwipsParPixel t = Echelle(moteur);
    const double course = static_cast<double>(chemin.hauteur) / t.y - v.hauteur;
    // A track no taller than the sprite leaves it nowhere to go.
    if (course == 0.0) return;
    const double r = (py - static_cast<double>(chemin.haut) / t.y) / course;
    auto& fenetre = moteur.Fenetre();
    const double valeur = std::trunc(r * fenetre.TexteMethodeHauteurTexte());
    std::int32_t position = std::isfinite(valeur) ? Entier(static_cast<std::int64_t>(std::clamp(valeur, -2.0e9, 2.0e9)))
                                                  : 0;
    if (position < kDefilementMinimum) position = kDefilementHaut;
    fenetre.TexteMethodeDefiler(position);
}

void Glisser(Moteur& moteur, std::int32_t x, std::int32_t y, ChoixCurseur& curseur) {
    auto& s = moteur.souris;
    auto& liste = moteur.affiches;
    if (!liste.Existe(s.GlisserNAffiche)) return;
    const ObjetAffiche a = liste.Entree(s.GlisserNAffiche);
    if (!moteur.scene.ObjetExiste(a.page, a.objet) || moteur.scene.Page(a.page).Objet(a.objet).Type() != TypeObjet::Sprite) {
        return;
    }
    auto& voisins = moteur.Declenchement().Voisins();
    const int sprite = voisins.SpriteNObjetVersNSprite(a.page, a.objet);
    if (sprite < 1) return;

    const MoteurOccupe occupe(moteur);
    const TwipsParPixel t = Echelle(moteur);
    const auto voulu = moteur.Ecran().SpriteDetermineCoordonneesAutorisees(
        sprite, Entier(std::int64_t{x} - s.GlisserDecalageX), Entier(std::int64_t{y} - s.GlisserDecalageY));
    const int px = TwipsVersPixels(voulu.x, t.x);
    const int py = TwipsVersPixels(voulu.y, t.y);
    const SpriteVue v = voisins.Sprite(sprite);
    if (px == v.x && py == v.y) return;
    curseur.Image(FormeCurseur::Bouge);
    moteur.Ecran().SpriteDeplacer(sprite, px, py);
    if (a.role == 16 && v.objetChemin > 0) DefilerTexteMethode(moteur, a.page, v, py);
    const int k = EvenementNObjetVersNEve(moteur, a.page, a.objet);
    if (k > 0) Survient(moteur.attente.Entree(k), evenement::Glisse);
}

// Enter, over and leave of the waiting entries.
void EntreesEtSorties(Moteur& moteur, std::int32_t x, std::int32_t y) {
    auto& attente = moteur.attente;
    const TwipsParPixel t = Echelle(moteur);
    for (int i = 1; i <= attente.Nombre(); ++i) {
        const bool dedans = EvePointDedans(attente, moteur.affiches, moteur.scene, i, x, y, t);
        EvenementAttente& e = attente.Entree(i);
        if (e.SourisDedans == 0 && dedans) {
            e.SourisDedans = -1;
            Survient(e, evenement::SourisEntre);
            Survient(e, evenement::SourisDessus);
        } else if (e.SourisDedans == -1 && !dedans) {
            e.SourisDedans = 0;
            Survient(e, evenement::SourisSort);
            e.EvenementsSurvenus &= ~evenement::SourisDessus;
        }
    }
}

// Whether a link zone of (page, objet) in the waiting list holds the point.
bool SurUnLien(Moteur& moteur, int page, int objet, std::int32_t x, std::int32_t y) {
    auto& attente = moteur.attente;
    const TwipsParPixel t = Echelle(moteur);
    for (int i = attente.Nombre(); i >= 1; --i) {
        const EvenementAttente& e = attente.Entree(i);
        if (e.TypeObjet == kTypeZoneLien && e.Page == page && e.Objet == objet &&
            EvePointDedans(attente, moteur.affiches, moteur.scene, i, x, y, t)) {
            return true;
        }
    }
    return false;
}

void MarquerSurvol(Moteur& moteur, int i, std::int16_t valeur) {
    if (moteur.affiches.Existe(i)) moteur.affiches.Entree(i).survol = valeur;
}

// The hover effect of shown entry i under the mouse, by its style.
void Survoler(Moteur& moteur, int i, const ObjetPage& o, std::int32_t x, std::int32_t y, ChoixCurseur& curseur) {
    const ObjetAffiche a = moteur.affiches.Entree(i);
    const auto marquer = [&] { MarquerSurvol(moteur, i, -1); };
    const auto effacer = [&] { MarquerSurvol(moteur, i, 0); };
    auto& fenetre = moteur.Fenetre();
    const bool menuSav = o.nom == kMenuSav && fenetre.MenuSavVisible();
    const bool texteMet = o.nom == kTexteMet && fenetre.TexteMethodeVisible();
    if (menuSav || texteMet) {
        const int r = menuSav ? moteur.Plan().MouseMoveTexteMethode(x, y) : moteur.Plan().MouseMoveTexteGlossaire(x, y);
        if (r == kMotActif) {
            curseur.Image(FormeCurseur::Pointe);
            marquer();
        } else {
            effacer();
        }
        return;
    }
    switch (static_cast<Survol>(o.H2)) {
    case Survol::Main:
        curseur.Image(FormeCurseur::Pointe);
        marquer();
        break;
    case Survol::MainSurLien:
        if (SurUnLien(moteur, a.page, a.objet, x, y)) {
            curseur.Image(FormeCurseur::Pointe);
            marquer();
        } else {
            effacer();
        }
        break;
    case Survol::Texte:
        curseur.texte = true;
        marquer();
        break;
    case Survol::Deplacement:
        curseur.Image(FormeCurseur::Bouge);
        marquer();
        break;
    case Survol::Grille: {
        if (o.Type() != TypeObjet::Tableau) break;
        switch (moteur.Tableaux().QuelCurseurDeSouris(a.page, a.objet, x, y)) {
        case kGrilleCurseurMainA:
        case kGrilleCurseurMainB:
            curseur.Image(FormeCurseur::Pointe);
            marquer();
            break;
        case kGrilleCurseurCroix:
            curseur.Image(FormeCurseur::Croix);
            marquer();
            break;
        case kGrilleCurseurTexte:
            curseur.texte = true;
            marquer();
            break;
        default: effacer(); break;
        }
        break;
    }
    case Survol::Cadre:
        if (a.survol == 0) {
            marquer();
            moteur.Ecran().SurvolCadreDessiner(i);
        }
        break;
    case Survol::Aucun:
    default: break;
    }
}

}  // namespace

void MouseMoveConsultation(Moteur& moteur, int bouton, std::int32_t x, std::int32_t y) {
    const GardePage garde(moteur);
    ChoixCurseur curseur;
    if (bouton == kBoutonGaucheSouris && moteur.souris.GlisserEnCours) Glisser(moteur, x, y, curseur);

    EntreesEtSorties(moteur, x, y);

    auto& liste = moteur.affiches;
    const TwipsParPixel t = Echelle(moteur);
    const int n = liste.Nombre();
    for (int i = 1; i <= n; ++i) {
        if (garde.Quittee(moteur)) return;
        if (!liste.Existe(i)) continue;
        const ObjetAffiche a = liste.Entree(i);
        if (!moteur.scene.ObjetExiste(a.page, a.objet)) continue;
        const ObjetPage& o = moteur.scene.Page(a.page).Objet(a.objet);
        const bool touche = ObjetAffichePointDedans(liste, moteur.scene, i, x, y, t);
        if (touche && o.Type() == TypeObjet::Tableau) {
            moteur.Tableaux().MouseMoveConsultation(a.page, a.objet, bouton, x, y);
            if (garde.Quittee(moteur)) return;
            if (!liste.Existe(i)) continue;
        }
        if (o.H2 == 0) continue;
        if (touche) {
            Survoler(moteur, i, o, x, y, curseur);
            continue;
        }
        if (a.survol != -1) continue;
        MarquerSurvol(moteur, i, 0);
        // The hover box is wiped by the unchanged page buffer.
        if (static_cast<Survol>(o.H2) == Survol::Cadre) RestaurerZone(moteur, a.gauche, a.haut, a.droite, a.bas, 1, "A83");
    }
    moteur.Fenetre().DefinirCurseur(curseur.Forme());
}

}  // namespace korv::engine
