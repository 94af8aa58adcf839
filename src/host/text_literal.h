// Text literals of the transcript (transcript.h), appended to a string: the
// call journal writes every text argument this way, some megabytes long.
#pragma once

#include <string>
#include <string_view>

namespace kassivo {

// `text` in double quotes; \ " CR LF TAB as \\ \" \r \n \t; every other
// control character (U+0000..U+001F, U+007F..U+009F) and every lone
// surrogate as \uXXXX with upper-case hex digits; all else as UTF-8.
void AppendTextLiteral(std::u16string_view text, std::string& out);

}  // namespace kassivo
