#include "formula/compilateur.h"

#include <array>

#include "formula/code_var_scene.h"
#include "formula/expression.h"
#include "formula/nombres.h"
#include "formula/services.h"
#include "formula/valeur.h"
#include "formula/variables.h"

namespace korv::formula {

namespace {

constexpr std::array<std::string_view, 16> kOperateurs{
    "", "+", "-", "/", "*", ">", "<", "=", ">=", "<=", "<>", "OU", "ET", "^", "&", ";"};

constexpr std::array<std::string_view, kNombreFonctions + 1> kFonctions{
    "",
    "ENT", "COS", "SIN", "NON", "LONGUEUR", "\xA7", "\xA4", "ALORS", "SINON", "SI",
    "MOIS", "ESTNUL", "DATEADDMOIS", "NPER", "IPMT", "PMT", "PPMT", "RATE", "POS", "DATEDIFMOIS",
    "EMPECHEANCE", "EMPINTERET", "EMPCAPITAL", "CASECHANGEVARIABLE", "AMORT", "CLOTUREDATESAISIE",
    "REVELERLIGNE", "CACHERLIGNE", "SOMMESI", "TRI",
    "RECALCULPAGE", "QUESTION", "EFFACERECHEANCESANTERIEURES", "ZONECASECHANGEVARIABLE", "CLOTUREDATECOULEUR",
    "DATEPREMIERDUMOIS", "RECALCULOBJET", "DATEVERSCHAINE", "TEXTERECHERCHEPAGE", "COPIER",
    "COLLER", "MEMORISEPLIAGE", "REMEMOREPLIAGE", "IMPRIMEPREPAREDEBUT", "IMPRIMEPREPAREFIN", "IMPRIMEOBJET",
    "IMPRIMEENTETE", "IMPRIMEPIEDDEPAGE", "IMPRIMESAUTEPAGE", "IMPRIMEMARGES",
    "EXPORTEDEBUT", "EXPORTEOBJET", "EXPORTEFIN", "IMPRIMEOPTION", "ZONEESTELLESAISIE", "ZONEIMPRIMABLE",
    "ZONENONIMPRIMABLE", "ZONEBORD", "ZONEFOND", "ZONEFORMAT",
    "IMPRIMETITRE", "ZONEIMPRIMABLESISAISIE", "EXPORTEIMPRIMEPAGE", "STATVERSCHAINE", "TEXTEESTILVIDE",
    "CHAPITREESTILVIDE", "AJOUTENUMEROPAGE", "PAGECHARGE", "PAGESAUVE", "ZONEESTELLEVIDE",
    "CONVTX", "CONVCHANGE", "SAISIEOUCALCULFIXE", "CONVUSERTAUX", "CONVINIT", "CONVNOM", "CONVFIN",
    "CONVUSERNOM", "CADREZONEMETTRE", "CADREZONEENLEVER",
    "MAJSOMMAIRE", "CHANGEVUPASVU", "ZONECHANGEFOND", "IMPRIMECOLONNELARGEURMINIMALE", "ZONEFUSIONMETTRE",
    "ZONEFUSIONENLEVER", "ZONEFUSIONCHANGER", "CADREZONECHANGER", "DATEMOIS", "ZONEGRISEAUTO"};

// Operators in the order the compiler separates them.
constexpr std::array<std::string_view, 15> kOrdreSeparation{
    ">=", "<=", "<>", ">", "<", "=", "+", "&", ";", "-", "*", "/", "^", "\xA7", "\xA4"};

// Deeper nesting than this is refused rather than risk the stack.
constexpr int kProfondeurMax = 200;

bool EstBlanc(char c) { return c == ' '; }

bool EstDoubleComparaison(char a, char b) {
    return (a == '>' && b == '=') || (a == '<' && b == '>') || (a == '<' && b == '=');
}

}  // namespace

int ProgOperNum(std::string_view mot) {
    for (std::size_t i = 1; i < kOperateurs.size(); ++i) {
        if (kOperateurs[i] == mot) return static_cast<int>(i);
    }
    return 0;
}

std::uint8_t ProgFoncNum(std::string_view mot) {
    for (std::size_t i = 1; i < kFonctions.size(); ++i) {
        if (kFonctions[i] == mot) return static_cast<std::uint8_t>(i);
    }
    return 0;
}

std::string_view MotFonction(int code) {
    return code >= 1 && code <= kNombreFonctions ? kFonctions[static_cast<std::size_t>(code)] : std::string_view{};
}

std::string_view TexteOperateur(int code) {
    return code >= 1 && code <= 15 ? kOperateurs[static_cast<std::size_t>(code)] : std::string_view{};
}

std::string ExprAjouteSeparateurDans(std::string_view texte, std::string_view operateur) {
    // One pass: what precedes an occurrence is already rewritten (as the
    // repeated search-and-rewrite would leave it), what follows is not yet.
    const bool signe = operateur == "-" || operateur == "+";
    const bool comparaison = operateur == ">" || operateur == "<" || operateur == "=";
    std::string r;
    r.reserve(texte.size() + 8);
    bool guillemet = false;
    std::size_t k = 0;
    while (k < texte.size()) {
        const char c = texte[k];
        if (c == '\'') {
            guillemet = !guillemet;
            r.push_back(c);
            ++k;
            continue;
        }
        if (guillemet || texte.compare(k, operateur.size(), operateur) != 0) {
            r.push_back(c);
            ++k;
            continue;
        }
        bool passe = false;
        if (signe && !r.empty() && (r.back() == 'E' || r.back() == 'e')) passe = true;
        if (comparaison) {
            if (k + 1 < texte.size() && EstDoubleComparaison(c, texte[k + 1])) passe = true;
            if (!r.empty() && EstDoubleComparaison(r.back(), c)) passe = true;
        }
        if (passe) {
            r.push_back(c);
            ++k;
            continue;
        }
        while (!r.empty() && EstBlanc(r.back())) r.pop_back();
        r.push_back(' ');
        r.append(operateur);
        r.push_back(' ');
        k += operateur.size();
        while (k < texte.size() && EstBlanc(texte[k])) ++k;
    }
    return r;
}

std::string ExprRemplaceHorsChaines(std::string_view texte, std::string_view cherche, std::string_view remplace) {
    std::string r;
    r.reserve(texte.size());
    bool guillemet = false;
    std::size_t k = 0;
    while (k < texte.size()) {
        if (texte[k] == '\'') guillemet = !guillemet;
        if (!guillemet && !cherche.empty() && texte.compare(k, cherche.size(), cherche) == 0) {
            r.append(remplace);
            k += cherche.size();
        } else {
            r.push_back(texte[k]);
            ++k;
        }
    }
    return r;
}

std::string ProgExprMorceauSuivant(std::string_view texte, std::size_t position) {
    if (position < 1 || position > texte.size()) return {};
    std::size_t k = position - 1;
    while (k < texte.size() && EstBlanc(texte[k])) ++k;
    bool guillemet = false;
    for (; k < texte.size(); ++k) {
        if (texte[k] == '\'') guillemet = !guillemet;
        else if (!guillemet && EstBlanc(texte[k])) break;
    }
    return std::string(texte.substr(position - 1, k - (position - 1)));
}

int ChaineFinNCar(std::string_view texte, int position) {
    if (position < 1) position = 1;
    const auto debut = texte.find('\'', static_cast<std::size_t>(position - 1));
    if (debut == std::string_view::npos) return 0;
    bool guillemet = false;
    for (std::size_t k = debut; k < texte.size(); ++k) {
        if (texte[k] == '\'') guillemet = !guillemet;
        else if (!guillemet && EstBlanc(texte[k])) return static_cast<int>(k) + 1;
    }
    return static_cast<int>(texte.size());
}

std::string JetonEnTexte(const JetonFormule& jeton) {
    if (const auto* b = std::get_if<std::uint8_t>(&jeton.valeur)) {
        if (jeton.genre == static_cast<std::uint8_t>(GenreJeton::Operateur)) return std::string(TexteOperateur(*b));
        if (jeton.genre == static_cast<std::uint8_t>(GenreJeton::Fonction)) return std::string(MotFonction(*b));
        return std::to_string(*b);
    }
    if (const auto* d = std::get_if<double>(&jeton.valeur)) return FormatNombre(*d);
    const auto& s = std::get<std::string>(jeton.valeur);
    if (jeton.genre != static_cast<std::uint8_t>(GenreJeton::ReferenceObjet)) return s;
    std::string r = "@";
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (i > 0) r += ',';
        r += std::to_string(static_cast<unsigned char>(s[i]));
    }
    return r;
}

