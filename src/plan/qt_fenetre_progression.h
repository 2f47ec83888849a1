#pragma once
// The progress window `MESSAGE`: a caption, a line of text and a gauge 40
// twips wide per percent. Only the program closes it; its close box does
// nothing. Three buttons exist hidden, for a long operation that offers to
// be cancelled.

#include <memory>
#include <string>
#include <string_view>

#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

namespace korv::plan {

class FenetreMessage final : public QWidget {
public:
    explicit FenetreMessage(int twipsParPixelX);

    void Fermer();
    void LargeurBarreFixer(int twips);
    int LargeurBarreTwips() const noexcept { return largeurBarreTwips_; }

    QLabel* label = nullptr;
    QFrame* pourcentageConteneur = nullptr;
    QFrame* pourcentageValeur = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* annuler = nullptr;
    QPushButton* editer = nullptr;
    std::string reponse;  // "ANNULER" once cancelled

protected:
    void closeEvent(QCloseEvent* evenement) override;

private:
    void BoutonsCacher();

    int twipsParPixelX_;
    int largeurBarreTwips_ = 0;
    bool fermetureProgramme_ = false;
};

class FenetreProgression {
public:
    explicit FenetreProgression(int twipsParPixelX) noexcept;
    ~FenetreProgression();
    FenetreProgression(const FenetreProgression&) = delete;
    FenetreProgression& operator=(const FenetreProgression&) = delete;

    // Clears the answer, sets the caption and the text (Windows-1252), and
    // shows the window centred on the screen.
    void Ouvrir(std::string_view titre, std::string_view texte);
    // 0..100: gauge shown at that value; 200: gauge shown empty; -200: gauge
    // hidden; anything else, or the window closed: nothing.
    void Pourcentage(long valeur);
    // Nothing when the window is not open.
    void Fermer();

    bool EstOuverte() const noexcept { return fenetre_ != nullptr; }
    // The window while open, else null.
    FenetreMessage* Fenetre() const noexcept { return fenetre_.get(); }

private:
    int twipsParPixelX_;
    std::unique_ptr<FenetreMessage> fenetre_;
};

}  // namespace korv::plan
