#include "formula/evaluateur.h"

#include <cmath>
#include <exception>

#include "formula/code_var_scene.h"
#include "formula/compilateur.h"
#include "formula/expression.h"
#include "formula/fonctions_valeur.h"
#include "formula/operations.h"
#include "formula/services.h"
#include "formula/variables.h"

namespace korv::formula {

namespace {

int CodeFonction(const JetonFormule& j) {
    if (j.genre != static_cast<std::uint8_t>(GenreJeton::Fonction)) return 0;
    const auto* b = std::get_if<std::uint8_t>(&j.valeur);
    return b != nullptr ? *b : 0;
}

std::uint8_t OctetDe(const JetonFormule& j) {
    const auto* b = std::get_if<std::uint8_t>(&j.valeur);
    if (b == nullptr) LeveErreur(erreur::kTypeIncompatible);
    return *b;
}

const std::string& ChaineDe(const JetonFormule& j) {
    const auto* s = std::get_if<std::string>(&j.valeur);
    if (s == nullptr) LeveErreur(erreur::kTypeIncompatible);
    return *s;
}

Valeur AppliqueOperateur(int code, const Valeur& g, const Valeur& d) {
    switch (static_cast<CodeOperateur>(code)) {
    case CodeOperateur::Plus: return Addition(g, d);
    case CodeOperateur::Moins: return Soustraction(g, d);
    case CodeOperateur::Divise: return Division(g, d);
    case CodeOperateur::Fois: return Multiplication(g, d);
    case CodeOperateur::Puissance: return Puissance(g, d);
    case CodeOperateur::Concatene: return Concatenation(g, d);
    case CodeOperateur::Ou: return OuBinaire(g, d);
    case CodeOperateur::Et: return EtBinaire(g, d);
    case CodeOperateur::Sup:
    case CodeOperateur::Inf:
    case CodeOperateur::Egal:
    case CodeOperateur::SupEgal:
    case CodeOperateur::InfEgal:
    case CodeOperateur::Different: return Comparaison(static_cast<CodeComparaison>(code), g, d);
    case CodeOperateur::Separateur: break;
    }
    LeveErreur(erreur::kAppelInvalide);
}

bool EstArithmetique(int code) {
    switch (static_cast<CodeOperateur>(code)) {
    case CodeOperateur::Plus:
    case CodeOperateur::Moins:
    case CodeOperateur::Fois:
    case CodeOperateur::Divise: return true;
    default: return false;
    }
}

// a op b for two Doubles under + - * / (EstArithmetique), by the operator's
// own rule for that case (see operations.cpp). Inlined: it is the hot loop's body.
[[gnu::always_inline]] inline double CalculeDoubles(int code, double a, double b) {
    double r = 0;
    switch (static_cast<CodeOperateur>(code)) {
    case CodeOperateur::Plus: r = a + b; break;
    case CodeOperateur::Moins: r = a - b; break;
    case CodeOperateur::Fois: r = a * b; break;
    default:
        if (b == 0) LeveErreur(a == 0 ? erreur::kDepassement : erreur::kDivisionParZero);
        r = a / b;
        break;
    }
    if (!std::isfinite(r)) LeveErreur(erreur::kDepassement);
    return r;
}

// Two Doubles under + - * /: computed in place without building a value.
// False for any other operands or operator.
bool DoublesEnPlace(int code, Valeur& g, const Valeur& d) {
    if (g.type() != TypeValeur::Double || d.type() != TypeValeur::Double || !EstArithmetique(code)) return false;
    g = Valeur::Double(CalculeDoubles(code, g.reel(), d.reel()));
    return true;
}

const double* ConstanteDouble(const JetonFormule& j) {
    if (j.genre != static_cast<std::uint8_t>(GenreJeton::Constante)) return nullptr;
    return std::get_if<double>(&j.valeur);
}

bool EstOperateurArithmetique(const JetonFormule& j, int& code) {
    if (j.genre != static_cast<std::uint8_t>(GenreJeton::Operateur)) return false;
    const auto* b = std::get_if<std::uint8_t>(&j.valeur);
    if (b == nullptr || !EstArithmetique(*b)) return false;
    code = *b;
    return true;
}

// The evaluation stack: the thread's kept stack when no other evaluation
// holds it (no allocation once it has grown to the formulas' depth), its
// own otherwise (a function may evaluate other formulas).
class PileEmpruntee {
public:
    PileEmpruntee() : pile_(&propre_) {
        Gardee& g = Garde();
        if (!g.prise) {
            g.prise = true;
            pile_ = &g.pile;
        } else {
            propre_.reserve(kPileInitiale);
        }
    }
    ~PileEmpruntee() {
        if (pile_ == &propre_) return;
        Gardee& g = Garde();
        // Values are released now; a stack grown far beyond usual formulas is let go.
        g.pile.clear();
        if (g.pile.capacity() > kPileGardee) PileValeurs().swap(g.pile);
        g.prise = false;
    }
    PileEmpruntee(const PileEmpruntee&) = delete;
    PileEmpruntee& operator=(const PileEmpruntee&) = delete;

