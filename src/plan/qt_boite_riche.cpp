#include "plan/qt_boite_riche.h"

#include <algorithm>
#include <vector>

#include <QTextBlock>

#include "platform/colour_dialog.h"
#include "platform/qt_cp1252.h"
#include "rtf/qt_document.h"

namespace korv::plan {

namespace {

// The size of characters that carry none: our reader's default.
constexpr double kTailleDefaut = 12.0;

// The formats of the runs of [debut, fin); the caret's own format when the
// range is empty.
std::vector<QTextCharFormat> Formats(const QTextDocument& doc, const QTextCursor& c) {
    const int debut = c.selectionStart(), fin = c.selectionEnd();
    if (debut == fin) return {c.charFormat()};
    std::vector<QTextCharFormat> formats;
    for (QTextBlock b = doc.findBlock(debut); b.isValid() && b.position() < fin; b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.isValid()) continue;
            const int a = std::max(f.position(), debut), z = std::min(f.position() + f.length(), fin);
            if (a < z) formats.push_back(f.charFormat());
        }
    }
    if (formats.empty()) formats.push_back(c.charFormat());
    return formats;
}

template <class T, class Lire>
std::optional<T> Uniforme(const std::vector<QTextCharFormat>& formats, Lire lire) {
    std::optional<T> valeur;
    for (const auto& f : formats) {
        const T v = lire(f);
        if (valeur && !(*valeur == v)) return std::nullopt;
        valeur = v;
    }
    return valeur;
}

int Alignement(const QTextBlockFormat& f) {
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter) return kAligneCentre;
    if (a & Qt::AlignRight) return kAligneDroite;
    return kAligneGauche;
}

std::string Cp1252(QString texte) {
    texte.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    texte.replace(QChar::LineSeparator, QChar(0x0B));
    texte.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return platform::DepuisQString(texte);
}

}  // namespace

std::string BoiteRicheQt::TexteRtf() const { return rtf::TexteRtf(Doc(), tpp_); }

bool BoiteRicheQt::TexteRtfFixer(std::string_view texte) {
    const bool lu = rtf::DefinirTexteRtf(Doc(), texte, tpp_);
    // The text shown is no edit of the user's: undo stops at it, else
    // Ctrl+Z would empty the box, and the source would take the empty text.
    Doc().clearUndoRedoStacks();
    CurseurFixer(QTextCursor(&Doc()));
    return lu;
}

std::string BoiteRicheQt::Texte() const { return Cp1252(Doc().toPlainText()); }

int BoiteRicheQt::Longueur() const { return std::max(Doc().characterCount() - 1, 0); }

int BoiteRicheQt::SelectionDebut() const { return Curseur().selectionStart(); }

int BoiteRicheQt::SelectionLongueur() const {
    const QTextCursor c = Curseur();
    return c.selectionEnd() - c.selectionStart();
}

void BoiteRicheQt::SelectionFixer(int debut, int longueur) {
    const int n = Longueur();
    debut = std::clamp(debut, 0, n);
    longueur = std::clamp(longueur, 0, n - debut);
    QTextCursor c(&Doc());
    c.setPosition(debut);
    if (longueur > 0) c.setPosition(debut + longueur, QTextCursor::KeepAnchor);
    CurseurFixer(c);
}

void BoiteRicheQt::SelectionTexteFixer(std::string_view texte) {
    QTextCursor c = Curseur();
    QString t = platform::VersQString(texte);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    c.insertText(t);
    CurseurFixer(c);
}

std::optional<bool> BoiteRicheQt::SelGras() const {
    return Uniforme<bool>(Formats(Doc(), Curseur()), [](const QTextCharFormat& f) {
        return f.fontWeight() >= QFont::DemiBold;
    });
}

std::optional<bool> BoiteRicheQt::SelItalique() const {
    return Uniforme<bool>(Formats(Doc(), Curseur()), [](const QTextCharFormat& f) { return f.fontItalic(); });
}

std::optional<bool> BoiteRicheQt::SelSouligne() const {
    return Uniforme<bool>(Formats(Doc(), Curseur()), [](const QTextCharFormat& f) { return f.fontUnderline(); });
}

std::optional<int> BoiteRicheQt::SelAlignement() const {
    const QTextCursor c = Curseur();
    const int debut = c.selectionStart(), fin = std::max(c.selectionEnd(), debut);
    std::optional<int> valeur;
    for (QTextBlock b = Doc().findBlock(debut); b.isValid(); b = b.next()) {
        const int a = Alignement(b.blockFormat());
        if (valeur && *valeur != a) return std::nullopt;
        valeur = a;
        if (b.position() + b.length() > fin) break;
    }
    return valeur;
}

std::optional<std::int32_t> BoiteRicheQt::SelCouleur() const {
    return Uniforme<std::int32_t>(Formats(Doc(), Curseur()), [](const QTextCharFormat& f) {
        if (!f.hasProperty(QTextFormat::ForegroundBrush) || f.foreground().style() == Qt::NoBrush) return 0;
        const QColor q = f.foreground().color();
        return platform::VersColorref({static_cast<std::uint8_t>(q.red()), static_cast<std::uint8_t>(q.green()),
                                       static_cast<std::uint8_t>(q.blue())});
    });
}

