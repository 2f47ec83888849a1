#include "display/sprites.h"

#include <algorithm>
#include <cmath>

#include "display/affichage.h"
#include "display/images.h"
#include "display/polylignes.h"
#include "engine/erreur.h"
#include "engine/fichier_nom.h"
#include "engine/moteur.h"
#include "engine/polyligne.h"
#include "engine/sprites_regles.h"

namespace korv::display {

namespace {

namespace cs = engine::champs_sprite;

constexpr std::int32_t kPositionLimite = 32000;
constexpr std::int16_t kEtirer = -1;

// A size in pixels less one, never below 0: an object under about a pixel
// and a half gives an empty sprite, which draws and saves nothing.
std::int32_t TailleDessin(std::int32_t pixels) { return std::max(0, pixels - 1); }

engine::SpriteCourse Course(const SpriteDescripteur& s) {
    return {s.page, s.objet, s.largeur, s.hauteur, s.modeMouvement};
}

}  // namespace

TableSprites::TableSprites(AffichagePage& affichage) : a_(affichage), hasard_(std::random_device{}()) {}

int TableSprites::SpriteCreer(int page, int objet) {
    const engine::ObjetPage* o = a_.Objet(page, objet);
    if (!o) return 0;
    SpriteDescripteur s;
    s.objet = static_cast<std::int16_t>(objet);
    s.page = static_cast<std::int16_t>(page);
    s.X = a_.PxX(o->gauche);
    s.Y = a_.PxY(o->haut);
    s.largeur = TailleDessin(a_.PxX(o->largeur));
    s.hauteur = TailleDessin(a_.PxY(o->hauteur));
    s.fichier = o->fichier;
    s.decalageImageX = a_.PxX(cs::DecalageImageX(*o));
    s.decalageImageY = a_.PxY(cs::DecalageImageY(*o));
    s.premiereImage = cs::PremiereImage(*o);
    s.derniereImage = cs::DerniereImage(*o);
    s.modeMouvement = cs::ModeMouvement(*o);
    s.etirement = cs::Etirement(*o);
    s.trainee = cs::Trainee(*o);
    const engine::Scene& scene = a_.moteur.scene;
    const int chemin = engine::PathPolyligneRelieeAuSprite(scene, page, objet);
    if (chemin > 0) {
        s.longueurChemin = engine::PolyligneLongueur(scene.Page(page).Objet(chemin).chemin, a_.Tpp());
        s.longueurRelative = engine::SpriteLongueurRelativePolyligneReliee(scene, page, objet, chemin);
    }
    s.dessous = Surface(s.largeur, s.hauteur);
    s.clip = PolyligneSpriteClipping(a_, page, objet);
    sprites_.push_back(std::move(s));
    const int n = Nombre();
    SpriteMemoriserDessous(n);
    return n;
}

void TableSprites::SpriteAfficher(int n) {
    if (!Existe(n)) return;
    SpriteDescripteur& s = Entree(n);
    if (s.largeur <= 0 || s.hauteur <= 0) return;
    if (s.clip) a_.PageTampon.PousserClip(*s.clip);
    DessinerTransparent(a_.images, s.fichier, a_.PageTampon,
                        {s.X, s.Y, s.largeur, s.hauteur, -s.decalageImageX, -s.decalageImageY, s.etirement == kEtirer});
    if (s.clip) a_.PageTampon.RetirerClip();
}

void TableSprites::SpriteMemoriserDessous(int n) {
    if (!Existe(n)) return;
    if (a_.PageTampon.EstNulle()) throw engine::ErreurMoteur(engine::kErreurProgramme, "A76");
    SpriteDescripteur& s = Entree(n);
    if (s.dessous.Largeur() != s.largeur || s.dessous.Hauteur() != s.hauteur) {
        s.dessous.Redimensionner(s.largeur, s.hauteur);
    }
    if (s.largeur <= 0 || s.hauteur <= 0) return;
    s.dessous.Transferer(QPoint(0, 0), a_.PageTampon, QRect(s.X, s.Y, s.largeur, s.hauteur), OperationRaster::SrcCopy);
}

void TableSprites::SpriteDisparait(int n) {
    if (!Existe(n)) return;
    if (a_.PageTampon.EstNulle()) throw engine::ErreurMoteur(engine::kErreurProgramme, "A75");
    SpriteDescripteur& s = Entree(n);
    if (s.largeur <= 0 || s.hauteur <= 0) return;
    a_.PageTampon.Transferer(QPoint(s.X, s.Y), s.dessous, QRect(0, 0, s.largeur, s.hauteur),
                             OperationRaster::SrcCopy);
}

void TableSprites::Montrer(const QRect& r, const char* source) {
    if (a_.PageTampon.EstNulle() || a_.PageEcran.EstNulle()) {
        throw engine::ErreurMoteur(engine::kErreurProgramme, source);
    }
    const QRect zone = r.intersected(a_.PageTampon.Rectangle());
    if (zone.isEmpty()) return;
    a_.PageEcran.Transferer(zone.topLeft(), a_.PageTampon, zone, OperationRaster::SrcCopy);
    a_.Fenetre().Rafraichir(zone);
}

void TableSprites::SpriteDeplacer(int n, std::int32_t x, std::int32_t y) {
    if (!Existe(n)) return;
    SpriteDescripteur& s = Entree(n);
    if (x == s.X && y == s.Y) return;
    if (!s.trainee) SpriteDisparait(n);
    const QRect avant(s.X, s.Y, s.largeur, s.hauteur);
    s.X = std::clamp(x, -kPositionLimite, kPositionLimite);
    s.Y = std::clamp(y, -kPositionLimite, kPositionLimite);
    if (s.derniereImage > 0) {
        s.fichier = engine::SpriteImageSuivante(s.fichier, s.premiereImage, s.derniereImage,
                                               [](std::string_view nom) { return engine::FileExist(nom); });
    }
    SpriteMemoriserDessous(n);
    SpriteAfficher(n);
    Montrer(QRect(s.X, s.Y, s.largeur, s.hauteur), "A73");
    Montrer(avant, "A74");

    engine::ListeObjetsAffiches& liste = a_.moteur.affiches;
    const int k = engine::ObjetAfficheNObjetVersNAffiche(liste, s.page, s.objet);
    if (k > 0) {
        engine::ObjetAffiche& e = liste.Entree(k);
        const std::int64_t largeur = std::int64_t{e.droite} - e.gauche;
        const std::int64_t hauteur = std::int64_t{e.bas} - e.haut;
        e.gauche = s.X * a_.reglages.twipsParPixelX;
        e.haut = s.Y * a_.reglages.twipsParPixelY;
        e.droite = static_cast<std::int32_t>(e.gauche + largeur);
        e.bas = static_cast<std::int32_t>(e.haut + hauteur);
    }
}

void TableSprites::SpriteAnimer(int n, std::string_view fichier) {
    if (!Existe(n)) return;
    SpriteDisparait(n);
    SpriteDescripteur& s = Entree(n);
    s.fichier = std::string(fichier);
    if (!engine::FileExist(s.fichier)) {
        const engine::ObjetPage* o = a_.Objet(s.page, s.objet);
        s.fichier = o ? o->fichier : std::string();
    }
    SpriteMemoriserDessous(n);
    SpriteAfficher(n);
    Montrer(QRect(s.X, s.Y, s.largeur, s.hauteur), "A72");
}

void TableSprites::SpriteDeplacerPourcentageX(int n, double p) {
    if (!Existe(n)) return;
    const auto q = engine::SpritePositionPourcentage(a_.moteur.scene, Course(Entree(n)), p, true, a_.Tpp());
    if (q) SpriteDeplacer(n, q->x, q->y);
}

void TableSprites::SpriteDeplacerPourcentageY(int n, double p) {
    if (!Existe(n)) return;
    const auto q = engine::SpritePositionPourcentage(a_.moteur.scene, Course(Entree(n)), p, false, a_.Tpp());
    if (q) SpriteDeplacer(n, q->x, q->y);
}

engine::Affichage::PointTwips TableSprites::SpriteDetermineCoordonneesAutorisees(int n, std::int32_t x,
                                                                                std::int32_t y) {
    if (!Existe(n)) return {x, y};
    SpriteDescripteur& s = Entree(n);
    const engine::PositionAutorisee p =
        engine::SpriteDetermineCoordonneesAutorisees(a_.moteur.scene, Course(s), x, y, a_.Tpp());
    if (p.positionSurChemin) s.positionSurChemin = *p.positionSurChemin;
    return {p.x, p.y};
}

void TableSprites::SpriteSupprimer(int n) {
    if (!Existe(n)) return;
    SpriteDisparait(n);
    const auto i = static_cast<std::size_t>(n - 1);
    if (i + 1 != sprites_.size()) sprites_[i] = std::move(sprites_.back());
    sprites_.pop_back();
}

void TableSprites::SpriteSupprimerTous() {
    while (Nombre() > 0) SpriteSupprimer(Nombre());
}

void TableSprites::ObjetSpriteDessine(int page, int objet) {
    int n = SpriteNObjetVersNSprite(page, objet);
    if (n < 1) n = SpriteCreer(page, objet);
    if (n > 0) SpriteAfficher(n);
}

void TableSprites::SpritesDisparaissent() {
    // Last drawn first, so that overlapping sprites give back the page.
    for (int n = Nombre(); n >= 1; --n) SpriteDisparait(n);
}

void TableSprites::SpritesReapparaissent() {
    for (int n = 1; n <= Nombre(); ++n) {
        SpriteMemoriserDessous(n);
        SpriteAfficher(n);
    }
}

void TableSprites::SpriteDeplacerObjet(int page, int objet, std::int32_t x, std::int32_t y) {
    const int n = SpriteNObjetVersNSprite(page, objet);
    if (n > 0) SpriteDeplacer(n, x, y);
}

int TableSprites::SpriteNObjetVersNSprite(int page, int objet) {
    for (int n = 1; n <= Nombre(); ++n) {
        if (Entree(n).page == page && Entree(n).objet == objet) return n;
    }
    return 0;
}

engine::SpriteVue TableSprites::Sprite(int n) {
    if (!Existe(n)) return {};
    const SpriteDescripteur& s = Entree(n);
    engine::SpriteVue v;
    v.page = s.page;
    v.objet = s.objet;
    v.x = s.X;
    v.y = s.Y;
    v.largeur = s.largeur;
    v.hauteur = s.hauteur;
    v.objetChemin = engine::SpriteQuelObjetEstChemin(a_.moteur.scene, s.page, s.objet);
    v.longueurChemin = s.longueurChemin;
    v.longueurRelative = s.longueurRelative;
    v.positionSurChemin = s.positionSurChemin;
    return v;
}

std::string TableSprites::SpriteFichier(int n) { return Existe(n) ? Entree(n).fichier : std::string(); }

void TableSprites::SpriteFichierDefinir(int n, std::string fichier) {
    if (Existe(n)) Entree(n).fichier = std::move(fichier);
}

void TableSprites::SpritePositionSurCheminDefinir(int n, double position) {
    if (Existe(n)) Entree(n).positionSurChemin = position;
}

double TableSprites::Hasard() { return std::uniform_real_distribution<double>(0.0, 1.0)(hasard_); }

void BrancherSprites(AffichagePage& a, TableSprites& t) {
    CrochetsDessin& c = a.crochets;
    c.ObjetSpriteDessine = [&t](int page, int objet) { t.ObjetSpriteDessine(page, objet); };
    c.SpritesDisparaissent = [&t] { t.SpritesDisparaissent(); };
    c.SpritesReapparaissent = [&t] { t.SpritesReapparaissent(); };
    c.SpriteSupprimerTous = [&t] { t.SpriteSupprimerTous(); };
    c.SpriteDeplacerObjet = [&t](int page, int objet, std::int32_t x, std::int32_t y) {
        t.SpriteDeplacerObjet(page, objet, x, y);
    };
    c.SpriteDetermineCoordonneesAutorisees = [&t](int n, std::int32_t x, std::int32_t y) {
        return t.SpriteDetermineCoordonneesAutorisees(n, x, y);
    };
    c.SpriteDeplacer = [&t](int n, std::int32_t x, std::int32_t y) { t.SpriteDeplacer(n, x, y); };
    c.PolyligneAfficher = [&a](Surface& s, int page, int objet, Couleur couleur, int epaisseur) {
        PolyligneAfficher(a, s, page, objet, couleur, epaisseur);
    };
    c.PolyligneEclaircir = [&a](Surface& s, int page, int objet) { PolyligneEclaircir(a, s, page, objet); };
    c.PolyligneMultiplie = [&a](int page, int objet, double dx, double dy, double fx, double fy) {
        if (engine::ObjetPage* o = a.Objet(page, objet)) engine::PolyligneMultiplie(*o, dx, dy, fx, fy, a.Tpp());
    };
}

int VoisinsSprites::PolyligneCheminQuelSprite(int page, int objet) {
    const int sprite = engine::PolyligneCheminQuelSprite(moteur_.scene, page, objet);
    return sprite > 0 ? sprites_.SpriteNObjetVersNSprite(page, sprite) : 0;
}

bool VoisinsSprites::SpriteFondSauver(int n) {
    if (!sprites_.Existe(n)) return false;
    try {
        sprites_.SpriteMemoriserDessous(n);
    } catch (const engine::ErreurMoteur&) {
        return false;
    }
    return true;
}

void VoisinsSprites::DeclencheSprite(engine::Moteur& moteur, int page, int objet, std::string& valeur, int action,
                                     int mode, int source, int autre) {
    engine::DeclencheSprite(moteur, sprites_, page, objet, valeur, action, mode, source, autre);
}

bool VoisinsSprites::TamponVersPermanent(int x, int y, int largeur, int hauteur) {
    return Autres().TamponVersPermanent(x, y, largeur, hauteur);
}

bool VoisinsSprites::PermanentVersTampon() { return Autres().PermanentVersTampon(); }

void VoisinsSprites::DeclencheTableau(engine::Moteur& moteur, int page, int objet, std::string& valeur, int action,
                                      int mode, int source) {
    Autres().DeclencheTableau(moteur, page, objet, valeur, action, mode, source);
}

void VoisinsSprites::DeclencheTexteRTF(engine::Moteur& moteur, int page, int objet, std::string& valeur, int action,
                                       int mode, int source) {
    Autres().DeclencheTexteRTF(moteur, page, objet, valeur, action, mode, source);
}

void VoisinsSprites::DeclencheGraphique(engine::Moteur& moteur, int page, int objet, std::string& valeur,
                                        int action, int mode, int source) {
    Autres().DeclencheGraphique(moteur, page, objet, valeur, action, mode, source);
}

std::string VoisinsSprites::PasseValeur() { return Autres().PasseValeur(); }

bool VoisinsSprites::PlanVisible() { return Autres().PlanVisible(); }

}  // namespace korv::display
