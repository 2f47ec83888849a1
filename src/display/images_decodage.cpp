// Decoding of picture files: our BMP header check, then Qt's readers.

#include <fstream>
#include <limits>

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include "display/images.h"

namespace korv::display {

namespace {

constexpr std::uintmax_t kFichierImageMax = std::uintmax_t{256} << 20;

std::uint32_t Lire16(std::span<const std::uint8_t> o, std::size_t i) {
    return static_cast<std::uint32_t>(o[i]) | (static_cast<std::uint32_t>(o[i + 1]) << 8);
}
std::uint32_t Lire32(std::span<const std::uint8_t> o, std::size_t i) { return Lire16(o, i) | (Lire16(o, i + 2) << 16); }

}  // namespace

std::string VerifierBmp(std::span<const std::uint8_t> octets) {
    constexpr std::size_t kEnteteFichier = 14;
    if (octets.size() < kEnteteFichier + 12 || octets[0] != 'B' || octets[1] != 'M') return "en-tete BMP absent";
    const std::uint32_t debutBits = Lire32(octets, 10);
    const std::uint32_t tailleInfo = Lire32(octets, 14);
    if (tailleInfo != 12 && tailleInfo != 40 && tailleInfo != 52 && tailleInfo != 56 && tailleInfo != 64 &&
        tailleInfo != 108 && tailleInfo != 124) {
        return "en-tete BMP de taille inconnue";
    }
    if (kEnteteFichier + tailleInfo > octets.size()) return "en-tete BMP tronque";
    std::int64_t largeur = 0, hauteur = 0;
    std::uint32_t plans = 0, bits = 0, compression = 0, couleurs = 0;
    std::size_t tailleCouleur = 4;
    if (tailleInfo == 12) {
        largeur = Lire16(octets, 18);
        hauteur = static_cast<std::int16_t>(Lire16(octets, 20));
        plans = Lire16(octets, 22);
        bits = Lire16(octets, 24);
        tailleCouleur = 3;
    } else {
        largeur = static_cast<std::int32_t>(Lire32(octets, 18));
        hauteur = static_cast<std::int32_t>(Lire32(octets, 22));
        plans = Lire16(octets, 26);
        bits = Lire16(octets, 28);
        compression = Lire32(octets, 30);
        couleurs = Lire32(octets, 46);
    }
    const bool hautEnBas = hauteur < 0;
    if (hautEnBas) hauteur = -hauteur;
    if (largeur <= 0 || hauteur <= 0) return "dimensions BMP nulles ou negatives";
    if (largeur > kImageCoteMax || hauteur > kImageCoteMax || largeur * hauteur > kImagePixelsMax) {
        return "image BMP trop grande";
    }
    if (plans != 1) return "nombre de plans BMP invalide";
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return "profondeur BMP non prise en charge";
    }
    const bool rle = compression == 1 || compression == 2;
    switch (compression) {
        case 0: break;
        case 1:
        case 2:
            if (bits != (compression == 1 ? 8u : 4u)) return "compression RLE et profondeur incompatibles";
            if (hautEnBas) return "image RLE de haut en bas";
            break;
        case 3:
            if (bits != 16 && bits != 32) return "champs de bits et profondeur incompatibles";
            break;
        default: return "compression BMP non prise en charge";
    }
    std::uint64_t tailleTable = 0;
    if (bits <= 8) {
        const std::uint32_t maximum = 1u << bits;
        if (couleurs > maximum) return "table de couleurs BMP trop longue";
        tailleTable = std::uint64_t{couleurs == 0 ? maximum : couleurs} * tailleCouleur;
    }
    const std::uint64_t champs = (compression == 3 && tailleInfo == 40) ? 12 : 0;
    if (debutBits > octets.size()) return "debut des pixels BMP hors du fichier";
    if (debutBits < kEnteteFichier + tailleInfo + champs) return "debut des pixels BMP dans l'en-tete";
    // The colour table may be shorter than announced when the pixels start
    // earlier; it may not run past the file.
    if (kEnteteFichier + tailleInfo + champs + (bits <= 8 ? tailleCouleur : 0) > octets.size() ||
        (bits <= 8 && kEnteteFichier + tailleInfo + champs + tailleTable > octets.size())) {
        return "table de couleurs BMP tronquee";
    }
    if (!rle) {
        const std::uint64_t ligne = ((static_cast<std::uint64_t>(largeur) * bits + 31) / 32) * 4;
        if (std::uint64_t{debutBits} + ligne * static_cast<std::uint64_t>(hauteur) > octets.size()) {
            return "pixels BMP tronques";
        }
    }
    return {};
}

QImage DecoderImageOctets(std::span<const std::uint8_t> octets, std::string& erreur, bool garderFormat) {
    erreur.clear();
    if (octets.size() >= 2 && octets[0] == 'B' && octets[1] == 'M') {
        erreur = VerifierBmp(octets);
        if (!erreur.empty()) return {};
    }
    if (octets.size() > static_cast<std::size_t>(std::numeric_limits<qsizetype>::max())) {
        erreur = "fichier trop grand";
        return {};
    }
    QByteArray donnees = QByteArray::fromRawData(reinterpret_cast<const char*>(octets.data()),
                                                 static_cast<qsizetype>(octets.size()));
    QBuffer tampon(&donnees);
    tampon.open(QIODevice::ReadOnly);
    QImageReader lecteur(&tampon);
    lecteur.setDecideFormatFromContent(true);
    const QSize taille = lecteur.size();
    if (taille.isValid() && (taille.width() > kImageCoteMax || taille.height() > kImageCoteMax ||
                             std::int64_t{taille.width()} * taille.height() > kImagePixelsMax)) {
        erreur = "image trop grande";
        return {};
    }
    QImage image;
    if (!lecteur.read(&image) || image.isNull()) {
        erreur = lecteur.errorString().toStdString();
        if (erreur.empty()) erreur = "image illisible";
        return {};
    }
    if (garderFormat || image.format() == QImage::Format_RGB32) return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

std::optional<std::vector<std::uint8_t>> LireFichierImage(const std::filesystem::path& chemin, std::string& erreur) {
    std::error_code ec;
    const std::uintmax_t taille = std::filesystem::file_size(chemin, ec);
    if (ec) {
        erreur = "fichier illisible";
        return std::nullopt;
    }
    if (taille > kFichierImageMax) {
        erreur = "fichier trop grand";
        return std::nullopt;
    }
    std::vector<std::uint8_t> octets(static_cast<std::size_t>(taille));
    std::ifstream entree(chemin, std::ios::binary);
    if (!entree.read(reinterpret_cast<char*>(octets.data()), static_cast<std::streamsize>(octets.size()))) {
        erreur = "fichier illisible";
        return std::nullopt;
    }
    return octets;
}

QImage DecoderImage(const std::filesystem::path& chemin, std::string& erreur, bool garderFormat) {
    const auto octets = LireFichierImage(chemin, erreur);
    if (!octets) return {};
    return DecoderImageOctets(*octets, erreur, garderFormat);
}

}  // namespace korv::display
