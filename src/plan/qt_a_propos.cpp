#include "plan/qt_a_propos.h"

#include <string>

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

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

    QObject::connect(lienUrl, &QPushButton::clicked, this, [this] {
        if (ouvrirLien) ouvrirLien(kAdresseProduit);
    });
    QObject::connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(lblDisclaimer);
    colonne->addWidget(lienUrl, 0, Qt::AlignLeft);
    colonne->addWidget(cmdOK, 0, Qt::AlignRight);
}

}  // namespace korv::plan
