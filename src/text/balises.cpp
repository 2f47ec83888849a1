#include "text/balises.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace korv::text {

namespace {

bool EstLettre(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char Majuscule(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

Position Longueur(std::string_view t) { return static_cast<Position>(t.size()); }

}  // namespace

Position InStr(Position debut, std::string_view texte, std::string_view cherche) {
    if (debut < 1) debut = 1;
    if (debut > Longueur(texte) + 1) return 0;
    const auto p = texte.find(cherche, static_cast<std::size_t>(debut - 1));
    return p == std::string_view::npos ? 0 : static_cast<Position>(p) + 1;
}

Position RInstr(Position debut, std::string_view texte, std::string_view cherche) {
    if (debut < 1 || texte.empty()) return 0;
    if (debut > Longueur(texte)) debut = Longueur(texte);
    const auto p = texte.rfind(cherche, static_cast<std::size_t>(debut - 1));
    return p == std::string_view::npos ? 0 : static_cast<Position>(p) + 1;
}

std::string_view Mid(std::string_view texte, Position debut, Position longueur) {
    if (debut < 1 || debut > Longueur(texte) || longueur <= 0) return {};
    return texte.substr(static_cast<std::size_t>(debut - 1), static_cast<std::size_t>(longueur));
}

Position TextePrepareNCarSequenceSuivante(std::string_view texte, Position& position) {
    const Position n = Longueur(texte);
    if (position > n) position = n + 1;
    if (position < 1) position = 1;
    if (position > n) return n;  // nothing left: an empty sequence
    if (texte[static_cast<std::size_t>(position - 1)] != '<') {
        const Position suivant = InStr(position + 1, texte, "<");
        return suivant == 0 ? n : suivant - 1;
    }
    const Position fermeture = InStr(position + 1, texte, ">");
    if (fermeture == 0) return 0;
    const Position ouverture = InStr(position + 1, texte, "<");
    if (ouverture == 0 || ouverture > fermeture) return fermeture;
    int profondeur = 0;
    for (Position i = position; i <= n; ++i) {
        const char c = texte[static_cast<std::size_t>(i - 1)];
        if (c == '<') ++profondeur;
        if (c == '>' && --profondeur == 0) return i;
    }
    return 0;
}

std::string_view TextePrepareSequenceSuivante(std::string_view texte, Position& position) {
    const Position fin = TextePrepareNCarSequenceSuivante(texte, position);
    if (fin == 0) return {};
    return Mid(texte, position, fin - position + 1);
}

bool EstBalise(std::string_view s) { return s.size() > 2 && s.front() == '<' && s.back() == '>'; }

std::string_view TexteCodeSequence(std::string_view sequence) {
    if (sequence.empty() || sequence.front() != '<') return {};
    std::size_t fin = 1;
    while (fin < sequence.size() && EstLettre(sequence[fin])) ++fin;
    return sequence.substr(1, fin - 1);
}

std::string_view TexteArgumentSequence(std::string_view sequence) {
    if (sequence.empty() || sequence.front() != '<') return {};
    std::string_view reste = sequence.substr(1 + TexteCodeSequence(sequence).size());
    if (!reste.empty() && reste.back() == '>') reste.remove_suffix(1);
    while (!reste.empty() && reste.front() == ' ') reste.remove_prefix(1);
    while (!reste.empty() && reste.back() == ' ') reste.remove_suffix(1);
    return reste;
}

bool NomEgal(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Majuscule(a[i]) != Majuscule(b[i])) return false;
    }
    return true;
}

std::string Majuscules(std::string_view texte) {
    std::string r(texte);
    for (char& c : r) c = Majuscule(c);
    return r;
}

