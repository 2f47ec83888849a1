#include "formula/proprietes.h"

#include <array>
#include <exception>

#include "formula/code_var_scene.h"
#include "formula/proprietes_arguments.h"
#include "formula/services.h"
#include "formula/valeur.h"

namespace korv::formula {
namespace {

// Upper-case names, in code order from 1.
constexpr std::array<std::string_view, kProprieteMax> kNomsProprietes = {
    "DECALEX",
    "TEXTE",
    "DERNIERCLICX",
    "DERNIERCLICY",
    "TEXTEPAGE",
    "TEXTELIGNE",
    "TEXTESELECTIONLIGNE",
    "TEXTESELECTIONPAGE",
    "POSITIONSURCHEMIN",
    "CASE",
    "CASEVIDEAZERO",
    "SOMME",
    "SOMMEVIDEAZERO",
    "MAX",
    "REAFFICHE",
    "CASECHANGEFICHIER",
    "CASECHANGE",
    "PLIER",
    "DEPLIER",
    "VISIBLE",
    "INVISIBLE",
    "EFFACEENTREEUTILISATEUR",
    "INVALIDE",
    "VALIDE",
    "CASERESULTATTYPE",
    "CASEINVALIDATION",
    "DECALAGECOLONNE",
    "DECALAGECOLONNECHANGE",
    "DECALAGELIGNE",
    "DECALAGELIGNECHANGE",
    "COLONNETRI",
    "CASECHANGECOULEURTEXTE",
    "BLOQUERCOLONNE",
    "DEBLOQUERCOLONNE",
    "TEXTECHANGE",
    "CASECHANGECOULEURFOND",
    "MEMORISEPLIAGE",
    "DEFILEAUTO",
    "COPIESIVIDE",
};

const std::string kNonResolue(2, '\0');

std::string Nom(std::string_view texte) { return Majuscules(Trim(texte)); }

char Octet(int v) { return static_cast<char>(static_cast<unsigned char>(v)); }

// A coordinate inside brackets. Filling down or right writes a leading "$"
// on coordinates that must not move; the cell they name is the same.
std::optional<std::uint8_t> Coordonnee(std::string_view texte) {
    while (!texte.empty() && texte.front() == ' ') texte.remove_prefix(1);
    if (!texte.empty() && texte.front() == '$') texte.remove_prefix(1);
    return OctetVal(texte);
}

}  // namespace

std::uint8_t ProprieteKORNum(std::string_view nom) {
    const std::string n = Nom(nom);
    for (std::size_t i = 0; i < kNomsProprietes.size(); ++i) {
        if (kNomsProprietes[i] == n) return static_cast<std::uint8_t>(i + 1);
    }
    return 0;
}

bool ProprieteACase(std::uint8_t code) { return code == 10 || code == 11 || code == 25 || code == 26; }
bool ProprieteAZone(std::uint8_t code) { return code == 12 || code == 13 || code == 14 || code == 39; }

std::optional<std::string> CoordonneesVersCaracteres(ServicesScene& scene, std::int16_t page, std::int16_t objet,
                                                     std::string_view arguments, FormeCoordonnees forme) {
    std::string r;
    if (forme == FormeCoordonnees::Zone) {
        const auto elements = ElementsListe(arguments, ",.");
        for (std::size_t i = 0; i < 4; ++i) {
            const auto v = Coordonnee(ElementListe(elements, i));
            if (!v) return std::nullopt;
            r += Octet(*v);
        }
        return r;
    }
    // A cell: two numbers, "2,3" or "2.3", or a cell name of the grid.
    const char separateur = arguments.find(',') != std::string_view::npos ? ',' : '.';
    if (arguments.find(separateur) != std::string_view::npos) {
        const auto elements = ElementsListe(arguments, std::string_view(&separateur, 1));
        for (std::size_t i = 0; i < 2; ++i) {
            const auto v = Coordonnee(ElementListe(elements, i));
            if (!v) return std::nullopt;
            r += Octet(*v);
        }
        return r;
    }
    ServiceGrille* grille = scene.Grille(page, objet);
    if (grille == nullptr) return kNonResolue;
    const auto coord = grille->CaseNomCoordonnees(Nom(arguments));
    if (!coord) return kNonResolue;
    r += Octet(coord->colonne);
    r += Octet(coord->ligne);
    return r;
}

std::optional<std::string> ArgumentsProprieteCoder(ServicesScene& scene, std::int16_t page, std::int16_t objet,
                                                   std::uint8_t code, std::string_view arguments) {
    if (ProprieteAZone(code)) return CoordonneesVersCaracteres(scene, page, objet, arguments, FormeCoordonnees::Zone);
    if (ProprieteACase(code)) return CoordonneesVersCaracteres(scene, page, objet, arguments, FormeCoordonnees::Case);
    return std::string(arguments);
}

std::string CodeVarScene(std::string_view mot, ServicesScene& scene) {
    try {
        // The names come before the brackets; dots inside the brackets
        // belong to the arguments.
        std::string_view tete = mot;
        std::string_view arguments;
        if (const auto crochet = mot.find('['); crochet != std::string_view::npos) {
            tete = mot.substr(0, crochet);
            const auto fin = mot.rfind(']');
            if (fin != std::string_view::npos && fin > crochet) arguments = mot.substr(crochet + 1, fin - crochet - 1);
        }
        const auto parties = ElementsListe(tete, ".");
        if (parties.size() < 2) return kNonResolue;

        const std::int16_t page = scene.NumeroDePage(Nom(parties[0]));
        // A page or object beyond 255 cannot be packed in its byte.
        if (page < 1 || page > 255) return kNonResolue;
        std::int16_t objet = 1;
        std::string_view propriete = parties[1];
        if (parties.size() > 2) {
            objet = scene.NumeroObjet(page, Nom(parties[1]));
            if (objet < 1 || objet > 255) return kNonResolue;
            // Anything after the third name makes the property unknown.
            const auto debut = static_cast<std::size_t>(parties[2].data() - tete.data());
            propriete = tete.substr(debut);
        }
        const std::uint8_t code = ProprieteKORNum(propriete);
        std::string r{Octet(page), Octet(objet), Octet(code)};
        if (!arguments.empty()) {
            const auto codes = ArgumentsProprieteCoder(scene, page, objet, code, arguments);
            if (!codes) return kNonResolue;
            r += *codes;
        }
        return r;
    } catch (const std::exception&) {
        // A failing lookup leaves the reference unresolved: it evaluates to Null.
        return kNonResolue;
    }
}

std::string CodeVarScene(std::string_view mot, const ServicesFormule& services) {
    return CodeVarScene(mot, services.scene);
}

}  // namespace korv::formula
