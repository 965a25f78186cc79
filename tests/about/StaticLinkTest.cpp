// The hyperlink control on a plain window: how it is drawn before and after a click, what a
// click opens, and which kinds of static are drawn as a link.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <ostream>
#include <string>

#include "LinkPixels.h"
#include "about/CStaticLink.h"
#include "framework/ControlProperties.h"
#include "framework/testing/RecordingShell.h"
#include "res/WindowStyles.h"

namespace linkrake {
namespace {

using testing::AreaInWindow;
using testing::CountPixels;
using testing::PaintedWindow;
using testing::RecordingShell;

const QColor kBlue(0, 0, 255);
const QColor kPurple(128, 0, 128);
const QColor kBackground(0, 160, 0);
constexpr char kAddress[] = "http://www.example.test/links";

// A window with a distinct background and one link on it, as a template would make it.
class StaticLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, kBackground);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.resize(320, 60);
    link = new CStaticLink(&window);
    link->setGeometry(10, 10, 300, 30);
    link->setText(kAddress);
    StoreStyle(link, WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT);
  }

  int Pixels(QColor color) { return CountPixels(PaintedWindow(*link), AreaInWindow(*link), color); }
  void Click() { QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(5, 5)); }

  QWidget window;
  CStaticLink* link = nullptr;
  RecordingShell shell;
};

TEST_F(StaticLinkTest, FirstPaintDrawsTheTextUnderlinedInBlueOnTheParentsBackground) {
  EXPECT_FALSE(GetStyle(link) & SS_NOTIFY);
  EXPECT_FALSE(link->UnderlineFont().has_value());

  const QImage painted = PaintedWindow(*link);
  const QRect area = AreaInWindow(*link);
  EXPECT_GT(CountPixels(painted, area, kBlue), 0);
  EXPECT_EQ(CountPixels(painted, area, kPurple), 0);
  // Nothing behind the text is painted: the link's corner shows the window's colour.
  EXPECT_EQ(painted.pixelColor(area.bottomRight()).rgb(), kBackground.rgb());
  EXPECT_EQ(painted.pixelColor(area.topLeft() + QPoint(1, 1)).rgb(), kBackground.rgb());

  EXPECT_TRUE(GetStyle(link) & SS_NOTIFY);
  ASSERT_TRUE(link->UnderlineFont().has_value());
  EXPECT_TRUE(link->UnderlineFont()->underline());
  EXPECT_EQ(link->UnderlineFont()->family(), link->font().family());
  EXPECT_EQ(link->UnderlineFont()->pointSizeF(), link->font().pointSizeF());
  EXPECT_FALSE(link->font().underline());
  EXPECT_FALSE(link->Visited());
  // No hover effect and no pointer of its own.
  EXPECT_FALSE(link->testAttribute(Qt::WA_SetCursor));
  EXPECT_FALSE(link->testAttribute(Qt::WA_Hover));
}

TEST_F(StaticLinkTest, TheUnderlinedFontIsMadeOnceFromTheFontOfTheFirstPaint) {
  PaintedWindow(*link);
  ASSERT_TRUE(link->UnderlineFont().has_value());
  const QFont first = *link->UnderlineFont();
  QFont bigger = link->font();
  bigger.setPointSizeF(bigger.pointSizeF() * 2);
  link->setFont(bigger);
  PaintedWindow(*link);
  EXPECT_EQ(*link->UnderlineFont(), first);
}

TEST_F(StaticLinkTest, BeforeItsFirstPaintTheStaticReportsNoClicks) {
  Click();
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_EQ(shell.beeps, 0);
}

struct ClickCase {
  const char* name;
  bool opens;
  QColor colorAfter;
  QColor colorGone;
  int beeps;
};

void PrintTo(const ClickCase& c, std::ostream* os) { *os << c.name; }

class StaticLinkClickTest : public StaticLinkTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(StaticLinkClickTest, OneAttemptToOpenTheTextThenPurpleOnSuccessOrABeep) {
  const ClickCase& c = GetParam();
  ASSERT_GT(Pixels(kBlue), 0);
  if (c.opens) shell.Succeed();
  else shell.Fail();
  Click();

