// Any text given to the formula compiler compiles or fails, evaluates to a
// value (Null at worst) and its record writes and reads back to the same
// bytes; any bytes given to the record reader either parse or raise
// ReadError, and a parsed record evaluates without crashing.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "../tests/formula/fakes.h"
#include "formula/expression.h"
#include "platform/binary_reader.h"
#include "platform/binary_writer.h"

using namespace korv;
using namespace korv::formula;

namespace {

void Prepare(test::Environnement& env) {
    env.variables.VarCree("A", Valeur::Double(2), 1);
    env.variables.VarCree("B", Valeur::Chaine("'x'"), 1);
    env.variables.VarCree("C", Valeur{}, 0);
    const auto p = env.scene.AjoutePage("P");
    env.scene.AjouteObjet(p, "T", 12);
    env.scene.AjouteObjet(p, "I", 4);
    auto& g = env.scene.GrilleDe(p, 1);
    g.Met(1, 1, Valeur::Double(3));
    g.Met(2, 1, Valeur::Chaine("abc"));
    g.Met(1, 2, Valeur::Erreur(1));
    g.noms["N"] = {1, 1};
    env.systeme.tirages = {0.25};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Formulas are short; long inputs only slow the search down.
    if (size > 4096) return 0;
    const std::string_view octets(reinterpret_cast<const char*>(data), size);
    test::Environnement env;
    Prepare(env);

    // As formula text.
    ExpressionClasse e;
    (void)e.Code(std::string(octets), env.services);
    e.ReferenceVersCree();
    (void)e.Evalue(env.services);
    e.AjouteReferenceDe(1, 1, 3, 3, env.scene);
    e.ChangeCaseReference(1, 1, 1, 1);
    (void)e.Evalue(env.services);
    BinaryWriter w;
    try {
        e.EcritDansFichier(w);
    } catch (const std::length_error&) {
        return 0;  // a quoted text beyond 65535 bytes cannot be stored
    }
    ExpressionClasse relue;
    BinaryReader r(w.data());
    relue.LitDansFichier(r);
    BinaryWriter w2;
    relue.EcritDansFichier(w2);
    if (w2.data() != w.data() || !r.atEnd()) std::abort();

    // As a stored record.
    try {
        BinaryReader brut(octets);
        ExpressionClasse stockee;
        stockee.LitDansFichier(brut);
        stockee.ReferenceVersCree();
        (void)stockee.Evalue(env.services);
        stockee.AjouteReferenceDe(1, 1, 1, 1, env.scene);
    } catch (const ReadError&) {
    }
    return 0;
}
