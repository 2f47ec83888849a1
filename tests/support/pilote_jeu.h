#pragma once
// Headless play driver: one engine with a fake clock, the scripted event
// pump, scripted message boxes and file dialogs, and recording services, all
// owned here. A test loads a scene from its text description, scripts
// answers and timed input, runs the play by steps and reads the trace.
//
// How the runs stop: play runs on a thread of its own in strict alternation
// with the test (fil_alterne.h), so only one of them runs at a time. Each run
// sets a stop condition that the fake pump checks before every wait and
// every run of pending events, with the time the wait would move the clock
// to. When it holds, the pump's surArret pauses the play loop right there,
// inside its wait, and the run returns; the next run resumes it. Play ends
// only by itself (Escape, an action, Fin); destroying the driver abandons a
// paused play by unwinding it with FilAlterne::Abandon, which the engine's
// error boundaries let through. (A driver without the thread would instead
// end play at the first stop, its surArret setting JeuFinDemande to -1.)

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/moteur.h"
#include "engine/scene_fichier.h"
#include "platform/clock.h"
#include "platform/event_pump_fake.h"
#include "platform/file_dialog_fake.h"
#include "platform/message_box_fake.h"
#include "platform/process_launcher.h"
#include "platform/url_opener_fake.h"
#include "support/entree_jeu.h"
#include "support/fil_alterne.h"
#include "support/services_enregistreurs.h"
#include "support/trace_jeu.h"

namespace korv::testsupport {

class PiloteJeu {
public:
    // The clock starts at 0; the program folder (ERROR.TXT) is a fresh
    // temporary folder, removed with the driver.
    PiloteJeu();
    ~PiloteJeu();
    PiloteJeu(const PiloteJeu&) = delete;
    PiloteJeu& operator=(const PiloteJeu&) = delete;

    // The scene, from a scene-tool description; only before the play starts.
    void ChargerScene(std::string_view description, engine::FormeObjets forme = engine::FormeObjets::Bloc);
    // The plan document handed to Joue.
    void Document(std::string document);
    // Replaces Joue as what the play thread runs (start-up tests).
    void Corps(std::function<void(engine::Moteur&)> corps);
    // Firings go on to the engine's own trigger dispatch (still traced):
    // objects are drawn, registered and fired as in the program. Without
    // it a fired entry is only traced and dropped.
    void DeclenchementReel();

    // Answers, each taken by the next question in order.
    void RepondreMessage(int reponse);
    void RepondreFichier(std::optional<std::string> chemin);  // nullopt: Cancel
    void RepondreEnregistrer(int reponse);                    // the plan's save question: 6, 7 or 2

    // Input at a time of the fake clock, delivered when the play's clock
    // reaches it: mouse events in page twips, keys pressed. Each delivery
    // adds "mouse G B M X Y" or "key C M" to the trace, then goes to the
    // input set with BrancherEntree. Without one, Escape (27) goes to
    // AppuieToucheEsc and other keys to the grids (TableauxAppuieTouche), as
    // the main window does; mouse events go to EvenementSourisSurvient.
    void Souris(std::int64_t instantMs, int genre, int bouton, int maj, int x, int y);
    // Press and release of the left button at one point.
    void Clic(std::int64_t instantMs, int x, int y);
    void Touche(std::int64_t instantMs, int code, int maj = 0);
    // A key typed with its character; traced as "key C M char K".
    void Frappe(std::int64_t instantMs, int code, char caractere, int maj = 0);
    void BrancherEntree(EntreeJeu* entree) { entree_ = entree; }

    // The platform edge as the program's composition takes it: the driver's
    // clock, pump, recorded message boxes and file dialogs, process
    // launcher, URL opener and recorded main window.
    struct Bord {
        platform::Horloge* horloge = nullptr;
        platform::PompeEvenements* pompe = nullptr;
        platform::BoiteMessage* messages = nullptr;
        platform::DialogueFichier* dialogues = nullptr;
        platform::LanceurProcessus* lanceur = nullptr;
        platform::OuvreurUrl* navigateur = nullptr;
        engine::FenetrePrincipale* fenetre = nullptr;
    };
    Bord BordPlateforme();
    // Plays on the program's own composition: `composer` connects the
    // engine to its real modules over BordPlateforme() and returns what
    // owns them, kept until play has been abandoned. Firings and scripts
    // are still traced on their way to the real dispatch and language.
    // Only before the play starts.
    void Composer(const std::function<std::shared_ptr<void>(engine::Moteur&)>& composer);

