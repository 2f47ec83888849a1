#pragma once
// Measuring a rich text on the printer page: the text laid out in twips at
// the width of a rectangle, from a character of its plain text on. The
// answer is the first character that did not fit and the bottom of the last
// line formatted; painting uses the same layout. The program's measurer
// lays our rich-text model out through Qt at 1440 dots per inch; tests use
// a fixed-size one.

#include <cstdint>
#include <string_view>

#include "print/travail.h"

namespace korv::print {

struct MesureTexte {
    std::int32_t fin = 0;  // first character not formatted; the length when all fit
    std::int32_t bas = 0;  // bottom of the last line formatted
};

class MesureurTexte {
public:
    virtual ~MesureurTexte() = default;
    // The length of the plain text of an RTF text.
    virtual std::int32_t Longueur(std::string_view rtf) = 0;
    // Lines of the text from `debut` on, while they fit in `r`. When
    // `auMoinsUneLigne`, one line is formatted even when it is taller than
    // the rectangle (it will be clipped), so that a text always goes on.
    virtual MesureTexte Mesurer(std::string_view rtf, const Rectangle& r, std::int32_t debut,
                                bool auMoinsUneLigne) = 0;
};

// Every line holds `caracteresParLigne` characters of the plain text (a CR LF
// ends a line too) and is `hauteurLigne` twips high, whatever the width.
class MesureurFixe final : public MesureurTexte {
public:
    MesureurFixe(std::int32_t caracteresParLigne, std::int32_t hauteurLigne)
        : parLigne_(caracteresParLigne < 1 ? 1 : caracteresParLigne), hauteur_(hauteurLigne) {}
    std::int32_t Longueur(std::string_view rtf) override;
    MesureTexte Mesurer(std::string_view rtf, const Rectangle& r, std::int32_t debut, bool auMoinsUneLigne) override;

private:
    std::int32_t parLigne_;
    std::int32_t hauteur_;
};

}  // namespace korv::print
