#include "print/export_fichier.h"

#include <fstream>
#include <system_error>

namespace korv::print {

std::string EcrireFichierExport(const std::filesystem::path& cible, std::string_view octets) {
    namespace fs = std::filesystem;
    fs::path temporaire = cible;
    temporaire += ".tmp~";
    {
        std::ofstream sortie(temporaire, std::ios::binary | std::ios::trunc);
        if (!sortie) return "cannot create " + temporaire.string();
        sortie.write(octets.data(), static_cast<std::streamsize>(octets.size()));
        sortie.flush();
        if (!sortie) {
            sortie.close();
            std::error_code ignore;
            fs::remove(temporaire, ignore);
            return "cannot write " + temporaire.string();
        }
    }
    std::error_code e;
    fs::rename(temporaire, cible, e);
    if (e) {
        std::error_code ignore;
        fs::remove(temporaire, ignore);
        return "cannot replace " + cible.string() + ": " + e.message();
    }
    return {};
}

}  // namespace korv::print
