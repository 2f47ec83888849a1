#include "grid/fonctions_grille.h"

#include "grid/magasin_grilles.h"
#include "grid/tableau.h"

namespace korv::grid {

namespace {
constexpr std::int16_t kModeJeu = 3;
constexpr std::uint8_t kObjetTableau = 12;
}  // namespace

bool AccesGrilles::EnJeu() const { return scene.ModeProgramme() == kModeJeu; }

formula::Valeur& Argument(formula::PileValeurs& pile, int n, int k, int nombre) {
    const int i = n - nombre + k - 1;
    if (i < 0 || static_cast<std::size_t>(i) >= pile.size()) formula::LeveErreur(formula::erreur::kAppelInvalide);
    return pile[static_cast<std::size_t>(i)];
}

std::string NomArgument(const formula::Valeur& v) {
    return formula::Majuscules(formula::Trim(formula::ChaineSansCoerc(v.EnTexte())));
}

std::string TexteArgument(const formula::Valeur& v) { return formula::ChaineSansCoerc(v.EnTexte()); }

ObjetCible ObjetNomme(const AccesGrilles& acces, formula::PileValeurs& pile, int n, int nombre) {
    ObjetCible c;
    c.page = acces.scene.NumeroDePage(NomArgument(Argument(pile, n, 1, nombre)));
    if (c.page <= 0) return {};
    c.objet = acces.scene.NumeroObjet(c.page, NomArgument(Argument(pile, n, 2, nombre)));
    if (c.objet <= 0) return {};
    return c;
}

TableauClasse* GrilleNommee(const AccesGrilles& acces, formula::PileValeurs& pile, int n, int nombre) {
    const ObjetCible c = ObjetNomme(acces, pile, n, nombre);
    if (!c.Trouve() || acces.scene.TypeObjet(c.page, c.objet) != kObjetTableau) return nullptr;
    return acces.grilles.Cherche(c.page, c.objet);
}

int LigneNommee(TableauClasse& grille, const formula::Valeur& nom) {
    const auto coord = grille.CaseNomCoordonnees(TexteArgument(nom));
    return coord ? coord->ligne : 0;
}

void Resultat(formula::PileValeurs& pile, int& n, int nombre, formula::Valeur valeur) {
    Argument(pile, n, 1, nombre) = std::move(valeur);
    n -= nombre - 1;
}

}  // namespace korv::grid
