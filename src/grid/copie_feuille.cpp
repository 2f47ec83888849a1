// Copy of a grid onto a sheet, step by step in the order the print engine
// and the exporters rely on: title, cells, title row, row and column
// formats, cell formats, then runs, sizes and merged zones.

#include "grid/copie_feuille.h"

#include <algorithm>
#include <vector>

#include "formula/nombres.h"
#include "grid/feuille.h"
#include "grid/tableau.h"

namespace korv::grid {

namespace {

constexpr std::int32_t kBascule = -14;

void Remplace(std::string& s, std::string_view de, std::string_view vers) {
    for (std::size_t p = s.find(de); p != std::string::npos; p = s.find(de, p + vers.size())) {
        s.replace(p, de.size(), vers);
    }
}

bool ActionPlan(std::int32_t code) { return code >= -23 && code <= -18; }

std::string TexteAfficheParDefaut(TableauClasse& g, int c, int r) {
    return g.CaseValeurAAfficher(static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r));
}

// The sheet number of a print number text: "1 234,50" or "12,5 %".
std::optional<double> NombreImpression(std::string t) {
    Remplace(t, ",", ".");
    std::erase_if(t, [](char ch) { return ch == '%' || ch == ' ' || ch == '\xA0'; });
    return formula::LitNombre(t);
}

RemplissageFeuille Fond(int motif, std::int32_t a, std::int32_t b) { return {motif, a, b}; }

std::int32_t Gris(int v) { return v | (v << 8) | (v << 16); }

BordsFeuille Cote(int bit) {
    BordsFeuille b;
    if (bit == 1) b.haut = 1;
    if (bit == 2) b.droite = 1;
    if (bit == 4) b.bas = 1;
    if (bit == 8) b.gauche = 1;
    return b;
}

}  // namespace

std::string TitreImpressionFeuille(std::string_view titre, std::string_view monnaie) {
    std::string t(titre);
    Remplace(t, "\xA7", "'");
    Remplace(t, "\xA4", ".");
    Remplace(t, "$monnaie", "(unit\xE9 : " + std::string(monnaie) + ")");
    return t;
}

