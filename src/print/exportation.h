#pragma once
// An export run, as scripts drive it: EXPORTEDEBUT opens it, each
// EXPORTEOBJET adds a page object, EXPORTEFIN writes the result. Texts are
// gathered in a private rich-text work document (a grid exported into the
// text stands there as its placeholder "$TABLEAU_RTF,<sheet>,<mode>$"), and
// every exported grid becomes a sheet of the run's workbook. The end writes
// either the texts as an RTF file, the grids as RTF tables in it, or the
// sheets as an Excel 5 workbook or a tab-delimited text file.
//
// Whatever the end meets (a cancel, a No, a file that cannot be written),
// the run is closed: mode 0, work document and sheets released, the
// current page shown again; a failed write is then told to the user.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "print/ajout_objets.h"
#include "print/texte_travail.h"
#include "print/travail.h"

namespace korv::platform {
struct DemandeFichier;
}
namespace korv::rtf {
struct Document;
}

namespace korv::print {

// What the run reads of the scene besides what the print job reads.
class SourcesExport : public SourcesImpression {
public:
    // The object's name (a page's name is the name of its object 1).
    virtual std::string NomObjet(int page, int objet) = 0;
    // A tagged text (kind 4) as rich text.
    virtual rtf::Document TexteBaliseRtf(std::string_view texte) = 0;
};

// The platform edge of a run.
struct EnvironnementExport {
    // The progress window "Exportation" / "En cours...".
    std::function<void()> progressionOuvre;
    std::function<void()> progressionFerme;
    // The save dialog; false when cancelled.
    std::function<bool(platform::DemandeFichier&)> enregistrer;
    // "Voulez-vous écraser le fichier existant ?"; true for Yes.
    std::function<bool()> ecraser;
    // A file that could not be written (Windows-1252 message).
    std::function<void(std::string_view message)> echec;
    // The current page jumped to again, which redraws it.
    std::function<void()> pageReafficher;
    // `TableauLargeurUtileRTF`: the width, in twips, a table band may take.
    std::function<std::int64_t()> largeurUtile;
};

inline constexpr std::string_view kTitreExportTableaux = "Exporter des tableaux";
inline constexpr std::string_view kFiltreExportTableaux =
    "Excel 5/7 (*.xls)|*.xls|Texte d\xE9limit\xE9 (*.txt)|*.txt";
inline constexpr std::string_view kTitreExportTextes = "Exporter des textes";
inline constexpr std::string_view kFiltreExportTextes = "Texte RTF (*.rtf)|*.rtf";
inline constexpr std::string_view kQuestionEcraser = "Voulez-vous \xE9" "craser le fichier existant ?";

class Exportation {
public:
    Exportation(ImpressionTravail& travail, SourcesExport& sources, EnvironnementExport environnement);
    ~Exportation();

    // `ExportationFenetreOuvre`: the mode word, the progress window, a
    // fresh work document.
    void ExportationFenetreOuvre(std::int16_t mode);
    // `TexteRTFInsereTableaux`: one page object added; a grid into the text
    // when `dansTexte`, else as a sheet only. Before any opening it loads
    // the work document.
    void TexteRTFInsereTableaux(int page, int objet, bool dansTexte);
    // Plain text (Windows-1252) at the end of the gathered text, as the
    // method driver adds its page-break marker.
    void TexteAjouter(std::string_view texte);
    // `ExporteTextesOuTableaux`: 0 the texts to RTF, any other value the
    // sheets; then the end of the run.
    void ExporteTextesOuTableaux(std::int16_t genre);

    // What the run holds: whether it is open, its text, its sheets.
    bool Chargee() const { return charge_; }
    const TexteTravail& Texte() const { return texte_; }
    std::size_t NombreFeuilles() const { return feuilles_.size(); }

    // The RTF file's content as the end of a texts export writes it.
    std::string TexteRtfFinal();

private:
    void Charger();
    void Grille(int page, int objet, bool dansTexte);
    void TexteRiche(const SourcesImpression::Objet& o);
    void EcrireTableaux();
    void EcrireTextes();
    // The save dialog and the overwrite question; the chosen path (UTF-8)
    // or "" when the user stopped.
    std::string Cible(std::string_view titre, std::string_view filtre, std::string_view extension);
    void Ecrire(const std::string& chemin, const std::string& octets);

    ImpressionTravail& travail_;
    SourcesExport& sources_;
    EnvironnementExport env_;
    bool charge_ = false;
    TexteTravail texte_;
    std::vector<SourcesImpression::CopieGrille> feuilles_;
};

// The work document's tables: font 11 Arial, which the tables use, and the
// colours 1 black, 2 white and 8 white.
void TexteExportInitialiser(TexteTravail& texte);

}  // namespace korv::print
