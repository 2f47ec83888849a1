#include "display/dessin.h"

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "display/affichage.h"
#include "display/boite3d.h"
#include "display/composition.h"
#include "display/dessin_champs.h"
#include "display/zone.h"
#include "engine/erreur.h"
#include "engine/moteur.h"
#include "engine/recherche.h"

namespace korv::display {

namespace {

using engine::ObjetPage;
using engine::TypeObjet;

// Kinds that take a place in the displayed list when drawn in play mode.
bool PeutEtreAffiche(TypeObjet t) {
    switch (t) {
    case TypeObjet::Fond:
    case TypeObjet::Image:
    case TypeObjet::Bouton:
    case TypeObjet::Texte:
    case TypeObjet::Video:
    case TypeObjet::Polyligne:
    case TypeObjet::Sprite:
    case TypeObjet::Tableau:
    case TypeObjet::TexteRtf:
    case TypeObjet::Graphique: return true;
    default: return false;
    }
}

bool AspectCompile(const ObjetPage& o) {
    const std::uint8_t c = champs::OctetAspectCompile(o);
    return c == 1 || c == 3;
}

// A picture file on the buffer: JPEG files through the picture painting,
// every other name read as a BMP.
void Image(AffichagePage& a, const std::string& fichier, Surface& cible, const PlacementImage& p, OperationRaster op) {
    if (EstNomJpeg(fichier)) {
        DessinerImage(a.images, fichier, cible, p, op);
    } else {
        ChargeImage(a.images, fichier, cible, p, op);
    }
}

void BoiteBlanche(AffichagePage& a, const RectangleDessin& r) {
    a.PageTampon.RemplirBoite(a.PxX(r.gauche), a.PxY(r.haut), a.PxX(std::int64_t{r.gauche} + r.w),
                              a.PxY(std::int64_t{r.haut} + r.h), kBlanc);
}

// The object's rectangle taken from the page's compiled picture.
void CopieDepuisPageCompilee(AffichagePage& a, int page, const RectangleDessin& r) {
    const std::string fichier = engine::ObjetFichier(a.moteur.scene, page, 1);
    const int x = a.PxX(r.gauche);
    const int y = a.PxY(r.haut);
    ChargeImage(a.images, fichier, a.PageTampon, {x, y, a.PxX(r.w), a.PxY(r.h), x, y, false},
                OperationRaster::SrcCopy);
}

void Dessiner(AffichagePage& a, int page, int objet, const OptionsDessin& opt) {
    engine::Moteur& m = a.moteur;
    const ObjetPage* o = a.Objet(page, objet);
    if (!o) return;
    const TypeObjet type = o->Type();
    const RectangleDessin r{o->gauche, o->haut, std::int32_t{o->largeur} - a.reglages.twipsParPixelX,
                            std::int32_t{o->hauteur} - a.reglages.twipsParPixelY};
    bool ombre = true;
    const bool jeu = a.ModeJeu();
    const bool compile = jeu && AspectCompile(*o) && engine::PageCompilee(m.scene, page) != 0;

    if (jeu && PeutEtreAffiche(type)) {
        if (engine::ObjetAfficheNObjetVersNAffiche(m.affiches, page, objet) <= 0) {
            engine::ObjetAfficheAjouter(m.affiches, m.scene, page, objet, a.Tpp());
            if (opt.morceau >= 0) m.affiches.entrees.back().morceauTexte = static_cast<std::int16_t>(opt.morceau);
        } else if (!opt.alentours) {
            ombre = false;
        } else if (compile) {
            CopieDepuisPageCompilee(a, page, r);
            return;
        }
    }
    // The picture of object 1 already shows the other objects of a compiled page.
    if (compile && objet != 1) return;

    ObjetCadreDessine(a, page, objet, r, opt.cadre);
    auto& c = a.crochets;
    switch (type) {
    case TypeObjet::Graphique:
        if (c.ObjetGraphiqueDessine) c.ObjetGraphiqueDessine(page, objet, r.gauche, r.haut, r.w, r.h);
        break;
    case TypeObjet::TexteRtf:
        if (c.ObjetTexteRTFDessine) c.ObjetTexteRTFDessine(page, objet, r.gauche, r.haut, r.w, r.h);
        break;
    case TypeObjet::Tableau:
        if (page > 0 && c.ObjetTableauDessine) c.ObjetTableauDessine(page, objet);
        break;
    case TypeObjet::Fond: ObjetFondDessine(a, page, objet); break;
    case TypeObjet::Sprite:
        if (c.ObjetSpriteDessine) c.ObjetSpriteDessine(page, objet);
        break;
    case TypeObjet::Image: ObjetImageDessine(a, page, objet, r, opt.cadre); break;
    case TypeObjet::Bouton: ObjetBoutonDessine(a, page, objet, r, opt.legende); break;
    case TypeObjet::Texte:
        if (c.ObjetTexteDessine) c.ObjetTexteDessine(page, objet, r.gauche, r.haut, r.w, r.h, opt.legende, opt.morceau);
        break;
    case TypeObjet::Polyligne: ObjetPolyligneDessine(a, page, objet); break;
    default: break;  // video, sound, timer, action and unknown kinds show nothing of their own
    }
    ObjetContourDessine(a, page, objet, r, opt.cadre, ombre);
}

void AvantPlan(AffichagePage& a) {
    engine::Moteur& m = a.moteur;
    const int avantPlan = engine::NumeroDePage(m.scene, "AVANTPLAN");
    if (avantPlan == 0 || !m.scene.PageExiste(avantPlan)) return;

    // A firing that jumped prepared another page: that page's number must
    // stay current, and the rest of this layer belongs to a page gone.
    const std::uint64_t preparation = m.jeu.generationPreparation;
    const auto pageQuittee = [&] { return m.jeu.generationPreparation != preparation || m.fin.demandee; };
    // `PageCourante` is the foreground page around each firing only.
    auto declencher = [&](int objet, int parametre) {
        const int courante = m.jeu.PageCourante;
        m.jeu.PageCourante = static_cast<std::int16_t>(avantPlan);
        try {
            m.Declenche().DeclencheObjet(avantPlan, objet, 0, parametre, 2, 1);
        } catch (...) {
            if (!pageQuittee()) m.jeu.PageCourante = static_cast<std::int16_t>(courante);
            throw;
        }
        if (pageQuittee()) return false;
        m.jeu.PageCourante = static_cast<std::int16_t>(courante);
        return true;
    };

    const auto ordre = engine::ListeObjetsPageEnZOrder(m.scene, avantPlan);
    for (std::size_t k = 1; k < ordre.size(); ++k) {
        const int objet = ordre[k];
        const ObjetPage* o = a.Objet(avantPlan, objet);
        if (!o || o->Type() == TypeObjet::Fond || champs::HorsAvantPlan(*o) != 0) continue;
        if (!declencher(objet, 0)) return;
    }
    if (!m.scene.ObjetExiste(avantPlan, 1)) return;
    const std::vector<engine::ObjetPageElement> elements = m.scene.Page(avantPlan).Objet(1).elements;
    for (const engine::ObjetPageElement& e : elements) {
        if (e.PageCible == avantPlan && !declencher(e.ObjetCible, e.Parametre)) return;
    }
}

// Traps the errors of a drawing step only when the error mode arms traps.
void AvecTrappe(AffichagePage& a, std::string_view procedure, const std::function<void()>& corps) {
    if (a.moteur.ModeErreur > 0) {
        engine::AuBord(a.moteur, procedure, corps);
    } else {
        corps();
    }
}

}  // namespace

void MajDessinObjet(AffichagePage& a, int page, int objet, const OptionsDessin& options) {
    AvecTrappe(a, "MajDessinObjet", [&] { Dessiner(a, page, objet, options); });
}

void ObjetCadreDessine(AffichagePage& a, int page, int objet, const RectangleDessin& r, bool cadre) {
    const ObjetPage* o = a.Objet(page, objet);
    if (!cadre || !o) return;
    ClipObjet clip(a, a.PageTampon, *o, champs::OctetForme(*o) == champs::kFormePolygone);
    if (objet == 1) {
        BoiteBlanche(a, r);
        return;
    }
    const SystemeAffichage& systeme = a.reglages.systeme;
    auto ombre = [&](int valeur) {
        Ombre(systeme, a.PageTampon, a.PxX(r.gauche), a.PxY(r.haut), a.PxX(o->largeur), a.PxY(o->hauteur), valeur);
    };
    switch (champs::StyleCadre(*o)) {
    case champs::kCadreBlanc: BoiteBlanche(a, r); break;
    case champs::kCadre3D:
        Carre3D(a.PageTampon, r.gauche, r.haut, o->largeur, o->hauteur, champs::Profondeur3D(*o),
                champs::CouleurRemplissage(*o));
        break;
    case champs::kCadreCouleur:
        a.PageTampon.RemplirBoite(a.PxX(r.gauche), a.PxY(r.haut), a.PxX(std::int64_t{r.gauche} + r.w),
                                  a.PxY(std::int64_t{r.haut} + r.h), champs::CouleurRemplissage(*o));
        break;
    case champs::kCadreAssombri: ombre(-40); break;
    case champs::kCadreEclairci: ombre(40); break;
    case champs::kCadreTresEclairci: ombre(80); break;
    case champs::kCadreTransparent: {
        if (!champs::EtirementValide(*o)) break;
        const bool etirer = champs::Etirement(*o) == -1;
        if (o->Type() == TypeObjet::Image) {
            AfficherTransparent(a.images, o->fichier, a.PageTampon,
                                {a.PxX(r.gauche), a.PxY(r.haut), a.PxX(r.w), a.PxY(r.h),
                                 a.PxX(-std::int32_t{champs::DecalageImageX(*o)}),
                                 a.PxY(-std::int32_t{champs::DecalageImageY(*o)}), etirer});
        } else if (o->Type() == TypeObjet::Bouton) {
            const std::int32_t p = champs::Profondeur3D(*o);
            int x = a.PxX(std::int64_t{r.gauche} + p);
            int y = a.PxY(std::int64_t{r.haut} + p);
            if (champs::OctetDisposition(*o) == 0) {
                x += a.PxX(champs::DecalageImageX(*o));
                y += a.PxY(champs::DecalageImageY(*o));
            }
            const int w = a.PxX(std::int64_t{o->largeur} - p);
            const int h = a.PxY(std::int64_t{o->hauteur} - p);
            if (w > 0 && h > 0) AfficherTransparent(a.images, o->fichier, a.PageTampon, {x, y, w, h, 0, 0, etirer});
        }
        break;
    }
    default: break;  // 6, 7, 8 and the others paint nothing under the object
    }
}

void ObjetContourDessine(AffichagePage& a, int page, int objet, const RectangleDessin& r, bool cadre, bool ombre) {
    const ObjetPage* o = a.Objet(page, objet);
    if (!cadre || !o) return;
    const std::int16_t largeurOmbre = champs::LargeurOmbre(*o);
    if (ombre && largeurOmbre > 0) {
        OmbreCotes(a.reglages.systeme, a.PageTampon, a.PxX(r.gauche), a.PxY(r.haut), a.PxX(o->largeur),
                   a.PxY(o->hauteur), largeurOmbre, -50);
    }
    const std::int16_t contour = champs::LargeurContour(*o);
    if (contour <= 0) return;
    if (champs::OctetForme(*o) == champs::kFormeRectangle) {
        if (champs::StyleCadre(*o) == champs::kCadreTransparent) return;
        a.PageTampon.Cadre(a.PxX(r.gauche), a.PxY(r.haut), a.PxX(std::int64_t{r.gauche} + r.w),
                           a.PxY(std::int64_t{r.haut} + r.h), champs::CouleurContour(*o), contour);
    } else if (a.crochets.PolyligneAfficher) {
        a.crochets.PolyligneAfficher(a.PageTampon, page, objet, champs::CouleurContour(*o), contour);
    }
}

void ObjetFondDessine(AffichagePage& a, int page, int objet) {
    const ObjetPage* o = a.Objet(page, objet);
    if (!o) return;
    switch (champs::Etirement(*o)) {
    case 0: Image(a, o->fichier, a.PageTampon, {0, 0, -1, -1, 0, 0, false}, OperationRaster::SrcCopy); break;
    case -1:
        Image(a, o->fichier, a.PageTampon, {0, 0, a.PxX(o->largeur), a.PxY(o->hauteur), 0, 0, true},
              OperationRaster::SrcCopy);
        break;
    default: break;
    }
}

void ObjetImageDessine(AffichagePage& a, int page, int objet, const RectangleDessin& r, bool cadre) {
    (void)cadre;
    const ObjetPage* o = a.Objet(page, objet);
    if (!o) return;
    ClipObjet clip(a, a.PageTampon, *o, champs::OctetForme(*o) == champs::kFormePolygone);
    const bool etirer = champs::Etirement(*o) == -1;
    const PlacementImage place{a.PxX(r.gauche),
                               a.PxY(r.haut),
                               a.PxX(r.w),
                               a.PxY(r.h),
                               a.PxX(-std::int32_t{champs::DecalageImageX(*o)}),
                               a.PxY(-std::int32_t{champs::DecalageImageY(*o)}),
                               etirer};
    const std::int16_t style = champs::StyleCadre(*o);
    switch (style) {
    case champs::kCadreTransparent:
        // The frame step has punched the mask into the buffer.
        if (champs::EtirementValide(*o)) Image(a, o->fichier, a.PageTampon, place, OperationRaster::SrcAnd);
        break;
    case champs::kCadreAddition:
    case champs::kCadreFondu:
    case champs::kCadreFonduPourcentage: {
        if (!champs::EtirementValide(*o) || place.largeur <= 0 || place.hauteur <= 0) break;
        // The blends lay their picture through the BMP road only: a JPEG
        // (or any other kind) blends nothing.
        const GenreImage genre = GenreDepuisNom(o->fichier);
        if (genre != GenreImage::Bmp && genre != GenreImage::Masque) break;
        // A picture that cannot be had blends nothing (rather than white).
        const QImage image = a.images.cache.Charger(o->fichier, "ObjetImageDessine");
        if (image.isNull()) break;
        a.travail.Redimensionner(place.largeur, place.hauteur, kBlanc);
        DessinerImageDecodee(image, a.travail,
                             {0, 0, place.largeur, place.hauteur, place.sourceX, place.sourceY, etirer},
                             OperationRaster::SrcAnd);
        const QRect vers(place.x, place.y, place.largeur, place.hauteur);
        const QRect depuis(0, 0, place.largeur, place.hauteur);
        if (style == champs::kCadreAddition) {
            AdditionImages(a.reglages.systeme, a.PageTampon, vers, a.travail.Image(), depuis);
        } else if (style == champs::kCadreFondu) {
            FondImages(a.PageTampon, 10, vers, a.travail.Image(), 5, depuis);
        } else {
            const int p = std::clamp<int>(champs::Profondeur3D(*o), 0, 100);
            FondImages(a.PageTampon, p, vers, a.travail.Image(), 100 - p, depuis);
        }
        break;
    }
    default:
        // A stretch flag other than 0 and -1 draws no picture.
        if (champs::EtirementValide(*o)) Image(a, o->fichier, a.PageTampon, place, OperationRaster::SrcCopy);
        break;
    }
}

void ObjetBoutonDessine(AffichagePage& a, int page, int objet, const RectangleDessin& r, bool legende) {
    const ObjetPage* o = a.Objet(page, objet);
    if (!o || champs::StyleCadre(*o) == champs::kCadreRien) return;
    const std::uint8_t disposition = champs::OctetDisposition(*o);
    if (!o->fichier.empty()) {
        ClipObjet clip(a, a.PageTampon, *o, champs::OctetForme(*o) == champs::kFormePolygone);
        const std::int32_t p = champs::Profondeur3D(*o);
        int x = a.PxX(std::int64_t{r.gauche} + p);
        int y = a.PxY(std::int64_t{r.haut} + p);
        if (disposition == 0) {
            x += a.PxX(champs::DecalageImageX(*o));
            y += a.PxY(champs::DecalageImageY(*o));
        }
        const int w = a.PxX(std::int64_t{o->largeur} - p);
        const int h = a.PxY(std::int64_t{o->hauteur} - p);
        if (w > 0 && h > 0 && champs::EtirementValide(*o)) {
            const OperationRaster op = champs::StyleCadre(*o) == champs::kCadreTransparent ? OperationRaster::SrcAnd
                                                                                           : OperationRaster::SrcCopy;
            Image(a, o->fichier, a.PageTampon, {x, y, w, h, 0, 0, champs::Etirement(*o) == -1}, op);
        }
    }
    if (!legende || o->texte.empty() || !a.crochets.BoutonLegendeDessine) return;
    if (disposition == 1) {
        a.crochets.BoutonLegendeDessine(a.PageTampon, page, objet, 0);
    } else if (disposition == 0) {
        a.crochets.BoutonLegendeDessine(a.PageTampon, page, objet, 2);
    }
}

void ObjetPolyligneDessine(AffichagePage& a, int page, int objet) {
    const ObjetPage* o = a.Objet(page, objet);
    if (!o) return;
    const std::int16_t contour = champs::LargeurContour(*o);
    if (contour > 0 && a.crochets.PolyligneAfficher) {
        a.crochets.PolyligneAfficher(a.PageTampon, page, objet, champs::CouleurContour(*o), contour);
    }
}

void AfficherPageAvantPlan(AffichagePage& a) {
    AvecTrappe(a, "AfficherPageAvantPlan", [&] { AvantPlan(a); });
}

}  // namespace korv::display
