#include "print/pagination.h"

#include <string>
#include <utility>
#include <variant>

#include "engine/geometrie.h"
#include "platform/cp1252.h"
#include "print/ajout_objets.h"
#include "print/texte_travail.h"
#include "rtf/ecrivain.h"
#include "rtf/lecteur.h"

namespace korv::print {

namespace {

std::int32_t Long(double x) { return static_cast<std::int32_t>(engine::ArrondiBanquier(x)); }

class Pagination {
public:
    Pagination(ImpressionTravail& t, MesureurTexte& m, std::int32_t twipsParPixelY)
        : t_(t), m_(m), pixelY_(twipsParPixelY) {}

    std::int32_t Paginer();

private:
    void PagePlacer();
    std::int32_t Ajoute(ImpressionElement e);
    void TexteWalk(const std::string& rtf);
    void GraphiqueEtape(const EntreeGraphique& g);
    void BandeWalk(const TableauAImprimer& b);
    void PlaceMorceau(const TableauAImprimer& b, int premLig, int dernLig, std::int32_t gauche, std::int32_t haut);
    void ColonnesDecouper(const EntreeTableau& e, std::size_t& i, std::int32_t largeur);
    void SommaireNumeros(const std::string& placeholder, std::int32_t page);
    void RemplaceDansTextes(std::u32string_view cherche, std::u32string_view remplace);
    void MarqueursRestantsRetirer();
    void TitresTableauxAjuster();
    const FeuilleImprimee* Feuille(int n) const {
        return n >= 1 && static_cast<std::size_t>(n) <= t_.feuilles.size() ? t_.feuilles[static_cast<std::size_t>(n - 1)].get()
                                                                            : nullptr;
    }

