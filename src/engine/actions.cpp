#include "engine/actions.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

#include "engine/actions_web.h"
#include "engine/attente_boucle.h"
#include "engine/declenchement.h"
#include "engine/erreur.h"
#include "engine/fichier_nom.h"
#include "engine/jeu.h"
#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "engine/processus.h"
#include "engine/recherche.h"
#include "engine/texte_casse.h"
#include "platform/clock.h"
#include "platform/cp1252.h"
#include "platform/event_pump.h"

namespace korv::engine {

namespace {

constexpr std::int16_t kEffetPageEntiere = 5;
// How long one turn of the wait for an outside program lets window events run.
constexpr std::int64_t kPasAttenteProcessusMs = 50;

bool EstTypeVisible(std::int16_t type) {
    switch (type) {
    case 1: case 2: case 3: case 4: case 8: case kTypeZoneLien: case 12: case 13: case 14: return true;
    default: return false;
    }
}

// The engine is busy for the mouse while an action waits: clicks queue
// instead of firing inside the action.
class Occupe {
public:
    explicit Occupe(Moteur& moteur) : moteur_(moteur), avant_(moteur.jeu.JeuDisponible) { moteur.jeu.JeuDisponible = 0; }
    ~Occupe() { moteur_.jeu.JeuDisponible = avant_; }
    Occupe(const Occupe&) = delete;
    Occupe& operator=(const Occupe&) = delete;

private:
    Moteur& moteur_;
    std::int16_t avant_;
};

// Runs an outside program and waits for its end, the window events running
// meanwhile; the wait stops early when play or the program is to end.
void LancerEtAttendre(Moteur& moteur, std::string_view programme, std::string_view fichier) {
    auto* lanceur = moteur.Declenchement().Configuration().lanceur;
    const std::int32_t pid = lanceur ? ProcessusLance(*lanceur, programme, fichier) : 0;
    if (pid == 0) {
        ErreurJournaliser(moteur, "DeclencheAction", kErreurProgramme,
                          "programme non lance : " + platform::Cp1252VersUtf8(programme));
        return;
    }
    const Occupe occupe(moteur);
    while (ProcessusIsRunning(*lanceur, pid) && !moteur.fin.demandee && moteur.jeu.JeuFinDemande != -1) {
        auto* pompe = moteur.Pompe();
        auto* horloge = moteur.Horloge();
        if (pompe && horloge) {
            pompe->AttendreJusqua(horloge->Maintenant() + kPasAttenteProcessusMs, *horloge);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
}

void ChangerLangue(Moteur& moteur, const std::string& texte) {
    const std::string mot = MajusculeCp1252(texte);
    int langue = 0;
    if (mot == "LANGUE 1") langue = 1;
    if (mot == "LANGUE 2") langue = 2;
    if (mot == "LANGUE 3") langue = 3;
    if (langue == 0) return;
    // A scene without a language list still has its one language.
    if (langue > std::max<int>(1, moteur.scene.entete.langueNb)) {
        ErreurJournaliser(moteur, "DeclencheAction", kErreurProgramme, "langue " + std::to_string(langue) + " inexistante");
        return;
    }
    moteur.jeu.LangueCourante = static_cast<std::int16_t>(langue);
}

// This program run on a plan document (a later start hands it to the
// running one), then the whole page copied again.
void OuvrirDocument(Moteur& moteur, const std::string& fichier) {
    const std::string& programme = moteur.Declenchement().Configuration().programme;
    std::error_code ec;
    if (!programme.empty() && std::filesystem::is_regular_file(programme, ec) && FileExist(fichier)) {
        LancerEtAttendre(moteur, platform::Utf8VersCp1252(programme), fichier);
    }
    moteur.Ecran().Effet(kEffetPageEntiere);
}

// Restores what the foreground page covered; its objects are hidden.
void FermerAvantPlan(Moteur& moteur, std::int16_t effet) {
    auto& voisins = moteur.Declenchement().Voisins();
    if (!voisins.PermanentVersTampon()) throw ErreurMoteur(kErreurProgramme, "A86");
    const int sprites = voisins.SpriteNombre();
    for (int s = 1; s <= sprites; ++s) {
        if (!voisins.SpriteFondSauver(s)) throw ErreurMoteur(kErreurProgramme, "A87");
    }
    for (int s = 1; s <= sprites; ++s) {
        const SpriteVue sprite = voisins.Sprite(s);
        moteur.Ecran().MajDessinObjet(sprite.page, sprite.objet, true, true, 0, 0, -1);
    }
    const auto avantPlan = [&moteur](int page, int objet) {
        return moteur.scene.ObjetExiste(page, objet) && moteur.scene.Page(page).Objet(objet).F1 == 1;
    };
    for (auto& e : moteur.attente.entrees) {
        if (!avantPlan(e.Page, e.Objet)) continue;
        if (e.EvenementsAttendus & evenement::ObjetCache) {
            if (e.TypeObjet != static_cast<std::int16_t>(TypeObjet::Sprite)) e.EvenementsSurvenus |= evenement::ObjetCache;
        } else if (EstTypeVisible(e.TypeObjet)) {
            e.Etat = -1;  // hidden with the foreground page: it cannot be clicked any more
        }
    }
    auto& affiches = moteur.affiches;
    for (int k = affiches.Nombre(); k >= 1; --k) {
        const ObjetAffiche& a = affiches.Entree(k);
        if (avantPlan(a.page, a.objet) && moteur.scene.Page(a.page).Objet(a.objet).Type() != TypeObjet::Sprite) {
            ObjetAfficheSupprimer(affiches, k);
        }
    }
    moteur.Ecran().Effet(effet);
}

// The first waiting action of type 8 (a video) gives way to the new one.
void VideoPrecedenteEnlever(Moteur& moteur) {
    for (auto& e : moteur.attente.entrees) {
        if (e.TypeObjet != static_cast<std::int16_t>(TypeObjet::Action) || !moteur.scene.ObjetExiste(e.Page, e.Objet)) {
            continue;
        }
        if (moteur.scene.Page(e.Page).Objet(e.Objet).A1 == static_cast<std::int16_t>(TypeAction::Video)) {
            e.Etat = -1;
            return;
        }
    }
}

}  // namespace

void DeclencheAction(Moteur& moteur, int page, int objet) {
    if (!moteur.scene.ObjetExiste(page, objet)) return;
    const ObjetPage& o = moteur.scene.Page(page).Objet(objet);
    const auto type = static_cast<TypeAction>(o.A1);
    const std::string texte = o.texte;
    const std::string fichier = o.fichier;
    const std::int16_t effet = o.E2;
    const std::uint64_t preparation = moteur.jeu.generationPreparation;

    switch (type) {
    case TypeAction::Programme: LancerEtAttendre(moteur, texte, ""); break;
    case TypeAction::Langue: ChangerLangue(moteur, texte); break;
    case TypeAction::DocumentPlan: OuvrirDocument(moteur, fichier); break;
    case TypeAction::Retour: RetourPagePrecedente(moteur); return;
    case TypeAction::FinDuJeu:
        // The play loop asks to save a modified plan before it ends.
        moteur.jeu.JeuFinDemande = -1;
        AttenteReveiller(moteur);
        return;
    case TypeAction::FermerAvantPlan: FermerAvantPlan(moteur, effet); break;
    case TypeAction::ArreterChronos: ArreterTout(moteur); break;
    case TypeAction::Video:
        // Videos are not played on this system: the poll finds none playing
        // and gives the entry its end-of-video event at once.
        VideoPrecedenteEnlever(moteur);
        break;
    case TypeAction::SautPage: {
        const int cible = NumeroDePage(moteur.scene, texte);
        if (moteur.scene.PageExiste(cible)) {
            SauteALaPage(moteur, cible);
            return;
        }
        break;
    }
    case TypeAction::Script: moteur.Script().ProgScriptExecute(texte, page, objet, ""); return;
    case TypeAction::SonArreter: moteur.Ecran().SonArreter(); break;
    case TypeAction::OublierPagePrecedente: RetourPagePrecedenteOublier(moteur); break;
    case TypeAction::PanneauPlan:
        MajAffichagePlan(moteur, moteur.Declenchement().Voisins().PlanVisible() ? 0 : -1);
        return;
    case TypeAction::LienWeb: LienInternetOuvrir(moteur, AdresseLienWeb(texte)); break;
    default: break;  // nothing to do; the object still relays through its elements
    }
    // An outside program may have run while the user left the page or the program.
    if (moteur.jeu.generationPreparation != preparation || moteur.fin.demandee) return;
    EvenementObjetEnAttenteDEvenementAjoute(moteur, page, objet);
}

}  // namespace korv::engine
