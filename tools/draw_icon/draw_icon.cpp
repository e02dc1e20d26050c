// draw_icon OUT_FOLDER NAME: writes the program's icon into the hicolor
// layout below OUT_FOLDER: NxN/apps/NAME.png for every size and
// scalable/apps/NAME.svg, all from the one description.

#include "IconGeometry.h"
#include "IconPainter.h"

#include <QDir>
#include <QString>

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    using namespace notarion::icon;
    // The Windows programs carry the same icon, compiled into their resources.
    if (argc == 3 && std::string(argv[1]) == "--ico") {
        std::ofstream ico(argv[2], std::ios::binary);
        const QByteArray bytes = IconIco(kIcon);
        ico.write(bytes.constData(), bytes.size());
        ico.close();
        if (!ico) {
            std::fprintf(stderr, "Nie można zapisać %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr, "Użycie: draw_icon FOLDER NAZWA | draw_icon --ico PLIK.ico\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (const int size : kPngSizes) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = out.filePath(folder + QLatin1Char('/') + name + ".png");
        if (!out.mkpath(folder) || !PaintIcon(kIcon, size).save(file, "PNG")) {
            std::fprintf(stderr, "Nie można zapisać %s\n", qPrintable(file));
            return 1;
        }
    }
    const QString svgFile = out.filePath(QStringLiteral("scalable/apps/") + name + ".svg");
    std::ofstream svg;
    if (out.mkpath(QStringLiteral("scalable/apps"))) {
        svg.open(svgFile.toLocal8Bit().toStdString(), std::ios::binary);
    }
    svg << IconSvg(kIcon, 256);
    svg.close();
    if (!svg) {
        std::fprintf(stderr, "Nie można zapisać %s\n", qPrintable(svgFile));
        return 1;
    }
    return 0;
}
