// Recalculation: the lists of dependants, their invalidation, the value of
// a cell computed on demand, the pass over a grid and the formulas a user
// types into a non-text cell.

#include <algorithm>

#include "formula/expression.h"
#include "formula/nombres.h"
#include "formula/services.h"
#include "formula/valeur.h"
#include "grid/service_absent.h"
#include "grid/tableau.h"

namespace korv::grid {

namespace {

using formula::Valeur;

bool EstFormule(const std::string& texte) { return !texte.empty() && texte.front() == '='; }

class Profondeur {
public:
    explicit Profondeur(EtatCalcul& e) : e_(e) { ++e_.profondeur; }
    ~Profondeur() { --e_.profondeur; }
    Profondeur(const Profondeur&) = delete;
    Profondeur& operator=(const Profondeur&) = delete;

private:
    EtatCalcul& e_;
};

}  // namespace

TableauClasse* TableauClasse::GrilleDe(std::int16_t page, std::int16_t objet) {
    if (page == page_ && objet == objet_) return this;
    return env_ ? env_->Grille(page, objet) : nullptr;
}

ContexteCalcul& TableauClasse::Contexte() {
    if (!calcul_) ServiceAbsent("calcul des formules (aucun service de formules)");
    return *calcul_;
}

void TableauClasse::ResetMarquesToutes() { ++etat_->generation; }

// ------------------------------------------------------------- dependants

void TableauClasse::ReferenceDeAjoute(std::uint8_t colonne, std::uint8_t ligne, std::int16_t pageProprietaire,
                                      std::int16_t objetProprietaire, std::uint8_t colonneProprietaire,
                                      std::uint8_t ligneProprietaire) {
    if (!DansGrille(colonne, ligne)) return;
    CaseInterne(colonne, ligne)
        .ReferencesDe.push_back({pageProprietaire, objetProprietaire, colonneProprietaire, ligneProprietaire});
}

void TableauClasse::ReferenceDeSupprimerToutes() {
    for (int c = 1; c <= colonneNb_; ++c) {
        for (int r = 1; r <= ligneNb_; ++r) {
            auto& refs = CaseInterne(c, r).ReferencesDe;
            refs.clear();
            refs.shrink_to_fit();
        }
    }
}

void TableauClasse::ReferenceDeCreer(std::int16_t page, std::int16_t objet, formula::ServicesScene& scene) {
    for (int c = 1; c <= colonneNb_; ++c) {
        for (int r = 1; r <= ligneNb_; ++r) {
            const auto* f = CaseInterne(c, r).Formule.get();
            if (f && f->NombreDeReferenceVers() > 0) {
                f->AjouteReferenceDe(page, objet, static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r), scene);
            }
        }
    }
}

void TableauClasse::ReferenceVersCreerToutes() {
    for (int c = 1; c <= colonneNb_; ++c) {
        for (int r = 1; r <= ligneNb_; ++r) {
            if (auto* f = CaseInterne(c, r).Formule.get()) f->ReferenceVersCree();
        }
    }
}

void TableauClasse::ExpressionRecoderToutes() {
    for (int r = 1; r <= ligneNb_; ++r) {
        for (int c = 1; c <= colonneNb_; ++c) {
            CaseTableau& x = CaseInterne(c, r);
            // A block-loaded formula has no source to compile again.
            if (x.Texte == "=#") continue;
            x.Formule.reset();
            if (!EstFormule(x.Texte)) continue;
            auto f = std::make_unique<formula::ExpressionClasse>();
            (void)f->Code(x.Texte.substr(1), Contexte().Formules());
            f->ReferenceVersCree();
            CaseInterne(c, r).Formule = std::move(f);
        }
    }
}

formula::ExpressionClasse* TableauClasse::Expression(int c, int r) {
    return DansGrille(c, r) ? CaseInterne(c, r).Formule.get() : nullptr;
}

// ------------------------------------------------------------------ marks

bool TableauClasse::ParcouruRecalcul(int c, int r) const {
    if (!DansGrille(c, r)) return false;
    return parcourus_[static_cast<std::size_t>((c - 1) * ligneNb_ + (r - 1))] == etat_->generation;
}

void TableauClasse::ParcouruRecalculChange(int c, int r, bool v) {
    if (DansGrille(c, r)) Marque(c, r) = v ? etat_->generation : 0;
}

void TableauClasse::ParcouruRecalculTableauReinit() {
    parcourus_.assign(static_cast<std::size_t>(colonneNb_) * static_cast<std::size_t>(ligneNb_), 0);
}

