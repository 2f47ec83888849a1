#include "print/format_cellule.h"

#include <cmath>

#include "print/export_tableau_rtf.h"

namespace korv::print {

FormatCellule FormatCelluleFeuille(const grid::Feuille& f, int ligne, int colonne) {
    FormatCellule r;
    r.taille = f.taillePolice;
    const grid::CelluleFeuille* c = f.Cellule(ligne, colonne);
    if (c == nullptr) return r;
    r.texte = TexteCelluleFeuille(*c);
    r.nombre = c->genre == grid::CelluleFeuille::Genre::Nombre;
    r.alignement = c->alignement;
    r.alignementVertical = c->alignementVertical;
    r.retourLigne = c->retourLigne;
    if (c->police) {
        r.police = c->police->nom;
        r.taille = c->police->taille;
        r.gras = c->police->gras;
        r.italique = c->police->italique;
        r.souligne = c->police->souligne;
        r.couleurTexte = c->police->couleur;
    }
    // A colour given to the cell wins over its font's.
    if (c->couleurTexte != 0) r.couleurTexte = c->couleurTexte;
    if (c->remplissage) r.remplissage = *c->remplissage;
    r.bords = c->bords;
    return r;
}

std::int32_t CouleurRemplissage(const grid::RemplissageFeuille& r) {
    double part = 0.5;
    switch (r.motif) {
    case 0: return r.arriere;
    case 1: return r.avant;
    case 2: part = 0.5; break;
    case 3: part = 0.75; break;
    case 4: part = 0.25; break;
    case 17: part = 0.125; break;
    case 18: part = 0.0625; break;
    default: break;
    }
    std::int32_t c = 0;
    for (int decalage : {0, 8, 16}) {
        const int a = (r.avant >> decalage) & 0xFF;
        const int b = (r.arriere >> decalage) & 0xFF;
        c |= static_cast<std::int32_t>(std::lround(a * part + b * (1 - part))) << decalage;
    }
    return c;
}

}  // namespace korv::print
