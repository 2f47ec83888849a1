#pragma once
// Neutral services: every operation does nothing and answers the neutral
// value. For an engine context that plays without a window, a display or a
// plan layer: unit tests of the engine and tools. The program never uses
// them; its composition connects the real modules.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/services.h"

namespace korv::engine {

class FenetrePrincipaleNeutre : public FenetrePrincipale {
public:
    void MenuVisible(Menu, bool) override {}
    void MenuActif(Menu, bool) override {}
    void MenuCoche(Menu, bool) override {}
    void Montrer() override {}
    void AfficherBarreMenu(bool) override {}
    void AfficherBarreTitre(bool) override {}
    void EffacerSurfaces() override {}
    void TimerTableauReferenceEfface() override {}
    void CacherBulleEtChronos() override {}
    void FinDuJeuControles() override {}
    void DecharguerSplash() override {}
    void OublierCiblesEdition() override {}
    void FermerFenetres(bool decharger) override { (void)decharger; }
    void DefinirCurseurDefaut() override {}
    void DefinirCurseur(FormeCurseur forme) override { (void)forme; }
    bool MenuSavVisible() override { return false; }
    bool TexteMethodeVisible() override { return false; }
    std::int32_t TexteMethodeHauteurTexte() override { return 0; }
    void TexteMethodeDefiler(std::int32_t y) override { (void)y; }
    void PanneauPlanVisible(bool visible) override { (void)visible; }
    bool PanneauPlanEstVisible() override { return false; }
};

class AffichageNeutre : public Affichage {
public:
    void MajTailleFenetre(bool forcer) override { (void)forcer; }
    void EcAfficheCacheBarreMenu(bool afficher) override { (void)afficher; }
    void MajDessinObjet(int page, int objet, bool b1, bool b2, int v1, int v2, int morceau) override {
        (void)page, (void)objet, (void)b1, (void)b2, (void)v1, (void)v2, (void)morceau;
    }
    void MajFenetreJeu() override {}
    // No sprite is drawn without a page display.
    void SpritesSoulever() override {}
    void SpritesReposer() override {}
    void Effet(int code, int x = 0, int y = 0, int largeur = 0, int hauteur = 0) override {
        (void)code, (void)x, (void)y, (void)largeur, (void)hauteur;
    }
    void MajZoneObjetJeu(int indexAffiche, int motPalette) override { (void)indexAffiche, (void)motPalette; }
    void ObjetEnJeuEfface(int page, int objet) override { (void)page, (void)objet; }
    void AfficherPageAvantPlan(int page) override { (void)page; }
    void JeuBoutonPageSuivantePrecedenteMaj(int page) override { (void)page; }
    void EnfonceEffet(int indexAffiche, int indexAttente) override { (void)indexAffiche, (void)indexAttente; }
    void SurvolCadreDessiner(int indexAffiche) override { (void)indexAffiche; }
    int NLigneTexteObjetY(int page, int objet, std::int32_t y, int morceau, std::int32_t ligne) override {
        (void)page, (void)objet, (void)y, (void)morceau, (void)ligne;
        return 0;
    }
    PointTwips SpriteDetermineCoordonneesAutorisees(int sprite, std::int32_t x, std::int32_t y) override {
        (void)sprite;
        return {x, y};
    }
    void SpriteDeplacer(int sprite, int xPixels, int yPixels) override { (void)sprite, (void)xPixels, (void)yPixels; }
    int TexteNbPage(int page, int objet) override { (void)page, (void)objet; return 1; }
    int TexteRicheNbMarqueurPage(int page, int objet) override { (void)page, (void)objet; return 0; }
    int TexteNLigneVersNPage(int page, int objet, std::int32_t ligne) override { (void)page, (void)objet, (void)ligne; return 0; }
    int TexteRecherche(int page, int objet, std::string_view texte, int depuisLigne) override {
        (void)page, (void)objet, (void)texte, (void)depuisLigne;
        return 0;
    }
    void SpriteSupprimerTous() override {}
    void GraphiquesEffacerTous() override {}
    void GraphiqueRafraichir(int page, int objet) override { (void)page, (void)objet; }
    void PaletteSelectionner(std::string_view fichier) override { (void)fichier; }
    void PaletteLiberer() override {}
    void VideoArreter() override {}
    bool VideoEnCours() override { return false; }
    void SonArreter() override {}
};

class PlanAffaireNeutre : public PlanAffaire {
public:
    void PlanAffaireInitialisations() override {}
    void SplashAffiche(int pourcent) override { (void)pourcent; }
    void PlanAffaireOuvrir(std::string_view document, bool demander, std::int16_t page) override {
        (void)document, (void)demander, (void)page;
    }
    void PlanAffaireModifieFixer(bool modifie) override { (void)modifie; }
    void PlanAffaireEditionValider() override {}
    bool PlanAffaireModifie() override { return false; }
    int DialogueFichierEnregistrerDemande() override { return 7; }
    void MethodeTextesVider(int page) override { (void)page; }
    void PageMethodeAutoConstruire(int page) override { (void)page; }
    void MousedownTexteMethode(std::int32_t x, std::int32_t y) override { (void)x, (void)y; }
    void MousedownTexteGlossaire(std::int32_t x, std::int32_t y) override { (void)x, (void)y; }
    int MouseMoveTexteMethode(std::int32_t x, std::int32_t y) override { (void)x, (void)y; return 0; }
    int MouseMoveTexteGlossaire(std::int32_t x, std::int32_t y) override { (void)x, (void)y; return 0; }
    void TexteMethodeDefiler(std::int32_t y) override { (void)y; }
    std::string MethodeMenuPageNom() override { return {}; }
    std::vector<int> EtapeTableauxPages() override { return {}; }
    void GlossaireAfficheDefinition() override {}
    void MethodeChanger(std::string_view argument) override { (void)argument; }
};

class ScriptsNeutre : public Scripts {
public:
    void ProgScriptExecute(std::string_view texte, int page, int objet, std::string_view evenement) override {
        (void)texte, (void)page, (void)objet, (void)evenement;
    }
    void VarSupprimerToutes() override {}
    void VarLocalesSupprimer() override {}
};

class GrillesNeutre : public Grilles {
public:
    void GrillesConstruire(const Scene&) override {}
    formula::ServiceGrille* GrilleDe(int, int) override { return nullptr; }
    void ParcouruRecalculReinitTous() override {}
    void ReferencesRecreer(const Scene&) override {}
    void PreparerPourPage(int page, int objet) override { (void)page, (void)objet; }
    void Recalculer(int page, int objet) override { (void)page, (void)objet; }
    void BoutonAscenseurMaj(int page, int objet) override { (void)page, (void)objet; }
    bool ASelection(int page, int objet) override { (void)page, (void)objet; return false; }
    void AppuieTouche(int page, int objet, int touche, int maj) override { (void)page, (void)objet, (void)touche, (void)maj; }
    void SelectionnerRien(int page, int objet) override { (void)page, (void)objet; }
    void Affiche(int page, int objet) override { (void)page, (void)objet; }
    void MouseDownConsultation(int page, int objet, int bouton, int maj, std::int32_t x, std::int32_t y) override {
        (void)page, (void)objet, (void)bouton, (void)maj, (void)x, (void)y;
    }
    void MouseMoveConsultation(int page, int objet, int bouton, std::int32_t x, std::int32_t y) override {
        (void)page, (void)objet, (void)bouton, (void)x, (void)y;
    }
    void MouseUpConsultation(int page, int objet, std::int32_t x, std::int32_t y) override {
        (void)page, (void)objet, (void)x, (void)y;
    }
    int QuelCurseurDeSouris(int page, int objet, std::int32_t x, std::int32_t y) override {
        (void)page, (void)objet, (void)x, (void)y;
        return 0;
    }
};

class DeclencheurNeutre : public Declencheur {
public:
    void DeclencheObjet(int page, int objet, int element, int action, int mode, int source) override {
        (void)page, (void)objet, (void)element, (void)action, (void)mode, (void)source;
    }
    void EvenementDeclenche(int n) override { (void)n; }
};

class EditionTexteNeutre : public EditionTexte {
public:
    bool EditionVisible() override { return false; }
    void TexteEditeParUtilisateurCommence(int page, int objet, std::string_view texte) override {
        (void)page, (void)objet, (void)texte;
    }
    void TexteEditeParUtilisateurFin() override {}
};

}  // namespace korv::engine
