// Draws the two pictures of the logo window:
//   data/pictures/logo.png         800 x 533, the start-up logo
//   data/pictures/logo-second.png  240 x 133, the badge that appears after a second
//
// Usage: make_pictures <repository root>
// Run it with QT_QPA_PLATFORM=offscreen (make_pictures.sh does); no window is opened.
// Everything is drawn from fixed numbers, so every run gives the same pictures.

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QPolygonF>
#include <QRadialGradient>
#include <QRectF>
#include <QString>
#include <QTextStream>

#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

// Rough outline of Texas, longitude and latitude in degrees, clockwise from the
// north-west corner of the Panhandle.
constexpr std::array<QPointF, 44> TexasOutline{{
    {-103.04, 36.50}, {-100.00, 36.50}, {-100.00, 34.56}, // Panhandle
    {-99.40, 34.38},  {-98.60, 34.15},  {-97.95, 33.90},  {-97.20, 33.83},
    {-96.40, 33.78},  {-95.60, 33.92},  {-95.00, 33.86},  {-94.45, 33.62},
    {-94.04, 33.55},                                      // Red River
    {-94.04, 32.00},  {-93.80, 31.60},  {-93.55, 31.10},  {-93.60, 30.50},
    {-93.72, 30.05},  {-93.85, 29.70},                    // Sabine River
    {-94.50, 29.50},  {-94.90, 29.30},  {-95.30, 28.95},  {-96.00, 28.60},
    {-96.60, 28.30},  {-97.00, 28.00},  {-97.30, 27.60},  {-97.40, 27.00},
    {-97.30, 26.40},  {-97.15, 25.95},                    // Gulf coast
    {-97.50, 25.88},  {-98.20, 26.06},  {-98.80, 26.37},  {-99.20, 26.90},
    {-99.50, 27.50},  {-100.10, 28.10}, {-100.45, 28.70}, {-100.90, 29.35},
    {-101.40, 29.77}, {-102.35, 29.80}, {-102.85, 29.25}, {-103.15, 28.98},
    {-104.00, 29.35}, {-104.70, 30.00}, {-105.60, 31.10}, {-106.53, 31.78}, // Rio Grande
}};

// The New Mexico border closes the outline back to the first point.
constexpr QPointF WestCorner{-103.06, 32.00};

