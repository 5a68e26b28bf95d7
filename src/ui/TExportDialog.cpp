#include "ui/TExportDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <utility>

#include "files/FormatRegistry.h"
#include "files/PrgFormat.h"
#include "files/SafeFiles.h"
#include "files/SpriteSets.h"
#include "model/SpriteDocument.h"
#include "ui/FileMessages.h"
#include "ui/MessageBoxes.h"

namespace kelvane {
namespace {

// What the dialog offers, in its order; "Save..." writes the .spr files.
struct Offer {
  std::string_view id;
  const char* name;
};
constexpr Offer kOffers[] = {
    {"acme", "ACME assembler source"},
    {"ca65", "ca65 assembler source"},
    {"kickass", "KickAssembler source"},
    {"64tass", "64tass assembler source"},
    {"xa", "xa assembler source"},
    {"c", "C array"},
    {"basic", "BASIC DATA lines"},
    {"png", "PNG picture"},
    {"bin", "Raw sprite data"},
    {"prg", "PRG file"},
    {"spd1", "SpritePad file, version 1"},
    {"spd5", "SpritePad file, version 5"},
    {"spm", "Spritemate file"},
    {"gif", "Animated GIF"},
};

// The option pages, by what the format takes.
enum Page { kTextPage, kPngPage, kPrgPage, kNoOptionsPage, kGifPage };

// The number bases in the box's order; the first entry is the format's own.
constexpr std::array<std::optional<NumberBase>, 4> kBases{std::nullopt, NumberBase::Hex,
                                                          NumberBase::Decimal, NumberBase::Binary};

const QString kCaption = QStringLiteral("Export");
constexpr int kHighestAddress = 0xFFFF;
constexpr int kHexBase = 16;

Page PageOf(std::string_view format) {
  if (IsTextFormat(format)) return kTextPage;
  if (format == "png") return kPngPage;
  if (format == "prg") return kPrgPage;
  if (format == "gif") return kGifPage;
  return kNoOptionsPage;
}

QString Extension(std::string_view format) {
  return QString::fromLatin1(ExportExtension(format).data(),
                             static_cast<qsizetype>(ExportExtension(format).size()));
}

QString Filter(const Offer& offer) {
  return QStringLiteral("%1 (*%2)").arg(QString::fromLatin1(offer.name), Extension(offer.id));
}

int OfferIndex(std::string_view format) {
  for (std::size_t i = 0; i < std::size(kOffers); ++i) {
    if (kOffers[i].id == format) return static_cast<int>(i);
  }
  return 0;
}

// An address as C64 programmers write it: "$" and four hexadecimal digits.
class AddressBox : public QSpinBox {
 public:
  AddressBox() {
    setRange(0, kHighestAddress);
    setDisplayIntegerBase(kHexBase);
    setPrefix(QStringLiteral("$"));
  }

