#pragma once
// The one table that binds the main window's controls to their commands: which control, and the
// calls its click makes in their order. A row adds nothing of its own; the commands test the mode.
// Key rows are written with the same steps.

#include "Commands.h"

#include <span>
#include <string_view>
#include <vector>

enum class StepKind {
    Highlight, // HighlightButton with the name ("" takes every highlight off)
    Run,       // a command, through frmMain::runCommand
    Hide,      // hides the named side button
};

struct CommandStep {
    StepKind kind;
    Command command = Command::EmptyProcedure;
    std::string_view name;
};

constexpr CommandStep highlight(std::string_view hotspot) {
    return {StepKind::Highlight, Command::EmptyProcedure, hotspot};
}
constexpr CommandStep run(Command command) {
    return {StepKind::Run, command, {}};
}
constexpr CommandStep hide(std::string_view sideButton) {
    return {StepKind::Hide, Command::EmptyProcedure, sideButton};
}

struct ControlBinding {
    std::string_view control; // the control's name: a hotspot, a menu item, a side button, a picture
    std::vector<CommandStep> steps;
};

// Every clickable control of the main window that reaches a command, in no particular order.
const std::vector<ControlBinding>& controlBindings();
