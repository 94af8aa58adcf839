#include "interface_checks.h"

#include <stdlib.h>
#include <string.h>

#include "addin_library.h"
#include "report.h"
#include "utf16.h"

static WCHAR_T to_upper(WCHAR_T c) {
  if ((c >= 'a' && c <= 'z') || (c >= 0x430 && c <= 0x44F)) return (WCHAR_T)(c - 0x20);
  if (c >= 0x450 && c <= 0x45F) return (WCHAR_T)(c - 0x50);
  return c;
}

static WCHAR_T to_lower(WCHAR_T c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0x410 && c <= 0x42F)) return (WCHAR_T)(c + 0x20);
  if (c >= 0x400 && c <= 0x40F) return (WCHAR_T)(c + 0x50);
  return c;
}

// A text the add-in handed over: a live, terminated block of `memory`.
static bool handed_text(const AddInObject* object, const WCHAR_T* text, const char* what) {
  if (!report_check(text != NULL, "%s: %s is null", object->owner, what)) return false;
  const size_t block = host_memory_block_size(&object->memory, text);
  if (!report_check(block != 0, "%s: %s is no block of its memory manager", object->owner, what)) {
    return false;
  }
  size_t units = 0;
  while (units * sizeof(WCHAR_T) < block && text[units] != 0) ++units;
  return report_check(units * sizeof(WCHAR_T) < block, "%s: %s is not terminated", object->owner,
                      what);
}

static void check_name_lookup(AddInObject* object, long method, long alias) {
  void* extender = addin_interface(object, 1);
  const LanguageExtenderTable* table = ADDIN_TABLE(LanguageExtenderTable, extender);
  const WCHAR_T* name = table->GetMethodName(extender, method, alias);
  if (!handed_text(object, name, "GetMethodName")) return;
  const size_t units = u16_length(name);
  WCHAR_T* cased = checked_malloc((units + 1) * sizeof(WCHAR_T));
  const long found = table->FindMethod(extender, name);
  for (size_t i = 0; i <= units; ++i) cased[i] = to_upper(name[i]);
  const long upper = table->FindMethod(extender, cased);
  for (size_t i = 0; i <= units; ++i) cased[i] = to_lower(name[i]);
  const long lower = table->FindMethod(extender, cased);
  report_check(found == method && upper == method && lower == method,
               "%s: method %ld alias %ld found as %ld, upper-cased %ld, lower-cased %ld",
               object->owner, method, alias, found, upper, lower);
  free(cased);
  host_memory_free(&object->memory, (void*)name, "GetMethodName's text");
}

static void check_object(AddInObject* object) {
  void* self = object->object;
  const long info = ADDIN_TABLE(InitDoneTable, self)->GetInfo(self);
  report_check(info == 2000, "%s: GetInfo answered %ld", object->owner, info);

  void* extender = addin_interface(object, 1);
  const LanguageExtenderTable* table = ADDIN_TABLE(LanguageExtenderTable, extender);
  WCHAR_T* name = NULL;
  const bool registered = table->RegisterExtensionAs(extender, &name);
  if (report_check(registered, "%s: RegisterExtensionAs answered false", object->owner) &&
      handed_text(object, name, "RegisterExtensionAs")) {
    report_check(u16_equal(name, u16_length(name), kClassName, 7),
                 "%s: RegisterExtensionAs is not \"Kassivo\"", object->owner);
    host_memory_free(&object->memory, name, "RegisterExtensionAs's text");
  }
  const long properties = table->GetNProps(extender);
  report_check(properties == 0, "%s: GetNProps answered %ld", object->owner, properties);

  const long methods = table->GetNMethods(extender);
  report_check(methods > 0, "%s: GetNMethods answered %ld", object->owner, methods);
  for (long method = 0; method < methods; ++method) {
    check_name_lookup(object, method, 0);
    check_name_lookup(object, method, 1);
    tVariant value;
    memset(&value, 0, sizeof value);
    report_check(table->GetNParams(extender, method) >= 0, "%s: GetNParams(%ld) is negative",
                 object->owner, method);
    report_check(!table->GetParamDefValue(extender, method, 0, &value),
                 "%s: GetParamDefValue(%ld, 0) answered true", object->owner, method);
  }
  static const WCHAR_T unknown[] = {'N', 'o', 'S', 'u', 'c', 'h', 0};
  report_check(table->FindMethod(extender, unknown) == -1, "%s: an unknown name was found",
               object->owner);
  tVariant result;
  memset(&result, 0, sizeof result);
  report_check(!table->CallAsFunc(extender, methods, &result, NULL, 0),
               "%s: CallAsFunc answered true for method %ld", object->owner, methods);
  report_check(!table->CallAsProc(extender, methods, NULL, 0),
               "%s: CallAsProc answered true for method %ld", object->owner, methods);

  static const WCHAR_T locale[] = {'r', 'u', '_', 'R', 'U', 0};
  void* locale_interface = addin_interface(object, 2);
  ADDIN_TABLE(LocaleTable, locale_interface)->SetLocale(locale_interface, locale);
  void* language = addin_interface(object, 3);
  ADDIN_TABLE(UserLanguageTable, language)->SetUserInterfaceLanguageCode(language, locale);
}

