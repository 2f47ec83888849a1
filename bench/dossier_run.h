#pragma once
// A folder of this run's own under the temporary directory, removed at
// exit: runs of other builds on the same machine must not rewrite the
// files one run measures.

#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

namespace korv::bench {

class DossierRun {
public:
    explicit DossierRun(const std::string& nom)
        : chemin_(std::filesystem::temp_directory_path() / (nom + "_" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(chemin_);
    }
    ~DossierRun() {
        std::error_code ignore;
        std::filesystem::remove_all(chemin_, ignore);
    }
    DossierRun(const DossierRun&) = delete;
    DossierRun& operator=(const DossierRun&) = delete;

    const std::filesystem::path& Chemin() const { return chemin_; }

private:
    std::filesystem::path chemin_;
};

// The one folder of this run, made at first use.
inline const std::filesystem::path& DossierDuRun(const std::string& nom) {
    static const DossierRun dossier(nom);
    return dossier.Chemin();
}

}  // namespace korv::bench
