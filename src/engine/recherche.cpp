#include "engine/recherche.h"

#include "engine/texte_casse.h"

namespace korv::engine {

namespace {

std::string Cle(std::string_view nom) { return MajusculeCp1252(Trim(nom)); }

// The first element of the button that targets a text of its own page.
const ObjetPage* TexteRelie(const Scene& scene, int page, int objet, int& cible) {
    if (!scene.ObjetExiste(page, objet)) return nullptr;
    for (const auto& e : scene.Page(page).Objet(objet).elements) {
        if (e.PageCible != page || !scene.ObjetExiste(page, e.ObjetCible)) continue;
        const auto& t = scene.Page(page).Objet(e.ObjetCible);
        if (t.Type() == TypeObjet::Texte || t.Type() == TypeObjet::TexteRtf) {
            cible = e.ObjetCible;
            return &t;
        }
    }
    return nullptr;
}

}  // namespace

int NumeroDePage(const Scene& scene, std::string_view nom) {
    const std::string n = Cle(nom);
    if (n.empty()) return 0;
    if (n.front() == '$') return 1;
    for (int i = 1; i <= scene.PageNb(); ++i) {
        const auto& p = scene.Page(i);
        if (!p.objets.empty() && Cle(p.objets.front().nom) == n) return i;
    }
    return 0;
}

int NumeroObjet(const Scene& scene, int page, std::string_view nom) {
    if (!scene.PageExiste(page)) return 0;
    const std::string n = Cle(nom);
    const auto& objets = scene.Page(page).objets;
    for (std::size_t i = 0; i < objets.size(); ++i) {
        if (Cle(objets[i].nom) == n) return static_cast<int>(i + 1);
    }
    return 0;
}

std::string ObjetFichier(const Scene& scene, int page, int objet) {
    return scene.ObjetExiste(page, objet) ? scene.Page(page).Objet(objet).fichier : std::string();
}

std::string ObjetTexte(const Scene& scene, int page, int objet) {
    return scene.ObjetExiste(page, objet) ? scene.Page(page).Objet(objet).texte : std::string();
}

namespace {
bool DrapeauPage(const Scene& scene, int page, std::int16_t bit) {
    return scene.ObjetExiste(page, 1) && (scene.Page(page).Objet(1).G[1] & bit) != 0;
}
}  // namespace

int PageCompilee(const Scene& scene, int page) {
    return scene.entete.pagesCompilees == -1 && DrapeauPage(scene, page, kPageCompilee) ? -1 : 0;
}

int PageUtiliseAvantPlan(const Scene& scene, int page) {
    return DrapeauPage(scene, page, kPageAvantPlan) ? -1 : 0;
}

std::vector<std::int16_t> ListeObjetsPageEnZOrder(const Scene& scene, int page) {
    if (!scene.PageExiste(page)) return {0};
    const auto& objets = scene.Page(page).objets;
    const int n = static_cast<int>(objets.size());
    std::vector<std::int16_t> ordre(static_cast<std::size_t>(n) + 1, 0);
    ordre[0] = static_cast<std::int16_t>(n);
    // Duplicate positions would leave an object out of the drawing; such an
    // object takes the first position left free instead, so every
    // object is drawn exactly once.
    std::vector<int> places;
    for (int i = 1; i <= n; ++i) {
        const int g1 = objets[static_cast<std::size_t>(i - 1)].G[0];
        const int p = g1 >= 1 && g1 <= n ? g1 : i;
        if (ordre[static_cast<std::size_t>(p)] == 0) {
            ordre[static_cast<std::size_t>(p)] = static_cast<std::int16_t>(i);
        } else {
            places.push_back(i);
        }
    }
    std::size_t libre = 1;
    for (int i : places) {
        while (ordre[libre] != 0) ++libre;
        ordre[libre] = static_cast<std::int16_t>(i);
    }
    return ordre;
}

int PagePrecedenteRelieABoutonExiste(const Scene& scene, int page, int objet, const EtatTexte& etat) {
    int cible = 0;
    if (!TexteRelie(scene, page, objet, cible) || !etat) return 0;
    const auto e = etat(page, cible);
    return e.affiche && e.pageCourante >= 2 ? -1 : 0;
}

int PageSuivanteRelieABoutonExiste(const Scene& scene, int page, int objet, const EtatTexte& etat) {
    int cible = 0;
    if (!TexteRelie(scene, page, objet, cible) || !etat) return 0;
    const auto e = etat(page, cible);
    return e.affiche && e.pageCourante < e.pageNb ? -1 : 0;
}

}  // namespace korv::engine

