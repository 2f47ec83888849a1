#pragma once
// The spreadsheet grid of a kind-12 page object (`TableauClasse`): its rows,
// columns and cells, the displayed order with frozen and bottom-pinned rows,
// the layout inside the object's rectangle, sorting, print attributes and
// loading from the scene's grid records. Rows and columns are 1-based; a
// stored index addresses the arrays, a displayed index the screen.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "formula/services.h"
#include "grid/case_tableau.h"
#include "grid/contexte_calcul.h"
#include "grid/donnees_utilisateur.h"
#include "grid/impression_attribut.h"

namespace korv {
class BinaryWriter;
}
namespace korv::formula {
struct ExpressionUDT;
}
namespace korv::platform {
class BoiteMessage;
class ChronoBulleTableau;
class MagasinReglages;
}

namespace korv::grid {

struct GrilleEnregistrement;
class TableauClasse;

inline constexpr int kMaxLignesColonnes = 255;
inline constexpr std::int16_t kColonneLargeurStandard = 1200;
inline constexpr std::int16_t kLigneHauteurStandard = 500;

// `LigneColonneTableau`: one record per row and per column.
//   row:    Bord1 top, Bord2 bottom, Marque1 saved fold, Marque2 lock, Marque3 displayed index
//   column: Bord1 right, Bord2 left, Marque1 lock, Marque2 displayed index, Marque3 sort mark
struct LigneColonneTableau {
    std::int32_t Bord1 = 0;
    std::int32_t Bord2 = 0;
    std::int16_t Taille = 0;
    std::int16_t Pliee = 0;  // -1 folded
    std::int16_t Marque1 = 0;
    std::int16_t Marque2 = 0;
    std::int16_t Marque3 = 0;
    ImpressionTableauAttribut AttributImpression;
};

// `SelectionTableau`, in displayed indexes.
struct SelectionTableau {
    std::int16_t Valide = 0;
    std::int16_t HautGaucheLigne = 0;
    std::int16_t HautGaucheColonne = 0;
    std::int16_t BasDroiteLigne = 0;
    std::int16_t BasDroiteColonne = 0;
    std::int16_t CadreLigne = 0;
    std::int16_t CadreColonne = 0;
    std::int16_t PremiereColonne = 0;  // where the user started
    std::int16_t DerniereColonne = 0;  // where the selection ends
    std::int16_t PremiereLigne = 0;
    std::int16_t DerniereLigne = 0;
    bool operator==(const SelectionTableau&) const = default;
};

// Displayed position (bounds -k..n, 0 holding nothing) to stored index.
class Correspondance {
public:
    void Construit(const std::vector<int>& negatifs, const std::vector<int>& positifs);
    // 0 for position 0 and outside the bounds.
    int Lit(int position) const;
    int Bas() const { return -static_cast<int>(negatifs_.size()); }
    int Haut() const { return static_cast<int>(positifs_.size()); }

private:
    std::vector<int> negatifs_;  // position -1 first
    std::vector<int> positifs_;  // position 1 first
};

// What a grid asks of the program around it.
class EnvironnementGrille {
public:
    virtual ~EnvironnementGrille() = default;
    // `ModeProgramme` 3.
    virtual bool EnJeu() const = 0;
    // The grid of a page object, for the dependants of a cell; null when none.
    virtual TableauClasse* Grille(std::int16_t page, std::int16_t objet) = 0;
    // Draws the grid again into the page buffer where it is shown.
    virtual void RedessineSiAffiche(std::int16_t page, std::int16_t objet) = 0;
    // Empties then rebuilds the dependants lists of every grid.
    virtual void TableauxReferencesRecreer() = 0;
    // `RecalculSansInit` on every grid of the current page.
    virtual void PageCouranteRecalculSansInit() = 0;
};

class TableauClasse final : public formula::ServiceGrille {
public:
    TableauClasse();
    ~TableauClasse() override;
    TableauClasse(const TableauClasse&) = delete;
    TableauClasse& operator=(const TableauClasse&) = delete;

