#pragma once
// Menus as data: popups with their items, as the resource script gives them.
#include <string>
#include <vector>

namespace linkrake {

struct MenuItemTemplate {
  enum class Kind { Command, Separator, Popup };
  Kind kind;
  std::string text;  // with '&' before the mnemonic letter; empty for a separator
  int id;  // command id; 0 for separators and popups
  std::vector<MenuItemTemplate> items;  // a popup's items

  static MenuItemTemplate Command(std::string text, int id) { return {Kind::Command, std::move(text), id, {}}; }
  static MenuItemTemplate Separator() { return {Kind::Separator, {}, 0, {}}; }
  static MenuItemTemplate Popup(std::string text, std::vector<MenuItemTemplate> items) {
    return {Kind::Popup, std::move(text), 0, std::move(items)};
  }
};

struct MenuTemplate {
  int id;
  std::vector<MenuItemTemplate> items;  // the menu bar: popups, left to right
};

// The menu with the given id, or nullptr when the program has none of that id.
const MenuTemplate* FindMenuTemplate(int id);

}  // namespace linkrake
