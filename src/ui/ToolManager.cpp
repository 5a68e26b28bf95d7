#include "ui/ToolManager.h"

#include <QAction>
#include <QActionGroup>

namespace kelvane {

ToolManager::ToolManager(QObject* parent) : QObject(parent), actions_(new QActionGroup(this)) {
  actions_->setExclusive(true);
}

ToolManager::~ToolManager() = default;

QAction* ToolManager::Add(std::unique_ptr<Tool> tool, const QString& name, const QKeySequence& key,
                          const QString& hint) {
  auto* action = new QAction(name, actions_);
  action->setCheckable(true);
  action->setShortcut(key);
  action->setShortcutContext(Qt::WindowShortcut);
  action->setStatusTip(hint);
  const std::size_t index = tools_.size();
  action->setData(static_cast<qulonglong>(index));
  tools_.push_back(std::move(tool));
  // Another tool's choice ends a use in progress, so none is left half done.
  connect(action, &QAction::triggered, this, [this, index] {
    if (index == current_) return;
    Receiver().Leave();
    altPress_ = false;
    current_ = index;
  });
  if (index == 0) action->setChecked(true);
  return action;
}

void ToolManager::PickWithAlt(QAction* action) {
  altTool_ = action->data().toULongLong();
  hasAltTool_ = true;
}

void ToolManager::Press(const ToolEvent& event) {
  // Only a press with no other button held turns to the picker: a drag keeps its tool.
  if (hasAltTool_ && event.modifiers.alt && event.buttons == event.button) altPress_ = true;
  Receiver().Press(event);
}

void ToolManager::Move(const ToolEvent& event) {
  Receiver().Move(event);
}

void ToolManager::Release(const ToolEvent& event) {
  Receiver().Release(event);
  if (event.buttons == kNoButton) altPress_ = false;
}

}  // namespace kelvane
