#pragma once
// Dialog templates as data: the layout of each dialog in dialog units, exactly as the
// resource script gives it. The framework's builder turns a template into widgets.
#include <cstdint>
#include <string>
#include <vector>

namespace linkrake {

// The window class a template control is made of.
enum class ControlClass { Button, Edit, Static, ListView, ProgressBar, ComboBox };

// What a control is, from its class and the kind bits of its style.
enum class ControlKind {
  Edit,
  PushButton,
  DefPushButton,
  CheckBox,  // also BS_AUTOCHECKBOX
  RadioButton,  // BS_AUTORADIOBUTTON (a plain BS_RADIOBUTTON too)
  GroupBox,
  StaticText,  // SS_LEFT, SS_CENTER, SS_RIGHT and the other text kinds
  StaticIcon,
  ListView,
  ProgressBar,
  ComboBox,
  Unknown,
};

struct ControlTemplate {
  int id;
  ControlClass controlClass;
  std::string text;  // empty for an icon; see iconId
  int x, y, cx, cy;  // dialog units
  std::uint32_t style;  // full style word, WS_CHILD | WS_VISIBLE included
  int iconId = 0;  // icon resource shown by a static icon

  ControlKind kind() const;
};

struct DialogTemplate {
  int id;
  std::string caption;
  int x, y, cx, cy;  // dialog units
  std::uint32_t style;
  std::uint32_t exStyle;
  std::string fontName;
  int pointSize;
  int fontWeight;  // 0 means the font's normal weight
  bool fontItalic;
  int fontCharset;
  bool extended;  // an extended template, with weight, italic and character set
  int menuId;  // 0: no menu
  std::vector<ControlTemplate> controls;  // template order: also the tab and z-order
};

// The template with the given id, or nullptr when the program has none of that id.
const DialogTemplate* FindDialogTemplate(int id);

}  // namespace linkrake
