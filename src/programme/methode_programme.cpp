#include "programme/methode_programme.h"

#include <string_view>

#include "engine/scene.h"
#include "plan/methode/etapes_methode.h"

namespace korv::programme {

namespace {
constexpr std::string_view kPrefixeTitre = "TITREMETAUTO";
constexpr std::size_t kMotCondition = 3;  // G4
constexpr std::int16_t kSiPageSuivante = 3;
}  // namespace

void PageMethodeTitresFixer(engine::Scene& scene, int page, const plan::MethodeEtapes& etapes) {
    if (!scene.PageExiste(page)) return;
    engine::PageScene& p = scene.Page(page);
    for (int i = 1; i <= p.ObjetNb(); ++i) {
        engine::ObjetPage& o = p.Objet(i);
        if (std::string_view(o.nom).substr(0, kPrefixeTitre.size()) != kPrefixeTitre) continue;
        const int etape = etapes.EtapeNumeroDepuisObjet(o.nom);
        if (etape < 1) {
            o.G[kMotCondition] = kSiPageSuivante;
        } else {
            o.texte = etapes.Etape(etape).TitreRTF;
            o.G[kMotCondition] = 0;
        }
    }
}

}  // namespace korv::programme
