#include "engine/scene_fichier.h"

#include <stdexcept>
#include <string>

#include "platform/binary_reader.h"
#include "platform/binary_writer.h"

namespace korv::engine {

namespace {

using grid::FormeGrille;

constexpr std::size_t kMinElementChamps = 6 + 4 + 4 + 4;
constexpr std::size_t kMinElementBloc = 6 + 2 + 2 + 4;
constexpr std::size_t kMinPage = 2 + 2 + 2 + 2 + 2;
constexpr std::size_t kMinObjetChamps = 60;
constexpr std::size_t kMinObjetBloc = 60;
constexpr std::size_t kMinChaineCourte = 2;
constexpr std::size_t kMinFormuleBloc = 12;

// ---------------------------------------------------------------- reading

Polyligne LitPolyligne(BinaryReader& in) {
    Polyligne p;
    const std::int16_t nb = in.i16();
    const ArrayShape points = in.arrayShape(4);
    if (nb != points.count) in.fail("nombre de points de polyligne incohérent");
    p.points.resize(static_cast<std::size_t>(points.count));
    for (auto& pt : p.points) {
        pt.x = in.i16();
        pt.y = in.i16();
    }
    const ArrayShape longueurs = in.arrayShape(2);
    if (longueurs.count != points.count) in.fail("longueurs de polyligne incohérentes");
    p.longueurs.resize(static_cast<std::size_t>(longueurs.count));
    for (auto& l : p.longueurs) l = in.i16();
    p.longueurTotale = in.f64();
    p.fermee = in.i16();
    return p;
}

// An element; the two forms differ only in how its strings are stored.
ObjetPageElement LitElement(BinaryReader& in, std::string (BinaryReader::*chaine)()) {
    ObjetPageElement e;
    e.PageCible = in.i16();
    e.ObjetCible = in.i16();
    e.Parametre = in.i16();
    e.Valeur = (in.*chaine)();
    e.Texte = (in.*chaine)();
    e.Evenements = in.i32();
    return e;
}

void LitRectangle(BinaryReader& in, ObjetPage& o) {
    o.gauche = in.i16();
    o.haut = in.i16();
    o.largeur = in.i16();
    o.hauteur = in.i16();
}

// `ObjetLitChampParChamp`, with the complete grid record of a kind-12 object.
ObjetPage LitObjetChampParChamp(BinaryReader& in) {
    ObjetPage o;
    o.type = in.u8();
    LitRectangle(in, o);
    o.A1 = in.i16();
    o.A2 = in.i16();
    o.A3 = in.i16();
    o.A4 = in.i16();
    o.B1 = in.u8();
    o.B2 = in.i16();
    o.B3 = in.i16();
    const auto nb = in.checkedCount(in.i16(), kMinElementChamps, 32767, "éléments d'objet");
    o.elements.reserve(static_cast<std::size_t>(nb));
    for (int i = 0; i < nb; ++i) o.elements.push_back(LitElement(in, &BinaryReader::fileString));
    o.C1 = in.i16();
    o.C2 = in.i16();
    o.C3 = in.i16();
    o.D1 = in.i32();
    o.D2 = in.i32();
    o.E1 = in.i16();
    o.E2 = in.i16();
    o.F1 = in.u8();
    for (auto& g : o.G) g = in.i16();
    o.H1 = in.u8();
    o.H2 = in.u8();
    o.H3 = in.u8();
    o.drapeauGrille = in.i16();
    o.I1 = in.i16();
    o.I2 = in.i16();
    o.nom = in.fileString();
    o.chemin = LitPolyligne(in);
    o.J1 = in.u8();
    o.fichier = in.fileString();
    o.texte = in.fileString();
    o.decoupe = in.u8();
    o.K1[0] = in.u8();
    o.K1[1] = in.u8();
    o.K2 = in.u8();
    o.K3 = in.i16();
    if (o.Type() == TypeObjet::Tableau) o.grille = grid::LitGrilleComplete(in);
    return o;
}

// One `ObjetPagePlat` record of the block form.
ObjetPage LitObjetPlat(BinaryReader& in) {
    ObjetPage o;
    for (auto& b : o.enteteBloc) b = in.u8();
    o.type = in.u8();
    LitRectangle(in, o);
    o.gaucheInitial = in.i16();
    o.hautInitial = in.i16();
    o.largeurInitial = in.i16();
    o.hauteurInitial = in.i16();
    o.A1 = in.i16();
    o.A2 = in.i16();
    o.A1Initial = in.i16();
    o.A2Initial = in.i16();
    o.A3 = in.i16();
    o.A4 = in.i16();
    o.B3 = in.i16();
    const std::int16_t nb = in.i16();
    const ArrayShape elements = in.arrayShape(kMinElementBloc);
    if (nb != elements.count) in.fail("nombre d'éléments d'objet incohérent");
    o.elements.reserve(static_cast<std::size_t>(elements.count));
    for (int i = 0; i < elements.count; ++i) o.elements.push_back(LitElement(in, &BinaryReader::shortString));
    o.C1 = in.i16();
    o.C2 = in.i16();
    o.C3 = in.i16();
    o.D1 = in.i32();
    o.D2 = in.i32();
    o.E1 = in.i16();
    o.F1 = in.u8();
    for (std::size_t i = 0; i < 4; ++i) o.G[i] = in.i16();
    o.H1 = in.u8();
    o.H2 = in.u8();
    o.H3 = in.u8();
    o.drapeauGrille = in.i16();
    o.I2 = in.i16();
    o.nom = in.shortString();
    o.chemin = LitPolyligne(in);
    o.cheminSecond = LitPolyligne(in);
    o.fichier = in.shortString();
    o.texte = in.shortString();
    o.decoupe = in.u8();
    return o;
}

// `ObjetsLitEnBloc`: the flat records, then the quick grid records in object
// order, then the page's formula block.
void LitObjetsEnBloc(BinaryReader& in, PageScene& page, int nb) {
    page.objets.reserve(static_cast<std::size_t>(nb));
    for (int i = 0; i < nb; ++i) page.objets.push_back(LitObjetPlat(in));
    for (auto& o : page.objets) {
        if (o.Type() == TypeObjet::Tableau) o.grille = grid::LitGrilleRapide(in, o.drapeauGrille == -1);
    }
    const std::int32_t m = in.i32();
    if (m < 0) in.fail("nombre de formules négatif");
    if (m == 0) return;
    in.checkedCount(m, kMinFormuleBloc, INT32_MAX, "formules");
    // Cumulative counts L(0 .. nb): the formulas of object i are
    // L(i-1)+1 .. L(i). They must start at 0, never go down and end at M.
    in.checkedCount(nb + 1, 4, INT32_MAX, "bornes de formules");
    std::vector<std::int32_t> bornes(static_cast<std::size_t>(nb) + 1);
    for (auto& b : bornes) b = in.i32();
    if (bornes.front() != 0 || bornes.back() != m) in.fail("bornes de formules incohérentes");
    for (std::size_t i = 1; i < bornes.size(); ++i) {
        if (bornes[i] < bornes[i - 1]) in.fail("bornes de formules décroissantes");
    }
    // Each object's formulas are read straight into its list (the block is
    // in object order); the cells they name are checked once all are read.
    for (std::size_t i = 0; i < page.objets.size(); ++i) {
        auto& formules = page.objets[i].formules;
        const std::int32_t n = bornes[i + 1] - bornes[i];
        formules.reserve(static_cast<std::size_t>(n));
        for (std::int32_t k = 0; k < n; ++k) formula::LitExpressionUDTDans(in, formules.emplace_back());
    }
    for (auto& o : page.objets) {
        if (o.grille) grid::VerifieFormulesBloc(in, *o.grille, o.formules);
    }
}

PageScene LitPage(BinaryReader& in, FormeObjets forme) {
    PageScene p;
    const std::int16_t nb = in.i16();
    const auto min = forme == FormeObjets::Bloc ? kMinObjetBloc : kMinObjetChamps;
    in.checkedCount(nb, min, 32767, "objets");
    p.sousEnregistrementMot = in.i16();
    const ArrayShape sous = in.arrayShape(2);
    p.sousEnregistrementTableau.resize(static_cast<std::size_t>(sous.count));
    for (auto& v : p.sousEnregistrementTableau) v = in.i16();
    p.entier1 = in.i16();
    p.entier2 = in.i16();
    if (forme == FormeObjets::Bloc) {
        LitObjetsEnBloc(in, p, nb);
    } else {
        p.objets.reserve(static_cast<std::size_t>(nb));
        for (int i = 0; i < nb; ++i) p.objets.push_back(LitObjetChampParChamp(in));
    }
    return p;
}

EnteteScene LitEntete(BinaryReader& in) {
    EnteteScene h;
    h.version = in.i32();
    h.pageNb = in.i16();
    in.checkedCount(h.pageNb, kMinPage, 32767, "pages");
    h.pageLargeur = in.i16();
    h.pageHauteur = in.i16();
    h.langueNb = in.i16();
    h.reserve1 = in.i16();
    h.pagesCompilees = in.i16();
    h.reserve2 = in.i32();
    h.modeEsc = in.i16();
    h.programmeDemarrage = in.shortString();
    for (auto& b : h.reserve3) b = in.u8();
    const ArrayShape langues = in.arrayShape(kMinChaineCourte);
    if (langues.count != h.langueNb) in.fail("nombre de langues incohérent");
    h.langues.reserve(static_cast<std::size_t>(langues.count));
    for (int i = 0; i < langues.count; ++i) h.langues.push_back(in.shortString());
    const ArrayShape reserve = in.arrayShape(2);
    h.reserve4.resize(static_cast<std::size_t>(reserve.count));
    for (auto& v : h.reserve4) v = in.i16();
    h.repertoireScene = in.shortString();
    h.cheminScene = in.shortString();
    for (auto& c : h.couleursPerso) c = in.i32();
    h.octetDisposition = in.u8();
    for (auto& b : h.reserve5) b = in.u8();
    h.fichierPalette = in.shortString();
    return h;
}

// ---------------------------------------------------------------- writing

std::int16_t Compte16(std::size_t n, const char* quoi) {
    if (n > 32767) throw std::invalid_argument(std::string("trop de ") + quoi);
    return static_cast<std::int16_t>(n);
}

void EcritPolyligne(BinaryWriter& out, const Polyligne& p) {
    if (p.longueurs.size() != p.points.size()) {
        throw std::invalid_argument("une polyligne a une longueur par point");
    }
    out.i16(Compte16(p.points.size(), "points"));
    out.arrayShape(p.points.size());
    for (const auto& pt : p.points) {
        out.i16(pt.x);
        out.i16(pt.y);
    }
    out.arrayShape(p.longueurs.size());
    for (auto l : p.longueurs) out.i16(l);
    out.f64(p.longueurTotale);
    out.i16(p.fermee);
}

void EcritElement(BinaryWriter& out, const ObjetPageElement& e, void (BinaryWriter::*chaine)(std::string_view)) {
    out.i16(e.PageCible);
    out.i16(e.ObjetCible);
    out.i16(e.Parametre);
    (out.*chaine)(e.Valeur);
    (out.*chaine)(e.Texte);
    out.i32(e.Evenements);
}

void EcritRectangle(BinaryWriter& out, const ObjetPage& o) {
    out.i16(o.gauche);
    out.i16(o.haut);
    out.i16(o.largeur);
    out.i16(o.hauteur);
}

void VerifieGrille(const ObjetPage& o, FormeGrille attendue) {
    const bool tableau = o.Type() == TypeObjet::Tableau;
    if (tableau != o.grille.has_value()) {
        throw std::invalid_argument("objet « " + o.nom + " » : une grille va avec un objet Tableau");
    }
    if (o.grille && o.grille->forme != attendue) {
        throw std::invalid_argument("objet « " + o.nom + " » : grille de l'autre format");
    }
}

void EcritObjetChampParChamp(BinaryWriter& out, const ObjetPage& o) {
    VerifieGrille(o, FormeGrille::Complete);
    if (!o.formules.empty()) {
        throw std::invalid_argument("objet « " + o.nom + " » : le format champ par champ n'a pas de bloc de formules");
    }
    out.u8(o.type);
    EcritRectangle(out, o);
    out.i16(o.A1);
    out.i16(o.A2);
    out.i16(o.A3);
    out.i16(o.A4);
    out.u8(o.B1);
    out.i16(o.B2);
    out.i16(o.B3);
    out.i16(Compte16(o.elements.size(), "éléments"));
    for (const auto& e : o.elements) EcritElement(out, e, &BinaryWriter::fileString);
    out.i16(o.C1);
    out.i16(o.C2);
    out.i16(o.C3);
    out.i32(o.D1);
    out.i32(o.D2);
    out.i16(o.E1);
    out.i16(o.E2);
    out.u8(o.F1);
    for (auto g : o.G) out.i16(g);
    out.u8(o.H1);
    out.u8(o.H2);
    out.u8(o.H3);
    out.i16(o.drapeauGrille);
    out.i16(o.I1);
    out.i16(o.I2);
    out.fileString(o.nom);
    EcritPolyligne(out, o.chemin);
    out.u8(o.J1);
    out.fileString(o.fichier);
    out.fileString(o.texte);
    out.u8(o.decoupe);
    out.u8(o.K1[0]);
    out.u8(o.K1[1]);
    out.u8(o.K2);
    out.i16(o.K3);
    if (o.grille) grid::EcritGrille(out, *o.grille);
}

void EcritObjetPlat(BinaryWriter& out, const ObjetPage& o) {
    for (auto b : o.enteteBloc) out.u8(b);
    out.u8(o.type);
    EcritRectangle(out, o);
    out.i16(o.gaucheInitial);
    out.i16(o.hautInitial);
    out.i16(o.largeurInitial);
    out.i16(o.hauteurInitial);
    out.i16(o.A1);
    out.i16(o.A2);
    out.i16(o.A1Initial);
    out.i16(o.A2Initial);
    out.i16(o.A3);
    out.i16(o.A4);
    out.i16(o.B3);
    out.i16(Compte16(o.elements.size(), "éléments"));
    out.arrayShape(o.elements.size());
    for (const auto& e : o.elements) EcritElement(out, e, &BinaryWriter::shortString);
    out.i16(o.C1);
    out.i16(o.C2);
    out.i16(o.C3);
    out.i32(o.D1);
    out.i32(o.D2);
    out.i16(o.E1);
    out.u8(o.F1);
    for (std::size_t i = 0; i < 4; ++i) out.i16(o.G[i]);
    out.u8(o.H1);
    out.u8(o.H2);
    out.u8(o.H3);
    out.i16(o.drapeauGrille);
    out.i16(o.I2);
    out.shortString(o.nom);
    EcritPolyligne(out, o.chemin);
    EcritPolyligne(out, o.cheminSecond);
    out.shortString(o.fichier);
    out.shortString(o.texte);
    out.u8(o.decoupe);
}

void EcritObjetsEnBloc(BinaryWriter& out, const PageScene& p) {
    for (const auto& o : p.objets) {
        VerifieGrille(o, FormeGrille::Rapide);
        if (o.grille && o.grille->reduit != (o.drapeauGrille == -1)) {
            throw std::invalid_argument("objet « " + o.nom + " » : drapeau de grille et grille réduite incohérents");
        }
        EcritObjetPlat(out, o);
    }
    for (const auto& o : p.objets) {
        if (o.grille) grid::EcritGrille(out, *o.grille);
    }
    std::int64_t m = 0;
    for (const auto& o : p.objets) m += static_cast<std::int64_t>(o.formules.size());
    if (m > INT32_MAX) throw std::invalid_argument("trop de formules");
    out.i32(static_cast<std::int32_t>(m));
    if (m == 0) return;
    std::int32_t cumul = 0;
    out.i32(0);
    for (const auto& o : p.objets) {
        cumul += static_cast<std::int32_t>(o.formules.size());
        out.i32(cumul);
    }
    for (const auto& o : p.objets) {
        for (const auto& f : o.formules) formula::EcritExpressionUDT(out, f);
    }
}

void EcritEntete(BinaryWriter& out, const EnteteScene& h, std::size_t pageNb) {
    if (static_cast<std::size_t>(h.pageNb) != pageNb || h.pageNb < 0) {
        throw std::invalid_argument("le nombre de pages de l'en-tête ne correspond pas aux pages");
    }
    if (static_cast<std::size_t>(h.langueNb) != h.langues.size() || h.langueNb < 0) {
        throw std::invalid_argument("le nombre de langues de l'en-tête ne correspond pas à la liste");
    }
    out.i32(h.version);
    out.i16(h.pageNb);
    out.i16(h.pageLargeur);
    out.i16(h.pageHauteur);
    out.i16(h.langueNb);
    out.i16(h.reserve1);
    out.i16(h.pagesCompilees);
    out.i32(h.reserve2);
    out.i16(h.modeEsc);
    out.shortString(h.programmeDemarrage);
    for (auto b : h.reserve3) out.u8(b);
    out.arrayShape(h.langues.size());
    for (const auto& l : h.langues) out.shortString(l);
    out.arrayShape(h.reserve4.size());
    for (auto v : h.reserve4) out.i16(v);
    out.shortString(h.repertoireScene);
    out.shortString(h.cheminScene);
    for (auto c : h.couleursPerso) out.i32(c);
    out.u8(h.octetDisposition);
    for (auto b : h.reserve5) out.u8(b);
    out.shortString(h.fichierPalette);
}

}  // namespace

FormeObjets FormePourVersion(std::int32_t version) {
    return version == kVersionChamps ? FormeObjets::ChampParChamp : FormeObjets::Bloc;
}

Scene LitScene(std::span<const std::uint8_t> octets, const OptionsLecture& options) {
    BinaryReader in(octets);
    try {
        if (in.remaining() < 8 || in.i32() != kMagic1 || in.i32() != kMagic2) {
            throw SceneInvalide(EchecScene::PasUneScene,
                                "Ce fichier n'est pas une scène Rarevive Zaru Orvane.\r\n"
                                "Impossible de charger la scène.");
        }
        // The version is the header's first field; look at it before reading.
        const std::size_t debutEntete = in.position();
        const std::int32_t version = in.i32();
        in.seek(debutEntete);
        if (version != kVersionBloc && version != kVersionChamps) {
            if (!options.accepterVersionInconnue || !options.accepterVersionInconnue(version)) {
                throw SceneInvalide(EchecScene::VersionRefusee,
                                    "Version de scène " + std::to_string(version) + " refusée.");
            }
        }
        const FormeObjets forme = FormePourVersion(version);
        Scene scene;
        scene.entete = LitEntete(in);
        const int nb = scene.entete.pageNb;
        scene.pages.reserve(static_cast<std::size_t>(nb));
        for (int i = 1; i <= nb; ++i) {
            if (options.progression) options.progression(i, nb);
            scene.pages.push_back(LitPage(in, forme));
            scene.pages.back().entier2 = 0;
        }
        return scene;
    } catch (const ReadError& e) {
        throw SceneInvalide(EchecScene::Endommagee, e.what());
    }
}

std::string EcritScene(const Scene& scene, FormeObjets forme) {
    BinaryWriter out;
    out.i32(kMagic1);
    out.i32(kMagic2);
    EcritEntete(out, scene.entete, scene.pages.size());
    for (const auto& p : scene.pages) {
        out.i16(Compte16(p.objets.size(), "objets"));
        out.i16(p.sousEnregistrementMot);
        out.arrayShape(p.sousEnregistrementTableau.size());
        for (auto v : p.sousEnregistrementTableau) out.i16(v);
        out.i16(p.entier1);
        out.i16(p.entier2);
        if (forme == FormeObjets::Bloc) {
            EcritObjetsEnBloc(out, p);
        } else {
            for (const auto& o : p.objets) EcritObjetChampParChamp(out, o);
        }
    }
    return out.take();
}

}  // namespace korv::engine
