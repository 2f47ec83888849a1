#include "plan/qt_boite_methode.h"

#include <algorithm>

#include <QScrollBar>

#include "plan/qt_redaction.h"
#include "rtf/qt_document.h"

namespace korv::plan {

QtBoiteMethode::QtBoiteMethode(QWidget* surface, std::int32_t tpp) : texte_(new QtTexteRiche(surface, tpp)) {
    texte_->setReadOnly(true);
    texte_->setFrameShape(QFrame::NoFrame);
    // Presses and moves go through to the page surface, which hands them to
    // play; the pointer is the surface's (the hand over what reacts).
    texte_->viewport()->setAttribute(Qt::WA_TransparentForMouseEvents);
    texte_->viewport()->unsetCursor();
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

int QtBoiteMethode::PositionAuPoint(int x, int y) const {
    const QWidget* vue = texte_->viewport();
    const QPoint dansVue = vue->mapFrom(texte_->parentWidget(), QPoint(x, y));
    const QPointF point(dansVue.x() + texte_->horizontalScrollBar()->value(),
                        dansVue.y() + texte_->verticalScrollBar()->value());
    return rtf::PositionQtAuPoint(*texte_->document(), point);
}

void QtBoiteMethode::Defiler(int y) { texte_->verticalScrollBar()->setValue(y); }

}  // namespace korv::plan
