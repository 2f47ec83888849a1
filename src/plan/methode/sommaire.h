#pragma once
// The written plan's table of contents and the step marks it and the
// written plan read: which steps have content (`AContenu`), which are
// listed because they or a descendant have some (`EnSommaire`), their
// chapter numbers, and the contents lines built on a private work document.

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace korv::rtf {
class DocumentTravail;
}

namespace korv::plan {

class MethodeEtapes;
struct EtapeMethode;

// Chapter, section and subsection of the steps listed so far.
struct NumerosRubrique {
    std::array<int, 3> niveaux{0, 0, 0};
    // Advanced by the length of a step code: one character (except "0") a
    // new chapter, two a new section, three a new subsection.
    void Avancer(std::string_view code);
};

// Whether a step has a table page whose main grid holds user entries.
using TableauRempli = std::function<bool(const EtapeMethode&)>;

// `SommaireEtapesMarquer`: both marks of every step recomputed.
void SommaireEtapesMarquer(MethodeEtapes& etapes, const TableauRempli& tableauRempli);
// `EtapeMarquerAvecParents`: the step and its ancestors listed (never "31").
void EtapeMarquerAvecParents(MethodeEtapes& etapes, int etape);

// Whether a rich text holds more than blanks.
bool TexteRicheAContenu(std::string_view rtf);

// The placeholder that pagination fills with a step's page number:
// " <TABULATION><NUMERO DE PAGE RUBRIQUE 4.2.3.>" for step 423.
std::string SommairePlaceholder(std::string_view code);

// The tab stop of the contents lines, twips.
inline constexpr std::int32_t kSommaireTabulation = 8500;

// `SommaireMettreAJour`'s text: the marks recomputed, then one line per
// listed step composed in `boite` (left holding the contents), whose RTF is
// returned. With `numeros` each line ends with its page-number placeholder
// on a tab stop. A listed step whose title is empty (or the 114-character
// empty title of older documents) takes its default title, which is kept.
std::string SommaireConstruire(MethodeEtapes& etapes, bool numeros, const TableauRempli& tableauRempli,
                               rtf::DocumentTravail& boite);

}  // namespace korv::plan
