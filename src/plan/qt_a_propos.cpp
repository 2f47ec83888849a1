#include "plan/qt_a_propos.h"

#include <string>

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "plan/qt_fenetres_outils.h"
#include "plan/textes_fenetres.h"
#include "platform/qt_cp1252.h"

namespace korv::plan {

FenetreAPropos::FenetreAPropos(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle(platform::VersQString(kTitreAPropos));
    ouvrirLien = [](std::string_view adresse) {
        QDesktopServices::openUrl(QUrl(QString::fromUtf8(adresse.data(), static_cast<qsizetype>(adresse.size()))));
    };

    lblDisclaimer = new QLabel(platform::VersQString(TexteAPropos()).replace("\r\n", "\n"), this);
    lblDisclaimer->setObjectName("lblDisclaimer");
    lblDisclaimer->setTextFormat(Qt::PlainText);
    lienUrl = new QPushButton(QString::fromUtf8(kAdresseProduit.data(), static_cast<qsizetype>(kAdresseProduit.size())),
                              this);
    lienUrl->setObjectName("LienUrl");
    lienUrl->setAutoDefault(false);
    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);

    // The address written on the button is the one opened.
    QObject::connect(lienUrl, &QPushButton::clicked, this, [this] {
        if (ouvrirLien) ouvrirLien(lienUrl->text().toStdString());
    });
    QObject::connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    image1 = new QLabel(this);
    image1->setObjectName("Image1");
    image1->setPixmap(ImageProduit(64));
    image1->setAlignment(Qt::AlignTop);

    auto* colonne = new QVBoxLayout;
    colonne->addWidget(lblDisclaimer);
    colonne->addWidget(lienUrl, 0, Qt::AlignLeft);
    colonne->addWidget(cmdOK, 0, Qt::AlignRight);
    auto* rangee = new QHBoxLayout(this);
    rangee->addWidget(image1, 0, Qt::AlignTop);
    rangee->addLayout(colonne, 1);
}

}  // namespace korv::plan
