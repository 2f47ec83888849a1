#include "engine/souris.h"

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "engine/attente_boucle.h"
#include "engine/declencheurs_objets.h"
#include "engine/erreur.h"
#include "engine/moteur.h"
#include "engine/objets_affiches.h"
#include "engine/recherche.h"
#include "engine/souris_outils.h"

namespace korv::engine {

namespace souris {

TwipsParPixel Echelle(Moteur& moteur) {
    TwipsParPixel t = moteur.Declenchement().Configuration().twipsParPixel;
    t.x = std::max(t.x, 1);
    t.y = std::max(t.y, 1);
    return t;
}

std::int32_t Entier(std::int64_t v) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

namespace {

std::int64_t DivisionBasse(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::int64_t DivisionHaute(std::int64_t a, std::int64_t b) { return -DivisionBasse(-a, b); }

}  // namespace

void RestaurerZone(Moteur& moteur, std::int64_t gauche, std::int64_t haut, std::int64_t droite, std::int64_t bas,
                   int marge, std::string_view source) {
    const TwipsParPixel t = Echelle(moteur);
    const std::int64_t x = DivisionBasse(std::min(gauche, droite), t.x) - marge;
    const std::int64_t y = DivisionBasse(std::min(haut, bas), t.y) - marge;
    const std::int64_t x2 = DivisionHaute(std::max(gauche, droite), t.x) + marge;
    const std::int64_t y2 = DivisionHaute(std::max(haut, bas), t.y) + marge;
    try {
        moteur.Ecran().Effet(0, Entier(x), Entier(y), Entier(x2 - x + 1), Entier(y2 - y + 1));
    } catch (const ErreurMoteur& e) {
        if (e.numero() != kErreurProgramme) throw;
        throw ErreurMoteur(kErreurProgramme, std::string(source));
    }
}

}  // namespace souris

namespace {

using namespace souris;

constexpr std::string_view kDiapoAuto = "DIAPOAUTO";

void Traiter(Moteur& moteur, const ZoneSouris& z) {
    switch (z.genre) {
    case GenreSouris::Enfonce: MousedownConsultation(moteur, z.bouton, z.maj, z.x, z.y); break;
    case GenreSouris::Deplace: MouseMoveConsultation(moteur, z.bouton, z.x, z.y); break;
    case GenreSouris::Relache: MouseUpConsultation(moteur, z.x, z.y); break;
    }
}

std::string NomPageCourante(const Moteur& moteur) {
    const int page = moteur.jeu.PageCourante;
    return moteur.scene.ObjetExiste(page, 1) ? moteur.scene.Page(page).Objet(1).nom : std::string();
}

// A link may be registered more than once (its text drawn again); one
// press or click on it counts once, for the first of its entries met.
class LiensTouches {
public:
    bool DejaTouche(const EvenementAttente& e) {
        if (e.TypeObjet != kTypeZoneLien) return false;
        const auto cle = std::make_tuple(e.Page, e.Objet, e.TexteLien);
        if (std::find(vus_.begin(), vus_.end(), cle) != vus_.end()) return true;
        vus_.push_back(cle);
        return false;
    }

private:
    std::vector<std::tuple<std::int16_t, std::int16_t, std::string>> vus_;
};

// Starts dragging the sprite of shown entry i when (x, y) lies strictly
// inside the sprite's picture.
void GlisserCommencer(Moteur& moteur, int i, std::int32_t x, std::int32_t y) {
    const ObjetAffiche& a = moteur.affiches.Entree(i);
    auto& voisins = moteur.Declenchement().Voisins();
    const int s = voisins.SpriteNObjetVersNSprite(a.page, a.objet);
    if (s < 1) return;
    const SpriteVue v = voisins.Sprite(s);
    const TwipsParPixel t = Echelle(moteur);
    const std::int64_t gauche = std::int64_t{v.x} * t.x, haut = std::int64_t{v.y} * t.y;
    const std::int64_t droite = (std::int64_t{v.x} + v.largeur) * t.x, bas = (std::int64_t{v.y} + v.hauteur) * t.y;
    if (!(gauche < x && x < droite && haut < y && y < bas)) return;
    auto& s0 = moteur.souris;
    s0.GlisserTemps = Maintenant(moteur);
    s0.GlisserObjet = a.objet;
    s0.GlisserPage = a.page;
    s0.GlisserNAffiche = i;
    s0.GlisserDecalageX = static_cast<std::int32_t>(x - gauche);
    s0.GlisserDecalageY = static_cast<std::int32_t>(y - haut);
    s0.GlisserEnCours = true;
}

// The texts under a press: starts editing an editable text, or selects the
// line of a text whose lines are links. False when the scan found neither,
// so that an open edit is only ended.
bool TextesSousLaSouris(Moteur& moteur, std::int32_t x, std::int32_t y) {
    auto& liste = moteur.affiches;
    const int n = liste.Nombre();
    for (int i = 1; i <= n && i <= liste.Nombre(); ++i) {
        const ObjetAffiche a = liste.Entree(i);
        if (!moteur.scene.ObjetExiste(a.page, a.objet)) continue;
        const ObjetPage& o = moteur.scene.Page(a.page).Objet(a.objet);
        // Tagged texts and rich texts take the user's typing.
        const bool riche = o.Type() == TypeObjet::TexteRtf;
        if (o.Type() != TypeObjet::Texte && !riche) continue;
        const bool dedans = a.gauche <= x && x <= a.droite && a.haut <= y && y <= a.bas;
        if (!dedans) continue;
        const std::int16_t drapeaux = o.G[2];
        if (drapeaux & kTexteEditable) {
            // While another edit is open the scan goes on: this press only ends it.
            if (moteur.Edition().EditionVisible()) continue;
            moteur.Edition().TexteEditeParUtilisateurCommence(a.page, a.objet, ObjetTexte(moteur.scene, a.page, a.objet));
            return true;
        }
        if (!riche && (drapeaux & kLignesLiens)) {
            const int ligne = NLigneTexteObjetY(moteur, a.page, a.objet, y, a.morceauTexte, a.ligneTexteLong);
            if (ligne > 0 && liste.Existe(i)) {
                liste.Entree(i).ligneSelectionnee = ligne;
                moteur.Ecran().MajZoneObjetJeu(i, 0);
            }
            return true;
        }
    }
    return false;
}

}  // namespace

void EvenementSourisSurvient(Moteur& moteur, int genre, int bouton, int maj, std::int32_t x, std::int32_t y) {
    if (genre < 1 || genre > 3) return;
    const auto g = static_cast<GenreSouris>(genre);
    if (g != GenreSouris::Deplace) {
        moteur.souris.SourisX = x;
        moteur.souris.SourisY = y;
    }
    if (moteur.jeu.JeuDisponible == -1 && moteur.zonesSouris.entrees.empty()) {
        Traiter(moteur, {g, x, y, bouton, maj});
        EvenementSourisEffaceTous(moteur);
        return;
    }
    EvenementSourisAjoute(moteur, g, x, y, bouton, maj);
}

void EvenementSourisAjoute(Moteur& moteur, GenreSouris genre, std::int32_t x, std::int32_t y, int bouton, int maj) {
    auto& file = moteur.zonesSouris.entrees;
    const auto ancien = std::find_if(file.begin(), file.end(), [&](const ZoneSouris& z) { return z.genre == genre; });
    if (ancien != file.end()) file.erase(ancien);
    file.push_back({genre, x, y, bouton, maj});
}

bool EvenementsSourisEnAttente(const Moteur& moteur) { return !moteur.zonesSouris.entrees.empty(); }

void EvenementSourisDeclenche(Moteur& moteur) {
    auto& file = moteur.zonesSouris.entrees;
    if (file.empty()) return;
    const ZoneSouris z = file.front();
    file.erase(file.begin());
    Traiter(moteur, z);
}

void EvenementSourisEffaceTous(Moteur& moteur) {
    auto& file = moteur.zonesSouris.entrees;
    // A press dropped here was never handled (a page change empties the
    // queue): its release, still to come, must not click what the new page
    // has under it. The next handled press clears the mark.
    if (std::any_of(file.begin(), file.end(), [](const ZoneSouris& z) { return z.genre == GenreSouris::Enfonce; })) {
        moteur.souris.RelachementSansClic = true;
    }
    file.clear();
}

void GlisserEffacer(Moteur& moteur) {
    auto& s = moteur.souris;
    const EtatSouris avant = s;
    s = EtatSouris{};
    s.SourisX = avant.SourisX;
    s.SourisY = avant.SourisY;
    s.PressionEnCours = avant.PressionEnCours;
    s.PressionPreparation = avant.PressionPreparation;
    s.RelachementSansClic = avant.RelachementSansClic;
}

void MousedownConsultation(Moteur& moteur, int bouton, int maj, std::int32_t x, std::int32_t y) {
    const GardePage garde(moteur);
    moteur.souris.RelachementSansClic = false;
    moteur.souris.PressionEnCours = true;
    moteur.souris.PressionPreparation = moteur.jeu.generationPreparation;
    // An automatic slide show: any press opens the door of its first button.
    if (NomPageCourante(moteur).find(kDiapoAuto) != std::string::npos) {
        for (const EvenementAttente& e : moteur.attente.entrees) {
            if (e.TypeObjet == static_cast<std::int16_t>(TypeObjet::Bouton)) {
                DeclenchePorte(moteur, e.Page, e.Objet);
                break;
            }
        }
        return;
    }

    if (!TextesSousLaSouris(moteur, x, y) && moteur.Edition().EditionVisible()) {
        // A press elsewhere only ends the edit, and its release does nothing either.
        moteur.souris.RelachementSansClic = true;
        moteur.Edition().TexteEditeParUtilisateurFin();
        return;
    }

    const TwipsParPixel tpp = Echelle(moteur);
    auto& liste = moteur.affiches;
    auto& grilles = moteur.Tableaux();
    const int n = liste.Nombre();
    for (int i = 1; i <= n; ++i) {
        if (garde.Quittee(moteur)) return;
        if (!liste.Existe(i)) continue;
        const ObjetAffiche a = liste.Entree(i);
        if (!moteur.scene.ObjetExiste(a.page, a.objet)) continue;
        const ObjetPage& o = moteur.scene.Page(a.page).Objet(a.objet);
        if (!ObjetAffichePointDedans(liste, moteur.scene, i, x, y, tpp)) {
            // A press outside a grid clears its selection.
            if (o.Type() == TypeObjet::Tableau && grilles.ASelection(a.page, a.objet)) {
                grilles.SelectionnerRien(a.page, a.objet);
                grilles.Affiche(a.page, a.objet);
                moteur.Ecran().MajFenetreJeu();
            }
            continue;
        }
        if (o.Type() == TypeObjet::Sprite && (o.G[2] & kGlissable)) GlisserCommencer(moteur, i, x, y);
        switch (o.Type()) {
        case TypeObjet::TexteRtf:
            if (o.nom == kMenuSav) {
                moteur.Plan().MousedownTexteMethode(x, y);
            } else if (o.nom == kTexteMet) {
                moteur.Plan().MousedownTexteGlossaire(x, y);
            }
            break;
        case TypeObjet::Bouton:
            moteur.Ecran().EnfonceEffet(i, 0);
            // Kept here so that the release restores the look whatever
            // the display recorded.
            if (liste.Existe(i) && liste.Entree(i).page == a.page && liste.Entree(i).objet == a.objet) {
                liste.Entree(i).enfonce = -1;
            }
            break;
        case TypeObjet::Tableau: grilles.MouseDownConsultation(a.page, a.objet, bouton, maj, x, y); break;
        default: break;
        }
    }
    if (garde.Quittee(moteur)) return;

    auto& attente = moteur.attente;
    LiensTouches liens;
    for (int i = attente.Nombre(); i >= 1; --i) {
        if (i > attente.Nombre()) continue;
        if (!EvePointDedans(attente, liste, moteur.scene, i, x, y, tpp) || liens.DejaTouche(attente.Entree(i))) continue;
        EvenementAttente& e = attente.Entree(i);
        if (e.EvenementsAttendus & evenement::BoutonTenu) {
            e.EvenementsSurvenus |= evenement::BoutonTenu;
            e.ProchaineRepetition = -1;
        }
        if (e.TypeObjet == kTypeZoneLien) {
            moteur.Ecran().EnfonceEffet(0, i);
            if (i <= attente.Nombre()) attente.Entree(i).Enfonce = -1;
        }
    }
}

void MouseUpConsultation(Moteur& moteur, std::int32_t x, std::int32_t y) {
    const TwipsParPixel tpp = Echelle(moteur);
    auto& liste = moteur.affiches;
    auto& attente = moteur.attente;
    auto& s = moteur.souris;
    moteur.Fenetre().TimerTableauReferenceEfface();
    // A press that took the user to another page (a slide show's door, a
    // held button) has had its effect: its release is no click on the new page.
    const bool pageQuittee = s.PressionEnCours && s.PressionPreparation != moteur.jeu.generationPreparation;
    const bool clic = !s.RelachementSansClic && !pageQuittee;
    s.RelachementSansClic = false;
    s.PressionEnCours = false;

    if (s.GlisserEnCours) {
        // A drop is reported at the dragged object's corner, one pixel in.
        moteur.Fenetre().DefinirCurseur(FormeCurseur::Defaut);
        if (liste.Existe(s.GlisserNAffiche)) {
            const ObjetAffiche& a = liste.Entree(s.GlisserNAffiche);
            x = Entier(std::int64_t{a.gauche} + tpp.x);
            y = Entier(std::int64_t{a.haut} + tpp.y);
        }
        const int k = EvenementNObjetVersNEve(moteur, s.GlisserPage, s.GlisserObjet);
        if (k > 0) Survient(attente.Entree(k), evenement::Glisse);
        GlisserEffacer(moteur);
    }

    const GardePage garde(moteur);
    const int n = liste.Nombre();
    for (int i = 1; i <= n; ++i) {
        if (!liste.Existe(i)) continue;
        ObjetAffiche& a = liste.Entree(i);
        if (a.enfonce == -1) {
            a.enfonce = 0;
            RestaurerZone(moteur, a.gauche, a.haut, a.droite, a.bas, 1, "A84");
        }
        if (!clic || !liste.Existe(i) || !ObjetAffichePointDedans(liste, moteur.scene, i, x, y, tpp)) continue;
        ObjetAffiche& touche = liste.Entree(i);
        touche.clicX = x;
        touche.clicY = y;
        const int page = touche.page, objet = touche.objet;
        if (moteur.scene.ObjetExiste(page, objet) && moteur.scene.Page(page).Objet(objet).Type() == TypeObjet::Tableau) {
            moteur.Tableaux().MouseUpConsultation(page, objet, x, y);
            if (garde.Quittee(moteur)) return;
        }
    }

    LiensTouches liens;
    for (int i = attente.Nombre(); i >= 1; --i) {
        if (i > attente.Nombre()) continue;
        const bool dedans = EvePointDedans(attente, liste, moteur.scene, i, x, y, tpp);
        EvenementAttente& e = attente.Entree(i);
        // Auto-repeat stops with the release; a press the loop has not
        // fired yet (press and release came together) still fires once.
        if ((e.EvenementsSurvenus & evenement::BoutonTenu) && e.ProchaineRepetition == -1) {
            e.ProchaineRepetition = kRepetitionRelachee;
        } else {
            e.ProchaineRepetition = 0;
            e.EvenementsSurvenus &= ~evenement::BoutonTenu;
        }
        if (clic && dedans && !liens.DejaTouche(e)) Survient(e, evenement::Clic);
        if (e.Enfonce != -1) continue;
        e.Enfonce = 0;
        if (e.TypeObjet == kTypeZoneLien) {
            const ZoneTexteLien& z = e.Zone;
            const std::int32_t gauches[] = {z.Gauche1, z.Gauche2, z.Gauche3};
            const std::int32_t droites[] = {z.Droite1, z.Droite2, z.Droite3};
            const std::int32_t hauts[] = {z.Haut1, z.Haut2, z.Haut3};
            const std::int32_t bass[] = {z.Bas1, z.Bas2, z.Bas3};
            const int nb = std::clamp<int>(z.Numero, 0, 3);
            if (nb == 0) continue;
            std::int64_t g = gauches[0], d = droites[0], h = hauts[0], b = bass[0];
            for (int k = 1; k < nb; ++k) {
                g = std::min<std::int64_t>(g, gauches[k]);
                d = std::max<std::int64_t>(d, droites[k]);
                h = std::min<std::int64_t>(h, hauts[k]);
                b = std::max<std::int64_t>(b, bass[k]);
            }
            RestaurerZone(moteur, g, h, d, b, 1, "A85");
        } else {
            RestaurerZone(moteur, e.Gauche, e.Haut, e.Gauche + e.Largeur, e.Haut + e.Hauteur, 1, "A85");
        }
    }
}

}  // namespace korv::engine
