#pragma once
// What the engine calls outside itself. Each interface is small and every
// member has a neutral default, so a test or a layer not built yet only
// overrides what it provides. The engine never owns these objects.

#include <cstdint>
#include <string>
#include <string_view>

namespace korv::engine {

struct Scene;

// Mouse cursor shapes over the page: the window's default, the text
// I-beam, and the pictures of the pointing hand, the move cross and the
// thin cross.
enum class FormeCurseur : std::uint8_t { Defaut, Texte, Pointe, Bouge, Croix };

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
    // The cursor over the page surface; the same shape again changes nothing.
    virtual void DefinirCurseur(FormeCurseur forme) { (void)forme; }
    // The method-text boxes beside the page: whether each is shown, the
    // height of the method text (in the unit of its scroll position) and
    // scrolling it to a vertical position.
    virtual bool MenuSavVisible() { return false; }
    virtual bool TexteMethodeVisible() { return false; }
    virtual std::int32_t TexteMethodeHauteurTexte() { return 0; }
    virtual void TexteMethodeDefiler(std::int32_t y) { (void)y; }
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
    // The hover box of a shown object, drawn on the visible page only (a
    // black box or the object's polygon, pen width 2); the next copy of the
    // buffer wipes it.
    virtual void SurvolCadreDessiner(int indexAffiche) { (void)indexAffiche; }
    // The line of a text object's layout under y (twips), for the text page
    // `morceau` of a long text starting at `ligne`; 0 when none.
    virtual int NLigneTexteObjetY(int page, int objet, std::int32_t y, int morceau, std::int32_t ligne) {
        (void)page, (void)objet, (void)y, (void)morceau, (void)ligne;
        return 0;
    }
    // Sprites being dragged: where the sprite may stand for a wanted
    // top-left corner (twips; its path or track may hold it back), and the
    // move itself (pixels).
    struct PointTwips {
        std::int32_t x = 0;
        std::int32_t y = 0;
    };
    virtual PointTwips SpriteDetermineCoordonneesAutorisees(int sprite, std::int32_t x, std::int32_t y) {
        (void)sprite;
        return {x, y};
    }
    virtual void SpriteDeplacer(int sprite, int xPixels, int yPixels) { (void)sprite, (void)xPixels, (void)yPixels; }
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
    // The method texts' own mouse handling ("MENUSAV" and "TEXTEMET"
    // objects). A move answers 255 when the mouse is over a word that reacts.
    virtual void MousedownTexteMethode(std::int32_t x, std::int32_t y) { (void)x, (void)y; }
    virtual void MousedownTexteGlossaire(std::int32_t x, std::int32_t y) { (void)x, (void)y; }
    virtual int MouseMoveTexteMethode(std::int32_t x, std::int32_t y) { (void)x, (void)y; return 0; }
    virtual int MouseMoveTexteGlossaire(std::int32_t x, std::int32_t y) { (void)x, (void)y; return 0; }
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
    // The mouse on a grid (page twips): clearing its selection and drawing
    // it again into the page buffer, the three mouse handlers, and the
    // cursor it wants at a point (0 none, 3 text, 253 or 255 hand, 254 cross).
    virtual void SelectionnerRien(int page, int objet) { (void)page, (void)objet; }
    virtual void Affiche(int page, int objet) { (void)page, (void)objet; }
    virtual void MouseDownConsultation(int page, int objet, int bouton, int maj, std::int32_t x, std::int32_t y) {
        (void)page, (void)objet, (void)bouton, (void)maj, (void)x, (void)y;
    }
    virtual void MouseMoveConsultation(int page, int objet, int bouton, std::int32_t x, std::int32_t y) {
        (void)page, (void)objet, (void)bouton, (void)x, (void)y;
    }
    virtual void MouseUpConsultation(int page, int objet, std::int32_t x, std::int32_t y) {
        (void)page, (void)objet, (void)x, (void)y;
    }
    virtual int QuelCurseurDeSouris(int page, int objet, std::int32_t x, std::int32_t y) {
        (void)page, (void)objet, (void)x, (void)y;
        return 0;
    }
};

// Firing of objects and the mouse queue, which their own modules fill in.
class Declencheur {
public:
    virtual ~Declencheur() = default;
    // `DeclencheObjet`: mode 1 single (the routine copies its rectangle), 2 batch.
    virtual void DeclencheObjet(int page, int objet, int element, int action, int mode, int source) {
        (void)page, (void)objet, (void)element, (void)action, (void)mode, (void)source;
    }
    // `EvenementDeclenche`: fires the due entry n of the waiting list.
    virtual void EvenementDeclenche(int n) { (void)n; }
    virtual void TexteEditeParUtilisateurFin() {}
    // User text editing: whether the edit box is shown, and starting to
    // edit a text object with its text.
    virtual bool EditionVisible() { return false; }
    virtual void TexteEditeParUtilisateurCommence(int page, int objet, std::string_view texte) {
        (void)page, (void)objet, (void)texte;
    }
};

}  // namespace korv::engine
