// The three dialog templates, control by control, against the layout the dialogs were drawn
// with: ids, kinds, texts exactly as shown, places in dialog units and style words.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extract/Product.h"
#include "res/DialogTemplate.h"
#include "res/ResourceIds.h"
#include "res/WindowStyles.h"

namespace linkrake {
namespace {

constexpr std::uint32_t kChild = WS_CHILD | WS_VISIBLE;

struct Row {
  int id;
  ControlKind kind;
  std::string text;
  int x, y, cx, cy;
  std::uint32_t style;  // the whole word
};

struct TemplateCase {
  const char* name;
  int templateId;
  std::string caption;
  int cx, cy;
  std::uint32_t style;
  std::uint32_t exStyle;
  bool extended;
  int menuId;
  std::vector<Row> rows;
};

const TemplateCase kTemplates[] = {
    {"Main102",
     IDD_MAIN,
     "Linkrake 2.2",
     299,
     281,
     WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_SETFONT,
     WS_EX_APPWINDOW,
     true,
     131,
     {
         {1005, ControlKind::Edit, "", 55, 7, 170, 14, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
         {1009, ControlKind::RadioButton, "<a href=\"...\">", 11, 36, 54, 10, kChild | WS_GROUP | BS_AUTORADIOBUTTON},
         {1010, ControlKind::RadioButton, "http://", 68, 36, 34, 10, kChild | BS_AUTORADIOBUTTON},
         {1025, ControlKind::RadioButton, "ftp://", 105, 36, 31, 10, kChild | BS_AUTORADIOBUTTON},
         {1011, ControlKind::RadioButton, "All", 139, 36, 25, 10, kChild | BS_AUTORADIOBUTTON},
         {1016, ControlKind::CheckBox, "Remove duplicates", 11, 49, 75, 10, kChild | WS_TABSTOP | BS_AUTOCHECKBOX},
         {1017, ControlKind::CheckBox, "Remove lines that contain:", 11, 61, 98, 10,
          kChild | WS_TABSTOP | BS_AUTOCHECKBOX},
         {1018, ControlKind::Edit, "", 113, 60, 108, 14, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
         {1001, ControlKind::DefPushButton, "Linkrake", 242, 7, 50, 15, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
         {1, ControlKind::PushButton, "Exit", 242, 82, 50, 15, kChild | WS_TABSTOP | BS_PUSHBUTTON},
         {1004, ControlKind::ListView, "List1", 7, 103, 285, 172,
          kChild | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SORTASCENDING | LVS_EDITLABELS |
              LVS_NOSORTHEADER},
         {1023, ControlKind::StaticText, "Base location:", 7, 8, 46, 8, kChild | WS_GROUP | SS_LEFT},
         {-1, ControlKind::StaticText, "Number of items:", 7, 84, 56, 8, kChild | WS_GROUP | SS_LEFT},
         {1013, ControlKind::Edit, "", 65, 84, 40, 14, kChild | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL},
         {-1, ControlKind::GroupBox, "Options", 7, 25, 219, 54, kChild | BS_GROUPBOX},
         {-1, ControlKind::StaticIcon, "", 253, 41, 21, 20, kChild | SS_ICON},
         {1029, ControlKind::ProgressBar, "Progress1", 113, 82, 113, 14, kChild | WS_BORDER | PBS_SMOOTH},
     }},
    {"OpenUrl132",
     IDD_OPEN_URL,
     "Open URL...",
     247,
     63,
     WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
     0,
     false,
     0,
     {
         {1030, ControlKind::ComboBox, "", 7, 18, 233, 83,
          kChild | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL},
         {1, ControlKind::DefPushButton, "OK", 7, 42, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
         {2, ControlKind::PushButton, "Cancel", 190, 42, 50, 14, kChild | WS_TABSTOP | BS_PUSHBUTTON},
         {-1, ControlKind::StaticText, "Enter URL location or select a previous location on the list:", 7, 7, 233, 8,
          kChild | WS_GROUP | SS_LEFT},
     }},
    {"About100",
     IDD_ABOUTBOX,
     "About Linkrake",
     235,
     55,
     WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
     0,
     false,
     0,
     {
         {-1, ControlKind::StaticText, "Linkrake Version 2.2", 40, 10, 119, 8, kChild | WS_GROUP | SS_LEFT | SS_NOPREFIX},
         {1020, ControlKind::StaticText, kMakerSite, 40, 25, 119, 8, kChild | WS_GROUP | SS_LEFT},
         {1, ControlKind::DefPushButton, "OK", 178, 7, 50, 14, kChild | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON},
         {-1, ControlKind::StaticIcon, "", 14, 13, 20, 20, kChild | SS_ICON},
     }},
};

class DialogTemplateData : public ::testing::TestWithParam<TemplateCase> {
 protected:
  const DialogTemplate& Template() const {
    const DialogTemplate* t = FindDialogTemplate(GetParam().templateId);
    EXPECT_NE(t, nullptr);
    static const DialogTemplate none{};
    return t ? *t : none;
  }
};

TEST_P(DialogTemplateData, FrameIsAsDrawn) {
  const TemplateCase& c = GetParam();
  const DialogTemplate& t = Template();
  EXPECT_EQ(t.id, c.templateId);
  EXPECT_EQ(t.caption, c.caption);
  EXPECT_EQ(t.x, 0);
  EXPECT_EQ(t.y, 0);
  EXPECT_EQ(t.cx, c.cx);
  EXPECT_EQ(t.cy, c.cy);
  EXPECT_EQ(t.style, c.style);
  EXPECT_EQ(t.exStyle, c.exStyle);
  EXPECT_EQ(t.fontName, "MS Sans Serif");
  EXPECT_EQ(t.pointSize, 8);
  EXPECT_EQ(t.extended, c.extended);
  EXPECT_EQ(t.menuId, c.menuId);
  if (t.extended) {
    EXPECT_EQ(t.fontWeight, 0);
    EXPECT_FALSE(t.fontItalic);
    EXPECT_EQ(t.fontCharset, 1);
  }
}

TEST_P(DialogTemplateData, ControlsAreAsDrawnInTemplateOrder) {
  const std::vector<Row>& rows = GetParam().rows;
  const DialogTemplate& t = Template();
  ASSERT_EQ(t.controls.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE("control #" + std::to_string(i + 1) + " id " + std::to_string(rows[i].id));
    const ControlTemplate& c = t.controls[i];
    const Row& r = rows[i];
    EXPECT_EQ(c.id, r.id);
    EXPECT_EQ(c.kind(), r.kind);
    EXPECT_EQ(c.text, r.text);
    EXPECT_EQ(c.x, r.x);
    EXPECT_EQ(c.y, r.y);
    EXPECT_EQ(c.cx, r.cx);
    EXPECT_EQ(c.cy, r.cy);
    EXPECT_EQ(c.style, r.style);
    EXPECT_EQ(c.iconId, r.kind == ControlKind::StaticIcon ? IDR_MAINFRAME : 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Resources, DialogTemplateData, ::testing::ValuesIn(kTemplates),
                         [](const ::testing::TestParamInfo<TemplateCase>& info) { return std::string(info.param.name); });

TEST(DialogTemplates, UnknownIdHasNone) {
  for (int id : {0, 101, 128, 131, 133, -1}) EXPECT_EQ(FindDialogTemplate(id), nullptr) << id;
}

TEST(DialogTemplates, TheLinkShowsAnHttpAddress) {
  const std::string site = kMakerSite;
  EXPECT_EQ(site.rfind("http://", 0), 0u);
  EXPECT_GT(site.size(), std::string("http://").size());
}

// The kind of a control follows its class and the kind bits of its style.
struct KindCase {
  const char* name;
  ControlClass controlClass;
  std::uint32_t style;
  ControlKind kind;
};

class ControlKindOf : public ::testing::TestWithParam<KindCase> {};

TEST_P(ControlKindOf, ClassAndKindBits) {
  const KindCase& c = GetParam();
  const ControlTemplate control{1, c.controlClass, "", 0, 0, 1, 1, kChild | WS_TABSTOP | WS_GROUP | c.style};
  EXPECT_EQ(control.kind(), c.kind);
}

const KindCase kKinds[] = {
    {"PushButton", ControlClass::Button, BS_PUSHBUTTON, ControlKind::PushButton},
    {"DefPushButton", ControlClass::Button, BS_DEFPUSHBUTTON, ControlKind::DefPushButton},
    {"CheckBox", ControlClass::Button, BS_CHECKBOX, ControlKind::CheckBox},
    {"AutoCheckBox", ControlClass::Button, BS_AUTOCHECKBOX, ControlKind::CheckBox},
    {"RadioButton", ControlClass::Button, BS_RADIOBUTTON, ControlKind::RadioButton},
    {"AutoRadioButton", ControlClass::Button, BS_AUTORADIOBUTTON, ControlKind::RadioButton},
    {"GroupBox", ControlClass::Button, BS_GROUPBOX, ControlKind::GroupBox},
    {"UnknownButton", ControlClass::Button, 0xBu, ControlKind::Unknown},
    {"StaticLeft", ControlClass::Static, SS_LEFT, ControlKind::StaticText},
    {"StaticNoPrefix", ControlClass::Static, SS_LEFT | SS_NOPREFIX, ControlKind::StaticText},
    {"StaticRight", ControlClass::Static, SS_RIGHT, ControlKind::StaticText},
    {"StaticIcon", ControlClass::Static, SS_ICON, ControlKind::StaticIcon},
    {"StaticSimple", ControlClass::Static, SS_SIMPLE, ControlKind::StaticText},
    {"Edit", ControlClass::Edit, ES_READONLY, ControlKind::Edit},
    {"ListView", ControlClass::ListView, LVS_REPORT, ControlKind::ListView},
    {"ProgressBar", ControlClass::ProgressBar, PBS_SMOOTH, ControlKind::ProgressBar},
    {"ComboBox", ControlClass::ComboBox, CBS_DROPDOWN, ControlKind::ComboBox},
};

INSTANTIATE_TEST_SUITE_P(Resources, ControlKindOf, ::testing::ValuesIn(kKinds),
                         [](const ::testing::TestParamInfo<KindCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace linkrake
