// Per-cell accessors of a grid: attributes, invalidation modes, names,
// values as the recalculation sees them and the lists of dependants.
// Cells outside the grid read as the default cell and ignore changes.

#include <algorithm>

#include "formula/nombres.h"
#include "formula/valeur.h"
#include "grid/tableau.h"
#include "grid/valeur_formatee.h"

namespace korv::grid {

namespace {

bool EstFormule(const std::string& texte) { return !texte.empty() && texte.front() == '='; }

}  // namespace

const CaseTableau* TableauClasse::Case(int c, int r) const { return DansGrille(c, r) ? &CaseInterne(c, r) : nullptr; }

const TableauCaseAttributClasse& TableauClasse::Attribut(int c, int r) const {
    return DansGrille(c, r) ? CaseInterne(c, r).Attribut() : AttributDefaut();
}

CaseTableau* TableauClasse::CaseAChanger(int c, int r) { return DansGrille(c, r) ? &CaseInterne(c, r) : nullptr; }

namespace {

// A field is written only when it changes, so that a cell keeps sharing
// the defaults while nothing differs from them.
template <class T, class V>
void ChangeChamp(CaseTableau* x, T TableauCaseAttributClasse::*champ, const V& valeur) {
    if (!x || x->Attribut().*champ == valeur) return;
    x->AttributModifiable().*champ = T(valeur);
}

}  // namespace

void TableauClasse::CaseCouleurFondChange(std::uint8_t colonne, std::uint8_t ligne, std::int32_t couleur) {
    ChangeChamp(CaseAChanger(colonne, ligne), &TableauCaseAttributClasse::CouleurFond, couleur);
}

void TableauClasse::CaseCouleurTexteChange(std::uint8_t colonne, std::uint8_t ligne, std::int32_t couleur) {
    ChangeChamp(CaseAChanger(colonne, ligne), &TableauCaseAttributClasse::CouleurTexte, couleur);
}

void TableauClasse::CaseEstEditableChange(int c, int r, bool editable) {
    ChangeChamp(CaseAChanger(c, r), &TableauCaseAttributClasse::Editable, static_cast<std::int16_t>(editable ? -1 : 0));
}

void TableauClasse::CaseFichierChange(std::uint8_t colonne, std::uint8_t ligne, std::string_view nom) {
    ChangeChamp(CaseAChanger(colonne, ligne), &TableauCaseAttributClasse::Fichier, nom);
}

void TableauClasse::CaseNomChange(int c, int r, std::string_view nom) {
    ChangeChamp(CaseAChanger(c, r), &TableauCaseAttributClasse::Nom, formula::Majuscules(nom));
}

void TableauClasse::CaseScriptChange(int c, int r, std::string_view texte) {
    CaseTableau* x = CaseAChanger(c, r);
    ChangeChamp(x, &TableauCaseAttributClasse::Script, texte);
    // The next event compiles it again.
    if (x) x->ScriptCompileOublie();
}

void TableauClasse::CaseTypeChange(int c, int r, std::uint8_t type) {
    ChangeChamp(CaseAChanger(c, r), &TableauCaseAttributClasse::TypeAffichage, type);
}

void TableauClasse::CaseBulleChange(int c, int r, std::string_view texte) {
    ChangeChamp(CaseAChanger(c, r), &TableauCaseAttributClasse::Bulle, texte);
}

void TableauClasse::CaseSousFormatChange(int c, int r, std::int16_t sousFormat) {
    ChangeChamp(CaseAChanger(c, r), &TableauCaseAttributClasse::SousFormat, sousFormat);
}

std::uint8_t TableauClasse::CaseType(std::uint8_t colonne, std::uint8_t ligne) {
    return Attribut(colonne, ligne).TypeAffichage;
}

std::string TableauClasse::CaseEditeur(int c, int r) const {
    return DansGrille(c, r) ? CaseInterne(c, r).Texte : std::string();
}

std::uint8_t TableauClasse::CaseResultatType(std::uint8_t colonne, std::uint8_t ligne) {
    return DansGrille(colonne, ligne) ? CaseInterne(colonne, ligne).ResultatType : std::uint8_t{0};
}

void TableauClasse::CaseResultatTypeChange(int c, int r, std::uint8_t type) {
    if (!DansGrille(c, r)) return;
    CaseInterne(c, r).ResultatType = type;
    if (type == resultat::kACalculer) LigneACalculer(r);
}

std::string TableauClasse::CaseResultatInterne(int c, int r) const {
    return DansGrille(c, r) ? CaseInterne(c, r).Valeur : std::string();
}

// ------------------------------------------------------------ invalidation

std::uint8_t TableauClasse::CaseInvalidationCalculee(std::uint8_t colonne, std::uint8_t ligne) {
    return (Attribut(colonne, ligne).Invalidation & invalidation::kEtat) == 2 ? 1 : 0;
}

void TableauClasse::CaseInvalidationStockeeChange(int c, int r, std::uint8_t etat) {
    if (!DansGrille(c, r)) return;
    const std::uint8_t avant = Attribut(c, r).Invalidation;
    const auto apres = static_cast<std::uint8_t>((avant & ~invalidation::kEtat) | (etat & invalidation::kEtat));
    if (apres != avant) CaseInterne(c, r).AttributModifiable().Invalidation = apres;
    if (!CaseInterne(c, r).Texte.empty()) RecalculInvaliderRecursivement(c, r, true);
}

namespace {

void ChangeBits(CaseTableau* cellule, std::uint8_t masque, std::uint8_t bits) {
    if (!cellule) return;
    const std::uint8_t avant = cellule->Attribut().Invalidation;
    const auto apres = static_cast<std::uint8_t>((avant & ~masque) | (bits & masque));
    if (apres != avant) cellule->AttributModifiable().Invalidation = apres;
}

}  // namespace

bool TableauClasse::CaseInvalidationEditionEffaceEntree(int c, int r) const {
    return (Attribut(c, r).Invalidation & invalidation::kEditionEfface) != 0;
}

void TableauClasse::CaseInvalidationEditionEffaceEntreeChange(int c, int r, bool v) {
    ChangeBits(CaseAChanger(c, r), invalidation::kEditionEfface,
               v ? invalidation::kEditionEfface : 0);
}

bool TableauClasse::CaseInvalidationParEntree(int c, int r) const {
    return (Attribut(c, r).Invalidation & invalidation::kParEntree) != 0;
}

void TableauClasse::CaseInvalidationParEntreeChange(int c, int r, bool v) {
    ChangeBits(CaseAChanger(c, r), invalidation::kParEntree,
               v ? invalidation::kParEntree : 0);
}

std::uint8_t TableauClasse::CaseInvalidationParEntreeSens(int c, int r) const {
    return static_cast<std::uint8_t>(Attribut(c, r).Invalidation & invalidation::kSens);
}

void TableauClasse::CaseInvalidationParEntreeSensChange(int c, int r, std::uint8_t sens) {
    ChangeBits(CaseAChanger(c, r), invalidation::kSens, sens);
}

bool TableauClasse::CaseInvalidationParSomme(int c, int r) const {
    return (Attribut(c, r).Invalidation & invalidation::kParSomme) != 0;
}

void TableauClasse::CaseInvalidationParSommeChange(int c, int r, bool v) {
    ChangeBits(CaseAChanger(c, r), invalidation::kParSomme,
               v ? invalidation::kParSomme : 0);
}

// ------------------------------------------------------------ whole grid

std::optional<formula::CaseCoord> TableauClasse::CaseNomCoordonnees(std::string_view nom) {
    const std::string cherche = formula::Majuscules(formula::Trim(nom));
    // Unnamed cells bear no name: an empty name finds none of them.
    if (cherche.empty()) return std::nullopt;
    for (int c = 1; c <= colonneNb_; ++c) {
        for (int r = 1; r <= ligneNb_; ++r) {
            if (CaseInterne(c, r).Attribut().Nom == cherche) {
                return formula::CaseCoord{static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r)};
            }
        }
    }
    return std::nullopt;
}

