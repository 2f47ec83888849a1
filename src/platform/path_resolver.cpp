#include "platform/path_resolver.h"

#include "platform/cp1252.h"

#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

namespace korv::platform {

namespace fs = std::filesystem;

namespace {

// Strict UTF-8 decoding; nullopt for anything malformed (overlong forms,
// surrogates, values past U+10FFFF, cut sequences).
std::optional<std::u32string> DecodeUtf8(std::string_view octets) {
    std::u32string r;
    std::size_t i = 0;
    while (i < octets.size()) {
        const auto b0 = static_cast<std::uint8_t>(octets[i]);
        std::size_t n = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (b0 < 0x80) {
            r.push_back(b0);
            ++i;
            continue;
        } else if ((b0 & 0xE0) == 0xC0) {
            n = 1, cp = b0 & 0x1Fu, minimum = 0x80;
        } else if ((b0 & 0xF0) == 0xE0) {
            n = 2, cp = b0 & 0x0Fu, minimum = 0x800;
        } else if ((b0 & 0xF8) == 0xF0) {
            n = 3, cp = b0 & 0x07u, minimum = 0x10000;
        } else {
            return std::nullopt;
        }
        if (i + n >= octets.size()) return std::nullopt;
        for (std::size_t k = 1; k <= n; ++k) {
            const auto b = static_cast<std::uint8_t>(octets[i + k]);
            if ((b & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (b & 0x3Fu);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
        r.push_back(cp);
        i += n + 1;
    }
    return r;
}

// A name found on disk in Windows-1252: UTF-8 names converted, names in
// another encoding (files copied raw from Windows media) taken as they are.
// nullopt for a name with characters the code page lacks: no program name
// can match it.
std::optional<std::string> NomDisqueCp1252(const std::string& natif) {
    const auto points = DecodeUtf8(natif);
    if (!points) return natif;
    std::string r;
    r.reserve(points->size());
    for (const char32_t cp : *points) {
        const auto octet = PointCodeVersCp1252(cp);
        if (!octet) return std::nullopt;
        r.push_back(static_cast<char>(*octet));
    }
    return r;
}

bool EstSeparateur(char c) { return c == '\\' || c == '/'; }

std::vector<std::string_view> Composants(std::string_view nom) {
    std::vector<std::string_view> r;
    std::size_t i = 0;
    while (i < nom.size()) {
        while (i < nom.size() && EstSeparateur(nom[i])) ++i;
        std::size_t j = i;
        while (j < nom.size() && !EstSeparateur(nom[j])) ++j;
        if (j > i) r.push_back(nom.substr(i, j - i));
        i = j;
    }
    return r;
}

bool EstRepertoire(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p.empty() ? fs::path(".") : p, ec);
}

bool Existe(const fs::path& p) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(p, ec));
}

// The entry of `dossier` named `composant` (Windows-1252), or nullopt.
// `dossierVoulu` asks for a folder, for components that lead further.
std::optional<fs::path> TrouveEntree(const fs::path& dossier, std::string_view composant,
                                     bool dossierVoulu) {
    const std::string exact = Cp1252VersUtf8(composant);
    const fs::path exactChemin = dossier / exact;
    if (Existe(exactChemin) && (!dossierVoulu || EstRepertoire(exactChemin))) return exactChemin;

    std::optional<std::string> meilleur;
    std::error_code ec;
    fs::directory_iterator it(dossier.empty() ? fs::path(".") : dossier, ec);
    if (ec) return std::nullopt;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        const std::string natif = it->path().filename().native();
        const auto nom = NomDisqueCp1252(natif);
        if (!nom || !EgalSansCasseCp1252(*nom, composant)) continue;
        if (dossierVoulu && !EstRepertoire(dossier / natif)) continue;
        // Several spellings can coexist on Linux: take the same one every time.
        if (!meilleur || natif < *meilleur) meilleur = natif;
    }
    if (!meilleur) return std::nullopt;
    return dossier / *meilleur;
}

// The resolution; `dossiersLus`, when given, receives every folder whose
// contents or kind the result depends on.
std::optional<fs::path> ResoudreEnNotant(std::string_view nomWindows, std::vector<fs::path>* dossiersLus) {
    auto lit = [dossiersLus](const fs::path& dossier) {
        if (dossiersLus) dossiersLus->push_back(dossier.empty() ? fs::path(".") : dossier);
    };
    if (nomWindows.empty() || nomWindows.find('\0') != std::string_view::npos) return std::nullopt;

    fs::path courant;
    std::string_view reste = nomWindows;
    if (reste.size() >= 2 && reste[1] == ':') {
        const char lecteur = reste[0];
        if (lecteur != 'C' && lecteur != 'c') return std::nullopt;
        courant = "/";
        reste.remove_prefix(2);
    } else if (EstSeparateur(reste.front())) {
        courant = "/";
    }

    const auto composants = Composants(reste);
    for (std::size_t k = 0; k < composants.size(); ++k) {
        const std::string_view c = composants[k];
        const bool dernier = k + 1 == composants.size();
        if (c == ".") continue;
        if (c == "..") {
            // Let the file system go up, so that ".." at the root stays there.
            lit(courant);
            if (!EstRepertoire(courant)) return std::nullopt;
            courant /= "..";
            continue;
        }
        lit(courant);
        if (!EstRepertoire(courant)) return std::nullopt;
        if (auto trouve = TrouveEntree(courant, c, !dernier)) {
            courant = std::move(*trouve);
        } else if (dernier) {
            courant /= Cp1252VersUtf8(c);
        } else {
            return std::nullopt;
        }
    }
    if (courant.empty()) courant = ".";
    return courant;
}

}  // namespace

