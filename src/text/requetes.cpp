#include "text/requetes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "text/parcours.h"

namespace korv::text {

namespace {

Position Longueur(std::string_view t) { return static_cast<Position>(t.size()); }

std::string Marque(std::string_view nom, std::int64_t n) { return "<" + std::string(nom) + std::to_string(n) + ">"; }

}  // namespace

std::string TexteTraduction(std::string_view texte, int langue, int nbLangues) {
    const std::string t = std::string(texte) + "|";
    std::vector<std::size_t> p(static_cast<std::size_t>(std::max(nbLangues, 0)) + 1, 0);
    for (std::size_t i = 1; i < p.size(); ++i) {
        const auto f = t.find('|', p[i - 1]);
        p[i] = f == std::string::npos ? 0 : f + 1;
    }
    if (langue < 1 || static_cast<std::size_t>(langue) >= p.size() || p[static_cast<std::size_t>(langue)] < 1) {
        return std::string(texte);
    }
    const std::size_t debut = p[static_cast<std::size_t>(langue) - 1];
    const std::size_t fin = p[static_cast<std::size_t>(langue)] - 1;
    if (fin < debut) return {};  // separators found out of order: no variant
    return t.substr(debut, fin - debut);
}

bool TexteTraductionExiste(std::string_view texte, int langue, int nbLangues) {
    if (langue < 1 || langue > nbLangues) return false;
    const std::string t = std::string(texte) + "|";
    std::size_t p = 0;
    for (int i = 1; i <= langue; ++i) {
        const auto f = t.find('|', p);
        if (f == std::string::npos) {
            if (i == langue) return false;
            p = 0;
        } else {
            p = f + 1;
        }
    }
    return true;
}

std::int32_t TexteBasLigne(std::string_view texte, std::int64_t ligne, std::int32_t tppY) {
    const Position l = InStr(1, texte, Marque("LigneNumero", ligne));
    if (l == 0) return -tppY;
    Position y = InStr(l, texte, "<Y");
    if (y == 0) return -tppY;
    // Held well inside 32 bits, so that offsets can be added to it.
    return std::clamp(ValEntier(TexteArgumentSequence(TextePrepareSequenceSuivante(texte, y))), -(1 << 29), 1 << 29);
}

std::int32_t TexteHautLigne(std::string_view texte, std::int64_t ligne, std::int32_t tppY) {
    return TexteBasLigne(texte, ligne - 1, tppY) + tppY;
}

std::int64_t TexteQuelleLigneNCar(std::string_view texte, Position position) {
    constexpr std::string_view kMarque = "<LigneNumero";
    auto argument = [&](Position p) {
        return static_cast<std::int64_t>(ValEntier(TexteArgumentSequence(TextePrepareSequenceSuivante(texte, p))));
    };
    if (position >= 1 && Mid(texte, position, Longueur(kMarque)) == kMarque) return argument(position);
    if (const Position p = RInstr(position - 1, texte, kMarque); p > 0) return argument(p);
    if (const Position p = InStr(std::max<Position>(position, 1), texte, kMarque); p > 0) return argument(p);
    return 0;
}

Position TexteNLigneVersNCar(std::string_view texte, std::int64_t ligne) {
    return InStr(1, texte, Marque("LigneNumero", ligne));
}

bool TexteBienParametre(std::string_view texte, std::int32_t largeur) {
    return InStr(1, texte, Marque("Zone", largeur)) > 0;
}

std::pair<Position, Position> NCarTexteMorceauDetermine(std::string_view texte, std::int64_t page,
                                                        std::int64_t ligne, std::int64_t nbLignes) {
    const Position n = Longueur(texte);
    auto jusqua = [&](Position debut, const std::string& marque) {
        const Position f = InStr(debut + 1, texte, marque);
        return std::pair<Position, Position>{debut, f > 0 ? f - 1 : n};
    };
    if (page >= 1) {
        if (const Position d = InStr(1, texte, Marque("PageNumero", page)); d > 0) {
            return jusqua(d, Marque("PageNumero", page + 1));
        }
    } else if (ligne >= 1) {
        if (const Position d = InStr(1, texte, Marque("LigneNumero", ligne)); d > 0) {
            if (nbLignes < 1) return {d, n};
            return jusqua(d, Marque("LigneNumero", ligne + nbLignes));
        }
    }
    return {1, n};
}

std::int32_t TexteDecalageVerticalDetermine(std::int32_t m, std::string_view texte, RectangleVertical r,
                                            std::pair<Position, Position> plage, std::uint8_t alignementDefaut,
                                            FormatageTexte& f, std::int32_t tppY) {
    const auto [debut, fin] = plage;
    f.alignementV = alignementDefaut;
    TexteAppliqueFormatagePrecedent(texte, debut - 1, f);
    if (Position v = InStr(debut, texte, "<VerticalAligne"); v > 0 && v <= fin) {
        f.alignementV = AlignementVerticalDepuisArgument(
            TexteArgumentSequence(TextePrepareSequenceSuivante(texte, v)), f.alignementV);
    }
    const std::string_view morceau = Mid(texte, debut, fin - debut + 1);
    const std::int64_t premiere = TexteQuelleLigneNCar(morceau, 1);
    const std::int64_t derniere = TexteQuelleLigneNCar(morceau, Longueur(morceau));
    const std::int32_t hautPremiere = TexteHautLigne(texte, premiere, tppY);
    const std::int32_t basDerniere = TexteBasLigne(texte, derniere, tppY);
    switch (f.alignementV) {
    case 0: return r.haut - hautPremiere + m;
    case 1: return r.bas - basDerniere - m;
    case 2: {
        const double v = (r.bas - r.haut) / 2.0 + r.haut - (basDerniere - hautPremiere) / 2.0 - hautPremiere + m;
        return static_cast<std::int32_t>(std::nearbyint(v));
    }
    default: return m;
    }
}

std::int64_t TexteADecouperQuelleLigneY(std::string_view texte, std::int64_t page, std::int64_t ligne,
                                        std::int64_t nbLignes, RectangleVertical r, std::int32_t& decalage,
                                        std::uint8_t alignementDefaut, const FormatageTexte& depart, std::int32_t y,
                                        std::int32_t tppY) {
    if (texte.empty()) return 0;
    const auto plage = NCarTexteMorceauDetermine(texte, page, ligne, nbLignes);
    FormatageTexte f = depart;
    decalage = TexteDecalageVerticalDetermine(0, texte, r, plage, alignementDefaut, f, tppY);
    const std::string_view morceau = Mid(texte, plage.first, plage.second - plage.first + 1);
    const std::int64_t premiere = TexteQuelleLigneNCar(morceau, 1);
    const std::int64_t derniere = TexteQuelleLigneNCar(morceau, Longueur(morceau));
    // The lines the piece holds, by their markers (a damaged number cannot
    // make the scan run over billions of lines).
    auto essaie = [&](std::int64_t l) {
        return std::int64_t{TexteHautLigne(texte, l, tppY)} + decalage <= y &&
               y <= std::int64_t{TexteBasLigne(texte, l, tppY)} + decalage;
    };
    if (essaie(premiere)) return premiere;
    for (Position p = InStr(1, morceau, "<LigneNumero"); p > 0; p = InStr(p + 1, morceau, "<LigneNumero")) {
        Position q = p;
        const std::int64_t l = ValEntier(TexteArgumentSequence(TextePrepareSequenceSuivante(morceau, q)));
        if (l >= premiere && l <= derniere && essaie(l)) return l;
    }
    return 0;
}

std::string TexteDecodeSeul(std::string_view texte, bool retours, bool pages) {
    std::string r;
    SourceChaine source(texte);
    ParcoursSequences parcours(source);
    for (std::string_view s = parcours.Suivante(); !s.empty(); s = parcours.Suivante()) {
        if (!EstBalise(s)) {
            r += s;
        } else if (retours && (s == "<PageNumero>" || s == "<Cr>")) {
            r += "\r\n";
        } else if (pages && s.starts_with("<PageNumero")) {
            r += s;
        }
    }
    return r;
}

Position TexteNCarDecodeVersNCarCode(std::string_view texte, Position n) {
    SourceChaine source(texte);
    ParcoursSequences parcours(source);
    Position tous = 0;
    Position simples = 0;
    for (std::string_view s = parcours.Suivante(); !s.empty(); s = parcours.Suivante()) {
        tous += Longueur(s);
        if (EstBalise(s)) continue;
        simples += Longueur(s);
        if (simples >= n) return tous + (n - simples);
    }
    return -1;
}

int TexteNbPage(SourceTexte& source) {
    const std::string tete(source.Fenetre(1, std::min<Position>(1024, source.Longueur())));
    Position p = InStr(1, tete, "<PageNombre");
    if (p == 0) return 1;
    const std::string_view s = TextePrepareSequenceSuivante(tete, p);
    if (s.empty()) return 1;
    return std::clamp(ValEntier(TexteArgumentSequence(s)), 1, 32767);
}

int TexteNLigneVersNPage(SourceTexte& source, std::int64_t ligne) {
    if (ligne < 1) return 0;
    int page = 1;
    ParcoursSequences parcours(source);
    for (std::string_view s = parcours.Suivante(); !s.empty(); s = parcours.Suivante()) {
        if (s.front() != '<') continue;
        const std::string_view nom = TexteCodeSequence(s);
        if (nom == "PageNumero") {
            const std::string_view a = TexteArgumentSequence(s);
            if (!a.empty()) page = std::clamp(ValEntier(a), -32768, 32767);
        } else if (nom == "LigneNumero" && ValEntier(TexteArgumentSequence(s)) == ligne) {
            return page;
        }
    }
    return 0;
}

Position TexteLongNLigneVersNPos(SourceTexte& source, std::int64_t ligne) {
    if (ligne < 1) return 0;
    const std::string marque = Marque("LigneNumero", ligne);
    ParcoursSequences parcours(source);
    for (std::string_view s = parcours.Suivante(); !s.empty(); s = parcours.Suivante()) {
        if (const auto p = s.find(marque); p != std::string_view::npos) {
            return parcours.Debut() + static_cast<Position>(p);
        }
    }
    return 0;
}

std::int64_t TexteRecherche(SourceTexte& source, std::string_view cherche, std::int64_t depuisLigne) {
    if (cherche.empty()) return 0;
    constexpr std::size_t kCumulMax = 60000;
    Position depart = TexteLongNLigneVersNPos(source, depuisLigne);
    std::int64_t ligne = depuisLigne;
    int passes = 2;
    if (depart == 0) {
        depart = 1;
        ligne = 0;
        passes = 1;
    }
    for (; passes > 0; --passes) {
        std::string cumul;
        ParcoursSequences parcours(source, depart);
        for (std::string_view s = parcours.Suivante(); !s.empty(); s = parcours.Suivante()) {
            if (s.front() == '<') {
                if (TexteCodeSequence(s) == "LigneNumero") ligne = ValEntier(TexteArgumentSequence(s));
                continue;
            }
            if (cumul.size() + s.size() >= kCumulMax) {
                const std::size_t garde = s.size() < kCumulMax ? kCumulMax - s.size() : 0;
                cumul.erase(0, cumul.size() > garde ? cumul.size() - garde : 0);
            }
            cumul += s;
            if (cumul.find(cherche) != std::string::npos) return ligne;
        }
        depart = 1;
        ligne = 0;
    }
    return 0;
}

std::string TexteLongFormatagePrecedent(SourceTexte& source, Position position) {
    static constexpr std::array<std::string_view, 10> kNoms{"Relief",   "Police",  "Taille", "Italique",
                                                           "Gras",     "Souligne", "Couleur", "Indice",
                                                           "Exposant", "VerticalAligne"};
    static constexpr std::array<std::string_view, 4> kAlignements{"HorizontalAligneGauche", "HorizontalAligneCentre",
                                                                 "HorizontalAligneDroite",
                                                                 "HorizontalAligneJustifie"};
    std::array<std::string, kNoms.size()> derniers;
    std::string alignement;
    ParcoursSequences parcours(source);
    for (std::string_view s = parcours.Suivante(); !s.empty() && parcours.Debut() < position;
         s = parcours.Suivante()) {
        if (s.front() != '<') continue;
        const std::string_view nom = TexteCodeSequence(s);
        for (std::size_t i = 0; i < kNoms.size(); ++i) {
            if (nom == kNoms[i]) derniers[i] = s;
        }
        for (std::string_view a : kAlignements) {
            if (nom == a && TexteArgumentSequence(s).empty()) alignement = s;
        }
    }
    std::string r;
    for (const std::string& d : derniers) r += d;
    return r + alignement;
}

std::string TexteLongMorceau(SourceTexte& source, std::int64_t page, std::int64_t ligne) {
    std::string marque;
    if (page > 0) {
        marque = Marque("PageNumero", page);
    } else if (ligne > 0) {
        marque = Marque("LigneNumero", ligne);
    }
    Position debut = 1;
    if (!marque.empty()) {
        // Windows overlap by the marker's length so that none is cut.
        const auto recouvrement = static_cast<Position>(marque.size());
        for (Position p = 1; p <= source.Longueur(); p += 1000) {
            const std::string_view w = source.Fenetre(p, 1000 + recouvrement);
            if (const auto f = w.find(marque); f != std::string_view::npos) {
                debut = p + static_cast<Position>(f);
                break;
            }
        }
    }
    std::string morceau(source.Fenetre(debut, 20480));
    const auto dernierOuvrant = morceau.rfind('<');
    const auto dernierFermant = morceau.rfind('>');
    if (dernierOuvrant != std::string::npos &&
        (dernierFermant == std::string::npos || dernierOuvrant > dernierFermant)) {
        morceau.resize(dernierOuvrant);
    }
    morceau = TexteLongFormatagePrecedent(source, debut) + morceau;
    const std::string tete(source.Fenetre(1, 1024));
    for (std::string_view nom : {"<PageNombre", "<Zone"}) {
        if (morceau.find(nom) != std::string::npos) continue;
        Position p = InStr(1, tete, nom);
        if (p == 0) continue;
        morceau = std::string(TextePrepareSequenceSuivante(tete, p)) + morceau;
    }
    return morceau;
}

}  // namespace korv::text
