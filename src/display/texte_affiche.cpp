#include "display/texte_affiche.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include <QFontMetrics>
#include <QPainter>

#include "display/affichage.h"
#include "display/composition.h"
#include "display/images.h"
#include "display/surface.h"
#include "display/surface_twips.h"
#include "display/texte_police.h"
#include "engine/attente_boucle.h"
#include "engine/fichier_nom.h"
#include "engine/liste_std.h"
#include "engine/moteur.h"
#include "platform/qt_cp1252.h"
#include "text/requetes.h"

namespace korv::display {

namespace {

using text::Position;

struct StyleSurlignage {
    std::optional<Couleur> boite;
    std::optional<Couleur> texte;
    int ombre = 0;  // lighten (+) or darken (-) the box instead
};

StyleSurlignage Style(std::uint8_t style, bool palette) {
    switch (style) {
    case 0: return {Rgb(0, 0, 128), kBlanc, 0};
    case 1: return {};
    case 2: return {kNoir, kBlanc, 0};
    case 3: return {kBlanc, kNoir, 0};
    case 4: return {Rgb(128, 128, 128), kBlanc, 0};
    case 5: return palette ? Style(3, palette) : StyleSurlignage{std::nullopt, std::nullopt, 50};
    case 6: return palette ? Style(2, palette) : StyleSurlignage{std::nullopt, std::nullopt, -50};
    default: return {std::nullopt, kNoir, 0};
    }
}

// The three rectangles of a link zone by index 1 .. 3.
struct RectZone {
    std::int32_t* haut;
    std::int32_t* bas;
    std::int32_t* gauche;
    std::int32_t* droite;
};
RectZone Rect(engine::ZoneTexteLien& z, int i) {
    switch (i) {
    case 1: return {&z.Haut1, &z.Bas1, &z.Gauche1, &z.Droite1};
    case 2: return {&z.Haut2, &z.Bas2, &z.Gauche2, &z.Droite2};
    default: return {&z.Haut3, &z.Bas3, &z.Gauche3, &z.Droite3};
    }
}

// Positions read from a text, held well inside 32 bits so that sums of them stay there.
std::int32_t Borne(std::int32_t v) { return std::clamp(v, -(1 << 29), 1 << 29); }

class Dessinateur {
public:
    Dessinateur(AffichagePage& a, Surface& s, ChoixPolices& polices, const ParametresTexteAffiche& p)
        : a_(a), s_(s), polices_(polices), p_(p), tppX_(s.TwipsParPixelX()), tppY_(s.TwipsParPixelY()) {}

    std::int32_t Dessiner(std::string& texte) {
        const QRect clip(QPoint(PxX(p_.rectangle.gauche), PxY(p_.rectangle.haut)),
                         QPoint(PxX(p_.rectangle.droite) - 1, PxY(p_.rectangle.bas) - 1));
        cx_ = p_.rectangle.gauche;
        cy_ = p_.rectangle.haut;
        if (jeu() && p_.lienPage > 0) {
            for (engine::EvenementAttente& e : a_.moteur.attente.entrees) {
                if (e.TypeObjet == engine::kTypeZoneLien && e.Page == p_.lienPage && e.Objet == p_.lienObjet) {
                    e.Etat = -1;
                }
            }
        }
        if (texte.empty()) return 0;
        if (texte.find("<Texte deja Prepare>") != std::string::npos) {
            s_.PousserClip(clip);
            TexteAfficheTextePrepareEnBitmaps(a_, s_, texte, p_);
            s_.RetirerClip();
            return 0;
        }
        f_ = p_.defaut;
        f_.couleur = static_cast<std::int32_t>(p_.couleur);
        sauvee_ = p_.couleur;

        const auto plage = text::NCarTexteMorceauDetermine(texte, p_.pageAffichee, p_.premiereLigne, p_.nbLignes);
        const std::int32_t decalage = text::TexteDecalageVerticalDetermine(
            0, texte, {p_.rectangle.haut, p_.rectangle.bas}, plage, p_.alignementVDefaut, f_, tppY_);
        change_ = true;

        Surligner(texte, plage, decalage, clip);

        texte = std::string(text::Mid(texte, plage.first, plage.second - plage.first + 1));
        QPainter peintre(&s_.Image());
        peintre.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing, false);
        peintre.setClipRegion(s_.Clip().intersected(clip));
        peintre_ = &peintre;
        Position pos = 1;
        decalage_ = decalage;
        for (;;) {
            const std::string_view seq = text::TextePrepareSequenceSuivante(texte, pos);
            if (seq.empty()) break;
            pos += static_cast<Position>(seq.size());
            if (seq.front() == '<') {
                if (!Balise(seq)) break;
            } else {
                Run(seq);
            }
        }
        if (f_.lienOuvert) Enregistrer();
        peintre_ = nullptr;
        return decalage;
    }

private:
    bool jeu() const { return a_.ModeJeu(); }
    int PxX(std::int64_t t) const { return PixelsDepuisTwips(t, tppX_); }
    int PxY(std::int64_t t) const { return PixelsDepuisTwips(t, tppY_); }

