#pragma once
// Reading an album file: the structure check that judges the file as stored, and the line reader
// that fills the line image. Both read the file as bytes, one character per byte.

#include "Storybook.h"

#include <string>

// True when the file exists, can be read and has the structure the rest of the program relies on.
bool CheckStorybookStructure(const std::string& path);
// The same check on bytes already in memory.
bool CheckStorybookStructureText(std::string_view bytes);

// Fills strLogFileArray and intLogFileLastLine. False when the file cannot be found or read, or
// holds more lines than the line image (the line image is then left untouched).
bool ReadStorybookLines(Storybook& album, const std::string& path);
bool ReadStorybookLinesText(Storybook& album, std::string_view bytes);
