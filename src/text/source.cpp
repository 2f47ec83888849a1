#include "text/source.h"

#include <algorithm>
#include <system_error>

namespace korv::text {

SourceFichier::SourceFichier(const std::filesystem::path& chemin) : flux_(chemin, std::ios::binary) {
    std::error_code ec;
    const auto taille = std::filesystem::file_size(chemin, ec);
    ouverte_ = flux_.good() && !ec;
    longueur_ = ouverte_ ? static_cast<Position>(taille) : 0;
}

std::string_view SourceFichier::Fenetre(Position debut, Position nombre) {
    if (!ouverte_ || debut < 1 || debut > longueur_ || nombre <= 0) return {};
    nombre = std::min(nombre, longueur_ - debut + 1);
    tampon_.resize(static_cast<std::size_t>(nombre));
    flux_.clear();
    flux_.seekg(static_cast<std::streamoff>(debut - 1));
    flux_.read(tampon_.data(), static_cast<std::streamsize>(nombre));
    tampon_.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, flux_.gcount())));
    return tampon_;
}

std::string_view SequenceDansFenetre(SourceTexte& source, Position position, Position taille) {
    const std::string_view fenetre = source.Fenetre(position, taille);
    Position p = 1;
    return TextePrepareSequenceSuivante(fenetre, p);
}

bool FichierVersTexte(const std::filesystem::path& chemin, std::string& contenu) {
    std::ifstream f(chemin, std::ios::binary);
    if (!f) return false;
    contenu.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return !f.bad();
}

bool TexteVersFichier(const std::filesystem::path& chemin, std::string_view contenu) {
    std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    f.write(contenu.data(), static_cast<std::streamsize>(contenu.size()));
    f.close();
    return !f.fail();
}

}  // namespace korv::text
