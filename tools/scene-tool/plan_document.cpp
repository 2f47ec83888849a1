#include "plan_document.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <sstream>

#include "engine/calcul_grilles.h"
#include "engine/moteur.h"
#include "engine/recherche.h"
#include "engine/scene_charge.h"
#include "engine/scene_fichier.h"
#include "grid/magasin_grilles.h"
#include "grid/tableau.h"
#include "plan/document/document_plan.h"
#include "plan/etat_plan.h"
#include "plan/methode/etapes_methode.h"
#include "platform/binary_reader.h"
#include "platform/binary_writer.h"
#include "platform/cp1252.h"
#include "platform/fichiers_document.h"
#include "platform/message_box.h"

namespace korv::scenetool {

namespace {

// The tool asks nothing: every question is answered "Non".
class Silence final : public platform::BoiteMessage {
public:
    int Afficher(std::string_view, int, std::string_view) override { return 7; }
};

// The plan layer over a computed scene, as the program composes it.
struct PlanOutil {
    PlanOutil(engine::Moteur& moteur, grid::MagasinGrilles& grilles) {
        etapes.MethodePlanDefautCreer();
        plan::ServicesDocument s;
        s.moteur = &moteur;
        s.grille = [&grilles](int page, int objet) {
            return grilles.Grille(static_cast<std::int16_t>(page), static_cast<std::int16_t>(objet));
        };
        s.etat = &etat;
        s.etapes = &etapes;
        s.messages = &messages;
        s.fichiers = &disque;
        document = std::make_unique<plan::DocumentPlan>(s);
        document->TextesSceneRetenir();
        document->PolicesDefautInitialiser();
    }
    Silence messages;
    plan::EtatPlan etat{messages};
    plan::MethodeEtapes etapes;
    platform::FichiersDocumentDisque disque;
    std::unique_ptr<plan::DocumentPlan> document;
};

std::string Utf8(std::string_view cp1252) { return platform::Cp1252VersUtf8(cp1252); }

// The first words of a rich text, its RTF control words left out.
std::string Debut(const std::string& rtf) {
    std::string mots;
    for (std::size_t i = 0; i < rtf.size() && mots.size() < 40; ++i) {
        const char c = rtf[i];
        if (c == '\\') {
            while (i + 1 < rtf.size() && rtf[i + 1] != ' ' && rtf[i + 1] != '\\' && rtf[i + 1] != '{' &&
                   rtf[i + 1] != '}') {
                ++i;
            }
            continue;
        }
        if (c == '{' || c == '}' || c == '\r' || c == '\n') continue;
        if (c == ' ' && (mots.empty() || mots.back() == ' ')) continue;
        mots += c;
    }
    return Utf8(mots);
}

}  // namespace

int PlanListe(const std::string& scene, const std::string& document, std::ostream& sortie, std::ostream& erreurs,
              const Composeur& composer) {
    int code = 0;
    const auto avant = [&](engine::Moteur& moteur, grid::MagasinGrilles& grilles, std::ostream& err) {
        PlanOutil outil(moteur, grilles);
        const std::string refus = outil.document->Charger(document, 0);
        if (!refus.empty()) {
            err << Utf8(refus) << "\n";
            code = 1;
            return false;
        }
        const engine::Scene& s = moteur.scene;
        for (int p = 1; p <= s.PageNb(); ++p) {
            const std::string page = Utf8(plan::NomPage(s, p));
            for (int o = 1; o <= s.Page(p).ObjetNb(); ++o) {
                const std::string objet = Utf8(s.Page(p).Objet(o).nom);
                if (plan::ObjetTexteDuPlan(s, p, o)) {
                    const std::string& t = s.Page(p).Objet(o).texte;
                    sortie << page << '\t' << objet << "\ttexte\t" << t.size() << '\t' << Debut(t) << '\n';
                }
                grid::TableauClasse* g = grilles.Grille(static_cast<std::int16_t>(p), static_cast<std::int16_t>(o));
                if (!g) continue;
                sortie << page << '\t' << objet << "\tgrille\n";
                BinaryWriter w;
                g->SauverUtilisateur(w);
                BinaryReader in(w.data());
                const grid::DonneesUtilisateur d = g->LireUtilisateur(in);
                for (const auto& e : d.entrees) {
                    sortie << page << '\t' << objet << '\t' << int{e.colonne} << '\t' << int{e.ligne} << "\tentree\t"
                           << Utf8(e.texte) << '\n';
                }
                for (const auto& e : d.resultats) {
                    sortie << page << '\t' << objet << '\t' << int{e.colonne} << '\t' << int{e.ligne}
                           << "\tresultat\t" << Utf8(e.valeur) << '\n';
                }
            }
        }
        for (int i = 1; i <= outil.etapes.NombreEtapes(); ++i) {
            const plan::EtapeMethode& e = outil.etapes.Etape(i);
            sortie << "etape\t" << e.Code << '\t' << e.Vu << '\t' << e.TexteRedige.size() << '\n';
        }
        return false;  // nothing more to compute or list
    };
    std::ostringstream rien;
    (void)ValeursScene(scene, "", {}, rien, erreurs, avant, {}, composer);
    return code;
}

CrochetsPlan CrochetsDocument(const std::string& document, const std::string& sauvegarde,
                              const std::vector<std::string>& textes) {
    auto outil = std::make_shared<std::unique_ptr<PlanOutil>>();
    CrochetsPlan c;
    c.avant = [outil, document, textes](engine::Moteur& moteur, grid::MagasinGrilles& grilles, std::ostream& err) {
        *outil = std::make_unique<PlanOutil>(moteur, grilles);
        if (!document.empty()) {
            const std::string refus = (*outil)->document->Charger(document, 0);
            if (!refus.empty()) {
                err << Utf8(refus) << "\n";
                return false;
            }
        }
        for (const std::string& t : textes) {
            const auto deux = t.find(':');
            const auto egal = t.find('=');
            const int page = deux == std::string::npos ? 0
                                                       : engine::NumeroDePage(moteur.scene, platform::Utf8VersCp1252(t.substr(0, deux)));
            const int objet = page < 1 || egal == std::string::npos || egal < deux
                                  ? 0
                                  : engine::NumeroObjet(moteur.scene, page, platform::Utf8VersCp1252(t.substr(deux + 1, egal - deux - 1)));
            if (!plan::ObjetTexteDuPlan(moteur.scene, page, objet)) {
                err << "scene-tool: aucun texte du plan " << t.substr(0, egal) << "\n";
                return false;
            }
            moteur.scene.Page(page).Objet(objet).texte = platform::Utf8VersCp1252(t.substr(egal + 1));
        }
        return true;
    };
    if (!sauvegarde.empty()) {
        c.apres = [outil, sauvegarde](engine::Moteur& moteur, grid::MagasinGrilles&, std::ostream& err) {
            PlanOutil& o = **outil;
#ifdef KORV_SCENE_TOOL_SCRIPT
            (void)moteur;
#else
            // Without the program's composition the grids have no display:
            // no page is shown again after the save.
            moteur.jeu.ModeProgramme = 0;
#endif
            const int r = o.document->PlanAffaireEnregistrer(platform::Utf8VersCp1252(sauvegarde), false, 0, false);
            if (r != plan::kEnregistre) err << "scene-tool: enregistrement impossible de " << sauvegarde << "\n";
            return r == plan::kEnregistre;
        };
    }
    return c;
}

}  // namespace korv::scenetool