    // The page object that holds the grid, and the program around it.
    void Identite(std::int16_t page, std::int16_t objet) {
        page_ = page;
        objet_ = objet;
    }
    std::int16_t Page() const { return page_; }
    std::int16_t Objet() const { return objet_; }
    void Environnement(EnvironnementGrille* e) { env_ = e; }
    // Formula services and scripts for computing; without them a formula
    // cell to be computed raises the missing-service error.
    void Calcul(ContexteCalcul* c) { calcul_ = c; }
    // The state shared with the other grids of the scene (marks generation,
    // depth); null: the grid's own.
    void EtatCalculPartage(EtatCalcul* e) { etat_ = e ? e : &etatPropre_; }

    // ------------------------------------------------------------ structure
    std::uint8_t ColonneNb() const override { return static_cast<std::uint8_t>(colonneNb_); }
    std::uint8_t LigneNb() const override { return static_cast<std::uint8_t>(ligneNb_); }
    std::uint8_t DecalageColonne() const override { return static_cast<std::uint8_t>(decalageColonne_); }
    std::uint8_t DecalageLigne() const override { return static_cast<std::uint8_t>(decalageLigne_); }
    std::int16_t LignePremiereAffichee() const { return static_cast<std::int16_t>(decalageLigne_); }
    std::int16_t LignesAfficheesNb() const { return static_cast<std::int16_t>(lignesAfficheesNb_); }
    std::int16_t ColonnesAfficheesNb() const { return static_cast<std::int16_t>(colonnesAfficheesNb_); }
    std::uint8_t LignesBloqueesNb() const { return static_cast<std::uint8_t>(lignesBloqueesNb_); }
    std::uint8_t ColonnesBloqueesNb() const { return static_cast<std::uint8_t>(colonnesBloqueesNb_); }
    std::int16_t LignesBasColleesEnBasValeur() const { return lignesBasColleesEnBas_; }
    void LignesBasColleesEnBasChange(std::int16_t v) { lignesBasColleesEnBas_ = v; }

    // Records; the caller passes an index within 1..count.
    const LigneColonneTableau& Ligne(int r) const { return lignes_[static_cast<std::size_t>(r - 1)]; }
    const LigneColonneTableau& Colonne(int c) const { return colonnes_[static_cast<std::size_t>(c - 1)]; }

    // Edges in twips from the rectangle's top-left; 0 outside the grid.
    std::int32_t ColonneGauche(int c) const;
    std::int32_t ColonneDroite(int c) const;
    std::int16_t ColonneLargeur(int c) const;
    std::int32_t LigneHaut(int r) const;
    std::int32_t LigneBas(int r) const;
    std::int16_t LigneHauteur(int r) const;
    std::int16_t LigneEstPLiee(int r) const;

    int LigneAfficheeVersStockee(int affichee) const { return lignesAffichees_.Lit(affichee); }
    int ColonneAfficheeVersStockee(int affichee) const { return colonnesAffichees_.Lit(affichee); }
    int LigneStockeeVersAffichee(int r) const;
    int ColonneStockeeVersAffichee(int c) const;
    const Correspondance& CorrespondanceLignes() const { return lignesAffichees_; }
    const Correspondance& CorrespondanceColonnes() const { return colonnesAffichees_; }

    int LignesNonPlieesNb() const;
    int LignesRangNonPliee(int& rang) const;
    int ColonnesNonPlieesNb() const;
    int ColonnesRangNonPliee(int& rang) const;
    bool LignePrecedenteAffichableExiste(int r) const;
    bool ColonnePrecedenteAffichableExiste(int c) const;

    // Insert and delete. A 256th row or column is refused with the
    // overflow error and changes nothing. Callers lay the grid out after.
    void LigneInsere(std::int16_t hauteur, int position);
    void ColonneInsere(std::int16_t largeur, int position);
    void LigneSupprime(int position);
    void ColonneSupprime(int position);
    void LigneNbChange(int n);
    void ColonneNbChange(int n);

    void LigneChangeTaille(int r, std::int16_t hauteur);
    void ColonneChangeTaille(int c, std::int16_t largeur);
    void UniformiseHauteurs();
    void UniformiseLargeurs();

