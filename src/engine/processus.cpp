#include "engine/processus.h"

#include <thread>

#include "engine/fichier_nom.h"
#include "engine/texte_casse.h"
#include "platform/cp1252.h"
#include "platform/path_resolver.h"
#include "platform/process_launcher.h"

namespace korv::engine {

namespace {

// An engine name as the system names it: the resolved path of an existing
// file, else the name's own characters.
std::string NomNatif(std::string_view nom) {
    if (FileExist(nom)) {
        if (const auto chemin = platform::ResoudreChemin(nom)) return chemin->string();
    }
    return platform::Cp1252VersUtf8(nom);
}

std::string SansGuillemets(std::string_view texte) {
    if (texte.size() >= 2 && texte.front() == '"' && texte.back() == '"') texte = texte.substr(1, texte.size() - 2);
    return std::string(texte);
}

std::string ProgrammeAssocieNatif(const platform::LanceurProcessus& lanceur, std::string_view fichier) {
    if (fichier.empty() || !FileExist(fichier)) return {};
    return lanceur.ProgrammeAssocie(NomNatif(fichier));
}

}  // namespace

std::vector<std::string> DecoupeCommande(std::string_view ligne) {
    std::vector<std::string> mots;
    std::string mot;
    bool dansMot = false;
    bool cite = false;
    for (const char c : ligne) {
        if (c == '"') {
            cite = !cite;
            dansMot = true;
        } else if (!cite && (c == ' ' || c == '\t')) {
            if (dansMot) mots.push_back(std::move(mot));
            mot.clear();
            dansMot = false;
        } else {
            mot += c;
            dansMot = true;
        }
    }
    if (dansMot) mots.push_back(std::move(mot));
    return mots;
}

std::string ProcessusAssocieAuFichier32(const platform::LanceurProcessus& lanceur, std::string_view fichier) {
    return platform::Utf8VersCp1252(ProgrammeAssocieNatif(lanceur, fichier));
}

std::int32_t ProcessusLance(platform::LanceurProcessus& lanceur, std::string_view programme, std::string_view fichier) {
    const std::string nomFichier = SansGuillemets(Trim(fichier));
    std::vector<std::string> arguments;
    if (Trim(programme).empty()) {
        if (nomFichier.empty()) return 0;
        arguments = DecoupeCommande(ProgrammeAssocieNatif(lanceur, nomFichier));
    } else if (FileExist(programme)) {
        arguments.push_back(NomNatif(programme));
    } else {
        arguments = DecoupeCommande(platform::Cp1252VersUtf8(programme));
    }
    if (arguments.empty()) return 0;
    if (!nomFichier.empty()) arguments.push_back(NomNatif(nomFichier));
    return lanceur.Lance(arguments);
}

bool ProcessusIsRunning(const platform::LanceurProcessus& lanceur, std::int32_t pid) {
    return pid > 0 && lanceur.EstActif(pid);
}

void ProcessusAttendFin(const platform::LanceurProcessus& lanceur, std::int32_t pid, const std::function<void()>& pompe) {
    while (ProcessusIsRunning(lanceur, pid)) {
        if (pompe) {
            pompe();
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
}

std::int16_t PremiereImageLibre(const std::set<int>& utilises) {
    int attendu = 0;
    for (const int index : utilises) {
        if (index < attendu) continue;  // negative indexes take no place
        if (index != attendu) break;
        ++attendu;
    }
    return attendu > 32767 ? std::int16_t{-1} : static_cast<std::int16_t>(attendu);
}

}  // namespace korv::engine
