#pragma once
#include <functional>
#include <string>
#include <vector>

class TForm1;

// One item of the main window's menu: a caption with either sub-items or an
// action. The platform builds its menu from this tree.
struct MenuItem {
    std::string caption;
    std::string name;
    std::function<void(TForm1&)> action;
    std::vector<MenuItem> children;
};

const std::vector<MenuItem>& MainMenu();
