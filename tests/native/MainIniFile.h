// A deliberately small reader of the shipped res/Main.ini for the layout and
// skin tests, independent of the program's own layout reader and of the skin
// tool's, so a fault in either cannot hide itself.
#pragma once

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace layout_test {

struct Cell {
    int number = 0;
    int x = 0, y = 0, width = 0, height = 0;
    int keyCode = 0;
    std::string name;
    size_t fieldCount = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
};

// Cells by number, as found in section [BUTTONINFO] (no defaults filled in).
inline std::map<int, Cell> ReadMainIni(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::map<int, Cell> cells;
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            inSection = line == "[BUTTONINFO]";
            continue;
        }
        size_t eq = line.find('=');
        if (!inSection || eq == std::string::npos)
            continue;
        Cell c;
        c.number = std::stoi(line.substr(0, eq));
        std::vector<std::string> f;
        std::stringstream value(line.substr(eq + 1));
        for (std::string field; std::getline(value, field, ',');)
            f.push_back(field);
        c.fieldCount = f.size();
        f.resize(6);
        auto num = [](const std::string& s) { return s.empty() ? 0 : std::atoi(s.c_str()); };
        c.x = num(f[0]);
        c.y = num(f[1]);
        c.width = num(f[2]);
        c.height = num(f[3]);
        if (c.number <= 121) {
            c.keyCode = num(f[4]);
            c.name = f[5];
        } else {
            c.name = f[4];
        }
        cells[c.number] = c;
    }
    return cells;
}

inline std::string ShippedMainIni() {
    return std::string(ORVANE_SOURCE_DIR) + "/res/Main.ini";
}

} // namespace layout_test