bool TableauClasse::TableauEstIlSaisi() const {
    for (int r = 1; r <= ligneNb_; ++r) {
        for (int c = 1; c <= colonneNb_; ++c) {
            const CaseTableau& x = CaseInterne(c, r);
            const auto& a = x.Attribut();
            if (a.CouleurFond == -7) {
                const auto v = formula::LitNombre(x.Valeur);
                if (v && *v != 0) return true;
            }
            if (!EstFormule(x.Texte) && a.Editable != 0 && !x.Texte.empty()) return true;
            if (x.ResultatType == resultat::kEntreeSurFormule && !x.Valeur.empty()) return true;
        }
    }
    return false;
}

void TableauClasse::ImprimeChangeColonneLargeurMinimale(int c, std::int32_t largeur) {
    if (c < 1 || c > colonneNb_) return;
    if (largeur < INT16_MIN || largeur > INT16_MAX) formula::LeveErreur(formula::erreur::kDepassement);
    C(c).AttributImpression.LargeurMinimale = static_cast<std::int16_t>(largeur);
}

// ------------------------------------------------- later parts of the grid

std::string TableauClasse::CaseValeurAAfficher(std::uint8_t colonne, std::uint8_t ligne) {
    return DansGrille(colonne, ligne) ? CaseValeurFormatee(CaseInterne(colonne, ligne)) : std::string();
}

}  // namespace korv::grid
