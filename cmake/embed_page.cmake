# Turns the built page (web/dist/page.html) into a C++ source that defines
# sb::live_page(), so that the program carries the page and serves it with
# nothing read from disk.
#   cmake -DINPUT=page.html -DOUTPUT=live_page.cc -P embed_page.cmake
file(READ ${INPUT} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
# Lines of 32 bytes, for a compiler's and a reader's sake.
string(REGEX REPLACE "(('[^']*',){32})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT}.partial
"// Written by cmake/embed_page.cmake from web/dist/page.html: do not edit.
#include \"live/page.h\"

namespace sb {
namespace {

constexpr char kPage[] = {
${bytes}};

}  // namespace

std::string_view live_page() { return {kPage, sizeof kPage}; }

}  // namespace sb
")
file(RENAME ${OUTPUT}.partial ${OUTPUT})
