#pragma once
// Resolution of the program's Windows-style file names on Linux.
//
// Scenes store names such as "C:\KORVELIS\SCENES\IMAGE01.BMP" (Windows-1252
// bytes, upper case, "\" separators). On Linux each component is looked up in
// its folder: an exact match wins, otherwise a match ignoring case (ASCII and
// the accented letters of Windows-1252: "é" matches "É"). Both "\" and "/"
// separate components, empty components are skipped, "." stays and ".." goes
// up one folder.
//
// Drives: Linux has one file tree, seen as drive C:. A name beginning with
// "C:" (either case) starts at the root "/"; any other drive letter names a
// drive that does not exist, and such a name does not resolve. A name
// beginning with a separator starts at the root too; any other name is
// relative to the current folder.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/etat_fichier.h"

namespace korv::platform {

// The Linux path of the named file or folder. A name that does not exist but
// whose folder does resolves to that folder + its last component as written,
// so that files can be created under their program names. Empty names, names
// holding NUL, names through a missing folder and names on drives other than
// C: give nullopt.
std::optional<std::filesystem::path> ResoudreChemin(std::string_view nomWindows);

// True when the name resolves to an existing regular file (or a link to one).
bool FichierExiste(std::string_view nomWindows);

// True when the name resolves to an existing folder (or a link to one).
bool RepertoireExiste(std::string_view nomWindows);

// The same resolution, kept per name for callers that resolve the same names
// again and again (the pictures of a page at each showing). A kept result
// holds the identity and modification time of every folder the resolution
// read; it is used only while each of them is unchanged, since adding,
// removing or renaming an entry changes its folder's modification time. A
// folder modified in the last seconds is not trusted (two changes within
// the file system's clock step would leave the same time), so names under
// it are resolved afresh until it has been left alone for a while.
class ResolveurChemins {
public:
    std::optional<std::filesystem::path> Resoudre(std::string_view nomWindows);
    bool FichierExiste(std::string_view nomWindows);

    // How many resolutions read the folders (were not served as kept).
    std::size_t NombreResolutions() const { return resolutions_; }

    // A showing of a page names the same folders and files many times: while
    // one is open, each of them (by absolute path) is read once and its state
    // used for all, so a change made during the showing is seen by the next
    // one. Showings may nest (a page shown while another is prepared); the
    // states are forgotten when the outermost one closes.
    void OuvrirPassage() noexcept { ++passages_; }
    void FermerPassage() noexcept;
    // The state of a file or folder, read once per open showing.
    std::optional<EtatFichier> Etat(const std::filesystem::path& chemin);
    // How many states were read from the file system.
    std::size_t NombreLecturesEtat() const { return lecturesEtat_; }

private:
    struct Resolution {
        std::vector<std::pair<std::filesystem::path, EtatFichier>> dossiers;
        std::optional<std::filesystem::path> chemin;
    };

    std::unordered_map<std::string, Resolution> gardees_;
    std::size_t resolutions_ = 0;
    int passages_ = 0;
    std::unordered_map<std::string, std::optional<EtatFichier>> etatsDuPassage_;
    std::size_t lecturesEtat_ = 0;
};

}  // namespace korv::platform