    void Surligner(std::string_view texte, std::pair<Position, Position> plage, std::int32_t decalage,
                   const QRect& clip) {
        const std::int64_t L = p_.ligneSurlignee;
        if (L <= 0) return;
        const std::string_view morceau = text::Mid(texte, plage.first, plage.second - plage.first + 1);
        const auto premiere = text::TexteQuelleLigneNCar(morceau, 1);
        const auto derniere = text::TexteQuelleLigneNCar(morceau, static_cast<Position>(morceau.size()));
        if (L < premiere || L > derniere) return;
        surlignee_ = L;
        style_ = Style(p_.styleSurlignage, a_.reglages.systeme.EcranPalette);
        const std::int32_t haut = text::TexteBasLigne(texte, L - 1, tppY_) + decalage;
        const std::int32_t bas = text::TexteBasLigne(texte, L, tppY_) + decalage;
        const std::int32_t gauche = p_.rectangle.gauche + tppX_;
        const std::int32_t droite = p_.rectangle.droite - 2 * tppX_;
        s_.PousserClip(clip);
        if (style_.boite) {
            s_.RemplirBoite(PxX(gauche), PxY(haut), PxX(droite), PxY(bas), *style_.boite);
        } else if (style_.ombre != 0) {
            Ombre(a_.reglages.systeme, s_, PxX(gauche), PxY(haut), PxX(droite - gauche + tppX_),
                  PxY(bas - haut + tppY_), style_.ombre);
        }
        s_.RetirerClip();
    }

    bool Balise(std::string_view seq) {
        const std::string_view nom = text::TexteCodeSequence(seq);
        const std::string_view arg = text::TexteArgumentSequence(seq);
        const bool actif = text::Val(arg) != 0.0;
        const auto est = [&](std::string_view n) { return text::NomEgal(nom, n); };
        if (est("Couleur")) {
            f_.couleur = text::ValEntier(arg);
            change_ = true;
        } else if (est("Gras")) {
            f_.gras = actif;
            change_ = true;
        } else if (est("Souligne")) {
            f_.souligne = actif;
            change_ = true;
        } else if (est("Italique")) {
            f_.italique = actif;
            change_ = true;
        } else if (est("Police")) {
            f_.police = text::Majuscules(arg);
            change_ = true;
        } else if (est("Taille")) {
            f_.taille = static_cast<std::int16_t>(std::clamp(text::ValEntier(arg), -32768, 32767));
            change_ = true;
        } else if (est("Relief")) {
            f_.relief = static_cast<std::uint8_t>(text::ValEntier(arg) & 0xFF);
        } else if (est("Exposant")) {
            f_.exposant = actif;
            cy_ = actif ? base_ - 5 * tppY_ : base_;
        } else if (est("Indice")) {
            f_.indice = actif;
            cy_ = actif ? base_ + 5 * tppY_ : base_;
        } else if (est("X")) {
            cx_ = Borne(text::ValEntier(arg)) + p_.rectangle.gauche + p_.marge;
        } else if (est("BaseLine")) {
            std::int64_t b = std::llround(std::clamp(text::Val(arg), -1e9, 1e9) + decalage_);
            b = std::max<std::int64_t>(b, -32000);
            if (b > p_.rectangle.bas) return false;
            base_ = static_cast<std::int32_t>(std::min<std::int64_t>(b, 1 << 30));
            cy_ = base_;
            if (f_.exposant) cy_ = base_ - 5 * tppY_;
            if (f_.indice) cy_ = base_ + 5 * tppY_;
        } else if (est("Y")) {
            const std::int32_t y = Borne(text::ValEntier(arg));
            hauteurLigne_ = y - yPrecedent_;
            yPrecedent_ = y;
        } else if (est("SelDeb")) {
            selection_ = true;
        } else if (est("SelFin")) {
            selection_ = false;
        } else if (est("LigneNumero")) {
            LigneNumero(text::ValEntier(arg));
        } else if (est("Lien")) {
            Lien(actif);
        }
        return true;
    }

