#pragma once
// A rich-text box as the plan layer drives it: the writing box and the edit
// box over a rich-text object. Texts are Windows-1252 bytes; RTF is what our
// writer writes. Positions count characters from 0, a paragraph end as one.
// A selection attribute reads as empty when the selection mixes values.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace korv::plan {

// Paragraph alignments as the box numbers them.
inline constexpr int kAligneGauche = 0;
inline constexpr int kAligneDroite = 1;
inline constexpr int kAligneCentre = 2;

// What the box tells: its focus came or went, its selection moved, the
// mouse moved over it.
enum class EvenementRiche { FocusEntree, FocusPerte, SelectionChange, SourisDeplacee };

class BoiteTexteRiche {
public:
    virtual ~BoiteTexteRiche() = default;

    // The whole content as RTF. Setting a text that is not RTF takes it as
    // plain lines; a refused RTF text empties the box and answers false.
    virtual std::string TexteRtf() const = 0;
    virtual bool TexteRtfFixer(std::string_view rtf) = 0;
    // The plain text, paragraphs joined by CR LF.
    virtual std::string Texte() const = 0;
    // The count of positions (a paragraph end counts one).
    virtual int Longueur() const = 0;

    virtual int SelectionDebut() const = 0;
    virtual int SelectionLongueur() const = 0;
    virtual void SelectionFixer(int debut, int longueur) = 0;
    // Replaces the selection by the text; the caret goes after it.
    virtual void SelectionTexteFixer(std::string_view texte) = 0;

    virtual std::optional<bool> SelGras() const = 0;
    virtual std::optional<bool> SelItalique() const = 0;
    virtual std::optional<bool> SelSouligne() const = 0;
    virtual std::optional<int> SelAlignement() const = 0;
    // A COLORREF, 0x00BBGGRR.
    virtual std::optional<std::int32_t> SelCouleur() const = 0;
    virtual std::optional<std::string> SelPolice() const = 0;
    virtual std::optional<double> SelTaille() const = 0;
    virtual void SelGrasFixer(bool oui) = 0;
    virtual void SelItaliqueFixer(bool oui) = 0;
    virtual void SelSouligneFixer(bool oui) = 0;
    virtual void SelAlignementFixer(int alignement) = 0;
    virtual void SelCouleurFixer(std::int32_t couleur) = 0;
    virtual void SelPoliceFixer(std::string_view police) = 0;
    virtual void SelTailleFixer(double points) = 0;

    // Locked: the user cannot change the text.
    virtual bool Verrouille() const = 0;
    virtual void VerrouilleFixer(bool verrouille) = 0;
    virtual bool Visible() const = 0;
    virtual void FocusDonner() = 0;
    virtual bool AFocus() const = 0;
    virtual void Copier() = 0;
    virtual void Coller() = 0;

    virtual void SurEvenement(std::function<void(EvenementRiche)> appel) = 0;
};

}  // namespace korv::plan