// The compilation of one text into an ExpressionClasse.
class Compilateur {
public:
    Compilateur(ExpressionClasse& expr, const ServicesFormule& services) : expr_(expr), services_(services) {}

    bool Compile(std::string& texte) {
        std::size_t position = 0;
        return CodeMorceau(texte, position, 0);
    }

private:
    struct Attente {
        std::uint8_t operateur = 0;
        std::uint8_t fonction = 0;
        // A sign written where an operand is expected (after an operator, a
        // ";" or a function word): it waits for its operand or call.
        std::uint8_t signe = 0;
        // The waiting sign was written before the pending function: it
        // applies to the function's value.
        bool signeSurFonction = false;
        // The last word stored was an operator or a function word.
        bool operandeAttendu = false;
        // The last word stored was a function or sign word, so the
        // parentheses that follow hold its arguments.
        bool appel = false;
    };

    static bool EstSigne(std::uint8_t f) { return f == kFonctionMoinsUnaire || f == kFonctionPlusUnaire; }

    // One parenthesis level after `position` (0-based index of the "(" that
    // opened it, or 0 for the whole text counted as position 0 before the
    // first character). On return `position` is the 1-based position of the
    // closing ")" or past the end.
    bool CodeMorceau(std::string& texte, std::size_t& position, int profondeur) {
        if (profondeur > kProfondeurMax) return false;
        SigneInitial(texte, position, '-', kCarMoinsUnaire);
        SigneInitial(texte, position, '+', kCarPlusUnaire);

        Attente attente;
        bool guillemet = false;
        bool ok = true;
        std::size_t debut = 0;  // 1-based; 0 = not set
        for (;;) {
            ++position;
            if (position > texte.size()) break;
            if (debut == 0) debut = position;
            const char c = texte[position - 1];
            if (c == '\'') {
                guillemet = !guillemet;
                continue;
            }
            if (guillemet) continue;
            if (c == ')') break;
            if (c != '(') continue;
            ok = StockerMorceau(Morceau(texte, debut, position), attente) && ok;
            ok = CodeMorceau(texte, position, profondeur + 1) && ok;
            FinGroupe(attente);
            debut = position + 1;
        }
        ok = StockerMorceau(Morceau(texte, debut, position), attente) && ok;
        if (attente.fonction != 0) ExprJetonAjoute(9, {}, attente);
        EmetSigne(attente);
        if (attente.operateur != 0) ExprJetonAjoute(8, {}, attente);
        return ok;
    }

