/* Loading the add-in library and making its component objects, through
 * the exports and tables of addin_abi.h only.
 *
 *  - addin_open loads the library, finds the five exports, and checks
 *    that GetClassNames is "Kassivo", GetAttachType answers 3 and
 *    SetPlatformCapabilities(3) answers 3 (so the objects made afterwards
 *    offer the host's message box to their calls). addin_close unloads it.
 *  - addin_object_create makes an object with GetClassObject("Kassivo")
 *    and gives it a memory manager and a connection of its own
 *    (host_services.h), setMemManager first or Init first as asked;
 *    addin_object_destroy calls Done, then DestroyObject (which must answer
 *    0 and null the pointer), then reports every block not freed.
 * Every check that fails is reported (report.h) and answers false.
 */
#pragma once

#include <stdbool.h>

#include "addin_abi.h"
#include "host_services.h"

typedef struct AddInLibrary {
  void* handle;
  GetClassNamesFn GetClassNames;
  GetClassObjectFn GetClassObject;
  DestroyObjectFn DestroyObject;
  SetPlatformCapabilitiesFn SetPlatformCapabilities;
  GetAttachTypeFn GetAttachType;
} AddInLibrary;

bool addin_open(AddInLibrary* library, const char* path);
void addin_close(AddInLibrary* library);

typedef struct AddInObject {
  void* object;  // as GetClassObject handed it: the init/done interface
  HostMemory memory;
  HostConnection connection;
  char owner[32];  // "object N", for failure messages
} AddInObject;

/* The object must stay where it is while the add-in holds its memory
 * manager and connection. */
bool addin_object_create(AddInObject* object, const AddInLibrary* library, int number,
                         bool init_first);
void addin_object_destroy(AddInObject* object, const AddInLibrary* library);

/* The interface at table pointer `index` (0 init/done, 1 language
 * extender, 2 locale, 3 user interface language). */
static inline void* addin_interface(const AddInObject* object, int index) {
  return (char*)object->object + index * sizeof(void*);
}

/* The table of an interface pointer. */
#define ADDIN_TABLE(Type, self) (*(const Type* const*)(self))

/* "Kassivo" as a null-terminated UTF-16 text. */
extern const WCHAR_T kClassName[8];
