// The builder against the main dialog's template: every control as the template asks for it,
// its place converted from dialog units through the dialog font's own metrics.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTreeView>
#include <map>
#include <memory>
#include <set>

#include "framework/ControlProperties.h"
#include "framework/DialogBuilder.h"
#include "framework/MenuCommands.h"
#include "res/DialogTemplate.h"
#include "res/MenuTemplate.h"
#include "res/ResourceIds.h"
#include "res/WindowStyles.h"

namespace linkrake {
namespace {

// The conversion written out on its own: a quarter of the average letter width across, an
// eighth of the height down, rounded to the nearest pixel.
struct Metrics {
  int baseX;
  int baseY;
  explicit Metrics(const QFont& font) {
    QFontMetrics m(font);
    const int letters = m.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX = (letters / 26 + 1) / 2;
    baseY = m.height();
  }
  int X(int units) const { return (units * baseX * 2 + 4) / 8; }
  int Y(int units) const { return (units * baseY * 2 + 8) / 16; }
  QRect Rect(const ControlTemplate& c) const { return QRect(X(c.x), Y(c.y), X(c.cx), Y(c.cy)); }
};

const DialogTemplate& MainTemplate() { return *FindDialogTemplate(IDD_MAIN); }

// The main dialog built once for all the control checks.
struct BuiltMain {
  QDialog dialog;
  BuiltDialog built;
  BuiltMain() : built(DialogBuilder::Build(dialog, MainTemplate())) { dialog.layout()->activate(); }
};

BuiltMain& Main() {
  static auto* main = new BuiltMain;  // lives until the end; the application outlives tests
  return *main;
}

const char* ClassOfKind(ControlKind kind) {
  switch (kind) {
    case ControlKind::Edit: return "QLineEdit";
    case ControlKind::PushButton:
    case ControlKind::DefPushButton: return "QPushButton";
    case ControlKind::CheckBox: return "QCheckBox";
    case ControlKind::RadioButton: return "QRadioButton";
    case ControlKind::GroupBox: return "QGroupBox";
    case ControlKind::StaticText:
    case ControlKind::StaticIcon: return "QLabel";
    case ControlKind::ListView: return "QTreeView";
    case ControlKind::ProgressBar: return "QProgressBar";
    case ControlKind::ComboBox: return "QComboBox";
    case ControlKind::Unknown: break;
  }
  return "QWidget";
}

class MainTemplateControl : public ::testing::TestWithParam<std::size_t> {
 protected:
  const ControlTemplate& Template() const { return MainTemplate().controls.at(GetParam()); }
  QWidget& Widget() const { return *Main().built.controls.at(GetParam()); }
};

TEST_P(MainTemplateControl, HasItsIdKindAndStyle) {
  EXPECT_EQ(GetControlId(&Widget()), Template().id);
  EXPECT_STREQ(Widget().metaObject()->className(), ClassOfKind(Template().kind()));
  EXPECT_EQ(GetStyle(&Widget()), Template().style);
  EXPECT_EQ(Widget().parentWidget(), Main().built.client);
  EXPECT_TRUE(Widget().isEnabled());
  EXPECT_FALSE(Widget().isHidden());
}

TEST_P(MainTemplateControl, ShowsItsText) {
  if (Template().kind() == ControlKind::StaticIcon) {
    auto& label = static_cast<QLabel&>(Widget());
    EXPECT_FALSE(label.pixmap().isNull());
    EXPECT_TRUE(label.text().isEmpty());
  } else {
    EXPECT_EQ(GetWindowText(&Widget()), Template().text);
  }
}

TEST_P(MainTemplateControl, SitsWhereTheTemplateSaysInTheDialogFontsUnits) {
  const Metrics metrics(Main().built.client->font());
  QRect expected = metrics.Rect(Template());
  // An icon static takes its icon's size, whatever the template gives.
  if (Template().kind() == ControlKind::StaticIcon) expected.setSize(QSize(32, 32));
  EXPECT_EQ(Widget().geometry(), expected);
}

TEST_P(MainTemplateControl, TakesTheFocusByTabOnlyWithATabStop) {
  const ControlKind kind = Template().kind();
  Qt::FocusPolicy expected = Qt::NoFocus;
  if (kind != ControlKind::StaticText && kind != ControlKind::StaticIcon && kind != ControlKind::GroupBox &&
      kind != ControlKind::ProgressBar)
    expected = (Template().style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus;
  EXPECT_EQ(Widget().focusPolicy(), expected);
}

std::string ControlName(const ::testing::TestParamInfo<std::size_t>& info) {
  const ControlTemplate& c = MainTemplate().controls.at(info.param);
  std::string name = "n" + std::to_string(info.param + 1) + "_" + ClassOfKind(c.kind());
  if (c.id != IDC_STATIC) name += "_" + std::to_string(c.id);
  return name;
}

INSTANTIATE_TEST_SUITE_P(Template102, MainTemplateControl,
                         ::testing::Range<std::size_t>(0, FindDialogTemplate(IDD_MAIN)->controls.size()),
                         ControlName);

TEST(DialogBuilder, BuildsOneWidgetPerTemplateControlInTemplateOrder) {
  ASSERT_EQ(Main().built.controls.size(), MainTemplate().controls.size());
  for (std::size_t i = 0; i < MainTemplate().controls.size(); ++i)
    EXPECT_EQ(GetControlId(Main().built.controls[i]), MainTemplate().controls[i].id) << "control " << i + 1;
}

TEST(DialogBuilder, TabOrderFollowsTheTemplate) {
  const auto& controls = Main().built.controls;
  const std::set<QWidget*> ours(controls.begin(), controls.end());
  std::vector<QWidget*> chain{controls.front()};
  for (QWidget* w = controls.front()->nextInFocusChain(); w != controls.front(); w = w->nextInFocusChain()) {
    if (ours.count(w)) chain.push_back(w);
    ASSERT_LT(chain.size(), controls.size() + 1) << "the focus chain does not come back";
  }
  EXPECT_EQ(chain, controls);
}

TEST(DialogBuilder, FirstTemplateControlIsOnTopOfTheStack) {
  std::vector<QWidget*> bottomToTop;
  for (QObject* child : Main().built.client->children())
    if (auto* w = qobject_cast<QWidget*>(child)) bottomToTop.push_back(w);
  std::vector<QWidget*> expected(Main().built.controls.rbegin(), Main().built.controls.rend());
  EXPECT_EQ(bottomToTop, expected);
}

TEST(DialogBuilder, DialogTakesTheTemplatesFixedSizeBelowItsMenu) {
  QDialog& dialog = Main().dialog;
  const Metrics metrics(Main().built.client->font());
  EXPECT_EQ(Main().built.client->size(), QSize(metrics.X(299), metrics.Y(281)));
  ASSERT_NE(Main().built.menuBar, nullptr);
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  EXPECT_EQ(dialog.minimumSize().width(), metrics.X(299));
  EXPECT_EQ(dialog.minimumSize().height(), metrics.Y(281) + Main().built.menuBar->sizeHint().height());
  EXPECT_EQ(Main().built.client->geometry().top(), Main().built.menuBar->sizeHint().height());
}

TEST(DialogBuilder, FrameFollowsTheTemplateStyle) {
  QDialog& dialog = Main().dialog;
  EXPECT_EQ(dialog.windowTitle(), "Linkrake 2.2");
  EXPECT_EQ(GetControlId(&dialog), IDD_MAIN);
  const Qt::WindowFlags flags = dialog.windowFlags();
  EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Window);  // WS_EX_APPWINDOW: a window of its own
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);