    // Runs until nothing is due now: the loop would have to wait for time
    // to pass or for input. Throws std::runtime_error when firings never
    // stop (more than LimiteDeclenchements in one run).
    void ExecuterJusquARepos();
    // Runs everything due up to `instantMs` included; the clock then reads
    // `instantMs` (unless play ended before).
    void ExecuterJusqua(std::int64_t instantMs);
    // Runs until `n` more entries of the waiting list have fired; stops
    // early when nothing more can happen or play ends. Returns the number
    // fired.
    long ExecuterNDeclenchements(long n);
    // Runs until the play ends; false when it cannot end by itself (nothing
    // scheduled any more) or has not ended within `limiteMs` of fake time.
    bool ExecuterJusquaFin(std::int64_t limiteMs = 3'600'000);
    bool JeuTermine() const { return fil_->Termine(); }
    long LimiteDeclenchements = 100'000;

    engine::Moteur& Moteur() { return moteur_; }
    platform::HorlogeFactice& Horloge() { return horloge_; }
    platform::PompeEvenementsFactice& Pompe() { return pompe_; }
    platform::BoiteMessageFactice& Messages() { return boite_; }
    platform::DialogueFichierFactice& Dialogues() { return dialogue_; }
    FenetreEnregistreuse& Fenetre() { return fenetre_; }
    AffichageEnregistreur& Affichage() { return affichage_; }
    PlanEnregistreur& Plan() { return plan_; }
    ScriptsEnregistreurs& Scripts() { return scripts_; }
    DeclencheurEnregistreur& Declencheur() { return declencheur_; }
    // Outside programs and web links of the actions (fakes, already set in
    // the engine's trigger configuration).
    platform::LanceurProcessusFactice& Lanceur() { return lanceur_; }
    platform::OuvreurUrlFactice& Navigateur() { return navigateur_; }
    TraceJeu& Trace() { return trace_; }
    const std::vector<std::string>& Lignes() const { return trace_.Lignes(); }

    const std::string& DossierProgramme() const { return moteur_.dossierProgramme; }
    // ERROR.TXT as written so far ("" when none).
    std::string JournalErreurs() const;

private:
    class EntreeParDefaut;

    void Executer(std::function<bool(std::int64_t vise)> condition);
    void Livrer(std::function<void(EntreeJeu&)> livraison);

    platform::HorlogeFactice horloge_;
    TraceJeu trace_{horloge_};
    platform::PompeEvenementsFactice pompe_{horloge_};
    platform::BoiteMessageFactice boite_;
    platform::DialogueFichierFactice dialogue_;
    MessagesEnregistres messages_{trace_, boite_};
    DialoguesEnregistres dialogues_{trace_, dialogue_};
    engine::Moteur moteur_;
    FenetreEnregistreuse fenetre_{trace_};
    AffichageEnregistreur affichage_{trace_, &moteur_};
    PlanEnregistreur plan_{trace_};
    ScriptsEnregistreurs scripts_{trace_};
    DeclencheurEnregistreur declencheur_{trace_, moteur_};
    platform::LanceurProcessusFactice lanceur_;
    platform::OuvreurUrlFactice navigateur_;
    std::unique_ptr<EntreeJeu> entreeParDefaut_;
    EntreeJeu* entree_ = nullptr;

    std::string document_;
    std::function<void(engine::Moteur&)> corps_;
    std::function<bool(std::int64_t)> condition_;
    long declenchementsDebut_ = 0;
    bool sansRepos_ = false;
    // The program's composition, when the driver plays on it.
    std::shared_ptr<void> composition_;
    // Ended first by the destructor, while everything the play uses exists.
    std::unique_ptr<FilAlterne> fil_;
};

}  // namespace korv::testsupport
