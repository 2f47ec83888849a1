#pragma once
// The writing panel (`Redaction`) of the main window: the writing box
// (`RedactionTexte`) under rich-text toolbar 0, laid over its placeholder
// object of the page. Positions are pixels of the page surface.

namespace korv::plan {

class BoiteTexteRiche;

class PanneauRedaction {
public:
    virtual ~PanneauRedaction() = default;
    virtual BoiteTexteRiche& Boite() = 0;
    // The panel's rectangle; the toolbar, when shown, takes its top and the
    // box the rest.
    virtual void Placer(int x, int y, int largeur, int hauteur) = 0;
    virtual void Montrer(bool visible) = 0;
    virtual bool EstVisible() const = 0;
};

}  // namespace korv::plan
