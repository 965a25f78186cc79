#include "about/AboutMenuItem.h"

#include <QMenu>
#include <QWidget>

#include "framework/CDialog.h"
#include "framework/MenuCommands.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

namespace linkrake {

bool AppendAboutItem(QMenu* systemMenu) {
  if (!systemMenu) return false;
  const std::string text = LoadResourceString(IDS_ABOUTBOX);
  if (text.empty()) return false;
  AppendMenuSeparator(*systemMenu);
  AppendMenuItem(*systemMenu, static_cast<int>(IDM_ABOUTBOX), text);
  return true;
}

bool IsAboutCommand(unsigned id) { return (id & 0xFFF0u) == IDM_ABOUTBOX; }

void OfferSystemMenuOnRightClick(CDialog& dialog, QWidget& background) {
  background.setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(&background, &QWidget::customContextMenuRequested, &background,
                   [&dialog, &background](const QPoint& at) {
                     if (QMenu* menu = dialog.GetSystemMenu()) menu->popup(background.mapToGlobal(at));
                   });
}

}  // namespace linkrake
