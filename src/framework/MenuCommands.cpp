#include "framework/MenuCommands.h"

#include <functional>

namespace linkrake {

int CommandIdOf(const QAction* action) {
  if (!action || action->isSeparator() || action->menu()) return 0;
  return action->data().toInt();
}

QAction* AppendMenuItem(QMenu& menu, int id, const std::string& text) {
  QAction* action = menu.addAction(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  action->setData(id);
  return action;
}

void AppendMenuSeparator(QMenu& menu) { menu.addSeparator(); }

std::vector<QAction*> CommandActions(const QMenuBar& menuBar) {
  std::vector<QAction*> commands;
  std::function<void(const QList<QAction*>&)> collect = [&](const QList<QAction*>& actions) {
    for (QAction* action : actions) {
      if (action->menu()) collect(action->menu()->actions());
      else if (!action->isSeparator()) commands.push_back(action);
    }
  };
  collect(menuBar.actions());
  return commands;
}

QAction* FindCommand(const QMenuBar& menuBar, int id) {
  for (QAction* action : CommandActions(menuBar))
    if (CommandIdOf(action) == id) return action;
  return nullptr;
}

}  // namespace linkrake
