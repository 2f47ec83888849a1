#include "plan/entree_page.h"

#include <cstdio>
#include <exception>

namespace korv::plan {

void RecepteurPage::ErreurInterceptee(std::exception_ptr erreur) noexcept {
    try {
        if (erreur) std::rethrow_exception(erreur);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Erreur non traitée : %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "Erreur non traitée\n");
    }
}

}  // namespace korv::plan
