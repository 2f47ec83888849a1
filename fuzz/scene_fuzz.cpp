// Any bytes given to the scene reader either parse or raise SceneInvalide;
// a parsed scene must write back, read again and write the same bytes
// (bytes rather than tables, since a stored NaN never compares equal), and
// its grids must build and lay out from the records the reader accepted.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "engine/scene_fichier.h"
#include "grid/magasin_grilles.h"

using namespace korv::engine;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    OptionsLecture options;
    options.accepterVersionInconnue = [](std::int32_t) { return true; };
    try {
        const Scene scene = LitScene(std::span(data, size), options);
        korv::grid::MagasinGrilles grilles({});
        grilles.Construit(scene);
        const FormeObjets forme = FormePourVersion(scene.entete.version);
        std::string octets;
        try {
            octets = EcritScene(scene, forme);
        } catch (const std::invalid_argument&) {
            return 0;  // readable but not writable (e.g. a string over 65535 bytes)
        }
        const Scene relue = LitScene(
            std::span(reinterpret_cast<const std::uint8_t*>(octets.data()), octets.size()), options);
        if (EcritScene(relue, forme) != octets) std::abort();
    } catch (const SceneInvalide&) {
    }
    return 0;
}
