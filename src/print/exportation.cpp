#include "print/exportation.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "grid/feuille.h"
#include "platform/cp1252.h"
#include "platform/file_dialog.h"
#include "print/export_classeur.h"
#include "print/export_fichier.h"
#include "print/export_remplacements.h"
#include "print/export_tableau_rtf.h"
#include "print/export_texte_delimite.h"
#include "print/feuille_imprimee.h"
#include "rtf/assemblage.h"
#include "rtf/lecteur.h"
#include "rtf/marqueurs.h"

namespace korv::print {

namespace {

constexpr int kTexteBalise = 4;
constexpr int kGrille = 12;
constexpr int kTexteRiche = 13;
constexpr int kTexteDansChamp = 2;
constexpr std::int32_t kRetraitTexte = 500;

std::string Majuscules(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    });
    while (!s.empty() && s.back() == ' ') s.pop_back();
    while (!s.empty() && s.front() == ' ') s.erase(0, 1);
    return s;
}

bool FinitParTxt(std::string_view nom) {
    return nom.size() >= 4 && Majuscules(std::string(nom.substr(nom.size() - 4))) == ".TXT";
}

}  // namespace

void TexteExportInitialiser(TexteTravail& texte) {
    texte.Vider();
    rtf::Document& d = texte.Document();
    d.polices = {rtf::Police{0, "fswiss", 0, "Arial"}, rtf::Police{11, "fswiss", 0, "Arial"}};
    d.policeDefaut = 0;
    const rtf::CouleurRtf noir{false, 0, 0, 0}, blanc{false, 255, 255, 255};
    d.couleurs = {rtf::CouleurRtf{}, noir, blanc, noir, noir, noir, noir, noir, blanc};
}

Exportation::Exportation(ImpressionTravail& travail, SourcesExport& sources, EnvironnementExport environnement)
    : travail_(travail), sources_(sources), env_(std::move(environnement)) {
    TexteExportInitialiser(texte_);
}

Exportation::~Exportation() = default;

void Exportation::Charger() {
    TexteExportInitialiser(texte_);
    feuilles_.clear();
    charge_ = true;
}

void Exportation::ExportationFenetreOuvre(std::int16_t mode) {
    travail_.ModeImpressionExport = mode;
    if (env_.progressionOuvre) env_.progressionOuvre();
    // A second opening drops what an unfinished run gathered.
    Charger();
}

void Exportation::TexteAjouter(std::string_view texte) {
    if (!charge_) Charger();
    rtf::AjouterTexte(texte_.Document(), platform::Cp1252VersU32(texte));
}

void Exportation::TexteRTFInsereTableaux(int page, int objet, bool dansTexte) {
    if (!charge_) Charger();
    if (!texte_.TexteBrut().empty()) rtf::AjouterTexte(texte_.Document(), U"\r\n\r\n");
    const auto o = sources_.ObjetPage(page, objet);
    if (!o) return;
    switch (o->type) {
    case kTexteBalise: rtf::AjouterDocument(texte_.Document(), sources_.TexteBaliseRtf(o->texte)); break;
    case kTexteRiche: TexteRiche(*o); break;
    case kGrille: Grille(page, objet, dansTexte); break;
    default: break;
    }
}

void Exportation::TexteRiche(const SourcesImpression::Objet& o) {
    std::optional<std::string> contenu;
    if ((o.drapeaux & kTexteDansChamp) != 0) {
        contenu = o.texte;
    } else if (!o.fichier.empty()) {
        contenu = sources_.FichierLu(o.fichier);
    }
    if (!contenu) return;
    auto document = rtf::LireTexteRiche(*contenu);
    if (!document) return;
    // Screen pages are not turned in the exported document.
    rtf::MarqueursRetirer(*document);
    // The references are looked for in what was just added only: a value
    // put in earlier is never read as a reference again.
    const std::size_t debut = texte_.TexteBrut().size();
    rtf::AjouterDocument(texte_.Document(), *document);
    ReferencesRemplacer(texte_, debut, [this](const std::string& r) { return sources_.CaseReferenceValeur(r); });
}

