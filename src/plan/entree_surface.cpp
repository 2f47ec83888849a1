#include "plan/entree_surface.h"

#include <cstdint>
#include <limits>

#include "engine/geometrie.h"

namespace korv::plan {

namespace {

int VersEntier(double x) noexcept {
    const double arrondi = engine::ArrondiBanquier(x);
    constexpr double kMin = std::numeric_limits<int>::min();
    constexpr double kMax = std::numeric_limits<int>::max();
    if (!(arrondi >= kMin)) return std::numeric_limits<int>::min();  // NaN too
    if (arrondi > kMax) return std::numeric_limits<int>::max();
    return static_cast<int>(arrondi);
}

// Clears a flag when the scope ends, however it ends.
class Garde {
public:
    explicit Garde(bool& drapeau) noexcept : drapeau_(drapeau) { drapeau_ = true; }
    ~Garde() { drapeau_ = false; }
    Garde(const Garde&) = delete;
    Garde& operator=(const Garde&) = delete;

private:
    bool& drapeau_;
};

}  // namespace

int PositionPageTwips(double surfaceTwips, int twipsParPixel, int originePixels) noexcept {
    const auto decalage = static_cast<std::int64_t>(twipsParPixel) * originePixels;
    return VersEntier(surfaceTwips + static_cast<double>(decalage));
}

EntreeSurface::EntreeSurface(int twipsParPixelX, int twipsParPixelY) noexcept
    : twipsParPixelX_(twipsParPixelX), twipsParPixelY_(twipsParPixelY) {}

void EntreeSurface::DefinirRecepteur(RecepteurPage* recepteur) noexcept { recepteur_ = recepteur; }

bool EntreeSurface::ModeJeu() {
    bool enJeu = false;
    Proteger(Recepteur(), [&] { enJeu = Recepteur().ModeJeu(); });
    return enJeu;
}

void EntreeSurface::Envoyer(int genre, int bouton, int maj, double x, double y, OrigineDefilement origine) {
    const int xPage = PositionPageTwips(x, twipsParPixelX_, origine.x);
    const int yPage = PositionPageTwips(y, twipsParPixelY_, origine.y);
    if (!ModeJeu()) return;
    Proteger(Recepteur(), [&] { Recepteur().Souris(genre, bouton, maj, xPage, yPage); });
}

void EntreeSurface::Enfonce(int bouton, int maj, double x, double y, OrigineDefilement origine) {
    dernierEnfonce_ = {x, y, bouton, maj};
    Envoyer(kSourisEnfonce, bouton, maj, x, y, origine);
}

void EntreeSurface::DoubleClic(OrigineDefilement origine) {
    const DernierEnfonce d = dernierEnfonce_;
    Envoyer(kSourisEnfonce, d.bouton, d.maj, d.x, d.y, origine);
}

void EntreeSurface::Deplace(int bouton, int maj, double x, double y, OrigineDefilement origine) {
    // Compared on the surface, so a scroll between two moves changes nothing.
    if (x == dernierDeplaceX_ && y == dernierDeplaceY_) return;
    dernierDeplaceX_ = VersEntier(x);
    dernierDeplaceY_ = VersEntier(y);
    // The tooltip's rule goes first, so a tooltip the move brings is not
    // hidden by the same move.
    if (ModeJeu()) Proteger(Recepteur(), [&] { Recepteur().DeplacementBulle(); });
    Envoyer(kSourisDeplace, bouton, maj, x, y, origine);
}

void EntreeSurface::DeplacementArbre() {
    if (!ModeJeu()) return;
    Proteger(Recepteur(), [&] { Recepteur().DeplacementBulle(); });
}

void EntreeSurface::Relache(int bouton, int maj, double x, double y, OrigineDefilement origine) {
    Envoyer(kSourisRelache, bouton, maj, x, y, origine);
}

void EntreeSurface::ToucheEnfoncee(int code, int maj) {
    if (toucheEnCours_) return;
    Garde garde(toucheEnCours_);
    if (!ModeJeu()) return;
    Proteger(Recepteur(), [&] { Recepteur().ToucheEnfoncee(code, maj); });
}

void EntreeSurface::ToucheRelachee(int code, int maj) {
    if (!ModeJeu()) return;
    Proteger(Recepteur(), [&] { Recepteur().ToucheRelachee(code, maj); });
}

void EntreeSurface::ToucheCaractere(int caractere) {
    if (!ModeJeu()) return;
    Proteger(Recepteur(), [&] { Recepteur().ToucheCaractere(caractere); });
}

void EntreeSurface::Defilement(OrigineDefilement origine) {
    Proteger(Recepteur(), [&] { Recepteur().Defilement(origine.x, origine.y); });
}

void EntreeSurface::Redimensionnement() {
    Proteger(Recepteur(), [&] { Recepteur().Redimensionnement(); });
}

void EntreeSurface::MenuQuitter() {
    Proteger(Recepteur(), [&] { Recepteur().MenuQuitter(); });
}

void EntreeSurface::MenuFichier(CommandeFichier commande) {
    Proteger(Recepteur(), [&] { Recepteur().MenuFichier(commande); });
}

void EntreeSurface::MenuPlan(CommandePlan commande) {
    Proteger(Recepteur(), [&] { Recepteur().MenuPlan(commande); });
}

void EntreeSurface::NoeudPlan(std::string_view cle) {
    Proteger(Recepteur(), [&] { Recepteur().NoeudPlan(cle); });
}

void EntreeSurface::LienInternet(std::string_view adresse) {
    Proteger(Recepteur(), [&] { Recepteur().LienInternet(adresse); });
}

void EntreeSurface::MenuCopier() {
    Proteger(Recepteur(), [&] { Recepteur().MenuCopier(); });
}

void EntreeSurface::MenuColler() {
    Proteger(Recepteur(), [&] { Recepteur().MenuColler(); });
}

bool EntreeSurface::DemandeFermeture() {
    if (fermetureEnCours_) return false;
    Garde garde(fermetureEnCours_);
    bool accord = false;
    Proteger(Recepteur(), [&] { accord = Recepteur().DemandeFermeture(); });
    return accord;
}

}  // namespace korv::plan
