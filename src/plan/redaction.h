#pragma once
// The writing box as the rest of the plan layer sees it: the plan document
// stores its text before a save and hands it what a load brought back; the
// writing box module fills it.

#include <cstdint>

namespace korv::plan {

class Redaction {
public:
    virtual ~Redaction() = default;

    // The writing box has the keyboard focus.
    virtual bool ALeFocus() const = 0;
    // The box serves a source (a method step or a page object).
    virtual bool AUneSource() const = 0;
    // Stores the box's text where its source says. With `detacher`, the box
    // then serves no source any more.
    virtual void TexteSauver(bool detacher) = 0;
    // A load just replaced the text of object (`page`, `objet`): when the
    // box shows that object, it takes the loaded text.
    virtual void ObjetRecharge(std::int16_t page, std::int16_t objet) = 0;
    // A load or a new plan just replaced the steps' written texts: when the
    // box shows a step, it takes that step's text.
    virtual void EtapesRecharge() = 0;
};

}  // namespace korv::plan
