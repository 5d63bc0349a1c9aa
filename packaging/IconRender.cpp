// Writes the application icon in the sizes of the hicolor icon theme, from the 16 and 32
// pixel designs the program carries, or as one Windows icon file (OUT ending in .ico) that
// holds every size. The designs are drawn on a pixel grid, so they are enlarged pixel by
// pixel instead of smoothed. Usage: icon-render DESIGN16 DESIGN32 OUTDIR|FILE.ico SIZE...
#include <cstdio>
#include <cstdlib>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QList>
#include <QString>

namespace {

void AppendLittleEndian(QByteArray& bytes, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// The .ico layout: a directory of entries, then each image; PNG images are allowed in it
// since Windows Vista.
bool WriteIconFile(const QString& file, const QList<QImage>& icons)
{
    QByteArray directory;
    QByteArray images;
    AppendLittleEndian(directory, 0, 2);
    AppendLittleEndian(directory, 1, 2);  // an icon, not a cursor
    AppendLittleEndian(directory, static_cast<quint32>(icons.size()), 2);
    const int firstImage = 6 + 16 * static_cast<int>(icons.size());
    for (const QImage& icon : icons) {
        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) || !icon.save(&buffer, "PNG"))
            return false;
        const int side = icon.width() >= 256 ? 0 : icon.width();  // 0 stands for 256
        AppendLittleEndian(directory, static_cast<quint32>(side), 1);
        AppendLittleEndian(directory, static_cast<quint32>(side), 1);
        AppendLittleEndian(directory, 0, 2);   // no palette
        AppendLittleEndian(directory, 1, 2);   // planes
        AppendLittleEndian(directory, 32, 2);  // bits per pixel
        AppendLittleEndian(directory, static_cast<quint32>(png.size()), 4);
        AppendLittleEndian(directory, static_cast<quint32>(firstImage + images.size()), 4);
        images += png;
    }
    QFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(directory + images) == directory.size() + images.size();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s DESIGN16 DESIGN32 OUTDIR|FILE.ico SIZE...\n", argv[0]);
        return 2;
    }
    const QImage small(QString::fromLocal8Bit(argv[1]));
    const QImage large(QString::fromLocal8Bit(argv[2]));
    if (small.isNull() || large.isNull()) {
        std::fprintf(stderr, "%s: cannot read the icon designs %s, %s\n", argv[0], argv[1], argv[2]);
        return 1;
    }
    QList<QImage> icons;
    for (int i = 4; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 8 || size > 1024) {
            std::fprintf(stderr, "%s: unusable icon size %s\n", argv[0], argv[i]);
            return 1;
        }
        const QImage& design = size < large.width() ? small : large;
        icons.append(design.convertToFormat(QImage::Format_ARGB32)
                         .scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    }
    const QString target = QString::fromLocal8Bit(argv[3]);
    if (target.endsWith(QStringLiteral(".ico"))) {
        if (!WriteIconFile(target, icons)) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[3]);
            return 1;
        }
        return 0;
    }
    const QDir out(target);
    for (const QImage& icon : icons) {
        const QString dir = QStringLiteral("%1x%1/apps").arg(icon.width());
        const QString file = out.filePath(dir + QStringLiteral("/tarnek-level-editor.png"));
        if (!out.mkpath(dir) || !icon.save(file, "PNG")) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(file));
            return 1;
        }
    }
    return 0;
}
