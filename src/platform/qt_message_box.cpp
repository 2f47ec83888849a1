#include "platform/qt_message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/qt_cp1252.h"

namespace korv::platform {

namespace {

QMessageBox::StandardButton BoutonQt(Reponse r) {
    switch (r) {
        case Reponse::Ok: return QMessageBox::Ok;
        case Reponse::Annuler: return QMessageBox::Cancel;
        case Reponse::Abandonner: return QMessageBox::Abort;
        case Reponse::Reessayer: return QMessageBox::Retry;
        case Reponse::Ignorer: return QMessageBox::Ignore;
        case Reponse::Oui: return QMessageBox::Yes;
        case Reponse::Non: return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconeQt(Icone i) {
    switch (i) {
        case Icone::Critique: return QMessageBox::Critical;
        case Icone::Question: return QMessageBox::Question;
        case Icone::Exclamation: return QMessageBox::Warning;
        case Icone::Information: return QMessageBox::Information;
        case Icone::Aucune: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

int QtBoiteMessage::Afficher(std::string_view texte, int style, std::string_view titre) {
    const StyleDecode decode = DecodeStyle(style);
    QMessageBox boite(QApplication::activeWindow());
    boite.setWindowTitle(VersQString(titre.empty() ? kTitreProduit : titre));
    // Plain text: scene texts are never to be read as HTML.
    boite.setTextFormat(Qt::PlainText);
    boite.setText(VersQString(texte));
    boite.setIcon(IconeQt(decode.icone));

    QMessageBox::StandardButtons boutons;
    for (Reponse r : decode.boutons) boutons |= BoutonQt(r);
    boite.setStandardButtons(boutons);
    boite.setDefaultButton(BoutonQt(decode.ReponseDefaut()));
    if (decode.Accepte(Code(Reponse::Annuler))) boite.setEscapeButton(QMessageBox::Cancel);

    boite.exec();
    const auto bouton = boite.standardButton(boite.clickedButton());
    for (Reponse r : decode.boutons) {
        if (BoutonQt(r) == bouton) return Code(r);
    }
    // Closed without a button of its own (Escape on a box without Cancel):
    // answer as Cancel would, or with the default button when there is none.
    return decode.Accepte(Code(Reponse::Annuler)) ? Code(Reponse::Annuler) : Code(decode.ReponseDefaut());
}

}  // namespace korv::platform