    // Locks: 0 scrolls; n > 0 frozen at displayed position n; for rows,
    // n < 0 pinned from the bottom. Values outside a lock's range are refused.
    void LigneBloquer(int r, int n);
    void LigneBloquerEnBas(int r, int n);
    void LigneDebloquer(int r);
    void ColonneBloquer(int c, int n);
    void ColonneBloquer(std::uint8_t colonne, std::uint8_t position) override {
        ColonneBloquer(static_cast<int>(colonne), static_cast<int>(position));
    }
    void ColonneDebloquer(std::uint8_t colonne) override;

    // Scrolling.
    void DecalageColonneChange(std::int16_t colonne) override;
    void DecalageLigneChange(std::uint8_t ligne) override;
    void DecalageLimiteSimple();
    void DecalageLimiteTaille();
    void DemandeDecalageLigne(int r);
    std::uint8_t LigneDemandee() const { return static_cast<std::uint8_t>(ligneDemandee_); }
    void LigneDefileAuto() override;

    void TailleChange(int colonnes, int lignes);
    void TailleChangePreserve(int colonnes, int lignes);
    // Rebuilds the displayed maps and the edges.
    void TailleCalculMaj();
    void InitialiseRectangleParent(std::int32_t gauche, std::int32_t haut, std::int32_t droite, std::int32_t bas);
    // `RectangleParent`, page twips.
    std::int32_t RectangleGauche() const { return rectGauche_; }
    std::int32_t RectangleHaut() const { return rectHaut_; }
    std::int32_t RectangleDroite() const { return rectDroite_; }
    std::int32_t RectangleBas() const { return rectBas_; }

    // Selection (displayed indexes).
    const SelectionTableau& Selection() const { return selection_; }
    void SelectionChange(const SelectionTableau& s) { selection_ = s; }
    bool SelectionEstValide() const { return selection_.Valide != 0; }
    void SelectionnerRien();
    bool CaseAfficheeDansSelection(int colonneAffichee, int ligneAffichee) const;
    // The fill corner is held (`ExtensionEnCours`), and one operation is
    // entering values into many cells (`SaisieMultipleEnCours`).
    bool ExtensionEnCours() const { return extensionEnCours_; }
    void ExtensionEnCoursChange(bool v) { extensionEnCours_ = v; }
    bool SaisieMultipleEnCours() const { return saisieMultipleEnCours_; }
    void SaisieMultipleEnCoursChange(bool v) { saisieMultipleEnCours_ = v; }

    // Merged runs within a row (stored indexes): the run's first and last
    // columns; 0 when the cell is not merged.
    int FusionPremiereColonne(int c, int r) const;
    int FusionDerniereColonne(int c, int r) const;
    std::uint8_t CaseFusion(int c, int r) const { return Attribut(c, r).Fusion; }
    // The cell's content as a user or a click sets it (no recalculation).
    void CaseTexteChange(int c, int r, std::string_view texte);

    bool AEteCopie() const { return aEteCopie_ != 0; }
    std::uint8_t OrigineCopieColonne() const { return origineCopieColonne_; }
    std::uint8_t OrigineCopieLigne() const { return origineCopieLigne_; }

    // ---------------------------------------------------------------- cells
    // Cells outside the grid read as the default cell and ignore changes.
    bool DansGrille(int c, int r) const { return c >= 1 && c <= colonneNb_ && r >= 1 && r <= ligneNb_; }
    const CaseTableau* Case(int c, int r) const;
    const TableauCaseAttributClasse& Attribut(int c, int r) const;

