#pragma once
// Loading of the start scene into the engine's tables (`SceneCharge`): the
// file is read and parsed whole into a new scene, which replaces the tables
// only when everything succeeded. Every failure is told to the user and
// leaves the tables as they were.

#include <functional>
#include <string>
#include <string_view>

#include "engine/scene.h"

namespace korv::platform {
class BoiteMessage;
}

namespace korv::engine {

struct ServicesChargement {
    platform::BoiteMessage* messages = nullptr;
    // Loading percentage for the splash window.
    std::function<void(int pourcent)> progression;
    // New window layout after a scene of another page size or layout.
    std::function<void()> majTailleFenetre;
    // Set-up of the scene's language list.
    std::function<void(Scene&)> initialiseListeLangues;
    // Building of the scene's grids once the new tables are in place; the
    // reader has checked the grid records, so this cannot fail on them.
    std::function<void(const Scene&)> construireGrilles;
};

class SceneInvalide;

// The user's message for a scene that failed to parse (UTF-8); empty when
// there is nothing to tell (the user refused another version).
std::string MessageEchecScene(const SceneInvalide& e);

// True when the scene was loaded into `scene`.
bool SceneCharge(Scene& scene, std::string_view chemin, const ServicesChargement& services);

}  // namespace korv::engine
