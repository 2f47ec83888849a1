#pragma once
// Starting outside programs and asking whether they still run. Arguments
// and paths are the system's own bytes (UTF-8 file names), not the engine's
// Windows-1252 strings: callers convert at their edge.

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace korv::platform {

class LanceurProcessus {
public:
    virtual ~LanceurProcessus() = default;
    // Starts arguments[0] (a path, or a name looked up in PATH) with the
    // other arguments, detached from this program. The new process id, or 0
    // when nothing was started.
    virtual std::int32_t Lance(const std::vector<std::string>& arguments) = 0;
    // True while the process exists and has not ended. Ids 0 and below
    // are never running.
    virtual bool EstActif(std::int32_t pid) const = 0;
    // The desktop's command for opening `fichier` (program and its own
    // arguments, as one line a shell would split), or "" when the file does
    // not exist or its type has no default application.
    virtual std::string ProgrammeAssocie(std::string_view fichier) const = 0;
};

// Launcher for tests: records the commands, hands out ids from 1000, and
// reports an id running until `Terminer` or until it was asked `resteActif`
// more times.
class LanceurProcessusFactice final : public LanceurProcessus {
public:
    std::int32_t Lance(const std::vector<std::string>& arguments) override {
        lances.push_back(arguments);
        if (!accepte) return 0;
        const std::int32_t pid = prochainPid++;
        actifs.insert(pid);
        return pid;
    }
    bool EstActif(std::int32_t pid) const override {
        ++questions;
        if (!actifs.contains(pid)) return false;
        if (resteActif > 0) {
            --resteActif;
            return true;
        }
        return resteActif < 0;
    }
    std::string ProgrammeAssocie(std::string_view fichier) const override {
        (void)fichier;
        return associe;
    }
    void Terminer(std::int32_t pid) { actifs.erase(pid); }

    std::vector<std::vector<std::string>> lances;
    std::set<std::int32_t> actifs;
    std::int32_t prochainPid = 1000;
    bool accepte = true;
    mutable int resteActif = -1;  // -1: running until Terminer
    mutable int questions = 0;
    std::string associe;
};

}  // namespace korv::platform
