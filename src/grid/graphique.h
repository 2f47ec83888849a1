#pragma once
// The chart of a kind-14 page object (`GraphiqueClasse`): filled from two
// grids of the scene — a parameter grid that describes the chart in fixed
// cells, and a data grid with one row per series and one column per
// category — into a plain model that the display draws. Each chart object
// has its own model, so two charts of a page never share their data.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formula/valeur.h"

namespace korv::grid {

class TableauClasse;

enum class GenreGraphique { Barres, BarresEmpilees, Lignes, Aires, Secteurs };

struct SerieGraphique {
    int colonneParametre = 0;  // the parameter column i that describes the series
    std::string legende;
    std::int32_t couleur = 0;  // background colour of (i, 11); negative: no fill
    bool invisible = false;
    float epaisseurLigne = 3.0f;
    bool bordVisible = false;  // edge of width 1 in black
    std::int32_t reglagePoints = 0;  // (i, 13): point mark, 0 none, 1 square, others round
    // Label mode: false = formatted values with `reglageEtiquette`, true = custom texts.
    bool etiquettesPerso = false;
    // Bits of a formatted label: 1 value, 2 share, 4 legend, 8 category.
    std::int32_t reglageEtiquette = 0;
    std::string formatValeurs = "#,##";
    std::string formatPourcentages = "0%";
    // Row 15, when (2, 15) is negative: 2 or 3 draws a series of a bar
    // chart as a line over the bars.
    std::int32_t reglageSerie = 0;
    bool imageAbsente = false;      // a picture was asked and its file is missing
    // Per category: the value, or nothing for a missing point.
    std::vector<std::optional<double>> valeurs;
    // Per category: the label text, or nothing for the formatted value.
    std::vector<std::optional<std::string>> etiquettes;
};

// What the chart shows, kept so that the drawing and the tests read it.
struct ContenuGraphique {
    std::int32_t genreBrut = 0;  // (2, 1)
    GenreGraphique genre = GenreGraphique::Barres;
    bool empile = false;  // (2, 15) positive
    std::string titre;    // empty: no title
    int taillePolice = 10;  // 10 on screen, 12 in print (the title is 12 when shown)
    std::string titreAxeCategories;  // axis 0
    std::string titreAxeValeurs;     // axis 1
    bool interrupteursAxes = false;  // (4, 5): grid lines across the plot
    int categories = 0;  // M
    int seriesNb = 0;    // N
    int origineLigne = 0;    // R0
    int origineColonne = 0;  // C0
    std::string image;       // absolute picture file of the points, or empty
    std::int16_t imageNumero = 0;  // 1 stretched over the bar, 2 repeated up it, else own size
    std::vector<SerieGraphique> series;       // by position 1..N
    double maxAbsolu = 0;
    std::string formatAxeValeurs = "0";  // "0,00", "0,0" or "0"
};

// The cell value converted as the chart asks (`MajDonneesValeur`):
// type 8 text, 4 Single, 17 Byte, 2 Integer, 3 Long, 5 Double, 11 Boolean,
// 512 Double or Null when the cell holds no number. A value out of range of
// the asked type raises the overflow error.
formula::Valeur MajDonneesValeur(int& type, int colonne, int ligne, TableauClasse& grille);

// A cell's value as the chart reads it: a formula still to be computed is
// computed first.
formula::Valeur ValeurCaseGraphique(TableauClasse& grille, int colonne, int ligne);

// The label text of a custom label: a leading number rewritten in French
// format ("12.5 k€" gives "12,5 k€").
std::string EtiquetteReformatee(std::string_view texte);
// x with `decimales` decimals, a space between thousands and a decimal comma.
std::string FormatFrancais(double x, int decimales, bool milliers);

struct EnvironnementGraphique {
    // The grid of "PAGE.OBJET" names (upper-cased); null when the object is
    // missing or no grid.
    std::function<TableauClasse*(std::string_view page, std::string_view objet)> grille;
    // The scene's folder made absolute file names; and whether a file exists.
    std::function<std::string(std::string_view fichier)> nomAbsolu;
    std::function<bool(const std::string& fichier)> fichierExiste;
};

class GraphiqueClasse {
public:
    // Rectangle in pixels of the page.
    void InitialiseRectangleParent(int gauche, int haut, int droite, int bas);
    int Gauche() const { return gauche_; }
    int Haut() const { return haut_; }
    int Largeur() const { return droite_ - gauche_ + 1; }
    int Hauteur() const { return bas_ - haut_ + 1; }

    // Finds both grids by their "PAGE.OBJET" names, then fills the model.
    // A name that finds no grid leaves the chart without data.
    void MajDonnees(std::string_view nom1, std::string_view nom2, bool impression, const EnvironnementGraphique& env);
    // Rebuilds the model from the two grids found.
    void MajDonneesTableau(bool impression, const EnvironnementGraphique& env);

    bool ADesDonnees() const { return parametres_ != nullptr; }
    const ContenuGraphique& Contenu() const { return contenu_; }
    TableauClasse* TableauParametres() const { return parametres_; }
    TableauClasse* TableauDonnees() const { return donnees_; }

private:
    int gauche_ = 0, haut_ = 0, droite_ = -1, bas_ = -1;
    TableauClasse* parametres_ = nullptr;
    TableauClasse* donnees_ = nullptr;
    ContenuGraphique contenu_;
};

}  // namespace korv::grid
