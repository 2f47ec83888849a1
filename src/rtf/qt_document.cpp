#include "rtf/qt_document.h"

#include <algorithm>
#include <cmath>

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include "platform/qt_cp1252.h"
#include "rtf/ecrivain.h"
#include "rtf/lecteur.h"
#include "rtf/marqueurs.h"

namespace korv::rtf {

namespace {

// Our properties in the Qt formats.
enum Propriete : int {
    kPolice = QTextFormat::UserProperty + 1,
    kCouleur,
    kDecalage,
    kRetraitGauche,
    kRetraitDroit,
    kRetraitPremiereLigne,
    kEspaceAvant,
    kEspaceApres,
    kTabulations,
};

// The font and colour tables ride on the QTextDocument, written as an RTF
// header, so that the font numbers and colour indexes of its runs keep
// their meaning.
constexpr char kTables[] = "korv_tables_rtf";

qreal Pixels(std::int32_t twips, std::int32_t tpp) { return tpp > 0 ? static_cast<qreal>(twips) / tpp : twips; }

QString VersQt(std::u32string_view t) {
    QString s;
    for (char32_t c : t) {
        if (c == kSautLigne) c = QChar::LineSeparator;
        if (c > 0xFFFF) {
            s += QChar(QChar::highSurrogate(c));
            s += QChar(QChar::lowSurrogate(c));
        } else {
            s += QChar(static_cast<char16_t>(c));
        }
    }
    return s;
}

std::u32string DepuisQt(const QString& s) {
    std::u32string r;
    for (const char32_t c : s.toUcs4()) {
        if (c == QChar::LineSeparator) r += kSautLigne;
        else if (c == QChar::ParagraphSeparator || c == U'\r' || c == U'\n') r += kSautLigne;
        else if (c >= 0x20 || c == kTabulation) r += c;
    }
    return r;
}

QTextCharFormat FormatQt(const Document& d, const FormatCaractere& f) {
    QTextCharFormat cf;
    const Police* p = d.PoliceNumero(f.police);
    cf.setFontFamilies({platform::VersQString(p != nullptr && !p->nom.empty() ? p->nom : std::string("Arial"))});
    cf.setFontPointSize(f.taille / 2.0);
    cf.setFontWeight(f.gras ? QFont::Bold : QFont::Normal);
    cf.setFontItalic(f.italique);
    cf.setFontUnderline(f.souligne);
    cf.setFontStrikeOut(f.barre);
    cf.setFontStyleStrategy(QFont::NoAntialias);
    if (f.couleur > 0 && static_cast<std::size_t>(f.couleur) < d.couleurs.size()) {
        const CouleurRtf& c = d.couleurs[static_cast<std::size_t>(f.couleur)];
        if (!c.automatique) cf.setForeground(QColor(c.rouge, c.vert, c.bleu));
    }
    if (f.position == PositionVerticale::Exposant) cf.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (f.position == PositionVerticale::Indice) cf.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (f.decalage != 0 && f.taille > 0) cf.setBaselineOffset(100.0 * f.decalage / f.taille);
    cf.setProperty(kPolice, f.police);
    cf.setProperty(kCouleur, f.couleur);
    cf.setProperty(kDecalage, f.decalage);
    return cf;
}

QTextBlockFormat FormatQt(const Paragraphe& p, std::int32_t tpp) {
    QTextBlockFormat bf;
    const FormatParagraphe& f = p.format;
    switch (f.alignement) {
    case Alignement::Gauche: bf.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute); break;
    case Alignement::Centre: bf.setAlignment(Qt::AlignHCenter); break;
    case Alignement::Droite: bf.setAlignment(Qt::AlignRight | Qt::AlignAbsolute); break;
    case Alignement::Justifie: bf.setAlignment(Qt::AlignJustify); break;
    }
    bf.setLeftMargin(Pixels(f.retraitGauche, tpp));
    bf.setRightMargin(Pixels(f.retraitDroit, tpp));
    bf.setTextIndent(Pixels(f.retraitPremiereLigne, tpp));
    bf.setTopMargin(Pixels(f.espaceAvant, tpp));
    bf.setBottomMargin(Pixels(f.espaceApres, tpp));
    if (p.sautPage) bf.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysAfter);
    bf.setProperty(kRetraitGauche, f.retraitGauche);
    bf.setProperty(kRetraitDroit, f.retraitDroit);
    bf.setProperty(kRetraitPremiereLigne, f.retraitPremiereLigne);
    bf.setProperty(kEspaceAvant, f.espaceAvant);
    bf.setProperty(kEspaceApres, f.espaceApres);
    if (!f.tabulations.empty()) {
        QList<QTextOption::Tab> tabs;
        QVariantList twips;
        for (const std::int32_t t : f.tabulations) {
            tabs.append(QTextOption::Tab(Pixels(t, tpp), QTextOption::LeftTab));
            twips.append(t);
        }
        bf.setTabPositions(tabs);
        bf.setProperty(kTabulations, twips);
    }
    return bf;
}

