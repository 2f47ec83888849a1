#include "display/graphiques.h"

#include <QApplication>
#include <QFont>
#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QPieSeries>
#include <QtCharts/QPieSlice>
#include <QtCharts/QStackedBarSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "display/affichage.h"
#include "engine/fichier_nom.h"
#include "engine/liste_std.h"
#include "engine/moteur.h"
#include "engine/recherche.h"
#include "grid/graphique.h"
#include "grid/tableau.h"
#include "platform/path_resolver.h"
#include "platform/qt_cp1252.h"

namespace korv::display {

namespace {

using grid::ContenuGraphique;
using grid::GenreGraphique;
using grid::SerieGraphique;

// A Windows colour (0x00BBGGRR); negative codes have no fill.
QColor CouleurSerie(const SerieGraphique& s) {
    if (s.invisible || s.couleur < 0) return Qt::transparent;
    const auto c = static_cast<std::uint32_t>(s.couleur);
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

QString Q(const std::string& cp1252) { return platform::VersQString(cp1252); }

const char* FormatAxe(const std::string& format) {
    if (format == "0,00") return "%.2f";
    if (format == "0,0") return "%.1f";
    return "%.0f";
}

// The parts a formatted label shows, by the bits of its label setting.
constexpr std::int32_t kEtiquetteValeur = 1;
constexpr std::int32_t kEtiquettePourcentage = 2;
constexpr std::int32_t kEtiquetteSerie = 4;
constexpr std::int32_t kEtiquetteCategorie = 8;

// The share of a point: in its category's total over the series, or for a
// pie in its series' total.
std::optional<double> Part(const ContenuGraphique& g, const SerieGraphique& s, std::size_t r) {
    if (!s.valeurs[r]) return std::nullopt;
    double total = 0;
    if (g.genre == GenreGraphique::Secteurs) {
        for (const auto& v : s.valeurs) total += v && *v > 0 ? *v : 0;
    } else {
        for (const auto& autre : g.series) {
            if (r < autre.valeurs.size() && autre.valeurs[r]) total += std::fabs(*autre.valeurs[r]);
        }
    }
    if (total == 0) return std::nullopt;
    return std::fabs(*s.valeurs[r]) / total;
}

// The text a point's label shows; empty when the point shows none. A
// formatted label joins, by the bits of its setting, the value, its share
// ("0%"), the series' legend and the category's number.
std::string TexteEtiquette(const ContenuGraphique& g, const SerieGraphique& s, std::size_t r) {
    if (s.etiquettes[r]) return *s.etiquettes[r];
    if (s.etiquettesPerso || s.reglageEtiquette == 0 || !s.valeurs[r]) return {};
    std::string texte;
    auto ajoute = [&texte](const std::string& partie) {
        if (partie.empty()) return;
        if (!texte.empty()) texte += " ";
        texte += partie;
    };
    if (s.reglageEtiquette & kEtiquetteCategorie) ajoute(std::to_string(r + 1));
    if (s.reglageEtiquette & kEtiquetteSerie) ajoute(s.legende);
    if (s.reglageEtiquette & kEtiquetteValeur) {
        ajoute(s.formatValeurs == "-0.00" ? grid::FormatFrancais(*s.valeurs[r], 2, false)
                                          : grid::FormatFrancais(*s.valeurs[r], 0, true));
    }
    if (s.reglageEtiquette & kEtiquettePourcentage) {
        if (const auto part = Part(g, s, r)) ajoute(grid::FormatFrancais(*part * 100, 0, false) + "%");
    }
    return texte;
}

// A series of a bar chart whose series setting names a line kind of the
// chart-kind cell (2 or 3) is drawn as a line over the bars.
bool EnLigneSurBarres(const ContenuGraphique& g, const SerieGraphique& s) {
    return (g.genre == GenreGraphique::Barres || g.genre == GenreGraphique::BarresEmpilees) &&
           (s.reglageSerie == 2 || s.reglageSerie == 3);
}

QStringList Categories(int m) {
    QStringList l;
    for (int r = 1; r <= m; ++r) l << QString::number(r);
    return l;
}

// Bars and stacked bars: a missing point is a bar of no height.
void AjouteBarres(QChart& chart, const ContenuGraphique& g, QAbstractAxis* x, QValueAxis* y) {
    QAbstractBarSeries* series = g.genre == GenreGraphique::BarresEmpilees
                                     ? static_cast<QAbstractBarSeries*>(new QStackedBarSeries)
                                     : static_cast<QAbstractBarSeries*>(new QBarSeries);
    for (const SerieGraphique& s : g.series) {
        if (EnLigneSurBarres(g, s)) continue;
        auto* set = new QBarSet(Q(s.legende));
        for (const auto& v : s.valeurs) *set << (v ? *v : 0.0);
        set->setColor(CouleurSerie(s));
        set->setBorderColor(s.bordVisible ? QColor(Qt::black) : QColor(Qt::transparent));
        series->append(set);
    }
    if (series->count() == 0) {
        delete series;
        return;
    }
    chart.addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

// Lines and areas: a missing point breaks the line into pieces.
// On a bar chart, only the series drawn as lines over the bars.
void AjouteLignes(QChart& chart, const ContenuGraphique& g, QAbstractAxis* x, QValueAxis* y) {
    const bool barres = g.genre == GenreGraphique::Barres || g.genre == GenreGraphique::BarresEmpilees;
    for (const SerieGraphique& s : g.series) {
        if (barres && !EnLigneSurBarres(g, s)) continue;
        bool premier = true;
        std::size_t r = 0;
        while (r < s.valeurs.size()) {
            if (!s.valeurs[r]) {
                ++r;
                continue;
            }
            auto* ligne = new QLineSeries;
            for (; r < s.valeurs.size() && s.valeurs[r]; ++r) ligne->append(static_cast<double>(r), *s.valeurs[r]);
            QAbstractSeries* serie = ligne;
            if (g.genre == GenreGraphique::Aires) {
                auto* aire = new QAreaSeries(ligne);
                aire->setColor(CouleurSerie(s));
                aire->setBorderColor(s.bordVisible ? QColor(Qt::black) : QColor(Qt::transparent));
                serie = aire;
            } else {
                QPen pen(CouleurSerie(s));
                pen.setWidthF(static_cast<double>(s.epaisseurLigne));
                ligne->setPen(pen);
            }
            serie->setName(Q(s.legende));
            chart.addSeries(serie);
            serie->attachAxis(x);
            serie->attachAxis(y);
            // One legend entry per series.
            if (!premier) {
                for (QLegendMarker* mk : chart.legend()->markers(serie)) mk->setVisible(false);
            }
            premier = false;
        }
    }
}

void AjouteSecteurs(QChart& chart, const ContenuGraphique& g) {
    auto* secteurs = new QPieSeries;
    if (!g.series.empty()) {
        const SerieGraphique& s = g.series.front();
        for (std::size_t r = 0; r < s.valeurs.size(); ++r) {
            if (!s.valeurs[r] || *s.valeurs[r] <= 0) continue;
            QPieSlice* part = secteurs->append(QString::number(r + 1), *s.valeurs[r]);
            const std::string e = TexteEtiquette(g, s, r);
            part->setLabel(Q(e));
            part->setLabelVisible(!e.empty() && e != " ");
        }
    }
    chart.addSeries(secteurs);
}

// Where a point stands on the drawn chart: the top of its bar (and the bar
// itself) or the point of its line.
struct PlacePoint {
    QPointF point;
    std::optional<QRectF> barre;
};

std::optional<PlacePoint> Place(QChart& chart, const ContenuGraphique& g, std::size_t k, std::size_t r,
                                QAbstractSeries* reference) {
    const SerieGraphique& s = g.series[k];
    if (!s.valeurs[r]) return std::nullopt;
    const double v = *s.valeurs[r];
    if (!(g.genre == GenreGraphique::Barres || g.genre == GenreGraphique::BarresEmpilees) || EnLigneSurBarres(g, s)) {
        return PlacePoint{chart.mapToPosition(QPointF(static_cast<double>(r), v), reference), std::nullopt};
    }
    // Bars: each bar series takes its share of half the category's width
    // (Qt's bar width); stacked bars pile up from 0 on each side.
    std::size_t nb = 0, rang = 0;
    double base = 0;
    for (std::size_t j = 0; j < g.series.size(); ++j) {
        if (EnLigneSurBarres(g, g.series[j])) continue;
        if (j < k) {
            ++rang;
            const auto& w = g.series[j].valeurs[r];
            if (w && (*w >= 0) == (v >= 0)) base += *w;
        }
        ++nb;
    }
    const double largeurCategorie = g.categories > 0 ? chart.plotArea().width() / g.categories : 0;
    const bool empile = g.genre == GenreGraphique::BarresEmpilees;
    const double largeur = largeurCategorie * 0.5 / (empile ? 1.0 : static_cast<double>(std::max<std::size_t>(nb, 1)));
    const double bas = empile ? base : 0;
    const QPointF haut = chart.mapToPosition(QPointF(static_cast<double>(r), bas + v), reference);
    const QPointF pied = chart.mapToPosition(QPointF(static_cast<double>(r), bas), reference);
    double x = haut.x();
    if (!empile && nb > 1) x += (static_cast<double>(rang) - (static_cast<double>(nb) - 1) / 2.0) * largeur;
    const QRectF barre(x - largeur / 2, std::min(haut.y(), pied.y()), largeur, std::fabs(pied.y() - haut.y()));
    return PlacePoint{QPointF(x, haut.y()), barre};
}

// The point marker of a series' point setting: 0 none, 1 a square, any
// other a round mark; in the series' colour with a black edge.
void DessineMarque(QPainter& p, const SerieGraphique& s, const QPointF& c) {
    if (s.reglagePoints <= 0 || s.invisible) return;
    constexpr double kDemi = 3.5;
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(CouleurSerie(s) == QColor(Qt::transparent) ? QColor(Qt::white) : CouleurSerie(s));
    const QRectF boite(c.x() - kDemi, c.y() - kDemi, 2 * kDemi, 2 * kDemi);
    if (s.reglagePoints == 1) {
        p.drawRect(boite);
    } else {
        p.drawEllipse(boite);
    }
    p.setBrush(Qt::NoBrush);
}

// The points' picture, by the picture number: 1 stretched over the bar,
// 2 repeated up the bar, anything else (and on a line) at its own size
// centred on the point.
void DessineImage(QPainter& p, const QImage& image, int numero, const PlacePoint& place) {
    if (image.isNull()) return;
    if (place.barre && numero == 1) {
        p.drawImage(*place.barre, image);
        return;
    }
    if (place.barre && numero == 2 && place.barre->height() >= 1) {
        const QRectF& b = *place.barre;
        const double h = image.height() * b.width() / std::max(1, image.width());
        if (h >= 1) {
            p.save();
            p.setClipRect(b, Qt::IntersectClip);
            for (double y = b.bottom() - h; y + h > b.top(); y -= h) p.drawImage(QRectF(b.left(), y, b.width(), h), image);
            p.restore();
        }
        return;
    }
    p.drawImage(QPointF(place.point.x() - image.width() / 2.0, place.point.y() - image.height() / 2.0), image);
}

// Pictures, point marks and labels are drawn over the rendered chart, so
// that custom texts and the French number format show as the parameter
// grid asks.
void DessinePoints(QPainter& p, QChart& chart, const ContenuGraphique& g, QAbstractSeries* reference,
                   const QPointF& origine, const QImage& image) {
    if (!reference || g.genre == GenreGraphique::Secteurs) return;
    p.save();
    p.translate(origine);
    for (std::size_t k = 0; k < g.series.size(); ++k) {
        const SerieGraphique& s = g.series[k];
        for (std::size_t r = 0; r < s.valeurs.size(); ++r) {
            const auto place = Place(chart, g, k, r, reference);
            if (!place) continue;
            if (!g.image.empty() && !s.imageAbsente && !s.invisible) DessineImage(p, image, g.imageNumero, *place);
            DessineMarque(p, s, place->point);
            const std::string e = TexteEtiquette(g, s, r);
            if (e.empty() || e == " ") continue;
            p.setPen(Qt::black);
            const QRectF boite(place->point.x() - 60, place->point.y() - 16, 120, 14);
            p.drawText(boite, Qt::AlignHCenter | Qt::AlignBottom, Q(e));
        }
    }
    p.restore();
}

// Qt Charts measures its texts with one text item of its own, made in the
// first thread that draws a chart and unusable from any other. Every chart
// is therefore drawn on one thread of its own, which lives as long as the
// process (each play thread of the headless driver is a new thread).
class FilGraphiques {
public:
    static FilGraphiques& Instance() {
        static FilGraphiques* fil = new FilGraphiques;  // never destroyed: its thread outlives main
        return *fil;
    }

    // Runs `travail` on the chart thread and waits for it.
    void Execute(const std::function<void()>& travail) {
        std::unique_lock verrou(m_);
        libre_.wait(verrou, [this] { return travail_ == nullptr; });
        travail_ = &travail;
        erreur_ = nullptr;
        fait_ = false;
        pret_.notify_all();
        libre_.wait(verrou, [this] { return fait_; });
        std::exception_ptr e = erreur_;
        travail_ = nullptr;
        libre_.notify_all();
        if (e) std::rethrow_exception(e);
    }

private:
    FilGraphiques() : fil_([this] { Boucle(); }) { fil_.detach(); }

    void Boucle() {
        std::unique_lock verrou(m_);
        for (;;) {
            pret_.wait(verrou, [this] { return travail_ != nullptr && !fait_; });
            const std::function<void()>* t = travail_;
            verrou.unlock();
            std::exception_ptr e;
            try {
                (*t)();
            } catch (...) {
                e = std::current_exception();
            }
            verrou.lock();
            erreur_ = e;
            fait_ = true;
            libre_.notify_all();
        }
    }

    std::mutex m_;
    std::condition_variable pret_;
    std::condition_variable libre_;
    const std::function<void()>* travail_ = nullptr;
    bool fait_ = false;
    std::exception_ptr erreur_;
    std::thread fil_;
};

void Dessine(const ContenuGraphique& g, QImage& cible, const QRect& rect, const QImage& image);

}  // namespace

void GraphiqueDessiner(const ContenuGraphique& g, QImage& cible, const QRect& rect) {
    GraphiqueDessiner(g, cible, rect, QImage());
}

void GraphiqueDessiner(const ContenuGraphique& g, QImage& cible, const QRect& rect, const QImage& imagePoints) {
    if (rect.width() < 2 || rect.height() < 2 || qApp == nullptr) return;
    FilGraphiques::Instance().Execute([&] { Dessine(g, cible, rect, imagePoints); });
}

namespace {

void Dessine(const ContenuGraphique& g, QImage& cible, const QRect& rect, const QImage& image) {
    QChart* chart = new QChart;  // owned by the scene
    QGraphicsScene scene;
    // No index: the index is built by a timer, and the play loop may run
    // on a thread without timers.
    scene.setItemIndexMethod(QGraphicsScene::NoIndex);
    scene.addItem(chart);
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale(QLocale::French, QLocale::France));
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setBackgroundBrush(Qt::white);
    chart->setMargins(QMargins(2, 2, 2, 2));
    QFont police("Arial");
    police.setPixelSize(g.taillePolice + 3);
    if (!g.titre.empty()) {
        QFont titre = police;
        titre.setBold(true);
        chart->setTitleFont(titre);
        chart->setTitle(Q(g.titre));
    }
    chart->legend()->setFont(police);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->legend()->setVisible(!g.series.empty());

    QAbstractSeries* reference = nullptr;
    if (g.genre == GenreGraphique::Secteurs) {
        AjouteSecteurs(*chart, g);
    } else {
        QAbstractAxis* x = nullptr;
        if (g.genre == GenreGraphique::Barres || g.genre == GenreGraphique::BarresEmpilees) {
            auto* cat = new QBarCategoryAxis;
            cat->append(Categories(g.categories));
            x = cat;
        } else {
            auto* val = new QValueAxis;
            val->setRange(0, std::max(1, g.categories - 1));
            val->setLabelFormat("%.0f");
            x = val;
        }
        auto* y = new QValueAxis;
        y->setLabelFormat(FormatAxe(g.formatAxeValeurs));
        double bas = 0, haut = 0;
        for (const auto& s : g.series) {
            for (const auto& v : s.valeurs) {
                if (v) {
                    bas = std::min(bas, *v);
                    haut = std::max(haut, *v);
                }
            }
        }
        if (g.genre == GenreGraphique::BarresEmpilees) {
            haut = 0;
            for (int r = 0; r < g.categories; ++r) {
                double somme = 0;
                for (const auto& s : g.series) {
                    const auto& v = s.valeurs[static_cast<std::size_t>(r)];
                    if (v && *v > 0) somme += *v;
                }
                haut = std::max(haut, somme);
            }
        }
        if (haut <= bas) haut = bas + 1;
        y->setRange(bas, haut + (haut - bas) * 0.1);
        y->applyNiceNumbers();
        x->setTitleText(Q(g.titreAxeCategories));
        y->setTitleText(Q(g.titreAxeValeurs));
        x->setLabelsFont(police);
        y->setLabelsFont(police);
        x->setTitleFont(police);
        y->setTitleFont(police);
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        // The axis switch: grid lines across the plot, or a bare plot.
        x->setGridLineVisible(false);
        y->setGridLineVisible(g.interrupteursAxes);
        if (g.genre == GenreGraphique::Barres || g.genre == GenreGraphique::BarresEmpilees) AjouteBarres(*chart, g, x, y);
        AjouteLignes(*chart, g, x, y);
        if (!chart->series().isEmpty()) reference = chart->series().front();
    }

    chart->setGeometry(0, 0, rect.width(), rect.height());
    scene.setSceneRect(0, 0, rect.width(), rect.height());
    // The chart lays out its items through posted events; the drawing runs
    // outside any event loop, so they are delivered here.
    QCoreApplication::sendPostedEvents();
    if (chart->layout()) chart->layout()->activate();
    QCoreApplication::sendPostedEvents();
    QPainter p(&cible);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setClipRect(rect);
    scene.render(&p, QRectF(rect), QRectF(0, 0, rect.width(), rect.height()));
    p.setFont(police);
    DessinePoints(p, *chart, g, reference, rect.topLeft(), image);
}

}  // namespace

GraphiquesPage::GraphiquesPage(AffichagePage& affichage, std::function<grid::TableauClasse*(int, int)> grille)
    : a_(affichage), grille_(std::move(grille)) {}

GraphiquesPage::~GraphiquesPage() = default;

void GraphiquesPage::Brancher() {
    a_.crochets.ObjetGraphiqueDessine = [this](int page, int objet, std::int32_t gauche, std::int32_t haut,
                                               std::int32_t w, std::int32_t h) {
        ObjetGraphiqueDessine(page, objet, gauche, haut, w, h);
    };
    a_.crochets.GraphiquesEffacerTous = [this] { GraphiquesEffacerTous(); };
    a_.crochets.GraphiqueRafraichir = [this](int page, int objet) { GraphiqueRafraichir(page, objet); };
}

void GraphiquesPage::GraphiquesEffacerTous() { graphiques_.clear(); }

const grid::GraphiqueClasse* GraphiquesPage::Graphique(int page, int objet) const {
    const auto i = graphiques_.find({page, objet});
    return i == graphiques_.end() ? nullptr : i->second.get();
}

grid::EnvironnementGraphique GraphiquesPage::Environnement() {
    const engine::Scene& scene = a_.moteur.scene;
    grid::EnvironnementGraphique env;
    env.grille = [this, &scene](std::string_view nomPage, std::string_view nomObjet) -> grid::TableauClasse* {
        const int p = engine::NumeroDePage(scene, nomPage);
        if (p < 1) return nullptr;
        const int n = engine::NumeroObjet(scene, p, nomObjet);
        if (n < 1 || !grille_) return nullptr;
        return grille_(p, n);
    };
    const std::string dossier = std::filesystem::path(scene.entete.cheminScene).parent_path().string();
    env.nomAbsolu = [dossier](std::string_view f) { return engine::NomFichierAbsolu(f, dossier); };
    env.fichierExiste = [](const std::string& f) { return platform::ResoudreChemin(f).has_value(); };
    return env;
}

void GraphiquesPage::Affiche(const grid::GraphiqueClasse& g) {
    const grid::ContenuGraphique& c = g.Contenu();
    QImage image;
    if (!c.image.empty()) image = a_.images.cache.Charger(c.image, "ObjetGraphiqueDessine");
    GraphiqueDessiner(c, a_.PageTampon.Image(), QRect(g.Gauche(), g.Haut(), g.Largeur(), g.Hauteur()), image);
}

void GraphiquesPage::ObjetGraphiqueDessine(int page, int objet, std::int32_t gauche, std::int32_t haut,
                                           std::int32_t w, std::int32_t h) {
    const engine::ObjetPage* o = a_.Objet(page, objet);
    if (o == nullptr) return;
    // The grids are read when the chart is made; later drawings show what
    // it holds until a script asks for a refresh.
    auto& g = graphiques_[{page, objet}];
    if (!g) {
        g = std::make_unique<grid::GraphiqueClasse>();
        g->MajDonnees(engine::ListeStdElementValeur(o->texte, 1), engine::ListeStdElementValeur(o->texte, 2), false,
                      Environnement());
    }
    g->InitialiseRectangleParent(a_.PxX(gauche), a_.PxY(haut), a_.PxX(gauche + w), a_.PxY(haut + h));
    Affiche(*g);
}

void GraphiquesPage::GraphiqueRafraichir(int page, int objet) {
    const auto i = graphiques_.find({page, objet});
    if (i == graphiques_.end()) {
        a_.MajDessinObjet(page, objet, true, true, 0, 0, -1);
        return;
    }
    i->second->MajDonneesTableau(false, Environnement());
    Affiche(*i->second);
}

}  // namespace korv::display
