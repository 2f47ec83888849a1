#include "engine/demarrage.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "engine/dialogues_communs.h"
#include "engine/erreur.h"
#include "engine/fichier_nom.h"
#include "engine/jeu.h"
#include "engine/langues.h"
#include "engine/moteur.h"
#include "engine/scene_charge.h"
#include "engine/texte_casse.h"
#include "platform/cp1252.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/path_resolver.h"

namespace korv::engine {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kAutoSce = "AUTOSCE.TXT";
constexpr std::string_view kJournal = "ERROR.TXT";

// The exit code of a start that found no scene to play.
constexpr int kCodeSansScene = 1;

void Message(Moteur& moteur, std::string_view texteCp1252) {
    if (auto* b = moteur.Messages()) b->Afficher(texteCp1252, platform::style::Ok);
}

// A file beside the program, as a name the platform resolves.
std::string NomDansDossierProgramme(const Moteur& moteur, std::string_view nom) {
    return moteur.dossierProgramme + "\\" + std::string(nom);
}

std::string NomUtilisateur() {
    if (const char* u = std::getenv("USER"); u != nullptr && *u != '\0') return u;
    if (const passwd* p = ::getpwuid(::getuid()); p != nullptr && p->pw_name != nullptr) return p->pw_name;
    return {};
}

// The sub-folders of `dossier` in name order, as engine names; folders whose
// name the code page cannot hold are left out, since no scene could name them.
std::vector<std::string> SousDossiers(const fs::path& dossier, const fs::path& sauf = {}) {
    std::vector<std::string> noms;
    std::error_code ec;
    for (fs::directory_iterator it(dossier, ec), fin; !ec && it != fin; it.increment(ec)) {
        std::error_code ecType;
        if (!it->is_directory(ecType) || it->path() == sauf) continue;
        const std::string natif = it->path().string();
        std::string nom = platform::Utf8VersCp1252(natif);
        if (platform::Cp1252VersUtf8(nom) == natif) noms.push_back(std::move(nom));
    }
    std::sort(noms.begin(), noms.end());
    return noms;
}

bool EstBlanc(char c) { return c == ' ' || c == '\t'; }

// A file name as the user reads it: a name under a folder of this system
// (the program's folder joined with a scene's "\" names) shows "/" alone.
std::string NomAffiche(std::string_view nom) {
    std::string r(nom);
    if (r.find('/') != std::string::npos) std::replace(r.begin(), r.end(), '\\', '/');
    return r;
}

// Ends a start that has no scene to play: it did not do what it was asked.
void FinSansScene(Moteur& moteur) {
    Fin(moteur, false, false);
    moteur.fin.code = kCodeSansScene;
}

// Program folder and rest joined with one separator (the rest normally
// begins with "\"; without one the two would run together).
std::string JointDossier(std::string_view dossier, std::string_view reste) {
    const auto estSep = [](char c) { return c == '\\' || c == '/'; };
    std::string r(dossier);
    if (!r.empty() && !reste.empty() && !estSep(r.back()) && !estSep(reste.front())) r += '\\';
    return r + std::string(reste);
}

void DemarreCorps(Moteur& moteur, const DemarrageOptions& options) {
    Initialisations(moteur);
    moteur.Plan().PlanAffaireInitialisations();
    if (moteur.fin.demandee) return;

    const LecteursDemarrage lecteurs = options.lecteurs ? *options.lecteurs : LecteursDuSysteme();
    const bool autoSce = FileExist(NomDansDossierProgramme(moteur, kAutoSce));
    std::string scene = SceneDeDemarrage(moteur, lecteurs);
    if (moteur.fin.demandee) return;

    if (scene.empty()) {
        platform::DemandeFichier demande;
        demande.TitreDialogue = platform::Utf8VersCp1252("Exécuter scène...");
        demande.Filtre = platform::Utf8VersCp1252("scènes (*.sce)|*.SCE");
        demande.IndexFiltre = 1;
        demande.RepertoireInitial = moteur.dossierProgramme;
        if (!VBGetOpenFileName(moteur, demande)) {
            // Cancelled: a failed start scene stays a failure; with no
            // AUTOSCE.TXT the user simply chose not to play.
            if (autoSce) {
                FinSansScene(moteur);
            } else {
                Fin(moteur, false, false);
            }
            return;
        }
        scene = demande.NomFichier;
    }

    std::string document;
    if (!Trim(options.ligneCommande).empty()) {
        document = DocumentDeLigneCommande(options.ligneCommande);
        moteur.jeu.PageDebutNom.clear();
    }

    if (FichierNomExtension(scene) != "SCE" || !FileExist(scene)) {
        Message(moteur, platform::Utf8VersCp1252("Scène non existante ou mauvais format"));
        FinSansScene(moteur);
        return;
    }

    ServicesChargement chargement;
    chargement.messages = moteur.Messages();
    chargement.progression = [&moteur](int pourcent) { moteur.Plan().SplashAffiche(pourcent); };
    chargement.majTailleFenetre = [&moteur] { moteur.Ecran().MajTailleFenetre(true); };
    chargement.initialiseListeLangues = [&moteur](Scene& s) {
        InitialiseListeLangues(s.entete, moteur.jeu.LangueCourante);
    };
    chargement.construireGrilles = [&moteur](const Scene& s) { moteur.Tableaux().GrillesConstruire(s); };
    // A scene that did not load has told the user why; playing an empty
    // page table would only fail further on.
    if (!SceneCharge(moteur.scene, scene, chargement)) {
        FinSansScene(moteur);
        return;
    }
    if (moteur.fin.demandee) return;

    if (!document.empty() && !FileExist(document)) document.clear();
    if (options.joue) {
        options.joue(moteur, document);
    } else {
        Joue(moteur, document);
    }
}

}  // namespace