// Depth first through the dependants, with an explicit stack: a chain of
// dependants may run through every cell of many grids. Each cell is walked
// once until the marks are reset; every direct dependant not entered over
// its formula is set to be computed.
void TableauClasse::RecalculInvaliderRecursivement(int c, int r, bool forcer) {
    struct Etape {
        TableauClasse* grille;
        int c;
        int r;
        bool forcer;
    };
    // A cell already walked (the usual case for a cell whose new value
    // comes from an edit just walked) costs nothing more.
    if (!DansGrille(c, r) || Marque(c, r) == etat_->generation) return;
    std::vector<Etape> pile{{this, c, r, forcer}};
    while (!pile.empty()) {
        const Etape e = pile.back();
        pile.pop_back();
        TableauClasse& g = *e.grille;
        if (!g.DansGrille(e.c, e.r)) continue;
        auto& marque = g.Marque(e.c, e.r);
        if (marque == g.etat_->generation) continue;
        marque = g.etat_->generation;
        const CaseTableau& x = g.CaseInterne(e.c, e.r);
        if (x.ResultatType == resultat::kEntreeSurFormule && !e.forcer) continue;
        // Pushed in reverse so that the first dependant is walked first.
        for (auto it = x.ReferencesDe.rbegin(); it != x.ReferencesDe.rend(); ++it) {
            TableauClasse* d = g.GrilleDe(it->page, it->objet);
            if (!d || !d->DansGrille(it->colonne, it->ligne)) continue;
            auto& type = d->CaseInterne(it->colonne, it->ligne).ResultatType;
            if (type != resultat::kEntreeSurFormule) {
                type = resultat::kACalculer;
                d->LigneACalculer(it->ligne);
            }
            pile.push_back({d, it->colonne, it->ligne, false});
        }
    }
}

void TableauClasse::RecalculInvalider() {
    for (int c = 1; c <= colonneNb_; ++c) {
        for (int r = 1; r <= ligneNb_; ++r) {
            CaseTableau& x = CaseInterne(c, r);
            if (EstFormule(x.Texte) && x.ResultatType != resultat::kEntreeSurFormule) {
                x.ResultatType = resultat::kACalculer;
            }
        }
    }
    ToutesLignesACalculer();
}

void TableauClasse::RecalculInvaliderCalculIndependants() {
    for (int c = 1; c <= colonneNb_; ++c) {
        for (int r = 1; r <= ligneNb_; ++r) {
            CaseTableau& x = CaseInterne(c, r);
            if (!EstFormule(x.Texte) || x.ResultatType == resultat::kEntreeSurFormule) continue;
            if (x.Formule && x.Formule->NombreDeReferenceVers() > 0) continue;
            x.ResultatType = resultat::kACalculer;
            LigneACalculer(r);
        }
    }
}

std::int32_t TableauClasse::NbFormules() const {
    std::int32_t n = 0;
    for (int c = 1; c <= colonneNb_; ++c) {
        for (int r = 1; r <= ligneNb_; ++r) n += EstFormule(CaseInterne(c, r).Texte) ? 1 : 0;
    }
    return n;
}

// ------------------------------------------------------------------ values

formula::Valeur TableauClasse::CaseValeurInternePendantCalcul(std::uint8_t colonne, std::uint8_t ligne) {
    if (!DansGrille(colonne, ligne)) return Valeur::Erreur(0);
    const std::string* s = nullptr;
    switch (CaseInterne(colonne, ligne).ResultatType) {
    case resultat::kEntree: s = &CaseInterne(colonne, ligne).Texte; break;
    case resultat::kEntreeSurFormule:
    case resultat::kCalcule: s = &CaseInterne(colonne, ligne).Valeur; break;
    case resultat::kACalculer:
        if (!(etat_->profondeur == 0 ? CalculeSansDebordement(colonne, ligne) : Calcule(colonne, ligne))) {
            return Valeur::Erreur(1);
        }
        // A script run by the computation may have reshaped the grid.
        if (!DansGrille(colonne, ligne)) return Valeur::Chaine({});
        s = &CaseInterne(colonne, ligne).Valeur;
        break;
    // Error values pass unchanged, whatever the display type: a cell being
    // computed must read as such to the pass that meets it.
    case resultat::kEnCalcul: return Valeur::Erreur(1);
    case resultat::kErreur: return Valeur::Erreur(0);
    default: return Valeur();
    }
    const auto& a = CaseInterne(colonne, ligne).Attribut();
    if ((a.Invalidation & invalidation::kEtat) == 2) return Valeur::Double(0);
    switch (a.TypeAffichage) {
    case 1:
    case 2:
    case 3: {
        const auto n = formula::LitNombre(*s);
        return n ? Valeur::Double(*n) : Valeur::Erreur(2);
    }
    default: return Valeur::Chaine(*s);
    }
}

