#pragma once
// The preview of a prepared job as the print words see it: shown modally
// at the end of a print script; its first activation paginates the job.
// The Qt window sits behind it in the program, a scripted hook in tests.

#include <cstdint>
#include <functional>
#include <string>

#include "print/travail.h"

namespace korv::print {

struct ContexteApercu {
    ImpressionTravail& travail;
    // Paginates the job unless it already was; returns the page count.
    std::function<std::int32_t()> paginer;
};

class FenetreApercu {
public:
    virtual ~FenetreApercu() = default;
    // Modal: returns when the window closed.
    virtual void Montrer(ContexteApercu& contexte) = 0;
};

// The pages the preview shows: the page box's text read as a number, or the
// first page when it is no page of the job.
std::int32_t PageDemandee(std::string_view texte, std::int32_t nombre);

}  // namespace korv::print
