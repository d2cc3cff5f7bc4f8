// Paints the pictures the study window carries: six faces for the score bands, two hearts
// and the memo pad's two mouse cursors. Run once after changing a drawing:
//   zendra-faces src/study/faces
// The files it writes are committed; the program loads them from its resources.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cmath>
#include <functional>

namespace {

const QColor kSkin(255, 222, 173);
const QColor kCheek(255, 160, 160);
const QColor kInk(60, 40, 30);

QImage blank(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The round face every picture shares, with rosy cheeks; the caller adds eyes and mouth.
void head(QPainter& p, const QColor& skin = kSkin)
{
    p.setPen(QPen(kInk, 2));
    p.setBrush(skin);
    p.drawEllipse(QRectF(6, 14, 85, 85));
    p.setPen(Qt::NoPen);
    p.setBrush(kCheek);
    p.drawEllipse(QRectF(16, 62, 14, 9));
    p.drawEllipse(QRectF(67, 62, 14, 9));
}

void dotEyes(QPainter& p, double y = 48)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QRectF(30, y, 9, 11));
    p.drawEllipse(QRectF(58, y, 9, 11));
}

void arcEyes(QPainter& p, bool smiling)
{
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    // Smiling eyes are arcs bent upward, closed sleepy eyes bent downward.
    const int start = smiling ? 0 : 180 * 16;
    p.drawArc(QRectF(27, 46, 15, 12), start, 180 * 16);
    p.drawArc(QRectF(55, 46, 15, 12), start, 180 * 16);
}

void caption(QPainter& p, const QString& text, const QColor& colour)
{
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRect(0, 0, 97, 14), Qt::AlignCenter, text);
}

void star(QPainter& p, QPointF c, double r, const QColor& colour)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double rr = i % 2 ? r * 0.45 : r;
        const QPointF pt(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
        i ? path.lineTo(pt) : path.moveTo(pt);
    }
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
}

// 100 points: a beaming face with stars around it.
QImage kutta()
{
    QImage image = blank(97, 113);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    head(p);
    arcEyes(p, true);
    p.setPen(QPen(kInk, 2));
    p.setBrush(QColor(230, 60, 60));
    QPainterPath mouth;
    mouth.moveTo(30, 70);
    mouth.quadTo(48.5, 98, 67, 70);
    mouth.closeSubpath();
    p.drawPath(mouth);
    star(p, QPointF(10, 14), 8, QColor(255, 200, 0));
    star(p, QPointF(87, 14), 8, QColor(255, 200, 0));
    star(p, QPointF(88, 102), 6, QColor(255, 140, 0));
    star(p, QPointF(9, 102), 6, QColor(255, 140, 0));
    return image;
}

// 80-99 points: a happy smile.
QImage happy()
{
    QImage image = blank(97, 113);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    head(p);
    dotEyes(p);
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(30, 56, 37, 24), 200 * 16, 140 * 16);
    caption(p, QStringLiteral("よくできました"), QColor(0, 128, 0));
    return image;
}

// 60-79 points: a drowsy face with a "z z".
QImage sleepy()
{
    QImage image = blank(97, 113);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    head(p);
    arcEyes(p, false);
    p.setPen(QPen(kInk, 2));
    p.setBrush(QColor(200, 80, 80));
    p.drawEllipse(QRectF(43, 74, 11, 9));
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(14);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(70, 90, 200));
    p.drawText(QPointF(78, 34), QStringLiteral("z"));
    p.drawText(QPointF(86, 26), QStringLiteral("z"));
    caption(p, QStringLiteral("もう少し"), QColor(70, 90, 200));
    return image;
}

// 40-59 points: a puzzled face with a question mark.
QImage nanda()
{
    QImage image = blank(97, 113);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    head(p);
    dotEyes(p);
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(26, 40), QPointF(40, 44));
    p.drawLine(QPointF(57, 42), QPointF(71, 38));
    p.setBrush(Qt::NoBrush);
    QPainterPath mouth;
    mouth.moveTo(34, 80);
    mouth.cubicTo(40, 74, 46, 86, 52, 80);
    mouth.cubicTo(56, 76, 60, 80, 63, 79);
    p.drawPath(mouth);
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(22);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(230, 120, 0));
    p.drawText(QPointF(78, 22), QStringLiteral("?"));
    return image;
}

// 1-39 points: a tearful face, still looking up.
QImage namida()
{
    QImage image = blank(97, 113);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    head(p);
    arcEyes(p, false);
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(34, 74, 29, 16), 20 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 170, 255));
    for (double x : {30.0, 62.0}) {
        QPainterPath drop;
        drop.moveTo(x + 4, 58);
        drop.quadTo(x - 2, 72, x + 4, 74);
        drop.quadTo(x + 10, 72, x + 4, 58);
        p.drawPath(drop);
    }
    caption(p, QStringLiteral("がんばろう"), QColor(0, 90, 200));
    return image;
}