void Initialisations(Moteur& moteur) {
    EnteteScene& h = moteur.scene.entete;
    h.version = kVersionBloc;
    h.modeEsc = 0;
    h.reserve3[0] = 0;  // the word after the start program
    h.reserve3[1] = 0;

    // The error log must stay writable for the reporter.
    if (const auto journal = platform::ResoudreChemin(NomDansDossierProgramme(moteur, kJournal))) {
        std::error_code ec;
        if (fs::is_regular_file(*journal, ec))
            fs::permissions(*journal, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
    }

    h.langues = {"FRANCAIS\\"};
    h.langueNb = 1;
    moteur.jeu.LangueCourante = 1;
    moteur.ModeErreur = 0;

    h.pageLargeur = 640;
    h.pageHauteur = 480;
    moteur.Ecran().MajTailleFenetre(true);
}

LecteursDemarrage LecteursDuSysteme() {
    LecteursDemarrage l;
    for (std::int32_t d = 0; d < 26; ++d) {
        const std::string lecteur = std::string(1, static_cast<char>('A' + d)) + ":";
        switch (VBAPIGetDriveType(d)) {
        case TypeLecteur::Amovible:
        case TypeLecteur::Distant: l.amovibles.push_back(lecteur); break;
        case TypeLecteur::Fixe: l.fixes.push_back(lecteur); break;
        default: break;
        }
    }
    const std::string utilisateur = NomUtilisateur();
    fs::path media = "/media";
    fs::path mediaUtilisateur;
    if (!utilisateur.empty() && utilisateur.find('/') == std::string::npos) {
        mediaUtilisateur = media / utilisateur;
        for (auto& d : SousDossiers(fs::path("/run/media") / utilisateur)) l.amovibles.push_back(std::move(d));
        for (auto& d : SousDossiers(mediaUtilisateur)) l.amovibles.push_back(std::move(d));
    }
    for (auto& d : SousDossiers(media, mediaUtilisateur)) l.amovibles.push_back(std::move(d));
    return l;
}

std::string PremiereValeurAutoSce(std::string_view contenu) {
    if (contenu.substr(0, 3) == "\xEF\xBB\xBF") contenu.remove_prefix(3);
    std::size_t i = 0;
    while (i < contenu.size() && EstBlanc(contenu[i])) ++i;
    if (i < contenu.size() && contenu[i] == '"') {
        const std::size_t fin = contenu.find_first_of("\"\r\n", i + 1);
        return std::string(contenu.substr(i + 1, (fin == std::string_view::npos ? contenu.size() : fin) - i - 1));
    }
    std::size_t fin = contenu.find_first_of(",\r\n", i);
    if (fin == std::string_view::npos) fin = contenu.size();
    while (fin > i && EstBlanc(contenu[fin - 1])) --fin;
    return std::string(contenu.substr(i, fin - i));
}

std::string NomSceneAutoSce(std::string_view valeur, std::string_view dossierProgramme,
                            const LecteursDemarrage& lecteurs) {
    const auto p = valeur.find(':');
    if (p == std::string_view::npos) return std::string(valeur);
    const std::string_view jeton = valeur.substr(0, p);
    const std::string_view reste = valeur.substr(p + 1);
    if (jeton == "$CDROM") {
        for (const std::string& lecteur : lecteurs.amovibles) {
            std::string nom = lecteur + std::string(reste);
            if (FileExist(nom)) return nom;
        }
        return {};
    }
    if (jeton == "$APPPATH") return JointDossier(dossierProgramme, reste);
    if (jeton == "$FIXEDDISK1" || jeton == "$FIXEDDISK2") {
        const std::size_t rang = jeton == "$FIXEDDISK1" ? 0 : 1;
        if (lecteurs.fixes.size() <= rang) return {};
        return lecteurs.fixes[rang] + std::string(reste);
    }
    return std::string(valeur);
}

std::string SceneDeDemarrage(Moteur& moteur, const LecteursDemarrage& lecteurs) {
    const std::string autoSce = NomDansDossierProgramme(moteur, kAutoSce);
    if (!FileExist(autoSce)) return {};
    const auto chemin = platform::ResoudreChemin(autoSce);
    std::string contenu;
    if (chemin) {
        std::ifstream f(*chemin, std::ios::binary);
        contenu.assign(std::istreambuf_iterator<char>(f), {});
    }
    std::string scene = NomSceneAutoSce(PremiereValeurAutoSce(contenu), moteur.dossierProgramme, lecteurs);
    if (!FileExist(scene)) {
        Message(moteur, platform::Utf8VersCp1252("Le fichier ") + NomAffiche(scene) +
                            platform::Utf8VersCp1252(" spécifié comme scène de démarrage\r\n"
                                                     "n'existe pas ou n'est pas accessible"));
        scene.clear();
    }
    return scene;
}

std::string DocumentDeLigneCommande(std::string_view ligne) {
    std::string document = Trim(ligne);
    // One quoted path; quotes inside would mean several words, kept as typed.
    if (document.size() >= 2 && document.front() == '"' && document.back() == '"' &&
        document.find('"', 1) == document.size() - 1) {
        document = document.substr(1, document.size() - 2);
    }
    return document;
}

bool Fin(Moteur& moteur, bool fermerFenetres, bool demanderEnregistrement) {
    // Unloading the windows raises the main window's close request, which
    // comes back here: the program is already ending, nothing more to ask.
    if (moteur.fin.demandee) return true;
    if (demanderEnregistrement) {
        moteur.Plan().PlanAffaireEditionValider();
        if (moteur.Plan().PlanAffaireModifie() &&
            moteur.Plan().DialogueFichierEnregistrerDemande() == platform::Code(platform::Reponse::Annuler)) {
            return false;
        }
    }
    moteur.fin.demandee = true;
    moteur.fin.code = 0;

    moteur.Ecran().VideoArreter();
    moteur.Ecran().SpriteSupprimerTous();
    moteur.attente.entrees.clear();
    moteur.Ecran().PaletteLiberer();
    moteur.Fenetre().FermerFenetres(fermerFenetres);
    return true;
}

int Demarre(Moteur& moteur, const DemarrageOptions& options) {
    try {
        AuBord(moteur, "Main", [&] { DemarreCorps(moteur, options); });
    } catch (const std::exception&) {
        // Error mode 2 hands the error back to the caller; start-up has none.
        Fin(moteur, true, false);
    }
    if (!moteur.fin.demandee) Fin(moteur, true, false);
    return moteur.fin.code;
}

}  // namespace korv::engine