double Val(std::string_view t) {
    std::size_t i = 0;
    auto blancs = [&] {
        while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
    };
    blancs();
    if (i + 1 < t.size() && t[i] == '&' && Majuscule(t[i + 1]) == 'H') {
        std::uint32_t v = 0;
        for (i += 2; i < t.size(); ++i) {
            const char c = Majuscule(t[i]);
            int chiffre = -1;
            if (c >= '0' && c <= '9') chiffre = c - '0';
            if (c >= 'A' && c <= 'F') chiffre = c - 'A' + 10;
            if (chiffre < 0) break;
            v = (v << 4) | static_cast<std::uint32_t>(chiffre);
        }
        return static_cast<double>(static_cast<std::int32_t>(v));
    }
    double signe = 1.0;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) {
        if (t[i] == '-') signe = -1.0;
        ++i;
    }
    double v = 0.0;
    bool chiffres = false;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
        v = v * 10.0 + (t[i++] - '0');
        chiffres = true;
    }
    if (i < t.size() && t[i] == '.') {
        double echelle = 0.1;
        for (++i; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
            v += (t[i] - '0') * echelle;
            echelle /= 10.0;
            chiffres = true;
        }
    }
    if (!chiffres) return 0.0;
    if (i < t.size() && Majuscule(t[i]) == 'E') {
        std::size_t j = i + 1;
        int signeExp = 1;
        if (j < t.size() && (t[j] == '-' || t[j] == '+')) {
            if (t[j] == '-') signeExp = -1;
            ++j;
        }
        int e = 0;
        bool chiffresExp = false;
        while (j < t.size() && t[j] >= '0' && t[j] <= '9' && e < 400) {
            e = e * 10 + (t[j++] - '0');
            chiffresExp = true;
        }
        if (chiffresExp) v *= std::pow(10.0, signeExp * e);
    }
    return signe * v;
}

std::int32_t ValEntier(std::string_view texte) {
    const double v = std::nearbyint(Val(texte));
    if (!(v >= std::numeric_limits<std::int32_t>::min())) return std::numeric_limits<std::int32_t>::min();
    if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v);
}

std::uint8_t AlignementVerticalDepuisArgument(std::string_view argument, std::uint8_t courant) {
    if (argument == "1") return 2;
    if (argument == "2") return 0;
    if (argument == "3") return 1;
    return courant;
}

void TexteAppliqueFormatagePrecedent(std::string_view texte, Position position, FormatageTexte& f) {
    auto argument = [&](std::string_view nom, std::string_view& arg) {
        const std::string marque = "<" + std::string(nom);
        Position p = RInstr(position, texte, marque);
        if (p == 0) return false;
        arg = TexteArgumentSequence(TextePrepareSequenceSuivante(texte, p));
        return true;
    };
    std::string_view a;
    if (argument("Relief", a)) f.relief = static_cast<std::uint8_t>(ValEntier(a) & 0xFF);
    if (argument("Police", a)) f.police = Majuscules(a);
    if (argument("Italique", a)) f.italique = Val(a) != 0.0;
    if (argument("Taille", a)) f.taille = static_cast<std::int16_t>(std::clamp(ValEntier(a), -32768, 32767));
    if (argument("Gras", a)) f.gras = Val(a) != 0.0;
    if (argument("Souligne", a)) f.souligne = Val(a) != 0.0;
    if (argument("Couleur", a)) f.couleur = ValEntier(a);
    if (argument("Indice", a)) f.indice = Val(a) != 0.0;
    if (argument("Exposant", a)) f.exposant = Val(a) != 0.0;
    if (argument("VerticalAligne", a)) f.alignementV = AlignementVerticalDepuisArgument(a, f.alignementV);
    static constexpr std::array<std::pair<std::string_view, std::uint8_t>, 4> kAlignements{{
        {"<HorizontalAligneGauche>", 0},
        {"<HorizontalAligneCentre>", 1},
        {"<HorizontalAligneDroite>", 2},
        {"<HorizontalAligneJustifie>", 3},
    }};
    Position meilleure = 0;
    for (const auto& [marque, code] : kAlignements) {
        const Position p = RInstr(position, texte, marque);
        if (p > meilleure) {
            meilleure = p;
            f.alignementH = code;
        }
    }
}

std::string TexteParametresAffichageCode(std::int32_t largeur) { return "<Zone" + std::to_string(largeur) + ">"; }

}  // namespace korv::text
