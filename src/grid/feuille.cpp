#include "grid/feuille.h"

#include <algorithm>
#include <stdexcept>

namespace korv::grid {

const CelluleFeuille* Feuille::Cellule(int ligne, int colonne) const {
    const auto i = cellules_.find({ligne, colonne});
    return i == cellules_.end() ? nullptr : &i->second;
}

CelluleFeuille& Feuille::CelluleModifiable(int ligne, int colonne) {
    if (ligne < 1 || colonne < 1) throw std::out_of_range("cellule de feuille hors des limites");
    return cellules_[{ligne, colonne}];
}

int Feuille::LignesUtilisees() const {
    int n = 0;
    for (const auto& [rc, x] : cellules_) n = std::max(n, rc.first);
    return n;
}

int Feuille::ColonnesUtilisees() const {
    int n = 0;
    for (const auto& [rc, x] : cellules_) n = std::max(n, rc.second);
    return n;
}

template <class F>
void Feuille::Pour(const PlageFeuille& p, F&& f) {
    for (int r = std::max(1, p.ligne1); r <= p.ligne2; ++r) {
        for (int c = std::max(1, p.colonne1); c <= p.colonne2; ++c) f(CelluleModifiable(r, c));
    }
}

void Feuille::Texte(int ligne, int colonne, std::string texte) {
    CelluleFeuille& x = CelluleModifiable(ligne, colonne);
    x.genre = CelluleFeuille::Genre::Texte;
    x.texte = std::move(texte);
    x.nombre = 0;
}

void Feuille::Nombre(int ligne, int colonne, double nombre) {
    CelluleFeuille& x = CelluleModifiable(ligne, colonne);
    x.genre = CelluleFeuille::Genre::Nombre;
    x.texte.clear();
    x.nombre = nombre;
}

void Feuille::Format(const PlageFeuille& p, const std::string& format) {
    Pour(p, [&](CelluleFeuille& x) { x.format = format; });
}

void Feuille::Vider(const PlageFeuille& p) {
    Pour(p, [](CelluleFeuille& x) {
        x.genre = CelluleFeuille::Genre::Vide;
        x.texte.clear();
        x.nombre = 0;
    });
}

void Feuille::Alignement(const PlageFeuille& p, int horizontal, bool retour, int vertical) {
    Pour(p, [&](CelluleFeuille& x) {
        x.alignement = horizontal;
        x.retourLigne = retour;
        x.alignementVertical = vertical;
    });
}

void Feuille::Remplir(const PlageFeuille& p, const RemplissageFeuille& r) {
    Pour(p, [&](CelluleFeuille& x) { x.remplissage = r; });
}

void Feuille::Bords(const PlageFeuille& p, const BordsFeuille& b) {
    Pour(p, [&](CelluleFeuille& x) {
        if (b.haut != -1) x.bords.haut = b.haut;
        if (b.droite != -1) x.bords.droite = b.droite;
        if (b.bas != -1) x.bords.bas = b.bas;
        if (b.gauche != -1) x.bords.gauche = b.gauche;
        x.bords.couleur = b.couleur;
    });
}

void Feuille::Police(const PlageFeuille& p, const PoliceFeuille& f) {
    Pour(p, [&](CelluleFeuille& x) { x.police = f; });
}

void Feuille::CouleurTexte(const PlageFeuille& p, std::int32_t couleur) {
    Pour(p, [&](CelluleFeuille& x) { x.couleurTexte = couleur; });
}

Feuille& Classeur::FeuilleNumero(int n) {
    if (n < 1 || n > 255) throw std::out_of_range("numéro de feuille hors des limites");
    if (static_cast<int>(feuilles_.size()) < n) feuilles_.resize(static_cast<std::size_t>(n));
    return feuilles_[static_cast<std::size_t>(n - 1)];
}

}  // namespace korv::grid
