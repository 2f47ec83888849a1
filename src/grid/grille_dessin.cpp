#include "grid/grille_dessin.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "formula/nombres.h"
#include "formula/valeur.h"
#include "grid/tableau.h"

namespace korv::grid {

namespace {

constexpr std::int32_t Rgb(int r, int v, int b) { return r + v * 256 + b * 65536; }
constexpr std::int32_t kNoir = 0;
constexpr std::int32_t kBlancRgb = Rgb(255, 255, 255);
constexpr std::int32_t kSansFond = -1;  // the white ground shows
constexpr char kProprietaire = '\xA4';  // "¤": a text running over the cells to its right

bool EstPlanAction(std::int32_t code) { return code >= -23 && code <= -18; }
// Number and percentage cells show figures; order statuses show words.
bool EstChiffre(const TableauCaseAttributClasse& a) {
    return a.TypeAffichage == 2 || (a.TypeAffichage == 1 && a.SousFormat != 2);
}
bool CommenceParProprietaire(std::string_view t) { return !t.empty() && t.front() == kProprietaire; }

struct Couleurs {
    std::int32_t fond = kSansFond;
    std::int32_t texte = 0;
};

// Negative numeric texts show in red under codes -10 and -8.
std::int32_t TexteSigne(std::string_view t, std::int32_t garde) {
    const auto v = formula::LitNombre(t);
    if (!v) return garde;
    return *v < 0 ? Rgb(200, 0, 0) : kNoir;
}

Couleurs CouleursDuCode(std::int32_t code, std::int32_t texte, const CaseTableau* x) {
    const bool entreeSurFormule = x && x->ResultatType == resultat::kEntreeSurFormule;
    const std::string_view valeur = x ? std::string_view(x->Valeur) : std::string_view();
    const std::string_view contenu = x ? std::string_view(x->Texte) : std::string_view();
    switch (code) {
    case -23: return {Rgb(150, 150, 150), kNoir};
    case -22: return {Rgb(170, 170, 170), kNoir};
    case -21: return {Rgb(190, 190, 190), kNoir};
    case -20: return {Rgb(210, 210, 210), kNoir};
    case -19: return {Rgb(230, 230, 230), kNoir};
    case -18: return {Rgb(250, 250, 250), kNoir};
    case -17: return {kSansFond, texte};
    case -15: return {kSansFond, kBlancRgb};
    case -13: return {Rgb(230, 230, 230), Rgb(100, 100, 100)};
    case -12: return {Rgb(200, 200, 200), texte};
    case -11: return {Rgb(254, 231, 253), texte};
    case -10: return {Rgb(255, 244, 255), TexteSigne(valeur, texte)};
    case -9: return {Rgb(245, 245, 245), texte};
    case -8: return {Rgb(244, 250, 255), TexteSigne(contenu, texte)};
    case -7: return {entreeSurFormule ? Rgb(228, 249, 219) : Rgb(242, 252, 237), texte};
    case -6: return {Rgb(254, 231, 253), texte};
    case -5: return {Rgb(252, 242, 211), texte};
    case -4: return {Rgb(253, 249, 236), texte};
    case -3: return {entreeSurFormule ? Rgb(234, 245, 255) : Rgb(254, 231, 253), texte};
    case -2: return {Rgb(255, 244, 255), texte};
    case -1: return {Rgb(244, 250, 255), texte};
    default: break;
    }
    const std::int32_t fond = code == INT32_MIN ? INT32_MAX : (code < 0 ? -code : code);
    return {fond == kBlancRgb ? kSansFond : fond, texte};
}

// Twips to pixels, halves to the even neighbour.
int Pixels(std::int32_t twips, std::int32_t parPixel) {
    return static_cast<int>(formula::ArrondiPair(static_cast<double>(twips) / static_cast<double>(parPixel)));
}

// Element n (1-based) of a comma list; empty past the last.
std::string Element(std::string_view liste, int n) {
    std::size_t debut = 0;
    for (int i = 1; i < n; ++i) {
        const std::size_t v = liste.find(',', debut);
        if (v == std::string_view::npos) return {};
        debut = v + 1;
    }
    const std::size_t fin = liste.find(',', debut);
    return std::string(liste.substr(debut, fin == std::string_view::npos ? std::string_view::npos : fin - debut));
}

// The picture a cell's file attribute names for its display text.
std::string NomImage(const std::string& nom, std::string_view affiche) {
    if (nom.size() > 1 && nom.front() == '?') {
        std::string choisi = Element(nom, affiche != "0,0" ? 3 : 2);
        for (char& x : choisi) {
            if (x == ';') x = ',';
        }
        return choisi;
    }
    if (nom == "?") {
        if (affiche == "sign\xE9") return std::string("../images/tableau/flst0102.bmp,2,2");
        if (affiche == "\xE0 signer" || affiche == "\xE0 confirmer" || affiche == "prospect\xE9") {
            return std::string("../images/tableau/flst0101.bmp,2,2");
        }
        if (affiche == "ind\xE9" "fini") return std::string("../images/tableau/flst0103.bmp,2,2");
    }
    return nom;
}

std::string Remplace(std::string_view t, std::string_view quoi, std::string_view par) {
    std::string r;
    r.reserve(t.size());
    std::size_t i = 0;
    for (std::size_t j = t.find(quoi); j != std::string_view::npos; j = t.find(quoi, i)) {
        r.append(t.substr(i, j - i)).append(par);
        i = j + quoi.size();
    }
    return r.append(t.substr(i));
}

}  // namespace

// The cell's rectangle (page twips), its zone's last column and whether
// the zone's tooltip mark is due.
struct DessinGrille::Zone {
    std::int32_t L = 0, T = 0, R = 0, B = 0;
    int derniere = 0;
    std::uint8_t fusion = 0;
};

DessinGrille::DessinGrille(TableauClasse& grille, PinceauGrille& pinceau, std::function<std::string(int, int)> texte,
                           bool enJeu)
    : g_(grille), p_(pinceau), texte_(std::move(texte)), enJeu_(enJeu) {}

void DessinGrille::Affiche(bool quadrillage) {
    g_.TailleCalculMaj();
    p_.Clip(g_.RectangleGauche(), g_.RectangleHaut(), g_.RectangleDroite(), g_.RectangleBas());
    p_.Boite(g_.RectangleGauche(), g_.RectangleHaut(), g_.RectangleDroite(), g_.RectangleBas(), kBlancRgb);
    p_.Pointille(quadrillage);
    for (int ca = g_.ColonnesAfficheesNb(); ca >= 1; --ca) {
        if (g_.ColonneAfficheeVersStockee(ca) == 0) continue;
        for (int la = 1; la <= g_.LignesAfficheesNb(); ++la) {
            if (g_.LigneAfficheeVersStockee(la) == 0) continue;
            CaseAfficher(ca, la, quadrillage, false);
        }
    }
    p_.Pointille(false);
    p_.ClipEnlever();
}

int DessinGrille::AfficheeDeColonne(int stockee) const {
    const Correspondance& m = g_.CorrespondanceColonnes();
    for (int a = m.Haut(); a >= m.Bas(); --a) {
        if (a != 0 && m.Lit(a) == stockee) return a;
    }
    return 0;
}

void DessinGrille::CaseAfficher(int ca, int la, bool quadrillage, bool reglagePropre) {
    if (ca > g_.ColonnesAfficheesNb() || la < 1 || la > g_.LignesAfficheesNb()) return;
    if (reglagePropre) p_.Clip(g_.RectangleGauche(), g_.RectangleHaut(), g_.RectangleDroite(), g_.RectangleBas());
    struct FinReglage {
        PinceauGrille& p;
        bool actif;
        ~FinReglage() {
            if (actif) p.ClipEnlever();
        }
    } fin{p_, reglagePropre};

    const int c = g_.ColonneAfficheeVersStockee(ca);
    const int r = g_.LigneAfficheeVersStockee(la);
    if (c == 0 || r == 0) return;
    const std::int32_t code = g_.CaseCouleurFond(c, r);
    const std::int32_t px = p_.PixelX(), py = p_.PixelY();
    const std::int32_t gL = g_.RectangleGauche(), gT = g_.RectangleHaut(), gR = g_.RectangleDroite();
    const CaseTableau* x = g_.Case(c, r);
    const SelectionTableau& s = g_.Selection();
    const bool selectionnee =
        ca >= s.HautGaucheColonne && ca <= s.BasDroiteColonne && la >= s.HautGaucheLigne && la <= s.BasDroiteLigne;

    Zone z;
    z.L = gL + g_.ColonneGauche(c);
    z.T = gT + g_.LigneHaut(r);
    z.B = gT + g_.LigneBas(r);
    z.derniere = c;

    if (code == -14) {
        // A check cell is a box: grey when set, white with a light outline when "0".
        z.R = gL + g_.ColonneDroite(c);
        if (!x || x->Texte != "0") {
            p_.Boite(z.L + px, z.T + py, z.R - px, z.B - py, Rgb(120, 120, 120));
        } else {
            p_.Boite(z.L, z.T, z.R, z.B, kBlancRgb);
            p_.Cadre(z.L, z.T, z.R, z.B, Rgb(200, 200, 200), 1);
        }
        if (selectionnee) {
            p_.Cadre(z.L + px, z.T + py, z.R - px, z.B - py, kNoir, 3);
            if (ca == s.BasDroiteColonne && la == s.BasDroiteLigne) {
                p_.Boite(std::max(z.R - 6 * px, z.L), std::max(z.B - 6 * py, z.T), std::max(z.R - 2 * px, z.L),
                         std::max(z.B - 2 * py, z.T), Rgb(150, 150, 150));
            }
        }
        return;
    }

    // A continuation or merged cell is drawn by the cell that owns it.
    auto dessineProprietaire = [&](int k) {
        const int a = AfficheeDeColonne(k);
        if (a == 0) return;
        CaseAfficher(a, la, false, false);
        CaseAfficherSelection(ca, la);
    };
    if (code == -16) {
        for (int k = c - 1; k >= 1; --k) {
            if (CommenceParProprietaire(texte_(k, r))) {
                dessineProprietaire(k);
                return;
            }
        }
        return;
    }
    z.fusion = g_.CaseFusion(c, r);
    bool bulleDue = false;
    if (z.fusion == 2) {
        for (int k = c - 1; k >= 1; --k) {
            if (g_.CaseFusion(k, r) == 1) {
                dessineProprietaire(k);
                return;
            }
        }
        return;
    }
    const std::string affiche = texte_(c, r);
    if (z.fusion == 1) {
        while (z.derniere < g_.ColonneNb() && g_.CaseFusion(z.derniere + 1, r) == 2) ++z.derniere;
        bulleDue = z.derniere != c && !g_.CaseBulle(z.derniere, r).empty();
    } else if (CommenceParProprietaire(affiche)) {
        for (int a = ca + 1; a <= g_.ColonnesAfficheesNb(); ++a) {
            const int k = g_.ColonneAfficheeVersStockee(a);
            if (k == 0) continue;
            if (g_.CaseCouleurFond(k, r) != -16) break;
            z.derniere = k;
        }
        bulleDue = z.derniere != c && !g_.CaseBulle(z.derniere, r).empty();
    }
    z.R = gL + g_.ColonneDroite(z.derniere);

    if (!(enJeu_ && g_.CaseInvisible(c, r) != 0)) {
        if (quadrillage) p_.Cadre(z.L, z.T, z.R, z.B, kNoir, 1);
        const Couleurs couleurs = CouleursDuCode(code, g_.CaseCouleurTexte(c, r), x);
        if (couleurs.fond != kSansFond) p_.Boite(z.L, z.T, z.R, z.B, couleurs.fond);
        if (g_.CaseEstEditable(c, r) && !EstPlanAction(code)) p_.Cadre(z.L, z.T, z.R, z.B, Rgb(120, 120, 120), 1);
        if (code == -13) {
            p_.Boite(z.L, z.B - py, z.R, z.B + py, kBlancRgb);
            p_.Cadre(z.L, z.T, z.R, z.T, kBlancRgb, 1);
            p_.Ligne(z.L, z.B, z.R + px, z.B, kNoir, 1);
        } else if (code == -12) {
            p_.Cadre(z.L, z.T, z.R, z.B, kNoir, 1);
            p_.Ligne(gL, z.B, gR, z.B, kNoir, 1);
            p_.Ligne(gL, z.B, gL, z.B + 5 * py, kNoir, 1);
            p_.Ligne(gR - px, z.B, gR - px, z.B + 5 * py, kNoir, 1);
        }
        if (bulleDue || !g_.CaseBulle(c, r).empty()) p_.MarqueBulle(z.R, z.T);
        if (!affiche.empty()) DessineTexte(z, c, r, code, couleurs.texte);
        const std::string fichier = g_.CaseFichier(c, r);
        if (!fichier.empty()) DessineImage(z, fichier, affiche);
    }
    CaseAfficherSelection(ca, la);
}

void DessinGrille::DessineTexte(const Zone& z, int c, int r, std::int32_t code, std::int32_t couleurTexte) {
    std::string texte = texte_(c, r);
    const TableauCaseAttributClasse& a = g_.Attribut(c, r);
    const std::int32_t px = p_.PixelX(), py = p_.PixelY();
    PoliceCase police;
    std::int32_t couleur = couleurTexte;
    AlignementCase alignement = AlignementCase::Centre;
    if (a.TypeAffichage == 0) {
        switch (a.SousFormat) {
        case 1:
        case 8:
            police.souligne = true;
            couleur = Rgb(255, 0, 0);
            break;
        case 2:
            police = policeDefaut_;
            police.gras = true;
            break;
        case 3: police.gras = true; break;
        case 4: alignement = AlignementCase::Gauche; break;
        case 5:
        case 7:
            alignement = AlignementCase::Gauche;
            police.gras = true;
            break;
        default: break;
        }
    } else if (a.TypeAffichage == 1 || a.TypeAffichage == 2) {
        alignement = AlignementCase::Droite;
        if (a.TypeAffichage == 1 && a.SousFormat == 1) {
            if (const auto v = formula::LitNombre(texte)) texte = formula::FormatNombre(std::floor(*v));
        }
    }
    if (code == -11) police.gras = true;
    if (g_.CaseInvalidationCalculee(static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r))) {
        couleur = Rgb(200, 200, 200);
    }
    if (EstPlanAction(code)) alignement = AlignementCase::Gauche;
    if (z.fusion == 1) alignement = AlignementCase::Centre;

