// Program entry point. For now the program finds its start scene beside
// itself (AUTOSCE.TXT, "$APPPATH:" form or a plain path) and loads it; the
// start-up rules in full, the play loop and the main window come with the
// engine's run-time.

#include <QApplication>

#include <cstdio>
#include <fstream>
#include <string>

#include "engine/scene.h"
#include "engine/scene_charge.h"
#include "platform/cp1252.h"
#include "platform/qt_cp1252.h"
#include "platform/qt_message_box.h"

namespace {

std::string SceneDeDemarrage(const std::string& dossierProgramme) {
    std::ifstream f(dossierProgramme + "/AUTOSCE.TXT", std::ios::binary);
    std::string ligne;
    if (!f || !std::getline(f, ligne)) return {};
    if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
    const std::string jeton = "$APPPATH:";
    if (ligne.compare(0, jeton.size(), jeton) == 0) return dossierProgramme + ligne.substr(jeton.size());
    return ligne;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::string dossier = korv::platform::DepuisQString(QCoreApplication::applicationDirPath());
    const std::string chemin = SceneDeDemarrage(dossier);

    korv::platform::QtBoiteMessage messages;
    korv::engine::ServicesChargement services;
    services.messages = &messages;
    korv::engine::Scene scene;
    if (chemin.empty() || !korv::engine::SceneCharge(scene, chemin, services)) {
        if (chemin.empty()) {
            messages.Afficher(korv::platform::Utf8VersCp1252("Scène non existante ou mauvais format"), 0);
        }
        return 1;
    }
    std::printf("Scène chargée : %s, %d pages\n", korv::platform::Cp1252VersUtf8(chemin).c_str(), scene.PageNb());
    return 0;
}
