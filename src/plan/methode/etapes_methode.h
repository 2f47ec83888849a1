#pragma once
// The guided method's step table (`EtapesMethode`): the default outline of
// 45 steps, the lookups by code and by object name, the user's titles,
// written texts and seen marks, their reset for a new plan and their
// section of the plan document. Texts are Windows-1252 bytes; titles and
// written texts are RTF.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korv {
class BinaryReader;
class BinaryWriter;
}  // namespace korv

namespace korv::plan {

struct EtapeMethode {
    std::string Code;
    std::string Titre;
    std::int16_t NombreEnfants = 0;
    std::string TexteRedige;
    std::string TitreRTF;
    std::int16_t EnSommaire = 0;
    std::int16_t AContenu = 0;
    std::int16_t Parent = 0;
    std::int16_t Vu = 0;
    bool Numerote = true;
};

// One step's record of the document's step section.
struct EtapeLue {
    std::string texteRedige;
    std::string titreRTF;
    std::int16_t vu = 0;
};

class MethodeEtapes {
public:
    MethodeEtapes() = default;
    MethodeEtapes(const MethodeEtapes&) = delete;
    MethodeEtapes& operator=(const MethodeEtapes&) = delete;

    // `MethodePlanDefautCreer`: the default outline, once at start-up.
    void MethodePlanDefautCreer();
    void EtapeAjouter(std::string_view code, std::string_view titre, std::int16_t enfants);

    int NombreEtapes() const noexcept { return static_cast<int>(etapes_.size()); }
    // 1-based; the caller checks the number.
    const EtapeMethode& Etape(int i) const { return etapes_[static_cast<std::size_t>(i - 1)]; }
    EtapeMethode& Etape(int i) { return etapes_[static_cast<std::size_t>(i - 1)]; }

    // Index of the first step with that code, 0 when none.
    int NumeroEtape(std::string_view code) const;
    // The step an object name "TITREMETAUTO..." names, 0 when none.
    int EtapeNumeroDepuisObjet(std::string_view nomObjet) const;
    void EtapeTitreFixer(std::string_view nomObjet, std::string_view texte);
    void EtapeTexteFixer(std::string_view code, std::string_view texte);

    // `PolicesDefautInitialiser`, the steps' share: marks cleared, titles
    // and written texts back to their default rich texts.
    void PolicesDefautInitialiser();

    // The document's step section: text, title and mark of every step.
    void EtapesEcrireFichier(BinaryWriter& out) const;
    // Reads up to one record per step. The section may end on a record
    // boundary (the steps left keep their values); a record cut short or a
    // mark other than -1, 0 or 1 throws korv::ReadError.
    std::vector<EtapeLue> EtapesLireFichier(BinaryReader& in) const;
    // Applies what `EtapesLireFichier` gave.
    void EtapesAppliquer(const std::vector<EtapeLue>& lues);

    // `EtapeNumeroTexte`: the section number and the title ("4.2.3. Programme
    // de R&D"); chapter 3 is renumbered because its first sub-step has no
    // number. "" for a number outside the table.
    std::string EtapeNumeroTexte(int i) const;

    // Seen marks: a step with children is seen when all its children are.
    std::int16_t EtapeVuCalcule(int i);
    void EtapesVuMaj();
    // The current step's mark toggled and the marks recomputed; false when
    // no step is current (the caller marks the plan modified either way).
    bool EtapeVuBascule();

    // `MethodeChanger`: "SURMET" one level up, "SOUSMET"+x one level down,
    // "code,title" also sets `ExplicationTitre`.
    void MethodeChanger(std::string_view argument);
    // The name of the method menu page for the current step.
    std::string_view MethodeMenuPageNom() const;
    // The names of the table pages of a step, in order; none for most.
    static std::vector<std::string_view> EtapeTableauxPagesNoms(std::string_view code);

    // The current step: the engine's own (its history keeps it), bound by
    // the composition; a private one until then.
    void EtapeCouranteLier(std::string& code) noexcept { courante_ = &code; }
    std::string& EtapeCouranteCode() noexcept { return *courante_; }
    const std::string& EtapeCouranteCode() const noexcept { return *courante_; }

    std::string ExplicationTitre;
    // The bullet that replaces "(boule)" in the learn-more menus (RTF), the
    // whole bullet file read at start-up.
    std::string BouleRTF;
    // The step whose written text the writing box holds; "" when none.
    std::string EtapeRedigeeCode;

private:
    std::vector<EtapeMethode> etapes_;
    std::string couranteInterne_;
    std::string* courante_ = &couranteInterne_;
};

// The RTF of a plain Windows-1252 text in Arial 10.
std::string TexteRtfArial10(std::string_view texte, bool gras);

}  // namespace korv::plan
