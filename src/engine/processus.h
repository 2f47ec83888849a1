#pragma once
// Outside programs started by the action objects (a program on a file,
// waited for without freezing the window), and two small lookups of the
// window layer: a free index in a control array and a loaded-window test.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korv::platform {
class LanceurProcessus;
}

namespace korv::engine {

// A command line split into its words: blanks separate words, double quotes
// group blanks into a word and are removed ("\" is a path separator here,
// never an escape).
std::vector<std::string> DecoupeCommande(std::string_view ligne);

// `ProcessusAssocieAuFichier32`: the desktop's command for opening the file
// (an engine name, resolved like any other), or "" when the file does not
// exist or its type has no application.
std::string ProcessusAssocieAuFichier32(const platform::LanceurProcessus& lanceur, std::string_view fichier);

// `ProcessusLance`: starts `programme` with `fichier` as its one argument and
// returns the process id, or 0 when nothing was started. An empty program
// takes the file's associated one; with neither, nothing starts. A program
// that names an existing file is that file, whatever blanks its name holds;
// any other program is a command line (program and its own arguments). The
// file loses one pair of surrounding quotes and is passed as one argument,
// resolved to its Linux path when it exists.
std::int32_t ProcessusLance(platform::LanceurProcessus& lanceur, std::string_view programme, std::string_view fichier);

// `ProcessusIsRunning`: true while the process runs; an unknown id is not.
bool ProcessusIsRunning(const platform::LanceurProcessus& lanceur, std::int32_t pid);

// `ProcessusAttendFin`: returns once the process has ended, calling `pompe`
// between two questions so that window events keep running. The pump is to
// block a little itself (PompeEvenements::AttendreJusqua a few tens of
// milliseconds ahead) so that the wait does not spin; without one, the wait
// sleeps 20 ms between questions.
void ProcessusAttendFin(const platform::LanceurProcessus& lanceur, std::int32_t pid, const std::function<void()>& pompe);

// `PremiereImageLibre`: the first index from 0 not in `utilises`; -1 when
// every index up to 32767 is taken.
std::int16_t PremiereImageLibre(const std::set<int>& utilises);

// `FenetreEstChargee`: whether `fenetre` is one of the loaded windows,
// compared by identity; a null window never is.
template <class Fenetre>
bool FenetreEstChargee(std::span<Fenetre* const> chargees, const Fenetre* fenetre) {
    return fenetre != nullptr && std::find(chargees.begin(), chargees.end(), fenetre) != chargees.end();
}

}  // namespace korv::engine
