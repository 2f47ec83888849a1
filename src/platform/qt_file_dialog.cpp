#include "platform/qt_file_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "platform/file_dialog_filter.h"
#include "platform/qt_cp1252.h"
#include "platform/qt_window_access.h"

namespace korv::platform {

namespace {

// Names cannot hold a NUL; a caller's text stops at the first one.
QString Texte(std::string_view s) {
    return VersQString(s.substr(0, s.find('\0')));
}

}  // namespace

bool QtDialogueFichier::Montre(DemandeFichier& demande, bool enregistrer) {
    QWidget* proprietaire = QApplication::activeWindow();
    AccesFenetre acces;

    QFileDialog dialogue(proprietaire, Texte(demande.TitreDialogue), Texte(demande.RepertoireInitial));
    dialogue.setEnabled(true);  // created under a window we just disabled
    dialogue.setOption(QFileDialog::DontUseNativeDialog);
    dialogue.setOption(QFileDialog::HideNameFilterDetails);
    const std::int32_t options = demande.Options;
    if (enregistrer) {
        dialogue.setAcceptMode(QFileDialog::AcceptSave);
        dialogue.setFileMode(QFileDialog::AnyFile);
        if (!(options & options_fichier::ConfirmeEcrasement))
            dialogue.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialogue.setAcceptMode(QFileDialog::AcceptOpen);
        dialogue.setFileMode((options & options_fichier::FichierDoitExister) ? QFileDialog::ExistingFile
                                                                             : QFileDialog::AnyFile);
    }

    QStringList filtres;
    for (const std::string& f : FiltresQt(demande.Filtre)) filtres.append(VersQString(f));
    if (!filtres.isEmpty()) {
        dialogue.setNameFilters(filtres);
        dialogue.selectNameFilter(
            filtres.at(static_cast<qsizetype>(PositionFiltre(demande.IndexFiltre, static_cast<std::size_t>(filtres.size())))));
    }
    if (!demande.ExtensionDefaut.empty()) {
        dialogue.setDefaultSuffix(Texte(demande.ExtensionDefaut));
        // A name typed without an extension takes that of the chosen filter
        // ("Texte délimité (*.txt)" gives ".txt"), else the default one.
        const std::vector<FiltreFichier> analyse = AnalyseFiltre(demande.Filtre);
        // The dialog names the chosen filter by its label alone (its
        // patterns are hidden): the filter is the first one of that label.
        auto suivre = [&dialogue, &demande, analyse, filtres] {
            const QString choisi = dialogue.selectedNameFilter();
            qsizetype i = 0;
            while (i < filtres.size() && filtres.at(i) != choisi && !filtres.at(i).startsWith(choisi + QStringLiteral(" ("))) ++i;
            const std::string e = i >= 0 && i < static_cast<qsizetype>(analyse.size())
                                      ? ExtensionDuFiltre(analyse[static_cast<std::size_t>(i)])
                                      : std::string();
            dialogue.setDefaultSuffix(Texte(e.empty() ? demande.ExtensionDefaut : e));
        };
        QObject::connect(&dialogue, &QFileDialog::filterSelected, &dialogue, suivre);
        suivre();
    }
    if (!demande.NomFichier.empty()) dialogue.selectFile(Texte(demande.NomFichier));

    // The program keeps file names as Windows-1252 bytes: a name it could not
    // hold would come back with '?' in it and name another file, so it is
    // refused and the user chooses again.
    for (;;) {
        if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty()) {
            AnnuleDemande(demande);
            return false;
        }
        const QString choisi = dialogue.selectedFiles().constFirst();
        if (EstRepresentableCp1252(choisi)) {
            AccepteDemande(demande, DepuisQString(choisi));
            return true;
        }
        QMessageBox::warning(&dialogue, dialogue.windowTitle(),
                             QStringLiteral("Le nom « %1 » contient des caractères que le programme ne sait pas "
                                            "enregistrer. Choisissez un autre nom.")
                                 .arg(choisi));
    }
}

}  // namespace korv::platform
