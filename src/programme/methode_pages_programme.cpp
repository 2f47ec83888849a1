#include "programme/methode_pages_programme.h"

#include <optional>
#include <string_view>
#include <vector>

#include "engine/fichier_nom.h"
#include "engine/moteur.h"
#include "engine/objets_affiches.h"
#include "engine/texte_casse.h"
#include "grid/magasin_grilles.h"
#include "grid/tableau.h"
#include "plan/methode/etapes_methode.h"
#include "plan/methode/textes_methode.h"
#include "platform/message_box.h"
#include "programme/methode_programme.h"
#include "programme/redaction_programme.h"
#include "programme/textes_methode_programme.h"
#include "rtf/ecrivain.h"
#include "rtf/lecteur.h"

namespace korv::programme {

namespace {
constexpr std::size_t kMotCondition = 3;  // G4
constexpr std::int16_t kSansCondition = 0;
constexpr std::int16_t kSiPageSuivante = 3;
constexpr std::int16_t kActionPanneauMethode = 16;
constexpr std::int16_t kSaisieLectureSeule = 2;
constexpr std::string_view kGras = "<Gras1>";
constexpr std::string_view kTitreAide = "<Taille11><Gras1><HorizontalAligneGauche>";

bool Commence(std::string_view nom, std::string_view prefixe) { return nom.substr(0, prefixe.size()) == prefixe; }

bool PageMenu(std::string_view nom) {
    return nom == "METSOUSMENU" || nom == "METSOUSMENU1" || nom == "METMENU" || nom == "METSOUSMENUEDITETITRES" ||
           nom == "METMENUEDITETITRES";
}

// The kind of explanation text an automatic page shows; nullopt for a page
// that is none, "" for the page without a text file.
std::optional<std::string_view> GenreTexte(std::string_view nom) {
    if (nom == "METAUTOMET") return "MET";
    if (nom == "METAUTOEXP") return "EXP";
    if (nom == "METAUTOSAV") return "SAV";
    if (nom == "EXPLICGENERIQUE") return "AIDE";
    if (nom == "METAUTOTXT") return "";
    return std::nullopt;
}

// The number an "INVIS..." name holds from its tenth character; none when
// no digit stands there (such an object is left alone).
std::optional<int> NumeroInvis(std::string_view nom) {
    if (nom.size() < 10) return std::nullopt;
    std::string_view reste = nom.substr(9);
    while (!reste.empty() && reste.front() == ' ') reste.remove_prefix(1);
    int n = 0;
    std::size_t i = 0;
    for (; i < reste.size() && i < 5 && reste[i] >= '0' && reste[i] <= '9'; ++i) n = n * 10 + (reste[i] - '0');
    if (i == 0) return std::nullopt;
    return n;
}

int PanneauMethode(const engine::PageScene& p) {
    for (int i = 1; i <= p.ObjetNb(); ++i) {
        const engine::ObjetPage& o = p.Objet(i);
        if (o.Type() == engine::TypeObjet::Action && o.A1 == kActionPanneauMethode) return i;
    }
    return 0;
}
}  // namespace

MethodePagesProgramme::MethodePagesProgramme(engine::Moteur& moteur, plan::MethodeEtapes& etapes,
                                             grid::MagasinGrilles& grilles, RedactionProgramme& redaction,
                                             TextesMethodeProgramme& textes)
    : moteur_(moteur), etapes_(etapes), grilles_(grilles), redaction_(redaction), textes_(textes) {}

void MethodePagesProgramme::PageMethodeAutoConstruire(int page) {
    if (!moteur_.scene.PageExiste(page)) return;
    textes_.Cacher();
    {
        const engine::PageScene& p = moteur_.scene.Page(page);
        for (int i = 1; i <= p.ObjetNb(); ++i) {
            if (p.Objet(i).nom == "VUPASVU") EtapeImageVuPasVu(page, i);
        }
    }
    PageMethodeTitresFixer(moteur_.scene, page, etapes_);

    redaction_.PageConstruire(page);
    {
        // A writing panel the user may write in opens the page's export and
        // print commands.
        const engine::PageScene& p = moteur_.scene.Page(page);
        const int panneau = PanneauMethode(p);
        if (panneau > 0 && p.Objet(panneau).A3 != kSaisieLectureSeule) {
            moteur_.Fenetre().MenuActif(engine::Menu::ExporterPageRtf, true);
            moteur_.Fenetre().MenuActif(engine::Menu::ImprimerPage, true);
        }
    }

    const engine::PageScene& p = moteur_.scene.Page(page);
    const std::string nomPage = p.ObjetNb() >= 1 ? engine::MajusculeCp1252(p.Objet(1).nom) : std::string();
    if (PageMenu(nomPage)) {
        MenuConstruire(page, nomPage == "METMENU");
    } else if (GenreTexte(nomPage)) {
        AutoConstruire(page, nomPage);
    }
}

void MethodePagesProgramme::EtapeImageVuPasVu(int page, int objet) {
    if (!moteur_.scene.ObjetExiste(page, objet)) return;
    const int i = etapes_.NumeroEtape(etapes_.EtapeCouranteCode());
    if (i < 1) return;
    const std::string_view image = etapes_.Etape(i).Vu == 1 ? plan::kImageVu : plan::kImagePasVu;
    moteur_.scene.Page(page).Objet(objet).fichier =
        plan::ImageMethodeChemin(moteur_.scene.entete.repertoireScene, image);
    // A mark already shown shows its new picture at once; a page being
    // built draws it with the page.
    if (moteur_.jeu.ModeProgramme == engine::kModeJeu && page == moteur_.jeu.PageCourante) {
        if (const int k = engine::ObjetAfficheNObjetVersNAffiche(moteur_.affiches, page, objet); k > 0) {
            moteur_.Ecran().MajZoneObjetJeu(k, 0);
            moteur_.Ecran().MajFenetreJeu();
        }
    }
}

void MethodePagesProgramme::MenuConstruire(int page, bool menuPrincipal) {
    const std::string courant = etapes_.EtapeCouranteCode();
    int k = 0;
    std::string titreA, titreB;
    std::vector<int> liste;
    for (int i = 1; i <= etapes_.NombreEtapes(); ++i) {
        const plan::EtapeMethode& e = etapes_.Etape(i);
        if (k == 0 && e.Code == courant) {
            k = i;
            if (e.Parent < 1) {
                titreA = etapes_.EtapeNumeroTexte(i);
            } else {
                titreA = etapes_.EtapeNumeroTexte(e.Parent);
                titreB = etapes_.EtapeNumeroTexte(i);
            }
        }
        if (e.Code.size() == courant.size() + 1 && Commence(e.Code, courant)) liste.push_back(i);
    }
    const bool aParent = k > 0 && etapes_.Etape(k).Parent >= 1;
    const std::string dossier = moteur_.scene.entete.repertoireScene;

    engine::PageScene& p = moteur_.scene.Page(page);
    std::size_t j = 0;
    for (int i = 1; i <= p.ObjetNb(); ++i) {
        engine::ObjetPage& o = p.Objet(i);
        const std::string nom = engine::MajusculeCp1252(o.nom);
        if (nom == "METTITRE") {
            o.texte = std::string(kGras) + titreA;
        } else if (Commence(nom, "METTITREENFANT") && k > 0) {
            if (!aParent) {
                o.G[kMotCondition] = kSiPageSuivante;
            } else {
                o.G[kMotCondition] = kSansCondition;
                if (nom == "METTITREENFANT") o.texte = std::string(kGras) + titreB;
            }
        } else if (Commence(o.nom, "INVISTEXT")) {
            ++j;
            if (j <= liste.size()) o.texte = std::string(kGras) + etapes_.EtapeNumeroTexte(liste[j - 1]);
        } else if (Commence(o.nom, "INVISVUES")) {
            const int s = etapes_.NumeroEtape(courant + o.nom.substr(9));
            if (s > 0) {
                const std::int16_t vu = etapes_.Etape(s).Vu;
                if (vu == 0) o.fichier = plan::ImageMethodeChemin(dossier, plan::kImagePasVuSousEtape);
                if (vu == 1) o.fichier = plan::ImageMethodeChemin(dossier, plan::kImageVuSousEtape);
                o.fichier = plan::SceneRemonter(o.fichier);
            }
        }
    }
    if (menuPrincipal) return;
    // A sub-menu built with room for more sub-steps than the step has shows
    // only as many lines.
    for (int i = 1; i <= p.ObjetNb(); ++i) {
        engine::ObjetPage& o = p.Objet(i);
        if (!Commence(o.nom, "INVIS")) continue;
        const std::optional<int> n = NumeroInvis(o.nom);
        if (!n) continue;
        o.G[kMotCondition] = static_cast<std::size_t>(*n) <= liste.size() ? kSansCondition : kSiPageSuivante;
    }
}

void MethodePagesProgramme::AutoConstruire(int page, const std::string& nomPage) {
    const int k = etapes_.NumeroEtape(etapes_.EtapeCouranteCode());
    const std::string titre = k > 0 ? etapes_.EtapeNumeroTexte(k) : std::string();
    const int nombre = moteur_.scene.Page(page).ObjetNb();
    for (int i = 1; i <= nombre; ++i) {
        engine::ObjetPage& o = moteur_.scene.Page(page).Objet(i);
        const std::string nom = engine::MajusculeCp1252(o.nom);
        if (nom == "METTITRE") {
            o.texte = std::string(kGras) + titre;
        } else if (nom == "EXPLICTITRE") {
            o.texte = std::string(kTitreAide) + etapes_.ExplicationTitre;
        } else if (o.nom == "TEXTEMET") {
            TexteMetCharger(page, i, nomPage);
        }
    }
    for (int i = 1; i <= nombre; ++i) {
        if (moteur_.scene.Page(page).Objet(i).nom == "ONGLETAUTO") OngletsPlier(page, i);
    }
}

void MethodePagesProgramme::TexteMetCharger(int page, int objet, const std::string& nomPage) {
    const std::string_view genre = GenreTexte(nomPage).value_or("");
    const std::string chemin =
        genre.empty() ? std::string()
                      : plan::EtapeFichierTexteChemin(moteur_.scene.entete.repertoireScene, etapes_.EtapeCouranteCode(),
                                                      genre);
    engine::ObjetPage& o = moteur_.scene.Page(page).Objet(objet);
    o.fichier = chemin;
    // A step without a text of that kind is normal: the text stays.
    if (chemin.empty() || !engine::FileExist(chemin)) return;
    const std::optional<rtf::Document> texte = rtf::LireTexteRiche(plan::FichierMethodeLire(chemin));
    if (!texte) {
        o.texte.clear();
        if (platform::BoiteMessage* m = moteur_.Services().messages) {
            m->Afficher("Impossible de lire le fichier RTF", platform::style::Ok, platform::kTitreProduit);
        }
        return;
    }
    o.texte = rtf::EcrireRtf(*texte);
    if (genre != "SAV") return;
    const plan::MenuSavTextes decoupe = plan::MenuSavConstruire(*texte, etapes_.BouleRTF);
    engine::PageScene& p = moteur_.scene.Page(page);
    for (int i = 1; i <= p.ObjetNb(); ++i) {
        if (p.Objet(i).nom == "MENUSAV") p.Objet(i).texte = decoupe.menu;
    }
    p.Objet(objet).texte = decoupe.sections;
}

void MethodePagesProgramme::OngletsPlier(int page, int objet) {
    grid::TableauClasse* g = grilles_.Cherche(page, objet);
    if (!g) return;
    const std::string& dossier = moteur_.scene.entete.repertoireScene;
    const std::string& code = etapes_.EtapeCouranteCode();
    g->ZoneDeplier(1, 1, 7, 2);
    // Columns 2 to 4 lead to the step's texts, 5 to its tool tables.
    const std::pair<std::uint8_t, std::string_view> textes[] = {{2, "MET"}, {3, "EXP"}, {4, "SAV"}};
    for (const auto& [colonne, genre] : textes) {
        if (!engine::FileExist(plan::EtapeFichierTexteChemin(dossier, code, genre))) {
            g->ZonePlier(colonne, 0, colonne, 0);
        }
    }
    if (!plan::EtapeAOutils(code)) g->ZonePlier(5, 0, 5, 0);
}

}  // namespace korv::programme
