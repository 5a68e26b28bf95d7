// File > "Export...": one dialog for every way sprites leave the program besides "Save...": the
// format and its options, which sprites, and the file. It writes through the same export path as
// kelvane-convert, so the two give the same bytes.
#pragma once

#include <QDialog>

#include "ui/ExportChoices.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

namespace kelvane {

class SpriteDocument;

class TExportDialog : public QDialog {
  Q_OBJECT
 public:
  // Starts from choices; a first export is named proposedStem (a path without its extension)
  // plus the format's extension.
  TExportDialog(QWidget* owner, const SpriteDocument& document, OpenedFile opened,
                const ExportChoices& choices, const QString& proposedStem);

  // What the dialog was set to when OK wrote the file.
  const ExportChoices& Choices() const { return choices_; }

  QComboBox* Format = nullptr;
  QRadioButton* AllSprites = nullptr;
  QRadioButton* SpriteRange = nullptr;
  QRadioButton* CurrentSprite = nullptr;
  QSpinBox* FromSprite = nullptr;
  QSpinBox* ToSprite = nullptr;
  QStackedWidget* Options = nullptr;  // the chosen format's page
  QLineEdit* LabelPrefix = nullptr;
  QLineEdit* Segment = nullptr;  // ca65 only
  QComboBox* NumberBaseBox = nullptr;
  QSpinBox* BytesPerLine = nullptr;  // 0: the format's own
  QCheckBox* Attributes = nullptr;
  QCheckBox* ColourComment = nullptr;
  QSpinBox* Scale = nullptr;
  QSpinBox* Columns = nullptr;
  QCheckBox* Expand = nullptr;
  QCheckBox* ObjectSheet = nullptr;  // the objects composed, not the sprites
  QSpinBox* LoadAddress = nullptr;
  QComboBox* Animation = nullptr;  // the animated GIF's
  QSpinBox* GifScale = nullptr;
  QLineEdit* FileName = nullptr;
  QPushButton* Browse = nullptr;
  QDialogButtonBox* Buttons = nullptr;

 private:
  QWidget* BuildTextOptions();
  QWidget* BuildPngOptions();
  QWidget* BuildPrgOptions();
  QWidget* BuildGifOptions();
  void Show(const ExportChoices& choices);
  ExportChoices Read() const;
  std::string FormatId() const;
  void FormatChanged();
  void BrowseClick();
  void OkClick();

  const SpriteDocument& document_;
  const OpenedFile opened_;
  ExportChoices choices_;
  QString confirmedPath_;  // a file the browse dialog has already asked to replace
};

}  // namespace kelvane
