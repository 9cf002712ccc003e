// The 3D viewer's scene layer without a display: rays, boxes, camera and
// viewport, picking, the mouse movers, the model reader, and the generated
// body model with the acupoint positions on it.

#include "testsupport.h"

#include "acupuncture/acuposition.h"
#include "acupuncture/scene/scenebox.h"
#include "acupuncture/scene/scenemodelreader.h"
#include "acupuncture/scene/scenemovercontroller.h"
#include "acupuncture/scene/scenepicker.h"
#include "acupuncture/scene/sceneray.h"
#include "acupuncture/scene/sceneviewport.h"
#include "acupuncture/scene/sceneworld.h"

#include <QFile>
#include <QImage>
#include <QtTest>

#include <assimp/Exporter.hpp>
#include <assimp/scene.h>

#include <memory>

namespace {
// The viewer's starting view: orthographic, Z up, front view, framed on the
// box left when the fixed inset is taken off an empty world.
sceneViewport startingView(int width = 800, int height = 500)
{
    sceneViewport v;
    v.setWinGLSize(width, height);
    v.camera().setDefaultUpVector(QVector3D(0, 0, 1));
    v.camera().setFrontView();
    v.setToOrtho(true);
    v.reframe(sceneBox().inset(QVector3D(1.8f, 0.18f, 1.4f)), 2.2f);
    return v;
}

sceneMaterial plain()
{
    return sceneMaterial();
}

// Writes a one-triangle 3DS file with texture coordinates and a diffuse
// texture name, the triangle's top corner at z = 2.
bool writeTexturedTriangle(const QString &path, const char *textureName)
{
    auto scene = std::make_unique<aiScene>();
    scene->mRootNode = new aiNode("root");
    scene->mRootNode->mNumMeshes = 1;
    scene->mRootNode->mMeshes = new unsigned[1]{0};
    auto *material = new aiMaterial;
    const aiString name("skin");
    material->AddProperty(&name, AI_MATKEY_NAME);
    const aiColor3D diffuse(0.5f, 0.25f, 1.0f);
    material->AddProperty(&diffuse, 1, AI_MATKEY_COLOR_DIFFUSE);
    const aiString texture(textureName);
    material->AddProperty(&texture, AI_MATKEY_TEXTURE_DIFFUSE(0));
    scene->mNumMaterials = 1;
    scene->mMaterials = new aiMaterial *[1]{material};
    auto *mesh = new aiMesh;
    mesh->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
    mesh->mNumVertices = 3;
    mesh->mVertices = new aiVector3D[3]{{0, 0, 0}, {1, 0, 0}, {0, 0, 2}};
    mesh->mTextureCoords[0] = new aiVector3D[3]{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    mesh->mNumUVComponents[0] = 2;
    mesh->mNumFaces = 1;
    mesh->mFaces = new aiFace[1];
    mesh->mFaces[0].mNumIndices = 3;
    mesh->mFaces[0].mIndices = new unsigned[3]{0, 1, 2};
    scene->mNumMeshes = 1;
    scene->mMeshes = new aiMesh *[1]{mesh};
    Assimp::Exporter exporter;
    return exporter.Export(scene.get(), "3ds", path.toStdString()) == AI_SUCCESS;
}

bool indicesValid(const QList<sceneModelReader::part> &parts)
{
    for (const auto &p : parts)
        for (quint32 i : p.mesh.indices)
            if (i >= quint32(p.mesh.positions.size()))
                return false;
    return true;
}

QString builtModel()
{
    return QStringLiteral(LC_BINARY_DIR "/data/man.3ds");
}
} // namespace

class tst_scene : public QObject
{
    Q_OBJECT
private slots:
    void raySphere_data()
    {
        QTest::addColumn<QVector3D>("origin");
        QTest::addColumn<QVector3D>("direction");
        QTest::addColumn<bool>("hit");
        QTest::addColumn<float>("t");
        QTest::newRow("straight at it") << QVector3D(0, -5, 0) << QVector3D(0, 1, 0) << true << 4.0f;
        QTest::newRow("grazing inside") << QVector3D(0.9f, -5, 0) << QVector3D(0, 1, 0) << true << float(5 - std::sqrt(1 - 0.81));
        QTest::newRow("beside it") << QVector3D(1.1f, -5, 0) << QVector3D(0, 1, 0) << false << 0.0f;
        QTest::newRow("behind the origin") << QVector3D(0, 5, 0) << QVector3D(0, 1, 0) << false << 0.0f;
        QTest::newRow("from inside") << QVector3D(0, 0, 0) << QVector3D(0, 0, 1) << true << 1.0f;
        QTest::newRow("unnormalised direction") << QVector3D(0, -5, 0) << QVector3D(0, 7, 0) << true << 4.0f;
    }

