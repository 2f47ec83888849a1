#include "platform/qt_process_launcher.h"

#include <signal.h>

#include <cerrno>
#include <fstream>
#include <string>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

namespace korv::platform {

namespace {

constexpr int kDelaiXdgMs = 5000;

QString Natif(std::string_view s) { return QFile::decodeName(QByteArray(s.data(), static_cast<qsizetype>(s.size()))); }

// One line of output of a short helper program, or "" when it failed.
QString Interroge(const QString& programme, const QStringList& arguments) {
    QProcess p;
    p.start(programme, arguments, QIODevice::ReadOnly);
    if (!p.waitForFinished(kDelaiXdgMs)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return {};
    return QString::fromLocal8Bit(p.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0).trimmed();
}

// The Exec value of the [Desktop Entry] group of a .desktop file.
QString LigneExec(const QString& fichierDesktop) {
    QFile f(fichierDesktop);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QTextStream in(&f);
    bool groupe = false;
    while (!in.atEnd()) {
        const QString ligne = in.readLine().trimmed();
        if (ligne.startsWith(QLatin1Char('['))) {
            groupe = ligne == QLatin1String("[Desktop Entry]");
        } else if (groupe && ligne.startsWith(QLatin1String("Exec="))) {
            return ligne.mid(5).trimmed();
        }
    }
    return {};
}

// The Exec line as a command: field codes dropped, "%%" kept as "%".
QString SansCodesDeChamp(const QString& exec) {
    QString r;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        if (exec.at(i) == QLatin1Char('%') && i + 1 < exec.size()) {
            if (exec.at(i + 1) == QLatin1Char('%')) r += QLatin1Char('%');
            ++i;
            continue;
        }
        r += exec.at(i);
    }
    return r.simplified();
}

}  // namespace

std::int32_t QtLanceurProcessus::Lance(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.front().empty()) return 0;
    QStringList args;
    for (std::size_t i = 1; i < arguments.size(); ++i) args.append(Natif(arguments[i]));
    qint64 pid = 0;
    if (!QProcess::startDetached(Natif(arguments.front()), args, QString(), &pid)) return 0;
    return pid > 0 && pid <= INT32_MAX ? static_cast<std::int32_t>(pid) : 0;
}

bool QtLanceurProcessus::EstActif(std::int32_t pid) const {
    if (pid <= 0) return false;
    if (::kill(pid, 0) != 0 && errno != EPERM) return false;
    // An ended process that nobody has reaped yet still answers kill().
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string texte;
    std::getline(stat, texte);
    const auto fin = texte.rfind(')');
    if (fin == std::string::npos || fin + 2 >= texte.size()) return true;  // no /proc: trust kill()
    const char etat = texte[fin + 2];
    return etat != 'Z' && etat != 'X';
}

std::string QtLanceurProcessus::ProgrammeAssocie(std::string_view fichier) const {
    const QString nom = Natif(fichier);
    if (nom.isEmpty() || !QFileInfo(nom).isFile()) return {};
    const QString type = Interroge(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("filetype"), nom});
    if (type.isEmpty()) return {};
    const QString application = Interroge(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!application.endsWith(QLatin1String(".desktop"))) return {};
    QString desktop = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, application);
    if (desktop.isEmpty()) {
        // "vendor-name.desktop" may live as vendor/name.desktop.
        const qsizetype tiret = application.indexOf(QLatin1Char('-'));
        if (tiret > 0) {
            QString sousDossier = application;
            sousDossier[tiret] = QLatin1Char('/');
            desktop = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, sousDossier);
        }
    }
    if (desktop.isEmpty()) return {};
    return QFile::encodeName(SansCodesDeChamp(LigneExec(desktop))).toStdString();
}

}  // namespace korv::platform
