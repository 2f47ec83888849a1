#pragma once
// The main window `Ec`: the page frame with its surface and scroll bars,
// the menus by name, the window's two timers, and the small windows it
// owns (progress window, splash). Surface, key, scroll and close events go
// to the receiver (`RecepteurPage`); the engine drives the window through
// `engine::FenetrePrincipale`.

#include "platform/grid_scroll_timer.h"
#include "platform/grid_tooltip_timer.h"
#include "platform/tooltip.h"
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <QMainWindow>
#include <QTimer>

#include "engine/services.h"
#include "plan/document/document_plan.h"
#include "plan/entree_surface.h"
#include "plan/qt_fenetre_progression.h"
#include "plan/qt_splash.h"

class QAction;
class QImage;

namespace korv::plan {

class Dessous;
class EspaceAffichage;
class FenetreScene;
class PanneauPlanQt;
struct NoeudArbre;

class QtFenetrePrincipale final : public QMainWindow,
                                  public engine::FenetrePrincipale,
                                  public platform::ChronoDefilementTableau,
                                  public FenetreDocument {
public:
    explicit QtFenetrePrincipale(int twipsParPixelX = 15, int twipsParPixelY = 15);
    ~QtFenetrePrincipale() override;

    // Not owned; null forwards nothing and lets the window close.
    void DefinirRecepteur(RecepteurPage* recepteur) noexcept { entree_.DefinirRecepteur(recepteur); }
    // The File menu's printer set-up: the printer dialog of the print job.
    void DefinirConfigurationImprimante(std::function<void()> configurer) {
        configurerImprimante_ = std::move(configurer);
    }
    // The tooltip, not owned: page preparation and the end of play hide it.
    void DefinirBulle(platform::FenetreBulle* bulle) noexcept { bulle_ = bulle; }
    // The controls laid over the page that the end of play hides.
    void DefinirControlesFinDuJeu(std::function<void()> cacher) { controlesFinDuJeu_ = std::move(cacher); }

    // engine::FenetrePrincipale
    void MenuVisible(engine::Menu menu, bool visible) override;
    void MenuActif(engine::Menu menu, bool actif) override;
    void MenuCoche(engine::Menu menu, bool coche) override;
    void Montrer() override;
    void AfficherBarreMenu(bool afficher) override;
    void AfficherBarreTitre(bool afficher) override;
    void EffacerSurfaces() override;
    void TimerTableauReferenceEfface() override;
    void CacherBulleEtChronos() override;
    // The grid scrolling timer as the grids drive it.
    void Demarrer(std::function<void()> pas, int intervalleMs) override;
    void Intervalle(int intervalleMs) override { chronoTableauDefile_.setInterval(intervalleMs); }
    bool Actif() const override { return chronoTableauDefile_.isActive(); }
    std::optional<std::pair<std::int32_t, std::int32_t>> SourisPage() const override;
    void FinDuJeuControles() override;
    void DecharguerSplash() override { splash_.Decharger(); }
    void OublierCiblesEdition() override {}
    void FermerFenetres(bool decharger) override;
    void DefinirCurseurDefaut() override;
    void DefinirCurseur(engine::FormeCurseur forme) override;
    // The method panels beside the page come with the guided method; until
    // then none is shown.
    bool MenuSavVisible() override { return false; }
    bool TexteMethodeVisible() override { return false; }
    std::int32_t TexteMethodeHauteurTexte() override { return 0; }
    void TexteMethodeDefiler(std::int32_t) override {}
    // Whether the plan panel is to be shown beside the page.
    void PanneauPlanVisible(bool visible) override;
    bool PanneauPlanEstVisible() override { return panneauPlanVisible_; }
    // The plan panel's width in twips (its last width while hidden).
    std::int32_t PanneauPlanLargeur() const;
    PanneauPlanQt& PanneauPlan() noexcept { return *plan_; }
    // `PlanArbre` filled with these nodes; a click on one goes to the receiver.
    void RemplirArbre(const std::vector<NoeudArbre>& noeuds);
    Dessous& ZoneDessous() noexcept { return *dessous_; }
    // The page frame placed by the page layout, in twips.
    void PlacerScene(std::int32_t gauche, std::int32_t haut, std::int32_t largeur, std::int32_t hauteur);

    // FenetreDocument: the caption, "Enregistrer" and the page's focus.
    void Legende(std::string_view texte) override;
    void EnregistrerActif(bool actif) override;
    void FocusPage() override;

    // A menu or item by control name (a menu of the bar gives its action);
    // null for an unknown name.
    QAction* Action(std::string_view nom) const;

    FenetreScene& Scene() noexcept { return *scene_; }
    EspaceAffichage& Espace() noexcept;
    // The page buffer the surface shows, not owned; its size sets the bars.
    void DefinirPageTampon(const QImage* tampon);
    // Copies the page buffer to the surface.
    void MajFenetreJeu();

    // Timers: `ChronoBulle` (2000 ms) calls the bubble grid's tooltip,
    // `ChronoTableauDefile` (50 ms; the grid sets 100) one scrolling step of
    // the scrolling grid. Both start disabled.
    QTimer& ChronoBulle() noexcept { return chronoBulle_; }
    QTimer& ChronoTableauDefile() noexcept { return chronoTableauDefile_; }
    void InitChronoBulleTableau(std::function<void()> infoBulleAppel);
    void InitChronoDefileTableau(std::function<void()> defilementAppel);
    // One tick of each timer; a tick that arrives while the previous one is
    // still running is dropped.
    void TopChronoBulle();
    void TopChronoTableauDefile();
    // `ChronoBulle` as the grids drive it.
    platform::ChronoBulleTableau& ChronoBulleGrilles() noexcept { return chronoBulleGrilles_; }

    FenetreProgression& Progression() noexcept { return progression_; }
    SplashDemarrage& Splash() noexcept { return splash_; }

    // Closes the window from the program: no question is asked.
    void Fermer();

protected:
    void closeEvent(QCloseEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;
    void keyReleaseEvent(QKeyEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;
    // Tab belongs to the page (its grids), not to focus navigation.
    bool focusNextPrevChild(bool suivant) override;

private:
    void MenusCreer();
    void CommandesRelier();
    void AProposMontrer();
    void ConfigurationImprimante();
    void PlanQuitter();

    class ChronoBulleEc final : public platform::ChronoBulleTableau {
    public:
        explicit ChronoBulleEc(QtFenetrePrincipale& fenetre) noexcept : fenetre_(fenetre) {}
        void Demarrer(std::function<void()> appel) override;
        void Arreter() override { fenetre_.chronoBulle_.stop(); }
        bool Actif() const override { return fenetre_.chronoBulle_.isActive(); }
        std::optional<std::pair<std::int32_t, std::int32_t>> SourisPage() const override {
            return fenetre_.SourisPage();
        }

    private:
        QtFenetrePrincipale& fenetre_;
    };

    EntreeSurface entree_;
    Dessous* dessous_ = nullptr;
    PanneauPlanQt* plan_ = nullptr;
    FenetreScene* scene_ = nullptr;
    int twipsX_ = 15;
    int twipsY_ = 15;
    std::map<std::string, QAction*, std::less<>> actions_;
    QTimer chronoBulle_;
    QTimer chronoTableauDefile_;
    std::function<void()> configurerImprimante_;
    platform::FenetreBulle* bulle_ = nullptr;
    std::function<void()> controlesFinDuJeu_;
    std::function<void()> tableauBulle_;
    std::function<void()> tableauDefile_;
    bool gardeBulle_ = false;
    bool gardeDefile_ = false;
    ChronoBulleEc chronoBulleGrilles_{*this};
    bool fermetureProgramme_ = false;
    bool panneauPlanVisible_ = false;
    FenetreProgression progression_;
    SplashDemarrage splash_;
};

}  // namespace korv::plan
