#pragma once
// The page display as the engine sees it (`engine::Affichage`): the page
// buffer `PageTampon` that every object is drawn into, the third surface
// `permanent` that keeps the page without its transient objects, the
// visible page image `PageEcran` that the main window shows at the scroll
// origin, and the layout state. One instance lives beside the engine.
//
// `PageEcran` has the page's size: pixel (x, y) of the buffer goes to pixel
// (x, y) of it, and the window shows it shifted by the scroll origin, so
// that window pixel (0, 0) shows buffer pixel (DecalageAffichageX,
// DecalageAffichageY).

#include <cstdint>
#include <optional>
#include <string_view>

#include "display/dessin_crochets.h"
#include "display/fenetre.h"
#include "display/images.h"
#include "display/palettes.h"
#include "display/surface.h"
#include "display/surface_systeme.h"
#include "engine/objets_affiches.h"
#include "engine/services.h"

namespace korv::engine {
class Moteur;
struct ObjetPage;
}  // namespace korv::engine

namespace korv::platform {
class MagasinReglages;
}

namespace korv::display {

struct ReglagesAffichage {
    std::int32_t twipsParPixelX = 15;
    std::int32_t twipsParPixelY = 15;
    // `SystemeWindowsNT` (default true): every zone redraw covers the whole
    // page, the polygon highlight is off, and shading and the additive blend
    // draw nothing.
    SystemeAffichage systeme;
    // `EchelleEcranX`, `EchelleEcranY`: screen dots per inch / 96.
    double echelleEcranX = 1.0;
    double echelleEcranY = 1.0;
};

// dpi / 96, or 1 when the device reports nothing positive.
double EchelleDepuisPointsParPouce(double pointsParPouce);

class AffichagePage final : public engine::Affichage {
public:
    explicit AffichagePage(engine::Moteur& moteur, ReglagesAffichage reglages = {});
    AffichagePage(const AffichagePage&) = delete;
    AffichagePage& operator=(const AffichagePage&) = delete;

    engine::Moteur& moteur;
    ReglagesAffichage reglages;

    Surface PageTampon;
    Surface permanent;
    Surface PageEcran;
    Surface travail;  // blends are composed here before they reach the buffer
    ContexteImages images;
    EtatPalette palette;

    // Scroll origin of the page area, pixels.
    std::int32_t DecalageAffichageX = 0;
    std::int32_t DecalageAffichageY = 0;
    bool MajTailleFenetreEnCours = false;

    CrochetsDessin crochets;

    // Not owned; null gives a neutral window.
    void DefinirFenetre(FenetreAffichage* fenetre) noexcept { fenetre_ = fenetre; }
    FenetreAffichage& Fenetre() noexcept { return fenetre_ ? *fenetre_ : fenetreNeutre_; }
    // Where the menu-bar choice is recorded; not owned, null records nothing.
    void DefinirMagasin(platform::MagasinReglages* magasin) noexcept { magasin_ = magasin; }
    platform::MagasinReglages* Magasin() noexcept { return magasin_; }

    bool ModeJeu() const;
    engine::TwipsParPixel Tpp() const { return {reglages.twipsParPixelX, reglages.twipsParPixelY}; }
    // Twips to pixels, halves to even, 64-bit sums in.
    std::int32_t PxX(std::int64_t twips) const;
    std::int32_t PxY(std::int64_t twips) const;
    // The object of (page, objet), or null outside the tables.
    engine::ObjetPage* Objet(int page, int objet);

    // Sizes the three page surfaces to the page; a surface whose size
    // changes starts white. Returns whether the buffer changed size.
    bool SurfacesDimensionner(int largeur, int hauteur);

    // --- engine::Affichage ---
    void PreparationPageDebut() override { images.cache.Resolveur().OuvrirPassage(); }
    void PreparationPageFin() override { images.cache.Resolveur().FermerPassage(); }
    void MajTailleFenetre(bool forcer) override;
    void EcAfficheCacheBarreMenu(bool afficher) override;
    void MajDessinObjet(int page, int objet, bool cadre, bool legende, int reserve, int alentours,
                        int morceau) override;
    void MajFenetreJeu() override;
    void Effet(int code, int x = 0, int y = 0, int largeur = 0, int hauteur = 0) override;
    void MajZoneObjetJeu(int indexAffiche, int effet) override;
    void ObjetEnJeuEfface(int page, int objet) override;
    void AfficherPageAvantPlan(int page) override;
    void JeuBoutonPageSuivantePrecedenteMaj(int page) override;
    void EnfonceEffet(int indexAffiche, int indexAttente) override;
    PointTwips SpriteDetermineCoordonneesAutorisees(int sprite, std::int32_t x, std::int32_t y) override;
    void SpriteDeplacer(int sprite, int xPixels, int yPixels) override;
    void SpriteSupprimerTous() override;
    void SpritesSoulever() override;
    void SpritesReposer() override;
    int TexteNbPage(int page, int objet) override;
    int NLigneTexteObjetY(int page, int objet, std::int32_t y, int morceau, std::int32_t ligne) override;
    int TexteNLigneVersNPage(int page, int objet, std::int32_t ligne) override;
    int TexteRecherche(int page, int objet, std::string_view texte, int depuisLigne) override;
    int TexteRicheNbMarqueurPage(int page, int objet) override;
    void GraphiquesEffacerTous() override;
    void GraphiqueRafraichir(int page, int objet) override;
    void SurvolCadreDessiner(int indexAffiche) override;
    // Video and sound are not played on this system: nothing to stop.
    void VideoArreter() override {}
    bool VideoEnCours() override { return false; }
    void SonArreter() override {}
    void PaletteSelectionner(std::string_view fichier) override;
    void PaletteLiberer() override;

private:
    FenetreAffichage* fenetre_ = nullptr;
    FenetreAffichage fenetreNeutre_;
    platform::MagasinReglages* magasin_ = nullptr;
};

// --- Small display services ---

// `Effet`: copies a rectangle (pixels) of the buffer to the visible page
// with a transition record (every record gives the plain copy). Raises
// error 65000 "A20" when the copy cannot be made (no page surfaces).
void Effet(AffichagePage& a, int code, std::int32_t x, std::int32_t y, std::int32_t largeur, std::int32_t hauteur);

// The progress window: opened with a title and a text; a percentage 0-100
// (the gauge shown when hidden), 200 (gauge shown empty) or -200 (gauge
// hidden); any other value is ignored.
void MessageFenetreOuvre(AffichagePage& a, std::string_view titre, std::string_view texte);
void MessagePourcentageAffiche(AffichagePage& a, std::int32_t pourcentage);
void MessageFenetreFerme(AffichagePage& a);

double EchelleEcranX(const AffichagePage& a);
double EchelleEcranY(const AffichagePage& a);

// `TexteMetHauteur`: height (twips) of the page's first object named
// "TEXTEMET" (exact comparison); nothing without one.
std::optional<std::int16_t> TexteMetHauteur(const AffichagePage& a, int page);

// `JeuBoutonPageMaj`: the method page's objects of role 16 are shown only
// while the method text fits its panel.
void JeuBoutonPageMaj(AffichagePage& a, int page);

// Shows an object that is not shown: through `DeclencheDivers` when the
// trigger is wired, else by drawing it and copying its area.
void ObjetMontrer(AffichagePage& a, int page, int objet);

// `EnfonceEffet`: the pressed look, drawn on the visible page only.
void EnfonceEffet(AffichagePage& a, int indexAffiche, int indexAttente);

}  // namespace korv::display
