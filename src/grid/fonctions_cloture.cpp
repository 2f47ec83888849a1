// The closing-date treatments of monthly grids: row 1 holds each month's
// date; a month is closed when its date is on or before the closing date
// D (actual figures entered), open after it (forecasts).

#include "formula/valeur.h"
#include "grid/fonctions_calcul.h"
#include "grid/tableau.h"

namespace korv::grid {

using formula::Valeur;

namespace {

// The arguments both functions share: the zone, D and the last value
// (mode or colour). Loops run over ints: a zone may end at 255.
struct ZoneCloture {
    int c1, r1, c2, r2;
    Valeur date;  // D, as a 32-bit integer
};

ZoneCloture LitZone(formula::PileValeurs& pile, int n, int nombre) {
    ZoneCloture z{};
    z.c1 = Argument(pile, n, 3, nombre).EnOctet();
    z.r1 = Argument(pile, n, 4, nombre).EnOctet();
    z.c2 = Argument(pile, n, 5, nombre).EnOctet();
    z.r2 = Argument(pile, n, 6, nombre).EnOctet();
    z.date = Valeur::Long(Argument(pile, n, 7, nombre).EnLong());
    return z;
}

std::uint8_t B(int index) { return calcul::Borne(index); }

class Traitement {
public:
    Traitement(TableauClasse& g, formula::ServicesScene& scene, const ZoneCloture& z) : g_(g), scene_(scene), z_(z) {}

    // h(c): the date of the month of column c.
    Valeur Mois(int c) { return calcul::Lit(g_, c, 1); }
    bool Clos(const Valeur& date) { return calcul::InferieurOuEgal(date, z_.date); }

    void Couleurs(std::int32_t couleur) {
        for (int r = z_.r1; r <= z_.r2; ++r) {
            for (int c = z_.c1; c <= z_.c2; ++c) g_.CaseCouleurTexteChange(B(c), B(r), Clos(Mois(c)) ? couleur : 0);
        }
    }

    // Mode 1: the actual row r1 open to entry in closed months, the
    // forecast row below it in open months.
    void ReelEtPrevision() {
        const int r = z_.r1;
        for (int c = z_.c1; c <= z_.c2; ++c) {
            const bool clos = Clos(Mois(c));
            g_.CaseEstEditableChange(c, r, clos);
            g_.CaseEstEditableChange(c, r + 1, !clos);
            if (r + 1 <= kMaxLignesColonnes) {
                if (clos) {
                    g_.InvalidationZoneRendInvalide(B(c), B(r + 1), B(c), B(r + 1));
                } else {
                    g_.InvalidationZoneRendValide(B(c), B(r + 1), B(c), B(r + 1));
                }
            }
            if (clos) {
                g_.ZoneRendVisible(B(c), B(r), B(c), B(r));
            } else {
                g_.ZoneRendInvisible(B(c), B(r), B(c), B(r));
            }
        }
    }

    // Mode 2: closed months in blue, row 1 coloured with the zone's first row.
    void CouleursParDates() {
        for (int r = z_.r1; r <= z_.r2; ++r) {
            for (int c = z_.c1; c <= z_.c2; ++c) {
                const std::int32_t couleur = Clos(Mois(c)) ? kCouleurMoisClos : 0;
                g_.CaseCouleurTexteChange(B(c), B(r), couleur);
                if (r == z_.r1) g_.CaseCouleurTexteChange(B(c), 1, couleur);
            }
        }
    }

    // Mode 3: the entry row r2 emptied and closed in closed months, the
    // rows r1 and r1 + 1 shown there.
    void LigneDeSaisie() {
        const int r = z_.r2;
        for (int c = z_.c1; c <= z_.c2; ++c) {
            if (Clos(Mois(c))) {
                g_.CaseEstEditableChange(c, r, false);
                g_.CaseCouleurFondChange(B(c), B(r), -2);
                scene_.TableauxParcouruRecalculReinit();
                g_.CaseUtilisateurChange(B(c), B(r), "", true);
                g_.ZoneRendVisible(B(c), B(z_.r1), B(c), B(z_.r1 + 1));
            } else {
                g_.CaseEstEditableChange(c, r, true);
                g_.CaseCouleurFondChange(B(c), B(r), -1);
                g_.ZoneRendInvisible(B(c), B(z_.r1), B(c), B(z_.r1 + 1));
            }
        }
    }

