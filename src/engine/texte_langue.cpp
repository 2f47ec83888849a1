#include "engine/texte_langue.h"

#include "text/requetes.h"

namespace korv::engine {

std::string TexteTraduction(std::string_view texte, int langue, int nbLangues) {
    return text::TexteTraduction(texte, langue, nbLangues);
}

}  // namespace korv::engine
