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
#include "engine/dialogues_communs.h"
#include "engine/declencheurs_objets.h"
#include "engine/polices.h"
#include "platform/font_catalogue.h"
#include "engine/moteur.h"
#include "engine/recherche.h"
#include "engine/objets_affiches.h"
#include "grid/grille_dessin.h"
#include "grid/grille_selection.h"
#include "grid/magasin_grilles.h"
#include "plan/document/document_plan.h"
#include "plan/barre_rtf.h"
#include "plan/panneau_redaction.h"
#include "plan/regle_bulle.h"
#include "plan/etat_plan.h"
#include "plan/methode/etapes_methode.h"
#include "platform/edit_box.h"
#include "platform/fichiers_document.h"
#include "platform/grid_tooltip_timer.h"
#include "platform/message_box.h"
#include "platform/tooltip.h"
#include "programme/edition_programme.h"
#include "programme/fenetre_programme.h"
#include "print/imprimante.h"
#include "print/mesureur.h"
#include "programme/exportation_programme.h"
#include "programme/fonctions_grilles_programme.h"
#include "programme/impression_programme.h"
#include "programme/methode_pages_programme.h"
#include "programme/fenetre_principale_programme.h"
#include "programme/souris_textes_methode_programme.h"
#include "programme/textes_methode_programme.h"
#include "programme/fonctions_cases_programme.h"
#include "programme/grilles_programme.h"
#include "programme/plan_programme.h"
#include "programme/recepteur_moteur.h"
#include "plan/arbre_plan.h"
#include "programme/redaction_programme.h"
#include "programme/voisins_programme.h"

namespace korv::programme {

namespace {

display::ReglagesTextes ReglagesTextes(const Plateforme& p) {
    display::ReglagesTextes r;
    r.dossierCache = p.dossierCache.empty() ? display::DossierCacheTextes() : p.dossierCache;
    if (p.polices) r.policeDefaut = display::PoliceParDefaut(engine::PoliceDefautNom(*p.polices));
    return r;
}

// One page's part of the plan document, for PAGESAUVE and PAGECHARGE.
class DocumentPlanPartie final : public grid::DocumentPlanPartie {
public:
    explicit DocumentPlanPartie(plan::DocumentPlan& document) : document_(document) {}
    void PlanAffaireEnregistrer(std::string_view nom, bool dialogueForce, std::int16_t page,
                                bool demandeEcrasement) override {
        (void)document_.PlanAffaireEnregistrer(nom, dialogueForce, page, demandeEcrasement);
    }
    void PlanAffaireOuvrir(std::string_view nom, bool demandeSauver, std::int16_t page) override {
        document_.PlanAffaireOuvrir(nom, demandeSauver, page);
    }

private:
    plan::DocumentPlan& document_;
};

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
          fenetre(p.fenetreAffichage),
          etat(*p.messages),
          document(ServicesDocument(p)),
          partie(document),
          plan(etat, document, etapes),
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
          regleBulle(p.bulle, p.horloge),
          magasin(ServicesGrilles(p)),
          grilles(magasin),
          marqueVu(etat, etapes, pagesMethode),
          enTetePied(p.redaction, etat),
          fonctions(m, magasin, affichage, p, marqueVu, enTetePied, partie),
          edition(m, magasin, affichage, etat, etapes, p.boiteEdition, p.boiteEditionRiche, barres,
                  p.polices ? engine::PoliceDefautNom(*p.polices) : std::string("Arial")),
          redaction(m, affichage, etat, etapes, barres, edition, p.redaction),
          textesMethode(m, affichage, p.texteMethode, p.menuSav),
          pagesMethode(m, etapes, magasin, redaction, textesMethode),
          impression(m, magasin, affichage, p.messages, p.imprimante ? *p.imprimante : imprimanteDefaut,
                     p.mesureur ? *p.mesureur : mesureurDefaut),
          exportation(m, affichage, impression, p.messages, p.dialogues),
          recepteur(m, affichage, magasin, edition, redaction),
          sourisMethode(m, affichage, sprites, textesMethode, p.bulle),
          fenetrePrincipale(p.fenetre, textesMethode) {}

    grid::ServicesGrilles ServicesGrilles(const Plateforme& p);
    plan::ServicesDocument ServicesDocument(const Plateforme& p);
    // A grid drawn into the page buffer (`Affiche` with the grid lines).
    void DessineGrille(int page, int objet);
    // `BoutonAscenseurMaj`: the scroll buttons that name the grid.
    void BoutonsAscenseur(int page, int objet);

