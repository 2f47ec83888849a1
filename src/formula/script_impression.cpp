#include "formula/script_impression.h"

#include <span>
#include <string>

#include "formula/services_script.h"
#include "formula/travail_impression.h"

namespace korv::formula {

namespace {

namespace f = fonction_impression;

constexpr std::int16_t kModeJeu = 3;
constexpr int kIndiceHorsLimites = 9;

// Argument k (1-based) of a function of `nombre` arguments.
Valeur& Argument(PileValeurs& pile, int n, int k, int nombre) {
    return pile[static_cast<std::size_t>(n - nombre + k - 1)];
}

// The top of a function without a guard: an empty stack is a run-time error.
Valeur& Haut(PileValeurs& pile, int n) {
    if (n < 1) LeveErreur(erreur::kAppelInvalide);
    return pile[static_cast<std::size_t>(n - 1)];
}

// A page or object name: unquoted, trimmed, upper case.
std::string Nom(const Valeur& v) { return Majuscules(Trim(ChaineSansCoerc(v.EnTexte()))); }

// The number that the value's text form reads as.
Valeur NombreDuTexte(const Valeur& v) { return Valeur::Chaine(v.EnTexte()); }

bool CommencePar(std::string_view texte, std::string_view debut) { return texte.substr(0, debut.size()) == debut; }

// "PAGEMETHODE" followed by a step code names that step.
constexpr std::string_view kPageMethode = "PAGEMETHODE";
std::string CodeEtape(std::string_view nomObjet) { return std::string(nomObjet.substr(kPageMethode.size())); }

}  // namespace

bool FonctionsImpression::ModeJeu() const { return scene_.ModeProgramme() == kModeJeu; }

bool FonctionsImpression::EvalueFonctionAction(int code, PileValeurs& pile, int& n) {
    if (n < 0 || static_cast<std::size_t>(n) > pile.size()) LeveErreur(erreur::kAppelInvalide);
    switch (code) {
    case f::PrepareDebut: PrepareDebut(pile, n); return true;
    case f::PrepareFin: PrepareFin(pile, n); return true;
    case f::Objet: Objet(pile, n); return true;
    case f::EnTete: EnTeteOuPied(pile, n, true); return true;
    case f::PiedDePage: EnTeteOuPied(pile, n, false); return true;
    case f::SautePage: SautePage(pile, n); return true;
    case f::Marges: Marges(pile, n); return true;
    case f::ExporteDebut: ExporteDebut(pile, n); return true;
    case f::ExporteObjet: ExporteObjet(pile, n); return true;
    case f::ExporteFin: ExporteFin(pile, n); return true;
    case f::Option: Option(pile, n); return true;
    case f::ExporteImprimePage: ExporteImprimePage(pile, n); return true;
    case f::MajSommaire: MajSommaire(pile, n); return true;
    default: return suivant_ != nullptr && suivant_->EvalueFonctionAction(code, pile, n);
    }
}

void FonctionsImpression::PrepareDebut(PileValeurs& pile, int n) {
    if (!ModeJeu()) return;
    const std::uint8_t mode = Haut(pile, n).EnOctet();
    if (auto* t = services_.Impression()) t->ImprimePrepareDebut(mode);
}

void FonctionsImpression::PrepareFin(PileValeurs& pile, int n) {
    if (!ModeJeu()) return;
    const std::int32_t premier = Haut(pile, n).EnLong();
    if (auto* t = services_.Impression()) {
        t->MessageFenetreFerme();
        t->ImpressionPremierNumeroFixe(premier);
        t->ApercuDejaPrepare(false);
        t->Imprime();
    }
}

void FonctionsImpression::Objet(PileValeurs& pile, int& n) {
    if (n < 3) return;
    const int nombre = Haut(pile, n).EnEntier();
    // The page lies nombre + 2 slots below the top.
    if (nombre < 0 || nombre + 3 > n) LeveErreur(erreur::kAppelInvalide);
    const auto haut = static_cast<std::size_t>(n - 1);
    const Valeur& page = pile[haut - static_cast<std::size_t>(nombre) - 2];
    const Valeur& objet = pile[haut - static_cast<std::size_t>(nombre) - 1];
    options_.nombre = nombre;
    if (nombre > 0) {
        // Element 1 is the option written last.
        options_.elements.assign(static_cast<std::size_t>(nombre), Valeur{});
        for (int i = 1; i <= nombre; ++i) {
            const Valeur& v = pile[haut - static_cast<std::size_t>(i)];
            options_.elements[static_cast<std::size_t>(i - 1)] =
                v.EstNumerique() ? v : Valeur::Chaine(ChaineSansCoerc(v.EnTexte()));
        }
    }
    if (ModeJeu()) {
        const std::string nomPage = Nom(page);
        const std::string nomObjet = Nom(objet);
        TravailImpression* t = services_.Impression();
        if (nomPage == "ORVANE") {
            if (t != nullptr && (nomObjet == "REDACTIONNEL" || nomObjet == "REDACSYNTHETIQUE")) {
                t->RedactionImprimeExporte(nomObjet, false);
            }
            if (t != nullptr && CommencePar(nomObjet, kPageMethode)) {
                // Step 0 (no such step) goes on too: the driver tells the user.
                t->EtapeImprimeExporte(t->NumeroEtape(CodeEtape(nomObjet)), false);
            }
        } else {
            const std::int16_t p = scene_.NumeroDePage(nomPage);
            const std::int16_t o = p > 0 ? scene_.NumeroObjet(p, nomObjet) : 0;
            if (t != nullptr && p > 0 && o > 0) {
                t->ImprimeAjouteObjet(p, o, {},
                                      std::span<const Valeur>(options_.elements).first(static_cast<std::size_t>(nombre)));
            }
        }
    }
    pile[haut - static_cast<std::size_t>(nombre) - 2] = Valeur::Entier(0);
    n -= nombre + 2;
}

void FonctionsImpression::EnTeteOuPied(PileValeurs& pile, int& n, bool entete) {
    constexpr int k = 4;
    if (n < k) return;
    const std::int16_t page = scene_.NumeroDePage(Nom(Argument(pile, n, 1, k)));
    const std::int16_t objet = page > 0 ? scene_.NumeroObjet(page, Nom(Argument(pile, n, 2, k))) : 0;
    if (objet > 0 && ModeJeu()) {
        const bool affiche = Argument(pile, n, 3, k).EnBooleen();
        const bool premiere = Argument(pile, n, 4, k).EnBooleen();
        if (auto* t = services_.Impression()) {
            const std::string texte = services_.ObjetTexte(page, objet);
            if (entete) {
                t->ImprimeEnTeteFixe(texte, affiche, premiere);
            } else {
                t->ImprimePiedDePageFixe(texte, affiche, premiere);
            }
        }
    }
    Argument(pile, n, 1, k) = Valeur::Entier(0);
    n -= k - 1;
}

void FonctionsImpression::SautePage(PileValeurs& pile, int n) {
    if (!ModeJeu()) return;
    const std::uint8_t argument = Haut(pile, n).EnOctet();
    if (auto* t = services_.Impression()) t->ImprimeAjoutePage(argument);
}

void FonctionsImpression::Marges(PileValeurs& pile, int& n) {
    constexpr int k = 6;
    if (n < k) return;
    if (ModeJeu()) {
        double m[k];
        for (int i = 0; i < k; ++i) m[i] = Argument(pile, n, i + 1, k).EnDouble();
        if (auto* t = services_.Impression()) t->ImprimeMargesFixe(m[0], m[1], m[2], m[3], m[4], m[5]);
    }
    Argument(pile, n, 1, k) = Valeur::Entier(0);
    n -= k - 1;
}

void FonctionsImpression::ExporteDebut(PileValeurs& pile, int n) {
    if (n < 1 || !ModeJeu()) return;
    const std::int16_t mode = NombreDuTexte(Haut(pile, n)).EnEntier();
    if (auto* t = services_.Impression()) t->ExportationFenetreOuvre(mode);
}

void FonctionsImpression::ExporteObjet(PileValeurs& pile, int& n) {
    if (n < 2) return;
    const int k = n >= 3 ? 3 : 2;
    const Valeur& page = Argument(pile, n, 1, k);
    const Valeur& objet = Argument(pile, n, 2, k);
    if (k == 3) {
        // The option as it stands, quotes included.
        options_.elements.assign(1, Argument(pile, n, 3, k));
        options_.nombre = 1;
    }
    const std::string nomPage = Nom(page);
    std::string nomObjet = Nom(objet);
    TravailImpression* t = ModeJeu() ? services_.Impression() : nullptr;
    if (nomPage == "METHODE") {
        if (t != nullptr) t->MethodeTextesExporte(nomObjet);
    } else if (nomPage == "ORVANE") {
        if (nomObjet == "REDACTIONNEL") {
            if (t != nullptr) t->RedactionImprimeExporte(nomObjet, true);
        } else if (CommencePar(nomObjet, kPageMethode) && t != nullptr) {
            t->EtapeImprimeExporte(t->NumeroEtape(CodeEtape(nomObjet)), true);
        }
    } else {
        const std::int16_t p = scene_.NumeroDePage(nomPage);
        const bool rtf = CommencePar(nomObjet, "RTF_");
        if (rtf) nomObjet.erase(0, 4);
        const std::int16_t o = p > 0 ? scene_.NumeroObjet(p, nomObjet) : 0;
        if (o > 0 && t != nullptr) t->TexteRTFInsereTableaux(p, o, rtf);
    }
    Argument(pile, n, 1, k) = Valeur::Entier(0);
    n -= k - 1;
}

void FonctionsImpression::ExporteFin(PileValeurs& pile, int n) {
    if (!ModeJeu()) return;
    const std::int16_t option = Haut(pile, n).EnEntier();
    if (auto* t = services_.Impression()) t->ExporteTextesOuTableaux(option);
}

void FonctionsImpression::Option(PileValeurs& pile, int n) {
    if (n < 1) return;
    Valeur& haut = Haut(pile, n);
    const std::int32_t k = NombreDuTexte(haut).EnLong();
    // Bounded by the count of the last call, not by what an earlier call left.
    if (k < 1 || k > options_.nombre || static_cast<std::size_t>(k) > options_.elements.size()) {
        LeveErreur(kIndiceHorsLimites);
    }
    haut = options_.elements[static_cast<std::size_t>(k - 1)];
}

void FonctionsImpression::ExporteImprimePage(PileValeurs& pile, int n) {
    if (n < 1) return;
    const TravailImpression* t = services_.Impression();
    Haut(pile, n) = Valeur::Long(t != nullptr ? t->Mode() : 0);
}

void FonctionsImpression::MajSommaire(PileValeurs& pile, int& n) {
    constexpr int k = 3;
    if (n < k) return;
    const std::int16_t page = scene_.NumeroDePage(Nom(Argument(pile, n, 1, k)));
    if (page < 1) return;
    const std::int16_t objet = scene_.NumeroObjet(page, Nom(Argument(pile, n, 2, k)));
    if (objet < 1) return;
    const std::int16_t numeros = Argument(pile, n, 3, k).EnEntier();
    if (auto* t = services_.Impression()) t->SommaireMettreAJour(page, objet, numeros);
    Argument(pile, n, 1, k) = Valeur::Entier(0);
    n -= k - 1;
}

}  // namespace korv::formula
