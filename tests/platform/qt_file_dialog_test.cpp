#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include "platform/qt_file_dialog.h"
#include "qt_test_app.h"

namespace korv::platform {
namespace {

// The save dialog as a user drives it: the filter chosen in its list, then
// a name typed without an extension.
std::string Enregistrer(DemandeFichier d, int filtre, const QString& nom) {
    ApplicationTest();
    QTimer::singleShot(0, [filtre, nom] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialogue = qobject_cast<QFileDialog*>(w);
            if (dialogue == nullptr || !dialogue->isVisible()) continue;
            auto* liste = dialogue->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            auto* saisie = dialogue->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (liste == nullptr || saisie == nullptr) {
                dialogue->reject();
                return;
            }
            liste->setCurrentIndex(filtre);
            // What the list sends when the user picks an entry.
            emit liste->activated(filtre);
            emit liste->textActivated(liste->itemText(filtre));
            saisie->setText(nom);
            QMetaObject::invokeMethod(dialogue, "accept");
        }
    });
    QtDialogueFichier dialogue;
    return dialogue.Enregistrer(d) ? d.NomFichier : std::string("(annul\xE9)");
}

// A name typed without an extension takes that of the chosen filter, or
// the default extension when the filter has none of its own.
TEST(QtDialogueFichier, UnNomSansExtensionPrendCelleDuFiltreChoisi) {
    const std::string dossier = std::filesystem::temp_directory_path().string();
    DemandeFichier d;
    d.Filtre = "Excel 5/7 (*.xls)|*.xls|Texte d\xE9limit\xE9 (*.txt)|*.txt|Tous|*.*";
    d.ExtensionDefaut = "xls";
    d.RepertoireInitial = dossier;
    const QString nom = QString::fromStdString(dossier + "/tableaux");
    EXPECT_EQ(Enregistrer(d, 0, nom), dossier + "/tableaux.xls");
    EXPECT_EQ(Enregistrer(d, 1, nom), dossier + "/tableaux.txt");
    EXPECT_EQ(Enregistrer(d, 2, nom), dossier + "/tableaux.xls");
    EXPECT_EQ(Enregistrer(d, 1, nom + ".dat"), dossier + "/tableaux.dat");
}

}  // namespace
}  // namespace korv::platform
