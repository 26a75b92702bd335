// Writes demo content for both editions and a small demo X-Plane folder, so that the deliveries
// can be built and tried without the real scenery:
//
//   <out>/sued/velmora1/...           the package folder of the South edition
//   <out>/sued/roads_legacy.png       its road texture (a real PNG)
//   <out>/sued/Manual.pdf             its manual (a real one-page PDF)
//   <out>/nord/...                    the same for the North edition
//   <out>/X-Plane-Demo/...            "Custom Scenery" and the two road folders
//
// Usage: make_demo_content <out>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>

namespace {

bool fail(const QString& what) {
    std::fprintf(stderr, "make_demo_content: %s\n", qPrintable(what));
    return false;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return fail(QStringLiteral("cannot create the folder of %1").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return fail(QStringLiteral("cannot write %1").arg(path));
    return true;
}

bool writeImage(const QString& path, const QImage& image) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !image.save(path, "PNG"))
        return fail(QStringLiteral("cannot write %1").arg(path));
    return true;
}

// A tile of a texture: a gradient with a grid, coloured per edition and name.
QImage texture(const QColor& base, int size) {
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool grid = x % 16 == 0 || y % 16 == 0;
            const int shade = (x + y) * 64 / (2 * size);
            image.setPixelColor(x, y, grid ? base.darker(150) : base.lighter(100 + shade));
        }
    }
    return image;
}

QImage roads(const QColor& base) {
    QImage image(256, 256, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(0, 96, 256, 64, QColor(70, 70, 70));
    painter.fillRect(96, 0, 64, 256, QColor(80, 80, 80));
    painter.setPen(QPen(base.lighter(160), 3, Qt::DashLine));
    painter.drawLine(0, 128, 256, 128);
    painter.drawLine(128, 0, 128, 256);
    return image;
}

bool writeManual(const QString& path, const QString& editionName) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return fail(QStringLiteral("cannot create the folder of %1").arg(path));
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setResolution(150);
    pdf.setTitle(QStringLiteral("Velmora %1 – Anleitung").arg(editionName));
    QPainter painter(&pdf);
    if (!painter.isActive())
        return fail(QStringLiteral("cannot write %1").arg(path));
    QFont title = painter.font();
    title.setPointSize(20);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(100, 100, 1000, 100), Qt::AlignLeft,
                     QStringLiteral("Velmora %1").arg(editionName));
    QFont body = title;
    body.setPointSize(11);
    body.setBold(false);
    painter.setFont(body);
    painter.drawText(QRect(100, 250, 1000, 800), Qt::AlignLeft | Qt::TextWordWrap,
                     QStringLiteral("Anleitung (Demoinhalt)\n\n"
                                    "1. Starten Sie das Installationsprogramm aus dem Ordner, in "
                                    "dem es geliefert wurde.\n"
                                    "2. Klicken Sie auf Installieren und wählen Sie den Ordner von "
                                    "X-Plane aus.\n\n"
                                    "Diese Datei gehört zum Demoinhalt und ersetzt nicht die "
                                    "Anleitung der ausgelieferten Scenery."));
    return painter.end();
}

bool writeEdition(const QDir& out, const QString& key, const QString& name, const QColor& base,
                  const QString& tile) {
    const QString root = out.filePath(key);
    const QString package = root + QStringLiteral("/velmora1");
    QByteArray tileBytes;
    for (int i = 0; i < 2000; ++i)
        tileBytes +=
            QStringLiteral("Velmora %1 demo tile %2, row %3\n").arg(name, tile).arg(i).toUtf8();
    return writeFile(package + QStringLiteral("/library.txt"),
                     QStringLiteral("Velmora %1 demo library\n").arg(name).toUtf8()) &&
           writeFile(package + QStringLiteral("/Earth nav data/") + tile, tileBytes) &&
           writeImage(package + QStringLiteral("/textures/ground.png"), texture(base, 128)) &&
           writeImage(package + QStringLiteral("/textures/%1_coast.png").arg(key),
                      texture(base.darker(120), 64)) &&
           writeFile(package + QStringLiteral("/objects/house1.obj"),
                     QByteArrayLiteral("demo object: a house\n")) &&
           writeFile(package + QStringLiteral("/objects/tower.obj"),
                     QByteArrayLiteral("demo object: a tower\n")) &&
           writeImage(root + QStringLiteral("/roads_legacy.png"), roads(base)) &&
           writeManual(root + QStringLiteral("/Manual.pdf"), name);
}

bool writeXPlane(const QDir& out) {
    const QString root = out.filePath(QStringLiteral("X-Plane-Demo"));
    const QString roadsRoot = root + QStringLiteral("/Resources/default scenery/");
    return writeFile(root + QStringLiteral("/Custom Scenery/README.txt"),
                     QByteArrayLiteral("Demo X-Plane folder for trying the installers.\n")) &&
           QDir().mkpath(roadsRoot + QStringLiteral("x-plane legacy roads")) &&
           QDir().mkpath(roadsRoot + QStringLiteral("700 roads"));
}

} // namespace

int main(int argc, char** argv) {
    // Drawing the manual needs fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: make_demo_content <out>\n");
        return 2;
    }
    const QDir out(arguments.at(1));
    const bool ok = writeEdition(out, QStringLiteral("sued"), QStringLiteral("Süd"),
                                 QColor(90, 140, 70), QStringLiteral("+47+011.dsf")) &&
                    writeEdition(out, QStringLiteral("nord"), QStringLiteral("Nord"),
                                 QColor(70, 110, 150), QStringLiteral("+53+009.dsf")) &&
                    writeXPlane(out);
    return ok ? 0 : 1;
}
