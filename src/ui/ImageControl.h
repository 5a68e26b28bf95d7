// A plain image control: shows its picture unscaled and hands its mouse events to its owner.
// Whoever draws into the picture (or, for a picture drawn in bands, changes what the bands are
// drawn from) calls update() with what changed; Qt paints it once the event loop turns, together
// with everything else that changed.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

namespace kelvane {

struct DeviceImage;

class ImageControl : public QWidget {
  Q_OBJECT
 public:
  ImageControl(QWidget* parent, int width, int height, QRgb fill);
  // A picture made only when it is first used, by Picture() or a paint: filled, then handed to
  // drawFirst (which may use Picture()). A page the user may never open then holds no pixels.
  ImageControl(QWidget* parent, int width, int height, QRgb fill, std::function<void()> drawFirst);

  // Draws the bands of the picture whose first line is top into band, which is as wide as the
  // control and a whole number of bands high: at least its columns left..right - 1, which the
  // paint shows.
  using BandDrawer = std::function<void(QImage& band, int top, int left, int right)>;
  // A picture never kept whole: a paint draws each band it shows with drawBand, one band at a
  // time. For a picture that repeats its lines, as the editor repeats each cell's eight times, a
  // band is all the memory the control needs. Picture() draws the whole picture afresh, for
  // reading, one pixel per pixel of the control. A band has as many pixels as Reshape sets (one
  // per pixel of the control unless told); the screen scales it as it shows it.
  ImageControl(QWidget* parent, int width, int height, int bandHeight, BandDrawer drawBand);

  QImage& Picture() {
    if (drawBand_) {
      DrawWhole();
    } else if (drawFirst_) {
      MakePicture();
    }
    return picture_;
  }
  const QImage& Picture() const { return const_cast<ImageControl*>(this)->Picture(); }
  bool PictureMade() const { return !drawFirst_; }
  // Makes the picture ratio device pixels to one of the control's (filled with fill), so that
  // art drawn at the screen's ratio shows as sharp as the text. Nothing changes when it is so.
  void SetPictureRatio(qreal ratio, QRgb fill);
  // A new size, and for a picture drawn in bands a new band height and the device pixels a band
  // has to one of the control's (a screen at 1.5 gets bands drawn at its own pixels, as whole
  // device pixels never come out of scaling a band by 1.5); the picture is drawn anew (a kept
  // one filled first) and the whole control repainted. Nothing happens when all is so.
  void Reshape(int width, int height, int bandHeight = 0, qreal bandRatio = 1);
  // Lets Qt paint the parent under the control before the control, instead of cutting the
  // control out of the parent's paint (see FilledFrame): for small controls that seldom change.
  // The picture covers the control, so nothing of the parent shows.
  void PaintOverParent();
  // A glyph button: reached with Tab, pressed and released with Space as with the mouse.
  void MakeKeyboardButton();
  // For a picture drawn in bands whose drawer writes only the columns left..right - 1 it is
  // asked for: a part of a band is then drawn where it shows, not aside and copied.
  void DrawBandsInPlace() { bandsInPlace_ = true; }

 signals:
  void MouseDown(QMouseEvent* event);
  void MouseMove(QMouseEvent* event);
  void MouseUp(QMouseEvent* event);
  void Clicked();
  void DoubleClicked();
  void SpaceDown();
  // Also soon after the control loses the focus with Space held, as when its own press
  // disables it.
  void SpaceUp();
  void MouseLeft();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void MakePicture();
  void DrawWhole();
  // The dirty part of a picture drawn in bands, straight into the image Qt paints into.
  void PaintBandsInto(const DeviceImage& device, const QRegion& dirty);
  // Bands band..band + count - 1 of the control where bits has their first line in that image.
  QImage& DeviceBands(int band, int count, uchar* bits, qsizetype stride);

  std::vector<QImage> deviceBands_;
  QImage picture_;
  QRgb fill_;
  std::function<void()> drawFirst_;  // set until the picture is made
  // Where the bands of a paint are drawn: several bands one below the other, with a view of the
  // first k of them for each k, so that many bands are drawn in one call and copied in one go.
  void MakeStrip();
  BandDrawer drawBand_;
  QImage strip_;
  std::vector<QImage> stripBands_;
  int bandLines_ = 0;    // a band's height in the control's pixels
  qreal bandRatio_ = 1;  // device pixels of band_ to one of the control's
  bool pressedInside_ = false;
  bool spaceHeld_ = false;
  bool focusRing_ = false;
  bool bandsInPlace_ = false;
};

}  // namespace kelvane
