#include "plan/document/format_document.h"

#include <algorithm>
#include <cmath>

#include "engine/recherche.h"
#include "engine/scene.h"
#include "grid/tableau.h"
#include "platform/binary_reader.h"
#include "platform/binary_writer.h"
#include "platform/cp1252.h"

namespace korv::plan {

namespace {

constexpr std::string_view kPageConversion = "CHARGEV2";
constexpr int kPage230Tronquee = 121;
constexpr int kObjets230Tronquee = 8;

bool PageSautee(const engine::Scene& scene, int page) {
    return page < 1 || !scene.PageExiste(page) || platform::EgalSansCasseCp1252(NomPage(scene, page), kPageConversion);
}

}  // namespace

std::string NomPage(const engine::Scene& scene, int page) {
    if (!scene.PageExiste(page) || scene.Page(page).ObjetNb() < 1) return {};
    return scene.Page(page).Objet(1).nom;
}

std::vector<int> PagesDeLaPartie(const engine::Scene& scene, int page) {
    std::vector<int> pages{page};
    if (NomPage(scene, page) == "BILDON") {
        for (const char* nom : {"BILANA", "RENTANA"}) {
            if (const int p = engine::NumeroDePage(scene, nom); p >= 1) pages.push_back(p);
        }
    }
    return pages;
}

bool ObjetTexteDuPlan(const engine::Scene& scene, int page, int objet) {
    if (!scene.ObjetExiste(page, objet)) return false;
    const engine::ObjetPage& o = scene.Page(page).Objet(objet);
    return o.Type() == engine::TypeObjet::TexteRtf && (o.G[2] & kDrapeauTextePlan) != 0;
}

void PageUtilisateurEcrire(BinaryWriter& out, const SceneDocument& s, int page) {
    if (PageSautee(s.scene, page)) return;
    const engine::PageScene& p = s.scene.Page(page);
    for (int i = 1; i <= p.ObjetNb(); ++i) {
        if (ObjetTexteDuPlan(s.scene, page, i)) out.fileString(p.Objet(i).texte);
        if (p.Objet(i).Type() == engine::TypeObjet::Tableau) {
            if (const grid::TableauClasse* g = s.grille(page, i)) g->SauverUtilisateur(out);
        }
    }
}

PageLue PageUtilisateurLire(BinaryReader& in, const SceneDocument& s, int page,
                            const grid::OptionsChargementUtilisateur& options) {
    PageLue lue;
    lue.page = static_cast<std::int16_t>(page);
    if (PageSautee(s.scene, page)) return lue;
    const engine::PageScene& p = s.scene.Page(page);
    int n = p.ObjetNb();
    if (options.version230 && page == kPage230Tronquee) n = std::min(n, kObjets230Tronquee);
    grid::OptionsChargementUtilisateur o = options;
    o.pageEnChargement = static_cast<std::int16_t>(page);
    for (int i = 1; i <= n; ++i) {
        const auto objet = static_cast<std::int16_t>(i);
        if (ObjetTexteDuPlan(s.scene, page, i)) lue.textes.push_back({objet, in.fileString()});
        if (p.Objet(i).Type() == engine::TypeObjet::Tableau) {
            if (const grid::TableauClasse* g = s.grille(page, i)) {
                lue.grilles.push_back({objet, g->LireUtilisateur(in, o)});
            }
        }
    }
    return lue;
}

std::string DocumentEcrire(const SceneDocument& s, const MethodeEtapes& etapes, std::int16_t page,
                           const std::function<void(int)>& pourcentage) {
    BinaryWriter out;
    out.i32(kVersionDocument);
    out.i16(page == 0 ? kSauvegardeComplete : kSauvegardePartie);
    out.i16(page);
    const int premiere = page == 0 ? 1 : page;
    const int derniere = page == 0 ? s.scene.PageNb() : page;
    for (int i = premiere; i <= derniere; ++i) {
        if (pourcentage) {
            pourcentage(static_cast<int>(std::nearbyint((i - premiere + 1) * 100.0 / (derniere - premiere + 1))));
        }
        if (page == 0) {
            PageUtilisateurEcrire(out, s, i);
        } else {
            for (const int p : PagesDeLaPartie(s.scene, page)) PageUtilisateurEcrire(out, s, p);
        }
    }
    if (page == 0) etapes.EtapesEcrireFichier(out);
    return out.take();
}

}  // namespace korv::plan
