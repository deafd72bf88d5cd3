#pragma once
// The main window's face, built into the program as raw pixels: shown without decoding.

#include <QImage>

QImage backgroundFace();
