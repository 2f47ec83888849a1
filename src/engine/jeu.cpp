#include "engine/jeu.h"

#include "engine/attente_boucle.h"
#include "engine/demarrage.h"
#include "engine/erreur.h"
#include "engine/moteur.h"
#include "engine/objets_affiches.h"
#include "engine/page_jeu.h"
#include "engine/recherche.h"
#include "engine/souris.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"

namespace korv::engine {

namespace {

void ReinitialiserEtat(Moteur& moteur) {
    moteur.Tableaux().ReferencesRecreer(moteur.scene);
    moteur.Ecran().SpriteSupprimerTous();
    moteur.Ecran().GraphiquesEffacerTous();
    moteur.Script().VarSupprimerToutes();
    EvenementSourisEffaceTous(moteur);
    ObjetsPositionInitialeMemoriser(moteur);
    ObjetAfficheSupprimerTous(moteur.affiches);
    moteur.jeu.JeuFinDemande = 0;
    moteur.PileHistorique.clear();
}

// End of play with a modified plan asks to save first; Cancel plays on.
bool FinDuJeuConfirmee(Moteur& moteur) {
    moteur.Plan().PlanAffaireEditionValider();
    if (!moteur.Plan().PlanAffaireModifie()) return true;
    if (moteur.Plan().DialogueFichierEnregistrerDemande() != platform::Code(platform::Reponse::Annuler)) return true;
    moteur.jeu.JeuFinDemande = 0;
    return false;
}

}  // namespace

void Joue(Moteur& moteur, std::string_view document) {
    // A currency conversion left open ends with play, whichever way play ends.
    struct FinConversion {
        Moteur& moteur;
        ~FinConversion() { moteur.ConversionMonnaieTerminer(); }
    } finConversion{moteur};
    auto& jeu = moteur.jeu;
    auto& fenetre = moteur.Fenetre();
    moteur.Edition().TexteEditeParUtilisateurFin();
    jeu.JeuDisponible = 0;
    fenetre.TimerTableauReferenceEfface();
    for (Menu m : {Menu::Fichier, Menu::Fenetres, Menu::Edition, Menu::Jeu}) fenetre.MenuVisible(m, false);
    for (Menu m : {Menu::Aide, Menu::FichierPlan}) fenetre.MenuVisible(m, true);
    ArreterTout(moteur);

    if (jeu.PageDebutNom.empty()) jeu.PageDebutNom = "DEBUT";
    const int debut = NumeroDePage(moteur.scene, jeu.PageDebutNom);
    jeu.PageDebut = static_cast<std::int16_t>(debut > 0 ? debut : 1);
    jeu.PageCourante = jeu.PageDebut;

    // Through the display, which records the choice in the settings store.
    moteur.Ecran().EcAfficheCacheBarreMenu(true);
    fenetre.Montrer();
    MajAffichageBarreTitre(moteur, true);
    fenetre.EffacerSurfaces();
    ReinitialiserEtat(moteur);
    fenetre.DecharguerSplash();
    jeu.ModeProgramme = kModeJeu;

    moteur.Script().ProgScriptExecute(moteur.scene.entete.programmeDemarrage, 0, 0, "");
    jeu.JeuDisponible = -1;
    if (moteur.fin.demandee) return;
    if (jeu.JeuFinDemande != -1) PreparePageJeu(moteur, jeu.PageCourante);
    if (!document.empty() && !moteur.fin.demandee) moteur.Plan().PlanAffaireOuvrir(document, false, 0);

    while (!moteur.fin.demandee) {
        EvenementAttendre(moteur);
        if (moteur.fin.demandee) return;
        if (jeu.JeuFinDemande == -1) {
            if (FinDuJeuConfirmee(moteur)) break;
            continue;
        }
        const int n = jeu.AttenteNumeroDeclenche;
        if (n < 1 || n > moteur.attente.Nombre()) continue;
        const auto suite = AuBord(moteur, "EvenementDeclenche", [&] {
            EvenementDeclenche(moteur, n);
            EvenementEnleverSiDemande(moteur);
        });
        if (suite == SuiteErreur::Terminer) return;
    }
    if (moteur.fin.demandee) return;

    fenetre.FinDuJeuControles();
    jeu.JeuFinDemande = 0;
    moteur.Ecran().SpriteSupprimerTous();
    moteur.Ecran().GraphiquesEffacerTous();
    moteur.Ecran().VideoArreter();
    moteur.Script().VarSupprimerToutes();
    ArreterTout(moteur);
    moteur.Edition().TexteEditeParUtilisateurFin();
    Fin(moteur, false, false);
}

void AppuieToucheEsc(Moteur& moteur) {
    if (moteur.jeu.ModeProgramme != kModeJeu) return;
    switch (moteur.scene.entete.modeEsc) {
    case 0: moteur.jeu.JeuFinDemande = -1; break;
    case 1: {
        int reponse = platform::Code(platform::Reponse::Non);
        if (auto* b = moteur.Messages()) {
            reponse = b->Afficher(platform::Utf8VersCp1252("Voulez-vous vraiment quitter ce programme ?"),
                                  platform::style::OuiNon | platform::style::Question | platform::style::Defaut2,
                                  "Quitter");
        }
        if (reponse == platform::Code(platform::Reponse::Oui)) moteur.jeu.JeuFinDemande = -1;
        break;
    }
    default: break;
    }
    if (moteur.jeu.JeuFinDemande == -1) AttenteReveiller(moteur);
}

void AppuieTouche(Moteur&, int, int) {}

void TableauxAppuieTouche(Moteur& moteur, int touche, int maj, bool focusRedaction) {
    if (moteur.jeu.ModeProgramme != kModeJeu || focusRedaction) return;
    const int page = moteur.jeu.PageCourante;
    if (!moteur.scene.PageExiste(page)) return;
    const auto& p = moteur.scene.Page(page);
    for (int i = 1; i <= p.ObjetNb(); ++i) {
        if (p.Objet(i).Type() == TypeObjet::Tableau && moteur.Tableaux().ASelection(page, i)) {
            moteur.Tableaux().AppuieTouche(page, i, touche, maj);
        }
    }
}

void MajAffichageBarreTitre(Moteur& moteur, bool afficher) {
    moteur.Fenetre().AfficherBarreTitre(afficher);
    moteur.Fenetre().MenuCoche(Menu::AfficherBarreTitre, afficher);
}

void ArreterTout(Moteur& moteur) {
    for (auto& e : moteur.attente.entrees) {
        if (e.TypeObjet == static_cast<std::int16_t>(TypeObjet::Chrono)) e.Etat = -1;
    }
}

void ObjetsPositionInitialeMemoriser(Moteur& moteur) {
    moteur.jeu.pageHauteurInitiale = moteur.scene.entete.pageHauteur;
    moteur.jeu.pageLargeurInitiale = moteur.scene.entete.pageLargeur;
    for (auto& page : moteur.scene.pages) {
        for (auto& o : page.objets) {
            o.gaucheInitial = o.gauche;
            o.hautInitial = o.haut;
            o.largeurInitial = o.largeur;
            o.hauteurInitial = o.hauteur;
            o.A1Initial = o.A1;
            o.A2Initial = o.A2;
            if (o.decoupe == 2) o.cheminInitial = o.chemin;
        }
    }
}

}  // namespace korv::engine

namespace korv::engine {

void MajAffichagePlan(Moteur& moteur, int afficher) {
    if (afficher != -1 && afficher != 0) return;
    moteur.Fenetre().PanneauPlanVisible(afficher == -1);
    moteur.Fenetre().MenuCoche(Menu::AfficherPlan, afficher == -1);
    // The page frame moves beside the panel: the page is placed and drawn again.
    moteur.Ecran().MajTailleFenetre(true);
}

}  // namespace korv::engine
