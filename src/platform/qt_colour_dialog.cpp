#include "platform/qt_colour_dialog.h"

#include <algorithm>

#include <QApplication>
#include <QColorDialog>

#include "platform/qt_window_access.h"

namespace korv::platform {

namespace {

QColor VersQColor(std::int32_t colorref) {
    const Rvb c = DepuisColorref(colorref);
    return QColor(c.rouge, c.vert, c.bleu);
}

std::int32_t DepuisQColor(const QColor& c) {
    const QColor rgb = c.toRgb();
    return VersColorref({static_cast<std::uint8_t>(rgb.red()), static_cast<std::uint8_t>(rgb.green()),
                         static_cast<std::uint8_t>(rgb.blue())});
}

}  // namespace

bool QtDialogueCouleur::Choisir(std::int32_t& couleurRGB, CouleursPerso& couleursPerso) {
    // QColorDialog keeps its custom colours for the whole process; they are
    // loaded from the caller's table each time so the table stays the truth.
    const int nombre = std::min(QColorDialog::customCount(), static_cast<int>(couleursPerso.size()));
    for (int i = 0; i < nombre; ++i)
        QColorDialog::setCustomColor(i, VersQColor(couleursPerso[static_cast<std::size_t>(i)]));

    QWidget* proprietaire = QApplication::activeWindow();
    AccesFenetre acces;
    QColorDialog dialogue(VersQColor(couleurRGB), proprietaire);
    dialogue.setEnabled(true);  // created under a window we just disabled
    dialogue.setOption(QColorDialog::DontUseNativeDialog);
    const bool choisi = dialogue.exec() == QDialog::Accepted;
    acces.Retablir();

    for (int i = 0; i < nombre; ++i)
        couleursPerso[static_cast<std::size_t>(i)] = DepuisQColor(QColorDialog::customColor(i));
    if (choisi) couleurRGB = DepuisQColor(dialogue.selectedColor());
    return choisi;
}

}  // namespace korv::platform
