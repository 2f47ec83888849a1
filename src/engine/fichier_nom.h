#pragma once
// File-name arithmetic over the program's Windows-style names, and the few
// file-system questions the engine asks. Names are Windows-1252 bytes; "\"
// and "/" both separate folders (Linux folders such as "/HOME/U/SCENES/" are
// valid results: the platform resolves names ignoring case). A separator
// that a function adds is the one the name already uses, else "\".
//
// An extension is the text after the first "." of the last component of a
// name ("ARCHIVE.TAR.GZ" has the extension "TAR.GZ"; the dot of a folder
// such as "..\" or "V1.2\" is never an extension dot).

#include <cstdint>
#include <string>
#include <string_view>

namespace korv::engine {

// The existence questions resolve names through the platform, so they are
// case-insensitive and take "C:\..." as the root of the Linux tree.
bool FileExist(std::string_view nom);

// True for an existing folder. A lone drive letter, with or without ":",
// asks the type of that drive; a lone separator is the root folder.
bool RepertoireExiste(std::string_view chemin);

enum class TypeLecteur : std::int32_t {
    Indetermine = 0,
    SansRacine = 1,
    Amovible = 2,
    Fixe = 3,
    Distant = 4,
    CdRom = 5,
    DisqueRam = 6,
};

// Type of drive 0 .. 25 (A: .. Z:). Linux has one file tree, seen as the
// fixed drive C:; every other letter, and any number outside 0 .. 25, is
// Indetermine (so that no removable or remote drive is ever searched).
TypeLecteur VBAPIGetDriveType(std::int32_t lecteur);

// There is no Windows folder on Linux: always the empty string, which
// callers take as "no such folder".
std::string GetWindowsDirectory();

// The extension, upper-cased, without its dot; "" when there is none.
std::string FichierNomExtension(std::string_view nom);

// The name without its extension and dot. A name whose last component
// begins with the dot (".PROFILE") has no extension to remove.
std::string FichierNomSansExtension(std::string_view nom);

// The name with its extension replaced by `extension` upper-cased, or with
// "." and the extension added when it has none.
std::string FichierNomAjouteExtension(std::string_view nom, std::string_view extension);

// The folder part: up to and including the last separator; "" when the
// name holds no separator.
std::string ExtraitNomChemin(std::string_view chemin);

// The folder of a path, upper-cased and ending with a separator: the path
// itself when it is an existing folder, else the part before its last
// separator when that is an existing folder, else "". A bare drive letter
// becomes "X:\".
std::string FichierNomChemin(std::string_view chemin);

// The name without its folder (the text after the last separator, or after
// a leading drive "X:"); "" for a path that is an existing folder.
std::string NomFichierSeul(std::string_view chemin);

// The absolute, upper-case form of a file name stored in a scene, against
// the scene's folder `base`:
// - a name holding ":" or beginning with a separator is already absolute;
//   any other name is appended to the base (an empty base leaves it
//   relative to the current folder);
// - ".." components remove the folder before them (".." at the root is
//   dropped, ".." leading a relative result is kept);
// - a relative name whose first component is a drive marker moves to
//   another drive: "+0\..." stands for no file and gives the base folder
//   alone, "+n\..." and "-n\..." give the base's drive letter moved forward
//   or backward by n, kept within A .. Z (a base without a drive letter has
//   no drive to move). Signs and digits elsewhere in a name are plain text.
std::string NomFichierAbsolu(std::string_view nom, std::string_view base);

// Numbered series ("IMAGE007.BMP"): the trailing number of the name
// without its extension, of at most three digits.

// Number of characters before the trailing number ("ABC1234" gives 4, since
// only three digits count; a name without a trailing digit gives its length).
std::int32_t FichierNCarDebutNumero(std::string_view nom);
bool FichierSeTermineParNumero(std::string_view nom);
// The trailing number's value, 0 when there is none.
std::int32_t FichierNumero(std::string_view nom);
// The name with its trailing number replaced by `numero`, written with at
// least as many digits as the old number; the name unchanged when it has no
// trailing number. The extension is kept as written.
std::string FichierNumeroNom(std::string_view nom, std::int32_t numero);
// The next name of the series.
std::string NomFichierSuivant(std::string_view nom);
// The first existing name of the series going down from `nom` (never below
// number 0); "" when `nom` itself does not exist. A name without a number
// is its own series.
std::string NomFichierPremier(std::string_view nom);

// A new unique file name "<first three characters of the prefix><four hex
// digits>.TMP" in `dossier` (the current folder by default). The file is
// created to reserve the name, then deleted again. "" when no name can be
// had (missing folder, a prefix holding a separator, ":" or NUL, every
// number taken).
std::string RenvoiNomFichierTemporaire(std::string_view prefixe, std::string_view dossier = ".");

}  // namespace korv::engine
