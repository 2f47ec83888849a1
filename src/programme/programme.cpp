#include "programme/programme.h"

#include <functional>

#include "display/affichage.h"
#include "display/graphiques.h"
#include "display/sprites.h"
#include "display/texte_police.h"
#include "display/texte_riche.h"
#include "display/textes.h"
#include "engine/calcul_grilles.h"
#include "engine/polices.h"
#include "platform/font_catalogue.h"
#include "engine/moteur.h"
#include "grid/magasin_grilles.h"
#include "plan/etat_plan.h"
#include "programme/modules_a_venir.h"
#include "programme/plan_programme.h"
#include "programme/recepteur_moteur.h"
#include "programme/voisins_programme.h"

namespace korv::programme {

namespace {

display::ReglagesTextes ReglagesTextes(const Plateforme& p) {
    display::ReglagesTextes r;
    r.dossierCache = p.dossierCache.empty() ? display::DossierCacheTextes() : p.dossierCache;
    if (p.polices) r.policeDefaut = display::PoliceParDefaut(engine::PoliceDefautNom(*p.polices));
    return r;
}

display::ReglagesAffichage Reglages(const Plateforme& p) {
    display::ReglagesAffichage r;
    r.twipsParPixelX = p.twipsParPixel;
    r.twipsParPixelY = p.twipsParPixel;
    return r;
}

// A drawing hook that no module fills yet stands in for its module: the
// object keeps its frame and outline, and the first use is reported.
template <class... Args>
void AVenir(std::function<void(Args...)>& crochet, ModulesAVenir& modules, std::string_view nom,
            std::string_view operation) {
    if (crochet) return;
    modules.Declarer(nom);
    crochet = [&modules, nom, operation](Args...) { modules.Signaler(nom, operation); };
}

}  // namespace

struct Programme::Modules {
    Modules(engine::Moteur& m, const Plateforme& p)
        : moteur(m),
          aVenir(m),
          etat(*p.messages),
          plan(etat, aVenir),
          affichage(m, Reglages(p)),
          sprites(affichage),
          riche(affichage),
          textes(affichage, ReglagesTextes(p)),
          graphiques(affichage, [this](int page, int objet) { return magasin.Grille(static_cast<std::int16_t>(page), static_cast<std::int16_t>(objet)); }),
          voisins(m, affichage),
          voisinsSprites(m, sprites, &voisins),
          calcul(m),
          magasin(grid::ServicesGrilles{[&m] { return m.jeu.ModeProgramme == engine::kModeJeu; }, {}, &calcul}),
          grilles(magasin, aVenir),
          edition(aVenir),
          impression(aVenir),
          recepteur(m, affichage) {}

    engine::Moteur& moteur;
    ModulesAVenir aVenir;
    plan::EtatPlan etat;
    PlanProgramme plan;
    display::AffichagePage affichage;
    display::TableSprites sprites;
    display::TexteRicheAffichage riche;
    display::TextesPage textes;
    display::GraphiquesPage graphiques;
    VoisinsProgramme voisins;
    display::VoisinsSprites voisinsSprites;
    engine::CalculGrillesMoteur calcul;
    grid::MagasinGrilles magasin;
    GrillesProgramme grilles;
    EditionAVenir edition;
    ImpressionAVenir impression;
    RecepteurMoteur recepteur;
};

Programme::Programme(engine::Moteur& moteur, const Plateforme& p) : m_(std::make_unique<Modules>(moteur, p)) {
    Modules& m = *m_;
    auto& s = moteur.Services();
    s.messages = p.messages;
    s.dialogues = p.dialogues;
    s.horloge = p.horloge;
    s.pompe = p.pompe;
    s.fenetre = p.fenetre;
    s.affichage = &m.affichage;
    s.plan = &m.plan;
    s.scripts = &moteur.ScriptsDuMoteur();
    s.grilles = &m.grilles;
    s.declencheur = &moteur.Declenchement();
    s.edition = &m.edition;

    auto& declenchement = moteur.Declenchement().Configuration();
    declenchement.lanceur = p.lanceur;
    declenchement.navigateur = p.navigateur;
    declenchement.programme = p.executable;
    declenchement.twipsParPixel = {p.twipsParPixel, p.twipsParPixel};
    declenchement.voisins = &m.voisinsSprites;
    moteur.ScriptsDuMoteur().Impression(&m.impression);

    m.affichage.DefinirFenetre(p.fenetreAffichage);
    m.affichage.DefinirMagasin(p.reglages);

    display::BrancherSprites(m.affichage, m.sprites);
    m.riche.Brancher();
    m.textes.Brancher();
    m.graphiques.Brancher();

    auto& c = m.affichage.crochets;
    AVenir(c.ObjetTableauDessine, m.aVenir, module::Grilles, "ObjetTableauDessine");
}

Programme::~Programme() {
    engine::Moteur& moteur = m_->moteur;
    moteur.Services() = {};
    auto& declenchement = moteur.Declenchement().Configuration();
    declenchement.voisins = nullptr;
    declenchement.lanceur = nullptr;
    declenchement.navigateur = nullptr;
    moteur.ScriptsDuMoteur().Impression(nullptr);
}

engine::Moteur& Programme::Moteur() noexcept { return m_->moteur; }
display::AffichagePage& Programme::Affichage() noexcept { return m_->affichage; }
plan::EtatPlan& Programme::Plan() noexcept { return m_->etat; }
plan::RecepteurPage& Programme::Recepteur() noexcept { return m_->recepteur; }
const std::set<std::string, std::less<>>& Programme::ModulesAVenirNoms() const noexcept { return m_->aVenir.Noms(); }
grid::MagasinGrilles& Programme::Grilles() noexcept { return m_->magasin; }

}  // namespace korv::programme
