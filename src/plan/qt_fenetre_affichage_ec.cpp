#include "plan/qt_fenetre_affichage_ec.h"

#include <QScrollBar>
#include <QWidget>

#include "plan/qt_espace_affichage.h"
#include "plan/qt_fenetre_principale.h"

namespace korv::plan {

display::MesuresFenetre FenetreAffichageEc::Mesures() const {
    display::MesuresFenetre m;
    const QWidget* centre = fenetre_.centralWidget();
    const QSize taille = centre ? centre->size() : fenetre_.size();
    m.largeur = taille.width() * twipsX_;
    m.hauteur = taille.height() * twipsY_;
    m.planVisible = fenetre_.PanneauPlanEstVisible();
    m.planLargeur = fenetre_.PanneauPlanLargeur();
    m.largeurAscVer = fenetre_.Scene().AscVer().sizeHint().width() * twipsX_;
    m.hauteurAscHor = fenetre_.Scene().AscHor().sizeHint().height() * twipsY_;
    return m;
}

void FenetreAffichageEc::Appliquer(const display::DispositionFenetre& d) {
    const auto barre = [](const display::BarreDefilement& b) {
        return FenetreScene::Barre{b.visible, b.maximum, b.petitPas, b.grandPas};
    };
    fenetre_.PlacerScene(d.cadre.gauche, d.cadre.haut, d.cadre.largeur, d.cadre.hauteur);
    fenetre_.Scene().DefinirBarres(barre(d.hor), barre(d.ver), twipsX_, twipsY_);
}

void FenetreAffichageEc::MontrerPage(const QImage* image) { fenetre_.DefinirPageTampon(image); }
void FenetreAffichageEc::Rafraichir(const QRect&) { fenetre_.MajFenetreJeu(); }

// The progress window stays above the main window while it is open.
void FenetreAffichageEc::MessageOuvrir(std::string_view titre, std::string_view texte) {
    fenetre_.Progression().Ouvrir(titre, texte);
    if (FenetreMessage* f = fenetre_.Progression().Fenetre()) {
        f->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        f->show();
        f->raise();
    }
}

void FenetreAffichageEc::MessagePourcentage(std::int32_t valeur) { fenetre_.Progression().Pourcentage(valeur); }
void FenetreAffichageEc::MessageFermer() { fenetre_.Progression().Fermer(); }

}  // namespace korv::plan
