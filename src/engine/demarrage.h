#pragma once
// Start-up and shutdown: the engine's initial state, the choice of the start
// scene (AUTOSCE.TXT beside the program, else the open dialog), the plan
// document given on the command line, and `Fin`, the one way the program
// ends. The process itself is ended by `main` once `moteur.fin` is set.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korv::engine {

class Moteur;

// Engine start-up: header defaults, language list, error mode, page size
// and the first window layout. The names of the object kinds are the
// constant table of objet_type_noms.h.
void Initialisations(Moteur& moteur);

// The drives the AUTOSCE.TXT tokens search, each as a prefix put before the
// rest of the name. Linux has no drive letters, so:
// - "$FIXEDDISK1" / "$FIXEDDISK2": the first / second fixed drive that
//   VBAPIGetDriveType reports. Linux is seen as the one fixed drive C:, the
//   root of the file tree: "$FIXEDDISK1:\OPT\X.SCE" is /opt/x.sce, and
//   "$FIXEDDISK2" finds no drive.
// - "$CDROM": drives reported removable or remote (none on Linux), then the
//   mount points where desktops mount removable media: the folders under
//   /run/media/<user>/ and /media/<user>/, then the other folders of
//   /media/ (/media/cdrom0 ...), each list in name order.
// - "$APPPATH": the program's folder, followed by the rest (with a "\"
//   between them when the rest does not begin with a separator).
struct LecteursDemarrage {
    std::vector<std::string> amovibles;
    std::vector<std::string> fixes;
};
LecteursDemarrage LecteursDuSysteme();

// The first value of a file read as one delimited input field: leading
// blanks skipped, then a quoted text up to its closing quote, or the text up
// to the first comma or line end with trailing blanks removed. A leading
// UTF-8 byte-order mark is skipped.
std::string PremiereValeurAutoSce(std::string_view contenu);

// The scene name a value of AUTOSCE.TXT stands for. Only a token before the
// first ":" counts, compared exactly; a one-letter token is a drive letter
// and any other text is used as read. "" when a drive token found no drive
// ("$CDROM": no removable drive holding the file).
std::string NomSceneAutoSce(std::string_view valeur, std::string_view dossierProgramme,
                            const LecteursDemarrage& lecteurs);

// `SceneDeDemarrage`: the scene named by AUTOSCE.TXT in the program folder,
// or "" when there is no such file. A name that does not name an existing
// file is told to the user and gives "".
std::string SceneDeDemarrage(Moteur& moteur, const LecteursDemarrage& lecteurs);

// The plan document a command line names: the whole line, inner spaces
// kept, without the blanks around it and without the pair of double quotes
// around the whole when no other quote is inside.
std::string DocumentDeLigneCommande(std::string_view ligne);

// `Fin`: ends the program. With `demanderEnregistrement`, a modified plan
// gets the save question first, and Cancel returns false with nothing
// changed. Otherwise it stops video, sprites and waits, frees the palette,
// hides the windows (and unloads them with `fermerFenetres`) behind the
// progress window, and sets `moteur.fin` (exit code 0); it returns true.
// A call made while the program is already ending (a window's close request
// raised by the unloading) returns true at once and asks nothing.
bool Fin(Moteur& moteur, bool fermerFenetres, bool demanderEnregistrement);

struct DemarrageOptions {
    // The command line after the program name, as one text.
    std::string ligneCommande;
    // Drives for the AUTOSCE.TXT tokens; LecteursDuSysteme() when absent.
    std::optional<LecteursDemarrage> lecteurs;
    // The play loop; Joue when empty.
    std::function<void(Moteur&, std::string_view document)> joue;
};

// The program's start after the single-instance check: initialisation,
// start scene, loading, play. Errors that escape are reported under "Main".
// Returns the process exit code once the program is to end: 1 when the
// start found no scene to play (named but missing, not a scene, damaged),
// else 0.
int Demarre(Moteur& moteur, const DemarrageOptions& options);

}  // namespace korv::engine
