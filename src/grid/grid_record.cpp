#include "grid/grid_record.h"

#include <stdexcept>
#include <string>

#include "platform/binary_reader.h"
#include "platform/binary_writer.h"

namespace korv::grid {

namespace {

using formula::EcritExpressionEnregistrement;
using formula::LitExpressionEnregistrement;

// Sizes of the quick record's fixed entries, used to refuse counts that the
// rest of the file cannot hold.
constexpr std::size_t kColonneRapide = 24;
constexpr std::size_t kLigneRapide = 22;
constexpr std::size_t kMinTexteRapide = 4;
constexpr std::size_t kMinResultatRapide = 5;
constexpr std::size_t kMinReduit = 11;
constexpr std::size_t kMinComplet = 23;
constexpr std::size_t kPartiel = 11;
constexpr std::int16_t kMaxPosition = 255;

void LitImpression(BinaryReader& in, ImpressionAttributFichier& a) {
    for (auto& v : a) v = in.i16();
}

void EcritImpression(BinaryWriter& out, const ImpressionAttributFichier& a) {
    for (auto v : a) out.i16(v);
}

// Column then row records: the same fields in both forms. The counts are
// checked against what remains before anything is sized.
void LitColonnesEtLignes(BinaryReader& in, GrilleEnregistrement& g) {
    in.checkedCount(static_cast<std::int64_t>(g.colonneNb) * kColonneRapide + g.ligneNb * kLigneRapide, 1,
                    INT32_MAX, "octets de colonnes et de lignes");
    g.colonnes.resize(g.colonneNb);
    for (auto& c : g.colonnes) {
        c.taille = in.i16();
        c.pliee = in.i16();
        c.verrou = in.i16();
        // A column lock is a displayed position, 0 when the column scrolls.
        if (c.verrou < 0 || c.verrou > kMaxPosition) in.fail("verrou de colonne hors de 0..255");
        c.marqueTri = in.i16();
        LitImpression(in, c.impression);
    }
    g.lignes.resize(g.ligneNb);
    for (auto& l : g.lignes) {
        l.taille = in.i16();
        l.pliee = in.i16();
        l.verrou = in.i16();
        // A row lock counts positions from the top, or from the bottom when negative.
        if (l.verrou < -kMaxPosition || l.verrou > kMaxPosition) in.fail("verrou de ligne hors de -255..255");
        LitImpression(in, l.impression);
    }
}

void EcritColonnesEtLignes(BinaryWriter& out, const GrilleEnregistrement& g) {
    if (g.colonnes.size() != g.colonneNb || g.lignes.size() != g.ligneNb) {
        throw std::invalid_argument("nombre de colonnes ou de lignes incohérent");
    }
    for (const auto& c : g.colonnes) {
        out.i16(c.taille);
        out.i16(c.pliee);
        out.i16(c.verrou);
        out.i16(c.marqueTri);
        EcritImpression(out, c.impression);
    }
    for (const auto& l : g.lignes) {
        out.i16(l.taille);
        out.i16(l.pliee);
        out.i16(l.verrou);
        EcritImpression(out, l.impression);
    }
}

void LitTaille(BinaryReader& in, GrilleEnregistrement& g) {
    g.colonneNb = in.u8();
    g.ligneNb = in.u8();
}

[[noreturn, gnu::cold]] void CaseHorsGrille(const BinaryReader& in, std::uint8_t c, std::uint8_t l) {
    in.fail("case (" + std::to_string(c) + ", " + std::to_string(l) + ") hors de la grille");
}

// A cell address read from the file must lie inside the grid.
inline void VerifieCase(const BinaryReader& in, const GrilleEnregistrement& g, std::uint8_t c,
                        std::uint8_t l) {
    if (c < 1 || c > g.colonneNb || l < 1 || l > g.ligneNb) [[unlikely]] CaseHorsGrille(in, c, l);
}

bool CommenceParEgal(const std::string& s) { return !s.empty() && s.front() == '='; }

std::int32_t Compte32(std::size_t n) {
    if (n > 0x7FFFFFFF) throw std::invalid_argument("trop d'entrées dans une grille");
    return static_cast<std::int32_t>(n);
}

void VerifieCaseEcrite(const GrilleEnregistrement& g, std::uint8_t c, std::uint8_t l) {
    if (c < 1 || c > g.colonneNb || l < 1 || l > g.ligneNb) {
        throw std::invalid_argument("case (" + std::to_string(c) + ", " + std::to_string(l) +
                                    ") hors de la grille");
    }
}

void EcritComplete(BinaryWriter& out, const GrilleEnregistrement& g) {
    out.u8(g.colonneNb);
    out.u8(g.ligneNb);
    out.i16(g.reserve);
    out.u8(g.decalageColonne);
    out.u8(g.decalageLigne);
    out.i16(g.lignesBasColleesEnBas);
    EcritColonnesEtLignes(out, g);
    for (const auto& t : g.textes) {
        VerifieCaseEcrite(g, t.colonne, t.ligne);
        if (CommenceParEgal(t.contenu) != t.formule.has_value()) {
            throw std::invalid_argument("une formule accompagne exactement un texte commençant par =");
        }
        out.u8(t.colonne);
        out.u8(t.ligne);
        out.fileString(t.contenu);
        if (t.formule) EcritExpressionEnregistrement(out, *t.formule);
    }
    out.u8(0);
    for (const auto& r : g.resultats) {
        VerifieCaseEcrite(g, r.colonne, r.ligne);
        out.u8(r.colonne);
        out.u8(r.ligne);
        out.u8(r.type);
        out.fileString(r.valeur);
    }
    out.u8(0);
    for (const auto& a : g.attributs) {
        VerifieCaseEcrite(g, a.colonne, a.ligne);
        if (a.genre != GenreAttribut::Complet) {
            throw std::invalid_argument("le format complet n'a que des attributs complets");
        }
        out.u8(a.colonne);
        out.u8(a.ligne);
        out.i16(a.editable);
        out.u8(a.typeAffichage);
        out.fileString(a.script);
        out.fileString(a.fichier);
        out.i32(a.couleurFond);
        out.i32(a.couleurTexte);
        out.fileString(a.nom);
        out.i16(a.sousFormat);
        out.u8(a.invisible);
        out.fileString(a.bulle);
        out.u8(a.invalidation);
        out.u8(a.fusion);
    }
    out.u8(0);
}

void EcritRapide(BinaryWriter& out, const GrilleEnregistrement& g) {
    out.u8(g.colonneNb);
    out.u8(g.ligneNb);
    out.u8(g.decalageColonne);
    out.u8(g.decalageLigne);
    if (g.lignesBasColleesEnBas < 0 || g.lignesBasColleesEnBas > 255) {
        throw std::invalid_argument("drapeau des lignes du bas hors d'un octet");
    }
    out.u8(static_cast<std::uint8_t>(g.lignesBasColleesEnBas));
    if (g.reduit) {
        if (!g.colonnes.empty() || !g.lignes.empty()) {
            throw std::invalid_argument("une grille réduite n'a pas de colonnes ni de lignes stockées");
        }
    } else {
        EcritColonnesEtLignes(out, g);
    }
    out.i32(Compte32(g.textes.size()));
    for (const auto& t : g.textes) {
        VerifieCaseEcrite(g, t.colonne, t.ligne);
        if (t.formule) throw std::invalid_argument("le format rapide ne porte pas de formule");
        out.u8(t.colonne);
        out.u8(t.ligne);
        out.shortString(t.contenu);
    }
    out.i32(Compte32(g.resultats.size()));
    for (const auto& r : g.resultats) {
        VerifieCaseEcrite(g, r.colonne, r.ligne);
        out.u8(r.colonne);
        out.u8(r.ligne);
        out.u8(r.type);
        out.shortString(r.valeur);
    }
    auto octetEditable = [](std::int16_t v) {
        if (v < 0 || v > 255) {
            // A quick record stores the flag in one byte; -1 (true) becomes 255.
            return static_cast<std::uint8_t>(v == -1 ? 255 : 1);
        }
        return static_cast<std::uint8_t>(v);
    };
    if (g.reduit) {
        out.i32(Compte32(g.attributs.size()));
        for (const auto& a : g.attributs) {
            VerifieCaseEcrite(g, a.colonne, a.ligne);
            if (a.genre != GenreAttribut::Reduit) {
                throw std::invalid_argument("une grille réduite n'a que des attributs réduits");
            }
            out.u8(a.colonne);
            out.u8(a.ligne);
            out.u8(a.typeAffichage);
            out.i32(a.couleurFond);
            out.i16(a.sousFormat);
            out.shortString(a.nom);
        }
        return;
    }
    std::size_t complets = 0;
    std::size_t partiels = 0;
    for (const auto& a : g.attributs) {
        if (a.genre == GenreAttribut::Reduit) {
            throw std::invalid_argument("attribut réduit dans une grille non réduite");
        }
        if (a.genre == GenreAttribut::Complet) {
            if (partiels > 0) throw std::invalid_argument("les attributs complets précèdent les partiels");
            ++complets;
        } else {
            ++partiels;
        }
    }
    out.i32(Compte32(complets));
    for (const auto& a : g.attributs) {
        if (a.genre != GenreAttribut::Complet) continue;
        VerifieCaseEcrite(g, a.colonne, a.ligne);
        out.u8(a.colonne);
        out.u8(a.ligne);
        out.u8(octetEditable(a.editable));
        out.u8(a.typeAffichage);
        out.i32(a.couleurFond);
        out.i32(a.couleurTexte);
        out.u8(a.invalidation);
        out.shortString(a.script);
        out.shortString(a.fichier);
        out.shortString(a.nom);
        out.i16(a.sousFormat);
        out.u8(a.invisible);
        out.shortString(a.bulle);
        out.u8(a.fusion);
    }
    out.i32(Compte32(partiels));
    for (const auto& a : g.attributs) {
        if (a.genre != GenreAttribut::Partiel) continue;
        VerifieCaseEcrite(g, a.colonne, a.ligne);
        out.u8(a.colonne);
        out.u8(a.ligne);
        out.u8(octetEditable(a.editable));
        out.u8(a.typeAffichage);
        out.i32(a.couleurFond);
        out.u8(a.invalidation);
        out.i16(a.sousFormat);
    }
}

}  // namespace

GrilleEnregistrement LitGrilleComplete(BinaryReader& in) {
    GrilleEnregistrement g;
    g.forme = FormeGrille::Complete;
    LitTaille(in, g);
    g.reserve = in.i16();
    g.decalageColonne = in.u8();
    g.decalageLigne = in.u8();
    g.lignesBasColleesEnBas = in.i16();
    LitColonnesEtLignes(in, g);
    // Each list ends at a column byte 0. A cell can appear several times in a
    // file; the lists are bounded by the file itself.
    for (std::uint8_t c = in.u8(); c != 0; c = in.u8()) {
        TexteCaseFichier t;
        t.colonne = c;
        t.ligne = in.u8();
        VerifieCase(in, g, t.colonne, t.ligne);
        t.contenu = in.fileString();
        if (CommenceParEgal(t.contenu)) t.formule = LitExpressionEnregistrement(in);
        g.textes.push_back(std::move(t));
    }
    for (std::uint8_t c = in.u8(); c != 0; c = in.u8()) {
        ResultatCaseFichier r;
        r.colonne = c;
        r.ligne = in.u8();
        VerifieCase(in, g, r.colonne, r.ligne);
        r.type = in.u8();
        r.valeur = in.fileString();
        g.resultats.push_back(std::move(r));
    }
    for (std::uint8_t c = in.u8(); c != 0; c = in.u8()) {
        AttributCaseFichier a;
        a.genre = GenreAttribut::Complet;
        a.colonne = c;
        a.ligne = in.u8();
        VerifieCase(in, g, a.colonne, a.ligne);
        a.editable = in.i16();
        a.typeAffichage = in.u8();
        a.script = in.fileString();
        a.fichier = in.fileString();
        a.couleurFond = in.i32();
        a.couleurTexte = in.i32();
        a.nom = in.fileString();
        a.sousFormat = in.i16();
        a.invisible = in.u8();
        a.bulle = in.fileString();
        a.invalidation = in.u8();
        a.fusion = in.u8();
        g.attributs.push_back(std::move(a));
    }
    return g;
}

GrilleEnregistrement LitGrilleRapide(BinaryReader& in, bool reduit) {
    GrilleEnregistrement g;
    g.forme = FormeGrille::Rapide;
    g.reduit = reduit;
    LitTaille(in, g);
    g.decalageColonne = in.u8();
    g.decalageLigne = in.u8();
    g.lignesBasColleesEnBas = in.u8();
    if (!reduit) {
        LitColonnesEtLignes(in, g);
    }
    // A count of 0 or less reads nothing more for its block.
    auto compte = [&in](std::size_t taille, const char* quoi) {
        const std::int32_t n = in.i32();
        return n <= 0 ? 0 : in.checkedCount(n, taille, INT32_MAX, quoi);
    };
    const auto nTextes = compte(kMinTexteRapide, "textes de cases");
    g.textes.reserve(static_cast<std::size_t>(nTextes));
    // The entries are built in their reserved places: a grid has hundreds.
    for (int i = 0; i < nTextes; ++i) {
        TexteCaseFichier& t = g.textes.emplace_back();
        t.colonne = in.u8();
        t.ligne = in.u8();
        VerifieCase(in, g, t.colonne, t.ligne);
        t.contenu.append(in.shortStringView());
    }
    const auto nResultats = compte(kMinResultatRapide, "résultats de cases");
    g.resultats.reserve(static_cast<std::size_t>(nResultats));
    for (int i = 0; i < nResultats; ++i) {
        ResultatCaseFichier& r = g.resultats.emplace_back();
        r.colonne = in.u8();
        r.ligne = in.u8();
        VerifieCase(in, g, r.colonne, r.ligne);
        r.type = in.u8();
        r.valeur.append(in.shortStringView());
    }
    if (reduit) {
        const auto n = compte(kMinReduit, "attributs de cases");
        for (int i = 0; i < n; ++i) {
            AttributCaseFichier a;
            a.genre = GenreAttribut::Reduit;
            a.colonne = in.u8();
            a.ligne = in.u8();
            VerifieCase(in, g, a.colonne, a.ligne);
            a.typeAffichage = in.u8();
            a.couleurFond = in.i32();
            a.sousFormat = in.i16();
            a.nom = in.shortString();
            g.attributs.push_back(std::move(a));
        }
        return g;
    }
    const auto nComplets = compte(kMinComplet, "attributs de cases");
    for (int i = 0; i < nComplets; ++i) {
        AttributCaseFichier a;
        a.genre = GenreAttribut::Complet;
        a.colonne = in.u8();
        a.ligne = in.u8();
        VerifieCase(in, g, a.colonne, a.ligne);
        a.editable = in.u8();
        a.typeAffichage = in.u8();
        a.couleurFond = in.i32();
        a.couleurTexte = in.i32();
        a.invalidation = in.u8();
        a.script = in.shortString();
        a.fichier = in.shortString();
        a.nom = in.shortString();
        a.sousFormat = in.i16();
        a.invisible = in.u8();
        a.bulle = in.shortString();
        a.fusion = in.u8();
        g.attributs.push_back(std::move(a));
    }
    const auto nPartiels = compte(kPartiel, "attributs partiels de cases");
    for (int i = 0; i < nPartiels; ++i) {
        AttributCaseFichier a;
        a.genre = GenreAttribut::Partiel;
        a.colonne = in.u8();
        a.ligne = in.u8();
        VerifieCase(in, g, a.colonne, a.ligne);
        a.editable = in.u8();
        a.typeAffichage = in.u8();
        a.couleurFond = in.i32();
        a.invalidation = in.u8();
        a.sousFormat = in.i16();
        g.attributs.push_back(std::move(a));
    }
    return g;
}

void EcritGrille(BinaryWriter& out, const GrilleEnregistrement& g) {
    if (g.forme == FormeGrille::Complete) {
        EcritComplete(out, g);
    } else {
        EcritRapide(out, g);
    }
}

void VerifieFormulesBloc(const BinaryReader& in, const GrilleEnregistrement& g,
                         std::span<const formula::ExpressionUDT> formules) {
    for (const auto& f : formules) VerifieCase(in, g, f.colonne, f.ligne);
}

std::size_t NombreCasesFormule(const GrilleEnregistrement& g) {
    std::size_t n = 0;
    for (const auto& t : g.textes) n += CommenceParEgal(t.contenu) ? 1 : 0;
    return n;
}

}  // namespace korv::grid