    void LigneNumero(std::int64_t n) {
        const std::int64_t L = surlignee_;
        if (L > 0) {
            if (n == L && !f_.lienOuvert) {
                H_ = f_.couleur;
                if (style_.texte) {
                    f_.couleur = static_cast<std::int32_t>(*style_.texte);
                    change_ = true;
                }
            } else if (n == L) {
                std::swap(H_, K_);
                if (style_.texte) K_ = static_cast<std::int32_t>(*style_.texte);
                lienSurLigneL_ = true;
            } else if (n == L + 1 && !f_.lienOuvert) {
                f_.couleur = H_;
                change_ = true;
            } else if (n == L + 1) {
                if (lienSurLigneL_) {
                    std::swap(H_, K_);
                } else {
                    K_ = H_;
                }
            }
        }
        if (!f_.lienOuvert) return;
        ++zone_.Numero;
        if (zone_.Numero == 2) {
            zone_.Gauche2 = cx_;
            zone_.Haut2 = cy_;
        } else if (zone_.Numero > 2) {
            // Rectangle 3 joins the middle lines only once it holds a line:
            // merging it while still empty would stretch rectangle 2 to the
            // page's left edge and lift its bottom to 0.
            if (rect3Tenu_) {
                zone_.Gauche2 = std::min(zone_.Gauche2, zone_.Gauche3);
                zone_.Droite2 = std::max(zone_.Droite2, zone_.Droite3);
                zone_.Bas2 = zone_.Bas3;
            }
            rect3Tenu_ = false;
            zone_.Gauche3 = cx_;
            zone_.Haut3 = cy_;
            zone_.Droite3 = 0;
            zone_.Bas3 = 0;
        }
    }

    void Lien(bool ouvre) {
        if (ouvre) {
            K_ = f_.couleur;
            f_.souligne = true;
            f_.couleur = static_cast<std::int32_t>(Rgb(255, 0, 0));
            change_ = true;
            zone_ = {};
            zone_.Numero = 1;
            zone_.Haut1 = cy_ - 5 * tppY_;
            zone_.Gauche1 = cx_;
            f_.lienOuvert = true;
            premierRunLien_ = true;
            rect3Tenu_ = false;
            return;
        }
        f_.souligne = false;
        f_.couleur = K_;
        change_ = true;
        if (f_.lienOuvert) Enregistrer();
        f_.lienOuvert = false;
    }

    void Enregistrer() {
        if (jeu() && p_.lienPage > 0) {
            engine::EvenementObjetEnAttenteDEvenementAjoute(a_.moteur, p_.lienPage, p_.lienObjet, zone_);
        }
    }

    void Appliquer() {
        police_ = polices_.Police(f_);
        peintre_->setFont(police_);
        change_ = false;
    }

    void Imprimer(std::string_view run, std::int32_t x, std::int32_t y, Couleur c) {
        peintre_->setPen(QColor::fromRgb(VersQRgb(c)));
        peintre_->drawText(QPoint(PxX(x), PxY(y)), platform::VersQString(run));
    }

    void Run(std::string_view run) {
        if (cx_ >= p_.rectangle.droite) return;
        if (change_) Appliquer();
        const QFontMetrics m(police_, &s_.Image());
        const QString q = platform::VersQString(run);
        const std::int32_t largeur = m.horizontalAdvance(q) * tppX_;
        auto couleur = static_cast<Couleur>(f_.couleur);
        if (f_.relief == 1) {
            const Couleur claire = CouleurPlusClaire(couleur, 240);
            Imprimer(run, cx_ + 2 * tppX_, cy_ + 2 * tppY_, claire);
            Imprimer(run, cx_ + tppX_, cy_ + tppY_, CouleurPlusClaire(claire, 160));
            couleur = sauvee_;
        }
        const int i = std::min<int>(zone_.Numero, 3);
        if (f_.lienOuvert && i >= 1) {
            RectZone r = Rect(zone_, i);
            *r.gauche = std::min(*r.gauche, cx_);
            if (premierRunLien_) {
                const int a = q.isEmpty() ? 0 : m.leftBearing(q.at(0));
                zone_.Gauche1 -= (a < 0 ? -a : a) * tppX_;
                premierRunLien_ = false;
            }
        }
        const bool cache = (p_.modeLien == 0 && f_.lienOuvert) || (p_.modeLien == 1 && !f_.lienOuvert);
        if (cache) couleur = p_.fond;
        const std::int32_t avant = cx_;
        Imprimer(run, cx_, cy_, couleur);
        cx_ += largeur;
        if (selection_) {
            peintre_->save();
            peintre_->setCompositionMode(QPainter::RasterOp_NotDestination);
            peintre_->fillRect(RectangleDepuisCoins(PxX(avant), PxY(cy_), PxX(cx_) - 1,
                                                    PxY(cy_ - hauteurLigne_ + tppY_)),
                               Qt::black);
            peintre_->restore();
        }
        if (f_.lienOuvert && i >= 1) {
            RectZone r = Rect(zone_, i);
            zone_.Texte += run;
            *r.haut = std::min(*r.haut, cy_ - 5 * tppY_ - m.ascent() * tppY_);
            *r.bas = std::max(*r.bas, cy_ + m.descent() * tppY_);
            *r.droite = std::max(*r.droite, cx_);
            if (i == 3) rect3Tenu_ = true;
        }
    }