    // A parenthesised group has been compiled. When it holds a call's
    // arguments the function applies to them at once, not to what follows
    // the ")" ("F(a)-1" is F(a) minus 1); a sign waiting before the call or
    // the group then applies to its value.
    void FinGroupe(Attente& attente) {
        if (attente.appel) ExprJetonAjoute(9, {}, attente);
        if (!attente.signeSurFonction) EmetSigne(attente);
        attente.appel = false;
        attente.operandeAttendu = false;
    }

    void EmetSigne(Attente& attente) {
        if (attente.signe == 0) return;
        Ajoute(3, attente.signe);
        attente.signe = 0;
        attente.signeSurFonction = false;
    }

    // Two signs in a row make one.
    static std::uint8_t Combine(std::uint8_t attendu, std::uint8_t signe) {
        if (attendu == 0) return signe;
        return attendu == signe ? kFonctionPlusUnaire : kFonctionMoinsUnaire;
    }

    // A level that begins with a sign: the sign becomes the unary function.
    static void SigneInitial(std::string& texte, std::size_t position, char signe, char unaire) {
        std::size_t k = position;
        while (k < texte.size() && EstBlanc(texte[k])) ++k;
        if (k < texte.size() && texte[k] == signe) texte[k] = unaire;
    }

    // Characters debut .. fin-1 (1-based).
    static std::string Morceau(const std::string& texte, std::size_t debut, std::size_t fin) {
        if (debut == 0 || fin <= debut || debut > texte.size()) return {};
        return texte.substr(debut - 1, std::min(fin, texte.size() + 1) - debut);
    }

    bool StockerMorceau(const std::string& morceauBrut, Attente& attente) {
        std::string morceau = ExprRemplaceHorsChaines(morceauBrut, "(", "");
        morceau = ExprRemplaceHorsChaines(morceau, ")", "");
        for (std::string_view op : kOrdreSeparation) morceau = ExprAjouteSeparateurDans(morceau, op);
        morceau = std::string(Trim(morceau));

        std::size_t position = 1;
        while (position <= morceau.size()) {
            const std::string mot = ProgExprMorceauSuivant(morceau, position);
            position += mot.size();
            if (mot.empty()) break;
            const std::string_view brut = Trim(mot);
            const std::string m = Majuscules(brut);
            if (!Classe(brut, m, attente)) return false;
        }
        return true;
    }

