#include "Scenes.h"

#include "Scenery.h"

#include <QPainter>

using namespace scenery;

namespace {

const Figure kFather{{70, 110, 170}, {60, 60, 80}, {90, 60, 40}};
const Figure kMother{{200, 70, 90}, {230, 220, 200}, {140, 80, 40}};
const Figure kDaughter{{250, 190, 60}, {80, 110, 190}, {200, 140, 70}};
const Figure kSon{{80, 160, 90}, {70, 80, 110}, {60, 40, 30}};
const Figure kNeighbour{{150, 90, 170}, {70, 70, 70}, {200, 200, 200}, {200, 150, 110}};

void daySky(QPainter& p, Random& random) {
    sky(p, QColor(70, 130, 210), QColor(190, 222, 246), 470);
    sun(p, QPointF(820, 120), 46, QColor(255, 240, 190));
    clouds(p, random, 5, 60, 260, QColor(255, 255, 255, 200));
}

void homeMorning(QPainter& p, Random& random) {
    daySky(p, random);
    hill(p, 430, 40, 0.3, QColor(120, 170, 100));
    hill(p, 520, 30, 1.7, QColor(84, 150, 70));
    tree(p, QPointF(140, 560), 300, TreeKind::Round, random);
    house(p, QRectF(330, 330, 360, 230), {QColor(246, 236, 214), QColor(170, 60, 50)});
    tree(p, QPointF(850, 580), 340, TreeKind::Round, random);
    ground(p, 560, QColor(70, 140, 60), QColor(96, 164, 80));
    p.setBrush(QColor(200, 180, 150));
    p.drawPolygon(QPolygonF({QPointF(480, 560), QPointF(540, 560), QPointF(600, 768), QPointF(420, 768)}));
    fence(p, 640, 0, 400, QColor(250, 250, 246));
    fence(p, 640, 630, 1024, QColor(250, 250, 246));
    flowers(p, random, QRectF(20, 650, 360, 100), 60);
    flowers(p, random, QRectF(650, 650, 360, 100), 60);
}

void movingDay(QPainter& p, Random& random) {
    room(p, QColor(236, 222, 190), QColor(170, 120, 80), 520);
    window(p, QRectF(140, 120, 220, 240), false);
    for (int i = 0; i < 5; ++i) {
        const QRectF box(560 + (i % 3) * 130 - (i / 3) * 60, 620 - (i / 3) * 100 - 110, 120, 110);
        p.setBrush(QColor(196, 150, 100).darker(100 + i * 5));
        p.drawRect(box);
        p.setBrush(QColor(220, 190, 120));
        p.drawRect(QRectF(box.center().x() - 10, box.top(), 20, box.height()));
    }
    person(p, QPointF(330, 700), 330, kFather);
    person(p, QPointF(450, 690), 310, kMother);
    lamp(p, QPointF(90, 640), 300, false);
    Q_UNUSED(random);
}

void flowerGarden(QPainter& p, Random& random) {
    daySky(p, random);
    hill(p, 420, 30, 2.1, QColor(110, 160, 96));
    ground(p, 430, QColor(60, 130, 50), QColor(110, 170, 90));
    for (int row = 0; row < 5; ++row) {
        const qreal y = 470 + row * 60;
        p.setBrush(QColor(120, 80, 50));
        p.drawRect(QRectF(60, y, 900, 22 + row * 4));
        flowers(p, random, QRectF(60, y - 20 - row * 3, 900, 20 + row * 4), 40 + row * 12);
    }
    person(p, QPointF(700, 700), 260, kDaughter);
    tree(p, QPointF(110, 440), 260, TreeKind::Round, random);
}

void gardenParty(QPainter& p, Random& random) {
    sky(p, QColor(90, 150, 220), QColor(210, 230, 246), 420);
    clouds(p, random, 4, 40, 200, QColor(255, 255, 255, 190));
    hill(p, 400, 25, 0.9, QColor(110, 170, 90));
    tree(p, QPointF(90, 470), 380, TreeKind::Round, random);
    tree(p, QPointF(940, 470), 400, TreeKind::Round, random);
    ground(p, 440, QColor(70, 150, 60), QColor(110, 176, 90));
    bunting(p, QPointF(90, 210), QPointF(940, 200), 60);
    table(p, QRectF(300, 500, 420, 40), QColor(250, 250, 250));
    cake(p, QPointF(510, 500), 90, 0);
    person(p, QPointF(250, 680), 270, kFather);
    person(p, QPointF(400, 700), 250, kMother);
    person(p, QPointF(640, 700), 200, kDaughter);
    person(p, QPointF(790, 690), 180, kSon);
    person(p, QPointF(900, 640), 240, kNeighbour);
    const QColor colours[] = {{230, 60, 70}, {250, 200, 60}, {80, 150, 230}, {120, 200, 110}};
    for (int i = 0; i < 6; ++i)
        balloon(p, QPointF(160 + i * 140, uniform(random, 250, 330)), 26, colours[i % 4]);
}

void kitchen(QPainter& p, Random& random) {
    room(p, QColor(220, 236, 226), QColor(200, 180, 150), 500);
    window(p, QRectF(400, 110, 240, 200), false);
    counter(p, QRectF(60, 380, 904, 140), QColor(110, 150, 180));
    table(p, QRectF(330, 600, 360, 34), QColor(230, 90, 80));
    person(p, QPointF(240, 740), 330, kMother);
    person(p, QPointF(800, 740), 240, kSon);
    p.setBrush(QColor(250, 250, 250));
    p.drawEllipse(QRectF(440, 590, 60, 18));
    p.drawEllipse(QRectF(540, 590, 60, 18));
    Q_UNUSED(random);
}

void birthday(QPainter& p, Random& random) {
    room(p, QColor(240, 220, 170), QColor(150, 100, 70), 480);
    pictureFrame(p, QRectF(120, 110, 200, 150), QColor(120, 170, 220));
    bunting(p, QPointF(0, 60), QPointF(1024, 70), 40);
    lamp(p, QPointF(900, 600), 320, true);
    table(p, QRectF(290, 520, 440, 40), QColor(120, 170, 240));
    cake(p, QPointF(510, 520), 150, 6);
    person(p, QPointF(200, 740), 320, kFather);
    person(p, QPointF(510, 760), 200, kSon);
    person(p, QPointF(780, 740), 300, kMother);
    balloon(p, QPointF(660, 230), 36, QColor(230, 60, 80));
    balloon(p, QPointF(720, 200), 36, QColor(250, 200, 60));
    Q_UNUSED(random);
}

void lakeSunset(QPainter& p, Random& random) {
    sky(p, QColor(60, 40, 110), QColor(250, 150, 80), 450);
    p.setBrush(QColor(250, 170, 160, 70));
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(uniform(random, 150, 900), 150 + i * 55), uniform(random, 120, 260), 9 + i * 2);
    sun(p, QPointF(560, 430), 60, QColor(255, 190, 110));
    hill(p, 452, 6, 0.4, QColor(52, 36, 60));
    water(p, 462, QColor(40, 40, 90), QColor(250, 170, 110), random);
    // The sun's path across the water.
    for (int i = 0; i < 40; ++i) {
        const qreal y = 466 + i * 7.5;
        const qreal half = 30 + i * 2.2 + uniform(random, -10, 10);
        p.setBrush(QColor(255, 200, 130, 200 - i * 4));
        p.drawRect(QRectF(560 - half + uniform(random, -12, 12), y, half * 2, 2.5));
    }
    // The near shore with its pines, and the jetty the two of them sit on.
    p.setBrush(QColor(24, 18, 28));
    p.drawPolygon(QPolygonF(
        {QPointF(0, 520), QPointF(260, 540), QPointF(420, 640), QPointF(460, 768), QPointF(0, 768)}));
    for (int i = 0; i < 6; ++i)
        tree(p, QPointF(20 + i * 55, 560 + i * 12), 200 + (i % 3) * 50, TreeKind::Silhouette, random);
    p.setBrush(QColor(20, 14, 20));
    p.drawRect(QRectF(380, 600, 420, 16));
    for (qreal x : {420.0, 560.0, 700.0, 790.0})
        p.drawRect(QRectF(x, 616, 10, 50));
    const Figure shadow{QColor(30, 20, 30), QColor(30, 20, 30), QColor(20, 10, 20), QColor(40, 24, 30)};
    person(p, QPointF(640, 600), 150, shadow);
    person(p, QPointF(700, 600), 140, shadow);
}

