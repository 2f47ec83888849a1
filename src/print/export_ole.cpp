#include "print/export_ole.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-utils.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-output.h>

#include <memory>
#include <mutex>
#include <string>

namespace korv::print {

namespace {

struct LibereObjet {
    void operator()(void* p) const {
        if (p != nullptr) g_object_unref(p);
    }
};
template <class T>
using Objet = std::unique_ptr<T, LibereObjet>;

}  // namespace

std::string FichierComposeUnFlux(std::string_view nomFlux, std::string_view octets, std::string& erreur) {
    erreur.clear();
    static std::once_flag initialise;
    std::call_once(initialise, [] { gsf_init(); });
    Objet<GsfOutput> memoire(gsf_output_memory_new());
    if (!memoire) {
        erreur = "cannot create the compound file in memory";
        return {};
    }
    bool ok = false;
    {
        Objet<GsfOutfile> conteneur(gsf_outfile_msole_new(memoire.get()));
        if (!conteneur) {
            erreur = "cannot create the compound file";
            return {};
        }
        const std::string nom(nomFlux);
        Objet<GsfOutput> flux(gsf_outfile_new_child(conteneur.get(), nom.c_str(), FALSE));
        if (flux) {
            ok = gsf_output_write(flux.get(), octets.size(), reinterpret_cast<const guint8*>(octets.data())) != FALSE;
            ok = (gsf_output_close(flux.get()) != FALSE) && ok;
        }
        ok = (gsf_output_close(GSF_OUTPUT(conteneur.get())) != FALSE) && ok;
    }
    if (!ok) {
        const GError* e = gsf_output_error(memoire.get());
        erreur = e != nullptr && e->message != nullptr ? e->message : "cannot write the compound file";
        return {};
    }
    const auto taille = gsf_output_size(memoire.get());
    const guint8* donnees = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memoire.get()));
    if (donnees == nullptr || taille <= 0) {
        erreur = "the compound file is empty";
        return {};
    }
    std::string r(reinterpret_cast<const char*>(donnees), static_cast<std::size_t>(taille));
    // Closing the container closed the memory it wrote to.
    if (!gsf_output_is_closed(memoire.get())) (void)gsf_output_close(memoire.get());
    return r;
}

}  // namespace korv::print
