// What shows when a person or a script acts: a plain description that each
// build fills from its own windows (the window manager's on Linux, real
// windows on Windows), so that the recording names every choice by what was
// on the screen.
#pragma once

#include <string>
#include <vector>

namespace script {

struct ShownControl {
    enum class Kind {
        Button,  // push, radio or check button: clicked by id
        ListBox, // its entries are chosen by their text
        Other,   // texts, group boxes, icons
    };
    int id = 0;
    Kind kind = Kind::Other;
    std::string text;                 // as the control holds it, '&' marks and all
    std::vector<std::string> entries; // a list box's, in list order
};

// A string item of the system menu.
struct ShownMenuItem {
    unsigned command = 0; // its WM_SYSCOMMAND command
    std::string text;     // '&' marks and all, "\t" before the key that chooses it
};

struct ShownDialog {
    int templateId = 0;
    std::string title;                     // the window's title as it is now
    std::vector<ShownControl> controls;    // template order
    std::vector<ShownMenuItem> systemMenu; // empty without a system menu

    const ShownControl *FindControl(int id) const {
        for (const ShownControl &control : controls)
            if (control.id == id)
                return &control;
        return nullptr;
    }
};

struct ShownMessageBox {
    std::string caption; // "Error" when the program gave none, as Windows shows it
};

} // namespace script