// An integer property, or the pixel value turned back into twips.
std::int32_t Twips(const QTextFormat& f, int propriete, qreal pixels, std::int32_t tpp) {
    if (f.hasProperty(propriete)) return f.intProperty(propriete);
    return static_cast<std::int32_t>(std::lround(pixels * std::max(tpp, 1)));
}

std::int32_t NumeroPolice(Document& d, const QString& famille) {
    const std::string nom = platform::DepuisQString(famille);
    std::int32_t suivant = 0;
    for (const auto& p : d.polices) {
        if (p.nom == nom) return p.numero;
        suivant = std::max(suivant, p.numero + 1);
    }
    d.polices.push_back(Police{suivant, "fnil", 0, nom});
    return suivant;
}

std::int32_t IndexCouleur(Document& d, const QColor& c) {
    if (d.couleurs.empty()) d.couleurs.push_back(CouleurRtf{});
    const CouleurRtf voulue{false, static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                            static_cast<std::uint8_t>(c.blue())};
    for (std::size_t i = 1; i < d.couleurs.size(); ++i) {
        if (d.couleurs[i] == voulue) return static_cast<std::int32_t>(i);
    }
    d.couleurs.push_back(voulue);
    return static_cast<std::int32_t>(d.couleurs.size() - 1);
}

FormatCaractere DepuisQt(Document& d, const QTextCharFormat& cf) {
    FormatCaractere f;
    if (cf.hasProperty(kPolice)) {
        f.police = cf.intProperty(kPolice);
    } else if (!cf.fontFamilies().toStringList().isEmpty()) {
        f.police = NumeroPolice(d, cf.fontFamilies().toStringList().front());
    } else {
        f.police = d.policeDefaut;
    }
    if (cf.hasProperty(QTextFormat::FontPointSize)) {
        f.taille = std::clamp(static_cast<std::int32_t>(std::lround(cf.fontPointSize() * 2)), 2, 3276);
    }
    f.gras = cf.fontWeight() >= QFont::DemiBold;
    f.italique = cf.fontItalic();
    f.souligne = cf.fontUnderline();
    f.barre = cf.fontStrikeOut();
    if (cf.hasProperty(kCouleur)) {
        f.couleur = cf.intProperty(kCouleur);
    } else if (cf.hasProperty(QTextFormat::ForegroundBrush)) {
        f.couleur = IndexCouleur(d, cf.foreground().color());
    }
    if (cf.hasProperty(kDecalage)) f.decalage = cf.intProperty(kDecalage);
    if (cf.verticalAlignment() == QTextCharFormat::AlignSuperScript) f.position = PositionVerticale::Exposant;
    if (cf.verticalAlignment() == QTextCharFormat::AlignSubScript) f.position = PositionVerticale::Indice;
    return f;
}

FormatParagraphe DepuisQt(const QTextBlockFormat& bf, std::int32_t tpp) {
    FormatParagraphe f;
    const Qt::Alignment a = bf.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignJustify) f.alignement = Alignement::Justifie;
    else if (a & Qt::AlignHCenter) f.alignement = Alignement::Centre;
    else if (a & Qt::AlignRight) f.alignement = Alignement::Droite;
    f.retraitGauche = Twips(bf, kRetraitGauche, bf.leftMargin(), tpp);
    f.retraitDroit = Twips(bf, kRetraitDroit, bf.rightMargin(), tpp);
    f.retraitPremiereLigne = Twips(bf, kRetraitPremiereLigne, bf.textIndent(), tpp);
    f.espaceAvant = Twips(bf, kEspaceAvant, bf.topMargin(), tpp);
    f.espaceApres = Twips(bf, kEspaceApres, bf.bottomMargin(), tpp);
    if (bf.hasProperty(kTabulations)) {
        for (const QVariant& t : bf.property(kTabulations).toList()) f.tabulations.push_back(t.toInt());
    } else {
        for (const QTextOption::Tab& t : bf.tabPositions()) {
            f.tabulations.push_back(static_cast<std::int32_t>(std::lround(tpp > 0 ? t.position * tpp : t.position)));
        }
    }
    return f;
}

