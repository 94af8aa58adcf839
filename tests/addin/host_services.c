#include "host_services.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "report.h"
#include "text_buffer.h"
#include "utf16.h"

static void ADDIN_CALL destructor_called(void* self) {
  (void)self;
  report_failure("the add-in called a destructor slot of a host object");
  exit(1);
}

#if ADDIN_DESTRUCTOR_SLOTS == 2
#define DESTRUCTORS \
  { destructor_called, destructor_called }
#else
#define DESTRUCTORS \
  { destructor_called }
#endif

// ---- memory manager

static long find_block(const HostMemory* memory, const void* p) {
  for (size_t i = memory->count; i-- > 0;) {
    if (memory->blocks[i].p == p) return (long)i;
  }
  return -1;
}

static bool ADDIN_CALL alloc_memory(void* self, void** p, unsigned long bytes) {
  HostMemory* memory = self;
  if (p == NULL) {
    report_failure("%s: AllocMemory given a null pointer", memory->owner);
    return false;
  }
  if (memory->refuse) return false;
  *p = host_memory_alloc(memory, bytes);
  return true;
}

static void ADDIN_CALL free_memory(void* self, void** p) {
  HostMemory* memory = self;
  if (p == NULL) {
    report_failure("%s: FreeMemory given a null pointer", memory->owner);
    return;
  }
  if (*p == NULL) return;
  if (host_memory_free(memory, *p, "FreeMemory")) *p = NULL;
}

static const MemoryManagerTable memory_table = {
    .destructors = DESTRUCTORS, .AllocMemory = alloc_memory, .FreeMemory = free_memory};

void host_memory_init(HostMemory* memory, const char* owner) {
  memset(memory, 0, sizeof *memory);
  memory->table = &memory_table;
  memory->owner = owner;
}

void* host_memory_alloc(HostMemory* memory, size_t bytes) {
  if (memory->count == memory->capacity) {
    memory->capacity = memory->capacity ? memory->capacity * 2 : 16;
    memory->blocks = checked_realloc(memory->blocks, memory->capacity * sizeof(HostBlock));
  }
  // Filled with garbage, so that a text handed back without its
  // terminator shows.
  void* p = checked_malloc(bytes);
  memset(p, 0xA5, bytes);
  memory->blocks[memory->count++] = (HostBlock){p, bytes};
  ++memory->allocations;
  return p;
}

bool host_memory_free(HostMemory* memory, void* p, const char* what) {
  const long index = find_block(memory, p);
  if (index < 0) {
    report_failure("%s: %s of %p, which is no live block of this memory manager", memory->owner,
                   what, p);
    return false;
  }
  free(p);
  memory->blocks[index] = memory->blocks[--memory->count];
  return true;
}

size_t host_memory_block_size(const HostMemory* memory, const void* p) {
  const long index = find_block(memory, p);
  return index < 0 ? 0 : memory->blocks[index].bytes;
}

void host_memory_finish(HostMemory* memory) {
  for (size_t i = 0; i < memory->count; ++i) {
    report_failure("%s: a block of %zu bytes was never freed", memory->owner,
                   memory->blocks[i].bytes);
    free(memory->blocks[i].p);
  }
  free(memory->blocks);
  memory->blocks = NULL;
  memory->count = memory->capacity = 0;
}

// ---- records

static WCHAR_T** alerts;
static size_t alert_count;
static size_t error_count;
static unsigned short last_error_code;

size_t host_alert_count(void) {
  return alert_count;
}

const WCHAR_T* host_alert(size_t index) {
  return alerts[index];
}

void host_alerts_clear(void) {
  for (size_t i = 0; i < alert_count; ++i) free(alerts[i]);
  free(alerts);
  alerts = NULL;
  alert_count = 0;
}

size_t host_error_count(void) {
  return error_count;
}

unsigned short host_last_error_code(void) {
  return last_error_code;
}

void host_errors_clear(void) {
  error_count = 0;
  last_error_code = 0;
}

// ---- message box

static bool ADDIN_CALL box_confirm(void* self, const WCHAR_T* text, tVariant* answer) {
  (void)self;
  if (!report_check(text != NULL && answer != NULL, "Confirm given a null pointer")) return false;
  memset(answer, 0, sizeof *answer);
  answer->vt = VT_BOOL_;
  answer->value.boolean = false;
  return true;
}

static bool ADDIN_CALL box_alert(void* self, const WCHAR_T* text) {
  (void)self;
  if (!report_check(text != NULL, "Alert given a null text")) return false;
  const size_t units = u16_length(text);
  WCHAR_T* copy = checked_malloc((units + 1) * sizeof(WCHAR_T));
  memcpy(copy, text, (units + 1) * sizeof(WCHAR_T));
  alerts = checked_realloc(alerts, (alert_count + 1) * sizeof *alerts);
  alerts[alert_count++] = copy;
  return true;
}

static const MessageBoxTable box_table = {.Confirm = box_confirm, .Alert = box_alert};

// ---- connection

static bool ADDIN_CALL add_error(void* self, unsigned short code, const WCHAR_T* source,
                                 const WCHAR_T* text, long scode) {
  (void)self;
  (void)scode;
  report_check(code >= 1000 && code <= 1009, "AddError with code %u, not 1000-1009", code);
  report_check(source != NULL && text != NULL, "AddError given a null text");
  ++error_count;
  last_error_code = code;
  return true;
}

static bool ADDIN_CALL read_value(void* self, WCHAR_T* name, tVariant* value, long* error,
                                  WCHAR_T** error_text) {
  (void)self, (void)name, (void)value, (void)error, (void)error_text;
  return false;
}

static bool ADDIN_CALL write_value(void* self, WCHAR_T* name, tVariant* value) {
  (void)self, (void)name, (void)value;
  return false;
}

static bool ADDIN_CALL register_profile_as(void* self, WCHAR_T* name) {
  (void)self, (void)name;
  return true;
}

static bool ADDIN_CALL set_event_buffer_depth(void* self, long depth) {
  (void)self, (void)depth;
  return true;
}

static long ADDIN_CALL get_event_buffer_depth(void* self) {
  (void)self;
  return 0;
}

static bool ADDIN_CALL external_event(void* self, WCHAR_T* source, WCHAR_T* message,
                                      WCHAR_T* data) {
  (void)self, (void)source, (void)message, (void)data;
  return true;
}

static void ADDIN_CALL clean_event_buffer(void* self) {
  (void)self;
}

static bool ADDIN_CALL set_status_line(void* self, WCHAR_T* text) {
  (void)self, (void)text;
  return true;
}

static void ADDIN_CALL reset_status_line(void* self) {
  (void)self;
}

static void* ADDIN_CALL get_interface(void* self, int which) {
  HostConnection* connection = self;
  return which == 0 ? &connection->box : NULL;
}

static const ConnectionTable connection_table = {.destructors = DESTRUCTORS,
                                                 .AddError = add_error,
                                                 .Read = read_value,
                                                 .Write = write_value,
                                                 .RegisterProfileAs = register_profile_as,
                                                 .SetEventBufferDepth = set_event_buffer_depth,
                                                 .GetEventBufferDepth = get_event_buffer_depth,
                                                 .ExternalEvent = external_event,
                                                 .CleanEventBuffer = clean_event_buffer,
                                                 .SetStatusLine = set_status_line,
                                                 .ResetStatusLine = reset_status_line,
                                                 .GetInterface = get_interface};

void host_connection_init(HostConnection* connection) {
  connection->table = &connection_table;
  connection->box.table = &box_table;
}
