#pragma once
// Our spreadsheet model: a book of sheets whose cells hold a text or a
// number with its format, alignment, font, fill, borders and text colour,
// with row heights, column widths, fixed rows and columns, the print title
// and page breaks. Grids are copied into it for printing and export.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace korv::grid {

struct PoliceFeuille {
    std::string nom = "ARIAL";
    int taille = 10;
    bool gras = false;
    bool italique = false;
    bool souligne = false;
    bool barre = false;
    std::int32_t couleur = 0;
    bool operator==(const PoliceFeuille&) const = default;
};

struct RemplissageFeuille {
    int motif = 0;  // 1 solid, 2.. hatchings
    std::int32_t avant = 0;
    std::int32_t arriere = 16777215;
    bool operator==(const RemplissageFeuille&) const = default;
};

// A side is drawn with its style (1 thin, 6 double), or not (-1).
struct BordsFeuille {
    int haut = -1;
    int droite = -1;
    int bas = -1;
    int gauche = -1;
    std::int32_t couleur = 0;
    bool operator==(const BordsFeuille&) const = default;
};

// Horizontal alignment codes: 1 general, 2 left, 3 centre, 4 right, 7 centred
// across the run.
struct CelluleFeuille {
    enum class Genre { Vide, Texte, Nombre };
    Genre genre = Genre::Vide;
    std::string texte;  // Windows-1252
    double nombre = 0;
    std::string format;  // "0.00", "0.00%" or empty (general)
    int alignement = 0;
    bool retourLigne = false;
    int alignementVertical = 0;
    std::optional<PoliceFeuille> police;
    std::optional<RemplissageFeuille> remplissage;
    BordsFeuille bords;
    std::int32_t couleurTexte = 0;
};

// The height of a row without a size of its own, in twips.
inline constexpr std::int32_t kHauteurLigneFeuille = 255;

// Rows and columns are 1-based.
struct PlageFeuille {
    int ligne1 = 0, colonne1 = 0, ligne2 = 0, colonne2 = 0;
    bool operator==(const PlageFeuille&) const = default;
};

class Feuille {
public:
    std::string nom;
    std::string titreImpression;
    int taillePolice = 10;
    std::map<int, std::int32_t> hauteurs;  // twips, rows given a height
    std::map<int, std::int32_t> largeurs;  // twips, columns given a width
    std::vector<int> sautsLignes;          // a page break before these rows
    std::vector<int> sautsColonnes;
    std::pair<int, int> lignesFixes{0, 0};  // repeated on every page; 0: none
    std::pair<int, int> colonnesFixes{0, 0};
    std::vector<PlageFeuille> fusions;

    // The cell, or null when nothing was ever put in it.
    const CelluleFeuille* Cellule(int ligne, int colonne) const;
    CelluleFeuille& CelluleModifiable(int ligne, int colonne);
    // Rows and columns in use: the last ones holding a cell.
    int LignesUtilisees() const;
    int ColonnesUtilisees() const;

    // Operations on a range of cells.
    void Texte(int ligne, int colonne, std::string texte);
    void Nombre(int ligne, int colonne, double nombre);
    void Format(const PlageFeuille& p, const std::string& format);
    void Vider(const PlageFeuille& p);  // values only; formats stay
    void Alignement(const PlageFeuille& p, int horizontal, bool retour, int vertical);
    void Remplir(const PlageFeuille& p, const RemplissageFeuille& r);
    // Sets the sides that are not -1.
    void Bords(const PlageFeuille& p, const BordsFeuille& b);
    void Police(const PlageFeuille& p, const PoliceFeuille& f);
    void CouleurTexte(const PlageFeuille& p, std::int32_t couleur);

private:
    template <class F>
    void Pour(const PlageFeuille& p, F&& f);
    std::map<std::pair<int, int>, CelluleFeuille> cellules_;  // (row, column)
};

class Classeur {
public:
    // Sheet n (1-based), made with the ones before it when missing.
    Feuille& FeuilleNumero(int n);
    const std::vector<Feuille>& Feuilles() const { return feuilles_; }

private:
    std::vector<Feuille> feuilles_;
};

}  // namespace korv::grid