    bool Classe(std::string_view brut, const std::string& m, Attente& attente) {
        const TypeMot type = services_.variables.VarQuelType(m);
        if (type != TypeMot::Aucun) {
            attente.appel = false;
            attente.operandeAttendu = false;
        }
        switch (type) {
        case TypeMot::VariableSysteme: ExprJetonAjoute(2, m, attente); return true;
        case TypeMot::VariableNombre: ExprJetonAjoute(5, m, attente); return true;
        case TypeMot::VariableChaine: ExprJetonAjoute(6, m, attente); return true;
        case TypeMot::ReferenceObjet: ExprJetonAjoute(7, std::string(brut), attente); return true;
        case TypeMot::Aucun: break;
        }
        if (const std::uint8_t f = ProgFoncNum(m); f != 0) {
            if (f == kFonctionSi) expr_.enr_.contientSi = -1;
            // A sign before a function word waits for the call's value
            // ("-ENT(x)"), instead of being applied to nothing.
            if (!EstSigne(f) && EstSigne(attente.fonction)) {
                attente.signe = Combine(attente.signe, attente.fonction);
                attente.fonction = 0;
            }
            ExprJetonAjoute(3, f, attente);
            if (attente.signe != 0) attente.signeSurFonction = true;
            attente.operandeAttendu = true;
            attente.appel = true;
            return true;
        }
        if (const int o = ProgOperNum(m); o != 0) {
            attente.appel = false;
            const auto op = static_cast<CodeOperateur>(o);
            if (attente.operandeAttendu && (op == CodeOperateur::Moins || op == CodeOperateur::Plus)) {
                // "a;-1", "2*-3": a sign, not a subtraction.
                attente.signe = Combine(attente.signe, op == CodeOperateur::Moins ? kFonctionMoinsUnaire
                                                                                   : kFonctionPlusUnaire);
                return true;
            }
            ExprJetonAjoute(1, static_cast<std::uint8_t>(o), attente);
            attente.operandeAttendu = true;
            return true;
        }
        attente.appel = false;
        attente.operandeAttendu = false;
        if (EstChaine(brut)) {
            ExprJetonAjoute(4, std::string(brut), attente);
            return true;
        }
        if (const auto n = LitNombre(brut)) {
            ExprJetonAjoute(4, *n, attente);
            return true;
        }
        return false;
    }

    void Ajoute(std::uint8_t genre, ValeurJeton valeur) { expr_.enr_.jetons.push_back({genre, std::move(valeur)}); }

    // The postfix rule: operands at once, the pending sign after its
    // operand, an operator or function when the next one replaces it.
    void ExprJetonAjoute(std::uint8_t genre, ValeurJeton valeur, Attente& attente) {
        switch (genre) {
        case 2:
        case 4:
        case 5:
        case 6:
        case 7:
            Ajoute(genre, std::move(valeur));
            if (attente.fonction == kFonctionMoinsUnaire || attente.fonction == kFonctionPlusUnaire) {
                Ajoute(3, attente.fonction);
                attente.fonction = 0;
            }
            if (!attente.signeSurFonction) EmetSigne(attente);
            break;
        case 1:
        case 8:
            if (attente.operateur != 0) {
                Ajoute(1, attente.operateur);
                attente.operateur = 0;
            }
            if (genre == 1) attente.operateur = std::get<std::uint8_t>(valeur);
            break;
        case 3:
        case 9:
            if (attente.fonction != 0) {
                Ajoute(3, attente.fonction);
                attente.fonction = 0;
                if (attente.signeSurFonction) EmetSigne(attente);
            }
            if (genre == 3) attente.fonction = std::get<std::uint8_t>(valeur);
            break;
        default: break;
        }
    }

    ExpressionClasse& expr_;
    const ServicesFormule& services_;
};

bool ExpressionClasse::Code(std::string texte, const ServicesFormule& services) {
    enr_.jetons.clear();
    enr_.contientSi = 0;
    if (Trim(texte).empty()) return false;
    Compilateur compilateur(*this, services);
    const bool ok = compilateur.Compile(texte);
    for (JetonFormule& j : enr_.jetons) {
        if (j.genre == static_cast<std::uint8_t>(GenreJeton::ReferenceObjet)) {
            j.valeur = CodeVarScene(std::get<std::string>(j.valeur), services);
        }
    }
    return ok;
}

}  // namespace korv::formula