 protected:
  QString textFromValue(int value) const override {
    return QStringLiteral("%1").arg(value, 4, kHexBase, QLatin1Char('0')).toUpper();
  }
};

// Option fields as wide as what they hold, not stretched across the dialog.
QFormLayout* OptionForm(QWidget* page) {
  auto* form = new QFormLayout(page);
  form->setContentsMargins(0, 0, 0, 0);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  return form;
}

template <class Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QSpinBox* SpinBox(const char* name, int lowest, int highest) {
  auto* box = Named(new QSpinBox, name);
  box->setRange(lowest, highest);
  return box;
}

}  // namespace

TExportDialog::TExportDialog(QWidget* owner, const SpriteDocument& document, OpenedFile opened,
                             const ExportChoices& choices, const QString& proposedStem)
    : QDialog(owner), document_(document), opened_(std::move(opened)), choices_(choices) {
  setObjectName(QStringLiteral("ExportDialog"));
  setWindowTitle(kCaption);

  Format = Named(new QComboBox, "Format");
  for (const Offer& offer : kOffers) Format->addItem(Filter(offer));

  auto* sprites = new QGroupBox(QStringLiteral("Sprites"));
  AllSprites = Named(new QRadioButton(QStringLiteral("All %1").arg(kSpriteCount)), "AllSprites");
  SpriteRange = Named(new QRadioButton(QStringLiteral("From")), "SpriteRange");
  CurrentSprite =
      Named(new QRadioButton(QStringLiteral("Current (%1)").arg(document.CurrentSprite())),
            "CurrentSprite");
  FromSprite = SpinBox("FromSprite", 0, kLastSprite);
  ToSprite = SpinBox("ToSprite", 0, kLastSprite);
  auto* range = new QHBoxLayout(sprites);
  range->addWidget(AllSprites);
  range->addSpacing(8);
  range->addWidget(SpriteRange);
  range->addWidget(FromSprite);
  range->addWidget(new QLabel(QStringLiteral("to")));
  range->addWidget(ToSprite);
  range->addSpacing(8);
  range->addWidget(CurrentSprite);
  range->addStretch();
  // Typing a number means that range.
  for (QSpinBox* box : {FromSprite, ToSprite}) {
    connect(box, &QSpinBox::valueChanged, this, [this] { SpriteRange->setChecked(true); });
  }

  auto* options = new QGroupBox(QStringLiteral("Options"));
  Options = Named(new QStackedWidget, "Options");
  Options->addWidget(BuildTextOptions());
  Options->addWidget(BuildPngOptions());
  Options->addWidget(BuildPrgOptions());
  auto* none =
      new QLabel(QStringLiteral("This format has no options: every byte of each record "
                                "is written, attribute byte included."));
  none->setWordWrap(true);
  none->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Options->addWidget(none);
  Options->addWidget(BuildGifOptions());
  (new QVBoxLayout(options))->addWidget(Options);

  FileName = Named(new QLineEdit, "FileName");
  FileName->setMinimumWidth(320);
  Browse = Named(new QPushButton(QStringLiteral("Browse...")), "Browse");
  auto* file = new QHBoxLayout;
  file->addWidget(FileName, 1);
  file->addWidget(Browse);

  Buttons = Named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel), "Buttons");

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Format:"), Format);
  form->addRow(QStringLiteral("File:"), file);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(sprites);
  layout->addWidget(options);
  layout->addWidget(Buttons);

  if (choices_.path.isEmpty()) {
    choices_.path = proposedStem + Extension(choices_.request.format);
  }
  Show(choices_);
  connect(Format, &QComboBox::currentIndexChanged, this, &TExportDialog::FormatChanged);
  connect(Browse, &QPushButton::clicked, this, &TExportDialog::BrowseClick);
  connect(Buttons, &QDialogButtonBox::accepted, this, &TExportDialog::OkClick);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* TExportDialog::BuildTextOptions() {
  auto* page = new QWidget;
  LabelPrefix = Named(new QLineEdit, "LabelPrefix");
  LabelPrefix->setMinimumWidth(160);
  Segment = Named(new QLineEdit, "Segment");
  Segment->setPlaceholderText(QStringLiteral("None: links as it is"));
  NumberBaseBox = Named(new QComboBox, "NumberBase");
  NumberBaseBox->addItems({QStringLiteral("The format's own"), QStringLiteral("Hexadecimal"),
                           QStringLiteral("Decimal"), QStringLiteral("Binary")});
  BytesPerLine = SpinBox("BytesPerLine", 0, kMaxBytesPerLine);
  BytesPerLine->setSpecialValueText(QStringLiteral("The format's own"));
  Attributes = Named(new QCheckBox(QStringLiteral("Attribute bytes: 64 bytes a sprite, aligned")),
                     "Attributes");
  ColourComment =
      Named(new QCheckBox(QStringLiteral("A comment naming the shared colours")), "ColourComment");
  auto* form = OptionForm(page);
  form->addRow(QStringLiteral("Label prefix:"), LabelPrefix);
  form->addRow(QStringLiteral("ca65 segment:"), Segment);
  form->addRow(QStringLiteral("Numbers:"), NumberBaseBox);
  form->addRow(QStringLiteral("Bytes per line:"), BytesPerLine);
  form->addRow(Attributes);
  form->addRow(ColourComment);
  return page;
}

QWidget* TExportDialog::BuildPngOptions() {
  auto* page = new QWidget;
  Scale = SpinBox("Scale", 1, kMaxPngScale);
  Scale->setSuffix(QStringLiteral(" x"));
  Columns = SpinBox("Columns", 1, kSpriteCount);
  Expand =
      Named(new QCheckBox(QStringLiteral("Draw expanded sprites twice as wide or tall")), "Expand");
  auto* form = OptionForm(page);
  form->addRow(QStringLiteral("Scale:"), Scale);
  form->addRow(QStringLiteral("Sprites a row:"), Columns);
  form->addRow(Expand);
  ObjectSheet = Named(new QCheckBox(QStringLiteral("Draw each object composed, a pixel apart")),
                      "ObjectSheet");
  form->addRow(ObjectSheet);
  return page;
}

