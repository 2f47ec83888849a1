#pragma once
// What the engine calls outside itself. Each operation is implemented by the
// module that owns it; the program's composition connects them. The engine
// never owns these objects.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korv::formula {
class ServiceGrille;
}

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
    virtual void MenuVisible(Menu, bool) = 0;
    virtual void MenuActif(Menu, bool) = 0;
    virtual void MenuCoche(Menu, bool) = 0;
    virtual void Montrer() = 0;
    virtual void AfficherBarreMenu(bool) = 0;
    virtual void AfficherBarreTitre(bool) = 0;
    virtual void EffacerSurfaces() = 0;
    // Timers of the window: the grid-scrolling timer with its grid, the
    // tooltip timer and the tooltip itself.
    virtual void TimerTableauReferenceEfface() = 0;
    virtual void CacherBulleEtChronos() = 0;
    // Controls reset when play ends (writing box, method texts, tooltip).
    virtual void FinDuJeuControles() = 0;
    virtual void DecharguerSplash() = 0;
    virtual void OublierCiblesEdition() = 0;  // rich-text toolbar and context-menu targets
    // Hides and unloads every window at shutdown, with the progress window.
    virtual void FermerFenetres(bool decharger) = 0;
    virtual void DefinirCurseurDefaut() = 0;
    // The cursor over the page surface; the same shape again changes nothing.
    virtual void DefinirCurseur(FormeCurseur forme) = 0;
    // The method-text boxes beside the page: whether each is shown, the
    // height of the method text (in the unit of its scroll position) and
    // scrolling it to a vertical position.
    virtual bool MenuSavVisible() = 0;
    virtual bool TexteMethodeVisible() = 0;
    virtual std::int32_t TexteMethodeHauteurTexte() = 0;
    virtual void TexteMethodeDefiler(std::int32_t y) = 0;
    // The plan panel beside the page.
    virtual void PanneauPlanVisible(bool visible) = 0;
    virtual bool PanneauPlanEstVisible() = 0;
};

// Page display: layout, drawing of objects into the page buffer, copies to
// the window, palettes, texts, sprites and media.
class Affichage {
public:
    virtual ~Affichage() = default;
    // A page's preparation begins and ends: the files it draws may be looked
    // at once for the whole of it (nothing to do for displays that keep none).
    virtual void PreparationPageDebut() {}
    virtual void PreparationPageFin() {}
    virtual void MajTailleFenetre(bool forcer) = 0;
    virtual void EcAfficheCacheBarreMenu(bool afficher) = 0;
    // Draws one object into the page buffer (`MajDessinObjet`).
    virtual void MajDessinObjet(int page, int objet, bool b1, bool b2, int v1, int v2, int morceau) = 0;
    // Copies the page buffer to the window.
    virtual void MajFenetreJeu() = 0;
    // Copies a rectangle (pixels) of the buffer to the window with a
    // transition effect; a width of 0 means the whole page.
    virtual void Effet(int code, int x = 0, int y = 0, int largeur = 0, int hauteur = 0) = 0;
    virtual void MajZoneObjetJeu(int indexAffiche, int motPalette) = 0;
    // Erases a shown object (restores what lies under it).
    virtual void ObjetEnJeuEfface(int page, int objet) = 0;
    virtual void AfficherPageAvantPlan(int page) = 0;
    virtual void JeuBoutonPageSuivantePrecedenteMaj(int page) = 0;
    virtual void EnfonceEffet(int indexAffiche, int indexAttente) = 0;
    // The hover box of a shown object, drawn on the visible page only (a
    // black box or the object's polygon, pen width 2); the next copy of the
    // buffer wipes it.
    virtual void SurvolCadreDessiner(int indexAffiche) = 0;
    // The line of a text object's layout under y (twips), for the text page
    // `morceau` of a long text starting at `ligne`; 0 when none.
    virtual int NLigneTexteObjetY(int page, int objet, std::int32_t y, int morceau, std::int32_t ligne) = 0;
    // Sprites being dragged: where the sprite may stand for a wanted
    // top-left corner (twips; its path or track may hold it back), and the
    // move itself (pixels).
    struct PointTwips {
        std::int32_t x = 0;
        std::int32_t y = 0;
    };
    virtual PointTwips SpriteDetermineCoordonneesAutorisees(int sprite, std::int32_t x, std::int32_t y) = 0;
    virtual void SpriteDeplacer(int sprite, int xPixels, int yPixels) = 0;
    virtual int TexteNbPage(int page, int objet) = 0;
    virtual int TexteRicheNbMarqueurPage(int page, int objet) = 0;
    virtual int TexteNLigneVersNPage(int page, int objet, std::int32_t ligne) = 0;
    virtual int TexteRecherche(int page, int objet, std::string_view texte, int depuisLigne) = 0;
    virtual void SpriteSupprimerTous() = 0;
    // Every sprite lifted off the page buffer (its saved background put
    // back), and laid on it again over what was drawn meanwhile.
    virtual void SpritesSoulever() = 0;
    virtual void SpritesReposer() = 0;
    virtual void GraphiquesEffacerTous() = 0;
    // A script's refresh of a chart: it reads its grids again and draws
    // itself into the page buffer.
    virtual void GraphiqueRafraichir(int page, int objet) = 0;
    virtual void PaletteSelectionner(std::string_view fichier) = 0;
    virtual void PaletteLiberer() = 0;
    // Video and sound are not played on this system: these do nothing.
    virtual void VideoArreter() = 0;
    virtual bool VideoEnCours() = 0;
    virtual void SonArreter() = 0;
};

