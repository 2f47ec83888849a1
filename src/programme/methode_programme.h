#pragma once
// The guided method's share of building a page: the step titles of its
// objects named "TITREMETAUTO...".

namespace korv::engine {
class Scene;
}
namespace korv::plan {
class MethodeEtapes;
}

namespace korv::programme {

// Each "TITREMETAUTO" object shows its step's title; one naming no step is
// shown only when the page links to a next page (condition word 3).
void PageMethodeTitresFixer(engine::Scene& scene, int page, const plan::MethodeEtapes& etapes);

}  // namespace korv::programme
