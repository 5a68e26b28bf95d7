// The drawing tools of the editor and which one is in use: one checkable action a tool, in one
// exclusive group, so that a menu or a tool bar can offer them. The editor hands its mouse
// events here, and they go to the current tool; a press with Alt held goes to the picker
// instead, whatever the tool, until its button is let go.
#pragma once

#include <QKeySequence>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>
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

  // The first tool added is the current one until another is chosen. hint: for the status bar.
  QAction* Add(std::unique_ptr<Tool> tool, const QString& name, const QKeySequence& key = {},
               const QString& hint = {});
  // The tool that takes presses with Alt held, as this action's.
  void PickWithAlt(QAction* action);
  Tool& Current() { return *tools_[current_]; }
  QActionGroup* Actions() const { return actions_; }

  void Press(const ToolEvent& event);
  void Move(const ToolEvent& event);
  void Release(const ToolEvent& event);
  // Esc: the use in progress of the tool that has the events is taken back.
  void Cancel() { Receiver().Cancel(); }
  const Preview& CurrentPreview() { return Receiver().CurrentPreview(); }
  std::optional<CanvasFrame> Frame() { return Receiver().Frame(); }

 private:
  Tool& Receiver() { return altPress_ ? *tools_[altTool_] : Current(); }

  QActionGroup* actions_;
  std::vector<std::unique_ptr<Tool>> tools_;
  std::size_t current_ = 0;
  std::size_t altTool_ = 0;
  bool hasAltTool_ = false;
  bool altPress_ = false;  // the events go to the Alt tool until the press's release
};

}  // namespace kelvane