// A QTextDocument laid out at a width, on an image of the screen's resolution.
class Mise {
public:
    Mise(const Document& d, qreal largeurPixels, std::int32_t tpp)
        : resolution_(1, 1, QImage::Format_RGB32) {
        const int parMetre = static_cast<int>(std::lround(1440.0 / std::max(tpp, 1) / 0.0254));
        resolution_.setDotsPerMeterX(parMetre);
        resolution_.setDotsPerMeterY(parMetre);
        q_.documentLayout()->setPaintDevice(&resolution_);
        q_.setDocumentMargin(0);
        VersDocumentQt(d, q_, tpp);
        q_.setTextWidth(largeurPixels);
    }
    QTextDocument& Qt() { return q_; }

private:
    QImage resolution_;
    QTextDocument q_;
};

FormatCaractere FormatDefaut(const Document& d) {
    FormatCaractere f;
    f.police = d.policeDefaut;
    return f;
}

}  // namespace

void PoliceFormatFixer(QTextCharFormat& f, const QString& famille) {
    f.clearProperty(kPolice);
    f.setFontFamilies({famille});
}

void CouleurFormatFixer(QTextCharFormat& f, const QColor& couleur) {
    f.clearProperty(kCouleur);
    f.setForeground(couleur);
}

void VersDocumentQt(const Document& d, QTextDocument& q, std::int32_t tpp) {
    q.clear();
    Document tables;
    tables.polices = d.polices;
    tables.couleurs = d.couleurs;
    tables.policeDefaut = d.policeDefaut;
    q.setProperty(kTables, QByteArray::fromStdString(EcrireRtf(tables)));
    q.setDocumentMargin(0);
    QTextCursor c(&q);
    bool premier = true;
    for (const Paragraphe& p : d.paragraphes) {
        const QTextBlockFormat bf = FormatQt(p, tpp);
        // The paragraph's mark takes the format of its first run.
        const QTextCharFormat marque =
            p.morceaux.empty() ? FormatQt(d, FormatDefaut(d)) : FormatQt(d, p.morceaux.front().format);
        if (premier) {
            c.setBlockFormat(bf);
            c.setBlockCharFormat(marque);
            premier = false;
        } else {
            c.insertBlock(bf, marque);
        }
        for (const Morceau& m : p.morceaux) c.insertText(VersQt(m.texte), FormatQt(d, m.format));
    }
}

Document DepuisDocumentQt(const QTextDocument& q, std::int32_t tpp) {
    Document d;
    const QByteArray tables = q.property(kTables).toByteArray();
    if (const auto lu = LireRtf(std::string_view(tables.constData(), static_cast<std::size_t>(tables.size())));
        lu.document) {
        d.polices = lu.document->polices;
        d.couleurs = lu.document->couleurs;
        d.policeDefaut = lu.document->policeDefaut;
    } else {
        d.polices.push_back(Police{0, "fswiss", 0, "Arial"});
    }
    for (QTextBlock b = q.begin(); b.isValid(); b = b.next()) {
        Paragraphe p;
        p.format = DepuisQt(b.blockFormat(), tpp);
        p.sautPage = (b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter) != 0;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fr = it.fragment();
            if (!fr.isValid()) continue;
            Morceau m{DepuisQt(d, fr.charFormat()), DepuisQt(fr.text())};
            if (m.texte.empty()) continue;
            if (!p.morceaux.empty() && p.morceaux.back().format == m.format) {
                p.morceaux.back().texte += m.texte;
            } else {
                p.morceaux.push_back(std::move(m));
            }
        }
        // An empty paragraph keeps the format of its mark, what is typed
        // there, when it is not the document's default.
        if (p.morceaux.empty()) {
            const FormatCaractere marque = DepuisQt(d, b.charFormat());
            if (!(marque == FormatDefaut(d))) p.morceaux.push_back(Morceau{marque, {}});
        }
        d.paragraphes.push_back(std::move(p));
    }
    if (d.paragraphes.empty()) d.paragraphes.emplace_back();
    d.paragraphes.back().sautPage = false;
    return d;
}

