// The grid's user record in the plan document: written from the cells,
// read back whole and checked, then applied.

#include <algorithm>

#include "grid/donnees_utilisateur.h"
#include "grid/service_absent.h"
#include "grid/tableau.h"
#include "platform/binary_reader.h"
#include "platform/binary_writer.h"

namespace korv::grid {

namespace {

bool EstFormule(const std::string& texte) { return !texte.empty() && texte.front() == '='; }

bool EstCouleurActionPlan(std::int32_t couleur) { return couleur >= -23 && couleur <= -18; }

constexpr std::int32_t kFondTexteBlanc = -15;
constexpr std::int32_t kFondBascule = -14;

// Which plain cells the user's entries cover: editable ones, and fixed
// ones whose content the user may still have changed through a script
// (texts, white texts, toggles that are on).
bool EntreeAEcrire(const CaseTableau& x) {
    if (EstFormule(x.Texte)) return false;
    const auto& a = x.Attribut();
    if (a.Editable != 0) return true;
    return !x.Texte.empty() || a.CouleurFond == kFondTexteBlanc || (a.CouleurFond == kFondBascule && x.Texte != "0");
}

}  // namespace

void TableauClasse::SauverUtilisateur(BinaryWriter& out) const {
    out.u8(static_cast<std::uint8_t>(decalageColonne_));
    out.u8(static_cast<std::uint8_t>(decalageLigne_));
    for (const auto& c : colonnes_) out.i16(c.Pliee);
    for (const auto& l : lignes_) out.i16(l.Pliee);

    // One list: column-major over the grid, a 0 closing it.
    auto liste = [&](auto&& garde, auto&& charge) {
        for (int c = 1; c <= colonneNb_; ++c) {
            for (int r = 1; r <= ligneNb_; ++r) {
                const CaseTableau& x = CaseInterne(c, r);
                if (!garde(x)) continue;
                out.u8(static_cast<std::uint8_t>(c));
                out.u8(static_cast<std::uint8_t>(r));
                charge(x);
            }
        }
        out.u8(0);
    };
    liste(EntreeAEcrire, [&](const CaseTableau& x) { out.fileString(x.Texte); });
    liste([](const CaseTableau& x) { return EstFormule(x.Texte) && x.ResultatType == resultat::kEntreeSurFormule; },
          [&](const CaseTableau& x) {
              out.u8(x.ResultatType);
              out.fileString(x.Valeur);
          });
    liste([](const CaseTableau& x) { return !x.Attribut().Fichier.empty(); },
          [&](const CaseTableau& x) { out.fileString(x.Attribut().Fichier); });
    liste([](const CaseTableau& x) { return (x.Attribut().Invalidation & invalidation::kEtat) == 2; },
          [](const CaseTableau&) {});
    liste([](const CaseTableau& x) { return EstCouleurActionPlan(x.Attribut().CouleurFond); },
          [&](const CaseTableau& x) { out.i32(x.Attribut().CouleurFond); });
    liste([](const CaseTableau& x) { return x.Attribut().Fusion != 0; },
          [&](const CaseTableau& x) { out.u8(x.Attribut().Fusion); });
}

DonneesUtilisateur TableauClasse::LireUtilisateur(BinaryReader& in, const OptionsChargementUtilisateur& o) const {
    int nc = o.colonnes != 0 ? o.colonnes : colonneNb_;
    int nl = o.lignes != 0 ? o.lignes : ligneNb_;
    // Version 2.30 documents were written before two grids of the plan
    // grew; they are read at their old size and the new cells filled in.
    if (o.version230 && o.pageEnChargement == 25 && colonneNb_ == 23) nc = 22;
    if (o.version230 && o.pageEnChargement == 43 && ligneNb_ == 69) nl = 55;
    return LitDonneesUtilisateur(in, nc, nl, colonneNb_, ligneNb_, o);
}

void TableauClasse::ChargerUtilisateur(BinaryReader& in, const OptionsChargementUtilisateur& o) {
    const DonneesUtilisateur d = LireUtilisateur(in, o);
    // Nothing of the grid has changed until here.
    AppliquerUtilisateur(d, o);
}

void TableauClasse::AppliquerUtilisateur(const DonneesUtilisateur& d, const OptionsChargementUtilisateur& o) {
    const bool ajoutColonne23 = o.version230 && o.pageEnChargement == 25 && colonneNb_ == 23;
    const bool tauxCharge = o.version230 && o.pageEnChargement == 25 && ligneNb_ == 4 && colonneNb_ == 2;
    const bool ajoutLignes56 = o.version230 && o.pageEnChargement == 43 && ligneNb_ == 69;
    const int nc = static_cast<int>(d.plisColonnes.size());
    const int nl = static_cast<int>(d.plisLignes.size());

    decalageColonne_ = d.decalageColonne;
    decalageLigne_ = d.decalageLigne;
    DecalageLimiteSimple();
    // Counts given by an older caller may exceed the grid: extra flags are dropped.
    for (std::size_t i = 0; i < d.plisColonnes.size() && i < colonnes_.size(); ++i) colonnes_[i].Pliee = d.plisColonnes[i];
    for (std::size_t i = 0; i < d.plisLignes.size() && i < lignes_.size(); ++i) lignes_[i].Pliee = d.plisLignes[i];

    if (ajoutColonne23) {
        C(23).Pliee = 0;
        decalageColonne_ = 3;
        decalageLigne_ = 3;
        DecalageLimiteSimple();
        for (int r = 3; r <= std::min(16, ligneNb_); ++r) {
            // A compiled formula, as a cell the scene gives "=45" has.
            CaseEditeurChange(23, r, "=45");
            CaseInterne(23, r).ResultatType = resultat::kEntreeSurFormule;
            CaseCouleurTexteChange(23, static_cast<std::uint8_t>(r), 0);
            CaseCouleurFondChange(23, static_cast<std::uint8_t>(r), -1);
            ParcouruRecalculChange(23, r, false);
        }
    }
    if (tauxCharge && o.tauxChargePatronale) *o.tauxChargePatronale = "VIDE";

    // Every cell of the record's extent back to its scene state.
    const int rc = std::min(nc, colonneNb_);
    const int rl = std::min(nl, ligneNb_);
    for (int r = 1; r <= rl; ++r) {
        for (int c = 1; c <= rc; ++c) {
            CaseInvalidationStockeeChange(c, r, 1);
            CaseTableau& x = CaseInterne(c, r);
            if (EstFormule(x.Texte)) {
                x.Valeur.clear();
                x.ResultatType = resultat::kACalculer;
            } else {
                x.ResultatType = resultat::kEntree;
                if (x.Attribut().CouleurFond == kFondBascule) x.Texte = "0";
            }
        }
    }

    for (const auto& e : d.entrees) {
        if (o.editablesSeuls && !CaseEstEditable(e.colonne, e.ligne)) continue;
        CaseTableau& x = CaseInterne(e.colonne, e.ligne);
        if (EstFormule(x.Texte)) {
            x.Valeur = e.texte;
            x.ResultatType = resultat::kEntreeSurFormule;
        } else {
            x.Texte = e.texte;
        }
    }
    if (tauxCharge && o.tauxChargePatronale) {
        if (!o.evalueFormule) ServiceAbsent("ChargerUtilisateur (taux de charge patronale sans évaluateur)");
        *o.tauxChargePatronale = o.evalueFormule(*this, 2, 1);
    }
    for (const auto& e : d.resultats) {
        CaseTableau& x = CaseInterne(e.colonne, e.ligne);
        x.ResultatType = e.type;
        x.Valeur = e.valeur;
    }
    for (const auto& e : d.fichiers) CaseFichierChange(e.colonne, e.ligne, e.texte);
    for (const auto& e : d.invalidees) CaseInvalidationStockeeChange(e.colonne, e.ligne, 2);
    for (const auto& e : d.couleurs) CaseCouleurFondChange(e.colonne, e.ligne, e.valeur);
    for (const auto& e : d.fusions) {
        CaseTableau& x = CaseInterne(e.colonne, e.ligne);
        const auto marque = static_cast<std::uint8_t>(e.valeur);
        if (x.Attribut().Fusion != marque) x.AttributModifiable().Fusion = marque;
    }

    if (ajoutLignes56) {
        for (int r = 56; r <= ligneNb_; ++r) {
            for (int c = 2; c <= std::min(13, colonneNb_); ++c) {
                CaseTableau& x = CaseInterne(c, r);
                x.Valeur = "0";
                x.ResultatType = resultat::kACalculer;
                ParcouruRecalculChange(c, r, true);
            }
        }
    }

    for (int r = 1; r <= ligneNb_; ++r) {
        for (int c = 1; c <= colonneNb_; ++c) {
            CaseTableau& x = CaseInterne(c, r);
            if (EstFormule(x.Texte) || x.Attribut().Editable != 0) continue;
            x.Valeur = x.Texte;
            x.ResultatType = resultat::kEntree;
        }
    }

    TailleCalculMaj();
    SelectionnerRien();
    (void)DeclencheSur(1, 1, "SUR CHARGEMENT");
}

}  // namespace korv::grid