    void raySphere()
    {
        QFETCH(QVector3D, origin);
        QFETCH(QVector3D, direction);
        QFETCH(bool, hit);
        QFETCH(float, t);
        float got = -1;
        QCOMPARE(sceneRay(origin, direction).intersectSphere(QVector3D(0, 0, 0), 1.0f, &got), hit);
        if (hit)
            QVERIFY2(std::fabs(got - t) < 1e-4f, qPrintable(QString::number(got)));
    }

    void rayTriangle_data()
    {
        QTest::addColumn<QVector3D>("origin");
        QTest::addColumn<QVector3D>("direction");
        QTest::addColumn<bool>("hit");
        QTest::newRow("through it") << QVector3D(0.2f, -3, 0.2f) << QVector3D(0, 1, 0) << true;
        QTest::newRow("from behind") << QVector3D(0.2f, 3, 0.2f) << QVector3D(0, -1, 0) << true;
        QTest::newRow("past the long edge") << QVector3D(0.6f, -3, 0.6f) << QVector3D(0, 1, 0) << false;
        QTest::newRow("left of it") << QVector3D(-0.1f, -3, 0.2f) << QVector3D(0, 1, 0) << false;
        QTest::newRow("below it") << QVector3D(0.2f, -3, -0.1f) << QVector3D(0, 1, 0) << false;
        QTest::newRow("along its plane") << QVector3D(-1, 0, 0.2f) << QVector3D(1, 0, 0) << false;
        QTest::newRow("pointing away") << QVector3D(0.2f, -3, 0.2f) << QVector3D(0, -1, 0) << false;
    }

    void rayTriangle()
    {
        QFETCH(QVector3D, origin);
        QFETCH(QVector3D, direction);
        QFETCH(bool, hit);
        // The triangle (0,0,0) (1,0,0) (0,0,1) in the plane y = 0.
        float t = -1;
        QCOMPARE(sceneRay(origin, direction).intersectTriangle({0, 0, 0}, {1, 0, 0}, {0, 0, 1}, &t), hit);
        if (hit)
            QCOMPARE(t, 3.0f);
    }

    void boxes()
    {
        sceneBox b;
        QVERIFY(b.isEmpty());
        b.combine(QVector3D(1, -2, 3));
        b.combine(QVector3D(-1, 2, 5));
        QCOMPARE(b.center(), QVector3D(0, 0, 4));
        QCOMPARE(b.size(), QVector3D(2, 4, 2));
        QCOMPARE(b.radius(), float(std::sqrt(24.0) / 2));
        // The framing box of an empty world is inverted, its extent counts.
        const sceneBox framing = sceneBox().inset(QVector3D(1.8f, 0.18f, 1.4f));
        QVERIFY(!framing.isEmpty());
        QCOMPARE(framing.lower(), QVector3D(1.8f, 0.18f, 1.4f));
        QCOMPARE(framing.center(), QVector3D(0, 0, 0));
        QCOMPARE(framing.size(), QVector3D(3.6f, 0.36f, 2.8f));
    }

    void startingViewLooksAtTheFront()
    {
        const sceneViewport v = startingView();
        const sceneCamera &c = v.camera();
        QVERIFY((c.forward() - QVector3D(0, 1, 0)).length() < 1e-5f);   // from -Y toward +Y
        QVERIFY((c.upVector() - QVector3D(0, 0, 1)).length() < 1e-5f);
        QVERIFY((c.right() - QVector3D(1, 0, 0)).length() < 1e-5f);
        QVERIFY(c.target().length() < 1e-5f);
        QVERIFY(v.isOrtho());
        // The window's shorter side spans 2.2 radii of the framing box.
        const float radius = std::sqrt(3.6f * 3.6f + 0.36f * 0.36f + 2.8f * 2.8f) / 2;
        QVERIFY(std::fabs(v.viewHeight() - 2.2f * radius) < 1e-4f);
        const sceneViewport tall = startingView(400, 800);
        QVERIFY(std::fabs(tall.viewHeight() - 2.2f * radius * 2.0f) < 1e-4f);
        // The origin is in the middle of the window, +X to the right, +Z up.
        const QPointF middle = v.project(QVector3D(0, 0, 0));
        QVERIFY(std::fabs(middle.x() - 400) < 0.01 && std::fabs(middle.y() - 250) < 0.01);
        QVERIFY(v.project(QVector3D(1, 0, 0)).x() > 400);
        QVERIFY(v.project(QVector3D(0, 0, 1)).y() < 250);
    }

