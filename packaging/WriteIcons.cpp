// Writes the program's icon at the sizes of the icon theme: <folder>/<n>x<n>/apps/<name>.png.
//   korvane_icons FOLDER NAME SIZE...

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

#include "app/ProductPicture.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: korvane_icons FOLDER NAME SIZE...\n");
        return 2;
    }
    // Drawn with no display at all.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    // Drawn once large and scaled down: its pens and bars are sized for a picture of about
    // a hundred pixels.
    const QPixmap large = korvane::ProductPicture(QSize(256, 256), Qt::transparent);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        const QString sized = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        if (size <= 0 || !QDir().mkpath(sized) ||
            !large.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                 .save(sized + QLatin1Char('/') + name + QStringLiteral(".png"))) {
            std::fprintf(stderr, "korvane_icons: cannot write the %s pixel icon\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
