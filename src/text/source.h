#pragma once
// Where a tagged or coded text is read from: a string in memory or a file
// read by windows, so that long texts never live whole in memory.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "text/balises.h"

namespace korv::text {

class SourceTexte {
public:
    virtual ~SourceTexte() = default;
    virtual Position Longueur() const = 0;
    // Up to `nombre` bytes from 1-based `debut`, never past the end; valid
    // until the next call.
    virtual std::string_view Fenetre(Position debut, Position nombre) = 0;
};

class SourceChaine final : public SourceTexte {
public:
    explicit SourceChaine(std::string_view texte) : texte_(texte) {}
    Position Longueur() const override { return static_cast<Position>(texte_.size()); }
    std::string_view Fenetre(Position debut, Position nombre) override { return Mid(texte_, debut, nombre); }

private:
    std::string_view texte_;
};

// A file opened in binary mode; `Ouverte` is false when it cannot be read.
class SourceFichier final : public SourceTexte {
public:
    explicit SourceFichier(const std::filesystem::path& chemin);
    bool Ouverte() const { return ouverte_; }
    Position Longueur() const override { return longueur_; }
    std::string_view Fenetre(Position debut, Position nombre) override;

private:
    std::ifstream flux_;
    Position longueur_ = 0;
    bool ouverte_ = false;
    std::string tampon_;
};

// The first sequence of the window of `taille` bytes at `position`: the
// chunked walk of the long-text readers. Empty at the end or when the
// window holds no complete sequence.
std::string_view SequenceDansFenetre(SourceTexte& source, Position position, Position taille);

// A whole file as bytes; nullopt-like empty result with `ok` false when it cannot be read.
bool FichierVersTexte(const std::filesystem::path& chemin, std::string& contenu);
bool TexteVersFichier(const std::filesystem::path& chemin, std::string_view contenu);

}  // namespace korv::text