QWidget* TExportDialog::BuildPrgOptions() {
  auto* page = new QWidget;
  LoadAddress = Named(new AddressBox, "LoadAddress");
  auto* form = OptionForm(page);
  form->addRow(QStringLiteral("Load address:"), LoadAddress);
  return page;
}

// An animation shows the sprites it names, not those of the Sprites box.
QWidget* TExportDialog::BuildGifOptions() {
  auto* page = new QWidget;
  Animation = Named(new QComboBox, "Animation");
  const std::vector<SpriteAnimation>& animations = document_.Animations();
  for (std::size_t i = 0; i < animations.size(); ++i) {
    const SpriteAnimation& a = animations[i];
    Animation->addItem(
        QStringLiteral("%1: %2 %3-%4, %5/50 s%6")
            .arg(i)
            .arg(a.overObjects ? QStringLiteral("objects") : QStringLiteral("sprites"))
            .arg(a.first)
            .arg(a.last)
            .arg(a.speed)
            .arg(a.PingPong() ? QStringLiteral(", ping-pong") : QString()));
  }
  if (animations.empty()) Animation->addItem(QStringLiteral("No animations"));
  Animation->setEnabled(!animations.empty());
  GifScale = SpinBox("GifScale", 1, kMaxPngScale);
  GifScale->setSuffix(QStringLiteral(" x"));
  auto* form = OptionForm(page);
  form->addRow(QStringLiteral("Animation:"), Animation);
  form->addRow(QStringLiteral("Scale:"), GifScale);
  return page;
}

void TExportDialog::Show(const ExportChoices& choices) {
  const ExportRequest& request = choices.request;
  Format->setCurrentIndex(OfferIndex(request.format));
  Options->setCurrentIndex(PageOf(request.format));
  FromSprite->setValue(choices.first);
  ToSprite->setValue(choices.last);
  AllSprites->setChecked(choices.range == ExportRange::All);
  SpriteRange->setChecked(choices.range == ExportRange::Range);
  CurrentSprite->setChecked(choices.range == ExportRange::Current);
  LabelPrefix->setText(QString::fromStdString(request.text.labelPrefix));
  Segment->setText(QString::fromStdString(request.text.segment));
  Segment->setEnabled(request.format == "ca65");
  NumberBaseBox->setCurrentIndex(static_cast<int>(
      std::find(kBases.begin(), kBases.end(), request.text.numberBase) - kBases.begin()));
  BytesPerLine->setValue(request.text.bytesPerLine.value_or(0));
  Attributes->setChecked(request.text.attributes);
  ColourComment->setChecked(request.text.colourComment);
  Scale->setValue(request.png.scale);
  GifScale->setValue(request.png.scale);
  if (choices.animation < Animation->count()) Animation->setCurrentIndex(choices.animation);
  Columns->setValue(request.png.columns);
  Expand->setChecked(request.png.expand);
  ObjectSheet->setChecked(request.png.objects);
  // Until one is chosen, a PRG goes where the opened one loaded, as the converter puts it.
  std::uint16_t address = kDefaultPrgLoadAddress;
  if (opened_.format == kPrgId) address = opened_.details.loadAddress.value_or(address);
  LoadAddress->setValue(request.loadAddress.value_or(address));
  FileName->setText(choices.path);
}

std::string TExportDialog::FormatId() const {
  return std::string(kOffers[std::max(0, Format->currentIndex())].id);
}

ExportChoices TExportDialog::Read() const {
  ExportChoices choices;
  ExportRequest& request = choices.request;
  request.format = FormatId();
  request.text.labelPrefix = LabelPrefix->text().toStdString();
  // Only ca65 source names a segment.
  if (request.format == "ca65") request.text.segment = Segment->text().trimmed().toStdString();
  request.text.numberBase = kBases[std::max(0, NumberBaseBox->currentIndex())];
  if (BytesPerLine->value() > 0) request.text.bytesPerLine = BytesPerLine->value();
  request.text.attributes = Attributes->isChecked();
  request.text.colourComment = ColourComment->isChecked();
  request.png.scale = request.format == "gif" ? GifScale->value() : Scale->value();
  choices.animation = std::max(0, Animation->currentIndex());
  request.png.columns = Columns->value();
  request.png.expand = Expand->isChecked();
  request.png.objects = ObjectSheet->isChecked();
  request.loadAddress = static_cast<std::uint16_t>(LoadAddress->value());
  choices.range = SpriteRange->isChecked()     ? ExportRange::Range
                  : CurrentSprite->isChecked() ? ExportRange::Current
                                               : ExportRange::All;
  choices.first = FromSprite->value();
  choices.last = ToSprite->value();
  choices.path = FileName->text();
  return choices;
}

