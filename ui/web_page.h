// Opening a web address with the shell's default handler (the browser).
#pragma once

#include "text/byte_text.h"

namespace cdk::ui {

// ShellExecuteA "open", owned by a window titled exactly "Microsoft Internet
// Explorer" when one exists. The result is not looked at: with no browser
// nothing happens and nothing is shown.
void OpenWebPage(TextView address);

}  // namespace cdk::ui
