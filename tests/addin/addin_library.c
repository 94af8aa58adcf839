#define _GNU_SOURCE
#include "addin_library.h"

#include <stdio.h>
#include <string.h>

#include "report.h"
#include "utf16.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

const WCHAR_T kClassName[8] = {'K', 'a', 's', 's', 'i', 'v', 'o', 0};

static void* open_library(const char* path) {
#ifdef _WIN32
  wchar_t wide[MAX_PATH];
  if (MultiByteToWideChar(CP_UTF8, 0, path, -1, wide, MAX_PATH) == 0) return NULL;
  return LoadLibraryW(wide);
#else
#ifdef KASSIVO_HOST_KEEP_MAPPED
  // Under LeakSanitizer: the C++ runtime linked into the library keeps its
  // exception pool until the process ends, and a library unmapped by
  // dlclose would leave it looking leaked, from a module no one can name.
  return dlopen(path, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
#else
  return dlopen(path, RTLD_NOW | RTLD_LOCAL);
#endif
#endif
}

static const char* open_error(void) {
#ifdef _WIN32
  static char text[32];
  snprintf(text, sizeof text, "error %lu", (unsigned long)GetLastError());
  return text;
#else
  return dlerror();
#endif
}

// Finds an export into the function pointer at `target` (of any type).
static bool find_export(void* handle, const char* name, void* target) {
#ifdef _WIN32
  FARPROC symbol = GetProcAddress(handle, name);
#else
  void* symbol = dlsym(handle, name);
#endif
  memcpy(target, &symbol, sizeof symbol);
  return report_check(symbol != NULL, "no export %s", name);
}

bool addin_open(AddInLibrary* library, const char* path) {
  memset(library, 0, sizeof *library);
  library->handle = open_library(path);
  if (!report_check(library->handle != NULL, "cannot load %s: %s", path, open_error())) {
    return false;
  }
  bool found = find_export(library->handle, "GetClassNames", &library->GetClassNames);
  found &= find_export(library->handle, "GetClassObject", &library->GetClassObject);
  found &= find_export(library->handle, "DestroyObject", &library->DestroyObject);
  found &=
      find_export(library->handle, "SetPlatformCapabilities", &library->SetPlatformCapabilities);
  found &= find_export(library->handle, "GetAttachType", &library->GetAttachType);
  if (!found) return false;
  const WCHAR_T* names = library->GetClassNames();
  bool ok = report_check(names != NULL && u16_equal(names, u16_length(names), kClassName, 7),
                         "GetClassNames is not \"Kassivo\"");
  const int attach = library->GetAttachType();
  ok &= report_check(attach == 3, "GetAttachType answered %d, not 3", attach);
  const int capabilities = library->SetPlatformCapabilities(3);
  ok &= report_check(capabilities == 3, "SetPlatformCapabilities(3) answered %d, not 3",
                     capabilities);
  return ok;
}

void addin_close(AddInLibrary* library) {
  if (library->handle == NULL) return;
#ifdef _WIN32
  report_check(FreeLibrary(library->handle) != 0, "FreeLibrary failed");
#else
  report_check(dlclose(library->handle) == 0, "dlclose failed: %s", dlerror());
#endif
  library->handle = NULL;
}

bool addin_object_create(AddInObject* object, const AddInLibrary* library, int number,
                         bool init_first) {
  memset(object, 0, sizeof *object);
  snprintf(object->owner, sizeof object->owner, "object %d", number);
  host_memory_init(&object->memory, object->owner);
  host_connection_init(&object->connection);
  const long created = library->GetClassObject(kClassName, &object->object);
  if (!report_check(created == 1 && object->object != NULL,
                    "GetClassObject(\"Kassivo\") answered %ld for %s", created, object->owner)) {
    return false;
  }
  void* self = object->object;
  const InitDoneTable* table = ADDIN_TABLE(InitDoneTable, self);
  bool given = true;
  if (init_first) given &= table->Init(self, &object->connection);
  given &= table->setMemManager(self, &object->memory);
  if (!init_first) given &= table->Init(self, &object->connection);
  return report_check(given, "setMemManager or Init answered false for %s", object->owner);
}

void addin_object_destroy(AddInObject* object, const AddInLibrary* library) {
  if (object->object != NULL) {
    void* self = object->object;
    ADDIN_TABLE(InitDoneTable, self)->Done(self);
    const long destroyed = library->DestroyObject(&object->object);
    report_check(destroyed == 0 && object->object == NULL,
                 "DestroyObject answered %ld for %s, the pointer %s", destroyed, object->owner,
                 object->object == NULL ? "nulled" : "kept");
  }
  host_memory_finish(&object->memory);
}
