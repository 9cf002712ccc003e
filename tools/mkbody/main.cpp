// mkbody: generates the body model of the 3D acupoint viewer and the places
// of the acupoints on it.
//
//   mkbody --model man.3ds --positions acu_positions.txt [--preview DIR]
//
// The figure is an implicit surface (bodyshape.cpp), meshed on a grid
// (surfacemesher.cpp); the acupoints are placed on that surface from their
// anatomical descriptions (acupointtable.cpp). The model is written in its
// own units: 4.6 units tall, standing along Z from -2.3 to 2.3, facing -Y.
// The positions file lists "X#Z#Y#CODE" (the second and third coordinates
// swapped, as the viewer reads them).

#include "acupointtable.h"
#include "bodyshape.h"
#include "modelwriter.h"
#include "previewrenderer.h"
#include "surfacemesher.h"

#include "text/wholefile.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {
const double unitsPerCm = 4.6 / 175.0;

vec3 toModel(const vec3 &p)
{
    return {p.x * unitsPerCm, p.y * unitsPerCm, p.z * unitsPerCm - 2.3};
}

QString number(double v)
{
    QString s = QString::number(v, 'f', 6);
    return s == QLatin1String("-0.000000") ? QStringLiteral("0.000000") : s;
}

void writePreviews(const QString &dir, const triangleMesh &mesh, const std::vector<acupointSpot> &spots,
                   const bodyShape &body)
{
    QDir().mkpath(dir);
    std::vector<std::pair<QString, vec3>> points;
    for (const acupointSpot &s : spots)
        points.emplace_back(QString::fromStdString(s.code), s.position);
    // The viewer's markers have a radius of 0.02 units.
    const previewRenderer r(mesh, points, 0.02 / unitsPerCm);
    const vec3 up(0, 0, 1);
    r.render(vec3(0, 1, 0), up, vec3(0, 0, 88), 5.0, 560, 920, false).save(dir + "/front.png");
    r.render(vec3(1, 0, 0), up, vec3(0, 0, 88), 5.0, 400, 920, false).save(dir + "/side.png");
    r.render(vec3(0, -1, 0), up, vec3(0, 0, 88), 5.0, 560, 920, false).save(dir + "/back.png");
    r.render(vec3(0, 1, 0), up, vec3(-3, -5, 160), 22, 600, 600, true).save(dir + "/head.png");
    r.render(vec3(1, 0, 0), up, vec3(0, 0, 161), 22, 600, 600, true).save(dir + "/headside.png");
    r.render(vec3(0, -1, 0), up, vec3(-3, 0, 160), 22, 600, 600, true).save(dir + "/headback.png");
    r.render(vec3(0, 1, 0), up, vec3(-8, 0, 122), 9, 600, 800, true).save(dir + "/trunkfront.png");
    r.render(vec3(0, -1, 0), up, vec3(-8, 0, 118), 9, 600, 800, true).save(dir + "/trunkback.png");
    r.render(vec3(1, 0, 0), up, vec3(0, 0, 115), 9, 600, 800, true).save(dir + "/trunkside.png");
    const bodySkeleton &s = body.skeleton();
    const vec3 arm = lerp(s.shoulder, s.wrist, 0.5);
    r.render(vec3(0, 1, 0), up, arm, 10, 500, 800, true).save(dir + "/armfront.png");
    r.render(vec3(0, -1, 0), up, arm, 10, 500, 800, true).save(dir + "/armback.png");
    const vec3 hand = s.hand.toWorld(vec3(6, 0, 0));
    r.render(vec3(0, 1, 0), up, hand, 30, 600, 700, true).save(dir + "/handpalm.png");
    r.render(vec3(0, -1, 0), up, hand, 30, 600, 700, true).save(dir + "/handback.png");
    const vec3 leg(-10, 0, 50);
    r.render(vec3(0, 1, 0), up, leg, 8, 400, 900, true).save(dir + "/legfront.png");
    r.render(vec3(1, 0, 0), up, leg, 8, 400, 900, true).save(dir + "/legouter.png");
    r.render(vec3(0, -1, 0), up, leg, 8, 400, 900, true).save(dir + "/legback.png");
    r.render(normalized(vec3(-1, 1.2, 0)), up, leg, 8, 400, 900, true).save(dir + "/leginner.png");
    const vec3 foot = s.foot.toWorld(vec3(4, 0, -4));
    r.render(vec3(1, 0, 0), up, foot, 25, 700, 400, true).save(dir + "/footouter.png");
    r.render(normalized(vec3(0, 1, -1.2)), up, foot, 25, 700, 500, true).save(dir + "/foottop.png");
}
} // namespace

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QString modelPath, positionsPath, previewDir;
    double step = 0.45;
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        if (args.isEmpty()) {
            std::fprintf(stderr, "mkbody: %s needs a value\n", qPrintable(a));
            return 2;
        }
        if (a == QLatin1String("--model"))
            modelPath = args.takeFirst();
        else if (a == QLatin1String("--positions"))
            positionsPath = args.takeFirst();
        else if (a == QLatin1String("--preview"))
            previewDir = args.takeFirst();
        else if (a == QLatin1String("--step"))
            step = args.takeFirst().toDouble();
        else {
            std::fprintf(stderr, "usage: mkbody [--model FILE.3ds] [--positions FILE] [--preview DIR] [--step CM]\n");
            return 2;
        }
    }

    const bodyShape body;
    const surfaceMesher mesher([&body](const vec3 &p) { return body.distance(p); }, vec3(-50, -26, -1),
                               vec3(50, 18, 177), step);
    const triangleMesh mesh = mesher.build(3);
    const acupointPlacer placer(body);
    const std::vector<acupointSpot> spots = placeAcupoints(placer);

    if (!modelPath.isEmpty()) {
        triangleMesh model = mesh;
        for (vec3 &v : model.vertices)
            v = toModel(v);
        std::string error;
        if (!modelWriter::write3ds(model, modelPath.toStdString(), &error)) {
            std::fprintf(stderr, "mkbody: cannot write %s: %s\n", qPrintable(modelPath), error.c_str());
            return 1;
        }
    }
    if (!positionsPath.isEmpty()) {
        QStringList lines;
        for (const acupointSpot &s : spots) {
            const vec3 m = toModel(s.position);
            lines << number(m.x) + QLatin1Char('#') + number(m.z) + QLatin1Char('#') + number(m.y) + QLatin1Char('#')
                    + QString::fromStdString(s.code);
        }
        const QByteArray text = lines.join(QLatin1Char('\n')).toLatin1();
        if (!writeWholeFile(positionsPath, text)) {
            std::fprintf(stderr, "mkbody: cannot write %s\n", qPrintable(positionsPath));
            return 1;
        }
    }
    if (!previewDir.isEmpty()) {
        // Pictures are drawn without a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        writePreviews(previewDir, mesh, spots, body);
    }
    std::printf("mkbody: %zu vertices, %zu triangles, %zu acupoints\n", mesh.vertices.size(), mesh.triangles.size(),
                spots.size());
    return 0;
}
