#include "res/DialogTemplate.h"

#include "res/WindowStyles.h"

namespace linkrake {

ControlKind ControlTemplate::kind() const {
  switch (controlClass) {
    case ControlClass::Edit: return ControlKind::Edit;
    case ControlClass::ListView: return ControlKind::ListView;
    case ControlClass::ProgressBar: return ControlKind::ProgressBar;
    case ControlClass::ComboBox: return ControlKind::ComboBox;
    case ControlClass::Static:
      return (style & SS_TYPEMASK) == SS_ICON ? ControlKind::StaticIcon : ControlKind::StaticText;
    case ControlClass::Button:
      switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON: return ControlKind::PushButton;
        case BS_DEFPUSHBUTTON: return ControlKind::DefPushButton;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX: return ControlKind::CheckBox;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return ControlKind::RadioButton;
        case BS_GROUPBOX: return ControlKind::GroupBox;
        default: return ControlKind::Unknown;
      }
  }
  return ControlKind::Unknown;
}

}  // namespace linkrake
