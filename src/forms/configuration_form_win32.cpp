// The configuration form to its measures: background picture, five markup labels, the path's edit box,
// OK and Annuler; its show, button, close and link handlers.
#include "forms/configuration_form_win32.h"

#include <shellapi.h>

#include <functional>
#include <span>

#include "forms/jpeg_picture.h"
#include "command/error.h"
#include "platform/application_error_win32.h"
#include "markup/markup_label_win32.h"
#include "platform/com_win32.h"
#include "settings/settings_store.h"

namespace tovrik {
namespace {

// Not IDCANCEL, so that Escape (which IsDialogMessage sends as IDCANCEL) does not press Annuler.
constexpr int kCancelButtonId = 1002;

constexpr char kWebPage[] = "http://www.orlenta.example/tovrik/";

// The copyright notice as the version resource has it: the return file's longer one would wrap.
constexpr char kTitleMarkup[] = "<b>Selvane Tovrik</b><br>Copyright (c) 2026 Orlenta";
constexpr char kWebLinkMarkup[] = "<link>Cliquez ici pour visiter notre site Internet...</link>";
constexpr char kTermsMarkup[] =
    "Ce programme est fourni tel quel, sans garantie. Vous pouvez le joindre librement \xE0 vos scripts.";
constexpr char kPathTitleMarkup[] = "<b>Adresse du fichier de retour :</b>";
constexpr char kRestartNoticeMarkup[] =
    "Attention : la modification de la variable d'environnement %TVKFILE% associ\xE9" "e \xE0 l'adresse du "
    "fichier de retour aura lieu au prochain red\xE9marrage.";

// The labels' "Tahoma" at 8 points and the restart notice's at 6 points, as heights at 96 pixels per inch.
constexpr int kLabelFontHeight = -11;
constexpr int kSmallLabelFontHeight = -8;

// The five labels' 96-DPI places (left, top, width), in the order of ConfigurationForm::labels_.
constexpr struct {
  int left, top, width;
  bool small;
} kLabelPlaces[] = {{48, 10, 257, false}, {8, 48, 305, false}, {8, 69, 305, false}, {7, 109, 305, false},
                    {7, 151, 305, true}};

// The application's way with an error raised by an event handler: its error box, then the program
// goes on.
void reportingErrors(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const CommandError& error) {
    showApplicationError(error);
  }
}

HWND addMarkupLabel(HWND form, int left, int top, int width, HFONT font, const std::string& markup) {
  const HWND label = createMarkupLabel(form, left, top, width, 17, font);
  MarkupLabel& core = markupLabelOf(label);
  core.setLinkColor(kBlue);
  core.setLinkColorClicked(kRed);
  core.setLinkColorHot(kPurple);
  core.setLinkStyle(FontStyle::Underline);
  core.setHotLinks(false);
  core.setAutoHeight(true);
  core.setMarginWidth(0);
  core.setMarginHeight(0);
  core.setTransparent(true);
  setMarkupLabelCaption(label, markup);
  return label;
}

// The picture stored in the program's resources, for GDI; empty when it is missing or does not decode.
DeviceIndependentPicture loadBackgroundPicture() {
  DeviceIndependentPicture result;
  const HMODULE module = GetModuleHandleA(nullptr);
  const HRSRC resource = FindResourceA(module, "BACKGROUND", MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  const HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return result;
  const std::optional<RgbPicture> picture = decodeJpeg(
      std::span(static_cast<const std::uint8_t*>(bytes), SizeofResource(module, resource)));
  if (!picture) return result;
  const std::size_t stride = (static_cast<std::size_t>(picture->width) * 3 + 3) & ~std::size_t{3};
  result.bits.assign(stride * static_cast<std::size_t>(picture->height), 0);
  for (int y = 0; y < picture->height; ++y)
    for (int x = 0; x < picture->width; ++x) {
      const std::uint8_t* rgb = picture->pixel(x, y);
      std::uint8_t* bgr = result.bits.data() + stride * static_cast<std::size_t>(y) + static_cast<std::size_t>(x) * 3;
      bgr[0] = rgb[2];
      bgr[1] = rgb[1];
      bgr[2] = rgb[0];
    }
  BITMAPINFOHEADER& header = result.info.bmiHeader;
  header.biSize = sizeof header;
  header.biWidth = picture->width;
  header.biHeight = -picture->height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  return result;
}

}  // namespace

ConfigurationForm::ConfigurationForm()
    : Form(FormLayout{.className = "TMainForm",
                      .caption = "Selvane Tovrik",
                      .clientWidth = 320,
                      .clientHeight = 212,
                      .systemMenu = true,
                      .topmost = false}) {}

ConfigurationForm& ConfigurationForm::instance() {
  // Lives until the process ends: windows are never destroyed from a static destructor.
  static ConfigurationForm* const form = new ConfigurationForm;
  return *form;
}

HWND ConfigurationForm::handle() { return instance().Form::handle(); }

void ConfigurationForm::createChildren() {
  const HWND form = Form::handle();
  // Its own taskbar button, though the hidden application window owns it.
  SetWindowLongPtrA(form, GWL_EXSTYLE, GetWindowLongPtrA(form, GWL_EXSTYLE) | WS_EX_APPWINDOW);
  labelFont_ = createScaledFont("Tahoma", kLabelFontHeight, dpi());
  smallLabelFont_ = createScaledFont("Tahoma", kSmallLabelFontHeight, dpi());
  const char* const markups[] = {kTitleMarkup, kWebLinkMarkup, kTermsMarkup, kPathTitleMarkup, kRestartNoticeMarkup};
  HWND* const labels[] = {&titleLabel_, &webLinkLabel_, &termsLabel_, &pathTitleLabel_, &restartNoticeLabel_};
  for (std::size_t i = 0; i < std::size(labels); ++i) {
    const auto& place = kLabelPlaces[i];
    *labels[i] = addMarkupLabel(form, scaled(place.left), scaled(place.top),
                                scaled(place.left + place.width) - scaled(place.left),
                                place.small ? smallLabelFont_.get() : labelFont_.get(), markups[i]);
  }
  markupLabelOf(webLinkLabel_).setOnLinkClick([this](int, const std::string&) {
    reportingErrors([this] { onWebLinkClick(); });
  });
  // Created in the tab order: OK, the edit box, Annuler.
  okButton_ = addButton("&OK", 238, 184, 75, 25, IDOK, true);
  pathEdit_ = addEdit(8, 128, 305, 21, false);
  cancelButton_ = addButton("&Annuler", 160, 184, 75, 25, kCancelButtonId, false);
}

int ConfigurationForm::runConfiguration(Services& services, const std::string& returnFilePath) {
  ConfigurationForm& form = instance();
  form.services_ = &services;
  form.configuring_ = true;
  const HWND window = handle();
  if (!window) return 0;
  form.showWithPath(returnFilePath);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsWindow(window) && IsDialogMessageA(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

void ConfigurationForm::showWithPath(const std::string& returnFilePath) {
  loadPicture();
  const HWND window = Form::handle();
  SetWindowPos(window, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowTextA(pathEdit_, returnFilePath.c_str());
  showInFront();
  SetFocus(okButton_);
}

void ConfigurationForm::onOkClick() {
  publishEnvironmentVariable(services_->registry(), services_->environment(), kReturnFileVariable,
                             textOf(pathEdit_));
  closeForm();
}

void ConfigurationForm::onCancelClick() { closeForm(); }

void ConfigurationForm::storePath() { writeSetting(services_->registry(), kReturnFileValueName, textOf(pathEdit_)); }

void ConfigurationForm::onWebLinkClick() {
  ensureComInitialized();  // the shell may hand the page to a COM handler
  ShellExecuteA(applicationWindow(), "Open", kWebPage, nullptr, nullptr, SW_SHOW);
}

void ConfigurationForm::closeForm() {
  if (configuring_) reportingErrors([this] { storePath(); });
  DestroyWindow(Form::handle());
}

void ConfigurationForm::loadPicture() {
  if (pictureLoaded_) return;
  picture_ = loadBackgroundPicture();
  pictureLoaded_ = true;
}

void ConfigurationForm::paintBackground(HDC dc) {
  RECT client{};
  GetClientRect(Form::handle(), &client);
  if (picture_.bits.empty()) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  const BITMAPINFOHEADER& header = picture_.info.bmiHeader;
  // The picture is made at twice the form's 96-DPI size: at 100 % halftone halves it, each screen pixel the
  // mean of four, sharp; at other scales it is resampled smoothly instead of dropping or repeating pixels.
  // Halftone wants the brush origin set after it.
  const int previousMode = SetStretchBltMode(dc, HALFTONE);
  POINT previousOrigin{};
  SetBrushOrgEx(dc, 0, 0, &previousOrigin);
  StretchDIBits(dc, 0, 0, client.right, client.bottom, 0, 0, header.biWidth, -header.biHeight, picture_.bits.data(),
                &picture_.info, DIB_RGB_COLORS, SRCCOPY);
  SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
  if (previousMode) SetStretchBltMode(dc, previousMode);
}

void ConfigurationForm::relayout() {
  Form::relayout();
  OwnedFont previousLabelFont = std::move(labelFont_);
  OwnedFont previousSmallFont = std::move(smallLabelFont_);
  labelFont_ = createScaledFont("Tahoma", kLabelFontHeight, dpi());
  smallLabelFont_ = createScaledFont("Tahoma", kSmallLabelFontHeight, dpi());
  const HWND labels[] = {titleLabel_, webLinkLabel_, termsLabel_, pathTitleLabel_, restartNoticeLabel_};
  for (std::size_t i = 0; i < std::size(labels); ++i) {
    const auto& place = kLabelPlaces[i];
    RECT bounds{};
    GetClientRect(labels[i], &bounds);
    SetWindowPos(labels[i], nullptr, scaled(place.left), scaled(place.top),
                 scaled(place.left + place.width) - scaled(place.left), bounds.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    setMarkupLabelFont(labels[i], place.small ? smallLabelFont_.get() : labelFont_.get());
  }
}

bool ConfigurationForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_ERASEBKGND:
      paintBackground(reinterpret_cast<HDC>(wParam));
      result = 1;
      return true;
    case WM_PRINTCLIENT:
      // Asked by the transparent labels (and themed buttons) for what lies behind them.
      paintBackground(reinterpret_cast<HDC>(wParam));
      result = 0;
      return true;
    case WM_CLOSE:
      // The close box, Alt+F4 and the buttons all end here.
      closeForm();
      result = 0;
      return true;
    case WM_DESTROY:
      if (configuring_) PostQuitMessage(0);
      break;
  }
  return Form::handleMessage(message, wParam, lParam, result);
}

bool ConfigurationForm::onCommand(int id) {
  if (id == IDOK) reportingErrors([this] { onOkClick(); });
  else if (id == kCancelButtonId) reportingErrors([this] { onCancelClick(); });
  // Anything else, Escape's IDCANCEL included, does nothing.
  return true;
}

}  // namespace tovrik