// One computation of a cell to be computed; false when it gave no value
// (the being-computed error). Beyond the depth limit the cell is left to be
// computed and the one met first is noted, so that the outermost
// computation takes the chain again from there.
bool TableauClasse::Calcule(int c, int r) {
    EtatCalcul& e = *etat_;
    if (e.profondeur >= kProfondeurCalculMax) {
        if (!e.sansReprise && e.refusee.grille == nullptr) e.refusee = {this, c, r};
        return false;
    }
    CaseInterne(c, r).ResultatType = resultat::kEnCalcul;
    std::string nouvelle;
    try {
        Profondeur p(e);
        if (auto* f = CaseInterne(c, r).Formule.get()) {
            const Valeur v = f->Evalue(Contexte().Formules());
            if (!v.estVide()) nouvelle = formula::ChaineSansCoerc(v.EnTexte());
        }
    } catch (...) {
        if (DansGrille(c, r)) {
            CaseInterne(c, r).ResultatType = resultat::kACalculer;
            LigneACalculer(r);
        }
        throw;
    }
    if (!DansGrille(c, r)) return true;
    CaseTableau& x = CaseInterne(c, r);
    if (e.refusee.grille != nullptr && !e.sansReprise) {
        x.ResultatType = resultat::kACalculer;
        LigneACalculer(r);
        return false;
    }
    const bool change = nouvelle != x.Valeur;
    if (change) x.Valeur = std::move(nouvelle);
    x.ResultatType = resultat::kCalcule;
    if (change) {
        RecalculInvaliderRecursivement(c, r, true);
        if (!Contexte().ChargementPlanEnCours()) (void)DeclencheSur(c, r, "SUR RECALCCHANGE");
    }
    (void)DeclencheSur(c, r, "SUR RECALCUL");
    return true;
}

// The outermost computation: when a chain went deeper than the limit, the
// cell where it stopped is computed first, then the chain is taken again.
// A chain that comes back to a cell waiting here is a cycle longer than the
// limit; it is then computed once with the limit reading as the
// being-computed error.
bool TableauClasse::CalculeSansDebordement(int c, int r) {
    EtatCalcul& e = *etat_;
    // Most chains end well within the limit: nothing to take again.
    e.refusee = {};
    (void)Calcule(c, r);
    if (e.refusee.grille == nullptr) return true;
    std::vector<EtatCalcul::Cellule> attente{{this, c, r}, e.refusee};
    while (!attente.empty()) {
        const EtatCalcul::Cellule cible = attente.back();
        TableauClasse& g = *cible.grille;
        if (!g.DansGrille(cible.c, cible.r) || g.CaseInterne(cible.c, cible.r).ResultatType != resultat::kACalculer) {
            attente.pop_back();
            continue;
        }
        e.refusee = {};
        (void)g.Calcule(cible.c, cible.r);
        if (e.refusee.grille == nullptr) {
            attente.pop_back();
            continue;
        }
        const EtatCalcul::Cellule suivante = e.refusee;
        e.refusee = {};
        if (std::find(attente.begin(), attente.end(), suivante) == attente.end()) {
            attente.push_back(suivante);
            continue;
        }
        struct SansReprise {
            EtatCalcul& e;
            explicit SansReprise(EtatCalcul& x) : e(x) { e.sansReprise = true; }
            ~SansReprise() { e.sansReprise = false; }
        } sans(e);
        (void)g.Calcule(cible.c, cible.r);
        attente.pop_back();
    }
    return true;
}

// Row by row, left to right, through the rows that may hold a cell to be
// computed. Only cells to be computed are computed; the others would only
// deliver their value. A cell being computed means this pass was started
// from inside an evaluation: it stops at once.
void TableauClasse::RecalculPasse() {
    for (int r = 1; r <= ligneNb_; ++r) {
        auto& aCalculer = lignesACalculer_[static_cast<std::size_t>(r - 1)];
        if (aCalculer == 0) continue;
        aCalculer = 0;
        for (int c = 1; c <= colonneNb_; ++c) {
            if (!DansGrille(c, r)) return;
            const CaseTableau& x = CaseInterne(c, r);
            if (!EstFormule(x.Texte)) continue;
            if (x.ResultatType == resultat::kEnCalcul) {
                LigneACalculer(r);
                return;
            }
            if (x.ResultatType != resultat::kACalculer) continue;
            if (!(etat_->profondeur == 0 ? CalculeSansDebordement(c, r) : Calcule(c, r))) {
                if (DansGrille(c, r)) LigneACalculer(r);
                return;
            }
        }
    }
}

void TableauClasse::RecalculSansInit() { RecalculPasse(); }

void TableauClasse::RecalculAvecInit() {
    RecalculInvalider();
    RecalculPasse();
}

std::string TableauClasse::EntreeUtilisateurEvalueExpression(std::string_view texte) {
    formula::ExpressionClasse f;
    const auto& services = Contexte().Formules();
    if (!f.Code(std::string(texte), services)) return {};
    const Valeur v = f.Evalue(services);
    return v.estVide() ? std::string() : v.EnTexte();
}

}  // namespace korv::grid
