#pragma once
// BMP files written byte by byte for the picture tests: every depth (1, 4, 8,
// 16, 24, 32 bits), RLE4 and RLE8 compression, bit fields, top-down rows.
// Each file comes with the pixels it must decode to.

#include <cstdint>
#include <fstream>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include <QImage>

namespace korv::display::test {

enum class CompressionBmp : std::uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, Champs = 3 };

struct BmpFabrique {
    std::vector<std::uint8_t> octets;
    QImage attendue;  // RGB32
};

namespace detail {

inline void Ecrire16(std::vector<std::uint8_t>& o, std::uint32_t v) {
    o.push_back(static_cast<std::uint8_t>(v));
    o.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Ecrire32(std::vector<std::uint8_t>& o, std::uint32_t v) {
    Ecrire16(o, v & 0xFFFF);
    Ecrire16(o, v >> 16);
}
inline void Aligner4(std::vector<std::uint8_t>& o, std::size_t debut) {
    while ((o.size() - debut) % 4 != 0) o.push_back(0);
}

// The colours of the palettes: distinct, far from each other, white first
// so that index 0 is the transparent colour of unmasked pictures.
inline QRgb CouleurPalette(int i) {
    static const QRgb base[16] = {0xFFFFFFFF, 0xFF000000, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00,
                                  0xFF00FFFF, 0xFFFF00FF, 0xFF800000, 0xFF008000, 0xFF000080, 0xFF808000,
                                  0xFF008080, 0xFF800080, 0xFFC0C0C0, 0xFF808080};
    if (i < 16) return base[i];
    return qRgb(i, 255 - i, (i * 7) & 0xFF);
}

}  // namespace detail

// The file around pixel bits already laid out: file header, 40-byte info
// header (with the three masks for bit fields), colour table.
inline std::vector<std::uint8_t> AssemblerBmp(int largeur, int hauteur, int bits, CompressionBmp compression,
                                              bool hautEnBas, const std::vector<QRgb>& palette,
                                              const std::vector<std::uint8_t>& bitsPixels) {
    using namespace detail;
    const int couleurs = static_cast<int>(palette.size());
    std::vector<std::uint8_t> entete;
    Ecrire32(entete, 40);
    Ecrire32(entete, static_cast<std::uint32_t>(largeur));
    Ecrire32(entete, static_cast<std::uint32_t>(hautEnBas ? -hauteur : hauteur));
    Ecrire16(entete, 1);
    Ecrire16(entete, static_cast<std::uint32_t>(bits));
    Ecrire32(entete, static_cast<std::uint32_t>(compression));
    Ecrire32(entete, static_cast<std::uint32_t>(bitsPixels.size()));
    Ecrire32(entete, 2835);
    Ecrire32(entete, 2835);
    Ecrire32(entete, static_cast<std::uint32_t>(couleurs));
    Ecrire32(entete, 0);
    if (compression == CompressionBmp::Champs) {
        if (bits == 16) {
            Ecrire32(entete, 0xF800);
            Ecrire32(entete, 0x07E0);
            Ecrire32(entete, 0x001F);
        } else {
            Ecrire32(entete, 0xFF0000);
            Ecrire32(entete, 0x00FF00);
            Ecrire32(entete, 0x0000FF);
        }
    }
    for (const QRgb c : palette) {
        entete.push_back(static_cast<std::uint8_t>(qBlue(c)));
        entete.push_back(static_cast<std::uint8_t>(qGreen(c)));
        entete.push_back(static_cast<std::uint8_t>(qRed(c)));
        entete.push_back(0);
    }
    const std::uint32_t debutBits = 14 + static_cast<std::uint32_t>(entete.size());
    std::vector<std::uint8_t> octets = {'B', 'M'};
    Ecrire32(octets, debutBits + static_cast<std::uint32_t>(bitsPixels.size()));
    Ecrire32(octets, 0);
    Ecrire32(octets, debutBits);
    octets.insert(octets.end(), entete.begin(), entete.end());
    octets.insert(octets.end(), bitsPixels.begin(), bitsPixels.end());
    return octets;
}

// Index of pixel (x, y) (y counted from the top) in a picture of `couleurs`
// colours: runs of equal pixels and changes, so that RLE files hold both
// encoded runs and absolute runs.
inline int IndexMotif(int x, int y, int couleurs) {
    const int v = x < 4 ? y : x + 3 * y;
    return v % couleurs;
}

// A picture `largeur` x `hauteur` of the given depth and compression. For 16
// and 32 bits the components are 0 or full, so that every decoder agrees on
// their 8-bit values.
inline BmpFabrique FabriquerBmp(int largeur, int hauteur, int bits, CompressionBmp compression = CompressionBmp::Rgb,
                               bool hautEnBas = false) {
    using namespace detail;
    BmpFabrique f;
    f.attendue = QImage(largeur, hauteur, QImage::Format_RGB32);
    const int couleurs = bits <= 8 ? (1 << bits) : 0;
    // Pixels of the rows, top row first.
    std::vector<std::vector<int>> index(static_cast<std::size_t>(hauteur));
    for (int y = 0; y < hauteur; ++y) {
        for (int x = 0; x < largeur; ++x) {
            if (couleurs > 0) {
                const int i = IndexMotif(x, y, couleurs);
                index[static_cast<std::size_t>(y)].push_back(i);
                f.attendue.setPixel(x, y, CouleurPalette(i));
            } else {
                const int m = IndexMotif(x, y, 8);  // 3 bits: one per component
                index[static_cast<std::size_t>(y)].push_back(m);
                f.attendue.setPixel(x, y, qRgb(m & 1 ? 255 : 0, m & 2 ? 255 : 0, m & 4 ? 255 : 0));
            }
        }
    }
    std::vector<std::uint8_t> bitsPixels;
    const auto ligneFichier = [&](int rang) { return hautEnBas ? rang : hauteur - 1 - rang; };
    if (compression == CompressionBmp::Rle8 || compression == CompressionBmp::Rle4) {
        const bool quatre = compression == CompressionBmp::Rle4;
        for (int rang = 0; rang < hauteur; ++rang) {
            const auto& l = index[static_cast<std::size_t>(ligneFichier(rang))];
            std::size_t x = 0;
            while (x < l.size()) {
                std::size_t n = 1;
                while (x + n < l.size() && l[x + n] == l[x] && n < 255) ++n;
                if (n >= 2 || l.size() - x < 3) {
                    // Encoded run (RLE4 alternates two nibbles: equal here).
                    bitsPixels.push_back(static_cast<std::uint8_t>(n));
                    bitsPixels.push_back(static_cast<std::uint8_t>(quatre ? (l[x] << 4) | l[x] : l[x]));
                    x += n;
                    continue;
                }
                // Absolute run of the changing pixels that follow.
                std::size_t m = 1;
                while (x + m < l.size() && (x + m + 1 >= l.size() || l[x + m] != l[x + m + 1]) && m < 255) ++m;
                if (m < 3) m = 3;
                if (x + m > l.size()) m = l.size() - x;
                bitsPixels.push_back(0);
                bitsPixels.push_back(static_cast<std::uint8_t>(m));
                const std::size_t debut = bitsPixels.size();
                for (std::size_t k = 0; k < m; ++k) {
                    if (!quatre) {
                        bitsPixels.push_back(static_cast<std::uint8_t>(l[x + k]));
                    } else if (k % 2 == 0) {
                        bitsPixels.push_back(static_cast<std::uint8_t>(l[x + k] << 4));
                    } else {
                        bitsPixels.back() = static_cast<std::uint8_t>(bitsPixels.back() | l[x + k]);
                    }
                }
                while ((bitsPixels.size() - debut) % 2 != 0) bitsPixels.push_back(0);
                x += m;
            }
            bitsPixels.push_back(0);
            bitsPixels.push_back(rang + 1 == hauteur ? 1 : 0);  // end of line, end of picture
        }
    } else {
        for (int rang = 0; rang < hauteur; ++rang) {
            const auto& l = index[static_cast<std::size_t>(ligneFichier(rang))];
            const std::size_t debut = bitsPixels.size();
            if (bits < 8) {
                const int parOctet = 8 / bits;
                for (std::size_t x = 0; x < l.size(); ++x) {
                    if (x % static_cast<std::size_t>(parOctet) == 0) bitsPixels.push_back(0);
                    const int decalage = 8 - bits * (static_cast<int>(x % static_cast<std::size_t>(parOctet)) + 1);
                    bitsPixels.back() = static_cast<std::uint8_t>(bitsPixels.back() | (l[x] << decalage));
                }
            } else {
                for (int m : l) {
                    const bool r = m & 1, g = m & 2, b = m & 4;
                    switch (bits) {
                        case 8: bitsPixels.push_back(static_cast<std::uint8_t>(m)); break;
                        case 16:
                            if (compression == CompressionBmp::Champs) {  // 5-6-5
                                Ecrire16(bitsPixels, (r ? 0xF800u : 0) | (g ? 0x07E0u : 0) | (b ? 0x001Fu : 0));
                            } else {  // 5-5-5
                                Ecrire16(bitsPixels, (r ? 0x7C00u : 0) | (g ? 0x03E0u : 0) | (b ? 0x001Fu : 0));
                            }
                            break;
                        case 24:
                            bitsPixels.push_back(b ? 255 : 0);
                            bitsPixels.push_back(g ? 255 : 0);
                            bitsPixels.push_back(r ? 255 : 0);
                            break;
                        case 32:
                            Ecrire32(bitsPixels, (r ? 0xFF0000u : 0) | (g ? 0xFF00u : 0) | (b ? 0xFFu : 0));
                            break;
                        default: break;
                    }
                }
            }
            Aligner4(bitsPixels, debut);
        }
    }
    std::vector<QRgb> palette;
    for (int i = 0; i < couleurs; ++i) palette.push_back(CouleurPalette(i));
    f.octets = AssemblerBmp(largeur, hauteur, bits, compression, hautEnBas, palette, bitsPixels);
    return f;
}

// A fresh folder under the system's temporary folder, removed with its files.
class DossierTemporaire {
public:
    DossierTemporaire() {
        static int compteur = 0;
        chemin_ = std::filesystem::temp_directory_path() /
                  ("korv_affichage_" + std::to_string(::getpid()) + "_" + std::to_string(++compteur));
        std::filesystem::remove_all(chemin_);
        std::filesystem::create_directories(chemin_);
    }
    ~DossierTemporaire() {
        std::error_code ec;
        std::filesystem::remove_all(chemin_, ec);
    }
    DossierTemporaire(const DossierTemporaire&) = delete;
    DossierTemporaire& operator=(const DossierTemporaire&) = delete;
    const std::filesystem::path& Chemin() const { return chemin_; }
    // The name of a file of the folder as a scene would give it.
    std::string Nom(const std::string& fichier) const { return (chemin_ / fichier).string(); }

private:
    std::filesystem::path chemin_;
};

// An uncompressed 1-bit picture, bottom-up, from rows of '0' and '1' (top row
// first) and its two colours.
inline std::vector<std::uint8_t> FabriquerBmp1Bit(const std::vector<std::string>& lignes, QRgb couleur0,
                                                  QRgb couleur1) {
    const int largeur = static_cast<int>(lignes.front().size());
    const int hauteur = static_cast<int>(lignes.size());
    std::vector<std::uint8_t> bitsPixels;
    for (int rang = hauteur - 1; rang >= 0; --rang) {
        const std::size_t debut = bitsPixels.size();
        const std::string& l = lignes[static_cast<std::size_t>(rang)];
        for (std::size_t x = 0; x < l.size(); ++x) {
            if (x % 8 == 0) bitsPixels.push_back(0);
            if (l[x] == '1') bitsPixels.back() = static_cast<std::uint8_t>(bitsPixels.back() | (0x80 >> (x % 8)));
        }
        detail::Aligner4(bitsPixels, debut);
    }
    return AssemblerBmp(largeur, hauteur, 1, CompressionBmp::Rgb, false, {couleur0, couleur1}, bitsPixels);
}

inline void EcrireFichier(const std::filesystem::path& chemin, const std::vector<std::uint8_t>& octets) {
    std::ofstream sortie(chemin, std::ios::binary | std::ios::trunc);
    sortie.write(reinterpret_cast<const char*>(octets.data()), static_cast<std::streamsize>(octets.size()));
}

}  // namespace korv::display::test
