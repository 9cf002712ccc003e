// Draws the program's artwork: the twelve skins, the logo, the window, toolbar
// and menu icons, the warning icon and the desktop icon in its theme sizes. Run at build time; the output is
// deterministic for a given font set.

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QtMath>

#include <cstdio>

namespace {

QString outDir;

bool save(const QImage &img, const QString &name)
{
    const QString path = outDir + QLatin1Char('/') + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!img.save(path, "PNG")) {
        std::fprintf(stderr, "mkartwork: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QImage canvas(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// ---------------------------------------------------------------- skins

struct palette
{
    QColor skyTop, skyLow, far, near, glow;
    bool moon;
};

const palette palettes[12] = {
    {QColor(38, 70, 83), QColor(120, 160, 160), QColor(86, 124, 128), QColor(33, 58, 66), QColor(255, 240, 200), false},   // 1 黛青
    {QColor(92, 48, 38), QColor(196, 132, 96), QColor(150, 92, 70), QColor(76, 40, 34), QColor(255, 214, 160), false},     // 2 赭石
    {QColor(36, 72, 52), QColor(128, 168, 120), QColor(80, 122, 88), QColor(28, 56, 40), QColor(240, 250, 210), false},    // 3 竹青
    {QColor(64, 36, 72), QColor(156, 118, 156), QColor(112, 80, 120), QColor(52, 30, 60), QColor(250, 220, 240), true},    // 4 绛紫
    {QColor(22, 40, 78), QColor(96, 128, 176), QColor(62, 88, 136), QColor(18, 32, 64), QColor(230, 238, 255), true},      // 5 藏蓝
    {QColor(40, 40, 44), QColor(132, 132, 136), QColor(88, 88, 94), QColor(30, 30, 34), QColor(250, 250, 240), true},      // 6 墨色
    {QColor(96, 78, 30), QColor(204, 178, 108), QColor(150, 126, 64), QColor(78, 62, 26), QColor(255, 244, 200), false},   // 7 秋香
    {QColor(70, 96, 120), QColor(180, 200, 214), QColor(128, 152, 172), QColor(58, 80, 102), QColor(255, 255, 255), true},  // 8 月白
    {QColor(110, 36, 40), QColor(214, 120, 100), QColor(160, 70, 66), QColor(90, 28, 34), QColor(255, 226, 180), false},   // 9 朱砂
    {QColor(30, 64, 92), QColor(112, 158, 182), QColor(70, 112, 140), QColor(24, 50, 74), QColor(236, 246, 255), false},   // 10 青黛 (default)
    {QColor(56, 62, 40), QColor(160, 164, 120), QColor(108, 114, 80), QColor(44, 50, 30), QColor(250, 246, 214), true},    // 11 苍绿
    {QColor(84, 56, 96), QColor(206, 160, 150), QColor(146, 104, 126), QColor(70, 44, 82), QColor(255, 228, 210), false},  // 12 暮霞
};

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

QPainterPath ridge(int w, int h, double base, double amplitude, QRandomGenerator &rng)
{
    double a[5], f[5], p[5];
    for (int i = 0; i < 5; ++i) {
        a[i] = amplitude / (i + 1) * (0.6 + 0.4 * rng.generateDouble());
        f[i] = (i + 1) * (1.1 + rng.generateDouble()) * 2 * M_PI / w;
        p[i] = rng.generateDouble() * 2 * M_PI;
    }
    QPainterPath path;
    path.moveTo(0, h);
    for (int x = 0; x <= w; x += 2) {
        double y = base;
        for (int i = 0; i < 5; ++i)
            y -= a[i] * (0.5 + 0.5 * qSin(f[i] * x + p[i]));
        path.lineTo(x, y);
    }
    path.lineTo(w, h);
    path.closeSubpath();
    return path;
}

QImage skin(int n)
{
    const int w = 800, h = 500;
    const palette &pal = palettes[n - 1];
    QRandomGenerator rng(quint32(1000 + n * 7919));
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 150);
    sky.setColorAt(0, pal.skyTop);
    sky.setColorAt(1, pal.skyLow);
    p.fillRect(img.rect(), sky);

    // A soft sun or moon behind the hills.
    const QPointF centre(w * (0.62 + 0.3 * rng.generateDouble()), 46 + 20 * rng.generateDouble());
    QRadialGradient glow(centre, pal.moon ? 60 : 110);
    QColor g = pal.glow;
    g.setAlpha(pal.moon ? 150 : 110);
    glow.setColorAt(0, g);
    g.setAlpha(0);
    glow.setColorAt(1, g);
    p.fillRect(img.rect(), glow);
    if (pal.moon) {
        QColor disc = pal.glow;
        disc.setAlpha(210);
        p.setPen(Qt::NoPen);
        p.setBrush(disc);
        p.drawEllipse(centre, 13, 13);
    }

    // Soft drifting clouds.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        const double cx = rng.bounded(w), cy = 20 + rng.bounded(45);
        const double rx = 70 + rng.bounded(90), ry = 6 + rng.bounded(6);
        QRadialGradient cloud(QPointF(cx, cy), rx);
        cloud.setColorAt(0, QColor(255, 255, 255, 40 + int(rng.bounded(20))));
        cloud.setColorAt(1, QColor(255, 255, 255, 0));
        p.save();
        p.translate(cx, cy);
        p.scale(1.0, ry / rx);
        p.translate(-cx, -cy);
        p.setBrush(cloud);
        p.drawEllipse(QPointF(cx, cy), rx, rx);
        p.restore();
    }

    // Three ranges of hills, far ones pale, near ones dark, with mist between.
    const double bases[3] = {112, 132, 158};
    const double amps[3] = {52, 44, 40};
    for (int layer = 0; layer < 3; ++layer) {
        const double t = layer / 2.0;
        QLinearGradient fill(0, bases[layer] - amps[layer] * 1.6, 0, bases[layer] + 60);
        fill.setColorAt(0, mix(pal.far, pal.near, t));
        fill.setColorAt(1, mix(mix(pal.far, pal.near, t), pal.skyLow, 0.35));
        p.setBrush(fill);
        p.drawPath(ridge(w, h, bases[layer], amps[layer], rng));
        if (layer == 2)
            break; // no mist below the nearest range
        QLinearGradient mist(0, bases[layer] - 6, 0, bases[layer] + 40);
        QColor m = pal.skyLow;
        m.setAlpha(0);
        mist.setColorAt(0, m);
        m.setAlpha(70);
        mist.setColorAt(0.6, m);
        m.setAlpha(0);
        mist.setColorAt(1, m);
        p.fillRect(QRectF(0, bases[layer] - 6, w, 46), mist);
    }
    // The lower body fades to a quiet tone (pages cover it in use).
    QLinearGradient body(0, 150, 0, h);
    QColor top = pal.near;
    top.setAlpha(0);
    body.setColorAt(0, top);
    body.setColorAt(0.35, mix(pal.near, pal.skyLow, 0.25));
    body.setColorAt(1, mix(pal.near, QColor(245, 245, 240), 0.55));
    p.fillRect(QRect(0, 150, w, h - 150), body);
    return img;
}

// ---------------------------------------------------------------- icons

QFont cjkFont(int pixelSize, bool serif)
{
    QFont f(serif ? QStringLiteral("Noto Serif CJK SC") : QStringLiteral("Noto Sans CJK SC"));
    f.setPixelSize(pixelSize);
    f.setWeight(QFont::Bold);
    return f;
}

QImage emblem(int size)
{
    QImage img = canvas(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // The white rim stays inside the picture at every size.
    const double rim = qMax(1.0, size / 24.0);
    const double r = size / 2.0 - qMax(1.0, rim / 2.0 + 0.5);
    const QPointF c(size / 2.0, size / 2.0);
    QRadialGradient fill(c * 0.8, r * 1.2);
    fill.setColorAt(0, QColor(64, 150, 136));
    fill.setColorAt(1, QColor(24, 84, 92));
    p.setPen(QPen(QColor(255, 255, 255, 230), rim));
    p.setBrush(fill);
    p.drawEllipse(c, r, r);
    // A stylised leaf with its vein.
    QPainterPath leaf;
    const double s = size / 48.0;
    leaf.moveTo(c.x() - 12 * s, c.y() + 12 * s);
    leaf.cubicTo(c.x() - 14 * s, c.y() - 6 * s, c.x() + 2 * s, c.y() - 15 * s, c.x() + 13 * s, c.y() - 13 * s);
    leaf.cubicTo(c.x() + 14 * s, c.y() + 2 * s, c.x() + 4 * s, c.y() + 14 * s, c.x() - 12 * s, c.y() + 12 * s);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 246, 228));
    p.drawPath(leaf);
    p.setPen(QPen(QColor(30, 96, 96), 1.6 * s, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x() - 12 * s, c.y() + 12 * s), QPointF(c.x() + 8 * s, c.y() - 8 * s));
    return img;
}