    std::int32_t CaseCouleurFond(int c, int r) const { return Attribut(c, r).CouleurFond; }
    void CaseCouleurFondChange(std::uint8_t colonne, std::uint8_t ligne, std::int32_t couleur) override;
    std::int32_t CaseCouleurTexte(int c, int r) const { return Attribut(c, r).CouleurTexte; }
    void CaseCouleurTexteChange(std::uint8_t colonne, std::uint8_t ligne, std::int32_t couleur) override;
    bool CaseEstEditable(int c, int r) const { return Attribut(c, r).Editable != 0; }
    void CaseEstEditableChange(int c, int r, bool editable);
    std::string CaseFichier(int c, int r) const { return Attribut(c, r).Fichier; }
    void CaseFichierChange(std::uint8_t colonne, std::uint8_t ligne, std::string_view nom) override;
    std::string CaseNom(int c, int r) const { return Attribut(c, r).Nom; }
    void CaseNomChange(int c, int r, std::string_view nom);
    std::string CaseScript(int c, int r) const { return Attribut(c, r).Script; }
    void CaseScriptChange(int c, int r, std::string_view texte);
    std::uint8_t CaseType(std::uint8_t colonne, std::uint8_t ligne) override;
    void CaseTypeChange(int c, int r, std::uint8_t type);
    std::string CaseEditeur(int c, int r) const;
    std::uint8_t CaseResultatType(std::uint8_t colonne, std::uint8_t ligne) override;
    void CaseResultatTypeChange(int c, int r, std::uint8_t type);
    std::string CaseBulle(int c, int r) const { return Attribut(c, r).Bulle; }
    void CaseBulleChange(int c, int r, std::string_view texte);
    std::uint8_t CaseInvisible(int c, int r) const { return Attribut(c, r).Invisible; }
    std::int16_t CaseSousFormat(int c, int r) const { return Attribut(c, r).SousFormat; }
    void CaseSousFormatChange(int c, int r, std::int16_t sousFormat);
    std::string CaseResultatInterne(int c, int r) const;

    // The invalidation byte and its modes.
    std::uint8_t CaseInvalidationStockee(int c, int r) const { return Attribut(c, r).Invalidation; }
    std::uint8_t CaseInvalidationCalculee(std::uint8_t colonne, std::uint8_t ligne) override;
    void CaseInvalidationStockeeChange(int c, int r, std::uint8_t etat);
    bool CaseInvalidationEditionEffaceEntree(int c, int r) const;
    void CaseInvalidationEditionEffaceEntreeChange(int c, int r, bool v);
    bool CaseInvalidationParEntree(int c, int r) const;
    void CaseInvalidationParEntreeChange(int c, int r, bool v);
    std::uint8_t CaseInvalidationParEntreeSens(int c, int r) const;
    void CaseInvalidationParEntreeSensChange(int c, int r, std::uint8_t sens);
    bool CaseInvalidationParSomme(int c, int r) const;
    void CaseInvalidationParSommeChange(int c, int r, bool v);

    std::optional<formula::CaseCoord> CaseNomCoordonnees(std::string_view nom) override;
    bool TableauEstIlSaisi() const;
    void ImprimeChangeColonneLargeurMinimale(int c, std::int32_t largeur);

    // ----------------------------------------- values and dependants
    // The cell's value as the recalculation sees it, computing a formula
    // cell that is to be computed.
    formula::Valeur CaseValeurInternePendantCalcul(std::uint8_t colonne, std::uint8_t ligne) override;
    void ReferenceDeAjoute(std::uint8_t colonne, std::uint8_t ligne, std::int16_t pageProprietaire,
                           std::int16_t objetProprietaire, std::uint8_t colonneProprietaire,
                           std::uint8_t ligneProprietaire) override;
    void ReferenceDeSupprimerToutes();
    // Registers every formula of the grid with the cells it reads.
    void ReferenceDeCreer(std::int16_t page, std::int16_t objet, formula::ServicesScene& scene);
    void ReferenceVersCreerToutes();
    // Recompiles every formula from its text; block-loaded formulas ("=#")
    // keep theirs, their source being gone.
    void ExpressionRecoderToutes();
    formula::ExpressionClasse* Expression(int c, int r);
    bool ParcouruRecalcul(int c, int r) const;
    void ParcouruRecalculChange(int c, int r, bool v);
    void ParcouruRecalculTableauReinit();
    // Marks the dependants of a cell to be computed, transitively.
    void RecalculInvaliderRecursivement(int c, int r, bool forcer);
    void RecalculInvalider();
    void RecalculInvaliderCalculIndependants();
    void RecalculSansInit() override;
    void RecalculAvecInit();
    std::int32_t NbFormules() const;
    // A formula typed into a non-text cell, computed once.
    std::string EntreeUtilisateurEvalueExpression(std::string_view texte);

