#pragma once
// The two rich-text toolbars (`MenuEditionRTF`): 0 serves the writing box,
// 1 the edit box over a rich-text object. Each acts on the box registered
// under its number (`TextesRTFEdites`) and shows the state of that box's
// selection (`MAJMenuRTF`). The state here is what the toolbar's controls
// show; the window draws it again after each change (`vue`).

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korv::plan {

class BoiteTexteRiche;

// A two-state button: 0 released, 1 pressed; `mixte` shows the face of a
// selection that mixes values.
struct BoutonRTF {
    int valeur = 0;
    bool mixte = false;
};

struct EtatBarreRTF {
    bool visible = false;
    std::string police;       // the font list's text
    int policeIndex = -1;     // its selected entry, -1 none
    std::string taille;       // the size list's text
    BoutonRTF gras, italique, souligne, aligGauche, aligCentre, aligDroite;
    int couleur = 0;              // the colour button's value
    std::int32_t couleurFond = 0;  // its background, 0x00BBGGRR
};

// The page-break marker written into a rich text.
inline constexpr std::string_view kMarqueurNouvellePage = "<...nouvelle page...>";

class BarresRTF {
public:
    // The sizes of the size lists.
    static const std::vector<std::string>& Tailles();

    // Where the colour button asks for a colour: true with the chosen one.
    std::function<bool(std::int32_t& couleur)> choisirCouleur;
    // The window shows toolbar n again from its state.
    std::function<void(int n)> vue;

    // `TextesRTFEdites`: the box under each number, null when none.
    void Enregistrer(int n, BoiteTexteRiche* boite);
    BoiteTexteRiche* Boite(int n) const;
    void Visible(int n, bool visible);
    const EtatBarreRTF& Etat(int n) const { return barres_.at(Index(n)); }

    // Where the font lists come from: the families offered for rich text.
    std::function<std::vector<std::string>()> familles;
    // `PolicesListesRemplir`: the font lists, filled once per run.
    void PolicesListesRemplir();
    const std::vector<std::string>& Polices() const { return polices_; }

    void MAJMenuRTF(int n);

    // The toolbar's controls, as the user works them.
    void GrasMouseDown(int n);
    void ItaliqueMouseDown(int n);
    void SouligneMouseDown(int n);
    void AligGaucheMouseDown(int n);
    void AligCentreMouseDown(int n);
    void AligDroiteMouseDown(int n);
    void CouleurMouseUp(int n);
    // The font list: the text typed in its field, an entry chosen, a key.
    void PoliceChange(int n, std::string_view texte);
    void PoliceClick(int n, int index);
    void PoliceKeyPress(int n, int touche);
    void TailleChange(int n, std::string_view texte);
    void TailleClick(int n, int index);
    void TailleKeyPress(int n, int touche);
    void SautePageClick(int n);

    // The number at the start of a size text, full stop as decimal point;
    // none when the text begins with no number.
    static std::optional<double> TailleLue(std::string_view texte);
    static std::string TailleTexte(double taille);

private:
    static std::size_t Index(int n) { return n == 0 ? 0 : 1; }
    EtatBarreRTF& E(int n) { return barres_[Index(n)]; }
    void FocusRendre(int n);
    void Montrer(int n) {
        if (vue) vue(n);
    }
    void Style(int n, BoutonRTF EtatBarreRTF::*bouton, void (BoiteTexteRiche::*fixer)(bool));
    void Alignement(int n, int alignement, BoutonRTF EtatBarreRTF::*presse);
    void TailleAppliquer(int n, std::string_view texte);

    std::array<BoiteTexteRiche*, 2> boites_{};
    std::array<EtatBarreRTF, 2> barres_{};
    std::vector<std::string> polices_;
    bool policesRemplies_ = false;
    bool enMiseAJour_ = false;
};

}  // namespace korv::plan
