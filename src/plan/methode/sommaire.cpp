#include "plan/methode/sommaire.h"

#include "plan/etat_plan.h"
#include "plan/methode/etapes_methode.h"
#include "plan/methode/textes_methode.h"
#include "platform/cp1252.h"
#include "rtf/document_travail.h"

namespace korv::plan {

namespace {

// Older documents stored an empty title as a rich text of this length.
constexpr std::size_t kTitreVideLongueur = 114;

bool Blanc(char32_t c) { return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n' || c == U'\v'; }

}  // namespace

void NumerosRubrique::Avancer(std::string_view code) {
    if (code.size() == 1 && code != "0") {
        ++niveaux[0];
        niveaux[1] = 0;
        niveaux[2] = 0;
    } else if (code.size() == 2) {
        ++niveaux[1];
        niveaux[2] = 0;
    } else if (code.size() == 3) {
        ++niveaux[2];
    }
}

bool TexteRicheAContenu(std::string_view rtf) {
    rtf::DocumentTravail d;
    if (!d.DefinirRtf(rtf)) return false;
    for (const char32_t c : d.TexteBrut()) {
        if (!Blanc(c)) return true;
    }
    return false;
}

void EtapeMarquerAvecParents(MethodeEtapes& etapes, int etape) {
    // Bounded by the step count: a damaged parent chain cannot loop.
    for (int k = etape, n = 0; k >= 1 && k <= etapes.NombreEtapes() && n <= etapes.NombreEtapes(); ++n) {
        EtapeMethode& e = etapes.Etape(k);
        if (e.Code != "31") e.EnSommaire = -1;
        k = e.Parent;
    }
}

void SommaireEtapesMarquer(MethodeEtapes& etapes, const TableauRempli& tableauRempli) {
    for (int i = 1; i <= etapes.NombreEtapes(); ++i) {
        etapes.Etape(i).EnSommaire = 0;
        etapes.Etape(i).AContenu = 0;
    }
    for (int i = 1; i <= etapes.NombreEtapes(); ++i) {
        EtapeMethode& e = etapes.Etape(i);
        const bool rempli = tableauRempli && tableauRempli(e);
        if (rempli || TexteRicheAContenu(e.TexteRedige)) {
            e.AContenu = -1;
            EtapeMarquerAvecParents(etapes, i);
        }
    }
}

std::string SommairePlaceholder(std::string_view code) {
    return " <TABULATION><NUMERO DE PAGE RUBRIQUE " + ChaineAjoutePointApresCaractere(code) + ">";
}

std::string SommaireConstruire(MethodeEtapes& etapes, bool numeros, const TableauRempli& tableauRempli,
                               rtf::DocumentTravail& boite) {
    boite.Vider();
    SommaireEtapesMarquer(etapes, tableauRempli);
    NumerosRubrique n;
    rtf::DocumentTravail ligne;
    for (int i = 1; i <= etapes.NombreEtapes(); ++i) {
        EtapeMethode& e = etapes.Etape(i);
        if (e.EnSommaire != -1) continue;
        n.Avancer(e.Code);

        // The title, in its own format; the default title when it is empty.
        if (e.TitreRTF.empty() || e.TitreRTF.size() == kTitreVideLongueur) e.TitreRTF = e.Titre;
        std::string titre = e.TitreRTF;
        if (!ligne.DefinirRtf(titre)) titre = e.Titre;
        ligne.DefinirRtf(titre);
        const rtf::CaractereFormat format = ligne.CaractereFormatLire();

        ligne.Vider();
        std::string debut;
        const auto& v = n.niveaux;
        if (v[1] == 0 && v[2] == 0 && v[0] >= 1) debut += "\r\n";
        if (v[1] > 0) debut += "    ";
        if (v[2] > 0) debut += "      ";
        if (e.Code != "0") debut += NumeroRubriqueTexte(n.niveaux) + " ";
        ligne.InsererTexte(0, platform::Cp1252VersU32(debut));
        ligne.InsererRtfFin(titre);
        ligne.CaractereFormatAppliquer(format);
        if (numeros) {
            // Before the line's end, never underlined.
            const std::u32string brut = ligne.TexteBrut();
            const bool finLigne = brut.size() >= 2 && brut.substr(brut.size() - 2) == U"\r\n";
            rtf::Retouche sansSouligne;
            sansSouligne.souligne = false;
            ligne.InsererTexte(ligne.Longueur() - (finLigne ? 2 : 0),
                               platform::Cp1252VersU32(SommairePlaceholder(e.Code)), sansSouligne);
            ligne.TabulationUnique(kSommaireTabulation);
        }
        boite.InsererRtfFin(ligne.Rtf());
    }
    return boite.Rtf();
}

}  // namespace korv::plan
