// The library's one application object, alive from load to unload. It
// creates no window, reads no settings and starts no thread.
#include "classlib/WinApp.h"

namespace vorlik {
namespace {

class CKestrumApp : public CWinApp {
  public:
    CKestrumApp() { InitInstance(); }
};

CKestrumApp theApp;

} // namespace
} // namespace vorlik
