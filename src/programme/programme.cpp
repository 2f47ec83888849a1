#include "programme/programme.h"

#include <functional>

#include "display/affichage.h"
#include "display/grille_pinceau.h"
#include "display/surface_twips.h"
#include "display/graphiques.h"
#include "display/sprites.h"
#include "display/texte_police.h"
#include "display/texte_riche.h"
#include "display/textes.h"
#include "engine/calcul_grilles.h"
#include "engine/declencheurs_objets.h"
#include "engine/polices.h"
#include "platform/font_catalogue.h"
#include "engine/moteur.h"
#include "engine/objets_affiches.h"
#include "grid/grille_dessin.h"
#include "grid/grille_selection.h"
#include "grid/magasin_grilles.h"
#include "plan/etat_plan.h"
#include "platform/grid_tooltip_timer.h"
#include "platform/message_box.h"
#include "platform/tooltip.h"
#include "programme/edition_programme.h"
#include "print/imprimante.h"
#include "print/mesureur.h"
#include "programme/fonctions_grilles_programme.h"
#include "programme/impression_programme.h"
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
          graphiques(affichage,
                     [this](int page, int objet) {
                         return magasin.Grille(static_cast<std::int16_t>(page), static_cast<std::int16_t>(objet));
                     }),
          voisins(m, affichage, magasin),
          voisinsSprites(m, sprites, &voisins),
          calcul(m),
          magasin(ServicesGrilles(p)),
          grilles(magasin),
          fonctions(m, magasin, affichage, p, aVenir),
          edition(m, magasin, affichage, etat, aVenir, p.boiteEdition,
                  p.polices ? engine::PoliceDefautNom(*p.polices) : std::string("Arial")),
          reste(aVenir),
          impression(m, magasin, affichage, reste, p.messages, p.imprimante ? *p.imprimante : imprimanteDefaut,
                     p.mesureur ? *p.mesureur : mesureurDefaut),
          sommaire(aVenir),
          recepteur(m, affichage, magasin, edition) {}

    grid::ServicesGrilles ServicesGrilles(const Plateforme& p);
    // A grid drawn into the page buffer (`Affiche` with the grid lines).
    void DessineGrille(int page, int objet);
    // `BoutonAscenseurMaj`: the scroll buttons that name the grid.
    void BoutonsAscenseur(int page, int objet);

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
    FonctionsGrillesProgramme fonctions;
    EditionProgramme edition;
    // Without a printer of the platform (headless tools): an A4 page and
    // lines of fixed size.
    print::ImprimanteFixe imprimanteDefaut;
    print::MesureurFixe mesureurDefaut{80, 240};
    ImpressionAVenir reste;
    ImpressionProgramme impression;
    SommaireAVenir sommaire;
    RecepteurMoteur recepteur;
};

grid::ServicesGrilles Programme::Modules::ServicesGrilles(const Plateforme& p) {
    grid::ServicesGrilles s;
    s.pressePapier = p.pressePapier;
    s.chronoDefilement = p.chronoDefilement;
    s.chronoBulle = p.chronoBulle;
    s.pageCourante = [this] { return static_cast<std::int16_t>(moteur.jeu.PageCourante); };
    s.enJeu = [this] { return moteur.jeu.ModeProgramme == engine::kModeJeu; };
    s.calcul = &calcul;
    // Only a grid shown on the current page is drawn: a hidden one (a
    // chart's parameter grid) stays off the page after a recalculation.
    s.redessine = [this](std::int16_t page, std::int16_t objet) {
        if (page == moteur.jeu.PageCourante && engine::ObjetAfficheNObjetVersNAffiche(moteur.affiches, page, objet) > 0) {
            DessineGrille(page, objet);
        }
    };
    s.majFenetre = [this] { affichage.MajFenetreJeu(); };
    s.planModifie = [this] { etat.PlanAffaireModifieFixer(true); };
    s.pixelX = [this] { return affichage.PageTampon.TwipsParPixelX(); };
    s.pixelY = [this] { return affichage.PageTampon.TwipsParPixelY(); };
    s.caseEditer = [this](grid::TableauClasse& g, int c, int r) { edition.CaseEditer(g, c, r); };
    s.caseEditee = [this](const grid::TableauClasse& g) { return edition.CaseEditeeDans(g); };
    s.demandeOui = [this, messages = p.messages](std::string_view texte) {
        return messages && messages->Afficher(texte, platform::style::OuiNon + platform::style::Question,
                                               "Corvanne Rarevive Zaru") == 6;
    };
    s.validerEdition = [this] { edition.Valider(); };
    s.bulleAffiche = [this, bulle = p.bulle, chrono = p.chronoBulle](std::int32_t x, std::int32_t y,
                                                                      std::string_view texte) {
        // A tooltip shown stops the timer that would show it again.
        if (chrono) chrono->Arreter();
        if (!bulle) return;
        const std::int32_t tx = affichage.PageTampon.TwipsParPixelX(), ty = affichage.PageTampon.TwipsParPixelY();
        bulle->Afficher(display::PixelsDepuisTwips(x, tx) - affichage.DecalageAffichageX,
                        display::PixelsDepuisTwips(y, ty) - affichage.DecalageAffichageY, texte);
    };
    return s;
}

void Programme::Modules::DessineGrille(int page, int objet) {
    grid::TableauClasse* g = magasin.Cherche(page, objet);
    if (!g) return;
    display::PinceauSurface pinceau(affichage.PageTampon, affichage.images, moteur.scene.entete.repertoireScene);
    grid::DessinGrille dessin(
        *g, pinceau, [this, g](int c, int r) { return magasin.TexteAffiche(*g, c, r); },
        moteur.jeu.ModeProgramme == engine::kModeJeu);
    // Sub-format 2 cells take the default text format's font and size.
    grid::PoliceCase defaut;
    defaut.nom = textes.FormatageDefaut.police;
    defaut.taille = textes.FormatageDefaut.taille;
    dessin.PoliceDefaut(std::move(defaut));
    dessin.Affiche(true);
    BoutonsAscenseur(page, objet);
}