    // ------------------------------------------- entries and cell scripts
    // The cell an edit opened on (column, row) goes to, and the text the
    // edit box starts with; nothing when no edit opens there. The caller
    // opens the edit box.
    struct EditionCase {
        int colonne = 0;
        int ligne = 0;
        std::string texte;
    };
    std::optional<EditionCase> CaseEditer(int c, int r);
    // Runs the cell's script for an event ("SUR RECALCUL"); true when the
    // script left the current page. The script is compiled at its first
    // event after each change, so that its faults are told once.
    bool DeclencheSur(int c, int r, std::string_view evenement);
    // `RecoderScript`: compiles the cell's script again now (nothing for a
    // cell without one); `ScriptRecoderTous`: every cell's.
    void ScriptRecoder(int c, int r);
    void ScriptRecoderTous();
    // A user's entry (play): converted in place by the display type, stored,
    // dependants invalidated. Neither recalculates nor redraws.
    void CaseUtilisateurChange(std::uint8_t colonne, std::uint8_t ligne, std::string_view texte,
                               bool drapeau) override;
    void CaseUtilisateurChangeRef(int c, int r, std::string& texte, bool complet);
    // The cell's "SUR FINEDITION"; true when it left the page.
    bool CaseUtilisateurChangeDeclenche(int c, int r) { return DeclencheSur(c, r, "SUR FINEDITION"); }
    // A new source text (editor).
    void CaseEditeurChange(int c, int r, std::string_view texte);
    void InitialiseCaseUtilisateur(int c, int r, bool declencher);
    void InitialiseUtilisateur();
    void ZoneSaisieOuCalculFixe(int c1, int r1, int c2, int r2);

    // --------------------------------------------------------------- zones
    void InvalidationZoneRendInvalide(std::uint8_t c1, std::uint8_t l1, std::uint8_t c2, std::uint8_t l2) override;
    void InvalidationZoneRendValide(std::uint8_t c1, std::uint8_t l1, std::uint8_t c2, std::uint8_t l2) override;
    // 1 when the zone holds an entry or an action-plan cell; a whole column
    // (rows 0) or row (columns 0) is widened in place.
    std::int16_t ZoneContientSaisie(int& c1, int& r1, int& c2, int& r2) const;
    std::int16_t ZoneEstElleVide(int c1, int r1, int c2, int r2) const;
    bool ZoneEstPlanAction(int c1, int r1, int c2, int r2) const;

    // ----------------------------------- frames, merges and zone colours
    // Plan-action cells (background -23..-18) carry their frame sides as a
    // leading control character: 1 top, 2 right, 4 bottom, 8 left. Other
    // cells are left alone. Zones are (c1, r1, c2, r2), stored indexes; a
    // zone not inside the grid changes nothing and tests false.
    void CadreCaseAjoute(int c, int r, std::uint8_t bits);
    void CadreCaseEnleve(int c, int r, std::uint8_t bits);
    bool CadreCaseExiste(int c, int r, std::uint8_t bits) const;
    bool CadreZoneExiste(int c1, int r1, int c2, int r2) const;
    // The frame on (off) the border sides of the zone's cells.
    void CadreZoneMettre(int c1, int r1, int c2, int r2);
    void CadreZoneEnlever(int c1, int r1, int c2, int r2);
    void CadreZoneChanger(int c1, int r1, int c2, int r2);
    bool FusionZoneExiste(int c1, int r1, int c2, int r2) const;
    // Each row made only of plan-action cells becomes one run.
    void FusionZoneMettre(int c1, int r1, int c2, int r2);
    void FusionZoneEnlever(int c1, int r1, int c2, int r2);
    void FusionZoneChanger(int c1, int r1, int c2, int r2);
    // Background := -code; a plan-action code replaces plan-action codes only.
    void ZoneChangeFond(int c1, int r1, int c2, int r2, std::uint8_t code);
    // Greys (stored state 2) or ungreys (1) the target zone from the states
    // of the test zone's cells, by mode 1, 2, 3, 4 or 6; other modes leave it.
    void ZoneGriseAuto(int tc1, int tr1, int tc2, int tr2, int c1, int r1, int c2, int r2, std::uint8_t mode);

