#pragma once

#include <span>
#include <string>
#include <string_view>

namespace zembra {

// One item of the menu bar; id 0 is a separator.
struct MenuItem {
    int id;
    std::string_view japanese;
    std::string_view english;
};

struct MenuPopup {
    std::string_view japanese;
    std::string_view english;
    std::span<const MenuItem> items;
};

std::span<const MenuPopup> MainMenu();

// A key of the accelerator table, written as Qt's portable key text ("Ctrl+Insert").
struct Accelerator {
    std::string_view keys;
    int id;
};

std::span<const Accelerator> Accelerators();

// The string id of a command's prompt (the status line, then after "\n" the tool tip); the
// command's own id where the table has one. 0 when there is none.
int PromptTextId(int commandId);

// A menu text as a name for tool tips and screen readers: "New(&N)\tCtrl+N" gives "New",
// "Open(&O)..." gives "Open".
std::string CleanMenuText(std::string_view menuText);

// Toolbar buttons in order; 0 is a separator.
std::span<const int> MainToolbar();
std::span<const int> CanvasToolbar();

} // namespace zembra
