#include "rtf/texte_balise.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "platform/cp1252.h"
#include "text/balises.h"

namespace korv::rtf {

namespace {

// The box's selection format and the document it types into.
class Saisie {
public:
    Saisie(std::string_view policeDefaut, std::int32_t twipsParPixelY)
        : decalageDemiPoints_(DemiPoints(5.0 * std::max(twipsParPixelY, 1) / 10.0)) {
        d_.couleurs.push_back(CouleurRtf{});  // the automatic colour, never chosen here
        d_.paragraphes.emplace_back();
        format_.police = PoliceNumero(text::Majuscules(policeDefaut));
        d_.policeDefaut = format_.police;
        format_.taille = 22;
        format_.couleur = CouleurIndex(0);
    }

    void Inserer(std::string_view cp1252) {
        for (std::size_t i = 0; i < cp1252.size(); ++i) {
            const char c = cp1252[i];
            if (c == '\r' || c == '\n') {
                // CR LF, CR or LF alone: one paragraph end each.
                if (c == '\r' && i + 1 < cp1252.size() && cp1252[i + 1] == '\n') ++i;
                FinParagraphe();
                continue;
            }
            Caractere(platform::Cp1252VersPointCode(static_cast<std::uint8_t>(c)));
        }
    }

    void FinParagraphe() {
        // The new paragraph keeps the alignment; the characters keep their format.
        Paragraphe p;
        p.format = d_.paragraphes.back().format;
        d_.paragraphes.push_back(std::move(p));
    }

    void Police(std::string_view nom) { format_.police = PoliceNumero(nom); }
    void Taille(double points) {
        // A size the box refuses leaves the current one.
        if (!(points >= 1.0 && points <= 1638.0)) return;
        format_.taille = DemiPoints(points * 2.0);
    }
    void Gras(bool v) { format_.gras = v; }
    void Italique(bool v) { format_.italique = v; }
    void Souligne(bool v) { format_.souligne = v; }
    void Couleur(std::int32_t rgb) { format_.couleur = CouleurIndex(rgb); }
    void Decalage(int sens) { format_.decalage = sens * decalageDemiPoints_; }
    void Alignement(Alignement a) { d_.paragraphes.back().format.alignement = a; }

    Document Fin() { return std::move(d_); }

private:
    static std::int32_t DemiPoints(double v) { return static_cast<std::int32_t>(std::nearbyint(v)); }

    void Caractere(char32_t c) {
        auto& morceaux = d_.paragraphes.back().morceaux;
        if (morceaux.empty() || !(morceaux.back().format == format_)) morceaux.push_back(Morceau{format_, {}});
        morceaux.back().texte += c;
    }

    std::int32_t PoliceNumero(std::string_view nom) {
        // Font names are the same font whatever their case.
        std::string cle(nom);
        for (char& c : cle) c = static_cast<char>(platform::MinusculeCp1252(static_cast<std::uint8_t>(c)));
        const auto [it, nouvelle] = polices_.try_emplace(std::move(cle), static_cast<std::int32_t>(d_.polices.size()));
        if (!nouvelle) return it->second;
        rtf::Police p;
        p.numero = static_cast<std::int32_t>(d_.polices.size());
        p.nom = std::string(nom);
        d_.polices.push_back(std::move(p));
        return d_.polices.back().numero;
    }

    std::int32_t CouleurIndex(std::int32_t rgb) {
        const CouleurRtf c{false, static_cast<std::uint8_t>(rgb & 0xFF), static_cast<std::uint8_t>((rgb >> 8) & 0xFF),
                           static_cast<std::uint8_t>((rgb >> 16) & 0xFF)};
        const auto [it, nouvelle] =
            couleurs_.try_emplace(static_cast<std::uint32_t>(rgb) & 0xFFFFFFu, static_cast<std::int32_t>(d_.couleurs.size()));
        if (nouvelle) d_.couleurs.push_back(c);
        return it->second;
    }

    Document d_;
    // Indexes of the two tables, so that a text naming thousands of fonts
    // or colours is not searched table-long at each tag.
    std::map<std::string, std::int32_t> polices_;
    std::map<std::uint32_t, std::int32_t> couleurs_;
    FormatCaractere format_;
    std::int32_t decalageDemiPoints_;
};

bool Active(std::string_view argument) { return text::Val(argument) != 0.0; }

}  // namespace

Document TexteInterneVersRTF(std::string_view texte, std::string_view policeDefaut, std::int32_t twipsParPixelY) {
    Saisie s(policeDefaut, twipsParPixelY);
    text::Position position = 1;
    for (std::string_view seq = text::TextePrepareSequenceSuivante(texte, position); !seq.empty();
         seq = text::TextePrepareSequenceSuivante(texte, position)) {
        position += static_cast<text::Position>(seq.size());
        if (!text::EstBalise(seq)) {
            s.Inserer(seq);
            continue;
        }
        const std::string nom = text::Majuscules(text::TexteCodeSequence(seq));
        const std::string_view argument = text::TexteArgumentSequence(seq);
        if (nom == "CR" || nom == "PAGENUMERO") {
            s.FinParagraphe();
        } else if (nom == "POLICE") {
            s.Police(argument);
        } else if (nom == "TAILLE") {
            s.Taille(text::Val(argument));
        } else if (nom == "GRAS") {
            s.Gras(Active(argument));
        } else if (nom == "ITALIQUE") {
            s.Italique(Active(argument));
        } else if (nom == "SOULIGNE") {
            s.Souligne(Active(argument));
        } else if (nom == "COULEUR") {
            s.Couleur(text::ValEntier(argument));
        } else if (nom == "INDICE") {
            s.Decalage(Active(argument) ? -1 : 0);
        } else if (nom == "EXPOSANT") {
            s.Decalage(Active(argument) ? 1 : 0);
        } else if (nom == "HORIZONTALALIGNEGAUCHE") {
            s.Alignement(Alignement::Gauche);
        } else if (nom == "HORIZONTALALIGNEDROITE") {
            s.Alignement(Alignement::Droite);
        } else if (nom == "HORIZONTALALIGNECENTRE") {
            s.Alignement(Alignement::Centre);
        }
    }
    return s.Fin();
}

}  // namespace korv::rtf