  ASSERT_EQ(shell.opened, std::vector<std::string>{kAddress});
  EXPECT_EQ(link->Url(), kAddress);
  EXPECT_EQ(link->Visited(), c.opens);
  EXPECT_EQ(shell.beeps, c.beeps);
  EXPECT_GT(Pixels(c.colorAfter), 0);
  EXPECT_EQ(Pixels(c.colorGone), 0);
  // Still underlined: the same font serves both colours.
  EXPECT_TRUE(link->UnderlineFont()->underline());
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, StaticLinkClickTest,
    ::testing::Values(ClickCase{"OpenSucceeds", true, kPurple, kBlue, 0},
                      ClickCase{"OpenFails", false, kBlue, kPurple, 1}),
    [](const ::testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

TEST_F(StaticLinkTest, TheAddressIsTakenFromTheTextAtTheFirstClickAndKept) {
  PaintedWindow(*link);
  shell.Fail();
  Click();
  link->setText("http://elsewhere.test/");
  shell.Succeed();
  Click();
  EXPECT_EQ(shell.opened, (std::vector<std::string>{kAddress, kAddress}));
  EXPECT_EQ(shell.beeps, 1);
  EXPECT_TRUE(link->Visited());
  // Once visited, a failed open does not turn it blue again.
  shell.Fail();
  Click();
  EXPECT_TRUE(link->Visited());
  EXPECT_GT(Pixels(kPurple), 0);
  EXPECT_EQ(Pixels(kBlue), 0);
}

TEST_F(StaticLinkTest, ADoubleClickOpensOnce) {
  PaintedWindow(*link);
  // What the window system delivers for a double click: press, release, double click, release.
  const QPointF at(5, 5);
  const QPointF global = link->mapToGlobal(at);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                            QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, global, Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(link, &event);
  }
  EXPECT_EQ(shell.opened.size(), 1u);
}

TEST_F(StaticLinkTest, APressDraggedOffTheLinkOpensNothing) {
  PaintedWindow(*link);
  QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-20, 5));
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_EQ(shell.beeps, 0);
}

TEST_F(StaticLinkTest, OtherButtonsOpenNothing) {
  PaintedWindow(*link);
  QTest::mouseClick(link, Qt::RightButton, {}, QPoint(5, 5));
  QTest::mouseClick(link, Qt::MiddleButton, {}, QPoint(5, 5));
  EXPECT_TRUE(shell.opened.empty());
}

struct StyleCase {
  const char* name;
  std::uint32_t kind;
  bool drawnAsLink;
};

void PrintTo(const StyleCase& c, std::ostream* os) { *os << c.name; }

class StaticLinkStyleTest : public StaticLinkTest, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(StaticLinkStyleTest, OnlyPlainTextStaticsLookLikeALinkButEveryKindOpensOnAClick) {
  const StyleCase& c = GetParam();
  StoreStyle(link, WS_CHILD | WS_VISIBLE | c.kind);
  link->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  EXPECT_EQ(Pixels(kBlue) > 0, c.drawnAsLink);
  EXPECT_EQ(link->UnderlineFont().has_value(), c.drawnAsLink);
  EXPECT_EQ(GetStyle(link), WS_CHILD | WS_VISIBLE | c.kind | SS_NOTIFY);

  Click();
  EXPECT_EQ(shell.opened, std::vector<std::string>{kAddress});
  EXPECT_TRUE(link->Visited());
  EXPECT_EQ(Pixels(kPurple) > 0, c.drawnAsLink);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, StaticLinkStyleTest,
    ::testing::Values(StyleCase{"Left", SS_LEFT, true}, StyleCase{"Center", SS_CENTER, true},
                      StyleCase{"Right", SS_RIGHT, true},
                      StyleCase{"LeftWithNoPrefix", SS_LEFT | SS_NOPREFIX, false},
                      StyleCase{"Icon", SS_ICON, false}, StyleCase{"Simple", SS_SIMPLE, false},
                      StyleCase{"LeftNoWordWrap", SS_LEFTNOWORDWRAP, false}),
    [](const ::testing::TestParamInfo<StyleCase>& info) { return std::string(info.param.name); });

TEST(StaticLinkColorTest, ColoursAreReadAsBlueGreenRedFromTheHighByteDown) {
  EXPECT_EQ(ToQColor(CStaticLink::kUnvisitedColor), QColor(0, 0, 255));
  EXPECT_EQ(ToQColor(CStaticLink::kVisitedColor), QColor(128, 0, 128));
  EXPECT_EQ(ToQColor(0x00123456), QColor(0x56, 0x34, 0x12));
}

}  // namespace
}  // namespace linkrake
