// A build step: writes the window icon's sizes as C++ arrays of pixels,
// premultiplied ARGB32 words as Qt paints them, so that the program sets its
// icon at start-up without decoding a PNG.
//
//   icon_pixels OUT.inc SIZE PNG [SIZE PNG ...]
//
// OUT.inc defines kIconPixels[], one { size, pixels } per pair, in the order
// given; each pixels array holds size x size words, row by row.

#include <QImage>
#include <QSaveFile>
#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: icon_pixels OUT.inc SIZE PNG [SIZE PNG ...]\n");
        return 2;
    }
    QByteArray out =
        "// Written by data/icon_pixels.cpp from the icon's PNGs at build time.\n"
        "// Premultiplied ARGB32, row by row.\n\n";
    QByteArray table = "static constexpr IconPixels kIconPixels[] = {\n";
    for (int i = 2; i + 1 < argc; i += 2) {
        const int size = std::atoi(argv[i]);
        QImage image(QString::fromLocal8Bit(argv[i + 1]), "png");
        if (image.isNull() || image.width() != size || image.height() != size) {
            std::fprintf(stderr, "icon_pixels: %s is not a %d px PNG\n", argv[i + 1], size);
            return 1;
        }
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QByteArray name = "kIcon" + QByteArray::number(size);
        out += "alignas(4) static constexpr std::uint32_t " + name + "[] = {";
        for (int y = 0; y < size; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            out += "\n   ";
            for (int x = 0; x < size; ++x) {
                out += " 0x" + QByteArray::number(row[x], 16).rightJustified(8, '0') + ",";
            }
        }
        out += "\n};\n\n";
        table += "    {" + QByteArray::number(size) + ", " + name + "},\n";
    }
    out += table + "};\n";
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit()) {
        std::fprintf(stderr, "icon_pixels: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