    void rayThroughAWindowPointMeetsWhatIsDrawnThere_data()
    {
        QTest::addColumn<bool>("ortho");
        QTest::newRow("orthographic") << true;
        QTest::newRow("perspective") << false;
    }

    void rayThroughAWindowPointMeetsWhatIsDrawnThere()
    {
        QFETCH(bool, ortho);
        sceneViewport v = startingView();
        v.setToOrtho(ortho);
        v.reframe(sceneBox(QVector3D(-1, -1, -2), QVector3D(1, 1, 2)), 2.2f);
        v.setDistMinAndMax(sceneBox(QVector3D(-1, -1, -2), QVector3D(1, 1, 2)));
        for (const QVector3D &p : {QVector3D(0.5f, 0.2f, 1.5f), QVector3D(-0.7f, -0.9f, -1.2f)}) {
            const QPointF w = v.project(p);
            const sceneRay ray = v.rayAt(w.x(), w.y());
            // The point lies on the ray.
            const QVector3D toPoint = p - ray.origin();
            const float along = QVector3D::dotProduct(toPoint, ray.direction());
            QVERIFY(along > 0);
            QVERIFY2((ray.pointAt(along) - p).length() < 1e-3f, ortho ? "ortho" : "perspective");
        }
    }

    // A ray through a marker's centre picks it; one that meets the body
    // first picks the body, never the marker behind it.
    void picking()
    {
        sceneWorld world;
        const auto ball = std::make_shared<const sceneMesh>(sceneMesh::sphere(1.0f, 16, 24));
        const quint32 body = world.addOccurrence(sceneOccurrence(ball, plain()));
        const auto dot = std::make_shared<const sceneMesh>(sceneMesh::sphere(0.02f, 6, 8));
        sceneOccurrence front(dot, plain());
        front.translate(QVector3D(0.3f, -1.0f, 0.0f)); // on the near side
        front.setPickRadius(0.02f);
        const quint32 frontId = world.addOccurrence(front);
        sceneOccurrence back(dot, plain());
        back.translate(QVector3D(-0.3f, 1.0f, 0.0f)); // on the far side
        back.setPickRadius(0.02f);
        const quint32 backId = world.addOccurrence(back);
        sceneOccurrence beside(dot, plain());
        beside.translate(QVector3D(2.0f, 0.0f, 0.0f));
        beside.setPickRadius(0.02f);
        const quint32 besideId = world.addOccurrence(beside);
        QVERIFY(body != frontId && frontId != backId && backId != besideId && body != 0);

        const sceneViewport v = startingView();
        const auto pickAt = [&](const QVector3D &p) {
            const QPointF w = v.project(p);
            return scenePicker::pick(world, v.rayAt(w.x(), w.y()));
        };
        QCOMPARE(pickAt(QVector3D(0.3f, -1.0f, 0.0f)), frontId);
        QCOMPARE(pickAt(QVector3D(-0.3f, 1.0f, 0.0f)), body);    // hidden behind the body
        QCOMPARE(pickAt(QVector3D(2.0f, 0.0f, 0.0f)), besideId);
        QCOMPARE(pickAt(QVector3D(0.0f, 0.0f, 0.5f)), body);
        QCOMPARE(pickAt(QVector3D(3.0f, 0.0f, 2.0f)), quint32(0));
        // Hidden occurrences are not picked: the ray goes on to what is behind.
        world.occurrence(frontId)->setVisible(false);
        QCOMPARE(pickAt(QVector3D(0.3f, -1.0f, 0.0f)), body);
        world.occurrence(besideId)->setVisible(false);
        QCOMPARE(pickAt(QVector3D(2.0f, 0.0f, 0.0f)), quint32(0));
        // Seen from behind, the far marker is the near one.
        sceneViewport behind = v;
        behind.camera().rotateAroundTarget(QQuaternion::fromAxisAndAngle(QVector3D(0, 0, 1), 180));
        const QPointF w = behind.project(QVector3D(-0.3f, 1.0f, 0.0f));
        QCOMPARE(scenePicker::pick(world, behind.rayAt(w.x(), w.y())), backId);
    }

