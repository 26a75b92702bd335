#include "modul1.h"

#include "../platform/app_control.h"
#include "../platform/dialogs.h"
#include "../platform/file_system.h"
#include "../platform/progress.h"
#include "failure_text.h"

#include <vector>

namespace fs = std::filesystem;

namespace Modul1 {

std::optional<platform::FolderItem> zielordner;

namespace {

using platform::FolderItem;
using platform::MsgBox;

bool present(const std::optional<FolderItem>& item) {
    return item && item->Exists();
}

// Where the road texture goes: the road folders that are present, or the message that says why
// there are none.
struct RoadFolders {
    QString missing;
    std::vector<FolderItem> folders;
};

RoadFolders lookUpRoadFolders(const FolderItem& target) {
    const FolderItem resources = target.Child(QStringLiteral("Resources"));
    if (!resources.Exists())
        return {QStringLiteral("Zielverzeichnis nicht gefunden: Resources"), {}};
    const FolderItem defaultScenery = resources.Child(QStringLiteral("default scenery"));
    if (!defaultScenery.Exists())
        return {QStringLiteral("Zielverzeichnis nicht gefunden: default scenery"), {}};
    RoadFolders roads;
    for (const char* name : {"x-plane legacy roads", "700 roads"}) {
        const FolderItem folder = defaultScenery.Child(QString::fromUtf8(name));
        if (folder.Exists())
            roads.folders.push_back(folder);
    }
    return roads;
}

// A quit during the copy ("Beenden", or the desktop ending the session) ends the program: the
// copy has stopped between two files, and nothing more is copied or shown.
bool ending() {
    return platform::quitRequested();
}

} // namespace

void InstallAction() {
    zielordner = platform::SelectFolder();
    if (!zielordner) {
        MsgBox(
            QStringLiteral("X-Plane wurde nicht ausgewählt, oder die Aktion wurde abgebrochen."));
        return;
    }
    if (!zielordner->Exists()) {
        MsgBox(QStringLiteral("Ordner nicht gefunden."));
        return;
    }
    Kopieren();
}

void Kopieren() {
    const auto extraFiles = platform::GetFolderItem(QStringLiteral("Scenery-Zusatzdateien"));
    if (!present(extraFiles)) {
        MsgBox(QStringLiteral("Benötigte Dateien nicht gefunden (Ordner 'Scenery-Zusatzdateien')"));
        return;
    }
    // Handing a missing package to the copy would still end in "Installation beendet".
    const FolderItem package = extraFiles->Child(QStringLiteral("velmora1"));
    if (!package.Exists() || !package.Directory()) {
        MsgBox(QStringLiteral("Benötigte Dateien nicht gefunden (Ordner 'velmora1')"));
        return;
    }
    const FolderItem& target = platform::require(zielordner, "no target folder");
    const FolderItem customScenery = target.Child(QStringLiteral("Custom Scenery"));
    if (!customScenery.Exists()) {
        MsgBox(QStringLiteral("Kein X-Plane-Verzeichnis"));
        return;
    }

    // A disk that fills up halfway leaves a mix of old and new files; refuse before writing.
    const FolderItem texture = extraFiles->Child(QStringLiteral("roads_legacy.png"));
    platform::SpaceNeeds needs;
    needs.addCopy(package.path(), customScenery.path());
    if (texture.Exists()) {
        for (const FolderItem& folder : lookUpRoadFolders(target).folders)
            needs.addCopy(texture.path(), folder.path());
    }
    for (const platform::VolumeSpace& volume : needs.volumes()) {
        if (!volume.enough()) {
            MsgBox(notEnoughSpaceText(volume.needed, volume.available, volume.folder));
            return;
        }
    }

    platform::showProgressWindow();
    std::vector<fs::path> written{customScenery.path(), customScenery.Child(package.Name()).path()};
    CopyReport report = CopyFileOrFolder(package, customScenery);
    QString roadsMissing;
    if (!ending()) {
        if (!texture.Exists()) {
            roadsMissing = QStringLiteral("Zusatzdateien für X-Plane 8 nicht gefunden");
        } else {
            const RoadFolders roads = lookUpRoadFolders(target);
            roadsMissing = roads.missing;
            for (const FolderItem& folder : roads.folders) {
                if (ending())
                    break;
                report.merge(CopyFileOrFolder(texture, folder));
                written.push_back(folder.path());
            }
        }
    }

    // "Installation beendet" must hold even for a user who unplugs the drive right after it;
    // what was copied before a quit is flushed just the same.
    for (const platform::FlushFailure& failure : platform::flushFileSystems(written))
        report.fail(failure.folder, failure.reason);
    if (ending())
        return;

    if (!roadsMissing.isEmpty()) {
        MsgBox(roadsMissing);
        if (ending())
            return;
    }
    if (!report.ok()) {
        MsgBox(copyFailureText(report, target.path()));
        if (ending())
            return;
    }
    MsgBox(QStringLiteral("Installation beendet"));
    platform::Quit(0);
}

} // namespace Modul1
