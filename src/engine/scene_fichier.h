#pragma once
// Parsing of a scene file's bytes into a Scene, in both object forms: the
// field-by-field form (version 4500) and the block form (4600). The parse
// is pure: it neither touches the engine's tables nor resolves file names;
// the loader swaps the result in only when the whole parse succeeded.

#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>

#include "engine/scene.h"

namespace korv::engine {

enum class EchecScene : std::uint8_t {
    PasUneScene,      // wrong magic words
    VersionRefusee,   // unknown version, the user declined to go on
    Endommagee,       // truncated or inconsistent data
};

class SceneInvalide : public std::runtime_error {
public:
    SceneInvalide(EchecScene echec, const std::string& message)
        : std::runtime_error(message), echec_(echec) {}
    EchecScene echec() const { return echec_; }

private:
    EchecScene echec_;
};

// Object forms of the page reader (`PageLitFichier`).
enum class FormeObjets : std::uint8_t { ChampParChamp = 0, Bloc = 1 };

struct OptionsLecture {
    // Asked for a version other than 4600 and 4500; true goes on with the
    // block form. Without it such a file is refused.
    std::function<bool(std::int32_t version)> accepterVersionInconnue;
    // Called before each page is read with (page about to be read, page count).
    std::function<void(int, int)> progression;
};

// Throws SceneInvalide (its text is UTF-8, like every exception text of the
// program); never reads outside the buffer.
Scene LitScene(std::span<const std::uint8_t> octets, const OptionsLecture& options = {});

// The object form a version is read with (4500: field by field; others: block).
FormeObjets FormePourVersion(std::int32_t version);

}  // namespace korv::engine

namespace korv::engine {

// The exact inverse of LitScene for the given form: the header's version
// field decides nothing here, the form does. Throws std::invalid_argument
// when the scene cannot be stored in that form (counts that disagree,
// strings too long, a grid record of the other form).
std::string EcritScene(const Scene& scene, FormeObjets forme);

}  // namespace korv::engine
