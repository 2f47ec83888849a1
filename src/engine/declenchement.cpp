#include "engine/declenchement.h"

#include <cmath>
#include <functional>
#include <string_view>
#include <vector>

#include "engine/actions.h"
#include "engine/attente_boucle.h"
#include "engine/declencheur_sprite.h"
#include "engine/declencheurs_objets.h"
#include "engine/declencheurs_texte_chrono.h"
#include "engine/erreur.h"
#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "engine/texte_casse.h"
#include "engine/texte_langue.h"
#include "formula/nombres.h"

namespace korv::engine {

namespace {

constexpr std::string_view kTextePageNumero = ".TextePageNum\xE9ro";  // cp1252 "é"
constexpr std::string_view kPasseValeur = ".PasseValeur";
constexpr std::string_view kPositionHorizontale = ".PositionHorizontaleDansObjetPourcent";
constexpr std::string_view kPositionVerticale = ".PositionVerticaleDansObjetPourcent";
constexpr std::string_view kPositionSurChemin = ".PositionSurChemin";

constexpr std::int32_t kBitsNiveaux = evenement::BoutonTenu | evenement::SourisDessus | evenement::ChronoCompteFini;
constexpr std::int32_t kNombreDeclenchementsMax = 2147000;
constexpr std::int16_t kChronoRepetitif = 1;

// What tells an entry from the one that may take its index when the list
// changes under a firing (a removal moves the last entry into the gap, a
// page change empties the list and fills it again).
struct IdentiteEntree {
    std::int16_t page = 0;
    std::int16_t objet = 0;
    std::int16_t type = 0;
    std::int16_t marque = 0;
    std::string lien;
    static IdentiteEntree De(const EvenementAttente& e) { return {e.Page, e.Objet, e.TypeObjet, e.MarqueElements, e.TexteLien}; }
    bool operator==(const IdentiteEntree&) const = default;
};

// A sprite's position within the object it moves in, in percent.
std::string PositionPourcent(Moteur& moteur, int page, int source, bool horizontale) {
    auto& voisins = moteur.Declenchement().Voisins();
    const int s = voisins.SpriteNObjetVersNSprite(page, source);
    if (s < 1) return "0%";
    const SpriteVue sprite = voisins.Sprite(s);
    const int courante = moteur.jeu.PageCourante;
    if (sprite.objetChemin < 1 || !moteur.scene.ObjetExiste(courante, sprite.objetChemin)) return "0%";
    const ObjetPage& chemin = moteur.scene.Page(courante).Objet(sprite.objetChemin);
    const TwipsParPixel tpp = moteur.Declenchement().Configuration().twipsParPixel;
    const double echelle = horizontale ? tpp.x : tpp.y;
    if (echelle <= 0) return "0%";
    const double debut = (horizontale ? chemin.gauche : chemin.haut) / echelle;
    const double etendue = (horizontale ? chemin.largeur : chemin.hauteur) / echelle - (horizontale ? sprite.largeur : sprite.hauteur);
    // A sprite as wide as its path cannot move in it: it stands at 0 %.
    if (etendue == 0) return "0%";
    const double position = horizontale ? sprite.x : sprite.y;
    return formula::FormatNombre((position - debut) / etendue * 100.0) + "%";
}

std::string PositionSurChemin(Moteur& moteur, int page, int source) {
    auto& voisins = moteur.Declenchement().Voisins();
    const int s = voisins.SpriteNObjetVersNSprite(page, source);
    if (s < 1) return "0";
    const SpriteVue sprite = voisins.Sprite(s);
    if (sprite.longueurChemin < 1) return "0";
    return formula::FormatNombre(
        std::floor(sprite.positionSurChemin * sprite.longueurRelative / static_cast<double>(sprite.longueurChemin)));
}

}  // namespace

std::string ValeurElement(Moteur& moteur, int page, int source, int element) {
    if (element < 1 || !moteur.scene.ObjetExiste(page, source)) return {};
    const auto& elements = moteur.scene.Page(page).Objet(source).elements;
    if (static_cast<std::size_t>(element) > elements.size()) return {};
    const std::string& valeur = elements[static_cast<std::size_t>(element - 1)].Valeur;
    if (valeur == kTextePageNumero) {
        const int k = ObjetAfficheNObjetVersNAffiche(moteur.affiches, page, source);
        return k > 0 ? formula::FormatNombre(moteur.affiches.Entree(k).morceauTexte) : valeur;
    }
    if (valeur == kPasseValeur) {
        const std::string passe = moteur.Declenchement().Voisins().PasseValeur();
        const std::string t = Trim(passe);
        if (t.size() >= 2 && t.front() == '\'' && t.back() == '\'') return t.substr(1, t.size() - 2);
        return passe;
    }
    if (valeur == kPositionHorizontale) return PositionPourcent(moteur, page, source, true);
    if (valeur == kPositionVerticale) return PositionPourcent(moteur, page, source, false);
    if (valeur == kPositionSurChemin) return PositionSurChemin(moteur, page, source);
    return valeur;
}

void DeclencheurMoteur::DeclencheObjet(int page, int objet, int element, int action, int mode, int source) {
    Moteur& m = moteur_;
    if (!m.scene.ObjetExiste(page, objet)) {
        ErreurJournaliser(m, "DeclencheObjet", kErreurProgramme,
                          "objet " + std::to_string(page) + "." + std::to_string(objet) + " inexistant");
        return;
    }
    std::string valeur = ValeurElement(m, page, source, element);
    auto& voisins = Voisins();
    switch (m.scene.Page(page).Objet(objet).Type()) {
    case TypeObjet::Fond: DeclencheDivers(m, page, objet, mode, source, -1); break;
    case TypeObjet::Image: DeclencheImage(m, page, objet, valeur, action, mode, source); break;
    case TypeObjet::Bouton: DeclencheBouton(m, page, objet, action, mode, source); break;
    case TypeObjet::Texte: DeclencheTexte(m, page, objet, valeur, action, mode, source); break;
    case TypeObjet::Video: DeclencheVideo(m, page, objet, action, mode, source); break;
    case TypeObjet::Son: ObjetRienAFaire(m, page, objet, action, source); break;
    case TypeObjet::Chrono: DeclencheChrono(m, page, objet, valeur, action, source); break;
    case TypeObjet::Polyligne: DeclenchePolyligne(m, page, objet, action, mode, source); break;
    case TypeObjet::Action: DeclencheAction(m, page, objet); break;
    case TypeObjet::Sprite:
        voisins.DeclencheSprite(m, page, objet, valeur, action, mode, source, SpriteObjetAutre(action, source));
        break;
    case TypeObjet::Tableau: voisins.DeclencheTableau(m, page, objet, valeur, action, mode, source); break;
    case TypeObjet::TexteRtf: voisins.DeclencheTexteRTF(m, page, objet, valeur, action, mode, source); break;
    case TypeObjet::Graphique: voisins.DeclencheGraphique(m, page, objet, valeur, action, mode, source); break;
    default: break;
    }
}

void DeclencheurMoteur::EvenementDeclenche(int n) {
    Moteur& m = moteur_;
    auto& liste = m.attente;
    if (n < 1 || n > liste.Nombre()) return;
    const IdentiteEntree identite = IdentiteEntree::De(liste.Entree(n));
    if (!m.scene.ObjetExiste(identite.page, identite.objet)) {
        liste.Entree(n).Etat = -1;
        return;
    }
    const std::int16_t pageDepart = m.jeu.PageCourante;
    const std::uint64_t preparation = m.jeu.generationPreparation;
    // The entry may go (or another take its index) while its targets run.
    const auto presente = [&] { return n <= liste.Nombre() && IdentiteEntree::De(liste.Entree(n)) == identite; };
    // A jump, even to this same page, prepares a new page: this firing is over.
    const auto pageQuittee = [&] {
        return m.jeu.PageCourante != pageDepart || m.jeu.generationPreparation != preparation || m.fin.demandee;
    };
    const std::int32_t survenus = liste.Entree(n).EvenementsSurvenus;
    try {
        if (!ExecuterElements(n, survenus, presente, pageQuittee)) return;
    } catch (...) {
        // A target that failed still uses the events up: left due, the
        // entry would fail again at every examination.
        if (presente() && !pageQuittee()) Consommer(n, survenus);
        throw;
    }
    if (presente()) Consommer(n, survenus);
}

bool DeclencheurMoteur::ExecuterElements(int n, std::int32_t survenus, const std::function<bool()>& presente,
                                         const std::function<bool()>& pageQuittee) {
    Moteur& m = moteur_;
    auto& liste = m.attente;
    const int page = liste.Entree(n).Page;
    const int objet = liste.Entree(n).Objet;
    // Copies: a target may change the tables or the entry.
    const std::vector<ObjetPageElement> elements = m.scene.Page(page).Objet(objet).elements;
    int concernes = 0;
    for (const auto& el : elements) {
        if (el.Evenements & survenus) ++concernes;
    }
    const int mode = concernes > 1 ? 2 : 1;

    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (!presente()) return false;
        const auto& el = elements[i];
        const EvenementAttente& e = liste.Entree(n);
        // The events this firing was due for; those that come while it
        // runs (a hide event raised by its own targets) get a firing of
        // their own at the next examination, so no element runs twice.
        if (!(el.Evenements & survenus)) continue;
        const std::string texteElement = TexteTraduction(el.Texte, m.jeu.LangueCourante, m.scene.entete.langueNb);
        if (e.TypeObjet == kTypeZoneLien && texteElement != e.TexteLien) continue;
        // On a text object, elements that carry a link text belong to that
        // link's own zone entry, not to the whole object.
        if (e.TypeObjet == static_cast<std::int16_t>(TypeObjet::Texte) && !texteElement.empty()) continue;
        if (el.PageCible != page) {
            if (m.scene.PageExiste(el.PageCible)) {
                SauteALaPage(m, el.PageCible);
                return false;
            }
            // A scene fault: the firing goes on without this element.
            ErreurJournaliser(m, "EvenementDeclenche", kErreurProgramme,
                              "saut vers la page " + std::to_string(el.PageCible) + " inexistante");
            continue;
        }
        if (!m.scene.ObjetExiste(page, el.ObjetCible)) {
            ErreurJournaliser(m, "EvenementDeclenche", kErreurProgramme,
                              "objet " + std::to_string(page) + "." + std::to_string(el.ObjetCible) + " inexistant");
            continue;
        }
        m.Declenche().DeclencheObjet(page, el.ObjetCible, static_cast<int>(i + 1), el.Parametre, mode, objet);
        if (pageQuittee()) return false;
    }
    if (!presente()) return false;
    if (concernes > 1) {
        m.Ecran().Effet(etat_.EffetCourant, 0, 0, m.scene.entete.pageLargeur, m.scene.entete.pageHauteur);
    }
    return true;
}

