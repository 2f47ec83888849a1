// Any bytes given as a plan document, whole or as a part, against a small
// scene (kept texts, grids, a "BILDON" page with its two companions): a
// refused document changes nothing of the plan; an accepted one is written
// back and read again to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "engine/moteur.h"
#include "grid/grid_record.h"
#include "grid/tableau.h"
#include "plan/document/document_plan.h"
#include "plan/etat_plan.h"
#include "plan/methode/etapes_methode.h"
#include "platform/message_box.h"

namespace {

using namespace korv;

class Silence final : public platform::BoiteMessage {
public:
    int Afficher(std::string_view, int, std::string_view) override { return 7; }
};

std::unique_ptr<grid::TableauClasse> Grille(int c, int r) {
    grid::GrilleEnregistrement g;
    g.forme = grid::FormeGrille::Complete;
    g.colonneNb = static_cast<std::uint8_t>(c);
    g.ligneNb = static_cast<std::uint8_t>(r);
    g.colonnes.resize(static_cast<std::size_t>(c));
    for (auto& x : g.colonnes) x.taille = 1200;
    g.lignes.resize(static_cast<std::size_t>(r));
    for (auto& x : g.lignes) x.taille = 500;
    g.textes.push_back({1, 1, "Titre", std::nullopt});
    grid::AttributCaseFichier a;
    a.colonne = 1;
    a.ligne = 2;
    a.editable = -1;
    g.attributs.push_back(a);
    auto t = std::make_unique<grid::TableauClasse>();
    t->InitialiseRectangleParent(0, 0, 5000, 5000);
    t->Charge(g, {});
    return t;
}

engine::ObjetPage Objet(engine::TypeObjet type, const char* nom, std::int16_t drapeaux = 0, const char* texte = "") {
    engine::ObjetPage o;
    o.type = static_cast<std::uint8_t>(type);
    o.nom = nom;
    o.G[2] = drapeaux;
    o.texte = texte;
    return o;
}

struct Plan {
    Plan() {
        const char* noms[] = {"DEBUT", "BILDON", "RENTANA", "BILANA"};
        for (const char* nom : noms) {
            engine::PageScene p;
            p.objets.push_back(Objet(engine::TypeObjet::Fond, nom));
            p.objets.push_back(Objet(engine::TypeObjet::TexteRtf, "T", 2, "{\\rtf1 a}"));
            p.objets.push_back(Objet(engine::TypeObjet::Tableau, "G"));
            moteur.scene.pages.push_back(std::move(p));
        }
        for (int p = 1; p <= 4; ++p) grilles[p] = Grille(2 + p % 2, 3);
        etapes.MethodePlanDefautCreer();
        etapes.PolicesDefautInitialiser();
        plan::ServicesDocument s;
        s.moteur = &moteur;
        s.grille = [this](int page, int objet) -> grid::TableauClasse* {
            return objet == 3 && grilles.count(page) ? grilles[page].get() : nullptr;
        };
        s.etat = &etat;
        s.etapes = &etapes;
        s.messages = &messages;
        document = std::make_unique<plan::DocumentPlan>(s);
    }
    Silence messages;
    engine::Moteur moteur;
    std::map<int, std::unique_ptr<grid::TableauClasse>> grilles;
    plan::EtatPlan etat{messages};
    plan::MethodeEtapes etapes;
    std::unique_ptr<plan::DocumentPlan> document;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    // The first byte chooses a whole plan or the part of page 1 or 2.
    const auto page = static_cast<std::int16_t>(data[0] % 3);
    const std::string_view octets(reinterpret_cast<const char*>(data + 1), size - 1);
    static Plan* p = new Plan();
    p->document->PlanAffaireNouveau();
    const std::string avant = p->document->Octets(0);
    if (!p->document->Charger(octets, page).empty()) {
        if (p->document->Octets(0) != avant) std::abort();
        return 0;
    }
    const std::string apres = p->document->Octets(page);
    if (!p->document->Charger(apres, page).empty() || p->document->Octets(page) != apres) std::abort();
    return 0;
}