    PileValeurs& operator*() { return *pile_; }

private:
    struct Gardee {
        PileValeurs pile;
        bool prise = false;
    };
    static Gardee& Garde() {
        thread_local Gardee g;
        return g;
    }

    // Deep enough for most formulas.
    static constexpr std::size_t kPileInitiale = 16;
    static constexpr std::size_t kPileGardee = 4096;

    PileValeurs propre_;
    PileValeurs* pile_;
};

// The evaluation of one formula on its own stack.
class Evaluation {
public:
    Evaluation(ExpressionClasse& expr, const ServicesFormule& services) : expr_(expr), services_(services) {}

    Valeur Execute(bool modeTest) {
        if (modeTest) pile_.push_back(Valeur::Booleen(false));
        const std::span<const JetonFormule> jetons = expr_.Jetons();
        const int nb = static_cast<int>(jetons.size());
        for (int i = 0; i < nb; ++i) {
            // Operators and numeric constants make most of a formula: handled
            // here before the general dispatch.
            const JetonFormule& j = jetons[static_cast<std::size_t>(i)];
            if (j.genre == static_cast<std::uint8_t>(GenreJeton::Operateur)) {
                Operateur(OctetDe(j));
                continue;
            }
            if (const int fin = PairesDoubles(jetons, i); fin >= 0) {
                i = fin;
                continue;
            }
            if (j.genre == static_cast<std::uint8_t>(GenreJeton::Constante)) {
                if (const auto* d = std::get_if<double>(&j.valeur)) {
                    // A stored constant that is no finite number can only come from a damaged file.
                    if (!std::isfinite(*d)) LeveErreur(erreur::kDepassement);
                    pile_.push_back(Valeur::Double(*d));
                    continue;
                }
            }
            i = Jeton(jetons, i, modeTest);
        }
        if (modeTest) return pile_.empty() ? Valeur::Nul() : pile_.front();
        return pile_.size() == 1 ? pile_.front() : Valeur::Nul();
    }

private:
    // From token i: the run of "numeric constant, + - * /" pairs applied to a
    // Double on top of the stack, kept in a register instead of pushed and
    // popped (the same rule and errors as the two tokens one by one). The
    // index of the last token used; -1 when the first pair does not apply.
    int PairesDoubles(std::span<const JetonFormule> jetons, int i) {
        if (pile_.empty() || pile_.back().type() != TypeValeur::Double) return -1;
        const int nb = static_cast<int>(jetons.size());
        double acc = pile_.back().reel();
        int fin = -1;
        int code = 0;
        while (i + 1 < nb) {
            const double* c = ConstanteDouble(jetons[static_cast<std::size_t>(i)]);
            if (c == nullptr || !EstOperateurArithmetique(jetons[static_cast<std::size_t>(i + 1)], code)) break;
            // A stored constant that is no finite number can only come from a damaged file.
            if (!std::isfinite(*c)) LeveErreur(erreur::kDepassement);
            acc = CalculeDoubles(code, acc, *c);
            fin = i + 1;
            i += 2;
        }
        if (fin >= 0) pile_.back() = Valeur::Double(acc);
        return fin;
    }

    // Handles token i; returns the index the walk goes on after.
    int Jeton(std::span<const JetonFormule> jetons, int i, bool modeTest) {
        const JetonFormule& j = jetons[static_cast<std::size_t>(i)];
        switch (static_cast<GenreJeton>(j.genre)) {
        case GenreJeton::Operateur: Operateur(OctetDe(j)); break;
        case GenreJeton::VariableSysteme: pile_.push_back(VarSystemeValeur(ChaineDe(j), services_)); break;
        case GenreJeton::Fonction: return Fonction(jetons, i, OctetDe(j));
        case GenreJeton::Constante:
            if (const auto* d = std::get_if<double>(&j.valeur)) {
                // A stored constant that is no finite number can only come from a damaged file.
                if (!std::isfinite(*d)) LeveErreur(erreur::kDepassement);
                pile_.push_back(Valeur::Double(*d));
            }
            else if (const auto* s = std::get_if<std::string>(&j.valeur)) pile_.push_back(Valeur::Chaine(*s));
            else pile_.push_back(Valeur::Entier(std::get<std::uint8_t>(j.valeur)));
            break;
        case GenreJeton::VariableNombre:
        case GenreJeton::VariableChaine: pile_.push_back(services_.variables.VarValeur(ChaineDe(j))); break;
        case GenreJeton::ReferenceObjet: {
            const std::string& packed = ChaineDe(j);
            pile_.push_back(VarSceneValeur(packed, services_));
            if (modeTest) pile_.front() = Valeur::Booleen(expr_.ExpressionReferenceEstElleActive(packed));
            break;
        }
        default: break;
        }
        return i;
    }

