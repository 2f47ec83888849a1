// Displayed order and layout of a grid: the maps between displayed and
// stored indexes (frozen rows and columns first, rows pinned to the bottom,
// then the scrolled ones), the edges of rows and columns inside the
// object's rectangle, and scrolling.

#include <algorithm>

#include "grid/tableau.h"

namespace korv::grid {

namespace {

// Inner area of a cell: 15 twips inside its share, so that 30 twips of grid
// line separate two neighbours.
constexpr std::int32_t kMarge = 15;

// Positions are 1-based in `positions`; 0 marks an empty position.
void PlacePremiereLibre(std::vector<int>& positions, int valeur) {
    const auto it = std::find(positions.begin(), positions.end(), 0);
    if (it != positions.end()) {
        *it = valeur;
    } else {
        positions.push_back(valeur);
    }
}

// At `position` when it is free, else at the first free one.
void PlaceA(std::vector<int>& positions, int position, int valeur) {
    if (position < 1) {
        PlacePremiereLibre(positions, valeur);
        return;
    }
    const auto p = static_cast<std::size_t>(position);
    if (positions.size() < p) positions.resize(p, 0);
    if (positions[p - 1] == 0) {
        positions[p - 1] = valeur;
    } else {
        PlacePremiereLibre(positions, valeur);
    }
}

}  // namespace

void Correspondance::Construit(const std::vector<int>& negatifs, const std::vector<int>& positifs) {
    negatifs_ = negatifs;
    positifs_ = positifs;
}

int Correspondance::Lit(int position) const {
    if (position > 0 && position <= Haut()) return positifs_[static_cast<std::size_t>(position - 1)];
    if (position < 0 && position >= Bas()) return negatifs_[static_cast<std::size_t>(-position - 1)];
    return 0;
}

// ------------------------------------------------------------- the maps

void TableauClasse::CorrespondancesConstruire() {
    decalageColonne_ = std::min(decalageColonne_, colonneNb_);
    decalageLigne_ = std::min(decalageLigne_, ligneNb_);

    // Columns: Marque1 is the lock position, Marque2 the displayed index.
    colonnesBloqueesNb_ = 0;
    std::vector<int> p;
    std::vector<int> n;
    for (int c = 1; c <= colonneNb_; ++c) {
        const auto& x = Colonne(c);
        if (x.Pliee != 0 || x.Marque1 == 0) continue;
        ++colonnesBloqueesNb_;
        if (x.Marque1 > 0) PlaceA(p, x.Marque1, c);
    }
    for (int c = std::max(decalageColonne_, 1); c <= colonneNb_; ++c) {
        if (Colonne(c).Pliee == 0 && Colonne(c).Marque1 == 0) PlacePremiereLibre(p, c);
    }
    for (int c = decalageColonne_ - 1; c >= 1; --c) {
        if (Colonne(c).Pliee == 0 && Colonne(c).Marque1 == 0) n.push_back(c);
    }
    colonnesAffichees_.Construit(n, p);
    for (int c = 1; c <= colonneNb_; ++c) C(c).Marque2 = 0;
    for (int pos = colonnesAffichees_.Bas(); pos <= colonnesAffichees_.Haut(); ++pos) {
        if (const int c = colonnesAffichees_.Lit(pos); c != 0) C(c).Marque2 = static_cast<std::int16_t>(pos);
    }
    colonnesAfficheesNb_ = static_cast<int>(p.size());

    // Rows: Marque2 is the lock, Marque3 the displayed index. A trial pass
    // tells how many positions fit, so that rows pinned from the bottom
    // land on the last ones that fit.
    lignesBloqueesNb_ = 0;
    for (int r = 1; r <= ligneNb_; ++r) {
        if (Ligne(r).Pliee == 0 && Ligne(r).Marque2 != 0) ++lignesBloqueesNb_;
    }
    auto defilees = [this](std::vector<int>& positions) {
        for (int r = std::max(decalageLigne_, 1); r <= ligneNb_; ++r) {
            if (Ligne(r).Pliee == 0 && Ligne(r).Marque2 == 0) PlacePremiereLibre(positions, r);
        }
    };
    std::vector<int> essai;
    for (int r = 1; r <= ligneNb_; ++r) {
        if (Ligne(r).Pliee == 0 && Ligne(r).Marque2 > 0) PlaceA(essai, Ligne(r).Marque2, r);
    }
    for (int r = 1; r <= ligneNb_; ++r) {
        if (Ligne(r).Pliee == 0 && Ligne(r).Marque2 < 0) PlacePremiereLibre(essai, r);
    }
    defilees(essai);
    const int tiennent = DispositionLignesEssai(essai);

    std::vector<int> pl;
    for (int r = 1; r <= ligneNb_; ++r) {
        if (Ligne(r).Pliee == 0 && Ligne(r).Marque2 > 0) PlaceA(pl, Ligne(r).Marque2, r);
    }
    for (int r = 1; r <= ligneNb_; ++r) {
        if (Ligne(r).Pliee == 0 && Ligne(r).Marque2 < 0) PlaceA(pl, tiennent + Ligne(r).Marque2 + 1, r);
    }
    defilees(pl);
    std::vector<int> nl;
    for (int r = decalageLigne_ - 1; r >= 1; --r) {
        if (Ligne(r).Pliee == 0 && Ligne(r).Marque2 == 0) nl.push_back(r);
    }
    lignesAffichees_.Construit(nl, pl);
    for (int r = 1; r <= ligneNb_; ++r) L(r).Marque3 = 0;
    for (int pos = lignesAffichees_.Bas(); pos <= lignesAffichees_.Haut(); ++pos) {
        if (const int r = lignesAffichees_.Lit(pos); r != 0) L(r).Marque3 = static_cast<std::int16_t>(pos);
    }
    lignesAfficheesNb_ = static_cast<int>(pl.size());
}

// How many positions of a row list are laid out from the top before one
// does not fit (the rule of the real layout, without writing edges).
int TableauClasse::DispositionLignesEssai(const std::vector<int>& positions) const {
    std::int32_t limite = rectBas_ - rectHaut_;
    std::int32_t y = 0;
    int n = 0;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const int r = positions[i];
        if (r == 0) continue;
        const auto& x = Ligne(r);
        if (x.Marque2 < 0 && lignesBasColleesEnBas_ != 0) {
            limite -= x.Taille + 30;
            continue;
        }
        if (y + kMarge > limite) break;
        y += x.Taille;
        if (y - kMarge > limite) break;
        n = static_cast<int>(i) + 1;
    }
    return n;
}

