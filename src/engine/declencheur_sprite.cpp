#include "engine/declencheur_sprite.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "engine/attente_boucle.h"
#include "engine/declencheurs_objets.h"
#include "engine/fichier_nom.h"
#include "engine/geometrie.h"
#include "engine/moteur.h"
#include "engine/polyligne.h"
#include "engine/sprites_regles.h"
#include "engine/texte_casse.h"
#include "formula/nombres.h"

namespace korv::engine {

namespace {

constexpr std::string_view kImageSuivante = "IMAGE SUIVANTE";
constexpr std::string_view kAuHasardDe = "AU HASARD DE";
constexpr std::string_view kDe = "DE";
constexpr std::string_view kA = "A";

std::int32_t Entier(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<std::int32_t>(std::clamp(ArrondiBanquier(v), -2147483648.0, 2147483647.0));
}

bool Existe(std::string_view nom) { return FileExist(nom); }

// The engine is busy while a series plays: mouse events queue meanwhile.
class JeuOccupe {
public:
    explicit JeuOccupe(Moteur& moteur) : moteur_(moteur), avant_(moteur.jeu.JeuDisponible) {
        moteur.jeu.JeuDisponible = 0;
    }
    ~JeuOccupe() { moteur_.jeu.JeuDisponible = avant_; }
    JeuOccupe(const JeuOccupe&) = delete;
    JeuOccupe& operator=(const JeuOccupe&) = delete;

private:
    Moteur& moteur_;
    std::int16_t avant_;
};

// The sprite's entry learns that its picture changed (due at its next
// examination); a sprite that waits for nothing is registered first.
void MarquerImage(Moteur& moteur, const SpriteVue& s) {
    for (EvenementAttente& e : moteur.attente.entrees) {
        if (e.Objet == s.objet && e.Page == s.page) {
            e.EvenementsSurvenus |= evenement::SpriteImage;
            return;
        }
    }
    if (EvenementObjetEnAttenteDEvenementAjoute(moteur, s.page, s.objet)) {
        moteur.attente.entrees.back().EvenementsSurvenus |= evenement::SpriteImage;
    }
}

void JouerSerie(Moteur& moteur, TableSpritesJeu& table, int n, const ObjetPage& o) {
    const SpriteVue s = table.Sprite(n);
    {
        const JeuOccupe occupe(moteur);
        std::string fichier = NomFichierPremier(table.SpriteFichier(n));
        table.SpriteFichierDefinir(n, fichier);
        for (fichier = NomFichierSuivant(fichier); !fichier.empty() && Existe(fichier);
             fichier = NomFichierSuivant(fichier)) {
            table.SpriteAnimer(n, fichier);
            // A series without numbers names itself again and again.
            if (!FichierSeTermineParNumero(fichier)) break;
        }
        table.SpriteFichierDefinir(n, NomFichierPremier(o.fichier));
    }
    MarquerImage(moteur, s);
}

// The picture that code 2 shows for the value.
std::string ImageChoisie(TableSpritesJeu& table, int n, const ObjetPage& o, std::string_view valeur) {
    std::string courant = table.SpriteFichier(n);
    if (valeur.empty() || valeur == kImageSuivante) {
        const std::string suivant = NomFichierSuivant(courant);
        return Existe(suivant) ? suivant : o.fichier;
    }
    std::string_view reste = valeur;
    const bool hasard = reste.find(kAuHasardDe) != std::string_view::npos;
    if (hasard) {
        reste.remove_prefix(reste.find(kAuHasardDe) + kAuHasardDe.size());
    } else if (const auto p = reste.find(kDe); p != std::string_view::npos) {
        reste.remove_prefix(p + kDe.size());
    }
    std::int32_t bas = 0;
    std::int32_t haut = 0;
    if (const auto p = reste.find(kA); p != std::string_view::npos) {
        bas = Entier(formula::Val(Trim(reste.substr(0, p))));
        haut = Entier(formula::Val(Trim(reste.substr(p + kA.size()))));
    }
    const std::int32_t numero = FichierNumero(courant);
    if (numero < bas || numero > haut) {
        courant = FichierNumeroNom(courant, bas);
        table.SpriteFichierDefinir(n, courant);
    }
    const double tire = table.Hasard() * (static_cast<double>(haut) - bas) + bas;
    std::string candidat = hasard ? FichierNumeroNom(courant, Entier(tire)) : NomFichierSuivant(courant);
    if (FichierNumero(candidat) > haut || !Existe(candidat)) candidat = FichierNumeroNom(courant, bas);
    return candidat;
}

void SurChemin(Moteur& moteur, TableSpritesJeu& table, int n, int page, std::string_view valeur, bool relatif,
               int image) {
    if (!moteur.scene.ObjetExiste(page, image)) return;
    const ObjetPage& chemin = moteur.scene.Page(page).Objet(image);
    const SpriteVue s = table.Sprite(n);
    const std::int32_t r = SpriteLongueurRelativePolyligneReliee(moteur.scene, page, s.objet, image);
    if (r <= 0) return;
    const TwipsParPixel tpp = moteur.Declenchement().Configuration().twipsParPixel;
    if (tpp.x < 1 || tpp.y < 1) return;
    const std::int32_t l = PolyligneLongueur(chemin.chemin, tpp);
    const double d = ArrondiBanquier(static_cast<double>(Entier(formula::Val(valeur))) * l / r);
    const double position = SpritePositionSurChemin(relatif ? s.positionSurChemin + d : d, l,
                                                    champs_sprite::CheminBoucle(chemin));
    table.SpritePositionSurCheminDefinir(n, position);
    const PointTwips32 p = PolylignePointALongueur(chemin, static_cast<std::int64_t>(position), tpp);
    table.SpriteDeplacer(n, Entier(static_cast<double>(p.x) / tpp.x), Entier(static_cast<double>(p.y) / tpp.y));
}

}  // namespace

int SpriteObjetAutre(int action, int source) {
    return action == code_sprite::VersObjet || action == code_sprite::DecalageObjet ? source : 0;
}

void DeclencheSprite(Moteur& moteur, TableSpritesJeu& table, int page, int objet, std::string& valeur, int action,
                     int mode, int source, int autre) {
    if (!moteur.scene.ObjetExiste(page, objet)) return;
    if (action == code_sprite::Montrer) {
        DeclencheDivers(moteur, page, objet, mode, source, -1);
        return;
    }
    const int n = table.SpriteNObjetVersNSprite(page, objet);
    if (n < 1) return;
    const ObjetPage& o = moteur.scene.Page(page).Objet(objet);
    const TwipsParPixel tpp = moteur.Declenchement().Configuration().twipsParPixel;
    switch (action) {
    case code_sprite::JouerSerie: JouerSerie(moteur, table, n, o); break;
    case code_sprite::ImageChoisie: {
        const SpriteVue s = table.Sprite(n);
        table.SpriteAnimer(n, ImageChoisie(table, n, o, valeur));
        MarquerImage(moteur, s);
        break;
    }
    case code_sprite::VersObjet:
    case code_sprite::DecalageObjet: {
        if (!moteur.scene.ObjetExiste(page, autre) || tpp.x < 1 || tpp.y < 1) break;
        const ObjetPage& cible = moteur.scene.Page(page).Objet(autre);
        const SpriteVue s = table.Sprite(n);
        if (action == code_sprite::VersObjet) {
            table.SpriteDeplacer(n, Entier(static_cast<double>(cible.gauche) / tpp.x),
                                 Entier(static_cast<double>(cible.haut) / tpp.y));
        } else {
            table.SpriteDeplacer(n, Entier(s.x - (static_cast<double>(o.gauche) - cible.gauche) / tpp.x),
                                 Entier(s.y - (static_cast<double>(o.haut) - cible.haut) / tpp.y));
        }
        break;
    }
    case code_sprite::Supprimer:
        table.SpriteSupprimer(n);
        ObjetEnJeuCacher(moteur, page, objet, true);
        break;
    case code_sprite::SurCheminAbsolu:
    case code_sprite::SurCheminRelatif:
        SurChemin(moteur, table, n, page, valeur, action == code_sprite::SurCheminRelatif, autre);
        break;
    default: break;
    }
}

}  // namespace korv::engine
