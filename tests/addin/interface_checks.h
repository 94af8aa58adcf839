/* The checks of the add-in's interface beyond what sessions play: loading
 * (addin_library.h), an unknown class name failing, DestroyObject of a null
 * pointer answering -1, two objects given their memory manager and
 * connection in either order, and on each: GetInfo 2000,
 * RegisterExtensionAs "Kassivo", no properties, every method's names
 * (aliases 0 and 1) found again by FindMethod as written, upper-cased and
 * lower-cased, an unknown name -1, CallAsFunc and CallAsProc false for a
 * number past the table, GetParamDefValue false, the locale and language
 * interfaces callable; then a memory manager that refuses every block:
 * no text handed out, the call's text parameter EMPTY, an AddError 1006.
 * Every failure is reported (report.h).
 */
#pragma once

#include <stdbool.h>

/* True when every check passed. */
bool check_interface(const char* library_path);
