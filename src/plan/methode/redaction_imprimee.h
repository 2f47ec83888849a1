#pragma once
// The written plan printed or exported: one step (its title with its
// chapter number, its written text, the tables of its table pages), every
// step with content in order with page breaks before chapters, the short
// plan of the introduction and the first chapter's two steps, and the
// method's own explanation texts. Each step is composed on a private work
// document, handed on through the method text page's object METAUTOMET.MET
// (whose text is given back afterwards), to the print job or to the
// export box. The table of contents is built here too, on a private
// document that stays as the contents box searched by scripts.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rtf/document_travail.h"

namespace korv::engine {
struct Scene;
}
namespace korv::formula {
class TravailImpression;
}

namespace korv::plan {

class MethodeEtapes;
struct EtapeMethode;

struct ServicesRedactionImprimee {
    engine::Scene* scene = nullptr;
    MethodeEtapes* etapes = nullptr;
    // The print job (objects, page commands) and the export run (objects).
    formula::TravailImpression* travail = nullptr;
    // The job's mode word, set around a table page's script.
    std::function<void(std::int16_t)> modeFixer;
    // Runs a script once on the current page.
    std::function<void(std::string_view)> scriptExecuter;
    // Whether the grid object holds a user entry.
    std::function<bool(int page, int objet)> grilleSaisie;
    // Appends plain text (the page-break marker) at the end of the export box.
    std::function<void(std::string_view)> exportTexteAjouter;
    // A step's explanation file ("MET", "EXP", "SAV"); nothing when missing.
    std::function<std::optional<std::string>(std::string_view code, std::string_view genre)> texteMethodeLire;
    // A clear message to the user.
    std::function<void(std::string_view)> signaler;
};

class RedactionImprimee {
public:
    explicit RedactionImprimee(ServicesRedactionImprimee services) : s_(std::move(services)) {}

    // `SautDePageImprimeExporte`.
    void SautDePageImprimeExporte(bool exporte);
    // `EtapeImprimeExporte`: step `etape` (1-based); `prefixe` goes before
    // the title (never for step "31"). Step 0 is reported.
    void EtapeImprimeExporte(int etape, bool exporte, std::string_view prefixe);
    // `RedactionImprimeExporte`: "REDACTIONNEL" (print or export) or
    // "REDACSYNTHETIQUE" (print only).
    void RedactionImprimeExporte(std::string_view nom, bool exporte);
    // `MethodeTextesExporte`: options hold "SAVOIRPLUS" and/or "EXEMPLE".
    void MethodeTextesExporte(std::string_view options);

    // `EtapeTableauxPages`: the step's table pages; {0} when it has none
    // or one of them is missing from the scene.
    std::vector<int> EtapeTableauxPages(const EtapeMethode& etape) const;
    // `TableauPageEstSaisie`: the page's main grid holds a user entry.
    bool TableauPageEstSaisie(int page) const;
    // `SommaireEtapesMarquer` with this scene's tables.
    void SommaireEtapesMarquer();

    // `SommaireMettreAJour`: the contents into that page object; with
    // `numeros` each line carries its page-number placeholder.
    void SommaireMettreAJour(int page, int objet, bool numeros);
    // The contents box: what the last contents built holds.
    const rtf::DocumentTravail& Sommaire() const { return sommaire_; }

private:
    // The page METAUTOMET and its object MET, or nothing (reported).
    std::optional<std::pair<int, int>> ObjetMethode();
    bool TableauRempli(const EtapeMethode& etape) const;
    void TableauxImprimeExporte(const EtapeMethode& etape, bool exporte);

    ServicesRedactionImprimee s_;
    rtf::DocumentTravail sommaire_;
};

// The grid object of a table page ("RD" for "TABANVAR"); "" for a page
// that is not a table page.
std::string_view TableauPageGrille(std::string_view page);

}  // namespace korv::plan
