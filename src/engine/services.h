#pragma once
// What the engine calls outside itself. Each interface is small and every
// member has a neutral default, so a test or a layer not built yet only
// overrides what it provides. The engine never owns these objects.

#include <cstdint>
#include <string>
#include <string_view>

namespace korv::engine {

struct Scene;

// Menus and controls of the main window that the engine drives by name.
enum class Menu : std::uint8_t {
    Fichier,              // MnuFichier
    Fenetres,             // MnuFenetres
    Edition,              // MnuEdition
    Jeu,                  // MnuJeu
    Aide,                 // MnuCapAide / MnuOrvAide
    FichierPlan,          // MnuCapFichier / MnuOrvFichier
    AfficherBarreTitre,   // MnuAfficherBarreTitre
    ExporterPageRtf,      // MnuExporterPageRTF
    ImprimerPage,         // MnuCapImprimerPage / MnuOrvImprimerPage
    AfficherPlan,         // MnuOrvAfficherPlan
};

class FenetrePrincipale {
public:
    virtual ~FenetrePrincipale() = default;
    virtual void MenuVisible(Menu, bool) {}
    virtual void MenuActif(Menu, bool) {}
    virtual void MenuCoche(Menu, bool) {}
    virtual void Montrer() {}
    virtual void AfficherBarreMenu(bool) {}
    virtual void AfficherBarreTitre(bool) {}
    virtual void EffacerSurfaces() {}
    // Timers of the window: the grid-scrolling timer with its grid, the
    // tooltip timer and the tooltip itself.
    virtual void TimerTableauReferenceEfface() {}
    virtual void CacherBulleEtChronos() {}
    // Controls reset when play ends (writing box, method texts, tooltip).
    virtual void FinDuJeuControles() {}
    // The writing box: its text, and emptying it.
    virtual std::string RedactionTexte() { return {}; }
    virtual void RedactionVider() {}
    virtual void DecharguerSplash() {}
    virtual void OublierCiblesEdition() {}  // rich-text toolbar and context-menu targets
    // Hides and unloads every window at shutdown, with the progress window.
    virtual void FermerFenetres(bool decharger) { (void)decharger; }
    virtual void DefinirCurseurDefaut() {}
    // The plan panel beside the page.
    virtual void PanneauPlanVisible(bool visible) { (void)visible; }
};

// Page display: layout, drawing of objects into the page buffer, copies to
// the window, palettes, texts, sprites and media.
class Affichage {
public:
    virtual ~Affichage() = default;
    virtual void MajTailleFenetre(bool forcer) { (void)forcer; }
    virtual void EcAfficheCacheBarreMenu(bool afficher) { (void)afficher; }
    // Draws one object into the page buffer (`MajDessinObjet`).
    virtual void MajDessinObjet(int page, int objet, bool b1, bool b2, int v1, int v2, int morceau) {
        (void)page, (void)objet, (void)b1, (void)b2, (void)v1, (void)v2, (void)morceau;
    }
    // Copies the page buffer to the window.
    virtual void MajFenetreJeu() {}
    // Copies a rectangle (pixels) of the buffer to the window with a
    // transition effect; a width of 0 means the whole page.
    virtual void Effet(int code, int x = 0, int y = 0, int largeur = 0, int hauteur = 0) {
        (void)code, (void)x, (void)y, (void)largeur, (void)hauteur;
    }
    virtual void MajZoneObjetJeu(int indexAffiche, int motPalette) { (void)indexAffiche, (void)motPalette; }
    // Erases a shown object (restores what lies under it).
    virtual void ObjetEnJeuEfface(int page, int objet) { (void)page, (void)objet; }
    virtual void AfficherPageAvantPlan(int page) { (void)page; }
    virtual void JeuBoutonPageSuivantePrecedenteMaj(int page) { (void)page; }
    virtual void EnfonceEffet(int indexAffiche, int indexAttente) { (void)indexAffiche, (void)indexAttente; }
    virtual int TexteNbPage(int page, int objet) { (void)page, (void)objet; return 1; }
    virtual int TexteRicheNbMarqueurPage(int page, int objet) { (void)page, (void)objet; return 0; }
    virtual int TexteNLigneVersNPage(int page, int objet, std::int32_t ligne) { (void)page, (void)objet, (void)ligne; return 0; }
    virtual int TexteRecherche(int page, int objet, std::string_view texte, int depuisLigne) {
        (void)page, (void)objet, (void)texte, (void)depuisLigne;
        return 0;
    }
    virtual void SpriteSupprimerTous() {}
    virtual void GraphiquesEffacerTous() {}
    virtual void PaletteSelectionner(std::string_view fichier) { (void)fichier; }
    virtual void PaletteLiberer() {}
    // Video and sound are not played on this system: these do nothing.
    virtual void VideoArreter() {}
    virtual bool VideoEnCours() { return false; }
    virtual void SonArreter() {}
};

// The business-plan layer.
class PlanAffaire {
public:
    virtual ~PlanAffaire() = default;
    virtual void PlanAffaireInitialisations() {}
    virtual void SplashAffiche(int pourcent) { (void)pourcent; }
    virtual void PlanAffaireOuvrir(std::string_view document) { (void)document; }
    virtual void PlanAffaireEditionValider() {}
    virtual bool PlanAffaireModifie() { return false; }
    // 6 saved, 7 not saved, 2 cancel.
    virtual int DialogueFichierEnregistrerDemande() { return 7; }
    virtual void MethodeTextesVider(int page) { (void)page; }
    virtual void PageMethodeAutoConstruire(int page) { (void)page; }
    virtual void RedactionTexteSauver(std::string_view texte) { (void)texte; }
};

// The page-script language: runs a script text once.
class Scripts {
public:
    virtual ~Scripts() = default;
    virtual void ProgScriptExecute(std::string_view texte, int page, int objet, std::string_view evenement) {
        (void)texte, (void)page, (void)objet, (void)evenement;
    }
    virtual void VarSupprimerToutes() {}
    virtual void VarLocalesSupprimer() {}
};

// Grids of the pages, by (page, object).
class Grilles {
public:
    virtual ~Grilles() = default;
    virtual void ReferencesRecreer(const Scene&) {}
    // Selection cleared, independent calculations invalidated, recalculated.
    virtual void PreparerPourPage(int page, int objet) { (void)page, (void)objet; }
    virtual void BoutonAscenseurMaj(int page, int objet) { (void)page, (void)objet; }
    // Whether the grid has a selection; a key goes to each one that has.
    virtual bool ASelection(int page, int objet) { (void)page, (void)objet; return false; }
    virtual void AppuieTouche(int page, int objet, int touche, int maj) { (void)page, (void)objet, (void)touche, (void)maj; }
};

// Firing of objects and the mouse queue, which their own modules fill in.
class Declencheur {
public:
    virtual ~Declencheur() = default;
    // `DeclencheObjet`: mode 1 single (the routine copies its rectangle), 2 batch.
    virtual void DeclencheObjet(int page, int objet, int element, int action, int mode, int source) {
        (void)page, (void)objet, (void)element, (void)action, (void)mode, (void)source;
    }
    virtual void EvenementSourisEffaceTous() {}
    // The queue of mouse events that came while the engine was busy.
    virtual bool EvenementsSourisEnAttente() { return false; }
    virtual void EvenementSourisDeclenche() {}
    // `EvenementDeclenche`: fires the due entry n of the waiting list.
    virtual void EvenementDeclenche(int n) { (void)n; }
    virtual void ObjetAfficheSupprimerTous() {}
    virtual void TexteEditeParUtilisateurFin() {}
};

}  // namespace korv::engine
