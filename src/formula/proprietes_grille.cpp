#include "formula/proprietes_grille.h"

#include <algorithm>
#include <optional>
#include <string>

#include "formula/nombres.h"
#include "formula/operations.h"
#include "formula/proprietes_arguments.h"
#include "formula/services.h"
#include "formula/valeur.h"

namespace korv::formula {
namespace {

using C = CodeProprieteKOR;

struct Zone {
    std::uint8_t c1 = 0, l1 = 0, c2 = 0, l2 = 0;
};

std::uint8_t OctetA(std::string_view s, std::size_t i) { return static_cast<std::uint8_t>(s[i]); }

// Packed coordinates: one byte per number.
std::optional<CaseCoord> CaseOctets(std::string_view arguments) {
    if (arguments.size() < 2) return std::nullopt;
    return CaseCoord{OctetA(arguments, 0), OctetA(arguments, 1)};
}
std::optional<Zone> ZoneOctets(std::string_view arguments) {
    if (arguments.size() < 4) return std::nullopt;
    return Zone{OctetA(arguments, 0), OctetA(arguments, 1), OctetA(arguments, 2), OctetA(arguments, 3)};
}

// Coordinates written as numbers; a number that is no byte names no cell.
std::optional<Zone> ZoneTexte(std::string_view arguments) {
    const auto e = ElementsListe(arguments, ",.");
    const auto c1 = OctetVal(ElementListe(e, 0));
    const auto l1 = OctetVal(ElementListe(e, 1));
    const auto c2 = OctetVal(ElementListe(e, 2));
    const auto l2 = OctetVal(ElementListe(e, 3));
    if (!c1 || !l1 || !c2 || !l2) return std::nullopt;
    return Zone{*c1, *l1, *c2, *l2};
}

bool DansGrille(const ServiceGrille& g, std::uint8_t c, std::uint8_t l) {
    return c >= 1 && l >= 1 && c <= g.ColonneNb() && l <= g.LigneNb();
}
bool DansGrille(const ServiceGrille& g, const CaseCoord& cc) { return DansGrille(g, cc.colonne, cc.ligne); }

// Cells of a zone that exist in the grid, as loop bounds (ints: 255 + 1
// must not wrap).
struct Bornes {
    int c1, c2, l1, l2;
};
Bornes DansGrille(const ServiceGrille& g, const Zone& z) {
    return {std::max<int>(z.c1, 1), std::min<int>(z.c2, g.ColonneNb()), std::max<int>(z.l1, 1),
            std::min<int>(z.l2, g.LigneNb())};
}
std::uint8_t O(int v) { return static_cast<std::uint8_t>(v); }

bool EstVide(const Valeur& v) { return v.estVide() || (v.estChaine() && v.chaine().empty()); }

// Zero or empty as the copy test sees it; errors and Null count as 0.
bool ZeroOuVide(const Valeur& v) {
    if (v.estNul() || v.estErreur() || EstVide(v)) return true;
    if (v.estChaine()) {
        const auto n = LitNombre(v.chaine());
        return n && *n == 0.0;
    }
    return v.EnDouble() == 0.0;
}

// A cell as a sum sees it: errors and Null as 0, numeric texts as numbers,
// empty cells as 0 for the "empty as zero" properties.
Valeur PourAgregat(Valeur v, bool videAZero) {
    if (v.estNul() || v.estErreur()) return Valeur::Double(0);
    if (videAZero && EstVide(v)) return Valeur::Double(0);
    if (v.estChaine()) {
        if (const auto n = LitNombre(v.chaine())) return Valeur::Double(*n);
    }
    return v;
}

enum class Genre { Vide, Nombre, Texte };
Genre GenreDe(const Valeur& v) {
    if (EstVide(v)) return Genre::Vide;
    if (v.estNombre()) return Genre::Nombre;
    return Genre::Texte;
}

Valeur PlusGrand(const Valeur& a, const Valeur& b) {
    switch (GenreDe(a)) {
    case Genre::Nombre: return b.EnDouble() > a.EnDouble() ? b : a;
    case Genre::Texte: return b.chaine() > a.chaine() ? b : a;
    case Genre::Vide: return a;
    }
    return a;
}

Valeur LectureCase(ServiceGrille& g, std::string_view arguments, bool videAZero) {
    const auto cc = CaseOctets(arguments);
    if (!cc || !DansGrille(g, *cc)) return Valeur::Nul();
    Valeur v = g.CaseValeurInternePendantCalcul(cc->colonne, cc->ligne);
    if (v.estErreur()) return Valeur::Double(0);
    if (videAZero && EstVide(v)) return Valeur::Double(0);
    return v;
}

// Somme, SommeVideAZero, Max. Numbers of any numeric type go together; a
// number beside a text or an empty cell gives Null.
Valeur Agregat(ServiceGrille& g, std::string_view arguments, C code) {
    const auto z = ZoneOctets(arguments);
    if (!z) return Valeur::Nul();
    const bool videAZero = code == C::SommeVideAZero;
    const Bornes b = DansGrille(g, *z);
    std::optional<Valeur> total;
    for (int c = b.c1; c <= b.c2; ++c) {
        for (int l = b.l1; l <= b.l2; ++l) {
            Valeur v = PourAgregat(g.CaseValeurInternePendantCalcul(O(c), O(l)), videAZero);
            if (!total) {
                total = std::move(v);
            } else if (GenreDe(v) != GenreDe(*total)) {
                return Valeur::Nul();
            } else {
                total = code == C::Max ? PlusGrand(*total, v) : Addition(*total, v);
            }
        }
    }
    return total ? *total : Valeur::Nul();
}

// The text after the n-th separator; empty when there are fewer.
std::string_view Apres(std::string_view texte, char separateur, int n) {
    std::size_t debut = 0;
    for (int i = 0; i < n; ++i) {
        const auto p = texte.find(separateur, debut);
        if (p == std::string_view::npos) return {};
        debut = p + 1;
    }
    return texte.substr(debut);
}

std::string Remplace(std::string_view texte, char de, char par) {
    std::string r(texte);
    std::replace(r.begin(), r.end(), de, par);
    return r;
}

Valeur CaseChangeFichier(ServiceGrille& g, std::string_view arguments) {
    const auto e = ElementsListe(arguments, ",");
    const auto c = OctetVal(ElementListe(e, 0));
    const auto l = OctetVal(ElementListe(e, 1));
    if (!c || !l || !DansGrille(g, *c, *l)) return Valeur::Nul();
    g.CaseFichierChange(*c, *l, Apres(arguments, ',', 2));
    return Valeur::Booleen(true);
}

// "column.row,value" or "name,value". The dots of the reference became
// commas in the value; decimal commas are turned back into points.
Valeur CaseChange(ServicesScene& scene, ServiceGrille& g, std::string_view arguments) {
    std::optional<CaseCoord> cellule;
    std::string brut;
    if (arguments.find('.') != std::string_view::npos) {
        const std::string t = Remplace(arguments, '.', ',');
        const auto e = ElementsListe(t, ",");
        const auto c = OctetVal(ElementListe(e, 0));
        const auto l = OctetVal(ElementListe(e, 1));
        if (c && l) cellule = CaseCoord{*c, *l};
        brut = std::string(Apres(t, ',', 2));
    } else {
        const auto virgule = arguments.find(',');
        cellule = g.CaseNomCoordonnees(Majuscules(Trim(arguments.substr(0, virgule))));
        brut = std::string(Apres(arguments, ',', 1));
    }
    if (!cellule || !DansGrille(g, *cellule)) return Valeur::Nul();
    std::string valeur = ChaineSansCoerc(Remplace(ChaineSansCoerc(brut), ',', '.'));
    valeur = Remplace(valeur, '`', '\'');

    scene.TableauxParcouruRecalculReinit();
    g.CaseUtilisateurChange(cellule->colonne, cellule->ligne, valeur, true);
    g.RecalculSansInit();
    return Valeur::Booleen(true);
}

Valeur ActionZone(ServiceGrille& g, C code, std::string_view arguments) {
    const auto z = ZoneTexte(arguments);
    if (!z) return Valeur::Nul();
    switch (code) {
    case C::Plier: g.ZonePlier(z->c1, z->l1, z->c2, z->l2); break;
    case C::Deplier: g.ZoneDeplier(z->c1, z->l1, z->c2, z->l2); break;
    case C::Visible: g.ZoneRendVisible(z->c1, z->l1, z->c2, z->l2); break;
    case C::Invisible: g.ZoneRendInvisible(z->c1, z->l1, z->c2, z->l2); break;
    case C::Invalide: g.InvalidationZoneRendInvalide(z->c1, z->l1, z->c2, z->l2); break;
    case C::Valide: g.InvalidationZoneRendValide(z->c1, z->l1, z->c2, z->l2); break;
    default: return Valeur::Nul();
    }
    return Valeur::Booleen(true);
}

Valeur EffaceEntreeUtilisateur(ServicesScene& scene, ServiceGrille& g, std::string_view arguments) {
    auto e = ElementsListe(arguments, ",.");
    if (e.size() < 4) e = {ElementListe(e, 0), ElementListe(e, 1), ElementListe(e, 0), ElementListe(e, 1)};
    const auto c1 = OctetVal(e[0]);
    const auto l1 = OctetVal(e[1]);
    const auto c2 = OctetVal(e[2]);
    const auto l2 = OctetVal(e[3]);
    if (!c1 || !l1 || !c2 || !l2) return Valeur::Nul();
    scene.TableauxParcouruRecalculReinit();
    const Bornes b = DansGrille(g, Zone{*c1, *l1, *c2, *l2});
    for (int c = b.c1; c <= b.c2; ++c) {
        for (int l = b.l1; l <= b.l2; ++l) {
            scene.TableauxParcouruRecalculReinit();
            g.CaseUtilisateurChange(O(c), O(l), "", true);
        }
    }
    g.RecalculSansInit();
    return Valeur::Booleen(true);
}

// Column, row and colour: the colour is the property's value.
Valeur CouleurCase(ServiceGrille& g, C code, std::string_view arguments) {
    const std::string texte =
        code == C::CaseChangeCouleurFond ? Remplace(arguments, ':', '-') : std::string(arguments);
    const auto e = ElementsListe(texte, code == C::CaseChangeCouleurFond ? ",." : ",.:");
    const auto c = OctetVal(ElementListe(e, 0));
    const auto l = OctetVal(ElementListe(e, 1));
    const auto couleur = LongVal(ElementListe(e, 2));
    if (!c || !l || !couleur || !DansGrille(g, *c, *l)) return Valeur::Nul();
    if (code == C::CaseChangeCouleurFond) {
        g.CaseCouleurFondChange(*c, *l, *couleur);
    } else {
        g.CaseCouleurTexteChange(*c, *l, *couleur);
    }
    return Valeur::Double(*couleur);
}

// When (c1 + 1, r1) is marked, each row whose cells c1 + 1 .. c2 are all
// zero or empty takes the shown text of (c1, row) as its entry in c1 + 1.
Valeur CopieSiVide(ServiceGrille& g, std::string_view arguments) {
    const auto z = ZoneOctets(arguments);
    if (!z || z->c1 >= 255 || !DansGrille(g, O(z->c1 + 1), z->l1) || !DansGrille(g, z->c1, z->l1)) {
        return Valeur();
    }
    const std::uint8_t source = z->c1;
    const auto cible = O(z->c1 + 1);
    if (g.CaseInvalidationCalculee(cible, z->l1) == 0) return Valeur();
    const Bornes b = DansGrille(g, *z);
    const int derniere = std::min<int>(z->c2, g.ColonneNb());
    for (int l = b.l1; l <= b.l2; ++l) {
        bool vide = true;
        for (int c = cible; c <= derniere && vide; ++c) {
            vide = ZeroOuVide(g.CaseValeurInternePendantCalcul(O(c), O(l)));
        }
        if (vide && !ZeroOuVide(g.CaseValeurInternePendantCalcul(source, O(l)))) {
            g.CaseUtilisateurChange(cible, O(l), g.CaseValeurAAfficher(source, O(l)), true);
        }
    }
    return Valeur();
}

}  // namespace

Valeur ProprieteGrille(ServicesScene& scene, ServiceGrille& g, CodeProprieteKOR code, std::string_view arguments) {
    switch (code) {
    case C::Case: return LectureCase(g, arguments, false);
    case C::CaseVideAZero: return LectureCase(g, arguments, true);
    case C::Somme:
    case C::SommeVideAZero:
    case C::Max: return Agregat(g, arguments, code);
    case C::CaseChangeFichier: return CaseChangeFichier(g, arguments);
    case C::CaseChange: return CaseChange(scene, g, arguments);
    case C::Plier:
    case C::Deplier:
    case C::Visible:
    case C::Invisible:
    case C::Invalide:
    case C::Valide: return ActionZone(g, code, arguments);
    case C::EffaceEntreeUtilisateur: return EffaceEntreeUtilisateur(scene, g, arguments);
    case C::CaseResultatType:
    case C::CaseInvalidation: {
        const auto cc = CaseOctets(arguments);
        if (!cc || !DansGrille(g, *cc)) return Valeur::Nul();
        return Valeur::Entier(code == C::CaseResultatType ? g.CaseResultatType(cc->colonne, cc->ligne)
                                                          : g.CaseInvalidationCalculee(cc->colonne, cc->ligne));
    }
    case C::DecalageColonne: return Valeur::Entier(g.DecalageColonne());
    case C::DecalageLigne: return Valeur::Entier(g.DecalageLigne());
    case C::DecalageColonneChange: {
        const auto v = EntierVal(arguments);
        if (!v) return Valeur::Nul();
        g.DecalageColonneChange(*v);
        return Valeur::Booleen(true);
    }
    case C::DecalageLigneChange: {
        const auto v = OctetVal(arguments);
        if (!v) return Valeur::Nul();
        g.DecalageLigneChange(*v);
        return Valeur::Booleen(true);
    }
    case C::ColonneTri: {
        const auto v = EntierVal(ChaineSansCoerc(arguments));
        if (!v) return Valeur::Nul();
        g.ColonneTriChoisir(*v);
        return Valeur::Booleen(true);
    }
    case C::CaseChangeCouleurTexte:
    case C::CaseChangeCouleurFond: return CouleurCase(g, code, arguments);
    case C::BloquerColonne: {
        const auto e = ElementsListe(arguments, ",.");
        const auto premiere = OctetVal(ElementListe(e, 0));
        const auto seconde = OctetVal(ElementListe(e, 1));
        if (!premiere || !seconde) return Valeur::Nul();
        g.ColonneBloquer(*premiere, *seconde);
        return Valeur::Booleen(true);
    }
    case C::DebloquerColonne: {
        const auto v = OctetVal(arguments);
        if (!v) return Valeur::Nul();
        g.ColonneDebloquer(*v);
        return Valeur::Booleen(true);
    }
    case C::MemorisePliage: g.MemorisePliageLigne(); return Valeur::Booleen(true);
    case C::DefileAuto: g.LigneDefileAuto(); return Valeur::Booleen(true);
    case C::CopieSiVide: return CopieSiVide(g, arguments);
    default: return Valeur::Nul();
    }
}

}  // namespace korv::formula
