#pragma once
// The plan state many commands share (modified flag, last answer, file
// name) and the two questions about plan files: overwrite and save. The
// questions go through the message box, so tests answer them with the
// scripted one. Texts are Windows-1252 bytes.

#include <functional>
#include <string>
#include <string_view>


namespace korv::platform {
class BoiteMessage;
}

namespace korv::plan {

// Answers kept in `ReponseUtilisateur`.
inline constexpr std::string_view kReponseOui = "OUI";
inline constexpr std::string_view kReponseNon = "NON";
inline constexpr std::string_view kReponseAnnuler = "ANNULER";

// Result codes of the save question and of a save (message-box values).
inline constexpr int kEnregistre = 6;
inline constexpr int kNonEnregistre = 7;
inline constexpr int kAnnule = 2;

class EtatPlan {
public:
    explicit EtatPlan(platform::BoiteMessage& messages) noexcept : messages_(messages) {}

    bool PlanAffaireModifie() const noexcept { return modifie_; }
    void PlanAffaireModifieFixer(bool valeur) noexcept { modifie_ = valeur; }

    const std::string& ReponseUtilisateur() const noexcept { return reponse_; }
    void ReponseUtilisateurFixer(std::string_view reponse) { reponse_ = std::string(reponse); }

    // 6 when the user answers yes, 7 otherwise (no, or the box closed).
    int DialogueFichierEcraserDemande(std::string_view nom);

    // 6 saved, 7 the user declined, 2 cancelled. A yes ends the edit in
    // progress, then saves through `enregistrer` until it reports 6; a
    // refused or cancelled save (2) puts the question again; any other
    // result tries the save again.
    int DialogueFichierEnregistrerDemande();

    // The loading percentage of the splash window, through `splash`.
    void SplashAffiche(int pourcent);

    // Full path of the plan document last opened or saved whole; empty
    // after a new plan.
    std::string NomFichierPlan;

    // The save of the whole plan under `NomFichierPlan`, asking before an
    // overwrite: 6 saved, 7 not saved, 2 refused or cancelled. Until it is
    // set a save is refused (2), so the question comes back.
    std::function<int()> enregistrer;
    // Ends the edit in progress before a save (`PlanAffaireEditionValider`).
    std::function<void()> editionValider;
    std::function<void(int)> splash;

private:
    // Asks with Yes/No(/Cancel) and records the answer as OUI/NON/ANNULER.
    void Demander(std::string_view texte, int style);

    platform::BoiteMessage& messages_;
    bool modifie_ = false;
    std::string reponse_;
};

// Each character followed by ".": "423" gives "4.2.3.". For step numbers.
std::string ChaineAjoutePointApresCaractere(std::string_view texte);

}  // namespace korv::plan
