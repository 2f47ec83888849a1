#pragma once
// Engine services for headless play: each call that matters to a test
// becomes a line of the trace; window state is kept for inspection; answers
// the engine asks for are set by the test. The pure resets (sprites, charts,
// variables, cursor) are not traced.
//
// Lines: "prepare P" (a page preparation), "jump P" (before it when the page
// came from a jump), "fire P.O element E action A mode M" (DeclencheObjet),
// "trigger P.O events B" (a due waiting entry fired by the loop), "script T"
// (a non-empty script), "effect C" (the whole page) or
// "effect C X Y W H", "draw P.O" (an object drawn into the page buffer,
// "draw P.O piece N" with its text page), "erase P.O", "redraw P.O" (the
// area of a shown object), "page-buttons P", "foreground P", "palette F",
// "palette-free", "sound-stop", "press P.O" (the pressed look of a shown
// object), "press-link P.O T" (of a link zone), "hover-box P.O",
// "sprite-move S X Y", "cursor default|text|hand|move|cross" (when the
// shape changes), "edit-start P.O", "edit-end" (an open edit ended),
// "plan-open D", "plan-save-ask R", "window-show",
// "splash-unload", "play-end-controls", "windows-close 0|1", "message T",
// "file-open T", "file-save T".

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "engine/services.h"
#include "engine/services_neutres.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "support/trace_jeu.h"

namespace korv::engine {
class Moteur;
}
namespace korv::platform {
class BoiteMessageFactice;
class DialogueFichierFactice;
}  // namespace korv::platform

namespace korv::testsupport {

class FenetreEnregistreuse final : public engine::FenetrePrincipaleNeutre {
public:
    explicit FenetreEnregistreuse(TraceJeu& trace) : trace_(trace) {}

    void MenuVisible(engine::Menu m, bool v) override { visibles[m] = v; }
    void MenuActif(engine::Menu m, bool v) override { actifs[m] = v; }
    void MenuCoche(engine::Menu m, bool v) override { coches[m] = v; }
    void Montrer() override;
    void AfficherBarreMenu(bool v) override { barreMenu = v; }
    void AfficherBarreTitre(bool v) override { barreTitre = v; }
    void FinDuJeuControles() override;
    void DecharguerSplash() override;
    void FermerFenetres(bool decharger) override;
    void DefinirCurseurDefaut() override { curseur = engine::FormeCurseur::Defaut; }
    void DefinirCurseur(engine::FormeCurseur forme) override;
    bool MenuSavVisible() override { return menuSavVisible; }
    bool TexteMethodeVisible() override { return texteMethodeVisible; }
    std::int32_t TexteMethodeHauteurTexte() override { return texteMethodeHauteur; }
    void TexteMethodeDefiler(std::int32_t y) override { texteMethodeDefilement = y; }
    void PanneauPlanVisible(bool visible) override { panneauPlan = visible; }
    bool PanneauPlanEstVisible() override { return panneauPlan; }

    std::map<engine::Menu, bool> visibles, actifs, coches;
    engine::FormeCurseur curseur = engine::FormeCurseur::Defaut;
    bool menuSavVisible = false;
    bool texteMethodeVisible = false;
    std::int32_t texteMethodeHauteur = 0;
    std::int32_t texteMethodeDefilement = 0;
    bool barreMenu = false;
    bool panneauPlan = false;
    bool barreTitre = false;

private:
    TraceJeu& trace_;
};

// With an engine, it keeps the engine's displayed-object list as the page
// display does: drawing an object of a shown kind adds it (with the text
// page drawn, when one is given), erasing it removes it. Text layout answers
// come from the test: page counts by object, the search and the page of a
// line.
class AffichageEnregistreur final : public engine::AffichageNeutre {
public:
    explicit AffichageEnregistreur(TraceJeu& trace, engine::Moteur* moteur = nullptr) : trace_(trace), moteur_(moteur) {}

    void MajDessinObjet(int page, int objet, bool b1, bool b2, int v1, int v2, int morceau) override;
    // As the display does: the window shows or hides its menu bar.
    void EcAfficheCacheBarreMenu(bool afficher) override;
    void Effet(int code, int x = 0, int y = 0, int largeur = 0, int hauteur = 0) override;
    void MajZoneObjetJeu(int indexAffiche, int motPalette) override;
    void ObjetEnJeuEfface(int page, int objet) override;
    void AfficherPageAvantPlan(int page) override;
    void JeuBoutonPageSuivantePrecedenteMaj(int page) override;
    int TexteNbPage(int page, int objet) override;
    int TexteNLigneVersNPage(int page, int objet, std::int32_t ligne) override;
    int TexteRecherche(int page, int objet, std::string_view texte, int depuisLigne) override;
    void PaletteSelectionner(std::string_view fichier) override;
    void PaletteLiberer() override;
    void SonArreter() override;
    void EnfonceEffet(int indexAffiche, int indexAttente) override;
    void SurvolCadreDessiner(int indexAffiche) override;
    int NLigneTexteObjetY(int page, int objet, std::int32_t y, int morceau, std::int32_t ligne) override;
    PointTwips SpriteDetermineCoordonneesAutorisees(int sprite, std::int32_t x, std::int32_t y) override;
    void SpriteDeplacer(int sprite, int xPixels, int yPixels) override;