// 0 points: a little lion cub giving a friendly roar.
QImage gaoh()
{
    QImage image = blank(97, 113);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 140, 40));
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        p.drawEllipse(QPointF(48.5 + 40 * std::cos(a), 58 + 40 * std::sin(a)), 12, 12);
    }
    p.translate(0, 1);
    head(p, QColor(255, 205, 110));
    dotEyes(p, 44);
    p.setPen(QPen(kInk, 2));
    p.setBrush(QColor(140, 60, 50));
    p.drawEllipse(QRectF(36, 66, 25, 22));
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    QPolygonF fangL({QPointF(40, 68), QPointF(46, 68), QPointF(43, 75)});
    QPolygonF fangR({QPointF(51, 68), QPointF(57, 68), QPointF(54, 75)});
    p.drawPolygon(fangL);
    p.drawPolygon(fangR);
    p.setBrush(kInk);
    p.drawEllipse(QRectF(44, 58, 9, 6));
    p.resetTransform();
    caption(p, QStringLiteral("ガオー"), QColor(200, 80, 0));
    return image;
}

QImage heart(int w, int h, const QColor& colour, const QString& text)
{
    QImage image = blank(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    const double x0 = 3, y0 = 3, ww = w - 6, hh = h - 6;
    path.moveTo(x0 + ww / 2, y0 + hh * 0.28);
    path.cubicTo(x0 + ww * 0.45, y0 - hh * 0.05, x0 - ww * 0.05, y0 + hh * 0.02, x0,
                 y0 + hh * 0.33);
    path.cubicTo(x0, y0 + hh * 0.62, x0 + ww * 0.35, y0 + hh * 0.78, x0 + ww / 2, y0 + hh);
    path.cubicTo(x0 + ww * 0.65, y0 + hh * 0.78, x0 + ww, y0 + hh * 0.62, x0 + ww, y0 + hh * 0.33);
    path.cubicTo(x0 + ww * 1.05, y0 + hh * 0.02, x0 + ww * 0.55, y0 - hh * 0.05, x0 + ww / 2,
                 y0 + hh * 0.28);
    p.setPen(QPen(colour.darker(140), 2));
    p.setBrush(colour);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 140));
    p.drawEllipse(QRectF(x0 + ww * 0.16, y0 + hh * 0.18, ww * 0.16, hh * 0.12));
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(std::max(10, h / 6));
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, hh * 0.3, w, hh * 0.35), Qt::AlignCenter, text);
    return image;
}

// The memo pad's pen: a thin cross whose centre is the hot spot.
QImage crossCursor()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    for (const auto& [colour, width] : {std::pair{QColor(Qt::white), 3}, {QColor(Qt::black), 1}}) {
        p.setPen(QPen(colour, width));
        p.drawLine(15, 2, 15, 28);
        p.drawLine(2, 15, 28, 15);
    }
    return image;
}

// The memo pad's eraser: open scissors, the hot spot where the blades meet.
QImage scissorsCursor()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(200, 200, 210));
    p.drawPolygon(QPolygonF({QPointF(2, 2), QPointF(5, 1), QPointF(17, 15), QPointF(14, 17)}));
    p.drawPolygon(QPolygonF({QPointF(1, 5), QPointF(2, 2), QPointF(17, 15), QPointF(15, 17)}));
    p.drawPolygon(QPolygonF({QPointF(27, 2), QPointF(30, 5), QPointF(17, 17), QPointF(15, 15)}));
    p.setBrush(QColor(230, 60, 60));
    p.drawEllipse(QRectF(10, 19, 10, 10));
    p.drawEllipse(QRectF(19, 17, 10, 10));
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    const std::pair<const char*, std::function<QImage()>> pictures[] = {
        {"imgKutta", kutta},
        {"imgNamida", namida},
        {"imgHappy", happy},
        {"imgNanda", nanda},
        {"imgSleep", sleepy},
        {"imgGaoh", gaoh},
        {"imgRedHeart", [] { return heart(114, 105, QColor(230, 30, 60), QStringLiteral("100")); }},
        {"imgGreenHeart", [] { return heart(67, 62, QColor(40, 170, 70), QString()); }},
        {"CrossCSR", crossCursor},
        {"ScissorsCSR", scissorsCursor},
    };
    QTextStream err(stderr);
    for (const auto& [name, paint] : pictures) {
        const QString path = folder + u'/' + QLatin1String(name) + QStringLiteral(".png");
        if (!paint().save(path)) {
            err << "cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