    void Operateur(int code) {
        if (code == static_cast<int>(CodeOperateur::Separateur)) return;
        if (pile_.size() < 2) LeveErreur(erreur::kAppelInvalide);
        const std::size_t n = pile_.size();
        if (!DoublesEnPlace(code, pile_[n - 2], pile_[n - 1])) {
            pile_[n - 2] = AppliqueOperateur(code, pile_[n - 2], pile_[n - 1]);
        }
        pile_.pop_back();
    }

    int Fonction(std::span<const JetonFormule> jetons, int i, int code) {
        switch (code) {
        case kFonctionMoinsUnaire:
            if (pile_.empty()) LeveErreur(erreur::kAppelInvalide);
            if (Valeur& v = pile_.back(); v.type() == TypeValeur::Double && std::isfinite(v.reel())) {
                v = Valeur::Double(-v.reel());  // Negation's rule for a finite Double, without the call
            } else {
                v = Negation(v);
            }
            return i;
        case kFonctionPlusUnaire:
        case kFonctionSinon: return i;
        case kFonctionSi: {
            if (pile_.empty()) return i;
            const bool vrai = ConditionVraie(pile_.back());
            pile_.pop_back();
            if (!vrai) {
                const int alors = AlorsAssocie(jetons, i);
                if (alors >= 0) return alors;
            }
            return i;
        }
        case kFonctionAlors: {
            const int sinon = SinonAssocie(jetons, i);
            return sinon >= 0 ? sinon : i;
        }
        default: break;
        }
        if (code < 1 || code > kNombreFonctions) return i;
        int n = static_cast<int>(pile_.size());
        const bool fait = EvalueFonctionValeur(code, pile_, n, services_) ||
                          (services_.actions != nullptr && services_.actions->EvalueFonctionAction(code, pile_, n));
        if (fait) {
            // The function set the new count; the vector follows it.
            if (n < 0) n = 0;
            if (static_cast<std::size_t>(n) < pile_.size()) pile_.resize(static_cast<std::size_t>(n));
        }
        return i;
    }

    ExpressionClasse& expr_;
    const ServicesFormule& services_;
    PileEmpruntee pileEmpruntee_;
    PileValeurs& pile_ = *pileEmpruntee_;
};

}  // namespace

int AlorsAssocie(std::span<const JetonFormule> jetons, int i) {
    int premier = -1;
    int profondeur = 0;
    for (int k = i + 1; k < static_cast<int>(jetons.size()); ++k) {
        const int code = CodeFonction(jetons[static_cast<std::size_t>(k)]);
        if (code == kFonctionSi) {
            ++profondeur;
        } else if (code == kFonctionAlors) {
            if (premier < 0) premier = k;
            if (profondeur == 0) return k;
            --profondeur;
        }
    }
    // Unbalanced words (a SI without its ALORS): the first ALORS, if any.
    return premier;
}

int SinonAssocie(std::span<const JetonFormule> jetons, int i) {
    int premier = -1;
    int premierFermant = -1;
    int profondeur = 0;
    for (int k = i + 1; k < static_cast<int>(jetons.size()); ++k) {
        const int code = CodeFonction(jetons[static_cast<std::size_t>(k)]);
        if (code == kFonctionSi) {
            ++profondeur;
        } else if (code == kFonctionSinon) {
            if (profondeur == 0) return k;
            if (premier < 0) premier = k;
            --profondeur;
            if (profondeur == 0 && premierFermant < 0) premierFermant = k;
        }
    }
    // A conditional without SINON nested in the else branch leaves the
    // count open: the SINON that closed the nesting ends the branch.
    return premierFermant >= 0 ? premierFermant : premier;
}

Valeur ExpressionClasse::Evalue(const ServicesFormule& services) {
    const bool modeTest = pageProprietaire_ > 0;
    Valeur resultat;
    try {
        Evaluation evaluation(*this, services);
        resultat = evaluation.Execute(modeTest);
    } catch (const std::exception&) {
        // Any run-time error inside a formula makes its value Null.
        resultat = Valeur::Nul();
    }
    if (modeTest) pageProprietaire_ = 0;
    return resultat;
}

}  // namespace korv::formula