    // Frame sides: a first character below 32 holds their bits.
    int bits = 0;
    const bool cadre = !texte.empty() && static_cast<unsigned char>(texte.front()) < 32;
    if (cadre) bits = static_cast<unsigned char>(texte.front());
    if (z.fusion == 1 && z.derniere != c) {
        const std::string fin = texte_(z.derniere, r);
        if (!fin.empty() && static_cast<unsigned char>(fin.front()) < 32) bits |= static_cast<unsigned char>(fin.front());
    }
    if (bits != 0) {
        const std::int32_t gris = Rgb(100, 100, 100);
        const std::int32_t L = z.L, T = z.T, R = z.R, B = z.B;
        if (bits & 1) {
            p_.Ligne(L, T, R + 2 * px, T, gris, 1);
            p_.Ligne(L, T + py, R + 2 * px, T + py, gris, 1);
        }
        if (bits & 2) {
            p_.Ligne(R, T, R, B + 2 * py, gris, 1);
            p_.Ligne(R + px, T, R + px, B + 2 * py, gris, 1);
        }
        if (bits & 4) {
            p_.Ligne(L, B, R + 2 * px, B, gris, 1);
            p_.Ligne(L, B + py, R + 2 * px, B + py, gris, 1);
        }
        if (bits & 8) {
            p_.Ligne(L + px, T, L + px, B + 2 * py, gris, 1);
            p_.Ligne(L, T, L, B + 2 * py, gris, 1);
        }
        couleur = kNoir;
    }
    if (cadre) texte = texte.substr(1);
    if (CommenceParProprietaire(texte)) {
        texte = texte.substr(1);
        alignement = AlignementCase::Gauche;
    }
    texte = Remplace(texte, "<br>", "\r");
    if (texte.empty()) return;
    const int gauche = Pixels(z.L, px) + 3, droite = Pixels(z.R, px) - 3;
    // A figure wider than its cell would lose its first digits and read as
    // another one: it shows as "###" until the column is wide enough.
    if (EstChiffre(a) && (texte.front() == '-' || (texte.front() >= '0' && texte.front() <= '9')) &&
        texte.find('\r') == std::string::npos && p_.LargeurTexte(texte, police) > droite - gauche) {
        texte = kChiffreTropLarge;
    }
    p_.Texte(gauche, Pixels(z.T, py) + 1, droite, Pixels(z.B, py) - 1, texte, police, couleur, alignement);
}

