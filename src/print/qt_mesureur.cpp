#include "print/qt_mesureur.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

#include "print/qt_texte_twips.h"
#include "print/texte_travail.h"
#include "rtf/qt_document.h"

namespace korv::print {

// The last text laid out: pagination measures one text piece after piece.
struct QtMesureur::Mise {
    std::string rtf;
    rtf::Document document;
    QImage resolution{1, 1, QImage::Format_RGB32};
    QTextDocument q;
};

QtMesureur::QtMesureur() = default;
QtMesureur::~QtMesureur() = default;

QtMesureur::Mise& QtMesureur::Charge(std::string_view rtf) {
    if (mise_ && mise_->rtf == rtf) return *mise_;
    mise_ = std::make_unique<Mise>();
    mise_->rtf = std::string(rtf);
    TexteTravail t;
    t.DefinirRtf(rtf);
    mise_->document = t.Document();
    MettreEnPageTwips(mise_->document, mise_->q, mise_->resolution);
    return *mise_;
}

std::int32_t QtMesureur::Longueur(std::string_view rtf) {
    return static_cast<std::int32_t>(Charge(rtf).document.TexteBrut().size());
}

MesureTexte QtMesureur::Mesurer(std::string_view rtf, const Rectangle& r, std::int32_t debut, bool auMoinsUneLigne) {
    Mise& m = Charge(rtf);
    m.q.setTextWidth(std::max(1, r.droite - r.gauche));
    // Qt lays a long text out lazily: every line is needed, from any start.
    (void)m.q.size();
    const std::int32_t depart = rtf::PositionDocumentQt(m.document, debut);
    const double hauteur = r.bas - r.haut;
    MesureTexte resultat{debut, r.haut};
    double y0 = -1;
    for (QTextBlock b = m.q.begin(); b.isValid(); b = b.next()) {
        const QTextLayout* l = b.layout();
        if (l == nullptr) continue;
        const int n = l->lineCount();
        for (int i = 0; i < n; ++i) {
            const QTextLine ligne = l->lineAt(i);
            const int fin = i + 1 < n ? b.position() + ligne.textStart() + ligne.textLength()
                                      : b.position() + b.length();
            if (fin <= depart) continue;
            const double haut = l->position().y() + ligne.y();
            const double bas = haut + ligne.height();
            const bool premiere = y0 < 0;
            if (premiere) y0 = haut;
            if (bas - y0 > hauteur && !(premiere && auMoinsUneLigne)) return resultat;
            resultat.bas = r.haut + static_cast<std::int32_t>(std::lround(bas - y0));
            resultat.fin = rtf::PositionBrute(m.document, fin);
        }
    }
    return resultat;
}

}  // namespace korv::print
