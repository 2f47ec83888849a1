#include "script.h"

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <system_error>

#include <QApplication>

#include "display/fenetre.h"
#include "display/graphiques.h"
#include "engine/erreur.h"
#include "engine/jeu.h"
#include "engine/moteur.h"
#include "engine/recherche.h"
#include "engine/scene_charge.h"
#include "engine/scripts_moteur.h"
#include "engine/services_neutres.h"
#include "plan/panneau_redaction.h"
#include "plan/qt_boite_riche.h"
#include "platform/clipboard_fake.h"
#include "platform/clock.h"
#include "platform/colour_dialog_fake.h"
#include "platform/cp1252.h"
#include "platform/edit_box_fake.h"
#include "platform/event_pump_fake.h"
#include "platform/file_dialog.h"
#include "platform/font_catalogue.h"
#include "platform/grid_scroll_timer.h"
#include "platform/grid_tooltip_timer.h"
#include "platform/message_box_fake.h"
#include "platform/process_launcher.h"
#include "platform/settings_fake.h"
#include "platform/tooltip.h"
#include "platform/url_opener_fake.h"
#include "print/apercu.h"
#include "print/plage_impression.h"
#include "print/qt_imprimante.h"
#include "print/qt_mesureur.h"
#include "print/qt_peintre_imprimante.h"
#include "programme/programme.h"

