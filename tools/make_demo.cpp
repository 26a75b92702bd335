// Writes what a demo of the installer needs, all generated here:
//   make-demo content DIR          DIR/Manual.pdf and DIR/Scenery-Zusatzdateien with a small
//                                  "velmora1" package and "roads_legacy.png": everything of a
//                                  delivery folder but the program
//   make-demo xplane DIR           a bare X-Plane folder: "Custom Scenery" and the two road
//                                  folders under "Resources/default scenery"
//   make-demo screenshot PNG [sued|nord]
//                                  the main window of an edition as it draws itself
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise; needs no display.

#include "app/global.h"
#include "app/startup.h"
#include "platform/folder_item.h"
#include "ui/edition.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

bool writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!QDir().mkpath(QFileInfo(path).path()) || !file.open(QIODevice::WriteOnly) ||
        file.write(content) != content.size()) {
        std::fprintf(stderr, "make-demo: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// Bytes that look like nothing in particular but are the same on every run.
QByteArray filler(int size, quint32 seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<char>(seed >> 24);
    }
    return bytes;
}

QByteArray png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage roadTexture() {
    QImage image(512, 128, QImage::Format_RGB32);
    image.fill(QColor(0x4a, 0x4d, 0x50));
    QPainter painter(&image);
    painter.fillRect(0, 8, 512, 6, QColor(0xe8, 0xe8, 0xe0));
    painter.fillRect(0, 114, 512, 6, QColor(0xe8, 0xe8, 0xe0));
    for (int x = 0; x < 512; x += 64)
        painter.fillRect(x + 8, 61, 40, 6, QColor(0xf2, 0xd0, 0x3c));
    return image;
}

QImage meadowTexture() {
    QImage image(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x)
            image.setPixelColor(x, y, QColor(60 + (x * 7 + y * 3) % 40, 120 + (x ^ y) % 50, 50));
    }
    return image;
}

// The small package: a few folders and files, and two whose names begin with "." that an
// installation leaves out.
bool writePackage(const QDir& package) {
    const auto text = [](const char* utf8) { return QByteArray(utf8); };
    return writeFile(package.filePath("LIESMICH.txt"),
                     text("Velmora Demo-Paket: wenige kleine Dateien, damit man sieht, was die "
                          "Installation kopiert.\n")) &&
           writeFile(package.filePath("library.txt"),
                     text("EXPORT velmora/kirche.obj objects/kirche.obj\n"
                          "EXPORT velmora/bruecke.obj objects/bruecke.obj\n")) &&
           writeFile(package.filePath("Earth nav data/+50+010/+50+011.dsf"), filler(4096, 1)) &&
           writeFile(package.filePath("Earth nav data/+50+010/+51+011.dsf"), filler(6144, 2)) &&
           writeFile(package.filePath("objects/kirche.obj"),
                     text("# Kirche, Demo-Objekt\nPOINTS 4\n0 0 0\n0 12 0\n6 12 0\n6 0 0\n")) &&
           writeFile(package.filePath("objects/bruecke.obj"),
                     text("# Bruecke, Demo-Objekt\nPOINTS 2\n0 0 0\n40 0 0\n")) &&
           writeFile(package.filePath("objects/.cache"), text("not installed\n")) &&
           writeFile(package.filePath("textures/wiese.png"), png(meadowTexture())) &&
           writeFile(package.filePath(".versteckt"), text("wird nicht installiert\n"));
}

