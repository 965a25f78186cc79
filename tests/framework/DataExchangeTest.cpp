// Data exchange with the Open URL dialog's combo box, and the unit conversion underneath the
// builder.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>

#include "framework/CDialog.h"
#include "framework/DataExchange.h"
#include "framework/DialogUnits.h"
#include "framework/testing/ModalTestKit.h"
#include "res/ResourceIds.h"

namespace linkrake {
namespace {

class ComboDialog : public CDialog {
 public:
  ComboDialog() : CDialog(IDD_OPEN_URL) {}
  std::string m_strUrl;
  QComboBox* m_cbUrl = nullptr;
  QProgressBar* m_wrongKind = nullptr;
  bool bindWrongKind = false;

 protected:
  void DoDataExchange(CDataExchange& dx) override {
    DDX_Control(dx, IDC_URL_COMBO, m_cbUrl);
    DDX_CBString(dx, IDC_URL_COMBO, m_strUrl);
    if (bindWrongKind) DDX_Control(dx, IDC_URL_COMBO, m_wrongKind);
  }
};

struct ToComboCase {
  const char* name;
  std::string value;
  int selected;  // -1: none
  std::string shown;
};

class ComboStringToControl : public ::testing::TestWithParam<ToComboCase> {};

TEST_P(ComboStringToControl, SelectsTheFirstItemBeginningWithTheTextIgnoringCase) {
  const ToComboCase& c = GetParam();
  testing::ModalTestKit kit;
  ComboDialog dialog;
  kit.OnNextModal<ComboDialog>([&](ComboDialog& d) {
    ASSERT_NE(d.m_cbUrl, nullptr);  // bound by the first exchange
    for (const char* item : {"http://alpha.example/", "http://Beta.example/b", "http://beta.example/a", "ftp://files/"})
      d.m_cbUrl->addItem(item);
    d.m_strUrl = c.value;
    EXPECT_TRUE(d.UpdateData(false));
    EXPECT_EQ(d.m_cbUrl->currentIndex(), c.selected);
    EXPECT_EQ(d.m_cbUrl->currentText().toStdString(), c.shown);
    EXPECT_EQ(d.m_cbUrl->count(), 4);  // the list itself is untouched
  });
  dialog.DoModal();
}

const ToComboCase kToCombo[] = {
    {"ExactItem", "http://alpha.example/", 0, "http://alpha.example/"},
    {"PrefixIgnoringCaseTakesTheFirstFromTheTop", "HTTP://BETA", 1, "http://Beta.example/b"},
    {"CommonPrefixTakesTheTopItem", "http://", 0, "http://alpha.example/"},
    {"NoItemBeginsWithIt", "example.org", -1, "example.org"},
    {"ItemOnlyContainsIt", "alpha", -1, "alpha"},
    {"EmptyTextChoosesNothing", "", -1, ""},
    {"LongerThanEveryItem", "ftp://files/more", -1, "ftp://files/more"},
};

INSTANTIATE_TEST_SUITE_P(DDX_CBString, ComboStringToControl, ::testing::ValuesIn(kToCombo),
                         [](const ::testing::TestParamInfo<ToComboCase>& info) { return std::string(info.param.name); });

TEST(DataExchange, ComboStringFromTheControlIsTheEditText) {
  testing::ModalTestKit kit;
  ComboDialog dialog;
  kit.OnNextModal<ComboDialog>([](ComboDialog& d) {
    d.m_cbUrl->addItem("http://alpha.example/");
    d.m_cbUrl->setCurrentIndex(0);
    d.m_cbUrl->lineEdit()->setText("http://alpha.example/edited");
    EXPECT_TRUE(d.UpdateData(true));
    EXPECT_EQ(d.m_strUrl, "http://alpha.example/edited");
    d.m_cbUrl->lineEdit()->setText("Ünïcode");
    EXPECT_TRUE(d.UpdateData(true));
    EXPECT_EQ(d.m_strUrl, "Ünïcode");
  });
  dialog.DoModal();
}

TEST(DataExchange, BindingAControlOfAnotherKindFails) {
  testing::ModalTestKit kit;
  ComboDialog dialog;
  kit.OnNextModal<ComboDialog>([](ComboDialog& d) {
    d.bindWrongKind = true;
    EXPECT_FALSE(d.UpdateData(true));
    EXPECT_EQ(d.m_wrongKind, nullptr);
    EXPECT_NE(d.m_cbUrl, nullptr);
  });
  dialog.DoModal();
}

struct MulDivCase {
  const char* name;
  int number, numerator, denominator, expected;
};

class MulDivRounding : public ::testing::TestWithParam<MulDivCase> {};

TEST_P(MulDivRounding, RoundsHalfAwayFromZeroWithoutOverflow) {
  const MulDivCase& c = GetParam();
  EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected);
}

const MulDivCase kMulDiv[] = {
    {"Exact", 12, 6, 4, 18},
    {"RoundsDown", 7, 5, 4, 9},   // 8.75 -> 9
    {"HalfRoundsUp", 1, 6, 4, 2},  // 1.5 -> 2
    {"BelowHalf", 5, 5, 8, 3},    // 3.125 -> 3
    {"NegativeHalfAwayFromZero", -1, 6, 4, -2},
    {"NegativeDenominator", 3, 5, -2, -8},  // -7.5 -> -8
    {"ProductBeyond32Bits", 1 << 20, 1 << 20, 1 << 10, 1 << 30},
    {"ZeroDenominator", 5, 5, 0, -1},
};

INSTANTIATE_TEST_SUITE_P(MulDiv, MulDivRounding, ::testing::ValuesIn(kMulDiv),
                         [](const ::testing::TestParamInfo<MulDivCase>& info) { return std::string(info.param.name); });

TEST(DialogUnits, MapDialogRectScalesEachSideByItsOwnBaseUnit) {
  const DialogBaseUnits base{6, 13};
  EXPECT_EQ(MapDialogRect(QRect(7, 103, 285, 172), base),
            QRect(MulDiv(7, 6, 4), MulDiv(103, 13, 8), MulDiv(285, 6, 4), MulDiv(172, 13, 8)));
  EXPECT_EQ(MapDialogX(4, base), 6);
  EXPECT_EQ(MapDialogY(8, base), 13);
}

}  // namespace
}  // namespace linkrake
