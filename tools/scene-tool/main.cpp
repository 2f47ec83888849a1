// scene-tool: builds a scene file from a readable description, and lists a
// scene file as text.
//   scene-tool build DESCRIPTION OUT.sce [--form 4500|4600]
//   scene-tool dump FILE.sce
//   scene-tool rtf FILE.rtf [--write OUT.rtf]
//   scene-tool values FILE.sce [--page NAME] [--set PAGE:OBJECT:COLUMN:ROW=TEXT]...
//   scene-tool script FILE.sce [--plan DOC.tvr] --page NAME [--file PATH]... LINE...

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "description.h"
#include "dump.h"
#include "plan_document.h"
#include "valeurs.h"
#ifdef KORV_SCENE_TOOL_SCRIPT
#include "script.h"
#endif
#include "engine/scene_charge.h"
#include "engine/scene_fichier.h"
#include "platform/cp1252.h"
#include "rtf/ecrivain.h"
#include "rtf/lecteur.h"
#include "rtf/marqueurs.h"

namespace {

using namespace korv;

int Usage() {
    std::cerr << "usage: scene-tool build DESCRIPTION OUT.sce [--form 4500|4600]\n"
                 "       scene-tool values SCENE.sce [--page NAME] [--set PAGE:OBJECT:COLUMN:ROW=TEXT]... [--rtf PAGE:OBJECT=RTF]...\n"
                 "              [--plan DOC.tvr] [--save OUT.tvr]\n"
                 "       scene-tool plan SCENE.sce DOCUMENT.tvr\n"
                 "       scene-tool script SCENE.sce [--plan DOCUMENT.tvr] --page NAME [--file PATH]... LINE...\n"
                 "       scene-tool dump FILE.sce\n"
                 "       scene-tool rtf FILE.rtf [--write OUT.rtf]\n";
    return 2;
}

bool Lit(const std::string& chemin, std::string& contenu) {
    std::ifstream f(chemin, std::ios::binary);
    if (!f) return false;
    contenu.assign(std::istreambuf_iterator<char>(f), {});
    return !f.bad();
}

// Writes beside the target, then renames, so that a failure never leaves a
// half-written file behind.
bool Ecrit(const std::string& chemin, const std::string& octets) {
    const std::string temp = chemin + ".tmp";
    {
        std::ofstream f(temp, std::ios::binary | std::ios::trunc);
        f.write(octets.data(), static_cast<std::streamsize>(octets.size()));
        if (!f.flush()) {
            std::cerr << "scene-tool: écriture impossible de " << temp << "\n";
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), chemin.c_str()) != 0) {
        std::cerr << "scene-tool: impossible de renommer " << temp << "\n";
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

// Reads an RTF file with our reader: its plain text, one paragraph a line
// (a line break inside a paragraph is U+2028), then its page-marker count;
// written back with our writer when asked.
int TexteRiche(const std::vector<std::string>& args) {
    if (args.size() != 1 && args.size() != 3) return Usage();
    if (args.size() == 3 && args[1] != "--write") return Usage();
    std::string octets;
    if (!Lit(args[0], octets)) {
        std::cerr << "Fichier inexistant\n";
        return 1;
    }
    const rtf::LectureRtf lecture = rtf::LireRtf(octets);
    if (!lecture.document) {
        std::cerr << args[0] << ": " << lecture.erreur << " (octet " << lecture.position << ")\n";
        return 1;
    }
    const rtf::Document& d = *lecture.document;
    for (const auto& p : d.paragraphes) {
        std::u32string ligne;
        for (const auto& m : p.morceaux) ligne += m.texte;
        for (auto& c : ligne) {
            if (c == rtf::kSautLigne) c = U'\u2028';
        }
        std::cout << rtf::TexteUtf8(ligne) << "\n";
    }
    std::cout << "Marqueurs de page : " << rtf::NombreMarqueurs(d.TexteBrut()) << "\n";
    if (args.size() == 3 && !Ecrit(args[2], rtf::EcrireRtf(d))) return 1;
    return 0;
}

int Construit(const std::vector<std::string>& args) {
    if (args.size() != 2 && args.size() != 4) return Usage();
    engine::FormeObjets forme = engine::FormeObjets::Bloc;
    if (args.size() == 4) {
        if (args[2] != "--form") return Usage();
        if (args[3] == "4500") forme = engine::FormeObjets::ChampParChamp;
        else if (args[3] != "4600") return Usage();
    }
    std::string description;
    if (!Lit(args[0], description)) {
        std::cerr << "scene-tool: impossible de lire " << args[0] << "\n";
        return 1;
    }
    try {
        const auto scene = scenetool::ConstruitScene(description, forme);
        const std::string octets = engine::EcritScene(scene, forme);
        // Write beside the target, then rename, so a failed build never
        // leaves a half-written scene behind.
        const std::string temp = args[1] + ".tmp";
        {
            std::ofstream f(temp, std::ios::binary | std::ios::trunc);
            f.write(octets.data(), static_cast<std::streamsize>(octets.size()));
            if (!f.flush()) {
                std::cerr << "scene-tool: écriture impossible de " << temp << "\n";
                return 1;
            }
        }
        if (std::rename(temp.c_str(), args[1].c_str()) != 0) {
            std::cerr << "scene-tool: impossible de renommer " << temp << "\n";
            std::remove(temp.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << args[0] << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}

int Liste(const std::vector<std::string>& args) {
    if (args.size() != 1) return Usage();
    std::string octets;
    if (!Lit(args[0], octets)) {
        std::cerr << "Fichier inexistant\n";
        return 1;
    }
    try {
        engine::OptionsLecture options;
        options.accepterVersionInconnue = [](std::int32_t) { return true; };
        const auto scene = engine::LitScene(
            {reinterpret_cast<const std::uint8_t*>(octets.data()), octets.size()}, options);
        std::cout << scenetool::DumpScene(scene);
    } catch (const engine::SceneInvalide& e) {
        std::cerr << engine::MessageEchecScene(e) << "\n";  // UTF-8, like every exception text
        return 1;
    }
    return 0;
}

// The engine the grids are computed on: the program's own composition
// where the tool has it.
scenetool::Composeur Composition() {
#ifdef KORV_SCENE_TOOL_SCRIPT
    return scenetool::ComposerProgramme;
#else
    return scenetool::ComposerGrilles;
#endif
}

// plan SCENE.sce DOCUMENT.tvr
int Plan(const std::vector<std::string>& args) {
    if (args.size() != 2) return Usage();
    std::string scene, document;
    if (!Lit(args[0], scene) || !Lit(args[1], document)) {
        std::cerr << "Fichier inexistant\n";
        return 1;
    }
    return scenetool::PlanListe(scene, document, std::cout, std::cerr, Composition());
}

// values SCENE.sce [--page NAME] [--set PAGE:OBJECT:COLUMN:ROW=TEXT]... [--plan DOC] [--save OUT]
int Valeurs(const std::vector<std::string>& args) {
    if (args.empty()) return Usage();
    std::string page, plan, sauvegarde;
    std::vector<std::string> textes;
    std::vector<scenetool::SaisieValeurs> saisies;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) return Usage();
        if (args[i] == "--page") {
            page = args[i + 1];
        } else if (args[i] == "--plan") {
            plan = args[i + 1];
        } else if (args[i] == "--rtf") {
            textes.push_back(args[i + 1]);
        } else if (args[i] == "--save") {
            sauvegarde = args[i + 1];
        } else if (args[i] == "--set") {
            scenetool::SaisieValeurs s;
            if (!scenetool::LitSaisie(args[i + 1], s)) return Usage();
            saisies.push_back(std::move(s));
        } else {
            return Usage();
        }
    }
    std::string octets;
    if (!Lit(args[0], octets)) {
        std::cerr << "Fichier inexistant\n";
        return 1;
    }
    std::string document;
    if (!plan.empty() && !Lit(plan, document)) {
        std::cerr << "Fichier inexistant\n";
        return 1;
    }
    if (plan.empty() && sauvegarde.empty() && textes.empty()) {
        return scenetool::ValeursScene(octets, page, saisies, std::cout, std::cerr, {}, {}, Composition());
    }
    const scenetool::CrochetsPlan c = scenetool::CrochetsDocument(document, sauvegarde, textes);
    return scenetool::ValeursScene(octets, page, saisies, std::cout, std::cerr, c.avant, c.apres, Composition());
}

#ifdef KORV_SCENE_TOOL_SCRIPT
// script SCENE.sce [--plan DOC] --page NAME [--file PATH]... LINE...
int Script(const std::vector<std::string>& args) {
    if (args.empty()) return Usage();
    scenetool::OptionsScript o;
    o.scene = args[0];
    std::size_t i = 1;
    for (; i < args.size(); i += 2) {
        if (args[i] != "--plan" && args[i] != "--page" && args[i] != "--file") break;
        if (i + 1 >= args.size()) return Usage();
        if (args[i] == "--plan") o.plan = args[i + 1];
        else if (args[i] == "--page") o.page = args[i + 1];
        else o.fichiers.push_back(args[i + 1]);
    }
    o.lignes.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
    if (o.page.empty() || o.lignes.empty()) return Usage();
    return scenetool::ScriptScene(o, std::cout, std::cerr);
}
#endif

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string commande = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (commande == "build") return Construit(args);
    if (commande == "dump") return Liste(args);
    if (commande == "rtf") return TexteRiche(args);
    if (commande == "values") return Valeurs(args);
    if (commande == "plan") return Plan(args);
#ifdef KORV_SCENE_TOOL_SCRIPT
    if (commande == "script") return Script(args);
#endif
    return Usage();
}
