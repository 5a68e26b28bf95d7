// The main window: a view of the sprite document. Its widgets show the document's state and
// turn what the user does into document calls; they hold none of it.
#pragma once

#include <QMainWindow>
#include <QRegion>
#include <QString>
#include <QStringList>
#include <array>
#include <bitset>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileStamp.h"
#include "files/RecoveryFile.h"
#include "files/SpriteFormat.h"
#include "model/SpriteDocument.h"
#include "render/C64Palette.h"
#include "render/EditorGeometry.h"
#include "render/SpriteRendering.h"
#include "render/WorkImages.h"
#include "tools/Tool.h"
#include "ui/DialogFolders.h"
#include "ui/ExportChoices.h"
#include "ui/GlyphImageList.h"
#include "ui/RecentFiles.h"
#include "ui/ToolIcons.h"

class QAction;
class QCheckBox;
class QFileDialog;
class QLabel;
class QMenu;
class QRadioButton;
class QScrollBar;
class QSettings;
class QShortcut;
class QTimer;
class QTabWidget;
class QToolBar;
class QKeyEvent;
class QWheelEvent;
class QMouseEvent;
class QDragEnterEvent;
class QDropEvent;
class QUrl;

namespace kelvane {

class ColourSwatch;
struct RememberedSettings;
class DocumentAutosave;
class SelectTool;
class ImageControl;
class StatusReadOut;
class ToolManager;
class TextDataFolder;

inline constexpr int kClientWidth = 306;
inline constexpr int kClientHeight = 342;
inline constexpr int kStatusBarHeight = 19;
inline constexpr int kWindowLeft = 164;
inline constexpr int kWindowTop = 53;
inline const QString kApplicationTitle = QStringLiteral("Kelvane");
inline const QString kUntitled = QStringLiteral("Untitled.spr");

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  // arguments: the command line without the program name and without Qt's own options, in the
  // system's bytes, so that a file name that is not valid UTF-8 opens.
  explicit TForm1(const std::vector<std::string>& arguments, QWidget* parent = nullptr);
  explicit TForm1(const QStringList& arguments = {}, QWidget* parent = nullptr);
  ~TForm1() override;

  // Whatever changes the document, from here or elsewhere, shows in the window at once.
  SpriteDocument& Document() { return document_; }
  // The editor's drawing tools; the current one gets the grid's mouse events.
  ToolManager& Tools() { return *tools_; }
  int CurrentSprite() const { return document_.CurrentSprite(); }
  void SetCurrentSprite(int sprite) { document_.SelectSprite(sprite); }

  // Puts every editor control in line with the document, and the editor grid and preview.
  void RefreshEditor();
  void DrawBrowserSheet();
  // path: in the system's bytes.
  // Open's one way in, for the dialog, the command line and a drop: sprite files of every
  // format, and PNG sheets as Import PNG reads them.
  void LoadSpriteFile(const std::string& path);
  void SetFileTitle(const QString& name);

  // From here on the window starts as settings remember it (its size and place, zoom, grid, tool,
  // palette, tool bar, the dialogs' folder, the Export choices, the recent files) and keeps them
  // there as they change and when it closes. A window never given settings remembers nothing
  // beyond its run. settings must outlive the window.
  void RememberSettings(QSettings& settings);

  // The Animator lives in a layer above this window; the program installs how to open it.
  void SetAnimatorOpener(std::function<void(TForm1&)> opener) {
    animatorOpener_ = std::move(opener);
  }
  // How a file is handed to the desktop to open; false when no program could be asked. The
  // desktop's opener reports a failure of its own later, through TellWhereTheTextDataIs.
  void SetFileOpener(std::function<bool(const QUrl&)> opener) { fileOpener_ = std::move(opener); }
  // Told the name of every picture drawn ("editor", "sheet"), in order: a trace for tests.
  void SetDrawTrace(std::function<void(std::string_view)> trace) { drawTrace_ = std::move(trace); }

  // Keeps the unsaved document in a recovery file of its own in folder from now on (see
  // DocumentAutosave). Without it, nothing is kept.
  void EnableRecovery(const std::string& folder);
  // Offers the unsaved work of every program that ended without saving it, one question each:
  // Recover brings it in as unsaved changes of its file, Discard removes it, Later keeps it for
  // the next start.
  void OfferRecovery();
  // The window's recovery file; empty while recovery is not enabled.
  std::string RecoveryFilePath() const;

