#include "grid/fonctions_monnaie.h"

#include "formula/monnaies.h"
#include "formula/valeur.h"

namespace korv::grid {

namespace f = fonction_monnaie;
using formula::Valeur;

bool FonctionsMonnaie::EvalueFonctionAction(int code, formula::PileValeurs& pile, int& n) {
    if (n < 0 || static_cast<std::size_t>(n) > pile.size()) formula::LeveErreur(formula::erreur::kAppelInvalide);
    formula::TableMonnaies& table = services_.monnaies;
    switch (code) {
    case f::Debut: Debut(pile, n); return true;
    case f::Fin: Fin(); return true;
    case f::Nom:
        if (n >= 1) {
            Valeur& v = Argument(pile, n, 1, 1);
            v = Valeur::Chaine(table.MonnaieNomGet(v.EnOctet()));
        }
        return true;
    case f::Taux:
        if (n >= 1) {
            Valeur& v = Argument(pile, n, 1, 1);
            v = Valeur::Double(table.MonnaieTauxGet(v.EnOctet()));
        }
        return true;
    case f::UtilisateurNom:
        if (n >= 2) {
            const std::uint8_t index = Argument(pile, n, 1, 2).EnOctet();
            table.MonnaieNomSet(index, TexteArgument(Argument(pile, n, 2, 2)));
            Resultat(pile, n, 2, Valeur::Entier(0));
        }
        return true;
    case f::UtilisateurTaux:
        if (n >= 2) {
            const std::uint8_t index = Argument(pile, n, 1, 2).EnOctet();
            // The table keeps only rates above 0: a rate is a divisor.
            table.MonnaieTauxSet(index, Argument(pile, n, 2, 2).EnDouble());
            Resultat(pile, n, 2, Valeur::Entier(0));
        }
        return true;
    default: return suivant_ != nullptr && suivant_->EvalueFonctionAction(code, pile, n);
    }
}

// CONVINIT(a; b): the rate of b as the "SEK" reference, that of a as "USD"
// (0 for an index out of range: the converter then converts nothing).
void FonctionsMonnaie::Debut(formula::PileValeurs& pile, int& n) {
    if (n < 2) return;
    const Valeur b = Valeur::Entier(Argument(pile, n, 2, 2).EnOctet());
    const Valeur a = Valeur::Entier(Argument(pile, n, 1, 2).EnOctet());
    formula::TableMonnaies& table = services_.monnaies;
    if (platform::MagasinReglages* reglages = services_.reglages) {
        if (!ouverte_) {
            (void)table.ConversionDebut(a, b, *reglages);
        } else {
            // Started again before its end: the reference rates saved first
            // are kept, saving again would keep the conversion's instead.
            (void)formula::EuroMonnaieTauxConversionChange(*reglages, formula::kReferenceSek,
                                                          table.MonnaieTauxVarGet(b));
            (void)formula::EuroMonnaieTauxConversionChange(*reglages, formula::kReferenceUsd,
                                                          table.MonnaieTauxVarGet(a));
        }
    }
    ouverte_ = true;
    if (acces_.EnJeu()) {
        if (services_.fenetreOuvre) services_.fenetreOuvre(kConversionTitre, kConversionTexte);
        fenetreOuverte_ = true;
        services_.conversionEnCours = -1;
    }
    Resultat(pile, n, 2, Valeur::Entier(0));
}

// CONVFIN: the stack is left as it is.
void FonctionsMonnaie::Fin() {
    if (acces_.EnJeu()) {
        services_.conversionEnCours = 0;
        FenetreFerme();
    }
    // A rate that could not be written back stays saved, for the next end.
    ouverte_ = services_.reglages != nullptr && !services_.monnaies.ConversionFin(*services_.reglages);
}

void FonctionsMonnaie::FenetreFerme() {
    if (services_.fenetreFerme) services_.fenetreFerme();
    fenetreOuverte_ = false;
}

void FonctionsMonnaie::ConversionTerminer() noexcept {
    if (fenetreOuverte_ || services_.conversionEnCours != 0) {
        services_.conversionEnCours = 0;
        FenetreFerme();
    }
    if (ouverte_) {
        ouverte_ = services_.reglages != nullptr && !services_.monnaies.ConversionFin(*services_.reglages);
    }
}

}  // namespace korv::grid
