#include "text/write.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace korv::text {

namespace {

constexpr std::size_t kPage = 128;

struct Octets {
    std::string_view d;
    std::uint8_t O(std::size_t i) const { return i < d.size() ? static_cast<std::uint8_t>(d[i]) : 0; }
    std::uint16_t W(std::size_t i) const { return static_cast<std::uint16_t>(O(i) | (O(i + 1) << 8)); }
    std::uint32_t L(std::size_t i) const {
        return static_cast<std::uint32_t>(W(i)) | (static_cast<std::uint32_t>(W(i + 2)) << 16);
    }
};

struct Paragraphe {
    std::uint32_t fin = 0;
    std::uint8_t alignement = 0;
    bool teteCourante = false;
};

struct Passage {
    std::uint32_t fin = 0;
    int drapeaux = 0;  // 1 bold, 2 italic, 4 underline, 8 superscript, 16 subscript
    std::size_t police = 0;
    int taille = 12;
};

// The FODs of the formatting pages first .. last, each with its property
// (count byte first) cut to its page.
template <typename F>
void ParcourirFkp(const Octets& o, std::size_t premiere, std::size_t derniere, F&& fod) {
    const std::size_t pages = o.d.size() / kPage;
    derniere = std::min(derniere, pages == 0 ? 0 : pages - 1);
    for (std::size_t pn = premiere; pn <= derniere && pn < pages; ++pn) {
        const std::size_t base = pn * kPage;
        // At most 20 FODs of 6 bytes fit between the page's first 4 bytes and its count byte.
        const std::size_t cfod = std::min<std::size_t>(o.O(base + 127), (127 - 4) / 6);
        for (std::size_t k = 0; k < cfod; ++k) {
            const std::size_t f = base + 4 + 6 * k;
            const std::uint32_t fcLim = o.L(f);
            const std::uint16_t bfprop = o.W(f + 4);
            std::string_view prop;
            if (bfprop != 0xFFFF && 4u + bfprop < 127u) {
                const std::size_t debut = base + 4 + bfprop;
                const std::size_t cch = std::min<std::size_t>(o.O(debut), 127 - (4 + bfprop) - 1);
                prop = o.d.substr(debut, cch + 1);
            }
            fod(fcLim, bfprop == 0xFFFF, prop);
        }
    }
}

std::vector<std::string> Polices(const Octets& o, std::size_t pnFfntb,
                                 const std::function<bool(std::string_view)>& disponible,
                                 const std::string& defaut) {
    std::vector<std::string> r;
    std::size_t i = pnFfntb * kPage + 2;  // after cffn
    for (int garde = 0; garde < 4096 && i + 2 <= o.d.size(); ++garde) {
        const std::uint16_t cb = o.W(i);
        if (cb == 0) break;
        if (cb == 0xFFFF) {
            i = (i / kPage + 1) * kPage;
            continue;
        }
        if (cb < 2 || i + 2 + cb > o.d.size()) break;
        std::string nom(o.d.substr(i + 3, cb - 2u));
        if (const auto zero = nom.find('\0'); zero != std::string::npos) nom.erase(zero);
        r.push_back(disponible && disponible(nom) ? nom : defaut);
        i += 2u + cb;
    }
    if (r.empty()) r.push_back(defaut);
    return r;
}

std::string PasseFinale(std::string_view t) {
    std::string r = "<PageNombre000000><PageNumero1>";
    long page = 1;
    for (const char c : t) {
        const auto u = static_cast<unsigned char>(c);
        if (u == 12) {
            r += "<PageNumero" + std::to_string(++page) + ">";
        } else if (u == 13) {
            r += "<Cr>";
        } else if (u == 9) {
            r += ' ';
        } else if (u < 1 || u > 31) {
            r += c;
        }
    }
    char nombre[24];
    std::snprintf(nombre, sizeof nombre, "%06ld", std::min(page, 999999L));
    r.replace(11, 6, nombre);
    return r;
}

}  // namespace

bool EstDocumentWrite(std::string_view octets) {
    if (octets.size() < kPage) return false;
    const Octets o{octets};
    const std::uint16_t ident = o.W(0);
    return (ident == 0xBE31 || ident == 0xBE32) && o.W(4) == 0xAB00;
}

