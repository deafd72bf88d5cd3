#pragma once
// The file a dialog chose, by the file system's own bytes. Qt hands a chosen path over decoded as
// UTF-8, so a name holding bytes that are no UTF-8 comes back with U+FFFD in their place and names
// no file. Each part of such a path that names nothing is looked up among its folder's entries as Qt
// decodes them: when exactly one entry reads alike, its bytes stand in. Otherwise, or when the path
// names something as it is, the path is Qt's, in UTF-8.

#include <QString>

#include <string>

std::string chosenPathOnDisk(const QString& chosen);
