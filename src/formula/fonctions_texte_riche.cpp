#include "formula/fonctions_texte_riche.h"

#include <string>

#include "formula/services_script.h"
#include "formula/valeur.h"
#include "platform/cp1252.h"
#include "rtf/lecteur.h"

namespace korv::formula {

namespace {

namespace f = fonction_texte_riche;

constexpr std::uint8_t kTypeTexteRtf = 13;

Valeur& Argument(PileValeurs& pile, int n, int k, int nombre) {
    return pile[static_cast<std::size_t>(n - nombre + k - 1)];
}

std::string Nom(const Valeur& v) { return Majuscules(Trim(ChaineSansCoerc(v.EnTexte()))); }

Valeur VraiFaux(bool vrai) { return Valeur::Chaine(vrai ? "'VRAI'" : "'FAUX'"); }

// A number written on at least two digits ("05", "12", "-05").
std::string DeuxChiffres(std::int32_t v) {
    std::string r = std::to_string(v < 0 ? -static_cast<std::int64_t>(v) : v);
    if (r.size() < 2) r.insert(0, 1, '0');
    return v < 0 ? "-" + r : r;
}

char32_t Minuscule(char32_t c) {
    if (const auto o = platform::PointCodeVersCp1252(c)) return platform::Cp1252VersPointCode(platform::MinusculeCp1252(*o));
    return c;
}

// The first match of `motif` starting in [debut, end), without case, or -1.
std::int32_t Chercher(const std::u32string& texte, const std::u32string& motif, std::size_t debut) {
    if (motif.empty() || motif.size() > texte.size()) return -1;
    for (std::size_t i = debut; i + motif.size() <= texte.size(); ++i) {
        std::size_t j = 0;
        while (j < motif.size() && Minuscule(texte[i + j]) == Minuscule(motif[j])) ++j;
        if (j == motif.size()) return static_cast<std::int32_t>(i);
    }
    return -1;
}

}  // namespace

bool TexteRicheEstVide(std::string_view texte) {
    const auto d = rtf::LireTexteRiche(texte);
    return d.has_value() && d->EstVide();
}

void TexteRecherchePage(BoiteSommaire& boite, std::string_view texte) {
    const std::int32_t debut = boite.SelectionDebut();
    boite.Selectionner(debut, 0);
    const std::u32string brut = boite.TexteBrut();
    const std::u32string motif = platform::Cp1252VersU32(texte);
    std::int32_t trouve = -1;
    if (debut >= 0 && static_cast<std::size_t>(debut) < brut.size()) {
        trouve = Chercher(brut, motif, static_cast<std::size_t>(debut) + 1);
    }
    if (trouve < 0) trouve = Chercher(brut, motif, 0);
    if (trouve >= 0) boite.Selectionner(trouve, static_cast<std::int32_t>(motif.size()));
}

bool FonctionsTexteRiche::EvalueFonctionAction(int code, PileValeurs& pile, int& n) {
    if (n < 0 || static_cast<std::size_t>(n) > pile.size()) LeveErreur(erreur::kAppelInvalide);
    switch (code) {
    case f::TexteEstIlVide: TexteEstIlVide(pile, n); return true;
    case f::ChapitreEstIlVide: ChapitreEstIlVide(pile, n); return true;
    case f::TexteRecherchePage:
        if (sommaire_ == nullptr) break;
        if (n < 1) LeveErreur(erreur::kAppelInvalide);
        TexteRecherchePage(*sommaire_, ChaineSansCoerc(Argument(pile, n, 1, 1).EnTexte()));
        Argument(pile, n, 1, 1) = Valeur::Entier(0);
        return true;
    default: break;
    }
    return suivant_ != nullptr && suivant_->EvalueFonctionAction(code, pile, n);
}

bool FonctionsTexteRiche::ObjetVide(std::int16_t page, std::int16_t objet) const {
    if (page < 1 || objet < 1 || scene_.TypeObjet(page, objet) != kTypeTexteRtf) return true;
    return TexteRicheEstVide(services_.ObjetTexte(page, objet));
}

void FonctionsTexteRiche::TexteEstIlVide(PileValeurs& pile, int& n) {
    if (n < 2) return;
    const std::int16_t page = scene_.NumeroDePage(Nom(Argument(pile, n, 1, 2)));
    const std::int16_t objet = page > 0 ? scene_.NumeroObjet(page, Nom(Argument(pile, n, 2, 2))) : 0;
    Argument(pile, n, 1, 2) = VraiFaux(ObjetVide(page, objet));
    n -= 1;
}

void FonctionsTexteRiche::ChapitreEstIlVide(PileValeurs& pile, int& n) {
    if (n < 2) return;
    const std::int16_t chapitre = Argument(pile, n, 1, 2).EnEntier();
    const std::int16_t nombre = Argument(pile, n, 2, 2).EnEntier();
    bool vide = true;
    for (std::int32_t i = nombre != 0 ? 1 : 0; i <= nombre && vide; ++i) {
        std::string nom = "MET" + DeuxChiffres(chapitre);
        if (i > 0) nom += DeuxChiffres(i);
        const std::int16_t page = scene_.NumeroDePage(nom);
        if (page < 1) continue;
        const std::int16_t objet = scene_.NumeroObjet(page, "MET");
        if (objet > 0 && scene_.TypeObjet(page, objet) == kTypeTexteRtf && !ObjetVide(page, objet)) vide = false;
    }
    Argument(pile, n, 1, 2) = VraiFaux(vide);
    n -= 1;
}

}  // namespace korv::formula