namespace korv::scenetool {
namespace {

namespace fs = std::filesystem;

// The paths given on the command line, taken in turn.
class FichiersSuivants {
public:
    explicit FichiersSuivants(const std::vector<std::string>& chemins) : reste_(chemins.begin(), chemins.end()) {}
    std::optional<std::string> Suivant() {
        if (reste_.empty()) return std::nullopt;
        std::string s = std::move(reste_.front());
        reste_.pop_front();
        return s;
    }

private:
    std::deque<std::string> reste_;
};

class DialoguesSuivants final : public platform::DialogueFichier {
public:
    explicit DialoguesSuivants(FichiersSuivants& fichiers) : fichiers_(fichiers) {}
    bool Ouvrir(platform::DemandeFichier& d) override { return Repond(d); }
    bool Enregistrer(platform::DemandeFichier& d) override { return Repond(d); }

private:
    bool Repond(platform::DemandeFichier& d) {
        const auto chemin = fichiers_.Suivant();
        if (!chemin) {
            platform::AnnuleDemande(d);
            return false;
        }
        platform::AccepteDemande(d, fs::absolute(*chemin).string());
        return true;
    }
    FichiersSuivants& fichiers_;
};

// Every box is told on the error stream; an overwrite question answers Yes,
// the others their default button.
class MessagesOutil final : public platform::BoiteMessage {
public:
    explicit MessagesOutil(std::ostream& erreurs) : erreurs_(erreurs) {}
    int Afficher(std::string_view texte, int style, std::string_view titre) override {
        const std::string utf8 = platform::Cp1252VersUtf8(texte);
        erreurs_ << "scene-tool: message : " << utf8 << "\n";
        if (utf8.find("existe déjà. Voulez-vous le remplacer") != std::string::npos) return 6;
        return defaut_.Afficher(texte, style, titre);
    }

private:
    std::ostream& erreurs_;
    platform::BoiteMessageFactice defaut_;
};

// The page frame of a window of the scene's size.
class FenetreAffichageOutil final : public display::FenetreAffichage {
public:
    display::MesuresFenetre Mesures() const override { return {0, 0, 9600, 7200}; }
};

class PanneauRedactionOutil final : public plan::PanneauRedaction {
public:
    plan::BoiteTexteRiche& Boite() override { return boite_; }
    void Placer(int, int, int, int) override {}
    void Montrer(bool v) override {
        visible_ = v;
        boite_.VisibleFixer(v);
    }
    bool EstVisible() const override { return visible_; }

private:
    plan::BoiteRicheDocument boite_;
    bool visible_ = false;
};

// The preview: paginates, then prints every page to the next path as PDF.
class ApercuVersPdf final : public print::FenetreApercu {
public:
    ApercuVersPdf(print::QtImprimante& imprimante, FichiersSuivants& fichiers, std::ostream& sortie)
        : imprimante_(imprimante), fichiers_(fichiers), sortie_(sortie) {}
    void Montrer(print::ContexteApercu& c) override {
        const std::int32_t n = c.paginer();
        if (n <= 0) {
            erreur = "impression : rien à imprimer";
            return;
        }
        const auto chemin = fichiers_.Suivant();
        if (!chemin) {
            erreur = "aucun fichier pour l'impression (--file)";
            return;
        }
        imprimante_.FichierPdf(QString::fromStdString(fs::absolute(*chemin).string()));
        print::QtPeintreImprimante peintre(imprimante_.Printer(), c.travail,
                                           [](const grid::ContenuGraphique& g, QImage& cible, const QRect& r) {
                                               display::GraphiqueDessiner(g, cible, r);
                                           });
        const std::string e =
            print::ImprimerPlage(peintre, n, print::PlageAImprimer(n, print::ChoixPages::Toutes, "", "", ""));
        if (!e.empty()) {
            erreur = e;
            return;
        }
        sortie_ << "impression : " << n << " pages, " << *chemin << "\n";
    }
    std::string erreur;

private:
    print::QtImprimante& imprimante_;
    FichiersSuivants& fichiers_;
    std::ostream& sortie_;
};

std::string Journal(const std::string& dossier) {
    std::ifstream f(fs::path(dossier) / "ERROR.TXT", std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// A program folder of its own for ERROR.TXT, removed at the end.
struct DossierTemporaire {
    DossierTemporaire() {
        std::string modele = (fs::temp_directory_path() / "korv-script-XXXXXX").string();
        if (!mkdtemp(modele.data())) throw std::system_error(errno, std::generic_category(), "mkdtemp");
        chemin = modele;
    }
    ~DossierTemporaire() {
        std::error_code ec;
        fs::remove_all(chemin, ec);
    }
    std::string chemin;
};

// The platform edge of the tool: the program's fakes, without a window.
struct BordOutil {
    explicit BordOutil(std::ostream& erreurs) : messages(erreurs) {}

    // The composition's platform; the file dialogs are the caller's.
    programme::Plateforme Plateforme(platform::DialogueFichier& dialogues, const std::string& dossierCache) {
        programme::Plateforme p;
        p.horloge = &horloge;
        p.pompe = &pompe;
        p.messages = &messages;
        p.dialogues = &dialogues;
        p.reglages = &reglages;
        p.lanceur = &lanceur;
        p.navigateur = &navigateur;
        p.fenetre = &fenetre;
        p.fenetreAffichage = &fenetreAffichage;
        p.boiteEdition = &boiteEdition;
        p.boiteEditionRiche = &boiteEditionRiche;
        p.redaction = &redaction;
        p.couleur = &couleur;
        p.bulle = &bulle;
        p.chronoDefilement = &chronoDefilement;
        p.chronoBulle = &chronoBulle;
        p.pressePapier = &pressePapier;
        p.polices = &polices;
        p.dossierCache = dossierCache;
        return p;
    }

    platform::HorlogeFactice horloge;
    platform::PompeEvenementsFactice pompe{horloge};
    MessagesOutil messages;
    platform::MagasinReglagesFactice reglages;
    platform::LanceurProcessusFactice lanceur;
    platform::OuvreurUrlFactice navigateur;
    engine::FenetrePrincipaleNeutre fenetre;
    FenetreAffichageOutil fenetreAffichage;
    platform::BoiteEditionFactice boiteEdition;
    plan::BoiteRicheDocument boiteEditionRiche;
    PanneauRedactionOutil redaction;
    platform::DialogueCouleurFactice couleur;
    platform::FenetreBulleFactice bulle;
    platform::ChronoDefilementTableauFactice chronoDefilement;
    platform::ChronoBulleTableauFactice chronoBulle;
    platform::PressePapierFactice pressePapier;
    platform::CataloguePolicesFactice polices;
};

// The QApplication of the command's run (fonts and printing need one).
std::unique_ptr<QApplication> ApplicationOutil() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char nom[] = "scene-tool";
    static char* argv[] = {nom, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

int ScriptScene(const OptionsScript& o, std::ostream& sortie, std::ostream& erreurs) {
    const auto application = ApplicationOutil();
    DossierTemporaire dossier;
    FichiersSuivants fichiers(o.fichiers);
    BordOutil bord(erreurs);
    DialoguesSuivants dialogues(fichiers);
    print::QtImprimante imprimante;
    imprimante.FichierPdf(QString());  // the page of a PDF file from the start
    print::QtMesureur mesureur;
    ApercuVersPdf apercu(imprimante, fichiers, sortie);

    engine::Moteur moteur;
    moteur.dossierProgramme = dossier.chemin;
    programme::Plateforme p = bord.Plateforme(dialogues, dossier.chemin + "/cache");
    p.imprimante = &imprimante;
    p.mesureur = &mesureur;
    p.apercu = &apercu;
    programme::Programme composition(moteur, p);

    engine::ServicesChargement chargement;
    chargement.messages = &bord.messages;
    chargement.construireGrilles = [&moteur](const engine::Scene& s) { moteur.Tableaux().GrillesConstruire(s); };
    if (!engine::SceneCharge(moteur.scene, o.scene, chargement)) return 1;
    if (engine::NumeroDePage(moteur.scene, platform::Utf8VersCp1252(o.page)) < 1) {
        erreurs << "scene-tool: page inconnue " << o.page << "\n";
        return 1;
    }
    moteur.jeu.PageDebutNom = platform::Utf8VersCp1252(o.page);

    // Once play is at rest on its page, the lines run; then play ends.
    int code = 0;
    bool fait = false;
    bord.pompe.arreter = [&](std::int64_t vise) { return !fait && vise > bord.horloge.Maintenant(); };
    bord.pompe.surArret = [&] {
        fait = true;
        for (const std::string& ligne : o.lignes) {
            const std::string avant = Journal(dossier.chemin);
            const auto suite = engine::AuBord(moteur, "scene-tool", [&] {
                moteur.ScriptsDuMoteur().ProgScriptExecute(platform::Utf8VersCp1252(ligne), moteur.jeu.PageCourante,
                                                           -1, "");
            });
            const std::string apres = Journal(dossier.chemin);
            if (apres.size() > avant.size() || !apercu.erreur.empty() || suite == engine::SuiteErreur::Terminer) {
                erreurs << "scene-tool: " << ligne << "\n";
                if (apres.size() > avant.size()) erreurs << platform::Cp1252VersUtf8(apres.substr(avant.size()));
                if (!apercu.erreur.empty()) erreurs << apercu.erreur << "\n";
                code = 1;
                break;
            }
        }
        moteur.fin.demandee = true;
    };
    std::string document;
    if (!o.plan.empty()) document = fs::absolute(o.plan).string();
    try {
        engine::Joue(moteur, document);
    } catch (const std::exception& e) {
        erreurs << "scene-tool: " << e.what() << "\n";
        return 1;
    }
    if (!fait) {
        erreurs << "scene-tool: le jeu s'est arrêté avant les lignes\n";
        return 1;
    }
    return code;
}

int ComposerProgramme(const CorpsValeurs& corps) {
    const auto application = ApplicationOutil();
    DossierTemporaire dossier;
    BordOutil bord(std::cerr);
    FichiersSuivants aucun({});
    DialoguesSuivants dialogues(aucun);
    engine::Moteur moteur;
    moteur.dossierProgramme = dossier.chemin;
    programme::Programme composition(moteur, bord.Plateforme(dialogues, dossier.chemin + "/cache"));
    return corps(moteur, composition.Grilles());
}

}  // namespace korv::scenetool
