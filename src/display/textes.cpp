#include "display/textes.h"

#include <functional>
#include <system_error>

#include <QStandardPaths>

#include "display/affichage.h"
#include "display/dessin_champs.h"
#include "display/surface.h"
#include "engine/moteur.h"
#include "engine/objets_affiches.h"
#include "engine/recherche.h"
#include "platform/path_resolver.h"
#include "text/fichiers_codes.h"
#include "text/requetes.h"
#include "text/source.h"

namespace korv::display {

namespace fs = std::filesystem;
using engine::ObjetPage;
using engine::TypeObjet;

namespace {

// Fields of a text object's record that its drawing reads.
std::int32_t MargeTexte(const ObjetPage& o) { return o.A1; }
std::uint8_t AlignementVertical(const ObjetPage& o) { return o.H3; }
std::int64_t NombreLignes(const ObjetPage& o) { return o.G[5]; }
std::uint8_t StyleSurlignage(const ObjetPage& o) { return o.K1[0]; }

std::int32_t LargeurCodage(const engine::Scene& scene, int page, int objet, const ObjetPage& o) {
    if (o.Type() == TypeObjet::Texte) return std::int32_t{o.largeur} - 2 * MargeTexte(o);
    if (o.Type() == TypeObjet::Bouton) {
        const engine::RectangleTwips r = engine::BoutonDetermineZoneTexte(scene, page, objet);
        return r.droite - r.gauche;
    }
    return 0;
}

std::string EnHexa(std::size_t v) {
    static constexpr char kChiffres[] = "0123456789ABCDEF";
    std::string r;
    for (int i = 0; i < 16; ++i, v >>= 4) r.insert(r.begin(), kChiffres[v & 15]);
    return r;
}

}  // namespace

fs::path DossierCacheTextes() {
    const QString d = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return fs::path(d.toStdString()) / "textes";
}

TextesPage::TextesPage(AffichagePage& affichage, ReglagesTextes reglages)
    : a_(affichage), r_(std::move(reglages)), polices_(r_.policeDefaut) {
    FormatageDefaut.police = r_.policeDefaut;
    FormatageDefaut.taille = 11;
}

void TextesPage::Brancher() {
    auto& c = a_.crochets;
    c.ObjetTexteDessine = [this](int page, int objet, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                 bool legende, int) { ObjetTexteDessine(page, objet, legende); };
    c.BoutonLegendeDessine = [this](Surface& s, int page, int objet, int mode) {
        BoutonLegendeDessine(s, page, objet, mode);
    };
    c.TexteNbPage = [this](int page, int objet) { return TexteNbPage(page, objet); };
    c.NLigneTexteObjetY = [this](int page, int objet, std::int32_t y, int morceau, std::int32_t ligne) {
        return NLigneTexteObjetY(page, objet, y, morceau, ligne);
    };
    c.TexteNLigneVersNPage = [this](int page, int objet, std::int32_t ligne) {
        return TexteNLigneVersNPage(page, objet, ligne);
    };
    c.TexteRecherche = [this](int page, int objet, std::string_view t, int depuis) {
        return TexteRecherche(page, objet, t, depuis);
    };
}

int TextesPage::NbLangues() const { return std::max<int>(1, a_.moteur.scene.entete.langueNb); }

int TextesPage::Langue() const { return a_.moteur.jeu.LangueCourante; }

fs::path TextesPage::DossierScene() const {
    const std::string& scene = a_.moteur.scene.entete.cheminScene;
    const std::string nom = fs::path(scene).stem().string();
    return r_.dossierCache / ((nom.empty() ? std::string("SCENE") : nom) + "-" + EnHexa(std::hash<std::string>{}(scene)));
}

bool TextesPage::TexteEstTexteLong(int page, int objet) {
    const fs::path f = TexteFichierTexteLong(page, objet);
    std::error_code ec;
    return !f.empty() && fs::is_regular_file(f, ec);
}

fs::path TextesPage::TexteFichierTexteLong(int page, int objet) {
    const ObjetPage* o = a_.Objet(page, objet);
    if (!o) return {};
    const std::string nom = text::NomReferenceLangue(o->texte, Langue(), NbLangues());
    if (nom.empty() || nom.find_first_of("/\\") != std::string::npos || nom == "." || nom == "..") return {};
    const fs::path cache = DossierScene() / nom;
    std::error_code ec;
    if (fs::is_regular_file(cache, ec)) return cache;
    // A reference to coded files kept beside the object's own file.
    if (const auto fichier = platform::ResoudreChemin(o->fichier)) {
        const auto voisin = platform::ResoudreChemin((fichier->parent_path() / nom).string());
        if (voisin && fs::is_regular_file(*voisin, ec)) return *voisin;
    }
    return cache;
}

void TextesPage::TexteRecodeFichierOuLiteral(int page, int objet) {
    ObjetPage* o = a_.Objet(page, objet);
    if (!o || o->texte.find("<Texte deja Prepare>") != std::string::npos) return;
    MesureurQt mesureur(a_.PageTampon, polices_);
    const engine::Scene& scene = a_.moteur.scene;
    text::Codage c{mesureur, LargeurCodage(scene, page, objet, *o), FormatageDefaut, NbLangues(),
                   [&scene, page, objet](int langue) { return engine::HyperTexteDansObjet(scene, page, objet, langue); }};
    if ((o->Type() == TypeObjet::Bouton && !o->texte.empty()) || (o->Type() == TypeObjet::Texte && o->fichier.empty())) {
        o->texte = text::TexteCodeDirect(o->texte, c);
    } else if (o->Type() == TypeObjet::Texte) {
        text::CodageFichier f;
        f.fichierObjet = platform::ResoudreChemin(o->fichier).value_or(fs::path());
        f.dossierCache = DossierScene();
        f.cle = "P" + std::to_string(page) + "O" + std::to_string(objet);
        f.policeDisponible = [this](std::string_view nom) { return polices_.Disponible(nom); };
        f.policeDefaut = r_.policeDefaut;
        o->texte = text::CodageCompletTexte(f, c);
    }
}

std::string TextesPage::TexteCourant(int page, int objet, std::int64_t morceau, std::int64_t ligne) {
    const ObjetPage* o = a_.Objet(page, objet);
    if (!o) return {};
    if (TexteEstTexteLong(page, objet)) {
        text::SourceFichier source(TexteFichierTexteLong(page, objet));
        return source.Ouverte() ? text::TexteLongMorceau(source, morceau, ligne) : std::string();
    }
    return text::TexteTraduction(o->texte, Langue(), NbLangues());
}

void TextesPage::ObjetTexteDessine(int page, int objet, bool legende) {
    const ObjetPage* o = a_.Objet(page, objet);
    if (!legende || !o) return;
    const std::int32_t largeur = LargeurCodage(a_.moteur.scene, page, objet, *o);
    const bool long_ = !o->fichier.empty() && TexteEstTexteLong(page, objet);
    if (!long_ && !text::TexteBienParametre(o->texte, largeur)) {
        TexteRecodeFichierOuLiteral(page, objet);
        o = a_.Objet(page, objet);
    }
    ParametresTexteAffiche p;
    p.rectangle = {o->gauche, o->haut, std::int32_t{o->gauche} + o->largeur, std::int32_t{o->haut} + o->hauteur};
    p.marge = MargeTexte(*o);
    p.alignementVDefaut = AlignementVertical(*o);
    p.nbLignes = NombreLignes(*o);
    p.styleSurlignage = StyleSurlignage(*o);
    p.couleur = champs::CouleurContour(*o);
    p.defaut = FormatageDefaut;
    p.pageAffichee = champs::Profondeur3D(*o);
    const int k = engine::ObjetAfficheNObjetVersNAffiche(a_.moteur.affiches, page, objet);
    if (a_.ModeJeu() && k > 0) {
        const engine::ObjetAffiche& e = a_.moteur.affiches.Entree(k);
        p.pageAffichee = e.morceauTexte;
        p.premiereLigne = e.ligneTexteLong;
        p.ligneSurlignee = e.ligneSelectionnee;
        p.lienPage = page;
        p.lienObjet = objet;
    }
    std::string texte = TexteCourant(page, objet, p.pageAffichee, p.premiereLigne);
    TexteAffiche(a_, a_.PageTampon, polices_, texte, p);
}

void TextesPage::BoutonLegendeDessine(Surface& tampon, int page, int objet, int mode) {
    const ObjetPage* o = a_.Objet(page, objet);
    if (!o) return;
    const engine::RectangleTwips r = engine::BoutonDetermineZoneTexte(a_.moteur.scene, page, objet);
    if (!text::TexteBienParametre(o->texte, r.droite - r.gauche)) {
        TexteRecodeFichierOuLiteral(page, objet);
        o = a_.Objet(page, objet);
    }
    ParametresTexteAffiche p;
    p.rectangle = {r.gauche, r.haut, r.droite, r.bas};
    p.alignementVDefaut = static_cast<std::uint8_t>(mode);
    p.couleur = kNoir;
    p.defaut = FormatageDefaut;
    std::string texte = text::TexteTraduction(o->texte, Langue(), NbLangues());
    TexteAffiche(a_, tampon, polices_, texte, p);
}

int TextesPage::TexteNbPage(int page, int objet) {
    const ObjetPage* o = a_.Objet(page, objet);
    if (!o) return 1;
    if (o->Type() == TypeObjet::TexteRtf) return a_.TexteRicheNbMarqueurPage(page, objet);
    if (TexteEstTexteLong(page, objet)) {
        text::SourceFichier source(TexteFichierTexteLong(page, objet));
        return text::TexteNbPage(source);
    }
    const std::string t = text::TexteTraduction(o->texte, Langue(), NbLangues());
    text::SourceChaine source(t);
    return text::TexteNbPage(source);
}

int TextesPage::NLigneTexteObjetY(int page, int objet, std::int32_t y, int morceau, std::int32_t ligne) {
    const ObjetPage* o = a_.Objet(page, objet);
    if (!o) return 0;
    const std::string texte = TexteCourant(page, objet, morceau, ligne);
    std::int32_t decalage = 0;
    const auto n = text::TexteADecouperQuelleLigneY(
        texte, morceau, ligne, NombreLignes(*o), {o->haut, std::int32_t{o->haut} + o->hauteur}, decalage,
        AlignementVertical(*o), FormatageDefaut, y, a_.reglages.twipsParPixelY);
    return static_cast<int>(std::clamp<std::int64_t>(n, 0, 32767));
}

int TextesPage::TexteNLigneVersNPage(int page, int objet, std::int32_t ligne) {
    if (TexteEstTexteLong(page, objet)) {
        text::SourceFichier source(TexteFichierTexteLong(page, objet));
        return text::TexteNLigneVersNPage(source, ligne);
    }
    const std::string t = TexteCourant(page, objet, 0, 0);
    text::SourceChaine source(t);
    return text::TexteNLigneVersNPage(source, ligne);
}

int TextesPage::TexteRecherche(int page, int objet, std::string_view cherche, int depuisLigne) {
    const auto n = [&]() -> std::int64_t {
        if (TexteEstTexteLong(page, objet)) {
            text::SourceFichier source(TexteFichierTexteLong(page, objet));
            return text::TexteRecherche(source, cherche, depuisLigne);
        }
        const std::string t = TexteCourant(page, objet, 0, 0);
        text::SourceChaine source(t);
        return text::TexteRecherche(source, cherche, depuisLigne);
    }();
    return static_cast<int>(std::clamp<std::int64_t>(n, 0, 32767));
}

}  // namespace korv::display
