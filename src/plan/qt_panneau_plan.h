#pragma once
// The plan panel `Plan` (its title "  Plan", its close image `PlanFerme`
// and its tree `PlanArbre`) and `Dessous`, the client area behind the
// panels whose exposed bands are the window's splitters.

#include <cstdint>
#include <functional>

#include <QWidget>

#include "plan/separateurs.h"

class QLabel;
class QToolButton;
class QTreeWidget;

namespace korv::plan {

class PanneauPlanQt final : public QWidget {
public:
    explicit PanneauPlanQt(QWidget* parent);
    QTreeWidget& Arbre() noexcept { return *arbre_; }
    QToolButton& Ferme() noexcept { return *ferme_; }
    // A mouse move over the tree, with or without a button.
    std::function<void()> deplacementArbre;

protected:
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    QLabel* titre_;
    QToolButton* ferme_;
    QTreeWidget* arbre_;
};

class Dessous final : public QWidget {
public:
    Dessous(QWidget* parent, int twipsParPixelX, int twipsParPixelY);

    // The panels it carries (not owned; children of this widget).
    void DefinirPanneaux(QWidget* plan, QWidget* scene) noexcept { plan_ = plan, scene_ = scene; }
    // The page frame's place as the page layout gives it, in pixels.
    void PlacerScene(const QRect& cadre);
    // Places the plan panel on the left and the page frame beside it.
    void Disposer();
    // A splitter dragged: the layout is to be done again.
    std::function<void()> apresGlissement;

    PointeurSeparateur Pointeur() const noexcept { return pointeur_; }
    BandesSeparateurs Bandes() const;

protected:
    void mouseMoveEvent(QMouseEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;

private:
    QWidget* plan_ = nullptr;
    QWidget* scene_ = nullptr;
    int twipsX_;
    int twipsY_;
    PointeurSeparateur pointeur_ = PointeurSeparateur::Defaut;
};

}  // namespace korv::plan
