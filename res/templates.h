// Dialog templates, strings and icons as the resource script declares them,
// read from the one script in res/ for the renderers that do not use the
// Windows dialog manager.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace res {

struct ControlTemplate {
    int id = -1;                      // 65535 (-1 in the script) for controls nothing addresses
    std::string cls;                  // "BUTTON", "LISTBOX", "STATIC" (upper case)
    std::uint32_t style = 0;          // full style, WS_CHILD | WS_VISIBLE included
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
    std::string text;                 // for an SS_ICON static: the icon's id as text
};

struct DialogTemplate {
    int id = 0;
    std::uint32_t style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    std::string fontName;
    int fontPoints = 0;
    std::vector<ControlTemplate> controls; // template order
};

struct ResourceScript {
    std::map<int, DialogTemplate> dialogs;
    std::map<int, std::string> strings;
    std::map<int, std::string> icons; // id -> file name as written in the script
};

// Reads the subset of the resource language the script uses; symbolic ids
// come from the #define lines of the header text. On failure returns false
// and sets *error to "<name>:<line>: <what>".
bool ParseResourceScript(std::string_view script, std::string_view header, ResourceScript *out,
                         std::string *error);

// The program's own resources, read once from the script built into it.
const ResourceScript &Resources();
const DialogTemplate *FindDialog(int id);
const std::string *FindString(int id);
// The .ico file of an icon the script names (all its images), empty when
// there is no such icon.
std::span<const unsigned char> IconBytes(int id);

} // namespace res
