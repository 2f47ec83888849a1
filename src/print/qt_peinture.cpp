#include "print/qt_peinture.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>
#include <vector>

#include "grid/feuille.h"
#include "platform/cp1252.h"
#include "print/format_cellule.h"
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

// The sheet's horizontal alignment codes: 1 general (numbers to the right,
// texts to the left), 2 left, 3 centre, 4 right, 7 centred across cells.
int AlignementHorizontal(const FormatCellule& c) {
    switch (c.alignement) {
    case 3:
    case 7: return Qt::AlignHCenter;
    case 4: return Qt::AlignRight;
    case 0:
    case 1: return c.nombre ? Qt::AlignRight : Qt::AlignLeft;
    default: return Qt::AlignLeft;
    }
}

int AlignementVertical(const FormatCellule& c) {
    switch (c.alignementVertical) {
    case 1: return Qt::AlignTop;
    case 3: return Qt::AlignBottom;
    default: return Qt::AlignVCenter;
    }
}

QColor Couleur(std::int32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

std::int32_t Hauteur(const grid::Feuille& f, int l) {
    const auto it = f.hauteurs.find(l);
    return it != f.hauteurs.end() ? it->second : kHauteurLigneDefaut;
}
std::int32_t Largeur(const grid::Feuille& f, int c) {
    const auto it = f.largeurs.find(c);
    return it != f.largeurs.end() ? it->second : kLargeurColonneDefaut;
}

// The rows and columns of one printed piece, in drawing order, with their
// edges in device pixels (one more edge than rows or columns).
struct GrilleMorceau {
    std::vector<int> lignes, colonnes;
    std::vector<double> y, x;
};

GrilleMorceau Morceau(const grid::Feuille& f, const ImpressionElement& e, const FeuilleImprimee& fi, QPointF origine,
                      double k) {
    GrilleMorceau m;
    for (int l = 1; l < e.PremLig; ++l)
        if (fi.LigneTitre(l)) m.lignes.push_back(l);
    for (int l = e.PremLig; l <= e.DernLig; ++l) m.lignes.push_back(l);
    for (int c = 1; c <= fi.ColonnesTitre() && c < e.PremCol; ++c) m.colonnes.push_back(c);
    for (int c = e.PremCol; c <= e.DernCol; ++c) m.colonnes.push_back(c);
    m.y.push_back(origine.y());
    for (int l : m.lignes) m.y.push_back(m.y.back() + Hauteur(f, l) * k);
    m.x.push_back(origine.x());
    for (int c : m.colonnes) m.x.push_back(m.x.back() + Largeur(f, c) * k);
    return m;
}

// The index in `m.colonnes` of the last column the text of the cell at
// index j covers: the print title spans the piece, a merged run its columns.
std::size_t FinTexte(const grid::Feuille& f, const GrilleMorceau& m, int ligne, std::size_t j) {
    const int c = m.colonnes[j];
    int derniere = c;
    if (ligne == 1 && !f.titreImpression.empty()) {
        derniere = m.colonnes.back();
    } else {
        for (const grid::PlageFeuille& z : f.fusions)
            if (z.ligne1 <= ligne && ligne <= z.ligne2 && z.colonne1 == c) derniere = z.colonne2;
    }
    std::size_t fin = j;
    while (fin + 1 < m.colonnes.size() && m.colonnes[fin + 1] <= derniere && m.colonnes[fin + 1] > m.colonnes[fin])
        ++fin;
    return fin;
}

// One side of a cell: a thin line (style 1) or a double one (style 6),
// drawn inside the cell from its edge; `dedans` is one line's width towards
// the cell's middle.
void Trait(QPainter& p, int style, std::int32_t couleur, QPointF a, QPointF b, QPointF dedans, double epaisseur) {
    if (style < 0) return;
    p.setPen(QPen(Couleur(couleur), epaisseur, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a + dedans / 2, b + dedans / 2);
    if (style == 6) p.drawLine(a + 2.5 * dedans, b + 2.5 * dedans);
}

// A printed piece of a grid as its sheet copy holds it: the title rows,
// then the piece's rows; the title columns, then the band's. Fills first,
// then texts, then the cells' borders and the frame, unless the job prints
// without borders.
void PeindreGrille(const Dessin& d, const ImpressionElement& e, const FeuilleImprimee& fi, QPainter& p,
                   const VuePage& v) {
    const grid::Feuille* f = fi.Feuille();
    if (f == nullptr) return;
    const double k = v.pixelsParTwip;
    const GrilleMorceau m = Morceau(*f, e, fi, EnPixels(d.rectangle, v, d.decalageHorizontal).topLeft(), k);
    if (m.lignes.empty() || m.colonnes.empty()) return;
    auto cellule = [&](std::size_t i, std::size_t j, std::size_t fin) {
        return QRectF(QPointF(m.x[j], m.y[i]), QPointF(m.x[fin + 1], m.y[i + 1]));
    };
    // Each cell's format, read once for the three passes.
    std::vector<FormatCellule> formats;
    formats.reserve(m.lignes.size() * m.colonnes.size());
    for (int l : m.lignes)
        for (int c : m.colonnes) formats.push_back(FormatCelluleFeuille(*f, l, c));
    auto format = [&](std::size_t i, std::size_t j) -> const FormatCellule& {
        return formats[i * m.colonnes.size() + j];
    };
    p.save();
    p.setPen(Qt::NoPen);
    for (std::size_t i = 0; i < m.lignes.size(); ++i) {
        for (std::size_t j = 0; j < m.colonnes.size(); ++j) {
            const FormatCellule& x = format(i, j);
            if (x.remplissage.motif != 0) p.fillRect(cellule(i, j, j), Couleur(CouleurRemplissage(x.remplissage)));
        }
    }
    // Texts kept clear of the cell edges by three screen pixels, whatever the device.
    const double marge = 3 * kTwipsParPixelEcran * k;
    for (std::size_t i = 0; i < m.lignes.size(); ++i) {
        for (std::size_t j = 0; j < m.colonnes.size(); ++j) {
            const FormatCellule& x = format(i, j);
            if (x.texte.empty()) continue;
            QFont police(x.police.empty() ? QStringLiteral("Arial") : QString::fromLatin1(x.police.c_str()));
            police.setPixelSize(std::max(1, static_cast<int>(std::lround(x.taille * 20 * k))));
            police.setBold(x.gras);
            police.setItalic(x.italique);
            police.setUnderline(x.souligne);
            p.setFont(police);
            p.setPen(Couleur(x.couleurTexte));
            const QRectF r = cellule(i, j, FinTexte(*f, m, m.lignes[i], j)).adjusted(marge, 0, -marge, 0);
            int drapeaux = AlignementHorizontal(x) | AlignementVertical(x);
            if (x.retourLigne && x.alignementVertical == 1) drapeaux |= Qt::TextWordWrap;
            const auto u = platform::Cp1252VersU32(x.texte);
            p.drawText(r, drapeaux, QString::fromUcs4(u.data(), static_cast<qsizetype>(u.size())));
        }
    }
    if (!e.SansBords) {
        // A thin line is half a point at least one device pixel wide.
        const double epaisseur = std::max(1.0, 10 * k);
        const double w = epaisseur;
        for (std::size_t i = 0; i < m.lignes.size(); ++i) {
            for (std::size_t j = 0; j < m.colonnes.size(); ++j) {
                const grid::BordsFeuille& b = format(i, j).bords;
                const QRectF r = cellule(i, j, j);
                Trait(p, b.haut, b.couleur, r.topLeft(), r.topRight(), {0, w}, epaisseur);
                Trait(p, b.bas, b.couleur, r.bottomLeft(), r.bottomRight(), {0, -w}, epaisseur);
                Trait(p, b.gauche, b.couleur, r.topLeft(), r.bottomLeft(), {w, 0}, epaisseur);
                Trait(p, b.droite, b.couleur, r.topRight(), r.bottomRight(), {-w, 0}, epaisseur);
            }
        }
        // The frame leaves the sheet's first row out when the piece starts
        // with it or repeats title rows: the print title stands above it.
        bool lignesTitre = false;
        for (int l = 1; l <= fi.DerniereLigne() && !lignesTitre; ++l) lignesTitre = fi.LigneTitre(l);
        const int premiere = e.PremLig == 1 || lignesTitre ? 2 : e.PremLig;
        std::size_t i = 0;
        while (i < m.lignes.size() && m.lignes[i] < premiere) ++i;
        if (i < m.lignes.size()) {
            p.setPen(QPen(Qt::black, epaisseur, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            p.setBrush(Qt::NoBrush);
            const double demi = epaisseur / 2;
            const QRectF cadre(QPointF(m.x.front(), m.y[i]), QPointF(m.x.back(), m.y.back()));
            p.drawRect(cadre.adjusted(demi, demi, -demi, -demi));
        }
    }
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
