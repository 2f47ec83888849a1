#pragma once
// The formula functions that change cells of a grid of any page and
// recompute that page (CASECHANGEVARIABLE, ZONECASECHANGEVARIABLE), reveal
// or hide rows of a growing block (REVELERLIGNE, CACHERLIGNE), toggle the
// guided method's seen mark (CHANGEVUPASVU) and put page-number fields
// into the header and footer box (AJOUTENUMEROPAGE). Other codes go on to
// the next handler.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "formula/services.h"
#include "grid/fonctions_grille.h"

namespace korv::platform {
class BoiteMessage;
}

namespace korv::grid {

// The seen mark of the guided method's current step.
class MarqueVuEtape {
public:
    virtual ~MarqueVuEtape() = default;
    // `EtapeVuBascule`: the current step's seen mark toggled.
    virtual void EtapeVuBascule() = 0;
    // `EtapeImageVuPasVu`: the picture of the mark shown in that page object.
    virtual void EtapeImageVuPasVu(std::int16_t page, std::int16_t objet) = 0;
};

// The main window's rich-text box whose text becomes a printed header or
// footer; the print engine later turns its fields into page numbers.
class BoiteEnTetePied {
public:
    virtual ~BoiteEnTetePied() = default;
    // The selection reduced to the caret at its start (when there is one).
    virtual void SelectionVider() = 0;
    // The selection replaced by `texte`.
    virtual void SelectionRemplacer(std::string_view texte) = 0;
};

// Function codes.
namespace fonction_cases {
inline constexpr int CaseChangeVariable = 24;
inline constexpr int RevelerLigne = 27;
inline constexpr int CacherLigne = 28;
inline constexpr int ZoneCaseChangeVariable = 34;
inline constexpr int AjouteNumeroPage = 67;
inline constexpr int ChangeVuPasVu = 82;
}  // namespace fonction_cases

// The fields AJOUTENUMEROPAGE inserts.
inline constexpr std::string_view kChampNumeroPage = "<#NUMERO DE PAGE>";
inline constexpr std::string_view kChampNombrePages = "<#NOMBRE DE PAGES>";

class FonctionsCases final : public formula::ServicesFonctionsAction {
public:
    // An object's name as the scene stores it; "" when there is none.
    using NomObjet = std::function<std::string(std::int16_t page, std::int16_t objet)>;

    FonctionsCases(const AccesGrilles& acces, platform::BoiteMessage& messages, MarqueVuEtape& methode,
                   BoiteEnTetePied& enTetePied, NomObjet nomObjet, formula::ServicesFonctionsAction* suivant = nullptr);

    bool EvalueFonctionAction(int code, formula::PileValeurs& pile, int& n) override;
    void Suivant(formula::ServicesFonctionsAction* suivant) { suivant_ = suivant; }

private:
    void CaseChangeVariable(formula::PileValeurs& pile, int& n);
    void ZoneCaseChangeVariable(formula::PileValeurs& pile, int& n);
    void RevelerOuCacher(formula::PileValeurs& pile, int& n, bool reveler);
    void ChangeVuPasVu();
    void AjouteNumeroPage(formula::PileValeurs& pile, int n);

    AccesGrilles acces_;
    platform::BoiteMessage& messages_;
    MarqueVuEtape& methode_;
    BoiteEnTetePied& enTetePied_;
    NomObjet nomObjet_;
    formula::ServicesFonctionsAction* suivant_;
};

}  // namespace korv::grid