    // Text pages of (page, object); 1 when not given.
    std::map<std::pair<int, int>, int> pagesTexte;
    // The line a search finds after `depuisLigne`, 0 when none.
    std::function<int(int page, int objet, std::string_view texte, int depuisLigne)> recherche;
    // The text page holding a line, 0 when none.
    std::function<int(int page, int objet, std::int32_t ligne)> pageDeLigne;
    // The line of a text under y, 0 when none (or not given).
    std::function<int(int page, int objet, std::int32_t y)> ligneSousY;
    // Where a dragged sprite may stand (twips); unchanged when not given.
    std::function<PointTwips(int sprite, std::int32_t x, std::int32_t y)> spriteAutorise;
    // Called after "sprite-move", to keep a test's sprite table.
    std::function<void(int sprite, int x, int y)> spriteDeplace;

private:
    TraceJeu& trace_;
    engine::Moteur* moteur_;
};

class PlanEnregistreur final : public engine::PlanAffaireNeutre {
public:
    explicit PlanEnregistreur(TraceJeu& trace) : trace_(trace) {}

    void PlanAffaireOuvrir(std::string_view document, bool demander, std::int16_t page) override;
    bool PlanAffaireModifie() override { return modifie; }
    // Takes the next queued answer (6 saved, 7 not saved, 2 cancel); 7 when none.
    int DialogueFichierEnregistrerDemande() override;
    void MethodeTextesVider(int page) override;
    void PageMethodeAutoConstruire(int page) override;
    void TexteMethodeDefiler(std::int32_t y) override { texteMethodeDefilement = y; }

    bool modifie = false;
    std::int32_t texteMethodeDefilement = 0;
    std::deque<int> reponsesEnregistrer;

private:
    TraceJeu& trace_;
    // A page was left by a jump and its preparation has not started yet.
    bool sautEnCours_ = false;
};

class ScriptsEnregistreurs final : public engine::ScriptsNeutre {
public:
    explicit ScriptsEnregistreurs(TraceJeu& trace) : trace_(trace) {}

    void ProgScriptExecute(std::string_view texte, int page, int objet, std::string_view evenement) override;
    void VarSupprimerToutes() override;
    void VarLocalesSupprimer() override;

    // The script language, once it exists; traced calls are passed on.
    engine::Scripts* suivant = nullptr;

private:
    TraceJeu& trace_;
};

// Records firings and passes them to `suivant`, the real trigger dispatch
// once it exists. Without one, a fired waiting entry is dropped (marked for
// removal, its events consumed) so that play comes to rest.
class DeclencheurEnregistreur final : public engine::DeclencheurNeutre, public engine::EditionTexte {
public:
    DeclencheurEnregistreur(TraceJeu& trace, engine::Moteur& moteur) : trace_(trace), moteur_(moteur) {}

    void DeclencheObjet(int page, int objet, int element, int action, int mode, int source) override;
    void EvenementDeclenche(int n) override;
    void TexteEditeParUtilisateurFin() override;
    bool EditionVisible() override { return editionVisible; }
    void TexteEditeParUtilisateurCommence(int page, int objet, std::string_view texte) override;

    engine::Declencheur* suivant = nullptr;
    // The edit box, as the text editing would show it.
    bool editionVisible = false;
    // Loop firings so far.
    long declenchements = 0;

private:
    TraceJeu& trace_;
    engine::Moteur& moteur_;
};

// "message T" for each message shown, then the scripted box answers.
class MessagesEnregistres final : public platform::BoiteMessage {
public:
    MessagesEnregistres(TraceJeu& trace, platform::BoiteMessageFactice& boite) : trace_(trace), boite_(boite) {}
    int Afficher(std::string_view texte, int style, std::string_view titre = {}) override;

private:
    TraceJeu& trace_;
    platform::BoiteMessageFactice& boite_;
};

// "file-open T" / "file-save T" (the dialog's title), then the scripted dialog answers.
class DialoguesEnregistres final : public platform::DialogueFichier {
public:
    DialoguesEnregistres(TraceJeu& trace, platform::DialogueFichierFactice& dialogue)
        : trace_(trace), dialogue_(dialogue) {}
    bool Ouvrir(platform::DemandeFichier& demande) override;
    bool Enregistrer(platform::DemandeFichier& demande) override;

private:
    TraceJeu& trace_;
    platform::DialogueFichierFactice& dialogue_;
};

}  // namespace korv::testsupport
