#include "engine/fichier_nom.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>
#include <vector>

#include "engine/texte_casse.h"
#include "platform/path_resolver.h"

namespace korv::engine {

namespace {

constexpr std::string_view kSeparateurs = "\\/";

bool EstSeparateur(char c) { return c == '\\' || c == '/'; }
bool EstChiffre(char c) { return c >= '0' && c <= '9'; }
bool EstLettreAscii(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The separator the text already uses, else "\".
char SeparateurDe(std::string_view texte) {
    const auto pos = texte.find_last_of(kSeparateurs);
    return pos == std::string_view::npos ? '\\' : texte[pos];
}

// Start of the last component: after the last separator, or after a
// leading drive "X:" when there is none.
std::size_t DebutDernierComposant(std::string_view nom) {
    const auto pos = nom.find_last_of(kSeparateurs);
    if (pos != std::string_view::npos) return pos + 1;
    if (nom.size() >= 2 && nom[1] == ':') return 2;
    return 0;
}

// Position of the extension dot within the whole name, npos when none.
std::size_t PointExtension(std::string_view nom) {
    return nom.find('.', DebutDernierComposant(nom));
}

// "X" or "X:" with X a letter: a drive rather than a folder name.
bool EstLecteurSeul(std::string_view p) {
    return (p.size() == 1 && EstLettreAscii(p[0])) ||
           (p.size() == 2 && EstLettreAscii(p[0]) && p[1] == ':');
}

std::string SansSeparateurFinal(std::string texte) {
    if (!texte.empty() && EstSeparateur(texte.back())) texte.pop_back();
    return texte;
}

// Removes "." components and resolves ".." against the folder before it.
// Linear in the length of the name, whatever the name holds.
std::string ResoutPointPoint(const std::string& r) {
    std::size_t finPrefixe = 0;
    if (r.size() >= 2 && EstLettreAscii(r[0]) && r[1] == ':') finPrefixe = 2;
    while (finPrefixe < r.size() && EstSeparateur(r[finPrefixe])) ++finPrefixe;
    const std::string_view prefixe = std::string_view(r).substr(0, finPrefixe);
    const bool enracine = !prefixe.empty() && EstSeparateur(prefixe.back());

    std::vector<std::string_view> composants;
    bool aNettoyer = false;
    std::size_t i = finPrefixe;
    while (i < r.size()) {
        std::size_t j = i;
        while (j < r.size() && !EstSeparateur(r[j])) ++j;
        const std::string_view c = std::string_view(r).substr(i, j - i);
        if (c == "." || c == "..") aNettoyer = true;
        composants.push_back(c);
        i = j;
        while (i < r.size() && EstSeparateur(r[i])) ++i;
    }
    if (!aNettoyer) return r;

    // A name ending with a separator, "." or ".." names a folder and keeps
    // its final separator.
    const bool finDossier = EstSeparateur(r.back()) || composants.back() == "." || composants.back() == "..";
    std::vector<std::string_view> pile;
    for (const std::string_view c : composants) {
        if (c == ".") continue;
        if (c == "..") {
            if (!pile.empty() && pile.back() != "..") {
                pile.pop_back();
            } else if (!enracine) {
                pile.push_back(c);
            }
            continue;
        }
        pile.push_back(c);
    }
    // The first separator is the base folder's: it sets the style.
    const auto premier = r.find_first_of(kSeparateurs);
    const char sep = premier == std::string::npos ? '\\' : r[premier];
    std::string resultat(prefixe);
    for (std::size_t k = 0; k < pile.size(); ++k) {
        if (k > 0) resultat += sep;
        resultat += pile[k];
    }
    if (finDossier && !pile.empty()) resultat += sep;
    return resultat;
}

// Drive shift asked by the first component of a relative name.
struct MarqueLecteur {
    bool present = false;
    std::int32_t decalage = 0;
};

MarqueLecteur LitMarqueLecteur(std::string_view nomRelatif) {
    const auto fin = nomRelatif.find_first_of(kSeparateurs);
    const std::string_view c = nomRelatif.substr(0, fin);
    if (c.size() < 2 || (c[0] != '+' && c[0] != '-')) return {};
    std::int32_t n = 0;
    for (const char ch : c.substr(1)) {
        if (!EstChiffre(ch)) return {};
        n = std::min(n * 10 + (ch - '0'), 1000);  // anything past Z is Z
    }
    return {true, c[0] == '-' ? -n : n};
}

bool ExisteNumero(std::string_view nom, std::int32_t numero) {
    return FileExist(FichierNumeroNom(nom, numero));
}

}  // namespace

bool FileExist(std::string_view nom) { return platform::FichierExiste(nom); }

bool RepertoireExiste(std::string_view chemin) {
    if (chemin.empty()) return false;
    const std::string p = SansSeparateurFinal(MajusculeCp1252(chemin));
    if (p.empty()) return platform::RepertoireExiste(chemin);  // the root
    if (EstLecteurSeul(p)) return VBAPIGetDriveType(p[0] - 'A') != TypeLecteur::Indetermine;
    return platform::RepertoireExiste(p);
}

TypeLecteur VBAPIGetDriveType(std::int32_t lecteur) {
    return lecteur == 'C' - 'A' ? TypeLecteur::Fixe : TypeLecteur::Indetermine;
}

std::string GetWindowsDirectory() { return {}; }

std::string FichierNomExtension(std::string_view nom) {
    const auto pos = PointExtension(nom);
    if (pos == std::string_view::npos) return {};
    return MajusculeCp1252(nom.substr(pos + 1));
}

std::string FichierNomSansExtension(std::string_view nom) {
    const auto pos = PointExtension(nom);
    if (pos == std::string_view::npos || pos == DebutDernierComposant(nom)) return std::string(nom);
    return std::string(nom.substr(0, pos));
}

std::string FichierNomAjouteExtension(std::string_view nom, std::string_view extension) {
    const auto pos = PointExtension(nom);
    std::string r = pos == std::string_view::npos ? std::string(nom) + '.'
                                                  : std::string(nom.substr(0, pos + 1));
    return r + MajusculeCp1252(extension);
}

std::string ExtraitNomChemin(std::string_view chemin) {
    const auto pos = chemin.find_last_of(kSeparateurs);
    if (pos == std::string_view::npos) return {};
    return std::string(chemin.substr(0, pos + 1));
}

std::string FichierNomChemin(std::string_view chemin) {
    if (chemin.empty()) return {};
    const char sep = SeparateurDe(chemin);
    std::string p = SansSeparateurFinal(MajusculeCp1252(chemin));
    if (p.empty()) return std::string(1, sep);  // the root folder
    if (!RepertoireExiste(p)) {
        const auto pos = p.find_last_of(kSeparateurs);
        if (pos == std::string::npos) {
            p.clear();
        } else if (pos == 0) {
            return std::string(1, sep);  // a file at the root
        } else {
            p.resize(pos);
            if (!RepertoireExiste(p)) p.clear();
        }
    }
    if (p.empty()) return {};
    if (EstLecteurSeul(p)) p = std::string(1, p[0]) + ':';
    return p + sep;
}

std::string NomFichierSeul(std::string_view chemin) {
    const std::size_t debut = DebutDernierComposant(chemin);
    if (debut < chemin.size() && RepertoireExiste(chemin)) return {};
    return std::string(chemin.substr(debut));
}

std::string NomFichierAbsolu(std::string_view nom, std::string_view base) {
    if (nom.empty()) return {};
    std::string r = MajusculeCp1252(nom);
    const bool relatif = r.find(':') == std::string::npos && !EstSeparateur(r.front());
    MarqueLecteur marque;
    if (relatif) {
        marque = LitMarqueLecteur(r);
        const std::string b = MajusculeCp1252(base);
        if (marque.present && marque.decalage == 0) r.clear();  // "+0": no file of its own
        if (!b.empty()) {
            const std::string jonction = EstSeparateur(b.back()) ? "" : std::string(1, SeparateurDe(b));
            r = b + jonction + r;
        }
    }
    r = ResoutPointPoint(r);
    if (marque.present && marque.decalage != 0 && r.size() >= 2 && EstLettreAscii(r[0]) && r[1] == ':') {
        const std::int32_t lettre = std::clamp<std::int32_t>(r[0] - 'A' + marque.decalage, 0, 25);
        r[0] = static_cast<char>('A' + lettre);
    }
    return r;
}

std::int32_t FichierNCarDebutNumero(std::string_view nom) {
    const std::size_t n = nom.size();
    const std::size_t limite = n >= 3 ? n - 3 : 0;
    for (std::size_t i = n; i > limite; --i) {
        if (!EstChiffre(nom[i - 1])) return static_cast<std::int32_t>(i);
    }
    return static_cast<std::int32_t>(limite);
}

bool FichierSeTermineParNumero(std::string_view nom) {
    const std::string sans = FichierNomSansExtension(nom);
    return !sans.empty() && EstChiffre(sans.back());
}

std::int32_t FichierNumero(std::string_view nom) {
    const std::string sans = FichierNomSansExtension(nom);
    std::int32_t valeur = 0;
    for (std::size_t i = static_cast<std::size_t>(FichierNCarDebutNumero(sans)); i < sans.size(); ++i) {
        valeur = valeur * 10 + (sans[i] - '0');
    }
    return valeur;
}

std::string FichierNumeroNom(std::string_view nom, std::int32_t numero) {
    if (!FichierSeTermineParNumero(nom)) return std::string(nom);
    const std::string sans = FichierNomSansExtension(nom);
    const auto debut = static_cast<std::size_t>(FichierNCarDebutNumero(sans));
    const std::size_t largeur = sans.size() - debut;

    std::string chiffres = std::to_string(numero < 0 ? -static_cast<std::int64_t>(numero) : numero);
    if (chiffres.size() < largeur) chiffres.insert(0, largeur - chiffres.size(), '0');
    if (numero < 0) chiffres.insert(0, 1, '-');
    return sans.substr(0, debut) + chiffres + std::string(nom.substr(sans.size()));
}

std::string NomFichierSuivant(std::string_view nom) {
    return FichierNumeroNom(nom, FichierNumero(nom) + 1);
}

std::string NomFichierPremier(std::string_view nom) {
    if (!FichierSeTermineParNumero(nom)) return FileExist(nom) ? std::string(nom) : std::string();
    std::int32_t n = FichierNumero(nom);
    while (n > 0 && ExisteNumero(nom, n - 1)) --n;
    return ExisteNumero(nom, n) ? FichierNumeroNom(nom, n) : std::string();
}

std::string RenvoiNomFichierTemporaire(std::string_view prefixe, std::string_view dossier) {
    if (prefixe.find_first_of(std::string_view("\\/:\0", 4)) != std::string_view::npos) return {};
    if (dossier.empty() || !RepertoireExiste(dossier)) return {};
    const std::string debutNom = MajusculeCp1252(prefixe.substr(0, 3));
    const std::string dossierNom =
        EstSeparateur(dossier.back()) ? std::string(dossier) : std::string(dossier) + SeparateurDe(dossier);

    // Start from a random number as the system does from the clock, and try
    // every one of the 65535 names once.
    std::random_device hasard;
    const std::uint32_t depart = hasard() % 0xFFFFu;
    for (std::uint32_t k = 0; k < 0xFFFFu; ++k) {
        const std::uint32_t numero = (depart + k) % 0xFFFFu + 1;
        char hex[5];
        std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(numero));
        const std::string nom = dossierNom + debutNom + hex + ".TMP";
        const auto chemin = platform::ResoudreChemin(nom);
        if (!chemin) return {};
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::symlink_status(*chemin, ec))) continue;
        // Exclusive creation reserves the name against other programs.
        std::FILE* f = std::fopen(chemin->c_str(), "wx");
        if (f == nullptr) {
            if (errno == EEXIST) continue;
            return {};
        }
        std::fclose(f);
        std::filesystem::remove(*chemin, ec);
        return nom;
    }
    return {};
}

}  // namespace korv::engine
