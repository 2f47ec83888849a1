#pragma once
// Coded texts of text objects and buttons: the literal coding per language,
// the coding of an object's file into coded-text files ("TXM") kept in a
// per-user cache folder and reused while their source is unchanged, the
// strip pass that removes an earlier layout, and the link pass.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "text/balises.h"
#include "text/mesureur.h"

namespace korv::text {

// A coded text this long or longer (languages summed, one separator each)
// is kept in files and the object holds a reference to them.
inline constexpr std::size_t kSeuilTexteLong = 51200;
inline constexpr std::string_view kPrefixeCodage = "CODAGE:";

// `TextePrepareAffichageEnleve`: the tagged source without the layout tags
// and restore blocks of an earlier coding.
std::string TextePrepareAffichageEnleve(std::string_view texte);

// `InsereTagHypertexteDansTexte`: every occurrence of each word of `liens`
// (each a five-digit length then the word) in the plain text is wrapped in
// "<Lien1>" ... "<Lien0>". A damaged list stops at the damage.
std::string InsereTagHypertexteDansTexte(std::string_view texte, std::string_view liens);

// The name of a new coded-text file in `dossier`: the first four
// characters of the object file's name without its folder and extension,
// then the smallest counter 0 .. 9999 whose file does not exist, then
// ".TXM"; with every counter taken, 9999 (the old file is deleted).
std::filesystem::path NomFichierTexteCode(const std::filesystem::path& dossier, std::string_view fichierObjet);

// The per-language result: inline when short, else "CODAGE:" name per
// language joined by "|".
std::string JoindreLangues(const std::vector<std::string>& codes);

struct Codage {
    MesureurTexte& mesureur;
    std::int32_t largeur = 0;
    FormatageTexte depart;
    int nbLangues = 1;
    // `HyperTexteDansObjet` for a language (1-based): the link list.
    std::function<std::string(int langue)> liens;
};

// `TexteCodeDirect`: each language's own variant of a literal text coded
// on its own (the earlier layout stripped first), joined by "|".
std::string TexteCodeDirect(std::string_view texte, const Codage& c);

struct CodageFichier {
    std::filesystem::path fichierObjet;  // the source (Write document or tagged text)
    std::filesystem::path dossierCache;  // this scene's folder of coded files
    std::string cle;                     // names the object in that folder
    std::function<bool(std::string_view)> policeDisponible;  // for Write documents
    std::string policeDefaut;
};

// `CodageCompletTexte`: the object's file coded for every language: inline
// below the threshold, else a reference to coded files in the cache
// folder. Files of an earlier coding of the same object are reused when the
// source, width and languages are unchanged, and deleted otherwise. A
// missing source gives "". A cache folder that cannot be written gives the
// inline form.
std::string CodageCompletTexte(const CodageFichier& fichier, const Codage& c);

// The coded file a reference names for a language (1-based): the
// language's own "CODAGE:" entry; empty when the text is no reference.
std::string NomReferenceLangue(std::string_view texte, int langue, int nbLangues);

}  // namespace korv::text
