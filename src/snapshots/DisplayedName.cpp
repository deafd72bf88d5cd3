#include "DisplayedName.h"

#include "platform/QtText.h"

QString displayedName(std::string_view bytes) {
    QString text = qText(bytes);
    for (QChar& c : text) {
        if (c.unicode() < 0x20)
            c = QChar(static_cast<char16_t>(0x2400 + c.unicode()));
        else if (c.unicode() == 0x7F)
            c = QChar(static_cast<char16_t>(0x2421));
    }
    return text;
}