    engine::Moteur& moteur;
    FenetreAffichageProgramme fenetre;
    plan::EtatPlan etat;
    plan::MethodeEtapes etapes;
    platform::FichiersDocumentDisque disque;
    plan::DocumentPlan document;
    DocumentPlanPartie partie;
    PlanProgramme plan;
    display::AffichagePage affichage;
    display::TableSprites sprites;
    display::TexteRicheAffichage riche;
    display::TextesPage textes;
    display::GraphiquesPage graphiques;
    VoisinsProgramme voisins;
    display::VoisinsSprites voisinsSprites;
    engine::CalculGrillesMoteur calcul;
    // The tooltip's life on mouse moves (page surface, plan tree, writing box).
    plan::RegleBulle regleBulle;
    grid::MagasinGrilles magasin;
    GrillesProgramme grilles;
    // The method's pages are built further down; the mark reaches them only
    // once a formula runs.
    MarqueVuProgramme marqueVu;
    EnTetePiedRedaction enTetePied;
    FonctionsGrillesProgramme fonctions;
    plan::BarresRTF barres;
    EditionProgramme edition;
    RedactionProgramme redaction;
    TextesMethodeProgramme textesMethode;
    MethodePagesProgramme pagesMethode;
    // Without a printer of the platform (headless tools): an A4 page and
    // lines of fixed size.
    print::ImprimanteFixe imprimanteDefaut;
    print::MesureurFixe mesureurDefaut{80, 240};
    ImpressionProgramme impression;
    ExportationProgramme exportation;
    RecepteurMoteur recepteur;
    SourisTextesMethodeProgramme sourisMethode;
    FenetrePrincipaleProgramme fenetrePrincipale;
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
        regleBulle.Montree();
    };
    return s;
}

