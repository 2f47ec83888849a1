#include "formula/variables.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "formula/nombres.h"
#include "formula/services.h"

namespace korv::formula {

namespace {

constexpr std::array<std::string_view, 10> kVariablesSysteme{
    "LANGUE",   "TEMPS",        "TEMPSDEBUTPAGE",       "VOLUME",     "HASARD",
    "SONACTIF", "VIDEOFORWINDOWSACTIF", "IMPRIMANTE", "PASSEVALEUR", "REGLAGENOMBRECOULEURMONITEUR"};

constexpr std::array<std::string_view, 18> kNomsReserves{
    "ET",     "OU",     "SIN",   "COS",           "LONGUEUR",   "ENT",
    "DATEADDMOIS", "NON", "HASARD", "TEMPS",      "TEMPSDEBUTPAGE", "VOLUME",
    "LANGUE", "PASSEVALEUR", "SONACTIF", "VIDEOFORWINDOWSACTIF", "IMPRIMANTE",
    "REGLAGENOMBRECOULEURMONITEUR"};

bool CaractereInterdit(char c) {
    // ( ) blank and the range + , - . / then * ^ > = '
    return c == '(' || c == ')' || c == ' ' || (c >= '+' && c <= '/') || c == '*' || c == '^' || c == '>' ||
           c == '=' || c == '\'';
}

template <std::size_t N>
bool Parmi(std::string_view nom, const std::array<std::string_view, N>& liste) {
    return std::find(liste.begin(), liste.end(), nom) != liste.end();
}

}  // namespace

bool TableVariables::VarCree(std::string_view nom, Valeur valeur, std::uint8_t globale) {
    const std::string n = Majuscules(Trim(nom));
    if (n.empty() || std::any_of(n.begin(), n.end(), CaractereInterdit)) return false;
    if (Parmi(n, kNomsReserves)) return false;
    if (NombreVariables() >= kMaxVariables) return false;
    if (VarRang(n) >= 1) return false;
    table_.push_back({std::move(valeur), n, globale});
    rangs_[n] = NombreVariables();
    return true;
}

bool TableVariables::VarLet(std::string& nom, const Valeur& valeur) {
    nom = Majuscules(Trim(nom));
    if (const int rang = VarRang(nom); rang >= 1) {
        table_[static_cast<std::size_t>(rang - 1)].valeur = valeur;
        return true;
    }
    if (nom == "PASSEVALEUR") {
        PasseValeur = valeur.EnTexte();
        return true;
    }
    return false;
}

Valeur TableVariables::VarValeur(std::string_view nom) const {
    const int rang = VarRang(nom);
    return rang >= 1 ? table_[static_cast<std::size_t>(rang - 1)].valeur : Valeur::Nul();
}

int TableVariables::VarRang(std::string_view nom) const {
    // A few variables are found faster by comparing names than by hashing.
    constexpr std::size_t kPetiteTable = 16;
    if (table_.size() <= kPetiteTable) {
        for (std::size_t i = 0; i < table_.size(); ++i) {
            if (table_[i].nom == nom) return static_cast<int>(i) + 1;
        }
        return 0;
    }
    const auto it = rangs_.find(nom);
    return it == rangs_.end() ? 0 : it->second;
}

TypeMot TableVariables::VarQuelType(std::string_view mot) const {
    if (EstNombreTexte(mot)) return TypeMot::Aucun;
    if (const int rang = VarRang(mot); rang >= 1) {
        return EstChaine(table_[static_cast<std::size_t>(rang - 1)].valeur.EnTexte()) ? TypeMot::VariableChaine
                                                                                     : TypeMot::VariableNombre;
    }
    if (mot.find('.') == std::string_view::npos) {
        return EstVariableSysteme(mot) ? TypeMot::VariableSysteme : TypeMot::Aucun;
    }
    // Only a dot outside quotes makes a reference: a quoted text may hold
    // dots ('1.5', 'A.B') and stays a constant, while a reference may quote
    // its bracket argument (P.T.TexteChange['a.b']).
    bool guillemet = false;
    for (const char c : mot) {
        if (c == '\'') guillemet = !guillemet;
        else if (c == '.' && !guillemet) return TypeMot::ReferenceObjet;
    }
    return TypeMot::Aucun;
}

void TableVariables::VarSupprimer(int index) {
    if (index < 1 || index > NombreVariables()) return;
    rangs_.erase(table_[static_cast<std::size_t>(index - 1)].nom);
    if (index < NombreVariables()) {
        table_[static_cast<std::size_t>(index - 1)] = std::move(table_.back());
        rangs_[table_[static_cast<std::size_t>(index - 1)].nom] = index;
    }
    table_.pop_back();
}

void TableVariables::VarSupprimerToutes() {
    table_.clear();
    rangs_.clear();
}

void TableVariables::VarLocalesSupprimer() {
    int i = 1;
    while (i <= NombreVariables()) {
        if (table_[static_cast<std::size_t>(i - 1)].globale == 0) {
            VarSupprimer(i);
        } else {
            ++i;
        }
    }
}

bool EstVariableSysteme(std::string_view nom) { return Parmi(nom, kVariablesSysteme); }

Valeur VarSystemeValeur(std::string_view nom, const ServicesFormule& services) {
    ServicesSysteme& s = services.systeme;
    if (nom == "LANGUE") return Valeur::Entier(s.LangueCourante());
    if (nom == "TEMPS") return Valeur::Long(s.Temps());
    if (nom == "TEMPSDEBUTPAGE") {
        // The tick wraps around; the difference is taken modulo 2^32.
        const auto d = static_cast<std::uint32_t>(s.Temps()) - static_cast<std::uint32_t>(s.DebutPageTemps());
        return Valeur::Long(static_cast<std::int32_t>(d));
    }
    if (nom == "VOLUME") return Valeur::Entier(0);
    if (nom == "HASARD") {
        double r = s.Hasard();
        if (!(r >= 0)) r = 0;
        const double tirage = std::min(std::floor(r * 100) + 1, 100.0);
        return Valeur::Double(tirage);
    }
    if (nom == "SONACTIF" || nom == "VIDEOFORWINDOWSACTIF" || nom == "IMPRIMANTE") return Valeur::Booleen(false);
    if (nom == "PASSEVALEUR") return Valeur::Chaine(services.variables.PasseValeur);
    if (nom == "REGLAGENOMBRECOULEURMONITEUR") return Valeur::Long(s.BitsParPixel());
    return Valeur{};
}

}  // namespace korv::formula
