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

#include <filesystem>
#include <optional>
#include <string_view>

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

}  // namespace korv::platform
