#include "programme/recepteur_moteur.h"

#include "plan/document/document_plan.h"

#include "display/affichage.h"
#include "display/fenetre.h"
#include "engine/demarrage.h"
#include "engine/erreur.h"
#include "engine/jeu.h"
#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "engine/recherche.h"
#include "plan/arbre_plan.h"
#include "plan/regle_bulle.h"
#include "engine/texte_casse.h"
#include "platform/cp1252.h"
#include "platform/url_opener.h"
#include "engine/declenchement.h"
#include "engine/souris.h"
#include "grid/magasin_grilles.h"
#include "platform/message_box.h"
#include "programme/edition_programme.h"
#include "programme/redaction_programme.h"

namespace korv::programme {

namespace {
constexpr int kToucheGauche = 37;
constexpr int kToucheBas = 40;
}  // namespace

void Signaler(engine::Moteur& moteur, std::string_view procedure, const std::function<void()>& corps) noexcept {
    try {
        engine::AuBord(moteur, procedure, corps);
    } catch (...) {
        try {
            engine::Fin(moteur, true, false);
        } catch (...) {
            moteur.fin.demandee = true;
        }
    }
}

bool RecepteurMoteur::ModeJeu() { return moteur_.jeu.ModeProgramme == engine::kModeJeu; }

void RecepteurMoteur::ToucheEnfoncee(int code, int maj) {
    Signaler(moteur_, "Ec", [&] {
        const bool fleche = code >= kToucheGauche && code <= kToucheBas;
        if (edition_.EditionVisible()) {
            // Keys typed while the box is open are its own. Those it leaves
            // to the window first take what was typed: an arrow, as Enter
            // does, before the selection moves from the edited cell; Escape
            // before its quit question.
            if (code != plan::kToucheEchap && !fleche) return;
            edition_.Valider();
        }
        if (code == plan::kToucheEchap) {
            engine::AppuieToucheEsc(moteur_);
        } else {
            engine::TableauxAppuieTouche(moteur_, code, maj, false);
        }
    });
}

void RecepteurMoteur::ToucheRelachee(int code, int maj) {
    Signaler(moteur_, "Ec", [&] { engine::AppuieTouche(moteur_, code, maj); });
}

void RecepteurMoteur::ToucheCaractere(int caractere) {
    Signaler(moteur_, "Ec", [&] {
        if (ModeJeu()) edition_.CaractereFenetre(caractere);
    });
}

void RecepteurMoteur::Souris(int genre, int bouton, int maj, int xTwips, int yTwips) {
    Signaler(moteur_, "Ec", [&] { engine::EvenementSourisSurvient(moteur_, genre, bouton, maj, xTwips, yTwips); });
}

void RecepteurMoteur::DeplacementBulle() {
    Signaler(moteur_, "Ec", [&] {
        if (ModeJeu() && regleBulle) regleBulle->Deplacement();
    });
}

void RecepteurMoteur::Defilement(int xPixels, int yPixels) {
    Signaler(moteur_, "Ec", [&] {
        display::MajFenetreAffichageDecalage(affichage_, yPixels * affichage_.reglages.twipsParPixelY,
                                             xPixels * affichage_.reglages.twipsParPixelX);
        edition_.TexteEditeParUtilisateurDecaleAscenseurs();
    });
}

void RecepteurMoteur::Redimensionnement() {
    Signaler(moteur_, "Ec", [&] {
        moteur_.Ecran().MajTailleFenetre(true);
        edition_.TexteEditeParUtilisateurDecaleAscenseurs();
    });
}

bool RecepteurMoteur::DemandeFermeture() {
    bool fermer = true;
    Signaler(moteur_, "Ec", [&] { fermer = engine::Fin(moteur_, false, true); });
    return fermer;
}

void RecepteurMoteur::MenuQuitter() {
    Signaler(moteur_, "Ec", [&] { engine::Fin(moteur_, true, true); });
}

void RecepteurMoteur::MenuFichier(plan::CommandeFichier commande) {
    Signaler(moteur_, "Ec", [&] {
        if (document) document->Commande(commande);
    });
}

void RecepteurMoteur::MenuPlan(plan::CommandePlan commande) {
    using plan::CommandePlan;
    Signaler(moteur_, "Ec", [&] {
        switch (commande) {
        case CommandePlan::Exporter:
        case CommandePlan::Imprimer: {
            // The scene's page of that name drives the work through its scripts.
            const int page = engine::NumeroDePage(moteur_.scene, commande == CommandePlan::Exporter ? "EXPORTER"
                                                                                                    : "IMPRESSION");
            if (page > 0) engine::SauteALaPage(moteur_, page);
            break;
        }
        case CommandePlan::ExporterPageRtf:
            if (ModeJeu() && pageExporterRtf) pageExporterRtf();
            break;
        case CommandePlan::ImprimerPage:
            if (ModeJeu() && pageImprimer) pageImprimer();
            break;
        case CommandePlan::AfficherPlan:
            engine::MajAffichagePlan(moteur_, moteur_.Fenetre().PanneauPlanEstVisible() ? 0 : -1);
            break;
        case CommandePlan::FermerPlan: engine::MajAffichagePlan(moteur_, 0); break;
        case CommandePlan::ArreterJeu: engine::AppuieToucheEsc(moteur_); break;
        }
    });
}

void RecepteurMoteur::NoeudPlan(std::string_view cle) {
    if (!ModeJeu()) return;
    try {
        std::string code;
        if (cle.substr(0, plan::kPrefixeEtape.size()) == plan::kPrefixeEtape) {
            if (methodeChanger) methodeChanger(cle.substr(plan::kPrefixeEtape.size()));
            if (etapeCouranteCode) code = etapeCouranteCode();
        }
        const int page = engine::NumeroDePage(moteur_.scene, plan::CibleNoeud(cle, code));
        if (page >= 1) {
            engine::SauteALaPage(moteur_, page);
            return;
        }
        const std::string nom = engine::MajusculeCp1252(engine::Trim(cle));
        std::string_view adresse;
        if (nom == "LIENURL") adresse = plan::kAdresseSite;
        else if (nom == "EXPL") adresse = plan::kAdresseExemples;
        else return;
        LienInternetOuvrir(adresse);
    } catch (...) {
        // A node that fails to open leaves everything as it was, silently.
    }
}

void RecepteurMoteur::LienInternet(std::string_view adresse) {
    try {
        LienInternetOuvrir(adresse);
    } catch (...) {
        // As a node click: an opening that fails with an error says nothing.
    }
}

void RecepteurMoteur::LienInternetOuvrir(std::string_view adresse) {
    auto echec = [&moteur = moteur_] {
        // Also reached later from the event loop, when the launcher ends:
        // a box that cannot show ends there, as any fault of the opening.
        try {
            if (platform::BoiteMessage* m = moteur.Services().messages) {
                m->Afficher(platform::Utf8VersCp1252("Le programme n'a pas pu lancer le navigateur internet.\r\n"
                                                     "Connectez vous manuellement à:\r\n") +
                                std::string(plan::kAdresseEditeur),
                            platform::style::Ok + platform::style::Critique, platform::kTitreProduit);
            }
        } catch (...) {
        }
    };
    platform::OuvreurUrl* navigateur = moteur_.Declenchement().Configuration().navigateur;
    if (!navigateur) {
        echec();
        return;
    }
    navigateur->Ouvrir(adresse, echec);
}

void RecepteurMoteur::MenuCopier() {
    Signaler(moteur_, "Ec", [&] {
        if (!ModeJeu()) return;
        if (moteur_.jeu.PageCourante >= 1) {
            // The edit box copies its own selection, even an empty one.
            if (edition_.CopierDansBoite() || redaction_.CopierDansBoite() || grilles_.CopierParUtilisateur()) return;
        }
        if (platform::BoiteMessage* m = moteur_.Services().messages) {
            m->Afficher("Rien \xe0 copier", platform::style::Ok, platform::kTitreProduit);
        }
    });
}

void RecepteurMoteur::MenuColler() {
    Signaler(moteur_, "Ec", [&] {
        if (!ModeJeu() || moteur_.jeu.PageCourante < 1) return;
        // Nothing to paste is said by nothing.
        if (!edition_.CollerDansBoite() && !redaction_.CollerDansBoite()) grilles_.CollerParUtilisateur();
    });
}

void RecepteurMoteur::ErreurInterceptee(std::exception_ptr erreur) noexcept {
    Signaler(moteur_, "Ec", [&] { std::rethrow_exception(erreur); });
}

}  // namespace korv::programme