void neighboursHouse(QPainter& p, Random& random) {
    sky(p, QColor(100, 160, 220), QColor(220, 236, 246), 460);
    clouds(p, random, 6, 40, 240, QColor(255, 255, 255, 210));
    hill(p, 440, 50, 2.6, QColor(100, 150, 100));
    for (int i = 0; i < 5; ++i)
        tree(p, QPointF(40 + i * 70, 520), 260 + (i % 2) * 60, TreeKind::Pine, random);
    house(p, QRectF(420, 300, 420, 260), {QColor(180, 200, 220), QColor(60, 70, 90)});
    ground(p, 560, QColor(80, 140, 60), QColor(110, 166, 84));
    person(p, QPointF(380, 700), 260, kNeighbour);
    person(p, QPointF(520, 710), 270, kMother);
    person(p, QPointF(620, 716), 190, kDaughter);
    flowers(p, random, QRectF(700, 600, 300, 140), 70);
}

void autumnPark(QPainter& p, Random& random) {
    sky(p, QColor(130, 160, 200), QColor(236, 214, 180), 440);
    hill(p, 430, 30, 1.2, QColor(170, 140, 70));
    for (int i = 0; i < 6; ++i)
        tree(p, QPointF(60 + i * 180, 520 + (i % 2) * 20), 320 + (i % 3) * 50, TreeKind::Autumn, random);
    ground(p, 540, QColor(150, 110, 50), QColor(180, 150, 80));
    p.setBrush(QColor(190, 170, 130));
    p.drawPolygon(QPolygonF({QPointF(470, 540), QPointF(560, 540), QPointF(760, 768), QPointF(300, 768)}));
    leaves(p, random, QRectF(0, 540, 1024, 228), 400);
    leaves(p, random, QRectF(0, 100, 1024, 400), 40);
    person(p, QPointF(470, 720), 250, kDaughter);
    person(p, QPointF(600, 730), 230, kSon);
}