// ----------------------------------------------------------------- layout

void TableauClasse::DispositionColonnes() {
    const std::int32_t largeur = rectDroite_ - rectGauche_;
    const int total = colonnesAffichees_.Haut();
    std::int32_t x = 0;
    int nb = 0;
    for (int i = 1; i <= total; ++i) {
        const int c = colonnesAffichees_.Lit(i);
        if (c == 0) continue;
        auto& col = C(c);
        col.Bord2 = x + kMarge;
        if (col.Bord2 > largeur) break;
        x += col.Taille;
        col.Bord1 = x - kMarge;
        if (col.Bord1 > largeur) break;
        nb = i;
    }
    colonnesAfficheesNb_ = nb;

    x = 0;
    for (int i = -1; i >= colonnesAffichees_.Bas(); --i) {
        auto& col = C(colonnesAffichees_.Lit(i));
        col.Bord1 = x - kMarge;
        col.Bord2 = col.Bord1 - col.Taille - kMarge;
        x -= col.Taille + 2 * kMarge;
    }

    // In play the columns past the last one that fits continue to the
    // right, so that a cell partly shown still has its edges.
    if (EnJeu() && nb > 0) {
        std::int32_t e = Colonne(colonnesAffichees_.Lit(nb)).Bord1;
        for (int i = nb + 1; i <= total; ++i) {
            const int c = colonnesAffichees_.Lit(i);
            if (c == 0) continue;
            auto& col = C(c);
            col.Bord2 = e + kMarge;
            col.Bord1 = e + col.Taille - kMarge;
            e += col.Taille;
        }
    }
}

void TableauClasse::DispositionLignes() {
    const std::int32_t hauteur = rectBas_ - rectHaut_;
    const int total = lignesAffichees_.Haut();
    std::int32_t limite = hauteur;
    std::int32_t y = 0;
    int nb = 0;
    for (int i = 1; i <= total; ++i) {
        const int r = lignesAffichees_.Lit(i);
        if (r == 0) continue;
        auto& ligne = L(r);
        if (ligne.Marque2 < 0 && lignesBasColleesEnBas_ != 0) {
            limite -= ligne.Taille + 30;
            continue;
        }
        ligne.Bord1 = y + kMarge;
        if (ligne.Bord1 > limite) break;
        y += ligne.Taille;
        ligne.Bord2 = y - kMarge;
        if (ligne.Bord2 > limite) break;
        nb = i;
    }
    lignesAfficheesNb_ = nb;

    // Rows pinned to the bottom, from the bottom edge up; the walk starts at
    // the map's end so that pinned rows after the last row that fits are
    // placed and counted too.
    if (lignesBasColleesEnBas_ != 0) {
        y = hauteur;
        for (int i = total; i >= 1; --i) {
            const int r = lignesAffichees_.Lit(i);
            if (r == 0 || Ligne(r).Marque2 >= 0) continue;
            auto& ligne = L(r);
            ligne.Bord2 = y - kMarge;
            y -= ligne.Taille;
            ligne.Bord1 = y + kMarge;
            lignesAfficheesNb_ = std::max(i, lignesAfficheesNb_);
        }
    }
}

