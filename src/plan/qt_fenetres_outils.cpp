#include "plan/qt_fenetres_outils.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "engine/geometrie.h"

namespace korv::plan {

int PixelsDepuisTwips(int twips, int twipsParPixel) noexcept {
    const int diviseur = twipsParPixel > 0 ? twipsParPixel : 15;
    return static_cast<int>(engine::ArrondiBanquier(static_cast<double>(twips) / diviseur));
}

void CentrerSurEcran(QWidget& fenetre) {
    const QScreen* ecran = fenetre.screen();
    if (!ecran) ecran = QGuiApplication::primaryScreen();
    if (!ecran) return;
    const QRect zone = ecran->geometry();
    fenetre.move(zone.x() + (zone.width() - fenetre.width()) / 2, zone.y() + (zone.height() - fenetre.height()) / 2);
}

}  // namespace korv::plan