  // The private file the text export writes; empty until start-up has finished.
  QString TextDataPath() const;

  // Controls, by their documented names, for the Animator and for tests.
  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;
  QWidget* TabSheet2 = nullptr;
  ImageControl* Image1 = nullptr;
  ImageControl* Image2 = nullptr;
  ImageControl* Image3 = nullptr;
  ImageControl* Image4 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QCheckBox* GridToggle = nullptr;
  QCheckBox* UpperSet = nullptr;
  QCheckBox* MCToggle = nullptr;
  QScrollBar* ScrollBar1 = nullptr;
  QScrollBar* ScrollBar2 = nullptr;
  QScrollBar* ScrollBar3 = nullptr;
  QRadioButton* RadioButton1 = nullptr;
  QRadioButton* RadioButton2 = nullptr;
  QRadioButton* RadioButton3 = nullptr;
  QRadioButton* RadioButton4 = nullptr;
  ColourSwatch* Panel1 = nullptr;
  ColourSwatch* Panel2 = nullptr;
  ColourSwatch* Panel3 = nullptr;
  ColourSwatch* Panel4 = nullptr;
  std::array<ImageControl*, kGlyphButtons> Glyphs{};  // in picture order, Btn_Cut first
  ImageControl* Btn_Cut = nullptr;
  ImageControl* Btn_Copy = nullptr;
  ImageControl* Btn_Paste = nullptr;
  ImageControl* Btn_Up = nullptr;
  ImageControl* Btn_Down = nullptr;
  ImageControl* Btn_Left = nullptr;
  ImageControl* Btn_Right = nullptr;
  ImageControl* Btn_FlipX = nullptr;
  ImageControl* Btn_FlipY = nullptr;
  ImageControl* Btn_SymmX = nullptr;
  ImageControl* Btn_SymmY = nullptr;
  ImageControl* Btn_Undo = nullptr;
  // Made on first use (OpenDialog, SaveDialog, ImportDialog); none exists before.
  QFileDialog* OpenDialog1 = nullptr;
  QFileDialog* SaveDialog1 = nullptr;
  QFileDialog* ImportDialog1 = nullptr;  // "Import PNG..."