std::optional<fs::path> ResoudreChemin(std::string_view nomWindows) { return ResoudreEnNotant(nomWindows, nullptr); }

bool FichierExiste(std::string_view nomWindows) {
    const auto chemin = ResoudreChemin(nomWindows);
    if (!chemin) return false;
    std::error_code ec;
    return fs::is_regular_file(*chemin, ec);
}

bool RepertoireExiste(std::string_view nomWindows) {
    const auto chemin = ResoudreChemin(nomWindows);
    if (!chemin) return false;
    std::error_code ec;
    return fs::is_directory(*chemin, ec);
}

void ResolveurChemins::FermerPassage() noexcept {
    if (passages_ > 0 && --passages_ == 0) etatsDuPassage_.clear();
}

std::optional<EtatFichier> ResolveurChemins::Etat(const fs::path& chemin) {
    // A relative path depends on the current folder, which may change.
    if (passages_ == 0 || !chemin.is_absolute()) {
        ++lecturesEtat_;
        return EtatDe(chemin);
    }
    const auto [it, nouveau] = etatsDuPassage_.try_emplace(chemin.native());
    if (nouveau) {
        ++lecturesEtat_;
        it->second = EtatDe(chemin);
    }
    return it->second;
}

std::optional<fs::path> ResolveurChemins::Resoudre(std::string_view nomWindows) {
    const std::string nom(nomWindows);
    if (const auto it = gardees_.find(nom); it != gardees_.end()) {
        bool inchange = true;
        for (const auto& [dossier, etat] : it->second.dossiers) {
            if (Etat(dossier) != etat) {
                inchange = false;
                break;
            }
        }
        if (inchange) return it->second.chemin;
        gardees_.erase(it);
    }
    ++resolutions_;
    std::vector<fs::path> dossiers;
    auto chemin = ResoudreEnNotant(nomWindows, &dossiers);
    // Kept only when every folder read exists and was last modified long
    // enough ago for a later change to show in its time.
    constexpr std::size_t kGardeesMax = 4096;
    Resolution r;
    r.chemin = chemin;
    for (auto& d : dossiers) {
        const auto etat = Etat(d);
        if (!etat || !EtatRassis(*etat)) return chemin;
        r.dossiers.emplace_back(std::move(d), *etat);
    }
    // A bound for programs that name many files once each.
    if (gardees_.size() >= kGardeesMax) gardees_.clear();
    gardees_.insert_or_assign(nom, std::move(r));
    return chemin;
}

bool ResolveurChemins::FichierExiste(std::string_view nomWindows) {
    const auto chemin = Resoudre(nomWindows);
    if (!chemin) return false;
    const auto etat = Etat(*chemin);
    return etat && etat->fichierOrdinaire;
}

}  // namespace korv::platform
