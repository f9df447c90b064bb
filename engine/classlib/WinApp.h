// The library's application object base: constructed when the library is
// loaded, destroyed when it is unloaded.
#pragma once

namespace vorlik {

class CWinApp {
  public:
    virtual ~CWinApp() = default;
    // Default start-up; reports success.
    virtual bool InitInstance() { return true; }
};

} // namespace vorlik
