#include "dump.h"

#include <sstream>

#include "platform/cp1252.h"

namespace korv::scenetool {

namespace {

using engine::ObjetPage;

const char* NomGenre(std::uint8_t t) {
    switch (t) {
    case 1: return "fond";
    case 2: return "image";
    case 3: return "bouton";
    case 4: return "texte";
    case 5: return "video";
    case 6: return "son";
    case 7: return "chrono";
    case 8: return "polyligne";
    case 9: return "action";
    case 10: return "sprite";
    case 12: return "tableau";
    case 13: return "rtf";
    case 14: return "graphique";
    default: return nullptr;
    }
}

// Quoted UTF-8 with the control bytes escaped, so a listing stays on its lines.
std::string Cite(const std::string& s) {
    std::string out = "\"";
    for (char c : platform::Cp1252VersUtf8(s)) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (u < 0x20) {
            static const char hex[] = "0123456789ABCDEF";
            out += "\\x";
            out += hex[u >> 4];
            out += hex[u & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

class Listeur {
public:
    std::string Texte() const { return out_.str(); }

    void Entete(const engine::EnteteScene& h) {
        out_ << "scene pages=" << h.pageNb << " width=" << h.pageLargeur << " height=" << h.pageHauteur
             << " esc=" << h.modeEsc << " compiled=" << h.pagesCompilees
             << " layout=" << int(h.octetDisposition) << " palette=" << Cite(h.fichierPalette) << "\n";
        for (const auto& l : h.langues) out_ << "language " << Cite(l) << "\n";
        if (!h.programmeDemarrage.empty()) out_ << "start " << Cite(h.programmeDemarrage) << "\n";
    }

    void Page(int n, const engine::PageScene& p) {
        out_ << "page " << n << " " << Cite(p.objets.empty() ? std::string() : p.objets.front().nom)
             << " objects=" << p.objets.size() << "\n";
        int i = 0;
        for (const auto& o : p.objets) Objet(++i, o);
    }

private:
    template <typename T>
    void SiNonNul(const char* nom, T v) {
        if (v != T{}) out_ << " " << nom << "=" << static_cast<long long>(v);
    }

    void Objet(int n, const ObjetPage& o) {
        out_ << "  object " << n << " kind=";
        if (const char* g = NomGenre(o.type)) out_ << g;
        else out_ << int(o.type);
        out_ << " rect=" << o.gauche << "," << o.haut << "," << o.largeur << "," << o.hauteur
             << " name=" << Cite(o.nom) << " file=" << Cite(o.fichier) << " text=" << Cite(o.texte) << "\n";
        out_ << "   ";
        const std::pair<const char*, long long> communs[] = {
            {"A1", o.A1}, {"A2", o.A2}, {"A3", o.A3}, {"A4", o.A4}, {"B3", o.B3}, {"C1", o.C1},
            {"C2", o.C2}, {"C3", o.C3}, {"D1", o.D1}, {"D2", o.D2}, {"E1", o.E1}, {"F1", o.F1},
            {"G1", o.G[0]}, {"G2", o.G[1]}, {"G3", o.G[2]}, {"G4", o.G[3]}, {"H1", o.H1},
            {"H2", o.H2}, {"H3", o.H3}, {"gridflag", o.drapeauGrille}, {"I2", o.I2}, {"clip", o.decoupe},
        };
        for (const auto& [nom, v] : communs) out_ << " " << nom << "=" << v;
        // Fields of one form only.
        SiNonNul("B1", o.B1);
        SiNonNul("B2", o.B2);
        SiNonNul("E2", o.E2);
        SiNonNul("G5", o.G[4]);
        SiNonNul("G6", o.G[5]);
        SiNonNul("I1", o.I1);
        SiNonNul("J1", o.J1);
        SiNonNul("K2", o.K2);
        SiNonNul("K3", o.K3);
        out_ << "\n";
        for (const auto& e : o.elements) {
            out_ << "    element page=" << e.PageCible << " object=" << e.ObjetCible << " param=" << e.Parametre
                 << " value=" << Cite(e.Valeur) << " text=" << Cite(e.Texte) << " events=" << e.Evenements << "\n";
        }
        if (!o.chemin.points.empty()) {
            out_ << "    path closed=" << o.chemin.fermee << " total=" << o.chemin.longueurTotale << " points=";
            for (std::size_t i = 0; i < o.chemin.points.size(); ++i) {
                out_ << (i ? ";" : "") << o.chemin.points[i].x << "," << o.chemin.points[i].y;
            }
            out_ << "\n";
        }
        if (o.grille) Grille(o);
    }

    void Grille(const ObjetPage& o) {
        const auto& g = *o.grille;
        const std::size_t formules = g.forme == grid::FormeGrille::Complete ? grid::NombreCasesFormule(g) : o.formules.size();
        out_ << "    grid cols=" << int(g.colonneNb) << " rows=" << int(g.ligneNb) << " texts=" << g.textes.size()
             << " results=" << g.resultats.size() << " attributes=" << g.attributs.size()
             << " formulas=" << formules << "\n";
        for (const auto& t : g.textes) {
            out_ << "      cell " << int(t.colonne) << "," << int(t.ligne) << " " << Cite(t.contenu) << "\n";
        }
    }

    std::ostringstream out_;
};

}  // namespace

std::string DumpScene(const engine::Scene& scene) {
    Listeur l;
    l.Entete(scene.entete);
    for (int i = 1; i <= scene.PageNb(); ++i) l.Page(i, scene.Page(i));
    return l.Texte();
}

}  // namespace korv::scenetool
