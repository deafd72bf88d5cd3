#pragma once
// A name read from the file system, as the browser shows it: decoded as UTF-8, a byte that is no
// UTF-8 shown as U+FFFD, and control characters as their visible symbols (U+2400 on), so a line
// break in a name is seen rather than shown as a blank. Only for showing: the bytes stay the name.

#include <QString>

#include <string_view>

QString displayedName(std::string_view bytes);