    // Mode 4: row r1 open to entry again, whatever the dates.
    void Reinitialise() {
        for (int c = z_.c1; c <= z_.c2; ++c) {
            g_.CaseEstEditableChange(c, z_.r1, true);
            g_.CaseCouleurFondChange(B(c), B(z_.r1), -1);
        }
    }

    // Mode 5: as mode 2, the dates read in the zone's first row.
    void CouleursParPremiereLigne() {
        for (int r = z_.r1; r <= z_.r2; ++r) {
            for (int c = z_.c1; c <= z_.c2; ++c) {
                const bool clos = Clos(calcul::Lit(g_, c, z_.r1));
                g_.CaseCouleurTexteChange(B(c), B(r), clos ? kCouleurMoisClos : 0);
            }
        }
    }

    // Mode 6: two years of month columns from c1, folded so that the
    // months from the one holding D are shown.
    void Pliage() {
        const int a = z_.c1;
        const int b = z_.c1 + 12;
        // Columns past 255 do not exist: a range starting there is skipped.
        const auto deplie = [&](int de, int jusqua) {
            if (de <= kMaxLignesColonnes) g_.ZoneDeplier(B(de), 0, B(jusqua), 0);
        };
        const auto plie = [&](int de, int jusqua) {
            if (de <= kMaxLignesColonnes) g_.ZonePlier(B(de), 0, B(jusqua), 0);
        };
        const Valeur& d = z_.date;
        if (calcul::SuperieurOuEgal(Mois(a), d)) {
            deplie(a, a + 11);
            plie(b, b + 11);
            return;
        }
        if (calcul::Inferieur(Mois(a + 11), d)) {
            deplie(b, b + 11);
            plie(a, a + 11);
            return;
        }
        deplie(a, b + 11);
        for (int c = a + 1; c <= a + 11; ++c) {
            if (calcul::SuperieurOuEgal(Mois(c), d)) {
                plie(a, c - 1);
                deplie(c, a + 11);
                plie(b, b + 11);
                return;
            }
        }
        deplie(b, b + 11);
        plie(a, a + 11);
    }

private:
    TableauClasse& g_;
    formula::ServicesScene& scene_;
    const ZoneCloture& z_;
};

}  // namespace

// CLOTUREDATESAISIE(page; object; c1; r1; c2; r2; D; mode).
void FonctionsCalcul::ClotureDateSaisie(formula::PileValeurs& pile, int& n) {
    constexpr int kArgs = 8;
    if (n < kArgs) return;
    TableauClasse* grille = GrilleNommee(acces_, pile, n, kArgs);
    if (grille == nullptr) return;
    const ZoneCloture zone = LitZone(pile, n, kArgs);
    const std::uint8_t mode = Argument(pile, n, 8, kArgs).EnOctet();
    Traitement t(*grille, acces_.scene, zone);
    switch (mode) {
    case 1: t.ReelEtPrevision(); break;
    case 2: t.CouleursParDates(); break;
    case 3: t.LigneDeSaisie(); break;
    case 4: t.Reinitialise(); break;
    case 5: t.CouleursParPremiereLigne(); break;
    case 6: t.Pliage(); break;
    default: break;
    }
    Resultat(pile, n, kArgs, Valeur::Entier(0));
}

// CLOTUREDATECOULEUR(page; object; c1; r1; c2; r2; D; colour).
void FonctionsCalcul::ClotureDateCouleur(formula::PileValeurs& pile, int& n) {
    constexpr int kArgs = 8;
    if (n < kArgs) return;
    TableauClasse* grille = GrilleNommee(acces_, pile, n, kArgs);
    if (grille == nullptr) return;
    const ZoneCloture zone = LitZone(pile, n, kArgs);
    const std::int32_t couleur = Argument(pile, n, 8, kArgs).EnLong();
    Traitement(*grille, acces_.scene, zone).Couleurs(couleur);
    Resultat(pile, n, kArgs, Valeur::Entier(0));
}

}  // namespace korv::grid