void TableauClasse::TailleCalculMaj() {
    CorrespondancesConstruire();
    DispositionColonnes();
    DispositionLignes();
}

// -------------------------------------------------------------- scrolling

void TableauClasse::DecalageLimiteSimple() {
    decalageColonne_ = std::max(std::min(decalageColonne_, colonneNb_), 1);
    decalageLigne_ = std::max(std::min(decalageLigne_, ligneNb_), 1);
}

void TableauClasse::DecalageColonneChange(std::int16_t colonne) {
    const int n = std::clamp<int>(colonne, 0, kMaxLignesColonnes);
    const SelectionTableau stockee = SelectionAfficheeVersStockee(selection_);
    auto libre = [this](int c) { return Colonne(c).Pliee == 0 && Colonne(c).Marque1 == 0; };
    int d = 0;
    if (n >= decalageColonne_) {
        d = colonneNb_ + 1;
        for (int c = std::max(n, 1); c <= colonneNb_; ++c) {
            if (libre(c)) {
                d = c;
                break;
            }
        }
    } else {
        for (int c = std::min(n, colonneNb_); c >= 1; --c) {
            if (libre(c)) {
                d = c;
                break;
            }
        }
    }
    decalageColonne_ = d;
    DecalageLimiteSimple();
    TailleCalculMaj();
    selection_ = SelectionStockeeVersAffichee(stockee);
    DecalageLimiteTaille();
    DecalageColonneDiminueSiVide();
}

void TableauClasse::DecalageLigneChange(std::uint8_t ligne) {
    const int n = ligne;
    const SelectionTableau stockee = SelectionAfficheeVersStockee(selection_);
    auto libre = [this](int r) { return Ligne(r).Pliee == 0 && Ligne(r).Marque2 == 0; };
    int d = 0;
    if (n >= decalageLigne_) {
        d = ligneNb_ + 1;
        for (int r = std::max(n, 1); r <= ligneNb_; ++r) {
            if (libre(r)) {
                d = r;
                break;
            }
        }
    } else {
        for (int r = std::min(n, ligneNb_); r >= 1; --r) {
            if (libre(r)) {
                d = r;
                break;
            }
        }
    }
    decalageLigne_ = d;
    DecalageLimiteSimple();
    TailleCalculMaj();
    selection_ = SelectionStockeeVersAffichee(stockee);
    DecalageLimiteTaille();
}

// Scrolls back while the layout leaves a hole and a column or row before the
// offset could fill it. Each step lowers an offset, so the walk ends.
void TableauClasse::DecalageLimiteTaille() {
    bool trouColonne = false;
    for (int i = 1; i <= colonnesAfficheesNb_ && !trouColonne; ++i) trouColonne = colonnesAffichees_.Lit(i) == 0;
    if (trouColonne && decalageColonne_ >= 2 && ColonnePrecedenteAffichableExiste(decalageColonne_)) {
        DecalageColonneChange(static_cast<std::int16_t>(decalageColonne_ - 1));
        return;
    }
    bool trouLigne = false;
    for (int i = 1; i <= lignesAfficheesNb_ && !trouLigne; ++i) trouLigne = lignesAffichees_.Lit(i) == 0;
    if (trouLigne && decalageLigne_ >= 2 && LignePrecedenteAffichableExiste(decalageLigne_)) {
        DecalageLigneChange(static_cast<std::uint8_t>(decalageLigne_ - 1));
        return;
    }
    if (lignesAfficheesNb_ == 0 && decalageLigne_ >= 2) {
        DecalageLigneChange(static_cast<std::uint8_t>(decalageLigne_ - 1));
    }
    if (colonnesAfficheesNb_ == 0 && decalageColonne_ >= 2) {
        DecalageColonneChange(static_cast<std::int16_t>(decalageColonne_ - 1));
    }
}

