#include "ui/web_page.h"

#include <windows.h>
#include <shellapi.h>

namespace cdk::ui {

void OpenWebPage(TextView address) {
  const Text file(address);
  HWND owner = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
  ShellExecuteA(owner, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace cdk::ui