std::optional<std::string> BoiteRicheQt::SelPolice() const {
    const QString defaut = Doc().defaultFont().family();
    return Uniforme<std::string>(Formats(Doc(), Curseur()), [&defaut](const QTextCharFormat& f) {
        const QStringList familles = f.fontFamilies().toStringList();
        return platform::DepuisQString(familles.isEmpty() ? defaut : familles.front());
    });
}

std::optional<double> BoiteRicheQt::SelTaille() const {
    return Uniforme<double>(Formats(Doc(), Curseur()), [](const QTextCharFormat& f) {
        return f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : kTailleDefaut;
    });
}

void BoiteRicheQt::FormatAppliquer(const std::function<void(QTextCharFormat&)>& changer) {
    QTextCursor c = Curseur();
    const int debut = c.selectionStart(), fin = c.selectionEnd();
    if (debut == fin) {
        QTextCharFormat f = c.charFormat();
        changer(f);
        c.setCharFormat(f);
        CurseurFixer(c);
        return;
    }
    // Run by run, so that each keeps what the change does not touch.
    struct Morceau {
        int a, z;
        QTextCharFormat f;
    };
    std::vector<Morceau> morceaux;
    for (QTextBlock b = Doc().findBlock(debut); b.isValid() && b.position() < fin; b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fr = it.fragment();
            if (!fr.isValid()) continue;
            const int a = std::max(fr.position(), debut), z = std::min(fr.position() + fr.length(), fin);
            if (a < z) morceaux.push_back({a, z, fr.charFormat()});
        }
    }
    QTextCursor m(&Doc());
    m.beginEditBlock();
    for (auto& x : morceaux) {
        changer(x.f);
        m.setPosition(x.a);
        m.setPosition(x.z, QTextCursor::KeepAnchor);
        m.setCharFormat(x.f);
    }
    m.endEditBlock();
    CurseurFixer(c);
}

void BoiteRicheQt::SelGrasFixer(bool oui) {
    FormatAppliquer([oui](QTextCharFormat& f) { f.setFontWeight(oui ? QFont::Bold : QFont::Normal); });
}

void BoiteRicheQt::SelItaliqueFixer(bool oui) {
    FormatAppliquer([oui](QTextCharFormat& f) { f.setFontItalic(oui); });
}

void BoiteRicheQt::SelSouligneFixer(bool oui) {
    FormatAppliquer([oui](QTextCharFormat& f) { f.setFontUnderline(oui); });
}

void BoiteRicheQt::SelAlignementFixer(int alignement) {
    Qt::Alignment a = Qt::AlignLeft;
    if (alignement == kAligneCentre) a = Qt::AlignHCenter;
    if (alignement == kAligneDroite) a = Qt::AlignRight;
    QTextCursor c = Curseur();
    QTextBlockFormat f;
    f.setAlignment(a);
    c.mergeBlockFormat(f);
    CurseurFixer(c);
}

void BoiteRicheQt::SelCouleurFixer(std::int32_t couleur) {
    const platform::Rvb v = platform::DepuisColorref(couleur);
    const QColor q(v.rouge, v.vert, v.bleu);
    FormatAppliquer([&q](QTextCharFormat& f) { rtf::CouleurFormatFixer(f, q); });
}

void BoiteRicheQt::SelPoliceFixer(std::string_view police) {
    const QString famille = platform::VersQString(police);
    FormatAppliquer([&famille](QTextCharFormat& f) { rtf::PoliceFormatFixer(f, famille); });
}

void BoiteRicheQt::SelTailleFixer(double points) {
    // A size under one point is no size ("0", ".", a slip of the keyboard).
    if (!(points >= 1.0)) return;
    FormatAppliquer([points](QTextCharFormat& f) { f.setFontPointSize(points); });
}

BoiteRicheDocument::BoiteRicheDocument(std::int32_t tpp) : BoiteRicheQt(tpp), curseur_(&doc_) {
    TexteRtfFixer("");
}

void BoiteRicheDocument::FocusDonner() {
    if (!visible_ || focus_) return;
    focus_ = true;
    Dire(EvenementRiche::FocusEntree);
}

void BoiteRicheDocument::PerdreFocus() {
    if (!focus_) return;
    focus_ = false;
    Dire(EvenementRiche::FocusPerte);
}

void BoiteRicheDocument::SelectionFixer(int debut, int longueur) {
    const int d = SelectionDebut(), l = SelectionLongueur();
    BoiteRicheQt::SelectionFixer(debut, longueur);
    if (d != SelectionDebut() || l != SelectionLongueur()) Dire(EvenementRiche::SelectionChange);
}

void BoiteRicheDocument::Taper(std::string_view texte) {
    if (verrouille_) return;
    SelectionTexteFixer(texte);
    Dire(EvenementRiche::SelectionChange);
}

}  // namespace korv::plan