std::string PrecodeFichierTexte(std::string_view octets,
                                const std::function<bool(std::string_view)>& policeDisponible,
                                const std::string& policeDefaut) {
    if (!EstDocumentWrite(octets)) return PasseFinale(octets);
    const Octets o{octets};
    const std::uint32_t fcMac = std::clamp<std::uint32_t>(o.L(14), kPage, static_cast<std::uint32_t>(octets.size()));
    const std::size_t pnPara = o.W(18);
    const std::size_t pnFntb = o.W(20);
    const std::size_t pnFfntb = o.W(28);
    const std::string_view texte = octets.substr(kPage, fcMac - kPage);
    const auto longueur = static_cast<std::uint32_t>(texte.size());
    auto finDansTexte = [&](std::uint32_t fcLim) {
        return fcLim < kPage ? 0u : std::min<std::uint32_t>(fcLim - static_cast<std::uint32_t>(kPage), longueur);
    };

    const std::vector<std::string> polices = Polices(o, pnFfntb, policeDisponible, policeDefaut);

    std::vector<Paragraphe> paragraphes;
    if (pnFntb > 0) {
        ParcourirFkp(o, pnPara, pnFntb - 1, [&](std::uint32_t fcLim, bool, std::string_view pap) {
            Paragraphe p;
            p.fin = finDansTexte(fcLim);
            const std::size_t cch = pap.empty() ? 0 : std::min<std::size_t>(static_cast<std::uint8_t>(pap[0]), pap.size() - 1);
            if (cch >= 2) p.alignement = static_cast<std::uint8_t>(static_cast<std::uint8_t>(pap[2]) & 3);
            if (cch >= 17) p.teteCourante = (static_cast<std::uint8_t>(pap[17]) & (0x02 | 0x04 | 0x10)) != 0;
            paragraphes.push_back(p);
        });
    }
    std::vector<Passage> passages;
    const std::size_t premiereCar = (static_cast<std::size_t>(o.L(14)) + 127) / kPage;
    if (pnPara > 0) {
        ParcourirFkp(o, premiereCar, pnPara - 1, [&](std::uint32_t fcLim, bool, std::string_view chp) {
            Passage p;
            p.fin = finDansTexte(fcLim);
            const std::size_t cch = chp.empty() ? 0 : std::min<std::size_t>(static_cast<std::uint8_t>(chp[0]), chp.size() - 1);
            const auto octet = [&](std::size_t k) { return static_cast<std::uint8_t>(chp[k]); };
            if (cch >= 2) {
                p.drapeaux |= (octet(2) & 1) ? 1 : 0;
                p.drapeaux |= (octet(2) & 2) ? 2 : 0;
                p.police = std::min<std::size_t>(octet(2) >> 2, polices.size() - 1);
            }
            if (cch >= 3) {
                // Half points to points, a half going to the even size.
                const int hps = octet(3);
                p.taille = hps / 2 + ((hps % 2 == 1 && (hps / 2) % 2 == 1) ? 1 : 0);
            }
            if (cch >= 4 && (octet(4) & 1)) p.drapeaux |= 4;
            if (cch >= 6) {
                const std::uint8_t pos = octet(6);
                if (pos >= 1 && pos <= 127) p.drapeaux |= 8;
                if (pos >= 128) p.drapeaux |= 16;
            }
            passages.push_back(p);
        });
    }

    std::string r;
    std::size_t ip = 0;
    std::size_t ir = 0;
    int alignementPrecedent = -1;
    int taillePrecedente = -1;
    std::size_t policePrecedente = static_cast<std::size_t>(-1);
    int drapeauxPrecedents = 0;
    std::size_t passagePrecedent = static_cast<std::size_t>(-1);
    std::size_t paragraphePrecedent = static_cast<std::size_t>(-1);
    static constexpr const char* kAlignements[] = {"<HorizontalAligneGauche>", "<HorizontalAligneCentre>",
                                                   "<HorizontalAligneDroite>", "<HorizontalAligneJustifie>"};
    static constexpr const char* kDrapeaux[] = {"Gras", "Italique", "Souligne", "Exposant", "Indice"};
    static constexpr int kBits[] = {1, 2, 4, 8, 16};
    for (std::uint32_t c = 0; c < longueur; ++c) {
        while (ip < paragraphes.size() && paragraphes[ip].fin <= c) ++ip;
        while (ir < passages.size() && passages[ir].fin <= c) ++ir;
        const Paragraphe para = ip < paragraphes.size() ? paragraphes[ip] : Paragraphe{};
        if (para.teteCourante) continue;
        if (ip != paragraphePrecedent) {
            paragraphePrecedent = ip;
            if (para.alignement != alignementPrecedent) {
                r += kAlignements[para.alignement & 3];
                alignementPrecedent = para.alignement;
            }
        }
        if (ir != passagePrecedent) {
            passagePrecedent = ir;
            const Passage p = ir < passages.size() ? passages[ir] : Passage{};
            if (p.taille != taillePrecedente) r += "<Taille" + std::to_string(p.taille) + ">";
            if (p.police != policePrecedente) r += "<Police " + polices[std::min(p.police, polices.size() - 1)] + ">";
            // Bold, underline, italic, superscript, subscript: each that changed.
            for (int k : {0, 2, 1, 3, 4}) {
                const bool avant = (drapeauxPrecedents & kBits[k]) != 0;
                const bool apres = (p.drapeaux & kBits[k]) != 0;
                if (avant != apres) r += std::string("<") + kDrapeaux[k] + (apres ? "1" : "0") + ">";
            }
            taillePrecedente = p.taille;
            policePrecedente = p.police;
            drapeauxPrecedents = p.drapeaux;
        }
        r += texte[c];
    }
    return PasseFinale(r);
}

}  // namespace korv::text
