// Print attributes of a grid's rows and columns over zones, the print
// title, and showing or hiding the content of zones of cells.

#include <algorithm>

#include "grid/tableau.h"

namespace korv::grid {

namespace {

constexpr unsigned char kParagraphe = 0xA7;  // "§" in Windows-1252
constexpr unsigned char kMonnaie = 0xA4;     // "¤"

void PleineGrille(int& premier, int& dernier, int nb) {
    if (premier == -1 && dernier == -1) {
        premier = 1;
        dernier = nb;
    }
}

}  // namespace

void TableauClasse::ImprimeChangeTitre(std::string_view titre, std::int16_t taille) {
    std::string t(titre);
    for (char& ch : t) {
        if (static_cast<unsigned char>(ch) == kParagraphe) ch = '\'';
    }
    for (char& ch : t) {
        if (static_cast<unsigned char>(ch) == kMonnaie) ch = '.';
    }
    imprimeTitre_ = std::move(t);
    imprimeTitreTaille_ = taille;
}

void TableauClasse::InitialiseZoneImpression() {
    for (int r = 1; r <= ligneNb_; ++r) L(r).AttributImpression.Imprimable = 1;
    for (int c = 1; c <= colonneNb_; ++c) C(c).AttributImpression.Imprimable = 1;
}

// Every row and every column that crosses the zone. Indexes outside the
// grid are skipped, whatever the script passed (-1 paired with a real
// bound, 300, -32768): a bad zone marks what it crosses and never stops
// the program.
void TableauClasse::ZoneAttributImpression(int c1, int r1, int c2, int r2,
                                           void (*action)(ImpressionTableauAttribut&, int), int valeur) {
    for (int r = std::max(r1, 1); r <= std::min(r2, ligneNb_); ++r) action(L(r).AttributImpression, valeur);
    for (int c = std::max(c1, 1); c <= std::min(c2, colonneNb_); ++c) action(C(c).AttributImpression, valeur);
}

void TableauClasse::ZoneRendImprimable(int& c1, int& r1, int& c2, int& r2) {
    PleineGrille(r1, r2, ligneNb_);
    PleineGrille(c1, c2, colonneNb_);
    ZoneAttributImpression(c1, r1, c2, r2, [](ImpressionTableauAttribut& a, int) { a.Imprimable = 1; }, 0);
}

void TableauClasse::ZoneRendNonImprimable(int c1, int r1, int c2, int r2) {
    ZoneAttributImpression(c1, r1, c2, r2, [](ImpressionTableauAttribut& a, int) { a.Imprimable = 0; }, 0);
}

void TableauClasse::ZoneImprimeBord(int& c1, int& r1, int& c2, int& r2) {
    PleineGrille(r1, r2, ligneNb_);
    PleineGrille(c1, c2, colonneNb_);
    ZoneAttributImpression(c1, r1, c2, r2, [](ImpressionTableauAttribut& a, int) { a.ImprimeBord = 1; }, 0);
}

void TableauClasse::ZoneImprimeFond(int& c1, int& r1, int& c2, int& r2) {
    PleineGrille(r1, r2, ligneNb_);
    PleineGrille(c1, c2, colonneNb_);
    ZoneAttributImpression(c1, r1, c2, r2, [](ImpressionTableauAttribut& a, int) { a.ImprimeFond = 1; }, 0);
}

void TableauClasse::ZoneImprimeFormat(int& c1, int& r1, int& c2, int& r2, std::int16_t format) {
    PleineGrille(r1, r2, ligneNb_);
    PleineGrille(c1, c2, colonneNb_);
    ZoneAttributImpression(
        c1, r1, c2, r2,
        [](ImpressionTableauAttribut& a, int f) { a.ImprimeFormat = static_cast<std::int16_t>(f); }, format);
}

void TableauClasse::ZoneRendVisible(std::uint8_t c1, std::uint8_t l1, std::uint8_t c2, std::uint8_t l2) {
    for (int r = std::max<int>(l1, 1); r <= std::min<int>(l2, ligneNb_); ++r) {
        for (int c = std::max<int>(c1, 1); c <= std::min<int>(c2, colonneNb_); ++c) {
            if (CaseInterne(c, r).Attribut().Invisible != 0) CaseInterne(c, r).AttributModifiable().Invisible = 0;
        }
    }
}

void TableauClasse::ZoneRendInvisible(std::uint8_t c1, std::uint8_t l1, std::uint8_t c2, std::uint8_t l2) {
    for (int r = std::max<int>(l1, 1); r <= std::min<int>(l2, ligneNb_); ++r) {
        for (int c = std::max<int>(c1, 1); c <= std::min<int>(c2, colonneNb_); ++c) {
            CaseInterne(c, r).AttributModifiable().Invisible = 0xFF;
        }
    }
}

}  // namespace korv::grid