// The business-plan layer.
class PlanAffaire {
public:
    virtual ~PlanAffaire() = default;
    virtual void PlanAffaireInitialisations() = 0;
    virtual void SplashAffiche(int pourcent) = 0;
    // Opens a plan document: `demanderEnregistrement` asks first to save a
    // modified plan; `page` 0 loads the whole plan, else that page's part.
    virtual void PlanAffaireOuvrir(std::string_view document, bool demanderEnregistrement, std::int16_t page) = 0;
    // A script marked the plan changed (CHANGESELVO).
    virtual void PlanAffaireModifieFixer(bool modifie) = 0;
    virtual void PlanAffaireEditionValider() = 0;
    virtual bool PlanAffaireModifie() = 0;
    // 6 saved, 7 not saved, 2 cancel.
    virtual int DialogueFichierEnregistrerDemande() = 0;
    virtual void MethodeTextesVider(int page) = 0;
    virtual void PageMethodeAutoConstruire(int page) = 0;
    // The method texts' own mouse handling ("MENUSAV" and "TEXTEMET"
    // objects). A move answers 255 when the mouse is over a word that reacts.
    virtual void MousedownTexteMethode(std::int32_t x, std::int32_t y) = 0;
    virtual void MousedownTexteGlossaire(std::int32_t x, std::int32_t y) = 0;
    virtual int MouseMoveTexteMethode(std::int32_t x, std::int32_t y) = 0;
    virtual int MouseMoveTexteGlossaire(std::int32_t x, std::int32_t y) = 0;
    // The guided method as scripts and triggers reach it: scrolling the
    // method text to a vertical position, the name of the method's menu
    // page, the grid pages of the current step, the glossary's definition
    // box, and changing the method.
    virtual void TexteMethodeDefiler(std::int32_t y) = 0;
    virtual std::string MethodeMenuPageNom() = 0;
    virtual std::vector<int> EtapeTableauxPages() = 0;
    virtual void GlossaireAfficheDefinition() = 0;
    virtual void MethodeChanger(std::string_view argument) = 0;
};

// The page-script language: runs a script text once.
class Scripts {
public:
    virtual ~Scripts() = default;
    virtual void ProgScriptExecute(std::string_view texte, int page, int objet, std::string_view evenement) = 0;
    virtual void VarSupprimerToutes() = 0;
    virtual void VarLocalesSupprimer() = 0;
};

// Grids of the pages, by (page, object).
class Grilles {
public:
    virtual ~Grilles() = default;
    // Builds the grids of a scene just loaded, one per grid object.
    virtual void GrillesConstruire(const Scene& scene) = 0;
    // The grid of a page object as formulas reach it; null when none.
    virtual formula::ServiceGrille* GrilleDe(int page, int objet) = 0;
    // Clears the recalculation marks of every grid.
    virtual void ParcouruRecalculReinitTous() = 0;
    virtual void ReferencesRecreer(const Scene&) = 0;
    // Selection cleared, independent calculations invalidated, recalculated.
    virtual void PreparerPourPage(int page, int objet) = 0;
    // `RecalculSansInit` of the grid.
    virtual void Recalculer(int page, int objet) = 0;
    virtual void BoutonAscenseurMaj(int page, int objet) = 0;
    // Whether the grid has a selection; a key goes to each one that has.
    virtual bool ASelection(int page, int objet) = 0;
    virtual void AppuieTouche(int page, int objet, int touche, int maj) = 0;
    // The mouse on a grid (page twips): clearing its selection and drawing
    // it again into the page buffer, the three mouse handlers, and the
    // cursor it wants at a point (0 none, 3 text, 253 or 255 hand, 254 cross).
    virtual void SelectionnerRien(int page, int objet) = 0;
    virtual void Affiche(int page, int objet) = 0;
    virtual void MouseDownConsultation(int page, int objet, int bouton, int maj, std::int32_t x, std::int32_t y) = 0;
    virtual void MouseMoveConsultation(int page, int objet, int bouton, std::int32_t x, std::int32_t y) = 0;
    virtual void MouseUpConsultation(int page, int objet, std::int32_t x, std::int32_t y) = 0;
    virtual int QuelCurseurDeSouris(int page, int objet, std::int32_t x, std::int32_t y) = 0;
};

// Firing of objects.
class Declencheur {
public:
    virtual ~Declencheur() = default;
    // `DeclencheObjet`: mode 1 single (the routine copies its rectangle), 2 batch.
    virtual void DeclencheObjet(int page, int objet, int element, int action, int mode, int source) = 0;
    // `EvenementDeclenche`: fires the due entry n of the waiting list.
    virtual void EvenementDeclenche(int n) = 0;
};

// The currency conversion of grid amounts that CONVINIT opens and CONVFIN
// closes. A script that opens one may stop before closing it: the engine
// ends it when the outermost script run ends and when play ends.
class ConversionMonnaie {
public:
    virtual ~ConversionMonnaie() = default;
    // When one is open: the progress window closed, `ConversionEnCours`
    // back to 0 and the saved reference rates written back. Else nothing.
    virtual void ConversionTerminer() noexcept = 0;
};

// User text editing: the edit box over a text or a grid cell.
class EditionTexte {
public:
    virtual ~EditionTexte() = default;
    // Whether the edit box is shown.
    virtual bool EditionVisible() = 0;
    // Starts editing a text object with its text.
    virtual void TexteEditeParUtilisateurCommence(int page, int objet, std::string_view texte) = 0;
    // Ends the edit in progress, if any.
    virtual void TexteEditeParUtilisateurFin() = 0;
};

}  // namespace korv::engine
