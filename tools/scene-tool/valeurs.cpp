#include "valeurs.h"

#include <charconv>
#include <exception>
#include <ostream>

#include "engine/calcul_grilles.h"
#include "engine/moteur.h"
#include "engine/recherche.h"
#include "engine/scene_charge.h"
#include "engine/scene_fichier.h"
#include "engine/scripts_moteur.h"
#include "grid/fonctions_calcul.h"
#include "grid/fonctions_monnaie.h"
#include "grid/magasin_grilles.h"
#include "platform/cp1252.h"

namespace korv::scenetool {

namespace {

bool Entier(std::string_view texte, int& v) {
    const auto r = std::from_chars(texte.data(), texte.data() + texte.size(), v);
    return r.ec == std::errc() && r.ptr == texte.data() + texte.size();
}

int NumeroPage(const engine::Scene& scene, const std::string& nom) {
    int n = 0;
    if (Entier(nom, n)) return scene.PageExiste(n) ? n : 0;
    return engine::NumeroDePage(scene, platform::Utf8VersCp1252(nom));
}

int NumeroObjet(const engine::Scene& scene, int page, const std::string& nom) {
    int n = 0;
    if (Entier(nom, n)) return scene.ObjetExiste(page, n) ? n : 0;
    return engine::NumeroObjet(scene, page, platform::Utf8VersCp1252(nom));
}

// A page is named after its first object.
std::string NomPage(const engine::Scene& scene, int page) {
    const auto& objets = scene.Page(page).objets;
    if (objets.empty() || objets.front().nom.empty()) return std::to_string(page);
    return platform::Cp1252VersUtf8(objets.front().nom);
}

std::string NomObjet(const engine::Scene& scene, int page, int objet) {
    const auto& nom = scene.Page(page).Objet(objet).nom;
    return nom.empty() ? std::to_string(objet) : platform::Cp1252VersUtf8(nom);
}

int Valeurs(engine::Moteur& moteur, grid::MagasinGrilles& grilles, const std::string& octets, const std::string& page,
            const std::vector<SaisieValeurs>& saisies, std::ostream& sortie, std::ostream& erreurs,
            const CrochetValeurs& avant, const CrochetValeurs& apres) {
    try {
        engine::OptionsLecture options;
        options.accepterVersionInconnue = [](std::int32_t) { return true; };
        moteur.scene = engine::LitScene(
            {reinterpret_cast<const std::uint8_t*>(octets.data()), octets.size()}, options);
    } catch (const engine::SceneInvalide& e) {
        erreurs << engine::MessageEchecScene(e) << "\n";
        return 1;
    }
    const engine::Scene& scene = moteur.scene;
    int seule = 0;
    if (!page.empty()) {
        seule = NumeroPage(scene, page);
        if (seule == 0) {
            erreurs << "scene-tool: page inconnue " << page << "\n";
            return 1;
        }
    }
    try {
        moteur.Tableaux().GrillesConstruire(scene);
        moteur.jeu.ModeProgramme = engine::kModeJeu;
        grilles.ReferencesRecreer(scene);
        moteur.Script().ProgScriptExecute(scene.entete.programmeDemarrage, 0, 0, "");
        if (avant && !avant(moteur, grilles, erreurs)) return 1;
        for (int p = 1; p <= scene.PageNb(); ++p) {
            if (seule != 0 && p != seule) continue;
            moteur.jeu.PageCourante = static_cast<std::int16_t>(p);
            const auto& objets = scene.Page(p).objets;
            for (int o = 1; o <= static_cast<int>(objets.size()); ++o) {
                if (grilles.Grille(static_cast<std::int16_t>(p), static_cast<std::int16_t>(o))) {
                    grilles.PreparerPourPage(p, o);
                }
            }
            for (const auto& s : saisies) {
                if (NumeroPage(scene, s.page) != p) continue;
                const int o = NumeroObjet(scene, p, s.objet);
                if (!grilles.Grille(static_cast<std::int16_t>(p), static_cast<std::int16_t>(o))) {
                    erreurs << "scene-tool: aucune grille " << s.objet << " sur la page " << s.page << "\n";
                    return 1;
                }
                if (grilles.FinEditionCase(p, o, s.colonne, s.ligne, platform::Utf8VersCp1252(s.texte))) {
                    grilles.RecalculerPage(p);
                }
            }
            for (int o = 1; o <= static_cast<int>(objets.size()); ++o) {
                grid::TableauClasse* g = grilles.Grille(static_cast<std::int16_t>(p), static_cast<std::int16_t>(o));
                if (!g) continue;
                for (int r = 1; r <= g->LigneNb(); ++r) {
                    for (int c = 1; c <= g->ColonneNb(); ++c) {
                        const std::string v =
                            g->CaseValeurAAfficher(static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r));
                        if (v.empty()) continue;
                        sortie << NomPage(scene, p) << '\t' << NomObjet(scene, p, o) << '\t' << c << '\t' << r
                               << '\t' << platform::Cp1252VersUtf8(v) << '\n';
                    }
                }
            }
        }
        if (apres && !apres(moteur, grilles, erreurs)) return 1;
    } catch (const std::exception& e) {
        erreurs << "scene-tool: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

bool LitSaisie(const std::string& argument, SaisieValeurs& saisie) {
    const auto egal = argument.find('=');
    if (egal == std::string::npos) return false;
    const std::string cle = argument.substr(0, egal);
    std::vector<std::string> parties;
    std::size_t debut = 0;
    for (;;) {
        const auto deux = cle.find(':', debut);
        parties.push_back(cle.substr(debut, deux - debut));
        if (deux == std::string::npos) break;
        debut = deux + 1;
    }
    if (parties.size() != 4 || parties[0].empty() || parties[1].empty()) return false;
    if (!Entier(parties[2], saisie.colonne) || !Entier(parties[3], saisie.ligne)) return false;
    if (saisie.colonne < 1 || saisie.colonne > 255 || saisie.ligne < 1 || saisie.ligne > 255) return false;
    saisie.page = parties[0];
    saisie.objet = parties[1];
    saisie.texte = argument.substr(egal + 1);
    return true;
}

int ComposerGrilles(const CorpsValeurs& corps) {
    engine::Moteur moteur;
    engine::CalculGrillesMoteur calcul(moteur);
    grid::ServicesGrilles services;
    services.enJeu = [&moteur] { return moteur.jeu.ModeProgramme == engine::kModeJeu; };
    services.calcul = &calcul;
    grid::MagasinGrilles grilles(std::move(services));
    moteur.Services().grilles = &grilles;
    // Cell formulas may compute over grids (depreciation, conditional sums,
    // closing dates) as in the program.
    const grid::AccesGrilles acces{moteur.ScriptsDuMoteur().Formule().scene, grilles};
    grid::FonctionsCalcul fonctions(acces);
    // And read the currency table, as in the program (a conversion has no
    // settings store here: it writes no reference rate).
    grid::FonctionsMonnaie monnaies(acces, {moteur.Monnaies, nullptr, moteur.jeu.ConversionEnCours, {}, {}},
                                    &fonctions);
    moteur.ScriptsDuMoteur().FonctionsGrilles(&monnaies);
    moteur.Services().conversion = &monnaies;
    const int code = corps(moteur, grilles);
    moteur.Services().conversion = nullptr;
    moteur.ScriptsDuMoteur().FonctionsGrilles(nullptr);
    moteur.Services().grilles = nullptr;
    return code;
}

int ValeursScene(const std::string& octets, const std::string& page, const std::vector<SaisieValeurs>& saisies,
                 std::ostream& sortie, std::ostream& erreurs, const CrochetValeurs& avant,
                 const CrochetValeurs& apres, const Composeur& composer) {
    return composer([&](engine::Moteur& moteur, grid::MagasinGrilles& grilles) {
        return Valeurs(moteur, grilles, octets, page, saisies, sortie, erreurs, avant, apres);
    });
}

}  // namespace korv::scenetool