    void worldIds()
    {
        sceneWorld world;
        QVERIFY(world.isEmpty());
        QVERIFY(world.boundingBox().isEmpty());
        const auto dot = std::make_shared<const sceneMesh>(sceneMesh::sphere(0.5f, 4, 6));
        sceneOccurrence o(dot, plain());
        o.translate(QVector3D(10, 0, 0));
        const quint32 a = world.addOccurrence(o);
        const quint32 b = world.addOccurrence(o);
        QVERIFY(a != 0 && a != b);
        QVERIFY(world.contains(b));
        QVERIFY(!world.contains(b + 1));
        QVERIFY(world.occurrence(b + 1) == nullptr);
        QCOMPARE(world.occurrence(a)->id(), a);
        // Each occurrence keeps its own material.
        world.occurrence(a)->material().setDiffuseColor(Qt::blue);
        QVERIFY(world.occurrence(b)->material().diffuseColor() != QColor(Qt::blue));
        QCOMPARE(world.boundingBox().center(), QVector3D(10, 0, 0));
    }

    void sphereMesh()
    {
        const sceneMesh m = sceneMesh::sphere(0.02f, 8, 12);
        QVERIFY(m.triangleCount() > 0);
        for (qsizetype i = 0; i < m.positions.size(); ++i) {
            QVERIFY(std::fabs(m.positions[i].length() - 0.02f) < 1e-6f);
            QVERIFY(std::fabs(m.normals[i].length() - 1.0f) < 1e-5f);
        }
        // Every triangle faces outward (counter-clockwise seen from outside).
        for (qsizetype i = 0; i < m.indices.size(); i += 3) {
            const QVector3D a = m.positions[m.indices[i]], b = m.positions[m.indices[i + 1]], c = m.positions[m.indices[i + 2]];
            QVERIFY(QVector3D::dotProduct(QVector3D::crossProduct(b - a, c - a), a + b + c) > 0);
        }
        QCOMPARE(m.distanceTo(QVector3D(0, 0, 1)), 1.0f - 0.02f);
    }

    // Dragging with the right button turns the scene with the mouse: a point
    // on the near side follows the pointer; the camera keeps its distance.
    void trackBall()
    {
        sceneViewport v = startingView();
        sceneMoverController mover(&v, QColor::fromRgbF(1.0f, 0.2f, 0.2f));
        const QVector3D nearSide(0, -1, 0), top(0, 0, 2);
        const QPointF before = v.project(nearSide);
        const float distance = v.camera().distance();
        mover.setActiveMover(sceneMoverController::trackBall, 400, 250);
        QVERIFY(mover.hasActiveMover());
        for (int x = 405; x <= 460; x += 5)
            mover.move(x, 250);
        QVERIFY(v.project(nearSide).x() > before.x() + 10);
        QVERIFY(std::fabs(v.camera().distance() - distance) < 1e-3f);
        // A horizontal drag turns about the vertical: the top stays on top.
        QVERIFY(std::fabs(v.project(top).x() - 400) < 1.0);
        mover.setNoMover();
        QVERIFY(!mover.hasActiveMover());
        // Dragging down brings the top toward the viewer and down the window.
        const double topBefore = v.project(top).y();
        mover.setActiveMover(sceneMoverController::trackBall, 400, 250);
        mover.move(400, 300);
        QVERIFY(v.project(top).y() > topBefore + 5);
    }