  QMenu* File1 = nullptr;
  QAction* New1 = nullptr;
  QAction* Open1 = nullptr;
  QAction* ImportPNG1 = nullptr;
  // The files last opened or saved, then "Clear List"; disabled while there are none.
  QMenu* OpenRecent1 = nullptr;
  QAction* ClearList1 = nullptr;
  QAction* SaveFile1 = nullptr;  // "Save": back to the file, as it was opened
  QAction* First161k1 = nullptr;
  QAction* First322k1 = nullptr;
  QAction* First644k1 = nullptr;
  QAction* First1281 = nullptr;
  QAction* Specify1 = nullptr;
  QAction* SaveAll1 = nullptr;
  QAction* Export1 = nullptr;
  QAction* Exit1 = nullptr;
  QAction* Cut1 = nullptr;
  QAction* Copy1 = nullptr;
  QAction* Paste1 = nullptr;
  QAction* NudgeUp1 = nullptr;
  QAction* NudgeDown1 = nullptr;
  QAction* NudgeLeft1 = nullptr;
  QAction* NudgeRight1 = nullptr;
  QAction* FlipHorizontal1 = nullptr;
  QAction* FlipVertical1 = nullptr;
  QAction* SymmetrizeHorizontal1 = nullptr;
  QAction* SymmetrizeVertical1 = nullptr;
  QAction* Undo1 = nullptr;
  QAction* RotateRight1 = nullptr;
  QAction* RotateLeft1 = nullptr;
  QAction* Redo1 = nullptr;
  QAction* GoToSprite1 = nullptr;
  QAction* animator1 = nullptr;
  QAction* Viewtextdata1 = nullptr;
  QAction* CopyCurrentSpriteAttributesToAll1 = nullptr;
  QAction* Takeoutblanks1 = nullptr;
  QAction* CutRange1 = nullptr;
  QAction* CopyRange1 = nullptr;
  QAction* PasteRange1 = nullptr;
  QAction* About1 = nullptr;
  // The drawing tools, at the left of the client area; View > Tool Bar hides and shows them.
  QToolBar* ToolBar1 = nullptr;
  QAction* ShowToolBar1 = nullptr;
  // View: the editor's zoom.
  QMenu* ViewMenu1 = nullptr;
  QAction* ZoomIn1 = nullptr;
  QAction* ZoomOut1 = nullptr;
  QAction* FitToWindow1 = nullptr;
  QMenu* Palette1 = nullptr;  // one checkable item a palette, in the order of kPalettes
  // View: the animation that holds the shown sprite, played in the preview picture (Image3) and
  // shown as onion skin under the shown sprite in the grid; neither touches the document.
  QAction* PlayPreview1 = nullptr;
  QAction* OnionSkin1 = nullptr;
  QAction* OnionNextFrame1 = nullptr;  // the onion skin shows the next frame as well
  QMenu* OnionOpacity1 = nullptr;      // one checkable item an opacity, in kOnionOpacities
  // Sprite: the machine's double width and height of the shown sprite.
  QMenu* Sprite1 = nullptr;
  QAction* ExpandX1 = nullptr;
  QAction* ExpandY1 = nullptr;
  // Sprite: the overlay bit of the shown sprite, and which sprite of a shown pair is edited.
  QAction* OverlayNext1 = nullptr;
  QMenu* EditLayer1 = nullptr;
  QAction* LayerLower1 = nullptr;
  QAction* LayerUpper1 = nullptr;
  QAction* LayerByColour1 = nullptr;
  // View: the layer of a pair that is not being edited drawn faint.
  QAction* DimOtherLayer1 = nullptr;
  // The upper sprite's own colour, offered only while a pair is shown.
  QRadioButton* RadioButton5 = nullptr;
  ColourSwatch* Panel5 = nullptr;
  QAction* Animations1 = nullptr;  // "Animations...": the document's list of animations
  // Sprite: objects of several sprites (ui/ObjectCommands.cpp).
  QAction* NewObject1 = nullptr;
  QAction* ShowObject1 = nullptr;
  QAction* Objects1 = nullptr;
  // The editor grid's scroll bars, shown only when the zoomed grid is larger than its room.
  QScrollBar* EditorScrollX = nullptr;
  QScrollBar* EditorScrollY = nullptr;

  const GlyphImageList& ImageList1() const { return imageList1_; }
  int BrowserHotSprite() const { return browserHotSprite_; }
  // How the editor grid shows the canvas now: cell size, scroll position and all.
  const CanvasView& EditorView() const { return editorView_; }
  // The browser's window of thumbnails at the window's size.
  SheetWindow BrowserWindow() const { return sheetWindow_; }
  QString FileName() const { return fileName_; }
  // The sprite (or, over objects, the object) the playing preview shows, or nothing while it
  // shows the shown canvas.
  std::optional<int> PreviewFrame() const;