void DeclencheurMoteur::Consommer(int n, std::int32_t s) {
    Moteur& m = moteur_;
    // From the events the firing ran on; those that came while it ran stay
    // for the next examination.
    EvenementAttente& e = m.attente.Entree(n);
    const std::int32_t arrives = e.EvenementsSurvenus & ~s;
    std::int32_t consommes = s & (evenement::SurPage | evenement::Action16 | evenement::Action32 |
                                  evenement::Action64 | evenement::FinMedia | evenement::ChronoCompteFini);
    if (s & evenement::ObjetCache) {
        consommes |= evenement::ObjetCache;
        e.Etat = -1;
    }
    bool dernierDeclenchement = false;
    if (s & evenement::ChronoEchu) {
        const ObjetPage& chrono = m.scene.Page(e.Page).Objet(e.Objet);
        if (e.TypeObjet == static_cast<std::int16_t>(TypeObjet::Chrono) && chrono.A1 == kChronoRepetitif && e.Gauche != -1) {
            // After k firings the next interval is element k + 1 of the
            // list (ChronoPlage gives element `compte` - 1): each period
            // of the text in turn, then from the start again.
            if (chrono.A2 <= 0) {
                if (e.NombreDeclenchements < kNombreDeclenchementsMax) ++e.NombreDeclenchements;
                e.Gauche += ChronoPlage(m, n, e.NombreDeclenchements + 2);
            } else {
                ++e.NombreDeclenchements;
                if (e.NombreDeclenchements < chrono.A2) {
                    e.Gauche += ChronoPlage(m, n, e.NombreDeclenchements + 2);
                } else {
                    consommes |= evenement::ChronoEchu;
                    dernierDeclenchement = true;
                }
            }
        } else {
            consommes |= evenement::ChronoEchu;
        }
    }
    // A timer whose due time is consumed has finished: the poll would
    // otherwise find it due again at every examination and run its
    // elements without end while it waits for anything else.
    if ((consommes & evenement::ChronoEchu) && e.TypeObjet == static_cast<std::int16_t>(TypeObjet::Chrono)) e.Haut = -1;
    std::int32_t reste = (e.EvenementsSurvenus & kBitsNiveaux) | arrives;
    if (e.ProchaineRepetition == kRepetitionRelachee && (s & evenement::BoutonTenu)) {
        // Its one firing after an early release is done.
        reste &= ~evenement::BoutonTenu;
        e.ProchaineRepetition = 0;
    }
    if (!(consommes & evenement::ChronoEchu)) reste &= ~evenement::ChronoCompteFini;
    if (dernierDeclenchement) reste |= evenement::ChronoCompteFini;
    e.EvenementsSurvenus = reste;
    e.EvenementsAttendus &= ~consommes;
    EvenementEnleverSiPlusDeConditionAttendues(m, n);
}


}  // namespace korv::engine
