#include "display/zone.h"

#include <algorithm>
#include <vector>

#include <QPolygon>
#include <QRegion>

#include "display/affichage.h"
#include "display/dessin.h"
#include "display/dessin_champs.h"
#include "engine/erreur.h"
#include "engine/moteur.h"
#include "engine/recherche.h"

namespace korv::display {

namespace {

using engine::ObjetPage;

// Pushes a clip on several surfaces and takes it off again however the
// scope ends.
class ClipsZone {
public:
    ClipsZone(std::initializer_list<Surface*> surfaces, const QRegion& region) : surfaces_(surfaces) {
        for (Surface* s : surfaces_) s->PousserClip(region);
    }
    ~ClipsZone() {
        for (Surface* s : surfaces_) s->RetirerClip();
    }
    ClipsZone(const ClipsZone&) = delete;
    ClipsZone& operator=(const ClipsZone&) = delete;

private:
    std::vector<Surface*> surfaces_;
};

bool SeCoupent(const RectZone& a, const RectZone& b) {
    return std::max(a.gauche, b.gauche) < std::min(a.droite, b.droite) &&
           std::max(a.haut, b.haut) < std::min(a.bas, b.bas);
}

void CopieEntiere(AffichagePage& a, const char* source) {
    if (a.PageTampon.EstNulle() || a.PageEcran.EstNulle()) {
        throw engine::ErreurMoteur(engine::kErreurProgramme, source);
    }
    a.PageEcran.Transferer(QPoint(0, 0), a.PageTampon, a.PageTampon.Rectangle(), OperationRaster::SrcCopy);
    a.Fenetre().Rafraichir(a.PageEcran.Rectangle());
}

}  // namespace

void MajZonePageJeu(AffichagePage& a, RectZone& r, int effet) {
    engine::Moteur& m = a.moteur;
    const std::int32_t tx = a.reglages.twipsParPixelX;
    const std::int32_t ty = a.reglages.twipsParPixelY;
    if (a.reglages.systeme.SystemeWindowsNT) {
        r = {0, 0, std::int32_t{m.scene.entete.pageLargeur} * tx, std::int32_t{m.scene.entete.pageHauteur} * ty};
    }
    if (m.affiches.Nombre() == 0) return;
    if (a.crochets.SpritesDisparaissent) a.crochets.SpritesDisparaissent();

    const QRect pixels =
        QRect(QPoint(a.PxX(r.gauche), a.PxY(r.haut)), QPoint(a.PxX(r.droite), a.PxY(r.bas))).normalized();
    const QRegion region(pixels);
    a.PageTampon.RemplirBoite(pixels.left(), pixels.top(), pixels.right(), pixels.bottom(), kBlanc);
    a.permanent.RemplirBoite(pixels.left(), pixels.top(), pixels.right(), pixels.bottom(), kBlanc);

    const int nombre = m.affiches.Nombre();
    for (int i = 1; i <= nombre && i <= m.affiches.Nombre(); ++i) {
        const engine::ObjetAffiche e = m.affiches.Entree(i);
        const ObjetPage* o = a.Objet(e.page, e.objet);
        if (!o || o->Type() == engine::TypeObjet::Sprite) continue;
        const RectZone zone = ObjetAfficheRectangleAffichage(a, i);
        if (!SeCoupent(r, zone)) continue;
        // The object's own shape clip, if it has one, goes inside this one.
        ClipsZone clips({&a.PageTampon, &a.permanent}, region);
        MajDessinObjet(a, e.page, e.objet, {true, true, true, -1});
        if (champs::OctetCopiePermanente(*o) == 0) {
            if (a.PageTampon.EstNulle() || a.permanent.EstNulle()) {
                throw engine::ErreurMoteur(engine::kErreurProgramme, "A118");
            }
            const QRect aire(a.PxX(zone.gauche), a.PxY(zone.haut), a.PxX(std::int64_t{zone.droite} - zone.gauche) + 1,
                             a.PxY(std::int64_t{zone.bas} - zone.haut) + 1);
            a.permanent.Transferer(aire.topLeft(), a.PageTampon, aire, OperationRaster::SrcCopy);
        }
    }

    // Sprites were lifted so that their saved backgrounds stay true; they
    // come back over the redrawn page.
    if (a.crochets.SpritesReapparaissent) a.crochets.SpritesReapparaissent();
    Effet(a, effet, a.PxX(r.gauche), a.PxY(r.haut), a.PxX(std::int64_t{r.droite} - r.gauche) + 1,
          a.PxY(std::int64_t{r.bas} - r.haut) + 1);
}

RectZone ObjetAfficheRectangleAffichage(AffichagePage& a, int n) {
    const engine::ListeObjetsAffiches& liste = a.moteur.affiches;
    if (!liste.Existe(n)) return {};
    const engine::ObjetAffiche& e = liste.Entree(n);
    RectZone r{e.gauche, e.haut, e.droite, e.bas};
    const ObjetPage* o = a.Objet(e.page, e.objet);
    if (!o) return r;
    const std::int32_t tx = a.reglages.twipsParPixelX;
    const std::int32_t ty = a.reglages.twipsParPixelY;
    const std::int32_t contour = champs::LargeurContour(*o);
    if (contour >= 2) {
        const std::int32_t d = contour / 2;
        r.gauche -= d * tx;
        r.haut -= d * ty;
        r.droite += d * tx;
        r.bas += d * ty;
    }
    // A negative shadow draws nothing, so it takes nothing off the area.
    const std::int32_t ombre = std::max<std::int32_t>(0, champs::LargeurOmbre(*o));
    r.droite += ombre * tx;
    r.bas += ombre * ty;
    return r;
}

void MajZoneObjetJeu(AffichagePage& a, int n, int effet) {
    RectZone r = ObjetAfficheRectangleAffichage(a, n);
    MajZonePageJeu(a, r, effet);
}

void ObjetEnJeuEfface(AffichagePage& a, int page, int objet) {
    engine::Moteur& m = a.moteur;
    const int n = engine::ObjetAfficheNObjetVersNAffiche(m.affiches, page, objet);
    if (n <= 0) return;
    for (engine::EvenementAttente& e : m.attente.entrees) {
        if (e.Objet == objet && e.Page == page && (e.EvenementsAttendus & engine::evenement::ObjetCache) == 0) {
            e.Etat = -1;
        }
    }
    const ObjetPage* o = a.Objet(page, objet);
    const int effet = o ? champs::EffetTransition(*o) : 0;
    RectZone r = ObjetAfficheRectangleAffichage(a, n);
    engine::ObjetAfficheSupprimer(m.affiches, n);
    MajZonePageJeu(a, r, effet);
}

void PageJeuReafficheEnEntier(AffichagePage& a) {
    engine::Moteur& m = a.moteur;
    a.PageTampon.Remplir(kBlanc);
    const int nombre = m.affiches.Nombre();
    for (int i = 1; i <= nombre && i <= m.affiches.Nombre(); ++i) {
        const engine::ObjetAffiche e = m.affiches.Entree(i);
        if (e.page != m.jeu.PageCourante) continue;
        MajDessinObjet(a, e.page, e.objet, {true, true, false, -1});
    }
    if (engine::PageUtiliseAvantPlan(m.scene, m.jeu.PageCourante)) AfficherPageAvantPlan(a);
    CopieEntiere(a, "A115");
}

void MajFenetreJeu(AffichagePage& a) { CopieEntiere(a, "A116"); }

bool ClippingMetObjet(AffichagePage& a, Surface& surface, const ObjetPage& o) {
    switch (champs::OctetForme(o)) {
    case champs::kFormeRectangle: {
        const QPoint haut(a.PxX(o.gauche), a.PxY(o.haut));
        const QPoint bas(a.PxX(std::int32_t{o.gauche} + o.largeur), a.PxY(std::int32_t{o.haut} + o.hauteur));
        surface.PousserClip(QRegion(QRect(haut, bas - QPoint(1, 1))));
        return true;
    }
    case champs::kFormePolygone: {
        if (o.chemin.points.empty()) return false;
        QPolygon polygone;
        for (const engine::PolylignePoint& p : o.chemin.points) polygone << QPoint(p.x, p.y);
        surface.PousserClip(QRegion(polygone, Qt::OddEvenFill));
        return true;
    }
    default: return false;
    }
}

void ClippingEfface(Surface& surface) { surface.RetirerClip(); }

ClipObjet::ClipObjet(AffichagePage& a, Surface& surface, const ObjetPage& objet, bool actif) : surface_(surface) {
    if (actif) pose_ = ClippingMetObjet(a, surface, objet);
}

ClipObjet::~ClipObjet() {
    if (pose_) ClippingEfface(surface_);
}

void JeuBoutonPageSuivantePrecedenteMaj(AffichagePage& a, int page) {
    engine::Moteur& m = a.moteur;
    const engine::EtatTexte etat = [&a, &m](int p, int o) {
        engine::EtatTexteAffiche e;
        const int n = engine::ObjetAfficheNObjetVersNAffiche(m.affiches, p, o);
        e.affiche = n > 0;
        if (n > 0) e.pageCourante = m.affiches.Entree(n).morceauTexte;
        e.pageNb = a.TexteNbPage(p, o);
        return e;
    };
    auto cibleExiste = [&](int p, int o, int role) {
        if (role == 3) return engine::PageSuivanteRelieABoutonExiste(m.scene, p, o, etat) != 0;
        return engine::PagePrecedenteRelieABoutonExiste(m.scene, p, o, etat) != 0;
    };

    for (int i = 1; i <= m.affiches.Nombre();) {
        const engine::ObjetAffiche e = m.affiches.Entree(i);
        if ((e.role == 3 || e.role == 4) && !cibleExiste(e.page, e.objet, e.role)) {
            const int avant = m.affiches.Nombre();
            ObjetEnJeuEfface(a, e.page, e.objet);
            if (m.affiches.Nombre() < avant) continue;  // the list moved down: look at i again
        }
        ++i;
    }
    if (m.scene.PageExiste(page)) {
        for (int o = 1; o <= m.scene.Page(page).ObjetNb(); ++o) {
            const int role = champs::RoleBouton(m.scene.Page(page).Objet(o));
            if (role != 3 && role != 4) continue;
            if (cibleExiste(page, o, role) && engine::ObjetAfficheNObjetVersNAffiche(m.affiches, page, o) < 1) {
                ObjetMontrer(a, page, o);
            }
        }
    }
    JeuBoutonPageMaj(a, page);
}

}  // namespace korv::display