 public slots:
  // File menu
  void File1Click();
  void New1Click();
  void Open1Click();
  void ImportPNG1Click();
  void SaveFile1Click();
  void First161k1Click();
  void First322k1Click();
  void First644k1Click();
  void First1281Click();
  void Specify1Click();
  void SaveAll1Click();
  void Export1Click();
  void Exit1Click();
  // Edit menu
  void Action1Execute();
  void Action2Execute();
  void Action3Execute();
  void Action4Execute();
  void Action5Execute();
  void Action6Execute();
  void Action7Execute();
  void Action8Execute();
  void Action9Execute();
  void Action10Execute();
  void Action11Execute();
  void Action12Execute();
  void Redo1Click();
  void RotateRight1Click();
  void RotateLeft1Click();
  // Asks for a sprite number and shows that sprite, as the scroll bar would.
  void GoToSprite1Click();
  // Tools, Special and Help
  void animator1Click();
  void Viewtextdata1Click();
  void CopyCurrentSpriteAttributesToAll1Click();
  void Takeoutblanks1Click();
  void CutRange1Click();
  void CopyRange1Click();
  void PasteRange1Click();
  void About1Click();
  // View menu
  void ZoomIn1Click();
  void ZoomOut1Click();
  void FitToWindow1Click();
  // Shows every picture in palette k of kPalettes; the bank stays as it is.
  void ChoosePalette(int k);
  // Sprite menu
  void Animations1Click();
  // Sprite menu: objects
  void NewObject1Click();
  void ShowObject1Click();
  void Objects1Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void BuildMenus();
  void BuildEditorPage();
  void BuildBrowserPage();
  void BuildGlyphButtons();
  void BuildSpriteKeys();
  void BuildTools();
  void BuildToolBar();
  // View > Tool Bar, in the View menu.
  void AddToolBarToggle();
  // The window's fixed size, to what it holds now (the tool bar shown or not).
  void FitWindow();
  void ShowToolCursor(ToolPicture picture);
  // While a selection exists the Edit commands act on it: true when one did.
  bool OnSelection(const std::function<void(SelectTool&)>& command);
  // The keys and commands that depend on the selection, in line with it.
  void ShowSelectionState();
  void Rotate(bool right);
  void TransformSpriteOrSelection(Transform transform);
  void BuildViewMenu();
  // View > Play Preview, Onion Skin and its options.
  void AddAnimationViews();
  // What the playing preview and the onion skin show after change; before the stale is drawn.
  void FollowAnimation(const DocumentChange& change);
  void StartPreview(const SpriteAnimation& animation);
  void StopPreview();
  void PreviewTick();
  void DrawPreviewPicture(QImage& band, int top);
  // The onion skin over a copy of the canvas image, when it shows; called as the editor redraws.
  void DrawOnionSkin();
  // The frames the onion skin lays under the shown sprite: none while it is off.
  std::vector<int> OnionFrames() const;
  // What the grid draws from: the canvas image, or its copy with the onion skin.
  const QImage& GridSource() const { return onionImage_.isNull() ? canvasImage_ : onionImage_; }
  void BuildSpriteMenu();
  // Overlay Next Sprite, Edit Layer, Dim Other Layer and the upper sprite's pen.
  void BuildOverlayCommands();
  // The overlay items and the pens of a pair as the document has them.
  void ShowOverlayState();
  // How the editor draws pairs: the document's distance, and the faint layer if asked for.
  PairLook EditorPairLook() const;
  // Notes where every control sits as laid out, and which way it follows the window's edges.
  void AnchorControls();
  // Puts every control where the window's size puts it: as laid out at the default size.
  void LayOut();
  // The editor grid at the cell size chosen (or the largest that fits), scrolled as its bars
  // say, with the ticks at its middle; redrawn whole when any of that changed.
  void LayOutEditor();
  void LayOutBrowser();
  // 0 fits the grid to its room.
  void SetCellSize(int size);
  // How many cells one sprite cell takes across and down in the editor: 2 on an expanded axis.
  Zoom EditorStretch() const;
  // The editor's band at view line top: the canvas rows there (a band may hold several at a
  // small zoom), scrolled; at least the columns of span.
  void DrawEditorBand(QImage& band, int top, BandColumns span);
  // Keyboard painting on the grid: the keys it takes (true) and the pixel cursor.
  bool GridKey(QKeyEvent* event);
  bool GridWheel(QWheelEvent* event);
  void MoveGridCursor(int columns, int rows);
  void ShowGridCursor();
  // The cursor's outline over canvas row `row`, in a band from the canvas row's column shift on,
  // in the cell's lines from firstLine on, over the band's columns `columns` only.
  void DrawGridCursor(QImage& band, int row, Zoom zoom, int firstLine, int shift,
                      BandColumns columns) const;
  // The device pixels the grid's bands are drawn at to one of its own: the screen's ratio where
  // it is fractional, else 1 (whole ratios scale a band to whole device pixels as it is).
  qreal GridBandRatio() const;
  // Whether cell size `cell` comes out in whole device pixels at that ratio.
  bool WholeOnScreen(int cell) const;
  // Draws the glyph pictures anew when the screen's device pixel ratio is not the list's.
  void DrawGlyphsForScreen();
  void DrawColourStrip();
  // Every glyph button in its rest picture.
  void ShowGlyphsAtRest();
  void FormCreate(const std::vector<std::string>& arguments);
  bool FormCloseQuery();
  void FormClose();

