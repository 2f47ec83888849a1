#include "plan/document/document_plan.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "engine/recherche.h"
#include "engine/scene.h"
#include "grid/tableau.h"
#include "plan/document/chargeur_ancien.h"
#include "plan/etat_plan.h"
#include "plan/methode/etapes_methode.h"
#include "plan/redaction.h"
#include "platform/binary_reader.h"
#include "platform/cp1252.h"
#include "platform/file_dialog.h"
#include "platform/fichiers_document.h"
#include "platform/message_box.h"
#include "platform/path_resolver.h"

namespace korv::plan {

namespace {

constexpr std::string_view kCrlf = "\r\n";
constexpr int kPages230 = 134;
// The documents of versions 2.2 to 2.29, converted when opened.
constexpr std::int32_t kVersionAncienneMin = 22;
constexpr std::int32_t kVersionAncienneMax = 229;

std::string T(std::string_view utf8) { return platform::Utf8VersCp1252(utf8); }

std::string ErreurChargement() { return T("Une erreur est survenue pendant le chargement"); }

std::optional<std::string> LireFichierObjet(std::string_view nomWindows) {
    const auto chemin = platform::ResoudreChemin(nomWindows);
    if (!chemin) return std::nullopt;
    std::ifstream f(*chemin, std::ios::binary);
    if (!f) return std::nullopt;
    std::string octets(std::istreambuf_iterator<char>(f), {});
    if (f.bad()) return std::nullopt;
    return octets;
}

int Pourcentage(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

struct DocumentPlan::Lecture {
    std::int32_t version = 0;
    bool version230 = false;
    int premiere = 0;
    int derniere = 0;
    std::vector<PageLue> pages;
    std::optional<std::vector<EtapeLue>> etapes;
    // A 2.x document, to be converted.
    std::optional<DocumentAncienLu> ancien;
};

DocumentPlan::DocumentPlan(ServicesDocument services) : s_(std::move(services)) {}

SceneDocument DocumentPlan::Scene() const { return SceneDocument{s_.moteur->scene, s_.grille}; }

int DocumentPlan::Message(std::string_view texte, int style, bool titre) {
    if (!s_.messages) return platform::Code(platform::Reponse::Annuler);
    // The progress window would stay over the box and hide its buttons.
    if (progression_.ouverte && s_.progressionFerme) s_.progressionFerme();
    progression_.ouverte = false;
    return s_.messages->Afficher(texte, style, titre ? kTitreProgramme : std::string_view{});
}

void DocumentPlan::Legende() {
    if (!s_.fenetre) return;
    const std::string& nom = s_.etat->NomFichierPlan;
    s_.fenetre->Legende(nom.empty() ? std::string(kTitreProgramme)
                                    : std::string(kTitreProgramme) + " (" + nom + ")");
    s_.fenetre->EnregistrerActif(!nom.empty());
}

void DocumentPlan::ProgressionOuvre(std::string_view titre) {
    progression_.titre = std::string(titre);
    progression_.enCours = true;
    progression_.ouverte = true;
    if (s_.progressionOuvre) s_.progressionOuvre(titre, "En cours...");
}

void DocumentPlan::ProgressionPourcentage(int valeur) {
    if (!progression_.enCours) return;
    if (!progression_.ouverte) {
        // Closed for a message: the work goes on, the window comes back.
        progression_.ouverte = true;
        if (s_.progressionOuvre) s_.progressionOuvre(progression_.titre, "En cours...");
    }
    if (s_.progressionPourcentage) s_.progressionPourcentage(valeur);
}

void DocumentPlan::ProgressionFerme() {
    if (progression_.ouverte && s_.progressionFerme) s_.progressionFerme();
    progression_ = {};
}

void DocumentPlan::Finir() {
    ProgressionFerme();
    engine::Moteur& m = *s_.moteur;
    if (m.jeu.ModeProgramme == engine::kModeJeu && m.scene.PageExiste(m.jeu.PageCourante)) {
        engine::SauteALaPage(m, m.jeu.PageCourante);
    }
}

void DocumentPlan::PlanAffaireEditionValider() {
    const bool focus = (s_.boiteEditionFocus && s_.boiteEditionFocus()) || (s_.redaction && s_.redaction->ALeFocus());
    if (focus) s_.etat->PlanAffaireModifieFixer(true);
    if (s_.focusPage) s_.focusPage();
    if (s_.texteEditeFin) s_.texteEditeFin();
    if (s_.redaction && s_.redaction->AUneSource()) s_.redaction->TexteSauver(false);
}

std::string DocumentPlan::Octets(std::int16_t page, const std::function<void(int)>& pourcentage) const {
    return DocumentEcrire(Scene(), *s_.etapes, page, pourcentage);
}

int DocumentPlan::PlanAffaireEnregistrer(std::string_view nom, bool forcerDialogue, std::int16_t page,
                                         bool demanderEcrasement) {
    // What the user typed is stored, but the writing box keeps its source
    // until the page is shown again: a save that stops here must not lose
    // what is typed next.
    PlanAffaireEditionValider();
    const bool complet = page == 0;
    std::string cible;
    bool dialogue = nom.empty() || forcerDialogue;
    if (!dialogue) {
        cible = std::string(nom);
        if (FichierAnterieur(cible)) {
            // The older plan a conversion came from is kept: the user names
            // the new file (else "Oui" to the save question could never save).
            RefusAnterieur();
            dialogue = true;
        } else if (demanderEcrasement && s_.fichiers->Existe(platform::Cp1252VersUtf8(cible)) &&
                   s_.etat->DialogueFichierEcraserDemande(cible) != kEnregistre) {
            return kAnnule;
        }
    }
    if (dialogue) {
        platform::DemandeFichier d;
        d.NomFichier = std::string(nom);
        d.RepertoireInitial = nom.empty() ? dossierRecent_ : Dossier(nom);
        d.Filtre = "Plan d'affaire (*.tvr)|*.tvr";
        d.IndexFiltre = 1;
        d.TitreDialogue = "Enregistrer un plan d'affaire";
        d.ExtensionDefaut = "tvr";
        if (!s_.dialogues || !s_.dialogues->Enregistrer(d)) return kAnnule;
        cible = d.NomFichier;
        dossierRecent_ = Dossier(cible);
        if (s_.fichiers->Existe(platform::Cp1252VersUtf8(cible)) &&
            s_.etat->DialogueFichierEcraserDemande(cible) != kEnregistre) {
            return kNonEnregistre;
        }
        if (FichierAnterieur(cible)) {
            RefusAnterieur();
            return kAnnule;
        }
    }
    const std::string chemin = platform::Cp1252VersUtf8(cible);

    ProgressionOuvre(T(complet ? "Enregistrement d'un plan d'affaire" : "Enregistrement d'une page de plan d'affaire"));
    const std::string octets = Octets(page, [this](int v) { ProgressionPourcentage(v); });
    const platform::ResultatEcriture r = s_.fichiers->Remplacer(chemin, octets);
    ProgressionFerme();
    if (!r.reussi) {
        std::string texte = T("Le plan d'affaires n'a pas pu être enregistré dans le fichier '") + cible + "'.";
        texte += kCrlf;
        texte += T(r.erreur);
        Message(texte, platform::style::Exclamation);
        return kAnnule;
    }
    dossierRecent_ = Dossier(cible);
    if (complet) {
        s_.etat->NomFichierPlan = cible;
        Legende();
        s_.etat->PlanAffaireModifieFixer(false);
        if (s_.redaction && s_.redaction->AUneSource()) s_.redaction->TexteSauver(true);
        engine::Moteur& m = *s_.moteur;
        if (m.jeu.ModeProgramme == engine::kModeJeu && m.scene.PageExiste(m.jeu.PageCourante)) {
            engine::SauteALaPage(m, m.jeu.PageCourante);
        }
    }
    return kEnregistre;
}

bool DocumentPlan::FichierAnterieur(const std::string& cible) const {
    // A file too short to hold a version word is no older plan.
    const auto octets = s_.fichiers->Lire(platform::Cp1252VersUtf8(cible));
    if (!octets || octets->size() < 4) return false;
    BinaryReader in(*octets);
    return in.i32() < kVersionDocument;
}

void DocumentPlan::RefusAnterieur() {
    Message(T("L'écrasement d'un fichier .tvr de version antérieure à la version actuelle est interdit."),
            platform::style::Exclamation, false);
}

std::string DocumentPlan::Dossier(std::string_view chemin) {
    return std::filesystem::path(chemin).parent_path().string();
}

DocumentPlan::Issue DocumentPlan::Lire(std::string_view octets, std::int16_t page, Lecture& l, std::string& refus,
                                       bool questions) {
    const engine::Scene& scene = s_.moteur->scene;
    auto Refuser = [&](std::string texte, bool titre = true) {
        refus = std::move(texte);
        if (questions) Message(refus, 0, titre);
        return Issue::Refuse;
    };
    try {
        BinaryReader in(octets);
        l.version = in.i32();
        const std::int32_t v = l.version;
        const bool convertible = v >= kVersionAncienneMin && v <= kVersionAncienneMax;
        if (v != kVersionDocument && !convertible) {
            // The layouts of versions 2.0 and 2.1 are not known to this
            // program: their documents are refused like unknown ones.
            const bool ancienne = v == 2 || v == 21;
            if (!ancienne && questions) {
                std::string q = T("Votre fichier a été réalisé avec une version précédente du QBP.");
                q += kCrlf;
                q += T("Voulez vous l'ouvrir sous la nouvelle version QBP 3.2 ?");
                if (Message(q, platform::style::OuiNon | platform::style::Question) !=
                    platform::Code(platform::Reponse::Oui)) {
                    return Issue::Abandon;
                }
            }
            if (ancienne || v < kVersion230) return Refuser(T("Version de fichier inconnue, ouverture impossible."), false);
        }
        if (convertible) return LireAncien(in, page, l, refus, questions);
        l.version230 = v == kVersion230;
        const std::int16_t genre = in.i16();
        const std::int16_t partie = in.i16();
        std::vector<int> pages;
        if (genre == kSauvegardeComplete) {
            if (page != 0) return Refuser(T("Ce fichier est une sauvegarde d'un plan d'affaire complet"));
            l.premiere = 1;
            l.derniere = scene.PageNb();
            if (l.version230) l.derniere = std::min(l.derniere, kPages230);
            for (int i = l.premiere; i <= l.derniere; ++i) pages.push_back(i);
        } else if (genre == kSauvegardePartie) {
            if (page == 0) return Refuser(T("Ce fichier est une sauvegarde partielle d'un plan d'affaire"));
            if (page != partie) return Refuser(T("Ce fichier ne correspond pas à cette partie du plan d'affaire"));
            pages = PagesDeLaPartie(scene, page);
            l.premiere = l.derniere = page;
        } else {
            // A kind this program never wrote: nothing can be read from it.
            return Refuser(ErreurChargement());
        }
        grid::OptionsChargementUtilisateur o;
        o.version = v;
        o.version230 = l.version230;
        const SceneDocument sd = Scene();
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (questions) {
                ProgressionPourcentage(Pourcentage((static_cast<double>(i) + 1) * 50.0 / static_cast<double>(pages.size())));
            }
            l.pages.push_back(PageUtilisateurLire(in, sd, pages[i], o));
        }
        if (genre == kSauvegardeComplete) l.etapes = s_.etapes->EtapesLireFichier(in);
    } catch (const ReadError&) {
        return Refuser(ErreurChargement());
    }
    return Issue::Applique;
}

DocumentPlan::Issue DocumentPlan::LireAncien(BinaryReader& in, std::int16_t page, Lecture& l, std::string& refus,
                                             bool questions) {
    auto Refuser = [&](std::string texte) {
        refus = std::move(texte);
        if (questions) Message(refus);
        return Issue::Refuse;
    };
    if (questions) {
        std::string texte = T("Vous lisez un fichier SELVO version 2.2");
        texte += kCrlf;
        texte += T("Il sera converti au format de la version 2.3");
        texte += kCrlf;
        texte += T("lors du prochain enregistrement.");
        texte += kCrlf;
        texte += kCrlf;
        texte += T("Si vous aviez saisi le haut de bilan d'ouverture");
        texte += kCrlf;
        texte += T("vous pouvez désormais compléter le bas");
        texte += kCrlf;
        texte += T("du bilan.");
        Message(texte);
    }
    const std::int16_t genre = in.i16();
    if (page != 0) return Refuser(T("Ce fichier est une sauvegarde d'un plan d'affaire complet"));
    if (genre == kSauvegardePartie) {
        std::string texte = T("Ce fichier est une sauvegarde partielle d'un plan d'affaire");
        texte += kCrlf;
        texte += T("La version TOVRA 2.3 ne charge que les sauvegardes complètes du SELVO 2.2");
        return Refuser(std::move(texte));
    }
    // A kind the old program never wrote: nothing can be read from it.
    if (genre != kSauvegardeComplete) return Refuser(ErreurChargement());
    (void)in.i16();  // the part page, unused by a complete save
    l.premiere = 1;
    l.derniere = s_.moteur->scene.PageNb();
    l.ancien = LireDocumentAncien(in, Scene(), EntreesD22(), l.version,
                                  questions ? std::function<void(int)>([this](int v) { ProgressionPourcentage(v); })
                                            : std::function<void(int)>{});
    l.etapes = s_.etapes->EtapesLireFichier(in);
    return Issue::Applique;
}

void DocumentPlan::AppliquerAncien(Lecture& l, const std::string& chemin) {
    engine::Scene& scene = s_.moteur->scene;
    s_.etat->NomFichierPlan = chemin;
    Legende();
    // The old document reaches only some of today's pages: every other one
    // starts from its defaults, not from the plan open before.
    MonnaiesInitialiser();
    s_.moteur->Tableaux().ParcouruRecalculReinitTous();
    for (int p = 1; p <= scene.PageNb(); ++p) {
        for (int o = 1; o <= scene.Page(p).ObjetNb(); ++o) {
            if (scene.Page(p).Objet(o).Type() != engine::TypeObjet::Tableau) continue;
            if (grid::TableauClasse* g = s_.grille(p, o)) g->InitialiseUtilisateur();
        }
    }
    PolicesDefautInitialiser();

    for (ElementAncienLu& e : l.ancien->elements) {
        if (!e.grille) {
            scene.Page(e.page).Objet(e.objet).texte = std::move(e.texte);
            if (s_.redaction) s_.redaction->ObjetRecharge(e.page, e.objet);
        } else if (grid::TableauClasse* g = s_.grille(e.page, e.objet)) {
            g->AppliquerUtilisateur(e.donnees, e.options);
        }
    }
    if (l.etapes) s_.etapes->EtapesAppliquer(*l.etapes);
    if (s_.redaction) s_.redaction->EtapesRecharge();

    const int conversion = engine::NumeroDePage(scene, kPageConversion);
    auto Grille = [&](std::string_view nom) -> grid::TableauClasse* {
        const int o = conversion >= 1 ? engine::NumeroObjet(scene, conversion, nom) : 0;
        if (o < 1 || scene.Page(conversion).Objet(o).Type() != engine::TypeObjet::Tableau) return nullptr;
        return s_.grille(conversion, o);
    };
    // The scratch grid ends as its last old record left it: one empty cell.
    if (grid::TableauClasse* brouillon = Grille(kGrilleBrouillon); brouillon && l.ancien->brouillon > 0) {
        brouillon->TailleChange(1, 1);
        brouillon->TailleCalculMaj();
    }
    // The scene's own conversion of what the old pages held.
    if (grid::TableauClasse* g = Grille(kGrilleConversion)) (void)g->DeclencheSur(1, 2, kEvenementConversion);
    s_.etat->PlanAffaireModifieFixer(true);
}

void DocumentPlan::Recalculer(int premiere, int derniere, bool progression) {
    engine::Scene& scene = s_.moteur->scene;
    for (int i = premiere; i <= derniere; ++i) {
        if (progression) ProgressionPourcentage(Pourcentage((i - premiere + 1) * 50.0 / (derniere - premiere + 1) + 50.0));
        if (!scene.PageExiste(i)) continue;
        for (int o = 1; o <= scene.Page(i).ObjetNb(); ++o) {
            if (scene.Page(i).Objet(o).Type() != engine::TypeObjet::Tableau) continue;
            if (grid::TableauClasse* g = s_.grille(i, o)) g->RecalculAvecInit();
        }
    }
}

void DocumentPlan::Appliquer(Lecture& l, std::int16_t page, const std::string& chemin) {
    if (l.ancien) {
        AppliquerAncien(l, chemin);
        return;
    }
    engine::Scene& scene = s_.moteur->scene;
    if (page != 0) {
        for (const PageLue& p : l.pages) PageUtilisateurReinitialiser(p.page);
        s_.etat->PlanAffaireModifieFixer(true);
    } else {
        s_.etat->NomFichierPlan = chemin;
        Legende();
        s_.etat->PlanAffaireModifieFixer(false);
        PolicesDefautInitialiser();
    }
    grid::OptionsChargementUtilisateur o;
    o.version = l.version;
    o.version230 = l.version230;
    o.tauxChargePatronale = &tauxCharge_;
    o.evalueFormule = [](grid::TableauClasse& g, int c, int r) {
        g.RecalculAvecInit();
        const auto* x = g.Case(c, r);
        return x ? x->Valeur : std::string();
    };
    for (PageLue& p : l.pages) {
        o.pageEnChargement = p.page;
        for (TexteLu& t : p.textes) {
            scene.Page(p.page).Objet(t.objet).texte = std::move(t.texte);
            if (s_.redaction) s_.redaction->ObjetRecharge(p.page, t.objet);
        }
        for (const GrilleLue& g : p.grilles) {
            if (grid::TableauClasse* t = s_.grille(p.page, g.objet)) t->AppliquerUtilisateur(g.donnees, o);
        }
    }
    if (l.version230) {
        if (tauxCharge_ != "45") {
            std::string texte = T("TRES IMPORTANT: Votre taux de charge patronale (") + tauxCharge_ +
                                T("%) est différent de la valeur par défaut de 45%.");
            texte += kCrlf;
            texte += T("Vous devrez saisir votre valeur pour les taux individuels de charge patronale.");
            Message(texte);
        }
        std::string texte = T("TRES IMPORTANT: Après avoir suivi nos recommandations, veuillez enregistrer votre BP en changeant de nom,");
        texte += kCrlf;
        texte += T("puis sortir de l'application et relancer l'application en chargeant le nouveau fichier.");
        texte += kCrlf;
        texte += T("Toutes les fonctionnalités seront alors opérationnelles.");
        Message(texte);
    }
    if (l.etapes) s_.etapes->EtapesAppliquer(*l.etapes);
    if (s_.redaction) s_.redaction->EtapesRecharge();
}

std::string DocumentPlan::Charger(std::string_view octets, std::int16_t page) {
    Lecture l;
    std::string refus;
    if (Lire(octets, page, l, refus, false) != Issue::Applique) return refus.empty() ? ErreurChargement() : refus;
    chargement_ = true;
    Appliquer(l, page, s_.etat->NomFichierPlan);
    if (page == 0) {
        Recalculer(l.premiere, l.derniere, false);
    } else {
        for (const PageLue& p : l.pages) Recalculer(p.page, p.page, false);
    }
    chargement_ = false;
    return {};
}

void DocumentPlan::PlanAffaireOuvrir(std::string_view nom, bool demanderEnregistrement, std::int16_t page) {
    PlanAffaireEditionValider();
    if (demanderEnregistrement && s_.etat->PlanAffaireModifie() &&
        s_.etat->DialogueFichierEnregistrerDemande() == kAnnule) {
        Finir();
        return;
    }
    std::string cible;
    if (nom.empty()) {
        platform::DemandeFichier d;
        d.RepertoireInitial = dossierRecent_;
        d.Filtre = "Plan d'affaires (*.tvr)|*.tvr";
        d.IndexFiltre = 1;
        d.TitreDialogue = "Ouvrir un plan d'affaire";
        d.ExtensionDefaut = "tvr";
        if (!s_.dialogues || !s_.dialogues->Ouvrir(d)) {
            Finir();
            return;
        }
        cible = d.NomFichier;
    } else {
        cible = std::string(nom);
    }
    const std::optional<std::string> octets = s_.fichiers->Lire(platform::Cp1252VersUtf8(cible));
    if (!octets) {
        Message(T("Le fichier '") + cible + T("' est introuvable."));
        Finir();
        return;
    }
    dossierRecent_ = Dossier(cible);
    ProgressionOuvre(T("Chargement d'un plan d'affaire"));

    Lecture l;
    std::string refus;
    switch (Lire(*octets, page, l, refus, true)) {
    case Issue::Abandon:
        ProgressionFerme();
        return;
    case Issue::Refuse:
        Finir();
        return;
    case Issue::Applique: break;
    }
    chargement_ = true;
    try {
        Appliquer(l, page, cible);
        if (page == 0) {
            Recalculer(l.premiere, l.derniere, true);
        } else {
            for (const PageLue& p : l.pages) Recalculer(p.page, p.page, true);
        }
    } catch (const std::exception&) {
        chargement_ = false;
        Message(ErreurChargement());
        if (page == 0) {
            PlanAffaireNouveau();
        } else {
            // Only the part's pages were touched: they go back to their defaults.
            for (const PageLue& p : l.pages) {
                PageUtilisateurReinitialiser(p.page);
                Recalculer(p.page, p.page, false);
            }
        }
    }
    chargement_ = false;
    Finir();
}

void DocumentPlan::PlanAffaireNouveau() {
    s_.etat->PlanAffaireModifieFixer(false);
    ProgressionOuvre(T("Initialisation d'un plan d'affaire"));
    s_.etat->NomFichierPlan.clear();
    Legende();
    MonnaiesInitialiser();
    if (s_.texteEditeFin) s_.texteEditeFin();
    s_.moteur->Tableaux().ParcouruRecalculReinitTous();
    engine::Scene& scene = s_.moteur->scene;
    const int n = scene.PageNb();
    for (int i = 1; i <= n; ++i) {
        ProgressionPourcentage(Pourcentage(i * 50.0 / n));
        PageUtilisateurReinitialiser(i);
    }
    for (int i = 1; i <= n; ++i) {
        ProgressionPourcentage(Pourcentage(i * 50.0 / n + 50.0));
        Recalculer(i, i, false);
    }
    PolicesDefautInitialiser();
    ProgressionFerme();
    engine::Moteur& m = *s_.moteur;
    if (m.jeu.ModeProgramme == engine::kModeJeu && m.scene.PageExiste(1)) engine::SauteALaPage(m, 1);
}

void DocumentPlan::Commande(CommandeFichier commande) {
    switch (commande) {
    case CommandeFichier::Nouveau:
        PlanAffaireEditionValider();
        if (s_.etat->PlanAffaireModifie() && s_.etat->DialogueFichierEnregistrerDemande() == kAnnule) return;
        PlanAffaireNouveau();
        return;
    case CommandeFichier::Ouvrir: PlanAffaireOuvrir("", true, 0); return;
    case CommandeFichier::Enregistrer:
        (void)PlanAffaireEnregistrer(s_.etat->NomFichierPlan, false, 0, false);
        return;
    case CommandeFichier::EnregistrerSous:
        (void)PlanAffaireEnregistrer(s_.etat->NomFichierPlan, true, 0, true);
        return;
    }
}

void DocumentPlan::MonnaiesInitialiser() { s_.moteur->Monnaies.MonnaiesInitialiser(); }

void DocumentPlan::PageUtilisateurReinitialiser(int page) {
    engine::Scene& scene = s_.moteur->scene;
    if (!scene.PageExiste(page)) return;
    for (int o = 1; o <= scene.Page(page).ObjetNb(); ++o) {
        const engine::TypeObjet type = scene.Page(page).Objet(o).Type();
        if (type == engine::TypeObjet::TexteRtf) ObjetTexteReinitialiser(page, o);
        if (type == engine::TypeObjet::Tableau) {
            if (grid::TableauClasse* g = s_.grille(page, o)) g->InitialiseUtilisateur();
        }
    }
}

void DocumentPlan::TextesSceneRetenir() {
    textesScene_.clear();
    const engine::Scene& scene = s_.moteur->scene;
    for (int p = 1; p <= scene.PageNb(); ++p) {
        for (int o = 1; o <= scene.Page(p).ObjetNb(); ++o) {
            if (ObjetTexteDuPlan(scene, p, o)) textesScene_[{p, o}] = scene.Page(p).Objet(o).texte;
        }
    }
    textesRetenus_ = true;
}

void DocumentPlan::ObjetTexteReinitialiser(int page, int objet) {
    engine::Scene& scene = s_.moteur->scene;
    if (!ObjetTexteDuPlan(scene, page, objet)) return;
    if (!textesRetenus_) TextesSceneRetenir();
    engine::ObjetPage& o = scene.Page(page).Objet(objet);
    if (!o.fichier.empty()) {
        o.texte = LireFichierObjet(o.fichier).value_or(std::string());
    } else {
        // The text the scene itself gives the object, not an empty one.
        const auto it = textesScene_.find({page, objet});
        o.texte = it != textesScene_.end() ? it->second : std::string();
    }
    if (s_.redaction) s_.redaction->ObjetRecharge(static_cast<std::int16_t>(page), static_cast<std::int16_t>(objet));
}

void DocumentPlan::PolicesDefautInitialiser() {
    s_.etapes->PolicesDefautInitialiser();
    if (s_.redaction) s_.redaction->EtapesRecharge();
    const engine::Scene& scene = s_.moteur->scene;
    for (int p = 1; p <= scene.PageNb(); ++p) {
        for (int o = 1; o <= scene.Page(p).ObjetNb(); ++o) ObjetTexteReinitialiser(p, o);
    }
}

}  // namespace korv::plan
