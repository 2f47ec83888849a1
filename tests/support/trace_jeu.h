#pragma once
// What a play did, one line per event in the order it happened, each with
// the fake-clock time it happened at. Lines start with a keyword ("prepare",
// "jump", "fire", "trigger", "script", "effect", "message", ...) followed by
// its arguments.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korv::platform {
class Horloge;
}

namespace korv::testsupport {

class TraceJeu {
public:
    explicit TraceJeu(const platform::Horloge& horloge) : horloge_(horloge) {}

    void Ajouter(std::string ligne);

    const std::vector<std::string>& Lignes() const { return lignes_; }
    // Time of each line, same index as Lignes().
    const std::vector<std::int64_t>& Instants() const { return instants_; }
    // The lines whose keyword is `motCle`, in order.
    std::vector<std::string> Lignes(std::string_view motCle) const;
    // Those lines as "<time> <line>".
    std::vector<std::string> LignesDatees(std::string_view motCle) const;
    std::size_t Nombre(std::string_view motCle) const { return Lignes(motCle).size(); }
    void Vider();

private:
    const platform::Horloge& horloge_;
    std::vector<std::string> lignes_;
    std::vector<std::int64_t> instants_;
};

}  // namespace korv::testsupport
