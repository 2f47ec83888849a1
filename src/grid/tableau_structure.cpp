// Rows, columns and cells of a grid: counts, insertion and deletion, sizes,
// locks and the plain accessors of the records.

#include <algorithm>

#include "formula/valeur.h"
#include "grid/tableau.h"

namespace korv::grid {

namespace {

bool Libre(const LigneColonneTableau& x, std::int16_t verrou) { return x.Pliee == 0 && verrou == 0; }

}  // namespace

TableauClasse::TableauClasse() {
    lignes_.resize(1);
    colonnes_.resize(1);
    cases_.resize(1);
    cases_[0].resize(1);
    parcourus_.assign(1, 0);
    lignesACalculer_.assign(1, 1);
    ColonneInsere(kColonneLargeurStandard, 1);
    LigneInsere(kLigneHauteurStandard, 1);
    DecalageLigneChange(1);
    DecalageColonneChange(1);
    TailleCalculMaj();
}

TableauClasse::~TableauClasse() = default;

// ------------------------------------------------------------ accessors

std::int32_t TableauClasse::ColonneGauche(int c) const {
    return c >= 1 && c <= colonneNb_ ? Colonne(c).Bord2 : 0;
}

std::int32_t TableauClasse::ColonneDroite(int c) const {
    return c >= 1 && c <= colonneNb_ ? Colonne(c).Bord1 : 0;
}

std::int16_t TableauClasse::ColonneLargeur(int c) const {
    return c >= 1 && c <= colonneNb_ ? Colonne(c).Taille : std::int16_t{0};
}

std::int32_t TableauClasse::LigneHaut(int r) const { return r >= 1 && r <= ligneNb_ ? Ligne(r).Bord1 : 0; }

std::int32_t TableauClasse::LigneBas(int r) const { return r >= 1 && r <= ligneNb_ ? Ligne(r).Bord2 : 0; }

std::int16_t TableauClasse::LigneHauteur(int r) const {
    return r >= 1 && r <= ligneNb_ ? Ligne(r).Taille : std::int16_t{0};
}

std::int16_t TableauClasse::LigneEstPLiee(int r) const {
    return r >= 1 && r <= ligneNb_ ? Ligne(r).Pliee : std::int16_t{0};
}

int TableauClasse::LigneStockeeVersAffichee(int r) const {
    return r >= 1 && r <= ligneNb_ ? Ligne(r).Marque3 : 0;
}

int TableauClasse::ColonneStockeeVersAffichee(int c) const {
    return c >= 1 && c <= colonneNb_ ? Colonne(c).Marque2 : 0;
}

int TableauClasse::LignesNonPlieesNb() const {
    int n = 0;
    for (int p = lignesAffichees_.Bas(); p <= lignesAffichees_.Haut(); ++p) {
        const int r = lignesAffichees_.Lit(p);
        if (p != 0 && r >= 1 && r <= ligneNb_ && Ligne(r).Marque2 == 0) ++n;
    }
    return n;
}

int TableauClasse::LignesRangNonPliee(int& rang) const {
    if (rang < 1) rang = 1;
    int n = 0;
    for (int p = lignesAffichees_.Bas(); p <= lignesAffichees_.Haut(); ++p) {
        const int r = lignesAffichees_.Lit(p);
        if (p != 0 && r >= 1 && r <= ligneNb_ && Ligne(r).Marque2 == 0 && ++n == rang) return r;
    }
    return 0;
}

int TableauClasse::ColonnesNonPlieesNb() const {
    int n = 0;
    for (int p = colonnesAffichees_.Bas(); p <= colonnesAffichees_.Haut(); ++p) {
        const int c = colonnesAffichees_.Lit(p);
        if (p != 0 && c >= 1 && c <= colonneNb_ && Colonne(c).Marque1 == 0) ++n;
    }
    return n;
}

int TableauClasse::ColonnesRangNonPliee(int& rang) const {
    if (rang < 1) rang = 1;
    int n = 0;
    for (int p = colonnesAffichees_.Bas(); p <= colonnesAffichees_.Haut(); ++p) {
        const int c = colonnesAffichees_.Lit(p);
        if (p != 0 && c >= 1 && c <= colonneNb_ && Colonne(c).Marque1 == 0 && ++n == rang) return c;
    }
    return 0;
}

bool TableauClasse::LignePrecedenteAffichableExiste(int r) const {
    for (int i = std::min(r, ligneNb_); i >= 1; --i) {
        if (Libre(Ligne(i), Ligne(i).Marque2)) return true;
    }
    return false;
}

bool TableauClasse::ColonnePrecedenteAffichableExiste(int c) const {
    for (int i = std::min(c, colonneNb_); i >= 1; --i) {
        if (Libre(Colonne(i), Colonne(i).Marque1)) return true;
    }
    return false;
}

// ------------------------------------------------------- sizes of arrays

void TableauClasse::TailleChange(int colonnes, int lignes) {
    cases_.clear();
    lignes_.clear();
    colonnes_.clear();
    parcourus_.clear();
    TailleChangePreserve(colonnes, lignes);
}

// A count of 0 leaves its arrays as they were; every cell column holds at
// least `LigneNb` cells whenever both counts are above 0.
void TableauClasse::TailleChangePreserve(int colonnes, int lignes) {
    colonnes = std::clamp(colonnes, 0, kMaxLignesColonnes);
    lignes = std::clamp(lignes, 0, kMaxLignesColonnes);
    colonneNb_ = colonnes;
    ligneNb_ = lignes;
    const auto nc = static_cast<std::size_t>(colonnes);
    const auto nl = static_cast<std::size_t>(lignes);
    if (colonnes > 0) colonnes_.resize(nc);
    if (lignes > 0) lignes_.resize(nl);
    if (colonnes > 0) cases_.resize(nc);
    if (colonnes > 0 && lignes > 0) {
        parcourus_.assign(nc * nl, 0);
        lignesACalculer_.assign(nl, 1);
        for (auto& colonne : cases_) colonne.resize(nl);
    }
}

// ------------------------------------------------------ insert and delete

void TableauClasse::LigneInsere(std::int16_t hauteur, int position) {
    if (ligneNb_ >= kMaxLignesColonnes) formula::LeveErreur(formula::erreur::kDepassement);
    const int n = ligneNb_ + 1;
    const int p = std::clamp(position, 1, n);
    TailleChangePreserve(colonneNb_, n);
    for (int r = n; r >= p + 1 && r >= 2; --r) {
        L(r) = L(r - 1);
        for (int c = 1; c <= colonneNb_; ++c) CaseInterne(c, r) = std::move(CaseInterne(c, r - 1));
    }
    L(p).Taille = hauteur;
    L(p).Pliee = 0;
    L(p).Marque2 = 0;
    for (int c = 1; c <= colonneNb_; ++c) CaseInterne(c, p) = CaseTableau{};
}

void TableauClasse::ColonneInsere(std::int16_t largeur, int position) {
    if (colonneNb_ >= kMaxLignesColonnes) formula::LeveErreur(formula::erreur::kDepassement);
    const int n = colonneNb_ + 1;
    const int p = std::clamp(position, 1, n);
    TailleChangePreserve(n, ligneNb_);
    for (int c = n; c >= p + 1 && c >= 2; --c) {
        C(c) = C(c - 1);
        cases_[static_cast<std::size_t>(c - 1)] = std::move(cases_[static_cast<std::size_t>(c - 2)]);
    }
    C(p).Taille = largeur;
    C(p).Pliee = 0;
    C(p).Marque1 = 0;
    cases_[static_cast<std::size_t>(p - 1)] = std::vector<CaseTableau>(static_cast<std::size_t>(ligneNb_));
}

void TableauClasse::LigneSupprime(int position) {
    if (position < 1 || position > ligneNb_) return;
    for (int r = position; r <= ligneNb_ - 1; ++r) {
        L(r) = L(r + 1);
        for (int c = 1; c <= colonneNb_; ++c) CaseInterne(c, r) = std::move(CaseInterne(c, r + 1));
    }
    TailleChangePreserve(colonneNb_, ligneNb_ - 1);
}

void TableauClasse::ColonneSupprime(int position) {
    if (position < 1 || position > colonneNb_) return;
    for (int c = position; c <= colonneNb_ - 1; ++c) {
        C(c) = C(c + 1);
        cases_[static_cast<std::size_t>(c - 1)] = std::move(cases_[static_cast<std::size_t>(c)]);
    }
    TailleChangePreserve(colonneNb_ - 1, ligneNb_);
}

void TableauClasse::LigneNbChange(int n) {
    n = std::clamp(n, 0, kMaxLignesColonnes);
    while (ligneNb_ > n) LigneSupprime(n + 1);
    while (ligneNb_ < n) LigneInsere(kLigneHauteurStandard, ligneNb_ + 1);
}

void TableauClasse::ColonneNbChange(int n) {
    n = std::clamp(n, 0, kMaxLignesColonnes);
    while (colonneNb_ > n) ColonneSupprime(n + 1);
    while (colonneNb_ < n) ColonneInsere(kColonneLargeurStandard, colonneNb_ + 1);
}

// ------------------------------------------------------------------ sizes

void TableauClasse::LigneChangeTaille(int r, std::int16_t hauteur) {
    if (r >= 1 && r <= ligneNb_) L(r).Taille = hauteur;
    TailleCalculMaj();
}

void TableauClasse::ColonneChangeTaille(int c, std::int16_t largeur) {
    if (c >= 1 && c <= colonneNb_) C(c).Taille = largeur;
    TailleCalculMaj();
}

void TableauClasse::UniformiseHauteurs() {
    for (int r = 2; r <= ligneNb_; ++r) L(r).Taille = L(1).Taille;
    TailleCalculMaj();
}

void TableauClasse::UniformiseLargeurs() {
    const SelectionTableau s = SelectionAfficheeVersStockee(SelectionNormalisee(selection_));
    if (s.HautGaucheColonne == 0 || s.HautGaucheLigne == 0 || s.BasDroiteLigne == 0) return;
    const int premiere = s.HautGaucheColonne;
    const int derniere = std::min<int>(s.BasDroiteColonne, colonneNb_);
    for (int c = premiere + 1; c <= derniere; ++c) C(c).Taille = C(premiere).Taille;
    TailleCalculMaj();
}

// ------------------------------------------------------------------ locks

void TableauClasse::LigneBloquer(int r, int n) {
    if (r < 1 || r > ligneNb_ || n < -kMaxLignesColonnes || n > kMaxLignesColonnes) return;
    L(r).Marque2 = static_cast<std::int16_t>(n);
}

void TableauClasse::LigneBloquerEnBas(int r, int n) { LigneBloquer(r, n - lignesAfficheesNb_ - 1); }

void TableauClasse::LigneDebloquer(int r) { LigneBloquer(r, 0); }

void TableauClasse::ColonneBloquer(int c, int n) {
    if (c < 1 || c > colonneNb_ || n < 0 || n > kMaxLignesColonnes) return;
    C(c).Marque1 = static_cast<std::int16_t>(n);
}

void TableauClasse::ColonneDebloquer(std::uint8_t colonne) { ColonneBloquer(static_cast<int>(colonne), 0); }

void TableauClasse::DemandeDecalageLigne(int r) {
    if (r >= 1 && r <= ligneNb_) ligneDemandee_ = r;
}

void TableauClasse::InitialiseRectangleParent(std::int32_t gauche, std::int32_t haut, std::int32_t droite,
                                              std::int32_t bas) {
    rectGauche_ = gauche;
    rectHaut_ = haut;
    rectDroite_ = droite;
    rectBas_ = bas;
}

}  // namespace korv::grid
