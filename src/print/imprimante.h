#pragma once
// The printer as the print job sees it: the six device values of its page
// (physical offsets and printable extent in device pixels, printable extent
// in millimetres) and its scale extent in twips; and the printer set-up,
// whose choice the next jobs keep. The Qt printer sits behind it in the
// program, a fixed page in tests.

#include <cstdint>

namespace korv::print {

struct CaracteristiquesImprimante {
    std::int32_t decalageXPixels = 0;  // PHYSICALOFFSETX
    std::int32_t decalageYPixels = 0;  // PHYSICALOFFSETY
    std::int32_t largeurPixels = 0;    // HORZRES
    std::int32_t hauteurPixels = 0;    // VERTRES
    double largeurMm = 0;              // HORZSIZE
    double hauteurMm = 0;              // VERTSIZE
    // Scale in twips: left, top, width, height of the printable area.
    double echelleGauche = 0;
    double echelleHaut = 0;
    double echelleLargeur = 0;
    double echelleHauteur = 0;
};

class Imprimante {
public:
    virtual ~Imprimante() = default;
    virtual CaracteristiquesImprimante Caracteristiques() = 0;
    // The printer set-up dialog; false when the user cancelled.
    virtual bool Configurer() = 0;
};

// An A4 page at 600 dots per inch with a quarter-inch unprintable edge, as
// tests and the headless composition use.
class ImprimanteFixe final : public Imprimante {
public:
    CaracteristiquesImprimante Caracteristiques() override { return page; }
    bool Configurer() override {
        ++configurations;
        return true;
    }
    CaracteristiquesImprimante page{150, 150, 4660, 6716, 197.3, 284.3, 0, 0, 11184, 16118};
    int configurations = 0;
};

}  // namespace korv::print
