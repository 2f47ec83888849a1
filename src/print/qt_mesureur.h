#pragma once
// The measurer of the program: our rich-text model laid out by
// QTextDocument at 1440 dots per inch, so that a pixel is a twip and the
// painting of pages cuts where pagination measured.

#include <memory>
#include <string>

#include "print/mesureur.h"

namespace korv::print {

class QtMesureur final : public MesureurTexte {
public:
    QtMesureur();
    ~QtMesureur() override;
    std::int32_t Longueur(std::string_view rtf) override;
    MesureTexte Mesurer(std::string_view rtf, const Rectangle& r, std::int32_t debut, bool auMoinsUneLigne) override;

private:
    struct Mise;
    Mise& Charge(std::string_view rtf);
    std::unique_ptr<Mise> mise_;
};

}  // namespace korv::print
