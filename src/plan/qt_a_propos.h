#pragma once
// The About box `frmAbout`: version, publisher and credits, a button that
// opens the product's web address, and "OK".

#include <functional>
#include <string_view>

#include <QDialog>

class QLabel;
class QPushButton;

namespace korv::plan {

class FenetreAPropos final : public QDialog {
public:
    explicit FenetreAPropos(QWidget* parent = nullptr);

    // Opens an address; by default in the desktop's browser.
    std::function<void(std::string_view adresse)> ouvrirLien;

    QLabel* image1 = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* lienUrl = nullptr;
    QPushButton* cmdOK = nullptr;
};

}  // namespace korv::plan