void DessinGrille::DessineImage(const Zone& z, const std::string& fichier, std::string_view affiche) {
    const std::string nom = NomImage(formula::ChaineSansCoerc(fichier), affiche);
    if (nom.empty() || nom == "?") return;
    int dx = 0, dy = 0;
    std::string image = nom;
    if (nom.find(',') != std::string::npos) {
        image = Element(nom, 1);
        dx = static_cast<int>(std::clamp(formula::Val(Element(nom, 2)), -32768.0, 32767.0));
        dy = static_cast<int>(std::clamp(formula::Val(Element(nom, 3)), -32768.0, 32767.0));
    }
    if (image.empty()) return;
    p_.Image(image, z.L, z.T, z.R, z.B, dx, dy);
}

void DessinGrille::CaseAfficherSelection(int ca, int la) {
    const int c = g_.ColonneAfficheeVersStockee(ca);
    const int r = g_.LigneAfficheeVersStockee(la);
    if (c == 0 || r == 0) return;
    const SelectionTableau& s = g_.Selection();
    const bool selectionnee =
        ca >= s.HautGaucheColonne && ca <= s.BasDroiteColonne && la >= s.HautGaucheLigne && la <= s.BasDroiteLigne;
    if (selectionnee) {
        const std::int32_t px = p_.PixelX(), py = p_.PixelY();
        const std::int32_t gL = g_.RectangleGauche(), gT = g_.RectangleHaut();
        const int premiere = g_.FusionPremiereColonne(c, r);
        const bool fusionnee = premiere != 0;
        const std::int32_t L = gL + g_.ColonneGauche(fusionnee ? premiere : c);
        const std::int32_t R = gL + g_.ColonneDroite(fusionnee ? g_.FusionDerniereColonne(c, r) : c);
        const std::int32_t T = gT + g_.LigneHaut(r), B = gT + g_.LigneBas(r);
        const std::int32_t code = g_.CaseCouleurFond(c, r);
        const TableauCaseAttributClasse& a = g_.Attribut(c, r);
        if (!((a.TypeAffichage == 0 && a.SousFormat == 2) || code == -17)) {
            const bool premiereCase = la == s.HautGaucheLigne && ca == s.HautGaucheColonne;
            if (!premiereCase && code != -14 && !EstPlanAction(code)) p_.Inverser(L, T, R, B);
            if (ca == s.HautGaucheColonne) p_.Ligne(L, T, L, B, kNoir, 3);
            if (ca == s.BasDroiteColonne || fusionnee) p_.Ligne(R, T, R, B, kNoir, 3);
            if (la == s.HautGaucheLigne) p_.Ligne(L, T, R, T, kNoir, 3);
            if (la == s.BasDroiteLigne) p_.Ligne(L, B, R, B, kNoir, 3);
            if (ca == s.BasDroiteColonne && la == s.BasDroiteLigne) {
                p_.Boite(std::max(R - 6 * px, L), std::max(B - 6 * py, T), std::max(R - 2 * px, L),
                         std::max(B - 2 * py, T), Rgb(150, 150, 150));
            }
        }
    }
    if (CommenceParProprietaire(texte_(c, r))) CaseAfficherSelection(ca + 1, la);
}

void DessinGrille::CaseFondEffacer(int ca, int la) {
    if (ca < 1 || ca > g_.ColonnesAfficheesNb() || la < 1 || la > g_.LignesAfficheesNb()) return;
    const int c = g_.ColonneAfficheeVersStockee(ca);
    const int r = g_.LigneAfficheeVersStockee(la);
    if (c == 0 || r == 0) return;
    const std::int32_t gL = g_.RectangleGauche(), gT = g_.RectangleHaut();
    p_.Boite(gL + g_.ColonneGauche(c), gT + g_.LigneHaut(r), gL + g_.ColonneDroite(c), gT + g_.LigneBas(r), kBlancRgb);
    if (g_.CaseCouleurFond(c, r) == -16) CaseAfficher(ca, la, false, true);
}

}  // namespace korv::grid