    void zoom()
    {
        sceneViewport v = startingView();
        sceneMoverController mover(&v, Qt::red);
        const float h = v.viewHeight();
        // The point pressed on stays under the pointer.
        const QVector3D face(-0.1f, 0.0f, 2.0f);
        const QPointF anchor = v.project(face);
        mover.setActiveMover(sceneMoverController::zoom, anchor.x(), anchor.y());
        mover.move(anchor.x(), anchor.y() - 150);
        QVERIFY(v.viewHeight() < h * 0.5f);
        QVERIFY((v.project(face) - anchor).manhattanLength() < 0.01);
        QVERIFY((v.project(QVector3D(0, 0, 0)) - v.project(face)).manhattanLength() > (QPointF(400, 250) - anchor).manhattanLength() * 1.5);
        mover.setNoMover();
        v = startingView();
        mover.setActiveMover(sceneMoverController::zoom, 400, 300);
        mover.move(400, 200); // upward: closer
        QVERIFY(v.viewHeight() < h * 0.7f);
        mover.move(400, 300); // back to where it started
        QVERIFY(std::fabs(v.viewHeight() - h) < h * 1e-4f);
        mover.move(400, 400); // downward: farther
        QVERIFY(v.viewHeight() > h * 1.4f);
        // Only the track ball shows its outline, in the controller's colour.
        QVERIFY(!mover.activeMoverRep().visible);
        mover.setActiveMover(sceneMoverController::trackBall, 1, 1);
        const auto rep = mover.activeMoverRep();
        QVERIFY(rep.visible);
        QCOMPARE(rep.color, QColor(Qt::red));
        QCOMPARE(rep.centre, QPointF(400, 250));
        mover.setActiveMover(7, 1, 1); // not a mover
        QVERIFY(!mover.hasActiveMover());
    }

    void modelReaderTextures()
    {
        const QString dir = freshTestDir(QStringLiteral("modelreader"));
        const QString model = dir + QStringLiteral("/tri.3ds");
        QVERIFY(writeTexturedTriangle(model, "skin.JPG"));
        sceneModelReader reader;
        reader.setResourcePrefix(dir + QStringLiteral("/data/"));
        reader.setTextureNameFilter([](const QString &n) {
            QString r = n;
            return r.replace(QStringLiteral("JPG"), QStringLiteral("PNG"));
        });
        QCOMPARE(reader.texturePath(QStringLiteral("maps\\skin.JPG")), dir + QStringLiteral("/data/skin.PNG"));
        QCOMPARE(reader.texturePath(QStringLiteral("skin.jpg")), dir + QStringLiteral("/data/skin.jpg"));

        // Only the renamed picture counts.
        QDir().mkpath(dir + QStringLiteral("/data"));
        QImage red(4, 4, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(dir + QStringLiteral("/data/skin.JPG"), "PNG"));
        QList<sceneModelReader::part> parts = reader.read(model);
        QCOMPARE(parts.size(), 1);
        QVERIFY(!parts.first().material.hasTexture());
        QVERIFY(red.save(dir + QStringLiteral("/data/skin.PNG"), "PNG"));
        parts = reader.read(model);
        QCOMPARE(parts.size(), 1);
        const sceneModelReader::part &p = parts.first();
        QVERIFY(p.material.hasTexture());
        QCOMPARE(p.material.texture().pixelColor(1, 1), QColor(Qt::red));
        QCOMPARE(p.mesh.triangleCount(), 1);
        QCOMPARE(p.material.diffuseColor().blue(), 255);
        // The model keeps its own axes: the corner at z = 2 stays there.
        const sceneBox box = p.mesh.boundingBox();
        QVERIFY(std::fabs(box.upper().z() - 2.0f) < 1e-5f);
        QVERIFY(std::fabs(box.size().y()) < 1e-5f);
    }

