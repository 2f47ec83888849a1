#include "print/plage_impression.h"

#include <cmath>
#include <exception>
#include <utility>

namespace korv::print {
namespace {

// A box's number as Basic's Val reads it: leading blanks, then the longest
// number prefix; 0 when there is none.
double Valeur(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    std::string chiffres;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) chiffres += s[i++];
    bool point = false, vu = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            chiffres += c;
            vu = true;
        } else if (c == '.' && !point) {
            chiffres += c;
            point = true;
        } else {
            break;
        }
    }
    if (!vu) return 0;
    try {
        return std::stod(chiffres);
    } catch (const std::exception&) {
        return 0;
    }
}

std::int32_t Arrondi(double v) {
    if (!(v > -2147483648.0 && v < 2147483647.0)) return 0;
    return static_cast<std::int32_t>(std::nearbyint(v));
}

}  // namespace

PlagePages PlageAImprimer(std::int32_t nombre, ChoixPages choix, std::string_view de, std::string_view a,
                          std::string_view pageApercu) {
    PlagePages p{1, nombre};
    if (choix == ChoixPages::DeA) {
        const double d = Valeur(de), f = Valeur(a);
        if (d >= 1 && d <= nombre) p.premiere = Arrondi(d);
        if (f >= 1 && f <= nombre) p.derniere = Arrondi(f);
    } else if (choix == ChoixPages::PageApercu) {
        p.premiere = p.derniere = Arrondi(Valeur(pageApercu));
    }
    if (p.premiere > nombre || p.premiere < 1) p.premiere = 1;
    if (p.derniere > nombre || p.derniere < 1) p.derniere = nombre;
    if (p.premiere > p.derniere) std::swap(p.premiere, p.derniere);
    return p;
}

std::string ImprimerPlage(PeintrePages& peintre, std::int32_t nombre, PlagePages plage) {
    if (nombre <= 0) return {};
    try {
        peintre.Commencer();
        for (std::int32_t page = plage.premiere; page <= plage.derniere; ++page) {
            peintre.Peindre(page);
            if (page < plage.derniere) peintre.NouvellePage();
        }
        peintre.Terminer();
    } catch (const std::exception& e) {
        peintre.Annuler();
        std::string message = e.what();
        return message.empty() ? std::string("Erreur d'impression") : message;
    }
    return {};
}

}  // namespace korv::print
