#include "plan/document/descripteur_ancien.h"

namespace korv::plan {

namespace {

// "'" then decimal digits; the value must fit an old record's Byte size.
std::optional<std::uint8_t> LireTaille(std::string_view& s) {
    if (s.empty() || s.front() != '\'') return std::nullopt;
    s.remove_prefix(1);
    unsigned valeur = 0;
    std::size_t n = 0;
    while (n < s.size() && s[n] >= '0' && s[n] <= '9') {
        valeur = valeur * 10 + static_cast<unsigned>(s[n] - '0');
        if (valeur > 255) return std::nullopt;
        ++n;
    }
    if (n == 0 || valeur == 0) return std::nullopt;
    s.remove_prefix(n);
    return static_cast<std::uint8_t>(valeur);
}

}  // namespace

std::optional<std::vector<ElementAncien>> AnalyserSpecAncienne(std::string_view liste) {
    std::vector<ElementAncien> elements;
    while (!liste.empty()) {
        const auto fin = liste.find('*');
        if (fin == std::string_view::npos) return std::nullopt;
        std::string_view item = liste.substr(0, fin);
        liste.remove_prefix(fin + 1);
        if (item == "R") {
            elements.push_back({GenreElementAncien::Texte, 0, 0});
            continue;
        }
        if (item.empty() || item.front() != 'T') return std::nullopt;
        item.remove_prefix(1);
        const auto lignes = LireTaille(item);
        if (!lignes) return std::nullopt;
        const auto colonnes = LireTaille(item);
        if (!colonnes || !item.empty()) return std::nullopt;
        elements.push_back({GenreElementAncien::Grille, *lignes, *colonnes});
    }
    return elements;
}

std::optional<std::vector<EntreeAncienne>> AnalyserDescripteurAncien(std::string_view texte) {
    std::vector<EntreeAncienne> entrees;
    if (texte.empty()) return entrees;
    for (;;) {
        const auto virgule = texte.find(',');
        const std::string_view entree = texte.substr(0, virgule);
        const auto diese = entree.find('#');
        if (diese == std::string_view::npos || diese == 0) return std::nullopt;
        auto elements = AnalyserSpecAncienne(entree.substr(diese + 1));
        if (!elements) return std::nullopt;
        entrees.push_back({std::string(entree.substr(0, diese)), std::move(*elements)});
        if (virgule == std::string_view::npos) break;
        texte.remove_prefix(virgule + 1);
    }
    return entrees;
}

std::string_view DescripteurD22() {
    static constexpr std::string_view kD22 =
        "INTRO#,SOMMAIRE#,PREVISION#T'2'1*T'2'1*T'1'1*T'1'1*T'1'1*T'1'1*T'1'1*T'1'1*T'1'1*T'1'1*T'1'1*T'1'1*T'1'1*T'1'1*,IMPCOUV#R*,IMPENTETE#R*T'1'5*,IMPPIED#R*T'1'5*,VENTE#T'37'18*R*T'1'7*T'1'1*T'1'4*,ACHAT#T'40'18*T'1'4*R*T'1'1*T'1'7*T'1'2*,GLOSSAIRE#R*,AIDETAB#,AIDEMEN#,AIDEMET#,AIDEPREV#,AIDEBP#,AIDEGLS#,"
        "GLOSSAIRE2#T'1'1*,RESULTAT#T'27'5*R*T'1'1*,IMPOPT#T'11'2*T'1'5*T'4'5*,AVP#T'10'1*T'1'1*,INVEST#T'62'19*R*T'1'1*T'1'4*,EMP#T'10'11*T'23'17*R*T'1'1*,AMORT#T'13'4*R*T'1'1*,MONNAIE#T'3'3*T'19'4*T'2'4*R*,AIDERED#,PERSO#T'25'22*T'4'2*R*T'1'1*T'1'2*T'1'2*T'1'2*,BFR#T'40'5*R*T'1'1*,AIDEPRV#,HDBIL#T'12'5*R*,HDBILSAI#T'21'5*R*,CHARGEV2#T'2'1*T'1'1*,"
        "METAUTOMET#R*T'1'6*,METAUTOEXP#R*T'1'6*,METAUTOSAV#R*T'1'6*,METAUTOTXT#R*T'1'6*,FINANCE#T'31'7*R*T'1'1*,METSOMMAIRE#R*T'1'2*T'1'2*,METMENU#T'2'1*,EXPLICGENERIQUE#,RESANA#R*T'36'11*T'5'4*T'1'1*T'1'2*T'1'2*T'1'2*T'1'2*,TABCONC#T'39'7*R*T'1'6*,FDFRAIS#T'30'16*R*T'1'1*T'1'4*,METSOUSMENU#,PERSODEC#R*T'55'13*,TVA#R*T'10'13*T'1'1*,TRESO#R*T'45'15*T'1'1*,"
        "MNUTDB#,MNUOUTILS#,TDBVENTE#R*T'11'14*T'1'3*,TDBACHAT#R*T'28'14*T'1'3*T'2'4*,TDBFRAIS#R*T'31'15*T'1'3*,TDBPERSO#R*T'11'14*T'1'3*T'3'4*,TDBEXPLOIT#R*T'14'15*T'1'3*,TDBCOM#R*T'200'8*T'7'13*T'1'2*,TDBECH#R*T'200'7*,TDBBFR#R*T'16'15*T'1'3*,TDBTRESO#R*T'32'26*T'1'3*,TDBSEUIL#T'62'16*R*T'1'5*T'1'2*T'1'2*,ICONES#,BILANA#R*T'34'4*T'1'6*,BILDON#R*T'186'4*T'1'5*,"
        "RENTANA#R*T'55'4*T'1'7*,TDBSYN#R*T'11'6*T'21'13*,VENTEGRP01#R*T'24'6*T'18'3*T'1'2*,VENTEGRP02#R*T'20'6*T'5'3*T'1'2*,ACHATGRP01#R*T'21'6*T'5'4*T'1'2*,ACHATDEC#T'12'14*R*T'8'14*,VENTEENC#R*T'16'14*T'8'14*,EMPDET#T'26'15*T'1'6*,PERSODET#T'25'14*R*,TDBVENTEDET#R*T'31'16*T'1'7*,TDBVENTEENC#R*T'12'14*T'1'2*T'8'14*,TDBACHATDET#R*T'106'16*T'1'6*,TDBACHATDEC#R*T'12'14*T'1'2*T'9'14*,TDBPERSODEC#R*T'23'13*,TDBEMP#T'10'11*T'23'17*R*,"
        "TDBTVA#R*T'10'13*T'1'3*,TDBPAC#R*T'41'4*T'1'2*T'4'13*T'1'6*,VENTEGRP03#R*T'20'6*T'3'12*T'1'2*,FRAISGRP01#R*T'20'6*T'5'3*T'1'2*T'20'5*,INVESTGRP01#R*T'20'6*T'4'3*T'1'2*T'14'5*,RESANAGRP01#R*T'20'6*T'6'1*T'1'2*,BFRGRP01#R*T'20'8*T'8'4*T'1'2*,FINANCEGRP01#R*T'20'11*T'8'4*T'1'2*,TRESOGRP01#R*T'20'6*T'2'12*T'1'2*,TDBACHATGRP01#R*T'21'6*T'4'12*T'1'2*,TDBFRAISGRP01#R*T'21'6*T'3'12*T'1'2*,TDBSEUILGRP01#R*T'21'6*T'3'12*T'1'2*,TDBBFRGRP01#R*T'20'10*T'8'2*T'1'2*,PERSOGRP01#R*T'20'6*T'2'4*T'1'2*,PERSOGRP02#R*T'20'6*T'2'4*T'1'2*,"
        "RESULTATGRP01#R*T'20'6*T'3'4*T'1'2*,RESULTATGRP02#R*T'22'6*T'4'3*T'1'2*,RESULTATGRP03#R*T'20'6*T'3'4*T'1'2*,TDBVENTEGRP01#R*T'21'6*T'5'12*T'1'2*,TDBVENTEGRP02#R*T'21'6*T'3'12*T'1'2*,TDBPERSOGRP01#R*T'21'6*T'3'12*T'1'2*,TDBPERSOGRP02#R*T'21'6*T'5'12*T'1'2*,UTLGRP01#R*T'20'6*T'3'12*T'1'2*,UTLSEUILGRP01#R*T'20'6*T'3'12*T'1'2*,RENTANAGRP01#T'20'6*T'3'3*R*T'1'2*,RENTANAGRP02#T'22'6*T'4'3*R*T'1'2*,BILANAGRP01#T'22'8*T'6'4*R*T'1'2*,BILANAGRP02#T'22'6*T'6'4*R*T'1'2*,BILANAGRP03#T'22'7*T'4'4*R*T'1'2*,TDBTRESOGRP01#T'20'6*T'3'24*T'1'2*R*,"
        "PAGEPOURFAIRECOULEURS#T'14'2*,METSAUT#,TABREC0605#T'6'4*R*T'1'6*,TABRD#T'22'4*R*T'1'6*,TABANVAR#T'30'10*T'4'2*R*T'1'2*T'1'2*T'1'2*T'1'6*,TABEFF#T'9'4*R*T'1'6*,TABSWOT#R*T'4'2*T'1'6*,TABPLANACTION#T'50'100*R*T'1'6*,TABUNIT#R*T'13'4*T'1'6*,TABIDENT#T'69'3*,AVANTPLANDUMMY#,AVANTPLAN#,EXPLICPREV1#,METSOUSMENU1#,TABREC01#T'5'4*R*T'1'6*,"
        "IMPRESSION#T'1'5*T'7'2*,MNUOUTILSMET#,EXPLICSELVO#,EXPLICBP#,EXPLICOUTIL#,AIDEGEN#,EXPLICPREV2#,METMENUEDITETITRES#R*R*R*R*R*R*R*R*R*R*,PUBORV#,IMPRIMEPAGE#,METSOUSMENUEDITETITRES#R*R*R*R*R*,EXPORTCOUV#R*,EXPORTER#T'17'2*";
    return kD22;
}

}  // namespace korv::plan
