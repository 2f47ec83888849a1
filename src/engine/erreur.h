#pragma once
// The one error reporter: every error caught at a boundary of the engine
// (a Qt entry point, a firing of the play loop, start-up) is written to
// ERROR.TXT beside the program and then handled by the error mode.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace korv::engine {

class Moteur;

// An error the program raises itself (number 65000 and a source code such
// as "A20"), or a run-time error with its number. Texts are UTF-8.
class ErreurMoteur : public std::runtime_error {
public:
    ErreurMoteur(std::int32_t numero, const std::string& description)
        : std::runtime_error(description), numero_(numero) {}
    std::int32_t numero() const { return numero_; }

private:
    std::int32_t numero_;
};

inline constexpr std::int32_t kErreurProgramme = 65000;
// Number given to errors that carry none of their own (internal failures).
inline constexpr std::int32_t kErreurInterne = 51;

// What the caller of the reporter does next.
enum class SuiteErreur : std::uint8_t {
    Continuer,  // the failing procedure returns and play goes on
    Relancer,   // mode 2: the caller's own trap handles the error
    Terminer,   // the program is ending (Fin was called)
};

inline constexpr std::uintmax_t kJournalTailleMax = 128000;

// `ErreurSignale`: logs the error and acts by `ModeErreur`.
SuiteErreur ErreurSignale(Moteur& moteur, std::int32_t ligne, std::string_view procedure, std::int32_t numero,
                          std::string_view description);

// Writes one record to ERROR.TXT (when it is not over the size limit) without
// acting on it: for faults the program survives, such as a jump to a page
// that does not exist.
void ErreurJournaliser(Moteur& moteur, std::string_view procedure, std::int32_t numero, std::string_view description);

// The record as written: "Erreur module:…" CRLF "Description:…" CRLF "Code:…".
std::string ErreurEnregistrement(std::int32_t ligne, std::string_view procedure, std::int32_t numero,
                                 std::string_view description);

// Runs `corps` as one boundary: an exception it lets out goes to the reporter
// under `procedure`; mode 2 rethrows it.
SuiteErreur AuBord(Moteur& moteur, std::string_view procedure, const std::function<void()>& corps);

}  // namespace korv::engine
