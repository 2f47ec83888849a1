#include "platform/etat_fichier.h"

#include <sys/stat.h>

#include <ctime>

namespace korv::platform {

namespace {

std::int64_t Nanosecondes(const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + static_cast<std::int64_t>(t.tv_nsec);
}

}  // namespace

std::optional<EtatFichier> EtatDe(const std::filesystem::path& chemin) {
    struct stat st {};
    if (::stat(chemin.c_str(), &st) != 0) return std::nullopt;
    return EtatFichier{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                       static_cast<std::uint64_t>(st.st_size), Nanosecondes(st.st_mtim), Nanosecondes(st.st_ctim),
                       S_ISREG(st.st_mode)};
}

bool EtatRassis(const EtatFichier& etat) {
    // File times follow the kernel's coarse clock; two seconds leave a wide margin.
    constexpr std::int64_t kMarge = 2'000'000'000;
    timespec maintenant {};
    ::clock_gettime(CLOCK_REALTIME, &maintenant);
    const std::int64_t n = Nanosecondes(maintenant);
    return etat.modification < n - kMarge && (!etat.fichierOrdinaire || etat.changement < n - kMarge);
}

}  // namespace korv::platform
