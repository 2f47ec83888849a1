#include "print/qt_peinture.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>
#include <cstdio>

#include "grid/feuille.h"
#include "platform/cp1252.h"
#include "print/qt_texte_twips.h"
#include "print/texte_travail.h"
#include "rtf/qt_document.h"

namespace korv::print {
namespace {

// Screen twips per pixel: charts are drawn at this resolution.
constexpr double kTwipsParPixelEcran = 15;

QRectF EnPixels(const Rectangle& r, const VuePage& v, double dx = 0) {
    const double k = v.pixelsParTwip;
    return QRectF((r.gauche + dx) * k, r.haut * k, (r.droite - r.gauche) * k, (r.bas - r.haut) * k)
        .translated(-v.defilement);
}

// The text is laid out at 1440 dots per inch, as the measurer lays it out,
// and its lines [debut, fin) are drawn scaled into the rectangle.
void PeindreTexte(const Dessin& d, const ImpressionElement& e, QPainter& p, const VuePage& v) {
    TexteTravail tt;
    if (!tt.DefinirRtf(d.texte)) return;
    QImage resolution;
    QTextDocument q;
    MettreEnPageTwips(tt.Document(), q, resolution);
    q.setTextWidth(std::max(1, d.rectangle.droite - d.rectangle.gauche));
    // Qt lays a long text out lazily: every line is needed, from any start.
    (void)q.size();
    const bool piece = e.Genre == GenreElement::Contenu;
    const std::int32_t debut = piece ? rtf::PositionDocumentQt(tt.Document(), e.CaractereDebut) : 0;
    const std::int32_t fin = piece && e.CaractereFin > e.CaractereDebut
                                 ? rtf::PositionDocumentQt(tt.Document(), e.CaractereFin)
                                 : q.characterCount();
    double y0 = -1, y1 = 0;
    for (QTextBlock b = q.begin(); b.isValid(); b = b.next()) {
        const QTextLayout* l = b.layout();
        if (l == nullptr) continue;
        for (int i = 0; i < l->lineCount(); ++i) {
            const QTextLine ligne = l->lineAt(i);
            const int s = b.position() + ligne.textStart();
            const int f = s + std::max(1, ligne.textLength());
            if (f <= debut || s >= fin) continue;
            const double haut = l->position().y() + ligne.y();
            if (y0 < 0) y0 = haut;
            y1 = haut + ligne.height();
        }
    }
    if (y0 < 0) return;
    const QRectF cible = EnPixels(d.rectangle, v);
    p.save();
    p.setClipRect(QRectF(cible.topLeft(), QSizeF(cible.width() + 1, (y1 - y0) * v.pixelsParTwip + 1)));
    p.translate(cible.topLeft());
    p.scale(v.pixelsParTwip, v.pixelsParTwip);
    p.translate(0, -y0);
    // Only the paragraphs of these lines: a neighbour that merely touches
    // them is not drawn under the clip (a PDF keeps clipped text).
    q.drawContents(&p, QRectF(0, y0 + 1, d.rectangle.droite - d.rectangle.gauche, std::max(0.0, y1 - y0 - 2)));
    p.restore();
}

std::string TexteCellule(const grid::CelluleFeuille& c) {
    if (c.genre == grid::CelluleFeuille::Genre::Texte) return c.texte;
    if (c.genre == grid::CelluleFeuille::Genre::Vide) return {};
    char tampon[64];
    double n = c.nombre;
    const bool pourcent = c.format.find('%') != std::string::npos;
    if (pourcent) n *= 100;
    if (c.format.empty()) std::snprintf(tampon, sizeof tampon, "%.10g", n);
    else std::snprintf(tampon, sizeof tampon, "%.2f", n);
    std::string s = tampon;
    for (char& ch : s)
        if (ch == '.') ch = ',';
    if (pourcent) s += '%';
    return s;
}

// The sheet's horizontal alignment codes: 1 general (numbers to the right,
// texts to the left), 2 left, 3 centre, 4 right, 7 centred across cells.
int AlignementHorizontal(const grid::CelluleFeuille& c) {
    switch (c.alignement) {
    case 3:
    case 7: return Qt::AlignHCenter;
    case 4: return Qt::AlignRight;
    case 0:
    case 1: return c.genre == grid::CelluleFeuille::Genre::Nombre ? Qt::AlignRight : Qt::AlignLeft;
    default: return Qt::AlignLeft;
    }
}

std::int32_t Hauteur(const grid::Feuille& f, int l) {
    const auto it = f.hauteurs.find(l);
    return it != f.hauteurs.end() ? it->second : kHauteurLigneDefaut;
}
std::int32_t Largeur(const grid::Feuille& f, int c) {
    const auto it = f.largeurs.find(c);
    return it != f.largeurs.end() ? it->second : kLargeurColonneDefaut;
}

// The title rows, then the range's rows; the title columns, then the band's.
void PeindreGrille(const Dessin& d, const ImpressionElement& e, const FeuilleImprimee& fi, QPainter& p,
                   const VuePage& v) {
    const grid::Feuille* f = fi.Feuille();
    if (f == nullptr) return;
    std::vector<int> lignes, colonnes;
    for (int l = 1; l < e.PremLig; ++l)
        if (fi.LigneTitre(l)) lignes.push_back(l);
    for (int l = e.PremLig; l <= e.DernLig; ++l) lignes.push_back(l);
    for (int c = 1; c <= fi.ColonnesTitre() && c < e.PremCol; ++c) colonnes.push_back(c);
    for (int c = e.PremCol; c <= e.DernCol; ++c) colonnes.push_back(c);
    const double k = v.pixelsParTwip;
    const QPointF origine = EnPixels(d.rectangle, v, d.decalageHorizontal).topLeft();
    p.save();
    QFont police("Arial");
    police.setPixelSize(std::max(1, static_cast<int>(std::lround(f->taillePolice * 20 * k))));
    p.setFont(police);
    p.setPen(QPen(Qt::black, 0));
    double y = origine.y();
    // Texts kept clear of the cell edges by three screen pixels, whatever the device.
    const double marge = 3 * kTwipsParPixelEcran * k;
    double largeurTotale = 0;
    for (int c : colonnes) largeurTotale += Largeur(*f, c) * k;
    for (int l : lignes) {
        const double h = Hauteur(*f, l) * k;
        double x = origine.x();
        for (int c : colonnes) {
            const double w = Largeur(*f, c) * k;
            if (const grid::CelluleFeuille* cel = f->Cellule(l, c)) {
                const std::string s = TexteCellule(*cel);
                if (!s.empty()) {
                    const auto u = platform::Cp1252VersU32(s);
                    p.drawText(QRectF(x + marge, y, w - 2 * marge, h), AlignementHorizontal(*cel) | Qt::AlignVCenter,
                               QString::fromUcs4(u.data(), static_cast<qsizetype>(u.size())));
                }
            }
            x += w;
        }
        y += h;
    }
    if (!e.SansBords) p.drawRect(QRectF(origine, QSizeF(largeurTotale, y - origine.y())));
    p.restore();
}

}  // namespace

void PeindrePage(const ImpressionTravail& t, std::int32_t page, QPainter& p, const VuePage& vue,
                 const DessinGraphique& graphique) {
    for (const Dessin& d : PlanPage(t, page)) {
        const ImpressionElement& e = t.Elements[static_cast<std::size_t>(d.index - 1)];
        switch (d.genre) {
            case DessinGenre::Texte:
                PeindreTexte(d, e, p, vue);
                break;
            case DessinGenre::Tableau:
                if (e.ObjetTableau >= 1 && static_cast<std::size_t>(e.ObjetTableau) <= t.feuilles.size())
                    PeindreGrille(d, e, *t.feuilles[static_cast<std::size_t>(e.ObjetTableau - 1)], p, vue);
                break;
            case DessinGenre::Graphique:
                if (graphique && e.ObjetGraphique >= 1 &&
                    static_cast<std::size_t>(e.ObjetGraphique) <= t.graphiques.size()) {
                    // Drawn at the screen's resolution, as on a page, then
                    // stretched to the device: its texts keep their size
                    // against the chart on a printer too.
                    const QRect r = EnPixels(d.rectangle, vue).toRect();
                    const QSize ecran(static_cast<int>(std::lround((d.rectangle.droite - d.rectangle.gauche) / kTwipsParPixelEcran)),
                                      static_cast<int>(std::lround((d.rectangle.bas - d.rectangle.haut) / kTwipsParPixelEcran)));
                    if (r.width() > 0 && r.height() > 0 && ecran.width() > 0 && ecran.height() > 0) {
                        QImage image(ecran, QImage::Format_RGB32);
                        image.fill(Qt::white);
                        graphique(t.graphiques[static_cast<std::size_t>(e.ObjetGraphique - 1)].contenu, image,
                                  QRect(QPoint(0, 0), ecran));
                        p.save();
                        p.setRenderHint(QPainter::SmoothPixmapTransform);
                        p.drawImage(r, image);
                        p.restore();
                    }
                }
                break;
        }
    }
}

}  // namespace korv::print