    AffichagePage& a_;
    Surface& s_;
    ChoixPolices& polices_;
    const ParametresTexteAffiche& p_;
    std::int32_t tppX_;
    std::int32_t tppY_;
    QPainter* peintre_ = nullptr;
    QFont police_;
    text::FormatageTexte f_;
    bool change_ = true;
    Couleur sauvee_ = kNoir;
    std::int32_t cx_ = 0;
    std::int32_t cy_ = 0;
    std::int32_t base_ = 0;
    std::int32_t decalage_ = 0;
    std::int32_t hauteurLigne_ = 0;
    std::int32_t yPrecedent_ = 0;
    bool selection_ = false;
    std::int64_t surlignee_ = 0;
    StyleSurlignage style_;
    std::int32_t H_ = 0;
    std::int32_t K_ = 0;
    bool lienSurLigneL_ = false;
    engine::ZoneTexteLien zone_;
    bool premierRunLien_ = false;
    bool rect3Tenu_ = false;  // a run has been laid in rectangle 3 since it started
};

}  // namespace

void TexteAfficheTextePrepareEnBitmaps(AffichagePage& a, Surface& surface, std::string_view texte,
                                       const ParametresTexteAffiche& p) {
    const std::string& base = a.moteur.scene.entete.repertoireScene;
    const auto page = [&](std::int64_t n) { return "<PageNumero " + std::to_string(n) + ","; };
    std::int64_t trouvee = p.pageAffichee;
    Position debut = text::InStr(1, texte, page(trouvee));
    for (std::int64_t n : {0, 1}) {
        if (debut > 0) break;
        trouvee = n;
        debut = text::InStr(1, texte, page(n));
    }
    if (debut == 0) return;
    const Position virgule = debut + static_cast<Position>(page(trouvee).size()) - 1;
    const Position fin = text::InStr(virgule, texte, ">");
    if (fin == 0) return;
    const std::string fichier =
        engine::NomFichierAbsolu(text::Mid(texte, virgule + 1, fin - virgule - 1), base);
    const int x = a.PxX(p.rectangle.gauche);
    const int y = a.PxY(p.rectangle.haut);
    if (p.transparent) {
        AfficherTransparent(a.images, fichier, surface,
                            {x, y, a.PxX(p.rectangle.droite - p.rectangle.gauche),
                             a.PxY(p.rectangle.bas - p.rectangle.haut), 0, 0, false});
    } else {
        ChargeImage(a.images, fichier, surface, {x, y, -1, -1, 0, 0, false}, OperationRaster::SrcAnd);
    }
    const std::string cle = trouvee > 0 ? "<Hypertexte " + std::to_string(trouvee) + "," : "<Hypertexte ";
    for (Position k = text::InStr(1, texte, cle); k > 0;) {
        const Position f = text::InStr(k, texte, ">");
        if (f == 0) break;
        const std::string liste(text::Mid(texte, k, f - k));
        const auto element = [&](int n) { return engine::ListeAVirguleElementValeur(liste, n); };
        const auto entier = [&](int n) { return text::ValEntier(element(n)); };
        AfficherTransparent(a.images, engine::NomFichierAbsolu(element(3), base), surface,
                            {entier(4), entier(5), entier(6), entier(7), 0, 0, false});
        if (a.ModeJeu() && p.lienPage > 0) {
            engine::ZoneTexteLien zone;
            zone.Texte = element(8);
            // A zone has three rectangles whatever count the text gives.
            zone.Numero = static_cast<std::int16_t>(std::clamp(entier(9), 0, 3));
            for (int r = 1; r <= zone.Numero; ++r) {
                RectZone z = Rect(zone, r);
                *z.gauche = entier(10 + 4 * (r - 1));
                *z.haut = entier(11 + 4 * (r - 1));
                *z.droite = entier(12 + 4 * (r - 1));
                *z.bas = entier(13 + 4 * (r - 1));
            }
            engine::EvenementObjetEnAttenteDEvenementAjoute(a.moteur, p.lienPage, p.lienObjet, zone);
        }
        k = text::InStr(f, texte, cle);
    }
}

std::int32_t TexteAffiche(AffichagePage& a, Surface& surface, ChoixPolices& polices, std::string& texte,
                          const ParametresTexteAffiche& p) {
    if (surface.EstNulle()) return 0;
    return Dessinateur(a, surface, polices, p).Dessiner(texte);
}

}  // namespace korv::display
