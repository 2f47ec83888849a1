#include "display/texte_riche.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <QImage>

#include "display/affichage.h"
#include "display/dessin_crochets.h"
#include "display/surface.h"
#include "engine/erreur.h"
#include "engine/moteur.h"
#include "engine/objets_affiches.h"
#include "engine/scene.h"
#include "platform/path_resolver.h"
#include "rtf/lecteur.h"
#include "rtf/qt_document.h"

namespace korv::display {

namespace {

bool DrapeauTexteUtilisateur(const engine::ObjetPage& o) { return (o.G[2] & kDrapeauTexteUtilisateur) != 0; }

// The whole file, or nothing when it cannot be read.
std::optional<std::string> LireFichier(const std::filesystem::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    if (!f) return std::nullopt;
    std::string octets(std::istreambuf_iterator<char>(f), {});
    if (f.bad()) return std::nullopt;
    return octets;
}

rtf::Document Lire(std::string_view octets, std::string* erreur) {
    if (rtf::EstRtf(octets)) {
        rtf::LectureRtf l = rtf::LireRtf(octets);
        if (l.document) return std::move(*l.document);
        if (erreur) *erreur = l.erreur;
        return rtf::DocumentDepuisTexte({});
    }
    return rtf::LireTexteRiche(octets).value_or(rtf::DocumentDepuisTexte({}));
}

QImage ImageBlanche(int largeur, int hauteur, std::int32_t tpp) {
    QImage image(std::max(largeur, 1), std::max(hauteur, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    const int parMetre = static_cast<int>(1440.0 / std::max(tpp, 1) / 0.0254 + 0.5);
    image.setDotsPerMeterX(parMetre);
    image.setDotsPerMeterY(parMetre);
    return image;
}

}  // namespace

rtf::Document TexteRicheObjet(const engine::ObjetPage& o, std::string* erreur) {
    if (DrapeauTexteUtilisateur(o)) return Lire(o.texte, erreur);
    if (!o.fichier.empty()) {
        if (const auto chemin = platform::ResoudreChemin(o.fichier)) {
            if (const auto octets = LireFichier(*chemin)) return Lire(*octets, erreur);
            if (erreur) *erreur = "lecture impossible de " + o.fichier;
        }
    }
    return rtf::DocumentDepuisTexte({});
}

bool ObjetTexteFichierCharge(engine::Scene& scene, int page, int objet) {
    if (!scene.ObjetExiste(page, objet)) return true;
    engine::ObjetPage& o = scene.Page(page).Objet(objet);
    if (o.fichier.empty()) return true;
    o.texte.clear();
    if (!DrapeauTexteUtilisateur(o) || !platform::FichierExiste(o.fichier)) return true;
    const auto chemin = platform::ResoudreChemin(o.fichier);
    if (!chemin) return true;
    const auto octets = LireFichier(*chemin);
    if (!octets) return false;
    o.texte = *octets;
    return true;
}

std::int32_t TexteRicheHauteurMesure(const rtf::Document& texte, std::int32_t largeurTwips, std::int32_t tpp) {
    return rtf::HauteurPixels(texte, largeurTwips, tpp);
}

void TexteRicheAfficheDansSurface(const rtf::Document& texte, QImage& surface, std::int32_t tpp, std::int32_t gauche,
                                  std::int32_t haut, std::int32_t margeDroite, std::int32_t margeBas,
                                  std::int32_t premier, std::int32_t dernier) {
    const std::int32_t t = std::max(tpp, 1);
    const std::int64_t largeur = static_cast<std::int64_t>(surface.width()) * t - margeDroite - gauche;
    const std::int64_t hauteur = static_cast<std::int64_t>(surface.height()) * t - margeBas - haut;
    if (largeur <= 0 || hauteur <= 0) return;
    const QRect rect(static_cast<int>(gauche / t), static_cast<int>(haut / t), static_cast<int>(largeur / t),
                     static_cast<int>(hauteur / t));
    rtf::Rendre(texte, surface, rect, premier, dernier, tpp);
}

void TexteRicheAffichage::Brancher() {
    a_.crochets.ObjetTexteRTFDessine = [this](int page, int objet, std::int32_t gauche, std::int32_t haut,
                                              std::int32_t, std::int32_t) {
        ObjetTexteRTFDessine(page, objet, gauche, haut);
    };
    a_.crochets.TexteRicheNbMarqueurPage = [this](int page, int objet) {
        return TexteRicheNbMarqueurPage(page, objet);
    };
    a_.crochets.TexteRicheNbPage = [this](int page, int objet) { return TexteRicheNbPage(page, objet); };
}

int TexteRicheAffichage::TexteRicheNbMarqueurPage(int page, int objet) {
    const engine::ObjetPage* o = a_.Objet(page, objet);
    return o ? rtf::NombreMarqueurs(TexteRicheObjet(*o).TexteBrut()) : 0;
}

int TexteRicheAffichage::TexteRicheNbPage(int page, int objet) {
    const engine::ObjetPage* o = a_.Objet(page, objet);
    return o ? rtf::NombrePages(TexteRicheObjet(*o).TexteBrut()) : 1;
}

bool TexteRicheAffichage::BoiteMethode(const engine::ObjetPage& o, int page, int objet) {
    if (boites_ == nullptr || !a_.ModeJeu()) return false;
    const RectangleTwips place{o.gauche, o.haut, o.largeur, o.hauteur};
    if (o.nom == "MENUSAV") {
        boites_->MenuSavMontrer(rtf::LireTexteRiche(o.texte).value_or(rtf::DocumentDepuisTexte({})), place);
        return true;
    }
    if (o.nom != "TEXTEMET") return false;
    rtf::Document texte = rtf::LireTexteRiche(o.texte).value_or(rtf::DocumentDepuisTexte({}));
    const engine::Moteur& m = a_.moteur;
    const int k = engine::ObjetAfficheNObjetVersNAffiche(m.affiches, page, objet);
    if (k > 0) {
        // Only the shown page of the method text, with a paragraph end after it.
        const rtf::PositionsMorceau p = rtf::TexteMarqueurPosition(texte.TexteBrut(), m.affiches.Entree(k).morceauTexte);
        if (p.debut >= 1 && p.fin >= 1) {
            texte = rtf::Extrait(texte, p.debut - 1, p.fin);
            texte.paragraphes.push_back(rtf::Paragraphe{texte.paragraphes.back().format, {}, false});
        }
    }
    boites_->MenuSavTexteMetPlacer();
    RectangleTwips r = place;
    const std::int64_t hauteurTexte =
        static_cast<std::int64_t>(TexteRicheHauteurMesure(texte, o.largeur, a_.reglages.twipsParPixelY)) *
        a_.reglages.twipsParPixelY;
    if (o.hauteur > hauteurTexte) {
        // A text shorter than its panel is centred on it.
        r.haut = static_cast<std::int32_t>(o.haut + (o.hauteur - hauteurTexte) / 2);
        r.hauteur = static_cast<std::int32_t>(hauteurTexte);
    }
    boites_->TexteMethodeMontrer(texte, r);
    return true;
}

void TexteRicheAffichage::ObjetTexteRTFDessine(int page, int objet, std::int32_t gauche, std::int32_t haut) {
    const engine::ObjetPage* o = a_.Objet(page, objet);
    if (o == nullptr || BoiteMethode(*o, page, objet)) return;

    std::string erreur;
    const rtf::Document texte = TexteRicheObjet(*o, &erreur);
    if (!erreur.empty()) {
        // Logged, and drawn as an empty text: play goes on.
        engine::ErreurJournaliser(a_.moteur, "ObjetTexteRTFDessine", engine::kErreurProgramme,
                                  "texte RTF illisible : " + o->nom + " (" + erreur + ")");
    }
    const std::u32string brut = texte.TexteBrut();
    rtf::LimitesMorceau morceau;
    const engine::Moteur& m = a_.moteur;
    const int k = a_.ModeJeu() ? engine::ObjetAfficheNObjetVersNAffiche(m.affiches, page, objet) : 0;
    if (k > 0) {
        const engine::ObjetAffiche& e = m.affiches.Entree(k);
        if (e.ligneTexteLong < 1) {
            morceau = rtf::MorceauLimites(brut, e.morceauTexte);
        } else {
            morceau = rtf::MorceauCourantLimites(brut, e.ligneTexteLong).value_or(rtf::LimitesMorceau{});
        }
    } else if (!a_.ModeJeu()) {
        morceau = rtf::MorceauLimites(brut, o->C2);  // the initial text page
    }

    // Rendered black on white, then laid on the page with AND: the white
    // around the letters leaves the page as it was.
    QImage image = ImageBlanche(a_.PxX(o->largeur), a_.PxY(o->hauteur), a_.reglages.twipsParPixelX);
    TexteRicheAfficheDansSurface(texte, image, a_.reglages.twipsParPixelX, 0, 0, 0, 0, morceau.debut, morceau.fin);
    a_.PageTampon.Transferer(QPoint(a_.PxX(gauche), a_.PxY(haut)), image, image.rect(), OperationRaster::SrcAnd);
}

}  // namespace korv::display