// When the columns before the offset would fit beside the last one shown,
// scroll back onto the first of them that does.
void TableauClasse::DecalageColonneDiminueSiVide() {
    if (decalageColonne_ <= 1) return;
    const int derniere = colonnesAffichees_.Lit(colonnesAfficheesNb_);
    const std::int32_t droite = derniere != 0 ? Colonne(derniere).Bord1 : 0;
    const std::int32_t largeur = rectDroite_ - rectGauche_;
    for (int c = std::min(decalageColonne_ - 1, colonneNb_); c >= 1; --c) {
        const auto& col = Colonne(c);
        if (col.Pliee != 0 || col.Marque1 != 0) continue;
        if (col.Bord1 - col.Bord2 + droite < largeur) {
            DecalageColonneChange(static_cast<std::int16_t>(c));
            return;
        }
    }
}

void TableauClasse::LigneDefileAuto() {
    for (int r = 1; r <= ligneNb_; ++r) {
        if (Ligne(r).Marque1 != 0 && Ligne(r).Pliee == 0) {
            if (r < decalageLigne_) decalageLigne_ = r;
            break;
        }
    }
    for (int r = 1; r <= ligneNb_; ++r) L(r).Marque1 = 0;
}

// -------------------------------------------------------------- selection

SelectionTableau TableauClasse::SelectionNormalisee(const SelectionTableau& s) {
    SelectionTableau n = s;
    n.HautGaucheColonne = std::min(s.PremiereColonne, s.DerniereColonne);
    n.BasDroiteColonne = std::max(s.PremiereColonne, s.DerniereColonne);
    n.HautGaucheLigne = std::min(s.PremiereLigne, s.DerniereLigne);
    n.BasDroiteLigne = std::max(s.PremiereLigne, s.DerniereLigne);
    return n;
}

SelectionTableau TableauClasse::SelectionAfficheeVersStockee(const SelectionTableau& s) const {
    auto l = [this](std::int16_t v) { return static_cast<std::int16_t>(LigneAfficheeVersStockee(v)); };
    auto c = [this](std::int16_t v) { return static_cast<std::int16_t>(ColonneAfficheeVersStockee(v)); };
    return {s.Valide,           l(s.HautGaucheLigne), c(s.HautGaucheColonne), l(s.BasDroiteLigne),
            c(s.BasDroiteColonne), l(s.CadreLigne),   c(s.CadreColonne),      c(s.PremiereColonne),
            c(s.DerniereColonne),  l(s.PremiereLigne), l(s.DerniereLigne)};
}

SelectionTableau TableauClasse::SelectionStockeeVersAffichee(const SelectionTableau& s) const {
    auto l = [this](std::int16_t v) { return static_cast<std::int16_t>(LigneStockeeVersAffichee(v)); };
    auto c = [this](std::int16_t v) { return static_cast<std::int16_t>(ColonneStockeeVersAffichee(v)); };
    return {s.Valide,           l(s.HautGaucheLigne), c(s.HautGaucheColonne), l(s.BasDroiteLigne),
            c(s.BasDroiteColonne), l(s.CadreLigne),   c(s.CadreColonne),      c(s.PremiereColonne),
            c(s.DerniereColonne),  l(s.PremiereLigne), l(s.DerniereLigne)};
}

// The anchor and the cursor stay: a script run from a button, pressed
// outside the grid, still finds the cells the user chose.
void TableauClasse::SelectionnerRien() {
    SelectionTableau s;
    s.PremiereColonne = selection_.PremiereColonne;
    s.DerniereColonne = selection_.DerniereColonne;
    s.PremiereLigne = selection_.PremiereLigne;
    s.DerniereLigne = selection_.DerniereLigne;
    selection_ = s;
}

bool TableauClasse::CaseAfficheeDansSelection(int colonneAffichee, int ligneAffichee) const {
    const int c = ColonneAfficheeVersStockee(colonneAffichee);
    const int r = LigneAfficheeVersStockee(ligneAffichee);
    const int c1 = ColonneAfficheeVersStockee(selection_.HautGaucheColonne);
    const int c2 = ColonneAfficheeVersStockee(selection_.BasDroiteColonne);
    const int r1 = LigneAfficheeVersStockee(selection_.HautGaucheLigne);
    const int r2 = LigneAfficheeVersStockee(selection_.BasDroiteLigne);
    return c >= c1 && c <= c2 && r >= r1 && r <= r2;
}

}  // namespace korv::grid
