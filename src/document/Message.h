#pragma once
// A message for the user, as an operation of the document reports it: the exact text, title, icon
// and buttons of the box the window is to show. The document shows nothing itself.

#include <string>

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Critical };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct Message {
    std::string text;
    MessageIcon icon = MessageIcon::None;
    std::string title; // empty: the application's title
    MessageButtons buttons = MessageButtons::Ok;
    bool operator==(const Message&) const = default;
};
