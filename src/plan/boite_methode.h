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
    // The character under a point of the page surface, as a rich-text box
    // answers EM_CHARFROMPOS: the nearest line, then the character whose
    // cell holds the point (past a line's end, its end). A position of the
    // box's text (a paragraph end counts one); -1 when the box is empty.
    virtual int PositionAuPoint(int x, int y) const = 0;
    // Scrolls the text to that vertical position in pixels (EM_SETSCROLLPOS).
    virtual void Defiler(int y) = 0;
};

}  // namespace korv::plan
