// Writes the application icon in the sizes of the hicolor icon theme, from the 16 and 32
// pixel designs the program carries. The designs are drawn on a pixel grid, so they are
// enlarged pixel by pixel instead of smoothed. Usage: icon-render DESIGN16 DESIGN32 OUTDIR SIZE...
#include <cstdio>
#include <cstdlib>

#include <QDir>
#include <QImage>
#include <QString>

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s DESIGN16 DESIGN32 OUTDIR SIZE...\n", argv[0]);
        return 2;
    }
    const QImage small(QString::fromLocal8Bit(argv[1]));
    const QImage large(QString::fromLocal8Bit(argv[2]));
    if (small.isNull() || large.isNull()) {
        std::fprintf(stderr, "%s: cannot read the icon designs %s, %s\n", argv[0], argv[1], argv[2]);
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[3]));
    for (int i = 4; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 8 || size > 1024) {
            std::fprintf(stderr, "%s: unusable icon size %s\n", argv[0], argv[i]);
            return 1;
        }
        const QImage& design = size < large.width() ? small : large;
        const QImage icon = design.convertToFormat(QImage::Format_ARGB32)
                                .scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QString dir = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = out.filePath(dir + QStringLiteral("/tarnek-level-editor.png"));
        if (!out.mkpath(dir) || !icon.save(file, "PNG")) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(file));
            return 1;
        }
    }
    return 0;
}