void firstSnow(QPainter& p, Random& random) {
    sky(p, QColor(150, 170, 200), QColor(226, 232, 240), 460);
    hill(p, 430, 40, 0.8, QColor(236, 240, 248));
    for (int i = 0; i < 4; ++i)
        tree(p, QPointF(60 + i * 90, 500), 240 + (i % 2) * 60, TreeKind::Snowy, random);
    house(p, QRectF(560, 320, 340, 210), {QColor(246, 236, 214), QColor(170, 60, 50), true, true});
    ground(p, 520, QColor(250, 252, 255), QColor(226, 232, 244));
    p.setBrush(QColor(252, 252, 255));
    p.drawEllipse(QPointF(330, 660), 70, 60);
    p.drawEllipse(QPointF(330, 570), 50, 44);
    p.drawEllipse(QPointF(330, 500), 34, 32);
    p.setBrush(QColor(250, 140, 40));
    p.drawPolygon(QPolygonF({QPointF(330, 500), QPointF(330, 510), QPointF(372, 506)}));
    p.setBrush(QColor(200, 40, 50));
    p.drawRect(QRectF(290, 528, 80, 12));
    person(p, QPointF(460, 720), 230, kSon);
    snowfall(p, random, 500);
}

void quietNight(QPainter& p, Random& random) {
    sky(p, QColor(8, 12, 40), QColor(40, 50, 100), 470);
    stars(p, random, 260, 420);
    moon(p, QPointF(200, 130), 40);
    hill(p, 460, 30, 0.5, QColor(20, 34, 30));
    house(p, QRectF(340, 320, 360, 230), {QColor(120, 110, 130), QColor(60, 30, 40), true});
    tree(p, QPointF(860, 570), 330, TreeKind::Pine, random);
    ground(p, 550, QColor(12, 22, 18), QColor(24, 40, 32));
    lamp(p, QPointF(250, 600), 200, true);
}

void nursery(QPainter& p, Random& random) {
    room(p, QColor(210, 226, 244), QColor(226, 210, 180), 500);
    window(p, QRectF(640, 120, 220, 220), false);
    pictureFrame(p, QRectF(170, 120, 170, 130), QColor(250, 220, 230));
    rug(p, QRectF(260, 600, 500, 130), QColor(240, 180, 200));
    crib(p, QRectF(330, 360, 340, 270));
    person(p, QPointF(820, 730), 330, kMother);
    person(p, QPointF(170, 740), 340, kFather);
    Q_UNUSED(random);
}

void rainyDay(QPainter& p, Random& random) {
    sky(p, QColor(90, 100, 120), QColor(170, 176, 186), 470);
    clouds(p, random, 8, 20, 260, QColor(120, 126, 140, 220));
    hill(p, 450, 30, 2.9, QColor(80, 120, 80));
    house(p, QRectF(360, 330, 340, 220), {QColor(226, 216, 196), QColor(150, 60, 50), true});
    ground(p, 550, QColor(60, 100, 60), QColor(80, 120, 76));
    rain(p, random, 700);
}

void meadow(QPainter& p, Random& random) {
    daySky(p, random);
    hill(p, 400, 60, 0.1, QColor(130, 176, 110));
    hill(p, 480, 40, 1.4, QColor(100, 160, 80));
    ground(p, 560, QColor(80, 150, 60), QColor(110, 170, 86));
    flowers(p, random, QRectF(0, 520, 1024, 240), 300);
    tree(p, QPointF(780, 520), 280, TreeKind::Round, random);
}