QString pickFamily()
{
    const QStringList families = QFontDatabase::families();
    for (const char* wanted : {"DejaVu Sans", "Liberation Sans", "Noto Sans", "FreeSans"}) {
        const QString name = QString::fromLatin1(wanted);
        if (families.contains(name, Qt::CaseInsensitive))
            return name;
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont makeFont(const QString& family, qreal pixels, int weight = QFont::Normal)
{
    QFont font(family);
    font.setPixelSize(static_cast<int>(std::lround(pixels)));
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// Maps longitude and latitude into a rectangle so that the whole outline fits it,
// keeping its proportions (a plain equirectangular view around 31 degrees north).
class StateProjection {
public:
    explicit StateProjection(const QRectF& box)
    {
        QPolygonF raw;
        for (const QPointF& p : TexasOutline)
            raw << flat(p);
        raw << flat(WestCorner);
        const QRectF bounds = raw.boundingRect();
        scale_ = std::min(box.width() / bounds.width(), box.height() / bounds.height());
        offset_ = QPointF(box.center().x() - bounds.center().x() * scale_,
                          box.center().y() - bounds.center().y() * scale_);
    }

    QPointF map(QPointF lonLat) const { return flat(lonLat) * scale_ + offset_; }

    QPolygonF outline() const
    {
        QPolygonF out;
        for (const QPointF& p : TexasOutline)
            out << map(p);
        out << map(WestCorner);
        return out;
    }

private:
    static QPointF flat(QPointF lonLat)
    {
        static const qreal lonScale = std::cos(31.0 * std::numbers::pi / 180.0);
        return {lonLat.x() * lonScale, -lonLat.y()};
    }

    qreal scale_ = 1;
    QPointF offset_;
};

QPainterPath starPath(QPointF centre, qreal outer, qreal inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 == 0) ? outer : inner;
        const qreal a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const QPointF p(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

// Concentric arcs opening to the right of `origin`, fading outwards.
void drawWaves(QPainter& p, QPointF origin, qreal firstRadius, qreal step, int count,
               qreal spanDegrees, qreal width, const QColor& colour)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < count; ++i) {
        QColor c = colour;
        c.setAlphaF(colour.alphaF() * (1.0 - 0.75 * i / std::max(1, count - 1)));
        QPen pen(c, width, Qt::SolidLine, Qt::RoundCap);
        p.setPen(pen);
        const qreal r = firstRadius + i * step;
        const QRectF rect(origin.x() - r, origin.y() - r, 2 * r, 2 * r);
        p.drawArc(rect, static_cast<int>(-spanDegrees / 2 * 16), static_cast<int>(spanDegrees * 16));
    }
    p.restore();
}

QImage drawLogo(const QString& family)
{
    constexpr int W = 800;
    constexpr int H = 533;
    QImage img(W, H, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    // Background: dark blue to teal, with a soft glow behind the state.
    QLinearGradient bg(0, 0, W, H);
    bg.setColorAt(0.0, QColor(8, 22, 52));
    bg.setColorAt(0.55, QColor(10, 58, 88));
    bg.setColorAt(1.0, QColor(14, 112, 114));
    p.fillRect(img.rect(), bg);

    QRadialGradient glow(QPointF(205, 250), 260);
    glow.setColorAt(0.0, QColor(64, 200, 210, 70));
    glow.setColorAt(1.0, QColor(64, 200, 210, 0));
    p.fillRect(img.rect(), glow);

    // Faint latitude lines for a map feeling.
    p.setPen(QPen(QColor(255, 255, 255, 14), 1));
    for (int y = 40; y < H; y += 40)
        p.drawLine(0, y, W, y);

    // Texas silhouette.
    const QRectF stateBox(22, 62, 326, 350);
    const StateProjection projection(stateBox);
    const QPolygonF texas = projection.outline();
    QLinearGradient fill(stateBox.topLeft(), stateBox.bottomRight());
    fill.setColorAt(0.0, QColor(120, 220, 225, 120));
    fill.setColorAt(1.0, QColor(30, 150, 160, 90));
    p.setBrush(fill);
    p.setPen(QPen(QColor(190, 245, 245, 230), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(texas);

    // Lone star near the middle of the state, with radio waves leaving it.
    const QPointF star = projection.map({-99.2, 31.3});
    drawWaves(p, star, 32, 22, 7, 70, 3.2, QColor(255, 214, 120, 210));
    p.setPen(QPen(QColor(120, 70, 0, 160), 1.2));
    p.setBrush(QColor(255, 206, 84));
    p.drawPath(starPath(star, 22, 9));

    // Title block.
    const qreal textLeft = 404;
    const qreal textRight = W - 30;
    // The largest bold size up to 64 pixels at which the title fits the space.
    QFont title = makeFont(family, 64, QFont::Bold);
    for (int px = 64; px > 24; --px) {
        title = makeFont(family, px, QFont::Bold);
        if (QFontMetricsF(title).horizontalAdvance(QStringLiteral("Brevant Log")) <= textRight - textLeft)
            break;
    }
    p.setFont(title);
    const QFontMetricsF titleMetrics(title);
    const qreal titleBase = 196;
    // Soft shadow first.
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(QPointF(textLeft + 3, titleBase + 3), QStringLiteral("Brevant Log"));
    p.setPen(QColor(255, 255, 255));
    p.drawText(QPointF(textLeft, titleBase), QStringLiteral("Brevant Log"));

    const qreal titleWidth = titleMetrics.horizontalAdvance(QStringLiteral("Brevant Log"));
    QLinearGradient rule(textLeft, 0, textLeft + titleWidth, 0);
    rule.setColorAt(0.0, QColor(255, 206, 84, 230));
    rule.setColorAt(1.0, QColor(255, 206, 84, 0));
    p.fillRect(QRectF(textLeft, titleBase + 18, titleWidth, 3), rule);

    QFont sub = makeFont(family, 25);
    p.setFont(sub);
    p.setPen(QColor(200, 240, 242));
    p.drawText(QPointF(textLeft + 2, titleBase + 58), QStringLiteral("Texas QSO Party Logger"));

    QFont small = makeFont(family, 16);
    p.setFont(small);
    p.setPen(QColor(160, 210, 215));
    p.drawText(QPointF(textLeft + 2, titleBase + 92),
               QStringLiteral("254 counties  \u00b7  CW  \u00b7  Phone  \u00b7  Digital"));

    // Maker's name, bottom left.
    QFont maker = makeFont(family, 19, QFont::DemiBold);
    p.setFont(maker);
    p.setPen(QColor(220, 235, 240, 230));
    p.drawText(QPointF(26, H - 24), QStringLiteral("Vexol Software"));

    // Thin frame.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 40), 2));
    p.drawRect(QRectF(1, 1, W - 2, H - 2));

    p.end();
    return img;
}

void drawAntenna(QPainter& p, QPointF base, qreal height)
{
    // A lattice mast with a dipole on top and waves from its tip.
    const QPointF top(base.x(), base.y() - height);
    const qreal half = height * 0.22;
    QPen pen(QColor(255, 255, 255), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(base.x() - half, base.y()), top);
    p.drawLine(QPointF(base.x() + half, base.y()), top);
    const int rungs = 4;
    for (int i = 1; i <= rungs; ++i) {
        const qreal t = static_cast<qreal>(i) / (rungs + 1);
        const qreal y = base.y() - height * t;
        const qreal w = half * (1 - t);
        p.drawLine(QPointF(base.x() - w, y), QPointF(base.x() + w, y));
    }
    p.drawLine(QPointF(top.x() - height * 0.28, top.y() + 4), QPointF(top.x() + height * 0.28, top.y() + 4));
    p.setBrush(QColor(255, 206, 84));
    p.setPen(Qt::NoPen);
    p.drawEllipse(top, 3.6, 3.6);
    drawWaves(p, top, 10, 8, 3, 80, 2.2, QColor(255, 206, 84, 240));
    p.save();
    p.translate(top);
    p.scale(-1, 1);
    drawWaves(p, QPointF(0, 0), 10, 8, 3, 80, 2.2, QColor(255, 206, 84, 240));
    p.restore();
}

QImage drawBadge(const QString& family)
{
    constexpr int W = 240;
    constexpr int H = 133;
    QImage img(W, H, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRectF card(3, 3, W - 6, H - 6);
    QLinearGradient bg(card.topLeft(), card.bottomRight());
    bg.setColorAt(0.0, QColor(12, 40, 78));
    bg.setColorAt(1.0, QColor(16, 124, 126));
    p.setPen(QPen(QColor(200, 245, 245, 220), 2.2));
    p.setBrush(bg);
    p.drawRoundedRect(card, 18, 18);

    drawAntenna(p, QPointF(58, 112), 66);

    QFont version = makeFont(family, 46, QFont::Bold);
    p.setFont(version);
    p.setPen(QColor(255, 255, 255));
    const QRectF textArea(104, 16, 126, 64);
    p.drawText(textArea, Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("v2.3"));

    QFont caption = makeFont(family, 14);
    p.setFont(caption);
    p.setPen(QColor(200, 240, 242));
    p.drawText(QRectF(104, 82, 126, 20), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("Brevant Log"));
    QFont tiny = makeFont(family, 11);
    p.setFont(tiny);
    p.setPen(QColor(160, 215, 218));
    p.drawText(QRectF(104, 102, 126, 16), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("Vexol Software"));

    p.end();
    return img;
}

bool save(const QImage& img, const QString& path)
{
    if (!img.save(path, "PNG")) {
        std::fprintf(stderr, "make_pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("wrote %s (%d x %d)\n", qPrintable(path), img.width(), img.height());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures <repository root>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QString outDir = root.filePath(QStringLiteral("data/pictures"));
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "make_pictures: cannot create %s\n", qPrintable(outDir));
        return 1;
    }
    const QString family = pickFamily();
    std::printf("font: %s\n", qPrintable(family));

    bool ok = save(drawLogo(family), QDir(outDir).filePath(QStringLiteral("logo.png")));
    ok = save(drawBadge(family), QDir(outDir).filePath(QStringLiteral("logo-second.png"))) && ok;
    return ok ? 0 : 1;
}
