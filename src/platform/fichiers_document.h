#pragma once
// Whole files as the plan document reads and writes them. A file is
// replaced, never written in place: the bytes go to a temporary file in the
// target's folder, are flushed to disk, then renamed over the target, so
// that a failure or a crash at any moment leaves the previous file whole.
// Paths are UTF-8 for the file system.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace korv::platform {

struct ResultatEcriture {
    bool reussi = false;
    std::string erreur;  // UTF-8, why it failed, in French for the common reasons
};

class FichiersDocument {
public:
    virtual ~FichiersDocument() = default;
    virtual bool Existe(const std::string& chemin) const = 0;
    // The whole file; nothing when it cannot be read.
    virtual std::optional<std::string> Lire(const std::string& chemin) const = 0;
    virtual ResultatEcriture Remplacer(const std::string& chemin, std::string_view octets) = 0;
};

class FichiersDocumentDisque : public FichiersDocument {
public:
    bool Existe(const std::string& chemin) const override;
    std::optional<std::string> Lire(const std::string& chemin) const override;
    ResultatEcriture Remplacer(const std::string& chemin, std::string_view octets) override;

protected:
    // One write(2) of the temporary file; tests inject failures here.
    virtual ssize_t EcrireMorceau(int fd, const char* octets, std::size_t n);
};

}  // namespace korv::platform
