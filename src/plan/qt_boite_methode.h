#pragma once
// A method-text box as a Qt widget over the page surface: a read-only rich
// text without a frame.

#include <cstdint>

#include "plan/boite_methode.h"

class QWidget;

namespace korv::plan {

class QtTexteRiche;

class QtBoiteMethode final : public BoiteMethode {
public:
    QtBoiteMethode(QWidget* surface, std::int32_t twipsParPixel);
    BoiteTexteRiche& Boite() override;
    void Placer(int x, int y, int largeur, int hauteur) override;
    int Hauteur() const override;
    void Montrer(bool visible) override;
    bool EstVisible() const override;

private:
    QtTexteRiche* texte_;
};

}  // namespace korv::plan
