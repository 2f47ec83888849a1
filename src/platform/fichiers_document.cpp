#include "platform/fichiers_document.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace korv::platform {

namespace {

// The reasons a user can act on, in the program's language; for the others
// the step that failed and the system's own words.
std::string Raison(const char* etape, const std::filesystem::path& dossier) {
    const int numero = errno;
    std::error_code e;
    // A folder that is there but refuses new files (/proc) is no missing folder.
    const bool dossierManquant = (numero == ENOENT || numero == ENOTDIR) && !std::filesystem::is_directory(dossier, e);
    if (dossierManquant) return "Le dossier n'existe pas.";
    switch (numero) {
    case EACCES:
    case EPERM: return "Vous n'avez pas le droit d'écrire dans ce dossier.";
    case ENOSPC:
    case EDQUOT: return "Le disque est plein.";
    case EROFS: return "Le disque est en lecture seule.";
    default: return std::string(etape) + " : " + std::strerror(numero);
    }
}

// Closes the descriptor and removes the temporary file unless released.
struct Temporaire {
    int fd = -1;
    std::string chemin;
    ~Temporaire() {
        if (fd >= 0) ::close(fd);
        if (!chemin.empty()) ::unlink(chemin.c_str());
    }
};

}  // namespace

bool FichiersDocumentDisque::Existe(const std::string& chemin) const {
    struct stat s {};
    return ::stat(chemin.c_str(), &s) == 0 && S_ISREG(s.st_mode);
}

std::optional<std::string> FichiersDocumentDisque::Lire(const std::string& chemin) const {
    if (!Existe(chemin)) return std::nullopt;
    std::ifstream f(chemin, std::ios::binary);
    if (!f) return std::nullopt;
    std::string octets(std::istreambuf_iterator<char>(f), {});
    if (f.bad()) return std::nullopt;
    return octets;
}

ssize_t FichiersDocumentDisque::EcrireMorceau(int fd, const char* octets, std::size_t n) {
    return ::write(fd, octets, n);
}

ResultatEcriture FichiersDocumentDisque::Remplacer(const std::string& chemin, std::string_view octets) {
    const std::filesystem::path cible(chemin);
    std::filesystem::path dossier = cible.parent_path();
    if (dossier.empty()) dossier = ".";
    Temporaire t;
    std::string modele = (dossier / ("." + cible.filename().string() + ".XXXXXX")).string();
    t.fd = ::mkstemp(modele.data());
    if (t.fd < 0) return {false, Raison("création du fichier temporaire", dossier)};
    t.chemin = modele;
    // The new file keeps the permissions of the one it replaces.
    struct stat s {};
    const mode_t mode = ::stat(chemin.c_str(), &s) == 0 ? (s.st_mode & 07777) : 0644;
    if (::fchmod(t.fd, mode) != 0) return {false, Raison("droits du fichier temporaire", dossier)};

    std::size_t fait = 0;
    while (fait < octets.size()) {
        const ssize_t n = EcrireMorceau(t.fd, octets.data() + fait, octets.size() - fait);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return {false, Raison("écriture", dossier)};
        }
        fait += static_cast<std::size_t>(n);
    }
    if (::fsync(t.fd) != 0) return {false, Raison("écriture sur le disque", dossier)};
    const int fd = t.fd;
    t.fd = -1;
    if (::close(fd) != 0) return {false, Raison("fermeture", dossier)};
    if (::rename(t.chemin.c_str(), chemin.c_str()) != 0) return {false, Raison("remplacement du fichier", dossier)};
    t.chemin.clear();
    // The rename itself reaches the disk with the folder.
    const int d = ::open(dossier.c_str(), O_RDONLY | O_DIRECTORY);
    if (d >= 0) {
        (void)::fsync(d);
        ::close(d);
    }
    return {true, {}};
}

}  // namespace korv::platform
