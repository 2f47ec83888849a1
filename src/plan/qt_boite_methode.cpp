#include "plan/qt_boite_methode.h"

#include <algorithm>

#include "plan/qt_redaction.h"

namespace korv::plan {

QtBoiteMethode::QtBoiteMethode(QWidget* surface, std::int32_t tpp) : texte_(new QtTexteRiche(surface, tpp)) {
    texte_->setReadOnly(true);
    texte_->setFrameShape(QFrame::NoFrame);
    texte_->hide();
}

BoiteTexteRiche& QtBoiteMethode::Boite() { return *texte_; }

void QtBoiteMethode::Placer(int x, int y, int largeur, int hauteur) {
    texte_->setGeometry(x, y, std::max(largeur, 1), std::max(hauteur, 1));
}

int QtBoiteMethode::Hauteur() const { return texte_->height(); }

void QtBoiteMethode::Montrer(bool visible) {
    texte_->setVisible(visible);
    if (visible) texte_->raise();
}

bool QtBoiteMethode::EstVisible() const { return texte_->isVisible(); }

}  // namespace korv::plan
