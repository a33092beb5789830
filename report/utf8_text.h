#pragma once
// Text of the data files made safe for a UTF-8 report: valid UTF-8 is kept as it is, and
// every byte that does not start or continue a valid sequence becomes U+FFFD, as the JSON
// report does too.
#include <string>

namespace tamso {

std::string validUtf8(const std::string& text);

}  // namespace tamso
