#pragma once
// Picture files of the pages: decoding (BMP of every depth and compression,
// 1-bit ".MSK" masks, JPEG) through Qt's image readers, a cache of decoded
// pictures, and the two passes of transparent drawing.
//
// Transparent drawing on the page buffer is two transfers at the same place:
// `AfficherTransparent` punches the picture's opaque shape into the buffer
// (white there, untouched elsewhere: MERGEPAINT of the mask), then
// `ChargeImage` lays the picture with SRCAND, so that only its opaque pixels
// land. The shape is the mask file beside the picture (same name, extension
// "MSK": black opaque, white transparent) or, without one, every pixel of the
// picture that is not white.
//
// A missing or unreadable picture never stops the page: nothing is drawn and
// the journal given by the engine hears of it once per file.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <list>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <QImage>

#include "display/surface.h"
#include "platform/etat_fichier.h"
#include "platform/path_resolver.h"

namespace korv::display {

// Where the display reports faults it survives (the engine writes them to its
// error journal). Texts are Windows-1252 bytes.
using JournalAffichage = std::function<void(std::string_view)>;

enum class GenreImage : std::uint8_t {
    Bmp,   // extension "BMP" (any case)
    Masque,  // extension "MSK"
    Jpeg,  // upper-cased name ending in "JPG" or "PEG"
    Autre,
};

// The kind of a picture file by its name. JPEG is tested first, on the last
// three characters of the name; BMP and MSK on the extension.
GenreImage GenreDepuisNom(std::string_view nom);
// True when the last three characters of the upper-cased name are "JPG" or
// "PEG" ("X.JPEG", "x.jpg"; not "X.JPE").
bool EstNomJpeg(std::string_view nom);
// The mask file name of a picture: its name without extension, then ".MSK".
std::string NomMasque(std::string_view nomImage);

// Decoded pictures by resolved path, with the file's size and time so that a
// file changed on disk is read again. Files that failed to decode are
// remembered too, so that a damaged picture drawn on every page is read and
// reported once. The least recently used pictures go when the decoded
// pixels exceed the budget.
class CacheImages {
public:
    explicit CacheImages(JournalAffichage journal, std::size_t budgetOctets = std::size_t{64} << 20);

    // The picture (RGB32) of a scene file name, or a null image when the
    // file is missing or cannot be decoded. `procedure` names the caller in
    // the journal. (QImage shares its pixels: the copy costs nothing.)
    QImage Charger(std::string_view nomWindows, std::string_view procedure);

    void Vider();
    std::size_t NombreImages() const { return entrees_.size(); }
    std::size_t OctetsUtilises() const { return octets_; }
    // How many files have been decoded (not served from the cache).
    std::size_t NombreDecodages() const { return decodages_; }

    void Journaliser(std::string_view message) const;

    // The resolver of the pictures' names, which keeps each resolution while
    // the folders it read are unchanged.
    platform::ResolveurChemins& Resolveur() { return resolveur_; }

private:
    struct Entree {
        platform::EtatFichier etat;
        // The bytes decoded, kept while the file's state is too recent to
        // tell a second change within the clock's step: they are compared
        // with the file's before the picture is served. (Out of the budget,
        // which counts decoded pixels: they go once the file has settled.)
        std::optional<std::vector<std::uint8_t>> octetsRecents;
        QImage image;  // null when the file could not be decoded
        std::list<std::string>::iterator usage;
    };
    void Retirer(std::map<std::string, Entree>::iterator it);

    JournalAffichage journal_;
    std::size_t budget_;
    std::size_t octets_ = 0;
    std::size_t decodages_ = 0;
    std::map<std::string, Entree> entrees_;
    std::list<std::string> usage_;  // most recent first
    std::set<std::string> absentsSignales_;
    platform::ResolveurChemins resolveur_;
};

// Decodes a picture with Qt's readers, by content (the extension of masks and
// palettes tells Qt nothing), as RGB32 pixels, or as Qt gives it when
// `garderFormat` (palettes need the colour table of indexed pictures). BMP
// headers are checked first: Qt fills the missing rows of a truncated
// uncompressed BMP with whatever memory held. Returns a null image and sets
// `erreur` when the bytes are not a picture we can trust.
QImage DecoderImageOctets(std::span<const std::uint8_t> octets, std::string& erreur, bool garderFormat = false);
QImage DecoderImage(const std::filesystem::path& chemin, std::string& erreur, bool garderFormat = false);
// A picture file's bytes, refused (nullopt, `erreur` set) when unreadable or
// larger than any picture we decode.
std::optional<std::vector<std::uint8_t>> LireFichierImage(const std::filesystem::path& chemin, std::string& erreur);

// The header check of BMP files: an empty string when the file's headers are
// consistent and its pixel bits are all there, else what is wrong.
std::string VerifierBmp(std::span<const std::uint8_t> octets);

// Largest picture accepted, in each direction and in pixels in all.
inline constexpr std::int64_t kImageCoteMax = 32767;
inline constexpr std::int64_t kImagePixelsMax = std::int64_t{64} << 20;

// State of picture drawing owned by the display context.
struct ContexteImages {
    explicit ContexteImages(JournalAffichage journal) : cache(std::move(journal)) {}
    CacheImages cache;
    bool ChargeImageEnCours = false;  // re-entry guard of ChargeImage
};

// Where and how a picture goes on a surface. Without stretching, the part of
// the picture at `sourceX`, `sourceY` is copied to `x`, `y`, `largeur` by
// `hauteur` pixels, -1 standing for the picture's own width or height. With
// stretching the whole picture fills the rectangle and the source position
// is ignored.
struct PlacementImage {
    int x = 0;
    int y = 0;
    int largeur = -1;
    int hauteur = -1;
    int sourceX = 0;
    int sourceY = 0;
    bool etirer = false;
};

// Draws a BMP or MSK picture file on `cible` with `op`. Any other kind of
// file, a missing file and a damaged one draw nothing (the last two are
// journaled). A call made while another runs does nothing.
void ChargeImage(ContexteImages& contexte, std::string_view fichier, Surface& cible, const PlacementImage& placement,
                 OperationRaster op);

// The same for every picture kind, JPEG included: the road of the picture
// painting used for JPEG files.
void DessinerImage(ContexteImages& contexte, std::string_view fichier, Surface& cible,
                   const PlacementImage& placement, OperationRaster op);

// Draws an already decoded picture (RGB32) with the placement rules above.
void DessinerImageDecodee(const QImage& image, Surface& cible, const PlacementImage& placement, OperationRaster op);

// The mask pass of transparent drawing on the page buffer `tampon`: the mask
// file when there is one (MERGEPAINT), otherwise a mask made from the
// picture's non-white pixels. A missing picture draws nothing. A width or
// height of -1 stands for the picture's own.
void AfficherTransparent(ContexteImages& contexte, std::string_view fichier, Surface& tampon,
                         const PlacementImage& placement);

// Both passes: mask, then the picture with SRCAND.
void DessinerTransparent(ContexteImages& contexte, std::string_view fichier, Surface& tampon,
                         const PlacementImage& placement);

// The 1-bit mask of a picture: 1 where the pixel is `transparent`, 0
// elsewhere (Format_MonoLSB).
QImage MasqueDepuisImage(const QImage& image, Couleur transparent = kBlanc);

}  // namespace korv::display
