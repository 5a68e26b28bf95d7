// The drawing tools of the editor and which one is in use: one checkable action a tool, in one
// exclusive group, so that a menu or a tool bar can offer them. The editor hands its mouse
// events to the current tool.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

#include "tools/Tool.h"

class QAction;
class QActionGroup;

namespace kelvane {

class ToolManager : public QObject {
  Q_OBJECT
 public:
  explicit ToolManager(QObject* parent);
  ~ToolManager() override;

  // The first tool added is the current one until another is chosen.
  QAction* Add(std::unique_ptr<Tool> tool, const QString& name);
  Tool& Current() { return *tools_[current_]; }
  QActionGroup* Actions() const { return actions_; }

 private:
  QActionGroup* actions_;
  std::vector<std::unique_ptr<Tool>> tools_;
  std::size_t current_ = 0;
};

}  // namespace kelvane
