// Draws the program's pictures: window icons, the splash background, the logo,
// the information picture and its corner mark. Run it after changing a
// drawing: build/tools/draw_artwork src/ui/artwork
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QColor navy(0, 0, 128);
const QColor leafGreen(46, 139, 87);
const QColor appleRed(192, 0, 0);
const QColor cream(255, 255, 192);

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

void drawApple(QPainter &p, const QRectF &box, const QColor &body)
{
    // Two lobes and a leaf; the box may be stretched, the shape follows it.
    QPainterPath apple;
    const double w = box.width();
    const double h = box.height();
    apple.moveTo(box.left() + w * 0.5, box.top() + h * 0.22);
    apple.cubicTo(box.left() + w * 0.85, box.top() + h * 0.02, box.left() + w * 1.08,
                  box.top() + h * 0.55, box.left() + w * 0.72, box.top() + h * 0.95);
    apple.cubicTo(box.left() + w * 0.62, box.top() + h * 1.02, box.left() + w * 0.55,
                  box.top() + h * 0.92, box.left() + w * 0.5, box.top() + h * 0.92);
    apple.cubicTo(box.left() + w * 0.45, box.top() + h * 0.92, box.left() + w * 0.38,
                  box.top() + h * 1.02, box.left() + w * 0.28, box.top() + h * 0.95);
    apple.cubicTo(box.left() - w * 0.08, box.top() + h * 0.55, box.left() + w * 0.15,
                  box.top() + h * 0.02, box.left() + w * 0.5, box.top() + h * 0.22);
    QRadialGradient shine(box.left() + w * 0.35, box.top() + h * 0.4, w * 0.7);
    shine.setColorAt(0, body.lighter(150));
    shine.setColorAt(1, body);
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawPath(apple);

    QPainterPath leaf;
    leaf.moveTo(box.left() + w * 0.52, box.top() + h * 0.2);
    leaf.quadTo(box.left() + w * 0.6, box.top() - h * 0.02, box.left() + w * 0.82,
                box.top() + h * 0.02);
    leaf.quadTo(box.left() + w * 0.7, box.top() + h * 0.2, box.left() + w * 0.52,
                box.top() + h * 0.2);
    p.setBrush(leafGreen);
    p.drawPath(leaf);
}

QImage mainIcon(int size)
{
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(leafGreen);
    p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size * 0.2, size * 0.2);
    drawApple(p, QRectF(size * 0.14, size * 0.16, size * 0.72, size * 0.72), appleRed);
    return image;
}

QImage reportIcon(int size)
{
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF page(size * 0.16, size * 0.06, size * 0.68, size * 0.88);
    p.setPen(QPen(navy, qMax(1.0, size / 24.0)));
    p.setBrush(Qt::white);
    p.drawRect(page);
    p.setPen(QPen(navy, qMax(1.0, size / 32.0)));
    for (int line = 1; line <= 4; ++line) {
        const double y = page.top() + page.height() * line / 6.0;
        p.drawLine(QPointF(page.left() + size * 0.1, y), QPointF(page.right() - size * 0.1, y));
    }
    drawApple(p, QRectF(size * 0.5, size * 0.6, size * 0.4, size * 0.4), appleRed);
    return image;
}

QImage informationIcon(int size)
{
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(navy);
    p.drawEllipse(QRectF(0.5, 0.5, size - 1, size - 1));
    p.setBrush(cream);
    p.drawEllipse(QRectF(size * 0.42, size * 0.16, size * 0.16, size * 0.16));
    p.drawRoundedRect(QRectF(size * 0.42, size * 0.38, size * 0.16, size * 0.46), size * 0.04,
                      size * 0.04);
    return image;
}

QImage splashBackground()
{
    QImage image = canvas(218, 162);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 218, 162);
    sky.setColorAt(0, QColor(0, 0, 96));
    sky.setColorAt(0.6, QColor(0, 64, 96));
    sky.setColorAt(1, QColor(0, 96, 64));
    p.fillRect(image.rect(), sky);
    p.setPen(QPen(QColor(255, 255, 255, 24), 1));
    for (int x = -162; x < 218; x += 9)
        p.drawLine(x, 162, x + 162, 0);
    return image;
}

QImage logo()
{
    // Shown squeezed into a tall box: drawn wide so that it looks round there.
    QImage image = canvas(800, 600);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient back(0, 0, 0, 600);
    back.setColorAt(0, QColor(255, 255, 224));
    back.setColorAt(1, QColor(192, 224, 192));
    p.fillRect(image.rect(), back);
    drawApple(p, QRectF(120, 60, 560, 260), appleRed);
    // A tape measure wound below the apple.
    p.setPen(QPen(QColor(224, 176, 0), 22, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(90, 330, 620, 200), 200 * 16, 320 * 16);
    p.setPen(QPen(navy, 4));
    for (int tick = 0; tick < 24; ++tick) {
        const double x = 130 + tick * 23;
        p.drawLine(QPointF(x, 530), QPointF(x, tick % 4 ? 548 : 570));
    }
    return image;
}

QImage informationPicture()
{
    // Only the upper left corner shows, as a tall strip.
    QImage image = canvas(640, 480);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient back(0, 0, 0, 480);
    back.setColorAt(0, QColor(0, 0, 128));
    back.setColorAt(1, QColor(0, 96, 64));
    p.fillRect(image.rect(), back);
    const QColor groups[] = {QColor(192, 0, 0), QColor(224, 176, 0), leafGreen,
                             QColor(255, 255, 192)};
    for (int row = 0; row < 4; ++row) {
        drawApple(p, QRectF(14, 12 + row * 50, 46, 42), groups[row]);
    }
    return image;
}

QImage cornerMark()
{
    QImage image = canvas(12, 12);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(leafGreen);
    p.drawRect(0, 0, 12, 12);
    p.setBrush(cream);
    p.drawEllipse(QRectF(3, 3, 6, 6));
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QDir folder(argc > 1 ? argv[1] : ".");
    for (int size : {16, 32, 48, 128}) {
        mainIcon(size).save(folder.filePath(QString("icon-nutrivo-%1.png").arg(size)));
        reportIcon(size).save(folder.filePath(QString("icon-report-%1.png").arg(size)));
        informationIcon(size).save(folder.filePath(QString("icon-information-%1.png").arg(size)));
    }
    splashBackground().save(folder.filePath("splash-background.png"));
    logo().save(folder.filePath("logo.png"));
    informationPicture().save(folder.filePath("information.png"));
    cornerMark().save(folder.filePath("corner.png"));
    return 0;
}