bool DefinirTexteRtf(QTextDocument& q, std::string_view texte, std::int32_t tpp, std::string* erreur) {
    if (EstRtf(texte)) {
        LectureRtf l = LireRtf(texte);
        if (!l.document) {
            if (erreur) *erreur = l.erreur;
            VersDocumentQt(DocumentDepuisTexte({}), q, tpp);
            return false;
        }
        VersDocumentQt(*l.document, q, tpp);
        return true;
    }
    const auto d = LireTexteRiche(texte);
    VersDocumentQt(d.value_or(DocumentDepuisTexte({})), q, tpp);
    if (!d && erreur) *erreur = "texte trop long";
    return d.has_value();
}

std::string TexteRtf(const QTextDocument& q, std::int32_t tpp) { return EcrireRtf(DepuisDocumentQt(q, tpp)); }

std::int32_t HauteurPixels(const Document& d, std::int32_t largeurTwips, std::int32_t tpp) {
    Mise m(d, Pixels(std::max(largeurTwips, 0), tpp), tpp);
    return static_cast<std::int32_t>(std::lround(m.Qt().documentLayout()->documentSize().height()));
}

void Rendre(const Document& d, QImage& image, const QRect& rect, std::int32_t debut, std::int32_t fin,
            std::int32_t tpp) {
    const QRect zone = rect.intersected(image.rect());
    if (zone.isEmpty()) return;
    Mise m(Extrait(d, debut, fin), rect.width(), tpp);
    // Painted at the resolution it was laid out at (the image's own is put back after).
    const int dpmX = image.dotsPerMeterX();
    const int dpmY = image.dotsPerMeterY();
    const int parMetre = static_cast<int>(std::lround(1440.0 / std::max(tpp, 1) / 0.0254));
    image.setDotsPerMeterX(parMetre);
    image.setDotsPerMeterY(parMetre);
    {
        QPainter peintre(&image);
        peintre.setRenderHint(QPainter::TextAntialiasing, false);
        peintre.setRenderHint(QPainter::Antialiasing, false);
        peintre.setClipRect(zone);
        peintre.translate(rect.topLeft());
        QAbstractTextDocumentLayout::PaintContext contexte;
        contexte.palette.setColor(QPalette::Text, Qt::black);
        contexte.clip = QRectF(0, 0, rect.width(), rect.height());
        m.Qt().documentLayout()->draw(&peintre, contexte);
    }
    image.setDotsPerMeterX(dpmX);
    image.setDotsPerMeterY(dpmY);
}

int PositionQtAuPoint(QTextDocument& q, QPointF point) {
    QAbstractTextDocumentLayout* mise = q.documentLayout();
    // The nearest line: the first whose bottom is below the point, else the last.
    QTextLine ligne;
    int base = 0;
    QPointF origine;
    bool trouvee = false;
    for (QTextBlock b = q.begin(); b.isValid() && !trouvee; b = b.next()) {
        QTextLayout* l = b.layout();
        if (l == nullptr) continue;
        const QPointF coin = mise->blockBoundingRect(b).topLeft();
        for (int i = 0; i < l->lineCount() && !trouvee; ++i) {
            ligne = l->lineAt(i);
            base = b.position();
            origine = coin;
            trouvee = point.y() < coin.y() + ligne.y() + ligne.height();
        }
    }
    if (!ligne.isValid()) return -1;
    int dansLigne = ligne.xToCursor(point.x() - origine.x(), QTextLine::CursorOnCharacter);
    dansLigne = std::clamp(dansLigne, ligne.textStart(), ligne.textStart() + ligne.textLength());
    return base + dansLigne;
}

std::int32_t PositionAuPoint(const Document& d, std::int32_t largeurPixels, std::int32_t debut, std::int32_t fin,
                             int x, int y, std::int32_t tpp) {
    const Document partie = Extrait(d, debut, fin);
    Mise m(partie, std::max(largeurPixels, 1), tpp);
    const int position = PositionQtAuPoint(m.Qt(), QPointF(x, y));
    if (position < 0) return -1;
    const std::int32_t debutPartie = std::max(debut, 0);
    return debutPartie + PositionBrute(partie, position);
}

}  // namespace korv::rtf