void TExportDialog::FormatChanged() {
  const std::string format = FormatId();
  Options->setCurrentIndex(PageOf(format));
  Segment->setEnabled(format == "ca65");
  // A name given the last format's extension follows the format; any other name stays.
  const QString path = FileName->text();
  const QFileInfo info(path);
  if (path.isEmpty() || !ExportFormatForPath(QFile::encodeName(path).toStdString())) return;
  FileName->setText(path.left(path.size() - info.suffix().size() - 1) + Extension(format));
}

void TExportDialog::BrowseClick() {
  const Offer& offer = kOffers[std::max(0, Format->currentIndex())];
  QFileDialog dialog(this, kCaption);
  dialog.setObjectName(QStringLiteral("ExportFileDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({Filter(offer), QString::fromLatin1(kAnyFileFilter.data())});
  dialog.setDefaultSuffix(Extension(offer.id).mid(1));
  const QFileInfo current(FileName->text());
  if (!FileName->text().isEmpty()) {
    dialog.setDirectory(current.absolutePath());
    dialog.selectFile(current.fileName());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  FileName->setText(dialog.selectedFiles().front());
  confirmedPath_ = FileName->text();
}

void TExportDialog::OkClick() {
  for (QSpinBox* box :
       {FromSprite, ToSprite, BytesPerLine, Scale, Columns, LoadAddress, GifScale}) {
    box->interpretText();
  }
  ExportChoices choices = Read();
  int first = 0;
  int last = kLastSprite;
  if (choices.request.format == "gif") {
    const std::vector<SpriteAnimation>& animations = document_.Animations();
    if (animations.empty()) {
      ShowMessage(this, kCaption, QStringLiteral("The sprites have no animation to export."),
                  false);
      return;
    }
    // The animation's sprite (or object) numbers are the bank's (or the document's).
    choices.request.animation = animations[static_cast<std::size_t>(choices.animation)];
  }
  const bool animation = choices.request.animation.has_value();
  if (!animation && choices.range == ExportRange::Current) {
    first = last = document_.CurrentSprite();
  }
  if (!animation && choices.range == ExportRange::Range) {
    first = choices.first;
    last = choices.last;
  }
  if (first > last) {
    ShowMessage(this, kCaption, QStringLiteral("The first sprite comes after the last."), false);
    return;
  }
  SpriteSet sprites;
  for (int n = first; n <= last; ++n) sprites.records.push_back(document_.Bank().Record(n));
  sprites.colours = document_.Colours();
  sprites.objects = ObjectsWithin(document_.Objects(), first, last - first + 1);
  sprites.overlayDistance = opened_.overlayDistance;
  // The opened file's records are that file, and a run of them a part of it, as the converter
  // takes them.
  if (last < opened_.records) {
    SpriteSet file{opened_.format,      {},
                   sprites.colours,     opened_.details,
                   document_.Objects(), opened_.overlayDistance};
    for (int n = 0; n < opened_.records; ++n) file.records.push_back(document_.Bank().Record(n));
    // The animations as the window has them, not as the file held them.
    file.animations = document_.Animations();
    sprites = PartOf(file, first, sprites.records.size());
  }
  if (const std::string problem = ExportProblem(choices.request, sprites, first);
      !problem.empty()) {
    ShowMessage(this, kCaption,
                QStringLiteral("Cannot export: %1.").arg(QString::fromStdString(problem)), false);
    return;
  }
  if (choices.path.isEmpty()) {
    ShowMessage(this, kCaption, QStringLiteral("Choose a file to export to."), false);
    return;
  }
  const std::string path = QFile::encodeName(choices.path).toStdString();
  // A folder, a FIFO or a link to nothing cannot be replaced: said before asking whether to.
  if (const Result<std::string> target = ResolveSaveTarget(path); !target) {
    ShowSaveError(this, target.error());
    return;
  }
  if (choices.path != confirmedPath_ && QFileInfo::exists(choices.path) &&
      !AskYesNo(this, kCaption,
                QStringLiteral("%1 already exists.\nDo you want to replace it?")
                    .arg(QFileInfo(choices.path).fileName()))) {
    return;
  }

  ExportRequest request = choices.request;
  request.png.overlayDistance = document_.OverlayDistance();
  auto files = ExportSprites(sprites, first, request, path);
  std::optional<FileError> error;
  if (!files) error = files.error();
  if (!error) error = SaveFiles(*files);
  if (error) {
    ShowSaveError(this, *error);
    return;
  }
  choices_ = choices;
  accept();
}

}  // namespace kelvane