void village(QPainter& p, Random& random) {
    sky(p, QColor(110, 150, 210), QColor(240, 220, 190), 440);
    sun(p, QPointF(180, 180), 40, QColor(255, 230, 170));
    hill(p, 420, 50, 0.7, QColor(120, 160, 100));
    const QColor walls[] = {{246, 236, 214}, {220, 200, 170}, {200, 220, 236}, {240, 210, 200}};
    const QColor roofs[] = {{170, 60, 50}, {80, 80, 100}, {120, 70, 40}, {60, 100, 80}};
    for (int i = 0; i < 6; ++i)
        house(p, QRectF(40 + i * 165, 420 + (i % 2) * 30, 120, 80), {walls[i % 4], roofs[(i + 1) % 4]});
    ground(p, 520, QColor(80, 140, 60), QColor(110, 164, 86));
    for (int i = 0; i < 8; ++i)
        tree(p, QPointF(uniform(random, 0, 1024), uniform(random, 560, 700)), 180, TreeKind::Round, random);
}

void picnic(QPainter& p, Random& random) {
    daySky(p, random);
    hill(p, 430, 50, 0.9, QColor(120, 172, 100));
    ground(p, 500, QColor(76, 148, 60), QColor(106, 168, 84));
    tree(p, QPointF(150, 560), 360, TreeKind::Round, random);
    p.setBrush(QColor(210, 60, 60));
    p.drawPolygon(QPolygonF({QPointF(360, 600), QPointF(700, 600), QPointF(780, 700), QPointF(300, 700)}));
    p.setBrush(QColor(250, 246, 236));
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(330 + i * 110, 640, 50, 50));
    person(p, QPointF(300, 720), 300, kMother);
    person(p, QPointF(800, 730), 250, kDaughter);
    person(p, QPointF(880, 735), 210, kSon);
    flowers(p, random, QRectF(0, 700, 1024, 60), 80);
}

void winterWalk(QPainter& p, Random& random) {
    sky(p, QColor(150, 170, 200), QColor(226, 232, 240), 450);
    hill(p, 440, 40, 1.1, QColor(236, 240, 246));
    for (int i = 0; i < 6; ++i)
        tree(p, QPointF(60 + i * 180, 520 + (i % 2) * 30), 260, TreeKind::Snowy, random);
    ground(p, 560, QColor(246, 248, 252), QColor(226, 232, 240));
    person(p, QPointF(460, 730), 320, kNeighbour);
    person(p, QPointF(560, 735), 300, kDaughter);
    snowfall(p, random, 400);
}

void starryHill(QPainter& p, Random& random) {
    sky(p, QColor(8, 12, 40), QColor(40, 50, 90), 520);
    stars(p, random, 260, 480);
    moon(p, QPointF(780, 150), 50);
    hill(p, 470, 70, 2.4, QColor(20, 30, 40));
    tree(p, QPointF(300, 500), 300, TreeKind::Silhouette, random);
    ground(p, 560, QColor(10, 18, 22), QColor(20, 30, 36));
}

using Painter = void (*)(QPainter&, Random&);

Painter painterFor(Scene scene) {
    switch (scene) {
    case Scene::HomeMorning:
        return homeMorning;
    case Scene::MovingDay:
        return movingDay;
    case Scene::FlowerGarden:
        return flowerGarden;
    case Scene::GardenParty:
        return gardenParty;
    case Scene::Kitchen:
        return kitchen;
    case Scene::Birthday:
        return birthday;
    case Scene::LakeSunset:
        return lakeSunset;
    case Scene::NeighboursHouse:
        return neighboursHouse;
    case Scene::AutumnPark:
        return autumnPark;
    case Scene::FirstSnow:
        return firstSnow;
    case Scene::QuietNight:
        return quietNight;
    case Scene::Nursery:
        return nursery;
    case Scene::RainyDay:
        return rainyDay;
    case Scene::Meadow:
        return meadow;
    case Scene::Village:
        return village;
    case Scene::Picnic:
        return picnic;
    case Scene::WinterWalk:
        return winterWalk;
    case Scene::StarryHill:
        return starryHill;
    }
    return homeMorning;
}

} // namespace

QImage renderScene(Scene scene, QSize size, unsigned seed) {
    QImage image(size, QImage::Format_RGB32);
    Random random(seed);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size.width() / kWidth, size.height() / kHeight);
        p.setPen(Qt::NoPen);
        painterFor(scene)(p, random);
    }
    finish(image, random, 0.35);
    return image;
}
