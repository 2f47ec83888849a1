#include "engine/page_jeu.h"

#include "engine/attente_boucle.h"
#include "engine/erreur.h"
#include "engine/fichier_nom.h"
#include "engine/historique.h"
#include "engine/jeu.h"
#include "engine/moteur.h"
#include "engine/objets_affiches.h"
#include "engine/recherche.h"
#include "engine/souris.h"
#include "engine/texte_casse.h"

namespace korv::engine {

namespace {

constexpr std::int16_t kActionImpression = 20;

// The display told when a preparation begins and ends, however it ends.
class PreparationEnCours {
public:
    explicit PreparationEnCours(Affichage& ecran) : ecran_(ecran) { ecran_.PreparationPageDebut(); }
    ~PreparationEnCours() { ecran_.PreparationPageFin(); }
    PreparationEnCours(const PreparationEnCours&) = delete;
    PreparationEnCours& operator=(const PreparationEnCours&) = delete;

private:
    Affichage& ecran_;
};

// Print and export menus follow the page's first print action.
void MenusImpression(Moteur& moteur, const PageScene& page) {
    auto& f = moteur.Fenetre();
    f.MenuActif(Menu::ExporterPageRtf, false);
    for (const auto& o : page.objets) {
        if (o.Type() == TypeObjet::Action && o.A1 == kActionImpression) {
            f.MenuActif(Menu::ImprimerPage, true);
            if (MajusculeCp1252(o.texte).find("GRP") == std::string::npos) {
                f.MenuActif(Menu::ExporterPageRtf, true);
            }
            return;
        }
    }
    f.MenuActif(Menu::ImprimerPage, false);
}

}  // namespace

void PreparePageJeu(Moteur& moteur, int page) {
    auto& jeu = moteur.jeu;
    if (!moteur.scene.PageExiste(page)) {
        ErreurJournaliser(moteur, "PreparePageJeu", kErreurProgramme, "page " + std::to_string(page) + " inexistante");
        return;
    }
    const PreparationEnCours preparation(moteur.Ecran());
    jeu.JeuDisponible = 0;
    jeu.TempsDebutPage = Maintenant(moteur);
    // A preparation started by a trigger of this one (a jump, even to this
    // same page) takes over: this one stops firing.
    const std::uint64_t generation = ++jeu.generationPreparation;
    const PageScene& p = moteur.scene.Page(page);

    MenusImpression(moteur, p);
    moteur.Ecran().MajTailleFenetre(false);
    auto& fenetre = moteur.Fenetre();
    fenetre.OublierCiblesEdition();
    moteur.Plan().PageMethodeAutoConstruire(page);
    for (int i = 1; i <= p.ObjetNb(); ++i) {
        if (p.Objet(i).Type() == TypeObjet::Tableau) moteur.Tableaux().PreparerPourPage(page, i);
    }
    fenetre.CacherBulleEtChronos();

    EvenementSourisEffaceTous(moteur);
    GlisserEffacer(moteur);
    fenetre.DefinirCurseurDefaut();
    moteur.Ecran().GraphiquesEffacerTous();
    moteur.Ecran().SpriteSupprimerTous();
    moteur.Script().VarLocalesSupprimer();
    ObjetAfficheSupprimerTous(moteur.affiches);
    EvenementEnleverTous(moteur);

    const std::string& palette = moteur.scene.entete.fichierPalette;
    if (!palette.empty() && FileExist(palette)) moteur.Ecran().PaletteSelectionner(palette);

    Empile(moteur, page);

    auto interrompue = [&] { return jeu.PageCourante != page || jeu.generationPreparation != generation || moteur.fin.demandee; };
    const auto ordre = ListeObjetsPageEnZOrder(moteur.scene, page);
    for (std::size_t k = 1; k < ordre.size(); ++k) {
        const int objet = ordre[k];
        if (objet == 0) continue;
        const ObjetPage& o = moteur.scene.Page(page).Objet(objet);
        if (o.Type() != TypeObjet::Fond && o.B3 != 0) continue;
        moteur.Declenche().DeclencheObjet(page, objet, 0, 0, 2, 1);
        if (interrompue()) return;
    }
    // Elements of object 1 that target the page itself.
    if (moteur.scene.ObjetExiste(page, 1)) {
        const auto elements = moteur.scene.Page(page).Objet(1).elements;
        for (std::size_t j = 0; j < elements.size(); ++j) {
            const auto& e = elements[j];
            if (e.PageCible != page) continue;
            moteur.Declenche().DeclencheObjet(page, e.ObjetCible, static_cast<int>(j + 1), e.Parametre, 2, 1);
            if (interrompue()) return;
        }
    }

    // The page's show actions (a closing date's treatment of a monthly grid)
    // change its grids after they were computed and drawn: they are
    // computed again, and those shown drawn again, so that the first show
    // is what every later one shows.
    for (int i = 1; i <= p.ObjetNb(); ++i) {
        if (p.Objet(i).Type() != TypeObjet::Tableau) continue;
        moteur.Tableaux().Recalculer(page, i);
        if (ObjetAfficheNObjetVersNAffiche(moteur.affiches, page, i) >= 1) moteur.Tableaux().Affiche(page, i);
        if (interrompue()) return;
    }

    if (jeu.ModeProgramme == kModeJeu && PageUtiliseAvantPlan(moteur.scene, page)) {
        moteur.Ecran().AfficherPageAvantPlan(page);
        // A foreground object may have jumped: the new page is already shown.
        if (interrompue()) return;
    }
    if (jeu.ModeProgramme == kModeJeu) {
        const PageScene& courante = moteur.scene.Page(jeu.PageCourante);
        for (int i = 1; i <= courante.ObjetNb(); ++i) {
            if (courante.Objet(i).Type() == TypeObjet::Tableau) moteur.Tableaux().BoutonAscenseurMaj(jeu.PageCourante, i);
        }
        moteur.Ecran().Effet(moteur.scene.ObjetExiste(page, 1) ? moteur.scene.Page(page).Objet(1).E2 : 0);
    }
    jeu.JeuDisponible = -1;
}

void SauteALaPage(Moteur& moteur, int page) {
    if (!moteur.scene.PageExiste(page)) {
        // A jump outside the table is a scene fault the player survives.
        ErreurJournaliser(moteur, "SauteALaPage", kErreurProgramme,
                          "saut vers la page " + std::to_string(page) + " inexistante");
        return;
    }
    moteur.Plan().MethodeTextesVider(moteur.jeu.PageCourante);
    moteur.jeu.PageCourante = static_cast<std::int16_t>(page);
    ArreterTout(moteur);
    PreparePageJeu(moteur, page);
}

void RetourPagePrecedente(Moteur& moteur) {
    if (moteur.PileHistorique.size() <= 1) return;
    Depile(moteur);
    SauteALaPage(moteur, Depile(moteur));
}

void RetourPagePrecedenteOublier(Moteur& moteur) { Depile(moteur); }

}  // namespace korv::engine