    // ----------------------------------------------- columns and sorting
    // The print attributes of a row or column; null outside the grid.
    ImpressionTableauAttribut* ColonneImprime(int c);
    ImpressionTableauAttribut* LigneImprime(int r);
    void ColonneTriChoisir(std::int16_t choix) override { ColonneTriChoisirRef(choix); }
    void ColonneTriChoisirRef(std::int16_t& choix);
    // Sorts rows r1..r2 by the key column; ordre 1 ascending, 2 descending.
    void ColonneTrier(int c1, int r1, int c2, int r2, int colonneCle, int ordre, bool nom);
    void ColonneTrierAutomatiquement(int c);

    // --------------------------------------------------------- printing
    void ImprimeChangeTitre(std::string_view titre, std::int16_t taille);
    const std::string& ImprimeTitreRetourne() const { return imprimeTitre_; }
    std::int16_t ImprimeTitreTaille() const { return imprimeTitreTaille_; }
    void InitialiseZoneImpression();
    // Zones: -1, -1 for both rows (or both columns) is the whole grid, and
    // the caller's variables then hold 1 and the count. Any other index
    // outside the grid is skipped.
    void ZoneRendImprimable(int& c1, int& r1, int& c2, int& r2);
    void ZoneRendNonImprimable(int c1, int r1, int c2, int r2);
    void ZoneImprimeBord(int& c1, int& r1, int& c2, int& r2);
    void ZoneImprimeFond(int& c1, int& r1, int& c2, int& r2);
    void ZoneImprimeFormat(int& c1, int& r1, int& c2, int& r2, std::int16_t format);
    void ZoneRendVisible(std::uint8_t c1, std::uint8_t l1, std::uint8_t c2, std::uint8_t l2) override;
    void ZoneRendInvisible(std::uint8_t c1, std::uint8_t l1, std::uint8_t c2, std::uint8_t l2) override;

    // ------------------------------------------ formula copying and shifting
    // Fills the selection's first column downwards (first row to the right)
    // with the formula of its first cell, its references following the
    // rows (the columns). The callers recalculate and redraw.
    void FormuleRecopierVersBas();
    void FormuleRecopierVersDroite();
    // Rewrites, once each, the formulas that read a cell of the zone
    // (c1, r1)-(c2, r2) of this grid: their references with `prefixe` move
    // by (dc, dr), absolute ones too.
    void FormulesDecale(std::string_view prefixe, int c1, int r1, int c2, int r2, int dc, int dr);
    // Enters the value of the selection's first column into the other
    // editable cells of each selected row. The caller resets the marks and
    // recalculates.
    void ValeurRecopierVersDroite();

    // ------------------------------------------------ copy between grids
    // The copy buffer is the grid of page 0, object 1. Fills this grid,
    // already large enough, with the source's displayed zone (c1, r1)-(c2,
    // r2): attributes, source texts, values and result types; the origin
    // is the zone's first stored cell.
    void CopierPlageAffichee(const TableauClasse& source, int c1, int r1, int c2, int r2);
    // Cell (c, r) takes the source cell's text, value and result type.
    void ContenuCopie(int c, int r, const TableauClasse& source, int cs, int rs);
    // Pastes the copy buffer at the selection's top-left cell, formulas
    // and scripts shifted by the move when `decaler`; an invalid selection
    // or an empty buffer is told through `messages`.
    void Coller(bool decaler, platform::BoiteMessage& messages);
    // Compiles every cell whose text begins with "=".
    void ChargeAsciiPrecalculExpression();

