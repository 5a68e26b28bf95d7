#include "ui/ToolManager.h"

#include <QAction>
#include <QActionGroup>

namespace kelvane {

ToolManager::ToolManager(QObject* parent) : QObject(parent), actions_(new QActionGroup(this)) {
  actions_->setExclusive(true);
}

ToolManager::~ToolManager() = default;

QAction* ToolManager::Add(std::unique_ptr<Tool> tool, const QString& name) {
  auto* action = new QAction(name, actions_);
  action->setCheckable(true);
  const std::size_t index = tools_.size();
  tools_.push_back(std::move(tool));
  // A use in progress is cancelled by another tool's choice, so none is left half done.
  connect(action, &QAction::triggered, this, [this, index] {
    if (index == current_) return;
    Current().Cancel();
    current_ = index;
  });
  if (index == 0) action->setChecked(true);
  return action;
}

}  // namespace kelvane
