// Reads the layout files (section BUTTONINFO: the main window's keys "1".."132",
// the assignment dialog's "1".."23") the way the program reads them: fields
// split at every comma, numbers read like _wtoi, names taken verbatim. Accepts UTF-8 (with or
// without a BOM) and UTF-16LE with a BOM, the encodings the private-profile functions read.
#pragma once

#include <string>
#include <vector>

namespace skingen {

constexpr int kCells = 132;
constexpr int kLastKeyCodeCell = 121;

struct LayoutCell {
    int number = 0; // 1..132
    int x = 0, y = 0, width = 0, height = 0;
    int keyCode = 0;  // cells 1..121
    std::string name; // UTF-8
    bool present = false;
};

// Always 132 cells, cell n at index n-1; cells missing from the text stay
// empty (not present, zero rectangle).
std::vector<LayoutCell> ParseLayout(const std::string& fileBytes);

// Reads and parses a file; false when the file cannot be read.
bool LoadLayout(const std::string& path, std::vector<LayoutCell>& cells);

constexpr int kDialogEntries = 23;

// One entry of the assignment dialog's layout: "x,y,width,height,label".
struct DialogEntry {
    int number = 0; // 1..23
    int x = 0, y = 0, width = 0, height = 0;
    std::string label; // UTF-8, verbatim
    bool present = false;
};

// Always 23 entries, entry n at index n-1; missing ones stay empty.
std::vector<DialogEntry> ParseDialogLayout(const std::string& fileBytes);
bool LoadDialogLayout(const std::string& path, std::vector<DialogEntry>& entries);

} // namespace skingen