void Exportation::Grille(int page, int objet, bool dansTexte) {
    if (!dansTexte) {
        travail_.ModeImpressionExport = 1;
    } else if (travail_.ModeImpressionExport != 4) {
        travail_.ModeImpressionExport = 3;
    }
    auto copie = sources_.CopierGrille(page, objet);
    if (!copie || !copie->feuille) return;
    const grid::Feuille* f = copie->feuille->Feuille();
    // An empty copy leaves the sheet count as it was.
    if (f == nullptr || f->LignesUtilisees() < 1 || f->ColonnesUtilisees() < 1) return;
    const bool identite = copie->titre == " ";
    feuilles_.push_back(std::move(*copie));
    if (!dansTexte) return;
    const std::string nomPage = Majuscules(sources_.NomObjet(page, 1));
    const std::string nomObjet = Majuscules(sources_.NomObjet(page, objet));
    const char* suffixe = ",0";
    if (nomObjet == "ACTION" && nomPage == "TABPLANACTION") {
        suffixe = ",1";
    } else if (nomObjet == "IDENT" && nomPage == "TABIDENT" && identite) {
        suffixe = ",2";
    }
    rtf::AjouterTexte(texte_.Document(),
                      platform::Cp1252VersU32("$TABLEAU_RTF," + std::to_string(feuilles_.size()) + suffixe + "$"));
    // The grid's commentary follows it.
    const auto [p, o] = PageTexteRicheCherche(sources_, page);
    if (p != 0) TexteRTFInsereTableaux(p, o, true);
}

std::string Exportation::TexteRtfFinal() {
    // Every paragraph but a one-character text is indented on both sides.
    if (texte_.TexteBrut().size() > 1) {
        for (auto& p : texte_.Document().paragraphes) {
            p.format.retraitGauche = kRetraitTexte;
            p.format.retraitDroit = kRetraitTexte;
        }
    }
    const std::int64_t largeur = env_.largeurUtile ? env_.largeurUtile() : 0;
    return TexteExporteRTF(texte_.Rtf(), [&](int feuille, ModeTableauRTF mode) -> std::string {
        if (feuille < 1 || static_cast<std::size_t>(feuille) > feuilles_.size()) return {};
        const grid::Feuille* f = feuilles_[static_cast<std::size_t>(feuille - 1)].feuille->Feuille();
        return f ? TableauVersRTF(*f, mode, largeur) : std::string();
    });
}

void Exportation::ExporteTextesOuTableaux(std::int16_t genre) {
    if (env_.progressionFerme) env_.progressionFerme();
    std::string echec;
    try {
        if (genre != 0) {
            EcrireTableaux();
        } else {
            EcrireTextes();
        }
    } catch (const std::exception& e) {
        echec = e.what();
    }
    // The end, on every path.
    charge_ = false;
    TexteExportInitialiser(texte_);
    feuilles_.clear();
    if (env_.pageReafficher) env_.pageReafficher();
    travail_.ModeImpressionExport = 0;
    if (!echec.empty() && env_.echec) env_.echec(echec);
}

std::string Exportation::Cible(std::string_view titre, std::string_view filtre, std::string_view extension) {
    platform::DemandeFichier d;
    d.TitreDialogue = std::string(titre);
    d.Filtre = std::string(filtre);
    d.IndexFiltre = 1;
    d.RepertoireInitial.clear();
    d.ExtensionDefaut = std::string(extension);
    if (!env_.enregistrer || !env_.enregistrer(d) || d.NomFichier.empty()) return {};
    const std::string chemin = platform::Cp1252VersUtf8(d.NomFichier);
    std::error_code e;
    if (std::filesystem::exists(chemin, e) && !(env_.ecraser && env_.ecraser())) return {};
    return chemin;
}

void Exportation::Ecrire(const std::string& chemin, const std::string& octets) {
    const std::string erreur = EcrireFichierExport(chemin, octets);
    if (erreur.empty()) return;
    throw std::runtime_error("Le fichier " + platform::Utf8VersCp1252(chemin) + " n'a pas pu \xEAtre \xE9" "crit.\r\n" +
                             platform::Utf8VersCp1252(erreur));
}

void Exportation::EcrireTableaux() {
    const std::string chemin = Cible(kTitreExportTableaux, kFiltreExportTableaux, "xls");
    if (chemin.empty()) return;
    std::vector<const grid::Feuille*> feuilles;
    std::vector<std::string> titres;
    for (const auto& c : feuilles_) {
        feuilles.push_back(c.feuille->Feuille());
        titres.push_back(c.titre);
    }
    if (FinitParTxt(chemin)) {
        Ecrire(chemin, TexteDelimite(feuilles));
        return;
    }
    const std::vector<std::string> noms = NomsFeuillesExport(titres);
    std::vector<FeuilleClasseur> classeur;
    for (std::size_t i = 0; i < feuilles.size(); ++i) classeur.push_back({feuilles[i], noms[i]});
    std::string erreur;
    const std::string octets = FichierClasseurExcel5(classeur, erreur);
    if (!erreur.empty()) throw std::runtime_error(platform::Utf8VersCp1252(erreur));
    Ecrire(chemin, octets);
}

void Exportation::EcrireTextes() {
    const std::string rtf = TexteRtfFinal();
    const std::string chemin = Cible(kTitreExportTextes, kFiltreExportTextes, "rtf");
    if (chemin.empty()) return;
    Ecrire(chemin, rtf);
}

}  // namespace korv::print
