#include "display/images.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "engine/fichier_nom.h"
#include "platform/path_resolver.h"

namespace korv::display {

namespace {

std::string EnMajuscules(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

std::size_t OctetsImage(const QImage& image) { return static_cast<std::size_t>(image.sizeInBytes()); }

// Holds the re-entry guard of ChargeImage for one call.
class GardeChargement {
public:
    explicit GardeChargement(bool& enCours) : enCours_(enCours), libre_(!enCours) {
        if (libre_) enCours_ = true;
    }
    ~GardeChargement() {
        if (libre_) enCours_ = false;
    }
    GardeChargement(const GardeChargement&) = delete;
    GardeChargement& operator=(const GardeChargement&) = delete;
    bool Libre() const { return libre_; }

private:
    bool& enCours_;
    bool libre_;
};

}  // namespace

bool EstNomJpeg(std::string_view nom) {
    if (nom.size() < 3) return false;
    const std::string fin = EnMajuscules(nom.substr(nom.size() - 3));
    return fin == "JPG" || fin == "PEG";
}

GenreImage GenreDepuisNom(std::string_view nom) {
    if (EstNomJpeg(nom)) return GenreImage::Jpeg;
    const std::string extension = engine::FichierNomExtension(nom);
    if (extension == "BMP") return GenreImage::Bmp;
    if (extension == "MSK") return GenreImage::Masque;
    return GenreImage::Autre;
}

std::string NomMasque(std::string_view nomImage) { return engine::FichierNomSansExtension(nomImage) + ".MSK"; }

// --- Cache ---

CacheImages::CacheImages(JournalAffichage journal, std::size_t budgetOctets)
    : journal_(std::move(journal)), budget_(budgetOctets) {}

void CacheImages::Journaliser(std::string_view message) const {
    if (journal_) journal_(message);
}

void CacheImages::Retirer(std::map<std::string, Entree>::iterator it) {
    octets_ -= OctetsImage(it->second.image);
    usage_.erase(it->second.usage);
    entrees_.erase(it);
}

void CacheImages::Vider() {
    entrees_.clear();
    usage_.clear();
    octets_ = 0;
    absentsSignales_.clear();
}

QImage CacheImages::Charger(std::string_view nomWindows, std::string_view procedure) {
    const std::string nom(nomWindows);
    const auto chemin = resolveur_.Resoudre(nomWindows);
    const auto etat = chemin ? resolveur_.Etat(*chemin) : std::nullopt;
    if (!etat || !etat->fichierOrdinaire) {
        if (absentsSignales_.insert(nom).second) {
            Journaliser(std::string(procedure) + " : image introuvable : " + nom);
        }
        return {};
    }
    absentsSignales_.erase(nom);
    const std::string cle = chemin->string();
    std::string erreur;
    std::optional<std::vector<std::uint8_t>> octets;
    if (auto it = entrees_.find(cle); it != entrees_.end()) {
        Entree& e = it->second;
        if (e.etat == *etat) {
            if (!e.octetsRecents) {
                usage_.splice(usage_.begin(), usage_, e.usage);
                return e.image;
            }
            octets = LireFichierImage(*chemin, erreur);
            if (octets && *octets == *e.octetsRecents) {
                if (platform::EtatRassis(*etat)) e.octetsRecents.reset();
                usage_.splice(usage_.begin(), usage_, e.usage);
                return e.image;
            }
        }
        Retirer(it);
    }
    if (!octets) octets = LireFichierImage(*chemin, erreur);
    QImage image = octets ? DecoderImageOctets(*octets, erreur) : QImage();
    ++decodages_;
    if (image.isNull()) Journaliser(std::string(procedure) + " : image illisible : " + nom + " (" + erreur + ")");
    usage_.push_front(cle);
    Entree entree{*etat, std::nullopt, image, usage_.begin()};
    if (octets && !platform::EtatRassis(*etat)) entree.octetsRecents = std::move(*octets);
    octets_ += OctetsImage(entree.image);
    entrees_.emplace(cle, std::move(entree));
    // The picture just read stays even when it alone exceeds the budget.
    while (octets_ > budget_ && usage_.size() > 1) Retirer(entrees_.find(usage_.back()));
    return image;
}

// --- Drawing ---

void DessinerImageDecodee(const QImage& image, Surface& cible, const PlacementImage& p, OperationRaster op) {
    if (image.isNull()) return;
    const int largeur = p.largeur == -1 ? image.width() : p.largeur;
    const int hauteur = p.hauteur == -1 ? image.height() : p.hauteur;
    if (largeur <= 0 || hauteur <= 0) return;
    if (p.etirer) {
        cible.TransfererEtire(QRect(p.x, p.y, largeur, hauteur), image, image.rect(), op);
    } else {
        cible.Transferer(QPoint(p.x, p.y), image, QRect(p.sourceX, p.sourceY, largeur, hauteur), op);
    }
}

void ChargeImage(ContexteImages& contexte, std::string_view fichier, Surface& cible, const PlacementImage& placement,
                 OperationRaster op) {
    const GardeChargement garde(contexte.ChargeImageEnCours);
    if (!garde.Libre()) return;
    const GenreImage genre = GenreDepuisNom(fichier);
    if (genre != GenreImage::Bmp && genre != GenreImage::Masque) return;
    DessinerImageDecodee(contexte.cache.Charger(fichier, "ChargeImage"), cible, placement, op);
}

void DessinerImage(ContexteImages& contexte, std::string_view fichier, Surface& cible,
                   const PlacementImage& placement, OperationRaster op) {
    if (GenreDepuisNom(fichier) != GenreImage::Jpeg) {
        ChargeImage(contexte, fichier, cible, placement, op);
        return;
    }
    DessinerImageDecodee(contexte.cache.Charger(fichier, "DessinerImage"), cible, placement, op);
}

QImage MasqueDepuisImage(const QImage& image, Couleur transparent) {
    const QImage source =
        image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    QImage masque(source.size(), QImage::Format_MonoLSB);
    if (masque.isNull()) return masque;
    masque.fill(0);
    const QRgb cle = VersQRgb(transparent) & 0xFFFFFF;
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* s = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        uchar* m = masque.scanLine(y);
        for (int x = 0; x < source.width(); ++x) {
            if ((s[x] & 0xFFFFFF) == cle) m[x >> 3] = static_cast<uchar>(m[x >> 3] | (1u << (x & 7)));
        }
    }
    return masque;
}

void AfficherTransparent(ContexteImages& contexte, std::string_view fichier, Surface& tampon,
                         const PlacementImage& placement) {
    if (!contexte.cache.Resolveur().FichierExiste(fichier)) return;
    const std::string masque = NomMasque(fichier);
    if (contexte.cache.Resolveur().FichierExiste(masque)) {
        ChargeImage(contexte, masque, tampon, placement, OperationRaster::MergePaint);
        return;
    }
    // Without a mask file the shape is every pixel that is not the white of
    // the work surface the picture is laid on. Pictures that ChargeImage does
    // not draw (JPEG) leave that surface all white: nothing is punched.
    const GenreImage genre = GenreDepuisNom(fichier);
    QImage image;
    if (genre == GenreImage::Bmp || genre == GenreImage::Masque) {
        image = contexte.cache.Charger(fichier, "AfficherTransparent");
        if (image.isNull()) return;
    }
    const int largeur = placement.largeur == -1 ? image.width() : placement.largeur;
    const int hauteur = placement.hauteur == -1 ? image.height() : placement.hauteur;
    if (largeur <= 0 || hauteur <= 0 || image.isNull()) return;
    Surface travail(largeur, hauteur, kBlanc);
    PlacementImage dansTravail = placement;
    dansTravail.x = 0;
    dansTravail.y = 0;
    dansTravail.largeur = largeur;
    dansTravail.hauteur = hauteur;
    DessinerImageDecodee(image, travail, dansTravail, OperationRaster::SrcCopy);
    tampon.TransfererMono(QPoint(placement.x, placement.y), MasqueDepuisImage(travail.Image(), kBlanc),
                          QRect(0, 0, largeur, hauteur), OperationRaster::MergePaint, kNoir, kBlanc);
}

void DessinerTransparent(ContexteImages& contexte, std::string_view fichier, Surface& tampon,
                         const PlacementImage& placement) {
    AfficherTransparent(contexte, fichier, tampon, placement);
    DessinerImage(contexte, fichier, tampon, placement, OperationRaster::SrcAnd);
}

}  // namespace korv::display