void Programme::Modules::BoutonsAscenseur(int page, int objet) {
    if (moteur.jeu.ModeProgramme != engine::kModeJeu) return;
    grid::TableauClasse* g = magasin.Cherche(page, objet);
    if (!g || g->MajAutoAscenseurDesactivee()) return;
    constexpr int kHorizontal = 10, kVertical = 9;
    auto& liste = moteur.affiches;
    for (int i = 1; i <= liste.Nombre(); ++i) {
        const engine::ObjetAffiche e = liste.Entree(i);
        if (e.role != kHorizontal && e.role != kVertical) continue;
        if (!moteur.scene.ObjetExiste(e.page, e.objet)) continue;
        bool vise = false;
        for (const auto& el : moteur.scene.Page(e.page).Objet(e.objet).elements) {
            vise = vise || (el.PageCible == page && el.ObjetCible == objet);
        }
        if (!vise) continue;
        int n = sprites.SpriteNObjetVersNSprite(e.page, e.objet);
        if (n == 0) {
            engine::DeclencheDivers(moteur, e.page, e.objet, 1, 0, -1);
            n = sprites.SpriteNObjetVersNSprite(e.page, e.objet);
        }
        if (n == 0) continue;
        if (e.role == kHorizontal) {
            if (const auto p = grid::PourcentageAscenseur(*g, true)) sprites.SpriteDeplacerPourcentageX(n, *p);
        } else if (const auto p = grid::PourcentageAscenseur(*g, false)) {
            sprites.SpriteDeplacerPourcentageY(n, *p);
        }
        if (!liste.Existe(i)) break;
    }
}

Programme::Programme(engine::Moteur& moteur, const Plateforme& p) : m_(std::make_unique<Modules>(moteur, p)) {
    Modules& m = *m_;
    m.impression.DefinirApercu(p.apercu);
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
    s.conversion = &m.fonctions.Conversion();

    auto& declenchement = moteur.Declenchement().Configuration();
    declenchement.lanceur = p.lanceur;
    declenchement.navigateur = p.navigateur;
    declenchement.programme = p.executable;
    declenchement.twipsParPixel = {p.twipsParPixel, p.twipsParPixel};
    declenchement.voisins = &m.voisinsSprites;
    moteur.ScriptsDuMoteur().Impression(&m.impression);
    moteur.ScriptsDuMoteur().Sommaire(&m.sommaire);
    moteur.ScriptsDuMoteur().FonctionsGrilles(m.fonctions.Premiere());

    m.affichage.DefinirFenetre(p.fenetreAffichage);
    m.affichage.DefinirMagasin(p.reglages);

    display::BrancherSprites(m.affichage, m.sprites);
    m.riche.Brancher();
    m.textes.Brancher();
    m.graphiques.Brancher();

    auto& c = m.affichage.crochets;
    // An object the display shows by itself (a next- or previous-page
    // button) is shown through its trigger, so that it waits for its clicks.
    c.DeclencheDivers = [&moteur](int page, int objet) { engine::DeclencheDivers(moteur, page, objet, 1, 0, -1); };
    c.ObjetTableauDessine = [&m](int page, int objet) { m.DessineGrille(page, objet); };
    // A grid follows its object when the page is fitted to the window (a
    // chart takes its object's rectangle at each drawing).
    c.RectangleParentMaj = [&m, &moteur](int page, int objet) {
        grid::TableauClasse* g = m.magasin.Cherche(page, objet);
        if (!g || !moteur.scene.ObjetExiste(page, objet)) return;
        const engine::ObjetPage& o = moteur.scene.Page(page).Objet(objet);
        g->InitialiseRectangleParent(o.gauche, o.haut, std::int32_t{o.gauche} + o.largeur,
                                     std::int32_t{o.haut} + o.hauteur);
    };
    m.grilles.ascenseurs = [&m](int page, int objet) { m.BoutonsAscenseur(page, objet); };
}

Programme::~Programme() {
    engine::Moteur& moteur = m_->moteur;
    moteur.Services() = {};
    auto& declenchement = moteur.Declenchement().Configuration();
    declenchement.voisins = nullptr;
    declenchement.lanceur = nullptr;
    declenchement.navigateur = nullptr;
    moteur.ScriptsDuMoteur().Impression(nullptr);
    moteur.ScriptsDuMoteur().Sommaire(nullptr);
    moteur.ScriptsDuMoteur().FonctionsGrilles(nullptr);
}

engine::Moteur& Programme::Moteur() noexcept { return m_->moteur; }
display::AffichagePage& Programme::Affichage() noexcept { return m_->affichage; }
display::GraphiquesPage& Programme::Graphiques() noexcept { return m_->graphiques; }
plan::EtatPlan& Programme::Plan() noexcept { return m_->etat; }
plan::RecepteurPage& Programme::Recepteur() noexcept { return m_->recepteur; }
const std::set<std::string, std::less<>>& Programme::ModulesAVenirNoms() const noexcept { return m_->aVenir.Noms(); }
grid::MagasinGrilles& Programme::Grilles() noexcept { return m_->magasin; }
const print::ImpressionTravail& Programme::TravailImpression() const noexcept { return m_->impression.Travail(); }
print::Imprimante& Programme::Imprimante() noexcept { return m_->impression.Imprimante(); }

}  // namespace korv::programme
