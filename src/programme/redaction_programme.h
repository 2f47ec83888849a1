#pragma once
// The writing box of the page: the panel that a page's writing-panel object
// (an action of type 16, `PanneauMethode`) lays over its placeholder, the
// text it shows (`SourceRedaction`: a page and an object, or "METAUTO" for
// the step being written) and the text going back to that source
// (`RedactionTexteSauver`). The plan document reaches it as `Redaction`.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "plan/redaction.h"

namespace korv::engine {
class Moteur;
}
namespace korv::display {
class AffichagePage;
}
namespace korv::plan {
class BarresRTF;
class EtatPlan;
class MethodeEtapes;
class PanneauRedaction;
class RegleBulle;
enum class EvenementRiche;
}  // namespace korv::plan

namespace korv::programme {

class EditionProgramme;

class RedactionProgramme final : public plan::Redaction {
public:
    RedactionProgramme(engine::Moteur& moteur, display::AffichagePage& affichage, plan::EtatPlan& plan,
                       plan::MethodeEtapes& etapes, plan::BarresRTF& barres, EditionProgramme& edition,
                       plan::PanneauRedaction* panneau);
    ~RedactionProgramme() override;
    RedactionProgramme(const RedactionProgramme&) = delete;
    RedactionProgramme& operator=(const RedactionProgramme&) = delete;

    // plan::Redaction
    bool ALeFocus() const override;
    bool AUneSource() const override { return !source_.empty(); }
    void TexteSauver(bool detacher) override;
    void ObjetRecharge(std::int16_t page, std::int16_t objet) override;
    void EtapesRecharge() override;

    // The page being built: its writing panel placed and loaded, or the
    // panel hidden when it has none.
    void PageConstruire(int page);
    // The page was scrolled or the window resized (`PanneauxMethodeMaj`).
    void PanneauxMethodeMaj();
    // `PageMethodeAutoLireRTF` and `RedactionTexteSauver` of a source.
    void PageMethodeAutoLireRTF(std::string_view source);
    void RedactionTexteSauver(std::string_view source);
    const std::string& SourceRedaction() const { return source_; }
    // The Edit menu's Copy and Paste go to the box while it has the focus;
    // false when it has not.
    bool CopierDansBoite();
    bool CollerDansBoite();

    // The tooltip's rule, which a mouse move over the box applies in play;
    // set by the composition.
    plan::RegleBulle* regleBulle = nullptr;

private:
    // Loads the box with a source's text; a text the box refuses is shown
    // empty and said, and `refus_` keeps what the box then holds.
    void BoiteCharger(std::string_view texte);
    void PanneauxMethodePlacer(int page, int objet);
    void Evenement(plan::EvenementRiche e);
    // The page and the object a source names, when both exist.
    bool Cible(std::string_view source, int& page, int& objet) const;

    engine::Moteur& moteur_;
    display::AffichagePage& affichage_;
    plan::EtatPlan& plan_;
    // The method's steps, whose written texts the "METAUTO" source serves.
    plan::MethodeEtapes& etapes_;
    plan::BarresRTF& barres_;
    EditionProgramme& edition_;
    plan::PanneauRedaction* panneau_;
    std::string source_;
    // Set while the box shows, in place of its source's text, the empty text
    // of a refused one: the box's RTF then. Storing that would lose the text.
    std::optional<std::string> refus_;
    // The source and the hash of the text last refused on the page last
    // built, which the user was told of.
    int pageConstruite_ = 0;
    std::string refusDit_;
};

}  // namespace korv::programme