    // ------------------------------------------------------- folding rows
    void DeplierTout();
    // Unfolds the first folded row of r1..r2; when none is folded, says so
    // in a message box.
    void LigneRevelerConsultation(int r1, int r2, platform::BoiteMessage& messages);
    // Removes rows a..b from the block d..f: the rows below move up and
    // the freed rows at the end are cleared and folded again.
    void LignesCacherConsultation(int d, int f, int a, int b);
    // Fold flags of rows r1..r2 into the cells of column c ("1" folded,
    // "0" shown), and back.
    void PliageLignesMemoriser(int r1, int r2, int c);
    void PliageLignesRememorer(int r1, int r2, int c);

    // ------------------------------------------------ currency conversion
    // Converts the entered amounts of number cells of the zone from the
    // currency of code 16 to that of code 15, with the rates of the
    // settings store, as entries; nothing when either rate is not above 0.
    // Neither recalculates nor redraws.
    void ZoneMonnaieConvertir(int c1, int r1, int c2, int r2, const platform::MagasinReglages& reglages);

    // ----------------------------------------------------------- loading
    // Builds the grid from a record the scene reader has checked, with the
    // formulas the page's formula block gives it (quick form), then lays it
    // out in the rectangle already given.
    void Charge(const GrilleEnregistrement& g, std::span<const formula::ExpressionUDT> formules);
    void LitExprDansUDT(std::span<const formula::ExpressionUDT> formules);
    void TableauInitialiseApresChargement();
    std::int32_t TailleEnOctets() const;
    // The older text form of a grid; unknown lines are told through `messages`.
    void DeCodageTxtAncien(std::string_view liste, platform::BoiteMessage* messages);

    // ------------------------------------ user data in the plan document
    // Writes the record; changes nothing of the grid.
    void SauverUtilisateur(BinaryWriter& out) const;
    // Reads the record whole, then applies it and fires "SUR CHARGEMENT"
    // of cell (1, 1). A damaged record throws korv::ReadError and leaves
    // the grid as it was.
    void ChargerUtilisateur(BinaryReader& in, const OptionsChargementUtilisateur& options = {});

    // ------------------------------------------ work of later grid parts
    std::string CaseValeurAAfficher(std::uint8_t colonne, std::uint8_t ligne) override;
    void ZonePlier(std::uint8_t c1, std::uint8_t l1, std::uint8_t c2, std::uint8_t l2) override;
    void ZoneDeplier(std::uint8_t c1, std::uint8_t l1, std::uint8_t c2, std::uint8_t l2) override;
    void MemorisePliageLigne() override;

    // ------------------------------------ scroll thumbs and cell tooltips
    // While switched off, drawing the grid leaves its scroll thumbs where
    // they are (a thumb being dragged drives the grid, not the reverse).
    void MajAutoAscenseurActive() { majAutoAscenseurDesactivee_ = false; }
    void MajAutoAscenseurDesactive() { majAutoAscenseurDesactivee_ = true; }
    bool MajAutoAscenseurDesactivee() const { return majAutoAscenseurDesactivee_; }
    // The main window's tooltip timer, not owned; null when there is none.
    void ChronoBulle(platform::ChronoBulleTableau* chrono) { chronoBulle_ = chrono; }
    // `InfoBulleGere`: another cell under the mouse (stored indexes; 0 or
    // -1 for none) stops the tooltip timer and is noted; true when it was
    // another cell.
    bool InfoBulleGere(int colonne, int ligne);
    // `DerniereCaseSurvolee`: (column, row).
    std::pair<int, int> DerniereCaseSurvolee() const { return derniereCaseSurvolee_; }
    // The text occurs, whatever its case, in the cell's value, its entry or
    // its script.
    bool CaseContientTexte(std::uint8_t colonne, std::uint8_t ligne, std::string_view texte) const;

private:
    CaseTableau& CaseInterne(int c, int r) {
        return cases_[static_cast<std::size_t>(c - 1)][static_cast<std::size_t>(r - 1)];
    }
    const CaseTableau& CaseInterne(int c, int r) const {
        return cases_[static_cast<std::size_t>(c - 1)][static_cast<std::size_t>(r - 1)];
    }
    LigneColonneTableau& L(int r) { return lignes_[static_cast<std::size_t>(r - 1)]; }
    LigneColonneTableau& C(int c) { return colonnes_[static_cast<std::size_t>(c - 1)]; }
    // The cell to change; null outside the grid.
    CaseTableau* CaseAChanger(int c, int r);

