#pragma once
// The page surface `EspaceAffichage` and its frame `FenetreScene` with the
// page scroll bars `SceneAscHor` and `SceneAscVer`. The surface draws the
// page buffer at the scroll origin and hands every mouse event, in surface
// twips, to the input rules; it decides nothing about the page.

#include <functional>

#include <QWidget>

#include "plan/entree_surface.h"

class QImage;
class QScrollBar;

namespace korv::plan {

class EspaceAffichage final : public QWidget {
public:
    EspaceAffichage(EntreeSurface& entree, QWidget* parent = nullptr);

    // The page buffer, not owned; null shows an empty surface.
    void DefinirTampon(const QImage* tampon);
    const QImage* Tampon() const noexcept { return tampon_; }

    OrigineDefilement Origine() const noexcept { return origine_; }
    void DefinirOrigine(OrigineDefilement origine);

    // Blank until the buffer is copied again.
    void Effacer();
    // Copies the page buffer to the surface again.
    void MajFenetreJeu();

    // Called first on every mouse-up, in every mode (stops a grid's
    // automatic scrolling).
    std::function<void()> avantRelache;

protected:
    void paintEvent(QPaintEvent* evenement) override;
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseReleaseEvent(QMouseEvent* evenement) override;
    void mouseMoveEvent(QMouseEvent* evenement) override;
    void mouseDoubleClickEvent(QMouseEvent* evenement) override;

private:
    double TwipsX(const QMouseEvent& evenement) const;
    double TwipsY(const QMouseEvent& evenement) const;

    EntreeSurface& entree_;
    const QImage* tampon_ = nullptr;
    OrigineDefilement origine_;
    bool efface_ = false;
};

class FenetreScene final : public QWidget {
public:
    FenetreScene(EntreeSurface& entree, QWidget* parent = nullptr);

    EspaceAffichage& Espace() noexcept { return *espace_; }
    QScrollBar& AscHor() noexcept { return *ascHor_; }
    QScrollBar& AscVer() noexcept { return *ascVer_; }

    // Sets the page buffer and places the surface and the bars again.
    void DefinirTampon(const QImage* tampon);

    // The page layout's scroll bars, in twips: whether each is shown, its
    // maximum and its small and large changes. Once given, the bars keep
    // them (the frame no longer sizes them from the page image), and their
    // values are twips of the page: the scroll origin is value / twips per
    // pixel, rounded down.
    struct Barre {
        bool visible = false;
        int maximum = 0;
        int petitPas = 1;
        int grandPas = 1;
    };
    void DefinirBarres(Barre horizontale, Barre verticale, int twipsParPixelX, int twipsParPixelY);
    // The surface fills the frame; a bar appears on each side the page
    // does not fit, and its range covers the part of the page out of view.
    void Placer();

protected:
    void resizeEvent(QResizeEvent* evenement) override;

private:
    void BarreChangee();

    EntreeSurface& entree_;
    EspaceAffichage* espace_ = nullptr;
    QScrollBar* ascHor_ = nullptr;
    QScrollBar* ascVer_ = nullptr;
    bool barresDisposees_ = false;
    Barre hor_;
    Barre ver_;
    int twipsX_ = 1;
    int twipsY_ = 1;
};

}  // namespace korv::plan
