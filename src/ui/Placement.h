// Controls sit at fixed positions, as the windows were laid out: one call names and places one.
// Windows open where the user is looking: dialogs over their owner, the Animator beside the
// grid it plays in.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

class QWidget;

namespace kelvane {

template <typename W>
W* Place(W* widget, const char* name, int left, int top, int width, int height) {
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(left, top, width, height);
  return widget;
}

// The top-left corner that centres a window of size over owner, kept on screen.
QPoint CentredOver(const QRect& owner, const QSize& size, const QRect& screen);

// The top-left corner for a window of size that must not cover keepClear (part of owner): right
// of owner, else left of it, else right of keepClear over the rest of owner; its top level with
// keepClear's, kept on screen.
QPoint BesideOwner(const QRect& owner, const QRect& keepClear, const QSize& size,
                   const QRect& screen);

// Where a window of frame goes to lie on a screen, moved and shrunk no more than it takes: on the
// one of screens (their available areas) it overlaps most, else the first; never below least.
QRect KeptOnScreen(const QRect& frame, const QList<QRect>& screens, const QSize& least);

// Each time dialog is shown, it opens centred over owner's frame, whatever the window manager or
// an earlier showing would choose.
void OpenOverOwner(QWidget* dialog, QWidget* owner);

}  // namespace kelvane
