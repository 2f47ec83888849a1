#pragma once
// Stable readable listing of a scene: the header, each page with its name
// and objects, each object's fields, elements, path and grid. Fields that
// only one object form stores are listed only when set, so that one scene
// written in both forms lists the same. Strings are printed as UTF-8.

#include <string>

#include "engine/scene.h"

namespace korv::scenetool {

std::string DumpScene(const engine::Scene& scene);

}  // namespace korv::scenetool
