#include "print/export_remplacements.h"

#include <gtest/gtest.h>

namespace korv::print {
namespace {

TEST(ExportRemplacements, CellReferencesReplacedOnceEachScanningForward) {
    auto valeur = [](const std::string& ref) { return ref == "P,G,A1" ? std::string("12,50") : "[$ident(" + ref + ")$]"; };
    // Two references; a value that holds a reference is not read again;
    // an unterminated one stays.
    EXPECT_EQ(RemplaceReferencesCellules("a $ident(P,G,A1)$ b $ident(X,Y,Z)$ c $ident(P", valeur),
              "a 12,50 b [$ident(X,Y,Z)$] c $ident(P");
}

TEST(ExportRemplacements, TablesBreaksTabsAndPageNumbersInTheExportedText) {
    auto tableau = [](int feuille, ModeTableauRTF mode) {
        return "<T" + std::to_string(feuille) + "," + std::to_string(static_cast<int>(mode)) + " $TABLEAU_RTF>";
    };
    EXPECT_EQ(TexteExporteRTF("x$TABLEAU_RTF,2,1$y$TABLEAU_RTF,3,0$<...nouvelle page...>z<TABULATION>"
                              "<NUMERO DE PAGE RUBRIQUE 1.2.>w<NUMERO DE PAGE",
                              tableau),
              "x<T2,1 $TABLEAU_RTF> \\par \\li495 \\ri495y<T3,0 $TABLEAU_RTF> \\par \\li495 \\ri495 \\page z"
              "w<NUMERO DE PAGE");
}

}  // namespace
}  // namespace korv::print
