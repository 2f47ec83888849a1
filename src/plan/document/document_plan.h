#pragma once
// The plan document's operations: saving the whole plan or one part of it,
// opening a document, starting a new plan, and ending the edit in progress
// before any of them. Saving replaces the file whole (temporary file, then
// rename) and changes the plan's name, caption and modified flag only once
// the file is written; a plan of an older version is never overwritten, the
// save dialog asks for another name. Opening parses the whole document
// against the scene first; a damaged document is refused and changes
// nothing; message boxes close the progress window, which would hide them. The
// documents of versions 2.2 to 2.29 are read against their old page layout
// and converted: the plan reset, then their records given to today's pages.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "plan/document/format_document.h"
#include "plan/entree_page.h"

namespace korv {
class BinaryReader;
}
namespace korv::engine {
class Moteur;
}
namespace korv::platform {
class BoiteMessage;
class DialogueFichier;
class FichiersDocument;
}  // namespace korv::platform

namespace korv::plan {

class EtatPlan;
class MethodeEtapes;
class Redaction;

// The main window as the document changes it.
class FenetreDocument {
public:
    virtual ~FenetreDocument() = default;
    // The window's caption (Windows-1252).
    virtual void Legende(std::string_view texte) = 0;
    // The File menu's "Enregistrer".
    virtual void EnregistrerActif(bool actif) = 0;
    // The keyboard focus given to the page frame.
    virtual void FocusPage() = 0;
};

struct ServicesDocument {
    engine::Moteur* moteur = nullptr;
    std::function<grid::TableauClasse*(int page, int objet)> grille;
    EtatPlan* etat = nullptr;
    MethodeEtapes* etapes = nullptr;
    platform::BoiteMessage* messages = nullptr;
    platform::DialogueFichier* dialogues = nullptr;
    platform::FichiersDocument* fichiers = nullptr;
    Redaction* redaction = nullptr;
    FenetreDocument* fenetre = nullptr;
    // `TexteEditeParUtilisateurFin`(validated): the edit box closed, its text kept.
    std::function<void()> texteEditeFin;
    // The edit box over the page has the keyboard focus.
    std::function<bool()> boiteEditionFocus;
    // The focus given to the page frame.
    std::function<void()> focusPage;
    // The progress window.
    std::function<void(std::string_view titre, std::string_view texte)> progressionOuvre;
    std::function<void(int)> progressionPourcentage;
    std::function<void()> progressionFerme;
};

inline constexpr std::string_view kTitreProgramme = "Corvanne Rarevive Zaru";

class DocumentPlan {
public:
    explicit DocumentPlan(ServicesDocument services);

    // `PlanAffaireEnregistrer`: 6 saved, 7 not saved, 2 refused or cancelled.
    int PlanAffaireEnregistrer(std::string_view nom, bool forcerDialogue, std::int16_t page, bool demanderEcrasement);
    // `PlanAffaireOuvrir`: `nom` "" asks with the open dialog.
    void PlanAffaireOuvrir(std::string_view nom, bool demanderEnregistrement, std::int16_t page);
    // `PlanAffaireNouveau`.
    void PlanAffaireNouveau();
    // `PlanAffaireEditionValider`: the edit box's and the writing box's
    // texts go back to the plan. The writing box keeps its source: the
    // command may stay on the page, and what is typed next must be stored
    // too; the page, when left or shown again, takes the box off.
    void PlanAffaireEditionValider();

    // The File menu's commands: a new plan (after the save question when
    // the plan is modified), open, save, save as.
    void Commande(CommandeFichier commande);

    // `PageUtilisateurReinitialiser`: the page's plan texts back to their
    // defaults, its grids' user entries cleared.
    void PageUtilisateurReinitialiser(int page);
    // `ObjetTexteReinitialiser`, for a rich-text object the plan keeps.
    void ObjetTexteReinitialiser(int page, int objet);
    // `PolicesDefautInitialiser`: steps, then every plan text of the scene.
    void PolicesDefautInitialiser();
    // Keeps the texts the scene gives its plan texts, which a reset puts
    // back; called once the scene is loaded.
    void TextesSceneRetenir();

    // `MonnaiesInitialiser`: the currency table back to its defaults.
    void MonnaiesInitialiser();

    // `ChargementPlanEnCours`.
    bool ChargementPlanEnCours() const noexcept { return chargement_; }
    // `TauxChargePatronale` noted by the grids of a version-230 document.
    const std::string& TauxChargePatronale() const noexcept { return tauxCharge_; }

    // The whole document of the plan (page 0) or of a part, as saved.
    std::string Octets(std::int16_t page, const std::function<void(int)>& pourcentage = {}) const;

    // Parses a document against the scene and, only when the whole parse
    // succeeds, applies it: the open without its dialogs and messages, for
    // tools. Empty when applied, else the refusal's message.
    std::string Charger(std::string_view octets, std::int16_t page);

private:
    struct Lecture;
    enum class Issue { Applique, Refuse, Abandon };

    // A message box; the progress window closes first.
    int Message(std::string_view texte, int style = 0, bool titre = true);
    // The progress window ("En cours..."): closed by a message box, it comes
    // back with the next percentage.
    void ProgressionOuvre(std::string_view titre);
    void ProgressionPourcentage(int valeur);
    void ProgressionFerme();
    // The file holds a plan of an older version, which is never overwritten.
    bool FichierAnterieur(const std::string& cible) const;
    void RefusAnterieur();
    // The folder of a path ("" for a bare name).
    static std::string Dossier(std::string_view chemin);
    void Legende();
    void Finir();
    // Reads the header and the body; refusals say why in `refus`.
    Issue Lire(std::string_view octets, std::int16_t page, Lecture& lecture, std::string& refus, bool questions);
    // A document of versions 2.2 to 2.29 after its version word.
    Issue LireAncien(BinaryReader& in, std::int16_t page, Lecture& lecture, std::string& refus, bool questions);
    void Appliquer(Lecture& lecture, std::int16_t page, const std::string& chemin);
    // The conversion: the plan reset, the old records given to today's pages.
    void AppliquerAncien(Lecture& lecture, const std::string& chemin);
    void Recalculer(int premiere, int derniere, bool progression);

    SceneDocument Scene() const;

    ServicesDocument s_;
    bool chargement_ = false;
    std::string tauxCharge_;
    std::map<std::pair<int, int>, std::string> textesScene_;
    bool textesRetenus_ = false;
    struct {
        std::string titre;
        bool enCours = false;  // opened and not yet closed by its operation
        bool ouverte = false;  // shown now
    } progression_;
    // The folder of the last document chosen in a dialog or opened: where
    // the next dialog starts.
    std::string dossierRecent_;
};

}  // namespace korv::plan
