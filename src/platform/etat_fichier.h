#pragma once
// What tells one state of a file from another without reading it: its
// identity (device, inode), size, modification time and change time (the
// change time moves on every write, rename or time change, and no program
// can set it back). Kept results made from a file are keyed by it.

#include <cstdint>
#include <filesystem>
#include <optional>

namespace korv::platform {

struct EtatFichier {
    std::uint64_t peripherique = 0;
    std::uint64_t inode = 0;
    std::uint64_t taille = 0;
    std::int64_t modification = 0;  // nanoseconds since 1970
    std::int64_t changement = 0;     // nanoseconds since 1970
    bool fichierOrdinaire = false;
    bool operator==(const EtatFichier&) const = default;
};

// The state of the file or folder at `chemin` (links followed); nullopt when
// there is nothing there.
std::optional<EtatFichier> EtatDe(const std::filesystem::path& chemin);

// True when the state's last modification (and, for a regular file, its
// last change) is older than the file system's clock step allows two
// changes to share: a later change will show in the state. A state changed
// more recently can hide a second change made within the same step, so what
// was made from it must be checked otherwise. (A folder's entries show in
// its modification time alone; its change time also moves with its own
// times and rights.)
bool EtatRassis(const EtatFichier& etat);

}  // namespace korv::platform