  QDialog about;
  DialogBuilder::Build(about, *FindDialogTemplate(IDD_ABOUTBOX));
  EXPECT_EQ(about.windowFlags() & Qt::WindowType_Mask, Qt::Dialog);
  EXPECT_FALSE(about.windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST(DialogBuilder, DialogFontIsThePlatformsSansSerifAtEightPoints) {
  const QFont font = Main().built.client->font();
  const qreal dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
  EXPECT_EQ(font.pixelSize(), qRound(8 * dpi / 72));
  if (!QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif"))) {
    EXPECT_NE(QFontInfo(font).family(), QStringLiteral("MS Sans Serif"));
  }
  EXPECT_EQ(font.styleHint(), QFont::SansSerif);
  const Metrics metrics(font);
  EXPECT_EQ(Main().built.baseUnits.x, metrics.baseX);
  EXPECT_EQ(Main().built.baseUnits.y, metrics.baseY);
  EXPECT_GT(metrics.baseX, 0);
  // The controls use the dialog's font, not the application's.
  EXPECT_EQ(Main().built.controls.front()->font(), font);
}

TEST(DialogBuilder, AFamilyThePlatformHasIsKept) {
  const QStringList families = QFontDatabase::families();
  if (families.isEmpty()) GTEST_SKIP() << "no fonts installed";
  DialogTemplate t = *FindDialogTemplate(IDD_ABOUTBOX);
  t.fontName = families.front().toStdString();
  t.pointSize = 12;
  const QFont font = DialogFont(t);
  EXPECT_EQ(font.family(), families.front());
  EXPECT_EQ(font.pixelSize(), qRound(12 * QGuiApplication::primaryScreen()->logicalDotsPerInchY() / 72));
}

TEST(DialogBuilder, DefaultPushButtonIsTheDialogsDefault) {
  auto* search = qobject_cast<QPushButton*>(Main().built.controls[8]);
  auto* exit = qobject_cast<QPushButton*>(Main().built.controls[9]);
  ASSERT_TRUE(search && exit);
  EXPECT_TRUE(search->isDefault());
  EXPECT_FALSE(exit->isDefault());
}

TEST(DialogBuilder, EditsFollowTheirStyle) {
  auto* base = qobject_cast<QLineEdit*>(Main().built.controls[0]);
  auto* count = qobject_cast<QLineEdit*>(Main().built.controls[13]);
  ASSERT_TRUE(base && count);
  EXPECT_FALSE(base->isReadOnly());
  EXPECT_TRUE(base->hasFrame());
  EXPECT_TRUE(count->isReadOnly());
  EXPECT_FALSE(count->hasFrame());  // no WS_BORDER
}

TEST(DialogBuilder, ListViewIsAFlatReportThatSortsNothingItself) {
  auto* view = qobject_cast<QTreeView*>(Main().built.controls[10]);
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(view->rootIsDecorated());
  EXPECT_TRUE(view->uniformRowHeights());
  EXPECT_FALSE(view->isSortingEnabled());
  EXPECT_EQ(view->selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_NE(view->editTriggers(), QAbstractItemView::NoEditTriggers);  // LVS_EDITLABELS
}

TEST(DialogBuilder, ProgressBarShowsNoText) {
  auto* bar = qobject_cast<QProgressBar*>(Main().built.controls[16]);
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->isTextVisible());
}

// Radio groups, on a template made for it: a group runs from a WS_GROUP control to the next.
TEST(DialogBuilder, RadioButtonsAreExclusiveFromOneGroupStartToTheNext) {
  constexpr std::uint32_t radio = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
  DialogTemplate t = *FindDialogTemplate(IDD_ABOUTBOX);
  t.controls = {
      {11, ControlClass::Button, "a1", 0, 0, 40, 10, radio | WS_GROUP},
      {12, ControlClass::Button, "a2", 0, 10, 40, 10, radio},
      {13, ControlClass::Static, "label", 0, 20, 40, 10, WS_CHILD | WS_VISIBLE | WS_GROUP},
      {21, ControlClass::Button, "b1", 0, 30, 40, 10, radio},
      {22, ControlClass::Button, "b2", 0, 40, 40, 10, radio},
      {31, ControlClass::Button, "c1", 0, 50, 40, 10, radio | WS_GROUP},
  };
  QDialog dialog;
  const BuiltDialog built = DialogBuilder::Build(dialog, t);
  std::map<int, QRadioButton*> r;
  for (QWidget* w : built.controls)
    if (auto* button = qobject_cast<QRadioButton*>(w)) r[GetControlId(w)] = button;
  ASSERT_EQ(r.size(), 5u);
  for (auto& [id, button] : r) ASSERT_NE(button->group(), nullptr) << id;
  EXPECT_EQ(r[11]->group(), r[12]->group());
  EXPECT_EQ(r[21]->group(), r[22]->group());
  EXPECT_NE(r[11]->group(), r[21]->group());
  EXPECT_NE(r[21]->group(), r[31]->group());

  r[11]->click();
  r[21]->click();
  r[31]->click();
  EXPECT_TRUE(r[11]->isChecked() && r[21]->isChecked() && r[31]->isChecked());
  r[12]->click();
  EXPECT_FALSE(r[11]->isChecked());
  EXPECT_TRUE(r[12]->isChecked());
  EXPECT_TRUE(r[21]->isChecked());
}

TEST(DialogBuilder, MainDialogsFourRadioButtonsAreOneGroupAndTheCheckBoxesStayOut) {
  const auto& c = Main().built.controls;
  std::vector<QRadioButton*> radios;
  for (int i : {1, 2, 3, 4}) radios.push_back(qobject_cast<QRadioButton*>(c[i]));
  for (QRadioButton* radio : radios) ASSERT_NE(radio, nullptr);
  for (QRadioButton* radio : radios) EXPECT_EQ(radio->group(), radios[0]->group());
  EXPECT_TRUE(radios[0]->group()->exclusive());
  EXPECT_EQ(radios[0]->group()->buttons().size(), 4);
  auto* dups = qobject_cast<QCheckBox*>(c[5]);
  ASSERT_NE(dups, nullptr);
  dups->setChecked(true);
  radios[3]->click();
  radios[1]->click();
  EXPECT_TRUE(radios[1]->isChecked());
  EXPECT_FALSE(radios[3]->isChecked());
  EXPECT_TRUE(dups->isChecked());
}

TEST(DialogBuilder, ComboBoxIsAnUnsortedDropDownWhoseListFillsTheTemplateHeight) {
  const DialogTemplate& t = *FindDialogTemplate(IDD_OPEN_URL);
  QDialog dialog;
  const BuiltDialog built = DialogBuilder::Build(dialog, t);
  auto* combo = qobject_cast<QComboBox*>(built.controls.at(0));
  ASSERT_NE(combo, nullptr);
  EXPECT_TRUE(combo->isEditable());
  EXPECT_EQ(combo->completer(), nullptr);
  EXPECT_EQ(combo->insertPolicy(), QComboBox::NoInsert);
  const Metrics metrics(built.client->font());
  const ControlTemplate& c = t.controls[0];
  EXPECT_EQ(combo->geometry(), QRect(metrics.X(c.x), metrics.Y(c.y), metrics.X(c.cx), combo->sizeHint().height()));
  const int listHeight = metrics.Y(c.cy) - combo->sizeHint().height();
  EXPECT_EQ(combo->maxVisibleItems(), std::max(1, listHeight / combo->fontMetrics().height()));
  combo->addItem("zeta");
  combo->addItem("alpha");
  EXPECT_EQ(combo->itemText(0), "zeta");
  EXPECT_EQ(built.menuBar, nullptr);
}

// The menu bar against the menu template: popups, items, ids and separators in order.
TEST(DialogBuilder, MenuBarHoldsTheMenuTemplatesItemsWithTheirIds) {
  const MenuTemplate& menu = *FindMenuTemplate(IDR_MAIN_MENU);
  QMenuBar* bar = Main().built.menuBar;
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->isNativeMenuBar());
  const QList<QAction*> popups = bar->actions();
  ASSERT_EQ(popups.size(), static_cast<qsizetype>(menu.items.size()));
  for (std::size_t p = 0; p < menu.items.size(); ++p) {
    const MenuItemTemplate& popup = menu.items[p];
    QAction* action = popups[static_cast<qsizetype>(p)];
    EXPECT_EQ(action->text().toStdString(), popup.text);
    ASSERT_NE(action->menu(), nullptr) << popup.text;
    const QList<QAction*> items = action->menu()->actions();
    ASSERT_EQ(items.size(), static_cast<qsizetype>(popup.items.size())) << popup.text;
    for (std::size_t i = 0; i < popup.items.size(); ++i) {
      const MenuItemTemplate& item = popup.items[i];
      QAction* built = items[static_cast<qsizetype>(i)];
      if (item.kind == MenuItemTemplate::Kind::Separator) {
        EXPECT_TRUE(built->isSeparator()) << popup.text << " item " << i;
        EXPECT_EQ(CommandIdOf(built), 0);
        continue;
      }
      EXPECT_EQ(built->text().toStdString(), item.text);
      EXPECT_EQ(CommandIdOf(built), item.id) << item.text;
      EXPECT_TRUE(built->isEnabled());
      EXPECT_FALSE(built->isCheckable());
    }
  }
  ASSERT_NE(FindCommand(*bar, ID_FILE_EXIT), nullptr);
  EXPECT_EQ(FindCommand(*bar, ID_FILE_EXIT)->text(), "&Exit");
  EXPECT_EQ(FindCommand(*bar, 4242), nullptr);
  EXPECT_EQ(CommandActions(*bar).size(), 7u);
}

}  // namespace
}  // namespace linkrake
