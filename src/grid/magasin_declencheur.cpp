// A grid object fired by an element: scrolling to a row or column, by
// number, by offset or by percentage of the unfolded ones, and folding or
// unfolding a zone.

#include <algorithm>
#include <optional>
#include <string>

#include "formula/nombres.h"
#include "grid/magasin_grilles.h"

namespace korv::grid {

namespace {

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

int Arrondi(double v) { return static_cast<int>(std::clamp(formula::ArrondiPair(v), -1.0e9, 1.0e9)); }

// Switches the automatic thumb update back on when the scroll is done,
// also when it ended on an error.
class AscenseursReactives {
public:
    explicit AscenseursReactives(TableauClasse& g) noexcept : g_(g) {}
    ~AscenseursReactives() { g_.MajAutoAscenseurActive(); }
    AscenseursReactives(const AscenseursReactives&) = delete;
    AscenseursReactives& operator=(const AscenseursReactives&) = delete;

private:
    TableauClasse& g_;
};

std::uint8_t Octet(std::string_view t) { return static_cast<std::uint8_t>(std::clamp(Arrondi(formula::Val(t)), 0, 255)); }

}  // namespace

void MagasinGrilles::DeclencheTableau(int page, int objet, std::string& valeur, int action) {
    TableauClasse* g = Cherche(page, objet);
    if (!g) return;
    if (action == 4 || action == 5) {
        // The value lists first row, first column, last row, last column.
        const std::uint8_t l1 = Octet(Element(valeur, 1)), c1 = Octet(Element(valeur, 2));
        const std::uint8_t l2 = Octet(Element(valeur, 3)), c2 = Octet(Element(valeur, 4));
        if (action == 4) {
            g->ZonePlier(c1, l1, c2, l2);
        } else {
            g->ZoneDeplier(c1, l1, c2, l2);
        }
        RedessineEtMontre(*g);
        return;
    }
    if (action != 2 && action != 3) return;
    const bool lignes = action == 2;
    std::string v = valeur;
    double x = 0;
    // A percentage comes from a thumb being dragged: the thumbs stay where
    // the user puts them while the grid follows.
    std::optional<AscenseursReactives> ascenseurs;
    if (!v.empty() && v.back() == '%') {
        if (v.front() == '-') v = v.substr(1);
        v.pop_back();
        if (v.empty()) v.assign(1, '0');
        g->MajAutoAscenseurDesactive();
        ascenseurs.emplace(*g);
        x = formula::LitNombre(v).value_or(formula::Val(v));
        const int n = lignes ? g->LignesNonPlieesNb() : g->ColonnesNonPlieesNb();
        // n of 0 gives 1 - x / 100: no division by zero.
        x = n != 1 ? x / (100.0 / (n - 1)) + 1 : 1;
        int rang = Arrondi(x);
        x = lignes ? g->LignesRangNonPliee(rang) : g->ColonnesRangNonPliee(rang);
    } else {
        x = formula::Val(v);
    }
    const bool relatif = !v.empty() && (v.front() == '+' || v.front() == '-');
    const int actuel = lignes ? g->DecalageLigne() : g->DecalageColonne();
    // The offsets are bytes of the grid: held within 0..255.
    const int cible = std::clamp(relatif ? actuel + Arrondi(x) : Arrondi(x), 0, kMaxLignesColonnes);
    if (lignes) {
        g->DecalageLigneChange(static_cast<std::uint8_t>(cible));
    } else {
        g->DecalageColonneChange(static_cast<std::int16_t>(cible));
    }
    valeur = v;
    RedessineEtMontre(*g);
}

}  // namespace korv::grid
