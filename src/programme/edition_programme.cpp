#include "programme/edition_programme.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "display/affichage.h"
#include "display/surface_twips.h"
#include "engine/attente.h"
#include "engine/attente_boucle.h"
#include "engine/jeu.h"
#include "engine/moteur.h"
#include "engine/objets_affiches.h"
#include "engine/recherche.h"
#include "engine/texte_casse.h"
#include "formula/nombres.h"
#include "formula/valeur.h"
#include "grid/magasin_grilles.h"
#include "grid/tableau.h"
#include "grid/valeur_formatee.h"
#include "plan/barre_rtf.h"
#include "plan/boite_riche.h"
#include "plan/etat_plan.h"
#include "plan/methode/etapes_methode.h"
#include "platform/edit_box.h"
#include "programme/recepteur_moteur.h"
#include "programme/texte_illisible.h"
#include "text/fichiers_codes.h"

namespace korv::programme {

namespace {
constexpr char kProprietaire = '\xA4';
constexpr std::int32_t kHauteurMin = 259;
constexpr std::int32_t kBlanc = 0xFFFFFF;
constexpr int kLongueurCase = 32700;
constexpr int kEntree = 13;
constexpr int kTab = 9;
constexpr int kEchap = 27;
constexpr int kHaut = 38;
constexpr int kDroite = 39;
constexpr int kBas = 40;
constexpr int kMajCtrl = 2;
constexpr int kBarreEdition = 1;
constexpr std::string_view kBaliseCr = "<Cr>";

// The box's line breaks are the tagged text's "<Cr>": a raw line break in
// a tagged text is no line at all when the text is drawn.
std::string SautsVersCr(std::string_view texte) {
    std::string r;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (texte[i] == '\r' || texte[i] == '\n') {
            r += kBaliseCr;
            if (texte[i] == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') ++i;
        } else {
            r += texte[i];
        }
    }
    return r;
}
constexpr std::string_view kPagePlanAction = "TABPLANACTION";

// `ModeSaisie` of an object: 0, its edit ends with Enter; otherwise only
// with Ctrl+Enter. The scene keeps it in the object's field A3.
std::int16_t ModeSaisie(const engine::ObjetPage& o) { return o.A3; }

bool EstRiche(const engine::ObjetPage& o) { return o.Type() == engine::TypeObjet::TexteRtf; }
}  // namespace

EditionProgramme::EditionProgramme(engine::Moteur& moteur, grid::MagasinGrilles& grilles,
                                   display::AffichagePage& affichage, plan::EtatPlan& plan, plan::MethodeEtapes& etapes,
                                   platform::BoiteEdition* boite, plan::BoiteTexteRiche* riche,
                                   plan::BarresRTF& barres, std::string police)
    : moteur_(moteur),
      grilles_(grilles),
      affichage_(affichage),
      plan_(plan),
      etapes_(etapes),
      boite_(boite),
      riche_(riche),
      barres_(barres),
      police_(std::move(police)) {
    if (boite_) {
        boite_->SurTouche([this](int code, int maj) {
            bool fini = false;
            Signaler(moteur_, "Ec", [&] { fini = ToucheBoite(code, maj); });
            return fini;
        });
        boite_->SurFocus([this] { Signaler(moteur_, "Ec", [&] { FocusEntree(); }); });
        boite_->SurFocusPerte([this] { Signaler(moteur_, "Ec", [&] { FocusPerte(); }); });
    }
    if (riche_) {
        riche_->SurEvenement([this](plan::EvenementRiche e) {
            if (e != plan::EvenementRiche::SelectionChange) return;
            Signaler(moteur_, "Ec", [&] {
                if (barres_.Etat(kBarreEdition).visible) barres_.MAJMenuRTF(kBarreEdition);
            });
        });
    }
}

EditionProgramme::~EditionProgramme() {
    if (boite_) {
        boite_->SurTouche({});
        boite_->SurFocus({});
        boite_->SurFocusPerte({});
    }
    if (riche_) riche_->SurEvenement({});
}

void EditionProgramme::FocusEntree() {
    frappeVersEdition_ = false;
    if (barres_.Etat(kBarreEdition).visible) barres_.MAJMenuRTF(kBarreEdition);
}

// Leaving the box counts as a change of the plan, typed or not.
void EditionProgramme::FocusPerte() { plan_.PlanAffaireModifieFixer(true); }

bool EditionProgramme::ToucheBoite(int code, int maj) {
    if (page_ < 1 || objet_ < 1 || !moteur_.scene.ObjetExiste(page_, objet_)) return false;
    const engine::ObjetPage& o = moteur_.scene.Page(page_).Objet(objet_);
    const bool ctrl = (maj & kMajCtrl) != 0;
    if (colonne_ > 0 && (code == kHaut || code == kBas)) {
        // Up and Down leave a cell's box: the edit is taken, as Enter does,
        // then the selection moves from the edited cell.
        Fin(true, 0);
        engine::TableauxAppuieTouche(moteur_, code, maj, false);
        return true;
    }
    // Escape is the window's (its quit question), which takes the edit first.
    if (code == kEchap) return false;
    if (ModeSaisie(o) != 0) {
        if (code != kEntree || !ctrl) return false;
        Fin(true, 0);
        return true;
    }
    if (o.nom == "SWOT") {
        if (code != kEntree || !ctrl) return false;
        Fin(true, kEntree);
        return true;
    }
    if (code == kEntree && !ctrl) {
        Fin(true, kEntree);
        return true;
    }
    if (code == kTab) {
        Fin(true, kTab);
        return true;
    }
    return false;
}

void EditionProgramme::Rectangle(const engine::ObjetPage& o, std::int32_t& g, std::int32_t& h, std::int32_t& l,
                                 std::int32_t& t) {
    const std::int32_t tx = affichage_.PageTampon.TwipsParPixelX();
    const std::int32_t ty = affichage_.PageTampon.TwipsParPixelY();
    const std::int32_t sx = affichage_.DecalageAffichageX * tx, sy = affichage_.DecalageAffichageY * ty;
    if (EstRiche(o)) {
        g = o.gauche - sx, h = o.haut - sy, l = o.largeur, t = o.hauteur;
        return;
    }
    g = o.gauche + o.A1 + 2 * tx - sx;
    h = o.haut + o.A2 + 4 * ty - sy;
    l = o.largeur - 2 * o.A1 - 4 * tx;
    t = o.hauteur - 2 * o.A2 - 8 * ty;
}

bool EditionProgramme::EditionVisible() { return boite_ && boite_->Visible(); }

void EditionProgramme::TexteEditeParUtilisateurCommence(int page, int objet, std::string_view texte) {
    Fin(false, 0);
    if (!boite_ || page < 1 || objet < 1 || !moteur_.scene.ObjetExiste(page, objet)) return;
    const engine::ObjetPage& o = moteur_.scene.Page(page).Objet(objet);
    if (o.Type() != engine::TypeObjet::Texte && !EstRiche(o)) return;
    const Pixels r = RectangleObjet(o);
    const int x = r.gauche, y = r.haut, largeur = r.largeur, hauteur = r.hauteur;
    prefixe_.clear();
    if (EstRiche(o) && riche_) {
        boite_->Ouvrir(x, y, largeur, hauteur, "", police_, 11, false);
        boite_->LongueurMaxFixer(0);
        boite_->FondFixer(o.C1 == 2 ? o.D1 : kBlanc);
        refus_ = TexteRicheCharger(*riche_, texte);
        if (refus_) TexteIllisibleDire(moteur_.Services().messages);
        riche_->SelectionFixer(riche_->Longueur(), 0);
        barres_.PolicesListesRemplir();
        barres_.Enregistrer(kBarreEdition, riche_);
        barres_.Visible(kBarreEdition, true);
    } else {
        // Only the text after the last tag is the user's to edit.
        std::string_view visible = texte;
        if (const auto p = texte.rfind('>'); p != std::string_view::npos) {
            prefixe_ = std::string(texte.substr(0, p + 1));
            visible = texte.substr(p + 1);
        }
        boite_->Ouvrir(x, y, largeur, hauteur, visible, police_, 11, false);
        boite_->LongueurMaxFixer(o.I2);
        boite_->FondFixer(kBlanc);
    }
    page_ = page, objet_ = objet, colonne_ = 0, ligne_ = 0;
    frappeVersEdition_ = true;
}

void EditionProgramme::CaseEditer(grid::TableauClasse& g, int c, int r) {
    Fin(false, 0);
    if (!boite_) return;
    const int page = moteur_.jeu.PageCourante;
    const int objet = g.Objet();
    if (page < 1 || objet < 1 || g.Page() != page) return;
    // The grid decides which cell takes the edit and its starting text: a
    // locked or hidden cell takes none, whichever key or press asked.
    const auto edition = g.CaseEditer(c, r);
    if (!edition) return;
    c = edition->colonne;
    r = edition->ligne;
    std::string texte = edition->texte;
    // A number or percentage that is not whole is offered with its
    // thousands grouped and at most four decimals ("1 234,5", "1,2346").
    const auto type = g.Attribut(c, r).TypeAffichage;
    if (type == 1 || type == 2) {
        if (const auto n = formula::LitNombre(texte); n && *n != std::floor(*n)) {
            texte = grid::FormatDecimalesAuPlus(*n, 4);
        }
    }
    const Pixels x = RectangleCase(g, c, r);
    boite_->Ouvrir(x.gauche, x.haut, x.largeur, x.hauteur, texte, police_, 11, true);
    boite_->LongueurMaxFixer(kLongueurCase);
    boite_->FondFixer(kBlanc);
    page_ = page, objet_ = objet, colonne_ = c, ligne_ = r;
    frappeVersEdition_ = true;
}

EditionProgramme::Pixels EditionProgramme::RectangleCase(const grid::TableauClasse& g, int c, int r) const {
    const std::int32_t tx = affichage_.PageTampon.TwipsParPixelX();
    const std::int32_t ty = affichage_.PageTampon.TwipsParPixelY();
    const std::int32_t sx = affichage_.DecalageAffichageX * tx, sy = affichage_.DecalageAffichageY * ty;
    const std::int32_t L = g.RectangleGauche(), T = g.RectangleHaut();
    const std::int32_t gauche = std::max(L + g.ColonneGauche(c) + 2 * tx - sx, L + 2 * tx - sx);
    std::int32_t largeur = g.ColonneDroite(c) - g.ColonneGauche(c) - 3 * tx;
    const std::int32_t haut = T + g.LigneHaut(r) + 2 * ty - sy;
    const std::int32_t hauteur = std::max(g.LigneBas(r) - g.LigneHaut(r) - 3 * ty, kHauteurMin);
    // On the action-plan page a box over the first cell of a merged run
    // spans the run, cut at the grid's right edge.
    const int page = g.Page();
    if (moteur_.jeu.ModeProgramme == engine::kModeJeu && page >= 1 &&
        engine::NumeroDePage(moteur_.scene, kPagePlanAction) == page) {
        if (const int derniere = g.FusionDerniereColonne(c, r); derniere != 0) {
            largeur = L + g.ColonneDroite(derniere) - sx - gauche;
            const std::int32_t bord = g.RectangleDroite() - sx;
            if (gauche + largeur > bord) largeur = bord - gauche;
        }
    }
    return {display::PixelsDepuisTwips(gauche, tx), display::PixelsDepuisTwips(haut, ty),
            display::PixelsDepuisTwips(largeur, tx), display::PixelsDepuisTwips(hauteur, ty)};
}

EditionProgramme::Pixels EditionProgramme::RectangleObjet(const engine::ObjetPage& o) {
    std::int32_t g = 0, h = 0, l = 0, t = 0;
    Rectangle(o, g, h, l, t);
    const std::int32_t tx = affichage_.PageTampon.TwipsParPixelX();
    const std::int32_t ty = affichage_.PageTampon.TwipsParPixelY();
    return {display::PixelsDepuisTwips(g, tx), display::PixelsDepuisTwips(h, ty), display::PixelsDepuisTwips(l, tx),
            std::max(display::PixelsDepuisTwips(t, ty), 1)};
}

void EditionProgramme::TexteEditeParUtilisateurDecaleAscenseurs() {
    if (!EditionVisible() || page_ < 1 || objet_ < 1) return;
    Pixels x{};
    if (colonne_ > 0) {
        const grid::TableauClasse* g = grilles_.Cherche(page_, objet_);
        if (!g) return;
        x = RectangleCase(*g, colonne_, ligne_);
    } else if (moteur_.scene.ObjetExiste(page_, objet_)) {
        x = RectangleObjet(moteur_.scene.Page(page_).Objet(objet_));
    } else {
        return;
    }
    boite_->Placer(x.gauche, x.haut, x.largeur, x.hauteur);
}

bool EditionProgramme::AFocus() const { return boite_ && boite_->AFocus(); }

bool EditionProgramme::CopierDansBoite() {
    if (!boite_ || !boite_->AFocus()) return false;
    boite_->Copier();
    return true;
}

bool EditionProgramme::CollerDansBoite() {
    if (!boite_ || !boite_->AFocus()) return false;
    boite_->Coller();
    return true;
}

bool EditionProgramme::CaseEditeeDans(const grid::TableauClasse& g) {
    return EditionVisible() && colonne_ > 0 && g.Page() == page_ && g.Objet() == objet_;
}

void EditionProgramme::CaractereFenetre(int k) {
    if (!frappeVersEdition_ || !EditionVisible()) return;
    if (k >= 32) FrappeRemplacement(k);
}

void EditionProgramme::FrappeRemplacement(int k) {
    if (!frappeVersEdition_ || !boite_) return;
    if (riche_ && barres_.Boite(kBarreEdition) == riche_) {
        // The same on a rich text, keeping the formatting of what stays.
        if (riche_->SelectionLongueur() > 0) riche_->SelectionTexteFixer("");
        riche_->SelectionFixer(riche_->Longueur(), 0);
        riche_->SelectionTexteFixer(std::string(1, static_cast<char>(k)));
        riche_->SelectionFixer(riche_->Longueur(), 0);
        return;
    }
    std::string texte = boite_->Texte();
    const auto taille = static_cast<int>(texte.size());
    const int debut = std::clamp(boite_->SelectionDebut(), 0, taille);
    const int longueur = std::clamp(boite_->SelectionLongueur(), 0, taille - debut);
    if (longueur > 0) texte.erase(static_cast<std::size_t>(debut), static_cast<std::size_t>(longueur));
    texte.push_back(static_cast<char>(k));
    boite_->TexteFixer(texte);
    boite_->SelectionFixer(static_cast<int>(texte.size()), 0);
}

void EditionProgramme::Fin(bool validation, int touche) {
    frappeVersEdition_ = false;
    const bool riche = barres_.Boite(kBarreEdition) != nullptr;
    barres_.Visible(kBarreEdition, false);
    barres_.Enregistrer(kBarreEdition, nullptr);
    if (!boite_ || !boite_->Visible()) return;
    const int page = page_, objet = objet_, c = colonne_, r = ligne_;
    std::string texte = riche && riche_ ? riche_->TexteRtf() : boite_->Texte();
    const std::string prefixe = std::move(prefixe_);
    prefixe_.clear();
    // A rich text the box could not show, left as the box showed it.
    const bool illisible = riche && refus_ && texte == *refus_;
    refus_.reset();
    // The box goes whatever the commit does, so that a failed or stopped
    // commit never leaves a box nobody can close.
    boite_->Fermer();
    page_ = objet_ = colonne_ = ligne_ = 0;
    if (c < 1 && page > 0 && objet > 0 && moteur_.scene.ObjetExiste(page, objet)) {
        if (illisible) return;
        // A tagged text goes back without the layout its last drawing left
        // in it, so that what was typed is laid out (wrapped, its lines
        // broken) when it is drawn again.
        TexteRendre(page, objet, riche ? texte : text::TextePrepareAffichageEnleve(prefixe + SautsVersCr(texte)),
                    validation);
        return;
    }
    grid::TableauClasse* g = grilles_.Cherche(page, objet);
    if (!g || c < 1 || r < 1 || moteur_.jeu.ModeProgramme != engine::kModeJeu) return;
    // A text running over its neighbours keeps its sign: the cell's value
    // tells, whether it is typed or computed.
    const formula::Valeur actuelle = g->CaseValeurInternePendantCalcul(static_cast<std::uint8_t>(c),
                                                                        static_cast<std::uint8_t>(r));
    if (actuelle.estChaine() && actuelle.chaine().starts_with(kProprietaire)) {
        texte = kProprietaire + engine::Trim(texte);
    }
    plan_.PlanAffaireModifieFixer(true);
    if (!grilles_.FinEditionCase(page, objet, c, r, texte)) return;
    // The selection moves on from the cell, as the arrow keys move it:
    // right after Tab, down after Enter.
    if (touche == kTab || touche == kEntree) {
        if (grid::TableauClasse* h = grilles_.Cherche(page, objet)) {
            grilles_.AppuieToucheGrille(*h, touche == kTab ? kDroite : kBas, 0);
        }
    }
    grilles_.RecalculerPage(page);
    grilles_.RedessinerPage(page);
    affichage_.MajFenetreJeu();
    if (validation) EditionFinieSignaler(page, objet);
}

void EditionProgramme::TexteRendre(int page, int objet, std::string texte, bool validation) {
    engine::ObjetPage& o = moteur_.scene.Page(page).Objet(objet);
    // A step title edited on its page goes to the step table.
    if (EstRiche(o) && o.nom.rfind("TITREMETAUTO", 0) == 0) etapes_.EtapeTitreFixer(o.nom, texte);
    if (o.texte != texte) plan_.PlanAffaireModifieFixer(true);
    o.texte = std::move(texte);
    if (moteur_.jeu.ModeProgramme == engine::kModeJeu) {
        // The object shows what was typed at once.
        if (const int i = engine::ObjetAfficheNObjetVersNAffiche(moteur_.affiches, page, objet); i > 0) {
            moteur_.Ecran().MajZoneObjetJeu(i, 0);
        }
    }
    affichage_.MajFenetreJeu();
    if (validation) EditionFinieSignaler(page, objet);
}

void EditionProgramme::EditionFinieSignaler(int page, int objet) {
    bool arrive = false;
    for (engine::EvenementAttente& e : moteur_.attente.entrees) {
        if (e.Page != page || e.Objet != objet || !(e.EvenementsAttendus & engine::evenement::EditionFinie)) continue;
        e.EvenementsSurvenus |= engine::evenement::EditionFinie;
        arrive = true;
    }
    if (arrive) engine::AttenteReveiller(moteur_);
}

}  // namespace korv::programme

