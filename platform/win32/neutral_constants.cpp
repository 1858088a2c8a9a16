// The neutral headers copy a few of the system's numbers so that handlers and
// host tests need no <windows.h>; each copy is held to the real value here.
#include <windows.h>
// After <windows.h>, which it needs.
#include <mmsystem.h>
#include <shellapi.h>

#include "platform/design.h"
#include "platform/forms.h"
#include "platform/notify_icon_data.h"
#include "platform/painted_colour.h"
#include "platform/system_services.h"

namespace platform {

static_assert(kMbOk == MB_OK);
static_assert(kMbYesNo == MB_YESNO);
static_assert(kMbIconError == MB_ICONERROR);
static_assert(kMbIconQuestion == MB_ICONQUESTION);
static_assert(kMbIconInformation == MB_ICONINFORMATION);
static_assert(kIdOk == IDOK);
static_assert(kIdYes == IDYES);
static_assert(kIdNo == IDNO);

static_assert(kNimAdd == NIM_ADD);
static_assert(kNimModify == NIM_MODIFY);
static_assert(kNimDelete == NIM_DELETE);
static_assert(kNifMessage == NIF_MESSAGE);
static_assert(kNifIcon == NIF_ICON);
static_assert(kNifTip == NIF_TIP);
static_assert(kNifInfo == NIF_INFO);
static_assert(kNiifWarning == NIIF_WARNING);
static_assert(kWmMouseMove == WM_MOUSEMOVE);
static_assert(kWmLButtonDown == WM_LBUTTONDOWN);
static_assert(kWmRButtonDown == WM_RBUTTONDOWN);
static_assert(kWmMButtonDblClk == WM_MBUTTONDBLCLK);
static_assert(kNinBalloonUserClick == NIN_BALLOONUSERCLICK);

static_assert(kSndSync == SND_SYNC);
static_assert(kSndNoDefault == SND_NODEFAULT);

static_assert(kWindowBackground == systemColour(COLOR_WINDOW));
static_assert(kWindowText == systemColour(COLOR_WINDOWTEXT));
static_assert(kHighlightText == systemColour(COLOR_HIGHLIGHTTEXT));
static_assert(kButtonFace == systemColour(COLOR_BTNFACE));
static_assert(kButtonText == systemColour(COLOR_BTNTEXT));

}  // namespace platform
