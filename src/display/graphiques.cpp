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

// The text a point's label shows; empty when the point shows none.
std::string TexteEtiquette(const SerieGraphique& s, std::size_t r) {
    if (s.etiquettes[r]) return *s.etiquettes[r];
    if (s.etiquettesPerso || s.reglageEtiquette == 0 || !s.valeurs[r]) return {};
    if (s.formatValeurs == "-0.00") return grid::FormatFrancais(*s.valeurs[r], 2, false);
    return grid::FormatFrancais(*s.valeurs[r], 0, true);
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
        auto* set = new QBarSet(Q(s.legende));
        for (const auto& v : s.valeurs) *set << (v ? *v : 0.0);
        set->setColor(CouleurSerie(s));
        set->setBorderColor(s.bordVisible ? QColor(Qt::black) : QColor(Qt::transparent));
        series->append(set);
    }
    chart.addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

// Lines and areas: a missing point breaks the line into pieces.
void AjouteLignes(QChart& chart, const ContenuGraphique& g, QAbstractAxis* x, QValueAxis* y) {
    for (const SerieGraphique& s : g.series) {
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
            const std::string e = TexteEtiquette(s, r);
            part->setLabel(Q(e));
            part->setLabelVisible(!e.empty() && e != " ");
        }
    }
    chart.addSeries(secteurs);
}

// Labels are drawn over the rendered chart, so that custom texts and the
// French number format show as the parameter grid asks.
void DessineEtiquettes(QPainter& p, QChart& chart, const ContenuGraphique& g, QAbstractSeries* reference,
                       const QPointF& origine) {
    if (!reference || g.genre == GenreGraphique::Secteurs) return;
    const int n = static_cast<int>(g.series.size());
    const double largeurCategorie = g.categories > 0 ? chart.plotArea().width() / g.categories : 0;
    for (int k = 0; k < n; ++k) {
        const SerieGraphique& s = g.series[static_cast<std::size_t>(k)];
        for (std::size_t r = 0; r < s.valeurs.size(); ++r) {
            const std::string e = TexteEtiquette(s, r);
            if (e.empty() || e == " " || !s.valeurs[r]) continue;
            QPointF pt = chart.mapToPosition(QPointF(static_cast<double>(r), *s.valeurs[r]), reference);
            if (g.genre == GenreGraphique::Barres && n > 1) {
                const double barre = largeurCategorie * 0.5 / n;
                pt.rx() += (k - (n - 1) / 2.0) * barre;
            }
            const QString t = Q(e);
            const QRectF boite(pt.x() - 60 + origine.x(), pt.y() - 16 + origine.y(), 120, 14);
            p.drawText(boite, Qt::AlignHCenter | Qt::AlignBottom, t);
        }
    }
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

void Dessine(const ContenuGraphique& g, QImage& cible, const QRect& rect);

}  // namespace

void GraphiqueDessiner(const ContenuGraphique& g, QImage& cible, const QRect& rect) {
    if (rect.width() < 2 || rect.height() < 2 || qApp == nullptr) return;
    FilGraphiques::Instance().Execute([&] { Dessine(g, cible, rect); });
}

namespace {

void Dessine(const ContenuGraphique& g, QImage& cible, const QRect& rect) {
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
        if (g.genre == GenreGraphique::Barres || g.genre == GenreGraphique::BarresEmpilees) {
            AjouteBarres(*chart, g, x, y);
        } else {
            AjouteLignes(*chart, g, x, y);
        }
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
    p.setPen(Qt::black);
    DessineEtiquettes(p, *chart, g, reference, rect.topLeft());
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
}

void GraphiquesPage::GraphiquesEffacerTous() { graphiques_.clear(); }

const grid::GraphiqueClasse* GraphiquesPage::Graphique(int page, int objet) const {
    const auto i = graphiques_.find({page, objet});
    return i == graphiques_.end() ? nullptr : i->second.get();
}

void GraphiquesPage::ObjetGraphiqueDessine(int page, int objet, std::int32_t gauche, std::int32_t haut,
                                           std::int32_t w, std::int32_t h) {
    const engine::ObjetPage* o = a_.Objet(page, objet);
    if (o == nullptr) return;
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

    auto& g = graphiques_[{page, objet}];
    if (!g) {
        g = std::make_unique<grid::GraphiqueClasse>();
        g->MajDonnees(engine::ListeStdElementValeur(o->texte, 1), engine::ListeStdElementValeur(o->texte, 2), false,
                      env);
    } else {
        // Every drawing reads the grids again, so that a chart follows its
        // grids' values however its page came to be redrawn.
        g->MajDonneesTableau(false, env);
    }
    g->InitialiseRectangleParent(a_.PxX(gauche), a_.PxY(haut), a_.PxX(gauche + w), a_.PxY(haut + h));
    GraphiqueDessiner(g->Contenu(), a_.PageTampon.Image(),
                      QRect(g->Gauche(), g->Haut(), g->Largeur(), g->Hauteur()));
}

}  // namespace korv::display