  // Editor page
  void Image1MouseDown(QMouseEvent* event);
  void Image1MouseMove(QMouseEvent* event);
  void Image1MouseUp(QMouseEvent* event);
  void Image1MouseLeave();
  void FormMouseMove();
  void GridToggleClick();
  void UpperSetClick();
  void ScrollBar1Change();
  void MCToggleClick();
  void RadioButton1Click();
  void RadioButton2Click();
  void RadioButton3Click();
  void RadioButton4Click();
  void Image4MouseDown(QMouseEvent* event);

  // Browser page
  void ScrollBar2Change();
  void PageControl1Change();
  void Image2MouseMove(QMouseEvent* event);
  void Image2Click();
  void Image2DblClick();

  // Glyph buttons: a press runs the command, a release always shows the rest picture.
  void GlyphMouseDown(int button);
  void GlyphMouseUp(int button);
  void ShowPressed(int button);

  QFileDialog& OpenDialog();
  QFileDialog& SaveDialog();
  QFileDialog& ImportDialog();
  // The save dialog, then the document's first byteCount / 64 records in the chosen file; true
  // when they were saved.
  bool SaveSpriteFile(int byteCount);
  // The first count records in path, in format (keeping what the opened file held beyond them
  // when it is that format), asking first when the file changed on disk since it was read or
  // written; true when saved. A failure is shown and changes nothing.
  bool WriteSpriteFile(const std::string& path, const SpriteFormat& format, int count);
  // "Save": the document back to its file with the records it was opened or saved with; a
  // document without a file asks where, as "Save All" does. True when saved.
  bool SaveToFile();
  // Before work is replaced (Open, Import, New, a drop, closing): true when there is nothing
  // unsaved, or the user saved it or let it go.
  bool MaySetAsideWork();
  // The title: "Kelvane - NAME", marked while the document differs from its file.
  void ShowTitle();
  // View Text Data when no viewer opened the file: the user is told where it is.
  void TellWhereTheTextDataIs();
  void ImportPngFile(const FileImage& file);
  // Asks before saving in a format that cannot hold all the opened file held; true to go on.
  bool AskToLeaveOut(const SpriteFormat& format, const SpriteSet& sprites, const std::string& path);
  // What saving sprites in format leaves out of the opened file, one entry a kind; animations
  // changed since are asked about apart.
  QStringList LeftOut(const SpriteFormat& format, const SpriteSet& sprites) const;
  // Saving objects in a format without them: a SpritePad file instead, without them, or not.
  enum class ObjectsAnswer { SpritePad, Without, Cancel };
  ObjectsAnswer AskObjectsOnlyInSpritePad(const std::string& path);
  // The first count records and the objects as a SpritePad file beside path; true when saved.
  bool WriteSpritePadInstead(const std::string& path, int count);
  void BuildObjectCommands();
  // Puts a file's sprites into the bank from sprite 0 on, as "Open..." does, or refuses it.
  bool ApplySpriteSet(const Result<SpriteSet>& set, const std::string& path);
  // The file last read or saved: a new bank's is a .spr of no records. onDisk: that file as it
  // was then, for Save to tell whether someone else has changed it since.
  void SetFileFormat(OpenedFile file, std::optional<FileStamp> onDisk = std::nullopt);
  void ShowRangeDialog(bool cut);
  // A file was opened or saved under path: the dialogs start in its folder, and Open Recent
  // offers it first.
  void NoteFile(const std::string& path);
  void BuildRecentMenu();
  void ShowRecentFiles();
  // Open Recent's entry for path: as Open, after asking about unsaved work; a file that is gone
  // is no longer offered.
  void OpenRecentFile(const std::string& path);
  void ClearList1Click();
  // What the window remembers between runs, as it is now, and back.
  RememberedSettings CurrentSettings() const;
  void ApplySettings(const RememberedSettings& remembered);
  // Into the settings given, when there are any.
  void SaveSettings();
  // The document and the file it belongs to, as its recovery file keeps them.
  KeptDocument KeptNow() const;
  // Brings kept work in as unsaved changes of its file.
  void Recover(const KeptDocument& kept);

