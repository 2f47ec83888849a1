#pragma once
// `ImprimeAjouteObjet`: one page object (a rich text, a grid or a chart) or
// one page command turned into entries of the job's list of things to
// print. Rich texts are cut at the page-break marker and their cell
// references replaced by the cells' display texts; grids are copied onto a
// sheet under their print title; charts are refreshed from their grids and
// given their page share; commands become marker words. In summary mode a
// grid or a chart brings its page's commentary text after it.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "formula/valeur.h"
#include "print/texte_travail.h"
#include "print/travail.h"

namespace korv::print {

// What the job reads of the scene and its grids and charts.
class SourcesImpression {
public:
    virtual ~SourcesImpression() = default;
    struct Objet {
        int type = 0;        // 12 grid, 13 rich text, 14 chart
        int drapeaux = 0;    // bit value 2 on a rich text: its text field holds the text
        std::string texte;   // the text field
        std::string fichier; // the file name
    };
    virtual int NombreObjets(int page) = 0;
    // Null when the object does not exist.
    virtual std::optional<Objet> ObjetPage(int page, int objet) = 0;
    // The content of a rich-text file; nothing when it is missing.
    virtual std::optional<std::string> FichierLu(std::string_view fichier) = 0;
    // The grid of a kind-12 object copied onto a sheet for printing, with
    // its print title; null when the object holds no grid.
    struct CopieGrille {
        std::unique_ptr<FeuilleImprimee> feuille;
        std::string titre;
    };
    virtual std::optional<CopieGrille> CopierGrille(int page, int objet) = 0;
    // Every grid of the page recalculated, then the chart's data read from
    // the grids its text field names.
    virtual grid::ContenuGraphique CopierGraphique(int page, int objet) = 0;
    // `CaseReferenceValeur`: the display text of "page,object,cell"; nothing
    // when the page, the object (a grid) or the cell is not found.
    virtual std::optional<std::string> CaseReferenceValeur(std::string_view reference) = 0;
};

inline constexpr std::string_view kMarqueurNouvellePage = "<...nouvelle page...>";

class AjoutObjets {
public:
    AjoutObjets(ImpressionTravail& travail, SourcesImpression& sources) : t_(travail), sources_(sources) {}

    // Page -1: `objet` is a page command (0..9) and `titre` the summary
    // entry's title of command 5. `options`: element 1 first.
    void ImprimeAjouteObjet(int page, int objet, std::string_view titre, std::span<const formula::Valeur> options);
    // `PageTexteRicheCherche`: the page's commentary text, or (0, 0).
    std::pair<int, int> PageTexteRicheCherche(int page);

private:
    void TexteRiche(const SourcesImpression::Objet& o, std::span<const formula::Valeur> options);
    void Grille(int page, int objet);
    void Graphique(int page, int objet);
    void CommandePage(int code, std::string_view titre);
    void ReferencesRemplacer();
    void Ajoute(std::string entree);

    ImpressionTravail& t_;
    SourcesImpression& sources_;
    TexteTravail boite_;
};

// `PageTexteRicheCherche`: the page's commentary text (its first rich text
// kept in the plan, when that text is not empty), or (0, 0).
std::pair<int, int> PageTexteRicheCherche(SourcesImpression& sources, int page);

// `SautsDePageFinalsRetirer`: the page breaks that end the list removed
// (layout markers between them and the last content stay).
void SautsDePageFinalsRetirer(ImpressionTravail& t);

}  // namespace korv::print
