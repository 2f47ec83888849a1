#include "plan/qt_fenetres_outils.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
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

QPixmap ImageProduit(int cote) {
    QPixmap image(cote, cote);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setPen(Qt::NoPen);
    peintre.setBrush(QColor(0x1f, 0x4e, 0x8c));
    peintre.drawRoundedRect(QRectF(0, 0, cote, cote), cote / 6.0, cote / 6.0);
    peintre.setPen(Qt::white);
    QFont police("Arial");
    police.setBold(true);
    police.setPixelSize(cote * 5 / 8);
    peintre.setFont(police);
    peintre.drawText(QRect(0, 0, cote, cote), Qt::AlignCenter, QStringLiteral("C"));
    return image;
}

}  // namespace korv::plan
