#pragma once
// Fonts of tagged texts on the page surfaces: the scenes name Windows
// fonts, which are drawn with their metric-compatible Liberation fonts;
// a font the machine does not have falls back to the default text font.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include <QFont>
#include <QImage>

#include "text/balises.h"
#include "text/mesureur.h"

namespace korv::display {

class Surface;

// The family drawn for a scene's font name (any case): Arial, Times New
// Roman and Courier New by their Liberation twins, others as named.
QString FamillePolice(std::string_view nom);
// Whether the machine can draw that family (after the mapping above).
bool PoliceDisponible(std::string_view nom);

// `PoliceParDefaut`: "TIMES NEW ROMAN" when the machine draws it (through
// its Liberation twin), else `autre` (the catalogue's choice).
std::string PoliceParDefaut(std::string_view autre);

// The fonts of format states: a font the machine lacks is replaced by the
// default text font (`PoliceParDefaut`). Antialiasing off, as every text
// of the page surfaces. Remembers which names the machine has.
class ChoixPolices {
public:
    explicit ChoixPolices(std::string policeDefaut) : policeDefaut_(std::move(policeDefaut)) {}
    QFont Police(const text::FormatageTexte& formatage);
    bool Disponible(std::string_view nom);
    const std::string& PoliceDefaut() const { return policeDefaut_; }

private:
    std::string policeDefaut_;
    std::map<std::string, bool, std::less<>> disponibles_;
};

// The measurer of the tag coder over a surface's resolution and Qt's font metrics.
class MesureurQt final : public text::MesureurTexte {
public:
    MesureurQt(const Surface& surface, ChoixPolices& polices);
    void AppliquerFormatage(const text::FormatageTexte& formatage) override;
    std::int32_t Largeur(std::string_view texte) override;
    text::MetriquesTexte Metriques() override;
    std::int32_t LargeurAvantPremierCaractere(std::string_view texte) override;
    std::int32_t TwipsParPixelY() const override { return tppY_; }
    std::int32_t TwipsParPixelX() const override { return tppX_; }

private:
    QImage etalon_;
    std::int32_t tppX_;
    std::int32_t tppY_;
    ChoixPolices& polices_;
    QFont police_;
};

}  // namespace korv::display