    void CorrespondancesConstruire();
    void DispositionColonnes();
    void DispositionLignes();
    int DispositionLignesEssai(const std::vector<int>& positions) const;
    void DecalageColonneDiminueSiVide();
    SelectionTableau SelectionAfficheeVersStockee(const SelectionTableau& s) const;
    SelectionTableau SelectionStockeeVersAffichee(const SelectionTableau& s) const;
    static SelectionTableau SelectionNormalisee(const SelectionTableau& s);
    void ZoneAttributImpression(int c1, int r1, int c2, int r2, void (*action)(ImpressionTableauAttribut&, int),
                                int valeur);
    void EchangeContenus(int a, int b, int c1, int c2);
    bool EnJeu() const { return env_ && env_->EnJeu(); }
    void FormuleRecopier(bool versBas);
    TableauClasse* GrilleDe(std::int16_t page, std::int16_t objet);
    ContexteCalcul& Contexte();
    void ResetMarquesToutes();
    bool Calcule(int c, int r);
    bool CalculeSansDebordement(int c, int r);
    void RecalculPasse();
    // Rows that may hold a cell to be computed, so that a pass after an
    // edit visits only them.
    void LigneACalculer(int r) { lignesACalculer_[static_cast<std::size_t>(r - 1)] = 1; }
    void ToutesLignesACalculer() { lignesACalculer_.assign(static_cast<std::size_t>(ligneNb_), 1); }
    std::uint64_t& Marque(int c, int r) { return parcourus_[static_cast<std::size_t>((c - 1) * ligneNb_ + (r - 1))]; }

    std::int16_t page_ = 0;
    std::int16_t objet_ = 0;
    EnvironnementGrille* env_ = nullptr;
    ContexteCalcul* calcul_ = nullptr;
    EtatCalcul etatPropre_;
    EtatCalcul* etat_ = &etatPropre_;
    std::vector<std::uint8_t> lignesACalculer_;
    // Cells whose entry is being taken, so that two sum cells that clear
    // each other's entries end.
    std::vector<std::pair<int, int>> saisiesEnCours_;
    bool initialisationEnCours_ = false;  // `InitialisationEnCours`

    int decalageLigne_ = 0;
    int decalageColonne_ = 0;
    int lignesBloqueesNb_ = 0;
    int colonnesBloqueesNb_ = 0;
    int colonneNb_ = 0;
    int ligneNb_ = 0;
    // `RectangleParent`, page twips.
    std::int32_t rectHaut_ = 0, rectBas_ = 0, rectGauche_ = 0, rectDroite_ = 0;
    SelectionTableau selection_;
    std::int16_t lignesBasColleesEnBas_ = 0;
    std::vector<LigneColonneTableau> lignes_;
    std::vector<LigneColonneTableau> colonnes_;
    std::vector<std::vector<CaseTableau>> cases_;  // [column][row]
    std::vector<std::uint64_t> parcourus_;         // (column, row), ColonneNb × LigneNb: walked when == generation
    std::int16_t aEteCopie_ = 0;
    std::uint8_t origineCopieColonne_ = 0;
    std::uint8_t origineCopieLigne_ = 0;
    int ligneDemandee_ = 0;
    Correspondance colonnesAffichees_;
    Correspondance lignesAffichees_;
    int lignesAfficheesNb_ = 0;
    int colonnesAfficheesNb_ = 0;
    std::string imprimeTitre_;
    std::int16_t imprimeTitreTaille_ = 0;
    bool extensionEnCours_ = false;
    bool saisieMultipleEnCours_ = false;
    bool majAutoAscenseurDesactivee_ = false;
    platform::ChronoBulleTableau* chronoBulle_ = nullptr;
    std::pair<int, int> derniereCaseSurvolee_{0, 0};
};

}  // namespace korv::grid
