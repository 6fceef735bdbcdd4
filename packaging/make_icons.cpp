// Draws the application icon, a small yellow page with a red asterisk, as the PNGs kept in
// packaging/icons: make_icons <folder> writes plimo-16.png and plimo-128.png there.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

// The design is laid out on a 16-pixel grid and scaled, so every size shows the same picture.
QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(QColor(255, 255, 192));
    QPainter painter(&image);
    const qreal scale = size / 16.0;
    painter.scale(scale, scale);
    // The 16-pixel icon stays crisp; larger ones are smoothed.
    painter.setRenderHint(QPainter::Antialiasing, size > 16);
    painter.setPen(QPen(Qt::black, size > 16 ? 0.5 : 0));
    painter.drawRect(size > 16 ? QRectF(0.25, 0.25, 15.5, 15.5) : QRectF(0, 0, 15, 15));
    painter.setPen(QPen(QColor(255, 0, 0), 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(8, 3), QPointF(8, 13));
    painter.drawLine(QPointF(4, 5), QPointF(12, 11));
    painter.drawLine(QPointF(4, 11), QPointF(12, 5));
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int size : {16, 128}) {
        const QString path = QStringLiteral("%1/plimo-%2.png").arg(folder).arg(size);
        if (!drawIcon(size).save(path)) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qUtf8Printable(path));
            return 1;
        }
    }
    return 0;
}