QImage titleLogo()
{
    QImage img = canvas(150, 40);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.drawImage(QPoint(2, 2), emblem(36));
    QFont f = cjkFont(17, true);
    p.setFont(f);
    p.setPen(QColor(0, 0, 0, 70));
    p.drawText(QRect(45, 1, 104, 40), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Lumicara"));
    p.setPen(Qt::white);
    p.drawText(QRect(44, 0, 104, 40), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Lumicara"));
    return img;
}

using glyph = void (*)(QPainter &, const QRectF &);

QImage windowButton(glyph draw)
{
    QImage img = canvas(27, 22);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    draw(p, QRectF(8.5, 6.5, 10, 9));
    return img;
}

void drawSkinGlyph(QPainter &p, const QRectF &r)
{
    QPainterPath shirt;
    shirt.moveTo(r.left() + 3, r.top());
    shirt.lineTo(r.left(), r.top() + 2.5);
    shirt.lineTo(r.left() + 1.5, r.top() + 4.5);
    shirt.lineTo(r.left() + 2.5, r.top() + 4);
    shirt.lineTo(r.left() + 2.5, r.bottom());
    shirt.lineTo(r.right() - 2.5, r.bottom());
    shirt.lineTo(r.right() - 2.5, r.top() + 4);
    shirt.lineTo(r.right() - 1.5, r.top() + 4.5);
    shirt.lineTo(r.right(), r.top() + 2.5);
    shirt.lineTo(r.right() - 3, r.top());
    shirt.quadTo(r.center().x(), r.top() + 2.5, r.left() + 3, r.top());
    p.drawPath(shirt);
}

void drawMenuGlyph(QPainter &p, const QRectF &r)
{
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(r.left(), r.top() + 1 + i * 3.5), QPointF(r.right(), r.top() + 1 + i * 3.5));
}

void drawMinGlyph(QPainter &p, const QRectF &r)
{
    p.drawLine(QPointF(r.left() + 1, r.bottom() - 1), QPointF(r.right() - 1, r.bottom() - 1));
}

void drawMaxGlyph(QPainter &p, const QRectF &r)
{
    p.drawRect(r.adjusted(1, 0.5, -1, -0.5));
}

void drawCloseGlyph(QPainter &p, const QRectF &r)
{
    const QRectF s = r.adjusted(1, 0.5, -1, -0.5);
    p.drawLine(s.topLeft(), s.bottomRight());
    p.drawLine(s.topRight(), s.bottomLeft());
}

QImage toolbarIcon(const QString &character, const QColor &accent)
{
    const int size = 48;
    QImage img = canvas(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF badge(3, 3, size - 6, size - 6);
    QLinearGradient fill(badge.topLeft(), badge.bottomLeft());
    QColor top = accent.lighter(125);
    top.setAlpha(235);
    QColor bottom = accent;
    bottom.setAlpha(235);
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
    p.setBrush(fill);
    p.drawRoundedRect(badge, 10, 10);
    p.setFont(cjkFont(25, true));
    p.setPen(QColor(255, 255, 255, 245));
    p.drawText(badge.adjusted(0, -2, 0, 0), Qt::AlignCenter, character);
    return img;
}

QImage menuIcon(int kind)
{
    const int size = 16;
    QImage img = canvas(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(46, 96, 112);
    p.setPen(QPen(ink, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QRectF r(1.5, 1.5, 13, 13);
    if (kind == 2) { // update: a circular arrow
        p.drawArc(r.adjusted(1, 1, -1, -1), 40 * 16, 280 * 16);
        QPainterPath head;
        head.moveTo(12.6, 1.8);
        head.lineTo(13.4, 6.2);
        head.lineTo(9.2, 5.2);
        p.setBrush(ink);
        p.drawPath(head);
        return img;
    }
    p.drawEllipse(r);
    QFont f(QStringLiteral("Noto Sans CJK SC"));
    f.setPixelSize(11);
    f.setWeight(QFont::Bold);
    p.setFont(f);
    p.drawText(r, Qt::AlignCenter, kind == 0 ? QStringLiteral("i") : QStringLiteral("?"));
    return img;
}

// The update program's window icon: the emblem with a turning arrow.
QImage updateIcon()
{
    const int size = 32;
    QImage img = emblem(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF badge(16, 16, 15, 15);
    p.setPen(QPen(QColor(255, 255, 255, 230), 1.2));
    p.setBrush(QColor(226, 142, 30));
    p.drawEllipse(badge);
    const QColor ink(255, 255, 255);
    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawArc(badge.adjusted(3.5, 3.5, -3.5, -3.5), 40 * 16, 280 * 16);
    QPainterPath head;
    head.moveTo(27.2, 17.8);
    head.lineTo(27.8, 22.4);
    head.lineTo(23.6, 21.2);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(head);
    return img;
}

QImage warningIcon()
{
    const int size = 64;
    QImage img = canvas(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tri;
    tri.moveTo(32, 5);
    tri.lineTo(60, 56);
    tri.lineTo(4, 56);
    tri.closeSubpath();
    QLinearGradient fill(0, 5, 0, 56);
    fill.setColorAt(0, QColor(250, 196, 72));
    fill.setColorAt(1, QColor(226, 142, 30));
    p.setPen(QPen(QColor(196, 116, 20), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(tri);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(29, 20, 6, 22), 3, 3);
    p.drawEllipse(QPointF(32, 48.5), 3.4, 3.4);
    return img;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: mkartwork OUTPUT_DIR\n");
        return 2;
    }
    outDir = app.arguments().at(1);
    bool ok = true;
    for (int n = 1; n <= 12; ++n)
        ok &= save(skin(n), QStringLiteral("skin/%1_200.png").arg(n));
    ok &= save(emblem(48), QStringLiteral("logo/logo48.png"));
    // The program's icon for the desktop, in the sizes of the icon theme.
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        ok &= save(emblem(size), QStringLiteral("hicolor/%1x%1/apps/lumicara.png").arg(size));
    ok &= save(titleLogo(), QStringLiteral("logo/logo.png"));
    ok &= save(windowButton(drawSkinGlyph), QStringLiteral("sysbutton/skin_button.png"));
    ok &= save(windowButton(drawMenuGlyph), QStringLiteral("sysbutton/main_menu.png"));
    ok &= save(windowButton(drawMinGlyph), QStringLiteral("sysbutton/min_button.png"));
    ok &= save(windowButton(drawMaxGlyph), QStringLiteral("sysbutton/max_button.png"));
    ok &= save(windowButton(drawCloseGlyph), QStringLiteral("sysbutton/close_button.png"));
    ok &= save(windowButton(drawCloseGlyph), QStringLiteral("sysbutton/close.png"));
    const struct { const char *name; const char *character; QColor accent; } tools[] = {
        {"list", "药", QColor(46, 134, 110)},    {"pair", "穴", QColor(184, 84, 64)},
        {"folk", "对", QColor(70, 110, 170)},    {"analysis", "析", QColor(150, 100, 40)},
        {"info", "方", QColor(110, 80, 150)},    {"diagnose", "诊", QColor(40, 120, 150)},
    };
    for (const auto &t : tools)
        ok &= save(toolbarIcon(QString::fromUtf8(t.character), t.accent), QStringLiteral("toolbar/%1.png").arg(QLatin1String(t.name)));
    ok &= save(menuIcon(0), QStringLiteral("menu/about.png"));
    ok &= save(menuIcon(1), QStringLiteral("menu/help.png"));
    ok &= save(menuIcon(2), QStringLiteral("menu/update.png"));
    ok &= save(warningIcon(), QStringLiteral("icon/warnning64.png"));
    ok &= save(updateIcon(), QStringLiteral("update/update.png"));
    return ok ? 0 : 1;
}
