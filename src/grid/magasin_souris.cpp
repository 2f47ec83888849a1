// The mouse and the keys on a grid in play: selecting, extending, the
// fill corner, arrow and check cells, the cursor code, cell navigation.

#include <algorithm>
#include <string>

#include "formula/valeur.h"
#include "grid/grille_dessin.h"
#include "grid/grille_selection.h"
#include "grid/magasin_grilles.h"
#include "platform/grid_scroll_timer.h"
#include "platform/grid_tooltip_timer.h"

namespace korv::grid {

namespace {

constexpr char kProprietaire = '\xA4';
std::int16_t I16(int v) { return static_cast<std::int16_t>(v); }
std::uint8_t U8(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

// The arrows of a cell whose file is "?": the left one lowers a level 1..4,
// the right one raises it up to 5.
std::string ValeurParFleche(const std::string& t, bool gauche) {
    if (gauche) {
        if (t == "2") return "1";
        if (t == "3") return "2";
        if (t == "4") return "3";
        if (t == "1") return "1";
        return "4";
    }
    if (t == "1") return "2";
    if (t == "2") return "3";
    if (t == "3") return "4";
    if (t == "4") return "5";
    return t;
}

}  // namespace

void MagasinGrilles::RedessineEtMontre(const TableauClasse& g) {
    RedessineSiAffiche(g.Page(), g.Objet());
    if (services_.majFenetre) services_.majFenetre();
}

bool MagasinGrilles::Declenche(TableauClasse& g, int c, int r, std::string_view evenement) {
    return g.DeclencheSur(c, r, evenement);
}

void MagasinGrilles::MouseDownConsultation(int page, int objet, int, int maj, std::int32_t x, std::int32_t y) {
    TableauClasse* g = Cherche(page, objet);
    if (!g) return;
    const bool jeu = EnJeu();
    const std::int32_t px = services_.pixelX ? services_.pixelX() : 15;
    const std::int32_t py = services_.pixelY ? services_.pixelY() : 15;
    SelectionTableau s = PointVersSelection(*g, x - g->RectangleGauche(), y - g->RectangleHaut());
    if (s.HautGaucheLigne < 1 || s.HautGaucheColonne < 1) return;
    s = SelectionEtendreAuxFusions(*g, s, jeu);
    const int c = g->ColonneAfficheeVersStockee(s.HautGaucheColonne);
    const int r = g->LigneAfficheeVersStockee(s.HautGaucheLigne);
    if (c == 0 || r == 0) return;
    if (Declenche(*g, c, r, "SUR CLIC")) return;

    const std::int32_t gauche = g->RectangleGauche() + g->ColonneGauche(c);
    const std::int32_t droite = g->RectangleGauche() + g->ColonneDroite(c);
    const std::int32_t bas = g->RectangleHaut() + g->LigneBas(r);
    if (g->CaseFichier(c, r) == "?") {
        const std::int32_t d = x - gauche;
        const CaseTableau* cas = g->Case(c, r);
        const std::string avant = cas ? cas->Texte : std::string();
        if (d >= 0 && d < 256) {
            CaseChangeParFleches(*g, c, r, ValeurParFleche(avant, true));
        } else if (d >= 256 && d <= 495) {
            CaseChangeParFleches(*g, c, r, ValeurParFleche(avant, false));
        }
    }

    const SelectionTableau& actuelle = g->Selection();
    const std::string bulle = g->CaseBulle(c, r);
    const bool dansMarque = x >= droite - kLargeurMarqueBulle * px && x <= droite;
    if (s.HautGaucheLigne != actuelle.HautGaucheLigne || s.HautGaucheColonne != actuelle.HautGaucheColonne) {
        if (!bulle.empty() && dansMarque) {
            if (services_.bulleAffiche) services_.bulleAffiche(x, y, bulle);
            return;
        }
        if (((maj & 1) || g->ExtensionEnCours()) && g->SelectionEstValide()) {
            SelectionTableau n = actuelle;
            n.DerniereColonne = s.HautGaucheColonne;
            n.DerniereLigne = s.HautGaucheLigne;
            SelectionDepuisPremiereDerniere(*g, n, jeu);
            g->SelectionChange(n);
        } else {
            g->SelectionChange(s);
        }
        RedessineEtMontre(*g);
        return;
    }

    if (g->CaseCouleurFond(c, r) == -14) {
        const CaseTableau* cas = g->Case(c, r);
        g->CaseTexteChange(c, r, cas && cas->Texte == "0" ? "1" : "0");
        if (services_.planModifie) services_.planModifie();
    }
    g->SelectionChange(s);
    RedessineEtMontre(*g);
    if (x < droite - kLargeurMarqueBulle * px) {
        if (g->CaseEstEditable(c, r) && g->CaseFichier(c, r) != "?" && services_.caseEditer) {
            services_.caseEditer(*g, c, r);
        }
        return;
    }
    if (y >= bas - 8 * py && y <= bas) {
        g->ExtensionEnCoursChange(true);
        return;
    }
    if (!bulle.empty() && services_.bulleAffiche) services_.bulleAffiche(x, y, bulle);
}

void MagasinGrilles::MouseMoveConsultation(int page, int objet, int bouton, std::int32_t x, std::int32_t y) {
    TableauClasse* g = Cherche(page, objet);
    if (!g || bouton != 1 || !g->SelectionEstValide()) return;
    const bool jeu = EnJeu();
    if (auto* chrono = services_.chronoDefilement; chrono && !chrono->Actif()) {
        const std::int16_t p = g->Page(), o = g->Objet();
        chrono->Demarrer([this, p, o] { DefilementAppel(p, o); }, 100);
    }
    const SelectionTableau s = PointVersSelection(*g, x - g->RectangleGauche(), y - g->RectangleHaut());
    if (s.HautGaucheLigne < 1 || s.HautGaucheColonne < 1) return;
    SelectionTableau n = g->Selection();
    if (g->ColonneAfficheeVersStockee(s.HautGaucheColonne) == g->ColonneAfficheeVersStockee(n.DerniereColonne) &&
        g->LigneAfficheeVersStockee(s.HautGaucheLigne) == g->LigneAfficheeVersStockee(n.DerniereLigne)) {
        return;
    }
    n.DerniereColonne = s.HautGaucheColonne;
    n.DerniereLigne = s.HautGaucheLigne;
    SelectionDepuisPremiereDerniere(*g, n, jeu);
    g->SelectionChange(n);
    RedessineEtMontre(*g);
}

void MagasinGrilles::DefilementAppel(std::int16_t page, std::int16_t objet) {
    TableauClasse* g = Grille(page, objet);
    auto* chrono = services_.chronoDefilement;
    if (!g || !chrono) return;
    const auto souris = chrono->SourisPage();
    if (!souris) return;
    const auto [x, y] = *souris;
    if (x >= g->RectangleGauche() && x <= g->RectangleDroite() && y >= g->RectangleHaut() && y <= g->RectangleBas()) {
        return;
    }
    chrono->Intervalle(50);
    const int colonne = g->DecalageColonne(), ligne = g->DecalageLigne();
    // Offsets stay within 1..255, whatever the size of the grid.
    if (x > g->RectangleDroite()) g->DecalageColonneChange(I16(std::min(colonne + 1, kMaxLignesColonnes)));
    if (x < g->RectangleGauche()) g->DecalageColonneChange(I16(std::max(colonne - 1, 1)));
    g->DecalageLimiteSimple();
    if (y > g->RectangleBas()) g->DecalageLigneChange(U8(std::min(ligne + 1, kMaxLignesColonnes)));
    if (y < g->RectangleHaut()) g->DecalageLigneChange(U8(std::max(ligne - 1, 1)));
    g->DecalageLimiteSimple();
    if ((g->DecalageColonne() != colonne || g->DecalageLigne() != ligne) && EnJeu()) RedessineEtMontre(*g);
}

void MagasinGrilles::InfoBulleAppel(std::int16_t page, std::int16_t objet) {
    auto* chrono = services_.chronoBulle;
    if (!chrono) return;
    // One tooltip per rest on a cell.
    chrono->Arreter();
    TableauClasse* g = Grille(page, objet);
    if (!g || !EnJeu() || (services_.pageCourante && services_.pageCourante() != page)) return;
    const auto souris = chrono->SourisPage();
    if (!souris) return;
    const auto [x, y] = *souris;
    const SelectionTableau s = PointVersSelection(*g, x - g->RectangleGauche(), y - g->RectangleHaut());
    const bool surCase = s.Valide != 0 && s.HautGaucheLigne >= 1 && s.HautGaucheColonne >= 1;
    const int c = surCase ? g->ColonneAfficheeVersStockee(s.HautGaucheColonne) : 0;
    const int r = surCase ? g->LigneAfficheeVersStockee(s.HautGaucheLigne) : 0;
    // The mouse left the grid without passing over another of its cells:
    // the cell is forgotten, so that coming back to it starts the timer again.
    if (c == 0 || r == 0 || g->DerniereCaseSurvolee() != std::pair{c, r}) {
        g->InfoBulleGere(-1, -1);
        return;
    }
    const std::string bulle = g->CaseBulle(c, r);
    if (!bulle.empty() && services_.bulleAffiche) services_.bulleAffiche(x, y, bulle);
}

void MagasinGrilles::MouseUpConsultation(int page, int objet, std::int32_t x, std::int32_t y) {
    TableauClasse* g = Cherche(page, objet);
    if (!g) return;
    if (g->ExtensionEnCours()) {
        g->ExtensionEnCoursChange(false);
        Remplir(*g);
    }
    const SelectionTableau s = PointVersSelection(*g, x - g->RectangleGauche(), y - g->RectangleHaut());
    const int c = g->ColonneAfficheeVersStockee(s.HautGaucheColonne);
    const int r = g->LigneAfficheeVersStockee(s.HautGaucheLigne);
    if (s.HautGaucheColonne >= 1 && s.HautGaucheLigne >= 1 && c >= 1 && r >= 1) Declenche(*g, c, r, "SUR MOUSEUP");
}

void MagasinGrilles::Remplir(TableauClasse& g) {
    const SelectionTableau& s = g.Selection();
    const int c1 = g.ColonneAfficheeVersStockee(s.HautGaucheColonne);
    const int c2 = g.ColonneAfficheeVersStockee(s.BasDroiteColonne);
    const int r1 = g.LigneAfficheeVersStockee(s.HautGaucheLigne);
    const int r2 = g.LigneAfficheeVersStockee(s.BasDroiteLigne);
    // A corner that maps to no stored cell fills nothing.
    if (c1 == 0 || c2 == 0 || r1 == 0 || r2 == 0) return;
    if (services_.planModifie) services_.planModifie();
    if (g.CaseCouleurFond(c1, r1) == -14) {
        if (c1 == c2 && r1 == r2) {
            const CaseTableau* cas = g.Case(c1, r1);
            g.CaseTexteChange(c1, r1, cas && cas->Texte == "0" ? "1" : "0");
        } else {
            const std::string v = g.CaseValeurInternePendantCalcul(U8(c1), U8(r1)).EnTexte();
            for (int r = r1; r <= r2; ++r) {
                for (int c = c1; c <= c2; ++c) {
                    if ((c != c1 || r != r1) && g.CaseCouleurFond(c, r) == -14) g.CaseTexteChange(c, r, v);
                }
            }
        }
        RedessineEtMontre(g);
        return;
    }
    g.SaisieMultipleEnCoursChange(true);
    struct Fin {
        TableauClasse& g;
        ~Fin() { g.SaisieMultipleEnCoursChange(false); }
    } fin{g};
    ParcouruRecalculReinitTous();
    formula::Valeur v;
    std::string t;
    for (int r = r1; r <= r2; ++r) {
        if (r == r1 || c1 != c2) {
            v = g.CaseValeurInternePendantCalcul(U8(c1), U8(r));
            t = TexteAffiche(g, c1, r);
            std::replace(t.begin(), t.end(), '\r', ' ');
            std::replace(t.begin(), t.end(), '\n', ' ');
            if (!t.empty() && t.front() == kProprietaire) t = t.substr(1);
        }
        if (v.estVide() || v.estErreur() || v.estNul()) continue;
        for (int c = c1; c <= c2; ++c) {
            if (c == c1 && r == r1) continue;
            if (g.Colonne(c).Pliee != 0 || g.Ligne(r).Pliee != 0 || !g.CaseEstEditable(c, r)) continue;
            g.CaseUtilisateurChange(U8(c), U8(r), t, false);
            Declenche(g, c, r, "SUR FINEDITION");
        }
    }
    RecalculePage(g.Page());
    if (services_.majFenetre) services_.majFenetre();
}

void MagasinGrilles::SupprimerConsultation(TableauClasse& g, int c1, int r1, int c2, int r2) {
    if (c1 < 1 || r1 < 1 || c2 < 1 || r2 < 1 || c1 > g.ColonneNb() || c2 > g.ColonneNb() || r1 > g.LigneNb() ||
        r2 > g.LigneNb()) {
        return;
    }
    const bool une = c1 == c2 && r1 == r2;
    const std::string question = une ? "Etes-vous s\xFBr de vouloir redonner\r\n\xE0 cette case\r\nsa valeur par d\xE9" "faut ?"
                                     : "Etes-vous s\xFBr de vouloir redonner\r\n\xE0 ces cases\r\nleur valeur par d\xE9" "faut ?";
    if (!services_.demandeOui || !services_.demandeOui(question)) return;
    if (services_.validerEdition) services_.validerEdition();
    if (services_.planModifie) services_.planModifie();
    ParcouruRecalculReinitTous();
    const std::int16_t page = g.Page(), objet = g.Objet();
    for (int r = std::min(r1, r2); r <= std::max(r1, r2); ++r) {
        for (int c = std::min(c1, c2); c <= std::max(c1, c2); ++c) {
            g.InitialiseCaseUtilisateur(c, r, true);
            // A cell's script may have left the page and its grids.
            if (Grille(page, objet) != &g) return;
        }
    }
    if (EnJeu()) {
        RecalculePage(page);
        if (services_.majFenetre) services_.majFenetre();
    }
}

void MagasinGrilles::RecalculePage(std::int16_t page) {
    RecalculerPage(page);
    RedessinerPage(page);
}

void MagasinGrilles::RedessinerPage(int page) {
    for (auto& [cle, x] : grilles_) {
        if (cle.first == page) RedessineSiAffiche(cle.first, cle.second);
    }
}

void MagasinGrilles::CaseChangeParFleches(TableauClasse& g, int c, int r, const std::string& valeur) {
    if (!EnJeu()) return;
    if (services_.planModifie) services_.planModifie();
    g.CaseTexteChange(c, r, valeur);
    g.CaseResultatTypeChange(c, r, resultat::kEntree);
    if (g.Colonne(c).Marque3 != 0) g.ColonneTrierAutomatiquement(c);
    ParcouruRecalculReinitTous();
    g.RecalculInvaliderRecursivement(c, r, false);
    RecalculePage(g.Page());
}

int MagasinGrilles::QuelCurseurDeSouris(int page, int objet, std::int32_t x, std::int32_t y) {
    TableauClasse* g = Cherche(page, objet);
    if (!g) return 0;
    const std::int32_t px = services_.pixelX ? services_.pixelX() : 15;
    const std::int32_t py = services_.pixelY ? services_.pixelY() : 15;
    const SelectionTableau s = PointVersSelection(*g, x - g->RectangleGauche(), y - g->RectangleHaut());
    if (s.Valide == 0) {
        if (EnJeu()) g->InfoBulleGere(-1, -1);
        return 0;
    }
    if (!EnJeu()) {
        if (s.CadreLigne > 0) return 7;
        if (s.CadreColonne > 0) return 9;
        const SelectionTableau& a = g->Selection();
        if (s.HautGaucheLigne >= 1 && s.HautGaucheColonne >= 1 && s.HautGaucheLigne == a.HautGaucheLigne &&
            s.HautGaucheColonne == a.HautGaucheColonne) {
            return 3;
        }
        return 0;
    }
    if (g->ExtensionEnCours()) return 254;
    const int c = g->ColonneAfficheeVersStockee(s.HautGaucheColonne);
    const int r = g->LigneAfficheeVersStockee(s.HautGaucheLigne);
    if (s.HautGaucheLigne < 1 || s.HautGaucheColonne < 1 || c == 0 || r == 0) {
        g->InfoBulleGere(-1, -1);
        return 0;
    }
    const TableauCaseAttributClasse& a = g->Attribut(c, r);
    // Resting on a cell with a tooltip shows it when the timer ticks.
    if (g->InfoBulleGere(c, r) && !a.Bulle.empty() && services_.chronoBulle) {
        const std::int16_t p = g->Page(), o = g->Objet();
        services_.chronoBulle->Demarrer([this, p, o] { InfoBulleAppel(p, o); });
    }
    const std::int32_t gauche = g->RectangleGauche() + g->ColonneGauche(c);
    const std::int32_t droite = g->RectangleGauche() + g->ColonneDroite(c);
    const std::int32_t bas = g->RectangleHaut() + g->LigneBas(r);
    int code = 0;
    if (a.Editable != 0 && a.Invisible == 0 && a.Fichier != "?") code = 3;
    if (a.TypeAffichage == 0 && a.SousFormat == 8) code = 255;
    if (a.Fichier == "?") {
        const std::int32_t d = x - gauche;
        const std::string texte = TexteAffiche(*g, c, r);
        if (d >= 0 && d < 256 && texte != "sign\xE9") code = 255;
        if (d >= 256 && d <= 495 && texte != "ind\xE9" "fini") code = 255;
    }
    if (a.CouleurFond == -17 || a.CouleurFond == -13) code = 255;
    const bool dansMarque = x >= droite - kLargeurMarqueBulle * px && x <= droite;
    if (!a.Bulle.empty() && dansMarque && y < bas - 8 * py) code = 253;
    const SelectionTableau& sel = g->Selection();
    if (s.HautGaucheLigne == sel.HautGaucheLigne && s.HautGaucheColonne == sel.HautGaucheColonne && dansMarque &&
        y >= bas - 8 * py && y <= bas && a.Fusion == 0) {
        code = 254;
    }
    return code;
}

void MagasinGrilles::AppuieTouche(int page, int objet, int touche, int maj) {
    if (TableauClasse* g = Cherche(page, objet)) AppuieToucheGrille(*g, touche, maj);
}

void MagasinGrilles::AppuieToucheGrille(TableauClasse& g, int touche, int maj) {
    const bool jeu = EnJeu();
    SelectionTableau s = g.Selection();
    int colonne = s.DerniereColonne;
    int ligne = s.DerniereLigne;
    auto ligneLibre = [&g](int a) {
        const int r = g.LigneAfficheeVersStockee(a);
        return r != 0 && g.Ligne(r).Pliee == 0;
    };
    auto colonneLibre = [&g, &ligne](int a) {
        const int c = g.ColonneAfficheeVersStockee(a);
        return c != 0 && g.Colonne(c).Pliee == 0 && g.LigneAfficheeVersStockee(ligne) != 0;
    };
    switch (touche) {
    case 13:
    case 40: {
        int trouvee = 0;
        for (int a = ligne + 1; a <= g.LignesAfficheesNb() && trouvee == 0; ++a) {
            if (ligneLibre(a)) trouvee = a;
        }
        if (trouvee == 0) {
            // The last row of a full grid stays the last: the offset never wraps.
            g.DecalageLigneChange(U8(std::min(g.DecalageLigne() + 1, kMaxLignesColonnes)));
            trouvee = g.LignesAfficheesNb();
        }
        ligne = trouvee;
        break;
    }
    case 38: {
        int trouvee = 0;
        for (int a = ligne - 1; a >= 1 && trouvee == 0; --a) {
            if (ligneLibre(a)) trouvee = a;
        }
        if (trouvee == 0) {
            g.DecalageLigneChange(U8(std::max(g.DecalageLigne() - 1, 1)));
            trouvee = 1;
        }
        ligne = trouvee;
        break;
    }
    case 9:
    case 39: {
        int trouvee = 0;
        for (int a = colonne + 1; a <= g.ColonnesAfficheesNb() && trouvee == 0; ++a) {
            if (colonneLibre(a)) trouvee = a;
        }
        if (trouvee == 0) {
            g.DecalageColonneChange(I16(std::min(g.DecalageColonne() + 1, kMaxLignesColonnes)));
            trouvee = g.ColonnesAfficheesNb();
        }
        const int c = g.ColonneAfficheeVersStockee(trouvee);
        const int r = g.LigneAfficheeVersStockee(ligne);
        const int fin = g.FusionDerniereColonne(c, r);
        if (fin != 0 && fin != c) {
            // Scroll until the run's last column shows, as far as the grid goes.
            for (int essai = 0; essai < kMaxLignesColonnes; ++essai) {
                const int a = g.ColonneStockeeVersAffichee(fin);
                if (a >= 1 && a <= g.ColonnesAfficheesNb()) break;
                const int avant = g.DecalageColonne();
                g.DecalageColonneChange(I16(std::min(avant + 1, kMaxLignesColonnes)));
                if (g.DecalageColonne() == avant) break;
            }
            const int a = g.ColonneStockeeVersAffichee(fin);
            trouvee = a >= 1 && a <= g.ColonnesAfficheesNb() ? a : g.ColonnesAfficheesNb();
        }
        colonne = trouvee;
        break;
    }
    case 37: {
        int trouvee = 0;
        for (int a = colonne - 1; a >= 1 && trouvee == 0; --a) {
            if (colonneLibre(a)) trouvee = a;
        }
        if (trouvee == 0) {
            g.DecalageColonneChange(I16(std::max(g.DecalageColonne() - 1, 1)));
            trouvee = 1;
        }
        const int c = g.ColonneAfficheeVersStockee(trouvee);
        const int r = g.LigneAfficheeVersStockee(ligne);
        const int debut = g.FusionPremiereColonne(c, r);
        if (debut != 0 && debut != c) {
            const int a = g.ColonneStockeeVersAffichee(debut);
            if (a >= 1 && a <= g.ColonnesAfficheesNb()) {
                trouvee = a;
            } else {
                g.DecalageColonneChange(I16(std::max(g.DecalageColonne() - 1, 1)));
                trouvee = 1;
            }
        }
        colonne = trouvee;
        break;
    }
    case 46:
        if (jeu && g.Page() > 0 && g.SelectionEstValide()) {
            SupprimerConsultation(g, g.ColonneAfficheeVersStockee(s.HautGaucheColonne),
                                  g.LigneAfficheeVersStockee(s.HautGaucheLigne),
                                  g.ColonneAfficheeVersStockee(s.BasDroiteColonne),
                                  g.LigneAfficheeVersStockee(s.BasDroiteLigne));
        }
        return;
    default: {
        // A key typed while the box is open over this grid goes on into it
        // rather than committing the entry and reopening the box.
        const bool editee = services_.caseEditee && services_.caseEditee(g);
        if (jeu && touche != 16 && touche != 17 && touche != 18 && g.SelectionEstValide() && s.HautGaucheLigne >= 1 &&
            s.HautGaucheColonne >= 1 && services_.caseEditer && !editee) {
            const int c = g.ColonneAfficheeVersStockee(s.HautGaucheColonne);
            const int r = g.LigneAfficheeVersStockee(s.HautGaucheLigne);
            if (c != 0 && r != 0) services_.caseEditer(g, c, r);
        }
        return;
    }
    }
    // The offsets may have moved the selection's stored cells; rebuild from the grid's.
    s = g.Selection();
    s.DerniereColonne = I16(colonne);
    s.DerniereLigne = I16(ligne);
    if (!(maj & 1)) {
        s.PremiereColonne = s.DerniereColonne;
        s.PremiereLigne = s.DerniereLigne;
    }
    SelectionDepuisPremiereDerniere(g, s, jeu);
    g.SelectionChange(s);
    if (jeu) RedessineEtMontre(g);
}

}  // namespace korv::grid