void CopierVersBook(TableauClasse& g, Classeur& classeur, int numero, const ContexteCopie& ctx) {
    const int mode = ctx.mode;
    const bool impression = mode == 1;
    const bool texteComplet = mode == 1 || mode == 3 || mode == 4;
    // The print event of the grid's first cell. (The print engine shows its
    // export modes 3 and 4 as 0 and 2 while it runs.)
    (void)g.DeclencheSur(1, 1, "SUR IMPRESSION");

    // The grid keeps its own title and folds: only the copy changes.
    const std::string titre = TitreImpressionFeuille(g.ImprimeTitreRetourne(), ctx.monnaie);
    Feuille& f = classeur.FeuilleNumero(numero);
    f.nom = std::to_string(numero);
    const int decal = titre.empty() ? 0 : 1;
    if (!titre.empty()) {
        f.Texte(1, 1, texteComplet ? titre : std::string(10, ' '));
        f.nom = titre;
    }
    const int taille = impression ? 9 : 7;
    f.taillePolice = taille + 1;

    const bool sansPlis = mode == 2 || mode == 4;
    const int nc = g.ColonneNb();
    const int nl = g.LigneNb();
    // Sheet positions of the printable rows and columns; 0 for the others.
    std::vector<int> ligneFeuille(static_cast<std::size_t>(nl + 1), 0);
    std::vector<int> colonneFeuille(static_cast<std::size_t>(nc + 1), 0);
    int n = 0;
    for (int r = 1; r <= nl; ++r) {
        const auto& x = g.Ligne(r);
        if (x.AttributImpression.Imprimable == 0 || (sansPlis && x.Pliee == -1)) continue;
        ligneFeuille[static_cast<std::size_t>(r)] = ++n + decal;
    }
    n = 0;
    for (int c = 1; c <= nc; ++c) {
        const auto& x = g.Colonne(c);
        if (x.AttributImpression.Imprimable == 0 || (sansPlis && x.Pliee == -1)) continue;
        colonneFeuille[static_cast<std::size_t>(c)] = ++n;
    }
    auto plage = [](int r, int c) { return PlageFeuille{r, c, r, c}; };

    bool actionPlan = false;
    for (int r = 1; r <= nl; ++r) {
        const int fr = ligneFeuille[static_cast<std::size_t>(r)];
        if (fr == 0) continue;
        for (int c = 1; c <= nc; ++c) {
            const int fc = colonneFeuille[static_cast<std::size_t>(c)];
            if (fc == 0) continue;
            const CaseTableau& x = *g.Case(c, r);
            const auto& a = x.Attribut();
            std::string t;
            if (a.CouleurFond == kBascule) {
                if (a.Invisible == 0) {
                    f.Remplir(plage(fr, fc), Fond(1, 0, x.Texte != "0" ? 0 : kBlanc));
                    f.Bords(plage(fr, fc), BordsFeuille{1, 1, 1, 1, Gris(200)});
                }
            } else if (ActionPlan(a.CouleurFond)) {
                actionPlan = true;
                if (a.Fusion != 2) t = x.Texte;
                if (!t.empty() && static_cast<unsigned char>(t.front()) < 32) t.erase(0, 1);
                if (impression) Remplace(t, "\r\n", " ");
            } else if (!g.CaseInvalidationCalculee(static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r)) &&
                       a.Invisible == 0 && a.CouleurTexte != kBlanc) {
                t = ctx.texteAffiche ? ctx.texteAffiche(g, c, r) : TexteAfficheParDefaut(g, c, r);
                Remplace(t, "-\r\n-", "");
                if (texteComplet) Remplace(t, "\r\n", " ");
            }

            Remplace(t, "<br>", "");
            int alignement = 3;
            if (t.rfind("\xA4", 0) == 0) {
                t.erase(0, 1);
                alignement = 2;
            }
            switch (a.TypeAffichage) {
            case 0:
                if (a.SousFormat == 9) {
                    t += " :";
                    alignement = 2;
                } else if (a.SousFormat == 10) {
                    alignement = 3;
                } else if (a.SousFormat == 11) {
                    t = "    " + t;
                    alignement = 3;
                } else if (a.SousFormat == 12) {
                    Remplace(t, "\r\n", " ");
                }
                break;
            case 1:
                if (a.SousFormat == 2 || a.SousFormat == 5) {
                    alignement = 3;
                } else {
                    alignement = 4;
                    if (const auto v = formula::LitNombre(t); v && *v == 0) t.clear();
                }
                break;
            case 2:
                alignement = 4;
                if (!t.empty()) {
                    if (const auto v = formula::LitNombre(t.substr(0, t.size() - 1)); v && *v == 0) t.clear();
                }
                break;
            default: alignement = 3; break;
            }

            if (t.empty()) {
                f.Vider(plage(fr, fc));
            } else if (impression && (a.TypeAffichage == 1 || a.TypeAffichage == 2)) {
                // Only a text that reads as a number becomes one: an order
                // status in a number cell stays a text.
                if (const auto v = NombreImpression(t)) {
                    f.Nombre(fr, fc, a.TypeAffichage == 2 ? *v / 100 : *v);
                    f.Format(plage(fr, fc), a.TypeAffichage == 2 ? "0.00%" : "0.00");
                } else {
                    f.Texte(fr, fc, t);
                }
            } else {
                f.Texte(fr, fc, t);
            }
            if (actionPlan) {
                f.Alignement(plage(fr, fc), 1, true, 1);
            } else {
                f.Alignement(plage(fr, fc), alignement, true, 2);
            }
        }
    }

    // Title row.
    f.titreImpression = titre;
    if (!titre.empty()) {
        f.Texte(1, 1, texteComplet ? titre : std::string(titre.size(), ' '));
        if (actionPlan) {
            f.Alignement(plage(1, 1), 1, true, 1);
        } else {
            f.Alignement(plage(1, 1), 2, false, 2);
        }
        f.Police(plage(1, 1), PoliceFeuille{"ARIAL", 10, true, false, false, false, 0});
        const int colonnes = f.ColonnesUtilisees();
        if (colonnes >= 2) f.Vider(PlageFeuille{1, 2, 1, colonnes});
    }

    // Row and column formats.
    auto formats = [&](const ImpressionTableauAttribut& a, const PlageFeuille& p, bool ligne, int position) {
        if (a.Attribut4 == 1) (ligne ? f.sautsLignes : f.sautsColonnes).push_back(position);
        if (a.ImprimeBord >= 1 && a.ImprimeBord <= 4 && titre != " ") {
            static constexpr int gauche[] = {-1, 1, 1, 6};
            static constexpr int droite[] = {1, -1, 1, -1};
            BordsFeuille b;
            b.gauche = gauche[a.ImprimeBord - 1];
            b.droite = droite[a.ImprimeBord - 1];
            f.Bords(p, b);
        }
        if (a.ImprimeFond != 0) {
            static constexpr int gris[] = {200, 160, 120};
            const int k = std::clamp<int>(a.ImprimeFond, 1, 3) - 1;
            f.Remplir(p, impression ? Fond(1, Gris(gris[k]), Gris(gris[k])) : Fond(a.ImprimeFond == 1 ? 17 : 18, 0, kBlanc));
        }
        if (a.ImprimeFormat != 0 || a.Attribut8 != 0) {
            PoliceFeuille police;
            police.taille = taille + 1;
            police.gras = a.ImprimeFormat != 0;
            f.Police(p, police);
        }
    };
    const int colonnesUtilisees = std::max(1, f.ColonnesUtilisees());
    const int lignesUtilisees = std::max(1, f.LignesUtilisees());
    for (int r = 1; r <= nl; ++r) {
        const int fr = ligneFeuille[static_cast<std::size_t>(r)];
        if (fr != 0) formats(g.Ligne(r).AttributImpression, PlageFeuille{fr, 1, fr, colonnesUtilisees}, true, fr);
    }
    for (int c = 1; c <= nc; ++c) {
        const int fc = colonneFeuille[static_cast<std::size_t>(c)];
        if (fc != 0) {
            formats(g.Colonne(c).AttributImpression, PlageFeuille{1 + decal, fc, lignesUtilisees, fc}, false, fc);
        }
    }

    // Cell formats.
    for (int r = 1; r <= nl; ++r) {
        const int fr = ligneFeuille[static_cast<std::size_t>(r)];
        if (fr == 0) continue;
        for (int c = 1; c <= nc; ++c) {
            const int fc = colonneFeuille[static_cast<std::size_t>(c)];
            if (fc == 0) continue;
            const CaseTableau& x = *g.Case(c, r);
            const auto& a = x.Attribut();
            if (a.TypeAffichage == 0 && a.SousFormat == 9) {
                PoliceFeuille police;
                police.taille = taille + 1;
                police.gras = true;
                f.Police(plage(fr, fc), police);
            }
            if (actionPlan && a.CouleurFond >= -23 && a.CouleurFond <= -19) {
                const int k = a.CouleurFond + 23;  // 0 for -23 .. 4 for -19
                static constexpr int autre[] = {90, 120, 140, 180, 210};
                static constexpr int imprime[] = {120, 140, 180, 210, 210};
                RemplissageFeuille fond;
                if (mode == 3 || mode == 4) {
                    fond = Fond(2 + k, 0, kBlanc);
                } else if (impression) {
                    fond = k == 3 ? Fond(2, Gris(210), kBlanc)
                         : k == 4 ? Fond(17, Gris(210), kBlanc)
                                  : Fond(1, Gris(imprime[k]), Gris(imprime[k]));
                } else {
                    fond = Fond(1, Gris(autre[k]), Gris(autre[k]));
                }
                f.Remplir(plage(fr, fc), fond);
                if (!x.Texte.empty() && static_cast<unsigned char>(x.Texte.front()) < 32) {
                    for (int bit : {1, 2, 4, 8}) {
                        if (x.Texte.front() & bit) f.Bords(plage(fr, fc), Cote(bit));
                    }
                }
            }
            if (a.CouleurTexte != 0) f.CouleurTexte(plage(fr, fc), a.CouleurTexte);
        }
    }

    // Runs of rows and columns marked to repeat on every page: the first run.
    auto premiereSuite = [](const std::vector<int>& positions, auto&& marque, int nb) {
        std::pair<int, int> suite{0, 0};
        for (int i = 1; i <= nb; ++i) {
            const int p = positions[static_cast<std::size_t>(i)];
            if (p == 0) continue;
            if (marque(i)) {
                if (suite.first == 0) suite.first = p;
                if (suite.second == 0 || suite.second == p - 1) {
                    suite.second = p;
                    continue;
                }
            }
            if (suite.first != 0) break;
        }
        return suite;
    };
    if (nl >= 2) {
        f.lignesFixes = premiereSuite(ligneFeuille, [&](int r) { return g.Ligne(r).AttributImpression.Attribut3 != 0; }, nl);
        f.colonnesFixes =
            premiereSuite(colonneFeuille, [&](int c) { return g.Colonne(c).AttributImpression.Attribut3 != 0; }, nc);
    }

    // Outline of the used range below the title row, then the sizes of rows
    // and columns given a minimum size, then the merged zones. (The title
    // stands above the table, as do the columns' formats.)
    const int lu = f.LignesUtilisees();
    const int cu = f.ColonnesUtilisees();
    if (lu > decal && cu > 0) {
        f.Bords(PlageFeuille{1 + decal, 1, 1 + decal, cu}, Cote(1));
        f.Bords(PlageFeuille{1 + decal, cu, lu, cu}, Cote(2));
        f.Bords(PlageFeuille{1 + decal, 1, lu, 1}, Cote(8));
        f.Bords(PlageFeuille{lu, 1, lu, cu}, Cote(4));
    }
    // The title row stands apart from the table: a pixel's square of twips
    // taller than a plain row.
    if (decal == 1) f.hauteurs[1] = kHauteurLigneFeuille + ctx.twipsParPixelY * ctx.twipsParPixelY;
    for (int r = 1; r <= nl; ++r) {
        const int fr = ligneFeuille[static_cast<std::size_t>(r)];
        const auto m = g.Ligne(r).AttributImpression.LargeurMinimale;
        if (fr != 0 && m != 0) f.hauteurs[fr] = ctx.twipsParPixelY * m;
    }
    for (int c = 1; c <= nc; ++c) {
        const int fc = colonneFeuille[static_cast<std::size_t>(c)];
        const auto m = g.Colonne(c).AttributImpression.LargeurMinimale;
        if (fc != 0 && m != 0) f.largeurs[fc] = ctx.twipsParPixelX * m;
    }
    for (int r = 1; r <= nl; ++r) {
        const int fr = ligneFeuille[static_cast<std::size_t>(r)];
        if (fr == 0) continue;
        for (int c = 1; c <= nc; ++c) {
            const int fc = colonneFeuille[static_cast<std::size_t>(c)];
            if (fc == 0 || g.Attribut(c, r).Fusion != 1) continue;
            int fin = fc;
            for (int k = c + 1; k <= nc && g.Attribut(k, r).Fusion == 2; ++k) {
                if (colonneFeuille[static_cast<std::size_t>(k)] != 0) fin = colonneFeuille[static_cast<std::size_t>(k)];
            }
            if (fin > fc) {
                f.fusions.push_back({fr, fc, fr, fin});
                f.Alignement(PlageFeuille{fr, fc, fr, fin}, 2, true, 2);
            }
        }
    }
}

}  // namespace korv::grid
