#pragma once
// What the formula language asks of the rest of the program: the scene's
// pages and objects, the grids, the system and the functions that act on
// grids, printing and pages. The engine implements these; tests use fakes.
// Pages and objects are numbered from 1; 0 means none. Grid cells are
// (stored column, stored row), bytes from 1.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formula/valeur.h"

namespace korv::formula {

class TableVariables;

struct CaseCoord {
    std::uint8_t colonne = 0;
    std::uint8_t ligne = 0;
    bool operator==(const CaseCoord&) const = default;
};

// One grid (`TableauClasse`), as formulas and references reach it.
class ServiceGrille {
public:
    virtual ~ServiceGrille() = default;

    virtual std::uint8_t ColonneNb() const = 0;
    virtual std::uint8_t LigneNb() const = 0;

    // The cell as the recalculation sees it; may be Null or an error value.
    virtual Valeur CaseValeurInternePendantCalcul(std::uint8_t colonne, std::uint8_t ligne) = 0;
    virtual std::uint8_t CaseType(std::uint8_t colonne, std::uint8_t ligne) = 0;
    virtual std::uint8_t CaseResultatType(std::uint8_t colonne, std::uint8_t ligne) = 0;
    virtual std::uint8_t CaseInvalidationCalculee(std::uint8_t colonne, std::uint8_t ligne) = 0;
    virtual std::string CaseValeurAAfficher(std::uint8_t colonne, std::uint8_t ligne) = 0;
    // Cell of that name (upper case); nullopt when the grid has none.
    virtual std::optional<CaseCoord> CaseNomCoordonnees(std::string_view nom) = 0;

    virtual void CaseUtilisateurChange(std::uint8_t colonne, std::uint8_t ligne, std::string_view texte,
                                       bool drapeau) = 0;
    virtual void CaseFichierChange(std::uint8_t colonne, std::uint8_t ligne, std::string_view texte) = 0;
    virtual void CaseCouleurTexteChange(std::uint8_t colonne, std::uint8_t ligne, std::int32_t couleur) = 0;
    virtual void CaseCouleurFondChange(std::uint8_t colonne, std::uint8_t ligne, std::int32_t couleur) = 0;
    virtual void RecalculSansInit() = 0;

    // Registers cell (page, objet, colonne, ligne)'s formula as a dependant
    // of cell (colonne, ligne) of this grid.
    virtual void ReferenceDeAjoute(std::uint8_t colonne, std::uint8_t ligne, std::int16_t pageProprietaire,
                                   std::int16_t objetProprietaire, std::uint8_t colonneProprietaire,
                                   std::uint8_t ligneProprietaire) = 0;

    // Zones: first column, first row, last column, last row.
    virtual void ZonePlier(std::uint8_t c1, std::uint8_t l1, std::uint8_t c2, std::uint8_t l2) = 0;
    virtual void ZoneDeplier(std::uint8_t c1, std::uint8_t l1, std::uint8_t c2, std::uint8_t l2) = 0;
    virtual void ZoneRendVisible(std::uint8_t c1, std::uint8_t l1, std::uint8_t c2, std::uint8_t l2) = 0;
    virtual void ZoneRendInvisible(std::uint8_t c1, std::uint8_t l1, std::uint8_t c2, std::uint8_t l2) = 0;
    virtual void InvalidationZoneRendInvalide(std::uint8_t c1, std::uint8_t l1, std::uint8_t c2,
                                              std::uint8_t l2) = 0;
    virtual void InvalidationZoneRendValide(std::uint8_t c1, std::uint8_t l1, std::uint8_t c2,
                                            std::uint8_t l2) = 0;

    virtual std::uint8_t DecalageColonne() const = 0;
    virtual std::uint8_t DecalageLigne() const = 0;
    virtual void DecalageColonneChange(std::int16_t colonne) = 0;
    virtual void DecalageLigneChange(std::uint8_t ligne) = 0;
    virtual void ColonneTriChoisir(std::int16_t colonne) = 0;
    virtual void ColonneBloquer(std::uint8_t premiere, std::uint8_t seconde) = 0;
    virtual void ColonneDebloquer(std::uint8_t colonne) = 0;
    virtual void MemorisePliageLigne() = 0;
    virtual void LigneDefileAuto() = 0;
};

// An object's entry in the list of displayed objects (play mode).
struct EntreeAffichee {
    std::int32_t clicX = 0;
    std::int32_t clicY = 0;
    std::int16_t textePage = 0;         // page of a long text shown
    std::int32_t texteLigne = 0;
    std::int32_t texteSelectionLigne = 0;
};

// Pages and objects of the scene.
class ServicesScene {
public:
    virtual ~ServicesScene() = default;