// With every allocation refused, nothing is handed out and the host is told.
static void check_refused_memory(AddInObject* object) {
  void* extender = addin_interface(object, 1);
  const LanguageExtenderTable* table = ADDIN_TABLE(LanguageExtenderTable, extender);
  static const WCHAR_T get_last_error[] = {'G', 'e', 't', 'L', 'a', 's', 't',
                                           'E', 'r', 'r', 'o', 'r', 0};
  const long method = table->FindMethod(extender, get_last_error);
  if (!report_check(method >= 0 && table->GetNParams(extender, method) == 1,
                    "GetLastError is not a method of one parameter")) {
    return;
  }
  object->memory.refuse = true;
  WCHAR_T* name = NULL;
  report_check(!table->RegisterExtensionAs(extender, &name),
               "RegisterExtensionAs answered true without memory");
  report_check(table->GetMethodName(extender, method, 0) == NULL,
               "GetMethodName answered a text without memory");
  host_errors_clear();
  tVariant result, param;
  memset(&result, 0, sizeof result);
  memset(&param, 0, sizeof param);
  table->CallAsFunc(extender, method, &result, &param, 1);
  report_check(param.vt == VT_EMPTY_, "GetLastError's text came back as type %u without memory",
               param.vt);
  report_check(host_error_count() > 0 && host_last_error_code() == 1006,
               "no AddError 1006 for the text lost (%zu calls, last code %u)", host_error_count(),
               host_last_error_code());
  object->memory.refuse = false;
}

bool check_interface(const char* library_path) {
  report_context("interface");
  const int failures_before = report_failures();
  AddInLibrary library;
  if (addin_open(&library, library_path)) {
    static const WCHAR_T other[] = {'O', 't', 'h', 'e', 'r', 0};
    void* object = NULL;
    const long created = library.GetClassObject(other, &object);
    report_check(created == 0 && object == NULL, "GetClassObject(\"Other\") answered %ld", created);
    void* none = NULL;
    const long destroyed = library.DestroyObject(&none);
    report_check(destroyed == -1, "DestroyObject of a null pointer answered %ld", destroyed);

    AddInObject first, second;
    // Object 1 gets its memory manager first, object 2 its connection.
    const bool made_first = addin_object_create(&first, &library, 1, false);
    const bool made_second = addin_object_create(&second, &library, 2, true);
    if (made_first && made_second) {
      check_object(&first);
      check_object(&second);
      check_refused_memory(&second);
    }
    addin_object_destroy(&first, &library);
    addin_object_destroy(&second, &library);
  }
  addin_close(&library);
  return report_failures() == failures_before;
}
