#include "grid/fonctions_zones.h"

#include <string>
#include <utility>

#include "grid/tableau.h"

namespace korv::grid {

namespace {

using formula::PileValeurs;
using formula::Valeur;

constexpr int kArgumentsZone = 6;

struct Zone {
    int c1 = 0;
    int r1 = 0;
    int c2 = 0;
    int r2 = 0;
};

// Arguments 3 to 6 as bytes: a bound outside 0..255 is a conversion error
// that ends the formula.
Zone ZoneOctets(PileValeurs& pile, int n, int nombre) {
    Zone z;
    z.c1 = Argument(pile, n, 3, nombre).EnOctet();
    z.r1 = Argument(pile, n, 4, nombre).EnOctet();
    z.c2 = Argument(pile, n, 5, nombre).EnOctet();
    z.r2 = Argument(pile, n, 6, nombre).EnOctet();
    return z;
}

// Arguments 3 to 6 as 16-bit integers, so that -1, -1 can name the whole grid.
Zone ZoneEntiers(PileValeurs& pile, int n, int nombre) {
    Zone z;
    z.c1 = Argument(pile, n, 3, nombre).EnEntier();
    z.r1 = Argument(pile, n, 4, nombre).EnEntier();
    z.c2 = Argument(pile, n, 5, nombre).EnEntier();
    z.r2 = Argument(pile, n, 6, nombre).EnEntier();
    return z;
}

// The common form of a zone function of `nombre` arguments: with its grid
// found, `action` converts the rest and acts; the result takes argument 1's
// slot whether or not it was found.
template <typename Action>
void SurGrille(const AccesGrilles& acces, PileValeurs& pile, int& n, int nombre, Valeur resultat, Action action) {
    if (n < nombre) return;
    if (TableauClasse* g = GrilleNommee(acces, pile, n, nombre)) action(*g);
    Resultat(pile, n, nombre, std::move(resultat));
}

}  // namespace

bool FonctionsZones::EvalueFonctionAction(int code, PileValeurs& pile, int& n) {
    if (n < 0 || static_cast<std::size_t>(n) > pile.size()) formula::LeveErreur(formula::erreur::kAppelInvalide);
    switch (static_cast<FonctionZone>(code)) {
    case FonctionZone::Copier:
    case FonctionZone::Coller: return true;  // kept for old scenes: they do nothing
    case FonctionZone::ZoneEstElleSaisie: EvalueFoncZoneContientSaisie(pile, n); return true;
    case FonctionZone::ZoneEstElleVide: EvalueFoncZoneEstElleVide(pile, n); return true;
    case FonctionZone::ZoneImprimable: EvalueFoncZoneImprimable(pile, n); return true;
    case FonctionZone::ZoneNonImprimable: EvalueFoncZoneNonImprimable(pile, n); return true;
    case FonctionZone::ZoneBord: EvalueFoncZoneBord(pile, n); return true;
    case FonctionZone::ZoneFond: EvalueFoncZoneFond(pile, n); return true;
    case FonctionZone::ZoneFormat: EvalueFoncZoneFormat(pile, n); return true;
    case FonctionZone::ZoneImprimableSiSaisie: EvalueFoncZoneImprimableSiSaisie(pile, n); return true;
    case FonctionZone::SaisieOuCalculFixe: EvalueFoncSaisieOuCalculFixe(pile, n); return true;
    case FonctionZone::ConvChange: EvalueFoncConvChange(pile, n); return true;
    case FonctionZone::ImprimeColonneLargeurMinimale: EvalueFoncImprimeColonneLargeurMinimale(pile, n); return true;
    case FonctionZone::ImprimeTitre: EvalueFoncImprimeTitre(pile, n); return true;
    }
    return suivant_ != nullptr && suivant_->EvalueFonctionAction(code, pile, n);
}

void FonctionsZones::EvalueFoncZoneContientSaisie(PileValeurs& pile, int& n) {
    if (n < kArgumentsZone) return;
    bool trouve = false;
    if (TableauClasse* g = GrilleNommee(acces_, pile, n, kArgumentsZone)) {
        Zone z = ZoneOctets(pile, n, kArgumentsZone);
        trouve = g->ZoneContientSaisie(z.c1, z.r1, z.c2, z.r2) != 0;
    }
    Resultat(pile, n, kArgumentsZone, Valeur::Chaine(trouve ? "'OUI'" : "'NON'"));
}

void FonctionsZones::EvalueFoncZoneEstElleVide(PileValeurs& pile, int& n) {
    if (n < kArgumentsZone) return;
    bool vide = true;
    if (TableauClasse* g = GrilleNommee(acces_, pile, n, kArgumentsZone)) {
        const Zone z = ZoneOctets(pile, n, kArgumentsZone);
        vide = g->ZoneEstElleVide(z.c1, z.r1, z.c2, z.r2) == 0;
    }
    Resultat(pile, n, kArgumentsZone, Valeur::Entier(vide ? 1 : 0));
}

void FonctionsZones::EvalueFoncZoneImprimable(PileValeurs& pile, int& n) {
    SurGrille(acces_, pile, n, kArgumentsZone, Valeur::Entier(0), [&](TableauClasse& g) {
        Zone z = ZoneEntiers(pile, n, kArgumentsZone);
        g.ZoneRendImprimable(z.c1, z.r1, z.c2, z.r2);
    });
}

void FonctionsZones::EvalueFoncZoneNonImprimable(PileValeurs& pile, int& n) {
    SurGrille(acces_, pile, n, kArgumentsZone, Valeur::Entier(0), [&](TableauClasse& g) {
        const Zone z = ZoneOctets(pile, n, kArgumentsZone);
        g.ZoneRendNonImprimable(z.c1, z.r1, z.c2, z.r2);
    });
}

void FonctionsZones::EvalueFoncZoneBord(PileValeurs& pile, int& n) {
    SurGrille(acces_, pile, n, kArgumentsZone, Valeur::Entier(0), [&](TableauClasse& g) {
        Zone z = ZoneEntiers(pile, n, kArgumentsZone);
        g.ZoneImprimeBord(z.c1, z.r1, z.c2, z.r2);
    });
}

void FonctionsZones::EvalueFoncZoneFond(PileValeurs& pile, int& n) {
    SurGrille(acces_, pile, n, kArgumentsZone, Valeur::Entier(0), [&](TableauClasse& g) {
        Zone z = ZoneEntiers(pile, n, kArgumentsZone);
        g.ZoneImprimeFond(z.c1, z.r1, z.c2, z.r2);
    });
}

void FonctionsZones::EvalueFoncZoneFormat(PileValeurs& pile, int& n) {
    constexpr int nombre = kArgumentsZone + 1;
    SurGrille(acces_, pile, n, nombre, Valeur::Entier(0), [&](TableauClasse& g) {
        Zone z = ZoneEntiers(pile, n, nombre);
        const std::int16_t format = Argument(pile, n, 7, nombre).EnEntier();
        g.ZoneImprimeFormat(z.c1, z.r1, z.c2, z.r2, format);
    });
}

void FonctionsZones::EvalueFoncZoneImprimableSiSaisie(PileValeurs& pile, int& n) {
    SurGrille(acces_, pile, n, kArgumentsZone, Valeur::Entier(0), [&](TableauClasse& g) {
        const Zone z = ZoneOctets(pile, n, kArgumentsZone);
        ZoneImprimableSiSaisie(g, z.c1, z.r1, z.c2, z.r2);
    });
}

void FonctionsZones::EvalueFoncSaisieOuCalculFixe(PileValeurs& pile, int& n) {
    SurGrille(acces_, pile, n, kArgumentsZone, Valeur::Entier(0), [&](TableauClasse& g) {
        const Zone z = ZoneOctets(pile, n, kArgumentsZone);
        if (acces_.EnJeu()) g.ZoneSaisieOuCalculFixe(z.c1, z.r1, z.c2, z.r2);
    });
}

void FonctionsZones::EvalueFoncConvChange(PileValeurs& pile, int& n) {
    SurGrille(acces_, pile, n, kArgumentsZone, Valeur::Entier(0), [&](TableauClasse& g) {
        const Zone z = ZoneOctets(pile, n, kArgumentsZone);
        if (!acces_.EnJeu()) return;
        // Without the store there are no rates: refused, not converted at 1.
        if (reglages_ == nullptr) formula::LeveErreur(formula::erreur::kAppelInvalide);
        g.ZoneMonnaieConvertir(z.c1, z.r1, z.c2, z.r2, *reglages_);
    });
}

void FonctionsZones::EvalueFoncImprimeColonneLargeurMinimale(PileValeurs& pile, int& n) {
    constexpr int nombre = 4;
    SurGrille(acces_, pile, n, nombre, Valeur::Entier(0), [&](TableauClasse& g) {
        const std::uint8_t colonne = Argument(pile, n, 3, nombre).EnOctet();
        const std::int16_t largeur = Argument(pile, n, 4, nombre).EnEntier();
        g.ImprimeChangeColonneLargeurMinimale(colonne, largeur);
    });
}

void FonctionsZones::EvalueFoncImprimeTitre(PileValeurs& pile, int& n) {
    constexpr int nombre = 4;
    SurGrille(acces_, pile, n, nombre, Valeur::Entier(0), [&](TableauClasse& g) {
        const std::string titre = TexteArgument(Argument(pile, n, 3, nombre));
        const std::int16_t taille = Argument(pile, n, 4, nombre).EnEntier();
        g.ImprimeChangeTitre(titre, taille);
    });
}

void ZoneImprimableSiSaisie(TableauClasse& g, int c1, int r1, int c2, int r2) {
    // Each test widens its own copy of the zone.
    const auto contient = [&g](int a, int b, int c, int d) { return g.ZoneContientSaisie(a, b, c, d) != 0; };
    if (r1 == 0 && r2 == 0) {
        // Columns up to the one after the last that holds an entry.
        for (int c = c1; c <= c2; ++c) {
            if (!contient(c, 0, c, 0)) continue;
            int a = 1, b = 0, d = c + 1, e = 0;
            g.ZoneRendImprimable(a, b, d, e);
        }
    } else if (c1 == 0 && c2 == 0) {
        // Rows up to the one after an entry; the row after an empty one is left out.
        for (int r = r1; r <= r2; ++r) {
            if (contient(0, r, 0, r)) {
                int a = 0, b = 1, d = 0, e = r + 1;
                g.ZoneRendImprimable(a, b, d, e);
            } else {
                g.ZoneRendNonImprimable(0, r + 1, 0, r + 1);
            }
        }
    } else {
        for (int r = r1; r <= r2; ++r) {
            if (contient(c1, r, c2, r)) {
                int a = 0, b = r, d = 0, e = r;
                g.ZoneRendImprimable(a, b, d, e);
            } else {
                g.ZoneRendNonImprimable(0, r, 0, r);
            }
        }
    }
}

}  // namespace korv::grid
