#pragma once
// One of the two rich-text boxes that show a method page's texts over the
// page (`TexteMethode`, the step's explanation, and `MenuSav`, the menu of a
// learn-more text). Positions are pixels of the page surface.

namespace korv::plan {

class BoiteTexteRiche;

class BoiteMethode {
public:
    virtual ~BoiteMethode() = default;
    virtual BoiteTexteRiche& Boite() = 0;
    virtual void Placer(int x, int y, int largeur, int hauteur) = 0;
    // The height the box has now.
    virtual int Hauteur() const = 0;
    virtual void Montrer(bool visible) = 0;
    virtual bool EstVisible() const = 0;
};

}  // namespace korv::plan
