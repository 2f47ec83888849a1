#pragma once
// Recording print job for tests: every call becomes one line of `appels`,
// in order, such as "ImprimeAjouteObjet 1 2 [SAUTEPAGE|TITRE]".

#include <string>
#include <vector>

#include "formula/nombres.h"
#include "formula/travail_impression.h"

namespace korv::formula {

class TravailImpressionFactice final : public TravailImpression {
public:
    std::vector<std::string> appels;
    std::int16_t mode = 0;
    std::int16_t etapeTrouvee = 0;  // NumeroEtape's answer

    void ImprimePrepareDebut(std::uint8_t m) override { Note("ImprimePrepareDebut " + std::to_string(m)); }
    void ImprimeMargesFixe(double g, double h, double d, double b, double p, double e) override {
        Note("ImprimeMargesFixe " + N(g) + " " + N(h) + " " + N(d) + " " + N(b) + " " + N(p) + " " + N(e));
    }
    void ImprimeEnTeteFixe(std::string_view t, bool a, bool p) override {
        Note("ImprimeEnTeteFixe " + std::string(t) + " " + B(a) + " " + B(p));
    }
    void ImprimePiedDePageFixe(std::string_view t, bool a, bool p) override {
        Note("ImprimePiedDePageFixe " + std::string(t) + " " + B(a) + " " + B(p));
    }
    void ImpressionPremierNumeroFixe(std::int32_t n) override { Note("ImpressionPremierNumeroFixe " + std::to_string(n)); }
    void ApercuDejaPrepare(bool p) override { Note("ApercuDejaPrepare " + B(p)); }
    void ImprimeAjouteObjet(int page, int objet, std::string_view texte, std::span<const Valeur> options) override {
        std::string l = "ImprimeAjouteObjet " + std::to_string(page) + " " + std::to_string(objet);
        if (!texte.empty()) l += " " + std::string(texte);
        l += " [";
        for (std::size_t i = 0; i < options.size(); ++i) l += (i ? "|" : "") + options[i].EnTexte();
        Note(l + "]");
    }
    void ImprimeAjoutePage(std::uint8_t a) override { Note("ImprimeAjoutePage " + std::to_string(a)); }
    void Imprime() override { Note("Imprime"); }
    void MessageFenetreFerme() override { Note("MessageFenetreFerme"); }
    std::int16_t Mode() const override { return mode; }
    void ExportationFenetreOuvre(std::int16_t m) override { Note("ExportationFenetreOuvre " + std::to_string(m)); }
    void ExporteTextesOuTableaux(std::int16_t o) override { Note("ExporteTextesOuTableaux " + std::to_string(o)); }
    void MethodeTextesExporte(std::string_view t) override { Note("MethodeTextesExporte " + std::string(t)); }
    void TexteRTFInsereTableaux(int page, int objet, bool rtf) override {
        Note("TexteRTFInsereTableaux " + std::to_string(page) + " " + std::to_string(objet) + " " + B(rtf));
    }
    void RedactionImprimeExporte(std::string_view v, bool e) override {
        Note("RedactionImprimeExporte " + std::string(v) + " " + B(e));
    }
    std::int16_t NumeroEtape(std::string_view code) override {
        Note("NumeroEtape " + std::string(code));
        return etapeTrouvee;
    }
    void EtapeImprimeExporte(std::int16_t etape, bool e) override {
        Note("EtapeImprimeExporte " + std::to_string(etape) + " " + B(e));
    }
    void SommaireMettreAJour(int page, int objet, std::int16_t numeros) override {
        Note("SommaireMettreAJour " + std::to_string(page) + " " + std::to_string(objet) + " " + std::to_string(numeros));
    }

private:
    static std::string N(double v) { return FormatNombre(v); }
    static std::string B(bool b) { return b ? "-1" : "0"; }
    void Note(std::string l) { appels.push_back(std::move(l)); }
};

}  // namespace korv::formula