bool writeManual(const QString& path) {
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setResolution(72);
    pdf.setTitle(QStringLiteral("Velmora – Anleitung"));
    pdf.setCreator(QStringLiteral("make-demo"));
    QPainter painter;
    if (!painter.begin(&pdf)) {
        std::fprintf(stderr, "make-demo: cannot write %s\n", qPrintable(path));
        return false;
    }
    const QRect page = painter.viewport().adjusted(56, 56, -56, -56);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(22);
    font.setBold(true);
    painter.setFont(font);
    QRect used;
    painter.drawText(page, Qt::AlignLeft | Qt::TextWordWrap,
                     QStringLiteral("Velmora für X-Plane – Anleitung"), &used);
    font.setPixelSize(12);
    font.setBold(false);
    painter.setFont(font);
    const QString body = QStringLiteral(
        "Dies ist die Anleitung des Demo-Pakets. Sie gehört neben das Installationsprogramm, "
        "zusammen mit dem Ordner „Scenery-Zusatzdateien“.\n\n"
        "Installation\n"
        "1. Starten Sie das Installationsprogramm aus dem Ordner, in dem es geliefert wurde.\n"
        "2. Klicken Sie auf „Installieren“.\n"
        "3. Wählen Sie im folgenden Dialog den Ordner von X-Plane aus, also den Ordner, der "
        "„Custom Scenery“ enthält.\n\n"
        "Das Paket „velmora1“ wird nach „Custom Scenery“ kopiert, die Straßentextur "
        "„roads_legacy.png“ in die beiden Straßenordner unter „Resources/default scenery“. "
        "Dateien, deren Namen mit einem Punkt beginnen, werden nicht installiert.\n\n"
        "Installieren Sie bitte die Velmora Süd vor der Velmora Nord.");
    painter.drawText(page.adjusted(0, used.height() + 24, 0, 0), Qt::AlignLeft | Qt::TextWordWrap,
                     body);
    return painter.end();
}

bool writeContent(const QDir& delivery) {
    const QDir extra(delivery.filePath("Scenery-Zusatzdateien"));
    return writePackage(QDir(extra.filePath("velmora1"))) &&
           writeFile(extra.filePath("roads_legacy.png"), png(roadTexture())) &&
           writeManual(delivery.filePath("Manual.pdf"));
}

bool writeXPlane(const QDir& xplane) {
    for (const char* folder : {"Custom Scenery", "Resources/default scenery/x-plane legacy roads",
                               "Resources/default scenery/700 roads"}) {
        if (!xplane.mkpath(QString::fromUtf8(folder))) {
            std::fprintf(stderr, "make-demo: cannot create %s\n",
                         qPrintable(xplane.filePath(folder)));
            return false;
        }
    }
    return true;
}

bool writeScreenshot(Global& app, const QString& path, const EditionTexts& edition) {
    // The window opens only beside its additional files, so it gets a delivery folder of its own.
    QTemporaryDir delivery;
    if (!delivery.isValid() || !writeContent(QDir(delivery.path())))
        return false;
    platform::testing::setProgramFolder(delivery.path().toStdString());
    startUp(app, edition);
    Fenster1& window = Fenster1::instance();
    QApplication::processEvents();
    const bool saved = window.grab().save(path, "PNG");
    delete &window;
    platform::testing::setProgramFolder({});
    if (!saved)
        std::fprintf(stderr, "make-demo: cannot write %s\n", qPrintable(path));
    return saved;
}

int usage() {
    std::fputs("usage: make-demo content DIR | xplane DIR | screenshot PNG [sued|nord]\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Global app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() < 2)
        return usage();
    const QString& mode = args.at(0);
    const QString target = QDir(args.at(1)).absolutePath();
    if (mode == QLatin1String("content") && args.size() == 2)
        return writeContent(QDir(target)) ? 0 : 1;
    if (mode == QLatin1String("xplane") && args.size() == 2)
        return writeXPlane(QDir(target)) ? 0 : 1;
    if (mode == QLatin1String("screenshot") && args.size() <= 3) {
        const QString edition = args.value(2, QStringLiteral("sued"));
        if (edition != QLatin1String("sued") && edition != QLatin1String("nord"))
            return usage();
        return writeScreenshot(app, target,
                               edition == QLatin1String("nord") ? editionNord : editionSued)
                   ? 0
                   : 1;
    }
    return usage();
}
