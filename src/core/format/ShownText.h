#pragma once

#include <string>
#include <string_view>

namespace tc {

// UTF-8 text as a person is shown it: each control character (C0, DEL and
// C1, the code page's undefined bytes among them) written as "\xNN", so a
// name can neither hide itself nor steer a terminal.
std::string shownText(std::string_view utf8);

} // namespace tc