    ImpressionTravail& t_;
    MesureurTexte& m_;
    std::int32_t pixelY_;
    std::int32_t page_ = 0;
    Rectangle corps_;
    bool fraiche_ = true;
    bool centrageV_ = false, centrageH_ = false, sansBords_ = false;
    std::int32_t dernierSommaire_ = -1;
};

std::int32_t Pagination::Ajoute(ImpressionElement e) {
    e.Page = page_;
    e.CentrageVertical = centrageV_;
    e.CentrageHorizontal = centrageH_;
    e.SansBords = sansBords_;
    return ImpressionElementAjouter(t_, std::move(e));
}

void Pagination::PagePlacer() {
    ++page_;
    corps_ = ImprimantePageGeometrie(t_);
    const auto& ep = t_.EnTetePied;
    if (ep.EnTeteAffiche && ep.EnTeteHauteur >= 1 && !(page_ == 1 && !ep.EnTetePremierePage)) {
        corps_.haut = Long(corps_.haut + t_.EcartEnTete + ep.EnTeteHauteur);
        ImpressionElement e;
        e.rectangle = t_.EnTeteRectangle;
        e.ElementTexte = -1;
        e.CaractereFin = -1;
        e.Genre = GenreElement::EnTete;
        Ajoute(std::move(e));
    }
    if (ep.PiedAffiche && ep.PiedHauteur > 0 && !(page_ == 1 && !ep.PiedPremierePage)) {
        corps_.bas = Long(corps_.bas - t_.EcartPied - ep.PiedHauteur);
        ImpressionElement e;
        e.rectangle = t_.PiedRectangle;
        e.ElementTexte = -1;
        e.CaractereFin = -1;
        e.Genre = GenreElement::Pied;
        Ajoute(std::move(e));
    }
    ImpressionElement e;
    e.rectangle = corps_;
    e.Genre = GenreElement::Corps;
    Ajoute(std::move(e));
}

std::int32_t Pagination::Paginer() {
    t_.ApercuPrepare = true;
    t_.NombreDePages = 0;
    // Each pagination starts again from the list as scripts left it.
    t_.Elements.clear();
    std::erase_if(t_.TextesAImprimer, [](const EntreeImpression& e) { return std::holds_alternative<TableauAImprimer>(e); });
    auto& ep = t_.EnTetePied;
    if (ep.PiedAffiche) {
        ep.PiedHauteur = EnTetePiedMesure(t_, m_, ep.PiedTexte);
        t_.PiedRectangle = ImprimantePageGeometrie(t_);
        t_.PiedRectangle.haut = t_.PiedRectangle.bas - ep.PiedHauteur;
    } else {
        ep.PiedHauteur = 0;
    }
    if (ep.EnTeteAffiche) {
        ep.EnTeteHauteur = EnTetePiedMesure(t_, m_, ep.EnTeteTexte);
        t_.EnTeteRectangle = ImprimantePageGeometrie(t_);
        t_.EnTeteRectangle.bas = t_.EnTeteRectangle.haut + ep.EnTeteHauteur;
    } else {
        ep.EnTeteHauteur = 0;
    }
    PagePlacer();
    fraiche_ = true;
    // A job of nothing but page breaks is an empty job.
    SautsDePageFinalsRetirer(t_);
    if (t_.TextesAImprimer.empty()) return 0;

    for (std::size_t i = 0; i < t_.TextesAImprimer.size(); ++i) {
        // A copy: the list grows while bands are inserted.
        const EntreeImpression entree = t_.TextesAImprimer[i];
        if (const auto* g = std::get_if<EntreeTableau>(&entree)) {
            ColonnesDecouper(*g, i, corps_.droite - corps_.gauche);
            continue;
        }
        if (const auto* b = std::get_if<TableauAImprimer>(&entree)) {
            BandeWalk(*b);
            continue;
        }
        if (const auto* c = std::get_if<EntreeGraphique>(&entree)) {
            GraphiqueEtape(*c);
            continue;
        }
        const std::string& s = std::get<std::string>(entree);
        if (s.compare(0, marqueur::Sommaire.size(), marqueur::Sommaire) == 0) {
            const std::string placeholder = s.size() > 16 ? s.substr(16) : std::string();
            if (dernierSommaire_ == page_) {
                SommaireNumeros(placeholder, -1);
            } else {
                dernierSommaire_ = page_;
                SommaireNumeros(placeholder, page_);
            }
        } else if (s == marqueur::SautDePage) {
            if (i + 1 < t_.TextesAImprimer.size()) {
                PagePlacer();
                fraiche_ = true;
            }
        } else if (s == marqueur::DebutCentrageHorizontal) {
            centrageH_ = true;
        } else if (s == marqueur::FinCentrageHorizontal) {
            centrageH_ = false;
        } else if (s == marqueur::DebutCentrageVertical) {
            centrageV_ = true;
        } else if (s == marqueur::FinCentrageVertical) {
            centrageV_ = false;
        } else if (s == marqueur::SansBords) {
            sansBords_ = true;
        } else if (s == marqueur::AvecBords) {
            sansBords_ = false;
        } else if (s == marqueur::TitreTableau) {
            ++i;
            if (i >= t_.TextesAImprimer.size()) break;
            ImpressionElement e;
            e.rectangle = {corps_.gauche, corps_.haut, corps_.droite, corps_.bas};
            if (const auto* titre = std::get_if<std::string>(&t_.TextesAImprimer[i])) e.Texte = *titre;
            e.ElementTexte = 1;
            e.CaractereFin = -1;
            e.Genre = GenreElement::TitreTableau;
            Ajoute(std::move(e));
        } else {
            TexteWalk(s);
        }
    }
    t_.NombreDePages = page_;
    MarqueursRestantsRetirer();
    TitresTableauxAjuster();
    return t_.NombreDePages;
}

std::string PlaceholdersMinuscules(const std::string& rtf) {
    const std::u32string debut = U"<" + platform::Cp1252VersU32(marqueur::NumeroRubrique);
    if (rtf.find(marqueur::NumeroRubrique) == std::string::npos) return rtf;
    auto d = rtf::LireTexteRiche(rtf);
    if (!d) return rtf;
    for (rtf::Paragraphe& p : d->paragraphes) {
        std::u32string texte;
        std::vector<rtf::FormatCaractere> formats;
        for (const rtf::Morceau& m : p.morceaux) {
            texte += m.texte;
            formats.insert(formats.end(), m.texte.size(), m.format);
        }
        for (std::size_t a = texte.find(debut); a != std::u32string::npos; a = texte.find(debut, a + 1)) {
            const std::size_t b = texte.find(U'>', a);
            if (b == std::u32string::npos) break;
            for (std::size_t i = a; i <= b; ++i) formats[i].taille = 2;
        }
        p.morceaux.clear();
        for (std::size_t i = 0; i < texte.size(); ++i) {
            if (p.morceaux.empty() || !(p.morceaux.back().format == formats[i])) p.morceaux.push_back({formats[i], {}});
            p.morceaux.back().texte += texte[i];
        }
    }
    return rtf::EcrireRtf(*d);
}

void Pagination::TexteWalk(const std::string& source) {
    // Tabs replaced before measuring, so that painting cuts where this did.
    const std::string rtf = RemplacerDansRtf(source, kMarqueurTabulation, U"\t");
    // A contents line's page-number placeholder becomes a short number
    // after the cut: measured in the smallest size, it takes almost no
    // room, so the cut falls between the lines as they are painted.
    const std::string mesure = PlaceholdersMinuscules(rtf);
    const std::int32_t n = m_.Longueur(mesure);
    std::int32_t debut = 0;
    std::int32_t premier = 0;
    bool neuve = fraiche_;
    Rectangle r;
    for (;;) {
        r = {corps_.gauche, corps_.haut, corps_.droite, corps_.bas};
        const MesureTexte m = m_.Mesurer(mesure, r, debut, neuve);
        r.bas = m.bas;
        ImpressionElement e;
        e.rectangle = r;
        e.CaractereDebut = debut;
        e.CaractereFin = m.fin;
        if (premier == 0) {
            e.Texte = rtf;
            e.ElementTexte = t_.NombreElements() + 1;
            e.CaractereDebut = 0;
            premier = Ajoute(std::move(e));
        } else {
            e.ElementTexte = premier;
            Ajoute(std::move(e));
        }
        fraiche_ = false;
        if (m.fin >= n || m.fin == -1) break;
        // A measurer that formats nothing on an empty page would never end.
        if (neuve && m.fin <= debut) break;
        PagePlacer();
        neuve = true;
        debut = m.fin;
    }
    corps_.haut = r.bas + pixelY_;
}

void Pagination::GraphiqueEtape(const EntreeGraphique& g) {
    if (!fraiche_) PagePlacer();
    Rectangle r{corps_.gauche, corps_.haut, corps_.droite, corps_.bas};
    const bool partiel = g.graphique >= 1 && static_cast<std::size_t>(g.graphique) <= t_.graphiques.size() &&
                         t_.graphiques[static_cast<std::size_t>(g.graphique - 1)].Tag == "75% PAGE";
    if (partiel) r.bas = Long(r.haut + (r.bas - r.haut) * 0.85);
    ImpressionElement e;
    e.rectangle = r;
    e.ObjetGraphique = g.graphique;
    Ajoute(std::move(e));
    fraiche_ = false;
    corps_.haut = r.bas;
}

void Pagination::PlaceMorceau(const TableauAImprimer& b, int premLig, int dernLig, std::int32_t gauche,
                              std::int32_t haut) {
    const FeuilleImprimee* f = Feuille(b.feuille);
    // A piece without rows is never handed to painting.
    if (f == nullptr || dernLig < premLig || dernLig < 1) return;
    ImpressionElement e;
    e.rectangle = TableauMorceauDimension(*f, b.PremCol, premLig, b.DernCol, dernLig, gauche, haut);
    e.Texte = "0";
    e.ObjetTableau = b.feuille;
    e.PremCol = b.PremCol;
    e.PremLig = premLig;
    e.DernCol = b.DernCol;
    e.DernLig = dernLig;
    Ajoute(std::move(e));
}

void Pagination::BandeWalk(const TableauAImprimer& b) {
    const FeuilleImprimee* g = Feuille(b.feuille);
    if (g == nullptr) return;
    const int derniere = g->DerniereLigne();
    std::int32_t h = 0;
    for (int r = 1; r <= derniere; ++r) {
        if (g->LigneTitre(r)) h += g->HauteurLigne(r);
    }
    int premiere = b.PremLig, dernier = 0, saut = 0;
    const std::int32_t gauche = corps_.gauche;
    std::int32_t haut = corps_.haut;
    std::int32_t y = haut + h;
    for (int r = b.PremLig; r <= derniere; ++r) {
        const std::int32_t hr = g->HauteurLigne(r);
        const bool titre = g->LigneTitre(r);
        // A row taller than a whole page goes alone on its page, clipped.
        const bool seule = fraiche_ && dernier == 0 && r == premiere;
        if (y + hr <= corps_.bas || seule) {
            dernier = r;
            if (!titre) y += hr;
            if (g->SautApresLigne(r)) saut = r;
        } else if (fraiche_) {
            if (saut != 0) {
                dernier = saut;
                r = saut + 1;
                saut = 0;
            }
            PlaceMorceau(b, premiere, dernier, gauche, haut);
            PagePlacer();
            fraiche_ = true;
            haut = corps_.haut;
            y = haut + h + (g->LigneTitre(r) ? 0 : g->HauteurLigne(r));
            premiere = dernier = r;
        } else {
            // Other items are on the page: the grid starts again on the next.
            PagePlacer();
            fraiche_ = true;
            r = premiere - 1;
            saut = 0;
            dernier = 0;
            haut = corps_.haut;
            y = haut + h;
        }
    }
    PlaceMorceau(b, premiere, dernier, gauche, haut);
    fraiche_ = false;
    corps_.haut = y + 10 * pixelY_;
}

void Pagination::ColonnesDecouper(const EntreeTableau& e, std::size_t& i, std::int32_t largeur) {
    const FeuilleImprimee* g = Feuille(e.feuille);
    if (g == nullptr) return;
    const int titres = g->ColonnesTitre();
    const int derniere = g->DerniereColonne();
    double w0 = 0;
    for (int c = 1; c <= titres; ++c) w0 += g->LargeurColonne(c);
    double w = w0;
    int c = titres + 1, debut = c, ajuste = 0, saut = 0;
    bool premiere = true;
    auto insere = [&](int premCol, int dernCol) {
        TableauAImprimer b{e.feuille, premiere ? 1 : 2, premCol, dernCol};
        t_.TextesAImprimer.insert(t_.TextesAImprimer.begin() + static_cast<std::ptrdiff_t>(i + 1), b);
        ++i;
    };
    const std::size_t position = i;
    while (c <= derniere) {
        if (w + g->LargeurColonne(c) > largeur) {
            int fin = ajuste;
            if (saut != 0) {
                fin = saut;
                c = saut + 1;
                saut = 0;
            } else if (ajuste == 0) {
                // A column wider than the body: a band of its own, clipped.
                fin = c;
                ++c;
            }
            insere(debut, fin);
            w = w0;
            debut = c;
            ajuste = 0;
            premiere = false;
        } else {
            ajuste = c;
            w += g->LargeurColonne(c);
            if (g->SautApresColonne(c)) saut = c;
            ++c;
        }
    }
    if (ajuste >= 1) insere(debut, ajuste);
    // The walk goes on with the first band, right after the copy.
    i = position;
}

void Pagination::RemplaceDansTextes(std::u32string_view cherche, std::u32string_view remplace) {
    for (std::size_t k = 0; k < t_.Elements.size(); ++k) {
        ImpressionElement& e = t_.Elements[k];
        if (e.Texte.empty() || e.ObjetTableau != 0) continue;
        std::vector<Remplacement> decalages;
        std::string nouveau = RemplacerDansRtf(e.Texte, cherche, remplace, &decalages);
        if (decalages.empty()) continue;
        e.Texte = std::move(nouveau);
        if (e.Genre != GenreElement::Contenu) continue;
        // The pieces of this text keep their characters.
        const auto index = static_cast<std::int32_t>(k + 1);
        for (auto& x : t_.Elements) {
            if (x.Genre != GenreElement::Contenu || x.ElementTexte != index || x.ObjetTableau != 0 ||
                x.ObjetGraphique != 0) {
                continue;
            }
            x.CaractereDebut = PositionDecalee(x.CaractereDebut, decalages);
            if (x.CaractereFin > 0) x.CaractereFin = PositionDecalee(x.CaractereFin, decalages);
        }
    }
}

void Pagination::SommaireNumeros(const std::string& placeholder, std::int32_t page) {
    const std::string label = page == -1 ? std::string() : "page " + std::to_string(NumeroImprime(t_, page));
    RemplaceDansTextes(platform::Cp1252VersU32(placeholder), platform::Cp1252VersU32(label));
}

void Pagination::MarqueursRestantsRetirer() {
    // Placeholders no summary entry filled: "<NUMERO DE PAGE RUBRIQUE ...>".
    const std::u32string debut = U"<" + platform::Cp1252VersU32(marqueur::NumeroRubrique);
    for (std::size_t k = 0; k < t_.Elements.size(); ++k) {
        const ImpressionElement& e = t_.Elements[k];
        if (e.Texte.empty() || e.ObjetTableau != 0) continue;
        TexteTravail t;
        if (!t.DefinirRtf(e.Texte)) continue;
        const std::u32string brut = t.TexteBrut();
        std::size_t p = brut.find(debut);
        while (p != std::u32string::npos) {
            const std::size_t q = brut.find(U'>', p);
            if (q == std::u32string::npos) break;
            RemplaceDansTextes(brut.substr(p, q - p + 1), U"");
            p = brut.find(debut, q + 1);
        }
    }
}

void Pagination::TitresTableauxAjuster() {
    auto& el = t_.Elements;
    for (std::size_t k = 0; k < el.size(); ++k) {
        if (el[k].Genre != GenreElement::TitreTableau) continue;
        for (std::size_t j = k; j < el.size(); ++j) {
            if (el[j].ObjetTableau == 0) continue;
            el[k].rectangle.haut += 6 * pixelY_;
            el[k].rectangle.bas = el[j].rectangle.bas;
            el[k].CentrageVertical = el[j].CentrageVertical;
            el[k].Page = el[j].Page;
            break;
        }
    }
}

}  // namespace

Rectangle ImprimantePageGeometrie(const ImpressionTravail& t) {
    const double ox = t.DecalageXTwips, oy = t.DecalageYTwips;
    Rectangle r;
    r.haut = Long(t.MargeHaut > oy ? t.MargeHaut - oy : oy);
    r.bas = Long(t.EchelleHauteur - t.MargeBas - oy - t.MargeHaut);
    r.gauche = Long(t.MargeGauche > ox ? t.MargeGauche - ox : ox);
    r.droite = Long(t.EchelleLargeur - t.MargeDroite - ox - t.MargeGauche);
    return r;
}

std::int32_t EnTetePiedMesure(const ImpressionTravail& t, MesureurTexte& m, std::string_view texte) {
    const std::string rtf = RemplacerDansRtf(texte, kMarqueurTabulation, U"\t");
    const MesureTexte r = m.Mesurer(rtf, ImprimantePageGeometrie(t), 0, false);
    return r.fin == 0 ? 0 : r.bas;
}

std::int32_t ApercuPaginer(ImpressionTravail& t, MesureurTexte& m, std::int32_t twipsParPixelY) {
    return Pagination(t, m, twipsParPixelY).Paginer();
}

Rectangle TableauMorceauDimension(const FeuilleImprimee& f, int premCol, int premLig, int dernCol, int dernLig,
                                  std::int32_t gauche, std::int32_t haut) {
    std::int32_t hh = 0, ww = 0;
    for (int r = 1; r <= f.DerniereLigne(); ++r) {
        if (f.LigneTitre(r)) hh += f.HauteurLigne(r);
    }
    const int titres = f.ColonnesTitre();
    for (int c = 1; c <= titres; ++c) ww += f.LargeurColonne(c);
    Rectangle r{gauche, haut, gauche + ww, haut + hh};
    for (int c = premCol; c <= dernCol; ++c) {
        if (c > titres) r.droite += f.LargeurColonne(c);
    }
    for (int l = premLig; l <= dernLig; ++l) {
        if (!f.LigneTitre(l)) r.bas += f.HauteurLigne(l);
    }
    return r;
}

}  // namespace korv::print
