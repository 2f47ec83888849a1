#pragma once
// The font dialog of a rich text's selection (`TexteRichePolice`, "Edition
// de texte"): font, size, bold, italic, underline, alignment and colour,
// read from the selection when it opens and applied to it on OK. A check
// box at 2 (greyed) stands for a selection that mixes values and leaves
// them as they are. This is the dialog's state and handlers; the program
// has no command that opens it.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korv::plan {

class BoiteTexteRiche;

class TexteRichePolice {
public:
    static constexpr std::string_view kTitre = "Edition de texte";
    static constexpr std::string_view kApercu = "Texte texte texte texte texte texte texte texte texte texte ";
    static const std::vector<std::string>& Tailles();
    static const std::vector<std::string>& Alignements();

    // The font the controls edit and the preview shows.
    struct Police {
        std::string nom;
        double taille = 0;
        bool gras = false, italique = false, souligne = false;
    };

    // Where the colour swatch asks for a colour: true with the chosen one.
    std::function<bool(std::int32_t& couleur)> choisirCouleur;
    // The preview takes the font (`FonteMaj`).
    std::function<void(const Police&)> apercu;

    // `FormInit`: the controls from the target's selection; `polices` the
    // screen fonts in the platform's order.
    void FormInit(BoiteTexteRiche& cible, const std::vector<std::string>& polices);

    void ListePoliceChange(std::string_view texte);
    void ListePoliceClick(int index);
    void ListeTailleChange(std::string_view texte);
    void ListeTailleClick(int index);
    void PoliceGrasClick(int valeur);
    void PoliceItaliqueClick(int valeur);
    void PoliceSouligneClick(int valeur);
    void ParagrapheAlignementClick(int index);
    void CouleurClick();
    // OK applies to the selection and closes; Cancel only closes.
    void BtnOkClick();
    void BtnAnnulerClick() { ouvert_ = false; }

    bool Ouvert() const { return ouvert_; }
    const Police& PoliceCourante() const { return police_; }
    const std::vector<std::string>& ListePolice() const { return polices_; }
    const std::string& ListePoliceTexte() const { return policeTexte_; }
    const std::string& ListeTailleTexte() const { return tailleTexte_; }
    int PoliceGras() const { return gras_; }
    int PoliceItalique() const { return italique_; }
    int PoliceSouligne() const { return souligne_; }
    const std::string& ParagrapheAlignementTexte() const { return alignementTexte_; }
    int ParagrapheAlignementIndex() const { return alignementIndex_; }
    const std::string& CouleurTexte() const { return couleurTexte_; }
    std::int32_t CouleurFond() const { return couleurFond_; }

private:
    void FonteMaj() {
        if (apercu) apercu(police_);
    }

    BoiteTexteRiche* cible_ = nullptr;
    bool ouvert_ = false;
    Police police_;
    std::vector<std::string> polices_;
    std::string policeTexte_, tailleTexte_, alignementTexte_, couleurTexte_;
    int alignementIndex_ = -1;
    int gras_ = 0, italique_ = 0, souligne_ = 0;
    std::int32_t couleurFond_ = 0;
};

}  // namespace korv::plan
