#pragma once
// The splash window `frmSplash`: the product's name, version, "Chargement
// en cours" and the loading percentage. Any key or a click closes it;
// loading goes on.

#include <memory>

#include <QWidget>

class QLabel;
class QProgressBar;

namespace korv::plan {

class FenetreSplash final : public QWidget {
public:
    FenetreSplash();

    QLabel* image1 = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblLicenseTo = nullptr;
    QLabel* label1 = nullptr;
    QProgressBar* pourcentageValeur = nullptr;

protected:
    void keyPressEvent(QKeyEvent* evenement) override;
    void mouseReleaseEvent(QMouseEvent* evenement) override;
};

class SplashDemarrage {
public:
    SplashDemarrage() = default;
    ~SplashDemarrage();
    SplashDemarrage(const SplashDemarrage&) = delete;
    SplashDemarrage& operator=(const SplashDemarrage&) = delete;

    // Creates the window when needed, centres it and shows it; returns at once.
    void Montrer();
    // 0..100 sets the progress bar, creating the window (hidden) when it is
    // not loaded; other values do nothing.
    void OrvaneSplashAffiche(long pourcent);
    void Decharger();

    // The window while loaded (shown, or closed by the user), else null.
    FenetreSplash* Fenetre() const noexcept { return fenetre_.get(); }

private:
    std::unique_ptr<FenetreSplash> fenetre_;
};

}  // namespace korv::plan
