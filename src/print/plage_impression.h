#pragma once
// Which pages of a prepared job go to the printer, and the run that prints
// them one by one with a new page between two. No Qt here: the device sits
// behind `PeintrePages`.

#include <cstdint>
#include <string>
#include <string_view>

namespace korv::print {

enum class ChoixPages : std::uint8_t { Toutes = 0, DeA = 1, PageApercu = 2 };

struct PlagePages {
    std::int32_t premiere = 1, derniere = 0;
    bool operator==(const PlagePages&) const = default;
};

// The pages chosen from the frame's boxes on a job of `nombre` pages; bounds
// out of 1..nombre or not numbers fall back to 1 and `nombre`, and a reversed
// pair is swapped. `pageApercu` is the text of the preview's page box.
PlagePages PlageAImprimer(std::int32_t nombre, ChoixPages choix, std::string_view de, std::string_view a,
                          std::string_view pageApercu);

// The device pages are painted on.
class PeintrePages {
public:
    virtual ~PeintrePages() = default;
    virtual void Commencer() = 0;  // throws std::exception when the device cannot start
    virtual void Peindre(std::int32_t page) = 0;
    virtual void NouvellePage() = 0;
    virtual void Terminer() = 0;
    virtual void Annuler() = 0;
};

// Prints the range; a job of 0 pages starts no painter. A painter error
// cancels the document and comes back as its message (empty on success).
std::string ImprimerPlage(PeintrePages& peintre, std::int32_t nombre, PlagePages plage);

}  // namespace korv::print
