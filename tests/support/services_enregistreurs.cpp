#include "support/services_enregistreurs.h"

#include "engine/moteur.h"
#include "platform/file_dialog_fake.h"
#include "platform/message_box_fake.h"

namespace korv::testsupport {

using std::to_string;

void FenetreEnregistreuse::Montrer() { trace_.Ajouter("window-show"); }
void FenetreEnregistreuse::FinDuJeuControles() { trace_.Ajouter("play-end-controls"); }
void FenetreEnregistreuse::DecharguerSplash() { trace_.Ajouter("splash-unload"); }
void FenetreEnregistreuse::FermerFenetres(bool decharger) { trace_.Ajouter("windows-close " + to_string(decharger ? 1 : 0)); }

void FenetreEnregistreuse::DefinirCurseur(engine::FormeCurseur forme) {
    if (forme == curseur) return;
    curseur = forme;
    const char* nom = "default";
    switch (forme) {
    case engine::FormeCurseur::Defaut: nom = "default"; break;
    case engine::FormeCurseur::Texte: nom = "text"; break;
    case engine::FormeCurseur::Pointe: nom = "hand"; break;
    case engine::FormeCurseur::Bouge: nom = "move"; break;
    case engine::FormeCurseur::Croix: nom = "cross"; break;
    }
    trace_.Ajouter(std::string("cursor ") + nom);
}

namespace {

// Kinds that the page display keeps in the displayed-object list.
bool TypeAffiche(engine::TypeObjet t) {
    using T = engine::TypeObjet;
    switch (t) {
    case T::Fond: case T::Image: case T::Bouton: case T::Texte: case T::Video: case T::Polyligne: case T::Sprite:
    case T::Tableau: case T::TexteRtf: case T::Graphique: return true;
    default: return false;
    }
}

}  // namespace

void AffichageEnregistreur::EcAfficheCacheBarreMenu(bool afficher) {
    if (moteur_) moteur_->Fenetre().AfficherBarreMenu(afficher);
}

void AffichageEnregistreur::MajDessinObjet(int page, int objet, bool, bool, int, int, int morceau) {
    std::string ligne = "draw " + to_string(page) + "." + to_string(objet);
    if (morceau >= 0) ligne += " piece " + to_string(morceau);
    trace_.Ajouter(std::move(ligne));
    if (!moteur_ || moteur_->jeu.ModeProgramme != engine::kModeJeu || !moteur_->scene.ObjetExiste(page, objet)) return;
    auto& liste = moteur_->affiches;
    if (!TypeAffiche(moteur_->scene.Page(page).Objet(objet).Type())) return;
    int k = engine::ObjetAfficheNObjetVersNAffiche(liste, page, objet);
    if (k == 0) {
        engine::ObjetAfficheAjouter(liste, moteur_->scene, page, objet, engine::TwipsParPixel{});
        k = liste.Nombre();
        if (morceau >= 0) liste.Entree(k).morceauTexte = static_cast<std::int16_t>(morceau);
    }
}

void AffichageEnregistreur::MajZoneObjetJeu(int indexAffiche, int) {
    if (moteur_ && moteur_->affiches.Existe(indexAffiche)) {
        const auto& a = moteur_->affiches.Entree(indexAffiche);
        trace_.Ajouter("redraw " + to_string(a.page) + "." + to_string(a.objet));
    }
}

void AffichageEnregistreur::ObjetEnJeuEfface(int page, int objet) {
    trace_.Ajouter("erase " + to_string(page) + "." + to_string(objet));
    if (!moteur_) return;
    engine::ObjetAfficheSupprimer(moteur_->affiches, engine::ObjetAfficheNObjetVersNAffiche(moteur_->affiches, page, objet));
}

void AffichageEnregistreur::JeuBoutonPageSuivantePrecedenteMaj(int page) { trace_.Ajouter("page-buttons " + to_string(page)); }

int AffichageEnregistreur::TexteNbPage(int page, int objet) {
    const auto it = pagesTexte.find({page, objet});
    return it == pagesTexte.end() ? 1 : it->second;
}

int AffichageEnregistreur::TexteNLigneVersNPage(int page, int objet, std::int32_t ligne) {
    return pageDeLigne ? pageDeLigne(page, objet, ligne) : 0;
}

int AffichageEnregistreur::TexteRecherche(int page, int objet, std::string_view texte, int depuisLigne) {
    return recherche ? recherche(page, objet, texte, depuisLigne) : 0;
}

void AffichageEnregistreur::EnfonceEffet(int indexAffiche, int indexAttente) {
    if (!moteur_) return;
    if (indexAttente > 0 && indexAttente <= moteur_->attente.Nombre()) {
        const auto& e = moteur_->attente.Entree(indexAttente);
        if (e.TypeObjet == engine::kTypeZoneLien) {
            trace_.Ajouter("press-link " + to_string(e.Page) + "." + to_string(e.Objet) + " " + e.TexteLien);
            return;
        }
    }
    if (moteur_->affiches.Existe(indexAffiche)) {
        const auto& a = moteur_->affiches.Entree(indexAffiche);
        trace_.Ajouter("press " + to_string(a.page) + "." + to_string(a.objet));
    }
}

void AffichageEnregistreur::SurvolCadreDessiner(int indexAffiche) {
    if (moteur_ && moteur_->affiches.Existe(indexAffiche)) {
        const auto& a = moteur_->affiches.Entree(indexAffiche);
        trace_.Ajouter("hover-box " + to_string(a.page) + "." + to_string(a.objet));
    }
}

int AffichageEnregistreur::NLigneTexteObjetY(int page, int objet, std::int32_t y, int, std::int32_t) {
    return ligneSousY ? ligneSousY(page, objet, y) : 0;
}

engine::Affichage::PointTwips AffichageEnregistreur::SpriteDetermineCoordonneesAutorisees(int sprite, std::int32_t x,
                                                                                         std::int32_t y) {
    return spriteAutorise ? spriteAutorise(sprite, x, y) : PointTwips{x, y};
}

void AffichageEnregistreur::SpriteDeplacer(int sprite, int x, int y) {
    trace_.Ajouter("sprite-move " + to_string(sprite) + " " + to_string(x) + " " + to_string(y));
    if (spriteDeplace) spriteDeplace(sprite, x, y);
}

void AffichageEnregistreur::PaletteLiberer() { trace_.Ajouter("palette-free"); }
void AffichageEnregistreur::SonArreter() { trace_.Ajouter("sound-stop"); }

void AffichageEnregistreur::Effet(int code, int x, int y, int largeur, int hauteur) {
    std::string ligne = "effect " + to_string(code);
    if (largeur != 0) ligne += " " + to_string(x) + " " + to_string(y) + " " + to_string(largeur) + " " + to_string(hauteur);
    trace_.Ajouter(std::move(ligne));
}
void AffichageEnregistreur::AfficherPageAvantPlan(int page) { trace_.Ajouter("foreground " + to_string(page)); }
void AffichageEnregistreur::PaletteSelectionner(std::string_view fichier) {
    trace_.Ajouter("palette " + std::string(fichier));
}

void PlanEnregistreur::PlanAffaireOuvrir(std::string_view document, bool demander, std::int16_t page) {
    trace_.Ajouter("plan-open " + std::string(document) + (demander ? " ask" : "") +
                   (page != 0 ? " page " + std::to_string(page) : std::string()));
}

int PlanEnregistreur::DialogueFichierEnregistrerDemande() {
    int reponse = 7;
    if (!reponsesEnregistrer.empty()) {
        reponse = reponsesEnregistrer.front();
        reponsesEnregistrer.pop_front();
    }
    trace_.Ajouter("plan-save-ask " + to_string(reponse));
    return reponse;
}

// A jump hands the page it leaves to the plan layer, then prepares the new
// one: the pair tells a jump from the first preparation of play.
void PlanEnregistreur::MethodeTextesVider(int) { sautEnCours_ = true; }

void PlanEnregistreur::PageMethodeAutoConstruire(int page) {
    if (sautEnCours_) trace_.Ajouter("jump " + to_string(page));
    sautEnCours_ = false;
    trace_.Ajouter("prepare " + to_string(page));
}

void ScriptsEnregistreurs::ProgScriptExecute(std::string_view texte, int page, int objet, std::string_view evenement) {
    if (!texte.empty()) trace_.Ajouter("script " + std::string(texte));
    if (suivant) suivant->ProgScriptExecute(texte, page, objet, evenement);
}

void ScriptsEnregistreurs::VarSupprimerToutes() {
    if (suivant) suivant->VarSupprimerToutes();
}

void ScriptsEnregistreurs::VarLocalesSupprimer() {
    if (suivant) suivant->VarLocalesSupprimer();
}

void DeclencheurEnregistreur::DeclencheObjet(int page, int objet, int element, int action, int mode, int source) {
    trace_.Ajouter("fire " + to_string(page) + "." + to_string(objet) + " element " + to_string(element) + " action " +
                   to_string(action) + " mode " + to_string(mode));
    if (suivant) suivant->DeclencheObjet(page, objet, element, action, mode, source);
}

void DeclencheurEnregistreur::EvenementDeclenche(int n) {
    ++declenchements;
    auto& liste = moteur_.attente;
    if (n >= 1 && n <= liste.Nombre()) {
        const auto& e = liste.Entree(n);
        trace_.Ajouter("trigger " + to_string(e.Page) + "." + to_string(e.Objet) + " events " +
                       to_string(e.EvenementsSurvenus));
    }
    if (suivant) {
        suivant->EvenementDeclenche(n);
    } else if (n >= 1 && n <= liste.Nombre()) {
        auto& e = liste.Entree(n);
        e.EvenementsSurvenus = 0;
        e.Etat = -1;
    }
}

void DeclencheurEnregistreur::TexteEditeParUtilisateurFin() {
    if (editionVisible) trace_.Ajouter("edit-end");
    editionVisible = false;
}

void DeclencheurEnregistreur::TexteEditeParUtilisateurCommence(int page, int objet, std::string_view texte) {
    trace_.Ajouter("edit-start " + to_string(page) + "." + to_string(objet));
    editionVisible = true;
    (void)texte;
}

int MessagesEnregistres::Afficher(std::string_view texte, int style, std::string_view titre) {
    trace_.Ajouter("message " + std::string(texte));
    return boite_.Afficher(texte, style, titre);
}

bool DialoguesEnregistres::Ouvrir(platform::DemandeFichier& demande) {
    trace_.Ajouter("file-open " + demande.TitreDialogue);
    return dialogue_.Ouvrir(demande);
}

bool DialoguesEnregistres::Enregistrer(platform::DemandeFichier& demande) {
    trace_.Ajouter("file-save " + demande.TitreDialogue);
    return dialogue_.Enregistrer(demande);
}

}  // namespace korv::testsupport
