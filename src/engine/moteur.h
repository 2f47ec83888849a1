#pragma once
// The engine's context: the scene, the play state, the history, the waiting
// list and the services it calls. `main` creates one; each test creates its
// own. Engine procedures keep their names as free functions taking it.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/attente.h"
#include "engine/declenchement.h"
#include "engine/objets_affiches.h"
#include "engine/scene.h"
#include "engine/scripts_moteur.h"
#include "engine/services.h"
#include "engine/services_neutres.h"
#include "engine/souris_etat.h"
#include "formula/monnaies.h"

namespace korv::platform {
class BoiteMessage;
class DialogueFichier;
class Horloge;
class PompeEvenements;
}  // namespace korv::platform

namespace korv::engine {

inline constexpr std::uint8_t kModeJeu = 3;
inline constexpr int kHistoriqueMax = 501;

struct EntreeHistorique {
    std::int16_t page = 0;
    std::string etape;  // `EtapeCourante` when the page was pushed
    bool operator==(const EntreeHistorique&) const = default;
};

struct EtatJeu {
    std::uint8_t ModeProgramme = 0;
    std::int16_t PageCourante = 0;
    std::int16_t PageDebut = 0;
    std::string PageDebutNom;
    std::int16_t JeuFinDemande = 0;   // -1 ends the play loop
    std::int16_t JeuDisponible = 0;   // -1 idle: mouse events may be handled at once
    int AttenteNumeroDeclenche = 0;
    std::string EtapeCourante;
    std::int16_t LangueCourante = 1;
    std::int16_t pageLargeurInitiale = 0;
    std::int16_t pageHauteurInitiale = 0;
    // Counts page preparations, so that a preparation knows when a trigger
    // it fired has prepared a page (even the same one) in its place.
    std::uint64_t generationPreparation = 0;
    // Start time of the page for timers of mode 2 (milliseconds of the clock).
    std::int64_t TempsDebutPage = 0;
    // -1 between CONVINIT and CONVFIN in play: entries then change no
    // result type and fire no event.
    std::int16_t ConversionEnCours = 0;
};

// How the program is to end once the current call returns to the loop.
struct FinProgramme {
    bool demandee = false;
    int code = 0;
};

struct ServicesMoteur {
    platform::BoiteMessage* messages = nullptr;
    platform::DialogueFichier* dialogues = nullptr;
    platform::Horloge* horloge = nullptr;
    platform::PompeEvenements* pompe = nullptr;
    FenetrePrincipale* fenetre = nullptr;
    Affichage* affichage = nullptr;
    PlanAffaire* plan = nullptr;
    Scripts* scripts = nullptr;
    Grilles* grilles = nullptr;
    Declencheur* declencheur = nullptr;
    EditionTexte* edition = nullptr;
    ConversionMonnaie* conversion = nullptr;
};

class Moteur {
public:
    Moteur();
    // The trigger dispatch it owns keeps a reference to it.
    Moteur(const Moteur&) = delete;
    Moteur& operator=(const Moteur&) = delete;

    Scene scene;
    EtatJeu jeu;
    std::vector<EntreeHistorique> PileHistorique;
    ListeAttente attente;
    ListeObjetsAffiches affiches;
    ListeZonesSouris zonesSouris;  // mouse events waiting for the engine
    EtatSouris souris;
    std::int16_t ModeErreur = 0;
    std::string dossierProgramme;  // where ERROR.TXT and AUTOSCE.TXT live
    FinProgramme fin;
    // `Monnaies`: the currency table that formulas read and change.
    formula::TableMonnaies Monnaies;

    // Services, never null: unset ones fall back to neutral objects (an
    // engine without a window or display, as unit tests and tools run it).
    FenetrePrincipale& Fenetre() { return services_.fenetre ? *services_.fenetre : fenetreNeutre_; }
    Affichage& Ecran() { return services_.affichage ? *services_.affichage : affichageNeutre_; }
    PlanAffaire& Plan() { return services_.plan ? *services_.plan : planNeutre_; }
    // The injected script service, else the engine's own script language.
    Scripts& Script() { return services_.scripts ? *services_.scripts : scriptsMoteur_; }
    ScriptsMoteur& ScriptsDuMoteur() { return scriptsMoteur_; }
    Grilles& Tableaux() { return services_.grilles ? *services_.grilles : grillesNeutres_; }
    // The injected trigger service, else the engine's own dispatch.
    Declencheur& Declenche() { return services_.declencheur ? *services_.declencheur : declencheurMoteur_; }
    // The engine's own dispatch, with its outward services and state.
    DeclencheurMoteur& Declenchement() { return declencheurMoteur_; }
    EditionTexte& Edition() { return services_.edition ? *services_.edition : editionNeutre_; }
    platform::BoiteMessage* Messages() { return services_.messages; }
    // An open currency conversion ended (see ConversionMonnaie).
    void ConversionMonnaieTerminer() noexcept {
        if (services_.conversion) services_.conversion->ConversionTerminer();
    }
    platform::DialogueFichier* Dialogues() { return services_.dialogues; }
    platform::Horloge* Horloge() const { return services_.horloge; }
    platform::PompeEvenements* Pompe() { return services_.pompe; }

    ServicesMoteur& Services() { return services_; }

private:
    ServicesMoteur services_;
    FenetrePrincipaleNeutre fenetreNeutre_;
    AffichageNeutre affichageNeutre_;
    PlanAffaireNeutre planNeutre_;
    ScriptsMoteur scriptsMoteur_{*this};
    GrillesNeutre grillesNeutres_;
    EditionTexteNeutre editionNeutre_;
    DeclencheurMoteur declencheurMoteur_{*this};
};

}  // namespace korv::engine
