#pragma once
// A method-text box as a Qt widget over the page surface: a read-only rich
// text without a frame. The mouse passes through its text to the page
// surface, where play finds the method text under it and asks the box for
// the character there; the pointer shown is the surface's.

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
    int PositionAuPoint(int x, int y) const override;
    void Defiler(int y) override;

private:
    QtTexteRiche* texte_;
};

}  // namespace korv::plan
