#include "print/peinture.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace korv::print {
namespace {

const ImpressionElement* Element(const ImpressionTravail& t, std::int32_t index) {
    if (index < 1 || index > t.NombreElements()) return nullptr;
    return &t.Elements[static_cast<std::size_t>(index - 1)];
}

bool EstContenu(const ImpressionElement& e) {
    if (e.ObjetTableau != 0 || e.ObjetGraphique != 0) return true;
    return e.ElementTexte != 0 && e.Genre != GenreElement::EnTete && e.Genre != GenreElement::Pied;
}

void Remplace(std::string& texte, std::string_view motif, std::string_view par) {
    // Scans forward past each replacement so that a replacement holding the
    // pattern cannot loop.
    std::size_t p = texte.find(motif);
    while (p != std::string::npos) {
        texte.replace(p, motif.size(), par);
        p = texte.find(motif, p + par.size());
    }
}

// The grid item a title was tied to by pagination: the first grid item after it.
std::int32_t TableauDuTitre(const ImpressionTravail& t, std::int32_t index) {
    for (std::int32_t j = index + 1; j <= t.NombreElements(); ++j)
        if (Element(t, j)->ObjetTableau != 0) return j;
    return 0;
}

// The title item's grid shows the title itself, in its sheet's first row.
bool TitreDansLaGrille(const ImpressionTravail& t, std::int32_t index) {
    const std::int32_t j = TableauDuTitre(t, index);
    if (j == 0) return false;
    const ImpressionElement& g = *Element(t, j);
    if (g.PremLig != 1 || g.ObjetTableau < 1 || static_cast<std::size_t>(g.ObjetTableau) > t.feuilles.size()) {
        return false;
    }
    const auto& feuille = t.feuilles[static_cast<std::size_t>(g.ObjetTableau - 1)];
    return feuille != nullptr && feuille->TitreEnPremiereLigne();
}

}  // namespace

std::int32_t DetermineDecalageHauteur(const ImpressionTravail& t, std::int32_t page) {
    Rectangle cadre;
    std::int32_t haut = 32000, bas = 0;
    for (const auto& e : t.Elements) {
        if (e.Page != page) continue;
        if (e.Genre == GenreElement::Corps) {
            cadre = e.rectangle;
        } else if (EstContenu(e)) {
            haut = std::min(haut, e.rectangle.haut);
            bas = std::max(bas, e.rectangle.bas);
        }
    }
    const double reste = (static_cast<double>(haut) - cadre.haut + (static_cast<double>(cadre.bas) - bas)) / 2.0;
    const double r = std::nearbyint(reste);  // the default rounding mode: halves to even
    return r < 0 ? 0 : static_cast<std::int32_t>(r);
}

double DetermineDecalageLargeur(const ImpressionTravail& t, std::int32_t index) {
    const ImpressionElement* e = Element(t, index);
    if (e == nullptr) return 0;
    Rectangle cadre;
    for (const auto& c : t.Elements)
        if (c.Page == e->Page && c.Genre == GenreElement::Corps) {
            cadre = c.rectangle;
            break;
        }
    const double d = ((static_cast<double>(cadre.droite) - cadre.gauche) -
                      (static_cast<double>(e->rectangle.droite) - e->rectangle.gauche)) /
                     2.0;
    return d < 0 ? 0 : d;
}

void RemplaceNumeroPage(std::string& texte, const ImpressionTravail& t, std::int32_t page) {
    Remplace(texte, "<#NUMERO DE PAGE>", std::to_string(NumeroImprime(t, page)));
    Remplace(texte, "<#NOMBRE DE PAGES>", std::to_string(NumeroImprime(t, t.NombreDePages)));
}

void RemplaceTabulations(std::string& texte, std::string_view tabulation) {
    Remplace(texte, "<TABULATION>", tabulation);
}

double ZoomApercu(std::string_view texte) {
    while (!texte.empty() && texte.front() == ' ') texte.remove_prefix(1);
    while (!texte.empty() && texte.back() == ' ') texte.remove_suffix(1);
    std::string s(texte);
    std::replace(s.begin(), s.end(), ',', '.');
    double v = 0;
    const auto [fin, err] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (err != std::errc{} || fin != s.data() + s.size() || !std::isfinite(v)) return 1;
    return std::clamp(v, 1.0, 1000.0);
}

std::vector<Dessin> PlanPage(const ImpressionTravail& t, std::int32_t page) {
    std::vector<Dessin> plan;
    bool runOuvert = false;
    std::int32_t decalage = 0;
    for (std::int32_t k = 1; k <= t.NombreElements(); ++k) {
        const ImpressionElement& e = *Element(t, k);
        if (e.Page != page) continue;
        if (e.CentrageVertical) {
            if (!runOuvert) decalage = DetermineDecalageHauteur(t, page);
            runOuvert = true;
        } else {
            runOuvert = false;
            decalage = 0;
        }
        Dessin d;
        d.index = k;
        d.rectangle = e.rectangle;
        const bool cadreFixe = e.Genre == GenreElement::EnTete || e.Genre == GenreElement::Pied;
        if (!cadreFixe) {
            d.rectangle.haut += decalage;
            d.rectangle.bas += decalage;
        }
        if (e.ObjetTableau != 0) {
            d.genre = DessinGenre::Tableau;
            d.decalageHorizontal = e.CentrageHorizontal ? DetermineDecalageLargeur(t, k) : 0;
        } else if (e.ObjetGraphique != 0) {
            d.genre = DessinGenre::Graphique;
        } else if (e.ElementTexte != 0) {
            d.genre = DessinGenre::Texte;
            if (e.Genre == GenreElement::EnTete) {
                d.rectangle = t.EnTeteRectangle;
                d.texte = t.EnTetePied.EnTeteTexte;
            } else if (e.Genre == GenreElement::Pied) {
                d.rectangle = t.PiedRectangle;
                d.texte = t.EnTetePied.PiedTexte;
            } else if (e.Genre == GenreElement::TitreTableau) {
                // The grid's sheet prints the title in its first row: drawn
                // here as well, the two would overlap.
                if (TitreDansLaGrille(t, k)) continue;
                d.texte = e.Texte;
                d.rtf = true;  // titles are stored as RTF
                if (e.CentrageHorizontal) {
                    // Centred like the grid it belongs to, not like whatever item follows.
                    const std::int32_t tab = TableauDuTitre(t, k);
                    d.decalageHorizontal = tab != 0 ? DetermineDecalageLargeur(t, tab) : 0;
                    const auto dx = static_cast<std::int32_t>(std::nearbyint(d.decalageHorizontal));
                    d.rectangle.gauche += dx;
                    d.rectangle.droite += dx;
                }
            } else {
                const ImpressionElement* source = Element(t, e.ElementTexte);
                if (source == nullptr) continue;
                d.texte = source->Texte;
            }
            if (cadreFixe) RemplaceNumeroPage(d.texte, t, page);
            RemplaceTabulations(d.texte, d.rtf ? "\\tab " : "\t");
        } else {
            continue;
        }
        plan.push_back(std::move(d));
    }
    return plan;
}

}  // namespace korv::print
