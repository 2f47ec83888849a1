#include "engine/langues.h"

#include <string>

#include "engine/moteur.h"
#include "engine/scene.h"
#include "engine/texte_casse.h"

namespace korv::engine {

void InitialiseListeLangues(EnteteScene& entete, std::int16_t& langueCourante) {
    if (entete.langueNb < 0) entete.langueNb = 0;
    entete.langues.resize(static_cast<std::size_t>(entete.langueNb));
    for (std::size_t i = 0; i < entete.langues.size(); ++i) {
        std::string& langue = entete.langues[i];
        if (langue.empty()) {
            langue = "LANGUE" + std::to_string(i + 1) + "\\";
        } else if (langue.back() != '\\') {
            langue += '\\';
        }
        langue = MajusculeCp1252(langue);
    }
    if (langueCourante > entete.langueNb) langueCourante = entete.langueNb;
    if (langueCourante < 1) langueCourante = 1;
}

void InitialiseListeLangues(Moteur& moteur) {
    InitialiseListeLangues(moteur.scene.entete, moteur.jeu.LangueCourante);
}

}  // namespace korv::engine
