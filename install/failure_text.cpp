#include "failure_text.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cerrno>

namespace fs = std::filesystem;

namespace Modul1 {

namespace {

constexpr std::size_t namedFailures = 5;

QString shown(const fs::path& path, const fs::path& base) {
    if (!base.empty()) {
        const fs::path relative = path.lexically_relative(base);
        if (!relative.empty() && *relative.begin() != "..")
            return QString::fromStdString(relative.string());
    }
    return QString::fromStdString(path.string());
}

// Megabytes of 1,000,000 bytes with one decimal, as file managers show them; the need is
// rounded up and the free space down, so a shortage never reads like enough.
QString megabytes(std::uintmax_t bytes, bool roundUp) {
    const std::uintmax_t tenths = (bytes + (roundUp ? 99'999 : 0)) / 100'000;
    return QLocale(QLocale::German).toString(static_cast<double>(tenths) / 10.0, 'f', 1);
}

} // namespace

QString reasonText(std::error_code reason) {
    using std::errc;
    struct Known {
        errc code;
        const char* text;
    };
    static const Known known[] = {
        {errc::no_space_on_device, "kein Speicherplatz mehr frei"},
        {errc::permission_denied, "keine Schreibberechtigung"},
        {errc::operation_not_permitted, "nicht erlaubt, die Datei oder der Ordner ist gesperrt"},
        {errc::read_only_file_system, "das Laufwerk ist schreibgeschützt"},
        {errc::is_a_directory, "dort liegt ein Ordner gleichen Namens"},
        {errc::not_a_directory, "dort liegt eine Datei statt eines Ordners"},
        {errc::file_exists, "dort liegt schon eine Datei gleichen Namens"},
        {errc::no_such_file_or_directory, "nicht gefunden"},
        {errc::filename_too_long, "der Name ist zu lang"},
        {errc::io_error, "Lese- oder Schreibfehler des Laufwerks"},
        {errc::device_or_resource_busy, "wird gerade von einem anderen Programm verwendet"},
        {errc::text_file_busy, "wird gerade von einem anderen Programm verwendet"},
        {errc::file_too_large, "die Datei ist zu groß für dieses Laufwerk"},
        {errc::too_many_files_open, "zu viele offene Dateien"},
        {errc::too_many_symbolic_link_levels, "Verknüpfungen bilden hier eine Schleife"},
        {errc::invalid_argument, "ein Ordner kann nicht in sich selbst kopiert werden"},
        {errc::not_supported, "keine gewöhnliche Datei (etwa eine Pipe oder ein Gerät)"},
    };
    for (const Known& k : known) {
        if (reason == k.code)
            return QString::fromUtf8(k.text);
    }
#ifdef EDQUOT
    if (reason.default_error_condition() == std::error_condition(EDQUOT, std::generic_category()))
        return QStringLiteral("das Speicherkontingent ist erschöpft");
#endif
    return QStringLiteral("Systemfehler %1 (%2)")
        .arg(reason.value())
        .arg(QString::fromLocal8Bit(reason.message()));
}

QString copyFailureText(const CopyReport& report, const fs::path& base) {
    if (report.ok())
        return {};
    const std::size_t count = report.failureCount();
    QString text = count == 1 ? QStringLiteral("Die Installation ist unvollständig: 1 Eintrag "
                                               "konnte nicht installiert werden.\n")
                              : QStringLiteral("Die Installation ist unvollständig: %1 Einträge "
                                               "konnten nicht installiert werden.\n")
                                    .arg(count);
    const std::vector<CopyFailure>& failures = report.firstFailures();
    const std::size_t named = std::min(namedFailures, failures.size());
    for (std::size_t i = 0; i < named; ++i) {
        text += QStringLiteral("\n%1: %2")
                    .arg(shown(failures[i].path, base), reasonText(failures[i].reason));
    }
    if (count > named)
        text += QStringLiteral("\n… und %1 weitere").arg(count - named);
    text += QStringLiteral("\n\nBitte prüfen Sie, ob auf dem Laufwerk genug Speicherplatz frei ist "
                           "und ob Sie im X-Plane-Ordner Schreibrechte haben. Starten Sie die "
                           "Installation danach erneut.");
    return text;
}

QString notEnoughSpaceText(std::uintmax_t neededBytes, std::uintmax_t availableBytes,
                           const fs::path& folder) {
    return QStringLiteral("Nicht genügend Speicherplatz: Die Installation benötigt %1 MB, auf dem "
                          "Laufwerk von „%3“ sind aber nur %2 MB frei.\n\nEs wurde nichts "
                          "installiert. Bitte schaffen Sie auf diesem Laufwerk Platz und klicken "
                          "Sie dann erneut auf „Installieren“.")
        .arg(megabytes(neededBytes, true), megabytes(availableBytes, false),
             QString::fromStdString(folder.string()));
}

} // namespace Modul1
