#pragma once
// The one print job the program holds (`ImpressionTravail`): its settings
// (margins in twips, the printer's page, header and footer, numbering), the
// list of things to print that scripts fill, and the print items that
// pagination places. Lengths are twips; no Qt here.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "grid/graphique.h"
#include "print/feuille_imprimee.h"
#include "print/imprimante.h"

namespace korv::print {

inline constexpr double kTwipsParMillimetre = 56.7;

struct Rectangle {
    std::int32_t gauche = 0, haut = 0, droite = 0, bas = 0;
    bool operator==(const Rectangle&) const = default;
};

enum class GenreElement : std::uint8_t { Contenu = 0, Corps = 1, EnTete = 2, Pied = 3, TitreTableau = 4 };

// A chart copied for printing: its data as they were when it was added, and
// its share of the page ("PLEINE PAGE" or "75% PAGE").
struct GraphiqueImprime {
    grid::ContenuGraphique contenu;
    std::string Tag = "PLEINE PAGE";
};

// One item placed on a printed page. Sheets and charts are numbers in the
// job's copies (1-based), 0 for none.
struct ImpressionElement {
    Rectangle rectangle;
    std::string Texte;
    std::int32_t ElementTexte = 0;
    std::int32_t CaractereDebut = 0;
    std::int32_t CaractereFin = 0;
    std::int32_t Page = 0;
    GenreElement Genre = GenreElement::Contenu;
    int ObjetGraphique = 0;
    int ObjetTableau = 0;
    std::int32_t PremCol = 0, PremLig = 0, DernCol = 0, DernLig = 0;
    bool CentrageVertical = false;
    bool CentrageHorizontal = false;
    bool SansBords = false;
    bool operator==(const ImpressionElement&) const = default;
};

struct ImpressionEnTetePied {
    std::string EnTeteTexte;
    std::string PiedTexte;
    bool EnTeteAffiche = false;
    bool PiedAffiche = false;
    bool EnTetePremierePage = false;
    bool PiedPremierePage = false;
    std::int32_t EnTeteHauteur = 0;
    std::int32_t PiedHauteur = 0;
};

// Entries of the list of things to print besides texts and markers.
struct EntreeTableau {  // a grid's sheet copy
    int feuille = 0;
    bool operator==(const EntreeTableau&) const = default;
};
struct EntreeGraphique {  // a chart copy
    int graphique = 0;
    bool operator==(const EntreeGraphique&) const = default;
};
struct TableauAImprimer {  // one column band of a sheet, made by pagination
    int feuille = 0;
    std::int32_t PremLig = 1, PremCol = 1, DernCol = 1;
    bool operator==(const TableauAImprimer&) const = default;
};
// A String entry is an RTF text or one of the marker words.
using EntreeImpression = std::variant<std::string, EntreeTableau, EntreeGraphique, TableauAImprimer>;

namespace marqueur {
inline constexpr std::string_view SautDePage = "SAUTDEPAGE";
inline constexpr std::string_view DebutCentrageVertical = "DEBUTCENTRAGEVERTICAL";
inline constexpr std::string_view FinCentrageVertical = "FINCENTRAGEVERTICAL";
inline constexpr std::string_view DebutCentrageHorizontal = "DEBUTCENTRAGEHORIZONTAL";
inline constexpr std::string_view FinCentrageHorizontal = "FINCENTRAGEHORIZONTAL";
inline constexpr std::string_view SansBords = "NEPASIMPRIMERBORDS";
inline constexpr std::string_view AvecBords = "IMPRIMERBORDS";
inline constexpr std::string_view TitreTableau = "TITRETABLEAU";
inline constexpr std::string_view Sommaire = "MAJPAGESOMMAIRE";
// The summary placeholder: "<" + this + " " + entry title + ">".
inline constexpr std::string_view NumeroRubrique = "NUMERO DE PAGE RUBRIQUE";
}  // namespace marqueur

struct ImpressionTravail {
    bool SommaireActif = false;
    int SommaireDernierePage = 0;
    int SommaireDernierObjet = 0;
    int NumeroTitre = 0;
    std::int16_t ModeImpressionExport = 0;
    double MargeHaut = 0, MargeBas = 0, MargeDroite = 0, MargeGauche = 0, EcartPied = 0, EcartEnTete = 0;
    std::int32_t ImprimanteDecalageX = 0, ImprimanteDecalageY = 0;
    std::int32_t ImprimanteDroite = 0, ImprimanteBas = 0;
    // The offsets in twips before rounding, which the page geometry reads.
    double DecalageXTwips = 0, DecalageYTwips = 0;
    // The printer's scale extent (twips) read when the job started.
    double EchelleLargeur = 0, EchelleHauteur = 0;
    Rectangle EnTeteRectangle, PiedRectangle;
    std::vector<EntreeImpression> TextesAImprimer;
    std::vector<ImpressionElement> Elements;  // item k is Elements[k - 1]
    std::int32_t PremierNumero = 0;
    bool ApercuPrepare = false;
    std::int32_t NombreDePages = 0;
    ImpressionEnTetePied EnTetePied;
    // The copies the entries and items point at, kept until the next job.
    std::vector<std::unique_ptr<FeuilleImprimee>> feuilles;
    std::vector<GraphiqueImprime> graphiques;

    std::int32_t NombreElements() const { return static_cast<std::int32_t>(Elements.size()); }
};

// Starts a new job on the printer's page. A printer that reports 0
// millimetres or 0 pixels gives offsets 0.
void ImprimePrepareDebut(ImpressionTravail& t, std::uint8_t mode, const CaracteristiquesImprimante& imprimante);
// Millimetres to twips, unrounded.
void ImprimeMargesFixe(ImpressionTravail& t, double gauche, double haut, double droite, double bas, double pied,
                       double entete);
void ImprimeEnTeteFixe(ImpressionTravail& t, std::string texte, bool affiche, bool premierePage);
void ImprimePiedDePageFixe(ImpressionTravail& t, std::string texte, bool affiche, bool premierePage);

// The number printed on page n: n + PremierNumero - 1, or - 2 when page 1 is
// an unnumbered cover (neither header nor footer on page 1).
std::int32_t NumeroImprime(const ImpressionTravail& t, std::int32_t page);

// Appends one item; returns its index (1-based).
std::int32_t ImpressionElementAjouter(ImpressionTravail& t, ImpressionElement e);

}  // namespace korv::print
