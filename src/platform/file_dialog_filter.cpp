#include "platform/file_dialog_filter.h"

#include <cstdint>

namespace korv::platform {

namespace {

std::string_view Rogne(std::string_view s) {
    const auto debut = s.find_first_not_of(" \t");
    if (debut == std::string_view::npos) return {};
    const auto fin = s.find_last_not_of(" \t");
    return s.substr(debut, fin - debut + 1);
}

std::vector<std::string_view> Decoupe(std::string_view s, char separateur) {
    std::vector<std::string_view> morceaux;
    std::size_t debut = 0;
    for (;;) {
        const auto pos = s.find(separateur, debut);
        if (pos == std::string_view::npos) {
            morceaux.push_back(s.substr(debut));
            return morceaux;
        }
        morceaux.push_back(s.substr(debut, pos - debut));
        debut = pos + 1;
    }
}

std::vector<std::string> Motifs(std::string_view liste) {
    std::vector<std::string> motifs;
    for (std::string_view m : Decoupe(liste, ';')) {
        m = Rogne(m);
        if (m.empty()) continue;
        motifs.emplace_back(m == "*.*" ? std::string_view("*") : m);
    }
    if (motifs.empty()) motifs.emplace_back("*");
    return motifs;
}

// Characters Qt reads in the pattern part of a name filter, besides letters
// and digits. Space, parentheses, comma and non-ASCII bytes are not among
// them: they would make Qt take the whole entry as one pattern.
bool CaractereMotifAdmis(char c) {
    constexpr std::string_view admis = "_.*?+;#-@{}/!<>$%&=^~:";
    return (c >= '0' && c <= '9') || admis.find(c) != std::string_view::npos;
}

}  // namespace

std::vector<FiltreFichier> AnalyseFiltre(std::string_view filtre) {
    std::vector<FiltreFichier> filtres;
    if (Rogne(filtre).empty()) return filtres;
    const auto morceaux = Decoupe(filtre, '|');
    for (std::size_t i = 0; i < morceaux.size(); i += 2) {
        const std::string_view libelle = Rogne(morceaux[i]);
        const std::string_view liste = i + 1 < morceaux.size() ? Rogne(morceaux[i + 1]) : std::string_view{};
        if (libelle.empty() && liste.empty()) continue;  // "||" or a final "|"
        FiltreFichier f;
        f.motifs = Motifs(liste);
        f.libelle = libelle.empty() ? std::string(liste) : std::string(libelle);
        filtres.push_back(std::move(f));
    }
    return filtres;
}

std::string MotifSansCasse(std::string_view motif) {
    std::string sortie;
    sortie.reserve(motif.size() * 4);
    for (char c : motif) {
        if (c >= 'a' && c <= 'z') {
            sortie += '[';
            sortie += c;
            sortie += static_cast<char>(c - 'a' + 'A');
            sortie += ']';
        } else if (c >= 'A' && c <= 'Z') {
            sortie += '[';
            sortie += static_cast<char>(c - 'A' + 'a');
            sortie += c;
            sortie += ']';
        } else if (c == '[') {
            sortie += "[[]";  // Windows patterns have no classes: literal brackets
        } else if (c == ']') {
            sortie += "[]]";
        } else {
            sortie += CaractereMotifAdmis(c) ? c : '?';
        }
    }
    return sortie;
}

std::string ExtensionDuFiltre(const FiltreFichier& filtre) {
    if (filtre.motifs.empty()) return {};
    const std::string& m = filtre.motifs.front();
    if (m.size() < 3 || m.compare(0, 2, "*.") != 0) return {};
    const std::string extension = m.substr(2);
    if (extension.find_first_of("*?[]. ") != std::string::npos) return {};
    return extension;
}

std::vector<std::string> FiltresQt(std::string_view filtre) {
    std::vector<std::string> sortie;
    for (const FiltreFichier& f : AnalyseFiltre(filtre)) {
        std::string entree;
        // Line breaks in a label would keep Qt from finding the pattern part.
        for (char c : f.libelle) entree += static_cast<std::uint8_t>(c) < 0x20 ? ' ' : c;
        entree += " (";
        for (std::size_t i = 0; i < f.motifs.size(); ++i) {
            if (i > 0) entree += ' ';
            entree += MotifSansCasse(f.motifs[i]);
        }
        entree += ')';
        sortie.push_back(std::move(entree));
    }
    return sortie;
}

std::size_t PositionFiltre(std::int32_t indexFiltre, std::size_t nombre) noexcept {
    if (indexFiltre < 1 || static_cast<std::size_t>(indexFiltre) > nombre) return 0;
    return static_cast<std::size_t>(indexFiltre) - 1;
}

}  // namespace korv::platform