    void modelReaderBrokenFiles()
    {
        const QString dir = freshTestDir(QStringLiteral("brokenmodels"));
        sceneModelReader reader;
        QVERIFY(reader.read(dir + QStringLiteral("/missing.3ds")).isEmpty());
        QFile empty(dir + QStringLiteral("/empty.3ds"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        QVERIFY(reader.read(empty.fileName()).isEmpty());
        QFile noise(dir + QStringLiteral("/noise.3ds"));
        QVERIFY(noise.open(QIODevice::WriteOnly));
        QByteArray bytes(4096, '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char((i * 7919 + 13) % 251);
        noise.write(bytes);
        noise.close();
        QVERIFY(reader.read(noise.fileName()).isEmpty());

        // A good file cut short or with spoiled bytes never gives indices
        // outside the mesh.
        const QString model = dir + QStringLiteral("/tri.3ds");
        QVERIFY(writeTexturedTriangle(model, "t.JPG"));
        QFile f(model);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray good = f.readAll();
        f.close();
        QCOMPARE(reader.read(model).size(), 1);
        for (int cut = 0; cut < good.size(); cut += 7) {
            QByteArray b = good;
            if (cut % 2)
                b.truncate(cut);
            else
                b[cut] = char(b[cut] ^ 0x5a);
            QFile out(dir + QStringLiteral("/spoiled.3ds"));
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(b);
            out.close();
            QVERIFY(indicesValid(reader.read(out.fileName())));
        }
    }

    // The shipped body model: a figure standing along Z, and every acupoint
    // position on its skin (within 1 % of its height).
    void generatedPositionsLieOnTheBody()
    {
        sceneModelReader reader;
        const QList<sceneModelReader::part> parts = reader.read(builtModel());
        QVERIFY(!parts.isEmpty());
        sceneMesh body;
        for (const auto &p : parts) {
            const quint32 base = quint32(body.positions.size());
            body.positions += p.mesh.positions;
            for (quint32 i : p.mesh.indices)
                body.indices << base + i;
        }
        const sceneBox box = body.boundingBox();
        const QVector3D size = box.size();
        QVERIFY2(size.z() > 1.5f * size.x() && size.z() > 4 * size.y(), qPrintable(QStringLiteral("%1 %2 %3").arg(size.x()).arg(size.y()).arg(size.z())));
        QVERIFY(box.center().length() < 0.1f * size.z()); // stands around the origin
        const float tolerance = 0.01f * size.z();

        QFile file(sourcePath(QStringLiteral("resources/impl/data/acu_positions.txt")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<acuPosition> positions = parseAcuPositions(QString::fromLatin1(file.readAll()));
        QCOMPARE(positions.size(), 309);
        for (const acuPosition &a : positions) {
            const float d = body.distanceTo(QVector3D(float(a.x), float(a.y), float(a.z)));
            QVERIFY2(d <= tolerance, qPrintable(QStringLiteral("%1 lies %2 from the skin").arg(a.code).arg(d)));
        }
    }

    // Seen from the front the belly's points show and the back's are hidden
    // by the body; seen from behind it is the other way round.
    void bodyHidesThePointsOnTheOtherSide()
    {
        sceneModelReader reader;
        sceneWorld world;
        for (const auto &p : reader.read(builtModel()))
            world.addOccurrence(sceneOccurrence(std::make_shared<const sceneMesh>(p.mesh), p.material));
        QVERIFY(!world.isEmpty());
        QFile file(sourcePath(QStringLiteral("resources/impl/data/acu_positions.txt")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<acuPosition> positions = parseAcuPositions(QString::fromLatin1(file.readAll()));
        const auto dot = std::make_shared<const sceneMesh>(sceneMesh::sphere(0.02f, 6, 8));
        QHash<QString, quint32> ids;
        for (const acuPosition &a : positions) {
            sceneOccurrence m(dot, plain());
            m.translate(QVector3D(float(a.x), float(a.y), float(a.z)));
            m.setPickRadius(0.02f);
            ids.insert(a.code, world.addOccurrence(m));
        }
        sceneViewport front = startingView(1000, 1000);
        sceneViewport back = front;
        back.camera().rotateAroundTarget(QQuaternion::fromAxisAndAngle(QVector3D(0, 0, 1), 180));
        const auto picked = [&](const sceneViewport &v, const QString &code) {
            const acuPosition *a = nullptr;
            for (const acuPosition &p : positions)
                if (p.code == code)
                    a = &p;
            const QPointF w = v.project(QVector3D(float(a->x), float(a->y), float(a->z)));
            return scenePicker::pick(world, v.rayAt(w.x(), w.y())) == ids.value(code);
        };
        for (const char *code : {"ST25", "KI16", "LU1", "ST36", "PC6"}) {
            QVERIFY2(picked(front, QLatin1String(code)), code);
            QVERIFY2(!picked(back, QLatin1String(code)), code);
        }
        for (const char *code : {"BL23", "BL40", "SI11", "GB20"}) {
            QVERIFY2(picked(back, QLatin1String(code)), code);
            QVERIFY2(!picked(front, QLatin1String(code)), code);
        }
    }
};

QTEST_GUILESS_MAIN(tst_scene)
#include "tst_scene.moc"