    // Names compared as the engine does (upper case, trimmed by the caller).
    virtual std::int16_t NumeroDePage(std::string_view nom) const = 0;
    virtual std::int16_t NumeroObjet(std::int16_t page, std::string_view nom) const = 0;
    virtual std::int16_t PageNb() const = 0;
    virtual std::int16_t ObjetNb(std::int16_t page) const = 0;
    // Object kind (`TypeObjet`: 12 grid, 14 chart, ...); 0 when there is none.
    virtual std::uint8_t TypeObjet(std::int16_t page, std::int16_t objet) const = 0;
    virtual std::int16_t PageCourante() const = 0;
    // `ModeProgramme`: 3 in play.
    virtual std::int16_t ModeProgramme() const = 0;

    // The grid of that object; nullptr when the object is missing or no grid.
    virtual ServiceGrille* Grille(std::int16_t page, std::int16_t objet) = 0;

    virtual std::int16_t ObjetEntierA1(std::int16_t page, std::int16_t objet) const = 0;
    // The object's text with its tags removed.
    virtual std::string ObjetTexteDecode(std::int16_t page, std::int16_t objet) const = 0;
    virtual void ObjetTexteChange(std::int16_t page, std::int16_t objet, std::string_view texte) = 0;
    virtual std::optional<EntreeAffichee> ObjetAffiche(std::int16_t page, std::int16_t objet) const = 0;
    virtual std::int32_t DernierSourisX() const = 0;
    virtual double EchelleEcranY() const = 0;
    virtual std::int16_t TexteNLigneVersNPage(std::int16_t page, std::int16_t objet, std::int32_t ligne) const = 0;
    // Int(position × step factor ÷ path length) of the object's sprite;
    // nullopt without sprite or path.
    virtual std::optional<double> PositionSurChemin(std::int16_t page, std::int16_t objet) const = 0;
    // Redraws the object and copies it to the window; throws ErreurExecution
    // (65000) when the copy fails.
    virtual void Reaffiche(std::int16_t page, std::int16_t objet) = 0;
    // Clears the recalculation marks of every grid of every page.
    virtual void TableauxParcouruRecalculReinit() = 0;
};

// The system and the user.
class ServicesSysteme {
public:
    virtual ~ServicesSysteme() = default;

    virtual std::int16_t LangueCourante() const = 0;
    virtual std::int32_t Temps() const = 0;           // millisecond tick, 32-bit
    virtual std::int32_t DebutPageTemps() const = 0;  // tick when the page started
    virtual double Hasard() = 0;                      // in [0, 1)
    virtual std::int32_t BitsParPixel() const = 0;
    // Modal message box; returns the button code (6 yes, 7 no, 2 cancel, ...).
    virtual std::int32_t Question(std::string_view message, std::int32_t boutons, std::string_view titre) = 0;
    // Word of an order status, from the business-plan layer.
    virtual std::string CommandeStatutLibelle(double statut) const = 0;
};

// Value stack of an evaluation: slots 0..n-1, the top at n-1. A function
// taking k arguments reads them from pile[n-k] up, leaves its result in
// pile[n-k] and sets n; the evaluator trims the vector to n afterwards.
using PileValeurs = std::vector<Valeur>;

// The built-in functions that act on grids, printing, export and pages.
class ServicesFonctionsAction {
public:
    virtual ~ServicesFonctionsAction() = default;
    // False when the function is not available here (stack left untouched).
    virtual bool EvalueFonctionAction(int code, PileValeurs& pile, int& n) = 0;
};

// Everything one evaluation or compilation reaches outside itself.
struct ServicesFormule {
    ServicesScene& scene;
    ServicesSysteme& systeme;
    TableVariables& variables;
    ServicesFonctionsAction* actions = nullptr;  // null: none available
};

}  // namespace korv::formula
