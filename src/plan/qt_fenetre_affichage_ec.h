#pragma once
// The main window as the page display sees it: its inner size, the layout
// applied to its page frame and scroll bars, the page image it shows, and
// the progress window above the others.

#include "display/fenetre.h"

namespace korv::plan {

class QtFenetrePrincipale;

class FenetreAffichageEc final : public display::FenetreAffichage {
public:
    FenetreAffichageEc(QtFenetrePrincipale& fenetre, int twipsParPixelX, int twipsParPixelY)
        : fenetre_(fenetre), twipsX_(twipsParPixelX), twipsY_(twipsParPixelY) {}

    display::MesuresFenetre Mesures() const override;
    void Appliquer(const display::DispositionFenetre& disposition) override;
    void MontrerPage(const QImage* image) override;
    void Rafraichir(const QRect& zone) override;
    void MessageOuvrir(std::string_view titre, std::string_view texte) override;
    void MessagePourcentage(std::int32_t valeur) override;
    void MessageFermer() override;

private:
    QtFenetrePrincipale& fenetre_;
    int twipsX_;
    int twipsY_;
};

}  // namespace korv::plan
