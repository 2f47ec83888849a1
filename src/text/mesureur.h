#pragma once
// What the tag coder and the line breaking need of a drawing surface: the
// font of a format state, widths and metrics in twips. The display
// provides one over Qt's font metrics; tests use the fixed-width one.

#include <cstdint>
#include <string_view>

#include "text/balises.h"

namespace korv::text {

struct MetriquesTexte {
    std::int32_t hauteur = 0;      // twips
    std::int32_t ascendante = 0;   // twips
    std::int32_t descendante = 0;  // twips
};

class MesureurTexte {
public:
    virtual ~MesureurTexte() = default;
    // `TextePrepareActualiseFormatage`: the font of later measures.
    virtual void AppliquerFormatage(const FormatageTexte& formatage) = 0;
    // `TextWidth` in twips with the current font.
    virtual std::int32_t Largeur(std::string_view texte) = 0;
    virtual MetriquesTexte Metriques() = 0;
    // The absolute A width (left bearing) of the first character, twips.
    virtual std::int32_t LargeurAvantPremierCaractere(std::string_view texte) = 0;
    // Twips per pixel down: sub- and superscripts move by 5 pixels.
    virtual std::int32_t TwipsParPixelY() const = 0;
    // Twips per pixel across: widths are measured in whole pixels.
    virtual std::int32_t TwipsParPixelX() const = 0;
};

// Every character `largeurCaractere` wide (doubled in bold), lines
// `hauteur` high with `ascendante` above the baseline, no overhang.
class MesureurFixe final : public MesureurTexte {
public:
    struct Reglages {
        std::int32_t largeurCaractere = 105;
        std::int32_t hauteur = 225;
        std::int32_t ascendante = 180;
        std::int32_t twipsParPixelY = 15;
        std::int32_t twipsParPixelX = 15;
    };
    MesureurFixe() = default;
    explicit MesureurFixe(Reglages r) : r_(r) {}

    void AppliquerFormatage(const FormatageTexte& f) override { formatage_ = f; }
    std::int32_t Largeur(std::string_view texte) override {
        const auto n = static_cast<std::int32_t>(texte.size());
        return n * r_.largeurCaractere * (formatage_.gras ? 2 : 1);
    }
    MetriquesTexte Metriques() override { return {r_.hauteur, r_.ascendante, r_.hauteur - r_.ascendante}; }
    std::int32_t LargeurAvantPremierCaractere(std::string_view) override { return 0; }
    std::int32_t TwipsParPixelY() const override { return r_.twipsParPixelY; }
    std::int32_t TwipsParPixelX() const override { return r_.twipsParPixelX; }
    const FormatageTexte& Formatage() const { return formatage_; }

private:
    Reglages r_;
    FormatageTexte formatage_;
};

// `TextePrepareMorceauDernierCaractereLigne`: the number of leading
// characters of `morceau` narrower than `largeur` (strictly), at a word
// boundary when `coupeMot`; -1 when none fit.
std::int64_t TextePrepareMorceauDernierCaractereLigne(std::string_view morceau, std::int32_t largeur,
                                                      MesureurTexte& mesureur, bool coupeMot);

}  // namespace korv::text