  // The view: what a document change shows, and the pictures it makes stale.
  void DocumentChanged(const DocumentChange& change);
  void ShowDocumentState();
  void RedrawEditor();
  // A part of the small picture to repaint, unless one sent since its last paint holds it.
  void SendPicture(const QRect& part);
  // sentCells_ as wide and high as the canvas shown, the marks of another canvas dropped;
  // whether any cell is marked.
  bool SentCellsReady();
  void DrawStale();
  void DrawStaleThumbnails();
  void ShowSheetFromTheTop();
  void ShowGrid(bool on);
  // The current tool's preview on the editor, where it differs from what is shown.
  void ShowToolPreview();
  // Draws the preview's pixels on canvas row `row` over the editor band showing it from the
  // canvas row's column shift on, in the cell's lines from firstLine on, over the band's columns
  // `columns` only. zoom: the cell in the band's own pixels.
  void DrawToolPreview(QImage& band, int row, Zoom zoom, int firstLine, int shift,
                       BandColumns columns) const;
  // The same over the preview picture's band at line top, for the first sprite's pixels.
  void DrawToolPreviewOnPicture(QImage& band, int top) const;

  SpriteDocument document_;
  // The canvas work image, from which the editor (Image1) and the preview (Image3) draw what Qt
  // paints of them, in the look of the last redraw. ASSUMPTION: the preview shows the canvas's
  // first sprite, which is the shown sprite while the canvas is that sprite alone.
  QImage canvasImage_ = MakeWorkImage(kHiresColumns, kSpriteRows, PaletteRgb(0));
  // The sheet's own, which each thumbnail is drawn through, made with the sheet: never
  // canvasImage_, which must hold the canvas whenever Qt paints the editor.
  QImage thumbnailImage_;
  struct EditorLook {
    CanvasLook canvas;
    QRgb background = PaletteRgb(0);
  } editorLook_;
  // The preview playing: the cycle of the animation holding the shown sprite, where it stands,
  // and the frame drawn (again when stale).
  QTimer* previewTimer_ = nullptr;
  SpriteAnimation previewAnimation_;
  std::vector<int> previewCycle_;
  std::size_t previewStep_ = 0;
  QImage previewImage_ = MakeWorkImage(kHiresColumns, kSpriteRows, PaletteRgb(0));
  bool previewImageStale_ = true;
  QImage onionImage_;  // null while the onion skin shows nothing
  int onionOpacity_ = 30;
  // The tool's preview as the editor shows it, and the canvas's pixels it is drawn with.
  Preview shownPreview_;
  // What ShowToolPreview works in, kept so that a drag's every move allocates nothing.
  struct PreviewScratch {
    Preview next;
    Preview changed;
    std::vector<QRect> rects;
  } previewScratch_;
  std::optional<CanvasFrame> shownFrame_;  // the selection's, as the editor shows it
  // Drawn once, at the ratio of the screen the window starts on (the base widget stands by now).
  GlyphImageList imageList1_{devicePixelRatioF()};
  std::array<QRadioButton*, kPairPenCount> penButtons_{};  // by pen number
  std::array<ColourSwatch*, kPairPenCount> swatches_{};
  bool dimOtherLayer_ = false;
  // What the window shows that is not the document's: its own way of looking at it.
  bool showGrid_ = true;
  int sheetTopRow_ = 0;
  int sheetLeftColumn_ = 0;
  int sheetNumbered_ = 0;  // the sprite whose thumbnail carries the number as last drawn
  // What of the pictures is out of date and waits to be drawn, and then sent to the screen:
  // the whole of a picture (nothing is drawn before start-up has finished), or only the cells
  // of the current sprite that changed, and the thumbnails of the sheet's window that did.
  // The sheet starts with no picture at all: its first use draws it whole (Image2).
  bool editorStale_ = true;
  CellArea staleCells_;    // of the current sprite, for the preview
  QRegion staleEditor_;    // of every sprite the canvas shows
  QRect staleCellsRound_;  // round the canvas cells that show those sprites, for the preview
  // The canvas cells a change or a tool's preview has sent to the grid since it was last
  // painted: the grid draws them as they are when it paints, so neither sends them again.
  CanvasRegion sentCells_{0, 0};
  bool cellsSent_ = false;
  // The parts of the small picture sent since it was last painted: a part inside one of them is
  // on its way already. A line put down sends its part as the preview shown, as the change and
  // as the preview taken away.
  std::vector<QRect> picturesSent_;
  std::vector<int> staleSprites_;  // those sprites, to render into canvasImage_ again
  bool sheetStale_ = false;
  std::bitset<kSheetColumns * kSheetRows> staleThumbnails_;
  int browserHotSprite_ = 0;
  StatusReadOut* readOut_ = nullptr;  // the status bar's, of the cell or sprite under the pointer
  ToolManager* tools_ = nullptr;      // the editor's drawing tools
  QList<QAction*> toolActions_;       // in the tool bar's order
  ToolPicture toolPicture_ = ToolPicture::Pen;
  SelectTool* selectTool_ = nullptr;  // owned by tools_
  QAction* selectAction_ = nullptr;
  std::vector<QShortcut*> selectionKeys_;   // the arrows and Enter: only while a selection exists
  std::vector<QShortcut*> rotateRefusals_;  // Ctrl+T and Ctrl+Shift+T while Rotate is off
  struct SelectionState {
    bool selection = false;
    bool canRotate = false;
    bool operator==(const SelectionState&) const = default;
  };
  std::optional<SelectionState> shownSelection_;  // as the keys and Rotate items show it
  // What the overlay items and the pens of a pair show.
  struct OverlayState {
    bool pair = false;
    bool overlayBit = false;
    EditLayer layer = EditLayer::ByColour;
    int lower = 0;
    int upper = 0;
    std::uint8_t upperAttribute = 0;
    bool lowerMultiColour = false;
    bool operator==(const OverlayState&) const = default;
  };
  std::optional<OverlayState> shownOverlay_;
  // What the editor was last laid out for.
  struct EditorLayout {
    int columns = 0;
    int rows = 0;
    int stretchX = 1;
    int stretchY = 1;
    int cellSize = 0;
    QSize room;
    int scrollX = 0;
    int scrollY = 0;
    qreal bandRatio = 1;
    bool operator==(const EditorLayout&) const = default;
  };
  std::optional<EditorLayout> laidOut_;
  int labelledSprite_ = -1;  // the sprite Label1 names
  QString fileName_;         // shown in the title and proposed by the save dialog
  // The animations as the file last opened or saved left them: others are the user's work.
  std::vector<SpriteAnimation> savedAnimations_;
  // The bank as the file last opened or saved left it: a change past the file's records is work
  // "Save" could not keep.
  SpriteBank savedBank_;
  std::string filePath_;  // the file "Save" writes: the one last opened or saved; empty if none
  // What "Save..." keeps of the file last opened or saved: its format and what it held
  // beyond the records (a SpritePad file's version and blocks, a PRG's load address); and how
  // many records it had, for an export of them all to keep the same.
  OpenedFile openedFile_;
  std::optional<FileStamp> onDisk_;
  ExportChoices exportChoices_;  // the Export dialog's, for the rest of the run
  DialogFolders dialogFolders_;
  RecentFiles recentFiles_;
  QSettings* settings_ = nullptr;  // none: nothing is remembered beyond this run
  std::unique_ptr<TextDataFolder> textData_;
  std::string recoveryFolder_;
  std::unique_ptr<DocumentAutosave> autosave_;
  std::function<void(TForm1&)> animatorOpener_;
  std::function<bool(const QUrl&)> fileOpener_;
  std::function<void(std::string_view)> drawTrace_;
  bool closing_ = false;
  // The editor's view of the canvas, its room in the window, and the cell size chosen (0: the
  // largest that fits).
  CanvasView editorView_ = kEditorView;
  QSize editorRoom_{kEditorWidth, kEditorHeight};
  int cellSize_ = 0;
  std::array<QWidget*, 4> ticks_{};  // Shape1 (left), Shape4 (right), Shape2 (top), Shape3
  SheetWindow sheetWindow_;
  struct Anchor {
    QWidget* widget;
    QRect laidOut;
    bool right;   // follows the right edge
    bool bottom;  // follows the bottom edge
    bool wide;    // grows with the width
    bool tall;    // grows with the height
  };
  std::vector<Anchor> anchors_;
  // The grid's pixel cursor: the first canvas cell of a sprite pixel; Space holds the tool down.
  CanvasPoint gridCursor_{0, 0};
  bool gridSpaceHeld_ = false;
};

}  // namespace kelvane
