#pragma once
// The sample album's snapshots: little painted scenes of one family's year.

#include <QImage>
#include <QSize>

enum class Scene {
    HomeMorning,
    MovingDay,
    FlowerGarden,
    GardenParty,
    Kitchen,
    Birthday,
    LakeSunset,
    NeighboursHouse,
    AutumnPark,
    FirstSnow,
    QuietNight,
    Nursery,
    RainyDay,
    Meadow,
    Village,
    Picnic,
    WinterWalk,
    StarryHill,
};

// Paints the scene at the given size; the same scene and seed give the same picture.
QImage renderScene(Scene scene, QSize size, unsigned seed);