plan::ServicesDocument Programme::Modules::ServicesDocument(const Plateforme& p) {
    plan::ServicesDocument s;
    s.moteur = &moteur;
    s.grille = [this](int page, int objet) {
        return magasin.Grille(static_cast<std::int16_t>(page), static_cast<std::int16_t>(objet));
    };
    s.etat = &etat;
    s.etapes = &etapes;
    s.messages = p.messages;
    s.dialogues = p.dialogues;
    s.fichiers = p.fichiers ? p.fichiers : &disque;
    s.redaction = &redaction;
    s.fenetre = p.fenetreDocument;
    // The edit in progress is taken, as Enter takes it.
    s.texteEditeFin = [this] { edition.Valider(); };
    s.boiteEditionFocus = [this] { return edition.AFocus(); };
    s.focusPage = [f = p.fenetreDocument] {
        if (f) f->FocusPage();
    };
    s.progressionOuvre = [this](std::string_view titre, std::string_view texte) {
        display::MessageFenetreOuvre(affichage, titre, texte);
    };
    s.progressionPourcentage = [this](int v) { display::MessagePourcentageAffiche(affichage, v); };
    s.progressionFerme = [this] { display::MessageFenetreFerme(affichage); };
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
    m.impression.DefinirExportation(m.exportation);
    m.impression.PoliceTexteBalise(p.polices ? engine::PoliceDefautNom(*p.polices) : std::string("Arial"));
    auto& s = moteur.Services();
    s.messages = p.messages;
    s.dialogues = p.dialogues;
    s.horloge = p.horloge;
    s.pompe = p.pompe;
    s.fenetre = &m.fenetrePrincipale;
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
    moteur.ScriptsDuMoteur().Sommaire(&m.impression.BoiteSommaire());
    moteur.ScriptsDuMoteur().FonctionsGrilles(m.fonctions.Premiere());

    m.affichage.DefinirFenetre(&m.fenetre);
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

    // The plan document: the save question saves through it, the grids'
    // recalculation knows when it loads, and a reset gives back the texts
    // the scene held.
    m.etat.enregistrer = [&m] { return m.document.PlanAffaireEnregistrer(m.etat.NomFichierPlan, false, 0, true); };
    m.etat.editionValider = [&m] { m.document.PlanAffaireEditionValider(); };
    m.calcul.chargementPlan = [&m] { return m.document.ChargementPlanEnCours(); };
    m.grilles.construites = [&m] { m.document.TextesSceneRetenir(); };
    m.recepteur.document = &m.document;
    // A step node of the plan tree makes its step current.
    m.recepteur.methodeChanger = [&m](std::string_view code) { m.etapes.MethodeChanger(code); };
    m.recepteur.etapeCouranteCode = [&m] { return m.etapes.EtapeCouranteCode(); };
    m.recepteur.pageImprimer = [&m] { m.impression.PageCouranteImprimer(); };
    m.recepteur.pageExporterRtf = [&m] { m.impression.PageCouranteExporteRTF(); };
    m.recepteur.regleBulle = &m.regleBulle;
    m.redaction.regleBulle = &m.regleBulle;
    // The written plan reads the steps, ends the edit in progress and
    // stores the writing box before printing.
    ImpressionProgramme::Plan planImprime;
    planImprime.etapes = &m.etapes;
    planImprime.editionValider = [&m] { m.document.PlanAffaireEditionValider(); };
    planImprime.redactionSauver = [&m](std::string_view source) { m.redaction.RedactionTexteSauver(source); };
    m.impression.Brancher(std::move(planImprime));

    // The method's current step is the engine's, which the history keeps.
    m.etapes.EtapeCouranteLier(moteur.jeu.EtapeCourante);

    m.barres.familles = [polices = p.polices] {
        engine::ListesPolicesRtf listes;
        if (polices) engine::PolicesListesRemplir(listes, *polices);
        return listes.polices[0];
    };
    m.barres.choisirCouleur = [&moteur, dialogue = p.couleur](std::int32_t& couleur) {
        return engine::VBChooseColor(dialogue, moteur.scene.entete, couleur);
    };
    m.fenetre.redactionVisible = [panneau = p.redaction] { return panneau && panneau->EstVisible(); };
    m.fenetre.panneauxMethodeMaj = [&m] { m.redaction.PanneauxMethodeMaj(); };
    m.fenetre.decaleAscenseurs = [&m] { m.edition.TexteEditeParUtilisateurDecaleAscenseurs(); };
    m.plan.pageConstruire = [&m](int page) {
        // The writing box goes back to the source it served before the page
        // is built, even when the user emptied it.
        m.redaction.TexteSauver(true);
        m.pagesMethode.PageMethodeAutoConstruire(page);
    };
    // The method texts go to the platform's boxes when it has them.
    if (m.textesMethode.Existent()) {
        m.riche.DefinirBoitesMethode(&m.textesMethode);
        m.fenetre.menuSavTexteMetPlacer = [&m] { m.textesMethode.MenuSavTexteMetPlacer(); };
    }
    m.plan.textesVider = [&m] { m.textesMethode.MethodeTextesVider(); };
    m.plan.dossierProgramme = [&moteur] { return moteur.dossierProgramme; };
    m.plan.numeroDePage = [&moteur](std::string_view nom) { return engine::NumeroDePage(moteur.scene, nom); };

    // The mouse over the method texts, and the sprites that follow them.
    m.plan.sourisMethode = &m.sourisMethode;
    m.plan.texteMethodeDefiler = [&m](std::int32_t y) { m.textesMethode.TexteMethodeDefiler(y); };
    m.voisins.spritesMethodeMaj = [&m] { m.sourisMethode.ObjetsSpriteMethodeMaj(); };
    m.fenetre.spritesMethodeMaj = [&m] { m.sourisMethode.ObjetsSpriteMethodeMaj(); };
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
grid::MagasinGrilles& Programme::Grilles() noexcept { return m_->magasin; }
plan::BarresRTF& Programme::Barres() noexcept { return m_->barres; }
plan::Redaction& Programme::Redaction() noexcept { return m_->redaction; }
const print::ImpressionTravail& Programme::TravailImpression() const noexcept { return m_->impression.Travail(); }
formula::BoiteSommaire& Programme::BoiteSommaire() noexcept { return m_->impression.BoiteSommaire(); }
print::Imprimante& Programme::Imprimante() noexcept { return m_->impression.Imprimante(); }
plan::DocumentPlan& Programme::Document() noexcept { return m_->document; }
plan::MethodeEtapes& Programme::Etapes() noexcept { return m_->etapes; }

void Programme::SurArbrePlan(std::function<void(const std::vector<plan::NoeudArbre>&)> remplir) {
    m_->plan.arbreRemplir = [this, remplir = std::move(remplir)] {
        if (remplir) remplir(ArbrePlan());
    };
}

std::vector<plan::NoeudArbre> Programme::ArbrePlan() {
    return plan::PlanArbreRemplir(m_->etapes, [this](int i) { return m_->etapes.EtapeNumeroTexte(i); });
}

}  // namespace korv::programme
